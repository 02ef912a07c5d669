// Small worlds for tests: a library of pictures with the game's conventional sizes
// and maps drawn as lines of characters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/library.h"
#include "state/records.h"
#include "state/run_state.h"

namespace tavrine::test {

/// Picture sizes of the test library.
inline constexpr int kTankSize = 36;       ///< tanks: one cell
inline constexpr int kTowerSize = 35;      ///< towers: one cell
inline constexpr int kBuildingSize = 71;   ///< buildings and factories: 2 x 2 cells
inline constexpr int kDecorationSize = 35; ///< walls and scenery: one cell

/// A library with empty pixels but real sizes: terrain 36 x 36 (water, land and
/// mountain lists with 12 frames), effects, decorations (group 1), towers (group
/// 2, 16 facings), buildings (group 3: headquarters, factory, plain) and tanks
/// (group 4, 32 frames) for sides 0, 1 and 2.
ImageLibrary MakeTestLibrary();

/// Adds one picture of the given size at [group][subgroup][list], growing the
/// levels as needed. Returns its frame number.
int AddPicture(ImageLibrary& lib, int group, int subgroup, int list, int width, int height);

/// A map drawn as rows of characters, all rows the same length:
///   '~' water, '.' land, '^' mountain (any other character is land).
/// The map is unfogged (Hidden 0) so tests see the rules, not the fog.
GameType MakeMap(const std::vector<std::string>& rows);

/// Places a tank at cell (x, y) as the map editor does: centred, at rest, the
/// cell marked as occupied when it was free. Returns its index.
std::int32_t PutTank(GameType& g, const ImageLibrary& lib, std::int32_t x, std::int32_t y, std::int32_t side,
                     std::int32_t facing = 12);

/// Places an object with its picture's footprint, anchor (x, y). Returns the anchor.
GameCellObjectType& PutObject(GameType& g, const ImageLibrary& lib, std::int32_t x, std::int32_t y, ImageRef image);

}  // namespace tavrine::test
