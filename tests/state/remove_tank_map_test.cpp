// Removing a tank renumbers everything on the map that names a tank: towers'
// targets and the cells' marks. Checked on crowded random maps against what each
// object and cell must become on its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/lists.h"
#include "state/random.h"
#include "support/test_world.h"

namespace tavrine {
namespace {

using test::MakeMap;
using test::MakeTestLibrary;
using test::PutObject;

struct CellBefore {
    bool HasObject = false;
    std::int32_t TowerState = 0, TowerTarget = 0;
    std::int32_t Occupancy = 0, Occupant = 0, LeavingTank = 0;
    std::uint8_t Clear = 0;
    Color MinimapColor = 0, GroundColor = 0;
};

/// A tank reference after tank `removed` went: later tanks move down by one.
std::int32_t Followed(std::int32_t ref, std::int32_t removed) { return ref > removed ? ref - 1 : ref; }

TEST(RemoveTankMapTest, EveryTowerAndCellOnACrowdedMapFollowsTheRemoval) {
    const ImageLibrary lib = MakeTestLibrary();
    Random rng(2024);
    for (int round = 0; round < 20; ++round) {
        const std::int32_t columns = 5 + rng(40), rows = 5 + rng(40);
        GameType g = MakeMap(std::vector<std::string>(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '.')));
        const std::int32_t tanks = 1 + rng(12);
        g.Tanks.clear();
        for (std::int32_t i = 0; i < tanks; ++i) {
            g.Tanks.push_back(std::make_unique<GameObjectType>());
            g.Tanks.back()->Index = i;
        }
        // Towers with every kind of target (the removed tank, earlier, later,
        // none, stale while idle), tank marks naming any tank, and tanks driving off.
        for (std::int32_t x = 0; x < columns; ++x)
            for (std::int32_t y = 0; y < rows; ++y) {
                GameCellType& c = g.Cell(x, y);
                c.GroundColor = 0x101010 * (1 + rng(5));
                c.MinimapColor = 0xABCDEF;
                c.Clear = static_cast<std::uint8_t>(rng(2));
                c.LeavingTank = rng(3) == 0 ? rng(tanks + 1) - 1 : -1;
                const std::int32_t what = rng(6);
                if (what == 0) {
                    GameCellObjectType& o = PutObject(g, lib, x, y, {2, 1, 0, 0});
                    o.TowerState = rng(3);
                    o.TowerTarget = rng(tanks + 2) - 1;
                } else if (what == 1 && g.Cell(x, y).Occupancy == CellFree) {
                    c.Occupancy = CellTank;
                    c.Occupant = rng(tanks);
                }
            }
        const std::int32_t removed = rng(tanks);

        std::vector<CellBefore> before;
        for (std::int32_t x = 0; x < columns; ++x)
            for (std::int32_t y = 0; y < rows; ++y) {
                const GameCellType& c = g.Cell(x, y);
                CellBefore b;
                b.HasObject = c.Object != nullptr;
                if (c.Object) {
                    b.TowerState = c.Object->TowerState;
                    b.TowerTarget = c.Object->TowerTarget;
                }
                b.Occupancy = c.Occupancy;
                b.Occupant = c.Occupant;
                b.LeavingTank = c.LeavingTank;
                b.Clear = c.Clear;
                b.MinimapColor = c.MinimapColor;
                b.GroundColor = c.GroundColor;
                before.push_back(b);
            }

        DetachAndRemoveTank(g, removed);
        ASSERT_EQ(g.Tanks.size(), static_cast<std::size_t>(tanks - 1));

        std::size_t k = 0;
        for (std::int32_t x = 0; x < columns; ++x)
            for (std::int32_t y = 0; y < rows; ++y, ++k) {
                const CellBefore& b = before[k];
                const GameCellType& c = g.Cell(x, y);
                const std::string where = "round " + std::to_string(round) + " cell " + std::to_string(x) + "," + std::to_string(y);
                ASSERT_EQ(c.Object != nullptr, b.HasObject) << where;
                if (b.HasObject) {
                    if (b.TowerState == 1 && b.TowerTarget == removed) {
                        EXPECT_EQ(c.Object->TowerState, 0) << where;
                        EXPECT_EQ(c.Object->TowerTarget, -1) << where;
                    } else {
                        EXPECT_EQ(c.Object->TowerState, b.TowerState) << where;
                        EXPECT_EQ(c.Object->TowerTarget, b.TowerState == 1 ? Followed(b.TowerTarget, removed) : b.TowerTarget)
                            << where;
                    }
                }
                if (b.Occupancy == CellTank && b.Occupant == removed) {
                    EXPECT_EQ(c.Occupancy, CellFree) << where;
                    EXPECT_EQ(c.Occupant, -1) << where;
                    EXPECT_EQ(c.MinimapColor, b.GroundColor) << where;
                } else {
                    EXPECT_EQ(c.Occupancy, b.Occupancy) << where;
                    EXPECT_EQ(c.Occupant, b.Occupancy == CellTank ? Followed(b.Occupant, removed) : b.Occupant) << where;
                    EXPECT_EQ(c.MinimapColor, b.MinimapColor) << where;
                }
                if (b.LeavingTank == removed) {
                    EXPECT_EQ(c.LeavingTank, -1) << where;
                    EXPECT_EQ(c.Clear, 1) << where;
                } else {
                    EXPECT_EQ(c.LeavingTank, Followed(b.LeavingTank, removed)) << where;
                    EXPECT_EQ(c.Clear, b.Clear) << where;
                }
            }
    }
}

}  // namespace
}  // namespace tavrine
