#include "view/commands.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "sim/grid.h"
#include "sim/groups.h"
#include "sim/orders.h"
#include "sim/queued_orders.h"
#include "view/keys.h"

namespace tavrine {

namespace {

/// Cells searched around the pressed cell on each side.
constexpr std::int32_t kPressReach = 2;

/// A surface coordinate plus the view origin, kept within the integer range.
std::int32_t ToMap(std::int32_t surface, std::int32_t origin) {
    const std::int64_t v = std::int64_t{surface} + origin;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

/// Creates an order, hands it to `member` tanks, completes its distance field at
/// once and clears away orders that no tank follows any more (the new one too,
/// when nobody took it). With `together`, an order given to several tanks moves
/// them as a group (sim/groups.h).
template <typename Member>
void GiveOrder(SimContext& ctx, std::int32_t kind, std::int32_t target, Member&& member, bool together = false) {
    GameType& g = ctx.G;
    const std::int32_t k = AddOrder(g, kind, target, OrderNew);
    std::size_t members = 0;
    for (auto& t : g.Tanks)
        if (t->Selected && member(*t)) {
            t->Order = k;
            // A plain command replaces whatever the tank was to do after it.
            t->Queue.clear();
            t->AttackMoveCell = -1;
            t->AttackMoveFighting = 0;
            ++members;
        }
    if (together && members > 1) KeepTogether(g, k);
    PlanOrder(ctx, k, true);
    MarkObsoleteOrders(ctx);
    RemoveOneObsoleteOrder(ctx);
}

void DeselectTanks(GameType& g) {
    for (auto& t : g.Tanks) t->Selected = 0;
    g.UnitsSelected = 0;
}

/// The player's selected tanks, by index.
std::vector<std::int32_t> SelectedPlayerTanks(const GameType& g) {
    std::vector<std::int32_t> tanks;
    for (const auto& t : g.Tanks)
        if (t->Selected && t->Side() == SidePlayer) tanks.push_back(t->Index);
    return tanks;
}

/// Appends an order to the queue of each of the player's selected tanks.
void QueueForSelected(GameType& g, QueuedOrder q) {
    for (auto& t : g.Tanks)
        if (t->Selected && t->Side() == SidePlayer) t->Queue.push_back(q);
}

/// The player's factory selected, as its anchor cell index, or -1.
std::int32_t SelectedFactory(const GameType& g) {
    const GameCellObjectType* o = g.SelectedBuilding >= 0 ? ObjectAt(g, g.SelectedBuilding) : nullptr;
    return o && o->Kind() == KindBuilding && o->Side() == SidePlayer && o->BuildingType() == BuildingFactory ? g.SelectedBuilding : -1;
}

/// The press search: the first tank or object under map pixel (mx, my) within
/// two cells of cell (cx, cy), column by column from the left, top to bottom
/// within a column. Returns true when one was clicked.
bool ClickUnderPress(SimContext& ctx, std::int32_t cx, std::int32_t cy, std::int32_t mx, std::int32_t my, bool shift) {
    GameType& g = ctx.G;
    const std::int32_t left = std::max(cx - kPressReach, 0), right = std::min(cx + kPressReach, g.Columns - 1);
    const std::int32_t top = std::max(cy - kPressReach, 0), bottom = std::min(cy + kPressReach, g.Rows - 1);
    for (std::int32_t x = left; x <= right; ++x)
        for (std::int32_t y = top; y <= bottom; ++y) {
            const GameCellType& c = g.Cell(x, y);
            if (c.Occupancy == CellTank) {
                const GameObjectType* t = TankAt(g, c.Occupant);
                if (t && TankHit(*t, ctx.Lib, mx, my)) {
                    ClickTank(ctx, c.Occupant, shift);
                    return true;
                }
            } else if (c.Occupancy == CellObject && ValidCellIndex(g, c.Occupant)) {
                const std::int32_t anchor = c.Occupant;
                const CellXY a = CellOfIndex(g, anchor);
                const GameCellObjectType* o = ObjectAt(g, anchor);
                if (o && ObjectHit(g, ctx.Lib, *o, a.X, a.Y, mx, my)) {
                    ClickBuilding(ctx, anchor, shift);
                    return true;
                }
            }
        }
    return false;
}

}  // namespace

bool LoadScreenShown(const RunState& run) { return (run.TitleShown && !run.FadeInPending) || run.Outcome != OutcomeRunning; }

bool DXDrawMouseDown(SimContext& ctx, Editor* editor, Host& host, MouseButton button, std::int32_t x, std::int32_t y,
                     bool shift) {
    GameType& g = ctx.G;
    RunState& run = ctx.Run;
    if (LoadScreenShown(run)) return true;

    run.PressOnObject = 0;
    run.RallyFactory = -1;
    if (button == MouseButton::Right) {
        DeselectTanks(g);
        run.AttackMovePending = 0;
    }
    if (button == MouseButton::Left && !run.EditMode && run.RallyKeyHeld) run.RallyFactory = SelectedFactory(g);
    g.SelectedBuilding = -1;
    if (button == MouseButton::Left && (run.RallyFactory >= 0 || (run.AttackMovePending && !run.EditMode))) {
        // The press only marks where the rally cell or the attack-move's target
        // is picked: the release names the cell, whatever stands on it.
        g.SelectedBuilding = run.RallyFactory;
        run.Dragging = 1;
        run.DragStartX = run.DragX = ToMap(x, g.ViewX);
        run.DragStartY = run.DragY = ToMap(y, g.ViewY);
        return false;
    }

    if (button == MouseButton::Left) {
        run.Dragging = 1;
        const std::int32_t mx = ToMap(x, g.ViewX), my = ToMap(y, g.ViewY);
        run.DragStartX = run.DragX = mx;
        run.DragStartY = run.DragY = my;
        const EditPoint cell = CellAtMapPixel(g, mx, my);
        if (g.OnMap(cell.X, cell.Y) && (!g.Cell(cell.X, cell.Y).Hidden || run.EditMode))
            run.PressOnObject = ClickUnderPress(ctx, cell.X, cell.Y, mx, my, shift && !run.EditMode) ? 1 : 0;
        if (!run.PressOnObject && run.EditMode && editor) editor->LeftPress(ctx, host, mx, my);
    }

    if (button == MouseButton::Right && run.EditDrawing) {
        if (editor)
            editor->RightPress(ctx);
        else
            run.EditDrawing = 0;
    }
    return false;
}

void DXDrawMouseMove(SimContext& ctx, Editor* editor, PanelState& panels, bool leftHeld, std::int32_t x, std::int32_t y) {
    RunState& run = ctx.Run;
    if (leftHeld && run.DragStartX != -1 && !run.PressOnObject) {
        // A band follows the pointer over the minimap and the status bar, and
        // beyond the window, held to the battlefield's edges.
        x = std::clamp(x, 0, std::max(run.DisplayWidth - 1, 0));
        y = std::clamp(y, 0, std::max(run.DisplayHeight - 1, 0));
    }
    panels.MenuButtonDown = false;
    run.ScrollDX = 0;
    run.ScrollDY = 0;
    run.Dragging = leftHeld ? 1 : 0;
    run.MouseMapX = ToMap(x, ctx.G.ViewX);
    run.MouseMapY = ToMap(y, ctx.G.ViewY);
    if (run.Dragging && !run.PressOnObject) {
        run.DragX = run.MouseMapX;
        run.DragY = run.MouseMapY;
    }
    if (run.EditDrawing && editor) editor->MouseMove(ctx, run.MouseMapX, run.MouseMapY);
}

void DXDrawMouseUp(SimContext& ctx, MouseButton button, std::int32_t x, std::int32_t y, bool shift) {
    GameType& g = ctx.G;
    RunState& run = ctx.Run;
    if (run.PressOnObject) {
        run.DragStartX = -1;
        return;
    }
    if (button != MouseButton::Left) return;
    run.Dragging = 0;
    // A release without a recorded press (the button went down outside the game
    // view) has no band to close and no click to finish.
    if (run.DragStartX == -1) return;

    const std::int64_t dx = std::int64_t{run.DragStartX} - run.DragX, dy = std::int64_t{run.DragStartY} - run.DragY;
    const bool adding = shift && !run.EditMode;
    const std::int32_t rallyFactory = run.RallyFactory;
    const bool attackMove = run.AttackMovePending && !run.EditMode;
    run.RallyFactory = -1;
    run.AttackMovePending = 0;
    if (rallyFactory >= 0) {
        // R held: the selected factory's rally cell, band or click alike.
        const EditPoint cell = CellAtMapPixel(g, ToMap(x, g.ViewX), ToMap(y, g.ViewY));
        GameCellObjectType* factory = ObjectAt(g, rallyFactory);
        if (factory && g.OnMap(cell.X, cell.Y)) factory->Rally = CellIndex(g, cell.X, cell.Y);
        g.SelectedBuilding = rallyFactory;
    } else if (std::llabs(dx) > kBandThreshold || std::llabs(dy) > kBandThreshold) {
        // Shift adds to a selection of the player's tanks; with none, a band is a band.
        const bool addBand = adding && g.UnitsSelected;
        const std::int32_t left = std::min(run.DragStartX, run.DragX), right = std::max(run.DragStartX, run.DragX);
        const std::int32_t top = std::min(run.DragStartY, run.DragY), bottom = std::max(run.DragStartY, run.DragY);
        bool any = false;
        for (auto& t : g.Tanks) {
            const PixelXY c = TankCentre(*t, ctx.Lib);
            const bool inside = c.X >= left && c.X <= right && c.Y >= top && c.Y <= bottom;
            if (!addBand || inside) t->Selected = inside && t->Side() == SidePlayer ? 1 : 0;
            any = any || t->Selected;
        }
        g.SelectedBuilding = -1;
        g.UnitsSelected = any ? 1 : 0;
    } else {
        // A release off the map (a map smaller than the screen) names no cell; a
        // cell number made from it would alias some other cell of the map.
        const EditPoint cell = CellAtMapPixel(g, ToMap(x, g.ViewX), ToMap(y, g.ViewY));
        if (g.OnMap(cell.X, cell.Y) && (attackMove || adding)) {
            const std::int32_t target = CellIndex(g, cell.X, cell.Y);
            if (adding) QueueForSelected(g, {attackMove ? QueuedAttackMove : QueuedMove, target});
            else AttackMoveTanks(ctx, target, SelectedPlayerTanks(g));
        } else if (g.OnMap(cell.X, cell.Y)) {
            const bool editing = run.EditMode != 0;
            GiveOrder(
                ctx, OrderMove, CellIndex(g, cell.X, cell.Y),
                [editing](const GameObjectType& t) { return editing || t.Side() == SidePlayer; },
                !editing && run.KeepGroups != 0);
        }
    }
    run.DragStartX = -1;
}

void ClickTank(SimContext& ctx, std::int32_t tank, bool shift) {
    GameType& g = ctx.G;
    GameObjectType* clicked = TankAt(g, tank);
    if (!clicked) return;
    const bool enemy = clicked->Side() != SidePlayer;
    if (shift && g.UnitsSelected && enemy) {
        QueueForSelected(g, {QueuedAttackTank, tank});
        return;
    }
    if (shift && !enemy) {
        // Shift toggles one of the player's tanks in or out of the selection.
        if (!g.UnitsSelected) DeselectTanks(g);
        clicked->Selected = clicked->Selected ? 0 : 1;
        g.UnitsSelected = std::any_of(g.Tanks.begin(), g.Tanks.end(), [](const auto& t) { return t->Selected != 0; }) ? 1 : 0;
        g.SelectedBuilding = -1;
        return;
    }
    if (g.UnitsSelected && enemy) {
        GiveOrder(ctx, OrderAttackTank, tank, [](const GameObjectType&) { return true; });
        return;
    }
    for (auto& t : g.Tanks) t->Selected = 0;
    clicked->Selected = 1;
    if (!g.UnitsSelected) {
        g.UnitsSelected = 1;
        g.SelectedBuilding = -1;
        if (enemy) g.UnitsSelected = 0;
    }
}

void ClickBuilding(SimContext& ctx, std::int32_t anchor, bool shift) {
    GameType& g = ctx.G;
    const GameCellObjectType* o = ObjectAt(g, anchor);
    if (!o || o->Kind() < KindTower) return;
    if (shift && o->Side() != SidePlayer && g.UnitsSelected) {
        QueueForSelected(g, {QueuedAttackBuilding, anchor});
        return;
    }
    if (o->Side() != SidePlayer && g.UnitsSelected) {
        GiveOrder(ctx, OrderAttackBuilding, anchor, [](const GameObjectType&) { return true; });
        return;
    }
    DeselectTanks(g);
    g.SelectedBuilding = anchor;
}

KeyCommand FormKeyDown(const RunState& run, GameKey key, bool alt, bool ctrl) {
    if (LoadScreenShown(run)) {
        if (run.Outcome != OutcomeRunning && !alt && !ctrl) {
            if (key == GameKey::N && run.ResultOffersNext) return KeyCommand::NextMission;
            if (key == GameKey::R && run.ResultOffersRetry) return KeyCommand::PlayAgain;
        }
        return KeyCommand::LoadGame;
    }
    if (key == GameKey::Escape) return KeyCommand::Exit;
    // Full screen or a window, in play as in the editing mode.
    if (key == GameKey::Return && alt && !ctrl) return KeyCommand::ToggleFullScreen;
    if (IsBattleKey(key, ctrl)) return KeyCommand::BattleKey;
    if (key == GameKey::F1 && !run.TitleShown) return KeyCommand::Help;
    if (ctrl) return KeyCommand::None;
    if ((key == GameKey::P || key == GameKey::Pause) && !run.EditMode && !run.TitleShown) return KeyCommand::TogglePause;
    if (!run.EditMode && !run.TitleShown) {
        switch (key) {
            case GameKey::A: return KeyCommand::AttackMove;
            case GameKey::S: return KeyCommand::Stop;
            case GameKey::R: return KeyCommand::RallyKey;
            default: break;
        }
    }
    if (!run.EditMode) return KeyCommand::None;
    switch (key) {
        case GameKey::A: return KeyCommand::Flash;
        case GameKey::S: return KeyCommand::ImageEditor;
        case GameKey::Return: return alt ? KeyCommand::ToggleFullScreen : KeyCommand::None;
        default: return KeyCommand::None;
    }
}

}  // namespace tavrine

namespace tavrine {

void StopSelected(SimContext& ctx) {
    GameType& g = ctx.G;
    bool any = false;
    for (auto& t : g.Tanks) {
        if (!t->Selected || t->Side() != SidePlayer) continue;
        any = true;
        t->Order = -1;
        t->Route.clear();
        t->Queue.clear();
        t->AttackMoveCell = -1;
        t->AttackMoveFighting = 0;
    }
    if (!any) return;
    MarkObsoleteOrders(ctx);
    RemoveOneObsoleteOrder(ctx);
}

void StartAttackMove(GameType& g, RunState& run) {
    run.AttackMovePending = SelectedPlayerTanks(g).empty() ? 0 : 1;
}

}  // namespace tavrine
