// The game file picker: the saved games to load or to save over, and, when
// loading, the prepared maps after them marked "[New Game]".
#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

#include "platform/dialogs.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tavrine::ui {

class CaptionBar;

/// The ordinary files of `folder` (no sub-folders, no hidden files), sorted by
/// name without regard to case; nothing when the folder is missing.
QStringList ListGameFiles(const QString& folder);

/// The names of the ordinary files of every folder, each name once (an earlier
/// folder's file hides a later one's of the same name), sorted as above.
QStringList ListGameFiles(const QStringList& folders);

/// "OK" in the Load Game dialog with no game picked.
inline constexpr const char* kPickAGameMessage = "Pick a game from the list first.";

class TFileForm final : public QDialog {
    Q_OBJECT
public:
    /// `programFolder` holds the two icons (ui/new-game.png, ui/saved-game.png);
    /// without them the picker draws its own.
    explicit TFileForm(const std::string& programFolder = {}, QWidget* parent = nullptr);

    /// Lists the saved games, and when loading the prepared maps after them (the
    /// name field is then disabled and greyed: a name can only be picked).
    void Fill(const QString& newGamesFolder, const QString& saveGamesFolder, FilePickerMode mode);
    /// As above, the prepared maps gathered from several folders (the user's first).
    void Fill(const QStringList& newGamesFolders, const QString& saveGamesFolder, FilePickerMode mode);

    /// The rows that come from SaveGames; the rows after them come from NewGames.
    int SavedCount() const { return savedCount_; }
    bool Loading() const { return loading_; }
    FilePick Pick() const;

    QLineEdit* NameField() const { return Edit1; }
    QListWidget* List() const { return ListBox1; }
    QPushButton* OkButton() const { return Button1; }
    QPushButton* CancelButton() const { return Button2; }
    /// Load only: "Skirmish..." and "Quick Skirmish" close the picker asking
    /// for a skirmish instead of a file.
    QPushButton* SkirmishButton() const { return skirmishButton_; }
    QPushButton* QuickSkirmishButton() const { return quickButton_; }
    QString Caption() const;

    void ListBox1Click();
    /// "OK": closes the picker with the name, or says why the name cannot be
    /// used and stays open.
    void Button1Click();
    void Button2Click();
    /// The message "OK" would show for the name as it stands; nothing when usable.
    std::optional<std::string> NameProblemMessage() const;
    /// Shows why "OK" refused the name (an error box, caption "Error"); tests
    /// replace it.
    std::function<void(const QString& text)> ReportProblem;

private:
    CaptionBar* Panel2;
    QLineEdit* Edit1;
    QListWidget* ListBox1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* CampaignButton;  ///< loading only: the campaign screen instead of a file
    bool campaignPressed_ = false;
    QPushButton* skirmishButton_;
    QPushButton* quickButton_;
    FilePick::Skirmish skirmish_ = FilePick::Skirmish::No;
    int savedCount_ = 0;
    bool loading_ = false;
};

/// Shows the picker modally over the folders, for loading or saving. The name
/// comes back in the file system's encoding.
FilePick ShowFilePicker(const QStringList& newGamesFolders, const QString& saveGamesFolder, FilePickerMode mode,
                        const std::string& programFolder = {}, QWidget* parent = nullptr);

}  // namespace tavrine::ui
