// Shapes drawn into a terrain plan with integer arithmetic only, so a generated
// map comes out the same in every build and on every machine.
#pragma once

#include <cstdint>

#include "mapgen/terrain_plan.h"

namespace tavrine::mapgen {

/// Fixed-point values: 65536 is one.
inline constexpr int kOne = 65536;

/// A well-mixed 64-bit value of a seed and a number (seeds of attempts, of layers).
std::uint64_t DeriveSeed(std::uint64_t seed, std::uint64_t n);

/// Smooth value noise in [0, kOne) at cell (x, y): lattice points every `scale`
/// cells, `octaves` layers each half as strong and twice as fine.
int IntNoise(std::uint64_t seed, int x, int y, int scale, int octaves);

/// Ground `t` on every cell within `radius` cells of (x, y).
void Disc(TerrainPlan& plan, int x, int y, int radius, Terrain t);

/// Ground `t` along the straight line from (x0, y0) to (x1, y1), `radius` cells
/// to each side.
void Line(TerrainPlan& plan, int x0, int y0, int x1, int y1, int radius, Terrain t);

}  // namespace tavrine::mapgen
