// Tavrine: the start dialog, then the game full screen (or the editing mode in
// a window), until the main window closes.
#include <QApplication>
#include <QFont>

#include <cstdio>
#include <optional>
#include <string>

#include "data/file_io.h"
#include "game/replay.h"

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

    // tavrine --replay FILE: the start dialog, then the replay watched instead of a game.
    std::optional<tavrine::Replay> replay;
    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--replay")); at >= 0) {
        if (at + 1 >= arguments.size()) {
            std::fprintf(stderr, "tavrine: --replay takes a replay file\n");
            return 2;
        }
        const std::string path = arguments[at + 1].toStdString();
        const auto bytes = tavrine::ReadWholeFile(path, tavrine::kMaxReplayBytes);
        std::string error = "cannot be read";
        if (bytes) replay = tavrine::ParseReplay(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), error);
        if (!replay) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
            return 2;
        }
    }

    tavrine::ui::TMainForm form(QCoreApplication::applicationDirPath().toStdString());
    // The map editor and the image library editor exist for the whole run; the
    // editing mode shows the map editor beside the main window.
    tavrine::ui::MakeEditorWindows(form);
    if (form.FormCreate() == tavrine::ui::StartUp::Cancelled) return 0;
    if (replay) form.PrepareReplay(std::move(*replay));
    form.FormShow();
    if (replay) {
        std::string error;
        if (!form.StartReplay(error)) {
            std::fprintf(stderr, "the replay's game cannot be loaded: %s\n", error.c_str());
            return 1;
        }
    }
    return QApplication::exec();
}
