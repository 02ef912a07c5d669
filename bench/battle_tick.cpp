// The whole frame tick of a large battle, headless: a 200 x 200 map, 60 tanks of
// the player against 120 of the computer along one front, 40 buildings with
// towers firing, factories producing, both sides' alert scans and the computer's
// waves, drawn on the null canvas. Reports the median and the worst tick.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

#include "game/game.h"
#include "sim/grid.h"
#include "sim/groups.h"
#include "sim/orders.h"
#include "sim/production.h"
#include "sim/queued_orders.h"
#include "state/new_map.h"

namespace tavrine {
namespace {

constexpr std::int32_t kSide = 200;
constexpr std::int32_t kOwnTanks = 60;
constexpr std::int32_t kEnemyTanks = 120;

/// Picture sizes as the shipped library has them; no pixels (the null canvas
/// draws nothing).
ImageLibrary SizesOnly() {
    ImageLibrary lib;
    lib.Images.resize(5);
    const auto add = [&](int group, int subgroup, int list, int frames, int size) {
        auto& g = lib.Images[static_cast<std::size_t>(group)];
        if (g.size() <= static_cast<std::size_t>(subgroup)) g.resize(static_cast<std::size_t>(subgroup) + 1);
        auto& s = g[static_cast<std::size_t>(subgroup)];
        if (s.size() <= static_cast<std::size_t>(list)) s.resize(static_cast<std::size_t>(list) + 1);
        s[static_cast<std::size_t>(list)].Pictures.resize(static_cast<std::size_t>(frames), Picture{size, size, {}, {}});
    };
    for (int terrain = 0; terrain < 3; ++terrain) add(0, terrain, 0, 12, 36);
    add(0, 3, 0, 8, 36);
    add(0, 3, 1, 8, 36);
    add(0, 4, 0, 9, 36);
    add(0, 5, 0, 6, 18);
    add(0, 6, 0, 1, 7);
    for (int side = 0; side < 2; ++side) {
        add(2, side, 0, 16, 35);
        for (int type = 0; type < 3; ++type) add(3, side, type, 4, 71);
        add(4, side, 0, 32, 36);
    }
    return lib;
}

/// The battle: both bases face each other across the middle of the map.
struct Battle {
    Battle() : game(".", host, 42) {
        game.Library() = SizesOnly();
        GameType& g = game.EditRecord();
        RunState& run = game.Run();
        NewMap(g, run, kSide, kSide, 1, 0);
        for (auto& column : g.Cells)
            for (auto& c : column) {
                c.Ground = {0, 1, 0, 0};
                c.GroundColor = c.MinimapColor = 0x008000;
                c.Hidden = 0;
            }
        StartNewGame(g);
        g.Money = 100000;
        run.Difficulty = DifficultyNormal;
        run.TitleShown = 0;
        // The mission stays undecided for the whole measurement.
        run.BannerTime = std::numeric_limits<std::int32_t>::max();
        g.ViewX = 90 * 36;
        g.ViewY = 80 * 36;

        // Twenty buildings a side: 8 towers near the front, 2 headquarters, 4
        // factories and 6 depots behind it.
        for (const std::int32_t side : {SidePlayer, SideComputer}) {
            const std::int32_t front = side == SidePlayer ? 95 : 104;
            const std::int32_t back = side == SidePlayer ? 70 : 125;
            for (std::int32_t i = 0; i < 8; ++i) Place(front, 60 + i * 10, {KindTower, side, 0, 12});
            for (std::int32_t i = 0; i < 2; ++i) Place(back, 70 + i * 40, {KindBuilding, side, BuildingHeadquarters, 0});
            for (std::int32_t i = 0; i < 4; ++i) Place(back + 5, 60 + i * 20, {KindBuilding, side, BuildingFactory, 0});
            for (std::int32_t i = 0; i < 6; ++i) Place(back + 10, 55 + i * 15, {KindBuilding, side, 2, 0});
        }
        TopUp();
    }

    void Place(std::int32_t x, std::int32_t y, ImageRef image) {
        GameType& g = game.EditRecord();
        auto o = std::make_unique<GameCellObjectType>();
        o->Image = image;
        o->RestFacing = image.Frame;
        std::int32_t w = 0, h = 0;
        ImageSize(game.Library(), image, w, h);
        const CellXY end = FootprintEnd(g, x, y, w, h);
        for (std::int32_t cx = x; cx <= end.X; ++cx)
            for (std::int32_t cy = y; cy <= end.Y; ++cy) {
                g.Cell(cx, cy).Occupancy = CellObject;
                g.Cell(cx, cy).Occupant = CellIndex(g, x, y);
            }
        g.Cell(x, y).Object = std::move(o);
    }

    /// Brings each side back to its strength with new tanks near the front, as
    /// reinforcements between ticks.
    void TopUp() {
        GameType& g = game.EditRecord();
        SimContext ctx = game.Context();
        for (const std::int32_t side : {SidePlayer, SideComputer}) {
            const std::int32_t wanted = side == SidePlayer ? kOwnTanks : kEnemyTanks;
            std::int32_t have = 0;
            for (const auto& t : g.Tanks) have += t->Side() == side && t->Health > 0;
            const std::int32_t x0 = side == SidePlayer ? 94 : 100;
            for (std::int32_t y = 60; have < wanted && y < 140; ++y)
                for (std::int32_t x = x0; have < wanted && x < x0 + 6; ++x)
                    if (IsPassable(g, x, y, nullptr, 0)) {
                        CreateTank(ctx, x, y, false, side == SidePlayer ? 8 : 0, 0, side);
                        ++have;
                    }
        }
    }

    /// Sends the player's tanks that have no order toward the computer's side,
    /// ten at a time, in orders whose tanks keep together when `together`; with
    /// `attackMove`, as attack-moves (which keep together) with a queued move
    /// beyond, as a player with the modern commands sends them.
    void SendGroups(bool together, bool attackMove = false) {
        GameType& g = game.EditRecord();
        SimContext ctx = game.Context();
        std::vector<std::int32_t> idle;
        for (std::size_t i = 0; i < g.Tanks.size(); ++i)
            if (g.Tanks[i]->Side() == SidePlayer && g.Tanks[i]->Health > 0 && g.Tanks[i]->Order < 0) idle.push_back(static_cast<std::int32_t>(i));
        for (std::size_t first = 0; first < idle.size(); first += 10) {
            const auto row = static_cast<std::int32_t>(60 + first * 8 / 10);
            if (attackMove) {
                const std::vector<std::int32_t> ten(idle.begin() + static_cast<std::ptrdiff_t>(first),
                                                    idle.begin() + static_cast<std::ptrdiff_t>(std::min(first + 10, idle.size())));
                AttackMoveTanks(ctx, CellIndex(g, 125, row), ten);
                for (const std::int32_t t : ten) g.Tanks[static_cast<std::size_t>(t)]->Queue.push_back({QueuedMove, CellIndex(g, 140, row)});
                continue;
            }
            const std::int32_t order = AddOrder(g, OrderMove, CellIndex(g, 125, row), OrderNew);
            for (std::size_t j = first; j < std::min(first + 10, idle.size()); ++j) g.Tanks[static_cast<std::size_t>(idle[j])]->Order = order;
            if (together) KeepTogether(g, order);
            PlanOrder(ctx, order, true);
        }
    }

    QuietHost host;
    Game game;
};

double Milliseconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

/// The processor time this thread has used, in milliseconds: unlike the wall
/// clock it does not count the time other programs on a busy machine take.
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

void Report(benchmark::State& state, const char* name, std::vector<double>& ms) {
    std::sort(ms.begin(), ms.end());
    state.counters[std::string(name) + "_median_ms"] = ms[ms.size() / 2];
    state.counters[std::string(name) + "_p99_ms"] = ms[ms.size() * 99 / 100];
    state.counters[std::string(name) + "_worst_ms"] = ms.back();
}

/// 10,000 ticks, each timed on its own; the reinforcements between ticks are not
/// timed. The battle is the same every time it is played, so it is played five
/// times and each tick's least processor time is reported as well ("steady_"): a
/// tick slowed by something else on a busy machine is unlikely to be slowed in
/// all five, while a tick that is slow by its own work is slow in each.
/// `sent`: 0 the player's tanks wait for the enemy, 1 idle ones are sent on in
/// plain move orders, 2 in orders whose tanks keep together, 3 in attack-moves
/// with a queued move beyond.
void TickDistribution(benchmark::State& state, int sent) {
    constexpr int kTicks = 10000;
    constexpr int kPlays = 5;
    for (auto _ : state) {
        std::vector<double> wall, cpu, steady(kTicks, std::numeric_limits<double>::max());
        std::size_t tanks = 0, orders = 0;
        for (int play = 0; play < kPlays; ++play) {
            Battle b;
            for (int i = 0; i < kTicks; ++i) {
                if (i % 50 == 0) {
                    b.TopUp();
                    if (sent > 0) b.SendGroups(sent >= 2, sent == 3);
                }
                const double cpuStart = ThreadCpuMs();
                const auto start = std::chrono::steady_clock::now();
                b.game.DXTimerTimer();
                const double ms = ThreadCpuMs() - cpuStart;
                if (play == 0) {
                    wall.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
                    cpu.push_back(ms);
                }
                steady[static_cast<std::size_t>(i)] = std::min(steady[static_cast<std::size_t>(i)], ms);
            }
            tanks = b.game.Record().Tanks.size();
            orders = b.game.Record().Orders.size();
        }
        Report(state, "wall", wall);
        Report(state, "cpu", cpu);
        Report(state, "steady", steady);
        state.counters["tanks_at_end"] = static_cast<double>(tanks);
        state.counters["orders_at_end"] = static_cast<double>(orders);
    }
}
void BM_BattleTickDistribution(benchmark::State& state) { TickDistribution(state, 0); }
BENCHMARK(BM_BattleTickDistribution)->Iterations(1)->Unit(benchmark::kMillisecond);

/// The same battle with the player's idle tanks sent on every 50 ticks, ten to
/// an order: apart, and in groups that keep together.
void BM_BattleTickDistributionSent(benchmark::State& state) { TickDistribution(state, 1); }
BENCHMARK(BM_BattleTickDistributionSent)->Iterations(1)->Unit(benchmark::kMillisecond);
void BM_BattleTickDistributionGrouped(benchmark::State& state) { TickDistribution(state, 2); }
BENCHMARK(BM_BattleTickDistributionGrouped)->Iterations(1)->Unit(benchmark::kMillisecond);
void BM_BattleTickDistributionAttackMoves(benchmark::State& state) { TickDistribution(state, 3); }
BENCHMARK(BM_BattleTickDistributionAttackMoves)->Iterations(1)->Unit(benchmark::kMillisecond);

/// The mean tick as the framework measures it.
void BM_BattleTick(benchmark::State& state) {
    Battle b;
    int ticks = 0;
    for (auto _ : state) {
        if (++ticks % 50 == 0) {
            state.PauseTiming();
            b.TopUp();
            state.ResumeTiming();
        }
        b.game.DXTimerTimer();
    }
}
BENCHMARK(BM_BattleTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrine

BENCHMARK_MAIN();
