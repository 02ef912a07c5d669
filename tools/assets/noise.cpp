#include "noise.h"

#include <algorithm>
#include <cmath>

namespace tavrine::assets {

std::uint32_t Hash(std::uint32_t seed, int a, int b, int c) {
    std::uint32_t h = seed * 0x9E3779B1u;
    for (int v : {a, b, c}) {
        h ^= static_cast<std::uint32_t>(v) + 0x7F4A7C15u + (h << 6) + (h >> 2);
        h *= 0x85EBCA6Bu;
        h ^= h >> 13;
        h *= 0xC2B2AE35u;
        h ^= h >> 16;
    }
    return h;
}

float HashUnit(std::uint32_t seed, int a, int b, int c) {
    return static_cast<float>(Hash(seed, a, b, c) >> 8) / 16777216.f;
}

namespace {
float Fade(float t) { return t * t * t * (t * (t * 6.f - 15.f) + 10.f); }
int Wrap(int v, int period) { return period > 0 ? ((v % period) + period) % period : v; }
}  // namespace

float LatticeNoise(std::uint32_t seed, float x, float y, int period) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float tx = Fade(x - fx);
    const float ty = Fade(y - fy);
    const int x0 = Wrap(ix, period), x1 = Wrap(ix + 1, period);
    const int y0 = Wrap(iy, period), y1 = Wrap(iy + 1, period);
    const float a = HashUnit(seed, x0, y0), b = HashUnit(seed, x1, y0);
    const float c = HashUnit(seed, x0, y1), d = HashUnit(seed, x1, y1);
    const float top = a + (b - a) * tx;
    const float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float TileFbm(std::uint32_t seed, float px, float py, int tile, int cells, int octaves, float gain) {
    float sum = 0.f, weight = 1.f, total = 0.f;
    int n = cells;
    for (int o = 0; o < octaves; ++o) {
        const float k = static_cast<float>(n) / static_cast<float>(tile);
        sum += weight * LatticeNoise(seed + static_cast<std::uint32_t>(o) * 101u, px * k, py * k, n);
        total += weight;
        weight *= gain;
        n *= 2;
    }
    return sum / total;
}

float Fbm(std::uint32_t seed, float px, float py, float scale, int octaves, float gain) {
    float sum = 0.f, weight = 1.f, total = 0.f, k = 1.f / scale;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * LatticeNoise(seed + static_cast<std::uint32_t>(o) * 101u, px * k + 17.3f * o, py * k, 0);
        total += weight;
        weight *= gain;
        k *= 2.f;
    }
    return sum / total;
}

float SmoothStep(float e0, float e1, float x) {
    const float t = std::clamp((x - e0) / (e1 - e0), 0.f, 1.f);
    return t * t * (3.f - 2.f * t);
}

}  // namespace tavrine::assets
