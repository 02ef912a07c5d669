// Orders and path finding: the distance field flooded over the map for each
// order, and the routes read from it.
#pragma once

#include <cstdint>

#include "sim/context.h"
#include "state/lists.h"  // AddOrder, RemoveOrder

namespace tavrine {

/// Advances (per tick: at most one sweep) or completes (immediate) the order's
/// distance field and hands out routes when it is complete.
void PlanOrder(SimContext& ctx, std::int32_t order, bool immediate);

/// Builds a member tank's route from its order's field.
void BuildRoute(SimContext& ctx, std::int32_t tank, bool immediate);

/// Marks move orders without a member that still has a route, and attack orders
/// when no tank is left, as obsolete.
void MarkObsoleteOrders(SimContext& ctx);

/// Removes the obsolete order with the highest index, if any.
void RemoveOneObsoleteOrder(SimContext& ctx);

/// The per-tick step: PlanOrder without immediate for every order, then
/// RemoveOneObsoleteOrder.
void PlanAllOrders(SimContext& ctx);

}  // namespace tavrine
