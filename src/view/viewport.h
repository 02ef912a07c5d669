// The visible part of the map: keeping the view origin inside the map.
#pragma once

#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

/// Keeps the view origin inside the map for a drawing surface of
/// `run.DisplayWidth` by `run.DisplayHeight` pixels; along an axis where the map
/// is smaller than the surface the map is centred, and the origin goes negative.
/// Any stored origin is accepted, however far off the map.
void ClampView(GameType& g, const RunState& run);

/// The first part of `ClampView`, without the centring: the origin moves to at
/// least 0 and then back so the surface ends at the map's right and bottom edges
/// (which leaves it at MapWidth - W, negative, when the map is narrower).
void KeepViewInsideMap(GameType& g, const RunState& run);

}  // namespace tavrine
