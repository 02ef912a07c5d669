// Gun towers: turning toward the target, scanning for tanks in reach, reloading
// and firing.
#include "sim/combat.h"
#include "sim/damage.h"

namespace tavrine {

namespace {

/// A tower turns one step every second tick.
constexpr std::int32_t kAimDelay = 2;
/// The reload counter a newly found target starts from: the first shot follows
/// five ticks later.
constexpr std::int32_t kReloadOnAcquire = 60;
/// A tower fires when its reload counter exceeds 65.
constexpr std::int32_t kReloadLimit = 65;
/// An idle tower's reload counter is set anywhere in [0, 20).
constexpr std::int32_t kIdleReloadSpread = 20;

void Aim(SimContext& ctx, GameCellObjectType& tower, std::int32_t ax, std::int32_t ay) {
    ++tower.AimTicks;
    if (tower.AimTicks >= 0 && tower.AimTicks < kAimDelay) return;
    tower.AimTicks = 0;
    if (tower.TowerState == 1) {
        const GameObjectType* target = TankAt(ctx.G, tower.TowerTarget);
        if (!target) return;
        const CellXY c = TankCell(ctx.G, *target, ctx.Lib);
        const std::int32_t wanted = FacingToward(ax, ay, c.X, c.Y);
        if (wanted >= 0) tower.Image.Frame = TurnToward(tower.Facing(), wanted);  // a tank on the anchor gives no direction
    } else if (tower.Facing() != tower.RestFacing) {
        tower.Image.Frame = TurnToward(tower.Facing(), tower.RestFacing);
    }
}

void Target(SimContext& ctx, GameCellObjectType& tower, std::int32_t ax, std::int32_t ay) {
    const GameType& g = ctx.G;
    if (tower.TowerState == 0) {
        ++tower.ScanCounter;
        if (tower.ScanCounter >= 0 && tower.ScanCounter <= g.CellWidth - 1) return;
        tower.ScanCounter = 0;
        for (const auto& t : g.Tanks) {
            if (t->Side() == tower.Side() || !TowerReaches(g, ctx.Lib, *t, ax, ay)) continue;
            tower.TowerState = 1;
            tower.TowerTarget = t->Index;
            tower.ReloadCounter = kReloadOnAcquire;
        }
        return;
    }
    const GameObjectType* target = TankAt(g, tower.TowerTarget);
    if (!target || !TowerReaches(g, ctx.Lib, *target, ax, ay)) {
        tower.TowerState = 0;
        tower.TowerTarget = -1;
    }
}

void Fire(SimContext& ctx, GameCellObjectType& tower, std::int32_t ax, std::int32_t ay) {
    GameType& g = ctx.G;
    if (tower.TowerState == 0) {
        tower.ReloadCounter = ctx.Rng(kIdleReloadSpread);
        return;
    }
    ++tower.ReloadCounter;
    if (tower.ReloadCounter >= 0 && tower.ReloadCounter <= kReloadLimit) return;
    tower.ReloadCounter = 0;
    GameObjectType* target = TankAt(g, tower.TowerTarget);
    if (!target || !TowerReaches(g, ctx.Lib, *target, ax, ay) || target->Health <= 0) return;
    target->Health -= TowerDamageToTank(target->Side(), ctx.Run.Difficulty);
    std::int32_t w = 0, h = 0;
    ImageSize(ctx.Lib, tower.Image, w, h);
    const PixelXY muzzle = MuzzlePoint(ax * g.CellWidth, ay * g.CellHeight, w, h, tower.Facing());
    const PixelXY impact = TankHitPoint(ctx, tower.TowerTarget);
    AddShot(ctx, impact.X, impact.Y, 0, muzzle.X, muzzle.Y);
    if (target->Health < 0) target->Health = 0;
}

}  // namespace

void TowerStep(SimContext& ctx, std::int32_t ax, std::int32_t ay) {
    if (!ctx.G.OnMap(ax, ay)) return;
    GameCellObjectType* tower = ctx.G.Cell(ax, ay).Object.get();
    if (!tower) return;
    Aim(ctx, *tower, ax, ay);
    Target(ctx, *tower, ax, ay);
    Fire(ctx, *tower, ax, ay);
}

}  // namespace tavrine
