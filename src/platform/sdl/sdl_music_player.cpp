#include "platform/sdl/sdl_music_player.h"

#include <SDL_mixer.h>

#include <filesystem>

namespace tavrine {

SdlMusicPlayer::SdlMusicPlayer(SdlAudio& audio, const std::string& path) : audio_(audio) {
    std::error_code error;
    if (audio_.Open() && std::filesystem::is_regular_file(path, error)) music_ = Mix_LoadMUS(path.c_str());
}

SdlMusicPlayer::~SdlMusicPlayer() {
    if (!music_) return;
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
}

void SdlMusicPlayer::Play() {
    if (music_) Mix_PlayMusic(music_, 1);
}

void SdlMusicPlayer::Stop() {
    if (music_) Mix_HaltMusic();
}

bool SdlMusicPlayer::Stopped() { return !music_ || Mix_PlayingMusic() == 0; }

}  // namespace tavrine
