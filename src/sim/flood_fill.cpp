// The flood of a whole field at once, as every new order is planned.
//
// Nothing changes on the map while one field is filled, so whether each cell may
// be entered is read once, into one byte per cell. The flood then works on a grid
// of its own: 0 for an enterable cell not yet numbered, kBlocked for a cell that
// can never be entered, and a border of blocked cells round the map so that no
// neighbour needs a bounds check. The grid is laid out column by column, as the
// sweeps walk it, so that a visit's neighbours lie in three short runs of memory
// next to the last visit's; the numbers are turned into the field's rows at the
// end. The sweeps are followed through pending bits as in Flood::SweepPending, with one
// more bit per column that tells whether the column holds any pending cell, so a
// sweep skips the columns with nothing to do.
//
// The numbers depend on nothing but those bytes and the target cell. The last
// fill's bytes, target and grid are kept, and a fill that finds the same bytes
// and the same target (several orders sent to one place in one tick) copies the
// numbers instead of flooding again.
#include <algorithm>
#include <bit>
#include <cstring>

#include "sim/flood.h"
#include "sim/grid.h"
#include "sim/passability.h"

namespace tavrine {

namespace {

constexpr std::int32_t kBlocked = -1;
/// How many cells ahead of the one being read the map's cells are asked for.
constexpr std::size_t kReadAhead = 24;

/// Scratch space kept between fills, so a fill allocates nothing once the first
/// one on a map of this size has run, and the last fill to copy from. The game
/// runs on one thread; each thread that plans orders gets its own.
struct FillScratch {
    std::vector<std::uint8_t> Passable;      ///< Columns * Rows, column by column: 1 enterable
    std::vector<std::int32_t> Grid;          ///< (Columns + 2) * (Rows + 2), column by column
    std::vector<std::uint64_t> Pending;      ///< per grid column, whole words of grid rows
    std::vector<std::uint64_t> ColumnsBusy;  ///< one bit per grid column with any pending cell

    /// The last fill: its passability, target and flooded grid.
    std::vector<std::uint8_t> LastPassable;
    std::vector<std::int32_t> LastGrid;
    std::int32_t LastColumns = 0, LastRows = 0, LastX = -1, LastY = -1;
};

FillScratch& Scratch() {
    thread_local FillScratch scratch;
    return scratch;
}

/// The offers of the cells of one column to a neighbouring column: its pending
/// bits for the word being visited are gathered here and written once the word
/// is done.
struct BesideColumn {
    std::int32_t* Column;  ///< grid row 0 of the column
    std::uint64_t* Words;
    std::uint64_t Here = 0;
    bool Any = false;

    /// Offers `next` to the cells of rows gy - 1 to gy + 1, bit b of the visited
    /// word being row gy, numbering those still at 0. Which neighbours take a
    /// cell's number does not depend on the order it offers it to them, as each
    /// is a different cell; only the order of the visits matters.
    void Offer(std::size_t gy, int b, std::int32_t next) {
        std::int32_t* p = Column + gy;
        std::uint64_t taken = 0;
        if (p[-1] == 0) {
            p[-1] = next;
            taken |= 1;
        }
        if (p[0] == 0) {
            p[0] = next;
            taken |= 2;
        }
        if (p[1] == 0) {
            p[1] = next;
            taken |= 4;
        }
        Take(gy, b, taken);
    }

    /// Offers `next` to row gy + 1 only: what Offer does once rows gy - 1 and gy
    /// are known to be numbered or blocked already.
    void OfferBelow(std::size_t gy, int b, std::int32_t next) {
        std::int32_t& below = Column[gy + 1];
        if (below != 0) return;
        below = next;
        Take(gy, b, 4);
    }

    /// Marks pending the cells of rows gy - 1 to gy + 1 just numbered (bit i of
    /// `taken` for row gy - 1 + i).
    void Take(std::size_t gy, int b, std::uint64_t taken) {
        if (!taken) return;
        Any = true;
        if (b > 0 && b < 63) {
            Here |= taken << (b - 1);
            return;
        }
        // At the edge of the word: straight into the pending words.
        for (std::size_t i = 0; i < 3; ++i)
            if (taken & (std::uint64_t{1} << i)) Words[(gy - 1 + i) >> 6] |= std::uint64_t{1} << ((gy - 1 + i) & 63);
    }

    void Flush(std::size_t wy) {
        if (!Here) return;
        Words[wy] |= Here;
        Here = 0;
    }
};

/// Sixteen cells of the mirror at a time (GCC and Clang vector types, whatever
/// the processor's vector instructions).
using Bytes16 = std::uint8_t __attribute__((vector_size(16)));
using Bytes4 = std::uint8_t __attribute__((vector_size(4)));
using Ints4 = std::int32_t __attribute__((vector_size(16)));

/// One column of the mirror into the grid: 0 where CodeEnterable, kBlocked
/// elsewhere; and 1 or 0 for the same into `passable`. Returns whether any cell
/// of the column belongs to an object's footprint.
bool ReadColumn(const std::uint8_t* in, std::size_t rows, std::int32_t allowance, std::uint8_t* passable, std::int32_t* column) {
    static_assert(kBlocked == -1, "an enterable cell (1) less one is 0, any other (0) less one is kBlocked");
    const Bytes16 one = Bytes16{} + kCodeLand, occupancyBits = Bytes16{} + kCodeOccupancy,
                  limits = Bytes16{} + static_cast<std::uint8_t>(allowance << 1),
                  objectCode = Bytes16{} + static_cast<std::uint8_t>(CellObject << 1);
    Bytes16 objects{};
    std::size_t y = 0;
    for (; y + 16 <= rows; y += 16) {
        Bytes16 code;
        std::memcpy(&code, in + y, sizeof code);
        const Bytes16 occupancy = code & occupancyBits;
        const Bytes16 enterable = code & one & reinterpret_cast<Bytes16>(occupancy <= limits);
        objects |= reinterpret_cast<Bytes16>(occupancy == objectCode);
        std::memcpy(passable + y, &enterable, sizeof enterable);
        for (std::size_t quarter = 0; quarter < 4; ++quarter) {
            Bytes4 four;
            std::memcpy(&four, reinterpret_cast<const std::uint8_t*>(&enterable) + quarter * 4, sizeof four);
            const Ints4 values = __builtin_convertvector(four, Ints4) - 1;
            std::memcpy(column + y + quarter * 4, &values, sizeof values);
        }
    }
    bool any = false;
    for (std::size_t i = 0; i < 16; ++i) any |= objects[i] != 0;
    for (; y < rows; ++y) {
        const bool enterable = CodeEnterable(in[y], allowance);
        passable[y] = enterable;
        column[y] = enterable ? 0 : kBlocked;
        any |= CodeIsObject(in[y]);
    }
    return any;
}

/// Whether the column bit set holds any column at or after `from`; the first such
/// column in `x`.
bool NextBusyColumn(const std::vector<std::uint64_t>& busy, std::int32_t from, std::int32_t& x) {
    auto word = static_cast<std::size_t>(from) >> 6;
    if (word >= busy.size()) return false;
    std::uint64_t bits = busy[word] & (~std::uint64_t{0} << (static_cast<std::uint32_t>(from) & 63));
    while (!bits) {
        if (++word >= busy.size()) return false;
        bits = busy[word];
    }
    x = static_cast<std::int32_t>(word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
    return true;
}

}  // namespace

void Flood::Fill(std::int32_t tx, std::int32_t ty) {
    const std::int32_t columns = G.Columns, rows = G.Rows;
    // The frontier no longer describes the field; Prepare rebuilds it if needed.
    Frontier.Field = nullptr;
    if (columns <= 0 || rows <= 0 || tx < 0 || ty < 0 || tx >= columns || ty >= rows) {
        std::fill(Field.begin(), Field.end(), 0);
        return;
    }

    FillScratch& s = Scratch();
    // Columns and rows of the grid count the border: cell (x, y) is at (x + 1, y + 1).
    const std::size_t width = static_cast<std::size_t>(columns) + 2;
    const std::size_t height = static_cast<std::size_t>(rows) + 2;
    std::vector<std::int32_t>& grid = s.Grid;
    grid.resize(width * height);
    s.Passable.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    std::fill_n(grid.begin(), height, kBlocked);
    std::fill_n(grid.end() - static_cast<std::ptrdiff_t>(height), height, kBlocked);
    for (std::size_t x = 1; x + 1 < width; ++x) {
        grid[x * height] = kBlocked;
        grid[x * height + height - 1] = kBlocked;
    }
    // Kept in locals: the bytes written below could otherwise be the flood's own
    // members as far as the compiler knows, and be read again for every cell.
    const GameCellObjectType* const target = Target;
    const std::int32_t allowance = Allowance;
    if (const std::uint8_t* codes = PassCodes(Passability, G)) {
        // A tick is running: the map is read from its mirror, sixteen cells at a
        // time, and only the cells of objects are looked at again for the
        // target's footprint.
        for (std::size_t x = 0; x < static_cast<std::size_t>(columns); ++x) {
            const std::uint8_t* in = codes + x * static_cast<std::size_t>(rows);
            std::uint8_t* passable = s.Passable.data() + x * static_cast<std::size_t>(rows);
            std::int32_t* column = grid.data() + (x + 1) * height + 1;
            const bool objects = ReadColumn(in, static_cast<std::size_t>(rows), allowance, passable, column);
            if (!target || !objects) continue;
            for (std::size_t y = 0; y < static_cast<std::size_t>(rows); ++y) {
                if (!CodeIsObject(in[y])) continue;
                const bool enterable = ObjectAt(G, G.Cells[x][y].Occupant) == target;
                passable[y] = enterable;
                column[y] = enterable ? 0 : kBlocked;
            }
        }
    } else {
        for (std::size_t x = 0; x < static_cast<std::size_t>(columns); ++x) {
            const GameCellType* cells = G.Cells[x].data();
            std::uint8_t* passable = s.Passable.data() + x * static_cast<std::size_t>(rows);
            std::int32_t* column = grid.data() + (x + 1) * height + 1;
            // The map is larger than the nearer caches, and each column is an
            // allocation of its own: the cells a little ahead of the one read are
            // asked for, past the bottom those at the top of the next column.
            const GameCellType* next = x + 1 < static_cast<std::size_t>(columns) ? G.Cells[x + 1].data() : nullptr;
            for (std::size_t y = 0; y < static_cast<std::size_t>(rows); ++y) {
                const std::size_t ahead = y + kReadAhead;
                if (ahead < static_cast<std::size_t>(rows)) __builtin_prefetch(&cells[ahead]);
                else if (next && ahead - static_cast<std::size_t>(rows) < static_cast<std::size_t>(rows))
                    __builtin_prefetch(&next[ahead - static_cast<std::size_t>(rows)]);
                const GameCellType& c = cells[y];
                const bool enterable =
                    target && c.Occupancy == CellObject ? ObjectAt(G, c.Occupant) == target : IsLand(c) && c.Occupancy <= allowance;
                passable[y] = enterable;
                column[y] = enterable ? 0 : kBlocked;
            }
        }
    }
    // The numbers into the field's rows; blocked cells stay 0. A band of columns
    // at a time, so that each row's piece of the band is written whole while the
    // band's columns are read from top to bottom.
    const auto copyOut = [&](const std::vector<std::int32_t>& flooded) {
        constexpr std::size_t kBand = 16;
        const auto cols = static_cast<std::size_t>(columns);
        for (std::size_t x0 = 0; x0 < cols; x0 += kBand) {
            const std::size_t x1 = std::min(cols, x0 + kBand);
            for (std::size_t y = 0; y < static_cast<std::size_t>(rows); ++y) {
                const std::int32_t* in = flooded.data() + (x0 + 1) * height + y + 1;
                std::int32_t* out = Field.data() + y * cols;
                for (std::size_t x = x0; x < x1; ++x, in += height) out[x] = std::max(*in, 0);
            }
        }
    };
    if (s.LastColumns == columns && s.LastRows == rows && s.LastX == tx && s.LastY == ty && s.LastPassable == s.Passable) {
        copyOut(s.LastGrid);
        return;
    }

    // Pending bits by grid row, with a spare word after each column for the bits
    // of a visit that straddle two words.
    const std::size_t wordsPerColumn = (height + 63) / 64 + 1;
    s.Pending.assign(wordsPerColumn * width, 0);
    s.ColumnsBusy.assign((width + 63) / 64, 0);

    std::int32_t* g = grid.data();
    std::uint64_t* pending = s.Pending.data();
    std::uint64_t* busy = s.ColumnsBusy.data();
    const auto markBusy = [busy](std::size_t gx, bool any) { busy[gx >> 6] |= static_cast<std::uint64_t>(any) << (gx & 63); };
    const auto gtx = static_cast<std::size_t>(tx) + 1, gty = static_cast<std::size_t>(ty) + 1;
    g[gtx * height + gty] = 1;
    pending[gtx * wordsPerColumn + (gty >> 6)] |= std::uint64_t{1} << (gty & 63);
    markBusy(gtx, true);

    // Each pass of this loop is one sweep; a column is visited at most once per
    // sweep, in order. Within the column being visited, the cell above a visit
    // is behind it and waits for the next sweep, the cell below is ahead of it
    // and is visited in this sweep.
    std::int32_t x = 0;
    while (NextBusyColumn(s.ColumnsBusy, 0, x)) {
        do {
            const auto gx = static_cast<std::size_t>(x);
            busy[gx >> 6] &= ~(std::uint64_t{1} << (gx & 63));
            std::int32_t* column = g + gx * height;
            const auto h = static_cast<std::ptrdiff_t>(height);
            BesideColumn left{column - h, pending + (gx - 1) * wordsPerColumn};
            BesideColumn right{column + h, pending + (gx + 1) * wordsPerColumn};
            std::uint64_t* words = pending + gx * wordsPerColumn;
            bool waits = false;  // something in this column for the next sweep
            // The last row of this column visited in this pass. A cell never
            // returns to 0, so after a visit of row gy - 1 the rows gy - 2 to gy
            // of both neighbouring columns and row gy - 2 of this one are numbered
            // or blocked: a visit of row gy then has only row gy + 1 to offer to.
            std::size_t previous = 0;  // grid row 0 is the border, never visited
            for (std::size_t wy = 0; wy < wordsPerColumn; ++wy) {
                std::uint64_t ahead = words[wy];
                if (!ahead) continue;
                words[wy] = 0;
                while (ahead) {
                    const int b = std::countr_zero(ahead);
                    ahead &= ahead - 1;
                    const std::size_t gy = wy * 64 + static_cast<std::size_t>(b);
                    std::int32_t* cell = column + gy;
                    const std::int32_t e = *cell;
                    if (e <= 0) continue;
                    const std::int32_t next = NextWave(e);
                    if (previous != 0 && gy == previous + 1) {
                        left.OfferBelow(gy, b, next);
                        right.OfferBelow(gy, b, next);
                    } else {
                        left.Offer(gy, b, next);
                        right.Offer(gy, b, next);
                        std::int32_t& above = cell[-1];
                        if (above == 0) {
                            above = next;
                            words[(gy - 1) >> 6] |= std::uint64_t{1} << ((gy - 1) & 63);
                            waits = true;
                        }
                    }
                    previous = gy;
                    std::int32_t& below = cell[1];
                    if (below == 0) {
                        below = next;
                        if (b < 63)
                            ahead |= std::uint64_t{2} << b;
                        else
                            words[wy + 1] |= 1;
                    }
                }
                left.Flush(wy);
                right.Flush(wy);
            }
            markBusy(gx - 1, left.Any);
            markBusy(gx, waits);
            markBusy(gx + 1, right.Any);
        } while (NextBusyColumn(s.ColumnsBusy, x + 1, x));
    }

    copyOut(grid);
    s.LastGrid.swap(grid);
    s.LastPassable.swap(s.Passable);
    s.LastColumns = columns;
    s.LastRows = rows;
    s.LastX = tx;
    s.LastY = ty;
}

}  // namespace tavrine
