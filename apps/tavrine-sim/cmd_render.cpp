// tavrine-sim render GAME.gam --out frame.png: loads a game and runs ticks as
// `run` does, then draws the next tick's frame with the desktop's Qt canvas,
// offscreen, and writes it as a PNG. --title draws the title screen instead;
// --panels places and paints the status bar, the game menu and the minimap as
// the desktop window does.
#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/main_commands.h"
#include "platform/qt/qt_canvas.h"
#include "run_options.h"
#include "ui/GamePanels.h"
#include "view/status.h"

namespace tavrine::sim {

namespace {

const std::string kRenderUsage = std::string("render GAME.gam ") + kRunOptionsUsage + " --out FILE.png [--title] [--panels]";

int RenderUsage(const std::string& problem) {
    std::fprintf(stderr, "tavrine-sim render: %s\nusage: tavrine-sim %s\n", problem.c_str(), kRenderUsage.c_str());
    return 2;
}

/// Qt without a display: the offscreen platform, unless the caller chose one.
void UseOffscreenPlatform() {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const std::string dir = "/tmp/tavrine-runtime-" + std::to_string(::getuid());
        ::mkdir(dir.c_str(), 0700);
        ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
}

int Render(const Args& args) {
    RunOptions o;
    std::string out;
    bool title = false;
    bool panels = false;
    const auto own = [&](const std::string& a, const OptionValue& value, std::string& error) {
        if (a == "--title") {
            title = true;
            return true;
        }
        if (a == "--panels") {
            panels = true;
            return true;
        }
        if (a != "--out") return false;
        const auto v = value();
        if (!v || v->empty()) error = "--out takes a file name";
        else out = *v;
        return true;
    };
    if (const auto problem = ParseRunOptions(args, o, own, true)) return RenderUsage(*problem);
    if (out.empty()) return RenderUsage("--out FILE.png is needed");
    if (o.game.empty() && !title) return RenderUsage("no game file given");

    UseOffscreenPlatform();
    static int argc = 1;
    static char name[] = "tavrine-sim";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    QuietHost host;
    Game game(ProgramPaths(), host, o.seed);
    if (!PrepareGame(o, game, host)) return 1;
    if (title) {
        // As after start-up in play: the title over whatever map is loaded.
        game.Run().TitleShown = 1;
        game.Run().EditMode = 0;
    }

    if (panels) {
        // As the desktop window's surface is made: its status bar and menu
        // sizes, the display initialisation, the status bar shown.
        PanelState& p = game.View().Panels;
        p.Scale = 1;
        p.StatusBarHeight = kStatusBarHeight;
        p.MenuHeight = kMenuHeight;
        DisplayInitialized(game);
        p.StatusBarShown = true;
    }
    for (long long i = 0; i < o.ticks; ++i) game.DXTimerTimer();

    qt::QtCanvas canvas(o.viewWidth, o.viewHeight);
    canvas.LoadPictures(game.Library());
    game.SetCanvas(&canvas);
    // As the display initialisation does: the canvas's ramp is the one a fade
    // comes back to, so a load's fade-in that falls on this tick ends in the
    // picture the player sees rather than in black.
    game.ReadSavedGamma();
    game.DXTimerTimer();
    game.SetCanvas(nullptr);

    if (canvas.Flips() == 0) {
        std::fprintf(stderr, "tavrine-sim render: no frame was drawn\n");
        return 1;
    }
    QImage picture = canvas.Presented();
    if (panels) {
        picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&picture);
        ui::GamePanels drawn;
        drawn.LoadIcons(game.Paths().DataFolder());
        drawn.SetLabels(QString::fromStdString(game.TimeLabel()),
                        QString::fromStdString(MoneyLabelText(std::as_const(game).Record())));
        drawn.Paint(painter, game.View().Panels, game.View().Minimap, MenuLabels{});
    }
    if (!picture.save(QString::fromStdString(out), "PNG")) {
        std::fprintf(stderr, "%s: the picture could not be written\n", out.c_str());
        return 1;
    }
    return 0;
}

const CommandRegistration renderRegistration("render", kRenderUsage.c_str(), Render);

}  // namespace

}  // namespace tavrine::sim
