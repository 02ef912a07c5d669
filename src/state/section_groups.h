// The GRUP section of a version 3 game file: the orders whose tanks keep
// together, with how far their pacing has got.
//
//   int32     N, the number of such orders
//   N times:  int32 order index, int32 PaceDistance, int32 PaceStall
//
// Written only when some order keeps together. Read after the orders: an index
// must name an existing order, each at most once; both pace numbers are 0 or more.
#pragma once

#include "state/game_file_bytes.h"
#include "state/records.h"

namespace tavrine {

void WriteGroupSection(gamefile::Writer& w, const GameType& g);
void ReadGroupSection(gamefile::Reader& r, GameType& g);

}  // namespace tavrine
