// The Skirmish dialog: the landscape, size, symmetry, mission, difficulty and
// seed of a battle on a generated map, with a preview of the map they make.
#pragma once

#include <QDialog>

#include "data/library.h"
#include "platform/skirmish_setup.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace tavrine::ui {

class TSkirmishForm final : public QDialog {
    Q_OBJECT
public:
    /// Opens with `last`; `library` gives the pictures' sizes the generator
    /// places by (the preview stays empty without it).
    TSkirmishForm(const SkirmishSetup& last, const ImageLibrary* library, QWidget* parent = nullptr);

    /// The choices as the dialog holds them now.
    SkirmishSetup Setup() const;

    QComboBox* LandscapeList() const { return landscape_; }
    QComboBox* SizeList() const { return size_; }
    QComboBox* SymmetryList() const { return symmetry_; }
    QComboBox* MissionList() const { return mission_; }
    QComboBox* DifficultyList() const { return difficulty_; }
    QLineEdit* SeedField() const { return seed_; }
    QPushButton* PlayButton() const { return play_; }
    QLabel* Preview() const { return preview_; }

    /// Draws the preview of the current choices now.
    void UpdatePreview();

private:
    void ChoicesChanged();

    const ImageLibrary* library_;
    QComboBox* landscape_;
    QComboBox* size_;
    QSpinBox* columns_;
    QSpinBox* rows_;
    QComboBox* symmetry_;
    QComboBox* mission_;
    QComboBox* difficulty_;
    QComboBox* scenery_;
    QLineEdit* seed_;
    QLabel* preview_;
    QLabel* about_;
    QPushButton* play_;
    QTimer* previewTimer_;
};

/// Shows the dialog modally; `Accepted` only for "Play".
SkirmishAnswer ShowSkirmishDialog(const SkirmishSetup& last, const ImageLibrary* library, QWidget* parent = nullptr);

}  // namespace tavrine::ui
