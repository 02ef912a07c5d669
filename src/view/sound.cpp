#include "view/sound.h"

#include "data/wave.h"

namespace tavrine {

namespace {

constexpr std::int32_t kOffScreenVolume = -1000;
constexpr std::int32_t kSidePan = 4000;

}  // namespace

SoundPlacement PlaceSound(const GameType& g, std::int32_t surfaceWidth, std::int32_t surfaceHeight, std::int32_t x,
                          std::int32_t y) {
    // 64-bit sums: a view near the end of the integer range must not wrap.
    const std::int64_t left = g.ViewX, top = g.ViewY;
    const bool offScreen = x < left || x > left + surfaceWidth || y < top || y > top + surfaceHeight;
    if (offScreen) return {kOffScreenVolume, x < left ? -kSidePan : kSidePan};
    return {kVolumeFull, x < left + surfaceWidth / 2 ? -kSidePan : kSidePan};
}

std::vector<std::vector<std::uint8_t>> WaveFiles(const ImageLibrary& library) {
    std::vector<std::vector<std::uint8_t>> files;
    files.reserve(library.WaveList.size());
    for (const Wave& wave : library.WaveList) files.push_back(EncodeWaveFile(wave));
    return files;
}

void PositionalSound::PlaySoundAt(int index, int x, int y) {
    if (!run_.SoundOn || index < 0 || static_cast<std::size_t>(index) >= library_.WaveList.size()) return;
    const SoundPlacement at = PlaceSound(g_, run_.DisplayWidth, run_.DisplayHeight, x, y);
    output_.Play(index, at.Volume, at.Pan);
}

}  // namespace tavrine
