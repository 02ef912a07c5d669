#include "mapgen/generator.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <cstdlib>
#include <deque>
#include <vector>

#include "mapgen/contour.h"
#include "mapgen/map_builder.h"
#include "mapgen/shapes.h"
#include "sim/grid.h"
#include "state/random.h"

namespace tavrine::mapgen {

namespace {

/// A base's flat ground, in cells.
constexpr int kBaseColumns = 16;
constexpr int kBaseRows = 12;

struct Point {
    int X = 0;
    int Y = 0;
};

Point Centre(const CellBox& b) { return {(b.X0 + b.X1) / 2, (b.Y0 + b.Y1) / 2}; }

/// The cell a symmetry maps (x, y) to.
Point ImageOf(Symmetry s, int columns, int rows, int x, int y) {
    return {columns - 1 - x, s == Symmetry::Rotate ? rows - 1 - y : y};
}

CellBox ImageOf(Symmetry s, int columns, int rows, const CellBox& b) {
    const Point a = ImageOf(s, columns, rows, b.X0, b.Y0), c = ImageOf(s, columns, rows, b.X1, b.Y1);
    return {std::min(a.X, c.X), std::min(a.Y, c.Y), std::max(a.X, c.X), std::max(a.Y, c.Y)};
}

/// Copies the player's half of the plan onto the other half.
void Symmetrize(TerrainPlan& plan, Symmetry s, bool playerLow) {
    const int w = plan.Columns(), h = plan.Rows();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Point p = ImageOf(s, w, h, x, y);
            const int i = y * w + x, j = p.Y * w + p.X;
            if (i == j) continue;
            const bool source = s == Symmetry::Mirror ? (x < p.X) == playerLow : (i < j) == playerLow;
            if (source) plan.Set(p.X, p.Y, plan.At(x, y));
        }
}

bool IsSymmetric(const TerrainPlan& plan, Symmetry s) {
    for (int y = 0; y < plan.Rows(); ++y)
        for (int x = 0; x < plan.Columns(); ++x) {
            const Point p = ImageOf(s, plan.Columns(), plan.Rows(), x, y);
            if (plan.At(x, y) != plan.At(p.X, p.Y)) return false;
        }
    return true;
}

/// Land where the band of a road runs from `a` to `b`, bending once sideways.
void Road(TerrainPlan& plan, Random& rnd, Point a, Point b, int radius) {
    const int dx = b.X - a.X, dy = b.Y - a.Y;
    const int bend = rnd(5) - 2;  // quarters of the length, sideways
    const Point mid{(a.X + b.X) / 2 - dy * bend / 8, (a.Y + b.Y) / 2 + dx * bend / 8};
    Line(plan, a.X, a.Y, mid.X, mid.Y, radius, Terrain::Land);
    Line(plan, mid.X, mid.Y, b.X, b.Y, radius, Terrain::Land);
}

/// Joins every piece of land to the land around `home` with a bridge of land
/// along the shortest way over the water.
void BridgeIslands(TerrainPlan& plan, Point home) {
    const int w = plan.Columns(), h = plan.Rows();
    const auto index = [w](int x, int y) { return static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x); };
    std::vector<int> comp(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), -1);
    int count = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (plan.At(x, y) == Terrain::Water || comp[index(x, y)] >= 0) continue;
            std::deque<Point> q{{x, y}};
            comp[index(x, y)] = count;
            while (!q.empty()) {
                const Point c = q.front();
                q.pop_front();
                const Point next[4] = {{c.X + 1, c.Y}, {c.X - 1, c.Y}, {c.X, c.Y + 1}, {c.X, c.Y - 1}};
                for (const Point n : next)
                    if (n.X >= 0 && n.Y >= 0 && n.X < w && n.Y < h && plan.At(n.X, n.Y) != Terrain::Water && comp[index(n.X, n.Y)] < 0) {
                        comp[index(n.X, n.Y)] = count;
                        q.push_back(n);
                    }
            }
            ++count;
        }
    const int main = comp[index(home.X, home.Y)];
    if (main < 0 || count < 2) return;
    // Steps over the water from the main land, and the way back.
    std::vector<int> from(comp.size(), -2);
    std::deque<Point> q;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (comp[index(x, y)] == main) {
                from[index(x, y)] = -1;
                q.push_back({x, y});
            }
    std::vector<std::uint8_t> joined(static_cast<std::size_t>(count), 0);
    joined[static_cast<std::size_t>(main)] = 1;
    std::vector<std::pair<Point, int>> landings;  // the first cell reached of each other piece
    while (!q.empty()) {
        const Point c = q.front();
        q.pop_front();
        const Point next[4] = {{c.X + 1, c.Y}, {c.X - 1, c.Y}, {c.X, c.Y + 1}, {c.X, c.Y - 1}};
        for (const Point n : next) {
            if (n.X < 0 || n.Y < 0 || n.X >= w || n.Y >= h || from[index(n.X, n.Y)] != -2) continue;
            from[index(n.X, n.Y)] = static_cast<int>(index(c.X, c.Y));
            const int piece = comp[index(n.X, n.Y)];
            if (piece >= 0) {
                if (!joined[static_cast<std::size_t>(piece)]) {
                    joined[static_cast<std::size_t>(piece)] = 1;
                    landings.push_back({n, piece});
                }
                continue;  // the bridge ends on the first shore it meets
            }
            q.push_back(n);
        }
    }
    for (const auto& [landing, piece] : landings) {
        int at = from[index(landing.X, landing.Y)];
        while (at >= 0 && comp[static_cast<std::size_t>(at)] < 0) {
            Disc(plan, at % w, at / w, 1, Terrain::Land);
            at = from[static_cast<std::size_t>(at)];
        }
    }
}

/// Turns every piece of `t` (cells joined side by side) smaller than `least`
/// cells into land: lone rocks read as blocks, not as mountains.
void DropSmallPieces(TerrainPlan& plan, Terrain t, int least) {
    const int w = plan.Columns(), h = plan.Rows();
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    std::vector<Point> piece;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (plan.At(x, y) != t || seen[static_cast<std::size_t>(y * w + x)]) continue;
            piece.assign(1, {x, y});
            seen[static_cast<std::size_t>(y * w + x)] = 1;
            for (std::size_t i = 0; i < piece.size(); ++i) {
                const Point c = piece[i];
                const Point next[4] = {{c.X + 1, c.Y}, {c.X - 1, c.Y}, {c.X, c.Y + 1}, {c.X, c.Y - 1}};
                for (const Point n : next)
                    if (n.X >= 0 && n.Y >= 0 && n.X < w && n.Y < h && plan.At(n.X, n.Y) == t && !seen[static_cast<std::size_t>(n.Y * w + n.X)]) {
                        seen[static_cast<std::size_t>(n.Y * w + n.X)] = 1;
                        piece.push_back(n);
                    }
            }
            if (static_cast<int>(piece.size()) < least)
                for (const Point c : piece) plan.Set(c.X, c.Y, Terrain::Land);
        }
}

/// Noise spread wider around its middle: layered noise seldom strays far
/// from one half, and coasts drawn on it would follow the map's edges.
int Stretch(int n) { return std::clamp((n - kOne / 2) * 9 / 4 + kOne / 2, 0, kOne - 1); }

/// The ground of a landscape before the roads, bridges and bases. With a
/// symmetry the river keeps to the middle line, so that the half copied onto
/// the other still holds an unbroken river.
void DrawLandscape(TerrainPlan& plan, Landscape land, std::uint64_t seed, Point player, Point enemy, bool symmetric) {
    const int w = plan.Columns(), h = plan.Rows();
    const int scale = std::max(8, (w + h) / 6);
    // Mountains: ranges along the ridge lines, their flanks broken by finer noise
    // so that small maps do not get smooth lumps of rock.
    const int rough = std::max(3, scale / 4);
    const int band = std::max(4, std::min(w, h) / 6);
    const Point c{(player.X + enemy.X) / 2, (player.Y + enemy.Y) / 2};
    const int ax = enemy.X - player.X, ay = enemy.Y - player.Y;
    int len = 1;
    while (len * len < ax * ax + ay * ay) ++len;
    const int riverHalf = 2 + std::min(w, h) / 30, meander = std::max(3, std::min(w, h) / 8);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int edge = std::min(std::min(x, y), std::min(w - 1 - x, h - 1 - y));
            const int fall = edge < band ? (band - edge) * kOne * 6 / 10 / band : 0;
            const int n = Stretch(IntNoise(DeriveSeed(seed, 1), x, y, scale, 3));
            const int r = Stretch(IntNoise(DeriveSeed(seed, 2), x, y, std::max(8, scale * 2 / 3), 2));
            const int ridge = kOne - 2 * std::abs(r - kOne / 2);
            const int fine = Stretch(IntNoise(DeriveSeed(seed, 3), x, y, std::max(6, scale / 2), 3));
            const int crag = (IntNoise(DeriveSeed(seed, 5), x, y, rough, 2) - kOne / 2) / 3;
            const int rock = ridge + crag;
            Terrain t = Terrain::Land;
            switch (land) {
            case Landscape::Continent:
                if (n - fall < kOne * 30 / 100) t = Terrain::Water;
                else if (rock > kOne * 84 / 100) t = Terrain::Mountain;
                break;
            case Landscape::Islands:
                if (fine - fall / 2 < kOne * 52 / 100) t = Terrain::Water;
                else if (rock > kOne * 88 / 100) t = Terrain::Mountain;
                break;
            case Landscape::Lakes:
                if (fine < kOne * 33 / 100) t = Terrain::Water;
                else if (rock > kOne * 87 / 100) t = Terrain::Mountain;
                break;
            case Landscape::Highlands:
                if (fine < kOne * 6 / 100) t = Terrain::Water;
                else if (n + crag > kOne * 50 / 100 || rock > kOne * 78 / 100) t = Terrain::Mountain;
                break;
            case Landscape::River: {
                // Across the line between the bases, a river meanders.
                const int along = ((x - c.X) * ax + (y - c.Y) * ay) / len;
                const int across = ((x - c.X) * -ay + (y - c.Y) * ax) / len;
                const int shift = (IntNoise(DeriveSeed(seed, 4), across, 0, std::max(6, scale / 2), 2) - kOne / 2) * meander * 2 / kOne;
                const bool river = symmetric ? std::abs(along) <= riverHalf + std::abs(shift) * 2 / 3 : std::abs(along - shift) <= riverHalf;
                if (river) t = Terrain::Water;
                else if (rock > kOne * 86 / 100) t = Terrain::Mountain;
                break;
            }
            }
            plan.Set(x, y, t);
        }
}

struct Bases {
    CellBox Player;
    CellBox Enemy;
};

Bases PlaceBases(const GenerateOptions& o, Random& rnd) {
    const int w = o.Columns, h = o.Rows;
    // Room between a base and the map's edge where the map has it: tanks on
    // the last rows and columns hide under the status bar and the minimap.
    const int mx = std::clamp((w - 2 * kBaseColumns) / 4, 2, 5), my = std::clamp((h - 2 * kBaseRows) / 4, 2, 5);
    const int spanX = std::max(0, w / 4 - kBaseColumns / 2 - mx), spanY = std::max(0, h / 4 - kBaseRows / 2 - my);
    int bx = mx + rnd(spanX + 1);
    int by = o.Mirror == Symmetry::Mirror ? my + rnd(std::max(1, h - kBaseRows - 2 * my + 1)) : my + rnd(spanY + 1);
    if (rnd(2)) bx = w - kBaseColumns - bx;  // the player on the right
    if (o.Mirror != Symmetry::Mirror && rnd(2)) by = h - kBaseRows - by;  // or below
    Bases b;
    b.Player = {bx, by, bx + kBaseColumns - 1, by + kBaseRows - 1};
    b.Enemy = ImageOf(o.Mirror == Symmetry::Mirror ? Symmetry::Mirror : Symmetry::Rotate, w, h, b.Player);
    if (o.Mirror == Symmetry::None) {
        const int jx = rnd(w / 5 + 1) - w / 10, jy = rnd(h / 5 + 1) - h / 10;
        const int ex = std::clamp(b.Enemy.X0 + jx, mx, w - kBaseColumns - mx), ey = std::clamp(b.Enemy.Y0 + jy, my, h - kBaseRows - my);
        b.Enemy = {ex, ey, ex + kBaseColumns - 1, ey + kBaseRows - 1};
    }
    return b;
}

/// The largest Chebyshev distance beyond `reach` from a tower on (x, y) (two
/// cells square at most) to the box.
int Clearance(int x, int y, const CellBox& box) {
    return std::max(std::max(box.X0 - (x + 1), x - box.X1), std::max(box.Y0 - (y + 1), y - box.Y1)) - 6;
}

void PlaceForces(MapBuilder& b, const GenerateOptions& o, const Bases& bases) {
    const int area = o.Columns * o.Rows;
    const Point pc = Centre(bases.Player), ec = Centre(bases.Enemy);
    const int towardEnemy = std::max(0, FacingToward(pc.X, pc.Y, ec.X, ec.Y));
    const int towardPlayer = std::max(0, FacingToward(ec.X, ec.Y, pc.X, pc.Y));

    // The player: headquarters, a factory, a power plant, a tower and tanks.
    const int px = bases.Player.X0, py = bases.Player.Y0;
    b.Headquarters(SidePlayer, px + 1, py + 1);
    b.Factory(SidePlayer, px + 6, py + 1);
    b.Building(SidePlayer, kPowerPlant, px + 1, py + 6);
    b.Building(SidePlayer, kFuelDepot, px + 4, py + 10);
    b.Tower(SidePlayer, px + 4, py + 5, towardEnemy);
    // More tanks on the larger maps, where the enemy's base is stronger and
    // the battle is won only by an army large enough to take its towers.
    const int ownTanks = 6 + (area >= 12000 ? 2 : 0) + (area >= 30000 ? 2 : 0);
    // Two rows, every other cell, inside the base's flat ground.
    const int perRow = std::max(3, (ownTanks + 1) / 2);
    b.TankGroup(SidePlayer, px + std::min(9, kBaseColumns - 1 - 2 * (perRow - 1)), py + 8, ownTanks, perRow, towardEnemy);

    // The computer: its strength grows with the map.
    const int ex = bases.Enemy.X0, ey = bases.Enemy.Y0;
    b.Headquarters(SideComputer, ex + 1, ey + 1);
    b.Factory(SideComputer, ex + 6, ey + 1);
    if (area >= 12000) b.Factory(SideComputer, ex + 11, ey + 1);
    b.Building(SideComputer, kPowerPlant, ex + 1, ey + 6);
    b.Building(SideComputer, kBarracks, ex + 1, ey + 10);
    b.Building(SideComputer, kRadioMast, ex + 4, ey + 10);
    const int tanks = std::clamp(2 + area / 8000, 3, 6);
    b.TankGroup(SideComputer, ex + 9, ey + 8, tanks, 3, towardPlayer);
    const int towers = std::clamp(1 + area / 6000, 1, 6);
    constexpr Point kTowerSpots[] = {{4, 5}, {14, 5}, {9, 5}, {6, 10}, {14, 10}, {0, 8}, {15, 0}};
    int placed = 0;
    for (const Point s : kTowerSpots) {
        if (placed == towers) break;
        if (Clearance(ex + s.X, ey + s.Y, bases.Player) < kTowerMargin + 1) continue;
        if (placed == 0 && area >= 12000) b.Fortress(SideComputer, ex + s.X, ey + s.Y, towardPlayer);
        else b.Tower(SideComputer, ex + s.X, ey + s.Y, towardPlayer);
        ++placed;
    }
}

MapCounts CountMap(const GameType& g) {
    MapCounts c;
    c.Cells = g.CellCount();
    for (int y = 0; y < g.Rows; ++y)
        for (int x = 0; x < g.Columns; ++x) {
            const GameCellType& cell = g.Cell(x, y);
            const int k = GroundClass(cell);
            (k == 0 ? c.Water : k == 1 ? c.Land : c.Mountain) += 1;
            const GameCellObjectType* o = cell.Object.get();
            if (!o) continue;
            if (o->Kind() == KindDecoration) ++c.Scenery;
            if (o->Side() != SidePlayer && o->Side() != SideComputer) continue;
            if (o->Kind() == KindTower) ++c.Towers[o->Side()];
            if (o->Kind() == KindBuilding) ++c.Buildings[o->Side()];
        }
    for (const auto& t : g.Tanks)
        if (t->Side() == SidePlayer || t->Side() == SideComputer) ++c.Tanks[t->Side()];
    return c;
}

/// One attempt from one seed; throws MapError where the map cannot be built.
void Attempt(const ImageLibrary& lib, const GenerateOptions& o, std::uint64_t seed, GeneratedMap& out) {
    Random rnd(DeriveSeed(seed, 10));
    const Bases bases = PlaceBases(o, rnd);
    const Point pc = Centre(bases.Player), ec = Centre(bases.Enemy);
    const bool playerLow = o.Mirror == Symmetry::Mirror ? pc.X < o.Columns / 2 : pc.Y * o.Columns + pc.X < o.Columns * o.Rows / 2;

    TerrainPlan plan(o.Columns, o.Rows, Terrain::Land);
    DrawLandscape(plan, o.Land, DeriveSeed(seed, 11), pc, ec, o.Mirror != Symmetry::None);
    DropSmallPieces(plan, Terrain::Mountain, 12);
    // The roads between the bases: by construction every landscape joins them by
    // land (fords, passes, bridges); more of them where the ground is cut.
    const Point mid = o.Mirror == Symmetry::None ? Point{(pc.X + ec.X) / 2, (pc.Y + ec.Y) / 2} : Point{(o.Columns - 1) / 2, (o.Rows - 1) / 2};
    Road(plan, rnd, pc, mid, 2);
    if (o.Mirror == Symmetry::None) Road(plan, rnd, mid, ec, 2);
    // A river of a small map crossed three times would be a string of lakes.
    const int extra = o.Land == Landscape::Highlands                                   ? 2
                      : o.Land == Landscape::River ? (std::min(o.Columns, o.Rows) >= 60 ? 2 : o.Mirror == Symmetry::Mirror ? 0 : 1)
                      : o.Land == Landscape::Continent                                 ? 0
                                                                                       : 1;
    for (int k = 0; k < extra; ++k) {
        const int dx = ec.X - pc.X, dy = ec.Y - pc.Y;
        const int side = k % 2 ? 1 : -1;
        const Point via{std::clamp(mid.X - dy * side / 3, 3, o.Columns - 4), std::clamp(mid.Y + dx * side / 3, 3, o.Rows - 4)};
        Road(plan, rnd, pc, via, 1);
        if (o.Mirror == Symmetry::None) Road(plan, rnd, via, ec, 1);
    }
    if (o.Land == Landscape::Islands || o.Land == Landscape::Lakes) BridgeIslands(plan, pc);
    if (o.Mirror != Symmetry::None) Symmetrize(plan, o.Mirror, playerLow);

    const std::vector<CellBox> flat{bases.Player.Grown(1), bases.Enemy.Grown(1)};
    bool settled = false;
    for (int round = 0; round < 6 && !settled; ++round) {
        if (!SettlePlan(plan, flat)) throw MapError("the terrain does not settle into traceable outlines");
        settled = o.Mirror == Symmetry::None || IsSymmetric(plan, o.Mirror);
        if (!settled) Symmetrize(plan, o.Mirror, playerLow);
    }
    if (!settled) throw MapError("the terrain does not settle symmetric");

    MapBuilder b(lib, o.Columns, o.Rows, o.Mission, seed);
    b.PaintTerrain(plan);
    b.VaryGround(12);
    PlaceForces(b, o, bases);
    b.ScatterScenery(o.Columns * o.Rows * o.Scenery / 180, {bases.Player.Grown(2), bases.Enemy.Grown(2)});
    b.RevealPlayerStart(5);
    b.CentreView(pc.X, pc.Y);
    b.Check();
    out.Report = CheckFairness(b.G(), lib, o.Mirror);
    if (const FairnessCheck* f = out.Report.FirstFailure()) throw MapError(f->Name + ": " + f->Problem);
    out.File = b.Serialize();
    out.Counts = CountMap(b.G());
}

}  // namespace

GenerateOptions Clamped(GenerateOptions o) {
    o.Columns = std::clamp(o.Columns, kMinColumns, kMaxColumns);
    o.Rows = std::clamp(o.Rows, kMinRows, kMaxRows);
    o.Mission = std::clamp(o.Mission, 0, 5);
    o.Scenery = std::clamp(o.Scenery, 0, kMaxScenery);
    return o;
}

GeneratedMap GenerateMap(const ImageLibrary& library, const GenerateOptions& options) {
    const GenerateOptions o = Clamped(options);
    GeneratedMap out;
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const std::uint64_t seed = attempt == 0 ? o.Seed : DeriveSeed(o.Seed, 1000 + static_cast<std::uint64_t>(attempt));
        out.Attempts = attempt + 1;
        out.UsedSeed = seed;
        out.Report = {};
        try {
            Attempt(library, o, seed, out);
            out.Ok = true;
            out.Failure.clear();
            return out;
        } catch (const MapError& e) {
            out.Failure = e.what();
        }
    }
    return out;
}

std::optional<Landscape> LandscapeNamed(std::string_view name) {
    for (std::size_t i = 0; i < kLandscapeNames.size(); ++i)
        if (kLandscapeNames[i] == name) return static_cast<Landscape>(i);
    return std::nullopt;
}

std::optional<Symmetry> SymmetryNamed(std::string_view name) {
    for (std::size_t i = 0; i < kSymmetryNames.size(); ++i)
        if (kSymmetryNames[i] == name) return static_cast<Symmetry>(i);
    return std::nullopt;
}

bool ParseMapSize(std::string_view text, int& columns, int& rows) {
    for (const MapSizePreset& p : kSizePresets)
        if (p.Name == text) {
            columns = p.Columns;
            rows = p.Rows;
            return true;
        }
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos || x == 0 || x + 1 >= text.size() || x > 3 || text.size() - x - 1 > 3) return false;
    int c = 0, r = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == x) continue;
        if (text[i] < '0' || text[i] > '9') return false;
        (i < x ? c : r) = (i < x ? c : r) * 10 + (text[i] - '0');
    }
    if (c < kMinColumns || c > kMaxColumns || r < kMinRows || r > kMaxRows) return false;
    columns = c;
    rows = r;
    return true;
}

GenerateOptions OptionsOf(const SkirmishSetup& k) {
    GenerateOptions o;
    o.Seed = k.Seed;
    o.Columns = k.Columns;
    o.Rows = k.Rows;
    o.Land = static_cast<Landscape>(std::clamp(k.Landscape, 0, static_cast<int>(kLandscapeNames.size()) - 1));
    o.Mirror = static_cast<Symmetry>(std::clamp(k.Symmetry, 0, static_cast<int>(kSymmetryNames.size()) - 1));
    o.Mission = k.Mission;
    o.Scenery = k.Scenery;
    return Clamped(o);
}

std::uint64_t FreshSeed() {
    std::random_device device;
    const std::uint64_t noise = (static_cast<std::uint64_t>(device()) << 32) ^ device() ^
                                static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return DeriveSeed(noise, 0) % 1000000000ull;
}

std::string_view NameOf(Landscape l) { return kLandscapeNames[static_cast<std::size_t>(l)]; }
std::string_view NameOf(Symmetry s) { return kSymmetryNames[static_cast<std::size_t>(s)]; }

}  // namespace tavrine::mapgen
