#include "editor/path_tool.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editor/edge_tiling.h"
#include "editor/fills.h"
#include "editor_world.h"

namespace tavrine {
namespace {

using test::EditorWorld;
using Points = std::vector<EditPoint>;

TEST(PathToolTest, OutlinesTurnByAtMostARightAngle) {
    for (std::int32_t tool : {ToolLandOutline, ToolMountainOutline}) {
        for (std::int32_t e = 0; e <= 8; ++e) EXPECT_TRUE(AcceptsMove(tool, DirNone, e)) << "first step " << e;
        // Arriving eastward: NE, E, SE and the right angles N and S.
        EXPECT_TRUE(AcceptsMove(tool, DirEast, DirNorth));
        EXPECT_TRUE(AcceptsMove(tool, DirEast, DirNorthEast));
        EXPECT_TRUE(AcceptsMove(tool, DirEast, DirEast));
        EXPECT_TRUE(AcceptsMove(tool, DirEast, DirSouthEast));
        EXPECT_TRUE(AcceptsMove(tool, DirEast, DirSouth));
        EXPECT_FALSE(AcceptsMove(tool, DirEast, DirSouthWest));
        EXPECT_FALSE(AcceptsMove(tool, DirEast, DirWest));
        EXPECT_FALSE(AcceptsMove(tool, DirEast, DirNorthWest));
        EXPECT_FALSE(AcceptsMove(tool, DirEast, DirNone));
        // The compass wraps around between north-east and east.
        EXPECT_TRUE(AcceptsMove(tool, DirNorthEast, DirEast));
        EXPECT_TRUE(AcceptsMove(tool, DirNorthEast, DirSouthEast));
        EXPECT_TRUE(AcceptsMove(tool, DirNorthEast, DirNorthWest));
        EXPECT_FALSE(AcceptsMove(tool, DirNorthEast, DirWest));
        EXPECT_TRUE(AcceptsMove(tool, DirNorth, DirEast));
        EXPECT_FALSE(AcceptsMove(tool, DirNorth, DirSouthEast));
    }
}

TEST(PathToolTest, WallsRunAlongRowsAndColumnsAndNeverDoubleBack) {
    for (std::int32_t tool : {ToolWall0, ToolWall1}) {
        for (std::int32_t e : {DirEast, DirSouth, DirWest, DirNorth}) EXPECT_TRUE(AcceptsMove(tool, DirNone, e));
        for (std::int32_t e : {DirNone, DirSouthEast, DirSouthWest, DirNorthWest, DirNorthEast})
            EXPECT_FALSE(AcceptsMove(tool, DirNone, e)) << e;
        const std::int32_t reverse[][2] = {{DirEast, DirWest}, {DirSouth, DirNorth}, {DirWest, DirEast}, {DirNorth, DirSouth}};
        for (const auto& r : reverse) {
            EXPECT_FALSE(AcceptsMove(tool, r[0], r[1]));
            EXPECT_TRUE(AcceptsMove(tool, r[0], r[0]));
            EXPECT_TRUE(AcceptsMove(tool, r[0], (r[0] + 1) % 8 + 1));  // a right turn
        }
        // After a diagonal (only possible when the tool changed mid-path) nothing goes.
        for (std::int32_t e = 0; e <= 8; ++e) EXPECT_FALSE(AcceptsMove(tool, DirSouthEast, e));
    }
}

TEST(PathToolTest, OtherToolsAcceptNoMove) {
    for (std::int32_t tool : {std::int32_t{ToolNone}, std::int32_t{ToolFillLand}, std::int32_t{ToolFillMountain}, 6})
        for (std::int32_t e = 0; e <= 8; ++e) EXPECT_FALSE(AcceptsMove(tool, DirNone, e));
}

TEST(PathToolTest, DiagonalRunsKeepToFortyFiveDegrees) {
    EditorWorld w(20, 20);
    PressPathPoint(w.g, w.run, {2, 2});
    // The mouse is five columns right and one row down: five steps south-east.
    RebuildEditTrack(w.g, w.run, ToolLandOutline, {7, 3});
    EXPECT_EQ(w.run.EditTrack, (Points{{3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}));
    // North-west counts the columns, south-west the rows.
    RebuildEditTrack(w.g, w.run, ToolLandOutline, {0, 1});
    EXPECT_EQ(w.run.EditTrack, (Points{{1, 1}, {0, 0}}));
    RebuildEditTrack(w.g, w.run, ToolLandOutline, {1, 5});
    // Three rows south-west, but the third step would leave the map.
    EXPECT_EQ(w.run.EditTrack, (Points{{1, 3}, {0, 4}}));
    RebuildEditTrack(w.g, w.run, ToolLandOutline, {2, 0});
    EXPECT_EQ(w.run.EditTrack, (Points{{2, 1}, {2, 0}}));
}

TEST(PathToolTest, ARunStopsAtTheMapsEdge) {
    EditorWorld w(6, 6);
    PressPathPoint(w.g, w.run, {3, 3});
    RebuildEditTrack(w.g, w.run, ToolWall0, {4000000, 3});
    EXPECT_EQ(w.run.EditTrack, (Points{{4, 3}, {5, 3}}));
    RebuildEditTrack(w.g, w.run, ToolLandOutline, {9, 4});
    EXPECT_EQ(w.run.EditTrack, (Points{{4, 4}, {5, 5}}));
}

TEST(PathToolTest, PressesFixTheRunAndRefusedMovesLeaveNone) {
    EditorWorld w(10, 10);
    PressPathPoint(w.g, w.run, {1, 1});
    EXPECT_TRUE(w.run.EditDrawing);
    EXPECT_EQ(w.run.EditPoints, (Points{{1, 1}}));
    RebuildEditTrack(w.g, w.run, ToolWall0, {4, 1});
    PressPathPoint(w.g, w.run, {4, 1});
    EXPECT_EQ(w.run.EditPoints, (Points{{1, 1}, {2, 1}, {3, 1}, {4, 1}}));
    // Doubling back is refused and clears the tentative run.
    RebuildEditTrack(w.g, w.run, ToolWall0, {4, 3});
    EXPECT_EQ(w.run.EditTrack.size(), 2u);
    RebuildEditTrack(w.g, w.run, ToolWall0, {1, 1});
    EXPECT_TRUE(w.run.EditTrack.empty());
    PressPathPoint(w.g, w.run, {1, 1});
    EXPECT_EQ(w.run.EditPoints.size(), 4u) << "a press without a run adds nothing";
}

TEST(PathToolTest, ASecondPressBeforeTheMouseMovesAddsNothing) {
    // A double click fixes the run once; adding it twice would send the path
    // back over itself.
    EditorWorld w(10, 10);
    PressPathPoint(w.g, w.run, {1, 1});
    RebuildEditTrack(w.g, w.run, ToolLandOutline, {4, 1});
    PressPathPoint(w.g, w.run, {4, 1});
    PressPathPoint(w.g, w.run, {4, 1});
    EXPECT_EQ(w.run.EditPoints, (Points{{1, 1}, {2, 1}, {3, 1}, {4, 1}}));
    EXPECT_TRUE(w.run.EditTrack.empty());
}

TEST(PathToolTest, AnOutlineTracedBackOntoItsFirstCellIsClosedWithoutAGap) {
    // The square of cells (1,1)..(4,4) traced clockwise and clicked shut on its
    // first cell: the first corner gets its piece and a fill inside stays inside.
    EditorWorld w(8, 8);
    const EditPoint corners[] = {{4, 1}, {4, 4}, {1, 4}, {1, 1}};
    PressPathPoint(w.g, w.run, {1, 1});
    for (EditPoint c : corners) {
        RebuildEditTrack(w.g, w.run, ToolLandOutline, c);
        PressPathPoint(w.g, w.run, c);
    }
    ASSERT_EQ(w.run.EditPoints.back(), w.run.EditPoints.front());
    ApplyPath(w.g, w.run, ToolLandOutline);
    EXPECT_EQ(w.g.Cell(1, 1).Ground, (ImageRef{0, 2, TerrainLand, 8}));
    EXPECT_EQ(w.g.Cell(1, 2).Ground, (ImageRef{0, 2, TerrainLand, 0}));
    EXPECT_EQ(w.g.Cell(2, 1).Ground, (ImageRef{0, 2, TerrainLand, 1}));

    FillLand(w.g, 2, 2);
    EXPECT_EQ(w.g.Cell(3, 3).Ground, (ImageRef{0, 1, 0, 0}));
    EXPECT_EQ(w.g.Cell(0, 0).Ground, (ImageRef{0, 0, 0, 0})) << "the fill leaked out of the outline";
    EXPECT_EQ(w.g.Cell(6, 6).Ground, (ImageRef{0, 0, 0, 0}));
}

/// Traces an outline through presses on `corners` (the first starts it).
void Trace(EditorWorld& w, const Points& corners) {
    PressPathPoint(w.g, w.run, corners.front());
    for (std::size_t i = 1; i < corners.size(); ++i) {
        RebuildEditTrack(w.g, w.run, ToolLandOutline, corners[i]);
        PressPathPoint(w.g, w.run, corners[i]);
    }
}

TEST(PathToolTest, TheRightButtonClosesAnOutlineWithACoastAlongTheClosingSide) {
    // Outlines left open at their last corner: the closing run gets edge pieces
    // like any other side, so a fill inside stays inside.
    const struct {
        const char* what;
        Points corners;
        EditPoint inside;
        Points outside;  ///< cells that must stay water besides those outside the outline's box
    } cases[] = {
        {"square, closing side straight", {{2, 2}, {7, 2}, {7, 7}, {2, 7}}, {4, 4}, {}},
        {"cut corners, closing side diagonal then straight",
         {{3, 1}, {6, 1}, {8, 3}, {8, 6}, {6, 8}, {3, 8}, {1, 6}},
         {5, 4},
         {{1, 1}, {2, 2}, {2, 3}, {1, 4}, {2, 1}}},
        {"closing side all diagonal", {{2, 2}, {7, 2}, {7, 7}}, {6, 4}, {{2, 4}, {3, 6}, {2, 7}}},
    };
    for (const auto& c : cases) {
        EditorWorld w(10, 10);
        Trace(w, c.corners);
        ApplyPath(w.g, w.run, ToolLandOutline);
        FillLand(w.g, c.inside.X, c.inside.Y);
        EXPECT_EQ(w.g.Cell(c.inside.X, c.inside.Y).Ground, (ImageRef{0, 1, 0, 0})) << c.what;
        int left = 10, right = 0, top = 10, bottom = 0;
        for (const EditPoint& p : c.corners) {
            left = std::min(left, p.X), right = std::max(right, p.X);
            top = std::min(top, p.Y), bottom = std::max(bottom, p.Y);
        }
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y)
                if (x < left || x > right || y < top || y > bottom) {
                    EXPECT_EQ(w.g.Cell(x, y).Ground, (ImageRef{0, 0, 0, 0})) << c.what << ": cell " << x << ", " << y;
                }
        for (const EditPoint& p : c.outside)
            EXPECT_EQ(w.g.Cell(p.X, p.Y).Ground, (ImageRef{0, 0, 0, 0})) << c.what << ": cell " << p.X << ", " << p.Y;
    }

    // A square closed by the right button gets the very pieces of the same
    // square clicked shut on its first cell.
    EditorWorld open(10, 10), shut(10, 10);
    Trace(open, {{2, 2}, {7, 2}, {7, 7}, {2, 7}});
    Trace(shut, {{2, 2}, {7, 2}, {7, 7}, {2, 7}, {2, 2}});
    ApplyPath(open.g, open.run, ToolLandOutline);
    ApplyPath(shut.g, shut.run, ToolLandOutline);
    EXPECT_EQ(test::PieceMap(open.g), test::PieceMap(shut.g));
}

TEST(PathToolTest, APressOffTheMapStartsNoPath) {
    EditorWorld w(4, 4);
    PressPathPoint(w.g, w.run, {-1, 2});
    PressPathPoint(w.g, w.run, {2, 4});
    EXPECT_FALSE(w.run.EditDrawing);
    EXPECT_TRUE(w.run.EditPoints.empty());
}

TEST(PathToolTest, ApplyPathNeedsThreePointsAndALineTool) {
    EditorWorld w(6, 6);
    w.run.EditPoints = {{1, 1}, {2, 1}};
    ApplyPath(w.g, w.run, ToolWall0);
    ApplyPath(w.g, w.run, ToolLandOutline);
    w.run.EditPoints = {{1, 1}, {2, 1}, {3, 1}};
    ApplyPath(w.g, w.run, ToolFillLand);
    ApplyPath(w.g, w.run, ToolNone);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y) {
            EXPECT_FALSE(w.g.Cell(x, y).Object);
            EXPECT_EQ(w.g.Cell(x, y).Ground.Subgroup, 0);
        }

    ApplyPath(w.g, w.run, ToolWall1);
    EXPECT_EQ(test::WallMap(w.g, 1)[1], ".000..");
    EXPECT_EQ(w.g.Cell(2, 1).MinimapColor, w.run.ObjectColors[1]);
    ApplyPath(w.g, w.run, ToolMountainOutline);
    EXPECT_EQ(w.g.Cell(2, 1).Ground.Subgroup, 2);
    EXPECT_EQ(w.g.Cell(2, 1).Ground.List, TerrainMountain);
}

}  // namespace
}  // namespace tavrine
