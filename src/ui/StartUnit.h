// The start dialog: the title picture, the display modes to play in, help, the
// home page and support, and the hidden way into the editing mode.
#pragma once

#include <QDialog>
#include <QPointer>

#include <string>
#include <vector>

#include "state/display_modes.h"
#include "ui/HelpViewer.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tavrine::ui {



/// What the start dialog answers: a mode number 0..2, or one of these.
inline constexpr std::int32_t kNoChoice = -1;
using tavrine::kEditingModeChoice;

/// The hidden entry to the editing mode: a left press on the title picture while
/// Shift and Ctrl are held, inside the 9 by 9 square at the picture's top-left
/// corner.
inline constexpr int kEditingSquareLeft = 0;
inline constexpr int kEditingSquareTop = 0;
inline constexpr int kEditingSquareSize = 9;

/// Where "Home Page..." and "Support..." lead.
inline constexpr const char* kHomePageUrl = "https://tavrine.example/";
inline constexpr const char* kSupportMailUrl = "mailto:support@tavrine.example";

class TStartForm final : public QDialog {
    Q_OBJECT
public:
    /// `programFolder` holds the title picture, the icons and the help file.
    explicit TStartForm(std::string programFolder, QWidget* parent = nullptr);
    ~TStartForm() override;

    /// Lists the table's modes among `offered` and selects the preferred one.
    void FillDisplayModes(const std::vector<DisplayMode>& offered);

    /// Preselects the first entry of mode `storedMode` (from the settings file,
    /// -1 for none) when there is one, shows the dialog modally and returns
    /// `ChosenMode`: a mode number, kNoChoice or kEditingModeChoice.
    std::int32_t ShowStartDialog(std::int32_t storedMode);
    /// The preselection of `ShowStartDialog` without showing the dialog.
    void Preselect(std::int32_t storedMode);

    std::int32_t ChosenMode() const { return chosenMode_; }
    QComboBox* DisplayList() const { return ComboBoxEx1; }
    QPushButton* PlayButton() const { return Button1; }
    QPushButton* HelpButton() const { return Button2; }
    QPushButton* HomePageButton() const { return Button3; }
    QPushButton* SupportButton() const { return Button4; }
    QPushButton* CancelButton() const { return Button6; }
    QLabel* TitlePicture() const { return Image2; }
    /// The help window once "Help..." has opened it.
    HelpViewer* Help() const { return help_; }

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button6Click();
    /// A press on the title picture at picture pixel (x, y).
    void Image2MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string folder_;
    std::int32_t chosenMode_ = kNoChoice;
    QLabel* Image2 = nullptr;
    QComboBox* ComboBoxEx1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button6 = nullptr;
    QPointer<HelpViewer> help_;
};

}  // namespace tavrine::ui
