// The later missions: larger maps, more enemy bases, longer battles.
#include "mission_maps.h"

#include <utility>

namespace tavrine::missions {

namespace {


std::uint32_t SeedAt(float x, float y) { return static_cast<std::uint32_t>(x * 7.f + y * 13.f); }

}  // namespace

// 80 x 60, destroy all buildings and kill all enemies. A broken mountain spine
// with two passes divides two valleys that lead north to the stronghold; an
// outpost guards each valley, the eastern one with the enemy's one factory. A
// reserve column waits in the south-east.
void BuildMountainPass(MapBuilder& b) {
    TerrainPlan plan(80, 60, Terrain::Land);
    plan.Band(41, {{40.f, 8.f}, {38.f, 25.f}, {42.f, 38.f}, {40.f, 56.f}}, 6.f, 1.2f, Terrain::Mountain);
    plan.Band(42, {{-3.f, 14.f}, {9.f, 22.f}, {6.f, 44.f}, {-3.f, 54.f}}, 6.f, 1.5f, Terrain::Mountain);
    plan.Band(43, {{84.f, 12.f}, {75.f, 25.f}, {77.f, 45.f}, {84.f, 52.f}}, 6.f, 1.5f, Terrain::Mountain);
    plan.FillBox({36, 23, 44, 26}, Terrain::Land);  // the northern pass
    plan.FillBox({37, 39, 46, 42}, Terrain::Land);  // the southern pass
    plan.Blob(44, 22.f, 35.f, 4.f, 3.f, 0.3f, Terrain::Water);
    plan.Blob(45, 60.f, 18.f, 3.5f, 2.5f, 0.3f, Terrain::Water);
    const std::vector<CellBox> flat{{28, 48, 53, 58}, {26, 1, 54, 15}, {12, 16, 28, 28}, {54, 28, 68, 40}};
    PaintSettled(b, plan, flat);
    b.VaryGround(12);

    b.Headquarters(kPlayer, 36, 52);
    b.Factory(kPlayer, 42, 50);
    b.Tower(kPlayer, 33, 49, kNorth);
    b.Tower(kPlayer, 48, 49, kNorth);
    b.Building(kPlayer, kBarracks, 30, 56);
    b.Building(kPlayer, kFuelDepot, 40, 56);
    b.TankGroup(kPlayer, 46, 53, 8, 4, kNorth);
    b.TankGroup(kPlayer, 62, 52, 12, 4, kNorth);  // the reserve

    // The stronghold.
    b.Headquarters(kEnemy, 38, 3);
    b.Building(kEnemy, kBarracks, 31, 4);
    b.Building(kEnemy, kBarracks, 46, 4);
    b.Fortress(kEnemy, 40, 10, kSouth);
    b.Tower(kEnemy, 29, 12, kSouth);
    b.Tower(kEnemy, 51, 12, kSouth);
    b.Building(kEnemy, kPowerPlant, 43, 1);
    b.Building(kEnemy, kRadioMast, 35, 2);
    b.Tank(kEnemy, 28, 8, kSouth, 2);
    b.Tank(kEnemy, 36, 8, kSouth, 0);
    b.Tank(kEnemy, 44, 8, kSouth, 0);
    b.Tank(kEnemy, 50, 8, kSouth, 2);
    b.TankGroup(kEnemy, 34, 6, 6, 6, kSouth);
    // The western valley's outpost.
    b.Building(kEnemy, kPowerPlant, 18, 19);
    b.Tower(kEnemy, 15, 26, kSouth);
    b.Building(kEnemy, kFuelDepot, 24, 20);
    b.Building(kEnemy, kBarracks, 13, 18);
    b.Tank(kEnemy, 15, 22, kSouth, 1);
    b.Tank(kEnemy, 23, 23, kSouth, 0);
    b.Tank(kEnemy, 26, 25, kSouth, 0);
    // The eastern valley's outpost, seen from the road north-east.
    b.Factory(kEnemy, 59, 30);
    b.Tower(kEnemy, 57, 38, kSouthWest);
    b.Building(kEnemy, kBarracks, 63, 29);
    b.Tank(kEnemy, 56, 33, kSouthWest, 0);
    b.Tank(kEnemy, 64, 34, kSouthWest, 1);
    b.Tank(kEnemy, 66, 37, kSouthWest, 0);

    b.ScatterScenery(30, flat);
    b.RevealPlayerStart(5);
    b.Reveal({50, 34, 64, 46});
    b.CentreView(40, 52);
}

// 100 x 80, defend the headquarters and destroy the enemy's. Lakes everywhere;
// an enemy post watches the player's base across the water, more posts hold
// the causeways, and the headquarters lies in the north-east.
void BuildLakeDistrict(MapBuilder& b) {
    TerrainPlan plan(100, 80, Terrain::Land);
    struct Lake {
        float X, Y, Rx, Ry;
    };
    constexpr Lake kLakes[] = {{36, 67, 5, 5},  {30, 42, 9, 6}, {61, 21, 8, 6}, {65, 49, 9, 6},  {87, 38, 8, 6},
                               {18, 40, 5, 4},  {53, 71, 8, 5}, {42, 11, 7, 5}, {94, 73, 5, 4},  {8, 6, 6, 4},
                               {72, 68, 3, 3},  {50, 50, 4, 4}, {66, 34, 4, 4}, {28, 26, 5, 4},  {80, 26, 4, 3},
                               {40, 24, 4, 3}};
    std::uint32_t seed = 51;
    for (const Lake& l : kLakes) plan.Blob(seed++, l.X, l.Y, l.Rx, l.Ry, 0.35f, Terrain::Water);
    plan.NoiseMountains(70, {0, 20, 12, 50}, 5.f, 0.55f);
    plan.NoiseMountains(71, {86, 44, 99, 60}, 5.f, 0.55f);
    plan.NoiseMountains(72, {56, 0, 70, 12}, 5.f, 0.55f);
    const std::vector<CellBox> flat{{6, 55, 30, 75}, {72, 3, 96, 20}, {44, 30, 58, 42}, {70, 56, 86, 68},
                                    {10, 14, 26, 26}, {34, 49, 44, 59}};
    PaintSettled(b, plan, flat);
    b.VaryGround(12);

    b.Headquarters(kPlayer, 12, 62);
    b.Factory(kPlayer, 18, 60);
    b.Factory(kPlayer, 23, 66);
    b.Tower(kPlayer, 28, 57, kNorthEast);
    b.Tower(kPlayer, 9, 57, kNorth);
    b.Tower(kPlayer, 28, 72, kEast);
    b.Building(kPlayer, kPowerPlant, 7, 67);
    b.Building(kPlayer, kBarracks, 11, 71);
    b.Building(kPlayer, kFuelDepot, 16, 68);
    b.TankGroup(kPlayer, 11, 56, 8, 4, kNorthEast);

    // The headquarters in the north-east.
    b.Headquarters(kEnemy, 86, 6);
    b.Factory(kEnemy, 78, 6);
    b.Fortress(kEnemy, 84, 13, kSouthWest);
    b.Tower(kEnemy, 75, 16, kSouthWest);
    b.Tower(kEnemy, 93, 12, kSouthWest);
    b.Building(kEnemy, kPowerPlant, 91, 5);
    b.Building(kEnemy, kRadioMast, 82, 4);
    b.Building(kEnemy, kFuelDepot, 90, 16);
    b.Factory(kEnemy, 89, 10);
    b.Tower(kEnemy, 74, 9, kWest);
    b.Tower(kEnemy, 95, 8, kSouthWest);
    b.Fortress(kEnemy, 80, 17, kSouthWest);
    b.Tower(kEnemy, 73, 19, kSouthWest);
    b.Tower(kEnemy, 88, 19, kSouth);
    b.TankGroup(kEnemy, 77, 12, 3, 3, kSouthWest);
    b.TankGroup(kEnemy, 82, 9, 3, 3, kSouthWest);
    // The post across the water from the player's base.
    b.Factory(kEnemy, 37, 52);
    b.Tower(kEnemy, 42, 50, kSouthWest);
    // The causeway posts.
    b.Factory(kEnemy, 48, 32);
    b.Tower(kEnemy, 46, 39, kSouthWest);
    b.Tower(kEnemy, 55, 33, kSouthWest);
    b.Building(kEnemy, kBarracks, 52, 36);
    b.Fortress(kEnemy, 51, 40, kSouthWest);
    b.TankGroup(kEnemy, 54, 36, 3, 3, kSouthWest);
    b.Tank(kEnemy, 45, 35, kSouthWest, 0);
    b.Tank(kEnemy, 56, 40, kSouthWest, 2);
    b.Factory(kEnemy, 75, 58);
    b.Tower(kEnemy, 72, 64, kWest);
    b.Building(kEnemy, kPowerPlant, 81, 60);
    b.Tank(kEnemy, 79, 64, kWest, 1);
    b.Tank(kEnemy, 83, 66, kWest, 0);
    b.Factory(kEnemy, 15, 16);
    b.Tower(kEnemy, 20, 24, kSouth);
    b.Building(kEnemy, kRadioMast, 12, 22);
    b.Tank(kEnemy, 22, 18, kSouth, 0);
    b.Tank(kEnemy, 24, 21, kSouth, 0);

    b.ScatterScenery(40, flat);
    b.RevealPlayerStart(5);
    b.CentreView(16, 62);
}

// 120 x 90, defend the headquarters and kill all enemies. The enemy's walled
// city stands on the east coast with gates to the west, north and south; a
// camp on the road east of the player's base sends the first attacks.
void BuildWalledCity(MapBuilder& b) {
    TerrainPlan plan(120, 90, Terrain::Land);
    plan.Band(61, {{116.f, -3.f}, {114.f, 30.f}, {117.f, 60.f}, {115.f, 93.f}}, 9.f, 1.5f, Terrain::Water);
    plan.Blob(62, 108.f, 80.f, 7.f, 5.f, 0.3f, Terrain::Water);
    plan.Blob(63, 60.f, 70.f, 6.f, 4.f, 0.35f, Terrain::Water);
    plan.Blob(64, 55.f, 20.f, 5.f, 4.f, 0.35f, Terrain::Water);
    plan.NoiseMountains(65, {0, 0, 40, 30}, 6.f, 0.55f);
    plan.NoiseMountains(66, {0, 62, 56, 89}, 6.f, 0.55f);
    plan.NoiseMountains(67, {60, 0, 76, 16}, 5.f, 0.55f);
    const std::vector<CellBox> flat{{8, 36, 33, 57}, {76, 20, 108, 64}, {40, 34, 54, 48}};
    PaintSettled(b, plan, flat);
    b.VaryGround(12);

    b.Headquarters(kPlayer, 14, 44);
    b.Factory(kPlayer, 20, 40);
    b.Factory(kPlayer, 20, 50);
    b.Tower(kPlayer, 28, 38, kEast);
    b.Tower(kPlayer, 28, 55, kEast);
    b.Tower(kPlayer, 12, 38, kNorth);
    b.Building(kPlayer, kPowerPlant, 10, 50);
    b.Building(kPlayer, kBarracks, 14, 54);
    b.Building(kPlayer, kFuelDepot, 26, 47);
    b.TankGroup(kPlayer, 24, 42, 10, 5, kEast);

    // The city walls, laid in runs that leave gates of four cells: two to the
    // west, one to the north and one to the south.
    b.Wall(0, 78, 22, 89, 22);
    b.Wall(0, 94, 22, 106, 22);
    b.Wall(0, 78, 62, 89, 62);
    b.Wall(0, 94, 62, 106, 62);
    b.Wall(0, 78, 22, 78, 29);
    b.Wall(0, 78, 34, 78, 49);
    b.Wall(0, 78, 54, 78, 62);
    b.Wall(0, 106, 22, 106, 62);
    b.Headquarters(kEnemy, 94, 40);
    b.Factory(kEnemy, 85, 27);
    b.Factory(kEnemy, 85, 45);
    b.Factory(kEnemy, 97, 51);
    b.Fortress(kEnemy, 82, 38, kWest);
    b.Tower(kEnemy, 81, 25, kWest);
    b.Tower(kEnemy, 81, 58, kWest);
    b.Tower(kEnemy, 103, 25, kSouthWest);
    b.Tower(kEnemy, 103, 59, kWest);
    b.Building(kEnemy, kPowerPlant, 92, 30);
    b.Building(kEnemy, kBarracks, 96, 35);
    b.Building(kEnemy, kFuelDepot, 100, 46);
    b.Building(kEnemy, kRadioMast, 92, 57);
    b.Tower(kEnemy, 84, 34, kWest);
    b.Tower(kEnemy, 84, 52, kWest);
    b.Tower(kEnemy, 99, 30, kSouth);
    b.TankGroup(kEnemy, 88, 34, 4, 4, kWest);
    b.TankGroup(kEnemy, 90, 53, 3, 3, kWest);
    b.TankGroup(kEnemy, 100, 40, 4, 2, kWest);
    // The camp on the road east.
    b.Factory(kEnemy, 45, 38);
    b.Tower(kEnemy, 42, 44, kWest);
    b.Building(kEnemy, kBarracks, 50, 36);
    b.Tower(kEnemy, 52, 40, kWest);

    b.ScatterScenery(50, flat);
    b.RevealPlayerStart(5);
    b.Reveal({30, 34, 46, 48});
    b.CentreView(20, 46);
}

// 150 x 120, find the enemy headquarters and destroy it. Islands joined by
// narrow necks of land; every island between the player's and the enemy's
// headquarters holds a post.
void BuildArchipelago(MapBuilder& b) {
    TerrainPlan plan(150, 120, Terrain::Water);
    struct Island {
        float X, Y, Rx, Ry;
    };
    constexpr Island kIslands[] = {{22, 95, 18, 14}, {30, 50, 14, 12}, {70, 80, 16, 12},
                                   {75, 35, 14, 11}, {115, 62, 15, 12}, {126, 22, 19, 14}};
    std::uint32_t seed = 71;
    for (const Island& i : kIslands) plan.Blob(seed++, i.X, i.Y, i.Rx, i.Ry, 0.25f, Terrain::Land);
    const std::vector<std::vector<PlanPoint>> necks{{{24.f, 82.f}, {28.f, 60.f}}, {{38.f, 96.f}, {56.f, 84.f}},
                                                    {{42.f, 48.f}, {62.f, 38.f}}, {{84.f, 76.f}, {102.f, 65.f}},
                                                    {{88.f, 32.f}, {108.f, 26.f}}, {{116.f, 49.f}, {122.f, 35.f}}};
    for (const auto& neck : necks) plan.Band(seed++, neck, 7.f, 1.f, Terrain::Land);
    plan.NoiseMountains(80, {4, 36, 22, 62}, 5.f, 0.55f);
    plan.NoiseMountains(81, {100, 58, 130, 76}, 5.f, 0.6f);
    plan.NoiseMountains(82, {54, 70, 66, 92}, 5.f, 0.6f);
    const std::vector<CellBox> flat{{10, 88, 34, 104}, {22, 42, 38, 56}, {62, 74, 78, 86},
                                    {66, 28, 84, 42},  {106, 52, 124, 68}, {112, 10, 140, 30}};
    PaintSettled(b, plan, flat);
    b.VaryGround(12);

    b.Headquarters(kPlayer, 14, 92);
    b.Factory(kPlayer, 20, 90);
    b.Tower(kPlayer, 30, 88, kNorthEast);
    b.Tower(kPlayer, 26, 100, kEast);
    b.Building(kPlayer, kPowerPlant, 12, 98);
    b.Building(kPlayer, kBarracks, 16, 101);
    b.Building(kPlayer, kFuelDepot, 24, 97);
    b.TankGroup(kPlayer, 24, 92, 10, 5, kNorthEast);

    // The posts on the islands between.
    b.Building(kEnemy, kBarracks, 27, 45);
    b.Tower(kEnemy, 24, 53, kSouth);
    b.Tower(kEnemy, 35, 50, kSouth);
    b.Building(kEnemy, kRadioMast, 33, 44);
    b.TankGroup(kEnemy, 30, 52, 2, 2, kSouth);
    b.Factory(kEnemy, 67, 76);
    b.Tower(kEnemy, 64, 83, kWest);
    b.Building(kEnemy, kFuelDepot, 74, 77);
    b.TankGroup(kEnemy, 70, 82, 2, 2, kWest);
    b.Factory(kEnemy, 72, 30);
    b.Fortress(kEnemy, 78, 36, kWest);
    b.Tower(kEnemy, 68, 38, kWest);
    b.Building(kEnemy, kPowerPlant, 80, 30);
    b.Tower(kEnemy, 82, 40, kWest);
    b.Tower(kEnemy, 74, 40, kWest);
    b.TankGroup(kEnemy, 70, 34, 2, 2, kWest);
    b.Building(kEnemy, kPowerPlant, 111, 54);
    b.Tower(kEnemy, 108, 64, kWest);
    b.Tower(kEnemy, 120, 62, kSouth);
    b.Building(kEnemy, kBarracks, 116, 54);
    b.Fortress(kEnemy, 116, 64, kWest);
    b.TankGroup(kEnemy, 114, 60, 2, 2, kWest);
    // The headquarters island.
    b.Headquarters(kEnemy, 126, 16);
    b.Factory(kEnemy, 118, 13);
    b.Building(kEnemy, kBarracks, 132, 22);
    b.Fortress(kEnemy, 124, 26, kSouth);
    b.Tower(kEnemy, 115, 24, kSouthWest);
    b.Tower(kEnemy, 137, 14, kWest);
    b.Building(kEnemy, kPowerPlant, 130, 12);
    b.Building(kEnemy, kRadioMast, 122, 12);
    b.Building(kEnemy, kFuelDepot, 137, 28);
    b.Fortress(kEnemy, 135, 18, kWest);
    b.Tower(kEnemy, 112, 18, kWest);
    b.Tower(kEnemy, 139, 22, kSouth);
    b.TankGroup(kEnemy, 120, 20, 4, 4, kSouthWest);
    b.TankGroup(kEnemy, 114, 28, 3, 3, kSouthWest);

    b.ScatterScenery(40, flat);
    b.RevealPlayerStart(5);
    b.Reveal({34, 80, 66, 100});  // the neck to the eastern island
    b.CentreView(22, 94);
}

// 200 x 200, destroy all buildings and kill all enemies. A continent crossed by
// two rivers that meet in a lake, with mountain ranges, held by four bases.
void BuildIronContinent(MapBuilder& b) {
    TerrainPlan plan(200, 200, Terrain::Water);
    plan.Blob(91, 100.f, 100.f, 96.f, 94.f, 0.08f, Terrain::Land);
    for (const auto& [x, y] : {std::pair{40.f, 40.f}, {160.f, 40.f}, {40.f, 160.f}, {160.f, 160.f}})
        plan.Blob(SeedAt(x, y), x, y, 38.f, 36.f, 0.2f, Terrain::Land);
    plan.Band(92, {{92.f, -3.f}, {86.f, 20.f}, {84.f, 40.f}, {94.f, 56.f}, {100.f, 70.f}, {104.f, 96.f}}, 4.f, 0.6f, Terrain::Water);
    plan.Blob(93, 106.f, 100.f, 9.f, 7.f, 0.3f, Terrain::Water);
    plan.Band(94, {{110.f, 104.f}, {130.f, 120.f}, {150.f, 114.f}, {170.f, 118.f}, {203.f, 126.f}}, 4.f, 0.6f, Terrain::Water);
    // Fords over the rivers.
    plan.FillBox({80, 22, 96, 25}, Terrain::Land);
    plan.FillBox({88, 54, 104, 57}, Terrain::Land);
    plan.FillBox({119, 108, 122, 128}, Terrain::Land);
    plan.FillBox({159, 106, 162, 128}, Terrain::Land);
    plan.Band(95, {{20.f, 55.f}, {50.f, 62.f}, {72.f, 80.f}}, 7.f, 2.f, Terrain::Mountain);
    plan.Band(96, {{128.f, 160.f}, {150.f, 134.f}, {186.f, 140.f}}, 7.f, 2.f, Terrain::Mountain);
    plan.NoiseMountains(97, {120, 60, 180, 100}, 7.f, 0.6f);
    plan.NoiseMountains(98, {60, 150, 120, 190}, 7.f, 0.6f);
    constexpr struct {
        float X, Y, Rx, Ry;
    } kLakes[] = {{60, 120, 6, 5}, {150, 70, 7, 5}, {70, 30, 5, 4}, {120, 170, 6, 5}};
    std::uint32_t seed = 100;
    for (const auto& l : kLakes) plan.Blob(seed++, l.X, l.Y, l.Rx, l.Ry, 0.35f, Terrain::Water);
    const std::vector<CellBox> flat{{20, 140, 50, 166}, {30, 100, 52, 116}, {20, 20, 50, 42}, {140, 20, 180, 46},
                                    {140, 140, 176, 168}};
    PaintSettled(b, plan, flat);
    b.VaryGround(12);

    b.Headquarters(kPlayer, 26, 148);
    b.Factory(kPlayer, 32, 146);
    b.Factory(kPlayer, 40, 150);
    b.Tower(kPlayer, 46, 142, kNorthEast);
    b.Tower(kPlayer, 24, 144, kNorth);
    b.Tower(kPlayer, 47, 160, kEast);
    b.Building(kPlayer, kPowerPlant, 28, 156);
    b.Building(kPlayer, kBarracks, 34, 161);
    b.Building(kPlayer, kFuelDepot, 37, 143);
    b.Building(kPlayer, kRadioMast, 22, 158);
    b.TankGroup(kPlayer, 36, 155, 6, 3, kNorth);

    // The western base, north of the player's.
    b.Factory(kEnemy, 36, 103);
    b.Tower(kEnemy, 33, 112, kSouth);
    b.Tower(kEnemy, 48, 112, kSouth);
    b.Building(kEnemy, kBarracks, 42, 102);
    b.Building(kEnemy, kPowerPlant, 46, 104);
    b.TankGroup(kEnemy, 40, 108, 3, 3, kSouth);
    // The north-west base.
    b.Headquarters(kEnemy, 30, 24);
    b.Factory(kEnemy, 38, 26);
    b.Fortress(kEnemy, 26, 36, kSouth);
    b.Tower(kEnemy, 44, 38, kSouth);
    b.Building(kEnemy, kPowerPlant, 22, 29);
    b.Building(kEnemy, kRadioMast, 46, 22);
    b.Factory(kEnemy, 24, 22);
    b.TankGroup(kEnemy, 32, 32, 6, 3, kSouth);
    // The north-east base.
    b.Headquarters(kEnemy, 160, 26);
    b.Factory(kEnemy, 148, 24);
    b.Factory(kEnemy, 168, 32);
    b.Fortress(kEnemy, 152, 38, kSouthWest);
    b.Tower(kEnemy, 145, 42, kSouthWest);
    b.Tower(kEnemy, 176, 24, kSouth);
    b.Tower(kEnemy, 160, 43, kSouth);
    b.Building(kEnemy, kPowerPlant, 164, 21);
    b.Building(kEnemy, kRadioMast, 174, 42);
    b.Building(kEnemy, kFuelDepot, 156, 32);
    b.Tower(kEnemy, 141, 30, kWest);
    b.TankGroup(kEnemy, 154, 29, 8, 4, kSouthWest);
    // The south-east base.
    b.Headquarters(kEnemy, 158, 150);
    b.Factory(kEnemy, 146, 146);
    b.Factory(kEnemy, 166, 156);
    b.Fortress(kEnemy, 150, 160, kWest);
    b.Tower(kEnemy, 144, 156, kWest);
    b.Tower(kEnemy, 172, 146, kSouth);
    b.Building(kEnemy, kBarracks, 160, 144);
    b.Building(kEnemy, kPowerPlant, 153, 142);
    b.Tower(kEnemy, 140, 146, kWest);
    b.TankGroup(kEnemy, 156, 155, 8, 4, kWest);
    // Towers at the bridges.
    b.Tower(kEnemy, 100, 22, kWest);
    b.Tower(kEnemy, 104, 58, kWest);
    b.Tower(kEnemy, 121, 132, kSouth);
    b.Tower(kEnemy, 161, 130, kSouth);

    b.ScatterScenery(120, flat);
    b.RevealPlayerStart(5);
    b.Reveal({28, 110, 56, 142});  // the road north to the western base
    b.CentreView(34, 150);
}

}  // namespace tavrine::missions
