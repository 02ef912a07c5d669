// The shipped missions: built again here they give the very bytes the build
// laid into NewGames, and each map is playable as designed: both sides' bases,
// factories that can produce, the player's start uncovered and in view, and an
// enemy factory whose waves the player's start can set off.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <unistd.h>

#include "campaign_file.h"
#include "catalogue.h"
#include "help_section.h"
#include "data/file_io.h"
#include "game/game.h"
#include "mapgen/map_builder.h"
#include "missions.h"
#include "sim/grid.h"
#include "state/saved_game.h"
#include "support/shipped_library.h"

namespace tavrine::missions::testing {
namespace {

const ImageLibrary& Library() { return test::ShippedLibrary(); }

std::string ShippedPath(const MissionEntry& m) { return std::string(TAVRINE_PROGRAM_DIR) + "/NewGames/" + std::string(m.File); }

struct Forces {
    int Headquarters = 0, Factories = 0, Towers = 0, Plain = 0, Tanks = 0;
};

/// Counts a side's objects and tanks.
Forces Count(const GameType& g, int side) {
    Forces f;
    for (int x = 0; x < g.Columns; ++x)
        for (int y = 0; y < g.Rows; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (!o || o->Side() != side) continue;
            if (o->Kind() == KindTower) ++f.Towers;
            if (o->Kind() != KindBuilding) continue;
            if (o->BuildingType() == BuildingHeadquarters) ++f.Headquarters;
            else if (o->BuildingType() == BuildingFactory) ++f.Factories;
            else ++f.Plain;
        }
    for (const auto& t : g.Tanks) f.Tanks += t->Side() == side;
    return f;
}

TEST(Catalogue, CoversEveryMissionTypeAndTheWholeRangeOfSizes) {
    std::set<int> types;
    int smallest = 1 << 30, largest = 0, previous = 0;
    std::set<std::string_view> files;
    for (const MissionEntry& m : kMissionCatalogue) {
        types.insert(m.Mission);
        EXPECT_TRUE(files.insert(m.File).second) << m.File;
        EXPECT_GE(m.Columns, 40);
        EXPECT_LE(m.Columns, 200);
        EXPECT_GE(m.Rows, 30);
        EXPECT_LE(m.Rows, 200);
        EXPECT_GE(m.Columns * m.Rows, previous) << m.File << ": the missions grow with their number";
        previous = m.Columns * m.Rows;
        smallest = std::min(smallest, m.Columns * m.Rows);
        largest = std::max(largest, m.Columns * m.Rows);
        EXPECT_TRUE(m.File.ends_with(".gam"));
        EXPECT_NE(m.File.find(m.Title), std::string_view::npos);
        EXPECT_GT(m.EasyWinMinutes, 0);
    }
    EXPECT_GE(kMissionCatalogue.size(), 8u);
    EXPECT_EQ(types, (std::set<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(smallest, 40 * 30);
    EXPECT_EQ(largest, 200 * 200);
}

TEST(Missions, BuildingAgainGivesTheShippedBytes) {
    const auto folder = std::filesystem::temp_directory_path() / ("tavrine-missions-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    for (int i = 0; i < static_cast<int>(kMissionCatalogue.size()); ++i) {
        const MissionEntry& m = kMissionCatalogue[static_cast<std::size_t>(i)];
        ASSERT_NO_THROW(BuildMission(i, Library(), folder.string())) << m.File;
        const auto built = ReadWholeFile((folder / std::string(m.File)).string());
        const auto shipped = ReadWholeFile(ShippedPath(m));
        ASSERT_TRUE(built);
        ASSERT_TRUE(shipped) << m.File << " is not in NewGames";
        EXPECT_TRUE(*built == *shipped) << m.File;
    }
    std::filesystem::remove_all(folder);
}

TEST(ShippedMissions, HideTheHeadquartersTheSearchMissionsSendThePlayerToFind) {
    int searches = 0;
    for (const MissionEntry& m : kMissionCatalogue) {
        if (m.Mission != 2 && m.Mission != 5) continue;
        ++searches;
        GameType g;
        ASSERT_EQ(ReadGameFile(ShippedPath(m), g), LoadResult::Ok) << m.File;
        int headquarters = 0;
        for (int x = 0; x < g.Columns; ++x)
            for (int y = 0; y < g.Rows; ++y) {
                const GameCellObjectType* o = g.Cell(x, y).Object.get();
                if (!o || o->Side() != SideComputer || o->Kind() != KindBuilding || o->BuildingType() != BuildingHeadquarters) continue;
                ++headquarters;
                EXPECT_EQ(g.Cell(x, y).Hidden, 1) << m.File;
            }
        EXPECT_GE(headquarters, 1) << m.File;
    }
    EXPECT_GE(searches, 2);
}

class ShippedMission : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        entry_ = &kMissionCatalogue[static_cast<std::size_t>(GetParam())];
        ASSERT_EQ(ReadGameFile(ShippedPath(*entry_), g_), LoadResult::Ok) << entry_->File;
    }
    const MissionEntry* entry_ = nullptr;
    GameType g_;
};

TEST_P(ShippedMission, IsTheCataloguesSizeAndMission) {
    EXPECT_EQ(g_.Columns, entry_->Columns);
    EXPECT_EQ(g_.Rows, entry_->Rows);
    EXPECT_EQ(g_.Mission, entry_->Mission);
    EXPECT_TRUE(g_.Orders.empty());
    EXPECT_EQ(g_.SelectedBuilding, -1);
    EXPECT_EQ(g_.UnitsSelected, 0);
}

TEST_P(ShippedMission, GivesBothSidesABaseAndThePlayerAStartingForce) {
    const Forces own = Count(g_, SidePlayer), enemy = Count(g_, SideComputer);
    for (const Forces& f : {own, enemy}) {
        EXPECT_GE(f.Headquarters, 1);
        EXPECT_GE(f.Factories, 1);
        EXPECT_GE(f.Towers, 1);
        EXPECT_GE(f.Plain, 1);
    }
    EXPECT_GE(own.Tanks, 6);
    EXPECT_GT(enemy.Towers, own.Towers) << "the enemy is the stronger in place";
}

TEST_P(ShippedMission, StartsThePlayersTanksOutOfEveryEnemyTowersReach) {
    for (int x = 0; x < g_.Columns; ++x)
        for (int y = 0; y < g_.Rows; ++y) {
            const GameCellObjectType* o = g_.Cell(x, y).Object.get();
            if (!o || o->Kind() != KindTower || o->Side() != SideComputer) continue;
            for (const auto& t : g_.Tanks) {
                if (t->Side() != SidePlayer) continue;
                EXPECT_FALSE(TowerReaches(g_, Library(), *t, x, y)) << "the tower at " << x << ", " << y;
            }
        }
}

TEST_P(ShippedMission, LetsEveryFactoryProduce) {
    for (int x = 0; x < g_.Columns; ++x)
        for (int y = 0; y < g_.Rows; ++y) {
            const GameCellObjectType* o = g_.Cell(x, y).Object.get();
            if (!o || o->Kind() != KindBuilding || o->BuildingType() != BuildingFactory) continue;
            // The cell below the gate and the road the new tanks take.
            for (int ry = y + 2; ry <= y + 5; ++ry) EXPECT_TRUE(IsPassable(g_, x + 1, ry, nullptr, 0)) << x << ", " << ry;
        }
}

TEST_P(ShippedMission, OpensWithThePlayersForcesUncoveredAndInView) {
    constexpr int kViewW = 800, kViewH = 600;
    int inView = 0;
    for (const auto& t : g_.Tanks) {
        if (t->Side() != SidePlayer) continue;
        const int cx = (t->X + 17) / g_.CellWidth, cy = (t->Y + 17) / g_.CellHeight;
        for (int dx = -3; dx <= 3; ++dx)
            for (int dy = -3; dy <= 3; ++dy)
                if (g_.OnMap(cx + dx, cy + dy)) {
                    EXPECT_EQ(g_.Cell(cx + dx, cy + dy).Hidden, 0) << cx + dx << ", " << cy + dy;
                }
        inView += t->X >= g_.ViewX && t->Y >= g_.ViewY && t->X + 35 <= g_.ViewX + kViewW && t->Y + 35 <= g_.ViewY + kViewH;
    }
    EXPECT_GE(inView, 3);
    // Most of the map is still to be discovered.
    int hidden = 0;
    for (int x = 0; x < g_.Columns; ++x)
        for (int y = 0; y < g_.Rows; ++y) hidden += g_.Cell(x, y).Hidden;
    EXPECT_GT(hidden, g_.Columns * g_.Rows / 2);
}

TEST_P(ShippedMission, ShowsThePlayerAnEnemyFactoryWhoseWavesWillCome) {
    // A computer factory launches its waves only once the player has seen a cell
    // of its neighbourhood (five columns left to eight right, five rows up to
    // seven down); the start must show one, or a player who waits is never attacked.
    bool seen = false;
    for (int x = 0; x < g_.Columns && !seen; ++x)
        for (int y = 0; y < g_.Rows && !seen; ++y) {
            const GameCellObjectType* o = g_.Cell(x, y).Object.get();
            if (!o || o->Side() != SideComputer || o->Kind() != KindBuilding || o->BuildingType() != BuildingFactory) continue;
            for (int cx = x - 5; cx <= x + 8; ++cx)
                for (int cy = y - 5; cy <= y + 7; ++cy) seen = seen || (g_.OnMap(cx, cy) && g_.Cell(cx, cy).Hidden == 0);
        }
    EXPECT_TRUE(seen);
}

INSTANTIATE_TEST_SUITE_P(All, ShippedMission, ::testing::Range(0, static_cast<int>(kMissionCatalogue.size())),
                         [](const ::testing::TestParamInfo<int>& p) { return "Mission" + std::to_string(p.param + 1); });

}  // namespace
}  // namespace tavrine::missions::testing

namespace tavrine::missions::testing {
namespace {

TEST(Guide, ListsEveryMissionWithItsFiguresInTheShippedHelp) {
    const auto help = ReadWholeFile(std::string(TAVRINE_PROGRAM_DIR) + "/Tavrine.hlp");
    ASSERT_TRUE(help);
    const std::string html(help->begin(), help->end());
    const std::string section = MissionsHelpSection();
    EXPECT_NE(html.find(section), std::string::npos) << "the guide carries the section as the catalogue writes it";
    EXPECT_NE(html.find("href=\"#campaign\""), std::string::npos);
    for (const MissionEntry& m : kMissionCatalogue) {
        EXPECT_NE(section.find(std::string(m.File.substr(0, m.File.size() - 4))), std::string::npos) << m.File;
        EXPECT_NE(section.find("<td>" + std::string(m.Title) + "</td><td>" + std::to_string(m.TypicalWinMinutes) + "</td><td>" +
                               std::to_string(m.EasyWinMinutes) + "</td><td>" + IdleCell(m) + "</td>"),
                  std::string::npos)
            << m.File;
        EXPECT_LE(m.TypicalWinMinutes, m.EasyWinMinutes) << m.File;
    }
    const auto count = [&](const std::string& tag) {
        std::size_t n = 0;
        for (std::size_t at = section.find(tag); at != std::string::npos; at = section.find(tag, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("<tr>"), count("</tr>"));
    EXPECT_EQ(count("<table>"), count("</table>"));
}

}  // namespace
}  // namespace tavrine::missions::testing

namespace tavrine::missions::testing {
namespace {

TEST(Campaign, TheShippedFileIsTheCatalogueInOrderWithTwoToFourLinesEach) {
    const auto bytes = ReadWholeFile(std::string(TAVRINE_PROGRAM_DIR) + "/Campaign.txt");
    ASSERT_TRUE(bytes);
    std::string error;
    const std::optional<Campaign> shipped = ParseCampaign(std::string(bytes->begin(), bytes->end()), error);
    ASSERT_TRUE(shipped) << error;
    EXPECT_EQ(*shipped, CampaignOfCatalogue());
    for (std::size_t i = 0; i < shipped->size(); ++i) {
        const CampaignMission& m = (*shipped)[i];
        EXPECT_EQ(m.File, kMissionCatalogue[i].File);
        EXPECT_EQ(m.Story.size(), 2u) << m.File;
        EXPECT_GE(m.New.size(), 1u) << m.File;
    }
}

}  // namespace
}  // namespace tavrine::missions::testing
