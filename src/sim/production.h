// Buildings, production and money: the per-tick building step, factories and new
// tanks.
#pragma once

#include <cstdint>

#include "sim/context.h"

namespace tavrine {

/// What one tank of the player costs.
inline constexpr std::int32_t kTankCost = 500;

/// The per-tick building step: counts each side's buildings and headquarters,
/// runs towers, smoke and burning, and lets due factories produce.
void BuildingStep(SimContext& ctx);

/// A due factory anchored at (ax, ay) produces a tank, or (computer) may launch
/// an attack wave.
void FactoryStep(SimContext& ctx, std::int32_t ax, std::int32_t ay);

/// Appends a tank centred on cell (x, y). With `rollOut` it gets a short route
/// straight south and claims the cell below at once. Returns its index.
std::int32_t CreateTank(SimContext& ctx, std::int32_t x, std::int32_t y, bool rollOut, std::int32_t facing, std::int32_t model,
                        std::int32_t side, std::int32_t group = 4);

/// Changes the player's money; it never falls below 0.
void AddMoney(SimContext& ctx, std::int32_t amount);

}  // namespace tavrine
