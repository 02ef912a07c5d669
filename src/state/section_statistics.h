// The STAT section of a game file: which campaign mission a saved battle is, and
// the statistics the rest of the record does not hold, so a campaign battle
// resumed from a save still counts towards the player's progress and its
// statistics go on from where they stood. (Enemy tanks and buildings destroyed
// follow from the record's totals and what still stands.)
//
// Payload: int32 N and N bytes, the mission's map file name in NewGames (1..255
// bytes, no NUL); int32 tanks built (>= 0); int32 money earned (>= 0). Written
// only for a campaign battle: any other game keeps its version 2 layout.
#pragma once

#include "state/game_file_bytes.h"
#include "state/records.h"

namespace tavrine {

void WriteStatisticsSection(gamefile::Writer& w, const GameType& g);
/// Fails on an empty or overlong name, a NUL in it, or a negative count.
void ReadStatisticsSection(gamefile::Reader& r, GameType& g);

}  // namespace tavrine
