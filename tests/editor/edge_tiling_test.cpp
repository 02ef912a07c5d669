#include "editor/edge_tiling.h"

#include <gtest/gtest.h>

#include "editor_world.h"

namespace tavrine {
namespace {

using test::EditorWorld;
using test::PieceMap;
using Rows = std::vector<std::string>;

TEST(EdgeTilingTest, StepDirectionUsesOnlyTheSigns) {
    EXPECT_EQ(StepDirection({3, 3}, {3, 3}), DirNone);
    EXPECT_EQ(StepDirection({3, 3}, {90, 3}), DirEast);
    EXPECT_EQ(StepDirection({3, 3}, {4, 50}), DirSouthEast);
    EXPECT_EQ(StepDirection({3, 3}, {3, 4}), DirSouth);
    EXPECT_EQ(StepDirection({3, 3}, {-7, 4}), DirSouthWest);
    EXPECT_EQ(StepDirection({3, 3}, {2, 3}), DirWest);
    EXPECT_EQ(StepDirection({3, 3}, {2, -2}), DirNorthWest);
    EXPECT_EQ(StepDirection({3, 3}, {3, 0}), DirNorth);
    EXPECT_EQ(StepDirection({3, 3}, {9, 2}), DirNorthEast);
}

const std::vector<EditPoint> kClockwise{{1, 1}, {2, 1}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {1, 2}};
const std::vector<EditPoint> kCounterClockwise{{1, 1}, {1, 2}, {1, 3}, {2, 3}, {3, 3}, {3, 2}, {3, 1}, {2, 1}};

TEST(EdgeTilingTest, SquareTracedClockwiseMakesAnIsland) {
    EditorWorld w(5, 5);
    TileOutline(w.g, kClockwise, TerrainLand, kLandColor);
    EXPECT_EQ(PieceMap(w.g), (Rows{
                                 "~~~~~",
                                 "~819~",
                                 "~0~2~",
                                 "~b3a~",
                                 "~~~~~",
                             }));
    const GameCellType& corner = w.g.Cell(1, 1);
    EXPECT_EQ(corner.Ground, (ImageRef{0, 2, TerrainLand, 8}));
    EXPECT_EQ(corner.GroundColor, kLandColor);
    EXPECT_EQ(corner.MinimapColor, kLandColor);
}

TEST(EdgeTilingTest, SquareTracedCounterClockwiseMakesALake) {
    EditorWorld w(5, 5);
    TileOutline(w.g, kCounterClockwise, TerrainMountain, kMountainColor);
    EXPECT_EQ(PieceMap(w.g), (Rows{
                                 "~~~~~",
                                 "~637~",
                                 "~2~0~",
                                 "~514~",
                                 "~~~~~",
                             }));
    EXPECT_EQ(w.g.Cell(3, 3).Ground, (ImageRef{0, 2, TerrainMountain, 4}));
    EXPECT_EQ(w.g.Cell(3, 3).GroundColor, kMountainColor);
}

TEST(EdgeTilingTest, PiecesChangeOnlyTheGroundAndItsColours) {
    EditorWorld w(5, 5);
    GameCellType& c = w.g.Cell(2, 1);
    c.Occupancy = CellTank;
    c.Occupant = 0;
    c.Hidden = 1;
    TileOutline(w.g, kClockwise, TerrainLand, kLandColor);
    EXPECT_EQ(c.Occupancy, CellTank);
    EXPECT_EQ(c.Occupant, 0);
    EXPECT_EQ(c.Hidden, 1);
}

TEST(EdgeTilingTest, PiecesOffTheMapAreSkippedAndTheRestWritten) {
    EditorWorld w(5, 3);
    // The same square with its top row above the map.
    std::vector<EditPoint> above = kClockwise;
    for (EditPoint& p : above) p.Y -= 2;
    TileOutline(w.g, above, TerrainLand, kLandColor);
    EXPECT_EQ(PieceMap(w.g), (Rows{
                                 "~0~2~",
                                 "~b3a~",
                                 "~~~~~",
                             }));

    // A vertex on the top row leaving north-west: its own piece, not the one above.
    EditorWorld top(5, 3);
    PlaceEdgePieces(top.g, {2, 0}, DirWest, DirNorthWest, TerrainLand, kLandColor);
    EXPECT_EQ(PieceMap(top.g)[0], "~~b~~");
    // And on the bottom row leaving south-east.
    PlaceEdgePieces(top.g, {4, 2}, DirEast, DirSouthEast, TerrainLand, kLandColor);
    EXPECT_EQ(PieceMap(top.g)[2], "~~~~9");
}

TEST(EdgeTilingTest, AJumpClosesTheOutlineWithoutPiecesAlongIt) {
    EditorWorld w(5, 5);
    // The left side of the square is missing: the outline jumps from (1, 3) back up to (1, 1).
    TileOutline(w.g, {{1, 1}, {2, 1}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}}, TerrainLand, kLandColor);
    EXPECT_EQ(PieceMap(w.g), (Rows{
                                 "~~~~~",
                                 "~819~",
                                 "~~~2~",
                                 "~b3a~",
                                 "~~~~~",
                             }));
}

TEST(EdgeTilingTest, DiagonalDeparturesWriteASecondPiece) {
    struct Case {
        std::int32_t in, out;
        Rows expected;  // vertex at the centre of a 3 x 3 map
    };
    const Case cases[] = {
        {DirEast, DirSouthEast, {"~~~", "~9~", "~5~"}},
        {DirEast, DirNorthEast, {"~~~", "~14", "~~~"}},
        {DirSouth, DirSouthWest, {"~~~", "6a~", "~~~"}},
        {DirWest, DirNorthWest, {"~7~", "~b~", "~~~"}},
        // Half turns that write only into a neighbour.
        {DirSouthEast, DirSouthWest, {"~~~", "2~~", "~~~"}},
        {DirNorthWest, DirNorthEast, {"~~~", "~~0", "~~~"}},
        {DirNorthEast, DirSouthEast, {"~~~", "~~~", "~1~"}},
        {DirSouthWest, DirNorthWest, {"~3~", "~~~", "~~~"}},
    };
    for (const Case& c : cases) {
        EditorWorld w(3, 3);
        PlaceEdgePieces(w.g, {1, 1}, c.in, c.out, TerrainLand, kLandColor);
        EXPECT_EQ(PieceMap(w.g), c.expected) << "in " << c.in << " out " << c.out;
    }
}

TEST(EdgeTilingTest, ReversalsSharpTurnsAndNoMovesWriteNothing) {
    for (std::int32_t in = 0; in <= 9; ++in)
        for (std::int32_t out : {std::int32_t{DirNone}, (in + 3) % 8 + 1, in % 8 + 5, 9, -1}) {
            EditorWorld w(3, 3);
            PlaceEdgePieces(w.g, {1, 1}, in, out, TerrainLand, kLandColor);
            EXPECT_EQ(PieceMap(w.g), (Rows{"~~~", "~~~", "~~~"})) << "in " << in << " out " << out;
        }
}

TEST(EdgeTilingTest, LaterVerticesOverwriteEarlierPieces) {
    EditorWorld w(5, 5);
    // (1, 0) leaves south-east: 9 on itself and 5 below, on (1, 1). The first
    // vertex (1, 1), handled last, arrives from the south and leaves north-west:
    // its 0 and the 7 above it replace both.
    TileOutline(w.g, {{1, 1}, {0, 0}, {1, 0}, {2, 1}, {2, 2}, {1, 2}}, TerrainLand, kLandColor);
    EXPECT_EQ(PieceMap(w.g), (Rows{
                                 "~7~~~",
                                 "~09~~",
                                 "~ba~~",
                                 "~~~~~",
                                 "~~~~~",
                             }));
}

TEST(EdgeTilingTest, OutlinesOfFewerThanThreePointsWriteNothing) {
    EditorWorld w(3, 3);
    TileOutline(w.g, {}, TerrainLand, kLandColor);
    TileOutline(w.g, {{1, 1}}, TerrainLand, kLandColor);
    TileOutline(w.g, {{0, 0}, {1, 0}}, TerrainLand, kLandColor);
    EXPECT_EQ(PieceMap(w.g), (Rows{"~~~", "~~~", "~~~"}));
}

}  // namespace
}  // namespace tavrine
