// Drawing one 1024 x 768 frame of a busy battlefield: ground of every kind,
// walls, towers and smoking buildings, 100 tanks in view, explosions, shells and
// a fog edge across the screen. Measured on the Qt canvas (the desktop build) and
// on the null canvas (the drawing pass without pixels). Reports the median and
// the worst frame; the frame should take well under a quarter of a 20 ms tick.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
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

constexpr std::int32_t kWidth = 1024, kHeight = 768;

struct Battlefield {
    GameType g;
    RunState run;
    ImageLibrary lib = test::MakeSceneLibrary();
    Random rng{7};
    std::vector<ExplosionType> explosions;
    std::vector<ShotType> shots;

    Battlefield() {
        // 60 x 40 cells; the view shows columns 10..38 and rows 8..29.
        std::vector<std::string> rows(40, std::string(60, '.'));
        for (std::int32_t y = 0; y < 40; ++y)
            for (std::int32_t x = 0; x < 60; ++x) {
                if ((x * 7 + y * 3) % 17 == 0) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '~';
                if ((x * 5 + y * 11) % 23 == 0) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '^';
            }
        g = test::MakeMap(rows);
        g.ViewX = 10 * 36 + 5;
        g.ViewY = 8 * 36 + 7;
        run.DisplayWidth = kWidth;
        run.DisplayHeight = kHeight;
        run.BannerTime = 0;

        std::int32_t placed = 0;
        for (std::int32_t y = 8; y < 30; ++y)
            for (std::int32_t x = 10; x < 39; ++x) {
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
                } else if (k >= 8 && placed < 100) {
                    const std::int32_t t = test::PutTank(g, lib, x, y, placed % 2, (x * 3 + y) % 16);
                    GameObjectType& tank = *g.Tanks[static_cast<std::size_t>(t)];
                    tank.TurretFacing = (x + y * 5) % 16;
                    tank.Selected = placed % 7 == 0;
                    ++placed;
                }
            }
        // Fog: everything right of a ragged line is unexplored.
        for (std::int32_t y = 0; y < 40; ++y)
            for (std::int32_t x = 30 + (y % 3); x < 60; ++x) g.Cell(x, y).Hidden = 1;
        for (std::int32_t i = 0; i < 24; ++i) {
            explosions.push_back(ExplosionType{g.ViewX + 40 * i + 20, g.ViewY + 30 * i + 15, i % 2, i % 5, i % 6});
            shots.push_back(ShotType{g.ViewX + 900 - 30 * i, g.ViewY + 20 * i, g.ViewX + 30 * i, g.ViewY + 700 - 25 * i, 0, 0});
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

void DrawFrames(benchmark::State& state, Canvas& canvas, Battlefield& b) {
    std::vector<double> ms;
    SimContext ctx{b.g, b.run, b.lib, b.rng};
    for (auto _ : state) {
        // Explosions and shells run out as they are drawn: each frame starts
        // from the same busy sky.
        b.g.Explosions = b.explosions;
        b.g.Shots = b.shots;
        const auto start = std::chrono::steady_clock::now();
        DrawFrame(ctx, canvas);
        const auto end = std::chrono::steady_clock::now();
        const double elapsed = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(elapsed);
        ms.push_back(elapsed * 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["worst_ms"] = ms.back();
    state.counters["tanks"] = static_cast<double>(b.g.Tanks.size());
}

void BM_FrameNullCanvas(benchmark::State& state) {
    Battlefield b;
    NullCanvas canvas;
    DrawFrames(state, canvas, b);
}
BENCHMARK(BM_FrameNullCanvas)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

#ifdef TAVRINE_HAVE_QT_CANVAS
void BM_FrameQtCanvas(benchmark::State& state) {
    Battlefield b;
    qt::QtCanvas canvas(kWidth, kHeight);
    canvas.LoadPictures(b.lib);
    DrawFrames(state, canvas, b);
}
BENCHMARK(BM_FrameQtCanvas)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

/// A frame shown through a gamma ramp other than the identity (during a fade).
void BM_PresentThroughGammaRamp(benchmark::State& state) {
    qt::QtCanvas canvas(kWidth, kHeight);
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
