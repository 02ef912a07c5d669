// Writing and reading game files: the largest map the New Game dialog offers,
// with a busy battle's orders and tanks.
#include <benchmark/benchmark.h>

#include "state/lists.h"
#include "state/new_map.h"
#include "state/saved_game.h"

namespace tavrine {
namespace {

/// A 200 by 200 map with `orders` orders (each adding a wave entry to every cell)
/// and 100 tanks with 40-step routes.
GameType BusyGame(int orders) {
    GameType g;
    RunState run;
    NewMap(g, run, 200, 200, 1, 0);
    for (int k = 0; k < orders; ++k) AddOrder(g, OrderMove, k, OrderReady);
    for (int i = 0; i < 100; ++i) {
        auto t = std::make_unique<GameObjectType>();
        t->Index = i;
        t->Route.assign(40, i);
        g.Tanks.push_back(std::move(t));
    }
    return g;
}

void BM_SerializeGame(benchmark::State& state) {
    const GameType g = BusyGame(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const Bytes b = SerializeGame(g);
        bytes = b.size();
        benchmark::DoNotOptimize(b.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_SerializeGame)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_ParseGame(benchmark::State& state) {
    const Bytes b = SerializeGame(BusyGame(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        GameType g;
        if (ParseGame(b, g) != LoadResult::Ok) state.SkipWithError("the busy game did not load");
        benchmark::DoNotOptimize(g.Cells.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(b.size()) * state.iterations());
}
BENCHMARK(BM_ParseGame)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrine

BENCHMARK_MAIN();
