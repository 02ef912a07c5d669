// The game file sections of the player's commands (see section_commands.cpp for
// their layout): order queues, rally cells, attack-moves in progress.
#pragma once

#include "state/game_file_bytes.h"
#include "state/records.h"

namespace tavrine {

void WriteQueues(gamefile::Writer& w, const GameType& g);
void ReadQueues(gamefile::Reader& r, GameType& g);
void WriteRallies(gamefile::Writer& w, const GameType& g);
void ReadRallies(gamefile::Reader& r, GameType& g);
void WriteAttackMoves(gamefile::Writer& w, const GameType& g);
void ReadAttackMoves(gamefile::Reader& r, GameType& g);

}  // namespace tavrine
