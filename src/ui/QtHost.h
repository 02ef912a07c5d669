// The desktop's side of what the game asks of its surroundings: message boxes,
// yes/no questions and the blocking sleeps of the fades and the mission end.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/host.h"

namespace tavrine::ui {

class QtHost final : public Host {
public:
    /// Message boxes are shown over `owner` (the main window) once it is set.
    void SetOwner(QWidget* owner) { owner_ = owner; }

    /// A message box with `caption` and the icon; waits until it is closed.
    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
    /// Yes and No with a question icon; the caption is the question's first word
    /// ("Fill Land ?" is asked under "Fill").
    bool AskYesNo(const std::string& question) override;
    /// Blocks the game for `milliseconds` while the screen keeps being repainted:
    /// paint and timer events are handled, the player's input waits.
    void Sleep(int milliseconds) override;

    /// True while `Sleep` is running: the frame timer does not tick then.
    bool Sleeping() const { return sleeping_ > 0; }

private:
    QPointer<QWidget> owner_;
    int sleeping_ = 0;
};

/// The caption a yes/no question is asked under: its first word.
QString QuestionCaption(const QString& question);

}  // namespace tavrine::ui
