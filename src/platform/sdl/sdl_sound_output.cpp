#include "platform/sdl/sdl_sound_output.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>

namespace tavrine {

SdlSoundOutput::SdlSoundOutput(SdlAudio& audio) : audio_(audio) {
    if (audio_.Open()) Mix_AllocateChannels(kFirstChannels);
}

SdlSoundOutput::~SdlSoundOutput() { FreeChunks(); }

void SdlSoundOutput::FreeChunks() {
    if (audio_.Open()) Mix_HaltChannel(-1);
    for (Mix_Chunk* chunk : chunks_)
        if (chunk) Mix_FreeChunk(chunk);
    chunks_.clear();
}

void SdlSoundOutput::SetWaves(std::span<const std::vector<std::uint8_t>> waves) {
    FreeChunks();
    chunks_.assign(waves.size(), nullptr);
    if (!audio_.Open()) return;
    for (std::size_t i = 0; i < waves.size(); ++i) {
        const std::vector<std::uint8_t>& file = waves[i];
        if (file.empty() || file.size() > static_cast<std::size_t>(INT32_MAX)) continue;
        SDL_RWops* rw = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
        if (rw) chunks_[i] = Mix_LoadWAV_RW(rw, 1);  // closes rw
    }
}

std::size_t SdlSoundOutput::DecodedWaves() const {
    return static_cast<std::size_t>(std::count_if(chunks_.begin(), chunks_.end(), [](Mix_Chunk* c) { return c != nullptr; }));
}

int SdlSoundOutput::PlayingCopies() const { return audio_.Open() ? Mix_Playing(-1) : 0; }

void SdlSoundOutput::Play(std::int32_t index, std::int32_t volume, std::int32_t pan) {
    if (!audio_.Open() || index < 0 || static_cast<std::size_t>(index) >= chunks_.size()) return;
    Mix_Chunk* chunk = chunks_[static_cast<std::size_t>(index)];
    const int level = MixerVolume(volume);
    if (!chunk || level == 0) return;

    int channel = Mix_GroupAvailable(-1);
    if (channel < 0) {
        const int now = Mix_AllocateChannels(-1);
        if (now < kMaxChannels) Mix_AllocateChannels(std::min(now * 2, kMaxChannels));
        channel = Mix_GroupAvailable(-1);
    }
    if (channel < 0) {
        channel = Mix_GroupOldest(-1);
        if (channel < 0) return;
        Mix_HaltChannel(channel);
    }
    // Volume and stereo levels go on the channel before the copy starts, so its
    // first samples are already placed.
    const MixerPan levels = MixerPanning(pan);
    Mix_Volume(channel, level);
    Mix_SetPanning(channel, levels.Left, levels.Right);
    Mix_PlayChannel(channel, chunk, 0);
}

}  // namespace tavrine
