#include "sim/flood_oracle.h"

#include <algorithm>

#include "sim/orders.h"

namespace tavrine::test {

bool OracleSweep(GameType& g, std::int32_t order, const GameCellObjectType* target, std::int32_t allowance) {
    static constexpr std::int32_t kOffers[8][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    bool changed = false;
    for (std::int32_t x = 0; x < g.Columns; ++x)
        for (std::int32_t y = 0; y < g.Rows; ++y) {
            const std::int32_t e = CellWaves(g, order, x, y);
            if (e <= 0) continue;
            for (const auto& d : kOffers) {
                const std::int32_t nx = x + d[0], ny = y + d[1];
                if (!IsPassable(g, nx, ny, target, allowance)) continue;
                std::int32_t& n = CellWaves(g, order, nx, ny);
                if (n == 0) {
                    n = static_cast<std::int32_t>(static_cast<std::uint32_t>(e) + 1u);
                    changed = true;
                }
            }
        }
    return changed;
}

void OraclePlanOrder(SimContext& ctx, std::int32_t order, bool immediate) {
    GameType& g = ctx.G;
    if (order < 0 || static_cast<std::size_t>(order) >= g.Orders.size()) return;
    OrderType& o = *g.Orders[static_cast<std::size_t>(order)];
    // 1.
    if (o.State == OrderObsolete) return;
    // 2.
    PlanTarget target;
    if (!OrderTarget(ctx, o, target)) {
        o.State = OrderObsolete;
        return;
    }
    const std::int32_t allowance = immediate ? 1 : 0;
    // 3.
    if (o.State == OrderReady && !o.MemberMoved && !immediate && o.Kind == OrderMove) {
        o.State = OrderObsolete;
        return;
    }
    // 4.
    std::vector<std::int32_t>& field = WaveField(g, order);
    if ((o.State == OrderReady && o.Replan) || immediate)
        std::fill(field.begin(), field.end(), 0);
    else if (!o.Replan)
        return;
    // 5.
    CellWaves(g, order, target.Cell.X, target.Cell.Y) = 1;
    // 6.
    if (!immediate && o.State == OrderReady) {
        o.State = OrderFlooding;
        o.Replan = 0;
        o.MemberMoved = 0;
        return;
    }
    // 7.
    bool changed = OracleSweep(g, order, target.Object, allowance);
    if (immediate)
        while (changed) changed = OracleSweep(g, order, target.Object, allowance);
    // 8.
    if (immediate || !changed) {
        bool members = false;
        for (std::size_t i = 0; i < g.Tanks.size(); ++i)
            if (g.Tanks[i]->Order == order) {
                members = true;
                BuildRoute(ctx, static_cast<std::int32_t>(i), immediate);
            }
        o.State = members ? OrderReady : OrderObsolete;
    } else {
        o.State = OrderFlooding;
    }
}

void OraclePlanAllOrders(SimContext& ctx) {
    for (std::size_t k = 0; k < ctx.G.Orders.size(); ++k) OraclePlanOrder(ctx, static_cast<std::int32_t>(k), false);
    RemoveOneObsoleteOrder(ctx);
}

}  // namespace tavrine::test
