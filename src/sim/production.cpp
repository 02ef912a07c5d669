#include "sim/production.h"

#include <cstdint>
#include <limits>

#include "sim/combat.h"
#include "sim/movement.h"
#include "sim/opponent.h"
#include "sim/passability.h"
#include "sim/queued_orders.h"

namespace tavrine {

namespace {

// Every formula below takes the difficulty through DifficultyIndex, so a
// settings file with Difficulty 7 plays exactly like Difficult (2) and -3 like
// Easy (0): the player's base (500 * D + 1000) div 2, the computer's interval,
// the crowd limit 10 * D + 10 and the roll-out length never leave their tables.

/// The smallest interval of the player's production, however rich the player is.
constexpr std::int32_t kOwnProductionFloor = 330;
/// The player's tank limit: factories stop while the player has this many.
constexpr std::int32_t kOwnTankLimit = 60;

/// Cells a new computer tank rolls south, by difficulty; the player's always roll 4.
constexpr std::int32_t kEnemyRollOut[3] = {1, 2, 4};
constexpr std::int32_t kOwnRollOut = 4;

/// The window around a computer factory in which standing tanks crowd it:
/// columns ax - 5 .. ax + 8, rows ay - 5 .. ay + 10.
constexpr std::int32_t kCrowdLeft = 5, kCrowdRight = 8, kCrowdUp = 5, kCrowdDown = 10;

/// Adds 1 with the wrap-around of the game's 32-bit counters (a counter loaded
/// at the largest value turns negative instead of overflowing).
void Bump(std::int32_t& counter) { counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) + 1u); }

bool OwnProductionDue(std::int32_t n, std::int32_t d, std::int32_t money) {
    const std::int32_t base = (500 * d + 1000) / 2;
    return (n > base - money / 100 && n >= kOwnProductionFloor) || n < 0;
}

bool EnemyProductionDue(std::int32_t m, std::int32_t d) {
    const std::int32_t interval = (1000 - 400 * d) - d * (1000 - 400 * d) / 4;
    return m > interval || m < 0;
}

bool IsFactory(const GameCellObjectType& o) { return o.Kind() == KindBuilding && o.BuildingType() == BuildingFactory; }

bool Crowded(const GameType& g, std::int32_t ax, std::int32_t ay, std::int32_t d) {
    const std::int32_t limit = 10 * d + 10;
    std::int32_t standing = 0;
    for (std::int32_t x = ax - kCrowdLeft; x <= ax + kCrowdRight; ++x)
        for (std::int32_t y = ay - kCrowdUp; y <= ay + kCrowdDown; ++y)
            if (g.OnMap(x, y) && g.Cell(x, y).Occupancy == CellTank) ++standing;
    return standing > limit;
}

Color SideColor(std::int32_t side) {
    if (side == SidePlayer) return 0x00FFFF;
    if (side == SideComputer) return 0x0000FF;
    return 0x00FF00;
}

}  // namespace

void BuildingStep(SimContext& ctx) {
    GameType& g = ctx.G;
    RunState& run = ctx.Run;
    const std::int32_t d = DifficultyIndex(run.Difficulty);

    run.OwnBuildings = run.EnemyBuildings = run.OwnHQs = run.EnemyHQs = 0;
    Bump(g.OwnProductionTimer);
    Bump(g.EnemyProductionTimer);
    const bool ownDue = OwnProductionDue(g.OwnProductionTimer, d, g.Money);
    const bool enemyDue = EnemyProductionDue(g.EnemyProductionTimer, d);

    // The tick's mirror of the map says which cells hold an object, in a byte
    // each; without it (outside a tick) every cell is looked at.
    const std::uint8_t* codes = PassCodes(ctx.Passability, g);
    for (std::int32_t x = 0; x < g.Columns; ++x) {
        const GameCellType* cells = g.Cells[static_cast<std::size_t>(x)].data();
        const std::uint8_t* column = codes ? codes + static_cast<std::size_t>(x) * static_cast<std::size_t>(g.Rows) : nullptr;
        for (std::int32_t y = 0; y < g.Rows; ++y) {
            if (column && !CodeHasObject(column[y])) continue;
            const GameCellObjectType* o = cells[y].Object.get();
            if (!o) continue;
            const std::int32_t kind = o->Kind();
            const std::int32_t side = o->Side();
            if (kind == KindTower || kind == KindBuilding) {
                const bool hq = kind == KindBuilding && o->BuildingType() == BuildingHeadquarters;
                if (side == SidePlayer) {
                    ++run.OwnBuildings;
                    if (hq) ++run.OwnHQs;
                } else if (side == SideComputer) {
                    ++run.EnemyBuildings;
                    if (hq) ++run.EnemyHQs;
                }
            }
            if (kind == KindTower) TowerStep(ctx, x, y);
            ObjectDamageStep(ctx, x, y);
            // The object may have burnt down just now; only a standing factory produces.
            o = g.Cell(x, y).Object.get();
            if (o && IsFactory(*o) && (o->Side() == SidePlayer ? ownDue : enemyDue)) FactoryStep(ctx, x, y);
        }
    }

    if (ownDue) g.OwnProductionTimer = 0;
    if (enemyDue) g.EnemyProductionTimer = 0;
}

void FactoryStep(SimContext& ctx, std::int32_t ax, std::int32_t ay) {
    GameType& g = ctx.G;
    const RunState& run = ctx.Run;
    if (run.EditMode || run.Outcome != OutcomeRunning) return;
    if (!g.OnMap(ax, ay)) return;
    const GameCellObjectType* factory = g.Cell(ax, ay).Object.get();
    if (!factory) return;

    const std::int32_t side = factory->Side();
    const std::int32_t d = DifficultyIndex(run.Difficulty);
    const bool crowded = side == SideComputer && Crowded(g, ax, ay, d);
    if (!crowded && IsPassable(g, ax + 1, ay + 2, nullptr, 0)) {
        if (side == SidePlayer) {
            // OwnTanks: the tick's count plus the tanks built since, so two
            // factories due together never pass the limit.
            if (run.OwnTanks >= kOwnTankLimit || g.Money < kTankCost) return;
            AddMoney(ctx, -kTankCost);
        }
        const std::int32_t tank = CreateTank(ctx, ax + 1, ay + 1, true, 12, 0, side, KindTank);
        if (side == SidePlayer) SendToRally(ctx, CellIndex(g, ax, ay), tank);
        return;
    }
    if (side != SidePlayer) LaunchAttackWave(ctx, ax, ay);
}

std::int32_t CreateTank(SimContext& ctx, std::int32_t x, std::int32_t y, bool rollOut, std::int32_t facing, std::int32_t model,
                        std::int32_t side, std::int32_t group) {
    GameType& g = ctx.G;
    RunState& run = ctx.Run;
    if (side == SidePlayer) {
        Bump(run.OwnTanks);
        Bump(g.OwnTanksTotal);
    } else if (side == SideComputer) {
        Bump(run.EnemyTanks);
        Bump(g.EnemyTanksTotal);
    }

    auto tank = std::make_unique<GameObjectType>();
    GameObjectType& t = *tank;
    t.Index = static_cast<std::int32_t>(g.Tanks.size());
    t.Color = SideColor(side);
    t.Image = {group, side, model, facing};
    t.TurretFacing = facing;
    t.Spare = 1;
    t.Health = 100;
    t.DestX = t.DestY = t.PrevX = t.PrevY = -1;
    t.ChanceTarget = t.MuzzleX = t.MuzzleY = -1;
    t.Order = -1;
    t.Selected = 0;
    t.NeedsRoute = 0;
    t.AtRest = 1;
    t.TurnCounter = t.TurretTicks = t.ReloadCounter = 0;

    std::int32_t w = 0, h = 0;
    ImageSize(ctx.Lib, t.Image, w, h);
    t.X = x * g.CellWidth + g.CellWidth / 2 - w / 2;
    t.Y = y * g.CellHeight + g.CellHeight / 2 - h / 2;

    const std::int32_t index = t.Index;
    g.Tanks.push_back(std::move(tank));

    if (g.OnMap(x, y)) {
        GameCellType& cell = g.Cell(x, y);
        // A factory's exit lies inside its footprint, which keeps its mark.
        if (cell.Occupancy == CellFree) {
            cell.Occupancy = CellTank;
            cell.Occupant = index;
            cell.MinimapColor = g.Tanks.back()->Color;
            NoteCellChanged(ctx, x, y);
        }
    }

    if (rollOut) {
        std::int32_t k = side == SideComputer ? kEnemyRollOut[DifficultyIndex(run.Difficulty)] : kOwnRollOut;
        // Near the bottom of the map the tank rolls only as far as the last row:
        // a route never names a cell off the map.
        if (k > g.Rows - 1 - y) k = g.Rows - 1 - y;
        if (k < 0) k = 0;
        std::vector<std::int32_t>& route = g.Tanks.back()->Route;
        route.resize(static_cast<std::size_t>(k));
        for (std::int32_t i = 0; i < k; ++i) route[static_cast<std::size_t>(i)] = CellIndex(g, x, y + k - i);
        EnterCell(ctx, index, index, 0, CellXY{x, y}, CellXY{x, y + 1});
    }
    return index;
}

void AddMoney(SimContext& ctx, std::int32_t amount) {
    // Summed wide and capped: a rich player's next reward must not wrap the
    // money round to a negative amount.
    const std::int64_t sum = std::int64_t{ctx.G.Money} + amount;
    if (sum < 0) ctx.G.Money = 0;
    else if (sum > std::numeric_limits<std::int32_t>::max()) ctx.G.Money = std::numeric_limits<std::int32_t>::max();
    else ctx.G.Money = static_cast<std::int32_t>(sum);
}

}  // namespace tavrine
