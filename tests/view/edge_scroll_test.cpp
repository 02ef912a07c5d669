#include <gtest/gtest.h>

#include "view/edge_scroll.h"
#include "view/scroll.h"
#include "view/view_world.h"

namespace tavrine::test {
namespace {

// An 80 x 60 map is 2880 x 2160 pixels under the 800 x 600 surface.
constexpr std::int32_t kFarX = 2880 - 800, kFarY = 2160 - 600;

struct EdgeCase {
    const char* name;
    std::int32_t mouseX, mouseY;  ///< screen pixel
    std::int32_t dx, dy;          ///< expected velocity in steps; 0 = left as it was (7)
    int cursor;                   ///< with the view in the middle of the map
    std::int32_t viewX, viewY;    ///< a view touching the border(s) of the zone
    int blocked;
};

TEST(EdgeScrollTest, EveryZoneSetsItsVelocityAndCursor) {
    const EdgeCase cases[] = {
        {"top-left", 0, 0, -1, -1, 5, 0, 0, 13},
        {"top-right", 799, 0, 1, -1, 6, kFarX, 0, 14},
        {"bottom-right", 799, 599, 1, 1, 7, kFarX, kFarY, 15},
        {"bottom-left", 0, 599, -1, 1, 8, 0, kFarY, 16},
        {"left", 0, 300, -1, 0, 1, 0, 500, 9},
        {"top", 400, 0, 0, -1, 2, 500, 0, 10},
        {"right", 799, 300, 1, 0, 3, kFarX, 500, 11},
        {"bottom", 400, 599, 0, 1, 4, 500, kFarY, 12},
    };
    for (const EdgeCase& c : cases) {
        for (const bool atBorder : {false, true}) {
            ViewWorld w(80, 60);
            w.g.ViewX = atBorder ? c.viewX : 1000;
            w.g.ViewY = atBorder ? c.viewY : 700;
            w.run.ScrollDX = w.run.ScrollDY = 7;
            w.MouseAtScreen(c.mouseX, c.mouseY);
            CursorLog cursors;
            SimContext ctx = w.Ctx();
            EdgeScroll(ctx, cursors);
            SCOPED_TRACE(std::string(c.name) + (atBorder ? " at the border" : " in the middle"));
            EXPECT_EQ(cursors.Last(), atBorder ? c.blocked : c.cursor);
            EXPECT_EQ(w.run.ScrollDX, c.dx ? c.dx * 24 : 7);
            EXPECT_EQ(w.run.ScrollDY, c.dy ? c.dy * 24 : 7);
        }
    }
}

TEST(EdgeScrollTest, ACornerIsBlockedOnlyWhenBothBordersAreReached) {
    ViewWorld w(80, 60);
    w.g.ViewX = 0;
    w.g.ViewY = 300;  // at the left border, free upward
    w.MouseAtScreen(0, 0);
    CursorLog cursors;
    SimContext ctx = w.Ctx();
    EdgeScroll(ctx, cursors);
    EXPECT_EQ(cursors.Last(), 5);
}

TEST(EdgeScrollTest, TheCornerOfTheMapScrollsNowhere) {
    ViewWorld w(80, 60);
    w.MouseAtScreen(0, 0);
    CursorLog cursors;
    SimContext ctx = w.Ctx();
    EdgeScroll(ctx, cursors);
    ScrollBy(w.g, w.run, w.run.ScrollDX, w.run.ScrollDY);
    EXPECT_EQ(cursors.Last(), 13);
    EXPECT_EQ(w.g.ViewX, 0);
    EXPECT_EQ(w.g.ViewY, 0);
    EXPECT_EQ(w.run.MouseMapX, 0) << "the mouse stays on the corner";
}

TEST(EdgeScrollTest, TheLeftEdgeScrollsStepByStepUntilTheBorder) {
    ViewWorld w(80, 60);
    w.g.ViewX = 100;
    w.g.ViewY = 500;
    w.MouseAtScreen(0, 300);
    CursorLog cursors;
    std::vector<std::int32_t> views;
    for (int tick = 0; tick < 7; ++tick) {
        SimContext ctx = w.Ctx();
        EdgeScroll(ctx, cursors);
        ScrollBy(w.g, w.run, w.run.ScrollDX, w.run.ScrollDY);
        views.push_back(w.g.ViewX);
    }
    EXPECT_EQ(views, (std::vector<std::int32_t>{76, 52, 28, 4, 0, 0, 0}));
    EXPECT_EQ(cursors.shown, (std::vector<int>{1, 1, 1, 1, 1, 9, 9}));
    EXPECT_EQ(w.run.MouseMapX, 0) << "the mouse kept its place on the screen";
    EXPECT_EQ(w.g.ViewY, 500);
}

TEST(EdgeScrollTest, TitleAndResultShowThePointerAndLeaveTheVelocity) {
    for (const bool title : {true, false}) {
        ViewWorld w(80, 60);
        w.run.TitleShown = title;
        w.run.Outcome = title ? OutcomeRunning : OutcomeFailed;
        w.MouseAtScreen(0, 0);
        CursorLog cursors;
        SimContext ctx = w.Ctx();
        EdgeScroll(ctx, cursors);
        EXPECT_EQ(cursors.Last(), 17);
        EXPECT_EQ(w.run.ScrollDX, 0);
    }
}

// Away from the edges the cursor says what a click would do. The map:
//   column 2 water; a wall at (5, 5); the player's factory at (8, 5) and the
//   computer's at (12, 5) (2 x 2 cells each); tanks at (3, 10) (player) and
//   (6, 10) (computer).
struct HoverWorld : ViewWorld {
    HoverWorld() : ViewWorld(Rows()) {
        PutObject(g, lib, 5, 5, ImageRef{KindDecoration, 0, 0, 0});
        PutObject(g, lib, 8, 5, ImageRef{KindBuilding, 0, BuildingFactory, 0});
        PutObject(g, lib, 12, 5, ImageRef{KindBuilding, 1, BuildingFactory, 0});
        PutTank(g, lib, 3, 10, 0);
        PutTank(g, lib, 6, 10, 1);
        g.ViewX = g.ViewY = 0;
    }
    static std::vector<std::string> Rows() {
        std::vector<std::string> rows(30, std::string(40, '.'));
        for (auto& row : rows) row[2] = '~';
        return rows;
    }
    int At(std::int32_t x, std::int32_t y, bool selected) {
        g.UnitsSelected = selected;
        run.MouseMapX = x;
        run.MouseMapY = y;
        CursorLog cursors;
        SimContext ctx = Ctx();
        EdgeScroll(ctx, cursors);
        return cursors.Last();
    }
};

TEST(HoverCursorTest, WhatLiesUnderTheMouse) {
    HoverWorld w;
    const std::int32_t c = 36;
    EXPECT_EQ(w.At(1 * c + 18, 1 * c + 18, false), 17) << "open land";
    EXPECT_EQ(w.At(1 * c + 18, 1 * c + 18, true), 18);
    EXPECT_EQ(w.At(2 * c + 18, 1 * c + 18, true), 20) << "water cannot be driven to";
    EXPECT_EQ(w.At(3 * c + 18, 10 * c + 18, false), 21) << "own tank";
    EXPECT_EQ(w.At(3 * c + 18, 10 * c + 18, true), 21);
    EXPECT_EQ(w.At(6 * c + 18, 10 * c + 18, false), 21) << "enemy tank, nothing selected";
    EXPECT_EQ(w.At(6 * c + 18, 10 * c + 18, true), 19);
    EXPECT_EQ(w.At(5 * c + 18, 5 * c + 18, true), 20) << "a wall";
    EXPECT_EQ(w.At(5 * c + 18, 5 * c + 18, false), 20);
    EXPECT_EQ(w.At(8 * c + 40, 5 * c + 40, true), 21) << "own factory";
    EXPECT_EQ(w.At(12 * c + 40, 5 * c + 40, true), 19) << "enemy factory";
    EXPECT_EQ(w.At(12 * c + 40, 5 * c + 40, false), 21);
    // The factory's picture is 71 pixels: its footprint's last pixel column and
    // its first (the hit test is strict) are ground.
    EXPECT_EQ(w.At(12 * c + 71, 5 * c + 40, true), 18);
    EXPECT_EQ(w.At(12 * c, 5 * c + 40, false), 17);
}

TEST(HoverCursorTest, FogHidesEverythingInPlayButNotWhileEditing) {
    HoverWorld w;
    w.g.Cell(6, 10).Hidden = 1;
    const std::int32_t x = 6 * 36 + 18, y = 10 * 36 + 18;
    EXPECT_EQ(w.At(x, y, true), 18) << "a hidden enemy tank is just a place to go";
    EXPECT_EQ(w.At(x, y, false), 17);
    w.run.EditMode = 1;
    EXPECT_EQ(w.At(x, y, true), 19);
}

TEST(HoverCursorTest, BeyondACentredMapNothingCanBeReached) {
    ViewWorld w(10, 10);  // 360 x 360 under 800 x 600: centred, origin negative
    w.g.ViewX = -220;
    w.g.ViewY = -120;
    w.g.UnitsSelected = 1;
    w.MouseAtScreen(700, 300);  // map x 480, past the last column
    CursorLog cursors;
    SimContext ctx = w.Ctx();
    EdgeScroll(ctx, cursors);
    EXPECT_EQ(cursors.Last(), 20);
    w.g.UnitsSelected = 0;
    EdgeScroll(ctx, cursors);
    EXPECT_EQ(cursors.Last(), 17);
}

TEST(HoverCursorTest, AStaleObjectMarkCountsAsGround) {
    HoverWorld w;
    w.g.Cell(20, 20).Occupancy = CellObject;
    w.g.Cell(20, 20).Occupant = 999999;  // no such cell, as a foreign file may say
    EXPECT_EQ(w.At(20 * 36 + 18, 20 * 36 + 18, true), 18);
}

}  // namespace
}  // namespace tavrine::test
