// An attack-move as the player sees it: tanks driving to a cell stop for the
// enemy they meet on the way, fight it, and drive on.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "sim/grid.h"
#include "sim/queued_orders.h"
#include "support/tick_world.h"

namespace tavrine::test {
namespace {

TEST(AttackMove, TanksStopForTheEnemyOnTheWayFightItAndDriveOn) {
    TickWorld w(LandRows(30, 9));
    const std::vector<std::int32_t> mine = {w.Tank(2, 3, SidePlayer), w.Tank(2, 4, SidePlayer), w.Tank(2, 5, SidePlayer)};
    w.Tank(14, 4, SideComputer);
    const std::int32_t goal = CellIndex(w.G(), 27, 4);
    SimContext ctx = w.Ctx();
    AttackMoveTanks(ctx, goal, mine);

    bool fought = false;
    for (int tick = 0; tick < 3000 && w.TanksOf(SideComputer) > 0; ++tick) {
        w.Tick();
        for (const auto& t : w.G().Tanks)
            if (t->Side() == SidePlayer && t->AttackMoveFighting) {
                fought = true;
                EXPECT_EQ(w.G().Orders.at(static_cast<std::size_t>(t->Order))->Kind, OrderAttackTank) << "it stops to fight";
            }
    }
    EXPECT_TRUE(fought);
    ASSERT_EQ(w.TanksOf(SideComputer), 0) << "the enemy met on the way is destroyed";

    for (int tick = 0; tick < 3000; ++tick) {
        w.Tick();
        bool moving = false;
        for (const auto& t : w.G().Tanks) moving = moving || t->AttackMoveCell >= 0;
        if (!moving) break;
    }
    for (const auto& t : w.G().Tanks) {
        EXPECT_EQ(t->AttackMoveCell, -1) << "every tank ended its attack-move";
        const CellXY c = TankCell(w.G(), *t, w.Lib());
        EXPECT_LE(std::abs(c.X - 27), 1) << "and stands by the cell it was sent to";
        EXPECT_LE(std::abs(c.Y - 4), 1);
    }
}

// A whole army meeting the enemy at once: each new fight floods the map for its
// order, so the fights begin a few a tick, and tanks that stop for the same
// enemy share one order.
TEST(AttackMove, AnArmyMeetingTheEnemyBeginsItsFightsAFewATickAndSharesThem) {
    TickWorld w(LandRows(30, 12));
    std::vector<std::int32_t> mine;
    for (std::int32_t y = 1; y <= 10; ++y)
        for (std::int32_t x = 2; x <= 3; ++x) mine.push_back(w.Tank(x, y, SidePlayer));
    for (std::int32_t y = 1; y <= 10; ++y) w.Tank(10, y, SideComputer);
    SimContext ctx = w.Ctx();
    AttackMoveTanks(ctx, CellIndex(w.G(), 27, 5), mine);

    std::set<std::int32_t> before;
    std::size_t most = 0, fights = 0;
    for (int tick = 0; tick < 400; ++tick) {
        w.Tick();
        std::set<std::int32_t> now;
        std::map<std::int32_t, std::set<std::int32_t>> ordersByTarget;
        for (const auto& t : w.G().Tanks) {
            if (t->Side() != SidePlayer || !t->AttackMoveFighting || t->Order < 0) continue;
            const OrderType& o = *w.G().Orders.at(static_cast<std::size_t>(t->Order));
            if (o.Kind != OrderAttackTank || o.State == OrderObsolete) continue;
            now.insert(t->Order);
            ordersByTarget[o.TargetRef].insert(t->Order);
        }
        std::size_t fresh = 0;
        for (const std::int32_t k : now) fresh += before.count(k) == 0;
        most = std::max(most, fresh);
        fights = std::max(fights, now.size());
        for (const auto& [target, orders] : ordersByTarget) EXPECT_EQ(orders.size(), 1u) << "one order for enemy " << target;
        before = now;  // order numbers shift only when one is removed
    }
    EXPECT_GT(fights, 1u) << "the army fought";
    EXPECT_LE(most, 4u) << "no more than four fights began in one tick";
}

}  // namespace
}  // namespace tavrine::test
