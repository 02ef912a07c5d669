#include "state/lists.h"

#include <gtest/gtest.h>

#include "sim/grid.h"
#include "state/invariants.h"
#include "support/test_world.h"

namespace tavrine {
namespace {

using test::MakeMap;
using test::MakeTestLibrary;
using test::PutObject;
using test::PutTank;

/// Fills every entry of order k's wave field with 100 + k, so a field can be
/// recognised after the orders have moved.
void MarkWaveFields(GameType& g) {
    for (std::size_t k = 0; k < g.Waves.size(); ++k) g.Waves[k].assign(g.Waves[k].size(), 100 + static_cast<std::int32_t>(k));
}

std::vector<std::int32_t> WaveMarks(const GameType& g) {
    std::vector<std::int32_t> marks;
    for (const auto& field : g.Waves) marks.push_back(field.empty() ? -1 : field.back());
    return marks;
}

TEST(ListsTest, AddOrderAppendsWithAnEmptyWaveField) {
    GameType g = MakeMap({".....", "....."});
    EXPECT_EQ(AddOrder(g, OrderMove, 7, OrderNew), 0);
    g.Orders[0]->Replan = 1;
    EXPECT_EQ(AddOrder(g, OrderAttackTank, 0, OrderFlooding), 1);
    const OrderType& o = *g.Orders[1];
    EXPECT_EQ(o.Index, 1);
    EXPECT_EQ(o.Kind, OrderAttackTank);
    EXPECT_EQ(o.TargetRef, 0);
    EXPECT_EQ(o.State, OrderFlooding);
    EXPECT_EQ(o.Replan, 0);
    EXPECT_EQ(o.MemberMoved, 1);
    ASSERT_EQ(g.Waves.size(), 2u);
    EXPECT_EQ(g.Waves[1], std::vector<std::int32_t>(10, 0));
    EXPECT_EQ(CellWaves(g, 1, 4, 1), 0);
}

TEST(ListsTest, RemoveOrderRenumbersOrdersFieldsAndTanks) {
    const ImageLibrary lib = MakeTestLibrary();
    GameType g = MakeMap({"......", "......"});
    for (int k = 0; k < 4; ++k) AddOrder(g, OrderMove, k, OrderReady);
    MarkWaveFields(g);
    const std::int32_t carriedOrders[] = {0, 1, 2, 3, -1};
    for (std::int32_t order : carriedOrders) {
        const std::int32_t t = PutTank(g, lib, static_cast<std::int32_t>(g.Tanks.size()), 0, 0);
        g.Tanks[static_cast<std::size_t>(t)]->Order = order;
        g.Tanks[static_cast<std::size_t>(t)]->Route = {7, 8};
    }

    RemoveOrder(g, 1);
    ASSERT_EQ(g.Orders.size(), 3u);
    for (std::size_t k = 0; k < g.Orders.size(); ++k) EXPECT_EQ(g.Orders[k]->Index, static_cast<std::int32_t>(k));
    EXPECT_EQ(g.Orders[1]->TargetRef, 2) << "the later orders moved down in order";
    EXPECT_EQ(WaveMarks(g), (std::vector<std::int32_t>{100, 102, 103})) << "the removed order's field went with it";

    const std::int32_t expectedOrders[] = {0, -1, 1, 2, -1};
    for (std::size_t t = 0; t < g.Tanks.size(); ++t) EXPECT_EQ(g.Tanks[t]->Order, expectedOrders[t]) << "tank " << t;
    EXPECT_TRUE(g.Tanks[1]->Route.empty()) << "a tank that lost its order stops";
    EXPECT_EQ(g.Tanks[2]->Route, (std::vector<std::int32_t>{7, 8}));
    EXPECT_EQ(CheckInvariants(g), "");

    RemoveOrder(g, 2);
    RemoveOrder(g, 0);
    EXPECT_EQ(WaveMarks(g), (std::vector<std::int32_t>{102}));
    EXPECT_EQ(g.Tanks[2]->Order, 0);
    EXPECT_EQ(g.Tanks[3]->Order, -1);
    EXPECT_EQ(CheckInvariants(g), "");
}

TEST(ListsTest, RemovingAMissingOrderChangesNothing) {
    GameType g = MakeMap({"...."});
    AddOrder(g, OrderMove, 1, OrderReady);
    RemoveOrder(g, -1);
    RemoveOrder(g, 1);
    EXPECT_EQ(g.Orders.size(), 1u);
    EXPECT_EQ(g.Waves.size(), 1u);
}

/// Six tanks in a row on land, towers and a building below them, and orders,
/// marks and chance targets that name tank 3 (to be removed) and tanks after it.
class RemoveTankTest : public ::testing::Test {
protected:
    void SetUp() override {
        g = MakeMap({"........", "........", "........"});
        for (std::int32_t x = 0; x < 6; ++x) PutTank(g, lib, x, 0, x % 2);
        for (auto& t : g.Tanks) {
            t->X += 1000 * t->Index;  // recognisable after renumbering
            t->Route = {1, 2};
        }
        // Orders: 0 move to cell 5, 1 attack tank 3, 2 attack tank 5, 3 attack tank 3,
        // 4 attack tank 1, 5 attack the building anchored at cell 14.
        AddOrder(g, OrderMove, 5, OrderReady);
        AddOrder(g, OrderAttackTank, 3, OrderReady);
        AddOrder(g, OrderAttackTank, 5, OrderReady);
        AddOrder(g, OrderAttackTank, 3, OrderReady);
        AddOrder(g, OrderAttackTank, 1, OrderReady);
        AddOrder(g, OrderAttackBuilding, 14, OrderReady);
        MarkWaveFields(g);
        const std::int32_t orders[] = {1, 3, 2, 0, 5, 4};
        for (std::size_t t = 0; t < 6; ++t) g.Tanks[t]->Order = orders[t];

        aimingAtRemoved = &PutObject(g, lib, 0, 2, {2, 1, 0, 0});
        aimingAtLater = &PutObject(g, lib, 2, 2, {2, 1, 0, 0});
        idle = &PutObject(g, lib, 4, 2, {2, 1, 0, 0});
        aimingAtRemoved->TowerState = 1;
        aimingAtRemoved->TowerTarget = 3;
        aimingAtLater->TowerState = 1;
        aimingAtLater->TowerTarget = 4;
        idle->TowerTarget = 5;  // stale: an idle tower's target is never read
        PutObject(g, lib, 6, 1, {3, 1, 0, 0});  // covers (6..7, 1..2), anchor cell 14

        g.Cell(1, 1).LeavingTank = 3;
        g.Cell(1, 1).Clear = 0;
        g.Cell(3, 1).LeavingTank = 5;
        g.Cell(3, 1).Clear = 0;
        g.Cell(5, 1).LeavingTank = 2;

        g.Tanks[0]->ChanceTarget = 3;
        g.Tanks[1]->ChanceTarget = 5;
        g.Tanks[2]->ChanceTarget = 0;
        g.Tanks[4]->ChanceTarget = 3;
        ASSERT_EQ(CheckInvariants(g), "");
    }

    const ImageLibrary lib = MakeTestLibrary();
    GameType g;
    GameCellObjectType* aimingAtRemoved = nullptr;
    GameCellObjectType* aimingAtLater = nullptr;
    GameCellObjectType* idle = nullptr;
};

TEST_F(RemoveTankTest, LaterTanksMoveDownWithTheirIndex) {
    DetachAndRemoveTank(g, 3);
    ASSERT_EQ(g.Tanks.size(), 5u);
    const std::int32_t formerIndex[] = {0, 1, 2, 4, 5};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(g.Tanks[i]->Index, static_cast<std::int32_t>(i));
        EXPECT_EQ(g.Tanks[i]->X / 1000, formerIndex[i]);
    }
    EXPECT_EQ(CheckInvariants(g), "");
}

TEST_F(RemoveTankTest, OrdersAgainstTheTankGoAndTheRestAreRenumbered) {
    DetachAndRemoveTank(g, 3);
    ASSERT_EQ(g.Orders.size(), 4u);
    EXPECT_EQ(WaveMarks(g), (std::vector<std::int32_t>{100, 102, 104, 105}));
    EXPECT_EQ(g.Orders[0]->TargetRef, 5) << "a move order's target is a cell, not a tank";
    EXPECT_EQ(g.Orders[1]->TargetRef, 4) << "tank 5 became tank 4";
    EXPECT_EQ(g.Orders[2]->TargetRef, 1);
    EXPECT_EQ(g.Orders[3]->TargetRef, 14) << "a building order's target is a cell";

    // Former tanks 0, 1, 2, 4, 5 carried orders 1, 3, 2, 5, 4.
    const std::int32_t expected[] = {-1, -1, 1, 3, 2};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(g.Tanks[i]->Order, expected[i]) << "tank " << i;
    EXPECT_TRUE(g.Tanks[0]->Route.empty());
    EXPECT_TRUE(g.Tanks[1]->Route.empty());
    EXPECT_EQ(g.Tanks[2]->Route, (std::vector<std::int32_t>{1, 2}));
}

TEST_F(RemoveTankTest, TowersAndChanceTargetsFollowTheRenumbering) {
    DetachAndRemoveTank(g, 3);
    EXPECT_EQ(aimingAtRemoved->TowerState, 0);
    EXPECT_EQ(aimingAtRemoved->TowerTarget, -1);
    EXPECT_EQ(aimingAtLater->TowerState, 1);
    EXPECT_EQ(aimingAtLater->TowerTarget, 3);
    EXPECT_EQ(idle->TowerTarget, 5) << "an idle tower's stale target is left alone";

    const std::int32_t expected[] = {-1, 4, 0, -1, -1};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(g.Tanks[i]->ChanceTarget, expected[i]) << "tank " << i;
}

TEST_F(RemoveTankTest, CellMarksFollowTheRenumbering) {
    DetachAndRemoveTank(g, 3);
    const std::int32_t occupants[] = {0, 1, 2, -1, 3, 4};
    for (std::int32_t x = 0; x < 6; ++x) {
        if (x == 3) {
            EXPECT_EQ(g.Cell(3, 0).Occupancy, CellFree) << "the removed tank's mark is gone";
            EXPECT_EQ(g.Cell(3, 0).MinimapColor, g.Cell(3, 0).GroundColor);
        } else {
            EXPECT_EQ(g.Cell(x, 0).Occupancy, CellTank);
            EXPECT_EQ(g.Cell(x, 0).Occupant, occupants[x]) << "cell " << x;
        }
    }
    for (std::int32_t x = 6; x < 8; ++x)
        for (std::int32_t y = 1; y < 3; ++y) EXPECT_EQ(g.Cell(x, y).Occupant, 14) << "object cover is a cell index";

    EXPECT_EQ(g.Cell(1, 1).LeavingTank, -1);
    EXPECT_EQ(g.Cell(1, 1).Clear, 1) << "nobody is driving off the cell any more";
    EXPECT_EQ(g.Cell(3, 1).LeavingTank, 4);
    EXPECT_EQ(g.Cell(3, 1).Clear, 0);
    EXPECT_EQ(g.Cell(5, 1).LeavingTank, 2);
}

TEST_F(RemoveTankTest, RemovingFirstAndLastAndMissingTanks) {
    DetachAndRemoveTank(g, 6);
    DetachAndRemoveTank(g, -1);
    EXPECT_EQ(g.Tanks.size(), 6u);

    DetachAndRemoveTank(g, 5);
    DetachAndRemoveTank(g, 0);
    EXPECT_EQ(CheckInvariants(g), "");
    while (!g.Tanks.empty()) {
        DetachAndRemoveTank(g, static_cast<std::int32_t>(g.Tanks.size()) / 2);
        ASSERT_EQ(CheckInvariants(g), "");
    }
    for (const auto& o : g.Orders) EXPECT_NE(o->Kind, OrderAttackTank);
    for (std::int32_t x = 0; x < 8; ++x) EXPECT_NE(g.Cell(x, 0).Occupancy, CellTank);
}

}  // namespace
}  // namespace tavrine
