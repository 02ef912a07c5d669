#include "sim/passability.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tavrine {

namespace {

/// One cell's byte after another, column by column, into `codes`.
void ReadCodes(const GameType& g, std::uint8_t* codes) {
    const auto rows = static_cast<std::size_t>(g.Rows);
    for (std::size_t x = 0; x < static_cast<std::size_t>(g.Columns); ++x) {
        const GameCellType* cells = g.Cells[x].data();
        std::uint8_t* out = codes + x * rows;
        for (std::size_t y = 0; y < rows; ++y) out[y] = PassCode(cells[y]);
    }
}

}  // namespace

const std::uint8_t* PassCodes(PassabilityMirror* mirror, const GameType& g) {
    if (!mirror) return nullptr;
    PassabilityMirror& m = *mirror;
    if (!m.InTick || g.Columns <= 0 || g.Rows <= 0) return nullptr;
    const auto cells = static_cast<std::size_t>(g.Columns) * static_cast<std::size_t>(g.Rows);
    if (m.Valid && m.Columns == g.Columns && m.Rows == g.Rows && m.Codes.size() == cells) {
#ifdef NDEBUG
        constexpr bool kDebugBuild = false;
#else
        constexpr bool kDebugBuild = true;
#endif
        if ((!m.CheckEachTick && !kDebugBuild) || m.CheckedThisTick) return m.Codes.data();
        // A change made to the map without noting it would change where tanks
        // drive: debug builds stop on it, the tests count it.
        m.CheckedThisTick = true;
        std::vector<std::uint8_t> fresh(cells);
        ReadCodes(g, fresh.data());
        if (m.CheckEachTick) {
            ++m.Uses;
            if (fresh != m.Codes) ++m.StaleUses;
        } else if (fresh != m.Codes) {
            std::fprintf(stderr, "the tick changed the map without noting it for the floods\n");
            std::abort();
        }
        // Into the same buffer: callers keep pointers into it for the tick.
        std::copy(fresh.begin(), fresh.end(), m.Codes.begin());
        return m.Codes.data();
    }
    m.Codes.resize(cells);
    m.Columns = g.Columns;
    m.Rows = g.Rows;
    ReadCodes(g, m.Codes.data());
    m.Valid = true;
    return m.Codes.data();
}

void BeginPassabilityTick(PassabilityMirror& m) {
    m.InTick = true;
    m.CheckedThisTick = false;
}

void EndPassabilityTick(PassabilityMirror& m) { m.InTick = false; }

}  // namespace tavrine
