// A small battle for the movement and combat tests: a map drawn in characters,
// the test library, one random generator, a recorder of the sounds the battle
// asks for, and the context the rules work in.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/sound_events.h"
#include "sim/context.h"
#include "sim/grid.h"
#include "sim/passability.h"
#include "support/test_world.h"

namespace tavrine::test {

struct PlayedSound {
    int Index = 0;
    int X = 0;
    int Y = 0;

    friend bool operator==(const PlayedSound&, const PlayedSound&) = default;
};

class SoundRecorder : public SoundEvents {
public:
    void PlaySoundAt(int index, int x, int y) override { Played.push_back({index, x, y}); }
    std::vector<PlayedSound> Played;
};

struct BattleWorld {
    explicit BattleWorld(const std::vector<std::string>& rows, std::uint64_t seed = 1)
        : Lib(MakeTestLibrary()), G(MakeMap(rows)), Rng(seed), Ctx{G, Run, Lib, Rng, &Sound, &Mirror} {}
    BattleWorld(const BattleWorld&) = delete;
    BattleWorld& operator=(const BattleWorld&) = delete;

    GameObjectType& Tank(std::int32_t i) { return *G.Tanks[static_cast<std::size_t>(i)]; }
    GameCellType& Cell(std::int32_t x, std::int32_t y) { return G.Cell(x, y); }
    std::int32_t Index(std::int32_t x, std::int32_t y) const { return CellIndex(G, x, y); }

    std::int32_t Put(std::int32_t x, std::int32_t y, std::int32_t side, std::int32_t facing = 12) {
        return PutTank(G, Lib, x, y, side, facing);
    }

    /// Gives a tank a route through the cells in driving order (the next cell first).
    void Drive(std::int32_t tank, std::initializer_list<CellXY> cells) {
        auto& route = Tank(tank).Route;
        route.clear();
        for (auto it = std::rbegin(cells); it != std::rend(cells); ++it) route.push_back(Index(it->X, it->Y));
    }

    /// Top-left of the picture of a 36-pixel tank standing on cell (x, y).
    PixelXY Corner(std::int32_t x, std::int32_t y) const { return {x * G.CellWidth, y * G.CellHeight}; }

    std::int32_t HiddenCount() const {
        std::int32_t n = 0;
        for (const auto& column : G.Cells)
            for (const auto& c : column) n += c.Hidden;
        return n;
    }

    ImageLibrary Lib;
    GameType G;
    RunState Run;
    Random Rng;
    SoundRecorder Sound;
    /// The ticks' mirror of the map, used while a test holds a PassabilityTick.
    PassabilityMirror Mirror;
    SimContext Ctx;
};

}  // namespace tavrine::test
