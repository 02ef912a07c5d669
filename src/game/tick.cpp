// The frame tick: every step of one tick in its fixed order, the game clock and
// the mission outcome check.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "game/game.h"
#include "sim/combat.h"
#include "sim/groups.h"
#include "sim/orders.h"
#include "sim/outcome.h"
#include "sim/passability.h"
#include "sim/production.h"
#include "sim/queued_orders.h"
#include "view/edge_scroll.h"
#include "view/keys.h"
#include "view/minimap.h"
#include "view/panels.h"
#include "view/scroll.h"
#include "view/status.h"

namespace tavrine {

namespace {

/// Frames the mission hint has shown before the outcome is first judged: a
/// freshly loaded game (hint at 600) is judged after 100 drawn frames.
constexpr std::int32_t kJudgeAfterBanner = 500;
/// How long the game holds on the result before it goes on.
constexpr int kResultHoldMs = 2000;
/// Game seconds between autosaves.
constexpr std::int32_t kAutosaveSeconds = 120;
/// The fade-in after start-up or loading.
constexpr int kFadeInAfterLoadMs = 2000;

}  // namespace

TickResult Game::DXTimerTimer() {
    frameFailure_.clear();
    SimContext ctx = TickContext();
    // While paused the battle stands still (no steps of the simulation, no
    // production, no clock) but the view scrolls and the frame is drawn.
    const bool paused = BattlePaused(run_);
    ++run_.TickCount;
    // Counted as the tick begins: an input that arrives while the tick waits (the
    // hold on a decided mission) belongs after it.
    ++ticksRun_;

    // 1. The frame phase runs 3, 2, 1, 0, 3, ...; objects animate on phase 0.
    run_.FramePhase = run_.FramePhase >= 1 && run_.FramePhase <= 4 ? run_.FramePhase - 1 : 3;

    {
        // Up to the frame, the floods may read the map from a mirror that the
        // tick keeps up to date (nothing else changes the map meanwhile).
        const PassabilityTick passabilityTick(passability_);

        // 2. Edge scrolling and the cursor.
        EdgeScroll(ctx, *cursors_);

        // 3. One destroyed tank leaves, or the tanks are counted.
        if (!paused) RemoveDestroyedTank(ctx);

        // 4. The minimap panel and the game menu slide.
        SlidePanels(record_, run_, view_.Panels);

        // 5. Every order's flood advances; one obsolete order goes; the groups
        // that keep together decide who waits for whom.
        if (!paused) {
            PlanAllOrders(ctx);
            PaceGroups(ctx);
        }
        // Tanks done with an order take the next one they were given.
        if (!paused) QueuedOrdersStep(ctx);

        // 6. Forces counted, towers, smoke, burning and production.
        if (!paused) BuildingStep(ctx);

        // 7. The view scrolls, by the arrow keys when any is held, else at the edges.
        if (!KeyboardScroll(record_, run_)) ScrollBy(record_, run_, run_.ScrollDX, run_.ScrollDY);

        // 8. Two more rows of the minimap, and the view frame on it.
        UpdateMinimap(record_, run_, view_, frameOptions_.EditorFogShown);

        // 9. The frame is drawn; each tank takes its step as it is drawn.
        DrawFrame();
    }

    // 10. The game clock and the music.
    SecondTick();

    // 11. The mission outcome.
    if (!paused) CheckOutcome();

    // 12. After start-up or loading, the picture fades in.
    if (run_.FadeInPending) {
        run_.FadeInPending = 0;
        FadeIn(kFadeInAfterLoadMs);
        if (!run_.TitleShown) view_.Panels.MinimapVisible = true;
    }
    // Money earned: every rise of the money while the battle runs.
    if (record_.Money > moneySeen_ && run_.Outcome == OutcomeRunning && !run_.EditMode)
        moneyEarned_ += record_.Money - moneySeen_;
    moneySeen_ = record_.Money;
    if (autosaveDue_) {
        autosaveDue_ = false;
        Autosave();
    }
    return TickResult{std::move(frameFailure_)};
}

void Game::DrawFrame() {
    SimContext ctx = TickContext();
    frameOptions_.StatusBarHeight = view_.Panels.StatusBarHeight;
    frameOptions_.TextScale = view_.Panels.Scale;
    FrameResult frame = tavrine::DrawFrame(ctx, *canvas_, frameOptions_);
    if (frame.OfferLoadGame) loadGameOffered_ = true;
    if (frame.Failure.empty()) {
        frameFailing_ = false;
        return;
    }
    // Once for each run of failing frames, not 30 times a second.
    if (!frameFailing_) std::fprintf(stderr, "tavrine: a frame could not be drawn: %s\n", frame.Failure.c_str());
    frameFailing_ = true;
    frameFailure_ = std::move(frame.Failure);
}

void Game::SecondTick() {
    if (run_.EditMode) return;
    run_.SecondTicks = static_cast<std::int32_t>(static_cast<std::uint32_t>(run_.SecondTicks) + 1u);
    // A nonsensical interval from a foreign settings file counts as 1 ms rather
    // than dividing by zero.
    const std::int32_t interval = std::max(run_.TimerInterval, 1);
    if (run_.SecondTicks <= 1000 / interval) return;
    run_.SecondTicks = 0;
    if (run_.MusicOn && music_ && music_->Stopped()) music_->Play();
    if (run_.Outcome == OutcomeRunning && !BattlePaused(run_)) {
        record_.GameTime = static_cast<std::int32_t>(static_cast<std::uint32_t>(record_.GameTime) + 1u);
        RefreshTimeLabel();
        // Written once the tick is over, from a whole record.
        if (record_.GameTime % kAutosaveSeconds == 0) autosaveDue_ = AutosaveOn();
    }
}

void Game::CheckOutcome() {
    if (run_.Outcome != OutcomeRunning || run_.TitleShown || run_.EditMode || run_.BannerTime > kJudgeAfterBanner) return;
    run_.Outcome = MissionOutcome(record_.Mission, run_);
    if (run_.Outcome == OutcomeRunning) return;
    BuildInfoLines(record_, run_);
    NoteOutcome();
    DrawFrame();
    host_.Sleep(kResultHoldMs);
}

void Game::RefreshTimeLabel() {
    if (statusNoteSeconds_ > 0) {
        --statusNoteSeconds_;
        timeLabel_ = statusNote_;
        return;
    }
    if (!run_.TitleShown) timeLabel_ = FormatGameTime(record_.GameTime);
}

}  // namespace tavrine
