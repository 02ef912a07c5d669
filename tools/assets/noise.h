// Hashes and value noise for the generated textures. Every function is a pure
// function of its arguments, so a seed reproduces a texture exactly.
#pragma once

#include <cstdint>

namespace tavrine::assets {

/// A well-mixed 32-bit hash of a seed and three integers.
std::uint32_t Hash(std::uint32_t seed, int a, int b = 0, int c = 0);

/// Hash scaled to [0, 1).
float HashUnit(std::uint32_t seed, int a, int b = 0, int c = 0);

/// Value noise in [0, 1] on an integer lattice that repeats every `period`
/// lattice steps in x and in y (period <= 0: never repeats); smooth interpolation.
float LatticeNoise(std::uint32_t seed, float x, float y, int period);

/// Noise for a square tile of `tile` pixels that continues seamlessly into copies
/// of itself: `octaves` layers of LatticeNoise, the first with `cells` lattice
/// steps across the tile, each further one with twice as many and `gain` times the
/// weight. The result is normalised to [0, 1].
float TileFbm(std::uint32_t seed, float px, float py, int tile, int cells, int octaves, float gain = 0.5f);

/// The same fractal noise without repetition, `scale` pixels per lattice step.
float Fbm(std::uint32_t seed, float px, float py, float scale, int octaves, float gain = 0.5f);

/// Smooth step from 0 at e0 to 1 at e1 (e0 may exceed e1 for a falling step).
float SmoothStep(float e0, float e1, float x);

}  // namespace tavrine::assets
