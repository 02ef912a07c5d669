// Ruins and wrecks are written into the ground's frame; on a coast or mountain
// border the frame is the edge piece itself, so the piece must stay.
#include <gtest/gtest.h>

#include "sim/combat.h"
#include "sim/battle_world.h"

namespace tavrine {
namespace {

TEST(Debris, RuinsAndWrecksLeaveEdgePiecesAlone) {
    test::BattleWorld w({
        "........",
        "........",
        "........",
        "........",
    });
    // A building over a coast piece (0, 2, 1, 0) and plain land; a tank on a
    // mountain-border piece (0, 2, 2, 0).
    w.Cell(2, 1).Ground = {0, 2, 1, 0};
    test::PutObject(w.G, w.Lib, 1, 1, {3, 1, 2, 0});
    const auto tank = w.Put(5, 2, 1);
    w.Cell(5, 2).Ground = {0, 2, 2, 0};
    w.Tank(tank).Health = 0;

    DestroyBuilding(w.Ctx, 1, 1);
    RemoveTank(w.Ctx, tank);

    EXPECT_EQ(w.Cell(2, 1).Ground, (ImageRef{0, 2, 1, 0})) << "the coast piece stays";
    EXPECT_EQ(w.Cell(5, 2).Ground, (ImageRef{0, 2, 2, 0})) << "the border piece stays";
    EXPECT_GE(w.Cell(1, 1).Ground.Frame, 1) << "plain land shows ruins";
    EXPECT_LE(w.Cell(1, 1).Ground.Frame, 5);
    EXPECT_EQ(w.Cell(2, 1).Occupancy, CellFree) << "the cell is freed all the same";
}

TEST(Debris, PlainMountainStillShowsRuins) {
    test::BattleWorld w({"....", "...."});
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 2; ++y) w.Cell(x, y).Ground = {0, 2, 0, 0};
    test::PutObject(w.G, w.Lib, 0, 0, {3, 1, 2, 0});
    DestroyBuilding(w.Ctx, 0, 0);
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 2; ++y) EXPECT_NE(w.Cell(x, y).Ground.Frame, 0);
}

}  // namespace
}  // namespace tavrine
