#include "sim/groups.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "sim/flood.h"
#include "sim/grid.h"
#include "sim/orders.h"

namespace tavrine {

namespace {

/// The order's pace field, made anew when it is missing or was made for another
/// target cell: a copy of the order's own field when that is complete, else
/// flooded. False when the order leads nowhere on the map.
bool PreparePaceField(SimContext& ctx, std::int32_t order, OrderType& o) {
    GameType& g = ctx.G;
    PlanTarget target;
    if (!OrderTarget(ctx, o, target)) return false;
    GroupPaceField& pace = o.PaceField;
    const std::int32_t cell = CellIndex(g, target.Cell.X, target.Cell.Y);
    if (pace.Target == cell && pace.Field.size() == static_cast<std::size_t>(g.CellCount())) return true;
    pace.Target = cell;
    const std::vector<std::int32_t>& own = WaveField(g, order);
    if (o.State == OrderReady) {
        pace.Field = own;
    } else {
        pace.Field.assign(own.size(), 0);
        Flood{g, pace.Field, pace.Frontier, target.Object, 1, nullptr}.Fill(target.Cell.X, target.Cell.Y);
    }
    return true;
}

/// How far a member still has to go: the pace field's number of the cell it
/// stands in or drives into; 0 where the field does not reach.
std::int32_t WayLeft(const SimContext& ctx, const OrderType& o, const GameObjectType& t) {
    const GameType& g = ctx.G;
    const CellXY c = t.DestX >= 0 ? CellXY{t.DestX, t.DestY} : TankCell(g, t, ctx.Lib);
    if (!g.OnMap(c.X, c.Y)) return 0;
    return o.PaceField.Field[static_cast<std::size_t>(CellIndex(g, c.X, c.Y))];
}

/// Lets a tank standing in `from` go around whatever stands in the next cell of
/// its route: when a free cell beside it also lies beside the cell after that
/// one, the route leads through it instead. The route keeps its length. False
/// when there is no such cell.
bool SideStep(const GameType& g, GameObjectType& t, CellXY from) {
    const std::int32_t next = t.Route.back();
    auto j = static_cast<std::ptrdiff_t>(t.Route.size()) - 2;
    while (j >= 0 && t.Route[static_cast<std::size_t>(j)] == next) --j;  // the first cell's extra step
    if (j < 0 || !ValidCellIndex(g, t.Route[static_cast<std::size_t>(j)])) return false;
    const CellXY after = CellOfIndex(g, t.Route[static_cast<std::size_t>(j)]);
    for (std::int32_t x = from.X - 1; x <= from.X + 1; ++x)
        for (std::int32_t y = from.Y - 1; y <= from.Y + 1; ++y) {
            if ((x == from.X && y == from.Y) || CellIndex(g, x, y) == next || (x == after.X && y == after.Y)) continue;
            if (std::abs(x - after.X) > 1 || std::abs(y - after.Y) > 1 || !IsPassable(g, x, y, nullptr, 0)) continue;
            std::fill(t.Route.begin() + j + 1, t.Route.end(), CellIndex(g, x, y));
            return true;
        }
    return false;
}

void PaceGroup(SimContext& ctx, std::int32_t order, std::vector<std::int32_t>& members, std::vector<std::int32_t>& left) {
    GameType& g = ctx.G;
    OrderType& o = *g.Orders[static_cast<std::size_t>(order)];
    members.clear();
    if (PreparePaceField(ctx, order, o))
        for (std::size_t i = 0; i < g.Tanks.size(); ++i)
            if (g.Tanks[i]->Order == order && !g.Tanks[i]->Route.empty() && WayLeft(ctx, o, *g.Tanks[i]) > 0)
                members.push_back(static_cast<std::int32_t>(i));
    if (members.size() < 2) {
        o.PaceDistance = 0;
        o.PaceStall = 0;
        return;
    }

    // The group's last tank: the longest route, leaving out stragglers far
    // behind the rest.
    left.clear();
    for (const std::int32_t m : members) left.push_back(WayLeft(ctx, o, *g.Tanks[static_cast<std::size_t>(m)]));
    std::sort(left.begin(), left.end());
    std::int32_t last = left.front();
    for (std::size_t j = 1; j < left.size() && left[j] - left[j - 1] <= kGroupStragglerGap; ++j) last = left[j];

    if (o.PaceDistance == 0 || last < o.PaceDistance)
        o.PaceStall = 0;
    else if (o.PaceStall <= kGroupStallTicks)
        ++o.PaceStall;
    o.PaceDistance = last;
    if (o.PaceStall > kGroupStallTicks) return;  // the last one is stuck: nobody waits for it

    // A larger group stands deeper, so its first tank may be further ahead.
    const std::int32_t lead = kGroupLead + static_cast<std::int32_t>(left.size()) / kGroupDepthTanks;
    std::vector<std::int32_t> moving;
    for (const std::int32_t m : members) {
        GameObjectType& t = *g.Tanks[static_cast<std::size_t>(m)];
        if (t.DestX < 0 && WayLeft(ctx, o, t) < last - lead)
            t.Held.On = 1;
        else if (t.DestX < 0)
            moving.push_back(m);
    }
    // Members in each other's way: a tank behind one that is driving on waits for
    // it; a tank behind a held one goes around it where it can, and where it
    // cannot (a narrow pass) the held one gives way, and then moves itself.
    while (!moving.empty()) {
        GameObjectType& f = *g.Tanks[static_cast<std::size_t>(moving.back())];
        moving.pop_back();
        if (!ValidCellIndex(g, f.Route.back())) continue;
        const CellXY to = CellOfIndex(g, f.Route.back());
        const GameCellType& cell = g.Cell(to.X, to.Y);
        if (cell.Occupancy != CellTank) continue;
        GameObjectType* h = TankAt(g, cell.Occupant);
        if (!h || h == &f || h->Order != order) continue;
        if (h->DestX >= 0) {
            f.Held.On = 1;
            continue;
        }
        if (!h->Held.On) continue;
        const CellXY from = TankCell(g, f, ctx.Lib);
        if (SideStep(g, f, from)) continue;
        h->Held.On = 0;
        moving.push_back(cell.Occupant);
    }
}

}  // namespace

void KeepTogether(GameType& g, std::int32_t order) {
    if (order < 0 || static_cast<std::size_t>(order) >= g.Orders.size()) return;
    OrderType& o = *g.Orders[static_cast<std::size_t>(order)];
    o.Together = 1;
    o.PaceDistance = 0;
    o.PaceStall = 0;
}

void PaceGroups(SimContext& ctx) {
    GameType& g = ctx.G;
    const bool any = std::any_of(g.Orders.begin(), g.Orders.end(), [](const auto& o) { return o->Together != 0; });
    if (!any) return;
    for (auto& t : g.Tanks) t->Held.On = 0;
    std::vector<std::int32_t> members, left;
    for (std::size_t k = 0; k < g.Orders.size(); ++k)
        if (g.Orders[k]->Together && g.Orders[k]->State != OrderObsolete)
            PaceGroup(ctx, static_cast<std::int32_t>(k), members, left);
}

bool HeldByGroup(const GameType& g, const GameObjectType& tank) {
    if (!tank.Held.On || tank.Order < 0 || static_cast<std::size_t>(tank.Order) >= g.Orders.size()) return false;
    return g.Orders[static_cast<std::size_t>(tank.Order)]->Together != 0;
}

}  // namespace tavrine
