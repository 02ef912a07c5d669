#include <gtest/gtest.h>

#include <limits>

#include "view/scroll.h"
#include "view/view_world.h"

namespace tavrine::test {
namespace {

TEST(ScrollByTest, TheMouseMovesWithTheViewByWhatTheViewReallyMoved) {
    ViewWorld w(80, 60);
    w.g.ViewX = 30;
    w.g.ViewY = 500;
    w.run.MouseMapX = 130;
    w.run.MouseMapY = 600;
    ScrollBy(w.g, w.run, -100, 0);
    EXPECT_EQ(w.g.ViewX, 0);
    EXPECT_EQ(w.run.MouseMapX, 100);
    EXPECT_EQ(w.g.ViewY, 500);
    EXPECT_EQ(w.run.MouseMapY, 600);

    ScrollBy(w.g, w.run, 5000, 5000);
    EXPECT_EQ(w.g.ViewX, 2880 - 800);
    EXPECT_EQ(w.g.ViewY, 2160 - 600);
    EXPECT_EQ(w.run.MouseMapX, 100 + 2080);
    EXPECT_EQ(w.run.MouseMapY, 600 + 1060);
}

TEST(ScrollByTest, NoDistanceNoChangeEvenOffTheMap) {
    ViewWorld w(80, 60);
    w.g.ViewX = -50;  // as a foreign file may leave it
    ScrollBy(w.g, w.run, 0, 0);
    EXPECT_EQ(w.g.ViewX, -50);
    ScrollBy(w.g, w.run, 0, 1);
    EXPECT_EQ(w.g.ViewX, 0);
}

TEST(ScrollByTest, ASmallMapIsNotCentredByScrolling) {
    ViewWorld w(10, 10);  // 360 x 360 under 800 x 600
    ScrollBy(w.g, w.run, 24, 0);
    EXPECT_EQ(w.g.ViewX, 360 - 800) << "the far edge wins, as in the view's clamp before centring";
    EXPECT_EQ(w.g.ViewY, 360 - 600);
}

TEST(ScrollByTest, ExtremeDistancesDoNotOverflow) {
    ViewWorld w(80, 60);
    w.run.MouseMapX = std::numeric_limits<std::int32_t>::max() - 10;
    ScrollBy(w.g, w.run, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(w.g.ViewX, 2080);
    EXPECT_EQ(w.g.ViewY, 0);
    EXPECT_EQ(w.run.MouseMapX, std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace tavrine::test
