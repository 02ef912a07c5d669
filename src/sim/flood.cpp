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

/// Bits of the frontier are numbered in sweep order: column by column.
struct SweepOrder {
    std::int32_t Rows;
    std::size_t Of(std::int32_t x, std::int32_t y) const { return static_cast<std::size_t>(x) * static_cast<std::size_t>(Rows) + static_cast<std::size_t>(y); }
};

std::size_t CellTotal(const GameType& g) {
    return g.Columns > 0 && g.Rows > 0 ? static_cast<std::size_t>(g.Columns) * static_cast<std::size_t>(g.Rows) : 0;
}

void SetBit(std::vector<std::uint64_t>& bits, std::size_t pos) { bits[pos >> 6] |= std::uint64_t{1} << (pos & 63); }

}  // namespace

void Flood::Clear() {
    std::fill(Field.begin(), Field.end(), 0);
    Frontier.Bits.assign((CellTotal(G) + 63) / 64, 0);
    Frontier.Columns = G.Columns;
    Frontier.Rows = G.Rows;
    Frontier.Field = Field.data();
}

void Flood::Prepare() {
    const std::size_t words = (CellTotal(G) + 63) / 64;
    if (Frontier.Field == Field.data() && Frontier.Columns == G.Columns && Frontier.Rows == G.Rows &&
        Frontier.Bits.size() == words)
        return;
    Frontier.Bits.assign(words, 0);
    Frontier.Columns = G.Columns;
    Frontier.Rows = G.Rows;
    Frontier.Field = Field.data();
    const SweepOrder order{G.Rows};
    for (std::int32_t x = 0; x < G.Columns; ++x)
        for (std::int32_t y = 0; y < G.Rows; ++y) {
            if (Field[static_cast<std::size_t>(x + y * G.Columns)] <= 0) continue;
            for (const Offset d : kOfferOrder) {
                const std::int32_t nx = x + d.DX, ny = y + d.DY;
                if (G.OnMap(nx, ny) && Field[static_cast<std::size_t>(nx + ny * G.Columns)] == 0) {
                    SetBit(Frontier.Bits, order.Of(x, y));
                    break;
                }
            }
        }
}

void Flood::Set(std::int32_t x, std::int32_t y, std::int32_t wave) {
    Field[static_cast<std::size_t>(x + y * G.Columns)] = wave;
    SetBit(Frontier.Bits, SweepOrder{G.Rows}.Of(x, y));
}

bool Flood::Sweep() { return SweepFrom(nullptr); }

void Flood::Complete() {
    // Passability holds still for the whole plan, so a cell whose only unnumbered
    // neighbours are impassable is parked until the plan ends instead of being
    // visited again by every later sweep; it stays in the frontier for later plans.
    std::vector<std::int32_t> parked;
    while (SweepFrom(&parked)) {
    }
    for (const std::int32_t pos : parked) SetBit(Frontier.Bits, static_cast<std::size_t>(pos));
}

bool Flood::SweepFrom(std::vector<std::int32_t>* parked) {
    const std::int32_t columns = G.Columns, rows = G.Rows;
    std::vector<std::uint64_t>& bits = Frontier.Bits;
    bool changed = false;
    for (std::size_t wi = 0; wi < bits.size(); ++wi) {
        // Bits at or below the position being visited belong to the next sweep.
        std::uint64_t behind = 0;
        for (;;) {
            const std::uint64_t ahead = bits[wi] & ~behind;
            if (!ahead) break;
            const int b = std::countr_zero(ahead);
            const std::uint64_t bit = std::uint64_t{1} << b;
            behind |= bit | (bit - 1);
            bits[wi] &= ~bit;

            const auto pos = static_cast<std::int32_t>(wi * 64 + static_cast<std::size_t>(b));
            const std::int32_t x = pos / rows, y = pos % rows;
            const std::int32_t e = Field[static_cast<std::size_t>(x + y * columns)];
            if (e <= 0) continue;
            bool waiting = false;  // an unnumbered neighbour that cannot be entered now
            for (const Offset d : kOfferOrder) {
                const std::int32_t nx = x + d.DX, ny = y + d.DY;
                if (nx < 0 || ny < 0 || nx >= columns || ny >= rows) continue;
                std::int32_t& n = Field[static_cast<std::size_t>(nx + ny * columns)];
                if (n != 0) continue;
                if (IsPassable(G, nx, ny, Target, Allowance)) {
                    n = NextWave(e);
                    changed = true;
                    SetBit(bits, static_cast<std::size_t>(nx) * static_cast<std::size_t>(rows) + static_cast<std::size_t>(ny));
                } else {
                    waiting = true;
                }
            }
            if (!waiting) continue;
            if (parked)
                parked->push_back(pos);
            else
                bits[wi] |= bit;
        }
    }
    return changed;
}

}  // namespace tavrine
