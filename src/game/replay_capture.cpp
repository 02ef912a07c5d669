// The state a replay carries from the battle's start, and the end it checks.
#include <sstream>

#include "game/replay.h"
#include "state/run_fields.h"
#include "state/saved_game.h"
#include "view/panel_fields.h"

namespace tavrine {

namespace {

/// The values of the fields that replays carry, by name.
template <typename Record>
void Capture(std::span<const FieldDescription<Record>> fields, const Record& record,
             std::vector<std::pair<std::string, std::int64_t>>& out) {
    for (const auto& f : fields)
        if (f.Uses & Replayed)
            if (const auto value = f.Number(record)) out.emplace_back(f.Name, *value);
}

template <typename Record>
void Restore(std::span<const FieldDescription<Record>> fields, const std::vector<std::pair<std::string, std::int64_t>>& values,
             Record& record) {
    for (const auto& [name, value] : values)
        if (const auto* f = FindNumberField(fields, name, Replayed)) f->SetNumber(record, value);
}

}  // namespace

std::uint64_t GameChecksum(const Game& game) {
    // The battle alone: whether it is a campaign mission and its statistics are
    // no part of it (a replay played back does not know the campaign).
    const Bytes record = SerializeGame(game.Record(), true);
    std::uint8_t random[8];
    const std::uint64_t state = game.Rng().State();
    for (int i = 0; i < 8; ++i) random[i] = static_cast<std::uint8_t>(state >> (8 * i));
    return Fnv1a(random, sizeof random, Fnv1a(record.data(), record.size()));
}

ReplayStart CaptureStart(const Game& game, const Bytes& gameFile, bool newGame, bool fades) {
    ReplayStart s;
    const RunState& run = game.Run();
    s.Version = GameVersion();
    s.NewGame = newGame;
    s.RandomState = game.Rng().State();
    s.Difficulty = run.Difficulty;
    s.Interval = run.TimerInterval;
    s.ViewWidth = run.DisplayWidth;
    s.ViewHeight = run.DisplayHeight;
    s.Fades = fades;
    Capture(RunStateFields(), run, s.Run);
    Capture(PanelStateFields(), game.View().Panels, s.Panels);
    std::erase_if(s.Panels, [](const auto& field) { return field.first == "Scale" && field.second == 1; });
    s.GameFile = gameFile;
    return s;
}

void RestoreStart(const ReplayStart& start, Game& game) {
    RunState& run = game.Run();
    run.Difficulty = start.Difficulty;
    run.TimerInterval = start.Interval;
    run.DisplayWidth = start.ViewWidth;
    run.DisplayHeight = start.ViewHeight;
    // A replay plays with the option it was recorded with, whatever the viewer
    // chose; one recorded before the option existed had it off.
    run.KeepGroups = 0;
    Restore(RunStateFields(), start.Run, run);
    Restore(PanelStateFields(), start.Panels, game.View().Panels);
    // Only the two scales the interface has.
    PanelState& panels = game.View().Panels;
    if (panels.Scale != 1 && panels.Scale != 2) panels.Scale = 1;
    game.Rng().Restore(start.RandomState);
}

ReplayEnd CaptureEnd(const Game& game, long long ticks) {
    return ReplayEnd{ticks, game.Run().Outcome, game.Record().GameTime, game.Rng().State(),
                     GameChecksum(game)};
}

std::optional<std::string> CompareEnds(const ReplayEnd& recorded, const ReplayEnd& reached) {
    std::ostringstream s;
    if (recorded.Ticks != reached.Ticks)
        s << "the replay ran " << reached.Ticks << " ticks where the recording ran " << recorded.Ticks;
    else if (recorded.Outcome != reached.Outcome)
        s << "the outcome is " << reached.Outcome << " where the recording ended with " << recorded.Outcome;
    else if (recorded.GameTime != reached.GameTime)
        s << "the game time is " << reached.GameTime << " s where the recording ended at " << recorded.GameTime << " s";
    else if (recorded.RandomState != reached.RandomState)
        s << "the random generator stands at " << HexDigits(reached.RandomState) << " where the recording's stood at "
          << HexDigits(recorded.RandomState);
    else if (recorded.Checksum != reached.Checksum)
        s << "the game record's checksum is " << HexDigits(reached.Checksum) << " where the recording's was "
          << HexDigits(recorded.Checksum);
    else
        return std::nullopt;
    return s.str();
}

}  // namespace tavrine
