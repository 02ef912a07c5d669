// What `run` and `replay` print: the one-line summary or the whole record with
// the run-time state, and the scripted shell's report.
#pragma once

#include <string>

#include "data/json_writer.h"
#include "game/game.h"
#include "game/script_shell.h"

namespace tavrine::sim {

/// The six force counts: enemy and own headquarters, buildings and tanks.
void WriteForces(JsonWriter& w, const RunState& run);
std::string Summary(Game& game, long long ticks, const ScriptedShell* shell);
std::string FullRecord(Game& game, long long ticks, const ScriptedShell* shell);
/// The fields of the whole record and the "Runtime" object, as `run --json`
/// prints them, into the object `w` has open.
void WriteFullRecord(JsonWriter& w, Game& game, long long ticks);

}  // namespace tavrine::sim
