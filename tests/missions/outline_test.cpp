// Tracing the plan's coasts and mountain borders as outlines the editor's edge
// tiling can follow, and painting them with the editor's tools.
#include <gtest/gtest.h>

#include "mapgen/contour.h"
#include "mapgen/map_builder.h"
#include "plan_rows.h"

namespace tavrine::missions::testing {
namespace {

const RegionTest kLand = [](Terrain t) { return t != Terrain::Water; };

/// Paints a plan on a map of its size, without a library (ground needs none).
MapBuilder Painted(const TerrainPlan& plan) {
    MapBuilder b(ImageLibrary{}, plan.Columns(), plan.Rows(), 0, 1);
    b.PaintTerrain(plan);
    return b;
}

TEST(Outlines, AnIslandIsTracedClockwiseAndTiledWithItsCornersAndSides) {
    const TerrainPlan plan = PlanFromRows({
        "~~~~~~~",
        "~~~~~~~",
        "~~...~~",
        "~~...~~",
        "~~...~~",
        "~~~~~~~",
        "~~~~~~~",
    });
    const auto outlines = TraceOutlines(plan, kLand);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(outlines[0], (std::vector<EditPoint>{{2, 2}, {3, 2}, {4, 2}, {4, 3}, {4, 4}, {3, 4}, {2, 4}, {2, 3}}));
    EXPECT_FALSE(OutlineFault(outlines[0]));

    const MapBuilder b = Painted(plan);
    EXPECT_EQ(GroundRows(b.G()), (Rows{"~~~~~~~", "~~~~~~~", "~~ccc~~", "~~c.c~~", "~~ccc~~", "~~~~~~~", "~~~~~~~"}));
    // Outer corners, then the straight sides, clockwise from the top-left.
    const int pieces[3][3] = {{8, 1, 9}, {0, -1, 2}, {11, 3, 10}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            if (pieces[y][x] >= 0) {
                EXPECT_EQ(b.G().Cell(2 + x, 2 + y).Ground.Frame, pieces[y][x]) << x << ", " << y;
            }
}

TEST(Outlines, ALakeKeepsItsWaterInsideACoastOfLand) {
    const TerrainPlan plan = PlanFromRows({
        ".........",
        ".........",
        ".........",
        "...~~~...",
        "...~~~...",
        "...~~~...",
        ".........",
        ".........",
        ".........",
    });
    const auto outlines = TraceOutlines(plan, kLand);
    // The land's outer border runs off the map; the lake's lies on it.
    int onMap = 0;
    for (const auto& outline : outlines) {
        EXPECT_FALSE(OutlineFault(outline));
        bool inside = true;
        for (const EditPoint& p : outline) inside = inside && p.X >= 0 && p.Y >= 0 && p.X < 9 && p.Y < 9;
        onMap += inside;
    }
    EXPECT_EQ(onMap, 1);
    EXPECT_EQ(GroundRows(Painted(plan).G()), (Rows{
                                                 ".........",
                                                 ".........",
                                                 "..ccccc..",
                                                 "..c~~~c..",
                                                 "..c~~~c..",
                                                 "..c~~~c..",
                                                 "..ccccc..",
                                                 ".........",
                                                 ".........",
                                             }));
}

TEST(Outlines, LandReachingTheMapsEdgeGoesOnBeyondIt) {
    const TerrainPlan plan = PlanFromRows({
        ".....~~~~~",
        ".....~~~~~",
        ".....~~~~~",
        ".....~~~~~",
        ".....~~~~~",
    });
    const auto outlines = TraceOutlines(plan, kLand);
    ASSERT_EQ(outlines.size(), 1u);
    bool offMap = false;
    for (const EditPoint& p : outlines[0]) offMap = offMap || p.X < 0 || p.Y < 0 || p.Y >= 5;
    EXPECT_TRUE(offMap);
    const MapBuilder b = Painted(plan);
    EXPECT_EQ(GroundRows(b.G()), (Rows(5, "....c~~~~~")));
    for (int y = 0; y < 5; ++y) EXPECT_EQ(b.G().Cell(4, y).Ground.Frame, 2) << "a straight coast, water to the east";
}

TEST(Outlines, FaultsAreTheTurnsAndRepeatsTheTilingCannotFollow) {
    const std::vector<EditPoint> square{{2, 2}, {3, 2}, {4, 2}, {4, 3}, {4, 4}, {3, 4}, {2, 4}, {2, 3}};
    EXPECT_FALSE(OutlineFault(square));
    // A one-cell spike: east, then straight back west.
    const std::vector<EditPoint> spike{{2, 2}, {3, 2}, {4, 2}, {5, 2}, {4, 2}, {4, 3}, {3, 3}, {2, 3}};
    ASSERT_TRUE(OutlineFault(spike));
    EXPECT_EQ(*OutlineFault(spike), (EditPoint{5, 2}));
    // East, then sharply back south-west.
    const std::vector<EditPoint> sharp{{2, 2}, {3, 2}, {4, 2}, {3, 3}, {2, 3}};
    ASSERT_TRUE(OutlineFault(sharp));
    EXPECT_EQ(*OutlineFault(sharp), (EditPoint{4, 2}));
    // A jump between cells that are not neighbours.
    EXPECT_TRUE(OutlineFault({{0, 0}, {3, 0}, {3, 1}, {0, 1}}));
    EXPECT_TRUE(OutlineFault({{0, 0}, {1, 0}}));
}

TEST(Cleaning, RemovesSpitsNarrowerThanThreeAndMendsCornerContacts) {
    TerrainPlan plan = PlanFromRows({
        "~~~~~~~~~~~~~~~~~",
        "~~~~~~~~~~~~~~~~~",
        "~~~~~~~~~~~~~~~~~",
        "~~~.....~~~~~~~~~",
        "~~~.....~~~~~~~~~",
        "~~~..........~~~~",  // a spit one cell wide
        "~~~.....~~~~~~~~~",
        "~~~.....~~~~~~~~~",
        "~~~~~~~~.....~~~~",  // an island touching the first at a corner only
        "~~~~~~~~.....~~~~",
        "~~~~~~~~.....~~~~",
        "~~~~~~~~~~~~~~~~~",
        "~~~~~~~~~~~~~~~~~",
        "~~~~~~~~~~~~~~~~~",
    });
    ASSERT_TRUE(plan.Clean({}));
    EXPECT_EQ(RowsOfPlan(plan), (Rows{
                                    "~~~~~~~~~~~~~~~~~",
                                    "~~~~~~~~~~~~~~~~~",
                                    "~~~~~~~~~~~~~~~~~",
                                    "~~~.....~~~~~~~~~",
                                    "~~~.....~~~~~~~~~",
                                    "~~~.....~~~~~~~~~",
                                    "~~~.....~~~~~~~~~",
                                    "~~~......~~~~~~~~",
                                    "~~~~~~~......~~~~",
                                    "~~~~~~~~.....~~~~",
                                    "~~~~~~~~.....~~~~",
                                    "~~~~~~~~~~~~~~~~~",
                                    "~~~~~~~~~~~~~~~~~",
                                    "~~~~~~~~~~~~~~~~~",
                                }));
}

TEST(Cleaning, FillsNarrowWaterButKeepsARiverThreeCellsWide) {
    TerrainPlan plan = PlanFromRows({
        "....~~....~~~....",
        "....~~....~~~....",
        "....~~....~~~....",
        "....~~....~~~....",
        "....~~....~~~....",
    });
    ASSERT_TRUE(plan.Clean({}));
    EXPECT_EQ(RowsOfPlan(plan), (Rows(5, "..........~~~....")));
}

TEST(Cleaning, KeepsMountainsAwayFromWaterAndFromTheBases) {
    TerrainPlan plan = PlanFromRows({
        "~~~~~~~~~~~~~~~~~~~~",
        "~~~~~~~~~~~~~~~~~~~~",
        "~~~~~~~~~~~~~~~~~~~~",
        "~~~^^^^^^^^^^^^^^^^.",
        "~~~^^^^^^^^^^^^^^^^.",
        "~~~^^^^^^^^^^^^^^^^.",
        "~~~^^^^^^^^^^^^^^^^.",
        "~~~^^^^^^^^^^^^^^^^.",
        "~~~^^^^^^^^^^^^^^^^.",
        "~~~^^^^^^^^^^^^^^^^.",
        "~~~^^^^^^^^^^^^^^^^.",
        "~~~^^^^^^^^^^^^^^^^.",
        "~~~^^^^^^^^^^^^^^^^.",
    });
    const CellBox base{15, 9, 18, 11};
    ASSERT_TRUE(plan.Clean({base}));
    for (int y = 0; y < plan.Rows(); ++y)
        for (int x = 0; x < plan.Columns(); ++x) {
            if (plan.At(x, y) != Terrain::Mountain) continue;
            EXPECT_GE(x, 6) << "three cells of plain land between the water and the mountain";
            EXPECT_GE(y, 6);
            EXPECT_FALSE(base.Grown(2).Contains(x, y)) << x << ", " << y;
        }
    EXPECT_EQ(plan.At(9, 9), Terrain::Mountain);
    for (int y = base.Y0; y <= base.Y1; ++y)
        for (int x = base.X0; x <= base.X1; ++x) EXPECT_EQ(plan.At(x, y), Terrain::Land);
}

TEST(Settling, NoisyPlansAlwaysSettleIntoGroundTheToolsCanPaint) {
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        TerrainPlan plan(48, 36, Terrain::Land);
        for (int i = 0; i < 6; ++i) {
            const float x = PlanNoise(seed, static_cast<float>(i), 0.5f, 1.f, 1) * 48.f;
            const float y = PlanNoise(seed, 0.5f, static_cast<float>(i), 1.f, 1) * 36.f;
            plan.Blob(seed * 10 + static_cast<std::uint32_t>(i), x, y, 3.f + static_cast<float>(i % 3) * 2.f, 3.f, 0.5f,
                      i % 2 ? Terrain::Water : Terrain::Land);
        }
        plan.Band(seed, {{-2.f, 18.f}, {20.f, 10.f}, {50.f, 24.f}}, 3.f, 1.2f, Terrain::Water);
        plan.NoiseMountains(seed + 99, {0, 0, 47, 35}, 4.f, 0.55f);
        ASSERT_TRUE(SettlePlan(plan, {{20, 20, 28, 28}})) << "seed " << seed;
        EXPECT_NO_THROW(Painted(plan)) << "seed " << seed;
    }
}

}  // namespace
}  // namespace tavrine::missions::testing
