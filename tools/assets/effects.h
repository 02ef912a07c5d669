// Effects of group 0: explosions (subgroup 3), fog of war (4), smoke puffs (5)
// and the muzzle flash (6). Transparency is a colour key only, so soft edges
// are dithered.
#pragma once

#include <cstdint>

#include "content_library.h"

namespace tavrine::assets {

/// The fog piece pictures 0..8 of the fog table: 0..3 a hidden neighbour to the
/// left, top, right, bottom; 4..7 two hidden neighbours (left+top, top+right,
/// right+bottom, bottom+left); 8 the hidden cell itself.
Image FogPiece(int piece);

/// Explosion kind 0 (a tank blowing up) and 1 (a burst of fire on a burning
/// building), frames in playing order.
std::vector<Image> TankExplosion(std::uint32_t seed);
std::vector<Image> BuildingFire(std::uint32_t seed);

/// The looping smoke puff of a damaged building, 18 by 18 pixels.
std::vector<Image> SmokePuff(std::uint32_t seed);

/// The flash at a gun's muzzle, 7 by 7 pixels centred on the muzzle.
Image MuzzleFlash();

/// Adds subgroups 3 to 6 of group 0.
void AddEffects(ContentLibrary& library, std::uint32_t seed);

}  // namespace tavrine::assets
