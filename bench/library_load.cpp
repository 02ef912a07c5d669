// Loading a library of the size the game ships: 600 pictures from 36 x 36 to
// 108 x 108 pixels, half 8-bit with a palette and half 24-bit, and two sounds.
// Reports the time per load, the file size, the bytes the loaded library holds
// and the peak of heap bytes allocated during one load.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "data/bmp.h"
#include "data/file_io.h"
#include "data/library_file.h"
#include "game/game.h"

namespace {

std::atomic<std::size_t> g_heapNow{0}, g_heapPeak{0};

void Count(void* p) {
    const std::size_t now = g_heapNow += malloc_usable_size(p);
    std::size_t peak = g_heapPeak.load();
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
    }
}

}  // namespace

// Counting replacements of the global allocation functions; kept out of line so
// the compiler does not pair an inlined free() with a library-side new.
__attribute__((noinline)) void* operator new(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    Count(p);
    return p;
}
__attribute__((noinline)) void operator delete(void* p) noexcept {
    if (p) g_heapNow -= malloc_usable_size(p);
    std::free(p);
}
__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace tavrine {
namespace {

/// A picture of `side` x `side` pixels with a transparent corner: a few colours
/// for 8-bit pictures (terrain), a gradient of many for 24-bit ones (units).
Picture ShippedPicture(int index, int side, bool indexed) {
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(side * side));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            if (x + y < side / 4) {
                pixels.push_back(0x00FF00FFu);
            } else if (indexed) {
                pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(((x / 4 + y / 4 + index) % 48) * 0x030507));
            } else {
                pixels.push_back(0xFF000000u | static_cast<std::uint32_t>((x * 7 + index) & 0xFF) << 16 |
                                 static_cast<std::uint32_t>((y * 7) & 0xFF) << 8 |
                                 static_cast<std::uint32_t>((x * y + index) & 0xFF));
            }
        }
    return *MakePicture(side, side, pixels, indexed ? BmpDepth::Indexed8 : BmpDepth::Rgb24);
}

Wave ShippedSound(std::size_t samples) {
    Wave wave;
    wave.Format = {1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0};  // PCM mono 22050 Hz 16 bits
    wave.Samples.resize(samples * 2);
    for (std::size_t i = 0; i < wave.Samples.size(); ++i) wave.Samples[i] = static_cast<std::uint8_t>(i * 31);
    return wave;
}

/// 5 groups x 4 subgroups x 6 lists x 5 frames = 600 pictures: two thirds one
/// cell, the rest 2 x 2 and 3 x 3 cells.
const std::vector<std::uint8_t>& ShippedLibraryFile() {
    static const std::vector<std::uint8_t> file = [] {
        ImageLibrary lib;
        int index = 0;
        lib.Images.resize(5);
        for (auto& group : lib.Images) {
            group.resize(4);
            for (auto& subgroup : group) {
                subgroup.resize(6);
                for (auto& list : subgroup)
                    for (int f = 0; f < 5; ++f, ++index) {
                        const int side = index % 3 != 0 ? 36 : (index % 6 == 0 ? 72 : 108);
                        list.Pictures.push_back(ShippedPicture(index, side, index % 2 == 0));
                    }
            }
        }
        lib.WaveList.push_back(ShippedSound(22050));
        lib.WaveList.push_back(ShippedSound(11025));
        return *WriteLibraryFile(lib);
    }();
    return file;
}

std::size_t HeldBytes(const ImageLibrary& lib) {
    std::size_t bytes = 0;
    for (const auto& group : lib.Images)
        for (const auto& subgroup : group)
            for (const auto& list : subgroup)
                for (const auto& p : list.Pictures) bytes += p.Pixels.size() * 4 + p.Record.size();
    for (const auto& w : lib.WaveList) bytes += w.Format.size() + w.Samples.size();
    return bytes;
}

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void ReportMemory(benchmark::State& state, const ImageLibrary& lib, std::size_t heapPeak) {
    state.counters["file_bytes"] = static_cast<double>(ShippedLibraryFile().size());
    state.counters["held_bytes"] = static_cast<double>(HeldBytes(lib));
    state.counters["load_heap_peak_bytes"] = static_cast<double>(heapPeak);
    state.counters["process_peak_rss_kb"] = static_cast<double>(PeakRssKb());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ShippedLibraryFile().size()));
}

/// Parsing and decoding from memory.
void BM_ReadLibraryFile(benchmark::State& state) {
    const std::vector<std::uint8_t>& file = ShippedLibraryFile();
    std::size_t heapPeak = 0;
    ImageLibrary lib;
    for (auto _ : state) {
        lib = ImageLibrary{};
        const std::size_t before = g_heapNow.load();
        g_heapPeak = before;
        const LibraryStatus status = ReadLibraryFile(file, lib);
        heapPeak = g_heapPeak.load() - before;
        if (status != LibraryStatus::Ok) state.SkipWithError("the library did not load");
        benchmark::DoNotOptimize(lib);
    }
    ReportMemory(state, lib, heapPeak);
}
BENCHMARK(BM_ReadLibraryFile)->Unit(benchmark::kMillisecond);

/// The game's load: read the file from disk, check it, decode, swap in.
void BM_LoadImageLibrary(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavrine-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    if (!WriteFileAtomically((folder / "Tavrine.isd").string(), ShippedLibraryFile())) {
        state.SkipWithError("the library could not be written");
        return;
    }
    QuietHost host;
    Game game(folder.string(), host);
    std::size_t heapPeak = 0;
    for (auto _ : state) {
        const std::size_t before = g_heapNow.load();
        g_heapPeak = before;
        if (!game.LoadImageLibrary()) state.SkipWithError("the library did not load");
        heapPeak = g_heapPeak.load() - before;
    }
    ReportMemory(state, game.Library(), heapPeak);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadImageLibrary)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrine

BENCHMARK_MAIN();
