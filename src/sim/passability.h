// Whether cells may be entered, as the floods behind the orders ask it: from the
// byte-per-cell mirror a running tick keeps (see PassabilityMirror), or from the
// map itself.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/context.h"
#include "sim/grid.h"
#include "state/records.h"

namespace tavrine {

/// Whether each cell may be entered, and whether an object stands on it, one
/// byte per cell, column by column, as the sim's floods and building step read
/// them every tick. Not saved and not part of the game record: run-time state of
/// the simulation, owned beside the record (by the Game) and reached through
/// SimContext::Passability. It is made from the map when a tick first needs it
/// and kept up to date by the rules' own changes to the map (tanks arriving,
/// leaving and destroyed, buildings destroyed); anything else that may change the
/// map (the record or context handed out for changing, an edit, a load) forgets it.
struct PassabilityMirror {
    std::vector<std::uint8_t> Codes;
    std::int32_t Columns = 0;
    std::int32_t Rows = 0;
    bool InTick = false;  ///< a tick is running: the mirror may be made and kept
    bool Valid = false;   ///< Codes describe the map as it is now
    /// Checking, for the tests: the first time in each tick that the kept mirror
    /// is used it is compared with the map; a difference is counted and the
    /// mirror made again. (A change left out anywhere shows at the next tick.)
    bool CheckEachTick = false;
    bool CheckedThisTick = false;
    std::int64_t Uses = 0;       ///< times a kept mirror was checked
    std::int64_t StaleUses = 0;  ///< of those, times it differed from the map
};

/// A cell's byte in the mirror: bit 0 for land, bits 1 and 2 for what occupies
/// it: 0 nothing (or a negative code from a damaged file), 1 a tank, 2 an object,
/// 3 any other code; bit 3 when an object is anchored on it.
constexpr std::uint8_t kCodeLand = 1;
constexpr std::uint8_t kCodeOccupancy = 6;
constexpr std::uint8_t kCodeHasObject = 8;

inline std::uint8_t PassCode(const GameCellType& c) {
    const std::uint8_t occupancy = c.Occupancy <= CellFree ? 0 : c.Occupancy == CellTank ? 1 : c.Occupancy == CellObject ? 2 : 3;
    return static_cast<std::uint8_t>((IsLand(c) ? kCodeLand : 0) | occupancy << 1 | (c.Object ? kCodeHasObject : 0));
}

inline std::int32_t CodeOccupancy(std::uint8_t code) { return (code & kCodeOccupancy) >> 1; }

/// Whether a cell with this byte belongs to an object's footprint.
inline bool CodeIsObject(std::uint8_t code) { return CodeOccupancy(code) == CellObject; }

/// Whether an object is anchored on a cell with this byte. Objects are only ever
/// taken away during a tick, so a cell without this bit has no object.
inline bool CodeHasObject(std::uint8_t code) { return (code & kCodeHasObject) != 0; }

/// IsPassable's rule for a cell outside the target's footprint: land whose
/// occupancy is at most the allowance (0 or 1).
inline bool CodeEnterable(std::uint8_t code, std::int32_t allowance) { return (code & kCodeLand) && CodeOccupancy(code) <= allowance; }

/// The mirror's bytes for map `g`, column by column (cell (x, y) at x * Rows +
/// y), made from the map first if needed; nullptr outside a tick or without a
/// mirror. The bytes stay where they are for the whole tick, whoever asks again.
const std::uint8_t* PassCodes(PassabilityMirror* m, const GameType& g);

/// From the start of a tick to its end the mirror may be made and used; outside
/// ticks it is never used. It is kept from one tick to the next while only the
/// rules change the map (they note each change); whatever else may change the
/// map forgets it (ForgetPassability), and the next tick that needs it makes it
/// again.
void BeginPassabilityTick(PassabilityMirror& m);
void EndPassabilityTick(PassabilityMirror& m);

/// The map may have been changed without the changes being noted.
inline void ForgetPassability(PassabilityMirror* m) {
    if (m) m->Valid = false;
}
inline void ForgetPassability(SimContext& ctx) { ForgetPassability(ctx.Passability); }

/// To be called during a tick after cell (x, y)'s ground, occupancy or object
/// changed.
inline void NoteCellChanged(SimContext& ctx, std::int32_t x, std::int32_t y) {
    PassabilityMirror* m = ctx.Passability;
    if (!m || !m->Valid || !ctx.G.OnMap(x, y)) return;
    m->Codes[static_cast<std::size_t>(x) * static_cast<std::size_t>(m->Rows) + static_cast<std::size_t>(y)] = PassCode(ctx.G.Cell(x, y));
}

/// The tick scope as an object: begun when made, ended when it goes.
class PassabilityTick {
public:
    explicit PassabilityTick(PassabilityMirror& m) : m_(m) { BeginPassabilityTick(m_); }
    ~PassabilityTick() { EndPassabilityTick(m_); }
    PassabilityTick(const PassabilityTick&) = delete;
    PassabilityTick& operator=(const PassabilityTick&) = delete;

private:
    PassabilityMirror& m_;
};

}  // namespace tavrine
