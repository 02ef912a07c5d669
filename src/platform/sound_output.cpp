#include "platform/sound_output.h"

#include <algorithm>
#include <cmath>

namespace tavrine {

namespace {

/// `full` scaled by the amplitude of `hundredthsDb` below full scale.
std::int32_t Attenuate(std::int32_t full, std::int32_t hundredthsDb) {
    const std::int32_t db = std::clamp(hundredthsDb, kVolumeSilent, 0);
    if (db == kVolumeSilent) return 0;
    return static_cast<std::int32_t>(std::lround(full * std::pow(10.0, db / 2000.0)));
}

}  // namespace

std::int32_t MixerVolume(std::int32_t volume) { return Attenuate(128, volume); }

MixerPan MixerPanning(std::int32_t pan) {
    const std::int32_t p = std::clamp(pan, kPanLeft, kPanRight);
    MixerPan levels;
    if (p < 0) levels.Right = static_cast<std::uint8_t>(Attenuate(255, p));
    if (p > 0) levels.Left = static_cast<std::uint8_t>(Attenuate(255, -p));
    return levels;
}

}  // namespace tavrine
