// The byte-per-cell mirror of the map that the ticks keep for their floods and
// building step: every change the rules make to the map reaches it, only ticks
// use it, whatever else may change the map forgets it, and damaged occupancy
// codes keep the map's rule.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "editor/editor.h"
#include "sim/battle_world.h"
#include "sim/combat.h"
#include "sim/movement.h"
#include "sim/orders.h"
#include "sim/passability.h"
#include "sim/production.h"
#include "support/tick_world.h"

namespace tavrine {
namespace {

using test::BattleWorld;

/// Uses the mirror in a tick of its own with checking on; true when it still
/// matched the map.
bool MirrorMatchesMap(BattleWorld& w) {
    const std::int64_t stale = w.Mirror.StaleUses;
    BeginPassabilityTick(w.Mirror);
    PassCodes(&w.Mirror, w.G);
    return w.Mirror.StaleUses == stale;
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

    w.Mirror.CheckEachTick = true;
    PassabilityTick tick(w.Mirror);
    ASSERT_NE(PassCodes(&w.Mirror, w.G), nullptr);

    // A tank claims the next cell and leaves its own.
    ASSERT_TRUE(EnterCell(w.Ctx, mover, mover, 0, {1, 1}, {2, 1}));
    EXPECT_TRUE(MirrorMatchesMap(w));

    // A new tank on free land.
    CreateTank(w.Ctx, 4, 0, false, 0, 0, SidePlayer);
    EXPECT_TRUE(MirrorMatchesMap(w));

    // A destroyed tank that had claimed a second cell leaves both.
    ASSERT_TRUE(EnterCell(w.Ctx, victim, victim, 0, {3, 4}, {4, 4}));
    w.G.Cell(3, 4).Occupancy = CellTank;  // its old cell still marked as its own
    w.G.Cell(3, 4).Occupant = victim;
    NoteCellChanged(w.Ctx, 3, 4);
    RemoveTank(w.Ctx, victim);
    EXPECT_TRUE(MirrorMatchesMap(w));
    EXPECT_EQ(w.G.Cell(3, 4).Occupancy, CellFree);
    EXPECT_EQ(w.G.Cell(4, 4).Occupancy, CellFree);

    // A destroyed building frees its whole footprint.
    DestroyBuilding(w.Ctx, 6, 1);
    EXPECT_TRUE(MirrorMatchesMap(w));
    EXPECT_EQ(w.G.Cell(7, 2).Occupancy, CellFree);

    EXPECT_GT(w.Mirror.Uses, 0);
    EXPECT_EQ(w.Mirror.StaleUses, 0);
}

TEST(PassabilityMirror, OnlyTicksUseItAndTheRulesKeepItBetweenThem) {
    BattleWorld w({"....", "...."});
    w.Mirror.CheckEachTick = true;
    EXPECT_EQ(PassCodes(&w.Mirror, w.G), nullptr);
    {
        PassabilityTick tick(w.Mirror);
        EXPECT_NE(PassCodes(&w.Mirror, w.G), nullptr);
    }
    // Outside a tick the floods read the map itself; the mirror waits for the
    // next tick, and a rule's change meanwhile still reaches it.
    EXPECT_EQ(PassCodes(&w.Mirror, w.G), nullptr);
    EXPECT_TRUE(w.Mirror.Valid);
    const std::int32_t tank = w.Put(0, 0, SidePlayer);
    ForgetPassability(w.Ctx);  // the tank was put there by hand
    {
        PassabilityTick tick(w.Mirror);
        PassCodes(&w.Mirror, w.G);
    }
    ASSERT_TRUE(EnterCell(w.Ctx, tank, tank, 0, {0, 0}, {1, 0}));
    {
        PassabilityTick tick(w.Mirror);
        EXPECT_TRUE(MirrorMatchesMap(w));
        const std::uint8_t* codes = PassCodes(&w.Mirror, w.G);
        EXPECT_TRUE(CodeEnterable(codes[0 * 2 + 0], 0));
        EXPECT_FALSE(CodeEnterable(codes[1 * 2 + 0], 0));
    }
    EXPECT_EQ(w.Mirror.StaleUses, 0);
}

TEST(PassabilityMirror, WhateverMayChangeTheMapOutsideTheRulesForgetsIt) {
    test::TickWorld w(test::LandRows(12, 8));
    w.Tick();  // the building step makes it
    const auto kept = [&] { return w.game.Passability().Valid; };
    EXPECT_TRUE(kept());
    w.Tick();
    EXPECT_TRUE(kept());
    // Reading the record keeps it.
    EXPECT_EQ(w.game.Record().Columns, 12);
    EXPECT_TRUE(kept());
    // The record or the context handed out for changing: the caller may change the map.
    w.game.EditRecord();
    EXPECT_FALSE(kept());
    w.Tick();
    EXPECT_TRUE(kept());
    w.Ctx();
    EXPECT_FALSE(kept());

    // An edit: asked a question first, the editor may change the map after
    // ticks ran on a context handed out before them.
    SimContext ctx = w.Ctx();
    w.Tick();
    EXPECT_TRUE(kept());
    Editor editor;
    ASSERT_TRUE(editor.MakeNewMap(ctx, 10, 6, false, 0));
    EXPECT_FALSE(kept());
    w.Tick();
    EXPECT_TRUE(kept());
    ASSERT_TRUE(editor.Undo(ctx));
    EXPECT_FALSE(kept());
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
