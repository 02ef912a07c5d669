// Replays: a battle as the game file it began with, the state around it, every
// input that reached the game's commands with the tick before which it came, and
// a checksum of how it ended. The file is plain text; its events are lines of the
// scripted-input syntax (input_events.h), so a replay is also an input script.
//
//   # tavrine-replay 1
//   # version 0.1                     the game's version that recorded it
//   # new 0|1                         the game file was started as a prepared map
//   # random STATE                    the random generator's state at the start
//   # difficulty D
//   # interval MS
//   # view WxH                        the drawing surface
//   # fades 0|1                       the display fades (they draw frames)
//   # library none|CHECKSUM           the picture library the battle ran with:
//                                     none, or the checksum of its contents
//                                     (replays recorded before it was named
//                                     lack the line and play with any library)
//   # run KEY=VALUE ...               run-time state carried into the battle
//   # panels KEY=VALUE ...            the status bar, menu and minimap panels
//   # game BYTES CHECKSUM             the game file: size and checksum of its bytes,
//   # data BASE64                     then its bytes in lines of base64
//   TICK EVENT ...                    the inputs (see input_events.h)
//   # end ticks N outcome O time T random R checksum C
//
// TICK counts the ticks the game ran since the battle began (Game::TicksRun):
// frames in which the game does not run, such as a pause, count for nothing, so
// an input made while paused is applied before the same tick on playback. The
// checksum at the end covers the final game record, as it would be saved,
// and the random generator's state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/file_io.h"
#include "game/game.h"
#include "game/input_events.h"

namespace tavrine {

inline constexpr int kReplayFormat = 1;
/// Replay files larger than this are refused.
inline constexpr std::size_t kMaxReplayBytes = std::size_t{256} << 20;

/// The game's version, as replays name it.
const char* GameVersion();

/// Where and how the battle began.
struct ReplayStart {
    std::string Version;
    bool NewGame = false;
    std::uint64_t RandomState = 0;
    std::int32_t Difficulty = DifficultyNormal;
    std::int32_t Interval = 30;
    std::int32_t ViewWidth = 800;
    std::int32_t ViewHeight = 600;
    bool Fades = false;
    /// The picture library the battle ran with, as `LibraryIdentity` names it;
    /// nothing in a replay recorded before replays named it.
    std::optional<std::string> Library;
    /// The run-time and panel state as `CaptureStart` named it.
    std::vector<std::pair<std::string, std::int64_t>> Run;
    std::vector<std::pair<std::string, std::int64_t>> Panels;
    Bytes GameFile;
};

/// How the battle ended.
struct ReplayEnd {
    long long Ticks = 0;
    std::int32_t Outcome = OutcomeRunning;
    std::int32_t GameTime = 0;
    std::uint64_t RandomState = 0;
    std::uint64_t Checksum = 0;
};

struct Replay {
    ReplayStart Start;
    std::vector<ScriptEvent> Events;
    ReplayEnd End;
};

/// 64-bit FNV-1a over `bytes`, continuing from `hash`.
std::uint64_t Fnv1a(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash = 14695981039346656037ull);

/// `value` as 16 hexadecimal digits, as replays write checksums.
std::string HexDigits(std::uint64_t value);

/// The checksum of the game record as it would be saved and the random state.
std::uint64_t GameChecksum(const Game& game);

/// The picture library as a replay names it: "none" for a game without pictures
/// or sounds, else a checksum of everything in it as 16 hexadecimal digits (the
/// battle depends on the pictures' sizes, so another library plays another battle).
std::string LibraryIdentity(const ImageLibrary& library);

/// Nothing when `library` is the one the replay's battle ran with (or the replay
/// does not name one); otherwise a sentence saying which library it needs.
std::optional<std::string> LibraryMismatch(const ReplayStart& start, const ImageLibrary& library);

/// The state a replay carries from the game just after `gameFile` was loaded.
ReplayStart CaptureStart(const Game& game, const Bytes& gameFile, bool newGame, bool fades);

/// Puts the carried run-time and panel state (and the random state) back into
/// `game`, which has just loaded the replay's game file.
void RestoreStart(const ReplayStart& start, Game& game);

/// The end as the game stands after `ticks` ticks.
ReplayEnd CaptureEnd(const Game& game, long long ticks);

/// The first difference between the recorded end and the one reached, as a
/// sentence, or nothing when they agree.
std::optional<std::string> CompareEnds(const ReplayEnd& recorded, const ReplayEnd& reached);

std::string WriteReplay(const Replay& replay);

/// The replay in `text`; nothing, with `error` naming the line and the reason,
/// when any line is malformed, the game data does not match its checksum, an
/// event lies past the end, or a part is missing.
std::optional<Replay> ParseReplay(std::string_view text, std::string& error);

/// Reads and parses the replay file at `path` (both programs open replays
/// here); nothing, with `error` saying why, when it cannot be read (or is larger
/// than kMaxReplayBytes) or `ParseReplay` refuses it.
std::optional<Replay> ReadReplayFile(const std::string& path, std::string& error);

/// The folder the desktop keeps its replays in, beside the saved games.
std::string ReplaysFolder(const Game& game);

/// The program folder a replay is played in: one that does not exist, so the
/// replayed commands can neither load another game nor write the viewer's games
/// or settings.
std::string PlaybackFolder(const Game& game);

/// How many replays the desktop keeps; the oldest go first.
inline constexpr std::size_t kKeptReplays = 50;

/// Writes `replay` into `folder` (made when missing) as "YYYY-MM-DD HH-MM-SS
/// NAME.replay", NAME being the game file's name without its extension, `now` the
/// local time as "YYYY-MM-DD HH-MM-SS"; then removes the oldest replays beyond
/// kKeptReplays of the replays so named (other files are left alone). Returns the file's path, or nothing when it could not be written.
std::optional<std::string> KeepReplay(const std::string& folder, const Replay& replay, const std::string& gameName,
                                      const std::string& now);

/// The local time now as "YYYY-MM-DD HH-MM-SS".
std::string LocalTimeText();

}  // namespace tavrine
