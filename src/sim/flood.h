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

#include "sim/grid.h"
#include "state/records.h"

namespace tavrine {

struct PassabilityMirror;  // sim/passability.h

/// One order's field and frontier, and the passability the flood goes by.
struct Flood {
    GameType& G;
    std::vector<std::int32_t>& Field;  ///< Columns * Rows entries by CellIndex
    WaveFrontier& Frontier;
    const GameCellObjectType* Target;  ///< the object whose footprint may be entered
    std::int32_t Allowance;            ///< IsPassable's allowance: 1 through tanks, 0 around them
    /// The tick's mirror of the map, read instead of the map during a tick;
    /// nullptr to read the map itself.
    PassabilityMirror* Passability = nullptr;

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

/// One round of per-tick sweeps over every order (PlanAllOrders), during which
/// nothing on the map changes. Orders hunting the same tank are told to plan
/// anew together when it arrives somewhere, and then hold the same field and
/// frontier; when one of them is let through a gap, each would number the same
/// thousands of cells. So the outcome of a large sweep is kept for the round,
/// and an order found in exactly the state that sweep started from takes the
/// outcome instead of sweeping again.
class SweepRound {
public:
    /// Flood::Sweep of order `order`'s field toward `target` (the cell given wave
    /// number 1), or the kept outcome of a sweep from the same state.
    /// `mayRecur`: another order of the round may start from the same state, so
    /// a large outcome is worth keeping.
    bool Sweep(Flood& flood, std::int32_t order, CellXY target, bool mayRecur);

    /// How many sweeps of this round took a kept outcome.
    std::int32_t Reused() const { return reused_; }

private:
    struct Outcome {
        CellXY Target;
        const GameCellObjectType* Object = nullptr;
        std::int32_t Allowance = 0;
        std::int32_t Columns = 0;
        std::int32_t Rows = 0;
        // The frontier the sweep started from. The field it started from is the
        // field after it with the cells it numbered still at 0.
        std::vector<std::uint64_t> NumberedBefore, PendingBefore, WaitingBitsBefore;
        std::vector<std::int32_t> WaitingBefore;
        /// The order whose field and frontier hold what the sweep left.
        std::int32_t Order = -1;
        bool Changed = false;

        bool StartedFrom(const Flood& flood, CellXY target) const;
    };
    std::vector<Outcome> kept_;
    Outcome spare_;
    std::int32_t reused_ = 0;
};

/// The wave number one above e. Wraps instead of overflowing: a field read from a
/// damaged file may hold any value.
inline std::int32_t NextWave(std::int32_t e) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(e) + 1u); }

}  // namespace tavrine
