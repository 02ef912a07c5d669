// Empty maps and the start of a prepared game.
#pragma once

#include <cstdint>

#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

inline constexpr std::int32_t kStartingMoney = 5000;
inline constexpr Color kWaterColor = 0x800000;

/// Makes the game record an all-water, fogged map of the given size with no
/// tanks, objects, orders, effects or labels, and asks for a minimap rebuild.
/// Every cell comes out as if newly made, whatever stood on the map before, so a
/// new map in the editor is as blank as the one made at start-up.
void NewMap(GameType& g, RunState& run, std::int32_t columns, std::int32_t rows, std::uint8_t mapFlag, std::int32_t mission);

/// Starts a prepared map as a fresh game: the clock at 0, the starting money, and
/// the statistics totals counted from the map (towers and buildings, tanks; side
/// 0 and side 1 only). Refreshing the status bar is the caller's.
void StartNewGame(GameType& g);

}  // namespace tavrine
