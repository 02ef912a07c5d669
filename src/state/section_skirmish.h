// The SKRM section of a game file: the seed and choices of a skirmish's map, so
// a saved skirmish still names them after loading.
//
// Payload, 36 bytes: uint32 seed (low half), uint32 seed (high half), then int32
// landscape 0..4, columns 40..200, rows 30..200, symmetry 0..2, mission 0..5,
// scenery 0..3, difficulty 0..2. Written only for a skirmish.
#pragma once

#include "state/game_file_bytes.h"
#include "state/records.h"

namespace tavrine {

void WriteSkirmishSection(gamefile::Writer& w, const GameType& g);
/// Fails on a value out of its range.
void ReadSkirmishSection(gamefile::Reader& r, GameType& g);

}  // namespace tavrine
