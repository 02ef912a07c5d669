// The whole-field flood of new orders against the plain flood: maps whose sizes
// straddle the 64-row words and the 64-column groups the flood keeps its bits in,
// targets in corners, on water and on buildings; the copy of the last fill when
// nothing changed and a fresh flood when something did; a filled field taken up
// again by the per-tick sweeps; and attackers of a destroyed building sent on to
// the next target with copied fields, against planning each order on its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "sim/combat.h"
#include "sim/flood.h"
#include "sim/flood_oracle.h"
#include "sim/flood_world.h"
#include "sim/opponent.h"
#include "sim/orders.h"
#include "sim/passability.h"

namespace tavrine {
namespace {

using test::FloodWorld;

/// Land with water and mountain blobs; some cells of every row left as land.
std::vector<std::string> RandomTerrain(std::mt19937& r, std::int32_t columns, std::int32_t rows) {
    std::vector<std::string> map(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '.'));
    const auto blobs = static_cast<int>(r() % static_cast<std::uint32_t>(1 + columns * rows / 30));
    for (int i = 0; i < blobs; ++i) {
        const char ch = r() % 2 ? '~' : '^';
        const auto x0 = static_cast<std::int32_t>(r() % static_cast<std::uint32_t>(columns));
        const auto y0 = static_cast<std::int32_t>(r() % static_cast<std::uint32_t>(rows));
        const auto w = static_cast<std::int32_t>(1 + r() % 7), h = static_cast<std::int32_t>(1 + r() % 7);
        for (std::int32_t y = y0; y < std::min(rows, y0 + h); ++y)
            for (std::int32_t x = x0; x < std::min(columns, x0 + w); ++x) map[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = ch;
    }
    return map;
}

/// Buildings and tanks on free land.
void Populate(std::mt19937& r, FloodWorld& w) {
    GameType& g = w.G;
    const auto freeLand = [&](std::int32_t x, std::int32_t y) {
        return g.OnMap(x, y) && IsLand(g.Cell(x, y)) && g.Cell(x, y).Occupancy == CellFree;
    };
    for (int i = 0; i < 1 + g.CellCount() / 60; ++i) {
        const auto x = static_cast<std::int32_t>(r() % static_cast<std::uint32_t>(g.Columns));
        const auto y = static_cast<std::int32_t>(r() % static_cast<std::uint32_t>(g.Rows));
        if (freeLand(x, y) && freeLand(x + 1, y) && freeLand(x, y + 1) && freeLand(x + 1, y + 1))
            test::PutObject(g, w.Lib, x, y, {3, 1, 2, 0});
    }
    for (int i = 0; i < 1 + g.CellCount() / 25; ++i) {
        const auto x = static_cast<std::int32_t>(r() % static_cast<std::uint32_t>(g.Columns));
        const auto y = static_cast<std::int32_t>(r() % static_cast<std::uint32_t>(g.Rows));
        if (freeLand(x, y)) test::PutTank(g, w.Lib, x, y, static_cast<std::int32_t>(r() % 2));
    }
}

/// The plain flood's field: cleared, the target at 1, sweeps until one numbers nothing.
std::vector<std::int32_t> PlainField(GameType& g, std::int32_t order, CellXY target, const GameCellObjectType* object,
                                     std::int32_t allowance) {
    test::OracleFill(g, order, target, object, allowance);
    return WaveField(g, order);
}

/// Flood::Fill's field; with `mirror`, read from it while a tick holds it.
std::vector<std::int32_t> FilledField(GameType& g, std::int32_t order, CellXY target, const GameCellObjectType* object,
                                      std::int32_t allowance, PassabilityMirror* mirror = nullptr) {
    OrderType& o = *g.Orders[static_cast<std::size_t>(order)];
    Flood flood{g, WaveField(g, order), o.Frontier, object, allowance, mirror};
    flood.Fill(target.X, target.Y);
    return WaveField(g, order);
}

/// The cells worth aiming at: the corners, a random cell, a blocked cell, and the
/// anchor of a building (with that building as the target object).
std::vector<PlanTarget> Targets(std::mt19937& r, const GameType& g) {
    const std::int32_t right = g.Columns - 1, bottom = g.Rows - 1;
    std::vector<PlanTarget> targets{{{0, 0}}, {{right, 0}}, {{0, bottom}}, {{right, bottom}}};
    targets.push_back({{static_cast<std::int32_t>(r() % static_cast<std::uint32_t>(g.Columns)),
                        static_cast<std::int32_t>(r() % static_cast<std::uint32_t>(g.Rows))}});
    for (std::int32_t x = 0; x < g.Columns; ++x)
        for (std::int32_t y = 0; y < g.Rows; ++y) {
            const GameCellType& c = g.Cell(x, y);
            if (c.Object && targets.size() < 7) targets.push_back({{x, y}, c.Object.get()});
            else if (!IsLand(c) && targets.size() == 5) targets.push_back({{x, y}});
        }
    return targets;
}

TEST(FloodFillTest, FillGivesThePlainFloodsNumbersAcrossWordEdges) {
    const std::vector<std::pair<std::int32_t, std::int32_t>> sizes{{1, 1},   {1, 70},  {70, 1},   {2, 64},   {63, 65},
                                                                   {64, 63}, {65, 66}, {66, 129}, {129, 64}, {128, 130}};
    std::uint32_t seed = 7;
    for (const auto& [columns, rows] : sizes) {
        std::mt19937 r(seed++);
        FloodWorld w(RandomTerrain(r, columns, rows));
        Populate(r, w);
        const std::int32_t order = AddOrder(w.G, OrderMove, 0, OrderNew);
        for (const PlanTarget& t : Targets(r, w.G))
            for (const std::int32_t allowance : {0, 1}) {
                const auto plain = PlainField(w.G, order, t.Cell, t.Object, allowance);
                const auto filled = FilledField(w.G, order, t.Cell, t.Object, allowance);
                ASSERT_EQ(filled, plain) << columns << " x " << rows << ", target " << t.Cell.X << "," << t.Cell.Y
                                         << (t.Object ? " on a building" : "") << ", allowance " << allowance;
                // During a tick the map is read from the tick's mirror of it.
                const PassabilityTick tick(w.Mirror);
                ASSERT_EQ(FilledField(w.G, order, t.Cell, t.Object, allowance, &w.Mirror), plain)
                    << columns << " x " << rows << ", target " << t.Cell.X << "," << t.Cell.Y << ", during a tick";
            }
    }
}

/// Runs of cells visited one after another down a column, broken by single
/// cells of water and mountain scattered at every density: a visit right below
/// the last one offers to fewer cells, which must never lose a number.
TEST(FloodFillTest, FillMatchesThePlainFloodOnScatteredSingleObstacles) {
    std::mt19937 r(31);
    for (const int percent : {5, 20, 35, 50}) {
        for (const auto& [columns, rows] : std::vector<std::pair<std::int32_t, std::int32_t>>{{3, 130}, {40, 65}, {67, 64}}) {
            std::vector<std::string> map(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '.'));
            for (auto& row : map)
                for (char& c : row)
                    if (static_cast<int>(r() % 100) < percent) c = r() % 2 ? '~' : '^';
            FloodWorld w(map);
            Populate(r, w);
            const std::int32_t order = AddOrder(w.G, OrderMove, 0, OrderNew);
            for (const PlanTarget& t : Targets(r, w.G))
                for (const std::int32_t allowance : {0, 1}) {
                    const auto plain = PlainField(w.G, order, t.Cell, t.Object, allowance);
                    ASSERT_EQ(FilledField(w.G, order, t.Cell, t.Object, allowance), plain)
                        << percent << "% obstacles, " << columns << " x " << rows << ", target " << t.Cell.X << "," << t.Cell.Y
                        << ", allowance " << allowance;
                }
        }
    }
}

TEST(FloodFillTest, ARepeatedFillIsCopiedOnlyWhileNothingItDependsOnChanged) {
    std::mt19937 r(99);
    FloodWorld w(RandomTerrain(r, 70, 66));
    Populate(r, w);
    GameType& g = w.G;
    const std::int32_t order = AddOrder(g, OrderMove, 0, OrderNew);
    const CellXY target{35, 33};
    g.Cell(35, 33).Ground = {0, 1, 0, 0};
    const auto check = [&](const char* what) {
        const auto plain = PlainField(g, order, target, nullptr, 1);
        ASSERT_EQ(FilledField(g, order, target, nullptr, 1), plain) << what;
    };
    check("first fill");
    check("the same fill again");

    // A wall of water across the map, then a gap in it, then a building on the gap.
    for (std::int32_t y = 0; y < g.Rows; ++y) g.Cell(40, y).Ground = {0, 0, 0, 0};
    check("a wall of water");
    g.Cell(40, 5).Ground = {0, 1, 0, 0};
    g.Cell(40, 5).Occupancy = CellFree;
    check("a gap in the wall");
    test::PutObject(g, w.Lib, 40, 5, {3, 1, 2, 0});
    check("a building in the gap");

    // Tanks count only for the per-tick flood: a tank in the gap changes nothing at
    // allowance 1, but the same target at allowance 0 is flooded afresh.
    g.Cell(40, 5).Object.reset();
    g.Cell(40, 5).Occupancy = CellFree;
    g.Cell(41, 5).Occupancy = g.Cell(40, 6).Occupancy = g.Cell(41, 6).Occupancy = CellFree;
    check("the building gone");
    test::PutTank(g, w.Lib, 40, 5, 0);
    check("a tank in the gap");
    const auto plainAround = PlainField(g, order, target, nullptr, 0);
    EXPECT_EQ(FilledField(g, order, target, nullptr, 0), plainAround) << "the gap closed by the tank";

    // The same target cell on another map of the same size.
    std::mt19937 other(100);
    FloodWorld w2(RandomTerrain(other, 70, 66));
    const std::int32_t order2 = AddOrder(w2.G, OrderMove, 0, OrderNew);
    w2.G.Cell(35, 33).Ground = {0, 1, 0, 0};
    FilledField(g, order, target, nullptr, 1);
    const auto plain2 = PlainField(w2.G, order2, target, nullptr, 1);
    EXPECT_EQ(FilledField(w2.G, order2, target, nullptr, 1), plain2) << "another map";
}

TEST(FloodFillTest, AFilledFieldTakenUpByTheTickSweepsMatchesThePlainFlood) {
    // A saved game may hold a finished field as still flooding: the tick's sweeps
    // then go on from the numbers alone, around the tanks the fill went through.
    std::mt19937 r(5);
    std::vector<std::string> rows = RandomTerrain(r, 80, 70);
    auto fast = std::make_unique<FloodWorld>(rows);
    auto plain = std::make_unique<FloodWorld>(rows);
    for (FloodWorld* w : {fast.get(), plain.get()}) {
        std::mt19937 same(6);
        Populate(same, *w);
        const std::int32_t order = AddOrder(w->G, OrderMove, CellIndex(w->G, 40, 35), OrderNew);
        w->G.Tanks[0]->Order = order;
    }
    // A re-plan spread over ticks has begun (the sweeps keep their own record of
    // the field) when the order is planned at once.
    const auto both = [&](bool immediate) {
        PlanOrder(fast->Ctx, 0, immediate);
        test::OraclePlanOrder(plain->Ctx, 0, immediate);
    };
    both(true);
    for (int tick = 0; tick < 4; ++tick) {
        fast->G.Orders[0]->Replan = plain->G.Orders[0]->Replan = 1;
        both(false);
    }
    ASSERT_EQ(fast->G.Orders[0]->State, OrderFlooding);
    both(true);
    ASSERT_EQ(fast->G.Waves[0], plain->G.Waves[0]);
    // Some tanks leave; the order is taken up again.
    for (FloodWorld* w : {fast.get(), plain.get()}) {
        for (std::size_t t = 0; t < w->G.Tanks.size(); t += 3) {
            const CellXY c = TankCell(w->G, *w->G.Tanks[t], w->Lib);
            w->G.Cell(c.X, c.Y).Occupancy = CellFree;
        }
        OrderType& o = *w->G.Orders[0];
        o.State = OrderFlooding;
        o.Replan = 1;
    }
    for (int tick = 0; tick < 200 && plain->G.Orders[0]->State == OrderFlooding; ++tick) {
        PlanOrder(fast->Ctx, 0, false);
        test::OraclePlanOrder(plain->Ctx, 0, false);
        fast->G.Orders[0]->Replan = plain->G.Orders[0]->Replan = 1;
        ASSERT_EQ(fast->G.Waves[0], plain->G.Waves[0]) << "tick " << tick;
        ASSERT_EQ(fast->G.Orders[0]->State, plain->G.Orders[0]->State) << "tick " << tick;
    }
    EXPECT_EQ(fast->G.Orders[0]->State, OrderReady);
}

/// A battle where a player's building under attack by several computer orders
/// burns down while another building of the player's stands.
struct Siege {
    explicit Siege(std::uint32_t seed) : World(Map(seed)) {
        GameType& g = World.G;
        std::mt19937 r(seed);
        test::PutObject(g, World.Lib, 10, 10, {3, 0, 0, 0});  // under attack
        test::PutObject(g, World.Lib, 60, 40, {3, 0, 1, 0});  // the next target
        for (std::int32_t i = 0; i < 12; ++i) test::PutTank(g, World.Lib, 20 + i % 6, 20 + i / 6 * 3, 1);
        test::PutTank(g, World.Lib, 5, 40, 1);
        // Four orders on the building (one of them without members), one elsewhere.
        for (int k = 0; k < 5; ++k) AddOrder(g, OrderAttackBuilding, CellIndex(g, k == 2 ? 60 : 10, k == 2 ? 40 : 10), OrderReady);
        for (std::size_t t = 0; t < g.Tanks.size(); ++t) {
            const auto pick = static_cast<std::int32_t>(r() % 5);
            g.Tanks[t]->Order = pick == 4 ? 3 : pick;
        }
    }

    static std::vector<std::string> Map(std::uint32_t seed) {
        std::mt19937 r(seed);
        std::vector<std::string> rows = RandomTerrain(r, 72, 50);
        for (std::int32_t y = 8; y < 14; ++y)
            for (std::int32_t x = 8; x < 14; ++x) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '.';
        for (std::int32_t y = 18; y < 30; ++y)
            for (std::int32_t x = 18; x < 28; ++x) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '.';
        for (std::int32_t y = 38; y < 44; ++y)
            for (std::int32_t x = 58; x < 64; ++x) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '.';
        rows[40][5] = '.';
        return rows;
    }

    FloodWorld World;
};

TEST(FloodFillTest, AttackersSentOnTogetherGetTheFieldsAndRoutesOfOrdersPlannedOneByOne) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        Siege together(seed), oneByOne(seed);
        DestroyBuilding(together.World.Ctx, 10, 10);

        // The same by hand: the building burns down with no order on it, then every
        // order that was on it is replaced, highest first, each planned on its own.
        GameType& g = oneByOne.World.G;
        const std::int32_t anchor = CellIndex(g, 10, 10);
        for (auto& o : g.Orders)
            if (o->TargetRef == anchor) o->TargetRef = -5;
        DestroyBuilding(oneByOne.World.Ctx, 10, 10);
        for (auto k = static_cast<std::int32_t>(g.Orders.size()) - 1; k >= 0; --k) {
            if (g.Orders[static_cast<std::size_t>(k)]->TargetRef != -5) continue;
            const auto next = ChooseEnemyTarget(oneByOne.World.Ctx);
            ASSERT_TRUE(next);
            const std::int32_t order = AddOrder(g, OrderAttackBuilding, CellIndex(g, next->X, next->Y), OrderNew);
            for (auto& t : g.Tanks)
                if (t->Order == k) t->Order = order;
            test::OraclePlanOrder(oneByOne.World.Ctx, order, true);
            RemoveOrder(g, k);
        }

        const GameType& a = together.World.G;
        ASSERT_EQ(a.Orders.size(), g.Orders.size()) << "seed " << seed;
        for (std::size_t k = 0; k < a.Orders.size(); ++k) {
            EXPECT_EQ(*a.Orders[k], *g.Orders[k]) << "seed " << seed << " order " << k;
            EXPECT_EQ(a.Waves[k], g.Waves[k]) << "seed " << seed << " order " << k;
        }
        for (std::size_t t = 0; t < a.Tanks.size(); ++t) {
            EXPECT_EQ(a.Tanks[t]->Order, g.Tanks[t]->Order) << "seed " << seed << " tank " << t;
            EXPECT_EQ(a.Tanks[t]->Route, g.Tanks[t]->Route) << "seed " << seed << " tank " << t;
        }
        EXPECT_EQ(together.World.Rng.State(), oneByOne.World.Rng.State()) << "seed " << seed;
    }
}

TEST(FloodFillTest, PlanOrderLikeFloodsAfreshWhenTheTargetsDiffer) {
    FloodWorld w(std::vector<std::string>(20, std::string(30, '.')));
    GameType& g = w.G;
    const std::int32_t tank = test::PutTank(g, w.Lib, 2, 2, 0);
    const std::int32_t model = AddOrder(g, OrderMove, CellIndex(g, 25, 15), OrderNew);
    PlanOrder(w.Ctx, model, true);
    const std::int32_t other = AddOrder(g, OrderMove, CellIndex(g, 5, 18), OrderNew);
    g.Tanks[static_cast<std::size_t>(tank)]->Order = other;
    PlanOrderLike(w.Ctx, other, model);
    const std::int32_t scratch = AddOrder(g, OrderMove, 0, OrderNew);
    const auto plain = PlainField(g, scratch, {5, 18}, nullptr, 1);
    EXPECT_EQ(g.Waves[static_cast<std::size_t>(other)], plain);
    EXPECT_EQ(g.Orders[static_cast<std::size_t>(other)]->State, OrderReady);
    EXPECT_FALSE(g.Tanks[static_cast<std::size_t>(tank)]->Route.empty());

    // An order like itself, or like one that does not exist, is planned as usual.
    PlanOrderLike(w.Ctx, other, other);
    EXPECT_EQ(g.Waves[static_cast<std::size_t>(other)], plain);
    PlanOrderLike(w.Ctx, other, 40);
    EXPECT_EQ(g.Waves[static_cast<std::size_t>(other)], plain);
}

}  // namespace
}  // namespace tavrine
