// The frame timer: ticks the game at its interval while the program is the
// active application and the display is set up, never makes up missed ticks,
// and measures the frame rate.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

namespace tavrine::ui {

/// The measured frame rate: ticks are counted, and at the end of every stretch
/// of at least 1000 ms the rate becomes ticks * 1000 / elapsed ms, rounded.
class FrameRateMeter {
public:
    /// A tick at `nowMs` on a steady millisecond clock.
    void Tick(std::int64_t nowMs);
    std::int32_t Rate() const { return rate_; }

private:
    bool started_ = false;
    std::int64_t stretchStart_ = 0;
    std::int64_t ticks_ = 0;
    std::int32_t rate_ = 0;
};

class FrameClock final : public QObject {
    Q_OBJECT
public:
    /// `tick` runs one frame tick; it is never entered again while it runs.
    /// `afterTick` runs once the tick has returned, outside it: the place for
    /// the dialogs a tick asks for, so ticks go on while they are open.
    explicit FrameClock(std::function<void()> tick, std::function<void()> afterTick = {}, QObject* parent = nullptr);

    /// The interval in ms (20, 30 or 50); takes effect at once.
    void SetInterval(int milliseconds);
    int Interval() const { return interval_; }

    /// Between display initialisation and finalisation the timer is enabled; it
    /// only runs while the application is also active.
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    bool Running() const { return timer_.isActive(); }
    /// True while a tick runs.
    bool InTick() const { return inTick_; }

    /// Ticks are held back while this answers true (the game thread sleeping in
    /// a fade or at the end of a mission).
    void SetHold(std::function<bool()> hold) { hold_ = std::move(hold); }

    std::int32_t FrameRate() const { return meter_.Rate(); }
    std::int64_t Ticks() const { return ticks_; }

    /// Runs a tick now, as the timer would.
    void Fire();

private:
    void UpdateRunning();

    std::function<void()> tick_;
    std::function<void()> afterTick_;
    std::function<bool()> hold_;
    QTimer timer_;
    QElapsedTimer clock_;
    FrameRateMeter meter_;
    int interval_ = 30;
    bool enabled_ = false;
    bool inTick_ = false;
    std::int64_t ticks_ = 0;
};

}  // namespace tavrine::ui
