#include "sim/flood.h"

#include <algorithm>
#include <array>
#include <bit>

#include "sim/grid.h"
#include "sim/passability.h"

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

/// The number of bits set, without asking for a processor instruction the
/// oldest 64-bit processors lack.
constexpr std::int64_t BitCount(std::uint64_t v) {
    v = v - ((v >> 1) & 0x5555555555555555u);
    v = (v & 0x3333333333333333u) + ((v >> 2) & 0x3333333333333333u);
    v = (v + (v >> 4)) & 0x0f0f0f0f0f0f0f0fu;
    return static_cast<std::int64_t>((v * 0x0101010101010101u) >> 56);
}

/// How many of a word's visits the per-tick sweep asks the memory for at once.
constexpr int kAskAhead = 6;

/// How many cells one sweep must number for its outcome to be kept for the round:
/// below this, sweeping again costs less than comparing the states.
constexpr std::int64_t kWorthKeeping = 1024;

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
    // While the frontier describes the field, its numbered bits say which cells
    // are not 0. A field that is mostly 0 (the target unreachable for now, or
    // the flood barely started) is cleared cell by cell; one that is not, whole.
    const BitLayout layout(G);
    const std::size_t words = layout.Words(G);
    const bool described = Frontier.Field == Field.data() && Frontier.Columns == G.Columns && Frontier.Rows == G.Rows &&
                           Frontier.Numbered.size() == words && Field.size() == static_cast<std::size_t>(G.CellCount());
    std::int64_t numbered = 0;
    for (std::size_t i = 0; described && i < words; ++i) numbered += BitCount(Frontier.Numbered[i]);
    if (described && numbered * 16 < static_cast<std::int64_t>(Field.size())) {
        for (std::size_t i = 0; i < words; ++i)
            for (std::uint64_t bits = Frontier.Numbered[i]; bits; bits &= bits - 1) {
                const auto x = static_cast<std::int32_t>(i / layout.WordsPerColumn);
                const auto y = static_cast<std::int32_t>((i % layout.WordsPerColumn) * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
                Field[static_cast<std::size_t>(x + y * G.Columns)] = 0;
            }
    } else {
        std::fill(Field.begin(), Field.end(), 0);
    }
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

namespace {

/// The map as the per-tick sweep reads it: the cells themselves.
struct CellsMap {
    using Cell = GameCellType;
    const GameType& G;
    const GameCellObjectType* Target;
    std::int32_t Allowance;

    const Cell* Column(std::int32_t x) const { return G.Cells[static_cast<std::size_t>(x)].data(); }
    bool Enterable(const Cell* column, std::int32_t, std::int32_t y) const { return tavrine::Enterable(G, column[y], Target, Allowance); }
};

/// The map as the per-tick sweep reads it during a tick: the tick's mirror,
/// one byte per cell, and the cells themselves only for the target's footprint.
struct CodesMap {
    using Cell = std::uint8_t;
    const GameType& G;
    const std::uint8_t* Codes;
    const GameCellObjectType* Target;
    std::int32_t Allowance;

    const Cell* Column(std::int32_t x) const { return Codes + static_cast<std::size_t>(x) * static_cast<std::size_t>(G.Rows); }
    bool Enterable(const Cell* column, std::int32_t x, std::int32_t y) const {
        const std::uint8_t code = column[y];
        if (Target && CodeIsObject(code)) return ObjectAt(G, G.Cell(x, y).Occupant) == Target;
        return CodeEnterable(code, Allowance);
    }
};

template <class Map>
bool SweepPendingOn(Flood& flood, const Map& map) {
    GameType& G = flood.G;
    WaveFrontier& Frontier = flood.Frontier;
    const BitLayout layout(G);
    const std::int32_t columns = G.Columns, rows = G.Rows;
    const std::size_t wordsPerColumn = layout.WordsPerColumn;
    std::uint64_t* pending = Frontier.Pending.data();
    std::uint64_t* waitingBits = Frontier.WaitingBits.data();
    std::uint64_t* numbered = Frontier.Numbered.data();
    std::int32_t* field = flood.Field.data();
    bool changed = false;

    // A visit of a cell on the edge of the map or of its word: every neighbour's
    // bits read and written in memory.
    const auto visitInMemory = [&](std::int32_t x, std::int32_t y, std::int32_t e, const typename Map::Cell* const* column) {
        for (const Offset d : kOfferOrder) {
            const std::int32_t nx = x + d.DX, ny = y + d.DY;
            if (nx < 0 || ny < 0 || nx >= columns || ny >= rows) continue;
            const std::size_t nw = layout.Word(nx, ny);
            const std::uint64_t nbit = BitLayout::Bit(ny);
            if (numbered[nw] & nbit) continue;
            if (map.Enterable(column[d.DX + 1], nx, ny)) {
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
    std::int32_t lastX = -1, lastY = -2;  // the last cell visited with a number to offer
    for (std::size_t own = 0; own < words; ++own) {
        if (!pending[own]) continue;
        {
            const auto x = static_cast<std::int32_t>(own / wordsPerColumn);
            const std::size_t wy = own % wordsPerColumn;
            using Cell = typename Map::Cell;
            const Cell* left = x > 0 ? map.Column(x - 1) : nullptr;
            const Cell* here = map.Column(x);
            const Cell* right = x + 1 < columns ? map.Column(x + 1) : nullptr;
            const Cell* column[3] = {left, here, right};
            // The fields of many orders do not stay in the cache from one tick to
            // the next: ask for the numbers and cells of this word's first visits
            // at once, so they arrive together rather than one after another.
            // (A word with many visits is a run of neighbouring rows, which the
            // processor brings in by itself.)
            int asked = 0;
            for (std::uint64_t bits = pending[own]; bits && asked < kAskAhead; bits &= bits - 1, ++asked) {
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
            // The rows whose visits keep every neighbour's bits in registers: not
            // on the edge of the map or of the word, and not in the first or last
            // column.
            std::uint64_t inner = left && right ? ~std::uint64_t{0} >> 1 & ~std::uint64_t{1} : 0;
            if (wy == 0) inner &= ~std::uint64_t{1};
            if (static_cast<std::int64_t>(wy * 64) + 64 >= rows) {
                const auto last = static_cast<std::int32_t>(rows - 1 - static_cast<std::int32_t>(wy * 64));  // bit of the last row
                if (last < 64) inner &= (std::uint64_t{1} << last) - 1;
            }
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
                // Right after a visit of the cell above, whose offers left each of
                // this cell's neighbours above and beside it numbered or waiting
                // (nothing on the map changes during a sweep), only the row below
                // can take a number.
                const bool belowLast = x == lastX && y == lastY + 1;
                lastX = x;
                lastY = y;
                if (!(inner & bit)) {
                    store();
                    visitInMemory(x, y, e, column);
                    load();
                    continue;
                }
                const std::int32_t next = NextWave(e);
                const auto offer = [&](WordBits& bits, const Cell* cells, std::int32_t dx, std::int32_t dy) __attribute__((always_inline)) {
                    const std::uint64_t nbit = std::uint64_t{1} << (b + dy);
                    if (bits.Numbered & nbit) return;
                    const std::int32_t nx = x + dx, ny = y + dy;
                    if (map.Enterable(cells, nx, ny)) {
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
                if (belowLast) {
                    offer(r, right, 1, 1);
                    offer(l, left, -1, 1);
                    offer(c, here, 0, 1);
                    continue;
                }
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

}  // namespace

bool Flood::SweepPending() {
    if (const std::uint8_t* codes = PassCodes(Passability, G)) return SweepPendingOn(*this, CodesMap{G, codes, Target, Allowance});
    return SweepPendingOn(*this, CellsMap{G, Target, Allowance});
}

bool SweepRound::Outcome::StartedFrom(const Flood& flood, CellXY target) const {
    const GameType& g = flood.G;
    const WaveFrontier& f = flood.Frontier;
    if (!(Target == target) || Object != flood.Target || Allowance != flood.Allowance || Columns != g.Columns || Rows != g.Rows ||
        Order < 0 || static_cast<std::size_t>(Order) >= g.Orders.size() || static_cast<std::size_t>(Order) >= g.Waves.size())
        return false;
    const std::vector<std::int32_t>& field = g.Waves[static_cast<std::size_t>(Order)];
    const std::vector<std::uint64_t>& numbered = g.Orders[static_cast<std::size_t>(Order)]->Frontier.Numbered;
    if (flood.Field.size() != field.size() || numbered.size() != NumberedBefore.size()) return false;
    if (f.Pending != PendingBefore || f.Waiting != WaitingBefore || f.WaitingBits != WaitingBitsBefore || f.Numbered != NumberedBefore)
        return false;
    // The field the kept sweep started from: its numbers where it found them,
    // 0 in the cells it numbered (a sweep numbers only cells without a number).
    const BitLayout layout(g);
    const std::int32_t* here = flood.Field.data();
    const std::int32_t* after = field.data();
    for (std::int32_t y = 0; y < Rows; ++y)
        for (std::int32_t x = 0; x < Columns; ++x, ++here, ++after) {
            if (*here == *after) continue;
            const std::size_t word = layout.Word(x, y);
            const bool numberedBySweep = (numbered[word] & ~NumberedBefore[word]) & BitLayout::Bit(y);
            if (!numberedBySweep || *here != 0) return false;
        }
    return true;
}

bool SweepRound::Sweep(Flood& flood, std::int32_t order, CellXY target, bool mayRecur) {
    WaveFrontier& f = flood.Frontier;
    for (const Outcome& kept : kept_)
        if (kept.StartedFrom(flood, target)) {
            const auto k = static_cast<std::size_t>(kept.Order);
            const std::vector<std::int32_t>& field = flood.G.Waves[k];
            const WaveFrontier& after = flood.G.Orders[k]->Frontier;
            std::copy(field.begin(), field.end(), flood.Field.begin());
            f.Numbered = after.Numbered;
            f.Pending = after.Pending;
            f.WaitingBits = after.WaitingBits;
            f.Waiting = after.Waiting;
            ++reused_;
            return kept.Changed;
        }
    if (!mayRecur) return flood.Sweep();

    // The state the sweep starts from, in buffers kept from sweep to sweep.
    Outcome& o = spare_;
    o.NumberedBefore.assign(f.Numbered.begin(), f.Numbered.end());
    o.PendingBefore.assign(f.Pending.begin(), f.Pending.end());
    o.WaitingBitsBefore.assign(f.WaitingBits.begin(), f.WaitingBits.end());
    o.WaitingBefore.assign(f.Waiting.begin(), f.Waiting.end());
    o.Changed = flood.Sweep();
    std::int64_t numbered = 0;
    for (std::size_t i = 0; i < f.Numbered.size() && i < o.NumberedBefore.size(); ++i)
        numbered += BitCount(f.Numbered[i] & ~o.NumberedBefore[i]);
    if (numbered < kWorthKeeping) return o.Changed;
    // What the sweep left stays in the order's own field and frontier for the
    // rest of the round: each order is planned once a round.
    o.Target = target;
    o.Object = flood.Target;
    o.Allowance = flood.Allowance;
    o.Columns = flood.G.Columns;
    o.Rows = flood.G.Rows;
    o.Order = order;
    kept_.push_back(std::move(o));
    spare_ = {};
    return kept_.back().Changed;
}

}  // namespace tavrine
