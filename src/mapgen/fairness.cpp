#include "mapgen/fairness.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <limits>

#include "editor/edge_tiling.h"
#include "mapgen/map_builder.h"
#include "sim/grid.h"
#include "state/invariants.h"

namespace tavrine::mapgen {

namespace {

constexpr int kTowerReach = 6;  ///< cells, as the towers aim
constexpr int kFireReach = 2;  ///< cells around a building from which tanks hit it

/// A tower or building of side 0 or 1 with the cells it covers.
struct Piece {
    int X0, Y0, X1, Y1;
    int Side;
    int Kind;
    int Type;
};

struct Scan {
    std::vector<Piece> Pieces;
    std::vector<CellXY> Tanks[2];
    std::vector<CellXY> FactoryGates[2];
};

Scan ScanMap(const GameType& g, const ImageLibrary& lib) {
    Scan s;
    for (int y = 0; y < g.Rows; ++y)
        for (int x = 0; x < g.Columns; ++x) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (!o || (o->Kind() != KindTower && o->Kind() != KindBuilding)) continue;
            if (o->Side() != SidePlayer && o->Side() != SideComputer) continue;
            std::int32_t w = g.CellWidth, h = g.CellHeight;
            ImageSize(lib, o->Image, w, h);
            const int cw = std::max(1, (w + g.CellWidth - 1) / g.CellWidth), ch = std::max(1, (h + g.CellHeight - 1) / g.CellHeight);
            s.Pieces.push_back({x, y, x + cw - 1, y + ch - 1, o->Side(), o->Kind(), o->BuildingType()});
            if (o->Kind() == KindBuilding && o->BuildingType() == 1 && g.OnMap(x + 1, y + 2)) s.FactoryGates[o->Side()].push_back({x + 1, y + 2});
        }
    for (const auto& t : g.Tanks)
        if (t->Side() == SidePlayer || t->Side() == SideComputer) s.Tanks[t->Side()].push_back(TankCell(g, *t, lib));
    return s;
}

/// Steps from the nearest start over cells a tank may drive (tanks ignored);
/// -1 where no route leads.
std::vector<int> LandSteps(const GameType& g, const std::vector<CellXY>& starts) {
    std::vector<int> steps(static_cast<std::size_t>(g.CellCount()), -1);
    std::deque<CellXY> queue;
    for (const CellXY& c : starts) {
        if (!g.OnMap(c.X, c.Y)) continue;
        auto& s = steps[static_cast<std::size_t>(CellIndex(g, c.X, c.Y))];
        if (s == 0) continue;
        s = 0;
        queue.push_back(c);
    }
    while (!queue.empty()) {
        const CellXY c = queue.front();
        queue.pop_front();
        const int here = steps[static_cast<std::size_t>(CellIndex(g, c.X, c.Y))];
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = c.X + dx, y = c.Y + dy;
                if (!g.OnMap(x, y)) continue;
                int& s = steps[static_cast<std::size_t>(CellIndex(g, x, y))];
                if (s >= 0 || !IsPassable(g, x, y, nullptr, 1)) continue;
                s = here + 1;
                queue.push_back({x, y});
            }
    }
    return steps;
}

/// The fewest steps to a cell within firing reach of the piece; -1 when none.
int StepsTo(const GameType& g, const std::vector<int>& steps, const Piece& p) {
    int best = -1;
    for (int y = p.Y0 - kFireReach; y <= p.Y1 + kFireReach; ++y)
        for (int x = p.X0 - kFireReach; x <= p.X1 + kFireReach; ++x) {
            if (!g.OnMap(x, y)) continue;
            const int s = steps[static_cast<std::size_t>(CellIndex(g, x, y))];
            if (s >= 0 && (best < 0 || s < best)) best = s;
        }
    return best;
}

bool NeedsDestroying(int mission, const Piece& p) {
    if (p.Side != SideComputer) return false;
    if (mission == 2 || mission == 5) return p.Kind == KindBuilding && p.Type == 0;
    return true;
}

bool Defends(int mission) { return mission >= 3 && mission <= 5; }

}  // namespace

int GroundClass(const GameCellType& c) {
    if (c.Ground.Group != 0) return 1;
    if (c.Ground.Subgroup == 0) return 0;
    if (c.Ground.Subgroup == 2) return c.Ground.List == TerrainLand ? 1 : 2;
    return 1;
}

bool FairnessReport::Passed() const { return FirstFailure() == nullptr; }

const FairnessCheck* FairnessReport::FirstFailure() const {
    for (const FairnessCheck& c : Checks)
        if (!c.Passed) return &c;
    return nullptr;
}

FairnessReport CheckFairness(const GameType& g, const ImageLibrary& lib, Symmetry symmetry) {
    FairnessReport r;
    const Scan s = ScanMap(g, lib);
    const auto add = [&](const char* name, std::string problem, std::int64_t figure = 0) {
        r.Checks.push_back({name, problem.empty(), figure, std::move(problem)});
    };

    // Everything stands where it may, nothing overlaps, the record keeps its rules.
    {
        std::string problem = CheckInvariants(g);
        for (const Piece& p : s.Pieces)
            for (int y = p.Y0; y <= p.Y1 && problem.empty(); ++y)
                for (int x = p.X0; x <= p.X1 && problem.empty(); ++x)
                    if (g.OnMap(x, y) && GroundClass(g.Cell(x, y)) != 1) problem = "a building stands off the land" + AtCell(p.X0, p.Y0);
        for (int side = 0; side < 2 && problem.empty(); ++side)
            for (const CellXY& c : s.Tanks[side])
                if (!g.OnMap(c.X, c.Y) || GroundClass(g.Cell(c.X, c.Y)) != 1) problem = "a tank stands off the land" + AtCell(c.X, c.Y);
        add("placement", problem);
    }

    const int mission = g.Mission;
    int enemyHQs = 0, ownHQs = 0, enemyPieces = 0;
    for (const Piece& p : s.Pieces) {
        if (p.Kind == KindBuilding && p.Type == 0) (p.Side == SideComputer ? enemyHQs : ownHQs) += 1;
        if (p.Side == SideComputer) ++enemyPieces;
    }
    // The mission is not decided before it starts.
    {
        std::string problem;
        if (s.Tanks[SidePlayer].empty()) problem = "the player has no tanks";
        else if (Defends(mission) && ownHQs == 0) problem = "the mission defends a headquarters, but the player has none";
        else if ((mission == 2 || mission == 5) && enemyHQs == 0) problem = "the mission seeks the enemy headquarters, but there is none";
        else if (enemyPieces == 0 && ((mission != 0 && mission != 3) || s.Tanks[SideComputer].empty())) problem = "there is nothing to destroy";
        add("not_decided", problem);
    }

    // Every target the mission needs destroyed can be reached by land.
    std::vector<CellXY> playerStart = s.Tanks[SidePlayer];
    playerStart.insert(playerStart.end(), s.FactoryGates[SidePlayer].begin(), s.FactoryGates[SidePlayer].end());
    const std::vector<int> fromPlayer = LandSteps(g, playerStart);
    {
        std::string problem;
        for (const Piece& p : s.Pieces) {
            if (!NeedsDestroying(mission, p)) continue;
            const int steps = StepsTo(g, fromPlayer, p);
            if (steps < 0) {
                if (problem.empty()) problem = "an enemy target cannot be reached by land" + AtCell(p.X0, p.Y0);
            } else if (r.LandRoute < 0 || steps < r.LandRoute) {
                r.LandRoute = steps;
            }
        }
        add("targets_reachable", problem, r.LandRoute);
    }
    // The computer's factories can reach the player's base.
    {
        std::string problem;
        if (!s.FactoryGates[SideComputer].empty()) {
            const std::vector<int> fromEnemy = LandSteps(g, s.FactoryGates[SideComputer]);
            bool any = false, ownPieces = false;
            for (const Piece& p : s.Pieces)
                if (p.Side == SidePlayer) {
                    ownPieces = true;
                    any = any || StepsTo(g, fromEnemy, p) >= 0;
                }
            if (ownPieces && !any) problem = "the enemy's factories cannot reach the player's base";
        }
        add("enemy_reaches_player", problem);
    }

    // The player's start lies beyond every enemy tower's reach, and is in sight.
    std::vector<CellXY> ownCells = s.Tanks[SidePlayer];
    for (const Piece& p : s.Pieces)
        if (p.Side == SidePlayer)
            for (int y = p.Y0; y <= p.Y1; ++y)
                for (int x = p.X0; x <= p.X1; ++x) ownCells.push_back({x, y});
    {
        int nearest = std::numeric_limits<int>::max() / 2;
        CellXY where{};
        for (const Piece& t : s.Pieces) {
            if (t.Side != SideComputer || t.Kind != KindTower) continue;
            for (const CellXY& c : ownCells) {
                const int d = std::max(std::max(t.X0 - c.X, c.X - t.X1), std::max(t.Y0 - c.Y, c.Y - t.Y1)) - kTowerReach;
                if (d < nearest) {
                    nearest = d;
                    where = c;
                }
            }
        }
        r.TowerMarginCells = nearest;
        add("start_out_of_tower_reach", nearest < kTowerMargin ? "the player's start lies under an enemy tower" + AtCell(where.X, where.Y) : "",
            nearest);
    }
    {
        std::string problem;
        for (const CellXY& c : ownCells)
            if (g.OnMap(c.X, c.Y) && g.Cell(c.X, c.Y).Hidden) {
                problem = "the player's start is hidden by the fog" + AtCell(c.X, c.Y);
                break;
            }
        add("start_revealed", problem);
    }

    // The two bases stand apart.
    {
        long long sx[2] = {0, 0}, sy[2] = {0, 0}, n[2] = {0, 0};
        for (const Piece& p : s.Pieces) {
            sx[p.Side] += p.X0 + p.X1;
            sy[p.Side] += p.Y0 + p.Y1;
            n[p.Side] += 2;
        }
        std::int64_t apart = 0;
        std::string problem;
        if (n[0] && n[1]) {
            const long long dx = sx[0] / n[0] - sx[1] / n[1], dy = sy[0] / n[0] - sy[1] / n[1];
            const long long d2 = dx * dx + dy * dy;
            const long long diag2 = static_cast<long long>(g.Columns) * g.Columns + static_cast<long long>(g.Rows) * g.Rows;
            apart = std::max(std::llabs(dx), std::llabs(dy));
            if (d2 * 25 < diag2) problem = "the two bases stand too close together";
        }
        add("bases_apart", problem, apart);
    }

    if (symmetry != Symmetry::None) {
        std::string problem;
        for (int y = 0; y < g.Rows && problem.empty(); ++y)
            for (int x = 0; x < g.Columns && problem.empty(); ++x) {
                const int ix = g.Columns - 1 - x, iy = symmetry == Symmetry::Rotate ? g.Rows - 1 - y : y;
                if (GroundClass(g.Cell(x, y)) != GroundClass(g.Cell(ix, iy))) problem = "the ground is not symmetric" + AtCell(x, y);
            }
        add("symmetry", problem);
    }
    return r;
}

}  // namespace tavrine::mapgen
