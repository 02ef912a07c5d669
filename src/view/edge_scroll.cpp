#include "view/edge_scroll.h"

#include <array>

#include "sim/grid.h"

namespace tavrine {

namespace {

/// One zone of the screen border, tested in table order; the first that applies wins.
struct EdgeZone {
    bool Left, Top, Right, Bottom;  ///< the mouse edges that make up the zone
    std::int32_t DX, DY;            ///< velocity in scroll steps; 0 leaves a component as it was
    std::int32_t Cursor;            ///< while the view can still move that way
    std::int32_t BlockedCursor;     ///< when the view touches the border(s) of the zone
};

constexpr std::array<EdgeZone, 8> kEdgeZones = {{
    {true, true, false, false, -1, -1, 5, 13},
    {false, true, true, false, 1, -1, 6, 14},
    {false, false, true, true, 1, 1, 7, 15},
    {true, false, false, true, -1, 1, 8, 16},
    {true, false, false, false, -1, 0, 1, 9},
    {false, true, false, false, 0, -1, 2, 10},
    {false, false, true, false, 1, 0, 3, 11},
    {false, false, false, true, 0, 1, 4, 12},
}};

/// Four sides, each true when it applies.
struct Sides {
    bool Left, Top, Right, Bottom;
};

bool Covers(const Sides& s, const EdgeZone& z) {
    return (!z.Left || s.Left) && (!z.Top || s.Top) && (!z.Right || s.Right) && (!z.Bottom || s.Bottom);
}

std::int32_t ForObject(const SimContext& ctx, const GameCellType& cell) {
    const GameType& g = ctx.G;
    const bool selected = g.UnitsSelected != 0;
    const GameCellObjectType* o = ValidCellIndex(g, cell.Occupant) ? ObjectAt(g, cell.Occupant) : nullptr;
    if (!o) return selected ? CursorMove : CursorPointer;  // a stale mark: plain ground
    const CellXY anchor = CellOfIndex(g, cell.Occupant);
    if (!ObjectHit(g, ctx.Lib, *o, anchor.X, anchor.Y, ctx.Run.MouseMapX, ctx.Run.MouseMapY))
        return selected ? CursorMove : CursorPointer;
    if (o->Kind() == KindTower || o->Kind() == KindBuilding)
        return o->Side() != SidePlayer && selected ? CursorAttack : CursorSelect;
    return CursorNotPossible;
}

}  // namespace

std::int32_t HoverCursor(const SimContext& ctx) {
    const GameType& g = ctx.G;
    const RunState& run = ctx.Run;
    const bool selected = g.UnitsSelected != 0;
    if (g.CellWidth <= 0 || g.CellHeight <= 0) return CursorPointer;
    const std::int32_t cx = run.MouseMapX / g.CellWidth, cy = run.MouseMapY / g.CellHeight;
    const GameCellType* cell = g.OnMap(cx, cy) ? &g.Cell(cx, cy) : nullptr;
    if (cell && cell->Hidden && !run.EditMode) return selected ? CursorMove : CursorPointer;
    for (const auto& t : g.Tanks)
        if (TankHit(*t, ctx.Lib, run.MouseMapX, run.MouseMapY))
            return t->Side() != SidePlayer && selected ? CursorAttack : CursorSelect;
    // Beyond the map's edge (a map narrower than the surface) nothing can be
    // reached: like a cell no tank may enter.
    if (!cell || cell->Occupancy != CellObject) {
        if (!selected) return CursorPointer;
        return cell && IsPassable(g, cx, cy, nullptr, 1) ? CursorMove : CursorNotPossible;
    }
    return ForObject(ctx, *cell);
}

void EdgeScroll(SimContext& ctx, Cursors& cursors) {
    GameType& g = ctx.G;
    RunState& run = ctx.Run;
    if (run.TitleShown || run.Outcome != OutcomeRunning) {
        cursors.SetCursor(CursorPointer);
        return;
    }
    const std::int64_t w = run.DisplayWidth, h = run.DisplayHeight;
    const Sides mouse{run.MouseMapX == g.ViewX, run.MouseMapY == g.ViewY, run.MouseMapX == g.ViewX + w - 1,
                      run.MouseMapY == g.ViewY + h - 1};
    const Sides border{g.ViewX == 0, g.ViewY == 0, g.ViewX + w == g.MapWidth, g.ViewY + h == g.MapHeight};
    for (const EdgeZone& zone : kEdgeZones) {
        if (!Covers(mouse, zone)) continue;
        if (zone.DX != 0) run.ScrollDX = zone.DX * run.ScrollStep;
        if (zone.DY != 0) run.ScrollDY = zone.DY * run.ScrollStep;
        cursors.SetCursor(Covers(border, zone) ? zone.BlockedCursor : zone.Cursor);
        return;
    }
    cursors.SetCursor(HoverCursor(ctx));
}

}  // namespace tavrine
