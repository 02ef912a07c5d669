// An attack-move as the player sees it: tanks driving to a cell stop for the
// enemy they meet on the way, fight it, and drive on.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tavrine::test
