#include "mapgen/terrain_plan.h"

#include <algorithm>
#include <cmath>

namespace tavrine::mapgen {

namespace {

std::uint32_t Mix(std::uint32_t seed, int a, int b) {
    std::uint32_t h = seed * 0x9E3779B1u ^ static_cast<std::uint32_t>(a) * 0x85EBCA77u ^
                      static_cast<std::uint32_t>(b) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float Unit(std::uint32_t seed, int a, int b) { return static_cast<float>(Mix(seed, a, b) >> 8) / 16777216.f; }

float Smooth(float t) { return t * t * (3.f - 2.f * t); }

float LatticeValue(std::uint32_t seed, float x, float y) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float tx = Smooth(x - fx), ty = Smooth(y - fy);
    const float a = Unit(seed, ix, iy), b = Unit(seed, ix + 1, iy);
    const float c = Unit(seed, ix, iy + 1), d = Unit(seed, ix + 1, iy + 1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

/// A mask of the map's cells, read with the nearest edge cell off the map.
struct Mask {
    int W = 0;
    int H = 0;
    std::vector<std::uint8_t> Bits;

    Mask(int w, int h) : W(w), H(h), Bits(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0) {}
    bool At(int x, int y) const {
        x = std::clamp(x, 0, W - 1);
        y = std::clamp(y, 0, H - 1);
        return Bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(W) + static_cast<std::size_t>(x)] != 0;
    }
    void Set(int x, int y, bool v) {
        Bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(W) + static_cast<std::size_t>(x)] = v ? 1 : 0;
    }
};

/// Erosion (all of the 3 x 3 block) or dilation (any of it).
Mask Morph(const Mask& m, bool erode) {
    Mask out(m.W, m.H);
    for (int y = 0; y < m.H; ++y)
        for (int x = 0; x < m.W; ++x) {
            bool v = erode;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const bool b = m.At(x + dx, y + dy);
                    v = erode ? (v && b) : (v || b);
                }
            out.Set(x, y, v);
        }
    return out;
}

Mask Open(const Mask& m) { return Morph(Morph(m, true), false); }
Mask Close(const Mask& m) { return Morph(Morph(m, false), true); }

Mask And(const Mask& a, const Mask& b) {
    Mask out(a.W, a.H);
    for (std::size_t i = 0; i < out.Bits.size(); ++i) out.Bits[i] = a.Bits[i] & b.Bits[i];
    return out;
}

/// Regions touching at a corner only (a 2 x 2 block with set cells on one
/// diagonal and clear cells on the other): the clear cells are set when `fill`,
/// else the set cells are cleared. True when anything changed.
bool MendCorners(Mask& m, bool fill) {
    bool changed = false;
    for (int y = 0; y + 1 < m.H; ++y)
        for (int x = 0; x + 1 < m.W; ++x) {
            const bool a = m.At(x, y), b = m.At(x + 1, y), c = m.At(x, y + 1), d = m.At(x + 1, y + 1);
            if (a != d || b != c || a == b) continue;
            const bool v = fill;
            m.Set(x, y, v);
            m.Set(x + 1, y, v);
            m.Set(x, y + 1, v);
            m.Set(x + 1, y + 1, v);
            changed = true;
        }
    return changed;
}

bool InAnyBox(const std::vector<CellBox>& boxes, int x, int y, int grow) {
    return std::any_of(boxes.begin(), boxes.end(), [&](const CellBox& b) { return b.Grown(grow).Contains(x, y); });
}

}  // namespace

float PlanNoise(std::uint32_t seed, float x, float y, float scale, int octaves) {
    float sum = 0.f, weight = 1.f, total = 0.f, f = 1.f / std::max(scale, 0.001f);
    for (int o = 0; o < octaves; ++o) {
        sum += weight * LatticeValue(seed + static_cast<std::uint32_t>(o) * 7919u, x * f, y * f);
        total += weight;
        weight *= 0.5f;
        f *= 2.f;
    }
    return sum / total;
}

TerrainPlan::TerrainPlan(int columns, int rows, Terrain fill)
    : columns_(std::max(columns, 1)), rows_(std::max(rows, 1)),
      cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), fill) {}

std::size_t TerrainPlan::IndexOf(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(x);
}

Terrain TerrainPlan::At(int x, int y) const {
    return cells_[IndexOf(std::clamp(x, 0, columns_ - 1), std::clamp(y, 0, rows_ - 1))];
}

void TerrainPlan::Set(int x, int y, Terrain t) {
    if (x >= 0 && y >= 0 && x < columns_ && y < rows_) cells_[IndexOf(x, y)] = t;
}

void TerrainPlan::FillBox(const CellBox& box, Terrain t) {
    for (int y = box.Y0; y <= box.Y1; ++y)
        for (int x = box.X0; x <= box.X1; ++x) Set(x, y, t);
}

void TerrainPlan::Blob(std::uint32_t seed, float cx, float cy, float rx, float ry, float roughness, Terrain t) {
    const int x0 = static_cast<int>(std::floor(cx - rx * (1.f + roughness))) - 1;
    const int x1 = static_cast<int>(std::ceil(cx + rx * (1.f + roughness))) + 1;
    const int y0 = static_cast<int>(std::floor(cy - ry * (1.f + roughness))) - 1;
    const int y1 = static_cast<int>(std::ceil(cy + ry * (1.f + roughness))) + 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            // The wobble is noise sampled around a circle, so it closes on itself.
            const float angle = std::atan2(dy, dx);
            const float wobble = PlanNoise(seed, std::cos(angle) * 3.f + 5.f, std::sin(angle) * 3.f + 5.f, 1.6f, 3);
            const float r = 1.f + roughness * (wobble * 2.f - 1.f);
            if (dx * dx + dy * dy <= r * r) Set(x, y, t);
        }
}

void TerrainPlan::Band(std::uint32_t seed, const std::vector<PlanPoint>& line, float width, float wobble, Terrain t) {
    if (line.size() < 2) return;
    float travelled = 0.f;
    for (std::size_t k = 0; k + 1 < line.size(); ++k) {
        const PlanPoint a = line[k], b = line[k + 1];
        const float len = std::hypot(b.X - a.X, b.Y - a.Y);
        const int steps = std::max(1, static_cast<int>(len * 3.f));
        for (int s = 0; s <= steps; ++s) {
            const float f = static_cast<float>(s) / static_cast<float>(steps);
            const float px = a.X + (b.X - a.X) * f, py = a.Y + (b.Y - a.Y) * f;
            const float along = travelled + len * f;
            const float half = width / 2.f + wobble * (PlanNoise(seed, along, 0.5f, 6.f, 2) * 2.f - 1.f);
            const float shift = wobble * (PlanNoise(seed + 17u, along, 3.5f, 9.f, 2) * 2.f - 1.f);
            // Shift the band sideways along the segment's normal.
            const float nx = len > 0.f ? -(b.Y - a.Y) / len : 0.f, ny = len > 0.f ? (b.X - a.X) / len : 0.f;
            const float ox = px + nx * shift, oy = py + ny * shift;
            const int r = static_cast<int>(std::ceil(half)) + 1;
            for (int y = static_cast<int>(oy) - r; y <= static_cast<int>(oy) + r; ++y)
                for (int x = static_cast<int>(ox) - r; x <= static_cast<int>(ox) + r; ++x)
                    if (std::hypot(x + 0.5f - ox, y + 0.5f - oy) <= half) Set(x, y, t);
        }
        travelled += len;
    }
}

void TerrainPlan::NoiseMountains(std::uint32_t seed, const CellBox& box, float scale, float threshold) {
    for (int y = std::max(box.Y0, 0); y <= std::min(box.Y1, rows_ - 1); ++y)
        for (int x = std::max(box.X0, 0); x <= std::min(box.X1, columns_ - 1); ++x)
            if (At(x, y) == Terrain::Land && PlanNoise(seed, static_cast<float>(x), static_cast<float>(y), scale, 3) > threshold)
                Set(x, y, Terrain::Mountain);
}

bool TerrainPlan::Clean(const std::vector<CellBox>& flat) {
    for (const CellBox& b : flat) FillBox(b, Terrain::Land);
    for (int round = 0; round < 40; ++round) {
        bool changed = false;

        // Land (mountains included) against water.
        Mask land(columns_, rows_);
        for (int y = 0; y < rows_; ++y)
            for (int x = 0; x < columns_; ++x) land.Set(x, y, At(x, y) != Terrain::Water || InAnyBox(flat, x, y, 0));
        Mask cleaned = Close(Open(land));
        for (int y = 0; y < rows_; ++y)
            for (int x = 0; x < columns_; ++x)
                if (InAnyBox(flat, x, y, 0)) cleaned.Set(x, y, true);
        MendCorners(cleaned, true);
        for (int y = 0; y < rows_; ++y)
            for (int x = 0; x < columns_; ++x) {
                const bool want = cleaned.At(x, y);
                if (want == (At(x, y) != Terrain::Water)) continue;
                Set(x, y, want ? Terrain::Land : Terrain::Water);
                changed = true;
            }

        // Mountains: away from water and from the flat boxes.
        Mask allowed = Morph(Morph(Morph(cleaned, true), true), true);
        for (int y = 0; y < rows_; ++y)
            for (int x = 0; x < columns_; ++x)
                if (InAnyBox(flat, x, y, 2)) allowed.Set(x, y, false);
        Mask mountain(columns_, rows_);
        for (int y = 0; y < rows_; ++y)
            for (int x = 0; x < columns_; ++x) mountain.Set(x, y, At(x, y) == Terrain::Mountain);
        Mask m = Open(And(Close(Open(And(mountain, allowed))), allowed));
        MendCorners(m, false);
        m = Open(m);
        for (int y = 0; y < rows_; ++y)
            for (int x = 0; x < columns_; ++x) {
                const bool want = m.At(x, y);
                if (want == (At(x, y) == Terrain::Mountain)) continue;
                if (At(x, y) == Terrain::Water) continue;
                Set(x, y, want ? Terrain::Mountain : Terrain::Land);
                changed = true;
            }
        if (!changed) return true;
    }
    return false;
}

}  // namespace tavrine::mapgen
