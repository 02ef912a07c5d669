// Small pieces every window of the program shares: the dialogs' font, the bold
// caption bar of the frameless dialogs, text conversion and the program folder's
// pictures.
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QString>

#include <string>
#include <string_view>

class QDialog;
class QLabel;
class QWidget;

namespace tavrine::ui {

/// The game's own texts are single bytes (saved games may carry any byte).
QString ToQString(std::string_view text);
/// Back to the game's single-byte text; characters beyond Latin-1 become '?'.
std::string FromQString(const QString& text);

/// The font the windows were laid out for: "MS Sans Serif" at 8 points, through
/// the desktop's stand-in; `bold` for captions and labels that ask for it.
QFont DialogFont(bool bold = false);

/// A picture below the program folder (`relative` like "ui/title.png"); a null
/// pixmap when the file is missing or unreadable.
QPixmap ProgramPicture(const std::string& programFolder, const QString& relative);

/// Gives a dialog a client area of exactly `width` by `height`, the dialog font,
/// and places it in the middle of the screen it is on.
void SizeAndCentre(QDialog& dialog, int width, int height);

/// The lowered bar across the top of a frameless dialog, its title in bold in the
/// middle: it makes the dialogs look alike over the full-screen game.
class CaptionBar final : public QFrame {
public:
    /// Spans the parent's width at its top, `height` pixels high.
    CaptionBar(const QString& caption, QWidget* parent, int height = 27);
    void SetCaption(const QString& caption);
    QString Caption() const;

private:
    QLabel* label_;
};

/// The raised panel that fills a frameless dialog and gives it an edge.
QFrame* FillPanel(QWidget& dialog);

}  // namespace tavrine::ui
