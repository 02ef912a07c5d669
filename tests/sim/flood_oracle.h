// The path finding's flood done the plain way, as the reference the fast flood is
// checked and measured against: every sweep visits every cell of the map. It is
// only the flood: the planning around it (when a field starts afresh, goes on or
// is done, and the routes) is the game's own PlanOrder, run with either flood.
#pragma once

#include <cstdint>

#include "sim/context.h"
#include "sim/orders.h"

namespace tavrine::test {

/// One sweep over the whole map, column by column, each column top to bottom,
/// in place. Returns whether any cell was numbered.
bool OracleSweep(GameType& g, std::int32_t order, const GameCellObjectType* target, std::int32_t allowance);

/// The order's field cleared, the cell `from` at 1, then OracleSweep until a
/// sweep numbers nothing.
void OracleFill(GameType& g, std::int32_t order, CellXY from, const GameCellObjectType* target, std::int32_t allowance);

/// The plain flood as PlanOrder's flooding. Keeps nothing between calls and
/// never reads or writes an order's frontier.
class PlainFlooding final : public WaveFlooding {
public:
    void Clear(const FloodJob& job) override;
    void Resume(const FloodJob&) override {}  // every sweep visits every cell anyway
    void Seed(const FloodJob& job) override;
    bool Sweep(const FloodJob& job) override;
    void Fill(const FloodJob& job) override;
};

/// PlanOrder with the plain flood.
void OraclePlanOrder(SimContext& ctx, std::int32_t order, bool immediate);

/// PlanAllOrders with the plain flood.
void OraclePlanAllOrders(SimContext& ctx);

}  // namespace tavrine::test
