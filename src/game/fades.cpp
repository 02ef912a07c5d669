// The two gamma fades that blacken and restore the picture around loading, the
// title's offer and the end of the program: 51 steps through the display's gamma
// ramp, each followed by a sleep, so a fade takes a fixed wall-clock time.
#include <algorithm>

#include "game/game.h"

namespace tavrine {

namespace {

/// Steps 0..50: each step of a fade-out takes this much more off every entry.
constexpr std::int32_t kFadeSteps = 50;
constexpr std::int32_t kFadeOutStep = 1310;

}  // namespace

bool Game::FadePossible() {
    if (run_.EditMode || fadesOff_) return false;
    GammaRamp probe{};
    return canvas_->GetGammaRamp(probe);
}

void Game::FadeOut(int milliseconds) {
    if (!FadePossible()) return;
    DrawFrame();
    if (milliseconds == 0) {
        canvas_->SetGammaRamp(GammaRamp{});
        return;
    }
    for (std::int32_t i = 0; i <= kFadeSteps; ++i) {
        for (std::size_t c = 0; c < run_.FadeGamma.size(); ++c)
            for (std::size_t e = 0; e < run_.FadeGamma[c].size(); ++e)
                run_.FadeGamma[c][e] =
                    static_cast<std::uint16_t>(std::max<std::int32_t>(0, run_.SavedGamma[c][e] - i * kFadeOutStep));
        canvas_->SetGammaRamp(run_.FadeGamma);
        host_.Sleep(milliseconds / kFadeSteps);
    }
}

void Game::FadeIn(int milliseconds) {
    if (!FadePossible()) return;
    DrawFrame();
    if (milliseconds != 0) {
        GammaRamp ramp{};
        for (std::int32_t i = 0; i <= kFadeSteps; ++i) {
            for (std::size_t c = 0; c < ramp.size(); ++c)
                for (std::size_t e = 0; e < ramp[c].size(); ++e) {
                    const std::int32_t from = run_.FadeGamma[c][e];
                    const std::int32_t step = (run_.SavedGamma[c][e] - from) / kFadeSteps;
                    ramp[c][e] = static_cast<std::uint16_t>(from + i * step);
                }
            canvas_->SetGammaRamp(ramp);
            host_.Sleep(milliseconds / kFadeSteps);
        }
    }
    canvas_->SetGammaRamp(run_.SavedGamma);
}

void Game::RestoreGamma() {
    GammaRamp probe{};
    if (canvas_->GetGammaRamp(probe)) canvas_->SetGammaRamp(run_.SavedGamma);
}

void Game::ReadSavedGamma() {
    GammaRamp ramp{};
    if (canvas_->GetGammaRamp(ramp)) run_.SavedGamma = ramp;
}

}  // namespace tavrine
