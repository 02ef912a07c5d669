// A compact difference between two byte strings, used to keep many snapshots of
// the game record in little memory: consecutive snapshots differ in a few cells.
#pragma once

#include <optional>

#include "data/file_io.h"

namespace tavrine {

/// Encodes `target` as copies from `base` and literal bytes. Runs that match at
/// the same offset as before (cells changed in place), or after a shift
/// (an object or tank inserted or removed), become copies.
Bytes EncodeDelta(const Bytes& base, const Bytes& target);

/// Rebuilds the target from `base` and a delta made by `EncodeDelta` against the
/// same base. Nothing when the delta is damaged or does not fit the base: every
/// length and offset is checked before it is used.
std::optional<Bytes> ApplyDelta(const Bytes& base, const Bytes& delta);

}  // namespace tavrine
