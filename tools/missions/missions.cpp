#include "missions.h"

#include "catalogue.h"
#include "mapgen/contour.h"
#include "mapgen/map_builder.h"
#include "mission_maps.h"

namespace tavrine::missions {

namespace {

using BuildFn = void (*)(MapBuilder&);

constexpr BuildFn kBuilders[] = {BuildBeachhead,      BuildRiverCrossing, BuildHoldTheLine,  BuildMountainPass,
                                 BuildLakeDistrict,   BuildWalledCity,    BuildArchipelago,  BuildIronContinent};
static_assert(std::size(kBuilders) == kMissionCatalogue.size());

}  // namespace

void PaintSettled(MapBuilder& b, TerrainPlan& plan, const std::vector<CellBox>& flat) {
    if (!SettlePlan(plan, flat)) throw MapError("the terrain does not settle into traceable outlines");
    b.PaintTerrain(plan);
}

void BuildMission(int index, const ImageLibrary& library, const std::string& folder) {
    const MissionEntry& m = kMissionCatalogue.at(static_cast<std::size_t>(index));
    MapBuilder b(library, m.Columns, m.Rows, m.Mission, 0x5EED0000u + static_cast<std::uint32_t>(index));
    kBuilders[index](b);
    b.Check();
    b.Save(folder + "/" + std::string(m.File));
}

}  // namespace tavrine::missions
