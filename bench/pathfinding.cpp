// Path finding on full-size maps: the game's flood, which visits only the
// frontier of each field, against the plain flood that visits every cell in every
// sweep (the reference the tests check it against). Both give the same numbers.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "sim/flood_oracle.h"
#include "sim/flood_world.h"
#include "sim/orders.h"
#include "sim/passability.h"

namespace tavrine {
namespace {

using test::FloodWorld;

using Planner = void (*)(SimContext&, std::int32_t, bool);

constexpr std::int32_t kSide = 200;

void Fast(SimContext& ctx, std::int32_t order, bool immediate) { PlanOrder(ctx, order, immediate); }
void Plain(SimContext& ctx, std::int32_t order, bool immediate) { test::OraclePlanOrder(ctx, order, immediate); }

constexpr const char* kCorners[] = {"target top-left", "target top-right", "target bottom-left", "target bottom-right"};

/// 200 x 200 cells of open land, the target in corner `corner` (0 top-left, 1
/// top-right, 2 bottom-left, 3 bottom-right), one tank in the opposite corner.
std::unique_ptr<FloodWorld> OpenWorld(std::int64_t corner, std::int32_t& order) {
    auto w = std::make_unique<FloodWorld>(std::vector<std::string>(kSide, std::string(kSide, '.')));
    const std::int32_t far = kSide - 1;
    const std::int32_t tx = corner & 1 ? far : 0, ty = corner & 2 ? far : 0;
    const std::int32_t tank = test::PutTank(w->G, w->Lib, far - tx, far - ty, 0);
    order = AddOrder(w->G, OrderMove, CellIndex(w->G, tx, ty), OrderNew);
    w->G.Tanks[static_cast<std::size_t>(tank)]->Order = order;
    return w;
}

/// 200 x 200 cells with lakes, mountain ridges, 60 buildings and 400 tanks; one
/// attack order on a building near the middle, carried by ten tanks.
std::unique_ptr<FloodWorld> BusyWorld(std::int32_t& order) {
    std::mt19937 r(20240601u);
    std::vector<std::string> rows(kSide, std::string(kSide, '.'));
    for (int blob = 0; blob < 220; ++blob) {
        const char ch = blob % 3 ? '~' : '^';
        const int x0 = static_cast<int>(r() % kSide), y0 = static_cast<int>(r() % kSide);
        const int w = 2 + static_cast<int>(r() % 9), h = 2 + static_cast<int>(r() % 9);
        for (int y = y0; y < std::min(kSide, y0 + h); ++y)
            for (int x = x0; x < std::min(kSide, x0 + w); ++x) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = ch;
    }
    auto world = std::make_unique<FloodWorld>(rows);
    GameType& g = world->G;
    const auto freeLand = [&](std::int32_t x, std::int32_t y) {
        return g.OnMap(x, y) && IsLand(g.Cell(x, y)) && g.Cell(x, y).Occupancy == CellFree;
    };
    std::int32_t target = -1;
    for (int placed = 0; placed < 60;) {
        const auto x = static_cast<std::int32_t>(r() % (kSide - 1)), y = static_cast<std::int32_t>(r() % (kSide - 1));
        if (!freeLand(x, y) || !freeLand(x + 1, y) || !freeLand(x, y + 1) || !freeLand(x + 1, y + 1)) continue;
        test::PutObject(g, world->Lib, x, y, {3, 1, 2, 0});
        if (target < 0 || std::abs(x - kSide / 2) + std::abs(y - kSide / 2) < std::abs(target % kSide - kSide / 2) + std::abs(target / kSide - kSide / 2))
            target = CellIndex(g, x, y);
        ++placed;
    }
    std::vector<std::int32_t> tanks;
    while (tanks.size() < 400) {
        const auto x = static_cast<std::int32_t>(r() % kSide), y = static_cast<std::int32_t>(r() % kSide);
        if (freeLand(x, y)) tanks.push_back(test::PutTank(g, world->Lib, x, y, static_cast<std::int32_t>(r() % 2)));
    }
    order = AddOrder(g, OrderAttackBuilding, target, OrderNew);
    for (std::size_t i = 0; i < 10; ++i) g.Tanks[static_cast<std::size_t>(tanks[i])]->Order = order;
    return world;
}

/// An order's field made from scratch at once, as when the player gives an order.
/// Before each plan one cell in the middle of the top row turns from land to
/// mountain or back, so that no plan finds the map as the last one left it (the
/// game copies the field of a plan toward the same target on an unchanged map).
void ImmediatePlan(benchmark::State& state, Planner plan) {
    std::int32_t order = 0;
    auto w = OpenWorld(state.range(0), order);
    GameCellType& toggled = w->G.Cell(kSide / 2, 0);
    for (auto _ : state) {
        toggled.Ground.Subgroup = toggled.Ground.Subgroup == 1 ? 2 : 1;
        plan(w->Ctx, order, true);
        benchmark::DoNotOptimize(w->G.Waves[static_cast<std::size_t>(order)].data());
    }
    state.SetLabel(kCorners[state.range(0)]);
}

/// The same order planned at once again with nothing changed, as when attackers
/// of a destroyed building are sent on to one new target in several orders.
void ImmediatePlanAgain(benchmark::State& state) {
    std::int32_t order = 0;
    auto w = OpenWorld(state.range(0), order);
    for (auto _ : state) {
        PlanOrder(w->Ctx, order, true);
        benchmark::DoNotOptimize(w->G.Waves[static_cast<std::size_t>(order)].data());
    }
    state.SetLabel(kCorners[state.range(0)]);
}

/// One tick's sweep over a finished field on a busy map: the sweep that finds
/// nothing left to number and completes the re-plan.
void TickSweepOnFinishedField(benchmark::State& state, Planner plan) {
    std::int32_t order = 0;
    auto w = BusyWorld(order);
    plan(w->Ctx, order, true);
    OrderType& o = *w->G.Orders[static_cast<std::size_t>(order)];
    for (auto _ : state) {
        o.State = OrderFlooding;
        o.Replan = 1;
        plan(w->Ctx, order, false);
    }
}

/// A whole re-plan spread over ticks on a busy map: restart, then one sweep per
/// tick around the standing tanks until a sweep numbers nothing.
void TickReplan(benchmark::State& state, Planner plan) {
    std::int32_t order = 0;
    auto w = BusyWorld(order);
    plan(w->Ctx, order, true);
    OrderType& o = *w->G.Orders[static_cast<std::size_t>(order)];
    std::int64_t ticks = 0;
    for (auto _ : state) {
        o.State = OrderReady;
        do {
            o.Replan = 1;
            plan(w->Ctx, order, false);
            ++ticks;
        } while (o.State == OrderFlooding);
    }
    state.counters["ticks"] = benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kAvgIterations);
}

/// The first sweep after a restart on open land, the target in the middle: in
/// one sweep the numbers pour down and to the right over half the map, as when
/// a gap opens in front of an order that was held up.
void TickFirstSweep(benchmark::State& state, Planner plan) {
    auto w = std::make_unique<FloodWorld>(std::vector<std::string>(kSide, std::string(kSide, '.')));
    // As in the game's tick: the map read from the tick's mirror of it.
    const PassabilityTick tick(w->Mirror);
    const std::int32_t order = AddOrder(w->G, OrderMove, CellIndex(w->G, kSide / 2, kSide / 2), OrderNew);
    OrderType& o = *w->G.Orders[static_cast<std::size_t>(order)];
    for (auto _ : state) {
        state.PauseTiming();
        o.State = OrderReady;
        o.Replan = o.MemberMoved = 1;
        plan(w->Ctx, order, false);  // the restart: cleared, the target set
        o.Replan = 1;
        state.ResumeTiming();
        plan(w->Ctx, order, false);
    }
}

BENCHMARK_CAPTURE(ImmediatePlan, fast, Fast)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ImmediatePlan, plain, Plain)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(ImmediatePlanAgain)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TickSweepOnFinishedField, fast, Fast)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TickSweepOnFinishedField, plain, Plain)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TickFirstSweep, fast, Fast)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TickFirstSweep, plain, Plain)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TickReplan, fast, Fast)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TickReplan, plain, Plain)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrine

BENCHMARK_MAIN();
