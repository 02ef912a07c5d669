#include "state/saved_game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>

#include "state/game_json.h"
#include "state/lists.h"
#include "state/new_map.h"
#include "support/sample_game.h"

namespace tavrine {
namespace {

GameType EmptyMap(std::int32_t columns, std::int32_t rows) {
    GameType g;
    RunState run;
    NewMap(g, run, columns, rows, 1, 0);
    return g;
}

std::int32_t I32At(const Bytes& b, std::size_t at) {
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(b.at(at + i)) << (8 * i);
    return static_cast<std::int32_t>(u);
}

void PutI32(Bytes& b, std::size_t at, std::int32_t v) {
    for (std::size_t i = 0; i < 4; ++i) b.at(at + i) = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}

/// Reads a file in the order the layout table lists its fields, independently of
/// the parser, so that a field written in the wrong place shows.
class Cursor {
public:
    Cursor(const Bytes& b, std::size_t at) : b_(b), at_(at) {}
    std::int32_t I32() {
        const std::int32_t v = I32At(b_, at_);
        at_ += 4;
        return v;
    }
    std::uint8_t U8() { return b_.at(at_++); }
    std::size_t At() const { return at_; }

private:
    const Bytes& b_;
    std::size_t at_;
};

LoadResult Parse(const Bytes& bytes, GameType& out, std::string* problem = nullptr) {
    return ParseGame(std::span<const std::uint8_t>(bytes.data(), bytes.size()), out, problem);
}

TEST(SavedGameTest, BlockSizes) {
    EXPECT_EQ(SerializeGame(EmptyMap(0, 0)).size(), 126u) << "fixed part and five zero counts";
    const std::size_t oneCell = SerializeGame(EmptyMap(1, 1)).size();
    EXPECT_EQ(oneCell, 126u + 4 + 55) << "a column count and a cell without object and orders";

    GameType g = EmptyMap(1, 1);
    g.Cell(0, 0).Object = std::make_unique<GameCellObjectType>();
    EXPECT_EQ(SerializeGame(g).size(), oneCell + 60) << "a cell with a smokeless object takes 115 bytes";
    g.Cell(0, 0).Object->Smoke.resize(2);
    EXPECT_EQ(SerializeGame(g).size(), oneCell + 60 + 64);

    g = EmptyMap(1, 1);
    g.Tanks.push_back(std::make_unique<GameObjectType>());
    EXPECT_EQ(SerializeGame(g).size(), oneCell + 92) << "a tank with an empty route";
    g.Tanks[0]->Route = {0, 0, 0};
    EXPECT_EQ(SerializeGame(g).size(), oneCell + 92 + 12);

    g = EmptyMap(1, 1);
    g.InfoLabels.emplace_back();
    EXPECT_EQ(SerializeGame(g).size(), oneCell + 24) << "a label with an empty text";
    g.InfoLabels[0].Text = "abc";
    EXPECT_EQ(SerializeGame(g).size(), oneCell + 27);

    g = EmptyMap(2, 3);
    const std::size_t sixCells = SerializeGame(g).size();
    AddOrder(g, OrderMove, 0, OrderNew);
    EXPECT_EQ(SerializeGame(g).size(), sixCells + 20 + 6 * 4) << "an order block and one wave entry per cell";
    g.Explosions.emplace_back();
    g.Shots.emplace_back();
    EXPECT_EQ(SerializeGame(g).size(), sixCells + 20 + 6 * 4 + 20 + 24);
}

TEST(SavedGameTest, ScalarsSitAtTheirOffsets) {
    GameType g = test::MakeSampleGame();
    const Bytes b = SerializeGame(g);
    EXPECT_EQ(b[0], 0xBA);
    EXPECT_EQ(b[1], 0x78);
    EXPECT_EQ(I32At(b, 0), 30906);
    EXPECT_EQ(I32At(b, 4), 2);
    EXPECT_EQ(I32At(b, 8), 36);
    EXPECT_EQ(I32At(b, 16), 4);
    EXPECT_EQ(I32At(b, 20), 3);
    EXPECT_EQ(I32At(b, 24), 17);
    EXPECT_EQ(I32At(b, 28), 23);
    EXPECT_EQ(I32At(b, 32), 144);
    EXPECT_EQ(I32At(b, 36), 108);
    EXPECT_EQ(I32At(b, 40), g.SelectedBuilding);
    EXPECT_EQ(b[44], 1);
    EXPECT_EQ(I32At(b, 45), 321);
    EXPECT_EQ(I32At(b, 49), 4567) << "Money comes before Spare1";
    EXPECT_EQ(I32At(b, 53), 9);
    EXPECT_EQ(I32At(b, 57), 44);
    EXPECT_EQ(b[61], 0xAB);
    EXPECT_EQ(I32At(b, 62), -3);
    EXPECT_EQ(b[66], 4);
    EXPECT_EQ(I32At(b, 67), 55555);
    EXPECT_EQ(I32At(b, 71), 66);
    EXPECT_EQ(b[75], 6);
    EXPECT_EQ(I32At(b, 76), -7);
    EXPECT_EQ(b[80], 8);
    EXPECT_EQ(I32At(b, 81), 2);
    EXPECT_EQ(I32At(b, 85), 5);
    EXPECT_EQ(I32At(b, 89), 1);
    EXPECT_EQ(I32At(b, 93), 3);
    EXPECT_EQ(I32At(b, 97), 4);
    EXPECT_EQ(b[101], 0);
    EXPECT_EQ(I32At(b, 102), 4) << "the number of columns";
    EXPECT_EQ(I32At(b, 106), 3) << "the first column's number of cells";
}

// One of everything on a 1 by 1 map, read back field by field in file order.
TEST(SavedGameTest, BlocksFollowTheFileLayout) {
    GameType g = EmptyMap(1, 1);
    GameCellType& c = g.Cell(0, 0);
    c.MinimapColor = 0x010203;
    c.GroundColor = 0x040506;
    c.Ground = {0, 1, 2, 3};
    c.GroundSpare = 4;
    c.Occupant = 0;
    c.LeavingTank = -1;
    c.Occupancy = CellTank;
    c.Clear = 0;
    c.Object = std::make_unique<GameCellObjectType>();
    c.Object->Image = {2, 1, 0, 9};
    c.Object->Spare = 5;
    c.Object->DestroyTimer = 6;
    c.Object->Health = 7;
    c.Object->ReloadCounter = 8;
    c.Object->TowerState = 1;
    c.Object->TowerTarget = 0;
    c.Object->AimTicks = 10;
    c.Object->RestFacing = 11;
    c.Object->ScanCounter = 12;
    c.Object->HitTimer = 13;
    c.Object->Smoke.push_back({{0, 5, 0, 2}, 14, 15, 16, 17});
    AddOrder(g, OrderAttackTank, 0, OrderFlooding);
    g.Orders[0]->Replan = 1;
    g.Orders[0]->MemberMoved = 0;
    g.Waves[0][0] = 18;
    auto t = std::make_unique<GameObjectType>();
    *t = GameObjectType{0, 0x00FFFF, 20, 21, 0, 0, -1, -1, {4, 0, 1, 3}, 22, 1, 23, 1, 0, 1, {0, 0}, 24, 25, 0, 26, -1, 27, 28, {}, -1, 0, {}};
    g.Tanks.push_back(std::move(t));
    g.Explosions.push_back({30, 31, 1, 32, 33});
    g.Shots.push_back({40, 41, 42, 43, 44, 45});
    g.InfoLabels.push_back({50, 51, 3, "hey", 52, 0x112233});

    const Bytes b = SerializeGame(g);
    Cursor r(b, 110);
    for (std::int32_t v : {0, 0, 0x010203, 0x040506, 0, 1, 2, 3, 4}) EXPECT_EQ(r.I32(), v);
    EXPECT_EQ(r.U8(), 1) << "Hidden";
    EXPECT_EQ(r.U8(), 1) << "object present";
    for (std::int32_t v : {2, 1, 0, 9, 5, 6, 7, 8, 1, 0, 10, 11, 12, 13}) EXPECT_EQ(r.I32(), v);
    EXPECT_EQ(r.I32(), 1) << "smoke puffs";
    for (std::int32_t v : {0, 5, 0, 2, 14, 15, 16, 17}) EXPECT_EQ(r.I32(), v);
    for (std::int32_t v : {0, -1, 1}) EXPECT_EQ(r.I32(), v);
    EXPECT_EQ(r.U8(), 0) << "Clear";
    EXPECT_EQ(r.I32(), 1) << "wave entries";
    EXPECT_EQ(r.I32(), 18);

    EXPECT_EQ(r.I32(), 1) << "tanks";
    const std::size_t tankStart = r.At();
    for (std::int32_t v : {0, 0x00FFFF, 20, 21, 0, 0, -1, -1, 4, 0, 1, 3, 22}) EXPECT_EQ(r.I32(), v);
    EXPECT_EQ(r.U8(), 1) << "Spare";
    EXPECT_EQ(r.I32(), 23);
    EXPECT_EQ(r.U8(), 1) << "Selected";
    EXPECT_EQ(r.I32(), 0) << "Order";
    EXPECT_EQ(r.U8(), 1) << "NeedsRoute";
    for (std::int32_t v : {2, 0, 0, 24, 25}) EXPECT_EQ(r.I32(), v);
    EXPECT_EQ(r.U8(), 0) << "AtRest";
    for (std::int32_t v : {26, 27, 28}) EXPECT_EQ(r.I32(), v) << "ReloadCounter, MuzzleX, MuzzleY";
    EXPECT_EQ(r.I32(), -1) << "ChanceTarget comes last";
    EXPECT_EQ(r.At() - tankStart, 92u + 8);

    EXPECT_EQ(r.I32(), 1) << "orders";
    for (std::int32_t v : {0, 2, 0, 1}) EXPECT_EQ(r.I32(), v);
    for (std::uint8_t v : {1, 0, 0, 0}) EXPECT_EQ(r.U8(), v) << "Replan, MemberMoved, two reserved bytes";
    EXPECT_EQ(r.I32(), 1) << "explosions";
    for (std::int32_t v : {30, 31, 1, 32, 33}) EXPECT_EQ(r.I32(), v);
    EXPECT_EQ(r.I32(), 1) << "shots";
    for (std::int32_t v : {40, 41, 42, 43, 44, 45}) EXPECT_EQ(r.I32(), v);
    EXPECT_EQ(r.I32(), 1) << "labels";
    for (std::int32_t v : {50, 51, 3, 52, 0x112233, 3}) EXPECT_EQ(r.I32(), v) << "Life and Color before the text";
    EXPECT_EQ(r.U8(), 'h');
    EXPECT_EQ(r.U8(), 'e');
    EXPECT_EQ(r.U8(), 'y');
    EXPECT_EQ(r.At(), b.size()) << "nothing follows the labels";

    GameType back;
    ASSERT_EQ(Parse(b, back), LoadResult::Ok);
    EXPECT_EQ(SerializeGame(back), b);
}

TEST(SavedGameTest, RichRecordRoundTripsByteForByte) {
    const GameType g = test::MakeSampleGame();
    const Bytes b = SerializeGame(g);
    GameType back;
    std::string problem;
    ASSERT_EQ(Parse(b, back, &problem), LoadResult::Ok) << problem;
    EXPECT_EQ(SerializeGame(back), b);
    EXPECT_EQ(GameToJson(back), GameToJson(g)) << "every field, by name";

    // Spot checks on the parts the byte comparison cannot tell apart from a
    // symmetric mistake of writer and reader.
    EXPECT_EQ(back.Waves, g.Waves) << "wave numbers back in their per-order fields";
    EXPECT_EQ(back.Waves[1][3 + 2 * 4], 200 + 11) << "cell (3, 2), second order";
    ASSERT_EQ(back.Tanks.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(*back.Tanks[i], *g.Tanks[i]) << "tank " << i;
    ASSERT_EQ(back.Orders.size(), 2u);
    EXPECT_EQ(*back.Orders[1], *g.Orders[1]);
    EXPECT_EQ(back.InfoLabels, g.InfoLabels);
    EXPECT_EQ(back.Explosions, g.Explosions);
    EXPECT_EQ(back.Shots, g.Shots);
    ASSERT_TRUE(back.Cell(0, 1).Object);
    EXPECT_EQ(*back.Cell(0, 1).Object, *g.Cell(0, 1).Object);
    EXPECT_EQ(back.Spare2, 0xAB);
}

TEST(SavedGameTest, EveryTruncationIsRejectedAndLeavesTheTargetAlone) {
    const Bytes b = SerializeGame(test::MakeSampleGame());
    GameType target = EmptyMap(2, 2);
    target.Money = 31337;
    const Bytes before = SerializeGame(target);
    for (std::size_t n = 0; n < b.size(); ++n) {
        const Bytes prefix(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n));
        std::string problem;
        // Too short for the magic is no game file; after it, a damaged one.
        ASSERT_EQ(Parse(prefix, target, &problem), n < 4 ? LoadResult::BadMagic : LoadResult::Malformed)
            << "prefix of " << n << " bytes";
        EXPECT_FALSE(problem.empty());
    }
    EXPECT_EQ(SerializeGame(target), before);

    Bytes longer = b;
    longer.push_back(0);
    EXPECT_EQ(Parse(longer, target), LoadResult::Malformed) << "a byte after the last label";
    EXPECT_EQ(SerializeGame(target), before);
}

TEST(SavedGameTest, MagicAndVersionAreCheckedFirst) {
    Bytes b = SerializeGame(EmptyMap(1, 1));
    GameType target = EmptyMap(3, 3);
    const Bytes before = SerializeGame(target);

    PutI32(b, 4, 1);
    EXPECT_EQ(Parse(b, target), LoadResult::BadVersion);
    PutI32(b, 4, 4);
    EXPECT_EQ(Parse(b, target), LoadResult::BadVersion);
    PutI32(b, 0, 30907);
    EXPECT_EQ(Parse(b, target), LoadResult::BadMagic) << "the magic is checked before the version";
    const Bytes wrongMagicOnly = {0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(Parse(wrongMagicOnly, target), LoadResult::BadMagic);
    const Bytes versionOneOnly = {0xBA, 0x78, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(Parse(versionOneOnly, target), LoadResult::BadVersion);
    EXPECT_EQ(SerializeGame(target), before);

    EXPECT_EQ(LoadFailureMessage(LoadResult::BadMagic, "a.gam"), "File format error");
    EXPECT_EQ(LoadFailureMessage(LoadResult::BadVersion, "a.gam"), "File version error");
    EXPECT_EQ(LoadFailureMessage(LoadResult::IoError, "a.gam"), "Data I/O Error");
    EXPECT_EQ(LoadFailureMessage(LoadResult::Malformed, "a.gam"), "The game file \"a.gam\" is damaged and cannot be loaded.");
    EXPECT_EQ(LoadFailureMessage(LoadResult::Ok, "a.gam"), "");
}

// Version 3 is version 2 followed by tagged sections. Sections this build does
// not know are skipped; a section that does not fit, or one given twice, makes
// the file damaged; a game with nothing for any section is written as version 2.
TEST(SavedGameTest, VersionThreeSectionsAreWalkedToTheEnd) {
    const Bytes plain = SerializeGame(test::MakeSampleGame());
    ASSERT_EQ(I32At(plain, 4), 2);
    const auto extended = [&](std::initializer_list<std::pair<std::string, Bytes>> sections) {
        Bytes b = plain;
        PutI32(b, 4, 3);
        for (const auto& [tag, payload] : sections) {
            b.insert(b.end(), tag.begin(), tag.end());
            b.resize(b.size() + 4);
            PutI32(b, b.size() - 4, static_cast<std::int32_t>(payload.size()));
            b.insert(b.end(), payload.begin(), payload.end());
        }
        return b;
    };
    const struct {
        const char* what;
        Bytes file;
        LoadResult result;
    } cases[] = {
        {"no section", extended({}), LoadResult::Ok},
        {"unknown sections", extended({{"ZZZZ", {1, 2, 3}}, {"ZZZY", {}}}), LoadResult::Ok},
        {"the same section twice", extended({{"ZZZZ", {1}}, {"ZZZZ", {2}}}), LoadResult::Malformed},
        {"a length past the end", [&] { Bytes b = extended({{"ZZZZ", {1, 2}}}); b.pop_back(); return b; }(), LoadResult::Malformed},
        {"a tag cut short", [&] { Bytes b = extended({}); b.insert(b.end(), {'Z', 'Z'}); return b; }(), LoadResult::Malformed},
        {"a negative length", [&] { Bytes b = extended({{"ZZZZ", {}}}); PutI32(b, b.size() - 4, -1); return b; }(), LoadResult::Malformed},
    };
    for (const auto& c : cases) {
        GameType back;
        std::string problem;
        ASSERT_EQ(Parse(c.file, back, &problem), c.result) << c.what << ": " << problem;
        if (c.result == LoadResult::Ok) {
            EXPECT_EQ(SerializeGame(back), plain) << c.what << " is saved as version 2 again";
        }
    }

    // A skirmish keeps its seed and choices in SKRM; a choice out of its range,
    // or a payload cut short, damages the file.
    Bytes skirmish(36);
    const std::int32_t values[] = {0x09ABCDEF, 0x01234567, 4, 200, 30, 2, 5, 3, 2};
    for (std::size_t i = 0; i < 9; ++i) PutI32(skirmish, i * 4, values[i]);
    const Bytes saved = extended({{"SKRM", skirmish}});
    GameType back;
    ASSERT_EQ(Parse(saved, back), LoadResult::Ok);
    EXPECT_EQ(back.SkirmishPlayed.Seed, 0x0123456709ABCDEFull);
    EXPECT_EQ(back.SkirmishPlayed.Landscape, 4);
    EXPECT_EQ(SerializeGame(back), saved);
    EXPECT_EQ(SerializeGame(back, true), plain);
    Bytes badRows = skirmish;
    PutI32(badRows, 16, 29);
    EXPECT_EQ(Parse(extended({{"SKRM", badRows}}), back), LoadResult::Malformed);
    EXPECT_EQ(Parse(extended({{"SKRM", Bytes(skirmish.begin(), skirmish.end() - 4)}}), back), LoadResult::Malformed);

    // A campaign battle keeps its mission and counts in STAT, which a replay's
    // checksum (the battle alone) leaves out; an empty name or a negative
    // count damages the file.
    const auto stat = [](const std::string& name, std::int32_t built, std::int32_t earned) {
        Bytes b(4);
        PutI32(b, 0, static_cast<std::int32_t>(name.size()));
        b.insert(b.end(), name.begin(), name.end());
        b.resize(b.size() + 8);
        PutI32(b, b.size() - 8, built);
        PutI32(b, b.size() - 4, earned);
        return b;
    };
    const Bytes campaign = extended({{"STAT", stat("02 River.gam", 7, 1234)}});
    ASSERT_EQ(Parse(campaign, back), LoadResult::Ok);
    EXPECT_EQ(back.Tally.CampaignMap, "02 River.gam");
    EXPECT_EQ(back.Tally.TanksBuilt, 7);
    EXPECT_EQ(back.Tally.MoneyEarned, 1234);
    EXPECT_EQ(SerializeGame(back), campaign);
    EXPECT_EQ(SerializeGame(back, true), plain);
    EXPECT_EQ(Parse(extended({{"STAT", stat("", 0, 0)}}), back), LoadResult::Malformed);
    EXPECT_EQ(Parse(extended({{"STAT", stat("a.gam", -1, 0)}}), back), LoadResult::Malformed);
}

/// The sample game with a queue, a rally cell and an attack-move under way.
GameType CommandsGame() {
    GameType g = test::MakeSampleGame();
    g.Tanks[0]->Queue = {{QueuedMove, 3}, {QueuedAttackTank, 1}, {QueuedAttackBuilding, 2}, {QueuedAttackMove, 0}};
    g.Tanks[1]->AttackMoveCell = 1;
    g.Tanks[1]->AttackMoveFighting = 1;
    g.Cell(2, 1).Object->Rally = 0;
    return g;
}

// The player's commands keep their queues, rally cells and attack-moves in the
// QUEU, RALY and AMOV sections; each is checked against the lists it names.
TEST(SavedGameTest, CommandSectionsRoundTripAndRefuseWhatTheListsDoNotHold) {
    const GameType g = CommandsGame();
    const Bytes file = SerializeGame(g);
    ASSERT_EQ(I32At(file, 4), 3);
    GameType back;
    ASSERT_EQ(Parse(file, back), LoadResult::Ok);
    EXPECT_EQ(SerializeGame(back), file);
    EXPECT_EQ(back.Tanks[0]->Queue, g.Tanks[0]->Queue);
    EXPECT_EQ(back.Cell(2, 1).Object->Rally, 0);

    const Bytes plain = SerializeGame(test::MakeSampleGame());
    const auto with = [&](const std::string& tag, std::vector<std::int32_t> words, std::vector<std::uint8_t> tail = {}) {
        Bytes b = plain;
        PutI32(b, 4, 3);
        b.insert(b.end(), tag.begin(), tag.end());
        b.resize(b.size() + 4 + 4 * words.size());
        PutI32(b, b.size() - 4 - 4 * words.size(), static_cast<std::int32_t>(4 * words.size() + tail.size()));
        for (std::size_t i = 0; i < words.size(); ++i) PutI32(b, b.size() - 4 * (words.size() - i), words[i]);
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    };
    const std::int32_t factory = 2 + 1 * g.Columns, cells = g.Columns * g.Rows, tanks = static_cast<std::int32_t>(g.Tanks.size());
    const struct {
        const char* what;
        Bytes file;
        LoadResult result;
    } cases[] = {
        {"a queue", with("QUEU", {1, 0, 1, QueuedMove, cells - 1}), LoadResult::Ok},
        {"a queue of a tank not in the list", with("QUEU", {1, tanks, 1, QueuedMove, 0}), LoadResult::Malformed},
        {"queues out of order", with("QUEU", {2, 1, 1, 0, 0, 0, 1, 0, 0}), LoadResult::Malformed},
        {"an empty queue", with("QUEU", {1, 0, 0}), LoadResult::Malformed},
        {"an unknown kind", with("QUEU", {1, 0, 1, 4, 0}), LoadResult::Malformed},
        {"a move off the map", with("QUEU", {1, 0, 1, QueuedMove, cells}), LoadResult::Malformed},
        {"an attack on a tank not in the list", with("QUEU", {1, 0, 1, QueuedAttackTank, tanks}), LoadResult::Malformed},
        {"a rally cell", with("RALY", {1, factory, 0}), LoadResult::Ok},
        {"a rally cell of no factory", with("RALY", {1, 0, 0}), LoadResult::Malformed},
        {"a rally cell off the map", with("RALY", {1, factory, -1}), LoadResult::Malformed},
        {"an attack-move", with("AMOV", {1, 0, 0}, {0}), LoadResult::Ok},
        {"a fighting flag of 2", with("AMOV", {1, 0, 0}, {2}), LoadResult::Malformed},
        {"an attack-move cut short", with("AMOV", {1, 0, 0}), LoadResult::Malformed},
        {"a count past the payload", with("AMOV", {1000, 0, 0}, {0}), LoadResult::Malformed},
    };
    for (const auto& c : cases) {
        GameType target;
        std::string problem;
        EXPECT_EQ(Parse(c.file, target, &problem), c.result) << c.what << ": " << problem;
    }
}

/// The sample game with its move order keeping together, well on its way.
GameType GroupGame() {
    GameType g = test::MakeSampleGame();
    g.Orders[0]->Together = 1;
    g.Orders[0]->PaceDistance = 7;
    g.Orders[0]->PaceStall = 3;
    return g;
}

// An order whose tanks keep together makes the file version 3 with a GRUP
// section after the labels; it reads back as it was, and a GRUP payload that
// names no order, names one twice or holds a negative pace is damage.
TEST(SavedGameTest, GroupOrdersAreKeptInTheirSection) {
    const Bytes plain = SerializeGame(test::MakeSampleGame());
    const Bytes grouped = SerializeGame(GroupGame());
    ASSERT_EQ(I32At(grouped, 4), 3);
    const Bytes expectedTail = {'G', 'R', 'U', 'P', 16, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 3, 0, 0, 0};
    ASSERT_EQ(Bytes(grouped.begin() + static_cast<std::ptrdiff_t>(plain.size()), grouped.end()), expectedTail);
    GameType back;
    ASSERT_EQ(Parse(grouped, back), LoadResult::Ok);
    EXPECT_EQ(back.Orders[0]->Together, 1);
    EXPECT_EQ(back.Orders[0]->PaceDistance, 7);
    EXPECT_EQ(back.Orders[0]->PaceStall, 3);
    EXPECT_EQ(back.Orders[1]->Together, 0);
    EXPECT_EQ(SerializeGame(back), grouped);

    const auto withPayload = [&](std::initializer_list<std::int32_t> words) {
        Bytes b = plain;
        PutI32(b, 4, 3);
        b.insert(b.end(), {'G', 'R', 'U', 'P'});
        b.resize(b.size() + 4);
        PutI32(b, b.size() - 4, static_cast<std::int32_t>(words.size() * 4));
        for (const std::int32_t w : words) {
            b.resize(b.size() + 4);
            PutI32(b, b.size() - 4, w);
        }
        return b;
    };
    const struct {
        const char* what;
        Bytes file;
    } damaged[] = {
        {"an order that does not exist", withPayload({1, 2, 0, 0})},
        {"a negative order", withPayload({1, -1, 0, 0})},
        {"the same order twice", withPayload({2, 0, 0, 0, 0, 0, 0})},
        {"a negative pace", withPayload({1, 0, -5, 0})},
        {"a negative stall", withPayload({1, 0, 5, -1})},
        {"more entries than bytes", withPayload({3, 0, 0, 0})},
        {"bytes left over", withPayload({1, 0, 0, 0, 9})},
    };
    for (const auto& c : damaged) {
        GameType target;
        std::string problem;
        EXPECT_EQ(Parse(c.file, target, &problem), LoadResult::Malformed) << c.what;
    }
}

// Offsets in a 1 by 1 file with one tank whose route has one step and one
// label whose text has two bytes.
constexpr std::size_t kColumnCount = 102;
constexpr std::size_t kCellCount = 106;
constexpr std::size_t kWaveCount = 110 + 38 + 13;
constexpr std::size_t kTankCount = 110 + 55;
constexpr std::size_t kRouteCount = kTankCount + 4 + 63;
constexpr std::size_t kOrderCount = kTankCount + 4 + 92 + 4;
constexpr std::size_t kExplosionCount = kOrderCount + 4;
constexpr std::size_t kShotCount = kExplosionCount + 4;
constexpr std::size_t kLabelCount = kShotCount + 4;
constexpr std::size_t kTextLength = kLabelCount + 4 + 20;

Bytes CountsFile() {
    GameType g = EmptyMap(1, 1);
    g.Tanks.push_back(std::make_unique<GameObjectType>());
    g.Tanks[0]->Route = {0};
    g.InfoLabels.push_back({1, 2, 3, "ab", 4, 5});
    return SerializeGame(g);
}

TEST(SavedGameTest, AbsurdAndNegativeCountsAreRejectedBeforeAllocating) {
    const Bytes good = CountsFile();
    GameType probe;
    ASSERT_EQ(Parse(good, probe), LoadResult::Ok);
    EXPECT_EQ(I32At(good, kRouteCount), 1);
    EXPECT_EQ(I32At(good, kTextLength), 2);
    ASSERT_EQ(good.size(), kTextLength + 4 + 2);

    GameType target = EmptyMap(2, 2);
    const Bytes before = SerializeGame(target);
    for (std::size_t at : {kColumnCount, kCellCount, kWaveCount, kTankCount, kRouteCount, kOrderCount, kExplosionCount,
                           kShotCount, kLabelCount, kTextLength}) {
        for (std::int32_t count : {-1, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
                                   0x10000000, 1000}) {
            Bytes b = good;
            PutI32(b, at, count);
            std::string problem;
            EXPECT_EQ(Parse(b, target, &problem), LoadResult::Malformed) << "count " << count << " at " << at;
        }
    }
    EXPECT_EQ(SerializeGame(target), before);
}

TEST(SavedGameTest, RecordsThatBreakTheRulesAreMalformed) {
    const auto rejects = [](const GameType& g, const char* what) {
        GameType target;
        std::string problem;
        EXPECT_EQ(Parse(SerializeGame(g), target, &problem), LoadResult::Malformed) << what;
        return problem;
    };
    GameType g = EmptyMap(3, 2);
    g.Cells.pop_back();
    g.MapWidth = 72;
    EXPECT_NE(rejects(g, "two columns written for Columns 3").find("columns"), std::string::npos);

    g = EmptyMap(3, 2);
    g.Cells[1].pop_back();
    rejects(g, "columns of differing lengths");

    g = EmptyMap(3, 2);
    g.MapWidth = 100;
    rejects(g, "MapWidth not Columns * CellWidth");

    g = test::MakeSampleGame();
    g.Tanks[1]->Order = 2;
    rejects(g, "tank order beyond the orders");

    g = test::MakeSampleGame();
    g.Tanks[2]->Index = 7;
    rejects(g, "tank index differs from its position");

    g = test::MakeSampleGame();
    g.Orders[1]->TargetRef = 3;
    rejects(g, "attack order on a missing tank");

    g = test::MakeSampleGame();
    g.Tanks[0]->Route.push_back(12);
    rejects(g, "route step off the map");

    g = test::MakeSampleGame();
    g.Cell(0, 1).Object->TowerTarget = -1;
    rejects(g, "aiming tower without a target");
}

TEST(SavedGameTest, WaveCountsMustMatchTheOrders) {
    // A 1 by 2 map with one order: each cell carries one wave entry.
    GameType g = EmptyMap(1, 2);
    AddOrder(g, OrderMove, 1, OrderReady);
    const Bytes good = SerializeGame(g);
    const std::size_t firstW = 110 + 38 + 13;
    ASSERT_EQ(I32At(good, firstW), 1);
    const std::size_t secondW = firstW + 4 + 4 + 38 + 13;
    ASSERT_EQ(I32At(good, secondW), 1);

    GameType target;
    Bytes noneInFirst = good;  // the first cell without its entry
    noneInFirst.erase(noneInFirst.begin() + firstW + 4, noneInFirst.begin() + firstW + 8);
    PutI32(noneInFirst, firstW, 0);
    EXPECT_EQ(Parse(noneInFirst, target), LoadResult::Malformed) << "cells differ from each other";

    Bytes noneAtAll = noneInFirst;  // and the second, too: both differ from the order count
    noneAtAll.erase(noneAtAll.begin() + secondW, noneAtAll.begin() + secondW + 4);
    PutI32(noneAtAll, secondW - 4, 0);
    std::string problem;
    EXPECT_EQ(Parse(noneAtAll, target, &problem), LoadResult::Malformed);
    EXPECT_NE(problem.find("wave"), std::string::npos) << problem;
}

TEST(SavedGameTest, BooleansReadAsOneAndReservedBytesStayAsTheyAre) {
    GameType g = EmptyMap(1, 1);
    AddOrder(g, OrderMove, 0, OrderReady);
    Bytes b = SerializeGame(g);
    b[44] = 0x80;  // UnitsSelected
    b[61] = 0x80;  // Spare2, reserved
    b[101] = 7;  // MapFlag
    b[110 + 36] = 0xFF;  // Hidden
    const std::size_t order = 110 + 55 + 4 + 4 + 4;
    b[order + 16] = 9;  // Replan
    b[order + 18] = 0xEE;  // reserved bytes: ignored
    b[order + 19] = 0xEE;
    GameType back;
    ASSERT_EQ(Parse(b, back), LoadResult::Ok);
    EXPECT_EQ(back.UnitsSelected, 1);
    EXPECT_EQ(back.Spare2, 0x80);
    EXPECT_EQ(back.MapFlag, 1);
    EXPECT_EQ(back.Cell(0, 0).Hidden, 1);
    EXPECT_EQ(back.Orders[0]->Replan, 1);
    const Bytes again = SerializeGame(back);
    EXPECT_EQ(again[order + 18], 0);
    EXPECT_EQ(again[order + 19], 0);
}

// The fuzz target's seeds are our own files; TAVRINE_UPDATE_CORPUS=1 rewrites them.
TEST(SavedGameTest, FuzzSeedsAreCurrent) {
    const std::string folder =
        (std::filesystem::path(TAVRINE_FIXTURES_DIR).parent_path().parent_path() / "fuzz/corpus/fuzz_saved_game/").string();
    const std::pair<const char*, Bytes> seeds[] = {
        {"empty.gam", SerializeGame(EmptyMap(0, 0))},
        {"one_cell.gam", SerializeGame(EmptyMap(1, 1))},
        {"counts.gam", CountsFile()},
        {"sample.gam", SerializeGame(test::MakeSampleGame())},
        {"commands.gam", SerializeGame(CommandsGame())},
        {"skirmish.gam", [] {
             GameType g = EmptyMap(1, 1);
             g.InSkirmish = 1;
             g.SkirmishPlayed = {987327399, 1, 64, 48, 1, 1, 2, 1};
             return SerializeGame(g);
         }()},
        {"groups.gam", SerializeGame(GroupGame())},
        {"campaign.gam", [] {
             GameType g = EmptyMap(1, 1);
             g.Tally = {"01 Beachhead.gam", 3, 2500};
             return SerializeGame(g);
         }()},
    };
    const bool update = std::getenv("TAVRINE_UPDATE_CORPUS") != nullptr;
    for (const auto& [name, bytes] : seeds) {
        const std::string path = folder + name;
        if (update) {
            std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        }
        const auto stored = ReadWholeFile(path);
        ASSERT_TRUE(stored) << path << " is missing; run with TAVRINE_UPDATE_CORPUS=1";
        EXPECT_EQ(*stored, bytes) << path << " is stale; run with TAVRINE_UPDATE_CORPUS=1";
        GameType g;
        EXPECT_EQ(Parse(*stored, g), LoadResult::Ok) << path;
    }
}

}  // namespace
}  // namespace tavrine
