#include "editor/placing.h"

#include <gtest/gtest.h>

#include "editor_world.h"
#include "sim/grid.h"

namespace tavrine {
namespace {

using test::CentreX;
using test::CentreY;
using test::EditorWorld;

DropResult DropAt(EditorWorld& w, ImageRef picture, int x, int y) {
    return DropPicture(w.ctx, picture, CentreX(w.g, x), CentreY(w.g, y));
}

TEST(PlacingTest, GroundDropsChangeOnlyTheGroundAndItsColours) {
    EditorWorld w({"......", "......", "......"});
    test::PutObject(w.g, w.lib, 1, 1, {3, 1, 0, 0});
    w.g.Cell(1, 1).MinimapColor = 0x000080;
    const std::int32_t occupant = w.g.Cell(2, 2).Occupant;

    EXPECT_EQ(DropAt(w, {0, 0, 3, 4}, 2, 2), DropResult::Ground);
    const GameCellType& c = w.g.Cell(2, 2);
    EXPECT_EQ(c.Ground, (ImageRef{0, 0, 3, 4}));
    EXPECT_EQ(c.GroundColor, 0x800000u);
    EXPECT_EQ(c.MinimapColor, 0x800000u);
    EXPECT_EQ(c.Occupancy, CellObject);
    EXPECT_EQ(c.Occupant, occupant);
    EXPECT_TRUE(w.g.Cell(1, 1).Object);

    struct Case {
        ImageRef picture;
        Color colour;
    };
    for (const Case& k : {Case{{0, 1, 4, 0}, 0x008000}, Case{{0, 2, 0, 3}, 0xC0C0C0}, Case{{0, 2, 1, 3}, 0x008000},
                          Case{{0, 2, 2, 11}, 0x008000}}) {
        EXPECT_EQ(DropAt(w, k.picture, 0, 0), DropResult::Ground);
        EXPECT_EQ(w.g.Cell(0, 0).Ground, k.picture);
        EXPECT_EQ(w.g.Cell(0, 0).GroundColor, k.colour);
        EXPECT_EQ(w.g.Cell(0, 0).MinimapColor, k.colour);
    }
}

TEST(PlacingTest, TerrainPicturesBeyondTheGroundListsBecomeObjects) {
    EditorWorld w(6, 6);
    const int frame = test::AddPicture(w.lib, 0, 0, 5, 36, 36);
    EXPECT_EQ(DropAt(w, {0, 0, 5, frame}, 2, 2), DropResult::Object);
    ASSERT_TRUE(w.g.Cell(2, 2).Object);
    EXPECT_EQ(w.g.Cell(2, 2).Object->Image, (ImageRef{0, 0, 5, frame}));
    EXPECT_EQ(w.g.Cell(2, 2).Ground, (ImageRef{0, 0, 0, 0}));
    // A 36-pixel picture covers two cells each way.
    for (auto [x, y] : {std::pair{2, 2}, {3, 2}, {2, 3}, {3, 3}}) {
        EXPECT_EQ(w.g.Cell(x, y).MinimapColor, 0x00C000u);
        EXPECT_EQ(w.g.Cell(x, y).Occupancy, CellObject);
    }
}

TEST(PlacingTest, SceneryMarksItsCellWithTheColourOfItsList) {
    EditorWorld w(6, 2);
    test::AddPicture(w.lib, 1, 2, 4, 72, 72);
    for (int list = 0; list < 4; ++list) {
        EXPECT_EQ(DropAt(w, {1, 2, list, 0}, list, 0), DropResult::Scenery);
        EXPECT_EQ(w.g.Cell(list, 0).MinimapColor, w.run.ObjectColors[static_cast<std::size_t>(list)]);
    }
    EXPECT_EQ(DropAt(w, {1, 2, 4, 0}, 4, 0), DropResult::Scenery);
    EXPECT_EQ(w.g.Cell(4, 0).MinimapColor, w.run.ObjectColors[0]) << "lists beyond the colour table use the first";
    EXPECT_EQ(w.g.Cell(5, 0).Occupancy, CellFree) << "scenery covers only its own cell";
    EXPECT_EQ(w.g.Cell(4, 1).Occupancy, CellFree);
    const GameCellType& c = w.g.Cell(2, 0);
    EXPECT_EQ(c.Object->Image, (ImageRef{1, 2, 2, 0}));
    EXPECT_EQ(c.Object->DestroyTimer, -1);
    EXPECT_EQ(c.Object->Health, 100);
    EXPECT_EQ(c.Occupant, CellIndex(w.g, 2, 0));
    EXPECT_EQ(w.g.SelectedBuilding, -1) << "scenery is not selected";
}

TEST(PlacingTest, ObjectsCoverOneCellMoreThanTheirPictureAndAreSelected) {
    EditorWorld w(12, 8);
    const int frame = test::AddPicture(w.lib, 3, 0, 2, 72, 36);
    EXPECT_EQ(DropAt(w, {3, 0, 2, frame}, 4, 2), DropResult::Object);
    const std::int32_t anchor = CellIndex(w.g, 4, 2);
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 8; ++y) {
            const bool covered = x >= 4 && x <= 6 && y >= 2 && y <= 3;
            EXPECT_EQ(w.g.Cell(x, y).Occupancy, covered ? CellObject : CellFree) << x << "," << y;
            if (covered) {
                EXPECT_EQ(w.g.Cell(x, y).Occupant, anchor);
                EXPECT_EQ(w.g.Cell(x, y).MinimapColor, 0x00A0A0u);
            }
        }
    EXPECT_EQ(w.g.SelectedBuilding, anchor);
    const GameCellObjectType& o = *w.g.Cell(4, 2).Object;
    EXPECT_EQ(o.Image, (ImageRef{3, 0, 2, frame}));
    EXPECT_EQ(o.DestroyTimer, -1);
    EXPECT_EQ(o.Health, 100);
    EXPECT_EQ(o.TowerTarget, -1);
    EXPECT_EQ(o.RestFacing, frame);

    EXPECT_EQ(DropAt(w, {2, 1, 0, 9}, 0, 6), DropResult::Object);
    EXPECT_EQ(w.g.Cell(0, 6).MinimapColor, 0x000080u);
    EXPECT_EQ(w.g.Cell(0, 6).Object->RestFacing, 9);
    EXPECT_EQ(DropAt(w, {3, 2, 0, 0}, 9, 0), DropResult::Object);
    EXPECT_EQ(w.g.Cell(10, 1).MinimapColor, 0u) << "neutral buildings have no colour";
}

TEST(PlacingTest, AnObjectAtTheRightOrBottomEdgeIsClipped) {
    EditorWorld w(6, 5);
    const int wide = test::AddPicture(w.lib, 3, 1, 2, 72, 72);
    EXPECT_EQ(DropAt(w, {3, 1, 2, wide}, 4, 3), DropResult::ObjectClipped);
    for (int x = 4; x < 6; ++x)
        for (int y = 3; y < 5; ++y) EXPECT_EQ(w.g.Cell(x, y).Occupancy, CellObject);
    EXPECT_EQ(test::EditorInvariants(w.g), "");
    EXPECT_EQ(DropAt(w, {3, 1, 0, 0}, 5, 0), DropResult::ObjectClipped);
    EXPECT_EQ(w.g.Cell(5, 1).Occupant, CellIndex(w.g, 5, 0));
    EXPECT_EQ(DropAt(w, {2, 1, 0, 0}, 5, 4), DropResult::Object) << "a 35-pixel tower fits in one cell";
}

TEST(PlacingTest, ReplacingAnObjectReleasesItAndItsOldFootprint) {
    EditorWorld w(8, 8);
    const int big = test::AddPicture(w.lib, 3, 1, 2, 108, 108);
    EXPECT_EQ(DropAt(w, {3, 1, 2, big}, 2, 2), DropResult::Object);  // 4 x 4 cells
    const std::int32_t anchor = CellIndex(w.g, 2, 2);
    EXPECT_EQ(DropAt(w, {2, 0, 0, 3}, 2, 2), DropResult::Object);  // a one-cell tower on the same anchor
    EXPECT_EQ(w.g.Cell(2, 2).Object->Image, (ImageRef{2, 0, 0, 3}));
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) {
            const GameCellType& c = w.g.Cell(x, y);
            if (x == 2 && y == 2) {
                EXPECT_EQ(c.Occupancy, CellObject);
                continue;
            }
            EXPECT_FALSE(c.Occupancy == CellObject && c.Occupant == anchor) << "cell " << x << "," << y << " still tied";
            EXPECT_EQ(c.MinimapColor, c.GroundColor) << x << "," << y;
        }

    // Scenery dropped on a building's anchor reshapes it the same way.
    EXPECT_EQ(DropAt(w, {3, 0, 0, 0}, 5, 5), DropResult::Object);
    EXPECT_EQ(DropAt(w, {1, 2, 1, 0}, 5, 5), DropResult::Scenery);
    EXPECT_EQ(w.g.Cell(6, 6).Occupancy, CellFree);
    EXPECT_EQ(w.g.Cell(5, 5).Object->Image, (ImageRef{1, 2, 1, 0}));
    EXPECT_EQ(test::EditorInvariants(w.g), "");
}

TEST(PlacingTest, TankDropsCreateAStandingTank) {
    EditorWorld w({"....", "....", "...."});
    EXPECT_EQ(DropAt(w, {4, 1, 1, 5}, 2, 1), DropResult::Tank);
    ASSERT_EQ(w.g.Tanks.size(), 1u);
    const GameObjectType& t = *w.g.Tanks[0];
    EXPECT_EQ(t.Image, (ImageRef{4, 1, 1, 5}));
    EXPECT_EQ(t.TurretFacing, 5);
    EXPECT_EQ(t.X, 2 * 36 + 18 - test::kTankSize / 2);
    EXPECT_EQ(t.Y, 1 * 36 + 18 - test::kTankSize / 2);
    EXPECT_TRUE(t.Route.empty()) << "no roll-out";
    EXPECT_EQ(t.Order, -1);
    EXPECT_EQ(w.g.Cell(2, 1).Occupancy, CellTank);
    EXPECT_EQ(w.g.Cell(2, 1).Occupant, 0);
    EXPECT_EQ(w.g.EnemyTanksTotal, 1);
    EXPECT_EQ(w.run.EnemyTanks, 1);

    // A turret picture (frames 16..31) stands for the same facing.
    EXPECT_EQ(DropAt(w, {4, 0, 0, 20}, 0, 0), DropResult::Tank);
    EXPECT_EQ(w.g.Tanks[1]->HullFacing(), 4);
    EXPECT_EQ(w.g.Tanks[1]->TurretFacing, 4);
    EXPECT_EQ(w.g.OwnTanksTotal, 1);

    // On a building's footprint the cell keeps the building's mark.
    test::PutObject(w.g, w.lib, 2, 1, {3, 1, 1, 0});
    EXPECT_EQ(DropAt(w, {4, 0, 0, 0}, 3, 2), DropResult::Tank);
    EXPECT_EQ(w.g.Cell(3, 2).Occupancy, CellObject);
    EXPECT_EQ(test::EditorInvariants(w.g), "");
}

TEST(PlacingTest, DropsOffTheMapOrOfUnknownPicturesAreIgnored) {
    EditorWorld w(3, 3);
    const int edge = 3 * 36;
    for (auto [x, y] : {std::pair{-1, 5}, {5, -1}, {edge, 5}, {5, edge}, {-36, -36}}) {
        EXPECT_EQ(DropPicture(w.ctx, {4, 0, 0, 0}, x, y), DropResult::Ignored) << x << "," << y;
        EXPECT_EQ(DropPicture(w.ctx, {0, 1, 0, 0}, x, y), DropResult::Ignored);
    }
    for (ImageRef missing : {ImageRef{5, 0, 0, 0}, ImageRef{4, 0, 0, 99}, ImageRef{3, 9, 0, 0}, ImageRef{0, -1, 0, 0},
                             ImageRef{1, 0, 0, 11}})
        EXPECT_EQ(DropPicture(w.ctx, missing, 40, 40), DropResult::Ignored);
    EXPECT_TRUE(w.g.Tanks.empty());
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 3; ++y) {
            EXPECT_FALSE(w.g.Cell(x, y).Object);
            EXPECT_EQ(w.g.Cell(x, y).Ground, (ImageRef{0, 0, 0, 0}));
        }
    EXPECT_EQ(DropPicture(w.ctx, {0, 1, 0, 0}, edge - 1, edge - 1), DropResult::Ground) << "the last pixel is on the map";
}

}  // namespace
}  // namespace tavrine
