#include "sim/opponent.h"

#include "sim/orders.h"

namespace tavrine {

namespace {

// The window around a computer factory in which the player must have uncovered a
// cell before it attacks: columns ax - 5 .. ax + 8, rows ay - 5 .. ay + 7.
constexpr std::int32_t kSightLeft = 5, kSightRight = 8, kSightUp = 5, kSightDown = 7;
// The window from which a factory gathers its idle tanks: rows reach further
// south, where the new tanks roll out.
constexpr std::int32_t kGatherLeft = 5, kGatherRight = 8, kGatherUp = 5, kGatherDown = 10;

bool AreaSeen(const GameType& g, std::int32_t ax, std::int32_t ay) {
    if (!g.Cell(ax, ay).Hidden) return true;
    for (std::int32_t x = ax - kSightLeft; x <= ax + kSightRight; ++x)
        for (std::int32_t y = ay - kSightUp; y <= ay + kSightDown; ++y)
            if (g.OnMap(x, y) && !g.Cell(x, y).Hidden) return true;
    return false;
}

}  // namespace

void LaunchAttackWave(SimContext& ctx, std::int32_t ax, std::int32_t ay) {
    GameType& g = ctx.G;
    if (!g.OnMap(ax, ay)) return;
    const GameCellObjectType* factory = g.Cell(ax, ay).Object.get();
    if (!factory || !AreaSeen(g, ax, ay)) return;
    const std::optional<CellXY> target = ChooseEnemyTarget(ctx);
    if (!target) return;

    const std::int32_t side = factory->Side();
    const std::int32_t waveSize = DifficultyIndex(ctx.Run.Difficulty) + 2;
    std::int32_t order = -1;
    std::int32_t joined = 0;
    for (auto& tank : g.Tanks) {
        if (joined >= waveSize) break;
        if (tank->Side() != side || tank->Order >= 0) continue;
        const CellXY c = TankCell(g, *tank, ctx.Lib);
        if (c.X < ax - kGatherLeft || c.X > ax + kGatherRight || c.Y < ay - kGatherUp || c.Y > ay + kGatherDown) continue;
        if (order < 0) order = AddOrder(g, OrderAttackBuilding, CellIndex(g, target->X, target->Y), OrderNew);
        tank->Order = order;
        ++joined;
    }
    if (order >= 0) PlanOrder(ctx, order, true);
}

std::optional<CellXY> ChooseEnemyTarget(const SimContext& ctx) {
    const GameType& g = ctx.G;
    std::optional<CellXY> other;
    for (std::int32_t x = 0; x < g.Columns; ++x) {
        for (std::int32_t y = 0; y < g.Rows; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (!o || o->Side() != SidePlayer || o->Kind() == KindDecoration) continue;
            if (o->Kind() == KindTower) return CellXY{x, y};
            if (!other) other = CellXY{x, y};
        }
    }
    return other;
}

}  // namespace tavrine
