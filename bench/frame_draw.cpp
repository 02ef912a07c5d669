// Drawing one frame of a busy battlefield at 1024 x 768, 1920 x 1080 and 2560 x
// 1440: ground of every kind, walls, towers and smoking buildings, 100 tanks in
// view, floating labels, explosions, shells and a fog edge across the screen.
// Measured on the Qt canvas (the desktop build) and on the null canvas (the
// drawing pass without pixels). Reports the median and the worst frame, and the
// median processor time of the drawing thread (what a loaded machine leaves of
// the figure when other programs take turns on its cores); the
// frame should take well under a quarter of a 20 ms tick (at most 4 ms median at
// 1920 x 1080 and 7 ms at 2560 x 1440).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "sim/context.h"
#include "support/test_world.h"
#include "view/draw_frame.h"
#include "view/scene_library.h"

#ifdef TAVRINE_HAVE_QT_CANVAS
#include <QGuiApplication>

#include "platform/qt/qt_canvas.h"
#endif

namespace tavrine {
namespace {

constexpr std::int32_t kColumns = 90, kRows = 56, kCell = 36;

struct Battlefield {
    GameType g;
    RunState run;
    ImageLibrary lib = test::MakeSceneLibrary();
    Random rng{7};
    std::vector<ExplosionType> explosions;
    std::vector<ShotType> shots;
    std::vector<InfoLabelType> labels;

    Battlefield(std::int32_t width, std::int32_t height) {
        // 90 x 56 cells; the view shows the cells from column 10 and row 8 on.
        std::vector<std::string> rows(kRows, std::string(kColumns, '.'));
        for (std::int32_t y = 0; y < kRows; ++y)
            for (std::int32_t x = 0; x < kColumns; ++x) {
                if ((x * 7 + y * 3) % 17 == 0) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '~';
                if ((x * 5 + y * 11) % 23 == 0) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '^';
            }
        g = test::MakeMap(rows);
        g.ViewX = 10 * 36 + 5;
        g.ViewY = 8 * 36 + 7;
        run.DisplayWidth = width;
        run.DisplayHeight = height;
        run.BannerTime = 0;

        // The 100 tanks spread evenly over the free land the view shows.
        const std::int32_t right = std::min(10 + width / kCell + 1, kColumns), bottom = std::min(8 + height / kCell + 1, kRows);
        std::vector<std::pair<std::int32_t, std::int32_t>> tankCells;
        for (std::int32_t y = 8; y < bottom; ++y)
            for (std::int32_t x = 10; x < right; ++x) {
                GameCellType& c = g.Cell(x, y);
                if (c.Occupancy != CellFree || !IsLandCell(c)) continue;
                const std::int32_t k = (x * 13 + y * 7) % 20;
                if (k == 0 && x % 3 == 0 && y % 3 == 0 && FreeBlock(x, y)) {
                    auto& o = test::PutObject(g, lib, x, y, ImageRef{KindBuilding, x % 2, (x + y) % 3, 0});
                    o.Smoke.push_back(SmokeType{ImageRef{0, 5, 0, x % 6}, 0, c.X + 20, c.Y + 5, 0});
                    o.Smoke.push_back(SmokeType{ImageRef{0, 5, 0, y % 6}, 0, c.X + 35, c.Y + 15, 0});
                } else if (k == 1) {
                    test::PutObject(g, lib, x, y, ImageRef{KindTower, y % 2, 0, (x + y) % 16});
                } else if (k == 2 || k == 3) {
                    test::PutObject(g, lib, x, y, ImageRef{KindDecoration, x % 2, 0, y % 11});
                } else if (k >= 8) {
                    tankCells.emplace_back(x, y);
                }
            }
        for (std::size_t placed = 0; placed < 100 && placed < tankCells.size(); ++placed) {
            const auto [x, y] = tankCells[placed * tankCells.size() / 100];
            const std::int32_t t = test::PutTank(g, lib, x, y, static_cast<std::int32_t>(placed % 2), (x * 3 + y) % 16);
            GameObjectType& tank = *g.Tanks[static_cast<std::size_t>(t)];
            tank.TurretFacing = (x + y * 5) % 16;
            tank.Selected = placed % 7 == 0;
        }
        // Fog: everything right of a ragged line two thirds across is unexplored.
        const std::int32_t fogColumn = 10 + 2 * (right - 10) / 3;
        for (std::int32_t y = 0; y < kRows; ++y)
            for (std::int32_t x = fogColumn + (y % 3); x < kColumns; ++x) g.Cell(x, y).Hidden = 1;
        for (std::int32_t i = 0; i < 24; ++i) {
            const std::int32_t ax = width * i / 24, ay = height * i / 24;
            explosions.push_back(ExplosionType{g.ViewX + ax + 20, g.ViewY + ay + 15, i % 2, i % 5, i % 6});
            shots.push_back(ShotType{g.ViewX + width - 100 - ax, g.ViewY + ay, g.ViewX + ax, g.ViewY + height - 60 - ay, 0, 0});
            // Floating labels as a battle leaves them: money and damage over things.
            labels.push_back(InfoLabelType{g.ViewX + ax + 30, g.ViewY + height - ay - 40, i % 8, "+" + std::to_string(25 * i),
                                           1000, i % 2 ? 0x00FFFFu : 0x00FF00u});
        }
        g.Tanks.size() == 100 ? void() : std::abort();
    }

    static bool IsLandCell(const GameCellType& c) { return c.Ground.Group == 0 && c.Ground.Subgroup == 1; }
    bool FreeBlock(std::int32_t x, std::int32_t y) {
        for (std::int32_t dx = 0; dx < 2; ++dx)
            for (std::int32_t dy = 0; dy < 2; ++dy)
                if (!g.OnMap(x + dx, y + dy) || g.Cell(x + dx, y + dy).Occupancy != CellFree) return false;
        return true;
    }
};

/// The processor time this thread has used, in seconds.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

/// `scrolling`: the view moves three pixels right and two down each frame and
/// jumps back every 48 frames, so cells keep coming into view.
void DrawFrames(benchmark::State& state, Canvas& canvas, Battlefield& b, bool scrolling = false) {
    std::vector<double> ms, cpuMs;
    SimContext ctx{b.g, b.run, b.lib, b.rng};
    const std::int32_t viewX = b.g.ViewX, viewY = b.g.ViewY;
    std::int32_t frame = 0;
    for (auto _ : state) {
        if (scrolling) {
            b.g.ViewX = viewX + 3 * (frame % 48);
            b.g.ViewY = viewY + 2 * (frame % 48);
            ++frame;
        }
        // Explosions and shells run out as they are drawn: each frame starts
        // from the same busy sky.
        b.g.Explosions = b.explosions;
        b.g.Shots = b.shots;
        b.g.InfoLabels = b.labels;
        const double cpuStart = ThreadSeconds();
        const auto start = std::chrono::steady_clock::now();
        DrawFrame(ctx, canvas);
        const auto end = std::chrono::steady_clock::now();
        cpuMs.push_back((ThreadSeconds() - cpuStart) * 1000.0);
        const double elapsed = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(elapsed);
        ms.push_back(elapsed * 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpuMs.begin(), cpuMs.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["cpu_median_ms"] = cpuMs[cpuMs.size() / 2];
    state.counters["worst_ms"] = ms.back();
    state.counters["tanks"] = static_cast<double>(b.g.Tanks.size());
}

/// The surfaces measured: a 4:3 mode and two wide ones.
void Sizes(benchmark::internal::Benchmark* b) {
    b->Args({1024, 768})->Args({1920, 1080})->Args({2560, 1440});
}

void BM_FrameNullCanvas(benchmark::State& state) {
    Battlefield b(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
    NullCanvas canvas;
    DrawFrames(state, canvas, b);
}
BENCHMARK(BM_FrameNullCanvas)->Apply(Sizes)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

#ifdef TAVRINE_HAVE_QT_CANVAS
void BM_FrameQtCanvas(benchmark::State& state) {
    Battlefield b(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
    qt::QtCanvas canvas(b.run.DisplayWidth, b.run.DisplayHeight);
    canvas.LoadPictures(b.lib);
    DrawFrames(state, canvas, b);
}
BENCHMARK(BM_FrameQtCanvas)->Apply(Sizes)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

/// The same with the view scrolling: the kept ground is moved and filled in.
void BM_FrameQtCanvasScrolling(benchmark::State& state) {
    Battlefield b(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
    qt::QtCanvas canvas(b.run.DisplayWidth, b.run.DisplayHeight);
    canvas.LoadPictures(b.lib);
    DrawFrames(state, canvas, b, true);
}
BENCHMARK(BM_FrameQtCanvasScrolling)->Apply(Sizes)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

/// A frame shown through a gamma ramp other than the identity (during a fade).
void BM_PresentThroughGammaRamp(benchmark::State& state) {
    qt::QtCanvas canvas(1024, 768);
    GammaRamp ramp{};
    canvas.GetGammaRamp(ramp);
    for (auto& channel : ramp)
        for (auto& v : channel) v = static_cast<std::uint16_t>(v / 2);
    canvas.SetGammaRamp(ramp);
    for (auto _ : state) canvas.Flip();
}
BENCHMARK(BM_PresentThroughGammaRamp)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace tavrine

int main(int argc, char** argv) {
#ifdef TAVRINE_HAVE_QT_CANVAS
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
