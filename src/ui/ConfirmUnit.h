// The confirmation box: a yes/no question in a frameless box with a "Confirm" bar.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace tavrine::ui {

class CaptionBar;

class TConfirmForm final : public QDialog {
    Q_OBJECT
public:
    explicit TConfirmForm(QWidget* parent = nullptr);

    /// Shows `question`; a question wider than the box widens it.
    void SetQuestion(const QString& question);
    QLabel* Question() const { return Label1; }
    QPushButton* YesButton() const { return Button1; }
    QPushButton* NoButton() const { return Button2; }

private:
    QFrame* panel_;
    CaptionBar* caption_;
    QLabel* Label1;
    QPushButton* Button1;
    QPushButton* Button2;
};

/// Asks `question`; true for "Yes", false for "No", Escape or closing.
bool Confirm(const QString& question, QWidget* parent = nullptr);

}  // namespace tavrine::ui
