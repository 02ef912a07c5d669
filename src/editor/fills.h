// The map editor's area fills: water into land, land into mountain.
#pragma once

#include <cstdint>

#include "state/records.h"

namespace tavrine {

/// Turns the 8-connected region of water cells (ground group 0, subgroup 0)
/// around (column, row) into plain land (0, 1, 0, 0) with both minimap colours
/// 0x008000; anything that is not water bounds it, edge pieces included. The
/// filled cells lose their occupancy marks unless a mark names a tank or object
/// that still stands there. Nothing happens when the start cell is off the map
/// or not water. Returns the number of cells filled.
std::int32_t FillLand(GameType& g, std::int32_t column, std::int32_t row);

/// The same walk over land (ground group 0, subgroup 1), making it mountain
/// (0, 2, 0, 0) with both minimap colours 0xC0C0C0; occupancy is not touched.
std::int32_t FillMountain(GameType& g, std::int32_t column, std::int32_t row);

}  // namespace tavrine
