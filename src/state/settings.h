// The settings file Tavrine.ini in the program folder: display mode, game speed,
// difficulty, music, sound and report.
//
// Written as eleven lines, each ended by CR LF:
//   [Display] Widht= Height= Bit= [Settings] Speed= Difficulty= Music= Sound= Report=
//   KeepGroups=
// followed by the Skirmish dialog's last choices: SkirmishLandscape=
// SkirmishColumns= SkirmishRows= SkirmishSymmetry= SkirmishMission= SkirmishScenery=
// (a file without them reads as before).
// ("Widht" is the key the game has always written and read; KeepGroups came
// first after the ten lines, so a file of an older build, without it, still reads.)
//
// Read leniently: section lines play no part; each key takes the value of the
// first line "key=value" whose key (the text before the first '=') equals it
// without regard to ASCII letter case; a missing key or an empty value leaves the
// setting alone. Lines may end in CR LF, LF or CR; a leading UTF-8 byte order
// mark is skipped. Keys and values are not trimmed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "state/display_modes.h"
#include "state/game_paths.h"
#include "state/run_state.h"

namespace tavrine {

/// The settings file's name, appended to the program folder.
inline constexpr std::string_view kSettingsFileName = "/Tavrine.ini";

/// The message box text (caption "Error") for a settings file that could not be written.
inline constexpr const char* kSettingsWriteFailedMessage = "Data I/O Error";

/// A settings file larger than this is not read at all (ReadSettings gives false).
/// The real file is about a hundred bytes.
inline constexpr std::size_t kMaxSettingsFileBytes = std::size_t{1} << 20;

/// Frame timer intervals of the three game speeds, in ms.
inline constexpr std::int32_t kIntervalSlow = 50;
inline constexpr std::int32_t kIntervalNormal = 30;
inline constexpr std::int32_t kIntervalFast = 20;

/// A settings integer: an optional '+' or '-' followed by one or more decimal
/// digits, nothing else (no spaces, no hexadecimal), within the signed 32-bit
/// range. Anything else gives nothing.
std::optional<std::int32_t> ParseSettingsInteger(std::string_view text);

/// The value of the first "key=value" line of `text` whose key matches `key`
/// ignoring ASCII case (possibly empty); nothing when no line has that key.
std::optional<std::string_view> FindSettingsValue(std::string_view text, std::string_view key);

/// Applies the settings text, key by key in the order Widht, Height, Bit, Speed,
/// Difficulty, Music, Sound, Report, KeepGroups:
/// - Widht, Height, Bit: integers handed back in `stored`, which should come in
///   holding the caller's current mode (a missing key leaves its field);
/// - Speed: "0" 50 ms, "1" 30 ms, "2" 20 ms into `run.TimerInterval`; any other
///   value leaves the interval;
/// - Difficulty: an integer stored in `run.Difficulty` as it is, even outside
///   0..2 (tables index it through `DifficultyIndex`);
/// - Music, Sound, Report, KeepGroups: "0" turns `MusicOn`, `SoundOn`,
///   `ReportOn`, `KeepGroups` off, any other value on;
/// - Scale: "1" or "2" sets `run.ScaleSetting`, any other value makes it automatic.
/// A value that must be an integer and is not one stops the reading there: the
/// keys before it have taken effect, the later ones have not, and the result is
/// false. `stored` is only changed when the result is true.
bool ParseSettings(std::string_view text, RunState& run, DisplayMode& stored);

/// The skirmish choices kept within their ranges (landscape 0..4, 40..200
/// columns, 30..200 rows, symmetry 0..2, mission 0..5, scenery 0..3,
/// difficulty 0..2).
SkirmishSetup ClampedSkirmish(SkirmishSetup k);

/// The whole file for the given display mode and the settings in `run`. The
/// speed is written "2" for a 20 ms interval, "0" for 50 ms and "1" for any other.
std::string FormatSettings(const RunState& run, const DisplayMode& mode);

/// programFolder + "/Tavrine.ini".
std::string SettingsPath(const std::string& programFolder);

/// Reads the settings file of the program folder into `run` and `stored` as
/// `ParseSettings` does. False when the file does not exist, cannot be read, is
/// not a regular file, is larger than kMaxSettingsFileBytes (nothing is applied
/// then) or holds a bad integer.
bool ReadSettings(const std::string& programFolder, RunState& run, DisplayMode& stored);

/// Replaces the settings file of the program folder with `FormatSettings`. The old
/// file stays whole when writing fails. False on failure; the caller reports it
/// with kSettingsWriteFailedMessage.
bool WriteSettings(const std::string& programFolder, const RunState& run, const DisplayMode& mode);

/// `ReadSettings` of the settings folder `paths` names.
bool ReadSettings(const GamePaths& paths, RunState& run, DisplayMode& stored);

/// `WriteSettings` into the settings folder `paths` names, made first when it is
/// missing (an installed game's first run).
bool WriteSettings(const GamePaths& paths, const RunState& run, const DisplayMode& mode);

}  // namespace tavrine
