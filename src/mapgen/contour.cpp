#include "mapgen/contour.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <utility>

namespace tavrine::mapgen {

namespace {

/// The eight neighbours clockwise on the screen, starting west.
constexpr std::array<EditPoint, 8> kRing{{{-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}}};

int RingIndex(EditPoint d) {
    for (int k = 0; k < 8; ++k)
        if (kRing[static_cast<std::size_t>(k)] == d) return k;
    return -1;
}

/// The compass number of a step, as the editor counts them (1 east, clockwise).
int StepCode(EditPoint from, EditPoint to) {
    const int dx = (to.X > from.X) - (to.X < from.X), dy = (to.Y > from.Y) - (to.Y < from.Y);
    constexpr int kCodes[3][3] = {{6, 7, 8}, {5, 0, 1}, {4, 3, 2}};  // [dy + 1][dx + 1]
    return kCodes[dy + 1][dx + 1];
}

class Tracer {
public:
    Tracer(const TerrainPlan& plan, const RegionTest& test, int margin)
        : x0_(-margin), y0_(-margin), w_(plan.Columns() + 2 * margin), h_(plan.Rows() + 2 * margin),
          region_(static_cast<std::size_t>(w_) * static_cast<std::size_t>(h_)),
          used_(region_.size() * 4, 0) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) region_[Index(x + x0_, y + y0_)] = test(plan.At(x + x0_, y + y0_)) ? 1 : 0;
    }

    std::vector<std::vector<EditPoint>> All() {
        std::vector<std::vector<EditPoint>> outlines;
        for (int y = y0_; y < y0_ + h_; ++y)
            for (int x = x0_; x < x0_ + w_; ++x) {
                if (!In({x, y})) continue;
                for (int k = 0; k < 8; k += 2) {  // the four side neighbours
                    const EditPoint d = kRing[static_cast<std::size_t>(k)];
                    const EditPoint n{x + d.X, y + d.Y};
                    if (In(n) || Used({x, y}, k)) continue;
                    outlines.push_back(Trace({x, y}, n));
                }
            }
        return outlines;
    }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y - y0_) * static_cast<std::size_t>(w_) + static_cast<std::size_t>(x - x0_);
    }
    bool Inside(EditPoint p) const { return p.X >= x0_ && p.Y >= y0_ && p.X < x0_ + w_ && p.Y < y0_ + h_; }
    bool In(EditPoint p) const { return Inside(p) && region_[Index(p.X, p.Y)] != 0; }
    bool Used(EditPoint p, int ring) const { return used_[Index(p.X, p.Y) * 4 + static_cast<std::size_t>(ring / 2)] != 0; }
    void MarkUsed(EditPoint p, int ring) {
        if (ring % 2 == 0) used_[Index(p.X, p.Y) * 4 + static_cast<std::size_t>(ring / 2)] = 1;
    }

    /// Moore-neighbour tracing from `start`, whose neighbour `back` lies outside
    /// the region; stops on entering the start again the way it was first entered.
    std::vector<EditPoint> Trace(EditPoint start, EditPoint back) {
        std::vector<EditPoint> outline{start};
        EditPoint cur = start, from = back;
        const std::size_t limit = region_.size() * 4 + 8;
        while (outline.size() < limit) {
            const int k = RingIndex({from.X - cur.X, from.Y - cur.Y});
            MarkUsed(cur, k);
            std::optional<EditPoint> next;
            EditPoint nextFrom = from;
            for (int i = 1; i <= 8; ++i) {
                const int r = (k + i) % 8;
                const EditPoint q{cur.X + kRing[static_cast<std::size_t>(r)].X, cur.Y + kRing[static_cast<std::size_t>(r)].Y};
                if (In(q)) {
                    next = q;
                    const EditPoint b = kRing[static_cast<std::size_t>((r + 7) % 8)];
                    nextFrom = {cur.X + b.X, cur.Y + b.Y};
                    break;
                }
                MarkUsed(cur, r);
            }
            if (!next) break;  // a lone cell
            if (*next == start && nextFrom == back) break;
            outline.push_back(*next);
            cur = *next;
            from = nextFrom;
        }
        return outline;
    }

    int x0_, y0_, w_, h_;
    std::vector<std::uint8_t> region_;
    std::vector<std::uint8_t> used_;  ///< per cell, the four side edges already traced
};

}  // namespace

std::vector<std::vector<EditPoint>> TraceOutlines(const TerrainPlan& plan, const RegionTest& inRegion, int margin) {
    return Tracer(plan, inRegion, margin).All();
}

std::optional<EditPoint> OutlineFault(const std::vector<EditPoint>& outline) {
    const std::size_t n = outline.size();
    if (n < 3) return n ? std::optional<EditPoint>(outline[0]) : std::optional<EditPoint>(EditPoint{});
    std::set<std::pair<int, int>> seen;
    for (std::size_t i = 0; i < n; ++i) {
        const EditPoint p = outline[i], prev = outline[(i + n - 1) % n], next = outline[(i + 1) % n];
        if (!seen.insert({p.X, p.Y}).second) return p;
        if (std::abs(next.X - p.X) > 1 || std::abs(next.Y - p.Y) > 1 || next == p) return p;
        const int in = StepCode(prev, p), out = StepCode(p, next);
        const int turn = ((out - in) % 8 + 8) % 8;  // 0 straight on, 1..2 right, 6..7 left
        if (turn >= 3 && turn <= 5) return p;
    }
    return std::nullopt;
}

}  // namespace tavrine::mapgen

namespace tavrine::mapgen {

bool SettlePlan(TerrainPlan& plan, const std::vector<CellBox>& flat) {
    const RegionTest land = [](Terrain t) { return t != Terrain::Water; };
    const RegionTest mountain = [](Terrain t) { return t == Terrain::Mountain; };
    for (int round = 0; round < 30; ++round) {
        if (!plan.Clean(flat)) return false;
        bool faulty = false;
        for (const auto& outline : TraceOutlines(plan, land))
            if (const auto fault = OutlineFault(outline)) {
                // Fill the notch or the neck with land.
                const int x = std::clamp(fault->X, 0, plan.Columns() - 1), y = std::clamp(fault->Y, 0, plan.Rows() - 1);
                plan.FillBox(CellBox{x, y, x, y}.Grown(1), Terrain::Land);
                faulty = true;
            }
        for (const auto& outline : TraceOutlines(plan, mountain))
            if (const auto fault = OutlineFault(outline)) {
                // Wear the mountain down there.
                const int fx = std::clamp(fault->X, 0, plan.Columns() - 1), fy = std::clamp(fault->Y, 0, plan.Rows() - 1);
                const CellBox box = CellBox{fx, fy, fx, fy}.Grown(1);
                for (int y = box.Y0; y <= box.Y1; ++y)
                    for (int x = box.X0; x <= box.X1; ++x)
                        if (plan.At(x, y) == Terrain::Mountain) plan.Set(x, y, Terrain::Land);
                faulty = true;
            }
        if (!faulty) return true;
    }
    return false;
}

}  // namespace tavrine::mapgen
