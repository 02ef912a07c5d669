#include "mapgen/map_builder.h"

#include <algorithm>
#include <deque>
#include <filesystem>

#include "mapgen/contour.h"
#include "editor/edge_tiling.h"
#include "editor/fills.h"
#include "editor/placing.h"
#include "editor/walls.h"
#include "sim/grid.h"
#include "sim/production.h"
#include "state/invariants.h"
#include "state/new_map.h"
#include "state/saved_game.h"

namespace tavrine::mapgen {

namespace {

/// The screen the view is centred for: the middle display mode.
constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
/// Cells of road a factory's new tanks drive south of its gate.
constexpr int kRoadLength = 4;

bool IsWater(const GameCellType& c) { return c.Ground.Group == 0 && c.Ground.Subgroup == 0; }
bool IsPlainLand(const GameCellType& c) { return c.Ground.Group == 0 && c.Ground.Subgroup == 1; }
bool IsMountainInside(const GameCellType& c) {
    return c.Ground.Group == 0 && c.Ground.Subgroup == 2 && c.Ground.List == 0;
}
bool IsPiece(const GameCellType& c, int terrain) {
    return c.Ground.Group == 0 && c.Ground.Subgroup == 2 && c.Ground.List == terrain;
}

void TileRegion(GameType& g, const TerrainPlan& plan, const RegionTest& test, std::int32_t terrain, Color colour,
                const char* what) {
    for (const std::vector<EditPoint>& outline : TraceOutlines(plan, test)) {
        if (const auto fault = OutlineFault(outline)) throw MapError(std::string("the ") + what + " cannot be traced" + AtCell(fault->X, fault->Y));
        TileOutline(g, outline, terrain, colour);
    }
}

/// Cells a tank of any side could drive over from `start`, ignoring tanks.
std::vector<std::uint8_t> Reachable(const GameType& g, int sx, int sy) {
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(g.CellCount()), 0);
    std::deque<std::pair<int, int>> queue;
    const auto visit = [&](int x, int y) {
        if (!g.OnMap(x, y) || seen[static_cast<std::size_t>(CellIndex(g, x, y))]) return;
        if (!IsPassable(g, x, y, nullptr, 1)) return;
        seen[static_cast<std::size_t>(CellIndex(g, x, y))] = 1;
        queue.emplace_back(x, y);
    };
    seen[static_cast<std::size_t>(CellIndex(g, sx, sy))] = 1;
    queue.emplace_back(sx, sy);
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) visit(x + dx, y + dy);
    }
    return seen;
}

}  // namespace

std::string AtCell(int x, int y) { return " at (" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

MapBuilder::MapBuilder(const ImageLibrary& library, int columns, int rows, int mission, std::uint64_t seed)
    : library_(library), rules_(seed), touches_(seed) {
    NewMap(record_, run_, columns, rows, 0, mission);
}

SimContext MapBuilder::Context() { return SimContext{record_, run_, library_, rules_}; }

void MapBuilder::PaintTerrain(const TerrainPlan& plan) {
    GameType& g = G();
    if (plan.Columns() != g.Columns || plan.Rows() != g.Rows) throw MapError("the plan is not the map's size");

    TileRegion(g, plan, [](Terrain t) { return t != Terrain::Water; }, TerrainLand, kLandColor, "coast");
    for (int x = 0; x < g.Columns; ++x)
        for (int y = 0; y < g.Rows; ++y)
            if (plan.At(x, y) != Terrain::Water && IsWater(g.Cell(x, y))) FillLand(g, x, y);

    TileRegion(g, plan, [](Terrain t) { return t == Terrain::Mountain; }, TerrainMountain, kMountainColor, "mountain border");
    for (int x = 0; x < g.Columns; ++x)
        for (int y = 0; y < g.Rows; ++y)
            if (plan.At(x, y) == Terrain::Mountain && IsPlainLand(g.Cell(x, y))) FillMountain(g, x, y);

    // Every fill stayed inside its outline, and no two grounds meet without the
    // edge piece between them.
    for (int x = 0; x < g.Columns; ++x)
        for (int y = 0; y < g.Rows; ++y) {
            const GameCellType& c = g.Cell(x, y);
            const Terrain want = plan.At(x, y);
            const bool right = want == Terrain::Water      ? IsWater(c)
                               : want == Terrain::Mountain ? IsMountainInside(c) || IsPiece(c, TerrainMountain)
                                                           : IsPlainLand(c) || IsPiece(c, TerrainLand);
            if (!right) throw MapError("a fill ran out of its outline" + AtCell(x, y));
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    if (!g.OnMap(x + dx, y + dy)) continue;
                    const GameCellType& n = g.Cell(x + dx, y + dy);
                    if (IsPlainLand(c) && IsWater(n)) throw MapError("land meets water without a coast" + AtCell(x, y));
                    if (IsMountainInside(c) && IsPlainLand(n)) throw MapError("mountain meets land without a border" + AtCell(x, y));
                }
        }
}

void MapBuilder::VaryGround(int oneIn) {
    SimContext ctx = Context();
    GameType& g = G();
    for (int x = 0; x < g.Columns; ++x)
        for (int y = 0; y < g.Rows; ++y) {
            const GameCellType& c = g.Cell(x, y);
            const bool water = IsWater(c), land = IsPlainLand(c);
            if (!(water || land) || c.Ground.List != 0 || touches_(oneIn) != 0) continue;
            const ImageRef variant{0, water ? 0 : 1, 1 + touches_(4), 0};
            DropPicture(ctx, variant, x * g.CellWidth, y * g.CellHeight);
        }
}

bool MapBuilder::FreeLand(int x, int y) const {
    const GameType& g = G();
    return g.OnMap(x, y) && IsPlainLand(g.Cell(x, y)) && g.Cell(x, y).Occupancy == CellFree;
}

void MapBuilder::PlaceOrThrow(const ImageRef& picture, int x, int y, const char* what) {
    std::int32_t w = 0, h = 0;
    if (!ImageSize(Library(), picture, w, h)) throw MapError(std::string("the library has no ") + what);
    const GameType& g = G();
    for (int cx = x; cx <= x + w / g.CellWidth; ++cx)
        for (int cy = y; cy <= y + h / g.CellHeight; ++cy) {
            if (!FreeLand(cx, cy)) throw MapError(std::string("no free land for the ") + what + AtCell(cx, cy));
            for (const CellBox& road : roads_)
                if (road.Contains(cx, cy)) throw MapError(std::string("the ") + what + " blocks a factory's road" + AtCell(cx, cy));
        }
    if (PlaceObject(G(), Library(), picture, x, y) != DropResult::Object) throw MapError(std::string("the ") + what + " did not fit" + AtCell(x, y));
}

void MapBuilder::Headquarters(int side, int x, int y) { PlaceOrThrow({KindBuilding, side, kHeadquarters, 0}, x, y, "headquarters"); }

void MapBuilder::Factory(int side, int x, int y) {
    PlaceOrThrow({KindBuilding, side, kFactory, 0}, x, y, "factory");
    for (int ry = y + 2; ry <= y + 1 + kRoadLength; ++ry)
        if (!FreeLand(x + 1, ry)) throw MapError("a factory's road is blocked" + AtCell(x + 1, ry));
    roads_.push_back({x + 1, y + 2, x + 1, y + 1 + kRoadLength});
}

void MapBuilder::Building(int side, int list, int x, int y) { PlaceOrThrow({KindBuilding, side, list, 0}, x, y, "building"); }

void MapBuilder::Tower(int side, int x, int y, int facing) { PlaceOrThrow({KindTower, side, kGunTower, facing}, x, y, "tower"); }

void MapBuilder::Fortress(int side, int x, int y, int facing) { PlaceOrThrow({KindTower, side, kFortress, facing}, x, y, "fortress"); }

void MapBuilder::Tank(int side, int x, int y, int facing, int model) {
    if (!FreeLand(x, y)) throw MapError("no free land for a tank" + AtCell(x, y));
    for (const CellBox& road : roads_)
        if (road.Contains(x, y)) throw MapError("a tank blocks a factory's road" + AtCell(x, y));
    SimContext ctx = Context();
    CreateTank(ctx, x, y, false, facing, model, side);
}

void MapBuilder::TankGroup(int side, int x, int y, int count, int perRow, int facing) {
    for (int i = 0; i < count; ++i) Tank(side, x + (i % perRow) * 2, y + (i / perRow) * 2, facing, i % 3);
}

void MapBuilder::Wall(int kind, int x0, int y0, int x1, int y1) {
    if (x0 != x1 && y0 != y1) throw MapError("a wall runs straight" + AtCell(x0, y0));
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    const int dx = (x1 > x0) - (x1 < x0), dy = (y1 > y0) - (y1 < y0);
    for (int i = 0; i <= steps; ++i) {
        const int x = x0 + dx * i, y = y0 + dy * i;
        const GameCellType& c = G().Cell(x, y);
        const bool wallHere = c.Object && c.Object->Image.Group == KindDecoration && c.Object->Image.Subgroup == kind;
        if (!wallHere && !FreeLand(x, y)) throw MapError("no free land for a wall" + AtCell(x, y));
        for (const CellBox& road : roads_)
            if (road.Contains(x, y)) throw MapError("a wall blocks a factory's road" + AtCell(x, y));
        PlaceWall(G(), {x, y}, run_.ObjectColors[static_cast<std::size_t>(kind)], kind);
    }
}

bool MapBuilder::Scenery(int subgroup, int list, int frame, int x, int y) {
    if (!FreeLand(x, y)) return false;
    SimContext ctx = Context();
    return DropPicture(ctx, {KindDecoration, subgroup, list, frame}, x * G().CellWidth, y * G().CellHeight) == DropResult::Scenery;
}

void MapBuilder::ScatterScenery(int clumps, const std::vector<CellBox>& keepOut) {
    const GameType& g = G();
    // A decoration only where its whole ring of neighbours is free land: single
    // obstacles with free ground all round can never cut a way off.
    const auto roomy = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (!FreeLand(x + dx, y + dy)) return false;
        for (const CellBox& b : keepOut)
            if (b.Contains(x, y)) return false;
        for (const CellBox& b : roads_)
            if (b.Grown(2).Contains(x, y)) return false;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (g.OnMap(x + dx, y + dy) && g.Cell(x + dx, y + dy).Occupancy == CellTank) return false;
        return true;
    };
    // Lists of the scenery subgroups 2 (nature) and 3 (works of war), with their
    // picture counts, weighted toward trees.
    struct Kind {
        int Subgroup, List, Frames;
    };
    constexpr Kind kKinds[] = {{2, 2, 4}, {2, 2, 4}, {2, 2, 4}, {2, 1, 3}, {2, 0, 3}, {2, 3, 3}, {3, 0, 3}, {3, 2, 3}};
    for (int n = 0; n < clumps; ++n) {
        const int cx = touches_(g.Columns), cy = touches_(g.Rows);
        const Kind k = kKinds[touches_(static_cast<std::int32_t>(std::size(kKinds)))];
        const int size = 2 + touches_(5);
        for (int i = 0; i < size * 3; ++i) {
            const int x = cx + touches_(7) - 3, y = cy + touches_(7) - 3;
            if (roomy(x, y)) Scenery(k.Subgroup, k.List, touches_(k.Frames), x, y);
        }
    }
}

void MapBuilder::Reveal(const CellBox& box) {
    GameType& g = G();
    for (int x = std::max(box.X0, 0); x <= std::min(box.X1, g.Columns - 1); ++x)
        for (int y = std::max(box.Y0, 0); y <= std::min(box.Y1, g.Rows - 1); ++y) g.Cell(x, y).Hidden = 0;
}

void MapBuilder::RevealPlayerStart(int radius) {
    GameType& g = G();
    for (const auto& t : g.Tanks) {
        if (t->Side() != SidePlayer) continue;
        const CellXY c = TankCell(g, *t, Library());
        Reveal(CellBox{c.X, c.Y, c.X, c.Y}.Grown(radius));
    }
    for (int x = 0; x < g.Columns; ++x)
        for (int y = 0; y < g.Rows; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (!o || o->Side() != SidePlayer || (o->Kind() != KindTower && o->Kind() != KindBuilding)) continue;
            std::int32_t w = 0, h = 0;
            ImageSize(Library(), o->Image, w, h);
            Reveal(CellBox{x, y, x + w / g.CellWidth, y + h / g.CellHeight}.Grown(radius));
        }
}

void MapBuilder::CentreView(int x, int y) {
    GameType& g = G();
    g.ViewX = std::clamp(x * g.CellWidth + g.CellWidth / 2 - kScreenWidth / 2, 0, std::max(g.MapWidth - kScreenWidth, 0));
    g.ViewY = std::clamp(y * g.CellHeight + g.CellHeight / 2 - kScreenHeight / 2, 0, std::max(g.MapHeight - kScreenHeight, 0));
}

void MapBuilder::Check() const {
    const GameType& g = G();
    // Where each side's tanks can drive: from its tanks and its factories' roads.
    std::vector<std::pair<int, int>> starts[2];
    for (const auto& t : g.Tanks) {
        const CellXY c = TankCell(g, *t, Library());
        if (t->Side() == SidePlayer || t->Side() == SideComputer) starts[t->Side()].emplace_back(c.X, c.Y);
    }
    for (int x = 0; x < g.Columns; ++x)
        for (int y = 0; y < g.Rows; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (o && o->Kind() == KindBuilding && o->BuildingType() == kFactory && (o->Side() == SidePlayer || o->Side() == SideComputer) &&
                g.OnMap(x + 1, y + 2))
                starts[o->Side()].emplace_back(x + 1, y + 2);
        }
    std::vector<std::uint8_t> reach[2];
    for (int side = 0; side < 2; ++side) {
        reach[side].assign(static_cast<std::size_t>(g.CellCount()), 0);
        for (const auto& [sx, sy] : starts[side]) {
            if (reach[side][static_cast<std::size_t>(CellIndex(g, sx, sy))]) continue;
            const std::vector<std::uint8_t> r = Reachable(g, sx, sy);
            for (std::size_t i = 0; i < r.size(); ++i) reach[side][i] |= r[i];
        }
    }
    int factories[2] = {0, 0}, headquarters[2] = {0, 0};
    for (int x = 0; x < g.Columns; ++x)
        for (int y = 0; y < g.Rows; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (!o || (o->Kind() != KindTower && o->Kind() != KindBuilding)) continue;
            const int side = o->Side();
            if (side != SidePlayer && side != SideComputer) continue;
            if (o->Kind() == KindBuilding && o->BuildingType() == kHeadquarters) ++headquarters[side];
            if (o->Kind() == KindBuilding && o->BuildingType() == kFactory) {
                ++factories[side];
                if (!IsPassable(g, x + 1, y + 2, nullptr, 0)) throw MapError("a factory cannot produce" + AtCell(x, y));
            }
            // The other side must be able to drive to where it fires from.
            std::int32_t w = 0, h = 0;
            ImageSize(Library(), o->Image, w, h);
            const CellBox box = CellBox{x, y, x + w / g.CellWidth, y + h / g.CellHeight}.Grown(2);
            bool reached = false;
            for (int cx = box.X0; cx <= box.X1 && !reached; ++cx)
                for (int cy = box.Y0; cy <= box.Y1 && !reached; ++cy)
                    reached = g.OnMap(cx, cy) && reach[1 - side][static_cast<std::size_t>(CellIndex(g, cx, cy))];
            if (!reached) throw MapError("the other side's tanks cannot reach a building" + AtCell(x, y));
        }
    for (int side = 0; side < 2; ++side)
        if (factories[side] == 0 || headquarters[side] == 0) throw MapError("each side needs a headquarters and a factory");
}

Bytes MapBuilder::Serialize() {
    GameType& g = G();
    g.SelectedBuilding = -1;
    g.UnitsSelected = 0;
    if (const std::string broken = CheckInvariants(g); !broken.empty()) throw MapError("the map breaks a rule: " + broken);
    return SerializeGame(g);
}

void MapBuilder::Save(const std::string& path) {
    const Bytes bytes = Serialize();
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
    if (!WriteFileAtomically(path, bytes)) throw MapError("cannot write " + path);
}

}  // namespace tavrine::mapgen
