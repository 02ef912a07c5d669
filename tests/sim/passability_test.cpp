// The byte-per-cell mirror of the map that a tick keeps for its floods: every
// change the rules make to the map during a tick reaches it, it is never used
// outside a tick, and a fill that reads it numbers exactly as one that reads the
// map.
#include <gtest/gtest.h>

#include <vector>

#include "sim/battle_world.h"
#include "sim/combat.h"
#include "sim/movement.h"
#include "sim/orders.h"
#include "sim/passability.h"
#include "sim/production.h"

namespace tavrine {
namespace {

using test::BattleWorld;

/// Uses the mirror once more with checking on; true when it still matched the map.
bool MirrorMatchesMap(GameType& g) {
    const std::int64_t stale = g.Passability.StaleUses;
    PassCodes(g);
    return g.Passability.StaleUses == stale;
}

TEST(PassabilityMirror, EveryChangeATickMakesToTheMapReachesIt) {
    BattleWorld w({
        "..........",
        "..........",
        "..........",
        "..........",
        "..........",
        "..........",
    });
    test::PutObject(w.G, w.Lib, 6, 1, {KindBuilding, SideComputer, BuildingFactory, 0});
    const std::int32_t mover = w.Put(1, 1, SidePlayer);
    const std::int32_t victim = w.Put(3, 4, SideComputer);
    w.Put(0, 5, SidePlayer);

    w.G.Passability.CheckEachUse = true;
    PassabilityTick tick(w.G);
    ASSERT_NE(PassCodes(w.G), nullptr);

    // A tank claims the next cell and leaves its own.
    ASSERT_TRUE(EnterCell(w.Ctx, mover, mover, 0, {1, 1}, {2, 1}));
    EXPECT_TRUE(MirrorMatchesMap(w.G));

    // A new tank on free land.
    CreateTank(w.Ctx, 4, 0, false, 0, 0, SidePlayer);
    EXPECT_TRUE(MirrorMatchesMap(w.G));

    // A destroyed tank that had claimed a second cell leaves both.
    ASSERT_TRUE(EnterCell(w.Ctx, victim, victim, 0, {3, 4}, {4, 4}));
    w.G.Cell(3, 4).Occupancy = CellTank;  // its old cell still marked as its own
    w.G.Cell(3, 4).Occupant = victim;
    NoteCellChanged(w.G, 3, 4);
    RemoveTank(w.Ctx, victim);
    EXPECT_TRUE(MirrorMatchesMap(w.G));
    EXPECT_EQ(w.G.Cell(3, 4).Occupancy, CellFree);
    EXPECT_EQ(w.G.Cell(4, 4).Occupancy, CellFree);

    // A destroyed building frees its whole footprint.
    DestroyBuilding(w.Ctx, 6, 1);
    EXPECT_TRUE(MirrorMatchesMap(w.G));
    EXPECT_EQ(w.G.Cell(7, 2).Occupancy, CellFree);

    EXPECT_GT(w.G.Passability.Uses, 0);
    EXPECT_EQ(w.G.Passability.StaleUses, 0);
}

TEST(PassabilityMirror, OnlyATickMakesOrKeepsIt) {
    BattleWorld w({"....", "...."});
    EXPECT_EQ(PassCodes(w.G), nullptr);
    {
        PassabilityTick tick(w.G);
        EXPECT_NE(PassCodes(w.G), nullptr);
    }
    // Between ticks anything may change the map (the editor, loading, a test):
    // the mirror is gone and the floods read the map itself.
    EXPECT_FALSE(w.G.Passability.Valid);
    EXPECT_EQ(PassCodes(w.G), nullptr);
    w.G.Cell(1, 1).Ground.Subgroup = 0;
    {
        PassabilityTick tick(w.G);
        const std::uint8_t* codes = PassCodes(w.G);
        ASSERT_NE(codes, nullptr);
        EXPECT_FALSE(CodeEnterable(codes[1 * 2 + 1], 1));
        EXPECT_TRUE(CodeEnterable(codes[1 * 2 + 0], 1));
    }
}

TEST(PassabilityMirror, OccupancyCodesFromADamagedFileKeepTheMapsRule) {
    BattleWorld w({"....."});
    const std::int32_t codes[] = {-7, CellFree, CellTank, CellObject, 9};
    for (std::int32_t x = 0; x < 5; ++x) w.G.Cell(x, 0).Occupancy = codes[x];
    for (std::int32_t x = 0; x < 5; ++x)
        for (const std::int32_t allowance : {0, 1}) {
            const std::uint8_t code = PassCode(w.G.Cell(x, 0));
            EXPECT_EQ(CodeEnterable(code, allowance), IsPassable(w.G, x, 0, nullptr, allowance)) << x << " " << allowance;
            EXPECT_EQ(CodeIsObject(code), codes[x] == CellObject);
        }
}

}  // namespace
}  // namespace tavrine
