// tavrine-sim autoplay GAME.gam: plays the player's side with the autopilot,
// through the player's own mouse commands, until the mission is decided or the
// game time runs out, and prints the outcome, the game time and the statistics
// as JSON. With --idle the player does nothing at all.
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "autopilot.h"
#include "commands.h"
#include "data/json_writer.h"
#include "game/game.h"
#include "game/main_commands.h"
#include "platform/dialogs.h"
#include "platform/main_window.h"
#include "run_options.h"
#include "game/script_shell.h"
#include "run_report.h"
#include "view/panels.h"
#include "view/status.h"

namespace tavrine::sim {

namespace {

int AutoplayUsage(const std::string& problem);

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

/// The outcome line; with --json also the whole record and run-time state (as
/// `run --json` prints them) under "Game", and the shell's object when scripted.
std::string Report(Game& game, long long ticks, const AutopilotCounts& counts, bool idle, bool json, const ScriptedShell* shell) {
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
    WriteForces(w, run);
    w.Key("Autopilot").BeginObject();
    w.Field("Decisions", counts.Decisions);
    w.Field("Orders", counts.Orders);
    w.Field("Presses", counts.Hands.Presses);
    w.Field("Bands", counts.Hands.Bands);
    w.Field("MinimapClicks", counts.Hands.MapClicks);
    w.Field("Keys", counts.Hands.Keys);
    w.Field("RallyPoints", counts.RallyPoints);
    w.Field("AttackMoves", counts.AttackMoves);
    w.Field("Waypoints", counts.Waypoints);
    w.EndObject();
    w.Key("InfoLines").BeginArray();
    for (const std::string& line : run.InfoLines) w.Value(line);
    w.EndArray();
    if (shell) shell->WriteJson(w);
    if (json) {
        w.Key("Game").BeginObject();
        WriteFullRecord(w, game, ticks);
        w.EndObject();
    }
    w.EndObject();
    return w.Text();
}

int Autoplay(const Args& args) {
    RunOptions o;
    RunOutput output;
    o.difficulty = DifficultyEasy;
    o.keepGroups = true;  // the autopilot plays as a player who keeps groups together
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
        if (a != "--max-minutes") return TakeRunOutputOption(a, value, error, output);
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
    if (const auto problem = ParseRunOptions(args, o, own, true)) return AutoplayUsage(*problem);
    if (output.title == !o.game.empty()) return AutoplayUsage(output.title ? "--title runs without a game file" : "no game file given");
    if (o.edit) return AutoplayUsage("the autopilot plays, it does not edit");

    // --ticks, when given, bounds the run as well.
    const long long limit = static_cast<long long>(maxMinutes * 60.0) * TicksPerSecond(o.interval) + TicksPerSecond(o.interval);
    o.ticks = o.ticks > 0 ? std::min(o.ticks, limit) : limit;
    const std::int32_t maxSeconds = static_cast<std::int32_t>(maxMinutes * 60.0);

    // The desktop around the game is the scripted shell's: the main window's
    // commands with dialogs answered from the script (the autopilot opens none)
    // and a window that only counts what is asked of it.
    std::optional<Autopilot> pilot;
    RunHooks hooks;
    hooks.Start = [&](Game& game, ScriptedShell& shell) {
        // As the display initialisation does: the status bar along the bottom.
        PlacePanels(game.View().Panels, game.Run().DisplayWidth, game.Run().DisplayHeight);
        pilot.emplace(game, shell.Commands());
        if (trace) pilot->Trace = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
    };
    hooks.Done = [&](const Game& game) { return game.Run().Outcome != OutcomeRunning || game.Record().GameTime >= maxSeconds; };
    hooks.BeforeTick = [&] {
        if (!idle) pilot->BetweenTicks();
    };
    hooks.Report = [&](Game& game, long long ticks, const ScriptedShell* shell) {
        return Report(game, ticks, pilot->Counts(), idle, output.json, shell);
    };
    return RunHeadless(o, output, hooks, AutoplayUsage);
}

const std::string kAutoplayUsage = std::string("autoplay GAME.gam|--title ") + kRunOptionsUsage + kRunOutputUsage +
                           "\n                   [--max-minutes M] [--idle] [--trace]";

int AutoplayUsage(const std::string& problem) {
    std::fprintf(stderr, "tavrine-sim autoplay: %s\nusage: tavrine-sim %s\n", problem.c_str(), kAutoplayUsage.c_str());
    return 2;
}

const CommandRegistration autoplayRegistration("autoplay", kAutoplayUsage.c_str(), Autoplay);

}  // namespace

}  // namespace tavrine::sim
