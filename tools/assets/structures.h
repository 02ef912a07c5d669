// Gun towers (group 2) and buildings (group 3) for the three sides. A picture
// w pixels wide covers w div 36 + 1 columns, so the sizes are 36 n - 1 pixels
// for n cells: 35, 71, 107.
#pragma once

#include <cstdint>

#include "content_library.h"

namespace tavrine::assets {

/// Building lists: 0 headquarters, 1 factory, then plain buildings.
enum BuildingList : int {
    kHeadquarters = 0,
    kFactory = 1,
    kBarracks = 2,
    kPowerPlant = 3,
    kFuelDepot = 4,
    kRadioMast = 5,
    kBuildingLists = 6
};

/// Tower lists: 0 a gun tower on one cell, 1 a twin-gun fortress on two by two.
constexpr int kTowerLists = 2;

/// Frame `facing` (0..15) of a tower of a side.
Image TowerFrame(int side, int list, int facing);

/// The animation frames of a building of a side.
std::vector<Image> BuildingFrames(int side, int list);

void AddTowers(ContentLibrary& library);
void AddBuildings(ContentLibrary& library);

}  // namespace tavrine::assets
