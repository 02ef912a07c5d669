#include "run_report.h"

#include "data/json_writer.h"
#include "state/game_json.h"
#include "state/run_fields.h"
#include "view/status.h"

namespace tavrine::sim {

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

void WriteFullRecord(JsonWriter& w, Game& game, long long ticks) {
    RunState& run = game.Run();
    // The statistics as the Information box would show them now.
    BuildInfoLines(game.Record(), run);
    WriteGameFields(w, game.Record());
    w.Key("Runtime").BeginObject();
    w.Field("Ticks", ticks);
    for (const FieldDescription<RunState>& f : RunStateFields())
        if (f.Uses & Reported) f.Report(w, f.Name, run);
    w.Key("Paused").Bool(game.Paused());
    w.EndObject();
}

std::string FullRecord(Game& game, long long ticks, const ScriptedShell* shell) {
    JsonWriter w;
    w.BeginObject();
    WriteFullRecord(w, game, ticks);
    if (shell) shell->WriteJson(w);
    w.EndObject();
    return w.Text();
}

}  // namespace tavrine::sim
