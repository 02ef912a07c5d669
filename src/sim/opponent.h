// The computer opponent: attack waves from crowded or blocked factories and the
// choice of the player's object to attack.
#pragma once

#include <cstdint>
#include <optional>

#include "sim/context.h"
#include "sim/grid.h"

namespace tavrine {

/// Sends up to D + 2 idle tanks from around the factory anchored at (ax, ay)
/// against the player, once the player has seen that area.
void LaunchAttackWave(SimContext& ctx, std::int32_t ax, std::int32_t ay);

/// The anchor cell of the player's object to attack: the first tower in
/// column-major order, else the first other tower or building; none when the
/// player has no such object.
std::optional<CellXY> ChooseEnemyTarget(const SimContext& ctx);

}  // namespace tavrine
