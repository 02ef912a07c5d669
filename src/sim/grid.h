// Grid geometry and cell occupancy: cell numbering, picture sizes and footprints,
// passability, ranges, facings and hit tests. Nothing here keeps state.
#pragma once

#include <cstdint>

#include "data/library.h"
#include "state/records.h"

namespace tavrine {

struct CellXY {
    std::int32_t X = 0;
    std::int32_t Y = 0;

    friend bool operator==(const CellXY&, const CellXY&) = default;
};

struct PixelXY {
    std::int32_t X = 0;
    std::int32_t Y = 0;

    friend bool operator==(const PixelXY&, const PixelXY&) = default;
};

/// x + y * Columns. No range check.
inline std::int32_t CellIndex(const GameType& g, std::int32_t x, std::int32_t y) { return x + y * g.Columns; }

/// (i mod Columns, i div Columns), truncating toward zero. No range check;
/// Columns must not be 0.
inline CellXY CellOfIndex(const GameType& g, std::int32_t i) { return {i % g.Columns, i / g.Columns}; }

/// True when the index names a cell of the map.
inline bool ValidCellIndex(const GameType& g, std::int32_t i) { return i >= 0 && i < g.Columns * g.Rows; }

/// The tank at index i, or nullptr when i is out of range.
GameObjectType* TankAt(GameType& g, std::int32_t i);
const GameObjectType* TankAt(const GameType& g, std::int32_t i);

/// A tank's centre in map pixels: (X + w div 2, Y + h div 2); the top-left corner
/// when its picture is missing.
PixelXY TankCentre(const GameObjectType& t, const ImageLibrary& lib);

/// The cell of a tank's centre.
CellXY TankCell(const GameType& g, const GameObjectType& t, const ImageLibrary& lib);

/// The object anchored at cell index `anchor`, or nullptr.
GameCellObjectType* ObjectAt(GameType& g, std::int32_t anchor);
const GameCellObjectType* ObjectAt(const GameType& g, std::int32_t anchor);

/// The last column and row (inclusive) of the footprint of a w x h picture anchored
/// at (ax, ay): ax + w div CellWidth, ay + h div CellHeight.
CellXY FootprintEnd(const GameType& g, std::int32_t ax, std::int32_t ay, std::int32_t w, std::int32_t h);

/// Whether a tank may enter cell (x, y). `target` is the object being attacked (its
/// footprint counts as passable), or nullptr; `allowance` 0 admits only free land,
/// 1 also land on which a tank stands.
bool IsPassable(const GameType& g, std::int32_t x, std::int32_t y, const GameCellObjectType* target, std::int32_t allowance);

/// Land: ground group 0, subgroup 1.
inline bool IsLand(const GameCellType& c) { return c.Ground.Group == 0 && c.Ground.Subgroup == 1; }

/// Top-left corners less than 5 cells apart on both axes (strict).
bool TanksNear(const GameType& g, const GameObjectType& a, const GameObjectType& b);

/// The tank's top-left corner less than `cells` cells from the centre of the object
/// anchored at (ax, ay) on both axes (strict); false when the anchor has no object
/// with a known picture size.
bool ObjectWithinCells(const GameType& g, const ImageLibrary& lib, const GameObjectType& t, std::int32_t ax, std::int32_t ay,
                       std::int32_t cells);

/// `ObjectWithinCells` with 5 cells.
bool BuildingNear(const GameType& g, const ImageLibrary& lib, const GameObjectType& t, std::int32_t ax, std::int32_t ay);

/// `ObjectWithinCells` with 6 cells: a tower's reach.
bool TowerReaches(const GameType& g, const ImageLibrary& lib, const GameObjectType& t, std::int32_t ax, std::int32_t ay);

/// Whether a tank's attack order has its target within range; false without an
/// order or for a move order.
bool OrderTargetInRange(const GameType& g, const ImageLibrary& lib, const GameObjectType& t);

/// The facing (0 West, 4 North, 8 East, 12 South, clockwise) from one point toward
/// another, -1 when they coincide.
std::int32_t FacingToward(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

/// One step of `facing` toward `wanted`, the shorter way round.
std::int32_t TurnToward(std::int32_t facing, std::int32_t wanted);

/// Map pixel (x, y) strictly inside the tank's hull picture.
bool TankHit(const GameObjectType& t, const ImageLibrary& lib, std::int32_t x, std::int32_t y);

/// Map pixel (x, y) strictly inside the object's picture placed at its anchor
/// cell (column, row).
bool ObjectHit(const GameType& g, const ImageLibrary& lib, const GameCellObjectType& o, std::int32_t column, std::int32_t row,
               std::int32_t x, std::int32_t y);

}  // namespace tavrine
