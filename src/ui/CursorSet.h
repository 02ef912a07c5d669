// The game view's 22 animated cursors: read from the Cursors folder, turned into
// Qt cursors and animated at their own rates while they are showing.
#pragma once

#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "data/ani.h"
#include "platform/cursors.h"

namespace tavrine::ui {

inline constexpr int kCursorCount = 22;

/// One cursor ready to show: a Qt cursor per frame and the steps that play them.
struct QtAnimatedCursor {
    std::vector<QCursor> Frames;
    std::vector<CursorStep> Steps;
};

/// The Qt cursors of a decoded cursor file, each frame with its hot spot.
QtAnimatedCursor ToQtCursor(const AnimatedCursor& cursor, int scale = 1);

/// How long a step shows, in milliseconds (a step counts sixtieths of a second).
int StepMilliseconds(const CursorStep& step);

class CursorSet final : public QObject, public Cursors {
    Q_OBJECT
public:
    /// Cursors are shown on `view` (the game view).
    explicit CursorSet(QWidget* view);

    /// Loads `folder` + "/Cursors/N.ani" for N = 1..22; a missing or bad file
    /// leaves that number without a cursor. Returns how many were loaded.
    int Load(const std::string& programFolder);

    /// Shows cursor `number`; the one already showing keeps running. A number
    /// without a cursor shows the desktop's ordinary arrow.
    void SetCursor(int number) override;

    /// While suspended (the mouse over the panels) the desktop's arrow shows;
    /// the game's choice is kept and comes back afterwards.
    void SetSuspended(bool suspended);

    /// The interface scale, 1 or 2: at 2 every cursor is shown twice its size.
    void SetScale(int scale);

    int Current() const { return current_; }
    bool Has(int number) const;
    /// The step of the current cursor's animation now showing.
    std::size_t StepShowing() const { return step_; }
    /// Moves the current cursor's animation to its next step (the timer does this).
    void Advance();

private:
    void ShowStep();

    QPointer<QWidget> view_;
    std::array<std::optional<QtAnimatedCursor>, kCursorCount + 1> cursors_;
    std::array<std::optional<AnimatedCursor>, kCursorCount + 1> files_;
    int scale_ = 1;
    int current_ = 0;
    std::size_t step_ = 0;
    bool suspended_ = false;
    QTimer timer_;
};

}  // namespace tavrine::ui
