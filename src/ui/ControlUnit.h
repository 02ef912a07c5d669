// The game control dialog: display mode, speed, difficulty, music, sound and
// whether groups keep together.
#pragma once

#include <QDialog>

#include <cstdint>
#include <vector>

#include "platform/dialogs.h"
#include "state/display_modes.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace tavrine::ui {

/// The speed entry for a timer interval: 0 "Slow" (50 ms), 1 "Normal" (30 ms),
/// 2 "Fast" (20 ms); -1 for any other interval.
std::int32_t SpeedEntryOfInterval(std::int32_t interval);

class TControlForm final : public QDialog {
    Q_OBJECT
public:
    /// `programFolder` holds the dialog's pictures; `offered` the modes the screen
    /// can show.
    TControlForm(const std::string& programFolder, const std::vector<DisplayMode>& offered, QWidget* parent = nullptr);

    /// Sets every control from `settings` (this is not a change).
    void Load(const GameControlSettings& settings);
    /// The answer as the controls stand now.
    GameControlChoice Choice() const;
    bool Changed() const { return changed_; }

    QComboBox* DisplayList() const { return displayList_; }
    QComboBox* SpeedList() const { return speedList_; }
    QComboBox* DifficultyList() const { return difficultyList_; }
    QCheckBox* MusicBox() const { return musicBox_; }
    QCheckBox* SoundBox() const { return soundBox_; }
    QComboBox* ScaleList() const { return scaleList_; }
    QCheckBox* GroupsBox() const { return groupsBox_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }

private:
    void MarkChanged() { changed_ = true; }

    QComboBox* displayList_;
    QComboBox* speedList_;
    QComboBox* difficultyList_;
    QCheckBox* musicBox_;
    QCheckBox* soundBox_;
    QComboBox* scaleList_;
    QCheckBox* groupsBox_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    bool changed_ = false;
    bool loading_ = false;
};

/// Shows the dialog modally with `settings` and returns the answer.
GameControlChoice ShowGameControl(const GameControlSettings& settings, const std::vector<DisplayMode>& offered,
                                  const std::string& programFolder, QWidget* parent = nullptr);

}  // namespace tavrine::ui
