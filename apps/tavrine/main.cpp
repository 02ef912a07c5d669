// Tavrine: the start dialog, then the game full screen (or the editing mode in
// a window), until the main window closes.
#include <QApplication>
#include <QFile>
#include <QFont>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "data/file_io.h"
#include "game/replay.h"
#include "state/game_paths.h"
#include "tavrine_build.h"

#include "ui/EditorUnit.h"
#include "ui/MainUnit.h"
#include "ui/UiCommon.h"

namespace {

constexpr const char* kUsage =
    "usage: tavrine [--help] [--version] [--replay FILE]\n"
    "Tavrine, a real-time strategy game with its own map and library editors.\n"
    "It opens with the start dialog; Qt's own options (-platform NAME, -display X11DISPLAY)\n"
    "are accepted as well. --replay FILE watches a recorded battle after the start dialog.\n"
    "Installed, settings go to $XDG_CONFIG_HOME/tavrine and saved games and maps to\n"
    "$XDG_DATA_HOME/tavrine; run from its build folder, everything stays beside it.\n";

/// --help and --version answered before any window; nothing when neither was asked.
std::optional<int> AnswerInformation(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tavrine %s\n", tavrine::kVersion);
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto answered = AnswerInformation(argc, argv)) return *answered;
    QApplication app(argc, argv);
    // Qt has taken its own options out of argv; what is left is --replay FILE or
    // nothing.
    const bool replayAsked = argc > 1 && std::strcmp(argv[1], "--replay") == 0;
    if (replayAsked && argc < 3) {
        std::fprintf(stderr, "tavrine: --replay takes a replay file\n");
        return 2;
    }
    if (const int known = replayAsked ? 3 : 1; argc > known) {
        std::fprintf(stderr, "tavrine: unknown option '%s' (try tavrine --help)\n", argv[known]);
        return 2;
    }
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
    if (replayAsked) {
        const std::string path = argv[2];
        std::string error;
        replay = tavrine::ReadReplayFile(path, error);
        if (!replay) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
            return 2;
        }
    }

    tavrine::ui::TMainForm form(tavrine::GamePaths::ForExecutable(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(),
                                                                  tavrine::ProcessEnvironment()));
    // The map editor and the image library editor exist for the whole run; the
    // editing mode shows the map editor beside the main window.
    tavrine::ui::MakeEditorWindows(form);
    if (form.FormCreate() == tavrine::ui::StartUp::Cancelled) return 0;
    if (replay) form.PrepareReplay(std::move(*replay));
    form.FormShow();
    if (replay) {
        std::string error;
        if (!form.StartReplay(error)) {
            std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
            return 1;
        }
    }
    return QApplication::exec();
}
