#include "sim/grid.h"

#include <gtest/gtest.h>

#include "support/test_world.h"

namespace tavrine {
namespace {

using test::MakeMap;
using test::MakeTestLibrary;

TEST(GridTest, CellIndexRoundTripsForEveryCell) {
    GameType g = MakeMap({"......", "......", "......"});
    for (int x = 0; x < g.Columns; ++x)
        for (int y = 0; y < g.Rows; ++y) {
            EXPECT_EQ(CellIndex(g, x, y), x + y * 6);
            EXPECT_EQ(CellOfIndex(g, CellIndex(g, x, y)), (CellXY{x, y}));
        }
}

TEST(GridTest, ImageSizeRejectsEveryOutOfRangeLevel) {
    const ImageLibrary lib = MakeTestLibrary();
    std::int32_t w = -7, h = -7;
    EXPECT_TRUE(ImageSize(lib, {3, 0, 0, 0}, w, h));
    EXPECT_EQ(w, 71);
    EXPECT_EQ(h, 71);
    for (ImageRef bad : {ImageRef{-1, 0, 0, 0}, ImageRef{0, -1, 0, 0}, ImageRef{0, 0, -1, 0}, ImageRef{0, 0, 0, -1},
                         ImageRef{99, 0, 0, 0}, ImageRef{3, 9, 0, 0}, ImageRef{3, 0, 9, 0}, ImageRef{3, 0, 0, 1}}) {
        w = h = -7;
        EXPECT_FALSE(ImageSize(lib, bad, w, h));
        EXPECT_EQ(w, -7) << "outputs stay unchanged on failure";
        EXPECT_EQ(h, -7);
    }
    EXPECT_FALSE(ImageSize(ImageLibrary{}, {0, 0, 0, 0}, w, h));
}

TEST(GridTest, FootprintCoversOneCellMoreThanTheQuotient) {
    GameType g = MakeMap({"................"});
    EXPECT_EQ(FootprintEnd(g, 10, 0, 72, 35), (CellXY{12, 0}));  // a 72-pixel picture covers 3 columns
    EXPECT_EQ(FootprintEnd(g, 10, 0, 71, 71), (CellXY{11, 1}));
    EXPECT_EQ(FootprintEnd(g, 10, 0, 35, 36), (CellXY{10, 1}));
}

TEST(GridTest, PassabilityByTerrainOccupancyAndTarget) {
    const ImageLibrary lib = MakeTestLibrary();
    GameType g = MakeMap({
        "~.^....",
        ".......",
        ".......",
    });
    EXPECT_FALSE(IsPassable(g, 0, 0, nullptr, 1)) << "water";
    EXPECT_FALSE(IsPassable(g, 2, 0, nullptr, 1)) << "mountain";
    EXPECT_TRUE(IsPassable(g, 1, 0, nullptr, 0));
    EXPECT_FALSE(IsPassable(g, -1, 0, nullptr, 1));
    EXPECT_FALSE(IsPassable(g, 7, 0, nullptr, 1));
    EXPECT_FALSE(IsPassable(g, 0, 3, nullptr, 1));

    test::PutTank(g, lib, 1, 1, 0);
    EXPECT_TRUE(IsPassable(g, 1, 1, nullptr, 1)) << "a tank's cell with allowance 1";
    EXPECT_FALSE(IsPassable(g, 1, 1, nullptr, 0));

    GameCellObjectType& target = test::PutObject(g, lib, 3, 1, {3, 1, 2, 0});
    GameCellObjectType& other = test::PutObject(g, lib, 5, 1, {3, 1, 2, 0});
    for (int x = 3; x <= 4; ++x)
        for (int y = 1; y <= 2; ++y) {
            EXPECT_TRUE(IsPassable(g, x, y, &target, 0)) << "its own footprint, as the target";
            EXPECT_FALSE(IsPassable(g, x, y, &other, 1));
            EXPECT_FALSE(IsPassable(g, x, y, nullptr, 1));
        }
    EXPECT_TRUE(IsPassable(g, 1, 0, &target, 0)) << "other cells follow the plain rule";
}

TEST(GridTest, FacingTowardTheCompassAndTheSectors) {
    EXPECT_EQ(FacingToward(100, 100, 100, 50), 4);
    EXPECT_EQ(FacingToward(100, 100, 150, 100), 8);
    EXPECT_EQ(FacingToward(100, 100, 100, 150), 12);
    EXPECT_EQ(FacingToward(100, 100, 50, 100), 0);
    EXPECT_EQ(FacingToward(100, 100, 150, 50), 6);
    EXPECT_EQ(FacingToward(100, 100, 50, 50), 2);
    EXPECT_EQ(FacingToward(100, 100, 150, 150), 10);
    EXPECT_EQ(FacingToward(100, 100, 50, 150), 14);
    EXPECT_EQ(FacingToward(100, 100, 100, 100), -1);
    // Shallow slopes round to the axis: down-left below the first limit is 16, written 0.
    EXPECT_EQ(FacingToward(0, 0, -100, 1), 0);
    EXPECT_EQ(FacingToward(0, 0, 100, -1), 8);
    // Each sector in the up-left quadrant.
    EXPECT_EQ(FacingToward(0, 0, -100, -19), 0);
    EXPECT_EQ(FacingToward(0, 0, -100, -20), 1);
    EXPECT_EQ(FacingToward(0, 0, -100, -67), 2);
    EXPECT_EQ(FacingToward(0, 0, -100, -150), 3);
    EXPECT_EQ(FacingToward(0, 0, -100, -503), 4);
    EXPECT_EQ(FacingToward(0, 0, 100, 20), 9);
    EXPECT_EQ(FacingToward(0, 0, -20, 100), 13);
}

TEST(GridTest, TurnTowardTakesTheShorterWay) {
    EXPECT_EQ(TurnToward(0, 15), 15);
    EXPECT_EQ(TurnToward(15, 0), 0);
    EXPECT_EQ(TurnToward(2, 10), 1) << "eight apart, the smaller goes down";
    EXPECT_EQ(TurnToward(10, 2), 11) << "eight apart, the greater goes up";
    EXPECT_EQ(TurnToward(4, 8), 5);
    EXPECT_EQ(TurnToward(7, 7), 7);
    // Every start reaches every goal in at most eight steps.
    for (int from = 0; from < 16; ++from)
        for (int to = 0; to < 16; ++to) {
            int f = from, steps = 0;
            while (f != to && steps < 20) f = TurnToward(f, to), ++steps;
            EXPECT_LE(steps, 8) << from << " -> " << to;
        }
}

TEST(GridTest, RangesAreStrict) {
    const ImageLibrary lib = MakeTestLibrary();
    GameType g = MakeMap({"....................", "....................", "...................."});
    const auto a = test::PutTank(g, lib, 0, 0, 0);
    const auto b = test::PutTank(g, lib, 5, 0, 1);
    const auto c = test::PutTank(g, lib, 4, 2, 1);
    EXPECT_FALSE(TanksNear(g, *g.Tanks[a], *g.Tanks[b])) << "exactly five cells apart";
    EXPECT_TRUE(TanksNear(g, *g.Tanks[a], *g.Tanks[c]));

    // A 2 x 2 building at (10, 0): centre (10*36 + 35, 35).
    test::PutObject(g, lib, 10, 0, {3, 1, 2, 0});
    GameObjectType probe;
    probe.Y = 35;
    probe.X = 10 * 36 + 35 - 5 * 36;
    EXPECT_FALSE(BuildingNear(g, lib, probe, 10, 0));
    probe.X += 1;
    EXPECT_TRUE(BuildingNear(g, lib, probe, 10, 0));
    probe.X = 10 * 36 + 35 - 6 * 36 + 1;
    EXPECT_FALSE(BuildingNear(g, lib, probe, 10, 0));
    EXPECT_TRUE(TowerReaches(g, lib, probe, 10, 0));
    EXPECT_FALSE(BuildingNear(g, lib, probe, 3, 0)) << "no object anchored there";
}

TEST(GridTest, HitTestsMissTheBoxEdge) {
    const ImageLibrary lib = MakeTestLibrary();
    GameType g = MakeMap({"....", "...."});
    const auto t = test::PutTank(g, lib, 1, 1, 0);
    const GameObjectType& tank = *g.Tanks[t];
    EXPECT_TRUE(TankHit(tank, lib, tank.X + 1, tank.Y + 1));
    EXPECT_FALSE(TankHit(tank, lib, tank.X, tank.Y + 1));
    EXPECT_FALSE(TankHit(tank, lib, tank.X + 36, tank.Y + 1));
    EXPECT_EQ(TankCell(g, tank, lib), (CellXY{1, 1}));
    const GameCellObjectType& o = test::PutObject(g, lib, 2, 0, {2, 1, 0, 4});
    EXPECT_TRUE(ObjectHit(g, lib, o, 2, 0, 72 + 34, 34));
    EXPECT_FALSE(ObjectHit(g, lib, o, 2, 0, 72 + 35, 34));
    EXPECT_FALSE(ObjectHit(g, lib, o, 2, 0, 72, 10));
}

}  // namespace
}  // namespace tavrine
