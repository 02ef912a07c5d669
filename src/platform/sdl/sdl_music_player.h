// The background music on SDL2_mixer: Music.mid played through the mixer's MIDI
// synthesizer, once per Play; the game clock restarts it when it has ended.
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

    /// Starts the piece from its beginning, once through.
    void Play() override;
    /// Silences it at once.
    void Stop() override;
    bool Stopped() override;

private:
    SdlAudio& audio_;
    Mix_Music* music_ = nullptr;
};

}  // namespace tavrine
