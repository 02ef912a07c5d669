// Damage per hit: how many hit points a shell takes, by shooter, target and
// difficulty. The computer's units are tougher on harder difficulties.
#pragma once

#include <array>
#include <cstdint>

#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

/// Indexed by `DifficultyIndex`: Easy, Normal, Difficult.
using DifficultyTable = std::array<std::int32_t, 3>;

/// A tank on an attack-tank order hitting a computer tank; other sides take 10.
inline constexpr DifficultyTable kTankOnComputerTank{15, 10, 5};
inline constexpr std::int32_t kTankOnOtherTank = 10;
/// A tank hitting the tank it picked up on the way, whatever its side.
inline constexpr std::int32_t kTankOnChanceTarget = 10;
/// A tank on an attack-building order hitting a computer tower; other sides take 5.
inline constexpr DifficultyTable kTankOnComputerTower{7, 5, 3};
inline constexpr std::int32_t kTankOnOtherTower = 5;
/// The same hitting any other computer object; other sides take 2.
inline constexpr DifficultyTable kTankOnComputerBuilding{3, 2, 1};
inline constexpr std::int32_t kTankOnOtherBuilding = 2;
/// A tower hitting a computer tank; other sides take 20.
inline constexpr DifficultyTable kTowerOnComputerTank{30, 20, 10};
inline constexpr std::int32_t kTowerOnOtherTank = 20;

inline std::int32_t ByDifficulty(const DifficultyTable& table, std::int32_t difficulty) {
    return table[static_cast<std::size_t>(DifficultyIndex(difficulty))];
}

/// Damage of a tank's shell on an attack-tank order.
inline std::int32_t TankDamageToTank(std::int32_t targetSide, std::int32_t difficulty) {
    return targetSide == SideComputer ? ByDifficulty(kTankOnComputerTank, difficulty) : kTankOnOtherTank;
}

/// Damage of a tank's shell on an attack-building order.
inline std::int32_t TankDamageToObject(const GameCellObjectType& o, std::int32_t difficulty) {
    if (o.Kind() == KindTower)
        return o.Side() == SideComputer ? ByDifficulty(kTankOnComputerTower, difficulty) : kTankOnOtherTower;
    return o.Side() == SideComputer ? ByDifficulty(kTankOnComputerBuilding, difficulty) : kTankOnOtherBuilding;
}

/// Damage of a tower's shell.
inline std::int32_t TowerDamageToTank(std::int32_t targetSide, std::int32_t difficulty) {
    return targetSide == SideComputer ? ByDifficulty(kTowerOnComputerTank, difficulty) : kTowerOnOtherTank;
}

}  // namespace tavrine
