// The game's flood against the plain flood: random battles are played twice from
// the same seed, the same planning (PlanOrder, PlanAllOrders) running once with
// the game's flood and once with the plain one, and after every step every wave
// number, order and route must be the same.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "sim/flood_oracle.h"
#include "sim/flood_world.h"
#include "sim/orders.h"

namespace tavrine {
namespace {

using test::FloodWorld;

class Twins {
public:
    Twins(std::uint32_t seed, std::int32_t columns, std::int32_t rows) : r_(seed) {
        const auto rowsText = Terrain(columns, rows);
        fast_ = std::make_unique<FloodWorld>(rowsText, seed);
        plain_ = std::make_unique<FloodWorld>(rowsText, seed);
    }

    /// Does the same to both worlds; `fast` tells which one it is.
    void Both(const std::function<void(FloodWorld&, bool fast)>& f) {
        f(*fast_, true);
        f(*plain_, false);
    }

    void Plan(std::int32_t order, bool immediate) {
        PlanOrder(fast_->Ctx, order, immediate);
        test::OraclePlanOrder(plain_->Ctx, order, immediate);
    }

    void Tick() {
        PlanAllOrders(fast_->Ctx);
        test::OraclePlanAllOrders(plain_->Ctx);
    }

    int Pick(int n) { return n > 0 ? static_cast<int>(r_() % static_cast<std::uint32_t>(n)) : 0; }
    bool Chance(int percent) { return Pick(100) < percent; }

    GameType& G() { return fast_->G; }
    const ImageLibrary& Lib() const { return fast_->Lib; }

    ::testing::AssertionResult Same() {
        const GameType& a = fast_->G;
        const GameType& b = plain_->G;
        if (a.Orders.size() != b.Orders.size()) return ::testing::AssertionFailure() << "order counts differ";
        for (std::size_t k = 0; k < a.Orders.size(); ++k)
            if (!(*a.Orders[k] == *b.Orders[k])) return ::testing::AssertionFailure() << "order " << k << " differs";
        if (a.Waves.size() != b.Waves.size()) return ::testing::AssertionFailure() << "field counts differ";
        for (std::size_t k = 0; k < a.Waves.size(); ++k)
            for (std::size_t i = 0; i < a.Waves[k].size(); ++i)
                if (a.Waves[k][i] != b.Waves[k][i])
                    return ::testing::AssertionFailure() << "order " << k << " cell " << i << ": " << a.Waves[k][i] << " vs "
                                                         << b.Waves[k][i];
        for (std::size_t t = 0; t < a.Tanks.size(); ++t) {
            const GameObjectType& x = *a.Tanks[t];
            const GameObjectType& y = *b.Tanks[t];
            if (x.Route != y.Route || x.Order != y.Order || x.NeedsRoute != y.NeedsRoute)
                return ::testing::AssertionFailure() << "tank " << t << " differs";
        }
        if (fast_->Rng.State() != plain_->Rng.State()) return ::testing::AssertionFailure() << "random draws differ";
        return ::testing::AssertionSuccess();
    }

    /// Water and mountain blobs on land; sometimes a wall with gaps.
    std::vector<std::string> Terrain(std::int32_t columns, std::int32_t rows) {
        std::vector<std::string> map(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '.'));
        const int blobs = Pick(1 + columns * rows / 40);
        for (int i = 0; i < blobs; ++i) {
            const char ch = Chance(50) ? '~' : '^';
            const int x0 = Pick(columns), y0 = Pick(rows), w = 1 + Pick(6), h = 1 + Pick(6);
            for (int y = y0; y < std::min(rows, y0 + h); ++y)
                for (int x = x0; x < std::min(columns, x0 + w); ++x)
                    if (Chance(85)) map[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = ch;
        }
        if (columns > 4 && Chance(40)) {
            const int x = 1 + Pick(columns - 2);
            for (int y = 0; y < rows; ++y)
                if (!Chance(10)) map[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '~';
        }
        return map;
    }

    /// A random cell that is free land, or false after a few tries.
    bool FreeLand(std::int32_t& x, std::int32_t& y) {
        for (int tries = 0; tries < 20; ++tries) {
            x = Pick(G().Columns);
            y = Pick(G().Rows);
            const GameCellType& c = G().Cell(x, y);
            if (IsLand(c) && c.Occupancy == CellFree) return true;
        }
        return false;
    }

    void AddObject() {
        static constexpr ImageRef kKinds[] = {{3, 1, 2, 0}, {3, 0, 0, 0}, {2, 1, 0, 3}, {1, 2, 1, 0}};
        const ImageRef image = kKinds[Pick(4)];
        std::int32_t x = 0, y = 0;
        if (!FreeLand(x, y)) return;
        std::int32_t width = 0, height = 0;
        ImageSize(Lib(), image, width, height);
        const CellXY end = FootprintEnd(G(), x, y, width, height);
        for (std::int32_t cx = x; cx <= end.X; ++cx)
            for (std::int32_t cy = y; cy <= end.Y; ++cy)
                if (G().OnMap(cx, cy) && G().Cell(cx, cy).Occupancy != CellFree) return;
        Both([&](FloodWorld& w, bool) { test::PutObject(w.G, w.Lib, x, y, image); });
    }

    void DestroyObject() {
        std::vector<std::int32_t> anchors;
        for (std::int32_t x = 0; x < G().Columns; ++x)
            for (std::int32_t y = 0; y < G().Rows; ++y)
                if (G().Cell(x, y).Object) anchors.push_back(CellIndex(G(), x, y));
        if (anchors.empty()) return;
        const std::int32_t anchor = anchors[static_cast<std::size_t>(Pick(static_cast<int>(anchors.size())))];
        Both([&](FloodWorld& w, bool) {
            for (std::int32_t x = 0; x < w.G.Columns; ++x)
                for (std::int32_t y = 0; y < w.G.Rows; ++y) {
                    GameCellType& c = w.G.Cell(x, y);
                    if (c.Occupancy == CellObject && c.Occupant == anchor) {
                        c.Occupancy = CellFree;
                        c.Occupant = -1;
                    }
                }
            const CellXY a = CellOfIndex(w.G, anchor);
            w.G.Cell(a.X, a.Y).Object.reset();
        });
    }

    void AddTank() {
        std::int32_t x = 0, y = 0;
        if (!FreeLand(x, y)) return;
        const int side = Pick(3);
        Both([&](FloodWorld& w, bool) { test::PutTank(w.G, w.Lib, x, y, side); });
    }

    /// Moves a tank to a free land cell (next door or anywhere), sometimes leaving
    /// it half-way: entering a neighbouring cell.
    void MoveTank() {
        if (G().Tanks.empty()) return;
        const auto t = static_cast<std::size_t>(Pick(static_cast<int>(G().Tanks.size())));
        std::int32_t x = 0, y = 0;
        const CellXY from = TankCell(G(), *G().Tanks[t], Lib());
        if (Chance(60)) {
            x = from.X + Pick(3) - 1;
            y = from.Y + Pick(3) - 1;
            if (!G().OnMap(x, y) || !IsLand(G().Cell(x, y)) || G().Cell(x, y).Occupancy != CellFree) return;
        } else if (!FreeLand(x, y)) {
            return;
        }
        const bool entering = Chance(30);
        std::int32_t dx = x + Pick(3) - 1, dy = y + Pick(3) - 1;
        if (!G().OnMap(dx, dy)) dx = dy = -1;
        Both([&](FloodWorld& w, bool) {
            GameObjectType& tank = *w.G.Tanks[t];
            GameCellType& old = w.G.Cell(from.X, from.Y);
            if (old.Occupancy == CellTank && old.Occupant == static_cast<std::int32_t>(t)) {
                old.Occupancy = CellFree;
                old.Occupant = -1;
            }
            tank.X = x * w.G.CellWidth;
            tank.Y = y * w.G.CellHeight;
            GameCellType& now = w.G.Cell(x, y);
            now.Occupancy = CellTank;
            now.Occupant = static_cast<std::int32_t>(t);
            tank.DestX = entering ? dx : -1;
            tank.DestY = entering ? dy : -1;
        });
    }

    /// A new order with some members, planned at once as every creator does.
    void NewOrder() {
        if (G().Tanks.empty()) return;
        const int kind = Pick(3);
        std::int32_t ref = 0;
        if (kind == OrderAttackTank) {
            ref = Pick(static_cast<int>(G().Tanks.size()));
        } else if (kind == OrderAttackBuilding && Chance(80)) {
            std::vector<std::int32_t> anchors;
            for (std::int32_t x = 0; x < G().Columns; ++x)
                for (std::int32_t y = 0; y < G().Rows; ++y)
                    if (G().Cell(x, y).Object) anchors.push_back(CellIndex(G(), x, y));
            ref = anchors.empty() ? Pick(G().CellCount()) : anchors[static_cast<std::size_t>(Pick(static_cast<int>(anchors.size())))];
        } else {
            ref = Pick(G().CellCount());  // anywhere: water, mountains, buildings, tanks
        }
        std::vector<std::size_t> members;
        for (std::size_t t = 0; t < G().Tanks.size(); ++t)
            if (Chance(30)) members.push_back(t);
        std::int32_t k = 0;
        Both([&](FloodWorld& w, bool) {
            k = AddOrder(w.G, kind, ref, OrderNew);
            for (std::size_t t : members) w.G.Tanks[t]->Order = k;
        });
        Plan(k, true);
    }

    /// Several tanks spotting the same enemy at once: an order after it for each,
    /// with members of its own, planned at once one after another.
    void NewHunt() {
        if (G().Tanks.empty()) return;
        const std::int32_t prey = Pick(static_cast<int>(G().Tanks.size()));
        const int hunts = 2 + Pick(3);
        for (int h = 0; h < hunts; ++h) {
            std::vector<std::size_t> members;
            for (std::size_t t = 0; t < G().Tanks.size(); ++t)
                if (static_cast<std::int32_t>(t) != prey && Chance(15)) members.push_back(t);
            std::int32_t k = 0;
            Both([&](FloodWorld& w, bool) {
                k = AddOrder(w.G, OrderAttackTank, prey, OrderNew);
                for (std::size_t t : members) w.G.Tanks[t]->Order = k;
            });
            Plan(k, true);
        }
    }

    /// A hunted tank reaching a cell: every order after it plans anew.
    void PreyArrives() {
        if (G().Tanks.empty()) return;
        const std::int32_t prey = Pick(static_cast<int>(G().Tanks.size()));
        Both([&](FloodWorld& w, bool) {
            for (auto& o : w.G.Orders)
                if (o->Kind == OrderAttackTank && o->TargetRef == prey) o->Replan = o->MemberMoved = 1;
        });
    }

    /// Requests a re-plan the way blocked members and moving targets do.
    void Disturb() {
        const auto orders = static_cast<int>(G().Orders.size());
        const auto tanks = static_cast<int>(G().Tanks.size());
        const int k = Pick(orders), t = Pick(tanks);
        const bool replan = Chance(70), moved = Chance(50), needs = Chance(60), forget = Chance(10), resume = Chance(5);
        Both([&](FloodWorld& w, bool fast) {
            if (orders) {
                OrderType& o = *w.G.Orders[static_cast<std::size_t>(k)];
                o.Replan = o.Replan || replan;
                o.MemberMoved = o.MemberMoved || moved;
                // A finished field taken up again without a restart (as a saved game may hold it).
                if (resume && o.State == OrderReady) o.State = OrderFlooding;
                // As after loading a saved game: the frontier is gone.
                if (fast && forget) o.Frontier = {};
            }
            if (tanks) w.G.Tanks[static_cast<std::size_t>(t)]->NeedsRoute = needs;
        });
    }

    void RemoveSomeOrder() {
        if (G().Orders.empty()) return;
        const int k = Pick(static_cast<int>(G().Orders.size()));
        Both([&](FloodWorld& w, bool) { RemoveOrder(w.G, k); });
    }

    void CleanUp() {
        MarkObsoleteOrders(fast_->Ctx);
        MarkObsoleteOrders(plain_->Ctx);
        RemoveOneObsoleteOrder(fast_->Ctx);
        RemoveOneObsoleteOrder(plain_->Ctx);
    }

    /// One random step of the battle.
    void Step() {
        const int what = Pick(100);
        if (what < 25)
            MoveTank();
        else if (what < 45)
            Disturb();
        else if (what < 55)
            NewOrder();
        else if (what < 58)
            RemoveSomeOrder();
        else if (what < 61)
            DestroyObject();
        else if (what < 63)
            AddTank();
        else if (what < 65)
            CleanUp();
        else if (what < 67)
            NewHunt();
        else if (what < 72)
            PreyArrives();
        else
            Tick();
    }

private:
    std::mt19937 r_;
    std::unique_ptr<FloodWorld> fast_;
    std::unique_ptr<FloodWorld> plain_;
};

void PlayBattle(std::uint32_t seed, std::int32_t columns, std::int32_t rows, int steps) {
    Twins twins(seed, columns, rows);
    for (int i = 0; i < columns * rows / 30 + 1; ++i) twins.AddObject();
    for (int i = 0; i < 3 + columns * rows / 40; ++i) twins.AddTank();
    for (int i = 0; i < 3; ++i) twins.NewOrder();
    ASSERT_TRUE(twins.Same()) << "seed " << seed << " at the start";
    for (int step = 0; step < steps; ++step) {
        twins.Step();
        ASSERT_TRUE(twins.Same()) << "seed " << seed << " step " << step;
    }
}

TEST(OrdersDiffTest, SmallBattlesMatchThePlainFlood) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        std::mt19937 size(seed * 7919u);
        const auto columns = static_cast<std::int32_t>(1 + size() % 24);
        const auto rows = static_cast<std::int32_t>(1 + size() % 18);
        PlayBattle(seed, columns, rows, 80);
        if (HasFatalFailure()) return;
    }
}

TEST(OrdersDiffTest, LargerBattlesMatchThePlainFlood) {
    for (std::uint32_t seed = 1000; seed < 1008; ++seed) {
        PlayBattle(seed, 40 + static_cast<std::int32_t>(seed % 5) * 13, 30 + static_cast<std::int32_t>(seed % 3) * 11, 150);
        if (HasFatalFailure()) return;
    }
}

TEST(OrdersDiffTest, BattlesOnMapsAcrossWholeWordsOfRowsMatchThePlainFlood) {
    // The flood keeps a column's cells in 64-row words; these maps end just past,
    // at or just short of a word, or of a group of 64 columns.
    const std::pair<std::int32_t, std::int32_t> sizes[] = {{65, 64}, {64, 65}, {30, 129}, {130, 63}};
    std::uint32_t seed = 2000;
    for (const auto& [columns, rows] : sizes) {
        PlayBattle(seed++, columns, rows, 60);
        if (HasFatalFailure()) return;
    }
}

TEST(OrdersDiffTest, FullSizeMapMatchesThePlainFlood) {
    PlayBattle(4242, 200, 200, 25);
}

}  // namespace
}  // namespace tavrine
