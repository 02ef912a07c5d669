#include "sim/combat.h"

#include <cstdlib>

#include "sim/damage.h"
#include "sim/orders.h"

namespace tavrine {

namespace {

/// A gun turns one step every second frame.
constexpr std::int32_t kTurretDelay = 2;
/// Frames between two shots of an aimed tank: it fires when the counter exceeds 65.
constexpr std::int32_t kReloadLimit = 65;
/// An idle tank's reload counter is set anywhere in [0, 40).
constexpr std::int32_t kIdleReloadSpread = 40;
/// Frames a hit object shows its damage smoke.
constexpr std::int32_t kHitTime = 660;
/// Ticks a destroyed object burns before it is removed.
constexpr std::int32_t kBurnTime = 50;

/// Quarters of the picture's width and height at which the muzzle sits, by
/// facing: 0 the left or top edge, 2 the middle, 4 the right or bottom edge.
struct Quarters {
    std::int32_t X;
    std::int32_t Y;
};
constexpr Quarters kMuzzleQuarters[16] = {
    {0, 2}, {0, 1}, {0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1},
    {4, 2}, {4, 3}, {4, 4}, {3, 4}, {2, 4}, {1, 4}, {0, 4}, {0, 3},
};

/// Quarter q of a length, as the muzzle table counts it: (n div 4) * 3 for three
/// quarters, not 3n div 4.
std::int32_t QuarterOf(std::int32_t n, std::int32_t q) {
    switch (q) {
        case 0: return 0;
        case 1: return n / 4;
        case 2: return n / 2;
        case 3: return (n / 4) * 3;
        default: return n;
    }
}

const OrderType* OrderOf(const GameType& g, const GameObjectType& t) {
    if (t.Order < 0 || static_cast<std::size_t>(t.Order) >= g.Orders.size()) return nullptr;
    return g.Orders[static_cast<std::size_t>(t.Order)].get();
}

/// Top-left pixel of the cell a tank stands in.
PixelXY TankCellCorner(const GameType& g, const GameObjectType& t, const ImageLibrary& lib) {
    const CellXY c = TankCell(g, t, lib);
    return {c.X * g.CellWidth, c.Y * g.CellHeight};
}

/// The facing the turret wants, -1 when it has nothing to turn toward.
std::int32_t WantedTurretFacing(const SimContext& ctx, const GameObjectType& t) {
    const GameType& g = ctx.G;
    const OrderType* o = OrderOf(g, t);
    if (o && OrderTargetInRange(g, ctx.Lib, t)) {
        if (o->Kind == OrderAttackBuilding) {
            const CellXY a = CellOfIndex(g, o->TargetRef);
            std::int32_t w = 0, h = 0;
            ImageSize(ctx.Lib, g.Cell(a.X, a.Y).Object->Image, w, h);  // in range: object and size known
            const PixelXY from = TankCentre(t, ctx.Lib);
            return FacingToward(from.X, from.Y, a.X * g.CellWidth + w / 2, a.Y * g.CellHeight + h / 2);
        }
        const PixelXY to = TankCellCorner(g, *TankAt(g, o->TargetRef), ctx.Lib);  // in range: target exists
        return FacingToward(t.X, t.Y, to.X, to.Y);
    }
    if (const GameObjectType* chance = TankAt(g, t.ChanceTarget)) {
        const PixelXY to = TankCellCorner(g, *chance, ctx.Lib);
        return FacingToward(t.X, t.Y, to.X, to.Y);
    }
    return t.HullFacing();
}

/// Records the shot of a tank: the shell from its muzzle and the muzzle flash.
void ShootFrom(SimContext& ctx, GameObjectType& t, PixelXY impact) {
    std::int32_t w = 0, h = 0;
    ImageSize(ctx.Lib, t.Image, w, h);
    const PixelXY muzzle = MuzzlePoint(t.X, t.Y, w, h, t.TurretFacing);
    AddShot(ctx, impact.X, impact.Y, 0, muzzle.X, muzzle.Y);
    t.MuzzleX = muzzle.X;
    t.MuzzleY = muzzle.Y;
}

void FireAtTank(SimContext& ctx, GameObjectType& t, std::int32_t target, std::int32_t damage) {
    const PixelXY impact = TankHitPoint(ctx, target);
    GameObjectType* victim = TankAt(ctx.G, target);
    if (!victim || victim->Health <= 0) return;
    victim->Health -= damage;
    ShootFrom(ctx, t, impact);
    if (victim->Health < 0) victim->Health = 0;
}

void FireAtObject(SimContext& ctx, GameObjectType& t, std::int32_t anchor) {
    GameType& g = ctx.G;
    const CellXY a = CellOfIndex(g, anchor);
    GameCellObjectType& o = *g.Cell(a.X, a.Y).Object;  // in range: object and size known
    std::int32_t w = 0, h = 0;
    ImageSize(ctx.Lib, o.Image, w, h);
    const PixelXY impact = HitPoint(ctx.Rng, a.X * g.CellWidth, a.Y * g.CellHeight, w, h);
    o.HitTimer = kHitTime;
    if (o.Health <= 0) return;
    o.Health -= TankDamageToObject(o, ctx.Run.Difficulty);
    if (o.Health <= 0) {
        o.Health = 0;
        o.DestroyTimer = kBurnTime;
    }
    ShootFrom(ctx, t, impact);
}

}  // namespace

void TurretStep(SimContext& ctx, std::int32_t tank) {
    GameObjectType* t = TankAt(ctx.G, tank);
    if (!t) return;
    ++t->TurretTicks;
    if (t->TurretTicks >= 0 && t->TurretTicks < kTurretDelay) return;
    t->TurretTicks = 0;
    const std::int32_t wanted = WantedTurretFacing(ctx, *t);
    // A target on the tank's own corner gives no direction: the turret holds.
    if (wanted >= 0) t->TurretFacing = TurnToward(t->TurretFacing, wanted);
}

void FireStep(SimContext& ctx, std::int32_t tank, std::int32_t turretBefore) {
    GameType& g = ctx.G;
    GameObjectType* t = TankAt(g, tank);
    if (!t) return;
    const OrderType* o = OrderOf(g, *t);
    const bool attacking = o && o->Kind != OrderMove;
    if (!attacking && t->ChanceTarget < 0) {
        t->ReloadCounter = ctx.Rng(kIdleReloadSpread);
        return;
    }
    if (t->TurretFacing != turretBefore) return;  // a turning gun does not reload
    ++t->ReloadCounter;
    if (t->ReloadCounter >= 0 && t->ReloadCounter <= kReloadLimit) return;
    t->ReloadCounter = 0;

    if (o && OrderTargetInRange(g, ctx.Lib, *t)) {
        if (o->Kind == OrderAttackBuilding) {
            FireAtObject(ctx, *t, o->TargetRef);
        } else {
            const GameObjectType* victim = TankAt(g, o->TargetRef);
            FireAtTank(ctx, *t, o->TargetRef, TankDamageToTank(victim->Side(), ctx.Run.Difficulty));
        }
        return;
    }
    if (t->ChanceTarget < 0) return;
    const GameObjectType* chance = TankAt(g, t->ChanceTarget);
    if (chance && TanksNear(g, *t, *chance)) FireAtTank(ctx, *t, t->ChanceTarget, kTankOnChanceTarget);
    else t->ChanceTarget = -1;
}

PixelXY MuzzlePoint(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height, std::int32_t facing) {
    if (facing < 0 || facing > 15) return {left + width / 2, top + height / 2};
    const Quarters q = kMuzzleQuarters[facing];
    return {left + QuarterOf(width, q.X), top + QuarterOf(height, q.Y)};
}

PixelXY HitPoint(Random& rng, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    const std::int32_t x = left + width / 5 + rng(width * 6 / 10);
    const std::int32_t y = top + height / 5 + rng(height * 6 / 10);
    return {x, y};
}

PixelXY TankHitPoint(SimContext& ctx, std::int32_t tank) {
    const GameObjectType* t = TankAt(ctx.G, tank);
    if (!t) return {-1, -1};
    std::int32_t w = 0, h = 0;
    ImageSize(ctx.Lib, t->Image, w, h);
    return HitPoint(ctx.Rng, t->X, t->Y, w, h);
}

void AlertScan(SimContext& ctx, std::int32_t tank, std::int32_t radius) {
    GameType& g = ctx.G;
    const GameObjectType* t = TankAt(g, tank);
    if (!t) return;
    std::int32_t order = -1;
    for (const auto& q : g.Tanks) {
        if (q.get() == t || q->Side() == t->Side()) continue;
        if (q->Order < 0 && std::abs(q->X - t->X) <= radius && std::abs(q->Y - t->Y) <= radius) {
            if (order < 0) order = AddOrder(g, OrderAttackTank, tank, OrderNew);
            q->Order = order;
        } else if (q->Order >= 0 && q->ChanceTarget == -1 && !OrderTargetInRange(g, ctx.Lib, *q) && TanksNear(g, *q, *t)) {
            q->ChanceTarget = tank;
        }
    }
    if (order >= 0) PlanOrder(ctx, order, true);
}

}  // namespace tavrine
