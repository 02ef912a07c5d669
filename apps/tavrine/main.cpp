// Tavrine: the start dialog, then the game full screen (or the editing mode in
// a window), until the main window closes.
#include <QApplication>
#include <QFont>

#include "ui/EditorUnit.h"
#include "ui/MainUnit.h"
#include "ui/UiCommon.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrine"));
    // The classic font names the windows ask for, mapped to Debian's fonts.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Impact"), QStringLiteral("DejaVu Sans Condensed"));
    QApplication::setFont(tavrine::ui::DialogFont());
    // The main window closing ends the program, whatever other windows are open.
    QApplication::setQuitOnLastWindowClosed(false);

    tavrine::ui::TMainForm form(QCoreApplication::applicationDirPath().toStdString());
    // The map editor and the image library editor exist for the whole run; the
    // editing mode shows the map editor beside the main window.
    tavrine::ui::MakeEditorWindows(form);
    if (form.FormCreate() == tavrine::ui::StartUp::Cancelled) return 0;
    form.FormShow();
    return QApplication::exec();
}
