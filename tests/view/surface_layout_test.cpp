#include <gtest/gtest.h>

#include "view/minimap.h"
#include "view/panel_layout.h"
#include "view/panels.h"
#include "view/view_world.h"

namespace tavrine::test {
namespace {

// One row per surface: the scale the automatic setting picks, and the panels as
// the display initialisation and the first minimap rebuild place them for a
// 200 by 150 map (one pixel per cell chosen).
struct SurfaceCase {
    std::int32_t Width, Height;
    std::int32_t Scale;
    PanelRect StatusBar, Menu, Minimap;
};

TEST(SurfaceLayoutTest, PanelsAndScaleFollowTheSurface) {
    const SurfaceCase cases[] = {
        {640, 480, 1, {1, 455, 638, 24}, {1, 481, 132, 184}, {439, 304, 200, 151}},
        {800, 600, 1, {1, 575, 798, 24}, {1, 601, 132, 184}, {595, 421, 204, 154}},
        {1024, 768, 1, {1, 743, 1022, 24}, {1, 769, 132, 184}, {819, 589, 204, 154}},
        {1366, 768, 1, {1, 743, 1364, 24}, {1, 769, 132, 184}, {1161, 589, 204, 154}},
        {1920, 1080, 1, {1, 1055, 1918, 24}, {1, 1081, 132, 184}, {1715, 901, 204, 154}},
        {1920, 1200, 1, {1, 1175, 1918, 24}, {1, 1201, 132, 184}, {1715, 1021, 204, 154}},
        {2560, 1440, 2, {1, 1391, 2558, 48}, {1, 1441, 264, 368}, {2155, 1087, 404, 304}},
        {3840, 2160, 2, {1, 2111, 3838, 48}, {1, 2161, 264, 368}, {3435, 1807, 404, 304}},
    };
    for (const SurfaceCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height));
        ViewWorld w(200, 150);
        w.run.DisplayWidth = c.Width;
        w.run.DisplayHeight = c.Height;
        w.run.MinimapZoom2 = 0;
        ViewState view;
        view.Panels.StatusBarHeight = kStatusBarHeight;
        view.Panels.MenuHeight = kMenuHeight;
        SetInterfaceScale(view.Panels, InterfaceScaleFor(0, c.Height, 1.0));
        PlacePanels(view.Panels, c.Width, c.Height);
        UpdateMinimap(w.g, w.run, view, false);
        const PanelState& p = view.Panels;
        EXPECT_EQ(p.Scale, c.Scale);
        EXPECT_EQ(StatusBarRect(p), c.StatusBar);
        EXPECT_EQ(MenuRect(p), c.Menu);
        EXPECT_EQ(MinimapPanelRect(p), c.Minimap);
        // Within a third of the width and of the height above the status bar.
        EXPECT_LE(3 * p.MinimapWidth, c.Width);
        EXPECT_LE(3 * p.MinimapHeight, p.StatusBarTop);
        EXPECT_EQ(p.MinimapTop, MinimapRestTop(w.g, w.run, p));
        // Every shown pixel maps back to the cell drawn there, corners included.
        std::vector<std::uint32_t> shown(static_cast<std::size_t>(p.MinimapShownWidth) * p.MinimapShownHeight);
        for (std::size_t i = 0; i < view.Minimap.Pixels.size(); ++i)
            view.Minimap.Pixels[i] = static_cast<std::uint32_t>(i);
        ScaleMinimap(view.Minimap, p.MinimapShownWidth, p.MinimapShownHeight, shown.data());
        for (const auto& [sx, sy] : {std::pair{0, 0}, std::pair{p.MinimapShownWidth - 1, p.MinimapShownHeight - 1},
                                     std::pair{p.MinimapShownWidth / 2, p.MinimapShownHeight / 3}}) {
            const std::int32_t px = ShownToPicture(sx, p.MinimapShownWidth, view.Minimap.Width);
            const std::int32_t py = ShownToPicture(sy, p.MinimapShownHeight, view.Minimap.Height);
            EXPECT_EQ(shown[static_cast<std::size_t>(sy) * p.MinimapShownWidth + sx], view.Minimap.At(px, py));
        }
        EXPECT_EQ(ShownToPicture(p.MinimapShownWidth - 1, p.MinimapShownWidth, view.Minimap.Width), 199);
        // The view's white frame stays whole at every shown size, wherever it lies.
        while (w.run.MinimapState != 2) UpdateMinimap(w.g, w.run, view, false);
        for (std::int32_t k = 0; k + c.Height / 36 < 150; k += 3) {
            w.g.ViewX = k * 36 / 2;
            w.g.ViewY = k * 36;
            UpdateViewFrame(w.g, w.run, view.Minimap, false);
            ScaleMinimap(view.Minimap, p.MinimapShownWidth, p.MinimapShownHeight, shown.data());
            const auto white = [&](std::int32_t x, std::int32_t y) {
                return shown[static_cast<std::size_t>(y) * p.MinimapShownWidth + x] == 0xFFFFFFFFu;
            };
            std::int32_t left = p.MinimapShownWidth, right = -1, top = p.MinimapShownHeight, bottom = -1;
            for (std::int32_t y = 0; y < p.MinimapShownHeight; ++y)
                for (std::int32_t x = 0; x < p.MinimapShownWidth; ++x)
                    if (white(x, y)) {
                        left = std::min(left, x), right = std::max(right, x);
                        top = std::min(top, y), bottom = std::max(bottom, y);
                    }
            ASSERT_LT(left, right);
            bool whole = true;
            for (std::int32_t x = left; x <= right; ++x) whole = whole && white(x, top) && white(x, bottom);
            for (std::int32_t y = top; y <= bottom; ++y) whole = whole && white(left, y) && white(right, y);
            EXPECT_TRUE(whole) << "view at cell " << k / 2 << ", " << k;
        }
    }
    EXPECT_EQ(InterfaceScaleFor(0, 768, 2.0), 2) << "a dense screen";
    EXPECT_EQ(InterfaceScaleFor(1, 2160, 2.0), 1);
    EXPECT_EQ(InterfaceScaleFor(2, 480, 1.0), 2);
}

}  // namespace
}  // namespace tavrine::test
