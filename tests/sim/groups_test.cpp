#include "sim/groups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "sim/orders.h"
#include "support/tick_world.h"

namespace tavrine {
namespace {

using test::TickWorld;

/// Open land on both sides of a mountain ridge that a pass one cell wide and
/// three cells long cuts through at row 8.
std::vector<std::string> PassMap() {
    std::vector<std::string> rows = test::LandRows(50, 20);
    for (std::size_t y = 0; y < rows.size(); ++y)
        if (y != 8) rows[y].replace(15, 3, "^^^");
    return rows;
}

struct Crossing {
    int arrived = 0;      ///< tanks that came within 4 cells of the goal
    int closeBehind = 0;  ///< tanks within 10 cells of the goal when the first came within 4
    int mostAhead = 0;    ///< the largest lead, in route cells, of a tank beyond the pass over the group's last
};

/// Twelve tanks standing in a block west of the ridge are sent to a cell east
/// of it in one order; watched until all of them arrive or 5000 ticks pass.
Crossing SendThroughThePass(bool together) {
    TickWorld w(PassMap());
    w.Headquarters(47, 17, SideComputer);  // so the mission goes on; far from the way
    const CellXY goal{34, 8};
    std::vector<std::int32_t> tanks;
    for (std::int32_t x = 3; x <= 5; ++x)
        for (std::int32_t y = 6; y <= 9; ++y) tanks.push_back(w.Tank(x, y, SidePlayer, 8));
    GameType& g = w.G();
    SimContext ctx = w.Ctx();
    const std::int32_t order = AddOrder(g, OrderMove, CellIndex(g, goal.X, goal.Y), OrderNew);
    for (const std::int32_t t : tanks) g.Tanks[static_cast<std::size_t>(t)]->Order = order;
    if (together) KeepTogether(g, order);
    PlanOrder(ctx, order, true);

    Crossing c;
    std::vector<char> seen(tanks.size(), 0);
    for (int tick = 1; tick <= 5000 && c.arrived < static_cast<int>(tanks.size()); ++tick) {
        w.Tick();
        std::int32_t longest = 0, shortestBeyond = -1;
        for (std::size_t i = 0; i < tanks.size(); ++i) {
            const GameObjectType& t = *g.Tanks[static_cast<std::size_t>(tanks[i])];
            const CellXY cell = TankCell(g, t, w.Lib());
            if (t.Order >= 0 && !t.Route.empty()) {
                const auto left = static_cast<std::int32_t>(t.Route.size());
                longest = std::max(longest, left);
                if (cell.X > 17) shortestBeyond = shortestBeyond < 0 ? left : std::min(shortestBeyond, left);
            }
            if (!seen[i] && std::abs(cell.X - goal.X) <= 4 && std::abs(cell.Y - goal.Y) <= 4) {
                seen[i] = 1;
                if (c.arrived++ == 0)
                    for (const std::int32_t other : tanks) {
                        const CellXY o = TankCell(g, *g.Tanks[static_cast<std::size_t>(other)], w.Lib());
                        c.closeBehind += std::abs(o.X - goal.X) <= 10 && std::abs(o.Y - goal.Y) <= 10;
                    }
            }
        }
        if (shortestBeyond >= 0) c.mostAhead = std::max(c.mostAhead, longest - shortestBeyond);
    }
    return c;
}

// A group of tanks sent through a narrow pass queues through it, gathers beyond
// it and arrives together; tanks sent without keeping together string out and
// arrive one by one. Either way every tank gets there.
TEST(GroupsTest, AGroupSentThroughANarrowPassArrivesTogether) {
    const Crossing alone = SendThroughThePass(false);
    const Crossing group = SendThroughThePass(true);
    EXPECT_EQ(alone.arrived, 12);
    EXPECT_EQ(group.arrived, 12);
    // Apart, the first tank arrives with two or three others near; together, with
    // most of the group.
    EXPECT_GE(group.closeBehind, 2 * alone.closeBehind) << "apart " << alone.closeBehind << ", together " << group.closeBehind;
    EXPECT_GE(group.closeBehind, 9);
    EXPECT_LT(2 * group.mostAhead, alone.mostAhead) << "apart " << alone.mostAhead << ", together " << group.mostAhead;
}

}  // namespace
}  // namespace tavrine
