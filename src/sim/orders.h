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

/// What one step of an order's planning floods: the order's field (WaveField),
/// where the order leads and whether the flood may enter the cells of tanks.
struct FloodJob {
    SimContext& Ctx;
    std::int32_t Order;
    std::vector<std::int32_t>& Field;
    PlanTarget Target;
    std::int32_t Allowance;  ///< IsPassable's allowance: 1 through tanks, 0 around them
    /// A later order of the same tick's round leads to the same place and may
    /// sweep from the same state (false outside PlanAllOrders).
    bool MayRecur = false;
};

/// How an order's field is numbered. PlanOrder alone decides when a field is
/// cleared, continued, seeded, swept or filled, and what follows; a flooding only
/// numbers the cells. The game's flooding visits the frontier of each field
/// (sim/flood.h); another one can be handed to PlanOrder and PlanAllOrders to
/// check or measure the game's against it.
class WaveFlooding {
public:
    virtual ~WaveFlooding() = default;
    /// Sets every wave number of the field to 0.
    virtual void Clear(const FloodJob& job) = 0;
    /// Takes the field up as it stands, to be continued by the next sweep.
    virtual void Resume(const FloodJob& job) = 0;
    /// Gives the target cell wave number 1.
    virtual void Seed(const FloodJob& job) = 0;
    /// One sweep, column by column, each column top to bottom, numbers written in
    /// place. Returns whether any cell was numbered.
    virtual bool Sweep(const FloodJob& job) = 0;
    /// The numbers of Clear, Seed and sweeps until one numbers nothing.
    virtual void Fill(const FloodJob& job) = 0;
};

/// Advances (per tick: at most one sweep) or completes (immediate) the order's
/// distance field and hands out routes when it is complete. An order whose target
/// is not on the map (see OrderTarget) becomes obsolete. Floods with the game's
/// flooding, or with `flooding`.
void PlanOrder(SimContext& ctx, std::int32_t order, bool immediate);
void PlanOrder(SimContext& ctx, std::int32_t order, bool immediate, WaveFlooding& flooding);

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
/// RemoveOneObsoleteOrder. With the game's flooding, orders leading to the same
/// place may share the outcome of a large sweep (SweepRound).
void PlanAllOrders(SimContext& ctx);
void PlanAllOrders(SimContext& ctx, WaveFlooding& flooding);

}  // namespace tavrine
