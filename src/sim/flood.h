// The flood behind every order's distance field.
//
// A sweep visits the cells column by column, each column from top to bottom, and
// every numbered cell offers its number plus one to its enterable, still
// unnumbered neighbours; numbers are written in place, so they spread further in
// the same sweep. Visiting a numbered cell changes something only while it has an
// enterable unnumbered neighbour, and within one sweep nothing becomes enterable.
// So instead of visiting every cell, the flood keeps per order (WaveFrontier):
//  - the pending cells: numbered cells not yet visited since they were numbered.
//    A cell numbered ahead of the sweep's position is visited later in the same
//    sweep, one numbered behind it in the next sweep, exactly as the full sweep
//    would reach them;
//  - the waiting cells: unnumbered cells that were offered a number but could not
//    be entered (water, a building, a tank). Each sweep first looks at them again;
//    one that can be entered now makes its numbered neighbours pending, so they
//    offer to it again in sweep order.
// Every cell whose visit would number something is therefore visited, in the same
// order as by the full sweep, and the numbers are exactly the same.
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

    /// Gives cell (x, y) wave number `wave`; it is visited by the next sweep.
    void Set(std::int32_t x, std::int32_t y, std::int32_t wave);

    /// One sweep. Returns whether any cell was numbered.
    bool Sweep();

    /// Clears the field and floods it from cell (x, y) until nothing more can be
    /// numbered: the same numbers as Clear, Set(x, y, 1) and sweeps until one
    /// numbers nothing, worked out on a copy of the map's passability taken once.
    /// Leaves the frontier to be rebuilt by Prepare should the field ever be
    /// continued.
    void Fill(std::int32_t x, std::int32_t y);

private:
    void Reset();
    void RecheckWaiting();
    bool SweepPending();
};

/// The wave number one above e. Wraps instead of overflowing: a field read from a
/// damaged file may hold any value.
inline std::int32_t NextWave(std::int32_t e) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(e) + 1u); }

}  // namespace tavrine
