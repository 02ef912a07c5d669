// The background music: one piece, opened at start-up, that the game clock
// restarts whenever it has played to its end.
#pragma once

namespace tavrine {

class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;
    /// Starts the piece from its beginning (or resumes it after `Stop`).
    virtual void Play() = 0;
    virtual void Stop() = 0;
    /// True while nothing is playing: never started, stopped, or played to its end.
    virtual bool Stopped() = 0;
};

}  // namespace tavrine
