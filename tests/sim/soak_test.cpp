// A long battle through the real tick: two bases with factories, towers and
// headquarters on a generated map; the computer's waves against the player's
// towers, the player's idle tanks sent against the computer's buildings now and
// then, both sides' alert scans; a side whose base has fallen gets a new one. The
// game record's rules are checked every 1,000 ticks. TAVRINE_SOAK_TICKS sets the
// length (100,000 by default, 20,000 under the sanitizers, whose run of the same
// rules is several times slower).
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "sim/grid.h"
#include "sim/orders.h"
#include "state/invariants.h"
#include "state/new_map.h"
#include "support/sanitizers.h"
#include "support/tick_world.h"

namespace tavrine::test {
namespace {

constexpr std::int32_t kColumns = 64;
constexpr std::int32_t kRows = 48;

/// Land with ponds and ridges scattered by the seed, kept clear of both bases.
std::vector<std::string> GeneratedMap(std::uint64_t seed) {
    Random rng(seed);
    std::vector<std::string> rows = LandRows(kColumns, kRows);
    for (int patch = 0; patch < 40; ++patch) {
        const std::int32_t x0 = 14 + rng(kColumns - 28), y0 = rng(kRows - 3);
        const std::int32_t w = 1 + rng(4), h = 1 + rng(4);
        const char ground = rng(2) ? '~' : '^';
        for (std::int32_t x = x0; x < x0 + w && x < kColumns - 14; ++x)
            for (std::int32_t y = y0; y < y0 + h && y < kRows; ++y) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = ground;
    }
    return rows;
}

std::int32_t BaseColumn(std::int32_t side) { return side == SidePlayer ? 2 : kColumns - 12; }

/// Places `image` at (x, y) when its whole footprint is free land, as the map
/// editor would.
void PlaceIfFree(TickWorld& w, std::int32_t x, std::int32_t y, ImageRef image) {
    std::int32_t width = 0, height = 0;
    ImageSize(w.Lib(), image, width, height);
    const CellXY end = FootprintEnd(w.G(), x, y, width, height);
    for (std::int32_t cx = x; cx <= end.X; ++cx)
        for (std::int32_t cy = y; cy <= end.Y; ++cy)
            if (!IsPassable(w.G(), cx, cy, nullptr, 0)) return;
    w.Object(x, y, image);
}

/// A side's base: headquarters, two factories, three towers and a depot. Pieces
/// whose ground is taken are left out.
void BuildBase(TickWorld& w, std::int32_t side) {
    const std::int32_t base = BaseColumn(side);
    PlaceIfFree(w, base, 2, ImageRef{KindBuilding, side, BuildingHeadquarters, 0});
    PlaceIfFree(w, base + 4, 8, ImageRef{KindBuilding, side, BuildingFactory, 0});
    PlaceIfFree(w, base + 4, 30, ImageRef{KindBuilding, side, BuildingFactory, 0});
    for (const std::int32_t y : {12, 24, 36}) PlaceIfFree(w, base + 8, y, ImageRef{KindTower, side, 0, 12});
    PlaceIfFree(w, base, 40, ImageRef{KindBuilding, side, 2, 0});
}

/// The player's side of the battle: every idle tank of the player is sent, as a
/// click on a computer building would send it, against the computer's first
/// tower or building in column order.
void SendIdlePlayerTanks(TickWorld& w) {
    GameType& g = w.G();
    std::int32_t target = -1;
    for (std::int32_t x = 0; x < g.Columns && target < 0; ++x)
        for (std::int32_t y = 0; y < g.Rows && target < 0; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (o && o->Side() == SideComputer && (o->Kind() == KindTower || o->Kind() == KindBuilding)) target = CellIndex(g, x, y);
        }
    if (target < 0) return;
    std::int32_t order = -1;
    for (auto& t : g.Tanks) {
        if (t->Side() != SidePlayer || t->Order >= 0) continue;
        if (order < 0) order = AddOrder(g, OrderAttackBuilding, target, OrderNew);
        t->Order = order;
    }
    if (order >= 0) {
        SimContext ctx = w.Ctx();
        PlanOrder(ctx, order, true);
    }
}

/// Ticks of the soak: 100,000 (20,000 under the sanitizers) unless
/// TAVRINE_SOAK_TICKS says otherwise.
long SoakTicks() {
    const char* text = std::getenv("TAVRINE_SOAK_TICKS");
    const long ticks = text ? std::strtol(text, nullptr, 10) : 0;
    return ticks > 0 ? ticks : (kUnderSanitizer ? 20000 : 100000);
}

TEST(Soak, LongBattleKeepsEveryRuleOfTheRecord) {
    TickWorld w(GeneratedMap(7), 7);
    w.Run().Difficulty = DifficultyNormal;
    // The hint's countdown keeps the outcome from being judged, so both sides
    // go on producing for the whole run.
    w.Run().BannerTime = std::numeric_limits<std::int32_t>::max();
    w.G().Mission = 0;

    for (const std::int32_t side : {SidePlayer, SideComputer}) {
        BuildBase(w, side);
        const std::int32_t base = BaseColumn(side);
        for (std::int32_t i = 0; i < 8; ++i) w.Tank(base + i, 20, side, side == SidePlayer ? 8 : 0);
    }

    StartNewGame(w.G());
    w.G().Money = 1000000000;
    // In each tick the mirror of the map the ticks keep is compared with the map.
    w.game.Passability().CheckEachTick = true;

    const long ticks = SoakTicks();
    int rebuilt = 0;
    for (long t = 1; t <= ticks; ++t) {
        if (t % 2500 == 0) SendIdlePlayerTanks(w);
        w.Tick();
        if (t % 1000 == 0) {
            ASSERT_EQ(CheckInvariants(w.G()), "") << "after tick " << t;
            ASSERT_LE(w.TanksOf(SidePlayer), 60) << "after tick " << t;
            // A side that has lost its whole base gets a new one, so the battle
            // lasts the whole run.
            for (const std::int32_t side : {SidePlayer, SideComputer}) {
                if ((side == SidePlayer ? w.Run().OwnBuildings : w.Run().EnemyBuildings) > 0) continue;
                BuildBase(w, side);
                ++rebuilt;
            }
        }
    }
    // It was a battle: tanks were built and lost on both sides, and the bases fell.
    EXPECT_GT(w.G().OwnTanksTotal, 8);
    EXPECT_GT(w.G().EnemyTanksTotal, 8);
    EXPECT_LT(w.TanksOf(SidePlayer), w.G().OwnTanksTotal);
    EXPECT_LT(w.TanksOf(SideComputer), w.G().EnemyTanksTotal);
    if (ticks >= 100000) {
        EXPECT_GT(rebuilt, 0);
        EXPECT_GT(w.game.Passability().Uses, 0);
    }
    EXPECT_EQ(w.game.Passability().StaleUses, 0);
}

}  // namespace
}  // namespace tavrine::test
