// The flood behind every order's distance field.
//
// A sweep visits the cells column by column, each column from top to bottom, and
// every numbered cell offers its number plus one to its free, still unnumbered
// neighbours; numbers are written in place, so they spread further within the
// same sweep. Within one plan passability does not change, and a numbered cell
// that has been visited has numbered every passable neighbour it had, so visiting
// it again does nothing until a neighbour becomes passable. The flood therefore
// keeps, per order, the frontier of numbered cells that still have an unnumbered
// neighbour (WaveFrontier) and a sweep visits only those and the cells it numbers
// itself, in sweep order: a cell numbered ahead of the sweep's position is
// visited in the same sweep, one numbered behind it waits for the next. The
// numbers written are exactly those of visiting every cell of the map.
#pragma once

#include <cstdint>
#include <vector>

#include "state/records.h"

namespace tavrine {

/// One order's field and frontier, and the passability the flood goes by.
struct Flood {
    GameType& G;
    std::vector<std::int32_t>& Field;  ///< Columns * Rows entries by CellIndex
    WaveFrontier& Frontier;
    const GameCellObjectType* Target;  ///< the object whose footprint may be entered
    std::int32_t Allowance;            ///< IsPassable's allowance: 1 through tanks, 0 around them

    /// Sets every wave number to 0 and empties the frontier.
    void Clear();

    /// Makes the frontier describe the field, rebuilding it with one pass over the
    /// map when it is missing or was made for another field or map size.
    void Prepare();

    /// Gives cell (x, y) wave number `wave` and adds it to the frontier.
    void Set(std::int32_t x, std::int32_t y, std::int32_t wave);

    /// One sweep. Returns whether any cell was numbered.
    bool Sweep();

    /// Sweeps until a sweep numbers nothing.
    void Complete();

private:
    bool SweepFrom(std::vector<std::int32_t>* parked);
};

/// The wave number one above e. Wraps instead of overflowing: a field read from a
/// damaged file may hold any value.
inline std::int32_t NextWave(std::int32_t e) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(e) + 1u); }

}  // namespace tavrine
