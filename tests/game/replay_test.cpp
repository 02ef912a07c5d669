// The replay file: every event kind written and read back the same, the whole file
// round-tripped, and each kind of malformed or tampered file refused with the line
// that is wrong. (Recording and playing whole battles: tests/tools/replays.sh.)
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/replay.h"
#include "game/script_shell.h"
#include "state/new_map.h"
#include "state/run_fields.h"
#include "support/scratch_folder.h"
#include "view/panel_fields.h"

namespace tavrine {
namespace {

// Every field of the run-time state and the panels is described once, so a new
// field cannot be added without saying whether replays carry it; what is carried
// or reported can be read and written.
template <typename Record>
void ExpectDescribed(std::span<const FieldDescription<Record>> fields, const char* record) {
    EXPECT_EQ(fields.size(), FieldCount<Record>()) << record << ": a field is not described (or described twice)";
    std::vector<std::size_t> offsets;
    std::vector<std::string> names;
    for (const auto& f : fields) {
        offsets.push_back(f.Offset());
        names.emplace_back(f.Name);
        EXPECT_TRUE(!(f.Uses & Replayed) || f.Number(Record{}).has_value()) << record << "." << f.Name << " is not a number";
        EXPECT_TRUE(!(f.Uses & Reported) || f.Report) << record << "." << f.Name << " cannot be reported";
    }
    std::sort(offsets.begin(), offsets.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(offsets.begin(), offsets.end()), offsets.end()) << record << ": a field described twice";
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << record << ": a name used twice";
}

// The desktop keeps its 50 newest replays: a new one removes the oldest of the
// game's own, and leaves the player's other files, renamed replays included.
TEST(Replay, KeepingRemovesTheOldestOfTheGamesOwnReplaysOnly) {
    const test::ScratchFolder scratch("tavrine-kept");
    const std::string folder = scratch.Path().string();
    const auto stamp = [](int day) { return "2026-01-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + " 10-00-00"; };
    for (int day = 1; day <= 50; ++day)
        ASSERT_TRUE(WriteFileAtomically(folder + "/" + stamp(day) + " old.replay", Bytes{'x'}));
    for (const char* other : {"best.replay", "notes.txt", "2026-01-00 x.gam"})
        ASSERT_TRUE(WriteFileAtomically(folder + "/" + other, Bytes{'x'}));
    const auto kept = KeepReplay(folder, Replay{}, "Beachhead.gam", "2026-02-01 09-30-00");
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, folder + "/2026-02-01 09-30-00 Beachhead.replay");
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 53u);
    EXPECT_EQ(names.front(), "2026-01-00 x.gam");
    EXPECT_EQ(names[1], stamp(2) + " old.replay") << "the oldest replay goes";
    EXPECT_EQ(names[51], "best.replay");
    EXPECT_EQ(names[52], "notes.txt");
}

TEST(ReplayFields, EveryFieldOfTheRunStateAndThePanelsIsDescribed) {
    ExpectDescribed(RunStateFields(), "RunState");
    ExpectDescribed(PanelStateFields(), "PanelState");
}

Replay SmallReplay() {
    GameType g;
    RunState run;
    NewMap(g, run, 40, 30, 1, 2);
    Replay r;
    r.Start.Version = "0.1";
    r.Start.NewGame = true;
    r.Start.RandomState = 0x0123456789ABCDEFull;
    r.Start.Library = "00000000000000ab";
    r.Start.Run = {{"FramePhase", 3}, {"MouseMapX", -7}};
    r.Start.Panels = {{"MenuTop", 601}, {"MinimapVisible", 1}};
    r.Start.GameFile = SerializeGame(g);
    const char* const lines[] = {"down left 10 20",
                                 "move 30 40 left",
                                 "up right -5 6",
                                 "key Alt+Enter",
                                 "key Other",
                                 "menu info",
                                 "answer ok",
                                 "menu load",
                                 "answer pick my%20game%25.gam new",
                                 "menu control",
                                 "menu quick",
                                 "answer control interval=20 mode=-1 difficulty=2 music=off sound=on groups=off",
                                 "answer cancel",
                                 "answer yes",
                                 "minimap down 3 4",
                                 "minimap move 5 6 left",
                                 "button minimap up",
                                 "button menu down",
                                 "panel",
                                 "zoom",
                                 "control speed=fast mode=1 music=on groups=on",
                                 "answer yes box=confirm text=Replace%20\"a\"?",
                                 "answer ok box=message text=Data%20I/O%20Error",
                                 "answer pick a.gam new box=load",
                                 "disk exists 1",
                                 "disk read 3",
                                 "control mode=1920x1080 scale=2",
                                 "resize 1280 720",
                                 "skirmish 18446744073709551615 lakes 100x75 mirror 5 3 2",
                                 "skirmish quick"};
    long long tick = 0;
    for (const char* line : lines) {
        std::vector<std::string> words;
        for (std::size_t at = 0, end; at < std::string(line).size(); at = end + 1) {
            end = std::string(line).find(' ', at);
            if (end == std::string::npos) end = std::string(line).size();
            words.push_back(std::string(line).substr(at, end - at));
        }
        for (EventAction& a : ParseEventWords(words, false)) r.Events.push_back({tick, 0, a});
        tick += 3;
    }
    r.End = ReplayEnd{tick, 1, 77, 0xFEDCBA9876543210ull, 0x42ull};
    return r;
}

TEST(Replay, AFocusChangeUnderAnOpenDialogLeavesItOpenUntilItsAnswer) {
    // The dialog takes the window's focus, so the window records focus changes
    // between a question and its answer; played back, the question still waits.
    ScriptHost host(false);
    Game game(GamePaths::Portable("/nonexistent-tavrine-folder"), host, 1);
    GameType g;
    RunState run;
    NewMap(g, run, 40, 30, 1, 2);
    ASSERT_TRUE(game.LoadGameData(SerializeGame(g), true));
    std::string error;
    const auto events = ParseEvents("10 key Escape\n11 focus out\n12 focus in\n40 answer yes\n", 100, false, error);
    ASSERT_TRUE(events) << error;
    ScriptedShell shell(game, host, false, *events);
    while (shell.Ticks() < 100) {
        shell.ApplyDue();
        if (shell.Closed()) break;
        shell.Tick();
    }
    EXPECT_TRUE(shell.Closed());
    EXPECT_EQ(shell.Ticks(), 40);
    EXPECT_FALSE(game.Paused()) << "the focus came back under the dialog";
}

TEST(Replay, EveryEventAndTheWholeFileReadBackAsWritten) {
    const Replay r = SmallReplay();
    const std::string text = WriteReplay(r);
    std::string error;
    const auto again = ParseReplay(text, error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(WriteReplay(*again), text);
    EXPECT_EQ(again->Start.GameFile, r.Start.GameFile);
    ASSERT_EQ(again->Events.size(), r.Events.size());
    // The pick's name keeps its blank and percent sign.
    const auto& pick = std::get<AnswerEvent>(again->Events[8].Action);
    EXPECT_EQ(pick.Pick.Name, "my game%.gam");
    EXPECT_TRUE(pick.Pick.FromNewGames);
    EXPECT_EQ(text.find("answer pick my%20game%25.gam new"), text.find("answer pick"));
    EXPECT_EQ(again->End.RandomState, 0xFEDCBA9876543210ull);
}

TEST(Replay, MalformedAndTamperedFilesNameTheLine) {
    const std::string good = WriteReplay(SmallReplay());
    const auto lineOf = [&](const std::string& start) {
        const auto at = good.find(start);
        return 1 + std::count(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(at), '\n');
    };
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const std::string firstData = good.substr(good.find("# data ") + 7, 4);
    struct Case {
        std::string Text;
        std::string Error;
    };
    const std::vector<Case> cases = {
        {"", "line 1: the replay has no end line"},
        {replaced("# tavrine-replay 1", "# tavrine-replay 2"), "line 1: replay format 2 is not known"},
        {replaced("# version", "# verzion"), "line 2: expected '# version'"},
        {replaced("# new 1", "# new 2"), "line 3: new must be a whole number from 0 to 1"},
        {replaced("# view 800x600", "# view 800"), "line 7: the view must be WIDTHxHEIGHT"},
        {replaced("FramePhase=3", "Frame=3"), "line 10: unknown state 'Frame'"},
        {replaced("# library 00000000000000ab", "# library abc?"), "line 9: the library's checksum must be up to 16"},
        {replaced("# library 00000000000000ab\n# run", "# run FramePhase=3\n# library none\n# panels"),
         "line 10: '# library' belongs after '# fades'"},
        {replaced("# data " + firstData, std::string("# data ") + (firstData[0] == 'B' ? "C" : "B") + firstData.substr(1)),
         "the game data does not match its checksum"},
        {replaced("# data " + firstData, "# data ?" + firstData.substr(1)), "not base64 data"},
        {replaced("0 down left 10 20", "0 down sideways 10 20"),
         "line " + std::to_string(lineOf("0 down left")) + ": the button must be left, right or middle"},
        {replaced("3 move", "x move"), "line " + std::to_string(lineOf("3 move")) + ": the tick must be a whole number"},
        {replaced("6 up", "1 up"), "line " + std::to_string(lineOf("6 up")) + ": tick 1 comes before"},
        {replaced("answer control interval=20 mode=-1 difficulty=2 music=off sound=on groups=off", "answer control interval=20"),
         "answer control needs interval, mode, difficulty, music and sound"},
        {replaced("my%20game", "my%2game"), "'%' in a name must be followed by two hexadecimal digits"},
        {replaced("# end ticks", "# end tick"), "expected '# end ticks N outcome O time T random R checksum C'"},
        {replaced("checksum 0000000000000042", "checksum 42xyz"), "the checksum must be up to 16 hexadecimal digits"},
        {replaced("# end ticks 90", "# end ticks 5"), "an event lies after the last tick"},
        {replaced("lakes 100x75", "swamp 100x75"), "unknown landscape 'swamp'"},
        {replaced("100x75 mirror", "100x20 mirror"), "the size must be small, medium, large, huge or CxR"},
        {replaced("box=load", "box=nowhere"), "unknown box 'nowhere'"},
        {replaced("disk read 3", "disk read 9"), "a read's result must be a whole number from 0 to 4"},
        {replaced("resize 1280 720", "resize 600 400"), "a width must be a whole number from 640 to 16384"},
        {replaced("mode=1920x1080", "mode=1920x100"), "mode must be a whole number from 0 to 2"},
        {replaced("scale=2", "scale=3"), "scale must be auto, 1 or 2, not '3'"},
        {good + "3 zoom\n", "nothing may follow the end line"},
        {good.substr(0, good.find("# end")), "the replay has no end line"},
        {replaced("3 move 30 40 left", "# run FramePhase=1"), "a header line among the events"},
        {replaced("0 down left 10 20", "# run FramePhase=1"), "unexpected '# run'"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseReplay(c.Text, error)) << c.Error;
        EXPECT_NE(error.find(c.Error), std::string::npos) << "wanted: " << c.Error << "\n   got: " << error;
        EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
    }
}

TEST(Replay, EndsCompareFirstDifferenceFirst) {
    const ReplayEnd a{100, 1, 50, 7, 9};
    EXPECT_FALSE(CompareEnds(a, a));
    EXPECT_NE(CompareEnds(a, {99, 1, 50, 7, 9})->find("ran 99 ticks where the recording ran 100"), std::string::npos);
    EXPECT_NE(CompareEnds(a, {100, 2, 50, 7, 9})->find("outcome is 2"), std::string::npos);
    EXPECT_NE(CompareEnds(a, {100, 1, 50, 8, 9})->find("random generator stands at"), std::string::npos);
    EXPECT_NE(CompareEnds(a, {100, 1, 50, 7, 10})->find("checksum is 000000000000000a"), std::string::npos);
}

}  // namespace
}  // namespace tavrine
