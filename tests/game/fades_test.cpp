// The gamma fades: their 51 steps, the ramps they set, the sleeps between them,
// and when they do nothing; and the fade-in at the end of the first tick.
#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "support/tick_world.h"

namespace tavrine::test {
namespace {

GammaRamp Identity() {
    GammaRamp ramp{};
    for (auto& channel : ramp)
        for (std::size_t i = 0; i < channel.size(); ++i) channel[i] = static_cast<std::uint16_t>(i * 257);
    return ramp;
}

struct Fading : TickWorld {
    Fading() : TickWorld(LandRows(40, 30)) {
        game.SetCanvas(&canvas);
        game.ReadSavedGamma();
        // The mission hint is up: the outcome is not judged (and held) yet.
        Run().BannerTime = 600;
    }
    RecordingCanvas canvas;
};

TEST(Fades, FadeOutStepsDownFromTheSavedRampAndSleepsBetweenSteps) {
    Fading w;
    w.game.FadeOut(100);
    ASSERT_EQ(w.canvas.gammaRamps.size(), 51u);
    EXPECT_EQ(w.host.sleptMs, 51 * 2);
    // Step i takes i * 1310 off every entry, never below 0.
    EXPECT_EQ(w.canvas.gammaRamps[0], Identity());
    EXPECT_EQ(w.canvas.gammaRamps[1][0][255], 65535 - 1310);
    EXPECT_EQ(w.canvas.gammaRamps[1][2][1], 0);
    EXPECT_EQ(w.canvas.gammaRamps[50][1][255], 65535 - 50 * 1310);
    EXPECT_EQ(w.canvas.gammaRamps[50][1][254], 0);
    EXPECT_EQ(w.Run().FadeGamma, w.canvas.gammaRamps[50]);
    // It drew one frame first.
    EXPECT_EQ(w.canvas.flips, 1);
}

TEST(Fades, ZeroDurationsSwitchAtOnceWithoutSleeping) {
    Fading w;
    w.game.FadeOut(0);
    ASSERT_EQ(w.canvas.gammaRamps.size(), 1u);
    EXPECT_EQ(w.canvas.gammaRamps[0], GammaRamp{});
    w.game.FadeIn(0);
    ASSERT_EQ(w.canvas.gammaRamps.size(), 2u);
    EXPECT_EQ(w.canvas.gammaRamps[1], Identity());
    EXPECT_EQ(w.host.sleptMs, 0);
    // A fade-out of 1 ms sleeps 51 times for 0 ms: a momentary dip.
    w.game.FadeOut(1);
    EXPECT_EQ(w.canvas.gammaRamps.size(), 53u);
    EXPECT_EQ(w.host.sleptMs, 0);
}

TEST(Fades, FadeInClimbsFromTheLastFadeOutAndEndsOnTheSavedRamp) {
    Fading w;
    w.game.FadeOut(50);
    w.canvas.gammaRamps.clear();
    w.host.sleptMs = 0;
    w.game.FadeIn(2000);
    ASSERT_EQ(w.canvas.gammaRamps.size(), 52u);  // 51 steps and the saved ramp
    EXPECT_EQ(w.host.sleptMs, 51 * 40);
    const GammaRamp& fade = w.Run().FadeGamma;
    EXPECT_EQ(w.canvas.gammaRamps[0], fade);
    // Entry 255: from 35 by (65535 - 35) div 50 = 1310 a step.
    EXPECT_EQ(w.canvas.gammaRamps[50][0][255], 35 + 50 * 1310);
    EXPECT_EQ(w.canvas.gammaRamps[51], Identity());
    EXPECT_EQ(w.canvas.gamma, Identity());
    // The fade-in leaves FadeGamma alone: the next one starts from there too.
    EXPECT_EQ(w.Run().FadeGamma, fade);
}

TEST(Fades, NothingHappensInTheEditingModeOrWithoutGammaControl) {
    Fading editing;
    editing.Run().EditMode = 1;
    editing.game.FadeOut(100);
    editing.game.FadeIn(100);
    EXPECT_TRUE(editing.canvas.gammaRamps.empty());
    EXPECT_EQ(editing.host.sleptMs, 0);
    EXPECT_EQ(editing.canvas.flips, 0);

    Fading plain;
    plain.canvas.gammaControl = false;
    plain.game.FadeOut(100);
    plain.game.FadeIn(100);
    EXPECT_TRUE(plain.canvas.gammaRamps.empty());
    EXPECT_EQ(plain.host.sleptMs, 0);
}

TEST(Fades, ThePendingFadeInRunsOnceAtTheEndOfATickAndShowsTheMinimap) {
    Fading w;
    w.game.FadeOut(0);
    w.Run().FadeInPending = 1;
    w.game.View().Panels.MinimapVisible = false;
    w.Tick();
    EXPECT_EQ(w.Run().FadeInPending, 0);
    EXPECT_EQ(w.host.sleptMs, 51 * 40);
    EXPECT_EQ(w.canvas.gamma, Identity());
    EXPECT_TRUE(w.game.View().Panels.MinimapVisible);
    const std::size_t ramps = w.canvas.gammaRamps.size();
    w.Tick();
    EXPECT_EQ(w.canvas.gammaRamps.size(), ramps);
}

TEST(Fades, TheTitleKeepsTheMinimapHiddenAfterItsFadeIn) {
    Fading w;
    w.Run().TitleShown = 1;
    w.Run().FadeInPending = 1;
    w.game.View().Panels.MinimapVisible = false;
    w.Tick();
    EXPECT_EQ(w.Run().FadeInPending, 0);
    EXPECT_FALSE(w.game.View().Panels.MinimapVisible);
}

}  // namespace
}  // namespace tavrine::test
