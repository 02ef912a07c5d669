// The battlefield's mouse and keys: clicks and bands, the three kinds of order a
// click gives, decorations, the right button, hidden cells, the editing mode's
// hand-off to the map editor, and the keys.
#include <gtest/gtest.h>

#include "editor/path_tool.h"
#include "sim/grid.h"
#include "sim/queued_orders.h"
#include "view/commands.h"
#include "view/view_world.h"

namespace tavrine::test {
namespace {

/// A 20 x 12 land map with the view at the origin, so surface and map pixels agree.
struct CommandWorld : ViewWorld {
    CommandWorld() : ViewWorld(20, 12) {}

    SimContext ctx = Ctx();
    QuietHost host;
    Editor* editor = nullptr;
    PanelState panels;

    /// A left press, a move with the button held, and the release, all in map pixels.
    void Drag(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        DXDrawMouseDown(ctx, editor, host, MouseButton::Left, x0, y0);
        DXDrawMouseMove(ctx, editor, panels, true, x1, y1);
        DXDrawMouseUp(ctx, MouseButton::Left, x1, y1);
    }
    /// A click in the middle of cell (x, y).
    void Click(std::int32_t x, std::int32_t y) { Drag(x * 36 + 18, y * 36 + 18, x * 36 + 18, y * 36 + 18); }
    /// A band from the top-left corner of one cell to the bottom-right of another.
    void Band(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        Drag(x0 * 36 + 1, y0 * 36 + 1, x1 * 36 + 35, y1 * 36 + 35);
    }

    std::int32_t Tank(std::int32_t x, std::int32_t y, std::int32_t side) { return PutTank(g, lib, x, y, side); }
    void PlainBuilding(std::int32_t x, std::int32_t y, std::int32_t side) { PutObject(g, lib, x, y, {KindBuilding, side, 2, 0}); }
    void Factory(std::int32_t x, std::int32_t y, std::int32_t side) {
        PutObject(g, lib, x, y, {KindBuilding, side, BuildingFactory, 0});
    }
    void Wall(std::int32_t x, std::int32_t y) { PutObject(g, lib, x, y, {KindDecoration, 0, 0, 0}); }
    GameObjectType& T(std::int32_t i) { return *g.Tanks[static_cast<std::size_t>(i)]; }
    const OrderType& OrderOf(std::int32_t tank) { return *g.Orders.at(static_cast<std::size_t>(T(tank).Order)); }
};

TEST(Commands, FivePixelsApartIsAClickSixIsABand) {
    CommandWorld w;
    const std::int32_t mine = w.Tank(2, 2, SidePlayer);
    w.Click(2, 2);
    ASSERT_TRUE(w.T(mine).Selected);
    ASSERT_TRUE(w.g.UnitsSelected);

    // Five pixels: a click on open ground sends the tank to the release's cell.
    w.Drag(10 * 36 + 2, 5 * 36 + 2, 10 * 36 + 7, 5 * 36 + 7);
    ASSERT_GE(w.T(mine).Order, 0);
    EXPECT_EQ(w.OrderOf(mine).Kind, OrderMove);
    EXPECT_EQ(w.OrderOf(mine).TargetRef, CellIndex(w.g, 10, 5));
    EXPECT_FALSE(w.T(mine).Route.empty()) << "the field is completed at once and the route handed out";
    EXPECT_EQ(w.run.DragStartX, -1);

    // Six pixels: a band over empty ground, which selects nobody and orders nothing.
    const std::size_t orders = w.g.Orders.size();
    w.Drag(14 * 36 + 2, 8 * 36 + 2, 14 * 36 + 8, 8 * 36 + 2);
    EXPECT_FALSE(w.T(mine).Selected);
    EXPECT_FALSE(w.g.UnitsSelected);
    EXPECT_EQ(w.g.Orders.size(), orders);
}

TEST(Commands, ABandSelectsOnlyThePlayersTanks) {
    CommandWorld w;
    const std::int32_t a = w.Tank(2, 2, SidePlayer), b = w.Tank(3, 3, SidePlayer), enemy = w.Tank(4, 2, SideComputer);
    const std::int32_t outside = w.Tank(9, 9, SidePlayer);
    w.T(outside).Selected = 1;
    w.g.SelectedBuilding = 5;
    w.Band(1, 1, 5, 4);
    EXPECT_TRUE(w.T(a).Selected);
    EXPECT_TRUE(w.T(b).Selected);
    EXPECT_FALSE(w.T(enemy).Selected);
    EXPECT_FALSE(w.T(outside).Selected) << "a band replaces the selection";
    EXPECT_TRUE(w.g.UnitsSelected);
    EXPECT_EQ(w.g.SelectedBuilding, -1);

    // Drawn from bottom-right to top-left over computer tanks only.
    w.Drag(5 * 36 + 35, 4 * 36 + 35, 4 * 36 + 1, 2 * 36 + 1);
    EXPECT_FALSE(w.T(a).Selected);
    EXPECT_FALSE(w.T(enemy).Selected);
    EXPECT_FALSE(w.g.UnitsSelected);

    // A band's edges count: a centre exactly on the band's corner is inside.
    const PixelXY c = TankCentre(w.T(a), w.lib);
    w.Drag(c.X, c.Y, c.X + 20, c.Y + 20);
    EXPECT_TRUE(w.T(a).Selected);
}

TEST(Commands, AComputerTankClickedWithNothingSelectedIsOnlyLookedAt) {
    CommandWorld w;
    const std::int32_t enemy = w.Tank(6, 6, SideComputer);
    w.Click(6, 6);
    EXPECT_TRUE(w.T(enemy).Selected);
    EXPECT_FALSE(w.g.UnitsSelected);
    w.Click(12, 6);
    EXPECT_EQ(w.T(enemy).Order, -1) << "in play it takes no orders";
    EXPECT_TRUE(w.g.Orders.empty()) << "the order nobody took is cleared away again";

    // While editing, every selected tank follows a click on the ground.
    w.run.EditMode = 1;
    w.Click(12, 6);
    ASSERT_GE(w.T(enemy).Order, 0);
    EXPECT_EQ(w.OrderOf(enemy).TargetRef, CellIndex(w.g, 12, 6));
}

TEST(Commands, ClickingTanksSelectsOrAttacks) {
    CommandWorld w;
    const std::int32_t a = w.Tank(2, 2, SidePlayer), b = w.Tank(3, 2, SidePlayer), enemy = w.Tank(12, 8, SideComputer);
    w.Band(1, 1, 4, 3);
    ASSERT_TRUE(w.T(a).Selected && w.T(b).Selected);

    w.Click(12, 8);
    ASSERT_GE(w.T(a).Order, 0);
    EXPECT_EQ(w.T(a).Order, w.T(b).Order);
    EXPECT_EQ(w.OrderOf(a).Kind, OrderAttackTank);
    EXPECT_EQ(w.OrderOf(a).TargetRef, enemy);
    EXPECT_TRUE(w.T(a).Selected && w.T(b).Selected && w.g.UnitsSelected) << "the selection stays";
    EXPECT_FALSE(w.T(enemy).Selected);
    EXPECT_TRUE(w.run.PressOnObject);
    EXPECT_EQ(w.run.DragStartX, -1);

    // A player's tank clicked while tanks are selected becomes the only one.
    w.Click(3, 2);
    EXPECT_FALSE(w.T(a).Selected);
    EXPECT_TRUE(w.T(b).Selected);
    EXPECT_TRUE(w.g.UnitsSelected);
}

TEST(Commands, ClickingBuildingsAttacksOrSelectsThem) {
    CommandWorld w;
    const std::int32_t a = w.Tank(2, 2, SidePlayer);
    w.PlainBuilding(10, 4, SideComputer);
    w.Factory(4, 8, SidePlayer);
    w.Click(2, 2);

    w.Drag(10 * 36 + 40, 4 * 36 + 40, 10 * 36 + 40, 4 * 36 + 40);  // the building's second cell
    ASSERT_GE(w.T(a).Order, 0);
    EXPECT_EQ(w.OrderOf(a).Kind, OrderAttackBuilding);
    EXPECT_EQ(w.OrderOf(a).TargetRef, CellIndex(w.g, 10, 4)) << "the anchor cell";
    EXPECT_TRUE(w.T(a).Selected);

    w.Click(4, 8);
    EXPECT_FALSE(w.T(a).Selected);
    EXPECT_FALSE(w.g.UnitsSelected);
    EXPECT_EQ(w.g.SelectedBuilding, CellIndex(w.g, 4, 8));

    // With no tanks selected a computer building is selected, not attacked.
    const std::size_t orders = w.g.Orders.size();
    w.Click(10, 4);
    EXPECT_EQ(w.g.SelectedBuilding, CellIndex(w.g, 10, 4));
    EXPECT_EQ(w.g.Orders.size(), orders);
}

TEST(Commands, ADecorationTakesThePressAndChangesNothingElse) {
    CommandWorld w;
    const std::int32_t a = w.Tank(2, 2, SidePlayer);
    w.Wall(8, 5);
    w.Click(2, 2);
    w.g.SelectedBuilding = CellIndex(w.g, 1, 1);
    w.Drag(8 * 36 + 10, 5 * 36 + 10, 11 * 36, 7 * 36);  // press on the wall, drag away
    EXPECT_TRUE(w.T(a).Selected);
    EXPECT_TRUE(w.g.UnitsSelected);
    EXPECT_EQ(w.T(a).Order, -1) << "no move, no band";
    EXPECT_EQ(w.g.SelectedBuilding, -1) << "every press forgets the selected object";
    EXPECT_EQ(w.run.DragX, 8 * 36 + 10) << "the band's corner does not follow a press that was used";
}

TEST(Commands, ThePressSearchFindsTheFirstPictureColumnByColumn) {
    CommandWorld w;
    // Two tanks whose pictures both cover the pressed pixel: the one in the
    // column further left wins, whatever their order in the list.
    const std::int32_t right = w.Tank(6, 5, SidePlayer), left = w.Tank(5, 5, SidePlayer);
    w.T(left).X += 20;
    w.Click(6, 5);  // pixel (234, 198): inside both pictures
    EXPECT_TRUE(w.T(left).Selected);
    EXPECT_FALSE(w.T(right).Selected);

    // A tank more than two cells from the pressed cell is not searched.
    CommandWorld far;
    const std::int32_t t = far.Tank(2, 2, SidePlayer);
    far.T(t).X += 3 * 36;  // drawn over cell (5, 2) but standing in (2, 2)
    far.Click(5, 2);
    EXPECT_FALSE(far.T(t).Selected);
}

TEST(Commands, ARightPressClearsTheSelectionAndNeverOrders) {
    CommandWorld w;
    const std::int32_t a = w.Tank(2, 2, SidePlayer);
    w.Click(2, 2);
    w.g.SelectedBuilding = 7;
    DXDrawMouseDown(w.ctx, nullptr, w.host, MouseButton::Right, 300, 300);
    DXDrawMouseUp(w.ctx, MouseButton::Right, 300, 300);
    EXPECT_FALSE(w.T(a).Selected);
    EXPECT_FALSE(w.g.UnitsSelected);
    EXPECT_EQ(w.g.SelectedBuilding, -1);
    EXPECT_TRUE(w.g.Orders.empty());

    // A release of another button leaves a left press recorded.
    DXDrawMouseDown(w.ctx, nullptr, w.host, MouseButton::Left, 400, 300);
    DXDrawMouseUp(w.ctx, MouseButton::Right, 400, 300);
    EXPECT_EQ(w.run.DragStartX, 400);
    // ...unless the press clicked a tank: then any release forgets it.
    DXDrawMouseDown(w.ctx, nullptr, w.host, MouseButton::Left, 2 * 36 + 18, 2 * 36 + 18);
    DXDrawMouseUp(w.ctx, MouseButton::Right, 2 * 36 + 18, 2 * 36 + 18);
    EXPECT_EQ(w.run.DragStartX, -1);
}

TEST(Commands, HiddenCellsTakeNoClicksInPlay) {
    CommandWorld w;
    const std::int32_t a = w.Tank(4, 4, SidePlayer);
    w.g.Cell(4, 4).Hidden = 1;
    w.Click(4, 4);
    EXPECT_FALSE(w.T(a).Selected);

    // A picture reaching into a hidden cell from a visible one is not found there.
    w.T(a).X += 20;
    w.g.Cell(4, 4).Hidden = 0;
    w.g.Cell(5, 4).Hidden = 1;
    w.Drag(5 * 36 + 5, 4 * 36 + 10, 5 * 36 + 5, 4 * 36 + 10);
    EXPECT_FALSE(w.T(a).Selected);

    w.run.EditMode = 1;
    w.Drag(5 * 36 + 5, 4 * 36 + 10, 5 * 36 + 5, 4 * 36 + 10);
    EXPECT_TRUE(w.T(a).Selected) << "the editing mode sees through the fog";
}

TEST(Commands, ReleasesWithoutAPressOrOffTheMapGiveNoOrder) {
    CommandWorld w;
    const std::int32_t a = w.Tank(2, 2, SidePlayer);
    w.Click(2, 2);
    // The button went down outside the game view and is released over it.
    DXDrawMouseMove(w.ctx, nullptr, w.panels, true, 300, 300);
    DXDrawMouseUp(w.ctx, MouseButton::Left, 300, 300);
    EXPECT_TRUE(w.T(a).Selected);
    EXPECT_EQ(w.T(a).Order, -1);

    // A map smaller than the screen is centred: left of it there is no cell.
    w.g.ViewX = -100;
    w.Drag(50, 100, 50, 100);
    EXPECT_EQ(w.T(a).Order, -1);
    EXPECT_TRUE(w.g.Orders.empty());
    w.Drag(100 + 5 * 36 + 1, 100, 100 + 5 * 36 + 1, 100);
    ASSERT_GE(w.T(a).Order, 0);
    EXPECT_EQ(w.OrderOf(a).TargetRef, CellIndex(w.g, 5, 2));
}

TEST(Commands, MovingTheMouseStopsScrollingAndSendsTheMenuAway) {
    CommandWorld w;
    w.g.ViewX = 72;
    w.g.ViewY = 36;
    w.run.ScrollDX = -24;
    w.run.ScrollDY = 24;
    w.panels.MenuButtonDown = true;
    DXDrawMouseMove(w.ctx, nullptr, w.panels, false, 10, 20);
    EXPECT_FALSE(w.panels.MenuButtonDown);
    EXPECT_EQ(w.run.ScrollDX, 0);
    EXPECT_EQ(w.run.ScrollDY, 0);
    EXPECT_EQ(w.run.MouseMapX, 82);
    EXPECT_EQ(w.run.MouseMapY, 56);
    EXPECT_FALSE(w.run.Dragging);

    DXDrawMouseDown(w.ctx, nullptr, w.host, MouseButton::Left, 10, 20);
    DXDrawMouseMove(w.ctx, nullptr, w.panels, true, 30, 50);
    EXPECT_TRUE(w.run.Dragging);
    EXPECT_EQ(w.run.DragStartX, 82);
    EXPECT_EQ(w.run.DragX, 102);
    EXPECT_EQ(w.run.DragY, 86);
}

TEST(Commands, TheEditingModeHandsPressesToTheMapEditor) {
    CommandWorld w;
    Editor editor;
    w.editor = &editor;
    w.run.EditMode = 1;
    ASSERT_TRUE(editor.SetTool(ToolFillLand));
    QuietHost no(false);
    DXDrawMouseDown(w.ctx, &editor, no, MouseButton::Left, 100, 100);
    EXPECT_EQ(no.lastQuestion, kFillLandQuestion);

    // A press that clicks a tank is not the editor's.
    w.Tank(8, 8, SidePlayer);
    QuietHost asked(false);
    DXDrawMouseDown(w.ctx, &editor, asked, MouseButton::Left, 8 * 36 + 18, 8 * 36 + 18);
    EXPECT_TRUE(asked.lastQuestion.empty());

    // A line tool starts a path on a press, follows the mouse, and a right press ends it.
    ASSERT_TRUE(editor.SetTool(ToolWall0));
    DXDrawMouseDown(w.ctx, &editor, w.host, MouseButton::Left, 2 * 36 + 5, 2 * 36 + 5);
    ASSERT_TRUE(w.run.EditDrawing);
    DXDrawMouseMove(w.ctx, &editor, w.panels, false, 6 * 36 + 5, 2 * 36 + 5);
    EXPECT_FALSE(w.run.EditTrack.empty());
    DXDrawMouseDown(w.ctx, &editor, w.host, MouseButton::Right, 6 * 36 + 5, 2 * 36 + 5);
    EXPECT_FALSE(w.run.EditDrawing);

    // In play no press reaches the editor, whatever tool is latched.
    w.run.EditMode = 0;
    ASSERT_TRUE(editor.SetTool(ToolFillLand));
    QuietHost play(false);
    DXDrawMouseDown(w.ctx, &editor, play, MouseButton::Left, 300, 300);
    EXPECT_TRUE(play.lastQuestion.empty());
}

TEST(Commands, TitleAndResultScreensTurnEveryPressAndKeyIntoTheLoadDialog) {
    CommandWorld w;
    const std::int32_t a = w.Tank(2, 2, SidePlayer);
    w.run.TitleShown = 1;
    w.run.FadeInPending = 1;
    EXPECT_FALSE(LoadScreenShown(w.run)) << "not before the title has faded in";
    EXPECT_EQ(FormKeyDown(w.run, GameKey::Escape, false), KeyCommand::Exit);
    w.run.FadeInPending = 0;
    EXPECT_TRUE(DXDrawMouseDown(w.ctx, nullptr, w.host, MouseButton::Right, 0, 0));
    EXPECT_EQ(FormKeyDown(w.run, GameKey::Other, false), KeyCommand::LoadGame);
    EXPECT_EQ(FormKeyDown(w.run, GameKey::Escape, false), KeyCommand::LoadGame);

    w.run.TitleShown = 0;
    w.run.Outcome = OutcomeFailed;
    w.T(a).Selected = 1;
    EXPECT_TRUE(DXDrawMouseDown(w.ctx, nullptr, w.host, MouseButton::Right, 0, 0));
    EXPECT_TRUE(w.T(a).Selected) << "the press did nothing else";
    EXPECT_EQ(FormKeyDown(w.run, GameKey::A, false), KeyCommand::LoadGame);
}

TEST(Commands, KeysInPlayAndWhileEditing) {
    struct Row {
        bool editing;
        GameKey key;
        bool alt, ctrl;
        KeyCommand expected;
    };
    const Row rows[] = {
        {false, GameKey::Escape, false, false, KeyCommand::Exit},
        {false, GameKey::A, false, false, KeyCommand::AttackMove},
        {false, GameKey::S, false, false, KeyCommand::Stop},
        {false, GameKey::R, false, false, KeyCommand::RallyKey},
        {false, GameKey::F1, false, false, KeyCommand::Help},
        {true, GameKey::F1, false, false, KeyCommand::Help},
        {true, GameKey::R, false, false, KeyCommand::None},
        {false, GameKey::Return, true, false, KeyCommand::ToggleFullScreen},
        {false, GameKey::P, false, false, KeyCommand::TogglePause},
        {false, GameKey::Pause, false, false, KeyCommand::TogglePause},
        {false, GameKey::P, false, true, KeyCommand::None},
        {false, GameKey::Left, false, false, KeyCommand::BattleKey},
        {false, GameKey::Digit1, false, false, KeyCommand::BattleKey},
        {false, GameKey::Digit9, false, true, KeyCommand::BattleKey},
        {false, GameKey::A, false, true, KeyCommand::BattleKey},
        {false, GameKey::Other, false, true, KeyCommand::None},
        {true, GameKey::Escape, false, false, KeyCommand::Exit},
        {true, GameKey::A, false, false, KeyCommand::Flash},
        {true, GameKey::A, false, true, KeyCommand::BattleKey},
        {true, GameKey::S, true, false, KeyCommand::ImageEditor},
        {true, GameKey::Return, true, false, KeyCommand::ToggleFullScreen},
        {true, GameKey::Return, false, false, KeyCommand::None},
        {true, GameKey::Other, false, false, KeyCommand::None},
        {true, GameKey::P, false, false, KeyCommand::None},
        {true, GameKey::Down, false, false, KeyCommand::BattleKey},
    };
    for (const Row& r : rows) {
        RunState run;
        run.EditMode = r.editing ? 1 : 0;
        EXPECT_EQ(FormKeyDown(run, r.key, r.alt, r.ctrl), r.expected)
            << "editing " << r.editing << " key " << static_cast<int>(r.key) << " alt " << r.alt << " ctrl " << r.ctrl;
    }
}

TEST(Commands, BandDraggedPastTheBattlefieldSelectsTheTanksInItsCorner) {
    // The whole 20 x 12 map on the surface; the corner tank lies where the
    // minimap panel and the status bar cover the battlefield.
    CommandWorld w;
    w.run.DisplayWidth = 720;
    w.run.DisplayHeight = 432;
    const std::int32_t corner = w.Tank(19, 11, SidePlayer);
    w.Drag(600, 300, 5000, 9000);
    EXPECT_EQ(w.run.DragX, 719);
    EXPECT_EQ(w.run.DragY, 431);
    EXPECT_TRUE(w.T(corner).Selected);
    EXPECT_TRUE(w.g.UnitsSelected);
}

}  // namespace
}  // namespace tavrine::test

namespace tavrine::test {
namespace {

// Each of the play commands, as the player gives it, and what it leaves.
TEST(Commands, ShiftQueuesStopAndRally) {
    CommandWorld w;
    const std::int32_t a = w.Tank(2, 2, SidePlayer), b = w.Tank(4, 2, SidePlayer), c = w.Tank(6, 2, SidePlayer);
    const std::int32_t enemy = w.Tank(15, 9, SideComputer);
    w.PlainBuilding(16, 2, SideComputer);
    w.Factory(2, 7, SidePlayer);
    const auto shiftClick = [&](std::int32_t x, std::int32_t y) {
        DXDrawMouseDown(w.ctx, w.editor, w.host, MouseButton::Left, x * 36 + 18, y * 36 + 18, true);
        DXDrawMouseUp(w.ctx, MouseButton::Left, x * 36 + 18, y * 36 + 18, true);
    };
    const auto selected = [&] { return std::vector<int>{w.T(a).Selected, w.T(b).Selected, w.T(c).Selected}; };
    using Q = std::vector<QueuedOrder>;

    w.Click(2, 2);
    shiftClick(4, 2);
    EXPECT_EQ(selected(), (std::vector<int>{1, 1, 0})) << "Shift+click adds a tank";
    shiftClick(2, 2);
    EXPECT_EQ(selected(), (std::vector<int>{0, 1, 0})) << "Shift+click on a selected tank takes it out";
    DXDrawMouseDown(w.ctx, w.editor, w.host, MouseButton::Left, 5 * 36, 36, true);
    DXDrawMouseMove(w.ctx, w.editor, w.panels, true, 7 * 36, 3 * 36);
    DXDrawMouseUp(w.ctx, MouseButton::Left, 7 * 36, 3 * 36, true);
    EXPECT_EQ(selected(), (std::vector<int>{0, 1, 1})) << "Shift+band adds the tanks in it";

    shiftClick(10, 5);
    shiftClick(15, 9);
    shiftClick(16, 2);
    w.run.AttackMovePending = 1;
    shiftClick(12, 10);
    const Q queued{{QueuedMove, CellIndex(w.g, 10, 5)}, {QueuedAttackTank, enemy}, {QueuedAttackBuilding, CellIndex(w.g, 16, 2)},
                   {QueuedAttackMove, CellIndex(w.g, 12, 10)}};
    EXPECT_EQ(w.T(b).Queue, queued);
    EXPECT_EQ(w.T(c).Queue, queued);
    EXPECT_TRUE(w.T(a).Queue.empty());
    EXPECT_LT(w.T(b).Order, 0) << "queued orders wait for the tick";

    StartAttackMove(w.g, w.run);
    w.Click(12, 6);
    EXPECT_EQ(w.T(b).AttackMoveCell, CellIndex(w.g, 12, 6)) << "A then a click: an attack-move in place of the queue";
    EXPECT_TRUE(w.T(b).Queue.empty());
    ASSERT_GE(w.T(b).Order, 0);
    EXPECT_EQ(w.OrderOf(b).TargetRef, CellIndex(w.g, 12, 6));

    StopSelected(w.ctx);
    EXPECT_EQ(w.T(b).Order, -1);
    EXPECT_TRUE(w.T(b).Route.empty());
    EXPECT_EQ(w.T(b).AttackMoveCell, -1);

    w.Click(2, 7);
    EXPECT_EQ(w.g.SelectedBuilding, CellIndex(w.g, 2, 7));
    w.run.RallyKeyHeld = 1;
    w.Click(9, 9);
    w.run.RallyKeyHeld = 0;
    EXPECT_EQ(ObjectAt(w.g, CellIndex(w.g, 2, 7))->Rally, CellIndex(w.g, 9, 9));
    EXPECT_EQ(w.g.SelectedBuilding, CellIndex(w.g, 2, 7)) << "the factory stays selected to show its flag";
    EXPECT_EQ(RallyOrder(w.g, CellIndex(w.g, 9, 9)), (QueuedOrder{QueuedMove, CellIndex(w.g, 9, 9)}));
    EXPECT_EQ(RallyOrder(w.g, CellIndex(w.g, 16, 2)), (QueuedOrder{QueuedAttackBuilding, CellIndex(w.g, 16, 2)}));
}

}  // namespace
}  // namespace tavrine::test
