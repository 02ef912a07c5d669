// The cost of the map editor's undo on the largest map: snapshots, deltas and the
// memory one step keeps, for a small edit (a drop) and a large one (a fill of the
// whole map).
#include <benchmark/benchmark.h>

#include "editor/byte_delta.h"
#include "editor/editor.h"
#include "editor/fills.h"
#include "editor/placing.h"
#include "state/new_map.h"
#include "state/random.h"
#include "state/saved_game.h"

namespace tavrine {
namespace {

void AddPictures(ImageLibrary& lib, int group, int subgroups, int lists, int frames, int size) {
    if (lib.Images.size() <= static_cast<std::size_t>(group)) lib.Images.resize(static_cast<std::size_t>(group) + 1);
    Picture p;
    p.Width = p.Height = size;
    lib.Images[static_cast<std::size_t>(group)].assign(static_cast<std::size_t>(subgroups),
                                                      PictureLists(static_cast<std::size_t>(lists), PictureList{0, std::vector<Picture>(static_cast<std::size_t>(frames), p)}));
}

ImageLibrary MakeLibrary() {
    ImageLibrary lib;
    AddPictures(lib, 0, 3, 5, 12, 36);  // ground
    AddPictures(lib, 1, 3, 4, 11, 35);  // walls and scenery
    AddPictures(lib, 2, 3, 1, 16, 35);  // towers
    AddPictures(lib, 3, 3, 3, 1, 71);   // buildings
    AddPictures(lib, 4, 3, 2, 32, 36);  // tanks
    return lib;
}

GameType EmptyMap() {
    GameType g;
    RunState run;
    NewMap(g, run, 200, 200, 1, 0);
    return g;
}

struct LargeMap {
    LargeMap() : g(EmptyMap()) {
        // Some land and objects, so snapshots look like a map being made.
        FillLand(g, 0, 0);
        for (int i = 0; i < 300; ++i) PlaceObject(g, lib, {3, i % 2, i % 3, 0}, (i * 37) % 198, (i * 53) % 198);
    }
    ImageLibrary lib = MakeLibrary();
    GameType g;
    RunState run;
    Random rng{1};
    SimContext ctx{g, run, lib, rng};
};

void BM_SerializeLargeMap(benchmark::State& state) {
    LargeMap m;
    for (auto _ : state) benchmark::DoNotOptimize(SerializeGame(m.g));
    state.counters["bytes"] = static_cast<double>(SerializeGame(m.g).size());
}
BENCHMARK(BM_SerializeLargeMap)->Unit(benchmark::kMillisecond);

void BM_DeltaOfADrop(benchmark::State& state) {
    LargeMap m;
    const Bytes before = SerializeGame(m.g);
    DropPicture(m.ctx, {3, 1, 0, 0}, 100 * 36 + 5, 120 * 36 + 5);
    const Bytes after = SerializeGame(m.g);
    Bytes delta;
    for (auto _ : state) benchmark::DoNotOptimize(delta = EncodeDelta(after, before));
    state.counters["delta_bytes"] = static_cast<double>(delta.size());
}
BENCHMARK(BM_DeltaOfADrop)->Unit(benchmark::kMillisecond);

void BM_DeltaOfAWholeMapFill(benchmark::State& state) {
    LargeMap m;
    m.g = EmptyMap();
    const Bytes before = SerializeGame(m.g);
    FillLand(m.g, 0, 0);
    const Bytes after = SerializeGame(m.g);
    Bytes delta;
    for (auto _ : state) benchmark::DoNotOptimize(delta = EncodeDelta(after, before));
    state.counters["delta_bytes"] = static_cast<double>(delta.size());
}
BENCHMARK(BM_DeltaOfAWholeMapFill)->Unit(benchmark::kMillisecond);

void BM_ApplyDeltaOfADrop(benchmark::State& state) {
    LargeMap m;
    const Bytes before = SerializeGame(m.g);
    DropPicture(m.ctx, {3, 1, 0, 0}, 100 * 36 + 5, 120 * 36 + 5);
    const Bytes after = SerializeGame(m.g);
    const Bytes delta = EncodeDelta(after, before);
    for (auto _ : state) benchmark::DoNotOptimize(ApplyDelta(after, delta));
}
BENCHMARK(BM_ApplyDeltaOfADrop)->Unit(benchmark::kMillisecond);

/// One whole edit as the editor records it (a drop), then its undo and redo.
void BM_DropUndoRedo(benchmark::State& state) {
    LargeMap m;
    Editor editor;
    int i = 0;
    for (auto _ : state) {
        ++i;
        editor.Drop(m.ctx, {0, 2, 0, i % 12}, (i % 200) * 36 + 5, ((i / 200) % 200) * 36 + 5);
        editor.Undo(m.ctx);
        editor.Redo(m.ctx);
    }
    state.counters["undo_steps"] = static_cast<double>(editor.History().UndoSteps());
    state.counters["stored_MB"] = static_cast<double>(editor.History().StoredBytes()) / (1 << 20);
}
BENCHMARK(BM_DropUndoRedo)->Unit(benchmark::kMillisecond)->Iterations(120);

}  // namespace
}  // namespace tavrine

BENCHMARK_MAIN();
