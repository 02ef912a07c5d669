// tavrine-sim run GAME.gam: loads a game as the game's load command does and runs
// frame ticks headless through the real tick, with a null canvas and no sound.
#include <cstdio>
#include <optional>
#include <string>

#include "commands.h"
#include "data/json_writer.h"
#include "game/game.h"
#include "state/game_json.h"
#include "run_options.h"
#include "view/status.h"

namespace tavrine::sim {

namespace {

int Usage(const std::string& problem);

/// The run command's own options beside the shared ones.
struct RunOutput {
    std::optional<std::string> out;  ///< save the game here after the ticks
    bool json = false;
};

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
    RunOutput output;
    const auto own = [&](const std::string& a, const OptionValue& value, std::string& error) {
        if (a == "--json") {
            output.json = true;
            return true;
        }
        if (a != "--out") return false;
        const auto v = value();
        if (!v || v->empty()) error = "--out takes a file name";
        else output.out = *v;
        return true;
    };
    if (const auto problem = ParseRunOptions(args, o, own)) return Usage(*problem);

    QuietHost host;
    Game game(ExecutableFolder(), host, o.seed);
    if (!PrepareGame(o, game, host)) return 1;

    for (long long i = 0; i < o.ticks; ++i) game.DXTimerTimer();

    if (output.out && !game.SaveGame(*output.out)) {
        std::fprintf(stderr, "%s: %s\n", output.out->c_str(), host.lastMessage.c_str());
        return 1;
    }
    const std::string text = output.json ? FullRecord(game, o.ticks) : Summary(game, o.ticks);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const std::string kUsage = std::string("run GAME.gam ") + kRunOptionsUsage + " [--out FILE] [--json]";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "tavrine-sim run: %s\nusage: tavrine-sim %s\n", problem.c_str(), kUsage.c_str());
    return 2;
}

const CommandRegistration registration("run", kUsage.c_str(), Run);

}  // namespace

}  // namespace tavrine::sim
