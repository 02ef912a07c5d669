#include <gtest/gtest.h>

#include "view/minimap.h"
#include "view/panels.h"
#include "view/view_world.h"

namespace tavrine::test {
namespace {

constexpr std::uint32_t kBlackPixel = 0xFF000000u, kWhitePixel = 0xFFFFFFFFu;
constexpr std::uint32_t kLand = 0xFF008000u;  // 0x008000 as a pixel

struct MinimapWorld : ViewWorld {
    MinimapWorld(std::int32_t columns, std::int32_t rows) : ViewWorld(columns, rows) {
        PlacePanels(view.Panels, run.DisplayWidth, run.DisplayHeight);
    }
    void Update(int ticks = 1) {
        for (int i = 0; i < ticks; ++i) UpdateMinimap(g, run, view, false);
    }
    /// The rows of cells that have been painted (any pixel not black).
    std::vector<std::int32_t> PaintedRows() const {
        std::vector<std::int32_t> rows;
        const std::int32_t zoom = run.MinimapZoom2 ? 2 : 1;
        for (std::int32_t y = 0; y < g.Rows; ++y)
            if (view.Minimap.At(0, y * zoom) != kBlackPixel) rows.push_back(y);
        return rows;
    }
    ViewState view;
};

TEST(MinimapTest, TheSweepRunsFromTheMiddleRowsOutward) {
    MinimapWorld w(80, 60);
    w.Update();  // the rebuild
    EXPECT_EQ(w.view.Minimap.Width, 160);
    EXPECT_EQ(w.view.Minimap.Height, 120);
    EXPECT_EQ(w.run.MinimapState, 1);
    EXPECT_TRUE(w.PaintedRows().empty()) << "cleared to black";
    EXPECT_TRUE(w.view.Panels.MinimapVisible);
    EXPECT_EQ(w.view.Panels.MinimapLeft, 800 - 164 - 1);
    EXPECT_EQ(w.view.Panels.MinimapTop, w.view.Panels.StatusBarTop - 124);
    EXPECT_EQ(w.view.Panels.MinimapTop, MinimapRestTop(w.g, w.run, w.view.Panels));

    w.Update();
    EXPECT_EQ(w.PaintedRows(), (std::vector<std::int32_t>{30, 31}));
    w.Update();
    EXPECT_EQ(w.PaintedRows(), (std::vector<std::int32_t>{29, 30, 31, 32}));
    w.Update(28);
    EXPECT_EQ(w.run.MinimapState, 1) << "30 sweep ticks: row 0 not yet painted";
    w.Update();
    EXPECT_EQ(w.run.MinimapState, 2) << "complete after 31 ticks";
    EXPECT_EQ(w.PaintedRows().size(), 60u);
    EXPECT_EQ(w.run.MinimapFrame, (CellRect{0, 0, 22, 16}));

    // The next tick starts over from the middle.
    w.g.Cell(0, 30).MinimapColor = 0x0000FF;
    w.g.Cell(0, 0).MinimapColor = 0x0000FF;
    w.Update();
    EXPECT_EQ(w.view.Minimap.At(0, 60), 0xFFFF0000u);
    EXPECT_EQ(w.view.Minimap.At(1, 1), kLand) << "row 0 waits for the end of the pass";
}

TEST(MinimapTest, WithoutZoomOnePixelPerCell) {
    MinimapWorld w(41, 31);
    w.run.MinimapZoom2 = 0;
    w.Update();
    EXPECT_EQ(w.view.Minimap.Width, 41);
    EXPECT_EQ(w.view.Minimap.Height, 31);
    w.Update();
    EXPECT_EQ(w.PaintedRows(), (std::vector<std::int32_t>{15, 16}));
    w.Update(15);
    EXPECT_EQ(w.run.MinimapState, 2);
    EXPECT_EQ(w.PaintedRows().size(), 31u) << "the odd last row is painted too";
}

TEST(MinimapTest, TheViewFrameIsWhiteAndFollowsTheView) {
    MinimapWorld w(80, 60);
    w.Update(32);
    const MinimapPicture& p = w.view.Minimap;
    // Frame (0, 0, 22, 16) with zoom: the outline through (0, 0) and (45, 33).
    EXPECT_EQ(p.At(0, 0), kWhitePixel);
    EXPECT_EQ(p.At(45, 33), kWhitePixel);
    EXPECT_EQ(p.At(20, 33), kWhitePixel);
    EXPECT_EQ(p.At(45, 10), kWhitePixel);
    EXPECT_EQ(p.At(1, 1), kLand) << "inside the outline";
    EXPECT_EQ(p.At(46, 10), kLand);

    // A sweep over the frame's rows keeps the outline.
    w.Update(31);
    EXPECT_EQ(p.At(20, 0), kWhitePixel);
    EXPECT_EQ(p.At(0, 20), kWhitePixel);

    // The view moves by 10 cells right and 5 down: the old outline is gone.
    w.g.ViewX = 360;
    w.g.ViewY = 180;
    w.Update();
    EXPECT_EQ(w.run.MinimapFrame, (CellRect{10, 5, 32, 21}));
    EXPECT_EQ(p.At(0, 0), kLand);
    EXPECT_EQ(p.At(5, 33), kLand);
    EXPECT_EQ(p.At(20, 10), kWhitePixel);
    EXPECT_EQ(p.At(65, 43), kWhitePixel);
    EXPECT_EQ(p.At(21, 11), kLand);
}

TEST(MinimapTest, TheFrameStopsAtTheLastColumnAndRow) {
    MinimapWorld w(40, 30);
    w.g.ViewX = 1440 - 800;
    w.g.ViewY = 1080 - 600;
    w.Update(17);
    EXPECT_EQ(w.run.MinimapState, 2);
    EXPECT_EQ(w.run.MinimapFrame, (CellRect{17, 13, 39, 29}));
    EXPECT_EQ(w.view.Minimap.At(79, 59), kWhitePixel);
}

TEST(MinimapTest, FogIsBlackInPlayUntilTheMissionIsWon) {
    MinimapWorld w(40, 30);
    w.g.Cell(3, 15).Hidden = 1;
    w.Update(2);
    EXPECT_EQ(w.view.Minimap.At(6, 30), kBlackPixel);
    EXPECT_EQ(w.view.Minimap.At(8, 30), kLand);
    EXPECT_EQ(MinimapCellColor(w.g, w.run, 3, 15, false), 0u);

    w.run.Outcome = OutcomeFailed;
    EXPECT_EQ(MinimapCellColor(w.g, w.run, 3, 15, false), 0u);
    w.run.Outcome = OutcomeAccomplished;
    EXPECT_EQ(MinimapCellColor(w.g, w.run, 3, 15, false), 0x008000u) << "a won mission reveals the map";

    w.run.Outcome = OutcomeRunning;
    w.run.EditMode = 1;
    EXPECT_EQ(MinimapCellColor(w.g, w.run, 3, 15, false), 0x008000u) << "the editor shows fog on request only";
    EXPECT_EQ(MinimapCellColor(w.g, w.run, 3, 15, true), 0u);
}

TEST(MinimapTest, AReplacedMapIsRebuiltInsteadOfPaintedOutOfBounds) {
    MinimapWorld w(80, 60);
    w.Update(40);
    w.g = MakeMap(std::vector<std::string>(100, std::string(120, '.')));
    w.Update();
    EXPECT_EQ(w.view.Minimap.Width, 240);
    EXPECT_EQ(w.run.MinimapState, 1);
}

TEST(MinimapTest, TheZoomButtonRebuildsInTheOtherSize) {
    MinimapWorld w(80, 60);
    w.Update(40);
    ToggleMinimapZoom(w.run);
    EXPECT_EQ(w.run.MinimapState, 0);
    w.Update();
    EXPECT_EQ(w.view.Minimap.Width, 80);
    EXPECT_EQ(w.view.Panels.MinimapWidth, 84);
    EXPECT_EQ(w.view.Panels.MinimapTop, MinimapRestTop(w.g, w.run, w.view.Panels));
    ToggleMinimapZoom(w.run);
    w.Update();
    EXPECT_EQ(w.view.Minimap.Height, 120);
}

TEST(MinimapTest, TheTitleKeepsThePanelHidden) {
    MinimapWorld w(40, 30);
    w.run.TitleShown = 1;
    w.Update();
    EXPECT_FALSE(w.view.Panels.MinimapVisible);
}

TEST(MinimapClickTest, APressCentresItsCell) {
    MinimapWorld w(80, 60);
    w.g.ViewX = 700;
    w.g.ViewY = 700;
    w.run.MouseMapX = 750;
    MiniMapMouseDown(w.g, w.run, 81, 61);  // cell (40, 30) with zoom
    EXPECT_EQ(w.g.ViewX, 40 * 36 - 400);
    EXPECT_EQ(w.g.ViewY, 30 * 36 - 300);
    EXPECT_EQ(w.run.MouseMapX, 750 + 40 * 36 - 400 - 700);

    MiniMapMouseDown(w.g, w.run, 2, 2);  // cell (1, 1): as far as the map allows
    EXPECT_EQ(w.g.ViewX, 0);
    EXPECT_EQ(w.g.ViewY, 0);

    w.run.MinimapZoom2 = 0;
    MiniMapMouseDown(w.g, w.run, 79, 59);
    EXPECT_EQ(w.g.ViewX, 2880 - 800);
    EXPECT_EQ(w.g.ViewY, 2160 - 600);
}

TEST(MinimapClickTest, DraggingMovesTheViewAndMovingStopsEdgeScrolling) {
    MinimapWorld w(80, 60);
    w.run.ScrollDX = 24;
    w.run.ScrollDY = -24;
    MiniMapMouseMove(w.g, w.run, 100, 100, false);
    EXPECT_EQ(w.run.ScrollDX, 0);
    EXPECT_EQ(w.run.ScrollDY, 0);
    EXPECT_EQ(w.g.ViewX, 0) << "no button: no scroll";
    MiniMapMouseMove(w.g, w.run, 100, 100, true);
    EXPECT_EQ(w.g.ViewX, 50 * 36 - 400);
}

TEST(PanelsTest, PlacedAtInitialisation) {
    PanelState p;
    p.StatusBarHeight = 22;
    PlacePanels(p, 1024, 768);
    EXPECT_EQ(p.StatusBarLeft, 1);
    EXPECT_EQ(p.StatusBarTop, 768 - 22 - 1);
    EXPECT_EQ(p.StatusBarWidth, 1022);
    EXPECT_EQ(p.MenuTop, 769) << "just below the surface";
}

TEST(PanelsTest, TheMinimapSlidesInByThirdsAndAsksForARebuildOnArrival) {
    MinimapWorld w(80, 60);
    PanelState& p = w.view.Panels;
    const std::int32_t rest = MinimapRestTop(w.g, w.run, p);
    EXPECT_EQ(rest, 600 - 120 - 22 - 5);
    p.MinimapTop = 601;
    w.run.MinimapState = 2;
    std::vector<std::int32_t> tops;
    for (int i = 0; i < 30 && p.MinimapTop != rest; ++i) {
        EXPECT_EQ(w.run.MinimapState, 2) << "not before it arrives";
        SlidePanels(w.g, w.run, p);
        tops.push_back(p.MinimapTop);
    }
    EXPECT_EQ((std::vector<std::int32_t>(tops.begin(), tops.begin() + 4)), (std::vector<std::int32_t>{552, 519, 497, 483}));
    EXPECT_EQ(p.MinimapTop, rest);
    EXPECT_EQ(w.run.MinimapState, 0);
    w.run.MinimapState = 2;
    SlidePanels(w.g, w.run, p);
    EXPECT_EQ(p.MinimapTop, rest) << "at rest it stays";
    EXPECT_EQ(w.run.MinimapState, 2);
}

TEST(PanelsTest, TheMinimapLeavesFasterAndFaster) {
    MinimapWorld w(80, 60);
    PanelState& p = w.view.Panels;
    p.MinimapButtonDown = false;
    p.MinimapTop = MinimapRestTop(w.g, w.run, p);
    std::vector<std::int32_t> steps;
    while (p.MinimapTop < 601) {
        const std::int32_t before = p.MinimapTop;
        SlidePanels(w.g, w.run, p);
        steps.push_back(p.MinimapTop - before);
        ASSERT_LT(steps.size(), 100u);
    }
    EXPECT_EQ(steps.front(), 1);
    EXPECT_GT(steps.back(), 10);
    const std::int32_t out = p.MinimapTop;
    SlidePanels(w.g, w.run, p);
    EXPECT_EQ(p.MinimapTop, out) << "once below the surface it stays";
}

TEST(PanelsTest, TheMenuSlidesUpOntoTheStatusBarAndBackDown) {
    MinimapWorld w(80, 60);
    PanelState& p = w.view.Panels;
    p.MenuHeight = 100;
    p.MenuButtonDown = true;
    std::vector<std::int32_t> tops;
    for (int i = 0; i < 30; ++i) {
        SlidePanels(w.g, w.run, p);
        tops.push_back(p.MenuTop);
    }
    EXPECT_EQ((std::vector<std::int32_t>(tops.begin(), tops.begin() + 3)), (std::vector<std::int32_t>{560, 533, 515}));
    EXPECT_EQ(p.MenuTop, p.StatusBarTop - p.MenuHeight) << "its bottom on the status bar";
    p.MenuButtonDown = false;
    for (int i = 0; i < 40; ++i) SlidePanels(w.g, w.run, p);
    EXPECT_GE(p.MenuTop, 601);
}

}  // namespace
}  // namespace tavrine::test
