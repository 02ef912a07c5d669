// Keeping the footprint marks of edited objects consistent.
#pragma once

#include <cstdint>

#include "state/records.h"

namespace tavrine {

/// Frees every cell that a footprint mark ties to the anchor cell `anchor`
/// (Occupancy 2 with that Occupant): Occupancy 0, Occupant -1, and the minimap
/// shows the ground again. Used when the object on an anchor is replaced or
/// reshaped, so no cell stays blocked by a picture that no longer covers it.
void ReleaseFootprint(GameType& g, std::int32_t anchor);

/// Whether the cell's occupancy mark names something that still stands: a tank
/// of `Tanks` (Occupancy 1) or an anchor cell holding an object (Occupancy 2).
bool HoldsLiveMark(const GameType& g, const GameCellType& c);

}  // namespace tavrine
