// tavrine-sim run GAME.gam: loads a game as the game's load command does and runs
// frame ticks headless through the real tick, with a null canvas and no sound;
// optionally with scripted input through the main window's commands.
#include <cstdio>
#include <optional>
#include <string>

#include "commands.h"
#include "data/file_io.h"
#include "data/json_writer.h"
#include "game/game.h"
#include "run_options.h"
#include "script_shell.h"
#include "state/game_json.h"
#include "view/status.h"

namespace tavrine::sim {

namespace {

int Usage(const std::string& problem);

/// The run command's own options beside the shared ones.
struct RunOutput {
    std::optional<std::string> out;  ///< save the game here after the ticks
    bool json = false;
    std::optional<std::string> events;  ///< the input script
    bool answer = true;                 ///< the reply to every yes/no question
    std::optional<std::string> folder;  ///< the program folder instead of the tool's own
    bool title = false;                 ///< start on the title screen, with no game
    bool reveal = false;                ///< clear the fog of war after loading
};

/// Events files larger than this are refused.
constexpr std::size_t kMaxEventsBytes = std::size_t{16} << 20;

void WriteForces(JsonWriter& w, const RunState& run) {
    w.Field("EnemyHQs", run.EnemyHQs);
    w.Field("EnemyBuildings", run.EnemyBuildings);
    w.Field("EnemyTanks", run.EnemyTanks);
    w.Field("OwnHQs", run.OwnHQs);
    w.Field("OwnBuildings", run.OwnBuildings);
    w.Field("OwnTanks", run.OwnTanks);
}

std::string Summary(Game& game, long long ticks, const ScriptedShell* shell) {
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
    if (shell) shell->WriteJson(w);
    w.EndObject();
    return w.Text();
}

std::string FullRecord(Game& game, long long ticks, const ScriptedShell* shell) {
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
    w.Field("TitleShown", static_cast<std::int64_t>(run.TitleShown));
    w.Field("LoadOffered", static_cast<std::int64_t>(run.LoadOffered));
    w.Field("TimerInterval", run.TimerInterval);
    w.Field("DisplayWidth", run.DisplayWidth);
    w.Field("DisplayHeight", run.DisplayHeight);
    w.Field("MusicOn", static_cast<std::int64_t>(run.MusicOn));
    w.Field("SoundOn", static_cast<std::int64_t>(run.SoundOn));
    w.Field("MinimapZoom2", static_cast<std::int64_t>(run.MinimapZoom2));
    w.EndObject();
    if (shell) shell->WriteJson(w);
    w.EndObject();
    return w.Text();
}

int Run(const Args& args) {
    RunOptions o;
    RunOutput output;
    const auto own = [&](const std::string& a, const OptionValue& value, std::string& error) {
        if (a == "--json") {
            output.json = true;
        } else if (a == "--title") {
            output.title = true;
        } else if (a == "--reveal") {
            output.reveal = true;
        } else if (a == "--out" || a == "--events" || a == "--folder") {
            const auto v = value();
            if (!v || v->empty()) error = a + " takes a file name";
            else (a == "--out" ? output.out : a == "--events" ? output.events : output.folder) = *v;
        } else if (a == "--answer") {
            const auto v = value();
            if (v && (*v == "yes" || *v == "no")) output.answer = *v == "yes";
            else error = "--answer takes yes or no";
        } else {
            return false;
        }
        return true;
    };
    if (const auto problem = ParseRunOptions(args, o, own, true)) return Usage(*problem);
    if (output.title == !o.game.empty()) return Usage(output.title ? "--title runs without a game file" : "no game file given");

    std::vector<ScriptEvent> events;
    if (output.events) {
        const std::optional<Bytes> text = ReadWholeFile(*output.events, kMaxEventsBytes);
        if (!text) return Usage("cannot read the events file " + *output.events);
        std::string error;
        const auto parsed = ParseEvents(std::string(text->begin(), text->end()), o.ticks, o.edit, error);
        if (!parsed) return Usage(*output.events + ": " + error);
        events = *parsed;
    }

    ScriptHost host(output.answer);
    Game game(output.folder ? *output.folder : ExecutableFolder(), host, o.seed);
    if (!PrepareGame(o, game, host)) return 1;
    // Without a game the start-up's empty 80 x 60 map stays, under the title
    // (in the editing mode too).
    if (output.title) game.Run().TitleShown = 1;
    if (output.reveal)
        for (auto& column : game.Record().Cells)
            for (auto& cell : column) cell.Hidden = 0;

    ScriptedShell shell(game, host, output.answer);
    const bool scripted = output.events || output.title;
    long long ran = 0;
    std::size_t next = 0;
    for (long long i = 0; i <= o.ticks && !shell.Closed(); ++i) {
        for (; next < events.size() && events[next].Tick == i && !shell.Closed(); ++next) shell.Apply(events[next].Action);
        if (i == o.ticks || shell.Closed()) break;
        shell.Tick();
        ++ran;
    }

    if (output.out && !game.SaveGame(*output.out)) {
        std::fprintf(stderr, "%s: %s\n", output.out->c_str(), host.lastMessage.c_str());
        return 1;
    }
    const ScriptedShell* report = scripted ? &shell : nullptr;
    const std::string text = output.json ? FullRecord(game, ran, report) : Summary(game, ran, report);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const std::string kUsage = std::string("run GAME.gam|--title ") + kRunOptionsUsage +
                           " [--out FILE] [--json]\n"
                           "                   [--events FILE] [--answer yes|no] [--folder DIR] [--reveal]";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "tavrine-sim run: %s\nusage: tavrine-sim %s\n", problem.c_str(), kUsage.c_str());
    return 2;
}

const CommandRegistration registration("run", kUsage.c_str(), Run);

}  // namespace

}  // namespace tavrine::sim
