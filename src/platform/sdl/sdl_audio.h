// The sound device, opened once for the sound effects and the music together.
// A machine without a usable device is not an error: everything stays silent.
#pragma once

#include <string>

namespace tavrine {

class SdlAudio {
public:
    /// Opens SDL's audio (and only that) and the mixer: 44100 Hz stereo, 16-bit
    /// samples. SDL is told to leave the program's signal handlers alone, so
    /// Ctrl+C and SIGTERM keep working.
    SdlAudio();
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    /// True when a device is open; false means silence.
    bool Open() const { return open_; }
    /// Why the device could not be opened; empty when it is open.
    const std::string& Problem() const { return problem_; }

    /// What the device plays, as the mixer obtained it (0 while closed):
    /// samples per second, channels, and whether samples are signed 16-bit
    /// little-endian.
    int Rate() const { return rate_; }
    int Channels() const { return channels_; }
    bool Signed16LittleEndian() const { return s16le_; }

private:
    bool sdlStarted_ = false;
    bool open_ = false;
    std::string problem_;
    int rate_ = 0;
    int channels_ = 0;
    bool s16le_ = false;
};

}  // namespace tavrine
