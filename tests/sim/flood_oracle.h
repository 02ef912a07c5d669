// The path finding's flood done the plain way, as the reference the fast flood is
// checked and measured against: every sweep visits every cell of the map.
#pragma once

#include <cstdint>

#include "sim/context.h"

namespace tavrine::test {

/// One sweep over the whole map, column by column, each column top to bottom,
/// in place. Returns whether any cell was numbered.
bool OracleSweep(GameType& g, std::int32_t order, const GameCellObjectType* target, std::int32_t allowance);

/// PlanOrder step by step with OracleSweep (routes from the game's BuildRoute).
/// Never reads or writes an order's frontier.
void OraclePlanOrder(SimContext& ctx, std::int32_t order, bool immediate);

/// PlanAllOrders with OraclePlanOrder.
void OraclePlanAllOrders(SimContext& ctx);

}  // namespace tavrine::test
