// Sound effects on SDL2_mixer: one decoded chunk per wave, each play on a free
// mixer channel of its own so that copies overlap, with the channel's volume and
// left/right levels set from the game's decibel units before it starts.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/sdl/sdl_audio.h"
#include "platform/sound_output.h"

struct Mix_Chunk;

namespace tavrine {

class SdlSoundOutput final : public SoundOutput {
public:
    /// `audio` must outlive the output.
    explicit SdlSoundOutput(SdlAudio& audio);
    ~SdlSoundOutput() override;
    SdlSoundOutput(const SdlSoundOutput&) = delete;
    SdlSoundOutput& operator=(const SdlSoundOutput&) = delete;

    void SetWaves(std::span<const std::vector<std::uint8_t>> waves) override;
    /// Takes a free channel, adding channels up to kMaxChannels; when all are busy
    /// the copy that has played longest is cut for the new one.
    void Play(std::int32_t index, std::int32_t volume, std::int32_t pan) override;

    /// Waves that decoded (the others stay silent).
    std::size_t DecodedWaves() const;
    /// Copies still playing.
    int PlayingCopies() const;

    static constexpr int kFirstChannels = 16;
    static constexpr int kMaxChannels = 64;

private:
    void FreeChunks();

    SdlAudio& audio_;
    std::vector<Mix_Chunk*> chunks_;
};

}  // namespace tavrine
