#include "editor/path_tool.h"

#include "editor/edge_tiling.h"
#include "editor/walls.h"

namespace tavrine {

namespace {

bool IsOutlineTool(std::int32_t tool) { return tool == ToolLandOutline || tool == ToolMountainOutline; }
bool IsWallTool(std::int32_t tool) { return tool == ToolWall0 || tool == ToolWall1; }

/// Steps between two compass directions around the circle 1..8 (0..4).
std::int32_t CompassDistance(std::int32_t a, std::int32_t b) {
    const std::int32_t d = (a - b + 8) % 8;
    return d > 4 ? 8 - d : d;
}

bool IsStraight(std::int32_t dir) { return dir == DirEast || dir == DirSouth || dir == DirWest || dir == DirNorth; }

/// The number of cells a run takes in direction `e` toward the mouse.
std::int32_t RunLength(std::int32_t e, EditPoint from, EditPoint mouse) {
    const std::int32_t dx = mouse.X - from.X;
    const std::int32_t dy = mouse.Y - from.Y;
    switch (e) {
        case DirEast:
        case DirSouthEast:
        case DirNorthEast: return dx;
        case DirWest:
        case DirNorthWest: return -dx;
        case DirSouth:
        case DirSouthWest: return dy;
        case DirNorth: return -dy;
        default: return 0;
    }
}

/// Column and row step of a direction 1..8.
constexpr EditPoint kStep[9] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};

/// The cells from `from` toward `to`, both left out: one cell per step in the
/// direction of `to` (45 degrees while both the column and the row differ), then
/// straight on once one of them is reached. Every step goes to a neighbour.
std::vector<EditPoint> ClosingRun(EditPoint from, EditPoint to) {
    std::vector<EditPoint> run;
    for (EditPoint at = from;;) {
        const EditPoint step = kStep[StepDirection(at, to)];
        at = {at.X + step.X, at.Y + step.Y};
        if (at == to) return run;
        run.push_back(at);
    }
}

}  // namespace

bool IsLineTool(std::int32_t tool) { return IsOutlineTool(tool) || IsWallTool(tool); }

bool AcceptsMove(std::int32_t tool, std::int32_t f, std::int32_t e) {
    if (IsOutlineTool(tool)) {
        if (f == DirNone) return true;
        return e != DirNone && CompassDistance(e, f) <= 2;
    }
    if (IsWallTool(tool)) {
        if (!IsStraight(e)) return false;
        if (f == DirNone) return true;
        return IsStraight(f) && CompassDistance(e, f) != 4;
    }
    return false;
}

void PressPathPoint(const GameType& g, RunState& run, EditPoint cell) {
    if (!run.EditDrawing) {
        if (!g.OnMap(cell.X, cell.Y)) return;
        run.EditPoints = {cell};
        run.EditTrack.clear();
        run.EditDrawing = 1;
    }
    run.EditPoints.insert(run.EditPoints.end(), run.EditTrack.begin(), run.EditTrack.end());
    // The run is fixed now; a second press before the mouse moves (a double
    // click) must not add it again, which would send the path back over itself.
    run.EditTrack.clear();
}

void RebuildEditTrack(const GameType& g, RunState& run, std::int32_t tool, EditPoint mouse) {
    run.EditTrack.clear();
    if (run.EditPoints.empty()) return;
    const EditPoint last = run.EditPoints.back();
    const std::int32_t e = StepDirection(last, mouse);
    const std::int32_t f = run.EditPoints.size() > 1 ? StepDirection(run.EditPoints[run.EditPoints.size() - 2], last) : DirNone;
    if (!AcceptsMove(tool, f, e)) return;
    const EditPoint step = kStep[e];
    EditPoint at = last;
    for (std::int32_t n = RunLength(e, last, mouse); n > 0; --n) {
        at = {at.X + step.X, at.Y + step.Y};
        if (!g.OnMap(at.X, at.Y)) break;
        run.EditTrack.push_back(at);
    }
}

void ApplyPath(GameType& g, const RunState& run, std::int32_t tool) {
    if (run.EditPoints.size() < 3) return;
    if (IsOutlineTool(tool)) {
        // An outline traced back onto its first cell closes there: the repeated
        // cell would make both end vertices directionless and leave the first
        // corner without its piece, a gap the fills would leak through. Any
        // other outline is closed by a run from its last point back to its
        // first, traced as the tentative run toward a press on the first point
        // would be, so its pieces close the coast on that side too.
        std::vector<EditPoint> outline = run.EditPoints;
        if (outline.size() > 3 && outline.back() == outline.front()) {
            outline.pop_back();
        } else {
            const std::vector<EditPoint> closing = ClosingRun(outline.back(), outline.front());
            outline.insert(outline.end(), closing.begin(), closing.end());
        }
        if (tool == ToolLandOutline) TileOutline(g, outline, TerrainLand, kLandColor);
        else TileOutline(g, outline, TerrainMountain, kMountainColor);
    } else if (IsWallTool(tool)) {
        const std::int32_t kind = tool - ToolWall0;
        for (const EditPoint& p : run.EditPoints) PlaceWall(g, p, run.ObjectColors[static_cast<std::size_t>(kind)], kind);
    }
}

}  // namespace tavrine
