// The battle keys: arrow scrolling, control groups (stored, recalled, centred on,
// kept in step with the tank list) and selecting every tank in view.
#include <gtest/gtest.h>

#include "sim/grid.h"
#include "state/lists.h"
#include "view/keys.h"
#include "view/view_world.h"

namespace tavrine::test {
namespace {

TEST(BattleKeys, ArrowsScrollOneStepPerTickWhileHeldAndOnceWhenTapped) {
    struct Row {
        std::vector<GameKey> held;
        std::int32_t dx, dy;
    };
    const Row rows[] = {
        {{GameKey::Left}, -24, 0},
        {{GameKey::Right}, 24, 0},
        {{GameKey::Up}, 0, -24},
        {{GameKey::Down}, 0, 24},
        {{GameKey::Up, GameKey::Right}, 24, -24},
        {{GameKey::Left, GameKey::Right}, 0, 0},
        {{GameKey::Digit1}, 0, 0},
    };
    for (const Row& r : rows) {
        ViewWorld w(100, 100);
        w.g.ViewX = w.g.ViewY = 1000;
        SimContext ctx = w.Ctx();
        for (GameKey k : r.held) BattleKeyDown(ctx, k, false);
        const bool arrows = KeyboardScroll(w.g, w.run);
        EXPECT_EQ(arrows, r.held[0] != GameKey::Digit1);
        EXPECT_EQ(w.g.ViewX - 1000, r.dx) << static_cast<int>(r.held[0]);
        EXPECT_EQ(w.g.ViewY - 1000, r.dy) << static_cast<int>(r.held[0]);
        // Held: the next tick scrolls again; released: no more.
        KeyboardScroll(w.g, w.run);
        EXPECT_EQ(w.g.ViewX - 1000, 2 * r.dx);
        for (GameKey k : r.held) BattleKeyUp(w.run, k);
        KeyboardScroll(w.g, w.run);
        EXPECT_EQ(w.g.ViewX - 1000, 2 * r.dx);
    }

    // Pressed and released between two ticks: one step; at the border: clamped.
    ViewWorld w(100, 100);
    SimContext ctx = w.Ctx();
    BattleKeyDown(ctx, GameKey::Down, false);
    BattleKeyUp(w.run, GameKey::Down);
    BattleKeyDown(ctx, GameKey::Left, false);
    BattleKeyUp(w.run, GameKey::Left);
    EXPECT_TRUE(KeyboardScroll(w.g, w.run));
    EXPECT_EQ(w.g.ViewX, 0);
    EXPECT_EQ(w.g.ViewY, 24);
    EXPECT_FALSE(KeyboardScroll(w.g, w.run));
}

TEST(BattleKeys, GroupsAreStoredRecalledCentredAndFollowTheTankList) {
    ViewWorld w(100, 100);
    SimContext ctx = w.Ctx();
    const auto tank = [&](std::int32_t x, std::int32_t y, std::int32_t side) { return PutTank(w.g, w.lib, x, y, side); };
    const std::int32_t a = tank(2, 2, SidePlayer), b = tank(60, 60, SidePlayer), c = tank(62, 60, SidePlayer);
    const std::int32_t enemy = tank(3, 3, SideComputer);
    const auto selected = [&] {
        std::vector<std::int32_t> s;
        for (std::size_t i = 0; i < w.g.Tanks.size(); ++i)
            if (w.g.Tanks[i]->Selected) s.push_back(static_cast<std::int32_t>(i));
        return s;
    };
    const auto press = [&](GameKey k, bool ctrl, std::int64_t ticksLater = 0) {
        w.run.TickCount += ticksLater;
        BattleKeyDown(ctx, k, ctrl);
    };

    // Ctrl+2 keeps only the player's selected tanks.
    for (std::int32_t i : {b, c, enemy}) w.g.Tanks[static_cast<std::size_t>(i)]->Selected = 1;
    press(GameKey::Digit2, true);
    EXPECT_EQ(w.run.ControlGroups[1], (std::vector<std::int32_t>{b, c}));

    // Deselected, then recalled alone; an empty group changes nothing.
    for (auto& t : w.g.Tanks) t->Selected = 0;
    w.g.Tanks[static_cast<std::size_t>(a)]->Selected = 1;
    w.g.SelectedBuilding = 7;
    press(GameKey::Digit5, false);
    EXPECT_EQ(selected(), std::vector<std::int32_t>{a});
    press(GameKey::Digit2, false);
    EXPECT_EQ(selected(), (std::vector<std::int32_t>{b, c}));
    EXPECT_TRUE(w.g.UnitsSelected);
    EXPECT_EQ(w.g.SelectedBuilding, -1);
    EXPECT_EQ(w.g.ViewX, 0) << "one press does not move the view";

    // Again within half a second (16 ticks of 30 ms = 480 ms): centred on the group.
    press(GameKey::Digit2, false, 16);
    const PixelXY cb = TankCentre(*w.g.Tanks[static_cast<std::size_t>(b)], w.lib);
    const PixelXY cc = TankCentre(*w.g.Tanks[static_cast<std::size_t>(c)], w.lib);
    EXPECT_EQ(w.g.ViewX, (cb.X + cc.X) / 2 - 400);
    EXPECT_EQ(w.g.ViewY, (cb.Y + cc.Y) / 2 - 300);
    w.g.ViewX = w.g.ViewY = 0;
    press(GameKey::Digit2, false, 17);
    EXPECT_EQ(w.g.ViewX, 0) << "510 ms later it is a new first press";

    // A tank leaving the list leaves its groups; later tanks move down.
    DetachAndRemoveTank(w.g, b);
    RemoveTankFromGroups(w.run, b);
    EXPECT_EQ(w.run.ControlGroups[1], std::vector<std::int32_t>{c - 1});

    // Ctrl+A: every player tank with its centre on the screen, none of the computer's.
    for (auto& t : w.g.Tanks) t->Selected = 1;
    press(GameKey::A, true);
    EXPECT_EQ(selected(), std::vector<std::int32_t>{a});
}

}  // namespace
}  // namespace tavrine::test
