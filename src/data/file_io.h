// Whole-file reads and safe whole-file writes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrine {

using Bytes = std::vector<std::uint8_t>;

/// The whole file, or nothing when it cannot be opened or read.
std::optional<Bytes> ReadWholeFile(const std::string& path);

/// Writes `data` to a temporary file in the same folder, flushes it to disk and
/// renames it over `path`; on any failure the temporary file is removed and the
/// old file at `path` is left as it was.
bool WriteFileAtomically(const std::string& path, const Bytes& data);

bool FileExists(const std::string& path);

}  // namespace tavrine
