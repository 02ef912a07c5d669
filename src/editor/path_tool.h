// Path tracing of the map editor's line tools: the fixed points of an outline or
// wall, the tentative run toward the mouse, and applying the finished path.
#pragma once

#include <cstdint>

#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

/// The tool buttons of the map editor.
enum EditorTool : std::int32_t {
    ToolNone = -1,
    ToolLandOutline = 0,
    ToolMountainOutline = 1,
    ToolFillLand = 2,
    ToolFillMountain = 3,
    ToolWall0 = 4,  ///< wall, kind 0
    ToolWall1 = 5,  ///< wall, kind 1
};

/// Tools that trace a path: the two outlines and the two walls.
bool IsLineTool(std::int32_t tool);

/// Whether the tentative run may leave the last fixed point in direction `e` when
/// the path arrived there in direction `f` (DirNone for a one-point path).
/// Outlines turn by at most a right angle; walls run straight along rows and
/// columns and never double back; other tools accept nothing.
bool AcceptsMove(std::int32_t tool, std::int32_t f, std::int32_t e);

/// A left press with a line tool on `cell`: starts a path there unless one is
/// being traced, then fixes the tentative run (appends `EditTrack` to
/// `EditPoints`). A press off the map starts no path.
void PressPathPoint(const GameType& g, RunState& run, EditPoint cell);

/// Rebuilds `EditTrack` for the mouse over `mouse` (a cell, possibly off the
/// map): empty when the move is refused, otherwise the cells stepped from the
/// last fixed point in the direction of the mouse. The step count comes from the
/// column difference (east and west, and the diagonals) or the row difference
/// (north and south), so a diagonal run keeps to 45 degrees. The run stops at the
/// map's edge.
void RebuildEditTrack(const GameType& g, RunState& run, std::int32_t tool, EditPoint mouse);

/// Applies the traced path (`EditPoints`) with `tool`: the outlines lay edge
/// pieces around it, closed by a run of cells from the last point back to the
/// first (diagonal while both the column and the row differ, then straight), so
/// the closing side is coast like the others; the walls place a wall piece on
/// every point. Paths of fewer than three points and other tools do nothing.
void ApplyPath(GameType& g, const RunState& run, std::int32_t tool);

}  // namespace tavrine
