// Scenery of group 1: the two wall kinds with their eleven connection frames
// (subgroups 0 and 1) and decorations (subgroups 2 and 3) whose lists follow
// the editor's four scenery minimap colours: list 0 silver (stone and
// concrete), 1 maroon (brick, wood, autumn leaves), 2 olive (trees, sandbags,
// tents), 3 grey (craters, scrap).
#pragma once

#include <cstdint>

#include "content_library.h"

namespace tavrine::assets {

/// The arms of wall frame 0..10, in the order west, north, east, south.
struct WallArms {
    bool West, North, East, South;
};
WallArms ArmsOfWallFrame(int frame);

/// Wall frame of kind 0 (concrete, silver on the minimap) or 1 (brick, maroon),
/// 36 by 36 pixels; arms reach the cell's border so that pieces join.
Image WallPiece(int kind, int frame);

void AddScenery(ContentLibrary& library, std::uint32_t seed);

}  // namespace tavrine::assets
