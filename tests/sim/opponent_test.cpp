// The computer's attack waves and its choice of target, run through the real tick.
#include <gtest/gtest.h>

#include <algorithm>

#include "sim/opponent.h"
#include "state/invariants.h"
#include "sim/grid.h"
#include "state/lists.h"
#include "support/tick_world.h"

namespace tavrine::test {
namespace {

/// A computer factory at (10, 10) on a 40 by 30 map; its gathering window is
/// columns 5..18, rows 5..20. The player's tank stands far off in the corner.
struct Front : TickWorld {
    explicit Front(std::int32_t difficulty) : TickWorld(LandRows(40, 30)) {
        Run().Difficulty = difficulty;
        G().Mission = 1;
        Factory(10, 10, SideComputer);
        Tank(39, 29, SidePlayer);
    }

    /// Fills the top rows of the window with `count` idle computer tanks.
    std::vector<std::int32_t> Crowd(int count) {
        std::vector<std::int32_t> tanks;
        for (std::int32_t y = 5; y <= 9; ++y)
            for (std::int32_t x = 5; x <= 18 && count > 0; ++x, --count) tanks.push_back(Tank(x, y, SideComputer));
        return tanks;
    }

    /// Makes the next tick a due tick of the computer's factories.
    void DueNow() { G().EnemyProductionTimer = 5000; }

    /// The tanks that carry order k, in list order.
    std::vector<std::int32_t> Members(std::int32_t k) {
        std::vector<std::int32_t> members;
        for (const auto& t : G().Tanks)
            if (t->Order == k) members.push_back(t->Index);
        return members;
    }

    std::int32_t Cell(std::int32_t x, std::int32_t y) { return CellIndex(G(), x, y); }
};

TEST(AttackWave, CrowdedFactoryOnDifficultSendsFourIdleTanksAtTheFirstTower) {
    Front w(DifficultyDifficult);
    const std::vector<std::int32_t> crowd = w.Crowd(31);
    w.Headquarters(30, 1, SidePlayer);  // earlier in column order than both towers
    w.Tower(32, 20, SidePlayer);
    w.Tower(35, 3, SidePlayer);
    w.DueNow();
    w.Tick();

    ASSERT_EQ(w.G().Orders.size(), 1u);
    const OrderType& order = *w.G().Orders[0];
    EXPECT_EQ(order.Kind, OrderAttackBuilding);
    EXPECT_EQ(order.TargetRef, w.Cell(32, 20));
    EXPECT_EQ(order.State, OrderReady);  // planned at once
    const std::vector<std::int32_t> first4(crowd.begin(), crowd.begin() + 4);
    EXPECT_EQ(w.Members(0), first4);
    for (std::int32_t t : first4) EXPECT_FALSE(w.G().Tanks[static_cast<std::size_t>(t)]->Route.empty());
    EXPECT_EQ(w.TanksOf(SideComputer), 31);  // crowded: nothing produced
    EXPECT_EQ(CheckInvariants(w.G()), "");
}

TEST(AttackWave, WaveSizeIsDifficultyPlusTwoWithTheDifficultyClamped) {
    for (const auto& [difficulty, size] : {std::pair{0, 2u}, std::pair{1, 3u}, std::pair{2, 4u}, std::pair{12, 4u}, std::pair{-4, 2u}}) {
        SCOPED_TRACE(difficulty);
        Front w(difficulty);
        w.Crowd(10);
        w.Tank(11, 12, SideComputer);  // blocks the exit, so every difficulty launches
        w.Tower(30, 10, SidePlayer);
        w.DueNow();
        w.Tick();
        ASSERT_EQ(w.G().Orders.size(), 1u);
        EXPECT_EQ(w.Members(0).size(), size);
    }
}

TEST(AttackWave, OnlyIdleTanksOfTheFactorysSideInsideTheWindowJoin) {
    Front w(DifficultyNormal);
    w.Tower(30, 10, SidePlayer);
    w.Tank(11, 12, SideComputer);          // blocks the exit; joins first
    const std::int32_t busy = w.Tank(6, 6, SideComputer);
    w.Tank(7, 6, 2);                       // another side
    w.Tank(4, 6, SideComputer);            // one column left of the window
    w.Tank(8, 21, SideComputer);           // one row below the window
    const std::int32_t edge1 = w.Tank(18, 20, SideComputer);  // the window's far corner
    const std::int32_t edge2 = w.Tank(5, 5, SideComputer);    // and its near corner
    const std::int32_t move = AddOrder(w.G(), OrderMove, w.Cell(0, 29), OrderReady);
    w.G().Tanks[static_cast<std::size_t>(busy)]->Order = move;
    w.DueNow();
    w.Tick();

    // The busy tank's move order is the only other order; the wave's is the new one.
    const auto wave = std::find_if(w.G().Orders.begin(), w.G().Orders.end(), [](const auto& o) { return o->Kind == OrderAttackBuilding; });
    ASSERT_NE(wave, w.G().Orders.end());
    const std::vector<std::int32_t> expected = {1, edge1, edge2};
    EXPECT_EQ(w.Members((*wave)->Index), expected);
}

TEST(AttackWave, NoWaveUntilThePlayerHasSeenTheFactorysSurroundings) {
    const auto run = [](std::int32_t uncoverX, std::int32_t uncoverY) {
        Front w(DifficultyNormal);
        w.Crowd(21);
        w.Tower(30, 10, SidePlayer);
        w.HideAll();
        if (uncoverX >= 0) w.G().Cell(uncoverX, uncoverY).Hidden = 0;
        w.DueNow();
        w.Tick();
        return w.G().Orders.size();
    };
    EXPECT_EQ(run(-1, -1), 0u);  // all hidden: however crowded, no wave
    EXPECT_EQ(run(18, 17), 1u);  // the sight window's far corner (ax + 8, ay + 7)
    EXPECT_EQ(run(5, 5), 1u);    // and its near corner (ax - 5, ay - 5)
    EXPECT_EQ(run(18, 18), 0u);  // one row further south is not enough
    EXPECT_EQ(run(19, 10), 0u);  // nor one column further east
    EXPECT_EQ(run(10, 10), 1u);  // the factory's own cell seen
}

TEST(AttackWave, WithoutATowerTheFirstOtherObjectInColumnOrderIsAttacked) {
    Front w(DifficultyNormal);
    w.Crowd(21);
    w.Wall(25, 0);                       // scenery is never a target
    w.PlainBuilding(30, 15, SidePlayer);
    w.Headquarters(31, 1, SidePlayer);
    w.Tower(28, 2, SideComputer);        // not the player's
    w.DueNow();
    w.Tick();
    ASSERT_EQ(w.G().Orders.size(), 1u);
    EXPECT_EQ(w.G().Orders[0]->TargetRef, w.Cell(30, 15));
}

TEST(AttackWave, NoWaveWhenThePlayerHasNothingLeftToAttack) {
    Front w(DifficultyNormal);
    w.Crowd(21);
    w.Wall(25, 0);
    w.DueNow();
    w.Tick();
    EXPECT_TRUE(w.G().Orders.empty());
    for (const auto& t : w.G().Tanks) EXPECT_EQ(t->Order, -1);
}

TEST(AttackWave, PlayerFactoriesNeverLaunchWaves) {
    Front w(DifficultyNormal);
    w.Factory(20, 20, SidePlayer);
    w.Tank(21, 22, SidePlayer);  // blocks the player's exit
    w.Tank(20, 18, SidePlayer);
    w.Tower(2, 2, SideComputer);
    w.G().OwnProductionTimer = 5000;
    w.G().Money = 5000;
    w.Tick();
    for (const auto& o : w.G().Orders) EXPECT_NE(o->Kind, OrderAttackBuilding);
}

TEST(ChooseEnemyTarget, FirstTowerInColumnOrderElseFirstCandidate) {
    TickWorld w(LandRows(20, 20));
    SimContext ctx = w.Ctx();
    EXPECT_FALSE(ChooseEnemyTarget(ctx).has_value());
    w.Factory(3, 10, SidePlayer);
    w.Headquarters(3, 2, SidePlayer);
    EXPECT_EQ(ChooseEnemyTarget(ctx), (CellXY{3, 2}));
    w.Tower(9, 15, SidePlayer);
    w.Tower(9, 4, SidePlayer);
    w.Tower(1, 1, SideComputer);
    EXPECT_EQ(ChooseEnemyTarget(ctx), (CellXY{9, 4}));
}

TEST(AttackWave, AttackersMoveOnToTheNextTargetWhenTheirTargetBurnsDown) {
    Front w(DifficultyNormal);
    const std::vector<std::int32_t> crowd = w.Crowd(21);
    GameCellObjectType& first = w.Tower(30, 5, SidePlayer);
    w.Tower(34, 20, SidePlayer);
    w.DueNow();
    w.Tick();
    ASSERT_EQ(w.G().Orders.size(), 1u);
    ASSERT_EQ(w.G().Orders[0]->TargetRef, w.Cell(30, 5));
    const std::vector<std::int32_t> attackers = w.Members(0);
    ASSERT_EQ(attackers.size(), 3u);

    // The tower's burning ends on the next building step.
    first.Health = 0;
    first.DestroyTimer = 1;
    w.Tick();
    EXPECT_EQ(w.G().Cell(30, 5).Object, nullptr);
    ASSERT_GE(w.G().Tanks[static_cast<std::size_t>(attackers[0])]->Order, 0);
    const std::int32_t k = w.G().Tanks[static_cast<std::size_t>(attackers[0])]->Order;
    EXPECT_EQ(w.G().Orders[static_cast<std::size_t>(k)]->Kind, OrderAttackBuilding);
    EXPECT_EQ(w.G().Orders[static_cast<std::size_t>(k)]->TargetRef, w.Cell(34, 20));
    EXPECT_EQ(w.Members(k), attackers);
    EXPECT_EQ(CheckInvariants(w.G()), "");
}

}  // namespace
}  // namespace tavrine::test
