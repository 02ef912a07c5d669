#include "editor/fills.h"

#include <array>
#include <vector>

#include "editor/edge_tiling.h"
#include "editor/footprint.h"
#include "sim/grid.h"

namespace tavrine {

namespace {

/// The neighbours a fill continues to, in the order it visits them.
constexpr std::array<CellXY, 8> kFillNeighbours{{{-1, -1}, {0, -1}, {0, 1}, {-1, 0}, {1, 0}, {1, 1}, {-1, 1}, {1, -1}}};

bool HasGround(const GameCellType& c, std::int32_t subgroup) { return c.Ground.Group == 0 && c.Ground.Subgroup == subgroup; }

/// Visits the 8-connected region of cells whose ground is (0, `from`, ...) around
/// the start cell. `change` must make a cell leave that class, so every cell is
/// changed once; the region is the same whatever the order of the walk, which
/// runs on an explicit stack in the order of a depth-first recursion (a 200 x 200
/// region would otherwise nest 40,000 calls deep).
template <typename Change>
std::int32_t FillRegion(GameType& g, std::int32_t column, std::int32_t row, std::int32_t from, Change change) {
    std::int32_t filled = 0;
    std::vector<CellXY> pending{{column, row}};
    while (!pending.empty()) {
        const CellXY at = pending.back();
        pending.pop_back();
        if (!g.OnMap(at.X, at.Y)) continue;
        GameCellType& c = g.Cell(at.X, at.Y);
        if (!HasGround(c, from)) continue;
        change(c);
        ++filled;
        for (std::size_t i = kFillNeighbours.size(); i-- > 0;)
            pending.push_back({at.X + kFillNeighbours[i].X, at.Y + kFillNeighbours[i].Y});
    }
    return filled;
}

}  // namespace

std::int32_t FillLand(GameType& g, std::int32_t column, std::int32_t row) {
    return FillRegion(g, column, row, 0, [&g](GameCellType& c) {
        c.Ground = ImageRef{0, 1, 0, 0};
        // A tank or building standing in the water keeps its mark; only stale
        // marks are cleared.
        if (!HoldsLiveMark(g, c)) {
            c.Occupancy = CellFree;
            c.Occupant = -1;
        }
        c.MinimapColor = kLandColor;
        c.GroundColor = kLandColor;
    });
}

std::int32_t FillMountain(GameType& g, std::int32_t column, std::int32_t row) {
    return FillRegion(g, column, row, 1, [](GameCellType& c) {
        c.Ground = ImageRef{0, 2, 0, 0};
        c.MinimapColor = kMountainColor;
        c.GroundColor = kMountainColor;
    });
}

}  // namespace tavrine
