// A whole game for the frame-tick tests: the real Game object with a quiet host,
// the test library and a map drawn in characters, run tick by tick.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/game.h"
#include "platform/host.h"
#include "support/test_world.h"

namespace tavrine::test {

/// Rows of `columns` land cells.
std::vector<std::string> LandRows(std::int32_t columns, std::int32_t rows);

struct TickWorld {
    /// A running game on the map: no title, not editing, no hint pending,
    /// Normal difficulty, 30 ms ticks.
    explicit TickWorld(const std::vector<std::string>& rows, std::uint64_t seed = 1);
    /// Fails the test if a tick's mirror of the map was ever found out of date.
    ~TickWorld();
    TickWorld(const TickWorld&) = delete;
    TickWorld& operator=(const TickWorld&) = delete;

    GameType& G() { return game.EditRecord(); }
    RunState& Run() { return game.Run(); }
    const ImageLibrary& Lib() { return game.Library(); }
    SimContext Ctx() { return game.Context(); }

    void Tick(int n = 1) {
        for (int i = 0; i < n; ++i) game.DXTimerTimer();
    }

    std::int32_t Tank(std::int32_t x, std::int32_t y, std::int32_t side, std::int32_t facing = 12) {
        return PutTank(G(), Lib(), x, y, side, facing);
    }
    GameCellObjectType& Factory(std::int32_t x, std::int32_t y, std::int32_t side) {
        return PutObject(G(), Lib(), x, y, ImageRef{KindBuilding, side, BuildingFactory, 0});
    }
    GameCellObjectType& Headquarters(std::int32_t x, std::int32_t y, std::int32_t side) {
        return PutObject(G(), Lib(), x, y, ImageRef{KindBuilding, side, BuildingHeadquarters, 0});
    }
    GameCellObjectType& PlainBuilding(std::int32_t x, std::int32_t y, std::int32_t side) {
        return PutObject(G(), Lib(), x, y, ImageRef{KindBuilding, side, 2, 0});
    }
    GameCellObjectType& Tower(std::int32_t x, std::int32_t y, std::int32_t side, std::int32_t facing = 12) {
        return PutObject(G(), Lib(), x, y, ImageRef{KindTower, side, 0, facing});
    }
    GameCellObjectType& Object(std::int32_t x, std::int32_t y, ImageRef image) { return PutObject(G(), Lib(), x, y, image); }
    GameCellObjectType& Wall(std::int32_t x, std::int32_t y) { return PutObject(G(), Lib(), x, y, ImageRef{KindDecoration, 0, 0, 0}); }

    /// Tanks of a side standing in the list.
    std::int32_t TanksOf(std::int32_t side);
    /// Makes every cell hidden, as in a map the player has not explored.
    void HideAll();

    QuietHost host;
    Game game;
};

}  // namespace tavrine::test
