// The library file Tavrine.isd: every picture and sound of the game.
//
// Layout, all integers 32-bit little-endian signed, no padding:
//   magic 30905, version 2, group count G, G groups, wave count W, W wave records.
//   group:    subgroup count S, S subgroups      subgroup: list count L, L lists
//   list:     Tag, frame count F, F bitmap records (data/bmp.h)
//   wave:     one RIFF WAVE record (data/wave.h)
// The body is everything after magic and version.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/byte_reader.h"
#include "data/library.h"

namespace tavrine {

inline constexpr std::int32_t kLibraryMagic = 30905;
inline constexpr std::int32_t kLibraryVersion = 2;

/// The most decoded pixels one library may hold (64 M pixels, 256 MB decoded),
/// about twenty times what the game's own library needs. Run-length pictures
/// can claim many pixels from few bytes; the cap bounds what a hostile file
/// can make the game allocate.
inline constexpr std::int64_t kMaxLibraryPixels = std::int64_t{1} << 26;

enum class LibraryStatus {
    Ok,
    FormatError,   ///< the magic is not 30905 (or the file is shorter than 4 bytes)
    VersionError,  ///< the version is not 2 (or missing)
    DataError,     ///< the body is malformed, cut short, or too large
};

/// The game's message for a failed status ("File format error", "File version
/// error", "Data I/O Error"); empty for Ok.
std::string LibraryStatusMessage(LibraryStatus status);

/// Reads a body at the reader's position. Every count is checked against the
/// bytes that remain before anything is allocated. `library` is replaced only
/// on success; on failure it is unchanged and `error`, when given, says why.
/// Bytes after the last wave are left unread. Fails when the pictures together
/// hold more than `pixelBudget` pixels.
[[nodiscard]] bool ReadLibraryBody(ByteReader& in, ImageLibrary& library, std::string* error = nullptr,
                     std::int64_t pixelBudget = kMaxLibraryPixels);

/// Appends the body of `library`. Fails (with `out` partly written) when a
/// picture's record does not read back as exactly one bitmap record, because
/// such a file could not be loaded again.
[[nodiscard]] bool WriteLibraryBody(const ImageLibrary& library, std::vector<std::uint8_t>& out, std::string* error = nullptr);

/// Reads and checks magic and version: Ok, FormatError or VersionError.
[[nodiscard]] LibraryStatus ReadLibraryHeader(ByteReader& in, std::string* error = nullptr);

/// Reads a whole library file. `library` is replaced only on success.
[[nodiscard]] LibraryStatus ReadLibraryFile(std::span<const std::uint8_t> file, ImageLibrary& library,
                              std::string* error = nullptr);

/// The whole file of `library`; nullopt when WriteLibraryBody fails.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> WriteLibraryFile(const ImageLibrary& library, std::string* error = nullptr);

}  // namespace tavrine
