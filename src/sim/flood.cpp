#include "sim/flood.h"

#include <algorithm>
#include <array>
#include <bit>

#include "sim/grid.h"

namespace tavrine {

namespace {

struct Offset {
    std::int32_t DX;
    std::int32_t DY;
};

/// The order in which a cell offers its wave number to its neighbours.
constexpr std::array<Offset, 8> kOfferOrder{{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, 0}, {0, -1}, {1, 0}, {0, 1}}};

/// Bit positions in sweep order: column by column, each column in whole words.
struct BitLayout {
    std::size_t WordsPerColumn;

    explicit BitLayout(const GameType& g) : WordsPerColumn(g.Rows > 0 ? (static_cast<std::size_t>(g.Rows) + 63) / 64 : 0) {}
    std::size_t Words(const GameType& g) const { return g.Columns > 0 ? WordsPerColumn * static_cast<std::size_t>(g.Columns) : 0; }
    std::size_t Word(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(x) * WordsPerColumn + (static_cast<std::size_t>(y) >> 6);
    }
    static std::uint64_t Bit(std::int32_t y) { return std::uint64_t{1} << (static_cast<std::uint32_t>(y) & 63); }
};

/// One word of a column's numbered, pending and waiting bits.
struct WordBits {
    std::uint64_t Numbered = 0;
    std::uint64_t Pending = 0;
    std::uint64_t Waiting = 0;

    void Store(std::uint64_t* numbered, std::uint64_t* pending, std::uint64_t* waiting, std::size_t word) const {
        numbered[word] = Numbered;
        pending[word] = Pending;
        waiting[word] = Waiting;
    }
};

/// IsPassable for a cell known to be on the map (the same rule, read in place).
inline bool Enterable(const GameType& g, const GameCellType& c, const GameCellObjectType* target, std::int32_t allowance) {
    if (target && c.Occupancy == CellObject) return ObjectAt(g, c.Occupant) == target;
    return IsLand(c) && c.Occupancy <= allowance;
}

}  // namespace

void Flood::Reset() {
    const std::size_t words = BitLayout(G).Words(G);
    Frontier.Pending.assign(words, 0);
    Frontier.WaitingBits.assign(words, 0);
    Frontier.Numbered.assign(words, 0);
    Frontier.Waiting.clear();
    Frontier.Columns = G.Columns;
    Frontier.Rows = G.Rows;
    Frontier.Field = Field.data();
}

void Flood::Clear() {
    std::fill(Field.begin(), Field.end(), 0);
    Reset();
}

void Flood::Prepare() {
    const BitLayout layout(G);
    const std::size_t words = layout.Words(G);
    if (Frontier.Field == Field.data() && Frontier.Columns == G.Columns && Frontier.Rows == G.Rows &&
        Frontier.Pending.size() == words && Frontier.WaitingBits.size() == words && Frontier.Numbered.size() == words)
        return;
    // Without a record of what was visited, every numbered cell beside an
    // unnumbered one is visited again.
    Reset();
    for (std::int32_t x = 0; x < G.Columns; ++x)
        for (std::int32_t y = 0; y < G.Rows; ++y)
            if (Field[static_cast<std::size_t>(x + y * G.Columns)] != 0) Frontier.Numbered[layout.Word(x, y)] |= BitLayout::Bit(y);
    for (std::int32_t x = 0; x < G.Columns; ++x)
        for (std::int32_t y = 0; y < G.Rows; ++y) {
            if (Field[static_cast<std::size_t>(x + y * G.Columns)] <= 0) continue;
            for (const Offset d : kOfferOrder) {
                const std::int32_t nx = x + d.DX, ny = y + d.DY;
                if (G.OnMap(nx, ny) && Field[static_cast<std::size_t>(nx + ny * G.Columns)] == 0) {
                    Frontier.Pending[layout.Word(x, y)] |= BitLayout::Bit(y);
                    break;
                }
            }
        }
}

void Flood::Set(std::int32_t x, std::int32_t y, std::int32_t wave) {
    Field[static_cast<std::size_t>(x + y * G.Columns)] = wave;
    const std::size_t word = BitLayout(G).Word(x, y);
    Frontier.Pending[word] |= BitLayout::Bit(y);
    if (wave != 0)
        Frontier.Numbered[word] |= BitLayout::Bit(y);
    else
        Frontier.Numbered[word] &= ~BitLayout::Bit(y);
}

bool Flood::Sweep() {
    RecheckWaiting();
    return SweepPending();
}

void Flood::RecheckWaiting() {
    const BitLayout layout(G);
    const std::int32_t columns = G.Columns, rows = G.Rows;
    const std::uint64_t* numbered = Frontier.Numbered.data();
    std::vector<std::int32_t>& waiting = Frontier.Waiting;
    std::size_t kept = 0;
    for (std::size_t i = 0; i + 1 < waiting.size(); i += 2) {
        const std::int32_t x = waiting[i], y = waiting[i + 1];
        const std::size_t word = layout.Word(x, y);
        const bool isNumbered = numbered[word] & BitLayout::Bit(y);
        if (!isNumbered && !Enterable(G, G.Cell(x, y), Target, Allowance)) {
            waiting[kept++] = x;
            waiting[kept++] = y;
            continue;
        }
        Frontier.WaitingBits[word] &= ~BitLayout::Bit(y);
        if (isNumbered) continue;  // numbered meanwhile (the target)
        // Enterable now: its numbered neighbours offer to it again.
        for (const Offset d : kOfferOrder) {
            const std::int32_t nx = x + d.DX, ny = y + d.DY;
            if (nx < 0 || ny < 0 || nx >= columns || ny >= rows) continue;
            if ((numbered[layout.Word(nx, ny)] & BitLayout::Bit(ny)) && Field[static_cast<std::size_t>(nx + ny * columns)] > 0)
                Frontier.Pending[layout.Word(nx, ny)] |= BitLayout::Bit(ny);
        }
    }
    waiting.resize(kept);
}

bool Flood::SweepPending() {
    const BitLayout layout(G);
    const std::int32_t columns = G.Columns, rows = G.Rows;
    const std::size_t wordsPerColumn = layout.WordsPerColumn;
    std::uint64_t* pending = Frontier.Pending.data();
    std::uint64_t* waitingBits = Frontier.WaitingBits.data();
    std::uint64_t* numbered = Frontier.Numbered.data();
    std::int32_t* field = Field.data();
    bool changed = false;

    // A visit of a cell on the edge of the map or of its word: every neighbour's
    // bits read and written in memory.
    const auto visitInMemory = [&](std::int32_t x, std::int32_t y, std::int32_t e, const GameCellType* const* column) {
        for (const Offset d : kOfferOrder) {
            const std::int32_t nx = x + d.DX, ny = y + d.DY;
            if (nx < 0 || ny < 0 || nx >= columns || ny >= rows) continue;
            const std::size_t nw = layout.Word(nx, ny);
            const std::uint64_t nbit = BitLayout::Bit(ny);
            if (numbered[nw] & nbit) continue;
            if (Enterable(G, column[d.DX + 1][ny], Target, Allowance)) {
                field[nx + ny * columns] = NextWave(e);
                changed = true;
                numbered[nw] |= nbit;
                pending[nw] |= nbit;
            } else if (!(waitingBits[nw] & nbit)) {
                waitingBits[nw] |= nbit;
                Frontier.Waiting.push_back(nx);
                Frontier.Waiting.push_back(ny);
            }
        }
    };

    // The pending words in sweep order: word `own` is word own % wordsPerColumn
    // of column own / wordsPerColumn. Most of them are empty on most ticks, so
    // the columns' cells are looked up only for a word with something to visit.
    const std::size_t words = layout.Words(G);
    // The pending words of most orders are not in the cache at the start of a
    // tick's sweep: all their cache lines are asked for at once.
    for (std::size_t own = 0; own < words; own += 8) __builtin_prefetch(&pending[own]);
    for (std::size_t own = 0; own < words; ++own) {
        if (!pending[own]) continue;
        {
            const auto x = static_cast<std::int32_t>(own / wordsPerColumn);
            const std::size_t wy = own % wordsPerColumn;
            const GameCellType* left = x > 0 ? G.Cells[static_cast<std::size_t>(x - 1)].data() : nullptr;
            const GameCellType* here = G.Cells[static_cast<std::size_t>(x)].data();
            const GameCellType* right = x + 1 < columns ? G.Cells[static_cast<std::size_t>(x + 1)].data() : nullptr;
            const GameCellType* column[3] = {left, here, right};
            // The fields of many orders do not stay in the cache from one tick to
            // the next: ask for the numbers and cells of this word's visits at
            // once, so they arrive together rather than one after another.
            for (std::uint64_t bits = pending[own]; bits; bits &= bits - 1) {
                const auto y = static_cast<std::int32_t>(wy * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
                __builtin_prefetch(&field[x + y * columns]);
                if (left) __builtin_prefetch(&left[y]);
                if (right) __builtin_prefetch(&right[y]);
            }

            // This word's bits of the three columns, kept in registers while the
            // word is visited, so that one visit's marks are not waited for in
            // memory by the next.
            WordBits l, c, r;
            const auto load = [&] {
                if (left) l = {numbered[own - wordsPerColumn], pending[own - wordsPerColumn], waitingBits[own - wordsPerColumn]};
                c = {numbered[own], pending[own], waitingBits[own]};
                if (right) r = {numbered[own + wordsPerColumn], pending[own + wordsPerColumn], waitingBits[own + wordsPerColumn]};
            };
            const auto store = [&] {
                if (left) l.Store(numbered, pending, waitingBits, own - wordsPerColumn);
                c.Store(numbered, pending, waitingBits, own);
                if (right) r.Store(numbered, pending, waitingBits, own + wordsPerColumn);
            };
            load();
            // Bits at or below the position being visited belong to the next sweep.
            std::uint64_t behind = 0;
            for (;;) {
                const std::uint64_t ahead = c.Pending & ~behind;
                if (!ahead) break;
                const int b = std::countr_zero(ahead);
                const std::uint64_t bit = std::uint64_t{1} << b;
                behind |= bit | (bit - 1);
                c.Pending &= ~bit;

                const auto y = static_cast<std::int32_t>(wy * 64 + static_cast<std::size_t>(b));
                const std::int32_t e = field[x + y * columns];
                if (e <= 0) continue;
                if (!left || !right || y == 0 || y + 1 >= rows || b == 0 || b == 63) {
                    store();
                    visitInMemory(x, y, e, column);
                    load();
                    continue;
                }
                const std::int32_t next = NextWave(e);
                const auto offer = [&](WordBits& bits, const GameCellType* cells, std::int32_t dx, std::int32_t dy) __attribute__((always_inline)) {
                    const std::uint64_t nbit = std::uint64_t{1} << (b + dy);
                    if (bits.Numbered & nbit) return;
                    const std::int32_t nx = x + dx, ny = y + dy;
                    if (Enterable(G, cells[ny], Target, Allowance)) {
                        field[nx + ny * columns] = next;
                        changed = true;
                        bits.Numbered |= nbit;
                        bits.Pending |= nbit;
                    } else if (!(bits.Waiting & nbit)) {
                        bits.Waiting |= nbit;
                        Frontier.Waiting.push_back(nx);
                        Frontier.Waiting.push_back(ny);
                    }
                };
                // The offer order of kOfferOrder.
                offer(l, left, -1, -1);
                offer(r, right, 1, -1);
                offer(r, right, 1, 1);
                offer(l, left, -1, 1);
                offer(l, left, -1, 0);
                offer(c, here, 0, -1);
                offer(r, right, 1, 0);
                offer(c, here, 0, 1);
            }
            store();
        }
    }
    return changed;
}

}  // namespace tavrine
