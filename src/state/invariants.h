// The rules every game record obeys between two steps of the game.
#pragma once

#include <string>

#include "state/records.h"

namespace tavrine {

/// The first broken rule of the game record, or an empty string when all hold:
/// sane cell size; MapWidth and MapHeight match the cell counts; every column
/// has Rows cells; one wave field of Columns * Rows entries per order; tanks and
/// orders carry their own index; every tank, order and tower reference that the
/// rules follow names an existing tank, order or cell.
///
/// Stale values that the rules never read are allowed: `Occupant` of a free
/// cell, `LeavingTank` (only ever written), `TowerTarget` of an idle tower.
std::string CheckInvariants(const GameType& g);

/// Largest map side the game accepts from a file.
inline constexpr int kMaxMapSide = 4096;

}  // namespace tavrine
