#include "support/tick_world.h"

#include <gtest/gtest.h>

#include <utility>

namespace tavrine::test {

std::vector<std::string> LandRows(std::int32_t columns, std::int32_t rows) {
    return std::vector<std::string>(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '.'));
}

TickWorld::TickWorld(const std::vector<std::string>& rows, std::uint64_t seed) : game(".", host, seed) {
    game.Library() = MakeTestLibrary();
    game.EditRecord() = MakeMap(rows);
    RunState& run = game.Run();
    run.TitleShown = 0;
    run.EditMode = 0;
    run.BannerTime = 0;
    run.Outcome = OutcomeRunning;
    run.Difficulty = DifficultyNormal;
    run.TimerInterval = 30;
    // In every tick the mirror of the map is checked against the map.
    game.Passability().CheckEachTick = true;
}

TickWorld::~TickWorld() {
    const PassabilityMirror& mirror = game.Passability();
    EXPECT_EQ(mirror.StaleUses, 0) << "the tick's mirror of the map went out of date " << mirror.StaleUses << " times in "
                                   << mirror.Uses << " uses";
}

std::int32_t TickWorld::TanksOf(std::int32_t side) {
    std::int32_t n = 0;
    for (const auto& t : G().Tanks) n += t->Side() == side;
    return n;
}

void TickWorld::HideAll() {
    for (auto& column : G().Cells)
        for (auto& cell : column) cell.Hidden = 1;
}

}  // namespace tavrine::test
