#include "editor/fills.h"

#include <gtest/gtest.h>

#include "editor/edge_tiling.h"
#include "editor_world.h"
#include "sim/grid.h"

namespace tavrine {
namespace {

using test::EditorWorld;
using test::PieceMap;
using Rows = std::vector<std::string>;

TEST(FillsTest, FillLandStopsAtTheEdgePiecesOfAnOutline) {
    EditorWorld v(9, 7);
    TileOutline(v.g,
                {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {5, 2}, {5, 3}, {5, 4}, {5, 5}, {4, 5}, {3, 5}, {2, 5}, {1, 5}, {1, 4}, {1, 3}, {1, 2}},
                TerrainLand, kLandColor);
    EXPECT_EQ(FillLand(v.g, 3, 3), 9);
    EXPECT_EQ(PieceMap(v.g), (Rows{
                                 "~~~~~~~~~",
                                 "~81119~~~",
                                 "~0...2~~~",
                                 "~0...2~~~",
                                 "~0...2~~~",
                                 "~b333a~~~",
                                 "~~~~~~~~~",
                             }));
    const GameCellType& c = v.g.Cell(3, 3);
    EXPECT_EQ(c.Ground, (ImageRef{0, 1, 0, 0}));
    EXPECT_EQ(c.GroundColor, kLandColor);
    EXPECT_EQ(c.MinimapColor, kLandColor);
    EXPECT_EQ(c.Occupancy, CellFree);
    EXPECT_EQ(c.Occupant, -1);
}

TEST(FillsTest, FillsReachDiagonalNeighboursAndTheMapsEdges) {
    EditorWorld w({
        "~.~.~",
        ".~...",
        "~.~..",
        ".....",
    });
    EXPECT_EQ(FillLand(w.g, 1, 1), 5) << "water touching only at corners belongs to the region";
    EXPECT_EQ(PieceMap(w.g), (Rows{
                                 "....~",
                                 ".....",
                                 ".....",
                                 ".....",
                             }));
}

TEST(FillsTest, AFillStartedOnTheWrongGroundOrOffTheMapChangesNothing) {
    EditorWorld w({
        "~.^",
        "~.^",
    });
    const Rows before = PieceMap(w.g);
    EXPECT_EQ(FillLand(w.g, 1, 0), 0) << "land";
    EXPECT_EQ(FillLand(w.g, 2, 0), 0) << "mountain";
    EXPECT_EQ(FillMountain(w.g, 0, 0), 0) << "water";
    EXPECT_EQ(FillMountain(w.g, 2, 1), 0) << "mountain";
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}}) {
        EXPECT_EQ(FillLand(w.g, x, y), 0);
        EXPECT_EQ(FillMountain(w.g, x, y), 0);
    }
    EXPECT_EQ(PieceMap(w.g), before);
    // Water under a wreck or in another list is still water.
    w.g.Cell(0, 1).Ground = {0, 0, 3, 7};
    EXPECT_EQ(FillLand(w.g, 0, 1), 2);
}

TEST(FillsTest, FillMountainLeavesOccupancyAlone) {
    EditorWorld w({"...", "..~"});
    GameCellType& c = w.g.Cell(1, 1);
    c.Occupancy = CellTank;
    c.Occupant = 5;
    EXPECT_EQ(FillMountain(w.g, 0, 0), 5);
    EXPECT_EQ(c.Ground, (ImageRef{0, 2, 0, 0}));
    EXPECT_EQ(c.GroundColor, kMountainColor);
    EXPECT_EQ(c.MinimapColor, kMountainColor);
    EXPECT_EQ(c.Occupancy, CellTank);
    EXPECT_EQ(c.Occupant, 5);
}

TEST(FillsTest, FillLandClearsStaleMarksButKeepsWhatStandsInTheWater) {
    EditorWorld w(6, 4);
    const std::int32_t tank = test::PutTank(w.g, w.lib, 0, 0, 0);
    test::PutObject(w.g, w.lib, 2, 1, {3, 1, 0, 0});  // a 2 x 2 building on the water
    w.g.Cell(5, 3).Occupancy = CellObject;              // marks naming nothing
    w.g.Cell(5, 3).Occupant = CellIndex(w.g, 0, 3);
    w.g.Cell(4, 3).Occupancy = CellTank;
    w.g.Cell(4, 3).Occupant = 9;

    EXPECT_EQ(FillLand(w.g, 0, 3), 24);
    EXPECT_EQ(w.g.Cell(0, 0).Occupancy, CellTank);
    EXPECT_EQ(w.g.Cell(0, 0).Occupant, tank);
    for (auto [x, y] : {std::pair{2, 1}, {3, 1}, {2, 2}, {3, 2}}) {
        EXPECT_EQ(w.g.Cell(x, y).Occupancy, CellObject);
        EXPECT_EQ(w.g.Cell(x, y).Occupant, CellIndex(w.g, 2, 1));
    }
    EXPECT_TRUE(IsPassable(w.g, 5, 3, nullptr, 0)) << "a stale mark is cleared";
    EXPECT_TRUE(IsPassable(w.g, 4, 3, nullptr, 0));
    EXPECT_FALSE(IsPassable(w.g, 3, 2, nullptr, 0)) << "the building still blocks its footprint";
    EXPECT_EQ(test::EditorInvariants(w.g), "");
}

TEST(FillsTest, AWholeLargeMapFillsWithoutDeepRecursion) {
    EditorWorld w(200, 200);
    std::int32_t land = 0, mountain = 0;
    ASSERT_TRUE(test::RunOnSmallStack([&] {
        land = FillLand(w.g, 117, 43);
        mountain = FillMountain(w.g, 0, 199);
    }));
    EXPECT_EQ(land, 40000);
    EXPECT_EQ(mountain, 40000);
    EXPECT_EQ(w.g.Cell(199, 0).Ground, (ImageRef{0, 2, 0, 0}));

    // A one-cell-wide serpentine: the longest path a walk can take.
    EditorWorld s(200, 200);
    for (int y = 1; y < 200; y += 2)
        for (int x = 0; x < 200; ++x)
            if (x != ((y / 2) % 2 ? 0 : 199)) s.g.Cell(x, y).Ground = {0, 2, 0, 0};
    std::int32_t filled = 0;
    ASSERT_TRUE(test::RunOnSmallStack([&] { filled = FillLand(s.g, 0, 0); }));
    EXPECT_EQ(filled, 100 * 200 + 100);
}

}  // namespace
}  // namespace tavrine
