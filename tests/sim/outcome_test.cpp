// Mission rules and the outcome check, as a table and through the real tick.
#include <gtest/gtest.h>

#include "sim/outcome.h"
#include "sim/grid.h"
#include "state/lists.h"
#include "support/tick_world.h"

namespace tavrine::test {
namespace {

RunState Counts(std::int32_t enemyBuildings, std::int32_t enemyHQs, std::int32_t enemyTanks, std::int32_t ownHQs,
                std::int32_t ownTanks) {
    RunState c;
    c.EnemyBuildings = enemyBuildings;
    c.EnemyHQs = enemyHQs;
    c.EnemyTanks = enemyTanks;
    c.OwnHQs = ownHQs;
    c.OwnBuildings = ownHQs;
    c.OwnTanks = ownTanks;
    return c;
}

TEST(MissionOutcome, EachMissionsRuleForWinningAndLosing) {
    struct Case {
        std::int32_t mission;
        RunState counts;
        std::int32_t expected;
    };
    const Case cases[] = {
        // 0: every enemy building and tank gone.
        {0, Counts(0, 0, 0, 0, 3), OutcomeAccomplished},
        {0, Counts(0, 0, 1, 1, 3), OutcomeRunning},
        {0, Counts(0, 0, 1, 1, 0), OutcomeFailed},
        // 1: every enemy building gone, tanks or not.
        {1, Counts(0, 0, 9, 0, 1), OutcomeAccomplished},
        {1, Counts(1, 0, 0, 0, 1), OutcomeRunning},
        {1, Counts(1, 1, 0, 0, 0), OutcomeFailed},
        // 2: the enemy headquarters gone, whatever else stands.
        {2, Counts(5, 0, 9, 0, 1), OutcomeAccomplished},
        {2, Counts(5, 1, 0, 0, 1), OutcomeRunning},
        {2, Counts(5, 1, 0, 1, 0), OutcomeFailed},
        // 3, 4, 5: as 0, 1, 2, but also lost with the player's last headquarters.
        {3, Counts(0, 0, 0, 0, 0), OutcomeAccomplished},
        {3, Counts(1, 0, 0, 0, 4), OutcomeFailed},
        {3, Counts(1, 0, 0, 1, 4), OutcomeRunning},
        {4, Counts(0, 1, 4, 0, 0), OutcomeAccomplished},
        {4, Counts(2, 1, 4, 0, 4), OutcomeFailed},
        {4, Counts(2, 1, 4, 1, 0), OutcomeFailed},
        {4, Counts(2, 1, 4, 1, 4), OutcomeRunning},
        {5, Counts(3, 0, 4, 0, 0), OutcomeAccomplished},
        {5, Counts(3, 1, 4, 0, 4), OutcomeFailed},
        {5, Counts(3, 1, 4, 2, 4), OutcomeRunning},
        // A number no mission has is never decided.
        {6, Counts(0, 0, 0, 0, 0), OutcomeRunning},
        {-1, Counts(0, 0, 0, 0, 0), OutcomeRunning},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mission " << c.mission << " enemy " << c.counts.EnemyBuildings << "/"
                                          << c.counts.EnemyHQs << "/" << c.counts.EnemyTanks << " own " << c.counts.OwnHQs
                                          << "/" << c.counts.OwnTanks);
        EXPECT_EQ(MissionOutcome(c.mission, c.counts), c.expected);
    }
}

/// Player headquarters and tank in the west, computer building, headquarters
/// and tank in the east, far out of each other's reach.
struct Battle : TickWorld {
    explicit Battle(std::int32_t mission) : TickWorld(LandRows(40, 20)) {
        G().Mission = mission;
        OwnHQ = &Headquarters(1, 1, SidePlayer);
        OwnTank = Tank(2, 10, SidePlayer);
        EnemyBuilding = &PlainBuilding(36, 1, SideComputer);
        EnemyHQ = &Headquarters(36, 10, SideComputer);
        EnemyTank = Tank(38, 18, SideComputer);
    }
    /// Lets the object burn down on the next building step.
    static void Burn(GameCellObjectType* o) {
        o->Health = 0;
        o->DestroyTimer = 1;
    }

    GameCellObjectType* OwnHQ;
    GameCellObjectType* EnemyBuilding;
    GameCellObjectType* EnemyHQ;
    std::int32_t OwnTank;
    std::int32_t EnemyTank;
};

TEST(CheckOutcome, DestroyingTheLastBuildingWinsMissionOneOnTheNextTick) {
    Battle w(1);
    Battle::Burn(w.EnemyBuilding);
    Battle::Burn(w.EnemyHQ);
    w.Tick();  // counted while burning down, removed at the end of their step
    EXPECT_EQ(w.Run().Outcome, OutcomeRunning);
    EXPECT_EQ(w.G().Cell(36, 10).Object, nullptr);
    w.Tick();
    EXPECT_EQ(w.Run().Outcome, OutcomeAccomplished);
    EXPECT_EQ(w.TanksOf(SideComputer), 1);
    // The result is shown and held for two seconds, with the statistics built.
    EXPECT_EQ(w.host.sleptMs, 2000);
    ASSERT_EQ(w.Run().InfoLines.size(), 11u);
    EXPECT_EQ(w.Run().InfoLines[0], "Enemies");
}

TEST(CheckOutcome, MissionZeroWaitsForTheLastTankAndIsLostWhenThePlayersDiesFirst) {
    Battle w(0);
    Battle::Burn(w.EnemyBuilding);
    Battle::Burn(w.EnemyHQ);
    w.Tick(3);
    EXPECT_EQ(w.Run().EnemyBuildings, 0);
    EXPECT_EQ(w.Run().Outcome, OutcomeRunning);
    w.G().Tanks[static_cast<std::size_t>(w.OwnTank)]->Health = 0;
    w.Tick();  // removed; the count follows on the next tick
    EXPECT_EQ(w.Run().Outcome, OutcomeRunning);
    w.Tick();
    EXPECT_EQ(w.Run().Outcome, OutcomeFailed);
}

TEST(CheckOutcome, DefendMissionsAreLostWithTheLastHeadquartersEvenWithTanksLeft) {
    for (std::int32_t mission : {3, 4, 5}) {
        SCOPED_TRACE(mission);
        Battle w(mission);
        Battle::Burn(w.OwnHQ);
        w.Tick(2);
        EXPECT_EQ(w.Run().Outcome, OutcomeFailed);
        EXPECT_EQ(w.TanksOf(SidePlayer), 1);
    }
}

TEST(CheckOutcome, DefendMissionWithoutAnyHeadquartersIsLostAtTheFirstCheck) {
    for (std::int32_t mission : {3, 4, 5}) {
        SCOPED_TRACE(mission);
        TickWorld w(LandRows(30, 10));
        w.G().Mission = mission;
        w.Tank(1, 1, SidePlayer);
        w.Headquarters(25, 1, SideComputer);
        w.Tank(28, 8, SideComputer);
        w.Tick();
        EXPECT_EQ(w.Run().Outcome, OutcomeFailed);
    }
    // The other missions do not ask for one.
    for (std::int32_t mission : {0, 1, 2}) {
        TickWorld w(LandRows(30, 10));
        w.G().Mission = mission;
        w.Tank(1, 1, SidePlayer);
        w.Headquarters(25, 1, SideComputer);
        w.Tank(28, 8, SideComputer);
        w.Tick();
        EXPECT_EQ(w.Run().Outcome, OutcomeRunning);
    }
}

TEST(CheckOutcome, MissionTwoIsWonWithTheHeadquartersWhateverElseStands) {
    Battle w(2);
    Battle::Burn(w.EnemyHQ);
    w.Tick(2);
    EXPECT_EQ(w.Run().Outcome, OutcomeAccomplished);
    EXPECT_NE(w.G().Cell(36, 1).Object, nullptr);
}

TEST(CheckOutcome, WonAndLostAtTheSameCheckCountsAsWon) {
    Battle w(1);
    w.Tick();  // the forces are counted
    Battle::Burn(w.EnemyBuilding);
    Battle::Burn(w.EnemyHQ);
    w.G().Tanks[static_cast<std::size_t>(w.OwnTank)]->Health = 0;
    w.Tick();  // all three go; the tanks are counted again on the next tick
    EXPECT_EQ(w.Run().Outcome, OutcomeRunning);
    w.Tick();
    EXPECT_EQ(w.TanksOf(SidePlayer), 0);
    EXPECT_EQ(w.Run().Outcome, OutcomeAccomplished);
}

TEST(CheckOutcome, FreshlyLoadedGameIsFirstJudgedAfterOneHundredFrames) {
    TickWorld w(LandRows(30, 10));
    w.G().Mission = 3;  // no headquarters: lost as soon as it is judged
    w.Tank(1, 1, SidePlayer);
    w.PlainBuilding(25, 1, SideComputer);
    w.Run().BannerTime = 600;
    w.Tick(99);
    EXPECT_EQ(w.Run().Outcome, OutcomeRunning);
    EXPECT_EQ(w.Run().BannerTime, 501);
    w.Tick();
    EXPECT_EQ(w.Run().Outcome, OutcomeFailed);
    // The hint stops counting down once the game is decided.
    w.Tick(5);
    EXPECT_EQ(w.Run().BannerTime, 500);
}

TEST(CheckOutcome, NotJudgedUnderTheTitleNorInTheEditor) {
    for (const bool editing : {false, true}) {
        TickWorld w(LandRows(10, 10));
        w.G().Mission = 0;  // nothing on the map: decided at once if judged
        if (editing) w.Run().EditMode = 1;
        else w.Run().TitleShown = 1;
        w.Tick(3);
        EXPECT_EQ(w.Run().Outcome, OutcomeRunning);
        EXPECT_EQ(w.host.sleptMs, 0);
    }
}

TEST(CheckOutcome, OnceDecidedNothingIsJudgedAgainAndTheBattleGoesOn) {
    Battle w(1);
    Battle::Burn(w.EnemyBuilding);
    Battle::Burn(w.EnemyHQ);
    w.Tick(2);
    ASSERT_EQ(w.Run().Outcome, OutcomeAccomplished);
    // The player's last tank dies afterwards: the result stands.
    w.G().Tanks[static_cast<std::size_t>(w.OwnTank)]->Health = 0;
    w.Tick(3);
    EXPECT_EQ(w.Run().Outcome, OutcomeAccomplished);
    EXPECT_EQ(w.host.sleptMs, 2000);
    // The explosion of the removed tank still plays.
    EXPECT_FALSE(w.G().Explosions.empty());
}

}  // namespace
}  // namespace tavrine::test
