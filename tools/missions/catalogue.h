// The prepared missions that ship in NewGames: their files, sizes, mission
// types, briefings and the game times they were balanced to. The generator, the
// guide and the mission tests all read this one table.
#pragma once

#include <array>
#include <string_view>

namespace tavrine::missions {

struct MissionEntry {
    std::string_view File;  ///< the name in NewGames
    std::string_view Title;
    int Columns;
    int Rows;
    int Mission;  ///< the mission type 0..5
    std::string_view Briefing;
    /// Game minutes the autopilot typically takes to win on Easy (the median of
    /// the balancing runs).
    int TypicalWinMinutes;
    /// Game minutes within which the autopilot wins the mission on Easy.
    int EasyWinMinutes;
    /// Game minutes within which a player who does nothing loses on Difficult;
    /// 0 when waiting cannot lose it (it still stands after half an hour).
    int IdleLossMinutes;
    /// Small enough for the everyday test run.
    bool Quick;
};

inline constexpr std::array<MissionEntry, 8> kMissionCatalogue{{
    {"01 Beachhead.gam", "Beachhead", 40, 30, 2,
     "You have landed on the south-west beach. An enemy depot guards the field ahead; their headquarters lies "
     "somewhere beyond it to the north-east. Find it and destroy it.",
     1, 5, 5, true},
    {"02 River Crossing.gam", "River Crossing", 60, 45, 1,
     "A river runs between you and the enemy, crossed by three fords, and the enemy holds the far bank. "
     "Get across and leave none of their buildings standing.",
     3, 10, 0, true},
    {"03 Hold the Line.gam", "Hold the Line", 64, 48, 4,
     "A mountain chain with two passes shields your headquarters. The enemy is massing behind it. Hold your "
     "headquarters and destroy every enemy building.",
     4, 12, 12, true},
    {"04 Mountain Pass.gam", "Mountain Pass", 80, 60, 0,
     "Two valleys divided by broken ranges lead north to the enemy's stronghold. Destroy all their buildings "
     "and every last tank.",
     6, 12, 0, true},
    {"05 Lake District.gam", "Lake District", 100, 80, 5,
     "Lakes break the land into narrow causeways. Defend your headquarters while you find the enemy's, hidden "
     "among the lakes to the north-east, and destroy it.",
     7, 12, 7, false},
    {"06 Walled City.gam", "Walled City", 120, 90, 3,
     "The enemy has walled in a city on the east coast and sends its tanks out through the gates. Defend your "
     "headquarters and destroy every enemy tank and building.",
     7, 25, 8, false},
    {"07 Archipelago.gam", "Archipelago", 150, 120, 2,
     "A chain of islands joined by narrow necks of land. The enemy headquarters stands on the farthest island. "
     "Fight your way across and destroy it.",
     7, 18, 10, false},
    {"08 Iron Continent.gam", "Iron Continent", 200, 200, 0,
     "The last battle: a whole continent of rivers, lakes and mountain ranges, held by four enemy bases. "
     "Destroy every building and every tank.",
     17, 25, 8, false},
}};

}  // namespace tavrine::missions
