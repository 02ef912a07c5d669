// Terrain edge tiling: the coast and mountain border pieces laid along a closed
// outline traced in the map editor.
#pragma once

#include <cstdint>
#include <vector>

#include "data/image_ref.h"
#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

/// Compass directions between two cells, as the editor's path tracing and the
/// edge pieces use them. Rows grow downward, so south is +y.
enum StepDirectionCode : std::int32_t {
    DirNone = 0,
    DirEast = 1,
    DirSouthEast = 2,
    DirSouth = 3,
    DirSouthWest = 4,
    DirWest = 5,
    DirNorthWest = 6,
    DirNorth = 7,
    DirNorthEast = 8,
};

/// The direction from one cell toward another from the signs of the column and
/// row differences only (the cells need not be neighbours); DirNone for the same
/// cell.
std::int32_t StepDirection(EditPoint from, EditPoint to);

/// Terrain of an outline: the list of the edge pieces within ground subgroup 2.
enum OutlineTerrain : std::int32_t { TerrainLand = 1, TerrainMountain = 2 };

inline constexpr Color kLandColor = 0x008000;
inline constexpr Color kMountainColor = 0xC0C0C0;

/// Writes the edge pieces of one outline vertex `v`, reached in direction
/// `incoming` and left in direction `outgoing`: each piece becomes the cell's
/// ground (0, 2, terrain, piece) with both minimap colours `colour`. Pieces whose
/// cell lies off the map are skipped; reversals, turns sharper than a right
/// angle and directions outside 1..8 write nothing.
void PlaceEdgePieces(GameType& g, EditPoint v, std::int32_t incoming, std::int32_t outgoing, std::int32_t terrain,
                     Color colour);

/// Lays the pieces of the closed outline through `outline` (the last point joins
/// the first): vertices 1 .. n-2 in order, then the last, then the first; a later
/// piece overwrites an earlier one in the same cell. Outlines of fewer than three
/// points write nothing. Traced clockwise the terrain lies inside (an island),
/// counter-clockwise outside (a lake).
void TileOutline(GameType& g, const std::vector<EditPoint>& outline, std::int32_t terrain, Color colour);

}  // namespace tavrine
