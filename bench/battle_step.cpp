// The per-frame cost of the battle rules: every tank's movement and firing step,
// the alert scan a tank runs on each arrival, and the towers' scans.
#include <benchmark/benchmark.h>

#include <memory>

#include "sim/combat.h"
#include "sim/movement.h"
#include "state/new_map.h"

namespace tavrine {
namespace {

ImageLibrary SizesOnly() {
    ImageLibrary lib;
    lib.Images.resize(5);
    const auto add = [&](int group, int sides, int lists, int frames, int size) {
        lib.Images[static_cast<std::size_t>(group)].resize(static_cast<std::size_t>(sides));
        for (auto& side : lib.Images[static_cast<std::size_t>(group)]) {
            side.resize(static_cast<std::size_t>(lists));
            for (auto& list : side) list.Pictures.resize(static_cast<std::size_t>(frames), Picture{size, size, {}, {}});
        }
    };
    add(0, 2, 1, 12, 36);
    add(2, 2, 1, 16, 35);
    add(4, 2, 1, 32, 36);
    return lib;
}

/// A land map with `tanks` of the player's tanks in rows, each shuttling between
/// two cells; a computer tank stands far off in the corner, so nobody is alerted.
struct Battle {
    explicit Battle(std::int32_t tanks) : Lib(SizesOnly()), Ctx{G, Run, Lib, Rng, nullptr} {
        NewMap(G, Run, 200, 200, 0, 0);
        for (auto& column : G.Cells)
            for (auto& c : column) {
                c.Ground = {0, 1, 0, 0};
                c.Hidden = 0;
            }
        for (std::int32_t i = 0; i < tanks; ++i) {
            const std::int32_t x = (i % 20) * 10;
            const std::int32_t y = (i / 20) * 2 % 200;
            auto t = std::make_unique<GameObjectType>();
            t->Index = i;
            t->Image = {4, 0, 0, 8};
            t->TurretFacing = 8;
            t->X = x * 36;
            t->Y = y * 36;
            G.Cell(x, y).Occupancy = CellTank;
            G.Cell(x, y).Occupant = i;
            G.Tanks.push_back(std::move(t));
        }
        auto lone = std::make_unique<GameObjectType>();
        lone->Index = tanks;
        lone->Image = {4, 1, 0, 8};
        lone->X = 199 * 36;
        lone->Y = 150 * 36;
        G.Tanks.push_back(std::move(lone));
    }

    /// Keeps every tank shuttling between its cell and the one east of it.
    void Refill() {
        for (auto& t : G.Tanks)
            if (t->Side() == 0 && t->Route.empty() && t->DestX < 0) {
                const std::int32_t x = t->X / 36, y = t->Y / 36;
                t->Route = {CellIndex(G, x % 2 ? x - 1 : x + 1, y)};
            }
    }

    ImageLibrary Lib;
    GameType G;
    RunState Run;
    Random Rng{1};
    SimContext Ctx;
};

void BM_TankStepsPerFrame(benchmark::State& state) {
    Battle b(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        b.Refill();
        for (std::size_t i = 0; i < b.G.Tanks.size(); ++i) TankStep(b.Ctx, static_cast<std::int32_t>(i));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TankStepsPerFrame)->Arg(100)->Arg(1000);

void BM_AlertScan(benchmark::State& state) {
    Battle b(static_cast<std::int32_t>(state.range(0)));
    const auto lone = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) AlertScan(b.Ctx, lone, 5 * 36);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AlertScan)->Arg(100)->Arg(1000);

void BM_TowerStep(benchmark::State& state) {
    Battle b(static_cast<std::int32_t>(state.range(0)));
    auto tower = std::make_unique<GameCellObjectType>();
    tower->Image = {2, 1, 0, 0};
    b.G.Cell(199, 199).Object = std::move(tower);
    for (auto _ : state) TowerStep(b.Ctx, 199, 199);
}
BENCHMARK(BM_TowerStep)->Arg(100)->Arg(1000);

}  // namespace
}  // namespace tavrine

BENCHMARK_MAIN();
