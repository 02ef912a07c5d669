// The two sound effects, synthesised: 0 the explosion, 1 the shot.
#pragma once

#include <cstdint>

#include "content_library.h"

namespace tavrine::assets {

constexpr int kSoundRate = 22050;

/// A deep, rumbling blast about 1.3 seconds long.
Sound ExplosionSound(std::uint64_t seed);
/// A sharp gun report about 0.45 seconds long.
Sound ShotSound(std::uint64_t seed);

/// Scales samples so that the loudest reaches `peak` of full scale, and fades
/// the last few milliseconds to silence; never clips.
std::vector<std::int16_t> Normalise(const std::vector<float>& signal, float peak);

void AddSounds(ContentLibrary& library, std::uint64_t seed);

}  // namespace tavrine::assets
