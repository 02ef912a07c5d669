// Whole-file reads and safe whole-file writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrine {

using Bytes = std::vector<std::uint8_t>;

/// Files larger than this are refused by `ReadWholeFile` unless the caller asks
/// for another limit; no file the game reads comes near it.
inline constexpr std::size_t kMaxReadBytes = std::size_t{1} << 30;

/// The whole file, or nothing when it cannot be opened or read, is not a
/// regular file, or is larger than `maxBytes`.
[[nodiscard]] std::optional<Bytes> ReadWholeFile(const std::string& path, std::size_t maxBytes = kMaxReadBytes);

/// Writes `data` to a temporary file in the same folder, flushes it to disk and
/// renames it over `path`; on any failure the temporary file is removed and the
/// old file at `path` is left as it was.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, const Bytes& data);

bool FileExists(const std::string& path);

/// Creates `folder` when it is missing (its missing parents too with
/// `parents`); true when it is a folder afterwards.
bool MakeFolder(const std::string& folder, bool parents = false);

}  // namespace tavrine
