// Whether a map makes a fair, winnable battle: the checks the generator runs
// on every map it makes, and that the editor's Check Map lists as warnings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/library.h"
#include "state/records.h"

namespace tavrine::mapgen {

enum class Symmetry : std::uint8_t { None, Mirror, Rotate };

/// Cells beyond a tower's reach the player's start keeps.
inline constexpr int kTowerMargin = 3;

/// One check and its outcome. `Figure` is the check's measure where it has one
/// (cells of route, cells of margin), else 0.
struct FairnessCheck {
    std::string Name;  ///< a short key: "placement", "targets_reachable", ...
    bool Passed = true;
    std::int64_t Figure = 0;
    std::string Problem;  ///< what is wrong, in a map maker's words; empty when passed
};

struct FairnessReport {
    std::vector<FairnessCheck> Checks;
    /// Cells of the shortest land route from the player's start to the nearest
    /// target the mission needs destroyed; -1 when none is reachable.
    int LandRoute = -1;
    /// Cells from the player's start to the nearest enemy tower's reach; a large
    /// number when the enemy has no tower.
    int TowerMarginCells = 0;

    bool Passed() const;
    /// The first failed check, or nullptr.
    const FairnessCheck* FirstFailure() const;
};

/// Runs every check on the map. `symmetry` adds the check that the ground is
/// its own mirror (left to right) or half-turn image.
FairnessReport CheckFairness(const GameType& g, const ImageLibrary& lib, Symmetry symmetry = Symmetry::None);

/// The ground class of a cell as the plan names it: 0 water, 1 land (coast
/// pieces included), 2 mountain (its border pieces included).
int GroundClass(const GameCellType& c);

}  // namespace tavrine::mapgen
