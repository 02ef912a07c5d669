// Scrolling the view by a distance: the edge scroll of every tick and the clicks
// on the minimap.
#pragma once

#include <cstdint>

#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

/// Moves the view origin by (dx, dy) pixels and keeps it inside the map (without
/// centring a small map); the mouse's map position moves along by the distance
/// the view really moved, so the mouse keeps its place on the screen. Nothing
/// happens for (0, 0).
void ScrollBy(GameType& g, RunState& run, std::int32_t dx, std::int32_t dy);

}  // namespace tavrine
