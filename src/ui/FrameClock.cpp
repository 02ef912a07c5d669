#include "ui/FrameClock.h"

#include <QGuiApplication>

namespace tavrine::ui {

void FrameRateMeter::Tick(std::int64_t nowMs) {
    if (!started_) {
        started_ = true;
        stretchStart_ = nowMs;
        ticks_ = 0;
    }
    ++ticks_;
    const std::int64_t elapsed = nowMs - stretchStart_;
    if (elapsed < 1000) return;
    rate_ = static_cast<std::int32_t>((ticks_ * 1000 + elapsed / 2) / elapsed);
    stretchStart_ = nowMs;
    ticks_ = 0;
}

FrameClock::FrameClock(std::function<void()> tick, std::function<void()> afterTick, QObject* parent)
    : QObject(parent), tick_(std::move(tick)), afterTick_(std::move(afterTick)) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(interval_);
    clock_.start();
    connect(&timer_, &QTimer::timeout, this, &FrameClock::Fire);
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::applicationStateChanged, this, &FrameClock::UpdateRunning);
}

void FrameClock::SetInterval(int milliseconds) {
    interval_ = milliseconds > 0 ? milliseconds : 1;
    timer_.setInterval(interval_);
}

void FrameClock::SetEnabled(bool enabled) {
    enabled_ = enabled;
    UpdateRunning();
}

void FrameClock::UpdateRunning() {
    const bool active = QGuiApplication::applicationState() == Qt::ApplicationActive;
    if (enabled_ && active) {
        if (!timer_.isActive()) timer_.start();
    } else {
        timer_.stop();
    }
}

void FrameClock::Fire() {
    // A tick that sleeps or opens a message box lets the timer fire again inside
    // it; those ticks are dropped, not queued.
    if (inTick_ || (hold_ && hold_())) return;
    inTick_ = true;
    meter_.Tick(clock_.elapsed());
    ++ticks_;
    tick_();
    inTick_ = false;
    if (afterTick_) afterTick_();
}

}  // namespace tavrine::ui
