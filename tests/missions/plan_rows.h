// Plans and maps written as rows of characters, so a test reads like the
// ground it describes: '~' water, '.' land, '^' mountain.
#pragma once

#include <string>
#include <vector>

#include "state/records.h"
#include "mapgen/terrain_plan.h"

namespace tavrine::missions::testing {

using namespace mapgen;

using Rows = std::vector<std::string>;

TerrainPlan PlanFromRows(const Rows& rows);

/// The plan as rows of characters.
Rows RowsOfPlan(const TerrainPlan& plan);

/// The painted map's ground: '~' water, '.' land, '^' mountain inside, and the
/// edge pieces as 'c' (coast) or 'm' (mountain border).
Rows GroundRows(const GameType& g);

}  // namespace tavrine::missions::testing
