#include "editor/walls.h"

#include <array>
#include <memory>
#include <vector>

#include "editor/footprint.h"
#include "sim/grid.h"

namespace tavrine {

namespace {

constexpr std::array<std::int32_t, 16> kWallFrameByMask{
    0,   // none
    0,   // left
    1,   // up
    4,   // left + up
    0,   // right
    0,   // left + right
    5,   // up + right
    9,   // left + up + right
    1,   // down
    3,   // left + down
    1,   // up + down
    8,   // left + up + down
    2,   // right + down
    7,   // left + right + down
    6,   // up + right + down
    10,  // all four
};

/// Neighbours in mask bit order: left, up, right, down.
constexpr std::array<EditPoint, 4> kNeighbours{{{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};

bool IsWallOfKind(const GameType& g, std::int32_t x, std::int32_t y, std::int32_t kind) {
    if (!g.OnMap(x, y)) return false;
    const GameCellObjectType* o = g.Cell(x, y).Object.get();
    return o && o->Image.Group == KindDecoration && o->Image.Subgroup == kind;
}

/// One step of the walk: sets the piece on `cell` and reports the neighbours
/// that must follow (in the order left, up, right, down), or none when the piece
/// was already right.
std::int32_t SetPiece(GameType& g, EditPoint cell, Color colour, std::int32_t kind) {
    std::int32_t mask = 0;
    for (std::size_t i = 0; i < kNeighbours.size(); ++i)
        if (IsWallOfKind(g, cell.X + kNeighbours[i].X, cell.Y + kNeighbours[i].Y, kind)) mask |= 1 << i;
    const std::int32_t frame = WallFrameForMask(mask);

    GameCellType& c = g.Cell(cell.X, cell.Y);
    const bool existed = c.Object != nullptr;
    if (!existed) {
        // A new piece starts with every field zero.
        auto o = std::make_unique<GameCellObjectType>();
        o->DestroyTimer = 0;
        o->Health = 0;
        o->TowerTarget = 0;
        c.Object = std::move(o);
    }
    GameCellObjectType& o = *c.Object;
    o.Image.List = 0;
    if (o.Image.Group == KindDecoration && o.Image.Subgroup == kind && o.Image.Frame == frame) return 0;

    // A tower or building turned into a wall piece covers only this cell now.
    if (existed && o.Image.Group != KindDecoration) ReleaseFootprint(g, CellIndex(g, cell.X, cell.Y));
    o.Image.Group = KindDecoration;
    o.Image.Subgroup = kind;
    o.Image.Frame = frame;
    o.DestroyTimer = -1;
    o.Health = 100;
    c.Occupant = CellIndex(g, cell.X, cell.Y);
    c.Occupancy = CellObject;
    c.MinimapColor = colour;
    return mask;
}

}  // namespace

std::int32_t WallFrameForMask(std::int32_t mask) { return kWallFrameByMask[static_cast<std::size_t>(mask & 15)]; }

void PlaceWall(GameType& g, EditPoint cell, Color colour, std::int32_t kind) {
    if (!g.OnMap(cell.X, cell.Y)) return;
    // The walk runs on an explicit stack in the order of a depth-first recursion
    // (left first), so a long line of pieces that all need new frames cannot
    // exhaust the call stack.
    std::vector<EditPoint> pending{cell};
    while (!pending.empty()) {
        const EditPoint at = pending.back();
        pending.pop_back();
        const std::int32_t follow = SetPiece(g, at, colour, kind);
        for (std::size_t i = kNeighbours.size(); i-- > 0;)
            if (follow & (1 << i)) pending.push_back({at.X + kNeighbours[i].X, at.Y + kNeighbours[i].Y});
    }
}

}  // namespace tavrine
