#include "sim/queued_orders.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

#include "sim/grid.h"
#include "sim/groups.h"
#include "sim/orders.h"

namespace tavrine {

namespace {

/// A computer tower or building still standing at `anchor`.
bool EnemyObjectAt(const GameType& g, std::int32_t anchor) {
    const GameCellObjectType* o = ObjectAt(g, anchor);
    return o && o->Kind() >= KindTower && o->Side() != SidePlayer && o->DestroyTimer < 0;
}

/// The enemy an attack-moving tank stops for: the nearest tank of another side
/// within the alert radius (by the larger of the two pixel distances), else the
/// nearest intact enemy tower whose anchor lies within the radius in cells.
/// Returns the order kind and target, or kind -1.
std::pair<std::int32_t, std::int32_t> EnemyInReach(SimContext& ctx, const GameObjectType& t) {
    const GameType& g = ctx.G;
    const std::int32_t radius = kAlertCells * g.CellWidth;
    std::int32_t best = -1, bestDistance = 0;
    for (const auto& q : g.Tanks) {
        if (q->Side() == t.Side()) continue;
        const std::int32_t d = std::max(std::abs(q->X - t.X), std::abs(q->Y - t.Y));
        if (d <= radius && (best < 0 || d < bestDistance)) {
            best = q->Index;
            bestDistance = d;
        }
    }
    if (best >= 0) return {OrderAttackTank, best};
    const CellXY c = TankCell(g, t, ctx.Lib);
    for (std::int32_t r = 0; r <= kAlertCells; ++r)
        for (std::int32_t x = c.X - r; x <= c.X + r; ++x)
            for (std::int32_t y = c.Y - r; y <= c.Y + r; ++y) {
                if (std::max(std::abs(x - c.X), std::abs(y - c.Y)) != r || !g.OnMap(x, y)) continue;
                const GameCellObjectType* o = g.Cell(x, y).Object.get();
                if (o && o->Kind() == KindTower && o->Side() != t.Side() && o->DestroyTimer < 0)
                    return {OrderAttackBuilding, CellIndex(g, x, y)};
            }
    return {-1, -1};
}

/// A tank on a move order with more to do after it counts as arrived once it
/// stands near the target: a group cannot all stand on one cell, so each
/// member is done within the ring the group fills around it (one cell for up to
/// 8 members, two for up to 24, three beyond).
bool ArrivedWithGroup(SimContext& ctx, const GameObjectType& t) {
    const GameType& g = ctx.G;
    const OrderType& o = *g.Orders[static_cast<std::size_t>(t.Order)];
    PlanTarget target;
    if (o.Kind != OrderMove || !OrderTarget(ctx, o, target)) return false;
    std::int32_t members = 0;
    for (const auto& q : g.Tanks) members += q->Order == t.Order ? 1 : 0;
    const std::int32_t ring = members <= 8 ? 1 : members <= 24 ? 2 : 3;
    const CellXY c = TankCell(g, t, ctx.Lib);
    return std::max(std::abs(c.X - target.Cell.X), std::abs(c.Y - target.Cell.Y)) <= (members <= 1 ? 0 : ring);
}

/// At most this many attack-moving tanks start a fight that needs an order of
/// its own in one tick; the others go on driving and look again the next tick.
/// When a whole army meets the enemy at once, its fights so begin over a few
/// ticks instead of flooding dozens of fields in one.
constexpr std::int32_t kNewFightsPerTick = 4;

using Assignments = std::map<std::pair<std::int32_t, std::int32_t>, std::vector<std::int32_t>>;

void GiveAll(SimContext& ctx, const Assignments& assignments) {
    // Targets are tank indices and cells; giving an order removes no tank, so
    // they stay valid while the orders go out.
    for (const auto& [order, tanks] : assignments) OrderTanks(ctx, order.first, order.second, tanks);
}

/// An order of `side`'s tanks, still in force, with this kind and target; -1
/// when there is none.
std::int32_t OrderUnderWay(const GameType& g, std::int32_t side, std::int32_t kind, std::int32_t target) {
    for (const auto& q : g.Tanks) {
        if (q->Side() != side || q->Order < 0 || static_cast<std::size_t>(q->Order) >= g.Orders.size()) continue;
        const OrderType& o = *g.Orders[static_cast<std::size_t>(q->Order)];
        if (o.Kind == kind && o.TargetRef == target && o.State != OrderObsolete) return q->Order;
    }
    return -1;
}

/// Attack-moving tanks that stop for an enemy, or go on to their cell after a
/// fight, join the order their side already has for that enemy or that cell:
/// in a large battle many tanks turn on the same few enemies and return to the
/// same cell tick after tick, and each new order would flood the whole map
/// again. A joined order that already has its field hands the tank its route
/// at once; one still flooding hands it out with the others when it is done.
void JoinAll(SimContext& ctx, const Assignments& assignments) {
    GameType& g = ctx.G;
    for (const auto& [order, tanks] : assignments) {
        const GameObjectType* first = TankAt(g, tanks.front());
        const std::int32_t k = first ? OrderUnderWay(g, first->Side(), order.first, order.second) : -1;
        if (k < 0) {
            OrderTanks(ctx, order.first, order.second, tanks);
            continue;
        }
        for (std::int32_t i : tanks)
            if (GameObjectType* t = TankAt(g, i)) {
                t->Order = k;
                t->Route.clear();
                if (g.Orders[static_cast<std::size_t>(k)]->State == OrderReady) BuildRoute(ctx, i, true);
            }
    }
}

}  // namespace

void OrderTanks(SimContext& ctx, std::int32_t kind, std::int32_t target, const std::vector<std::int32_t>& tanks,
                bool together) {
    GameType& g = ctx.G;
    if (tanks.empty()) return;
    const std::int32_t k = AddOrder(g, kind, target, OrderNew);
    for (std::int32_t i : tanks)
        if (GameObjectType* t = TankAt(g, i)) t->Order = k;
    if (together && tanks.size() > 1) KeepTogether(g, k);
    PlanOrder(ctx, k, true);
    MarkObsoleteOrders(ctx);
    RemoveOneObsoleteOrder(ctx);
}

void AttackMoveTanks(SimContext& ctx, std::int32_t cell, const std::vector<std::int32_t>& tanks) {
    for (std::int32_t i : tanks)
        if (GameObjectType* t = TankAt(ctx.G, i)) {
            t->Queue.clear();
            t->AttackMoveCell = cell;
            t->AttackMoveFighting = 0;
        }
    // Several tanks on an attack-move move as one group.
    OrderTanks(ctx, OrderMove, cell, tanks, true);
}

bool QueuedOrderValid(const GameType& g, const QueuedOrder& q) {
    switch (q.Kind) {
        case QueuedMove:
        case QueuedAttackMove: return ValidCellIndex(g, q.TargetRef);
        case QueuedAttackBuilding: return ValidCellIndex(g, q.TargetRef) && EnemyObjectAt(g, q.TargetRef);
        case QueuedAttackTank: return TankAt(g, q.TargetRef) != nullptr;
        default: return false;
    }
}

void QueuedOrdersStep(SimContext& ctx) {
    GameType& g = ctx.G;
    Assignments fights, returns, next;
    std::int32_t newFights = 0;
    for (auto& tp : g.Tanks) {
        GameObjectType& t = *tp;
        if (t.AttackMoveCell >= 0 && !t.AttackMoveFighting) {
            const auto [kind, target] = EnemyInReach(ctx, t);
            const bool joins = kind >= 0 && (fights.contains({kind, target}) || OrderUnderWay(g, t.Side(), kind, target) >= 0);
            if (kind >= 0 && (joins || newFights < kNewFightsPerTick)) {
                newFights += joins ? 0 : 1;
                t.AttackMoveFighting = 1;
                fights[{kind, target}].push_back(t.Index);
                continue;
            }
        }
        const bool goesOn = (t.AttackMoveCell >= 0 && !t.AttackMoveFighting) || !t.Queue.empty();
        if (goesOn && t.Order >= 0 && t.DestX < 0 && ArrivedWithGroup(ctx, t)) {
            t.Order = -1;
            t.Route.clear();
        }
        if (t.Order >= 0 || !t.Route.empty()) continue;
        if (t.AttackMoveCell >= 0) {
            if (t.AttackMoveFighting) {
                // The fight is over: on to the attack-move's cell.
                t.AttackMoveFighting = 0;
                returns[{OrderMove, t.AttackMoveCell}].push_back(t.Index);
                continue;
            }
            t.AttackMoveCell = -1;  // arrived, or as near as the way allowed
        }
        while (!t.Queue.empty()) {
            const QueuedOrder q = t.Queue.front();
            t.Queue.erase(t.Queue.begin());
            if (!QueuedOrderValid(g, q)) continue;
            if (q.Kind == QueuedAttackMove) {
                t.AttackMoveCell = q.TargetRef;
                t.AttackMoveFighting = 0;
                next[{OrderMove, q.TargetRef}].push_back(t.Index);
            } else {
                next[{q.Kind, q.TargetRef}].push_back(t.Index);
            }
            break;
        }
    }
    JoinAll(ctx, fights);
    JoinAll(ctx, returns);
    GiveAll(ctx, next);
}

QueuedOrder RallyOrder(const GameType& g, std::int32_t cell) {
    if (ValidCellIndex(g, cell)) {
        const CellXY c = CellOfIndex(g, cell);
        const GameCellType& here = g.Cell(c.X, c.Y);
        if (here.Occupancy == CellObject && EnemyObjectAt(g, here.Occupant)) return {QueuedAttackBuilding, here.Occupant};
    }
    return {QueuedMove, cell};
}

void SendToRally(SimContext& ctx, std::int32_t anchor, std::int32_t tank) {
    GameType& g = ctx.G;
    const GameCellObjectType* factory = ObjectAt(g, anchor);
    GameObjectType* t = TankAt(g, tank);
    if (!factory || !t || !ValidCellIndex(g, factory->Rally)) return;
    t->Queue.push_back(RallyOrder(g, factory->Rally));
}

}  // namespace tavrine
