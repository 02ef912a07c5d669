// The ground lists of the library (group 0, subgroups 0 to 2).
#pragma once

#include <cstdint>

#include "content_library.h"

namespace tavrine::assets {

/// Water (0, 0, 0..4) and land (0, 1, 0..4) in variants, mountain (0, 2, 0),
/// each with 12 frames: the plain ground, five ruins and six tank wrecks on it;
/// and the edge pieces of coasts (0, 2, 1) and mountain borders (0, 2, 2).
void AddGround(ContentLibrary& library, std::uint32_t seed);

}  // namespace tavrine::assets
