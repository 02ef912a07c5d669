// Pictures dropped on the map from the image library editor: ground, scenery,
// towers, buildings and other objects, and tanks.
#pragma once

#include <cstdint>

#include "data/image_ref.h"
#include "sim/context.h"

namespace tavrine {

/// What a drop did.
enum class DropResult {
    Ignored,        ///< off the map, no such picture, or a group that cannot be placed
    Ground,         ///< the cell's ground picture changed
    Scenery,        ///< a decoration (group 1) stands on the cell
    Object,         ///< an object was placed with its whole footprint on the map
    ObjectClipped,  ///< an object was placed; its footprint reaches past the map's edge and was cut there
    Tank,           ///< a tank was created on the cell
};

/// The minimap colour of a decoration from picture list `list` (entries beyond
/// the four `ObjectColors` use the first).
Color SceneryColor(const RunState& run, std::int32_t list);

/// The minimap colour of an object placed with `PlaceObject`.
Color ObjectColor(std::int32_t group, std::int32_t subgroup);

/// Drops the library picture `picture` at map pixel (mapX, mapY) (a point of the
/// drawing area plus the view origin). Ground pictures (group 0, subgroup 0..2,
/// list 0..4) repaint the cell's ground only; group 1 places scenery; other
/// groups below 4 place an object; group 4 creates a tank without roll-out that
/// faces frame mod 16 (frames 16 and up are the turret pictures of the same
/// facings). A picture the library does not hold, or a point off the map, is
/// ignored.
DropResult DropPicture(SimContext& ctx, const ImageRef& picture, std::int32_t mapX, std::int32_t mapY);

/// Hangs a decoration on the cell (the object already there, if any, takes the
/// new picture) and marks only that cell as covered.
void PlaceScenery(GameType& g, const RunState& run, const ImageRef& picture, std::int32_t column, std::int32_t row);

/// Places an object anchored on (column, row) with the footprint of its picture
/// (one cell more than the picture's size in cells, each way), selects it, and
/// releases any object anchored there before together with the footprint marks
/// that tied other cells to it. Footprint cells past the map's edge are left out
/// (the object is clipped, not refused). Returns Ignored when the picture is not
/// in the library or the anchor is off the map, else Object or ObjectClipped.
DropResult PlaceObject(GameType& g, const ImageLibrary& lib, const ImageRef& picture, std::int32_t column, std::int32_t row);

}  // namespace tavrine
