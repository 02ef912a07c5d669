// The viewport's steps inside the real tick: edge scrolling and the cursor
// (step 2), the sliding panels (step 4) and the minimap (step 8).
#include <gtest/gtest.h>

#include "support/tick_world.h"
#include "view/panels.h"
#include "view/view_world.h"

namespace tavrine::test {
namespace {

struct ViewTicks : TickWorld {
    ViewTicks() : TickWorld(LandRows(80, 60)) {
        game.SetCursors(&cursors);
        PlacePanels(game.View().Panels, Run().DisplayWidth, Run().DisplayHeight);
        // Both sides stand, so the mission runs on.
        Tank(1, 58, SidePlayer);
        PlainBuilding(77, 1, SideComputer);
    }
    CursorLog cursors;
};

TEST(ViewStepsTest, TheMouseOnTheRightEdgeScrollsTheViewEachTick) {
    ViewTicks w;
    w.G().ViewX = 2080 - 50;
    w.Run().MouseMapX = w.G().ViewX + 799;
    w.Run().MouseMapY = w.G().ViewY + 300;
    w.Tick();
    EXPECT_EQ(w.G().ViewX, 2080 - 26);
    EXPECT_EQ(w.cursors.Last(), 3);
    w.Tick(2);
    EXPECT_EQ(w.G().ViewX, 2080);
    EXPECT_EQ(w.cursors.Last(), 3) << "the cursor is chosen before the scroll of the same tick";
    w.Tick();
    EXPECT_EQ(w.cursors.Last(), 11);
    EXPECT_EQ(w.Run().MouseMapX, 2080 + 799) << "the mouse kept its place on the screen";
}

TEST(ViewStepsTest, TheHoverCursorFollowsTheSelection) {
    ViewTicks w;
    w.Tank(10, 10, SideComputer);
    w.Run().MouseMapX = 10 * 36 + 18;
    w.Run().MouseMapY = 10 * 36 + 18;
    w.Tick();
    EXPECT_EQ(w.cursors.Last(), 21);
    w.G().UnitsSelected = 1;
    w.Tick();
    EXPECT_EQ(w.cursors.Last(), 19);
    w.Run().Outcome = OutcomeAccomplished;
    w.Tick();
    EXPECT_EQ(w.cursors.Last(), 17);
}

TEST(ViewStepsTest, TheMinimapIsRebuiltAndCompleteAfter32Ticks) {
    ViewTicks w;
    w.Run().MinimapState = 0;
    w.Tick();
    EXPECT_EQ(w.Run().MinimapState, 1);
    EXPECT_EQ(w.game.View().Minimap.Width, 160);
    EXPECT_TRUE(w.game.View().Panels.MinimapVisible);
    w.Tick(30);
    EXPECT_EQ(w.Run().MinimapState, 1);
    w.Tick();
    EXPECT_EQ(w.Run().MinimapState, 2);
    EXPECT_EQ(w.game.View().Minimap.At(0, 0), 0xFFFFFFFFu) << "the view frame at the top-left";
}

TEST(ViewStepsTest, PanelsSlideWhileTheGameRuns) {
    ViewTicks w;
    PanelState& p = w.game.View().Panels;
    p.MenuHeight = 120;
    p.MenuButtonDown = true;
    w.Tick(20);
    EXPECT_EQ(p.MenuTop, p.StatusBarTop - 120);
    p.MinimapButtonDown = false;
    w.Run().MinimapState = 2;
    p.MinimapTop = MinimapRestTop(w.G(), w.Run(), p);
    w.Tick(40);
    EXPECT_GE(p.MinimapTop, w.Run().DisplayHeight + 1);
}

}  // namespace
}  // namespace tavrine::test
