// tavrine-sim autoplay GAME.gam: plays the player's side with the autopilot,
// through the player's own mouse commands, until the mission is decided or the
// game time runs out, and prints the outcome, the game time and the statistics
// as JSON. With --idle the player does nothing at all.
#include <cstdio>
#include <limits>
#include <string>

#include "commands.h"
#include "data/json_writer.h"
#include "game/autopilot.h"
#include "game/game.h"
#include "game/main_commands.h"
#include "platform/dialogs.h"
#include "platform/main_window.h"
#include "run_options.h"
#include "view/panels.h"
#include "view/status.h"

namespace tavrine::sim {

namespace {

int Usage(const std::string& problem);

/// Ticks of one game second at the given timer interval: the clock advances
/// when more than 1000 / interval ticks have been counted.
long long TicksPerSecond(std::int32_t interval) { return 1000 / std::max(interval, 1) + 1; }

const char* ResultText(std::int32_t outcome) {
    switch (outcome) {
        case OutcomeAccomplished: return "Mission Accomplished";
        case OutcomeFailed: return "Mission Failed";
        default: return "Time ran out";
    }
}

std::string Report(Game& game, long long ticks, const AutopilotCounts& counts, bool idle) {
    const GameType& g = game.Record();
    RunState& run = game.Run();
    BuildInfoLines(g, run);
    JsonWriter w;
    w.BeginObject();
    w.Field("Result", ResultText(run.Outcome));
    w.Field("Outcome", run.Outcome);
    w.Field("GameTime", g.GameTime);
    w.Field("GameClock", std::to_string(g.GameTime / 60) + ":" + (g.GameTime % 60 < 10 ? "0" : "") + std::to_string(g.GameTime % 60));
    w.Field("Ticks", ticks);
    w.Field("Mission", g.Mission);
    w.Field("Difficulty", run.Difficulty);
    w.Field("Player", idle ? "idle" : "autopilot");
    w.Field("Money", g.Money);
    w.Field("EnemyHQs", run.EnemyHQs);
    w.Field("EnemyBuildings", run.EnemyBuildings);
    w.Field("EnemyTanks", run.EnemyTanks);
    w.Field("OwnHQs", run.OwnHQs);
    w.Field("OwnBuildings", run.OwnBuildings);
    w.Field("OwnTanks", run.OwnTanks);
    w.Key("Autopilot").BeginObject();
    w.Field("Decisions", counts.Decisions);
    w.Field("Orders", counts.Orders);
    w.Field("Presses", counts.Hands.Presses);
    w.Field("Bands", counts.Hands.Bands);
    w.Field("MinimapClicks", counts.Hands.MapClicks);
    w.EndObject();
    w.Key("InfoLines").BeginArray();
    for (const std::string& line : run.InfoLines) w.Value(line);
    w.EndArray();
    w.EndObject();
    return w.Text();
}

int Autoplay(const Args& args) {
    RunOptions o;
    o.difficulty = DifficultyEasy;
    double maxMinutes = 60.0;
    bool idle = false;
    bool trace = false;
    const auto own = [&](const std::string& a, const OptionValue& value, std::string& error) {
        if (a == "--idle") {
            idle = true;
            return true;
        }
        if (a == "--trace") {
            trace = true;
            return true;
        }
        if (a != "--max-minutes") return false;
        const auto v = value();
        try {
            std::size_t used = 0;
            maxMinutes = v ? std::stod(*v, &used) : -1.0;
            if (!v || used != v->size() || !(maxMinutes > 0.0) || maxMinutes > 100000.0) error = "--max-minutes takes a number of game minutes above 0";
        } catch (const std::exception&) {
            error = "--max-minutes takes a number of game minutes above 0";
        }
        return true;
    };
    if (const auto problem = ParseRunOptions(args, o, own)) return Usage(*problem);
    if (o.edit) return Usage("the autopilot plays, it does not edit");

    QuietHost host;
    Game game(ProgramPaths(), host, o.seed);
    if (!PrepareGame(o, game, host)) return 1;
    // As the display initialisation does: the status bar along the bottom.
    PlacePanels(game.View().Panels, game.Run().DisplayWidth, game.Run().DisplayHeight);

    // The desktop around the game: the main window's commands with dialogs
    // that are never answered (the autopilot opens none) and a window that only
    // counts what is asked of it.
    ScriptedDialogs dialogs;
    CountingMainWindow window;
    MainCommands commands(game, dialogs, window);
    Autopilot pilot(game, commands);
    if (trace) pilot.Trace = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
    // --ticks, when given, bounds the run as well.
    const long long limit = static_cast<long long>(maxMinutes * 60.0) * TicksPerSecond(o.interval) + TicksPerSecond(o.interval);
    const long long ticks = o.ticks > 0 ? std::min(o.ticks, limit) : limit;
    const std::int32_t maxSeconds = static_cast<std::int32_t>(maxMinutes * 60.0);
    long long done = 0;
    while (done < ticks && game.Run().Outcome == OutcomeRunning && game.Record().GameTime < maxSeconds) {
        if (!idle) pilot.BetweenTicks();
        commands.DXTimerTimer();
        ++done;
    }
    const std::string text = Report(game, done, pilot.Counts(), idle);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const std::string kUsage = std::string("autoplay GAME.gam ") + kRunOptionsUsage + " [--max-minutes M] [--idle] [--trace]";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "tavrine-sim autoplay: %s\nusage: tavrine-sim %s\n", problem.c_str(), kUsage.c_str());
    return 2;
}

const CommandRegistration registration("autoplay", kUsage.c_str(), Autoplay);

}  // namespace

}  // namespace tavrine::sim
