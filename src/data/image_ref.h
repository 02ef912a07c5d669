// Names of pictures and colours shared by the library and the game record.
#pragma once

#include <cstdint>

namespace tavrine {

/// A colour as stored in the game record and saved games: 0x00BBGGRR.
using Color = std::uint32_t;

/// One picture of the library: group, subgroup, list and frame. Doubles as the
/// kind (group), side (subgroup), type or model (list) and facing (frame) of an
/// object or tank.
struct ImageRef {
    std::int32_t Group = 0;
    std::int32_t Subgroup = 0;
    std::int32_t List = 0;
    std::int32_t Frame = 0;

    friend bool operator==(const ImageRef&, const ImageRef&) = default;
};

}  // namespace tavrine
