#include "mapgen/shapes.h"

#include <algorithm>
#include <cstdlib>

namespace tavrine::mapgen {

namespace {

int Lattice(std::uint64_t seed, int x, int y) {
    const std::uint64_t h = DeriveSeed(seed ^ (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32),
                                       static_cast<std::uint32_t>(y));
    return static_cast<int>(h >> 48);  // [0, kOne)
}

/// Floor division for negative numbers too.
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

/// 3t^2 - 2t^3 on fixed-point t in [0, kOne].
std::int64_t Smooth(std::int64_t t) { return t * t / kOne * (3 * kOne - 2 * t) / kOne; }

int ValueNoise(std::uint64_t seed, int x, int y, int scale) {
    const int ix = FloorDiv(x, scale), iy = FloorDiv(y, scale);
    const std::int64_t tx = Smooth(static_cast<std::int64_t>(x - ix * scale) * kOne / scale);
    const std::int64_t ty = Smooth(static_cast<std::int64_t>(y - iy * scale) * kOne / scale);
    const std::int64_t a = Lattice(seed, ix, iy), b = Lattice(seed, ix + 1, iy);
    const std::int64_t c = Lattice(seed, ix, iy + 1), d = Lattice(seed, ix + 1, iy + 1);
    const std::int64_t top = a + (b - a) * tx / kOne, bottom = c + (d - c) * tx / kOne;
    return static_cast<int>(top + (bottom - top) * ty / kOne);
}

}  // namespace

std::uint64_t DeriveSeed(std::uint64_t seed, std::uint64_t n) {
    std::uint64_t z = seed + (n + 1) * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int IntNoise(std::uint64_t seed, int x, int y, int scale, int octaves) {
    std::int64_t sum = 0, total = 0;
    int weight = 1 << octaves;
    for (int o = 0; o < octaves; ++o) {
        // A finer layer samples the same cells at a scale half as large.
        sum += static_cast<std::int64_t>(weight) * ValueNoise(DeriveSeed(seed, static_cast<std::uint64_t>(o)), x, y, std::max(1, scale >> o));
        total += weight;
        weight /= 2;
    }
    return static_cast<int>(sum / total);
}

void Disc(TerrainPlan& plan, int x, int y, int radius, Terrain t) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (dx * dx + dy * dy <= radius * radius + radius) plan.Set(x + dx, y + dy, t);
}

void Line(TerrainPlan& plan, int x0, int y0, int x1, int y1, int radius, Terrain t) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    if (steps == 0) return Disc(plan, x0, y0, radius, t);
    for (int i = 0; i <= steps; ++i)
        Disc(plan, x0 + FloorDiv((x1 - x0) * i * 2 + steps, 2 * steps), y0 + FloorDiv((y1 - y0) * i * 2 + steps, 2 * steps), radius, t);
}

}  // namespace tavrine::mapgen
