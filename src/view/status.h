// The texts of the status bar and the statistics: game time, money, the force
// counts and the lines of the Information box and the mission-end screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

/// Game seconds as hours:minutes:seconds, hours unpadded (305 gives 0:05:05).
std::string FormatGameTime(std::int32_t seconds);

/// "$ " and the money, as the status bar shows it.
std::string MoneyLabelText(const GameType& g);

/// The text of a mission type as the New Game list shows it; empty for a number
/// outside 0..5.
std::string MissionText(std::int32_t mission);

/// Counts by side: the player (0), the computer (1) and everybody else.
struct SideCounts {
    std::int32_t Own = 0;
    std::int32_t Enemy = 0;
    std::int32_t Other = 0;

    friend bool operator==(const SideCounts&, const SideCounts&) = default;
};

/// Towers and buildings (objects of group 2 or 3) on the map, by side.
SideCounts CountBuildings(const GameType& g);

/// Tanks, by side.
SideCounts CountTanks(const GameType& g);

/// Fills `run.InfoLines` with the statistics: each side's buildings and tanks
/// with the start totals and the losses since, the game time and the money.
void BuildInfoLines(const GameType& g, RunState& run);

/// A skirmish's map in words: "islands 100x75, mirror, mission 2".
std::string SkirmishName(const SkirmishSetup& k);

}  // namespace tavrine
