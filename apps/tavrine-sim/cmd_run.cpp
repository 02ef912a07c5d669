// tavrine-sim run GAME.gam: loads a game as the game's load command does and runs
// frame ticks headless through the real tick, with a null canvas and no sound.
#include <charconv>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "commands.h"
#include "data/file_io.h"
#include "data/json_writer.h"
#include "game/game.h"
#include "state/game_json.h"
#include "view/status.h"

namespace tavrine::sim {

namespace {

constexpr const char* kUsage =
    "run GAME.gam [--new] [--ticks N] [--seed S] [--difficulty D] [--interval MS] [--view WxH]\n"
    "                   [--library FILE|none] [--edit] [--out FILE] [--json]";

/// The largest drawing surface the tool accepts, per side.
constexpr long long kMaxViewSide = 16384;

struct RunOptions {
    std::string game;
    bool newGame = false;
    long long ticks = 0;
    std::uint64_t seed = 1;
    std::int32_t difficulty = DifficultyNormal;
    std::int32_t interval = 30;
    std::int32_t viewWidth = 800;
    std::int32_t viewHeight = 600;
    std::optional<std::string> library;  ///< none given: Tavrine.isd in the program folder
    bool edit = false;
    std::optional<std::string> out;
    bool json = false;
};

template <typename T>
std::optional<T> ParseNumber(const std::string& text, T low, T high) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end || value < low || value > high) return std::nullopt;
    return value;
}

int Usage(const std::string& problem) {
    std::fprintf(stderr, "tavrine-sim run: %s\nusage: tavrine-sim %s\n", problem.c_str(), kUsage);
    return 2;
}

/// Fills `o` from the arguments; an error text when they are wrong.
std::optional<std::string> ParseOptions(const Args& args, RunOptions& o) {
    bool haveGame = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 == args.size()) return std::nullopt;
            return args[++i];
        };
        if (a == "--new") {
            o.newGame = true;
        } else if (a == "--edit") {
            o.edit = true;
        } else if (a == "--json") {
            o.json = true;
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
        } else if (a == "--library") {
            const auto v = value();
            if (!v || v->empty()) return "--library takes a file name or none";
            o.library = *v;
        } else if (a == "--out") {
            const auto v = value();
            if (!v || v->empty()) return "--out takes a file name";
            o.out = *v;
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option " + a;
        } else if (!haveGame) {
            o.game = a;
            haveGame = true;
        } else {
            return "only one game file can be run";
        }
    }
    if (!haveGame) return std::string("no game file given");
    return std::nullopt;
}

/// The game's own message for a failure, or `fallback` when the game stays silent.
std::string Reason(const QuietHost& host, int messagesBefore, const char* fallback) {
    return host.messages > messagesBefore ? host.lastMessage : std::string(fallback);
}

void WriteForces(JsonWriter& w, const RunState& run) {
    w.Field("EnemyHQs", run.EnemyHQs);
    w.Field("EnemyBuildings", run.EnemyBuildings);
    w.Field("EnemyTanks", run.EnemyTanks);
    w.Field("OwnHQs", run.OwnHQs);
    w.Field("OwnBuildings", run.OwnBuildings);
    w.Field("OwnTanks", run.OwnTanks);
}

std::string Summary(Game& game, long long ticks) {
    const GameType& g = game.Record();
    const RunState& run = game.Run();
    JsonWriter w;
    w.BeginObject();
    w.Field("Ticks", ticks);
    w.Field("Outcome", run.Outcome);
    w.Field("GameTime", g.GameTime);
    w.Field("Money", g.Money);
    WriteForces(w, run);
    w.Field("Tanks", static_cast<std::int64_t>(g.Tanks.size()));
    w.Field("Orders", static_cast<std::int64_t>(g.Orders.size()));
    w.EndObject();
    return w.Text();
}

std::string FullRecord(Game& game, long long ticks) {
    RunState& run = game.Run();
    // The statistics as the Information box would show them now.
    BuildInfoLines(game.Record(), run);
    JsonWriter w;
    w.BeginObject();
    WriteGameFields(w, game.Record());
    w.Key("Runtime").BeginObject();
    w.Field("Ticks", ticks);
    w.Field("Outcome", run.Outcome);
    w.Field("BannerTime", run.BannerTime);
    w.Field("Difficulty", run.Difficulty);
    WriteForces(w, run);
    w.Key("InfoLines").BeginArray();
    for (const std::string& line : run.InfoLines) w.Value(line);
    w.EndArray();
    w.EndObject();
    w.EndObject();
    return w.Text();
}

int Run(const Args& args) {
    RunOptions o;
    if (const auto problem = ParseOptions(args, o)) return Usage(*problem);

    QuietHost host;
    Game game(ExecutableFolder(), host, o.seed);
    RunState& run = game.Run();
    run.Difficulty = o.difficulty;
    run.TimerInterval = o.interval;
    run.DisplayWidth = o.viewWidth;
    run.DisplayHeight = o.viewHeight;
    run.EditMode = o.edit ? 1 : 0;
    run.SoundOn = 0;
    run.MusicOn = 0;

    if (!o.library) {
        // As the game at start-up: without the library it carries on with no
        // pictures (and so picture sizes of 0), and says so.
        const std::string path = game.ProgramPath("/Tavrine.isd");
        if (FileExists(path)) {
            const int before = host.messages;
            if (!LoadImageLibraryFrom(host, path, game.Library())) {
                std::fprintf(stderr, "%s: %s\n", path.c_str(), Reason(host, before, "the library could not be read").c_str());
                return 1;
            }
        } else {
            std::fprintf(stderr, "File \"Tavrine.isd\" not found; running without pictures\n");
        }
    } else if (*o.library != "none") {
        const int before = host.messages;
        if (!LoadImageLibraryFrom(host, *o.library, game.Library())) {
            std::fprintf(stderr, "%s: %s\n", o.library->c_str(), Reason(host, before, "the library could not be read").c_str());
            return 1;
        }
    }

    const int before = host.messages;
    const bool loaded = o.newGame ? game.LoadNewGame(o.game) : game.LoadGame(o.game);
    if (!loaded) {
        std::fprintf(stderr, "%s: %s\n", o.game.c_str(), Reason(host, before, "Malformed game file").c_str());
        return 1;
    }
    game.RefreshTimeLabel();

    for (long long i = 0; i < o.ticks; ++i) game.DXTimerTimer();

    if (o.out && !game.SaveGame(*o.out)) {
        std::fprintf(stderr, "%s: %s\n", o.out->c_str(), host.lastMessage.c_str());
        return 1;
    }
    const std::string text = o.json ? FullRecord(game, o.ticks) : Summary(game, o.ticks);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const CommandRegistration registration("run", kUsage, Run);

}  // namespace

}  // namespace tavrine::sim
