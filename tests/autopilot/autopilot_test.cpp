// The autopilot plays only through the main window's commands: its hands draw
// bands and click targets on the free part of the screen, scrolling by the
// minimap; its plan attacks towers first, waits for enough tanks, defends the
// base, and wins a small battle by itself.
#include <gtest/gtest.h>

#include "autopilot.h"
#include "game/main_commands.h"
#include "support/tick_world.h"
#include "view/panels.h"

namespace tavrine::test {
namespace {

class AutopilotTest : public ::testing::Test {
protected:
    explicit AutopilotTest(std::int32_t columns = 60, std::int32_t rows = 40)
        : world(LandRows(columns, rows)), commands(world.game, dialogs, window), pilot(world.game, commands),
          hands(world.game, commands) {
        world.Run().Difficulty = DifficultyEasy;
        world.Run().BannerTime = 600;  // not judged before the battle is laid out
        PlacePanels(world.game.View().Panels, world.Run().DisplayWidth, world.Run().DisplayHeight);
        world.Tick();  // the minimap panel comes up
    }

    std::vector<std::int32_t> Selected() {
        std::vector<std::int32_t> s;
        for (const auto& t : world.G().Tanks)
            if (t->Selected) s.push_back(t->Index);
        return s;
    }
    const OrderType* OrderOf(std::int32_t tank) {
        const std::int32_t k = world.G().Tanks[static_cast<std::size_t>(tank)]->Order;
        return k >= 0 ? world.G().Orders[static_cast<std::size_t>(k)].get() : nullptr;
    }
    MapRect Centres(const std::vector<std::int32_t>& tanks) {
        MapRect r{1 << 30, 1 << 30, -1, -1};
        for (const std::int32_t i : tanks) {
            const PixelXY c = TankCentre(*world.G().Tanks[static_cast<std::size_t>(i)], world.Lib());
            r = {std::min(r.Left, c.X), std::min(r.Top, c.Y), std::max(r.Right, c.X), std::max(r.Bottom, c.Y)};
        }
        return r;
    }

    TickWorld world;
    ScriptedDialogs dialogs;
    CountingMainWindow window;
    MainCommands commands;
    Autopilot pilot;
    AutopilotHands hands;
};

TEST_F(AutopilotTest, ABandSelectsTheGroupWhereverTheViewStoodAndOnlyThePlayersTanks) {
    std::vector<std::int32_t> group;
    for (std::int32_t i = 0; i < 6; ++i) group.push_back(world.Tank(40 + (i % 3) * 2, 28 + (i / 3) * 2, SidePlayer));
    const std::int32_t straggler = world.Tank(5, 5, SidePlayer);
    const std::int32_t enemy = world.Tank(42, 29, SideComputer);
    world.G().ViewX = world.G().ViewY = 0;  // the group is off screen

    EXPECT_EQ(hands.BandSelect(Centres(group)), 6);
    EXPECT_EQ(Selected(), group);
    EXPECT_TRUE(world.G().UnitsSelected);
    EXPECT_FALSE(world.G().Tanks[static_cast<std::size_t>(straggler)]->Selected);
    EXPECT_FALSE(world.G().Tanks[static_cast<std::size_t>(enemy)]->Selected);
    EXPECT_GT(hands.Counts().MapClicks, 0) << "the view was moved by the minimap";
    EXPECT_EQ(hands.Counts().Bands, 1);
    // The pointer rests away from the edges, so no tick scrolls the view.
    const std::int32_t viewX = world.G().ViewX, viewY = world.G().ViewY;
    world.Tick(3);
    EXPECT_EQ(world.G().ViewX, viewX);
    EXPECT_EQ(world.G().ViewY, viewY);
}

TEST_F(AutopilotTest, ABandStartsBesideTanksAndBuildingsSoThePressClicksNothing) {
    // Own tanks packed around the group's corners: a press on any of them
    // would select that one tank instead of drawing the band.
    std::vector<std::int32_t> group{world.Tank(20, 20, SidePlayer), world.Tank(22, 21, SidePlayer)};
    world.Tank(19, 19, SidePlayer);
    world.Tank(23, 19, SidePlayer);
    world.Headquarters(18, 21, SidePlayer);
    const std::int32_t selected = hands.BandSelect(Centres(group));
    EXPECT_GE(selected, 2);
    for (const std::int32_t i : group) EXPECT_TRUE(world.G().Tanks[static_cast<std::size_t>(i)]->Selected);
    EXPECT_EQ(world.G().SelectedBuilding, -1);
}

TEST_F(AutopilotTest, TanksOnTheMapsTopRowCanBeBanded) {
    std::vector<std::int32_t> group{world.Tank(30, 0, SidePlayer), world.Tank(32, 0, SidePlayer), world.Tank(31, 1, SidePlayer)};
    EXPECT_EQ(hands.BandSelect(Centres(group)), 3);
}

TEST_F(AutopilotTest, ClickingAnEnemyBuildingAttacksIt) {
    std::vector<std::int32_t> group{world.Tank(10, 10, SidePlayer), world.Tank(12, 10, SidePlayer)};
    world.Headquarters(50, 30, SideComputer);
    ASSERT_EQ(hands.BandSelect(Centres(group)), 2);
    ASSERT_TRUE(hands.Click(50 * 36 + 35, 30 * 36 + 35));
    for (const std::int32_t i : group) {
        ASSERT_NE(OrderOf(i), nullptr);
        EXPECT_EQ(OrderOf(i)->Kind, OrderAttackBuilding);
        EXPECT_EQ(OrderOf(i)->TargetRef, 30 * 60 + 50);
    }
}

TEST_F(AutopilotTest, ClickingGroundBesideTanksSendsTheSelectionThereInsteadOfSelectingATank) {
    std::vector<std::int32_t> group{world.Tank(10, 10, SidePlayer), world.Tank(12, 10, SidePlayer)};
    world.Tank(30, 20, SidePlayer);  // stands on the cell to drive to
    ASSERT_EQ(hands.BandSelect(Centres(group)), 2);
    ASSERT_TRUE(hands.ClickGround(20 * 60 + 30));
    EXPECT_EQ(Selected(), group) << "the selection was kept";
    for (const std::int32_t i : group) {
        ASSERT_NE(OrderOf(i), nullptr);
        EXPECT_EQ(OrderOf(i)->Kind, OrderMove);
        const CellXY to = CellOfIndex(world.G(), OrderOf(i)->TargetRef);
        EXPECT_LE(std::max(std::abs(to.X - 30), std::abs(to.Y - 20)), 1);
        EXPECT_NE(OrderOf(i)->TargetRef, 20 * 60 + 30);
    }
}

TEST_F(AutopilotTest, GoesForTowersFirstWithAGroupBigEnoughForThem) {
    std::vector<std::int32_t> group;
    for (std::int32_t i = 0; i < 8; ++i) group.push_back(world.Tank(10 + (i % 4) * 2, 30 + (i / 4) * 2, SidePlayer));
    world.G().Mission = 1;
    world.PlainBuilding(24, 22, SideComputer);  // nearer, but harmless
    world.Tower(34, 20, SideComputer);
    pilot.Decide();
    for (const std::int32_t i : group) {
        ASSERT_NE(OrderOf(i), nullptr) << i;
        EXPECT_EQ(OrderOf(i)->Kind, OrderAttackBuilding);
        EXPECT_EQ(OrderOf(i)->TargetRef, 20 * 60 + 34);
    }
    EXPECT_EQ(pilot.Counts().Orders, 1);
}

TEST_F(AutopilotTest, TooFewTanksGatherShortOfTheTargetUntilTheFactoriesSendMore) {
    std::vector<std::int32_t> pair{world.Tank(5, 35, SidePlayer), world.Tank(7, 35, SidePlayer)};
    world.Factory(2, 30, SidePlayer);
    world.G().Money = 5000;
    world.G().Mission = 1;
    world.Tower(50, 5, SideComputer);
    pilot.Decide();
    for (const std::int32_t i : pair) {
        ASSERT_NE(OrderOf(i), nullptr);
        EXPECT_EQ(OrderOf(i)->Kind, OrderMove) << "no attack with two tanks on a tower";
        const CellXY to = CellOfIndex(world.G(), OrderOf(i)->TargetRef);
        EXPECT_GT(std::max(std::abs(to.X - 50), std::abs(to.Y - 5)), 8) << "the rally point lies out of the tower's reach";
    }
    // Nothing more will come once the money is gone: then the last tanks go.
    world.Tick(1200);
    world.G().Money = 0;
    // A tank that cannot reach the gathering cell is free again after a few looks.
    for (int i = 0; i < 10; ++i) {
        pilot.Decide();
        world.Tick(30);
    }
    for (const std::int32_t i : pair) {
        // On an attack-move toward the hidden tower, or already firing at it.
        const GameObjectType& t = *world.G().Tanks[static_cast<std::size_t>(i)];
        ASSERT_NE(OrderOf(i), nullptr) << i;
        if (OrderOf(i)->Kind == OrderAttackBuilding) continue;
        ASSERT_GE(t.AttackMoveCell, 0) << i;
        const CellXY to = CellOfIndex(world.G(), t.AttackMoveCell);
        EXPECT_LE(std::max(std::abs(to.X - 50), std::abs(to.Y - 5)), 3);
    }
}

TEST_F(AutopilotTest, HeadquartersMissionsGoStraightForAnUnguardedHeadquarters) {
    std::vector<std::int32_t> group;
    for (std::int32_t i = 0; i < 4; ++i) group.push_back(world.Tank(10 + i * 2, 30, SidePlayer));
    world.G().Mission = 2;
    world.PlainBuilding(20, 25, SideComputer);
    world.Factory(26, 22, SideComputer);
    world.Headquarters(45, 10, SideComputer);
    pilot.Decide();
    ASSERT_NE(OrderOf(group[0]), nullptr);
    EXPECT_EQ(OrderOf(group[0])->Kind, OrderAttackBuilding);
    EXPECT_EQ(OrderOf(group[0])->TargetRef, 10 * 60 + 45);
}

TEST_F(AutopilotTest, TanksAtHomeTurnOnEnemiesAttackingTheBase) {
    world.G().Mission = 4;
    world.Headquarters(10, 10, SidePlayer);
    std::vector<std::int32_t> guard{world.Tank(14, 14, SidePlayer), world.Tank(15, 14, SidePlayer)};
    const std::int32_t raider = world.Tank(16, 9, SideComputer);
    world.Tower(55, 35, SideComputer);
    pilot.Decide();
    for (const std::int32_t i : guard) {
        ASSERT_NE(OrderOf(i), nullptr);
        EXPECT_EQ(OrderOf(i)->Kind, OrderAttackTank);
        EXPECT_EQ(OrderOf(i)->TargetRef, raider);
    }
}

TEST_F(AutopilotTest, ChangesNothingButThroughTheCommandsAndActsOnceASecond) {
    for (std::int32_t i = 0; i < 4; ++i) world.Tank(10 + i * 2, 30, SidePlayer);
    world.G().Mission = 1;
    world.Tower(40, 18, SideComputer);
    for (int tick = 0; tick < 90; ++tick) {
        pilot.BetweenTicks();
        world.Tick();
    }
    EXPECT_EQ(pilot.Counts().Decisions, 3);
}

TEST_F(AutopilotTest, PointsTheFactoriesAtTheFrontAndGathersByAttackMove) {
    std::vector<std::int32_t> pair{world.Tank(8, 34, SidePlayer), world.Tank(10, 34, SidePlayer)};
    world.Headquarters(3, 35, SidePlayer);
    world.Factory(2, 30, SidePlayer);
    world.G().Money = 5000;
    world.G().Mission = 1;
    world.Tower(50, 5, SideComputer);
    pilot.Decide();
    const GameCellObjectType* factory = world.G().Cell(2, 30).Object.get();
    ASSERT_TRUE(ValidCellIndex(world.G(), factory->Rally)) << "set by R held over a click";
    const CellXY rally = CellOfIndex(world.G(), factory->Rally);
    EXPECT_GT(rally.X, 5) << "toward the tower";
    EXPECT_GT(std::max(std::abs(rally.X - 50), std::abs(rally.Y - 5)), 9) << "out of the tower's reach";
    EXPECT_EQ(pilot.Counts().RallyPoints, 1);
    EXPECT_GE(pilot.Counts().AttackMoves, 1);
    for (const std::int32_t i : pair) EXPECT_GE(world.G().Tanks[static_cast<std::size_t>(i)]->AttackMoveCell, 0);
}

TEST_F(AutopilotTest, DrivesRoundATowerOnTheWayByQueuedWaypoints) {
    std::vector<std::int32_t> pair{world.Tank(8, 36, SidePlayer), world.Tank(10, 36, SidePlayer)};
    world.Factory(2, 30, SidePlayer);  // more will come: the pair gathers first
    world.G().Money = 5000;
    world.G().Mission = 2;
    world.Headquarters(44, 6, SideComputer);  // the target, unguarded
    world.Tower(26, 22, SideComputer);        // beside the straight way to it
    pilot.Decide();
    EXPECT_GT(pilot.Counts().Waypoints, 0);
    for (const std::int32_t i : pair) {
        const GameObjectType& t = *world.G().Tanks[static_cast<std::size_t>(i)];
        ASSERT_NE(OrderOf(i), nullptr);
        EXPECT_FALSE(t.Queue.empty());
        std::vector<std::int32_t> cells{OrderOf(i)->TargetRef};
        for (const QueuedOrder& q : t.Queue) cells.push_back(q.TargetRef);
        for (const std::int32_t cell : cells) {
            const CellXY c = CellOfIndex(world.G(), cell);
            EXPECT_GT(std::max(std::abs(c.X - 26), std::abs(c.Y - 22)), 7) << c.X << ", " << c.Y;
        }
    }
}

class AutopilotBattle : public AutopilotTest {
protected:
    AutopilotBattle() : AutopilotTest(40, 30) {}
};

TEST_F(AutopilotBattle, WinsASmallBattleByItself) {
    GameType& g = world.G();
    g.Mission = 2;
    world.Headquarters(4, 22, SidePlayer);
    world.Factory(8, 22, SidePlayer);
    for (std::int32_t i = 0; i < 6; ++i) world.Tank(12 + (i % 3) * 2, 20 + (i / 3) * 2, SidePlayer, 4);
    world.Headquarters(33, 4, SideComputer);
    world.Tower(30, 9, SideComputer);
    world.PlainBuilding(24, 3, SideComputer);
    world.Tank(28, 6, SideComputer);
    g.Money = 5000;
    for (int tick = 0; tick < 20000 && world.Run().Outcome == OutcomeRunning; ++tick) {
        pilot.BetweenTicks();
        commands.DXTimerTimer();
    }
    EXPECT_EQ(world.Run().Outcome, OutcomeAccomplished);
    EXPECT_GT(pilot.Counts().Hands.Presses, 0);
}

}  // namespace
}  // namespace tavrine::test
