#include "platform/sdl/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace tavrine {

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kChunkFrames = 1024;

}  // namespace

SdlAudio::SdlAudio() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        problem_ = SDL_GetError();
        return;
    }
    sdlStarted_ = true;
    // MIDI is the only format we ask for: the music file. Waves need no decoder.
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kChunkFrames) != 0) {
        problem_ = Mix_GetError();
        return;
    }
    open_ = true;
    Uint16 format = 0;
    if (Mix_QuerySpec(&rate_, &format, &channels_) == 0) rate_ = channels_ = 0;
    s16le_ = format == AUDIO_S16LSB;
}

SdlAudio::~SdlAudio() {
    if (open_) Mix_CloseAudio();
    if (sdlStarted_) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

}  // namespace tavrine
