#include "sim/orders.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

#include "sim/flood.h"
#include "sim/grid.h"

namespace tavrine {

namespace {

struct Offset {
    std::int32_t DX;
    std::int32_t DY;
};

/// The order in which the descent looks for the next lower cell when it does not
/// take the diagonal toward the target.
constexpr std::array<Offset, 8> kDescentNeighbours{{{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, -1}, {1, -1}, {1, 1}, {-1, 1}}};

/// First-step orders of a route, by the direction of the target from the start cell.
using FirstSteps = std::array<Offset, 8>;
constexpr FirstSteps kDiagonalDownRight{{{1, 1}, {1, 0}, {0, 1}, {1, -1}, {-1, 1}, {-1, 0}, {0, -1}, {-1, -1}}};
constexpr FirstSteps kDiagonalUpRight{{{1, -1}, {1, 0}, {0, -1}, {-1, -1}, {1, 1}, {-1, 0}, {0, 1}, {-1, 1}}};
constexpr FirstSteps kDiagonalDownLeft{{{-1, 1}, {-1, 0}, {0, 1}, {-1, -1}, {1, 1}, {1, 0}, {0, -1}, {1, -1}}};
constexpr FirstSteps kDiagonalUpLeft{{{-1, -1}, {-1, 0}, {0, -1}, {1, -1}, {-1, 1}, {1, 0}, {0, 1}, {1, 1}}};
constexpr FirstSteps kMostlyRight{{{1, 0}, {1, 1}, {1, -1}, {0, 1}, {0, -1}, {-1, 1}, {-1, 0}, {-1, -1}}};
constexpr FirstSteps kMostlyLeft{{{-1, 0}, {-1, 1}, {-1, -1}, {0, 1}, {0, -1}, {1, 0}, {1, 1}, {1, -1}}};
constexpr FirstSteps kMostlyDown{{{0, 1}, {1, 1}, {-1, 1}, {1, 0}, {-1, 0}, {0, -1}, {1, -1}, {-1, -1}}};
constexpr FirstSteps kMostlyUp{{{0, -1}, {1, -1}, {-1, -1}, {1, 0}, {-1, 0}, {0, 1}, {1, 1}, {-1, 1}}};

const FirstSteps& FirstStepOrder(std::int32_t ddx, std::int32_t ddy) {
    const std::int32_t a = std::abs(ddx), b = std::abs(ddy);
    if (a == b) {
        if (ddx > 0) return ddy > 0 ? kDiagonalDownRight : kDiagonalUpRight;
        return ddy > 0 ? kDiagonalDownLeft : kDiagonalUpLeft;
    }
    if (b < a) return ddx > 0 ? kMostlyRight : kMostlyLeft;
    return ddy > 0 ? kMostlyDown : kMostlyUp;
}

std::int32_t Sign(std::int32_t v) { return (v > 0) - (v < 0); }

/// The end of a plan whose field is complete: every member gets its route, and
/// an order without members becomes obsolete.
void HandOutRoutes(SimContext& ctx, std::int32_t order, bool immediate) {
    GameType& g = ctx.G;
    bool members = false;
    for (std::size_t i = 0; i < g.Tanks.size(); ++i)
        if (g.Tanks[i]->Order == order) {
            members = true;
            BuildRoute(ctx, static_cast<std::int32_t>(i), immediate);
        }
    g.Orders[static_cast<std::size_t>(order)]->State = members ? OrderReady : OrderObsolete;
}

}  // namespace

bool OrderTarget(const SimContext& ctx, const OrderType& order, PlanTarget& out) {
    const GameType& g = ctx.G;
    if (g.Columns <= 0 || g.Rows <= 0) return false;
    out.Object = nullptr;
    switch (order.Kind) {
        case OrderMove: {
            if (!ValidCellIndex(g, order.TargetRef)) return false;
            out.Cell = CellOfIndex(g, order.TargetRef);
            return true;
        }
        case OrderAttackBuilding: {
            const CellXY a = CellOfIndex(g, order.TargetRef);
            std::int32_t w = 0, h = 0;
            if (g.OnMap(a.X, a.Y)) {
                out.Object = g.Cell(a.X, a.Y).Object.get();
                if (out.Object) ImageSize(ctx.Lib, out.Object->Image, w, h);
            }
            out.Cell.X = std::clamp(a.X + (w / g.CellWidth) / 2, 0, g.Columns - 1);
            out.Cell.Y = std::clamp(a.Y + (h / g.CellHeight) / 2, 0, g.Rows - 1);
            return true;
        }
        case OrderAttackTank: {
            const GameObjectType* t = TankAt(g, order.TargetRef);
            if (!t) return false;
            out.Cell = TankCell(g, *t, ctx.Lib);
            return g.OnMap(out.Cell.X, out.Cell.Y);
        }
        default:
            return false;
    }
}

std::vector<std::int32_t>& WaveField(GameType& g, std::int32_t order) {
    const auto k = static_cast<std::size_t>(order);
    if (g.Waves.size() <= k) g.Waves.resize(k + 1);
    std::vector<std::int32_t>& field = g.Waves[k];
    const auto cells = static_cast<std::size_t>(std::max(0, g.Columns) * std::max(0, g.Rows));
    if (field.size() != cells) field.assign(cells, 0);
    return field;
}

namespace {

/// The game's flooding: the frontier flood, a tick's sweeps through the round
/// when there is one.
class FrontierFlooding final : public WaveFlooding {
public:
    explicit FrontierFlooding(SweepRound* round = nullptr) : round_(round) {}

    void Clear(const FloodJob& job) override { Of(job).Clear(); }
    void Resume(const FloodJob& job) override { Of(job).Prepare(); }
    void Seed(const FloodJob& job) override { Of(job).Set(job.Target.Cell.X, job.Target.Cell.Y, 1); }
    bool Sweep(const FloodJob& job) override {
        Flood flood = Of(job);
        return round_ ? round_->Sweep(flood, job.Order, job.Target.Cell, job.MayRecur) : flood.Sweep();
    }
    void Fill(const FloodJob& job) override { Of(job).Fill(job.Target.Cell.X, job.Target.Cell.Y); }

private:
    static Flood Of(const FloodJob& job) {
        return Flood{job.Ctx.G, job.Field, job.Ctx.G.Orders[static_cast<std::size_t>(job.Order)]->Frontier, job.Target.Object,
                     job.Allowance, job.Ctx.Passability};
    }

    SweepRound* round_;
};

void Plan(SimContext& ctx, std::int32_t order, bool immediate, WaveFlooding& flooding, bool mayRecur) {
    GameType& g = ctx.G;
    if (order < 0 || static_cast<std::size_t>(order) >= g.Orders.size()) return;
    OrderType& o = *g.Orders[static_cast<std::size_t>(order)];
    if (o.State == OrderObsolete) return;

    PlanTarget target;
    if (!OrderTarget(ctx, o, target)) {
        // Nothing on the map to go to: the order can never be completed.
        o.State = OrderObsolete;
        return;
    }
    const std::int32_t allowance = immediate ? 1 : 0;

    if (o.State == OrderReady && !o.MemberMoved && !immediate && o.Kind == OrderMove) {
        o.State = OrderObsolete;
        return;
    }
    const FloodJob job{ctx, order, WaveField(g, order), target, allowance, mayRecur};
    if (immediate) {
        flooding.Fill(job);
    } else {
        if (o.State == OrderReady && o.Replan)
            flooding.Clear(job);
        else if (!o.Replan)
            return;
        else
            flooding.Resume(job);
        flooding.Seed(job);
        if (o.State == OrderReady) {
            o.State = OrderFlooding;
            o.Replan = 0;
            o.MemberMoved = 0;
            return;
        }
        if (flooding.Sweep(job)) {
            o.State = OrderFlooding;
            return;
        }
    }
    HandOutRoutes(ctx, order, immediate);
}

}  // namespace

void PlanOrder(SimContext& ctx, std::int32_t order, bool immediate) {
    FrontierFlooding flooding;
    Plan(ctx, order, immediate, flooding, false);
}

void PlanOrder(SimContext& ctx, std::int32_t order, bool immediate, WaveFlooding& flooding) {
    Plan(ctx, order, immediate, flooding, false);
}

void PlanOrderLike(SimContext& ctx, std::int32_t order, std::int32_t model) {
    GameType& g = ctx.G;
    const auto valid = [&](std::int32_t k) { return k >= 0 && static_cast<std::size_t>(k) < g.Orders.size(); };
    PlanTarget target, modelTarget;
    if (order == model || !valid(order) || !valid(model) || g.Orders[static_cast<std::size_t>(order)]->State == OrderObsolete ||
        !OrderTarget(ctx, *g.Orders[static_cast<std::size_t>(order)], target) ||
        !OrderTarget(ctx, *g.Orders[static_cast<std::size_t>(model)], modelTarget) || !(target.Cell == modelTarget.Cell) ||
        target.Object != modelTarget.Object) {
        PlanOrder(ctx, order, true);
        return;
    }
    WaveField(g, order);
    WaveField(g, model);
    g.Waves[static_cast<std::size_t>(order)] = g.Waves[static_cast<std::size_t>(model)];
    g.Orders[static_cast<std::size_t>(order)]->Frontier.Field = nullptr;  // as after a fill
    HandOutRoutes(ctx, order, true);
}

void BuildRoute(SimContext& ctx, std::int32_t tank, bool immediate) {
    GameType& g = ctx.G;
    GameObjectType* t = TankAt(g, tank);
    if (!t || t->Order < 0 || static_cast<std::size_t>(t->Order) >= g.Orders.size()) return;
    if (!immediate && !t->NeedsRoute) return;
    t->NeedsRoute = 0;

    PlanTarget target;
    if (!OrderTarget(ctx, *g.Orders[static_cast<std::size_t>(t->Order)], target)) return;
    const std::int32_t tx = target.Cell.X, ty = target.Cell.Y;
    const CellXY start = t->DestX >= 0 ? CellXY{t->DestX, t->DestY} : TankCell(g, *t, ctx.Lib);
    const std::int32_t ddx = tx - start.X, ddy = ty - start.Y;
    if (ddx == 0 && ddy == 0) return;

    const std::vector<std::int32_t>& field = WaveField(g, t->Order);
    const auto waveAt = [&](std::int32_t x, std::int32_t y) { return field[static_cast<std::size_t>(CellIndex(g, x, y))]; };

    CellXY first{};
    std::int32_t w = 0;
    for (const Offset d : FirstStepOrder(ddx, ddy)) {
        const CellXY n{start.X + d.DX, start.Y + d.DY};
        if (g.OnMap(n.X, n.Y) && waveAt(n.X, n.Y) >= 1) {
            first = n;
            w = waveAt(n.X, n.Y);
            break;
        }
    }
    if (w < 1) return;

    // The steps from the first cell down to the target, in driving order; the
    // route holds them last step first. Each step lowers the wave number by one,
    // so the walk visits distinct cells and ends within the map's cell count.
    std::vector<std::int32_t> steps;
    steps.reserve(static_cast<std::size_t>(std::min<std::int64_t>(std::int64_t{w} + 1, std::int64_t{g.CellCount()} + 1)));
    steps.push_back(CellIndex(g, first.X, first.Y));
    CellXY p = first;
    for (std::int32_t v = w;; --v) {
        steps.push_back(CellIndex(g, p.X, p.Y));
        if (v - 1 < 1) break;
        bool found = false;
        const std::int32_t a = std::abs(tx - p.X), b = std::abs(ty - p.Y);
        if (a > 3 && b > 3) {
            const std::int64_t lo = std::min(a, b), hi = std::max(a, b);
            const auto range = static_cast<std::int32_t>(std::min<std::int64_t>(hi * 100000, std::numeric_limits<std::int32_t>::max()));
            const bool diagonal = lo * 100000 >= ctx.Rng(range);
            const CellXY d{p.X + Sign(tx - p.X), p.Y + Sign(ty - p.Y)};
            if (diagonal && g.OnMap(d.X, d.Y) && waveAt(d.X, d.Y) == v - 1) {
                p = d;
                found = true;
            }
        }
        for (std::size_t i = 0; !found && i < kDescentNeighbours.size(); ++i) {
            const CellXY n{p.X + kDescentNeighbours[i].DX, p.Y + kDescentNeighbours[i].DY};
            if (g.OnMap(n.X, n.Y) && waveAt(n.X, n.Y) == v - 1) {
                p = n;
                found = true;
            }
        }
        // A field whose numbers were changed under it (a target that moved while
        // its field was still growing) can leave a cell without a lower neighbour:
        // the route then ends at that cell rather than with cells it never reached.
        if (!found) break;
    }
    t->Route.assign(steps.rbegin(), steps.rend());
}

void MarkObsoleteOrders(SimContext& ctx) {
    GameType& g = ctx.G;
    for (std::size_t k = 0; k < g.Orders.size(); ++k) {
        OrderType& o = *g.Orders[k];
        bool stays = o.Kind != OrderMove && !g.Tanks.empty();
        for (std::size_t i = 0; !stays && i < g.Tanks.size(); ++i)
            stays = g.Tanks[i]->Order == static_cast<std::int32_t>(k) && !g.Tanks[i]->Route.empty();
        if (!stays) o.State = OrderObsolete;
    }
}

void RemoveOneObsoleteOrder(SimContext& ctx) {
    GameType& g = ctx.G;
    for (auto k = static_cast<std::int32_t>(g.Orders.size()) - 1; k >= 0; --k)
        if (g.Orders[static_cast<std::size_t>(k)]->State == OrderObsolete) {
            RemoveOrder(g, k);
            return;
        }
}

void PlanAllOrders(SimContext& ctx) {
    SweepRound round;
    FrontierFlooding flooding(&round);
    PlanAllOrders(ctx, flooding);
}

void PlanAllOrders(SimContext& ctx, WaveFlooding& flooding) {
    GameType& g = ctx.G;
    // Planning moves nothing, so each order's target stays where it is for the
    // whole round; orders leading to the same place may sweep from the same state.
    const std::size_t n = g.Orders.size();
    std::vector<PlanTarget> targets(n);
    std::vector<char> onMap(n);
    for (std::size_t k = 0; k < n; ++k) onMap[k] = OrderTarget(ctx, *g.Orders[k], targets[k]);
    const auto leadsLike = [&](std::size_t a, std::size_t b) {
        return onMap[a] && onMap[b] && targets[a].Cell == targets[b].Cell && targets[a].Object == targets[b].Object;
    };
    for (std::size_t k = 0; k < g.Orders.size(); ++k) {
        bool mayRecur = false;
        for (std::size_t j = k + 1; j < n && !mayRecur; ++j) mayRecur = leadsLike(k, j);
        Plan(ctx, static_cast<std::int32_t>(k), false, flooding, mayRecur);
    }
    RemoveOneObsoleteOrder(ctx);
}

}  // namespace tavrine
