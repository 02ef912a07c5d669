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

/// Folds a number into a running checksum, byte by byte.
std::uint64_t Fold(std::uint64_t hash, std::uint64_t value) {
    std::uint8_t bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    return Fnv1a(bytes, sizeof bytes, hash);
}

/// Folds a block of bytes, its length first so that neighbouring blocks cannot
/// trade bytes without changing the checksum.
std::uint64_t Fold(std::uint64_t hash, const std::vector<std::uint8_t>& bytes) {
    return Fnv1a(bytes.data(), bytes.size(), Fold(hash, bytes.size()));
}

}  // namespace

std::string LibraryIdentity(const ImageLibrary& library) {
    if (library.Images.empty() && library.WaveList.empty()) return "none";
    std::uint64_t hash = Fold(Fnv1a(nullptr, 0), library.Images.size());
    for (const Subgroups& group : library.Images) {
        hash = Fold(hash, group.size());
        for (const PictureLists& subgroup : group) {
            hash = Fold(hash, subgroup.size());
            for (const PictureList& list : subgroup) {
                hash = Fold(Fold(hash, static_cast<std::uint32_t>(list.Tag)), list.Pictures.size());
                for (const Picture& p : list.Pictures)
                    hash = Fold(Fold(Fold(hash, static_cast<std::uint32_t>(p.Width)), static_cast<std::uint32_t>(p.Height)),
                                p.Record);
            }
        }
    }
    hash = Fold(hash, library.WaveList.size());
    for (const Wave& w : library.WaveList) hash = Fold(Fold(hash, w.Format), w.Samples);
    return HexDigits(hash);
}

std::optional<std::string> LibraryMismatch(const ReplayStart& start, const ImageLibrary& library) {
    if (!start.Library) return std::nullopt;
    const std::string here = LibraryIdentity(library);
    if (here == *start.Library) return std::nullopt;
    if (*start.Library == "none")
        return "the replay was recorded without a picture library and must be played without one";
    return "the replay needs the picture library it was recorded with (checksum " + *start.Library + "), " +
           (here == "none" ? std::string("and no library was loaded") : "not the one loaded (checksum " + here + ")");
}

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
    s.Library = LibraryIdentity(game.Library());
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
