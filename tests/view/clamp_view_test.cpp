#include <gtest/gtest.h>

#include <limits>

#include "state/new_map.h"
#include "view/viewport.h"

namespace tavrine {
namespace {

struct View {
    GameType g;
    RunState run;

    View(std::int32_t columns, std::int32_t rows) { NewMap(g, run, columns, rows, 1, 0); }
    std::pair<std::int32_t, std::int32_t> Clamped(std::int32_t x, std::int32_t y) {
        g.ViewX = x;
        g.ViewY = y;
        ClampView(g, run);
        return {g.ViewX, g.ViewY};
    }
};

using XY = std::pair<std::int32_t, std::int32_t>;

TEST(ClampViewTest, KeepsTheViewInsideALargeMap) {
    View v(80, 60);  // 2880 by 2160 pixels under an 800 by 600 surface
    EXPECT_EQ(v.Clamped(100, 200), (XY{100, 200})) << "inside: unchanged";
    EXPECT_EQ(v.Clamped(-5, -1), (XY{0, 0}));
    EXPECT_EQ(v.Clamped(2081, 1561), (XY{2080, 1560})) << "the surface ends at the map's far edges";
    EXPECT_EQ(v.Clamped(2080, 1560), (XY{2080, 1560}));
    const auto big = std::numeric_limits<std::int32_t>::max();
    const auto small = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(v.Clamped(big, small), (XY{2080, 0})) << "any origin a file may hold";
}

TEST(ClampViewTest, CentresAMapSmallerThanTheSurface) {
    View v(3, 20);  // 108 by 720 pixels
    v.run.DisplayWidth = 801;
    EXPECT_EQ(v.Clamped(50, 9999), (XY{-346, 120})) << "(108 - 801) / 2 truncates toward zero; rows clamp as usual";
    EXPECT_EQ(v.Clamped(-50, -1), (XY{-346, 0}));

    View exact(20, 15);  // 720 by 540 under 720 by 540: both fit exactly
    exact.run.DisplayWidth = 720;
    exact.run.DisplayHeight = 540;
    EXPECT_EQ(exact.Clamped(30, -30), (XY{0, 0}));

    View none(0, 0);
    EXPECT_EQ(none.Clamped(7, 7), (XY{-400, -300}));
}

}  // namespace
}  // namespace tavrine
