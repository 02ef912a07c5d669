// The sound effects' playback layer: a list of wave sounds that can be played with
// a volume and a stereo position, several copies of one sound at a time.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tavrine {

/// Volume in hundredths of a decibel: 0 is full volume, -1000 is 10 dB quieter,
/// -10000 (or less) silent.
inline constexpr std::int32_t kVolumeFull = 0;
inline constexpr std::int32_t kVolumeSilent = -10000;
/// Pan in hundredths of a decibel taken off the other side: -10000 only the left
/// speaker, 0 both equally, +10000 only the right.
inline constexpr std::int32_t kPanLeft = -10000;
inline constexpr std::int32_t kPanRight = 10000;

class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    /// Replaces the list of sounds; each element is a whole RIFF WAVE file. A
    /// sound the layer cannot decode keeps its place in the list and stays silent.
    virtual void SetWaves(std::span<const std::vector<std::uint8_t>> waves) = 0;

    /// Starts another copy of sound `index` without waiting and without cutting
    /// copies that are still playing. An index outside the list plays nothing.
    virtual void Play(std::int32_t index, std::int32_t volume, std::int32_t pan) = 0;
};

/// A mixer's channel volume, 0..128 (128 full), for a volume in hundredths of a
/// decibel: the amplitude 10^(volume / 2000) of full scale, rounded, so that
/// loudness keeps its proportions (-1000 gives 40, about a third).
std::int32_t MixerVolume(std::int32_t volume);

/// A mixer's left and right levels, 0..255 each, for a pan in hundredths of a
/// decibel: the side away from the pan is lowered by |pan| hundredths of a
/// decibel, the other stays at 255 (-4000 gives left 255, right 3).
struct MixerPan {
    std::uint8_t Left = 255;
    std::uint8_t Right = 255;

    friend bool operator==(const MixerPan&, const MixerPan&) = default;
};
MixerPan MixerPanning(std::int32_t pan);

}  // namespace tavrine
