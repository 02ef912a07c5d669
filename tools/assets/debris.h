// What destroyed buildings and tanks leave on the ground: ruins (ground frames
// 1 to 5) and wrecks (ground frames 6 to 11), drawn into a copy of a plain cell.
#pragma once

#include <cstdint>

#include "pixels.h"

namespace tavrine::assets {

enum class DebrisGround { Water, Land, Mountain };

/// The plain cell with ruins of style 1..5 on it: concrete, brick, burnt
/// timber, a broken wall corner, a crater with rubble.
Image WithRuins(const Image& plain, DebrisGround ground, std::uint32_t seed, int style);

/// The plain cell with the burnt-out wreck of a tank, variant 0..5.
Image WithWreck(const Image& plain, DebrisGround ground, std::uint32_t seed, int variant);

}  // namespace tavrine::assets
