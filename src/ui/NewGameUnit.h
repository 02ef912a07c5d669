// The New Game dialog of the map editor: the size and mission of a new map, and
// whether it is a demo.
#pragma once

#include <QDialog>

#include <cstdint>

#include "platform/dialogs.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace tavrine::ui {

class TNewGameForm final : public QDialog {
    Q_OBJECT
public:
    explicit TNewGameForm(QWidget* parent = nullptr);

    /// The choice as the dialog holds it now, accepted or not.
    NewGameChoice Choice() const;

    QSpinBox* ColumnField() const { return SpinEdit1; }
    QSpinBox* RowField() const { return SpinEdit2; }
    QComboBox* MissionList() const { return ComboBox1; }
    QCheckBox* DemoBox() const { return CheckBox1; }
    QPushButton* OkButton() const { return Button1; }
    QPushButton* CancelButton() const { return Button2; }

    void Button1Click();

private:
    QSpinBox* SpinEdit1;
    QSpinBox* SpinEdit2;
    QComboBox* ComboBox1;
    QCheckBox* CheckBox1;
    QPushButton* Button1;
    QPushButton* Button2;
};

/// Shows the dialog modally; `Accepted` only for "OK" with a mission selected.
NewGameChoice ShowNewGameDialog(QWidget* parent = nullptr);

}  // namespace tavrine::ui
