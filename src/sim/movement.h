// Tank movement: claiming cells along the route, driving pixel by pixel, turning
// the hull, pushing resting tanks aside, arriving and uncovering the fog.
#pragma once

#include <cstdint>

#include "sim/context.h"
#include "sim/grid.h"

namespace tavrine {

/// One frame of a tank: movement, then the turret and firing step. Runs inside the
/// tank layer of the frame drawing, just before the tank is drawn.
void TankStep(SimContext& ctx, std::int32_t tank);

/// Claims cell `to` for `tank`, standing in `from`, possibly after pushing a
/// resting tank of its side aside. `routeOwner` is the tank whose route a pushed
/// tank must not be pushed onto; `depth` is 0 at the top. True on success.
bool EnterCell(SimContext& ctx, std::int32_t tank, std::int32_t routeOwner, std::int32_t depth, CellXY from, CellXY to);

/// True when `cell` (a cell index) is an element of the tank's route.
bool RouteContains(const GameObjectType& tank, std::int32_t cell);

}  // namespace tavrine
