#include "view/status.h"

#include <algorithm>
#include <array>

#include "mapgen/generator.h"

namespace tavrine {

namespace {

constexpr std::array<const char*, 6> kMissionTexts = {
    "Destroy all the enemy buildings and kill all the enemies.",
    "Destroy all the enemy buildings.",
    "Find the enemy headquarters and destroy it.",
    "Defend army headquarters from enemies and kill all enemies.",
    "Defend army headquarters from enemies and destroy all enemy buildings.",
    "Defend army headquarters from enemies and find the enemy headquarters, destroy it.",
};

std::string TwoDigits(std::int32_t v) {
    std::string text = v >= 0 && v <= 9 ? "0" : "";
    text += std::to_string(v);  // appended: "0" + std::to_string(v) trips GCC 12's false -Wrestrict
    return text;
}

void CountSide(SideCounts& counts, std::int32_t side) {
    if (side == SidePlayer) ++counts.Own;
    else if (side == SideComputer) ++counts.Enemy;
    else ++counts.Other;
}

/// "Buildings: 12, 3 lost": the start total and how many of it are gone. Summed
/// wide so totals from a foreign file cannot overflow.
std::string TotalLine(const char* what, std::int32_t total, std::int32_t now) {
    return std::string(what) + std::to_string(total) + ", " + std::to_string(std::int64_t{total} - now) + " lost";
}

}  // namespace

std::string FormatGameTime(std::int32_t seconds) {
    const std::int32_t hours = seconds / 3600;
    const std::int32_t minutes = (seconds % 3600) / 60;
    return std::to_string(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds % 60);
}

std::string MoneyLabelText(const GameType& g) { return "$ " + std::to_string(g.Money); }

std::string MissionText(std::int32_t mission) {
    if (mission < 0 || mission >= static_cast<std::int32_t>(kMissionTexts.size())) return {};
    return kMissionTexts[static_cast<std::size_t>(mission)];
}

SideCounts CountBuildings(const GameType& g) {
    SideCounts counts;
    for (const auto& column : g.Cells)
        for (const auto& cell : column)
            if (cell.Object && (cell.Object->Kind() == KindTower || cell.Object->Kind() == KindBuilding))
                CountSide(counts, cell.Object->Side());
    return counts;
}

SideCounts CountTanks(const GameType& g) {
    SideCounts counts;
    for (const auto& t : g.Tanks) CountSide(counts, t->Side());
    return counts;
}

void BuildInfoLines(const GameType& g, RunState& run) {
    const SideCounts buildings = CountBuildings(g);
    const SideCounts tanks = CountTanks(g);
    run.InfoLines = {
        "Enemies",
        TotalLine("Buildings: ", g.EnemyBuildingsTotal, buildings.Enemy),
        TotalLine("Tanks: ", g.EnemyTanksTotal, tanks.Enemy),
        "",
        "Yours",
        TotalLine("Buildings: ", g.OwnBuildingsTotal, buildings.Own),
        TotalLine("Tanks: ", g.OwnTanksTotal, tanks.Own),
        "",
        "Time: " + FormatGameTime(g.GameTime),
        "",
        "Money: $" + std::to_string(g.Money),
    };
    // A skirmish names its map, so a player can share it by its seed.
    if (g.InSkirmish) {
        run.InfoLines.push_back("");
        run.InfoLines.push_back("Skirmish: " + SkirmishName(g.SkirmishPlayed));
        run.InfoLines.push_back("Seed: " + std::to_string(g.SkirmishPlayed.Seed));
    }
}

std::string SkirmishName(const SkirmishSetup& k) {
    const auto land = static_cast<mapgen::Landscape>(std::clamp(k.Landscape, 0, 4));
    const auto mirror = static_cast<mapgen::Symmetry>(std::clamp(k.Symmetry, 0, 2));
    return std::string(mapgen::NameOf(land)) + " " + std::to_string(k.Columns) + "x" + std::to_string(k.Rows) + ", " +
           (mirror == mapgen::Symmetry::None ? "no symmetry" : std::string(mapgen::NameOf(mirror))) + ", mission " +
           std::to_string(k.Mission + 1);
}

}  // namespace tavrine
