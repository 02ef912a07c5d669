// Mission objectives and the outcome of the game.
#pragma once

#include <cstdint>

#include "sim/context.h"

namespace tavrine {

/// The outcome the mission's rule gives for the current force counts: 1 won, 2
/// lost, 0 undecided. A check that is both won and lost counts as won. A mission
/// number outside 0..5 (a foreign file) is never decided.
std::int32_t MissionOutcome(std::int32_t mission, const RunState& counts);

}  // namespace tavrine
