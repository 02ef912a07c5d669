#include "sim/movement.h"

#include <gtest/gtest.h>

#include "battle_world.h"
#include "state/lists.h"

namespace tavrine {
namespace {

using test::BattleWorld;

/// One drawn frame: every tank takes its step in list order.
void Frames(BattleWorld& w, int n) {
    for (int f = 0; f < n; ++f)
        for (std::size_t i = 0; i < w.G.Tanks.size(); ++i) TankStep(w.Ctx, static_cast<std::int32_t>(i));
}

TEST(MovementTest, CentreToCentreTakes12FramesEastAnd18SouthOrDiagonal) {
    struct Case {
        const char* name;
        std::int32_t facing;
        CellXY next;
        int frames;
    };
    for (const Case& c : {Case{"east", 8, {2, 1}, 12}, Case{"south", 12, {1, 2}, 18}, Case{"south-east", 10, {2, 2}, 18},
                          Case{"west", 0, {0, 1}, 12}, Case{"north-west", 2, {0, 0}, 18}}) {
        SCOPED_TRACE(c.name);
        BattleWorld w({"....", "....", "...."});
        const std::int32_t t = w.Put(1, 1, 0, c.facing);
        w.Drive(t, {c.next});

        Frames(w, c.frames - 1);
        EXPECT_NE((PixelXY{w.Tank(t).X, w.Tank(t).Y}), w.Corner(c.next.X, c.next.Y)) << "one frame short";
        Frames(w, 1);
        EXPECT_EQ((PixelXY{w.Tank(t).X, w.Tank(t).Y}), w.Corner(c.next.X, c.next.Y));
        EXPECT_EQ(w.Tank(t).DestX, c.next.X) << "arrival is seen on the next frame";
        EXPECT_EQ(w.Tank(t).AtRest, 0);

        Frames(w, 1);
        EXPECT_EQ(w.Tank(t).DestX, -1);
        EXPECT_EQ(w.Tank(t).AtRest, 1);
        EXPECT_EQ((PixelXY{w.Tank(t).X, w.Tank(t).Y}), w.Corner(c.next.X, c.next.Y));
    }
}

TEST(MovementTest, ClaimingReleasesTheOldCellButKeepsItUnclearUntilArrival) {
    BattleWorld w({"....", "....", "...."});
    const std::int32_t t = w.Put(1, 1, 0, 8);
    w.Drive(t, {{2, 1}});
    Frames(w, 1);
    const GameCellType& from = w.Cell(1, 1);
    const GameCellType& to = w.Cell(2, 1);
    EXPECT_EQ(to.Occupancy, CellTank);
    EXPECT_EQ(to.Occupant, t);
    EXPECT_EQ(to.MinimapColor, w.Tank(t).Color);
    EXPECT_EQ(from.Occupancy, CellFree);
    EXPECT_EQ(from.MinimapColor, from.GroundColor);
    EXPECT_EQ(from.Clear, 0);
    EXPECT_EQ(from.LeavingTank, t);
    EXPECT_EQ(w.Tank(t).PrevX, 1);
    EXPECT_TRUE(w.Tank(t).Route.empty());

    Frames(w, 12);
    EXPECT_EQ(from.Clear, 1);
    EXPECT_EQ(from.LeavingTank, -1);
    EXPECT_EQ(w.Tank(t).PrevX, -1);
}

TEST(MovementTest, HullTurnsOneStepEveryThirdFrameBeforeDriving) {
    BattleWorld w({"....", "....", "...."});
    const std::int32_t t = w.Put(1, 1, 0, 4);  // facing North, next cell East
    w.Drive(t, {{2, 1}});
    std::vector<std::int32_t> facings;
    for (int f = 0; f < 13; ++f) {
        Frames(w, 1);
        facings.push_back(w.Tank(t).HullFacing());
    }
    EXPECT_EQ(facings, (std::vector<std::int32_t>{4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7, 8, 8}));
    EXPECT_EQ(w.Tank(t).X, 36 + 3) << "the first pixel of movement comes on frame 13";
}

TEST(MovementTest, APushedTankGoesToTheFirstFreeNeighbourOffTheMoversRoute) {
    // W of the resting tank is the mover, NW is a mountain, N is on the mover's
    // route: NE is the first that may be taken.
    BattleWorld w({
        "......",
        ".^....",
        "......",
        "......",
    });
    const std::int32_t mover = w.Put(1, 2, 0, 8);
    const std::int32_t resting = w.Put(2, 2, 0, 12);
    w.Drive(mover, {{2, 2}, {2, 1}});
    w.Tank(resting).Route = {w.Index(5, 3)};  // an idle tank's leftover route is dropped

    TankStep(w.Ctx, mover);
    EXPECT_EQ(w.Tank(resting).DestX, 3);
    EXPECT_EQ(w.Tank(resting).DestY, 1);
    EXPECT_TRUE(w.Tank(resting).Route.empty());
    EXPECT_EQ(w.Cell(3, 1).Occupant, resting);
    EXPECT_EQ(w.Tank(mover).DestX, 2);
    EXPECT_EQ(w.Tank(mover).DestY, 2);
    EXPECT_EQ(w.Cell(2, 2).Occupant, mover);
    EXPECT_EQ(w.Cell(2, 2).LeavingTank, resting);
    EXPECT_EQ(w.Cell(1, 2).Occupancy, CellFree);
    EXPECT_EQ(w.Tank(mover).Route, (std::vector<std::int32_t>{w.Index(2, 1)}));

    // The mover waits on its cell until the pushed tank has reached its new centre.
    int frames = 0;
    while (w.Cell(2, 2).Clear == 0 && frames < 200) {
        EXPECT_EQ(w.Tank(mover).X, 36) << "frame " << frames;
        Frames(w, 1);
        ++frames;
    }
    EXPECT_EQ(w.Tank(resting).DestX, -1);
    EXPECT_EQ((PixelXY{w.Tank(resting).X, w.Tank(resting).Y}), w.Corner(3, 1));
    Frames(w, 1);
    EXPECT_EQ(w.Tank(mover).X, 39);
}

TEST(MovementTest, PushedTanksTryTheirNeighboursClockwiseFromWest) {
    // The resting tank stands at (2, 2), the mover west of it; '^' blocks a neighbour.
    struct Case {
        std::vector<std::string> rows;
        CellXY expected;
    };
    for (const Case& c : {
             Case{{".....", ".....", ".....", "....."}, {1, 1}},
             Case{{".....", ".^...", ".....", "....."}, {2, 1}},
             Case{{".....", ".^^^.", "...^.", "....."}, {3, 3}},
             Case{{".....", ".^^^.", "...^.", "...^."}, {2, 3}},
             Case{{".....", ".^^^.", "...^.", "..^^."}, {1, 3}},
         }) {
        BattleWorld w(c.rows);
        const std::int32_t mover = w.Put(1, 2, 0, 8);
        const std::int32_t resting = w.Put(2, 2, 0);
        w.Drive(mover, {{2, 2}, {3, 2}});
        TankStep(w.Ctx, mover);
        EXPECT_EQ((CellXY{w.Tank(resting).DestX, w.Tank(resting).DestY}), c.expected);
    }
}

TEST(MovementTest, NoPushOfMovingOrderedOrEnemyTanksNorIntoBuildings) {
    enum Blocker { Moving, Ordered, Enemy, Building, Boxed };
    for (Blocker b : {Moving, Ordered, Enemy, Building, Boxed}) {
        SCOPED_TRACE(b);
        BattleWorld w({"......", "......", "......"});
        const std::int32_t mover = w.Put(0, 1, 0, 8);
        w.Drive(mover, {{1, 1}});
        w.Tank(mover).Order = AddOrder(w.G, OrderMove, w.Index(5, 1), OrderReady);
        std::int32_t blocker = -1;
        if (b == Building) {
            test::PutObject(w.G, w.Lib, 1, 1, {2, 0, 0, 0});
        } else {
            blocker = w.Put(1, 1, b == Enemy ? 1 : 0);
            if (b == Moving) w.Tank(blocker).AtRest = 0;
            if (b == Ordered) w.Tank(blocker).Order = AddOrder(w.G, OrderMove, w.Index(5, 2), OrderReady);
            if (b == Boxed)  // every neighbour but the mover's cell holds a tower
                for (CellXY n : {CellXY{0, 0}, CellXY{1, 0}, CellXY{2, 0}, CellXY{2, 1}, CellXY{2, 2}, CellXY{1, 2}, CellXY{0, 2}})
                    test::PutObject(w.G, w.Lib, n.X, n.Y, {2, 0, 0, 0});
        }

        TankStep(w.Ctx, mover);
        EXPECT_EQ(w.Tank(mover).DestX, -1);
        EXPECT_EQ(w.Tank(mover).NeedsRoute, 1);
        EXPECT_EQ(w.G.Orders[0]->Replan, 1);
        EXPECT_EQ(w.Tank(mover).Route.size(), 1u) << "the route is kept for the re-plan";
        EXPECT_EQ(w.Cell(0, 1).Occupant, mover);
        if (blocker >= 0) {
            EXPECT_EQ(w.Tank(blocker).DestX, -1);
            EXPECT_EQ(w.Cell(1, 1).Occupant, blocker);
        }
    }
}

TEST(MovementTest, ATankStandingOffLandIsNotPushedSinceItsCellCannotBeTaken) {
    BattleWorld w({"....", ".~..", "...."});
    const std::int32_t mover = w.Put(0, 1, 0, 8);
    const std::int32_t stranded = w.Put(1, 1, 0);
    w.Drive(mover, {{1, 1}});
    TankStep(w.Ctx, mover);
    EXPECT_EQ(w.Tank(mover).DestX, -1);
    EXPECT_EQ(w.Tank(stranded).DestX, -1);
    for (std::int32_t x = 0; x < 4; ++x)
        for (std::int32_t y = 0; y < 3; ++y)
            if (!(y == 1 && x < 2)) {
                EXPECT_EQ(w.Cell(x, y).Occupancy, CellFree) << x << "," << y;
            }
}

TEST(MovementTest, EnterCellRefusesDepthsAboveOneAndCellsOffTheMap) {
    BattleWorld w({"...", "..."});
    const std::int32_t t = w.Put(0, 0, 0, 8);
    EXPECT_FALSE(EnterCell(w.Ctx, t, t, 2, {0, 0}, {1, 0}));
    EXPECT_FALSE(EnterCell(w.Ctx, t, t, 0, {0, 0}, {-1, 0}));
    EXPECT_FALSE(EnterCell(w.Ctx, t, t, 0, {0, 0}, {0, 2}));
    EXPECT_EQ(w.Tank(t).DestX, -1);
    EXPECT_TRUE(EnterCell(w.Ctx, t, t, 1, {0, 0}, {0, 0})) << "its own cell is always claimable";
    EXPECT_EQ(w.Tank(t).DestX, 0);
    EXPECT_EQ(w.Cell(0, 0).Clear, 1) << "claiming its own cell leaves nothing";
}

TEST(MovementTest, LeavingACellMarkedForAnotherTankKeepsThatTanksMark) {
    BattleWorld w({"....", "...."});
    const std::int32_t owner = w.Put(1, 1, 0);
    const std::int32_t stacked = w.Put(1, 1, 0, 8);  // placed on the same cell, unmarked
    w.Drive(stacked, {{2, 1}});
    TankStep(w.Ctx, stacked);
    EXPECT_EQ(w.Tank(stacked).DestX, 2);
    EXPECT_EQ(w.Cell(1, 1).Occupancy, CellTank);
    EXPECT_EQ(w.Cell(1, 1).Occupant, owner);
    EXPECT_EQ(w.Cell(1, 1).Clear, 1);
}

TEST(MovementTest, AFollowerWaitsUntilTheCellAheadIsClear) {
    BattleWorld w({"......", "......"});
    const std::int32_t leader = w.Put(2, 0, 0, 8);
    const std::int32_t follower = w.Put(1, 0, 0, 8);
    w.Drive(leader, {{3, 0}});
    w.Drive(follower, {{2, 0}});
    Frames(w, 1);
    EXPECT_EQ(w.Tank(follower).DestX, 2) << "the freed cell is claimed at once";
    for (int f = 2; f <= 12; ++f) {
        Frames(w, 1);
        EXPECT_EQ(w.Tank(follower).X, 36) << "frame " << f;
    }
    Frames(w, 1);  // the leader arrives first in this frame, then the follower drives
    EXPECT_EQ(w.Tank(leader).DestX, -1);
    EXPECT_EQ(w.Tank(follower).X, 39);
}

TEST(MovementTest, APlayersTankUncoversTheSquareWithoutCornersOnArrival) {
    std::vector<std::string> rows(20, std::string(20, '.'));
    for (std::int32_t side : {0, 1}) {
        SCOPED_TRACE(side);
        BattleWorld w(rows);
        for (auto& column : w.G.Cells)
            for (auto& c : column) c.Hidden = 1;
        const std::int32_t t = w.Put(9, 10, side, 8);
        w.Drive(t, {{10, 10}});
        Frames(w, 12);
        EXPECT_EQ(w.HiddenCount(), 400) << "nothing is uncovered before the arrival";
        Frames(w, 1);
        if (side == 1) {
            EXPECT_EQ(w.HiddenCount(), 400);
            continue;
        }
        EXPECT_EQ(w.HiddenCount(), 400 - 45);
        for (std::int32_t x = 6; x <= 14; ++x)
            for (std::int32_t y = 6; y <= 14; ++y) {
                const bool inSquare = x >= 7 && x <= 13 && y >= 7 && y <= 13;
                const bool corner = (x == 7 || x == 13) && (y == 7 || y == 13);
                EXPECT_EQ(w.Cell(x, y).Hidden, inSquare && !corner ? 0 : 1) << x << "," << y;
            }
    }
}

TEST(MovementTest, UncoveringStopsAtTheMapEdge) {
    BattleWorld w({"...", "...", "..."});
    for (auto& column : w.G.Cells)
        for (auto& c : column) c.Hidden = 1;
    const std::int32_t t = w.Put(0, 0, 0, 8);
    w.Drive(t, {{1, 0}});
    Frames(w, 13);
    EXPECT_EQ(w.HiddenCount(), 0);
}

TEST(MovementTest, AttackTankOrdersStopTwoCellsAwayAndSometimesThree) {
    struct Case {
        CellXY target;
        const char* rule;
    };
    for (const Case& c : {Case{{4, 5}, "2 cells: always"}, Case{{5, 5}, "3 cells: by chance"},
                          Case{{5, 7}, "3 and 2 cells: by chance"}, Case{{5, 8}, "3 by 3: never"}}) {
        SCOPED_TRACE(c.rule);
        int stops = 0;
        for (std::uint64_t seed = 1; seed <= 40; ++seed) {
            BattleWorld w(std::vector<std::string>(12, std::string(12, '.')), seed);
            const std::int32_t hunter = w.Put(2, 5, 0, 8);
            const std::int32_t prey = w.Put(c.target.X, c.target.Y, 1, 8);
            w.Tank(hunter).Order = AddOrder(w.G, OrderAttackTank, prey, OrderReady);
            w.Drive(hunter, {{3, 5}, {4, 5}});

            Random twin(seed);
            const bool coin = twin(100) > 49;
            TankStep(w.Ctx, hunter);
            const bool stopped = w.Tank(hunter).DestX < 0;
            stops += stopped;
            if (stopped) {
                EXPECT_TRUE(w.Tank(hunter).Route.empty());
                EXPECT_EQ(w.Tank(hunter).NeedsRoute, 1);
            } else {
                EXPECT_EQ(w.Tank(hunter).DestX, 3);
                EXPECT_EQ(w.Tank(hunter).Route.size(), 1u);
            }
            if (c.target == CellXY{5, 5} || c.target == CellXY{5, 7}) {
                EXPECT_EQ(stopped, coin) << "seed " << seed;
            }
        }
        if (c.target == CellXY{4, 5}) {
            EXPECT_EQ(stops, 40);
        } else if (c.target == CellXY{5, 8}) {
            EXPECT_EQ(stops, 0);
        } else if (c.target == CellXY{5, 5}) {
            EXPECT_GT(stops, 0);
            EXPECT_LT(stops, 40);
        }
    }
}

TEST(MovementTest, AttackBuildingOrdersStopBesideTheBuildingAndAlertTwelveCells) {
    // A 2 x 2 building anchored at (5, 5): the 2-cell ring runs from column 3 to 8.
    BattleWorld w(std::vector<std::string>(20, std::string(20, '.')));
    test::PutObject(w.G, w.Lib, 5, 5, {3, 1, 2, 0});
    const std::int32_t attacker = w.Put(3, 5, 0, 8);
    const std::int32_t cornered = w.Put(2, 2, 0, 8);  // the corner of the 3-cell ring
    const std::int32_t guard = w.Put(14, 5, 1, 0);    // 11 cells from the attacker, idle
    const std::int32_t order = AddOrder(w.G, OrderAttackBuilding, w.Index(5, 5), OrderReady);
    w.Tank(attacker).Order = order;
    w.Tank(cornered).Order = order;
    w.Drive(attacker, {{4, 5}});
    w.Drive(cornered, {{3, 3}});

    TankStep(w.Ctx, attacker);
    EXPECT_EQ(w.Tank(attacker).DestX, -1);
    EXPECT_TRUE(w.Tank(attacker).Route.empty());
    ASSERT_GE(w.Tank(guard).Order, 0) << "the stop alerts enemies within 12 cells";
    EXPECT_EQ(w.G.Orders[static_cast<std::size_t>(w.Tank(guard).Order)]->Kind, OrderAttackTank);
    EXPECT_EQ(w.G.Orders[static_cast<std::size_t>(w.Tank(guard).Order)]->TargetRef, attacker);

    TankStep(w.Ctx, cornered);
    EXPECT_EQ(w.Tank(cornered).DestX, 3) << "the corner of the outer ring is not near enough";
    for (std::uint64_t seed = 2; seed <= 20; ++seed) {
        BattleWorld again(std::vector<std::string>(20, std::string(20, '.')), seed);
        test::PutObject(again.G, again.Lib, 5, 5, {3, 1, 2, 0});
        const std::int32_t t = again.Put(2, 2, 0, 8);
        again.Tank(t).Order = AddOrder(again.G, OrderAttackBuilding, again.Index(5, 5), OrderReady);
        again.Drive(t, {{3, 3}});
        TankStep(again.Ctx, t);
        EXPECT_EQ(again.Tank(t).DestX, 3) << "seed " << seed;
    }
}

TEST(MovementTest, ArrivalMakesHuntersOfTheTankReplan) {
    BattleWorld w(std::vector<std::string>(12, std::string(12, '.')));
    const std::int32_t prey = w.Put(1, 1, 1, 8);
    const std::int32_t hunter = w.Put(10, 10, 0, 8);
    const std::int32_t order = AddOrder(w.G, OrderAttackTank, prey, OrderReady);
    w.G.Orders[0]->MemberMoved = 0;
    w.Tank(hunter).Order = order;
    w.Drive(prey, {{2, 1}});
    for (int f = 0; f < 13; ++f) TankStep(w.Ctx, prey);
    EXPECT_EQ(w.G.Orders[0]->Replan, 1);
    EXPECT_EQ(w.G.Orders[0]->MemberMoved, 1);
    EXPECT_EQ(w.Tank(hunter).NeedsRoute, 1);
}

}  // namespace
}  // namespace tavrine
