// The first three missions: short battles on small maps that teach the game.
#include "mission_maps.h"

namespace tavrine::missions {

// 40 x 30, find the enemy headquarters. The sea to the west and south, a pond in
// the middle, a ridge in the north-west; an enemy depot in sight of the beach.
void BuildBeachhead(MapBuilder& b) {
    TerrainPlan plan(40, 30, Terrain::Land);
    plan.Band(11, {{1.5f, -3.f}, {2.5f, 33.f}}, 5.f, 1.f, Terrain::Water);
    plan.Band(12, {{-3.f, 29.5f}, {43.f, 28.5f}}, 5.f, 1.f, Terrain::Water);
    plan.Blob(13, 28.f, 20.f, 4.f, 3.f, 0.3f, Terrain::Water);
    plan.Band(14, {{7.f, 2.f}, {12.f, 6.f}, {14.f, 10.f}}, 4.f, 0.8f, Terrain::Mountain);
    const std::vector<CellBox> flat{{4, 15, 20, 25}, {18, 8, 26, 15}, {27, 1, 38, 12}};
    PaintSettled(b, plan, flat);
    b.VaryGround(12);

    b.Headquarters(kPlayer, 6, 18);
    b.Factory(kPlayer, 11, 18);
    b.Tower(kPlayer, 16, 16, kNorthEast);
    b.Building(kPlayer, kBarracks, 6, 22);
    b.Building(kPlayer, kFuelDepot, 9, 23);
    b.TankGroup(kPlayer, 14, 19, 8, 4, kNorth);
    b.TankGroup(kPlayer, 5, 13, 12, 4, kNorth);

    // The depot ahead of the beach.
    b.Building(kEnemy, kBarracks, 21, 9);
    b.Tower(kEnemy, 19, 12, kSouthWest);
    b.Building(kEnemy, kFuelDepot, 25, 10);
    // The headquarters in the north-east.
    b.Headquarters(kEnemy, 34, 2);
    b.Factory(kEnemy, 29, 2);
    b.Tower(kEnemy, 32, 8, kSouthWest);
    b.Tower(kEnemy, 37, 7, kSouth);
    b.Building(kEnemy, kPowerPlant, 34, 9);
    b.Building(kEnemy, kRadioMast, 28, 9);
    b.Tank(kEnemy, 26, 4, kSouthWest, 0);
    b.Tank(kEnemy, 33, 6, kSouthWest, 1);
    b.Tank(kEnemy, 27, 12, kSouthWest, 0);

    b.ScatterScenery(12, flat);
    b.RevealPlayerStart(5);
    b.Reveal({18, 8, 26, 15});  // the depot's tower, seen from the beach
    b.CentreView(12, 20);
}

// 60 x 45, destroy all enemy buildings. A river runs from north to south with
// three fords; the enemy holds the east bank, a guard post in sight across the
// middle ford.
void BuildRiverCrossing(MapBuilder& b) {
    TerrainPlan plan(60, 45, Terrain::Land);
    plan.Band(21, {{31.f, -3.f}, {27.f, 6.f}, {28.f, 12.f}, {34.f, 19.f}, {33.f, 26.f}, {27.f, 33.f}, {28.f, 40.f}, {31.f, 48.f}},
              3.f, 0.5f, Terrain::Water);
    plan.Blob(22, 52.f, 23.f, 3.5f, 2.5f, 0.3f, Terrain::Water);
    plan.Blob(23, -2.f, 44.f, 8.f, 6.f, 0.3f, Terrain::Water);
    plan.NoiseMountains(24, {0, 0, 20, 20}, 4.f, 0.52f);
    plan.NoiseMountains(25, {45, 28, 59, 44}, 5.f, 0.58f);
    const std::vector<CellBox> flat{{3, 24, 22, 38},  {43, 2, 58, 17}, {34, 16, 45, 27}, {36, 34, 47, 40},
                                    {20, 6, 36, 9}, {24, 21, 40, 24}, {21, 36, 36, 39}};
    PaintSettled(b, plan, flat);
    b.VaryGround(12);

    b.Headquarters(kPlayer, 6, 28);
    b.Factory(kPlayer, 11, 28);
    b.Factory(kPlayer, 16, 35);
    b.Tower(kPlayer, 16, 26, kNorthEast);
    b.Tower(kPlayer, 14, 36, kEast);
    b.Building(kPlayer, kPowerPlant, 6, 34);
    b.Building(kPlayer, kFuelDepot, 9, 34);
    b.TankGroup(kPlayer, 16, 29, 10, 4, kEast);
    b.TankGroup(kPlayer, 9, 24, 10, 5, kEast);

    // The main base in the north-east.
    b.Headquarters(kEnemy, 51, 4);
    b.Building(kEnemy, kBarracks, 45, 5);
    b.Building(kEnemy, kPowerPlant, 51, 10);
    b.Building(kEnemy, kBarracks, 55, 9);
    b.Tower(kEnemy, 48, 13, kSouthWest);
    b.Tower(kEnemy, 56, 14, kSouthWest);
    // The guard post at the middle ford.
    b.Factory(kEnemy, 39, 18);
    b.Tower(kEnemy, 36, 22, kWest);
    b.Building(kEnemy, kFuelDepot, 43, 21);
    // The fords in the north and south.
    b.Tower(kEnemy, 37, 7, kWest);
    b.Tower(kEnemy, 38, 37, kWest);
    b.Building(kEnemy, kRadioMast, 45, 38);
    b.Tank(kEnemy, 44, 12, kSouthWest, 0);
    b.Tank(kEnemy, 48, 16, kSouthWest, 2);
    b.Tank(kEnemy, 42, 25, kWest, 0);
    b.Tank(kEnemy, 44, 35, kWest, 1);

    b.ScatterScenery(20, flat);
    b.RevealPlayerStart(5);
    b.Reveal({24, 16, 43, 28});  // the middle ford and the guard post beyond it
    b.CentreView(14, 30);
}

// 64 x 48, defend the headquarters and destroy all enemy buildings. A mountain
// chain with two passes crosses the map; the enemy masses beyond it, its one
// factory forward at the western pass, where a quick strike can reach it.
void BuildHoldTheLine(MapBuilder& b) {
    TerrainPlan plan(64, 48, Terrain::Land);
    plan.Band(31, {{-3.f, 22.f}, {20.f, 20.f}, {44.f, 24.f}, {67.f, 21.f}}, 7.f, 1.5f, Terrain::Mountain);
    plan.FillBox({14, 12, 18, 30}, Terrain::Land);  // the western pass
    plan.FillBox({44, 12, 48, 30}, Terrain::Land);  // the eastern pass
    plan.Blob(32, 64.f, 48.f, 10.f, 7.f, 0.3f, Terrain::Water);
    plan.Blob(33, 30.f, 7.f, 4.f, 3.f, 0.3f, Terrain::Water);
    plan.NoiseMountains(34, {0, 30, 16, 47}, 5.f, 0.6f);
    const std::vector<CellBox> flat{{19, 33, 41, 46}, {39, 1, 62, 16}, {2, 2, 20, 15}, {13, 29, 17, 32}, {44, 29, 48, 32}};
    PaintSettled(b, plan, flat);
    b.VaryGround(12);

    b.Headquarters(kPlayer, 28, 38);
    b.Factory(kPlayer, 22, 36);
    b.Factory(kPlayer, 20, 41);
    b.Tower(kPlayer, 15, 30, kNorth);
    b.Tower(kPlayer, 46, 30, kNorth);
    b.Tower(kPlayer, 32, 35, kNorth);
    b.Building(kPlayer, kPowerPlant, 33, 42);
    b.Building(kPlayer, kBarracks, 25, 44);
    b.TankGroup(kPlayer, 34, 38, 7, 4, kNorth);
    b.TankGroup(kPlayer, 20, 31, 12, 6, kNorth);

    // The main camp in the north-east.
    b.Headquarters(kEnemy, 54, 3);
    b.Building(kEnemy, kBarracks, 47, 4);
    b.Building(kEnemy, kBarracks, 41, 8);
    b.Tower(kEnemy, 45, 14, kSouth);
    b.Tower(kEnemy, 56, 11, kSouth);
    b.Tower(kEnemy, 51, 15, kSouth);
    b.Building(kEnemy, kPowerPlant, 57, 8);
    b.Building(kEnemy, kRadioMast, 44, 3);
    b.Building(kEnemy, kFuelDepot, 60, 6);
    // The western camp and its forward factory at the pass.
    b.Building(kEnemy, kPowerPlant, 6, 5);
    b.Tower(kEnemy, 11, 12, kSouth);
    b.Building(kEnemy, kBarracks, 3, 3);
    b.Factory(kEnemy, 14, 11);
    b.TankGroup(kEnemy, 4, 9, 3, 3, kSouth);
    b.TankGroup(kEnemy, 50, 11, 9, 3, kSouth);

    b.ScatterScenery(18, flat);
    b.RevealPlayerStart(5);
    b.Reveal({10, 14, 22, 30});  // the western pass, held by our scouts
    b.Reveal({40, 16, 52, 30});  // the eastern pass
    b.CentreView(30, 38);
}

}  // namespace tavrine::missions
