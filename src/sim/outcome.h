// Mission objectives and the outcome of the game.
#pragma once

#include <cstdint>

#include "sim/context.h"

namespace tavrine {

/// What a mission asks of the player to win it.
enum class WinRule { AllEnemiesGone, AllBuildingsGone, HeadquartersGone };

struct MissionRule {
    WinRule Win;
    bool DefendHeadquarters;  ///< also lost when the player's last headquarters falls
};

/// The rule of mission `mission` (0..5, the order of the New Game list);
/// nullptr for any other number (a foreign file).
const MissionRule* MissionRuleOf(std::int32_t mission);

/// The outcome the mission's rule gives for the current force counts: 1 won, 2
/// lost, 0 undecided. A check that is both won and lost counts as won. A mission
/// number outside 0..5 (a foreign file) is never decided.
std::int32_t MissionOutcome(std::int32_t mission, const RunState& counts);

}  // namespace tavrine
