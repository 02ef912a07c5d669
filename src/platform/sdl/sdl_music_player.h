// The background music on SDL2_mixer: Music.mid played through the mixer's MIDI
// synthesizer, once through; the game clock restarts it when it has ended and
// resumes it where it stopped when the music is switched on again.
#pragma once

#include <string>

#include "platform/music_player.h"
#include "platform/sdl/sdl_audio.h"

typedef struct _Mix_Music Mix_Music;

namespace tavrine {

class SdlMusicPlayer final : public MusicPlayer {
public:
    /// Opens the piece at `path`. A missing or unreadable file, or no sound
    /// device, leaves a player that plays nothing. `audio` must outlive the player.
    SdlMusicPlayer(SdlAudio& audio, const std::string& path);
    ~SdlMusicPlayer() override;
    SdlMusicPlayer(const SdlMusicPlayer&) = delete;
    SdlMusicPlayer& operator=(const SdlMusicPlayer&) = delete;

    /// True when the piece was opened and can be heard.
    bool Opened() const { return music_ != nullptr; }

    /// Goes on where `Stop` left the piece, or starts it from its beginning,
    /// once through, when it was not stopped half-way.
    void Play() override;
    /// Silences it at once, keeping its place.
    void Stop() override;
    bool Stopped() override;

private:
    SdlAudio& audio_;
    Mix_Music* music_ = nullptr;
    bool paused_ = false;  ///< stopped by `Stop`, with its place kept
};

}  // namespace tavrine
