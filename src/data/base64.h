// Base64 (the standard alphabet, '=' padding), as replays keep a game file's bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/file_io.h"

namespace tavrine {

std::string EncodeBase64(const Bytes& bytes);

/// Appends the bytes of `text` (a multiple of four characters, '=' padding only
/// at its end) to `out`; padding marks the data `finished`, and nothing may be
/// appended after that. The reason when `text` is not such data.
std::optional<std::string> DecodeBase64(std::string_view text, Bytes& out, bool& finished);

}  // namespace tavrine
