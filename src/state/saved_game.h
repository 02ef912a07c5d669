// Game files (.gam): the whole game record as a little-endian byte stream, in the
// layout every saved game and prepared map uses.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "data/file_io.h"
#include "state/records.h"

namespace tavrine {

inline constexpr std::int32_t kSavedGameMagic = 30906;
inline constexpr std::int32_t kSavedGameVersion = 2;

/// Sizes of the fixed blocks of a game file, in bytes.
inline constexpr std::size_t kHeaderBytes = 106;  ///< magic, version, scalars and the column count
inline constexpr std::size_t kCellBytes = 55;  ///< a cell without object and without wave entries
inline constexpr std::size_t kObjectBytes = 60;  ///< an object without smoke
inline constexpr std::size_t kSmokeBytes = 32;
inline constexpr std::size_t kTankBytes = 92;  ///< a tank with an empty route
inline constexpr std::size_t kOrderBytes = 20;  ///< including two reserved bytes
inline constexpr std::size_t kExplosionBytes = 20;
inline constexpr std::size_t kShotBytes = 24;
inline constexpr std::size_t kLabelBytes = 24;  ///< a label with an empty text

enum class LoadResult {
    Ok,
    IoError,  ///< the file could not be opened or read
    BadMagic,  ///< not a game file, or too short to hold the magic
    BadVersion,  ///< a game file of another version
    Malformed,  ///< truncated, impossible counts, or records that break the game's rules
};

/// The message box text the game shows for a failed load of the file `name`
/// (its name without the folder): "Data I/O Error", "File format error", "File
/// version error", or for a malformed file one naming it as damaged. Empty for `Ok`.
std::string LoadFailureMessage(LoadResult result, const std::string& name);

/// The record in the game file layout. Booleans are written as 0 and 1, the
/// order blocks' reserved bytes as 0, and each cell's wave entries come from the
/// per-order wave fields. With `battleOnly`, the sections that only keep
/// bookkeeping around the battle are left out (a replay's checksum).
Bytes SerializeGame(const GameType& g, bool battleOnly = false);

/// Reads a game file. On `Ok` the parsed record replaces `out`; on any other
/// result `out` is left exactly as it was and `problem` (when given) says what
/// was wrong. Treats `data` as hostile: every count is checked against the bytes
/// that remain before anything is allocated, and the finished record must pass
/// `CheckInvariants`. Booleans read as 1 when nonzero; reserved bytes are kept as
/// they are. Bytes after the labels make the file malformed.
[[nodiscard]] LoadResult ParseGame(std::span<const std::uint8_t> data, GameType& out, std::string* problem = nullptr);

/// Reads the file at `path` and parses it as `ParseGame` does; `IoError` when the
/// file cannot be read.
[[nodiscard]] LoadResult ReadGameFile(const std::string& path, GameType& out, std::string* problem = nullptr);

}  // namespace tavrine
