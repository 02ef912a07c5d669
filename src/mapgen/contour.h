// Outlines of a region of the plan, traced as the map editor's outline tools
// want them: closed chains of neighbouring cells along the region's border,
// with the region on the right-hand side of travel (clockwise around islands,
// counter-clockwise around the lakes inside them).
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "state/run_state.h"
#include "mapgen/terrain_plan.h"

namespace tavrine::mapgen {

/// Which cells of the plan belong to the region being outlined.
using RegionTest = std::function<bool(Terrain)>;

/// Every outline of the region's border cells (cells of the region with a
/// neighbour outside it above, below, left or right). The region is read
/// `margin` cells beyond the map on each side (as the plan continues past its
/// edges), so an outline may run off the map where the region reaches the edge;
/// the editor skips the pieces that fall there.
std::vector<std::vector<EditPoint>> TraceOutlines(const TerrainPlan& plan, const RegionTest& inRegion, int margin = 2);

/// Whether the edge tiling can follow an outline: at least three points, each
/// next to the one before, no cell twice, and no turn sharper than a right
/// angle (the closing step included). Otherwise the first offending cell.
std::optional<EditPoint> OutlineFault(const std::vector<EditPoint>& outline);

}  // namespace tavrine::mapgen

namespace tavrine::mapgen {

/// Cleans the plan (`TerrainPlan::Clean`) and mends it where an outline still
/// cannot be tiled, by widening the ground around the faulty cell, until every
/// coast and mountain border can be traced. False when it does not settle.
bool SettlePlan(TerrainPlan& plan, const std::vector<CellBox>& flat);

}  // namespace tavrine::mapgen
