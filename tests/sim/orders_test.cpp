#include "sim/orders.h"

#include <gtest/gtest.h>

#include <set>

#include "sim/flood_world.h"

namespace tavrine {
namespace {

using test::FloodWorld;

// A wall of water between the target (bottom left) and the top right: numbers
// spread down and right within one sweep but only one row up per sweep, so the
// cells behind the wall are first reached the long way round.
const std::vector<std::string> kWallMap = {
    "....",
    ".~~.",
    "....",
};

std::int32_t MoveOrder(FloodWorld& w, std::int32_t x, std::int32_t y) {
    return AddOrder(w.G, OrderMove, CellIndex(w.G, x, y), OrderNew);
}

/// Re-plans an order tick by tick as a blocked member would ask for it, until its
/// field is complete. Returns the number of ticks.
int ReplanUntilReady(FloodWorld& w, std::int32_t order) {
    OrderType& o = *w.G.Orders[static_cast<std::size_t>(order)];
    int ticks = 0;
    do {
        o.Replan = 1;
        PlanOrder(w.Ctx, order, false);
        ++ticks;
    } while (o.State == OrderFlooding && ticks < 1000);
    return ticks;
}

TEST(OrdersTest, ImmediatePlanNumbersCellsInSweepOrderNotByDistance) {
    FloodWorld w(kWallMap);
    const std::int32_t t = test::PutTank(w.G, w.Lib, 3, 0, 0);
    const std::int32_t k = MoveOrder(w, 0, 2);
    w.G.Tanks[static_cast<std::size_t>(t)]->Order = k;
    PlanOrder(w.Ctx, k, true);

    // (2, 0) is three steps from the target but was reached from (3, 1) in the
    // first sweep, before the way over the top existed.
    EXPECT_EQ(w.FieldRows(k), (std::vector<std::string>{
                                  "3 3 5 5",
                                  "2 0 0 4",
                                  "1 2 3 4",
                              }));
    EXPECT_EQ(w.G.Orders[static_cast<std::size_t>(k)]->State, OrderReady);

    // The first step follows the direction of the target (West) onto a cell of
    // wave 5, stays there one step, then descends: back East, round the wall.
    EXPECT_EQ(w.RouteText(t), "(2,0)(2,0)(3,1)(2,2)(1,2)(0,2)");
    EXPECT_EQ(w.G.Tanks[static_cast<std::size_t>(t)]->Route.size(), 6u) << "wave 5 gives 6 elements";
}

TEST(OrdersTest, LongRouteRunsDiagonallyWhileFarOnBothAxes) {
    FloodWorld w(std::vector<std::string>(16, std::string(16, '.')));
    const std::int32_t t = test::PutTank(w.G, w.Lib, 2, 2, 0);
    const std::int32_t k = MoveOrder(w, 12, 12);
    w.G.Tanks[static_cast<std::size_t>(t)]->Order = k;
    PlanOrder(w.Ctx, k, true);

    const auto& route = w.G.Tanks[static_cast<std::size_t>(t)]->Route;
    ASSERT_EQ(route.size(), 11u) << "the first cell (3, 3) has wave 10";
    EXPECT_EQ(route[10], CellIndex(w.G, 3, 3));
    EXPECT_EQ(route[9], CellIndex(w.G, 3, 3));
    EXPECT_EQ(route[0], CellIndex(w.G, 12, 12));
    // After the repeated first cell: (4, 4) ... (9, 9), diagonal while more than
    // three cells remain on both axes.
    for (std::int32_t i = 1; i <= 6; ++i) EXPECT_EQ(route[static_cast<std::size_t>(9 - i)], CellIndex(w.G, 3 + i, 3 + i));
}

TEST(OrdersTest, DiagonalIsADrawWhenTheTargetIsNotOnTheDiagonal) {
    // Target 12 right and 6 down: from far away the diagonal is taken with chance
    // min/max, so different seeds give different routes of the same length, all
    // of them descending the field one wave at a time.
    std::set<std::vector<std::int32_t>> routes;
    for (std::uint64_t seed = 1; seed <= 8; ++seed) {
        FloodWorld w(std::vector<std::string>(12, std::string(20, '.')), seed);
        const std::int32_t t = test::PutTank(w.G, w.Lib, 2, 2, 0);
        const std::int32_t k = MoveOrder(w, 14, 8);
        w.G.Tanks[static_cast<std::size_t>(t)]->Order = k;
        PlanOrder(w.Ctx, k, true);
        const auto& route = w.G.Tanks[static_cast<std::size_t>(t)]->Route;
        ASSERT_EQ(route.size(), 13u);
        for (std::size_t i = 0; i + 1 < route.size() - 1; ++i) {
            const CellXY c = CellOfIndex(w.G, route[i]);
            EXPECT_EQ(w.Wave(k, c.X, c.Y), static_cast<std::int32_t>(i) + 1);
        }
        routes.insert(route);
    }
    EXPECT_GT(routes.size(), 1u);
}

TEST(OrdersTest, FirstStepTriesNeighboursTowardTheTargetFirst) {
    // Start (2, 2); every neighbour numbered alike. The chosen first cell is taken
    // away again and again, which lists the order in which neighbours are tried.
    struct Case {
        CellXY Target;
        const char* Order;
    };
    const Case cases[] = {
        {{4, 4}, "SE E S NE SW W N NW"}, {{4, 0}, "NE E N NW SE W S SW"},  // diagonal
        {{0, 4}, "SW W S NW SE E N NE"}, {{0, 0}, "NW W N NE SW E S SE"},
        {{4, 3}, "E SE NE S N SW W NW"}, {{0, 3}, "W SW NW S N E SE NE"},  // mostly across
        {{3, 4}, "S SE SW E W N NE NW"}, {{3, 0}, "N NE NW E W S SE SW"},  // mostly up or down
    };
    const auto compass = [](std::int32_t dx, std::int32_t dy) {
        return std::string(dy < 0 ? "N" : dy > 0 ? "S" : "") + (dx < 0 ? "W" : dx > 0 ? "E" : "");
    };
    for (const Case& c : cases) {
        FloodWorld w(std::vector<std::string>(5, "....."));
        const std::int32_t t = test::PutTank(w.G, w.Lib, 2, 2, 0);
        const std::int32_t k = MoveOrder(w, c.Target.X, c.Target.Y);
        w.G.Tanks[static_cast<std::size_t>(t)]->Order = k;
        for (std::int32_t x = 1; x <= 3; ++x)
            for (std::int32_t y = 1; y <= 3; ++y) CellWaves(w.G, k, x, y) = 5;
        std::string tried;
        for (int i = 0; i < 8; ++i) {
            BuildRoute(w.Ctx, t, true);
            const CellXY first = CellOfIndex(w.G, w.G.Tanks[static_cast<std::size_t>(t)]->Route.back());
            tried += (i ? " " : "") + compass(first.X - 2, first.Y - 2);
            CellWaves(w.G, k, first.X, first.Y) = 0;
        }
        EXPECT_EQ(tried, c.Order) << "target " << c.Target.X << "," << c.Target.Y;
    }
}

TEST(OrdersTest, TankOnTheTargetKeepsItsRoute) {
    FloodWorld w({".....", ".....", "....."});
    const std::int32_t t = test::PutTank(w.G, w.Lib, 2, 1, 0);
    GameObjectType& tank = *w.G.Tanks[static_cast<std::size_t>(t)];
    tank.Route = {7, 8};
    tank.NeedsRoute = 1;
    const std::int32_t k = MoveOrder(w, 2, 1);
    tank.Order = k;
    PlanOrder(w.Ctx, k, true);
    EXPECT_EQ(tank.Route, (std::vector<std::int32_t>{7, 8}));
    EXPECT_EQ(tank.NeedsRoute, 0);
    EXPECT_EQ(w.G.Orders[static_cast<std::size_t>(k)]->State, OrderReady);
}

TEST(OrdersTest, UnreachableTargetNumbersOnlyItsIslandAndLeavesRoutesAlone) {
    FloodWorld w({
        "......",
        ".~~~..",
        ".~.~..",
        ".~~~..",
    });
    const std::int32_t t = test::PutTank(w.G, w.Lib, 5, 0, 0);
    GameObjectType& tank = *w.G.Tanks[static_cast<std::size_t>(t)];
    tank.Route = {3};
    const std::int32_t k = MoveOrder(w, 2, 2);
    tank.Order = k;
    PlanOrder(w.Ctx, k, true);
    EXPECT_EQ(w.FieldRows(k), (std::vector<std::string>{
                                  "0 0 0 0 0 0",
                                  "0 0 0 0 0 0",
                                  "0 0 1 0 0 0",
                                  "0 0 0 0 0 0",
                              }));
    EXPECT_EQ(tank.Route, (std::vector<std::int32_t>{3}));
    EXPECT_EQ(w.G.Orders[static_cast<std::size_t>(k)]->State, OrderReady);
}

TEST(OrdersTest, ImmediatePlanFloodsThroughTanksPerTickPlanAroundThem) {
    const std::vector<std::string> map = {
        ".....",
        ".....",
        ".....",
    };
    FloodWorld w(map);
    test::PutTank(w.G, w.Lib, 1, 1, 1);
    test::PutTank(w.G, w.Lib, 2, 1, 1);
    const std::int32_t member = test::PutTank(w.G, w.Lib, 4, 2, 0);
    const std::int32_t k = MoveOrder(w, 0, 1);
    w.G.Tanks[static_cast<std::size_t>(member)]->Order = k;

    PlanOrder(w.Ctx, k, true);
    EXPECT_EQ(w.Wave(k, 1, 1), 2);
    EXPECT_EQ(w.Wave(k, 2, 1), 3);

    // A blocked member asks for a re-plan: the next tick restarts the field
    // (target only), the following ticks sweep once each around the tanks.
    OrderType& o = *w.G.Orders[static_cast<std::size_t>(k)];
    o.Replan = 1;
    PlanOrder(w.Ctx, k, false);
    EXPECT_EQ(o.State, OrderFlooding);
    EXPECT_EQ(o.Replan, 0);
    EXPECT_EQ(o.MemberMoved, 0);
    EXPECT_EQ(w.FieldRows(k), (std::vector<std::string>{"0 0 0 0 0", "1 0 0 0 0", "0 0 0 0 0"}));

    PlanOrder(w.Ctx, k, false);
    EXPECT_EQ(w.Wave(k, 0, 0), 0) << "no sweep without a new request";

    w.G.Tanks[static_cast<std::size_t>(member)]->NeedsRoute = 1;
    EXPECT_GT(ReplanUntilReady(w, k), 1);
    EXPECT_EQ(w.FieldRows(k), (std::vector<std::string>{
                                  "2 2 3 4 5",
                                  "1 0 0 4 5",
                                  "2 2 3 4 0",
                              }));
    EXPECT_EQ(o.State, OrderReady);
    EXPECT_EQ(w.RouteText(member), "(3,2)(3,2)(2,2)(1,2)(0,1)");
}

TEST(OrdersTest, AttackFloodEntersOnlyTheTargetBuilding) {
    FloodWorld w({
        "........",
        "........",
        "........",
        "........",
        "........",
    });
    test::PutObject(w.G, w.Lib, 1, 1, {3, 1, 2, 0});  // target: 2 x 2 cells
    test::PutObject(w.G, w.Lib, 5, 1, {3, 1, 2, 0});  // a neighbour building
    const std::int32_t member = test::PutTank(w.G, w.Lib, 7, 4, 0);
    const std::int32_t k = AddOrder(w.G, OrderAttackBuilding, CellIndex(w.G, 1, 1), OrderNew);
    w.G.Tanks[static_cast<std::size_t>(member)]->Order = k;
    PlanOrder(w.Ctx, k, true);

    EXPECT_EQ(w.FieldRows(k), (std::vector<std::string>{
                                  "2 2 2 3 4 5 6 7",
                                  "2 1 2 3 4 0 0 7",
                                  "2 2 2 3 4 0 0 7",
                                  "3 3 3 3 4 5 6 7",
                                  "4 4 4 4 4 5 6 7",
                              }));
    // Re-planned per tick the target's footprint is still entered.
    ReplanUntilReady(w, k);
    EXPECT_EQ(w.Wave(k, 2, 2), 2);
    EXPECT_EQ(w.Wave(k, 5, 1), 0);
}

TEST(OrdersTest, AttackTargetIsTheMiddleOfTheFootprintClampedToTheMap) {
    FloodWorld w({"....", "...."});
    ImageLibrary& lib = w.Lib;
    const int frame = test::AddPicture(lib, 3, 1, 2, 36 * 4, 36 * 4);  // 5 x 5 cells
    test::PutObject(w.G, lib, 1, 0, {3, 1, 2, frame});
    PlanTarget target;
    ASSERT_TRUE(OrderTarget(w.Ctx, OrderType{0, OrderAttackBuilding, CellIndex(w.G, 1, 0), OrderNew, 0, 1, {}, 0, 0, 0, {}}, target));
    EXPECT_EQ(target.Cell, (CellXY{3, 1})) << "two cells right and down, the row clamped";
    EXPECT_EQ(target.Object, w.G.Cell(1, 0).Object.get());

    // A destroyed building: the anchor itself, with no object to enter.
    w.G.Cell(1, 0).Object.reset();
    ASSERT_TRUE(OrderTarget(w.Ctx, OrderType{0, OrderAttackBuilding, CellIndex(w.G, 1, 0), OrderNew, 0, 1, {}, 0, 0, 0, {}}, target));
    EXPECT_EQ(target.Cell, (CellXY{1, 0}));
    EXPECT_EQ(target.Object, nullptr);
}

TEST(OrdersTest, StateMachineOfTheTickStep) {
    FloodWorld w({"....", "...."});
    const std::int32_t member = test::PutTank(w.G, w.Lib, 3, 1, 0);
    const std::int32_t move = MoveOrder(w, 0, 0);
    const std::int32_t attack = AddOrder(w.G, OrderAttackTank, member, OrderNew);
    const std::int32_t lonely = MoveOrder(w, 1, 1);
    w.G.Tanks[static_cast<std::size_t>(member)]->Order = move;
    OrderType& m = *w.G.Orders[static_cast<std::size_t>(move)];
    OrderType& a = *w.G.Orders[static_cast<std::size_t>(attack)];

    PlanOrder(w.Ctx, lonely, true);
    EXPECT_EQ(w.G.Orders[static_cast<std::size_t>(lonely)]->State, OrderObsolete) << "complete with no member";

    PlanOrder(w.Ctx, move, false);
    EXPECT_EQ(m.State, OrderNew) << "a new order waits for its immediate plan";
    PlanOrder(w.Ctx, move, true);
    PlanOrder(w.Ctx, attack, true);
    EXPECT_EQ(m.State, OrderReady);
    EXPECT_EQ(a.State, OrderObsolete) << "nobody carries the attack order";
    a.State = OrderReady;

    // Members moved since the field was made: the order stays.
    PlanOrder(w.Ctx, move, false);
    EXPECT_EQ(m.State, OrderReady);
    m.MemberMoved = 0;
    a.MemberMoved = 0;
    PlanOrder(w.Ctx, move, false);
    PlanOrder(w.Ctx, attack, false);
    EXPECT_EQ(m.State, OrderObsolete) << "finished move order";
    EXPECT_EQ(a.State, OrderReady) << "attack orders do not lapse this way";
    PlanOrder(w.Ctx, move, true);
    EXPECT_EQ(m.State, OrderObsolete) << "an obsolete order is left alone";
}

TEST(OrdersTest, CompletionGivesRoutesOnlyToMembersThatAskPerTick) {
    FloodWorld w({"......", "......"});
    const std::int32_t asks = test::PutTank(w.G, w.Lib, 5, 0, 0);
    const std::int32_t keeps = test::PutTank(w.G, w.Lib, 5, 1, 0);
    const std::int32_t k = MoveOrder(w, 0, 0);
    for (std::int32_t t : {asks, keeps}) w.G.Tanks[static_cast<std::size_t>(t)]->Order = k;
    w.G.Tanks[static_cast<std::size_t>(keeps)]->Route = {1};
    w.G.Tanks[static_cast<std::size_t>(asks)]->NeedsRoute = 1;
    w.G.Orders[static_cast<std::size_t>(k)]->State = OrderReady;
    ReplanUntilReady(w, k);
    EXPECT_EQ(w.RouteText(asks), "(4,0)(4,0)(3,0)(2,0)(1,0)(0,0)");
    EXPECT_EQ(w.G.Tanks[static_cast<std::size_t>(keeps)]->Route, (std::vector<std::int32_t>{1}));
}

TEST(OrdersTest, RouteEndsWhereTheFieldHasNoLowerNeighbour) {
    // A field whose numbers changed under it: 6 and 5 lead nowhere lower.
    FloodWorld w({"......"});
    const std::int32_t t = test::PutTank(w.G, w.Lib, 5, 0, 0);
    const std::int32_t k = MoveOrder(w, 0, 0);
    w.G.Tanks[static_cast<std::size_t>(t)]->Order = k;
    w.G.Waves[static_cast<std::size_t>(k)] = {1, 0, 0, 5, 6, 0};
    BuildRoute(w.Ctx, t, true);
    EXPECT_EQ(w.RouteText(t), "(4,0)(4,0)(3,0)") << "no element names a cell the descent never chose";

    // A damaged field with an absurd number costs no absurd route.
    w.G.Waves[static_cast<std::size_t>(k)] = {1, 0, 0, 0, 2000000000, 0};
    BuildRoute(w.Ctx, t, true);
    EXPECT_EQ(w.RouteText(t), "(4,0)(4,0)");
}

TEST(OrdersTest, TargetOffTheMapMakesTheOrderObsolete) {
    FloodWorld w({"....", "...."});
    const std::int32_t t = test::PutTank(w.G, w.Lib, 0, 0, 0);
    const std::int32_t k = AddOrder(w.G, OrderMove, 99, OrderNew);
    w.G.Tanks[static_cast<std::size_t>(t)]->Order = k;
    PlanOrder(w.Ctx, k, true);
    EXPECT_EQ(w.G.Orders[static_cast<std::size_t>(k)]->State, OrderObsolete);
    for (std::int32_t v : w.G.Waves[static_cast<std::size_t>(k)]) EXPECT_EQ(v, 0);
}

TEST(OrdersTest, CleanUpMarksLapsedMoveOrdersAndRemovesTheHighestOnePerCall) {
    FloodWorld w({"......", "......"});
    const std::int32_t a = test::PutTank(w.G, w.Lib, 0, 0, 0);
    const std::int32_t b = test::PutTank(w.G, w.Lib, 1, 0, 0);
    const std::int32_t c = test::PutTank(w.G, w.Lib, 2, 0, 0);
    const std::int32_t o0 = MoveOrder(w, 5, 0);  // a's, no route left
    const std::int32_t o1 = MoveOrder(w, 5, 1);  // b's, route left
    const std::int32_t o2 = AddOrder(w.G, OrderAttackTank, a, OrderReady);
    MoveOrder(w, 4, 1);  // nobody's
    w.G.Tanks[static_cast<std::size_t>(a)]->Order = o0;
    w.G.Tanks[static_cast<std::size_t>(b)]->Order = o1;
    w.G.Tanks[static_cast<std::size_t>(b)]->Route = {4};
    w.G.Tanks[static_cast<std::size_t>(c)]->Order = o2;
    w.G.Tanks[static_cast<std::size_t>(c)]->Route = {4};
    w.G.Waves[static_cast<std::size_t>(o1)][3] = 11;
    w.G.Waves[static_cast<std::size_t>(o2)][3] = 22;

    MarkObsoleteOrders(w.Ctx);
    EXPECT_EQ(w.G.Orders[0]->State, OrderObsolete);
    EXPECT_EQ(w.G.Orders[1]->State, OrderNew);
    EXPECT_EQ(w.G.Orders[2]->State, OrderReady);
    EXPECT_EQ(w.G.Orders[3]->State, OrderObsolete);

    RemoveOneObsoleteOrder(w.Ctx);
    ASSERT_EQ(w.G.Orders.size(), 3u) << "the highest obsolete order goes first";
    EXPECT_EQ(w.G.Tanks[static_cast<std::size_t>(a)]->Order, 0);

    // Removing order 0 of three: the others move down with their fields.
    RemoveOneObsoleteOrder(w.Ctx);
    ASSERT_EQ(w.G.Orders.size(), 2u);
    ASSERT_EQ(w.G.Waves.size(), 2u);
    EXPECT_EQ(w.G.Waves[0][3], 11);
    EXPECT_EQ(w.G.Waves[1][3], 22);
    EXPECT_EQ(w.G.Orders[1]->Index, 1);
    EXPECT_EQ(w.G.Tanks[static_cast<std::size_t>(a)]->Order, -1);
    EXPECT_TRUE(w.G.Tanks[static_cast<std::size_t>(a)]->Route.empty());
    EXPECT_EQ(w.G.Tanks[static_cast<std::size_t>(b)]->Order, 0);
    EXPECT_EQ(w.G.Tanks[static_cast<std::size_t>(c)]->Order, 1);

    RemoveOneObsoleteOrder(w.Ctx);
    EXPECT_EQ(w.G.Orders.size(), 2u) << "nothing obsolete left";

    // Attack orders lapse only when no tank is left at all.
    w.G.Tanks.clear();
    MarkObsoleteOrders(w.Ctx);
    EXPECT_EQ(w.G.Orders[1]->State, OrderObsolete);
}

}  // namespace
}  // namespace tavrine
