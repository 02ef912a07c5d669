// Sound effects placed in stereo by where they happen: the battle reports a sound
// at a map point, and it is heard full and centred-left or centred-right while on
// screen, 10 dB quieter to the left or right while off it.
#pragma once

#include <cstdint>
#include <vector>

#include "data/library.h"
#include "platform/sound_events.h"
#include "platform/sound_output.h"
#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

/// How loud and where an effect is heard, in the sound layer's units.
struct SoundPlacement {
    std::int32_t Volume = kVolumeFull;  ///< hundredths of a decibel
    std::int32_t Pan = 0;               ///< -10000 left .. +10000 right

    friend bool operator==(const SoundPlacement&, const SoundPlacement&) = default;
};

/// Volume and pan for an event at map pixel (x, y) with the view at (ViewX,
/// ViewY) on a `surfaceWidth` by `surfaceHeight` surface. The view's edges count
/// as on screen. Off screen: -1000, and pan -4000 when left of the view, else
/// +4000 (an event above or below the view is heard on the right). On screen:
/// full volume, pan -4000 in the left half, else +4000.
SoundPlacement PlaceSound(const GameType& g, std::int32_t surfaceWidth, std::int32_t surfaceHeight, std::int32_t x,
                          std::int32_t y);

/// Every wave of the library as a whole RIFF WAVE file, in list order, ready for
/// `SoundOutput::SetWaves`.
std::vector<std::vector<std::uint8_t>> WaveFiles(const ImageLibrary& library);

/// The game's sound events played through a sound layer: `PlaySoundAt` of the
/// game. Reads the game state at each event, so it must not outlive it.
class PositionalSound final : public SoundEvents {
public:
    PositionalSound(const GameType& g, const RunState& run, const ImageLibrary& library, SoundOutput& output)
        : g_(g), run_(run), library_(library), output_(output) {}

    /// Plays effect `index` (0 the explosion, 1 the shot) for an event at map
    /// pixel (x, y). Nothing when sound is off or the library has no such wave.
    void PlaySoundAt(int index, int x, int y) override;

private:
    const GameType& g_;
    const RunState& run_;
    const ImageLibrary& library_;
    SoundOutput& output_;
};

}  // namespace tavrine
