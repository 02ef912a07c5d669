// The information box: the battle's statistics on a white panel, with "OK".
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tavrine::ui {

class TInfoForm final : public QDialog {
    Q_OBJECT
public:
    explicit TInfoForm(QWidget* parent = nullptr);

    /// The text, one line per line break.
    void SetText(const QString& text);
    QLabel* Text() const { return Label1; }
    QPushButton* OkButton() const { return Button1; }

private:
    QLabel* Label1;
    QPushButton* Button1;
};

/// Shows `text` until "OK", Enter or Escape.
void ShowInformation(const QString& text, QWidget* parent = nullptr);

}  // namespace tavrine::ui
