#include "sim/movement.h"

#include <algorithm>
#include <cstdlib>

#include "sim/combat.h"
#include "sim/groups.h"
#include "sim/orders.h"
#include "sim/passability.h"
#include "sim/queued_orders.h"

namespace tavrine {

namespace {

/// Radii of the alert scan, in cells (tanks: kAlertCells).
constexpr std::int32_t kBuildingAlertCells = 12;

/// Half of the fog square a player's tank uncovers on arrival (7 x 7 cells
/// without its corners).
constexpr std::int32_t kSightCells = 3;

/// Map pixels moved per frame along each heading (0 West, 2 North-west, ...).
struct Step {
    std::int32_t DX;
    std::int32_t DY;
};
constexpr Step kMoveSteps[16] = {
    {-3, 0}, {0, 0}, {-2, -2}, {0, 0}, {0, -2}, {0, 0}, {2, -2}, {0, 0},
    {3, 0},  {0, 0}, {2, 2},   {0, 0}, {0, 2},  {0, 0}, {-2, 2}, {0, 0},
};

/// Neighbours tried for a pushed tank: W, NW, N, NE, E, SE, S, SW.
constexpr CellXY kPushOrder[8] = {{-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}};

/// Frames a hull waits between two turning steps.
constexpr std::int32_t kTurnDelay = 2;

OrderType* OrderOf(GameType& g, const GameObjectType& t) {
    if (t.Order < 0 || static_cast<std::size_t>(t.Order) >= g.Orders.size()) return nullptr;
    return g.Orders[static_cast<std::size_t>(t.Order)].get();
}

void TurretAndFire(SimContext& ctx, std::int32_t tank, std::int32_t turretBefore) {
    TurretStep(ctx, tank);
    FireStep(ctx, tank, turretBefore);
}

/// The alert scan that a standing tank runs now and then: 99 chances in 3300.
void ChanceAlert(SimContext& ctx, std::int32_t tank) {
    if (ctx.Rng(3300) > 3200) AlertScan(ctx, tank, kAlertCells * ctx.G.CellWidth);
}

void Stop(GameObjectType& t) {
    t.NeedsRoute = 1;
    t.Route.clear();
}

/// The heading from a tank's centre toward the centre of the cell it enters;
/// -1 when it stands on that centre.
std::int32_t HeadingToward(PixelXY p, PixelXY q) {
    if (q.X == p.X && q.Y == p.Y) return -1;
    if (q.Y == p.Y) return q.X < p.X ? 0 : 8;
    if (q.X == p.X) return q.Y < p.Y ? 4 : 12;
    if (q.Y < p.Y) return q.X < p.X ? 2 : 6;
    return q.X > p.X ? 10 : 14;
}

/// Attack-tank order (case b of a standing tank). True when the step ends here.
bool StopNearTargetTank(SimContext& ctx, std::int32_t tank, std::int32_t turretBefore, CellXY c, std::int32_t target) {
    GameType& g = ctx.G;
    const GameObjectType* goal = TankAt(g, target);
    if (!goal) return false;  // a stale target: drive on along the route
    const CellXY gc = TankCell(g, *goal, ctx.Lib);
    const std::int32_t dx = std::abs(gc.X - c.X);
    const std::int32_t dy = std::abs(gc.Y - c.Y);
    GameObjectType& t = *g.Tanks[static_cast<std::size_t>(tank)];
    if (dx <= 3 && dy <= 3 && !(dx == 3 && dy == 3)) {
        TurretAndFire(ctx, tank, turretBefore);
        if (ctx.Rng(100) > 49) {
            Stop(t);
            ChanceAlert(ctx, tank);
            return true;
        }
    }
    if (dx <= 2 && dy <= 2) {
        t.NeedsRoute = 1;
        TurretAndFire(ctx, tank, turretBefore);
        t.Route.clear();
        ChanceAlert(ctx, tank);
        return true;
    }
    return false;
}

/// Attack-building order (case c of a standing tank). True when the step ends here.
bool StopNearTargetBuilding(SimContext& ctx, std::int32_t tank, std::int32_t turretBefore, CellXY c, std::int32_t anchor) {
    GameType& g = ctx.G;
    if (!ValidCellIndex(g, anchor)) return false;
    const CellXY a = CellOfIndex(g, anchor);
    std::int32_t w = 0, h = 0;
    if (const GameCellObjectType* o = g.Cell(a.X, a.Y).Object.get()) ImageSize(ctx.Lib, o->Image, w, h);
    const CellXY end = FootprintEnd(g, a.X, a.Y, w, h);
    const auto within = [&](std::int32_t margin) {
        return c.X >= a.X - margin && c.X <= end.X + margin && c.Y >= a.Y - margin && c.Y <= end.Y + margin;
    };
    const bool cornerOf3 = (c.X == a.X - 3 || c.X == end.X + 3) && (c.Y == a.Y - 3 || c.Y == end.Y + 3);
    const std::int32_t radius = kBuildingAlertCells * g.CellWidth;
    GameObjectType& t = *g.Tanks[static_cast<std::size_t>(tank)];
    if (within(3) && !cornerOf3) {
        TurretAndFire(ctx, tank, turretBefore);
        if (ctx.Rng(100) > 49) {
            Stop(t);
            AlertScan(ctx, tank, radius);
            return true;
        }
    }
    if (within(2)) {
        TurretAndFire(ctx, tank, turretBefore);
        Stop(t);
        AlertScan(ctx, tank, radius);
        return true;
    }
    return false;
}

/// Cases a to d of a tank that stands in its cell. True when the step ends here;
/// false when the tank has claimed its next cell and drives on.
bool StandingStep(SimContext& ctx, std::int32_t tank, std::int32_t turretBefore, CellXY c) {
    GameType& g = ctx.G;
    GameObjectType& t = *g.Tanks[static_cast<std::size_t>(tank)];
    if (t.Route.empty()) {
        t.NeedsRoute = 1;
        TurretAndFire(ctx, tank, turretBefore);
        ChanceAlert(ctx, tank);
        return true;
    }
    if (const OrderType* o = OrderOf(g, t)) {
        const std::int32_t kind = o->Kind;
        const std::int32_t target = o->TargetRef;
        if (kind == OrderAttackTank && StopNearTargetTank(ctx, tank, turretBefore, c, target)) return true;
        if (kind == OrderAttackBuilding && StopNearTargetBuilding(ctx, tank, turretBefore, c, target)) return true;
    }
    if (HeldByGroup(g, t)) {
        // Waiting for the group's last tanks to close up. A group that waits is
        // not done with its move, so the order counts as moving.
        g.Orders[static_cast<std::size_t>(t.Order)]->MemberMoved = 1;
        TurretAndFire(ctx, tank, turretBefore);
        ChanceAlert(ctx, tank);
        return true;
    }
    const CellXY next = CellOfIndex(g, t.Route.back());
    if (!EnterCell(ctx, tank, tank, 0, c, next)) {
        t.NeedsRoute = 1;
        if (OrderType* o = OrderOf(g, t)) o->Replan = 1;
        TurretAndFire(ctx, tank, turretBefore);
        ChanceAlert(ctx, tank);
        return true;
    }
    t.NeedsRoute = 0;
    t.Route.pop_back();
    return false;
}

/// What a tank does on reaching the centre of the cell it entered.
void Arrive(SimContext& ctx, std::int32_t tank, CellXY c) {
    GameType& g = ctx.G;
    GameObjectType& t = *g.Tanks[static_cast<std::size_t>(tank)];
    AlertScan(ctx, tank, kAlertCells * g.CellWidth);
    if (t.PrevX >= 0) {
        if (g.OnMap(t.PrevX, t.PrevY)) {
            GameCellType& prev = g.Cell(t.PrevX, t.PrevY);
            prev.Clear = 1;
            prev.LeavingTank = -1;
        }
        t.PrevX = -1;
    }
    // Whoever hunts this tank plans anew toward where it stands now.
    for (const auto& o : g.Orders) {
        if (o->Kind != OrderAttackTank || o->TargetRef != tank) continue;
        o->Replan = 1;
        o->MemberMoved = 1;
        for (const auto& member : g.Tanks)
            if (member->Order == o->Index) member->NeedsRoute = 1;
    }
    t.DestX = -1;
    if (t.Side() == SidePlayer) {
        for (std::int32_t x = c.X - kSightCells; x <= c.X + kSightCells; ++x)
            for (std::int32_t y = c.Y - kSightCells; y <= c.Y + kSightCells; ++y) {
                const bool corner = std::abs(x - c.X) == kSightCells && std::abs(y - c.Y) == kSightCells;
                if (!corner && g.OnMap(x, y)) g.Cell(x, y).Hidden = 0;
            }
    }
    t.AtRest = 1;
    MarkObsoleteOrders(ctx);
    RemoveOneObsoleteOrder(ctx);
}

/// Drives the hull toward the centre of the claimed cell, turning first when it
/// faces elsewhere; arrives when it stood on the centre at the start of the frame.
void DriveStep(SimContext& ctx, std::int32_t tank, CellXY c) {
    GameType& g = ctx.G;
    GameObjectType& t = *g.Tanks[static_cast<std::size_t>(tank)];
    if (!g.OnMap(t.DestX, t.DestY)) {
        t.DestX = -1;  // a claim off the map cannot be driven to
        return;
    }
    if (g.Cell(t.DestX, t.DestY).Clear == 0) return;  // still being vacated: wait
    const PixelXY p = TankCentre(t, ctx.Lib);
    const PixelXY q{t.DestX * g.CellWidth + g.CellWidth / 2, t.DestY * g.CellHeight + g.CellHeight / 2};
    const std::int32_t heading = HeadingToward(p, q);
    if (heading >= 0 && t.HullFacing() == heading) {
        t.X += kMoveSteps[heading].DX;
        t.Y += kMoveSteps[heading].DY;
    } else {
        ++t.TurnCounter;
        if (heading >= 0 && (t.TurnCounter > kTurnDelay || t.TurnCounter < 0)) {
            t.SetHullFacing(TurnToward(t.HullFacing(), heading));
            t.TurnCounter = 0;
        }
    }
    if (heading < 0) Arrive(ctx, tank, c);
}

}  // namespace

void TankStep(SimContext& ctx, std::int32_t tank) {
    GameType& g = ctx.G;
    GameObjectType* t = TankAt(g, tank);
    if (!t) return;
    const std::int32_t turretBefore = t->TurretFacing;
    const CellXY c = TankCell(g, *t, ctx.Lib);

    if (t->DestX < 0 && StandingStep(ctx, tank, turretBefore, c)) return;

    if (OrderType* o = OrderOf(g, *t)) o->MemberMoved = 1;
    DriveStep(ctx, tank, c);
    TurretAndFire(ctx, tank, turretBefore);
}

bool EnterCell(SimContext& ctx, std::int32_t tank, std::int32_t routeOwner, std::int32_t depth, CellXY from, CellXY to) {
    GameType& g = ctx.G;
    if (depth > 1) return false;
    GameObjectType* t = TankAt(g, tank);
    if (!t || !g.OnMap(to.X, to.Y)) return false;

    if (to == from || IsPassable(g, to.X, to.Y, nullptr, 0)) {
        t->DestX = to.X;
        t->DestY = to.Y;
        t->AtRest = 0;
        GameCellType& dest = g.Cell(to.X, to.Y);
        dest.Occupant = tank;
        dest.Occupancy = CellTank;
        dest.MinimapColor = t->Color;
        NoteCellChanged(ctx, to.X, to.Y);
        if (to == from || !g.OnMap(from.X, from.Y)) return true;
        GameCellType& src = g.Cell(from.X, from.Y);
        // A tank rolling out of a factory leaves the footprint marked; a cell
        // marked for another tank keeps that tank's mark.
        if (src.Occupancy == CellObject) return true;
        if (src.Occupancy == CellTank && src.Occupant != tank) return true;
        src.Occupancy = CellFree;
        NoteCellChanged(ctx, from.X, from.Y);
        src.MinimapColor = src.GroundColor;
        src.Clear = 0;
        src.LeavingTank = tank;
        t->PrevX = from.X;
        t->PrevY = from.Y;
        return true;
    }

    // The cell holds a tank: push it aside when it is a resting, idle tank of
    // the same side. The mover's claim needs land, which is checked first so a
    // failed claim never leaves the pushed tank half moved.
    const GameCellType& cell = g.Cell(to.X, to.Y);
    if (cell.Occupancy != CellTank || !IsLand(cell)) return false;
    const std::int32_t s = cell.Occupant;
    GameObjectType* pushed = TankAt(g, s);
    if (!pushed || s == tank || pushed->Order >= 0 || !pushed->AtRest || pushed->Side() != t->Side()) return false;
    const GameObjectType* owner = TankAt(g, routeOwner);
    for (const CellXY d : kPushOrder) {
        const CellXY n{to.X + d.X, to.Y + d.Y};
        if (!g.OnMap(n.X, n.Y)) continue;
        if (owner && RouteContains(*owner, CellIndex(g, n.X, n.Y))) continue;
        if (!IsPassable(g, n.X, n.Y, nullptr, 0)) continue;
        if (EnterCell(ctx, s, routeOwner, depth + 1, to, n) && EnterCell(ctx, tank, routeOwner, depth + 1, from, to)) {
            pushed->Route.clear();
            return true;
        }
    }
    return false;
}

bool RouteContains(const GameObjectType& tank, std::int32_t cell) {
    return std::find(tank.Route.begin(), tank.Route.end(), cell) != tank.Route.end();
}

}  // namespace tavrine
