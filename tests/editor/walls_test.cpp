#include "editor/walls.h"

#include <gtest/gtest.h>

#include "editor_world.h"
#include "sim/grid.h"

namespace tavrine {
namespace {

using test::EditorWorld;
using test::WallMap;
using Rows = std::vector<std::string>;

constexpr Color kGrey = 0xC0C0C0;

void WallLine(GameType& g, EditPoint from, EditPoint to, std::int32_t kind) {
    const int dx = (to.X > from.X) - (to.X < from.X), dy = (to.Y > from.Y) - (to.Y < from.Y);
    for (EditPoint p = from;; p = {p.X + dx, p.Y + dy}) {
        PlaceWall(g, p, kGrey, kind);
        if (p == to) break;
    }
}

TEST(WallsTest, PiecesJoinIntoLinesCornersAndJunctions) {
    EditorWorld w(7, 6);
    // A rectangle with a spur off its right side.
    WallLine(w.g, {1, 1}, {4, 1}, 0);
    WallLine(w.g, {4, 1}, {4, 4}, 0);
    WallLine(w.g, {4, 4}, {1, 4}, 0);
    WallLine(w.g, {1, 4}, {1, 1}, 0);
    WallLine(w.g, {4, 2}, {6, 2}, 0);
    EXPECT_EQ(WallMap(w.g, 0), (Rows{
                                   ".......",
                                   ".2003..",
                                   ".1..600",
                                   ".1..1..",
                                   ".5004..",
                                   ".......",
                               }));
}

TEST(WallsTest, ACrossingBecomesFrameTenAndTheCrossedLineFollows) {
    EditorWorld w(7, 7);
    WallLine(w.g, {1, 3}, {5, 3}, 0);
    WallLine(w.g, {3, 0}, {3, 2}, 0);  // down to the line: a T
    EXPECT_EQ(WallMap(w.g, 0)[3], ".00900.");
    WallLine(w.g, {3, 4}, {3, 6}, 0);  // on through it: a crossing
    EXPECT_EQ(WallMap(w.g, 0), (Rows{
                                   "...1...",
                                   "...1...",
                                   "...1...",
                                   ".00a00.",
                                   "...1...",
                                   "...1...",
                                   "...1...",
                               }));
}

TEST(WallsTest, WallsOfTwoKindsDoNotJoin) {
    EditorWorld w(6, 6);
    WallLine(w.g, {1, 1}, {1, 3}, 0);
    WallLine(w.g, {2, 1}, {4, 1}, 1);
    PlaceWall(w.g, {1, 4}, kGrey, 1);
    EXPECT_EQ(WallMap(w.g, 0), (Rows{
                                   "......",
                                   ".1###.",
                                   ".1....",
                                   ".1....",
                                   ".#....",
                                   "......",
                               }));
    EXPECT_EQ(WallMap(w.g, 1)[1], ".#000.");
    EXPECT_EQ(WallMap(w.g, 1)[4], ".0....");
}

TEST(WallsTest, APieceMarksOnlyItsOwnCell) {
    EditorWorld w(4, 4);
    PlaceWall(w.g, {2, 3}, 0x123456, 1);
    const GameCellType& c = w.g.Cell(2, 3);
    ASSERT_TRUE(c.Object);
    EXPECT_EQ(c.Object->Image, (ImageRef{1, 1, 0, 0}));
    EXPECT_EQ(c.Object->DestroyTimer, -1);
    EXPECT_EQ(c.Object->Health, 100);
    EXPECT_EQ(c.Occupancy, CellObject);
    EXPECT_EQ(c.Occupant, CellIndex(w.g, 2, 3));
    EXPECT_EQ(c.MinimapColor, 0x123456u);
    EXPECT_EQ(c.GroundColor, 0x800000u) << "the ground stays";

    PlaceWall(w.g, {-1, 3}, kGrey, 1);
    PlaceWall(w.g, {4, 0}, kGrey, 1);
    PlaceWall(w.g, {0, 4}, kGrey, 1);
    EXPECT_EQ(test::EditorInvariants(w.g), "");
}

TEST(WallsTest, AWallOnABuildingReleasesTheRestOfItsFootprint) {
    EditorWorld w({"....", "....", "...."});
    test::PutObject(w.g, w.lib, 1, 0, {3, 0, 2, 0});  // 2 x 2
    w.g.Cell(2, 1).MinimapColor = 0x0000A0A0;
    PlaceWall(w.g, {1, 0}, kGrey, 0);
    EXPECT_EQ(w.g.Cell(1, 0).Object->Image, (ImageRef{1, 0, 0, 0}));
    EXPECT_EQ(w.g.Cell(1, 0).Occupancy, CellObject);
    for (auto [x, y] : {std::pair{2, 0}, {1, 1}, {2, 1}}) {
        EXPECT_EQ(w.g.Cell(x, y).Occupancy, CellFree) << x << "," << y;
        EXPECT_TRUE(IsPassable(w.g, x, y, nullptr, 0));
    }
    EXPECT_EQ(w.g.Cell(2, 1).MinimapColor, w.g.Cell(2, 1).GroundColor);
}

TEST(WallsTest, TheWalkRepairsALongLineOfMismatchedPiecesOnASmallStack) {
    EditorWorld w(200, 200);
    // A serpentine of kind-0 decorations, all showing the wrong frame; one new
    // piece at its head makes the walk run its whole length.
    int pieces = 0;
    const auto put = [&](int x, int y) {
        auto o = std::make_unique<GameCellObjectType>();
        o->Image = {1, 0, 0, 7};
        w.g.Cell(x, y).Object = std::move(o);
        ++pieces;
    };
    for (int y = 0; y < 200; y += 2) {
        for (int x = 0; x < 200; ++x) put(x, y);
        if (y + 1 < 200) put((y / 2) % 2 ? 0 : 199, y + 1);
    }
    w.g.Cell(0, 0).Object.reset();
    ASSERT_TRUE(test::RunOnSmallStack([&] { PlaceWall(w.g, {0, 0}, kGrey, 0); }));
    int marked = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 200; ++y) {
            const GameCellType& c = w.g.Cell(x, y);
            if (!c.Object) continue;
            ++marked;
            EXPECT_EQ(c.Occupancy, CellObject);
            EXPECT_NE(c.Object->Image.Frame, 7) << x << "," << y;
        }
    EXPECT_EQ(marked, pieces);
    const Rows map = WallMap(w.g, 0);
    EXPECT_EQ(map[0].substr(0, 4), "0000");
    EXPECT_EQ(map[0][199], '3');
    EXPECT_EQ(map[1][199], '1');
    EXPECT_EQ(map[2][199], '4');
}

}  // namespace
}  // namespace tavrine
