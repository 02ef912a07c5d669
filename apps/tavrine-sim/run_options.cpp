#include "run_options.h"

#include <charconv>
#include <cstdio>
#include <limits>

#include "data/file_io.h"
#include "game/start_up.h"
#include "view/panel_layout.h"
#include "view/panels.h"

namespace tavrine::sim {

namespace {

/// The largest drawing surface the tool accepts, per side.
constexpr long long kMaxViewSide = 16384;

template <typename T>
std::optional<T> ParseNumber(const std::string& text, T low, T high) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end || value < low || value > high) return std::nullopt;
    return value;
}

/// The game's own message for a failure, or `fallback` when the game stays silent.
std::string Reason(const QuietHost& host, int messagesBefore, const char* fallback) {
    return host.messages > messagesBefore ? host.lastMessage : std::string(fallback);
}

bool LoadLibrary(QuietHost& host, const std::string& path, Game& game) {
    const int before = host.messages;
    if (LoadImageLibraryFrom(host, path, game.Library())) return true;
    std::fprintf(stderr, "%s: %s\n", path.c_str(), Reason(host, before, "the library could not be read").c_str());
    return false;
}

}  // namespace

std::optional<std::string> ParseRunOptions(const Args& args, RunOptions& o, const OwnOptions& own, bool gameOptional) {
    bool haveGame = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const OptionValue value = [&]() -> std::optional<std::string> {
            if (i + 1 == args.size()) return std::nullopt;
            return args[++i];
        };
        std::string error;
        if (own && own(a, value, error)) {
            if (!error.empty()) return error;
        } else if (a == "--new") {
            o.newGame = true;
        } else if (a == "--edit") {
            o.edit = true;
        } else if (a == "--keep-groups") {
            o.keepGroups = true;
        } else if (a == "--ticks") {
            const auto v = value();
            const auto n = v ? ParseNumber<long long>(*v, 0, std::numeric_limits<long long>::max()) : std::nullopt;
            if (!n) return "--ticks takes a whole number, 0 or more";
            o.ticks = *n;
        } else if (a == "--seed") {
            const auto v = value();
            const auto n = v ? ParseNumber<std::uint64_t>(*v, 0, std::numeric_limits<std::uint64_t>::max()) : std::nullopt;
            if (!n) return "--seed takes a whole number, 0 or more";
            o.seed = *n;
        } else if (a == "--difficulty") {
            // Any integer, as a settings file may hold: the game plays values
            // below 0 as Easy and above 2 as Difficult.
            const auto v = value();
            const auto n = v ? ParseNumber<std::int32_t>(*v, std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max())
                             : std::nullopt;
            if (!n) return "--difficulty takes a whole number";
            o.difficulty = *n;
        } else if (a == "--interval") {
            const auto v = value();
            const auto n = v ? ParseNumber<std::int32_t>(*v, 1, 1000) : std::nullopt;
            if (!n) return "--interval takes milliseconds from 1 to 1000";
            o.interval = *n;
        } else if (a == "--view") {
            const auto v = value();
            const auto x = v ? v->find('x') : std::string::npos;
            const auto w = x != std::string::npos ? ParseNumber<long long>(v->substr(0, x), 1, kMaxViewSide) : std::nullopt;
            const auto h = x != std::string::npos ? ParseNumber<long long>(v->substr(x + 1), 1, kMaxViewSide) : std::nullopt;
            if (!w || !h) return "--view takes WIDTHxHEIGHT, each from 1 to 16384";
            o.viewWidth = static_cast<std::int32_t>(*w);
            o.viewHeight = static_cast<std::int32_t>(*h);
        } else if (a == "--scale") {
            const auto v = value();
            if (v == "1" || v == "2") o.scale = *v == "1" ? 1 : 2;
            else if (v == "auto") o.scale = 0;
            else return "--scale takes 1, 2 or auto";
        } else if (a == "--library") {
            const auto v = value();
            if (!v || v->empty()) return "--library takes a file name or none";
            o.library = *v;
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option " + a;
        } else if (!haveGame) {
            o.game = a;
            haveGame = true;
        } else {
            return "only one game file can be run";
        }
    }
    if (!haveGame && !gameOptional) return std::string("no game file given");
    return std::nullopt;
}

bool PrepareGame(const RunOptions& o, Game& game, QuietHost& host) {
    // The game's own start-up, in play (on the title) or in the editing mode,
    // with the command line's settings instead of the settings file. Nothing
    // fades in on the first map: the tool has no picture to fade.
    StartUpGame(game, [&](std::int32_t) { return o.edit ? kEditingModeChoice : ModeNumberOf(kDefaultDisplayMode); },
                false);
    RunState& run = game.Run();
    run.FadeInPending = 0;
    run.Difficulty = o.difficulty;
    run.TimerInterval = o.interval;
    run.DisplayWidth = o.viewWidth;
    run.DisplayHeight = o.viewHeight;
    // The interface's scale and the status bar and menu placed for the surface,
    // as the window's display initialisation places them.
    run.ScaleSetting = o.scale;
    SetInterfaceScale(game.View().Panels, InterfaceScaleFor(o.scale, o.viewHeight, 1.0));
    PlacePanels(game.View().Panels, o.viewWidth, o.viewHeight);
    run.KeepGroups = o.keepGroups ? 1 : 0;
    run.SoundOn = 0;
    run.MusicOn = 0;

    if (!o.library) {
        // As the game at start-up: without the library it carries on with no
        // pictures (and so picture sizes of 0), and says so.
        const std::string path = game.Paths().LibraryToRead();
        if (FileExists(path)) {
            if (!LoadLibrary(host, path, game)) return false;
        } else {
            std::fprintf(stderr, "File \"Tavrine.isd\" not found; running without pictures\n");
        }
    } else if (*o.library != "none" && !LoadLibrary(host, *o.library, game)) {
        return false;
    }

    if (o.game.empty()) return true;
    const int before = host.messages;
    const bool loaded = o.newGame ? game.LoadNewGame(o.game) : game.LoadGame(o.game);
    if (!loaded) {
        std::fprintf(stderr, "%s: %s\n", o.game.c_str(), Reason(host, before, "Malformed game file").c_str());
        return false;
    }
    game.RefreshTimeLabel();
    return true;
}

}  // namespace tavrine::sim
