#include "sim/flood_oracle.h"

#include <algorithm>

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

void OracleFill(GameType& g, std::int32_t order, CellXY from, const GameCellObjectType* target, std::int32_t allowance) {
    std::vector<std::int32_t>& field = WaveField(g, order);
    std::fill(field.begin(), field.end(), 0);
    CellWaves(g, order, from.X, from.Y) = 1;
    while (OracleSweep(g, order, target, allowance)) {
    }
}

void PlainFlooding::Clear(const FloodJob& job) { std::fill(job.Field.begin(), job.Field.end(), 0); }

void PlainFlooding::Seed(const FloodJob& job) { CellWaves(job.Ctx.G, job.Order, job.Target.Cell.X, job.Target.Cell.Y) = 1; }

bool PlainFlooding::Sweep(const FloodJob& job) { return OracleSweep(job.Ctx.G, job.Order, job.Target.Object, job.Allowance); }

void PlainFlooding::Fill(const FloodJob& job) { OracleFill(job.Ctx.G, job.Order, job.Target.Cell, job.Target.Object, job.Allowance); }

void OraclePlanOrder(SimContext& ctx, std::int32_t order, bool immediate) {
    PlainFlooding plain;
    PlanOrder(ctx, order, immediate, plain);
}

void OraclePlanAllOrders(SimContext& ctx) {
    PlainFlooding plain;
    PlanAllOrders(ctx, plain);
}

}  // namespace tavrine::test
