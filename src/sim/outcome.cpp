#include "sim/outcome.h"

namespace tavrine {

namespace {

/// What a mission asks of the player.
enum class WinRule { AllEnemiesGone, AllBuildingsGone, HeadquartersGone };

struct MissionRule {
    WinRule Win;
    bool DefendHeadquarters;  ///< also lost when the player's last headquarters falls
};

/// The six mission types in the order of the New Game list.
constexpr MissionRule kMissions[6] = {
    {WinRule::AllEnemiesGone, false},   {WinRule::AllBuildingsGone, false}, {WinRule::HeadquartersGone, false},
    {WinRule::AllEnemiesGone, true},    {WinRule::AllBuildingsGone, true},  {WinRule::HeadquartersGone, true},
};

bool Won(WinRule rule, const RunState& c) {
    switch (rule) {
        case WinRule::AllEnemiesGone: return c.EnemyBuildings == 0 && c.EnemyTanks == 0;
        case WinRule::AllBuildingsGone: return c.EnemyBuildings == 0;
        case WinRule::HeadquartersGone: return c.EnemyHQs == 0;
    }
    return false;
}

}  // namespace

std::int32_t MissionOutcome(std::int32_t mission, const RunState& counts) {
    if (mission < 0 || mission > 5) return OutcomeRunning;
    const MissionRule& rule = kMissions[mission];
    if (Won(rule.Win, counts)) return OutcomeAccomplished;
    if (counts.OwnTanks == 0 || (rule.DefendHeadquarters && counts.OwnHQs == 0)) return OutcomeFailed;
    return OutcomeRunning;
}

}  // namespace tavrine
