#include "sim/grid.h"

#include <cmath>
#include <cstdlib>

namespace tavrine {

GameObjectType* TankAt(GameType& g, std::int32_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= g.Tanks.size()) return nullptr;
    return g.Tanks[static_cast<std::size_t>(i)].get();
}

const GameObjectType* TankAt(const GameType& g, std::int32_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= g.Tanks.size()) return nullptr;
    return g.Tanks[static_cast<std::size_t>(i)].get();
}

PixelXY TankCentre(const GameObjectType& t, const ImageLibrary& lib) {
    std::int32_t w = 0, h = 0;
    ImageSize(lib, t.Image, w, h);
    return {t.X + w / 2, t.Y + h / 2};
}

CellXY TankCell(const GameType& g, const GameObjectType& t, const ImageLibrary& lib) {
    const PixelXY c = TankCentre(t, lib);
    return {c.X / g.CellWidth, c.Y / g.CellHeight};
}

GameCellObjectType* ObjectAt(GameType& g, std::int32_t anchor) {
    if (!ValidCellIndex(g, anchor)) return nullptr;
    const CellXY a = CellOfIndex(g, anchor);
    return g.Cell(a.X, a.Y).Object.get();
}

const GameCellObjectType* ObjectAt(const GameType& g, std::int32_t anchor) {
    if (!ValidCellIndex(g, anchor)) return nullptr;
    const CellXY a = CellOfIndex(g, anchor);
    return g.Cell(a.X, a.Y).Object.get();
}

CellXY FootprintEnd(const GameType& g, std::int32_t ax, std::int32_t ay, std::int32_t w, std::int32_t h) {
    return {ax + w / g.CellWidth, ay + h / g.CellHeight};
}

bool IsPassable(const GameType& g, std::int32_t x, std::int32_t y, const GameCellObjectType* target, std::int32_t allowance) {
    if (!g.OnMap(x, y)) return false;
    const GameCellType& c = g.Cell(x, y);
    if (target && c.Occupancy == CellObject) return ObjectAt(g, c.Occupant) == target;
    return IsLand(c) && c.Occupancy <= allowance;
}

bool TanksNear(const GameType& g, const GameObjectType& a, const GameObjectType& b) {
    return std::abs(a.X - b.X) < 5 * g.CellWidth && std::abs(a.Y - b.Y) < 5 * g.CellHeight;
}

bool ObjectWithinCells(const GameType& g, const ImageLibrary& lib, const GameObjectType& t, std::int32_t ax, std::int32_t ay,
                       std::int32_t cells) {
    if (!g.OnMap(ax, ay)) return false;
    const GameCellObjectType* o = g.Cell(ax, ay).Object.get();
    std::int32_t w = 0, h = 0;
    if (!o || !ImageSize(lib, o->Image, w, h)) return false;
    const std::int32_t cx = ax * g.CellWidth + w / 2;
    const std::int32_t cy = ay * g.CellHeight + h / 2;
    return std::abs(t.X - cx) < cells * g.CellWidth && std::abs(t.Y - cy) < cells * g.CellHeight;
}

bool BuildingNear(const GameType& g, const ImageLibrary& lib, const GameObjectType& t, std::int32_t ax, std::int32_t ay) {
    return ObjectWithinCells(g, lib, t, ax, ay, 5);
}

bool TowerReaches(const GameType& g, const ImageLibrary& lib, const GameObjectType& t, std::int32_t ax, std::int32_t ay) {
    return ObjectWithinCells(g, lib, t, ax, ay, 6);
}

bool OrderTargetInRange(const GameType& g, const ImageLibrary& lib, const GameObjectType& t) {
    if (t.Order < 0 || static_cast<std::size_t>(t.Order) >= g.Orders.size()) return false;
    const OrderType& o = *g.Orders[static_cast<std::size_t>(t.Order)];
    if (o.Kind == OrderAttackBuilding) {
        if (!ValidCellIndex(g, o.TargetRef)) return false;
        const CellXY a = CellOfIndex(g, o.TargetRef);
        return BuildingNear(g, lib, t, a.X, a.Y);
    }
    if (o.Kind == OrderAttackTank) {
        const GameObjectType* target = TankAt(g, o.TargetRef);
        return target && TanksNear(g, t, *target);
    }
    return false;
}

std::int32_t FacingToward(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    const std::int32_t dx = x1 - x0;
    const std::int32_t dy = y1 - y0;
    if (dx == 0) return dy > 0 ? 12 : (dy < 0 ? 4 : -1);
    if (dy == 0) return dx > 0 ? 8 : 0;
    // Single precision on purpose: the sector limits are the tangents of 11.25,
    // 33.75, 56.25 and 78.75 degrees as single-precision values.
    const float s = std::fabs(static_cast<float>(dy) / static_cast<float>(dx));
    std::int32_t n = 4;
    if (s < 0.1989123f) n = 0;
    else if (s < 0.6681786f) n = 1;
    else if (s < 1.496606f) n = 2;
    else if (s < 5.02733949f) n = 3;
    if (dx < 0 && dy < 0) return n;
    if (dx > 0 && dy < 0) return 8 - n;
    if (dx > 0 && dy > 0) return 8 + n;
    return (16 - n) % 16;
}

std::int32_t TurnToward(std::int32_t facing, std::int32_t wanted) {
    if (facing == wanted) return facing;
    const std::int32_t d = std::abs(facing - wanted);
    std::int32_t f = facing;
    if (facing > wanted) f += d > 7 ? 1 : -1;
    else f += d > 7 ? -1 : 1;
    if (f > 15) f = 0;
    if (f < 0) f += 16;
    return f;
}

bool TankHit(const GameObjectType& t, const ImageLibrary& lib, std::int32_t x, std::int32_t y) {
    std::int32_t w = 0, h = 0;
    if (!ImageSize(lib, t.Image, w, h)) return false;
    return t.X < x && x < t.X + w && t.Y < y && y < t.Y + h;
}

bool ObjectHit(const GameType& g, const ImageLibrary& lib, const GameCellObjectType& o, std::int32_t column, std::int32_t row,
               std::int32_t x, std::int32_t y) {
    std::int32_t w = 0, h = 0;
    if (!ImageSize(lib, o.Image, w, h)) return false;
    const std::int32_t left = column * g.CellWidth;
    const std::int32_t top = row * g.CellHeight;
    return left < x && x < left + w && top < y && y < top + h;
}

}  // namespace tavrine
