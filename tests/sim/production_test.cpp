// Factories, production timers, new tanks and money, run through the real tick.
#include <gtest/gtest.h>

#include <limits>

#include "sim/production.h"
#include "state/invariants.h"
#include "sim/grid.h"
#include "state/lists.h"
#include "support/tick_world.h"

namespace tavrine::test {
namespace {

/// A player factory at (2, 2) (exit (3, 3), first cell below it (3, 4)), one
/// player tank far away and a computer building that keeps mission 1 running.
struct PlayerFactory : TickWorld {
    explicit PlayerFactory(std::int32_t money = 5000) : TickWorld(LandRows(20, 20)) {
        G().Mission = 1;
        G().Money = money;
        Factory(2, 2, SidePlayer);
        Tank(15, 15, SidePlayer);
        PlainBuilding(17, 1, SideComputer);
    }
};

TEST(Production, PlayerFactoryOnNormalWithFiveThousandProducesAfter701TicksAndPays500) {
    PlayerFactory w;
    w.Tick(700);
    EXPECT_EQ(w.TanksOf(SidePlayer), 1);
    EXPECT_EQ(w.G().OwnProductionTimer, 700);
    w.Tick();
    EXPECT_EQ(w.TanksOf(SidePlayer), 2);
    EXPECT_EQ(w.G().Money, 4500);
    EXPECT_EQ(w.G().OwnProductionTimer, 0);
    EXPECT_EQ(w.G().OwnTanksTotal, 1);
    EXPECT_EQ(w.Run().OwnTanks, 2);

    // 4500 shortens the wait by 45 ticks only: the next tank comes 706 ticks later.
    w.Tick(705);
    EXPECT_EQ(w.TanksOf(SidePlayer), 2);
    w.Tick();
    EXPECT_EQ(w.TanksOf(SidePlayer), 3);
    EXPECT_EQ(w.G().Money, 4000);
}

TEST(Production, RichPlayerNeverProducesFasterThanEvery330Ticks) {
    PlayerFactory w(1000000);
    w.Tick(329);
    EXPECT_EQ(w.TanksOf(SidePlayer), 1);
    w.Tick();
    EXPECT_EQ(w.TanksOf(SidePlayer), 2);
    w.Tick(329);
    EXPECT_EQ(w.TanksOf(SidePlayer), 2);
    w.Tick();
    EXPECT_EQ(w.TanksOf(SidePlayer), 3);
}

TEST(Production, PoorPlayerGetsNothingButTheTimerStillRestarts) {
    PlayerFactory w(400);
    // 750 - 4: due on tick 747.
    w.Tick(746);
    EXPECT_EQ(w.G().OwnProductionTimer, 746);
    w.Tick();
    EXPECT_EQ(w.G().OwnProductionTimer, 0);
    EXPECT_EQ(w.TanksOf(SidePlayer), 1);
    EXPECT_EQ(w.G().Money, 400);
}

TEST(Production, AllFactoriesOfASideProduceOnTheSameTick) {
    PlayerFactory w;
    w.Factory(6, 2, SidePlayer);
    w.Factory(10, 2, SideComputer);
    w.G().OwnProductionTimer = 699;
    w.G().EnemyProductionTimer = 449;
    w.Tick();
    EXPECT_EQ(w.TanksOf(SidePlayer), 1);
    EXPECT_EQ(w.TanksOf(SideComputer), 0);
    w.Tick();
    EXPECT_EQ(w.TanksOf(SidePlayer), 3);
    EXPECT_EQ(w.G().Money, 4000);
    EXPECT_EQ(w.TanksOf(SideComputer), 1);
    EXPECT_EQ(w.G().EnemyTanksTotal, 1);
}

TEST(Production, SixtyPlayerTanksStopTheFactoriesUntilOneIsLost) {
    PlayerFactory w;
    for (std::int32_t y = 10; y < 17; ++y)
        for (std::int32_t x = 0; x < 12 && w.TanksOf(SidePlayer) < 60; ++x)
            if (x != 3) w.Tank(x, y, SidePlayer);
    ASSERT_EQ(w.TanksOf(SidePlayer), 60);
    w.G().OwnProductionTimer = 5000;
    w.Tick();
    EXPECT_EQ(w.TanksOf(SidePlayer), 60);
    EXPECT_EQ(w.G().Money, 5000);

    w.G().Tanks[5]->Health = 0;
    w.Tick(2);  // removed, then counted again
    EXPECT_EQ(w.TanksOf(SidePlayer), 59);
    w.G().OwnProductionTimer = 5000;
    w.Tick();
    EXPECT_EQ(w.TanksOf(SidePlayer), 60);
    EXPECT_EQ(w.G().Money, 4500);
}

TEST(Production, BlockedExitProducesNothing) {
    {
        PlayerFactory w;
        w.Tank(3, 4, SidePlayer);
        w.G().OwnProductionTimer = 5000;
        w.Tick();
        EXPECT_EQ(w.TanksOf(SidePlayer), 2);
        EXPECT_EQ(w.G().Money, 5000);
    }
    {
        PlayerFactory w;
        w.Wall(3, 4);
        w.G().OwnProductionTimer = 5000;
        w.Tick();
        EXPECT_EQ(w.TanksOf(SidePlayer), 1);
    }
    {
        TickWorld w({"....", "....", "....", "....", ".~..", "...."});
        w.G().Mission = 1;
        w.G().Money = 5000;
        w.Factory(0, 2, SidePlayer);
        w.Tank(3, 5, SidePlayer);
        w.G().OwnProductionTimer = 5000;
        w.Tick();  // (1, 4) is water
        EXPECT_EQ(w.TanksOf(SidePlayer), 1);
    }
}

TEST(Production, DestroyedTankBelowTheExitIsClearedBeforeTheFactoryLooks) {
    PlayerFactory w;
    const std::int32_t wreck = w.Tank(3, 4, SidePlayer);
    w.G().Tanks[static_cast<std::size_t>(wreck)]->Health = 0;
    w.G().OwnProductionTimer = 5000;
    w.Tick();
    EXPECT_EQ(w.TanksOf(SidePlayer), 2);
    EXPECT_EQ(w.G().Money, 4500);
}

TEST(Production, NewPlayerTankStandsCentredInTheExitAndRollsFourCellsSouth) {
    PlayerFactory w;
    SimContext ctx = w.Ctx();
    const std::int32_t i = CreateTank(ctx, 3, 3, true, 12, 0, SidePlayer);
    const GameObjectType& t = *w.G().Tanks[static_cast<std::size_t>(i)];
    EXPECT_EQ(t.Index, i);
    EXPECT_EQ(t.X, 3 * 36 + 18 - kTankSize / 2);
    EXPECT_EQ(t.Y, 3 * 36 + 18 - kTankSize / 2);
    EXPECT_EQ(t.Color, 0x00FFFFu);
    EXPECT_EQ(t.Image, (ImageRef{4, SidePlayer, 0, 12}));
    EXPECT_EQ(t.TurretFacing, 12);
    EXPECT_EQ(t.Health, 100);
    EXPECT_EQ(t.Order, -1);
    const std::vector<std::int32_t> route = {CellIndex(w.G(), 3, 7), CellIndex(w.G(), 3, 6), CellIndex(w.G(), 3, 5),
                                             CellIndex(w.G(), 3, 4)};
    EXPECT_EQ(t.Route, route);
    // The cell below is claimed at once; the exit inside the footprint keeps its mark.
    EXPECT_EQ(t.DestX, 3);
    EXPECT_EQ(t.DestY, 4);
    EXPECT_EQ(w.G().Cell(3, 4).Occupancy, CellTank);
    EXPECT_EQ(w.G().Cell(3, 4).Occupant, i);
    EXPECT_EQ(w.G().Cell(3, 3).Occupancy, CellObject);

    w.Tick(150);
    const CellXY at = TankCell(w.G(), t, w.Lib());
    EXPECT_EQ(at, (CellXY{3, 7}));
    EXPECT_TRUE(t.Route.empty());
    EXPECT_EQ(t.DestX, -1);
}

TEST(Production, CreateTankCountsBySideAndMarksOnlyAFreeCell) {
    TickWorld w(LandRows(10, 10));
    SimContext ctx = w.Ctx();
    const std::int32_t own = CreateTank(ctx, 1, 1, false, 4, 1, SidePlayer);
    const std::int32_t enemy = CreateTank(ctx, 2, 1, false, 4, 0, SideComputer);
    const std::int32_t neutral = CreateTank(ctx, 3, 1, false, 4, 0, 2);
    EXPECT_EQ(w.Run().OwnTanks, 1);
    EXPECT_EQ(w.G().OwnTanksTotal, 1);
    EXPECT_EQ(w.Run().EnemyTanks, 1);
    EXPECT_EQ(w.G().EnemyTanksTotal, 1);
    EXPECT_EQ(w.G().Tanks[static_cast<std::size_t>(enemy)]->Color, 0x0000FFu);
    EXPECT_EQ(w.G().Tanks[static_cast<std::size_t>(neutral)]->Color, 0x00FF00u);
    EXPECT_EQ(w.G().Tanks[static_cast<std::size_t>(own)]->Model(), 1);
    EXPECT_TRUE(w.G().Tanks[static_cast<std::size_t>(own)]->Route.empty());
    EXPECT_EQ(w.G().Cell(1, 1).Occupant, own);
    EXPECT_EQ(w.G().Cell(1, 1).MinimapColor, 0x00FFFFu);

    // A second tank dropped on an occupied cell leaves the first one's mark.
    CreateTank(ctx, 1, 1, false, 4, 0, SidePlayer);
    EXPECT_EQ(w.G().Cell(1, 1).Occupant, own);
    EXPECT_EQ(CheckInvariants(w.G()), "");
}

TEST(Production, RollOutAtTheBottomOfTheMapStaysOnTheMap) {
    TickWorld w(LandRows(6, 6));
    SimContext ctx = w.Ctx();
    const std::int32_t i = CreateTank(ctx, 2, 4, true, 12, 0, SidePlayer);
    const std::vector<std::int32_t> route = {CellIndex(w.G(), 2, 5)};
    EXPECT_EQ(w.G().Tanks[static_cast<std::size_t>(i)]->Route, route);
    EXPECT_EQ(CheckInvariants(w.G()), "");
    const std::int32_t last = CreateTank(ctx, 4, 5, true, 12, 0, SidePlayer);
    EXPECT_TRUE(w.G().Tanks[static_cast<std::size_t>(last)]->Route.empty());
    EXPECT_EQ(w.G().Tanks[static_cast<std::size_t>(last)]->DestX, -1);
    EXPECT_EQ(CheckInvariants(w.G()), "");
}

/// A computer factory at (10, 10) (first cell below the exit: (11, 12)) on a
/// 30 by 30 map, with a far player tank and nothing of the player's to attack.
struct EnemyFactory : TickWorld {
    explicit EnemyFactory(std::int32_t difficulty = DifficultyNormal) : TickWorld(LandRows(30, 30)) {
        Run().Difficulty = difficulty;
        G().Mission = 1;
        Factory(10, 10, SideComputer);
        Tank(28, 28, SidePlayer);
    }
    const GameObjectType* NewestEnemy() {
        for (auto it = G().Tanks.rbegin(); it != G().Tanks.rend(); ++it)
            if ((*it)->Side() == SideComputer) return it->get();
        return nullptr;
    }
};

TEST(Production, ComputerIntervalAndRollOutFollowTheDifficulty) {
    struct Case {
        std::int32_t difficulty;
        int dueTick;
        std::size_t rollOut;
    };
    // Settings may hold any number: below 0 plays as Easy, above 2 as Difficult.
    for (const Case c : {Case{0, 1001, 1}, Case{1, 451, 2}, Case{2, 101, 4}, Case{7, 101, 4}, Case{-3, 1001, 1}}) {
        SCOPED_TRACE(c.difficulty);
        EnemyFactory w(c.difficulty);
        w.Tick(c.dueTick - 1);
        EXPECT_EQ(w.TanksOf(SideComputer), 0);
        w.Tick();
        ASSERT_EQ(w.TanksOf(SideComputer), 1);
        EXPECT_EQ(w.NewestEnemy()->Route.size(), c.rollOut);
        EXPECT_EQ(w.G().EnemyProductionTimer, 0);
        EXPECT_EQ(w.G().Money, 0);  // the computer's tanks cost the player nothing
    }
}

TEST(Production, PlayerIntervalFollowsTheClampedDifficulty) {
    for (const auto& [difficulty, dueTick] : {std::pair{0, 451}, std::pair{2, 951}, std::pair{9, 951}, std::pair{-1, 451}}) {
        SCOPED_TRACE(difficulty);
        PlayerFactory w;
        w.Run().Difficulty = difficulty;
        w.Tick(dueTick - 1);
        EXPECT_EQ(w.TanksOf(SidePlayer), 1);
        w.Tick();
        EXPECT_EQ(w.TanksOf(SidePlayer), 2);
    }
}

TEST(Production, CrowdedComputerFactoryStopsProducing) {
    // 21 tanks stand in the factory's 14 by 16 cell window: one more than Normal allows.
    const auto crowd = [](EnemyFactory& w, int count) {
        for (std::int32_t y = 5; y <= 7; ++y)
            for (std::int32_t x = 5; x <= 18 && count > 0; ++x, --count) w.Tank(x, y, SideComputer);
    };
    {
        EnemyFactory w;
        crowd(w, 21);
        w.G().EnemyProductionTimer = 450;
        w.Tick();
        EXPECT_EQ(w.TanksOf(SideComputer), 21);
        EXPECT_EQ(w.G().EnemyProductionTimer, 0);
    }
    {
        EnemyFactory w;
        crowd(w, 20);
        w.G().EnemyProductionTimer = 450;
        w.Tick();
        EXPECT_EQ(w.TanksOf(SideComputer), 21);
    }
    {
        // Tanks outside the window do not count.
        EnemyFactory w;
        for (std::int32_t x = 0; x < 25; ++x) w.Tank(x, 27, SideComputer);
        w.G().EnemyProductionTimer = 450;
        w.Tick();
        EXPECT_EQ(w.TanksOf(SideComputer), 26);
    }
    {
        // The player's factories are never crowded.
        PlayerFactory w;
        for (std::int32_t x = 0; x < 14; ++x)
            for (std::int32_t y = 5; y < 8; ++y) w.Tank(x, y, SidePlayer);
        w.G().OwnProductionTimer = 5000;
        const std::int32_t before = w.TanksOf(SidePlayer);
        w.Tick();
        EXPECT_EQ(w.TanksOf(SidePlayer), before + 1);
    }
}

TEST(Production, NoProductionWhileEditingOrAfterTheOutcome) {
    {
        PlayerFactory w;
        w.Run().EditMode = 1;
        w.Factory(10, 10, SideComputer);
        w.Tick(1001);
        EXPECT_EQ(w.G().Tanks.size(), 1u);
        EXPECT_EQ(w.G().OwnProductionTimer, 300);  // restarted at 701
        EXPECT_EQ(w.G().Money, 5000);
    }
    {
        PlayerFactory w;
        w.Run().Outcome = OutcomeAccomplished;
        w.G().OwnProductionTimer = 5000;
        w.G().EnemyProductionTimer = 5000;
        w.Factory(10, 10, SideComputer);
        w.Tick();
        EXPECT_EQ(w.G().Tanks.size(), 1u);
    }
}

TEST(Production, CountsEachSidesBuildingsAndHeadquartersEveryTick) {
    TickWorld w(LandRows(20, 20));
    w.Headquarters(0, 0, SidePlayer);
    w.Tower(4, 0, SidePlayer);
    w.Headquarters(8, 0, SideComputer);
    w.Headquarters(12, 0, SideComputer);
    w.Factory(0, 8, SideComputer);
    w.Tower(16, 8, 2);  // neutral: nobody's
    w.Wall(10, 10);
    w.Tank(19, 19, SidePlayer);
    w.Tick();
    EXPECT_EQ(w.Run().OwnBuildings, 2);
    EXPECT_EQ(w.Run().OwnHQs, 1);
    EXPECT_EQ(w.Run().EnemyBuildings, 3);
    EXPECT_EQ(w.Run().EnemyHQs, 2);
}

TEST(Production, LoadedTimersAtTheEndOfTheRangeProduceAtOnce) {
    PlayerFactory w;
    w.Factory(10, 10, SideComputer);
    w.G().OwnProductionTimer = std::numeric_limits<std::int32_t>::max();
    w.G().EnemyProductionTimer = -7;
    w.Tick();
    EXPECT_EQ(w.TanksOf(SidePlayer), 2);
    EXPECT_EQ(w.TanksOf(SideComputer), 1);
    EXPECT_EQ(w.G().OwnProductionTimer, 0);
}

TEST(Money, AddMoneyNeverGoesBelowZeroNorWrapsRound) {
    TickWorld w(LandRows(2, 2));
    SimContext ctx = w.Ctx();
    w.G().Money = 300;
    AddMoney(ctx, -500);
    EXPECT_EQ(w.G().Money, 0);
    AddMoney(ctx, 2000);
    EXPECT_EQ(w.G().Money, 2000);
    w.G().Money = std::numeric_limits<std::int32_t>::max() - 100;
    AddMoney(ctx, 2000);
    EXPECT_EQ(w.G().Money, std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace tavrine::test
