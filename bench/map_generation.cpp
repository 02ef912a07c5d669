// Making skirmish maps with the shipped picture library: a Small (64 x 48) and a
// Huge (200 x 200) map of each landscape, a new seed and symmetry each time, so
// the average includes the maps that needed more than one attempt. The counter
// "attempts" is the mean number of attempts per map.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/game.h"
#include "mapgen/generator.h"
#include "platform/host.h"

namespace tavrine::mapgen {
namespace {

const ImageLibrary& Library() {
    static const ImageLibrary library = [] {
        QuietHost host;
        ImageLibrary lib;
        const std::string path = std::string(TAVRINE_PROGRAM_DIR) + "/Tavrine.isd";
        if (!LoadImageLibraryFrom(host, path, lib)) {
            std::fprintf(stderr, "%s: the shipped library could not be read (build tavrine_content)\n", path.c_str());
            std::exit(1);
        }
        return lib;
    }();
    return library;
}

void GenerateMaps(benchmark::State& state) {
    const MapSizePreset& size = kSizePresets[static_cast<std::size_t>(state.range(0))];
    GenerateOptions o;
    o.Columns = size.Columns;
    o.Rows = size.Rows;
    o.Land = static_cast<Landscape>(state.range(1));
    const ImageLibrary& library = Library();
    std::uint64_t seed = 1000;
    std::int64_t maps = 0, attempts = 0;
    for (auto _ : state) {
        o.Seed = ++seed;
        o.Mirror = static_cast<Symmetry>(seed % 3);
        o.Mission = static_cast<int>(seed % 6);
        const GeneratedMap m = GenerateMap(library, o);
        if (!m.Ok) state.SkipWithError("a map failed its checks");
        benchmark::DoNotOptimize(m.File.data());
        ++maps;
        attempts += m.Attempts;
    }
    state.counters["attempts"] = maps ? static_cast<double>(attempts) / static_cast<double>(maps) : 0.0;
    state.SetLabel(std::string(size.Name) + " " + std::string(NameOf(o.Land)));
}

void Arguments(benchmark::internal::Benchmark* b) {
    for (const int size : {0, 3})
        for (int land = 0; land < 5; ++land) b->Args({size, land});
}

BENCHMARK(GenerateMaps)->Apply(Arguments)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrine::mapgen

BENCHMARK_MAIN();
