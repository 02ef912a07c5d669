// Whether cells may be entered, as the floods behind the orders ask it: from the
// byte-per-cell mirror a running tick keeps (see PassabilityMirror), or from the
// map itself.
#pragma once

#include <cstdint>

#include "sim/grid.h"
#include "state/records.h"

namespace tavrine {

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

/// The mirror's bytes, column by column (cell (x, y) at x * Rows + y), made from
/// the map first if needed; nullptr outside a tick. The bytes stay where they
/// are for the whole tick, whoever asks again.
const std::uint8_t* PassCodes(GameType& g);

/// From the start of a tick to its end the mirror may be made and used; outside
/// ticks it is never used. It is kept from one tick to the next while only the
/// rules change the map (they note each change); whatever else may change the
/// map forgets it (ForgetPassability), and the next tick that needs it makes it
/// again.
void BeginPassabilityTick(GameType& g);
void EndPassabilityTick(GameType& g);

/// The map may have been changed without the changes being noted.
inline void ForgetPassability(GameType& g) { g.Passability.Valid = false; }

/// To be called during a tick after cell (x, y)'s ground, occupancy or object
/// changed.
inline void NoteCellChanged(GameType& g, std::int32_t x, std::int32_t y) {
    PassabilityMirror& m = g.Passability;
    if (!m.Valid || !g.OnMap(x, y)) return;
    m.Codes[static_cast<std::size_t>(x) * static_cast<std::size_t>(m.Rows) + static_cast<std::size_t>(y)] = PassCode(g.Cell(x, y));
}

/// The tick scope as an object: begun when made, ended when it goes.
class PassabilityTick {
public:
    explicit PassabilityTick(GameType& g) : g_(g) { BeginPassabilityTick(g_); }
    ~PassabilityTick() { EndPassabilityTick(g_); }
    PassabilityTick(const PassabilityTick&) = delete;
    PassabilityTick& operator=(const PassabilityTick&) = delete;

private:
    GameType& g_;
};

}  // namespace tavrine
