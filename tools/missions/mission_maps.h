// The map of each prepared mission: its ground, both sides' bases and forces,
// and what the player sees at the start.
#pragma once

#include <vector>

#include "mapgen/map_builder.h"
#include "mapgen/terrain_plan.h"

namespace tavrine::missions {

// The missions are drawn with the engine's map builder and terrain plans.
using namespace mapgen;

/// The two sides, as the maps place their bases and forces.
constexpr int kPlayer = 0;
constexpr int kEnemy = 1;

/// Settles the plan into traceable outlines and paints it on the map.
void PaintSettled(MapBuilder& b, TerrainPlan& plan, const std::vector<CellBox>& flat);

void BuildBeachhead(MapBuilder& b);
void BuildRiverCrossing(MapBuilder& b);
void BuildHoldTheLine(MapBuilder& b);
void BuildMountainPass(MapBuilder& b);
void BuildLakeDistrict(MapBuilder& b);
void BuildWalledCity(MapBuilder& b);
void BuildArchipelago(MapBuilder& b);
void BuildIronContinent(MapBuilder& b);

}  // namespace tavrine::missions
