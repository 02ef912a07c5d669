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
    if (!music_) return;
    // A piece stopped by the player goes on where it stopped; one that played
    // to its end starts again.
    if (paused_ && Mix_PlayingMusic() != 0) Mix_ResumeMusic();
    else Mix_PlayMusic(music_, 1);
    paused_ = false;
}

void SdlMusicPlayer::Stop() {
    if (!music_ || Mix_PlayingMusic() == 0) return;
    Mix_PauseMusic();
    paused_ = true;
}

bool SdlMusicPlayer::Stopped() { return !music_ || paused_ || Mix_PlayingMusic() == 0; }

}  // namespace tavrine
