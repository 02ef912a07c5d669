// Wall pieces that join into lines with their neighbours of the same kind.
#pragma once

#include <cstdint>

#include "data/image_ref.h"
#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

/// The wall frame for a mask of same-kind neighbours: 1 left, 2 above, 4 right,
/// 8 below. 0 horizontal, 1 vertical, 2..5 corners, 6..9 T pieces, 10 a crossing.
std::int32_t WallFrameForMask(std::int32_t mask);

/// Puts a wall piece of `kind` (the subgroup of group 1) on `cell`, choosing its
/// frame from the neighbours of the same kind, and walks on to those neighbours
/// so that their frames follow the new connection; the walk ends where pieces no
/// longer change. An object already on the cell becomes the wall piece (its
/// cells beyond the anchor are released). Cells off the map are ignored.
/// `colour` is the minimap colour of changed pieces.
void PlaceWall(GameType& g, EditPoint cell, Color colour, std::int32_t kind);

}  // namespace tavrine
