// Orders and path finding: the distance field flooded over the map for each
// order, and the routes read from it.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/context.h"
#include "sim/grid.h"
#include "state/lists.h"  // AddOrder, RemoveOrder

namespace tavrine {

/// Where an order leads: its target cell, and for an attack on a building the
/// object whose footprint the flood may enter.
struct PlanTarget {
    CellXY Cell;
    const GameCellObjectType* Object = nullptr;
};

/// The target cell of an order: the cell of a move order; the middle of the
/// attacked object's footprint (clamped to the map; the anchor itself when the
/// object or its picture is gone); the cell of the attacked tank. False when
/// there is none on the map (a move to a cell off the map, a tank that no longer
/// exists, an empty map).
bool OrderTarget(const SimContext& ctx, const OrderType& order, PlanTarget& out);

/// The wave field of an order, Columns * Rows entries indexed by CellIndex. A
/// missing or wrongly sized field is replaced by an empty one first.
std::vector<std::int32_t>& WaveField(GameType& g, std::int32_t order);

/// Advances (per tick: at most one sweep) or completes (immediate) the order's
/// distance field and hands out routes when it is complete. An order whose target
/// is not on the map (see OrderTarget) becomes obsolete.
void PlanOrder(SimContext& ctx, std::int32_t order, bool immediate);

/// Immediate planning of an order that leads where `model` leads, right after
/// `model` was planned immediately, with nothing on the map changed since (as
/// when several orders are sent to one new target in one go): the field would
/// come out the same, so it is copied instead of flooded again, and the routes
/// are handed out as by PlanOrder. Where the targets differ this is PlanOrder.
void PlanOrderLike(SimContext& ctx, std::int32_t order, std::int32_t model);

/// Builds a member tank's route from its order's field: w + 1 cells for a first
/// step onto a cell with wave number w, the last element being that first cell.
/// Where the field has no lower neighbour to descend to (its numbers changed while
/// it grew), the route ends at the last cell reached, so it never holds cells
/// the descent did not choose.
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
