#include "sim/outcome.h"

namespace tavrine {

namespace {

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

const MissionRule* MissionRuleOf(std::int32_t mission) { return mission < 0 || mission > 5 ? nullptr : &kMissions[mission]; }

std::int32_t MissionOutcome(std::int32_t mission, const RunState& counts) {
    const MissionRule* rule = MissionRuleOf(mission);
    if (!rule) return OutcomeRunning;
    if (Won(rule->Win, counts)) return OutcomeAccomplished;
    if (counts.OwnTanks == 0 || (rule->DefendHeadquarters && counts.OwnHQs == 0)) return OutcomeFailed;
    return OutcomeRunning;
}

}  // namespace tavrine
