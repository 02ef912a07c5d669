// One round of per-tick sweeps: orders hunting the same tank that restarted
// together sweep from the same state, and a large sweep's outcome is handed to
// the others; an order whose state has drifted apart sweeps on its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sim/flood.h"
#include "sim/flood_world.h"

namespace tavrine {
namespace {

using test::FloodWorld;

constexpr std::int32_t kColumns = 70, kRows = 64;
constexpr CellXY kTarget{5, 10};
constexpr CellXY kGap{30, 10};

/// Land split by a column of water with one gap, held by a tank.
std::vector<std::string> WalledMap() {
    std::vector<std::string> rows(kRows, std::string(kColumns, '.'));
    for (std::int32_t y = 0; y < kRows; ++y)
        if (y != kGap.Y) rows[static_cast<std::size_t>(y)][kGap.X] = '~';
    return rows;
}

struct Hunt {
    FloodWorld World{WalledMap()};
    std::vector<std::int32_t> Orders;

    Hunt() {
        test::PutTank(World.G, World.Lib, kGap.X, kGap.Y, SideComputer);
        for (int i = 0; i < 3; ++i) Orders.push_back(AddOrder(World.G, OrderAttackTank, 0, OrderNew));
    }

    /// One tick's sweeps of every order, restarting those named; through a round
    /// or each on its own. Returns how many took a kept outcome.
    std::int32_t Tick(bool throughRound, const std::vector<std::int32_t>& restart = {}) {
        SweepRound round;
        for (std::size_t i = 0; i < Orders.size(); ++i) {
            const std::int32_t k = Orders[i];
            Flood flood{World.G, WaveField(World.G, k), World.G.Orders[static_cast<std::size_t>(k)]->Frontier, nullptr, 0};
            if (std::find(restart.begin(), restart.end(), k) != restart.end())
                flood.Clear();
            else
                flood.Prepare();
            flood.Set(kTarget.X, kTarget.Y, 1);
            if (throughRound)
                round.Sweep(flood, k, kTarget, i + 1 < Orders.size());
            else
                flood.Sweep();
        }
        return round.Reused();
    }
};

TEST(SweepRoundTest, OrdersInTheSameStateTakeTheOutcomeOfALargeSweepAndNoOthers) {
    Hunt shared, alone;
    const auto same = [&](const char* when) {
        for (const std::int32_t k : shared.Orders)
            ASSERT_EQ(shared.World.G.Waves[static_cast<std::size_t>(k)], alone.World.G.Waves[static_cast<std::size_t>(k)])
                << "order " << k << " " << when;
    };
    const std::vector<std::int32_t> all = shared.Orders;
    shared.Tick(true, all);
    alone.Tick(false, all);
    std::int32_t reused = 0;
    for (int t = 0; t < 120; ++t) {
        reused += shared.Tick(true);
        alone.Tick(false);
        same("before the gap opened");
    }

    // The tank leaves the gap: the next sweep pours through it into the other
    // half of the map, the same for all three orders.
    for (FloodWorld* w : {&shared.World, &alone.World}) w->G.Cell(kGap.X, kGap.Y).Occupancy = CellFree;
    const std::int32_t burst = shared.Tick(true);
    alone.Tick(false);
    same("as the gap opened");
    EXPECT_EQ(burst, 2);
    reused += burst;

    // The gap closes again and the first two orders start again together; the
    // third keeps its finished field. When the gap opens, the second takes the
    // first one's outcome, the third must not.
    for (FloodWorld* w : {&shared.World, &alone.World}) w->G.Cell(kGap.X, kGap.Y).Occupancy = CellTank;
    const std::vector<std::int32_t> two{shared.Orders[0], shared.Orders[1]};
    shared.Tick(true, two);
    alone.Tick(false, two);
    for (int t = 0; t < 120; ++t) {
        reused += shared.Tick(true);
        alone.Tick(false);
        same("with the gap closed again");
    }
    for (FloodWorld* w : {&shared.World, &alone.World}) w->G.Cell(kGap.X, kGap.Y).Occupancy = CellFree;
    EXPECT_EQ(shared.Tick(true), 1);
    alone.Tick(false);
    same("as the gap opened again");
    // Only the sweeps through the gap were large enough to be kept.
    EXPECT_EQ(reused, 2);
}

}  // namespace
}  // namespace tavrine
