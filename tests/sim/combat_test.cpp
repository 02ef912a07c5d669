#include "sim/combat.h"

#include <gtest/gtest.h>

#include "battle_world.h"
#include "sim/movement.h"
#include "state/lists.h"

namespace tavrine {
namespace {

using test::BattleWorld;
using test::PlayedSound;

std::vector<std::string> OpenField(int columns = 16, int rows = 12) {
    return std::vector<std::string>(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '.'));
}

/// Makes the next `FireStep` of an aimed tank shoot.
void Loaded(GameObjectType& t) { t.ReloadCounter = 65; }

TEST(CombatTest, AnAimedTankFiresEvery66FramesAndATurningTurretDoesNotReload) {
    for (std::int32_t turret : {8, 0}) {
        SCOPED_TRACE(turret);
        BattleWorld w(OpenField());
        const std::int32_t shooter = w.Put(2, 2, 0, 8);
        const std::int32_t target = w.Put(5, 2, 1, 8);
        w.Tank(shooter).TurretFacing = turret;  // 0 faces away: eight steps to turn
        w.Tank(shooter).Order = AddOrder(w.G, OrderAttackTank, target, OrderReady);

        std::vector<int> shotFrames;
        for (int frame = 1; frame <= 210; ++frame) {
            const std::size_t before = w.G.Shots.size();
            TankStep(w.Ctx, shooter);
            if (w.G.Shots.size() > before) shotFrames.push_back(frame);
        }
        const int first = turret == 8 ? 66 : 66 + 8;
        EXPECT_EQ(shotFrames, (std::vector<int>{first, first + 66, first + 132}));
        EXPECT_EQ(w.Tank(target).Health, 70) << "10 per hit on Normal";
        EXPECT_EQ(w.Tank(shooter).TurretFacing, 8);
    }
}

TEST(CombatTest, ATargetCellCornerOnTheTanksOwnCornerGivesTheTurretNoDirection) {
    BattleWorld w(OpenField());
    const std::int32_t shooter = w.Put(2, 2, 0, 8);
    const std::int32_t target = w.Put(2, 2, 1, 8);  // overlapping: its cell corner is the shooter's corner
    w.Tank(shooter).Order = AddOrder(w.G, OrderAttackTank, target, OrderReady);
    for (int frame = 0; frame < 4; ++frame) TurretStep(w.Ctx, shooter);
    EXPECT_EQ(w.Tank(shooter).TurretFacing, 8);
}

TEST(CombatTest, ADestroyedComputerTankPays500AfterTenHitsOnNormal) {
    BattleWorld w(OpenField());
    w.G.Money = 1000;
    const std::int32_t shooter = w.Put(2, 2, 0, 8);
    const std::int32_t target = w.Put(5, 2, 1, 8);
    w.Tank(shooter).Order = AddOrder(w.G, OrderAttackTank, target, OrderReady);
    for (int frame = 1; frame <= 660; ++frame) TankStep(w.Ctx, shooter);
    EXPECT_EQ(w.G.Shots.size(), 10u);
    EXPECT_EQ(w.Tank(target).Health, 0);

    const ShotType& shot = w.G.Shots.back();
    EXPECT_EQ((PixelXY{shot.X, shot.Y}), (PixelXY{72 + 36, 72 + 18})) << "from the east-facing muzzle";
    EXPECT_EQ(shot.Power, 0);
    EXPECT_EQ(shot.Timer, 0xFFFF);
    EXPECT_GE(shot.TargetX, 180 + 7);
    EXPECT_LT(shot.TargetX, 180 + 7 + 21);
    EXPECT_EQ((PixelXY{w.Tank(shooter).MuzzleX, w.Tank(shooter).MuzzleY}), (PixelXY{108, 90}));

    w.G.Explosions.clear();
    w.Sound.Played.clear();
    RemoveDestroyedTank(w.Ctx);
    EXPECT_EQ(w.G.Tanks.size(), 1u);
    EXPECT_EQ(w.G.Money, 1500);
    ASSERT_EQ(w.G.InfoLabels.size(), 1u);
    const InfoLabelType& label = w.G.InfoLabels[0];
    EXPECT_EQ(label.Text, "$500");
    EXPECT_EQ((PixelXY{label.X, label.Y}), (PixelXY{180, 72}));
    EXPECT_EQ(label.Color, 65535u);
    EXPECT_EQ(label.Life, 100);
    EXPECT_EQ(label.Direction, 1);
    ASSERT_EQ(w.G.Explosions.size(), 1u);
    EXPECT_EQ(w.G.Explosions[0], (ExplosionType{198, 90, 0, 0, 0})) << "kind 0 at the picture centre";
    EXPECT_EQ(w.Sound.Played, (std::vector<PlayedSound>{{0, 198, 90}}));
    EXPECT_EQ(w.Tank(shooter).Order, -1) << "the order on the destroyed tank is gone";

    const GameCellType& wreck = w.Cell(5, 2);
    EXPECT_EQ(wreck.Occupancy, CellFree);
    EXPECT_EQ(wreck.MinimapColor, wreck.GroundColor);
    EXPECT_GE(wreck.Ground.Frame, 6);
    EXPECT_LE(wreck.Ground.Frame, 11);
}

TEST(CombatTest, APlayersTankDestroyedPaysNothingAndAWreckIsNotLaidOverRuins) {
    BattleWorld w(OpenField());
    w.G.Money = 1000;
    const std::int32_t t = w.Put(3, 3, 0);
    w.Cell(3, 3).Ground.Frame = 4;
    w.Tank(t).Health = 0;
    w.Tank(t).Selected = 1;
    w.G.UnitsSelected = 1;
    RemoveDestroyedTank(w.Ctx);
    EXPECT_TRUE(w.G.Tanks.empty());
    EXPECT_EQ(w.G.Money, 1000);
    EXPECT_TRUE(w.G.InfoLabels.empty());
    EXPECT_EQ(w.Cell(3, 3).Ground.Frame, 4);
    EXPECT_EQ(w.G.UnitsSelected, 0) << "no selected tank of the player is left";
}

TEST(CombatTest, DamageFollowsTheDifficultyAndOddSettingsStayInsideTheTable) {
    struct Case {
        std::int32_t difficulty;
        std::int32_t onComputerTank, onComputerTower, onComputerBuilding, towerOnComputerTank;
    };
    for (const Case& c : {Case{-3, 15, 7, 3, 30}, Case{0, 15, 7, 3, 30}, Case{1, 10, 5, 2, 20}, Case{2, 5, 3, 1, 10},
                          Case{7, 5, 3, 1, 10}}) {
        SCOPED_TRACE(c.difficulty);
        BattleWorld w(OpenField(20, 12));
        w.Run.Difficulty = c.difficulty;
        // Tanks on attack-tank orders: the computer's tanks by difficulty, others 10.
        for (std::int32_t side : {1, 2}) {
            const std::int32_t shooter = w.Put(1, 1 + side * 3, 0, 8);
            const std::int32_t target = w.Put(3, 1 + side * 3, side, 8);
            w.Tank(shooter).Order = AddOrder(w.G, OrderAttackTank, target, OrderReady);
            Loaded(w.Tank(shooter));
            FireStep(w.Ctx, shooter, w.Tank(shooter).TurretFacing);
            EXPECT_EQ(w.Tank(target).Health, 100 - (side == 1 ? c.onComputerTank : 10)) << "side " << side;
        }
        // Tanks on attack-building orders.
        struct Target {
            ImageRef image;
            std::int32_t damage;
        };
        std::int32_t column = 6;
        for (const Target& t : {Target{{2, 1, 0, 0}, c.onComputerTower}, Target{{2, 2, 0, 0}, 5},
                                Target{{3, 1, 1, 0}, c.onComputerBuilding}, Target{{3, 2, 0, 0}, 2}}) {
            GameCellObjectType& o = test::PutObject(w.G, w.Lib, column, 1, t.image);
            const std::int32_t shooter = w.Put(column, 4, 0, 4);
            w.Tank(shooter).Order = AddOrder(w.G, OrderAttackBuilding, w.Index(column, 1), OrderReady);
            Loaded(w.Tank(shooter));
            FireStep(w.Ctx, shooter, w.Tank(shooter).TurretFacing);
            EXPECT_EQ(o.Health, 100 - t.damage) << "object " << t.image.Group << "/" << t.image.Subgroup;
            EXPECT_EQ(o.HitTimer, 660);
            column += 3;
        }
        // A tower of the player on a computer tank, one of the computer's on a player's tank.
        for (std::int32_t towerSide : {0, 1}) {
            BattleWorld tw(OpenField());
            tw.Run.Difficulty = c.difficulty;
            test::PutObject(tw.G, tw.Lib, 2, 2, {2, towerSide, 0, 8});
            const std::int32_t target = tw.Put(4, 2, 1 - towerSide);
            for (int tick = 0; tick < 41; ++tick) TowerStep(tw.Ctx, 2, 2);
            EXPECT_EQ(tw.Tank(target).Health, 100 - (towerSide == 0 ? c.towerOnComputerTank : 20)) << "tower " << towerSide;
        }
    }
}

TEST(CombatTest, AHitBuildingBurnsFiftyTicksThenLeavesRuinsAndPays2000) {
    for (std::int32_t owner : {1, 0}) {
        SCOPED_TRACE(owner);
        BattleWorld w(OpenField());
        w.G.Money = 100;
        w.Run.Difficulty = DifficultyEasy;
        GameCellObjectType& building = test::PutObject(w.G, w.Lib, 4, 4, {3, owner, 2, 0});
        building.Health = 2;
        const std::int32_t shooter = w.Put(2, 4, owner == 1 ? 0 : 1, 8);
        w.Tank(shooter).Order = AddOrder(w.G, OrderAttackBuilding, w.Index(4, 4), OrderReady);
        Loaded(w.Tank(shooter));
        FireStep(w.Ctx, shooter, w.Tank(shooter).TurretFacing);
        EXPECT_EQ(building.Health, 0);
        EXPECT_EQ(building.DestroyTimer, 50);
        ASSERT_EQ(w.G.Shots.size(), 1u);

        Loaded(w.Tank(shooter));
        FireStep(w.Ctx, shooter, w.Tank(shooter).TurretFacing);
        EXPECT_EQ(w.G.Shots.size(), 1u) << "a building at 0 draws no more shells";
        EXPECT_EQ(building.DestroyTimer, 50);

        for (int tick = 1; tick <= 49; ++tick) ObjectDamageStep(w.Ctx, 4, 4);
        ASSERT_NE(w.Cell(4, 4).Object, nullptr);
        EXPECT_EQ(w.Cell(4, 4).Object->DestroyTimer, 1);
        for (const ExplosionType& e : w.G.Explosions) {
            EXPECT_EQ(e.Kind, 1);
            EXPECT_GE(e.X, 144);
            EXPECT_LT(e.X, 144 + 71);
            EXPECT_GE(e.Y, 144);
            EXPECT_LT(e.Y, 144 + 71);
        }
        EXPECT_GT(w.G.Explosions.size(), 0u);

        ObjectDamageStep(w.Ctx, 4, 4);
        EXPECT_EQ(w.Cell(4, 4).Object, nullptr);
        for (std::int32_t x = 4; x <= 5; ++x)
            for (std::int32_t y = 4; y <= 5; ++y) {
                EXPECT_EQ(w.Cell(x, y).Occupancy, CellFree);
                EXPECT_GE(w.Cell(x, y).Ground.Frame, 1);
                EXPECT_LE(w.Cell(x, y).Ground.Frame, 5);
            }
        EXPECT_EQ(w.Tank(shooter).Order, -1) << "the attack order on the ruins is removed";
        if (owner == 1) {
            EXPECT_EQ(w.G.Money, 2100);
            ASSERT_EQ(w.G.InfoLabels.size(), 1u);
            EXPECT_EQ(w.G.InfoLabels[0].Text, "$2000");
            EXPECT_EQ((PixelXY{w.G.InfoLabels[0].X, w.G.InfoLabels[0].Y}), (PixelXY{144, 144}));
        } else {
            EXPECT_EQ(w.G.Money, 100) << "the player's own building pays nothing";
            EXPECT_TRUE(w.G.InfoLabels.empty());
        }
    }
}

TEST(CombatTest, SmokeGrowsWithDamageWhileHitAndClearsAfterwards) {
    BattleWorld w(OpenField());
    GameCellObjectType& o = test::PutObject(w.G, w.Lib, 2, 2, {3, 1, 2, 0});
    o.Health = 60;  // at most (100 - 60) div 8 = 5 puffs
    o.HitTimer = 660;
    std::size_t most = 0;
    for (int tick = 0; tick < 661; ++tick) {
        ObjectDamageStep(w.Ctx, 2, 2);
        most = std::max(most, o.Smoke.size());
    }
    EXPECT_EQ(most, 5u);
    EXPECT_EQ(o.HitTimer, -1);
    for (const SmokeType& puff : o.Smoke) {
        EXPECT_EQ(puff.Image, (ImageRef{0, 5, 0, 0}));
        EXPECT_GE(puff.X, 72);
        EXPECT_LT(puff.X, 72 + 71 - 18);
        EXPECT_GE(puff.Y, 72);
        EXPECT_LT(puff.Y, 72 + 71 - 18);
    }
    for (int tick = 0; tick < 5000 && !o.Smoke.empty(); ++tick) ObjectDamageStep(w.Ctx, 2, 2);
    EXPECT_TRUE(o.Smoke.empty());
}

TEST(CombatTest, PicturesSmallerThanAPuffSmokeAtTheirCorner) {
    BattleWorld w(OpenField());
    const int frame = test::AddPicture(w.Lib, 3, 1, 3, 10, 10);
    GameCellObjectType& o = test::PutObject(w.G, w.Lib, 2, 2, {3, 1, 3, frame});
    o.Health = 20;
    o.HitTimer = 500;
    for (int tick = 0; tick < 500; ++tick) ObjectDamageStep(w.Ctx, 2, 2);
    ASSERT_FALSE(o.Smoke.empty());
    for (const SmokeType& puff : o.Smoke) EXPECT_EQ((PixelXY{puff.X, puff.Y}), (PixelXY{72, 72}));
}

TEST(CombatTest, DestroyingAnObjectWithoutItsPictureStillFreesItsCells) {
    BattleWorld w(OpenField());
    w.G.Money = 0;
    GameCellObjectType& o = test::PutObject(w.G, w.Lib, 3, 3, {3, 1, 2, 0});
    o.Image.List = 9;  // the library has no such picture any more
    o.Health = 0;
    o.DestroyTimer = 1;
    ObjectDamageStep(w.Ctx, 3, 3);
    EXPECT_EQ(w.Cell(3, 3).Object, nullptr);
    for (std::int32_t x = 3; x <= 4; ++x)
        for (std::int32_t y = 3; y <= 4; ++y) EXPECT_EQ(w.Cell(x, y).Occupancy, CellFree) << x << "," << y;
    EXPECT_EQ(w.G.Money, 2000);
}

TEST(CombatTest, AFootprintOverTheMapEdgeIsFreedWhereItLies) {
    BattleWorld w(OpenField(6, 6));
    test::PutObject(w.G, w.Lib, 5, 5, {3, 1, 2, 0});
    DestroyBuilding(w.Ctx, 5, 5);
    EXPECT_EQ(w.Cell(5, 5).Object, nullptr);
    EXPECT_EQ(w.Cell(5, 5).Occupancy, CellFree);
}

TEST(CombatTest, ATowerScansEvery36thTickAndFiresFiveTicksAfterAcquiring) {
    BattleWorld w(OpenField(30, 12));
    GameCellObjectType& tower = test::PutObject(w.G, w.Lib, 5, 5, {2, 1, 0, 0});
    const std::int32_t tank = w.Put(8, 5, 0);
    for (int tick = 1; tick <= 35; ++tick) TowerStep(w.Ctx, 5, 5);
    EXPECT_EQ(tower.TowerState, 0);
    TowerStep(w.Ctx, 5, 5);
    EXPECT_EQ(tower.TowerState, 1);
    EXPECT_EQ(tower.TowerTarget, tank);
    for (int tick = 37; tick <= 40; ++tick) TowerStep(w.Ctx, 5, 5);
    EXPECT_TRUE(w.G.Shots.empty());
    TowerStep(w.Ctx, 5, 5);
    ASSERT_EQ(w.G.Shots.size(), 1u) << "tick 41";
    EXPECT_NE(tower.Facing(), 8) << "it fires before its gun points at the tank";
    EXPECT_EQ(w.Tank(tank).Health, 80);
    const PixelXY muzzle = MuzzlePoint(180, 180, 35, 35, tower.Facing());
    EXPECT_EQ((PixelXY{w.G.Shots[0].X, w.G.Shots[0].Y}), muzzle);
    for (int tick = 42; tick <= 107; ++tick) TowerStep(w.Ctx, 5, 5);
    EXPECT_EQ(w.G.Shots.size(), 2u) << "every 66 ticks";
    EXPECT_EQ(tower.Facing(), 8) << "turned one step every second tick";

    w.Tank(tank).X = 25 * 36;  // out of reach: the tower lets go and turns back
    TowerStep(w.Ctx, 5, 5);
    EXPECT_EQ(tower.TowerState, 0);
    EXPECT_EQ(tower.TowerTarget, -1);
    for (int tick = 0; tick < 40; ++tick) TowerStep(w.Ctx, 5, 5);
    EXPECT_EQ(tower.Facing(), 0);
}

TEST(CombatTest, ATankPassingBetweenScansIsNotSeenAndTheLastInReachIsKept) {
    BattleWorld w(OpenField(30, 12));
    GameCellObjectType& tower = test::PutObject(w.G, w.Lib, 5, 5, {2, 1, 0, 0});
    const std::int32_t passer = w.Put(25, 5, 0);
    for (int tick = 1; tick <= 80; ++tick) {
        w.Tank(passer).X = (tick >= 5 && tick <= 30) ? 8 * 36 : 25 * 36;
        TowerStep(w.Ctx, 5, 5);
        EXPECT_EQ(tower.TowerState, 0) << "tick " << tick;
    }
    w.Put(3, 5, 1);  // the tower's own side is ignored
    w.Put(7, 6, 0);
    w.Put(4, 8, 0);
    w.Tank(passer).X = 8 * 36;
    for (int tick = 81; tick <= 108; ++tick) TowerStep(w.Ctx, 5, 5);
    EXPECT_EQ(tower.TowerTarget, 3);
}

TEST(CombatTest, OneDestroyedTankIsRemovedPerTickThenTheSidesAreCounted) {
    BattleWorld w(OpenField());
    w.Put(1, 1, 1);
    w.Put(2, 1, 0);
    w.Put(3, 1, 1);
    w.Put(4, 1, 2);
    w.Tank(0).Health = 0;
    w.Tank(2).Health = -5;
    w.Run.OwnTanks = w.Run.EnemyTanks = 99;
    RemoveDestroyedTank(w.Ctx);
    EXPECT_EQ(w.G.Tanks.size(), 3u);
    EXPECT_EQ(w.Run.OwnTanks, 99) << "no count in a tick that removed a tank";
    RemoveDestroyedTank(w.Ctx);
    EXPECT_EQ(w.G.Tanks.size(), 2u);
    EXPECT_EQ(w.Tank(0).Side(), 0);
    EXPECT_EQ(w.Tank(1).Side(), 2);
    RemoveDestroyedTank(w.Ctx);
    EXPECT_EQ(w.Run.OwnTanks, 1);
    EXPECT_EQ(w.Run.EnemyTanks, 0) << "neutral tanks count for nobody";
}

TEST(CombatTest, RemovingTankThreeOfSixRenumbersEveryReference) {
    BattleWorld w(OpenField());
    for (std::int32_t i = 0; i < 6; ++i) w.Put(1 + i, 1, i % 2);
    const std::int32_t onThree = AddOrder(w.G, OrderAttackTank, 3, OrderReady);
    const std::int32_t onFour = AddOrder(w.G, OrderAttackTank, 4, OrderReady);
    w.Tank(0).Order = onThree;
    w.Tank(0).Route = {w.Index(2, 2)};
    w.Tank(1).Order = onFour;
    w.Tank(0).ChanceTarget = 4;
    w.Tank(2).ChanceTarget = 3;
    GameCellObjectType& onFive = test::PutObject(w.G, w.Lib, 1, 4, {2, 1, 0, 0});
    onFive.TowerState = 1;
    onFive.TowerTarget = 5;
    GameCellObjectType& onRemoved = test::PutObject(w.G, w.Lib, 3, 4, {2, 1, 0, 0});
    onRemoved.TowerState = 1;
    onRemoved.TowerTarget = 3;
    w.Cell(8, 8).LeavingTank = 5;

    RemoveTank(w.Ctx, 3);
    ASSERT_EQ(w.G.Tanks.size(), 5u);
    for (std::int32_t i = 0; i < 5; ++i) EXPECT_EQ(w.Tank(i).Index, i);
    EXPECT_EQ((PixelXY{w.Tank(3).X, w.Tank(4).X}), (PixelXY{5 * 36, 6 * 36})) << "the former 4 and 5";
    ASSERT_EQ(w.G.Orders.size(), 1u);
    EXPECT_EQ(w.G.Orders[0]->TargetRef, 3);
    EXPECT_EQ(w.Tank(0).Order, -1);
    EXPECT_TRUE(w.Tank(0).Route.empty());
    EXPECT_EQ(w.Tank(1).Order, 0);
    EXPECT_EQ(w.Tank(0).ChanceTarget, 3);
    EXPECT_EQ(w.Tank(2).ChanceTarget, -1);
    EXPECT_EQ(onFive.TowerTarget, 4);
    EXPECT_EQ(onRemoved.TowerState, 0);
    EXPECT_EQ(onRemoved.TowerTarget, -1);
    EXPECT_EQ(w.Cell(4, 1).Occupancy, CellFree);
    EXPECT_EQ(w.Cell(5, 1).Occupant, 3);
    EXPECT_EQ(w.Cell(6, 1).Occupant, 4);
    EXPECT_EQ(w.Cell(8, 8).LeavingTank, 4);
}

TEST(CombatTest, ATankDestroyedWhileLeavingClearsBothCellsAndSparesAFactoryExit) {
    BattleWorld w(OpenField());
    test::PutObject(w.G, w.Lib, 2, 2, {3, 1, 1, 0});
    const std::int32_t newTank = w.Put(3, 3, 1);  // on the factory's exit, inside its footprint
    const std::int32_t mover = w.Put(8, 8, 0, 8);
    w.Drive(mover, {{9, 8}});
    TankStep(w.Ctx, mover);
    w.Tank(newTank).Health = 0;
    w.Tank(mover).Health = 0;
    RemoveDestroyedTank(w.Ctx);
    EXPECT_EQ(w.Cell(3, 3).Occupancy, CellObject);
    EXPECT_EQ(w.Cell(3, 3).Occupant, w.Index(2, 2));
    RemoveDestroyedTank(w.Ctx);
    EXPECT_EQ(w.Cell(9, 8).Occupancy, CellFree);
    EXPECT_EQ(w.Cell(9, 8).Clear, 1);
    EXPECT_EQ(w.Cell(8, 8).Clear, 1);
    EXPECT_EQ(w.Cell(8, 8).LeavingTank, -1);
}

TEST(CombatTest, AttackersOfADestroyedPlayerBuildingMoveOnToTheNextTarget) {
    BattleWorld w(OpenField(20, 12));
    test::PutObject(w.G, w.Lib, 3, 1, {3, 0, 0, 0});    // the headquarters under attack
    test::PutObject(w.G, w.Lib, 10, 6, {3, 0, 1, 0});   // a factory
    test::PutObject(w.G, w.Lib, 14, 2, {3, 1, 1, 0});   // the computer's own
    const std::int32_t a = w.Put(6, 8, 1);
    const std::int32_t b = w.Put(7, 8, 1);
    const std::int32_t other = w.Put(1, 10, 1);
    const std::int32_t unrelated = AddOrder(w.G, OrderAttackBuilding, w.Index(14, 2), OrderReady);
    // Two groups attack the headquarters on orders of their own.
    const std::int32_t onHq = AddOrder(w.G, OrderAttackBuilding, w.Index(3, 1), OrderReady);
    const std::int32_t alsoOnHq = AddOrder(w.G, OrderAttackBuilding, w.Index(3, 1), OrderReady);
    w.Tank(a).Order = onHq;
    w.Tank(b).Order = alsoOnHq;
    w.Tank(other).Order = unrelated;
    w.Tank(other).Route = {w.Index(1, 9)};

    DestroyBuilding(w.Ctx, 3, 1);
    ASSERT_EQ(w.G.Orders.size(), 3u);
    for (std::size_t k = 1; k <= 2; ++k) {
        const OrderType& next = *w.G.Orders[k];
        EXPECT_EQ(next.Kind, OrderAttackBuilding);
        EXPECT_EQ(next.TargetRef, w.Index(10, 6));
        EXPECT_EQ(next.State, OrderReady) << "planned at once";
    }
    EXPECT_EQ(w.Tank(b).Order, 1) << "the highest order is replaced first";
    EXPECT_EQ(w.Tank(a).Order, 2);
    EXPECT_FALSE(w.Tank(a).Route.empty());
    EXPECT_FALSE(w.Tank(b).Route.empty());
    EXPECT_EQ(w.Tank(other).Order, 0);
    EXPECT_EQ(w.Tank(other).Route.size(), 1u);
    EXPECT_TRUE(w.G.InfoLabels.empty());

    DestroyBuilding(w.Ctx, 10, 6);  // nothing of the player's is left
    EXPECT_EQ(w.G.Orders.size(), 1u);
    for (std::int32_t t : {a, b}) {
        EXPECT_EQ(w.Tank(t).Order, -1);
        EXPECT_TRUE(w.Tank(t).Route.empty());
    }
}

TEST(CombatTest, TheAlertScanSendsIdleEnemiesOnOneOrderAndGivesOthersAChanceTarget) {
    BattleWorld w(OpenField(20, 16));
    const std::int32_t scout = w.Put(5, 5, 0);
    const std::int32_t near1 = w.Put(10, 5, 1);   // exactly 5 cells: within the radius
    const std::int32_t near2 = w.Put(5, 1, 1);
    const std::int32_t far = w.Put(11, 5, 1);
    const std::int32_t busy = w.Put(7, 7, 1);
    const std::int32_t taken = w.Put(3, 3, 1);
    const std::int32_t friendly = w.Put(6, 6, 0);
    w.Tank(busy).Order = AddOrder(w.G, OrderMove, w.Index(19, 15), OrderReady);
    w.Tank(taken).Order = w.Tank(busy).Order;
    w.Tank(taken).ChanceTarget = far;

    AlertScan(w.Ctx, scout, 5 * 36);
    ASSERT_EQ(w.G.Orders.size(), 2u);
    const OrderType& hunt = *w.G.Orders[1];
    EXPECT_EQ(hunt.Kind, OrderAttackTank);
    EXPECT_EQ(hunt.TargetRef, scout);
    EXPECT_EQ(hunt.State, OrderReady) << "planned at once";
    EXPECT_EQ(w.Tank(near1).Order, 1);
    EXPECT_EQ(w.Tank(near2).Order, 1);
    EXPECT_FALSE(w.Tank(near1).Route.empty());
    EXPECT_EQ(w.Tank(far).Order, -1);
    EXPECT_EQ(w.Tank(busy).ChanceTarget, scout);
    EXPECT_EQ(w.Tank(taken).ChanceTarget, far) << "a chance target is kept";
    EXPECT_EQ(w.Tank(friendly).Order, -1);

    AlertScan(w.Ctx, scout, 5 * 36);
    EXPECT_EQ(w.G.Orders.size(), 2u) << "nobody idle is left near: no new order";
}

TEST(CombatTest, AChanceTargetIsShotAtWhileNearAndDroppedWhenNot) {
    BattleWorld w(OpenField(20, 12));
    const std::int32_t t = w.Put(2, 2, 0, 8);
    const std::int32_t passer = w.Put(5, 2, 2);
    w.Tank(t).Order = AddOrder(w.G, OrderMove, w.Index(19, 11), OrderReady);
    w.Tank(t).ChanceTarget = passer;
    Loaded(w.Tank(t));
    FireStep(w.Ctx, t, w.Tank(t).TurretFacing);
    EXPECT_EQ(w.Tank(passer).Health, 90);

    w.Tank(passer).X = 12 * 36;
    Loaded(w.Tank(t));
    FireStep(w.Ctx, t, w.Tank(t).TurretFacing);
    EXPECT_EQ(w.Tank(passer).Health, 90);
    EXPECT_EQ(w.Tank(t).ChanceTarget, -1);
}

TEST(CombatTest, EffectRecordsAndTheirSounds) {
    BattleWorld w(OpenField());
    AddShot(w.Ctx, 100, 120, 0, 10, 20);
    AddExplosion(w.Ctx, 50, 60, 1);
    AddInfoLabel(w.Ctx, 7, 8, 0x123456, 30, "hello", 5);
    EXPECT_EQ(w.G.Shots[0], (ShotType{100, 120, 10, 20, 0, 65535}));
    EXPECT_EQ(w.G.Explosions[0], (ExplosionType{50, 60, 1, 0, 0}));
    EXPECT_EQ(w.G.InfoLabels[0], (InfoLabelType{7, 8, 5, "hello", 30, 0x123456}));
    EXPECT_EQ(w.Sound.Played, (std::vector<PlayedSound>{{1, 10, 20}, {0, 50, 60}}));

    w.Ctx.Sound = nullptr;  // silence is allowed
    AddShot(w.Ctx, 1, 2, 0, 3, 4);
    AddExplosion(w.Ctx, 5, 6, 0);
    EXPECT_EQ(w.G.Shots.size(), 2u);
}

TEST(CombatTest, MuzzleAndHitPoints) {
    EXPECT_EQ(MuzzlePoint(100, 200, 35, 35, 0), (PixelXY{100, 217}));
    EXPECT_EQ(MuzzlePoint(100, 200, 35, 35, 5), (PixelXY{124, 200})) << "three quarters as (w div 4) * 3";
    EXPECT_EQ(MuzzlePoint(100, 200, 35, 35, 9), (PixelXY{135, 224}));
    EXPECT_EQ(MuzzlePoint(100, 200, 35, 35, 12), (PixelXY{117, 235}));
    EXPECT_EQ(MuzzlePoint(100, 200, 35, 35, 15), (PixelXY{100, 224}));
    EXPECT_EQ(MuzzlePoint(100, 200, 36, 36, 99), (PixelXY{118, 218})) << "an impossible facing aims from the centre";

    Random rng(7);
    for (int i = 0; i < 200; ++i) {
        const PixelXY p = HitPoint(rng, 100, 200, 36, 71);
        EXPECT_GE(p.X, 107);
        EXPECT_LT(p.X, 107 + 21);
        EXPECT_GE(p.Y, 214);
        EXPECT_LT(p.Y, 214 + 42);
    }
    BattleWorld w(OpenField());
    EXPECT_EQ(TankHitPoint(w.Ctx, 0), (PixelXY{-1, -1}));
}

}  // namespace
}  // namespace tavrine
