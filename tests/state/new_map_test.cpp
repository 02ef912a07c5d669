#include "state/new_map.h"

#include <gtest/gtest.h>

#include "sim/grid.h"
#include "state/invariants.h"
#include "state/lists.h"
#include "support/test_world.h"

namespace tavrine {
namespace {

using test::MakeMap;
using test::MakeTestLibrary;
using test::PutObject;
using test::PutTank;

/// Every cell is plain fogged water with nothing on it.
void ExpectBlank(const GameType& g) {
    for (std::int32_t x = 0; x < g.Columns; ++x) {
        for (std::int32_t y = 0; y < g.Rows; ++y) {
            const GameCellType& c = g.Cell(x, y);
            SCOPED_TRACE(testing::Message() << "cell " << x << "," << y);
            ASSERT_EQ(c.X, x * 36);
            ASSERT_EQ(c.Y, y * 36);
            ASSERT_EQ(c.Ground, (ImageRef{0, 0, 0, 0}));
            ASSERT_EQ(c.MinimapColor, kWaterColor);
            ASSERT_EQ(c.GroundColor, kWaterColor);
            ASSERT_EQ(c.Hidden, 1);
            ASSERT_EQ(c.Clear, 1);
            ASSERT_EQ(c.Object, nullptr);
            ASSERT_EQ(c.Occupancy, CellFree);
        }
    }
}

TEST(NewMapTest, MapSizeInPixelsFollowsTheCellCounts) {
    const struct {
        std::int32_t Columns, Rows, Width, Height;
    } cases[] = {{40, 30, 1440, 1080}, {200, 200, 7200, 7200}, {80, 60, 2880, 2160}, {1, 1, 36, 36}};
    for (const auto& c : cases) {
        GameType g;
        RunState run;
        NewMap(g, run, c.Columns, c.Rows, 1, 0);
        EXPECT_EQ(g.MapWidth, c.Width);
        EXPECT_EQ(g.MapHeight, c.Height);
        ASSERT_EQ(g.Cells.size(), static_cast<std::size_t>(c.Columns));
        for (const auto& column : g.Cells) ASSERT_EQ(column.size(), static_cast<std::size_t>(c.Rows));
        EXPECT_EQ(CheckInvariants(g), "");
        ExpectBlank(g);
    }
}

TEST(NewMapTest, ResetsTheViewSelectionAndMinimapAndStoresTheInputs) {
    GameType g;
    RunState run;
    NewMap(g, run, 80, 60, 1, 0);
    g.ViewX = 1000;
    g.ViewY = 700;
    g.SelectedBuilding = 5;
    g.UnitsSelected = 1;
    g.Spare1 = 9;
    g.Spare7 = 4;
    run.MinimapZoom2 = 0;
    run.MinimapState = 2;

    NewMap(g, run, 40, 30, 0, 4);
    EXPECT_EQ(g.ViewX, 0);
    EXPECT_EQ(g.ViewY, 0);
    EXPECT_EQ(g.SelectedBuilding, -1);
    EXPECT_EQ(g.UnitsSelected, 0);
    EXPECT_EQ(g.Mission, 4);
    EXPECT_EQ(g.MapFlag, 0);
    EXPECT_EQ(g.Spare1, 1);
    EXPECT_EQ(g.Spare7, 0);
    EXPECT_EQ(run.MinimapZoom2, 1);
    EXPECT_EQ(run.MinimapState, 0);
}

TEST(NewMapTest, NewMapOverAPlayedMapComesOutBlankAndValid) {
    const ImageLibrary lib = MakeTestLibrary();
    GameType g = MakeMap(std::vector<std::string>(40, std::string(50, '.')));
    RunState run;
    PutObject(g, lib, 45, 35, {3, 1, 0, 0});
    PutObject(g, lib, 2, 2, {2, 0, 0, 3}).TowerState = 1;
    PutTank(g, lib, 48, 38, 0);
    PutTank(g, lib, 1, 1, 1);
    g.Cell(2, 2).Object->TowerTarget = 1;
    AddOrder(g, OrderMove, CellIndex(g, 49, 39), OrderReady);
    AddOrder(g, OrderAttackTank, 1, OrderNew);
    g.Tanks[0]->Order = 1;
    g.Tanks[0]->Route = {CellIndex(g, 49, 39)};
    g.Tanks[0]->ChanceTarget = 1;
    g.Cell(47, 38).LeavingTank = 0;
    g.Cell(47, 38).Clear = 0;
    g.Explosions.push_back({});
    g.Shots.push_back({});
    g.InfoLabels.push_back({});
    g.SelectedBuilding = CellIndex(g, 45, 35);
    g.Money = 7000;
    g.GameTime = 300;
    g.OwnTanksTotal = 4;
    ASSERT_EQ(CheckInvariants(g), "");

    // A smaller map: cell indices of the old map would point outside it.
    NewMap(g, run, 40, 30, 1, 2);
    EXPECT_EQ(CheckInvariants(g), "");
    ExpectBlank(g);
    EXPECT_TRUE(g.Tanks.empty());
    EXPECT_TRUE(g.Orders.empty());
    EXPECT_TRUE(g.Waves.empty());
    EXPECT_TRUE(g.Explosions.empty());
    EXPECT_TRUE(g.Shots.empty());
    EXPECT_TRUE(g.InfoLabels.empty());
    EXPECT_EQ(g.SelectedBuilding, -1);
    EXPECT_EQ(g.Money, 0);
    EXPECT_EQ(g.GameTime, 0);
    EXPECT_EQ(g.OwnTanksTotal, 0);

    // A larger one again: the cells that are added are as blank as the kept ones.
    NewMap(g, run, 60, 45, 1, 0);
    EXPECT_EQ(CheckInvariants(g), "");
    ExpectBlank(g);
    EXPECT_EQ(AddOrder(g, OrderMove, 0, OrderNew), 0);
    EXPECT_EQ(g.Waves[0].size(), 60u * 45u);
}

TEST(StartNewGameTest, CountsTowersAndBuildingsOfEachSideOnly) {
    const ImageLibrary lib = MakeTestLibrary();
    GameType g = MakeMap(std::vector<std::string>(12, std::string(20, '.')));
    PutObject(g, lib, 0, 0, {3, SidePlayer, BuildingHeadquarters, 0});
    PutObject(g, lib, 3, 0, {3, SidePlayer, BuildingFactory, 0});
    PutObject(g, lib, 6, 0, {2, SidePlayer, 0, 4});
    PutObject(g, lib, 0, 5, {3, SideComputer, BuildingHeadquarters, 0});
    PutObject(g, lib, 3, 5, {3, SideComputer, BuildingFactory, 0});
    PutObject(g, lib, 6, 5, {3, SideComputer, 2, 0});
    PutObject(g, lib, 10, 5, {3, 2, 2, 0});          // neutral building
    PutObject(g, lib, 14, 5, {2, 2, 0, 0});          // neutral tower
    PutObject(g, lib, 14, 0, {1, SidePlayer, 0, 0}); // a wall: decorations are never counted
    PutTank(g, lib, 0, 10, SidePlayer);
    PutTank(g, lib, 1, 10, SidePlayer);
    PutTank(g, lib, 2, 10, SideComputer);
    PutTank(g, lib, 3, 10, 2);
    g.GameTime = 812;
    g.Money = 12;
    g.OwnBuildingsTotal = 40;

    StartNewGame(g);
    EXPECT_EQ(g.GameTime, 0);
    EXPECT_EQ(g.Money, 5000);
    EXPECT_EQ(g.OwnBuildingsTotal, 3);
    EXPECT_EQ(g.EnemyBuildingsTotal, 3);
    EXPECT_EQ(g.OwnTanksTotal, 2);
    EXPECT_EQ(g.EnemyTanksTotal, 1);

    StartNewGame(g);
    EXPECT_EQ(g.OwnBuildingsTotal, 3) << "counted afresh, not added up";
    EXPECT_EQ(g.EnemyTanksTotal, 1);
}

}  // namespace
}  // namespace tavrine
