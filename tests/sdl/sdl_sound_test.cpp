// Sound effects and music through SDL2_mixer, heard on SDL's disk driver: the
// mixed output is written to a file and measured channel by channel.
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "data/file_io.h"
#include "data/library.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_music_player.h"
#include "platform/sdl/sdl_sound_output.h"
#include "state/records.h"
#include "state/run_state.h"
#include "view/sound.h"

namespace tavrine {
namespace {

/// Energy of each channel of a capture.
struct Energy {
    double Left = 0;
    double Right = 0;
};

/// A 16-bit mono PCM sine of `ms` milliseconds at 22050 Hz.
Wave Sine(int ms, int amplitude) {
    constexpr int kRate = 22050;
    Wave w;
    const auto put16 = [](std::vector<std::uint8_t>& b, unsigned v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    const auto put32 = [&](std::vector<std::uint8_t>& b, unsigned v) {
        put16(b, v & 0xFFFF);
        put16(b, v >> 16);
    };
    put16(w.Format, 1);
    put16(w.Format, 1);
    put32(w.Format, kRate);
    put32(w.Format, kRate * 2);
    put16(w.Format, 2);
    put16(w.Format, 16);
    const int n = kRate * ms / 1000;
    for (int i = 0; i < n; ++i) {
        const auto s = static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * M_PI * 440.0 * i / kRate)));
        put16(w.Samples, static_cast<std::uint16_t>(s));
    }
    return w;
}

/// One capture: opens the disk driver into a fresh file, lets `play` make its
/// sounds, waits while they are mixed, closes the device and measures the file.
class Capture {
public:
    explicit Capture(const std::string& name) {
        // The process number keeps parallel runs of other builds apart.
        file_ = (std::filesystem::temp_directory_path() / ("tavrine_sdl_" + name + "_" + std::to_string(::getpid()) + ".raw")).string();
        std::filesystem::remove(file_);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
        audio_ = std::make_unique<SdlAudio>();
    }
    ~Capture() { std::filesystem::remove(file_); }

    SdlAudio& Audio() { return *audio_; }

    /// Lets the mixer run until `done` says so (at most 5 s) and a little longer,
    /// so the last buffers reach the file, then closes the device and measures
    /// what it wrote.
    Energy Finish(std::function<bool()> done, std::function<void()> beforeClose = {}) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        if (beforeClose) beforeClose();
        const bool s16 = audio_->Signed16LittleEndian();
        const int channels = audio_->Channels();
        audio_.reset();
        Energy e;
        if (!s16 || channels != 2) {
            ADD_FAILURE() << "the disk device is not 16-bit stereo";
            return e;
        }
        const std::optional<Bytes> raw = ReadWholeFile(file_);
        if (!raw) {
            ADD_FAILURE() << "no capture in " << file_;
            return e;
        }
        for (std::size_t i = 0; i + 3 < raw->size(); i += 4) {
            const auto l = static_cast<std::int16_t>((*raw)[i] | ((*raw)[i + 1] << 8));
            const auto r = static_cast<std::int16_t>((*raw)[i + 2] | ((*raw)[i + 3] << 8));
            e.Left += double(l) * l;
            e.Right += double(r) * r;
        }
        return e;
    }

private:
    std::string file_;
    std::unique_ptr<SdlAudio> audio_;
};

/// A game with its view at (1000, 1000) on an 800 x 600 surface and one wave.
struct Battle {
    Battle() {
        g.Columns = g.Rows = 100;
        g.MapWidth = g.MapHeight = 3600;
        g.ViewX = g.ViewY = 1000;
        library.WaveList.push_back(Sine(250, 8000));
    }
    GameType g;
    RunState run;
    ImageLibrary library;
};

/// Plays the battle's wave once at each map point and measures the mix.
Energy Hear(const std::string& name, const std::vector<std::pair<int, int>>& points, bool soundOn = true) {
    Capture capture(name);
    EXPECT_TRUE(capture.Audio().Open()) << capture.Audio().Problem();
    Battle battle;
    battle.run.SoundOn = soundOn ? 1 : 0;
    auto output = std::make_unique<SdlSoundOutput>(capture.Audio());
    output->SetWaves(WaveFiles(battle.library));
    EXPECT_EQ(output->DecodedWaves(), 1u);
    PositionalSound sound(battle.g, battle.run, battle.library, *output);
    for (const auto& [x, y] : points) sound.PlaySoundAt(0, x, y);
    return capture.Finish([&] { return output->PlayingCopies() == 0; }, [&] { output.reset(); });
}

TEST(SdlSound, AnExplosionLeftOfTheViewIsHeardOnTheLeft) {
    const Energy left = Hear("left", {{900, 1300}});
    ASSERT_GT(left.Left, 0);
    // The right side is 40 dB down: a hundredth of the amplitude.
    EXPECT_GT(left.Left, 1000 * left.Right);

    const Energy below = Hear("below", {{1400, 1700}});
    EXPECT_GT(below.Right, 1000 * below.Left) << "off screen but not left of the view: heard on the right";
}

TEST(SdlSound, OffScreenIsTenDecibelsQuieterThanOnScreen) {
    const Energy on = Hear("on", {{1100, 1300}});
    const Energy off = Hear("off", {{900, 1300}});
    ASSERT_GT(off.Left, 0);
    // 10 dB is a tenth of the energy; the mixer's volume steps round it to 40/128.
    EXPECT_NEAR(on.Left / off.Left, (128.0 / 40) * (128.0 / 40), 0.3);
}

TEST(SdlSound, CopiesOverlapAndSoundOffIsSilent) {
    const Energy one = Hear("one", {{1100, 1300}});
    const Energy two = Hear("two", {{1100, 1300}, {1100, 1300}});
    // Two copies started together add up sample by sample: twice the amplitude.
    EXPECT_NEAR(two.Left / one.Left, 4.0, 0.2);
    const Energy off = Hear("quiet", {{1100, 1300}}, false);
    EXPECT_EQ(off.Left + off.Right, 0);
}

TEST(SdlSound, NoSoundDeviceRunsSilently) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlAudio audio;
    EXPECT_FALSE(audio.Open());
    EXPECT_FALSE(audio.Problem().empty());
    SdlSoundOutput output(audio);
    Battle battle;
    output.SetWaves(WaveFiles(battle.library));
    output.Play(0, 0, 0);
    SdlMusicPlayer music(audio, "/nonexistent/Music.mid");
    EXPECT_FALSE(music.Opened());
    music.Play();
    EXPECT_TRUE(music.Stopped());
}

/// A format-0 MIDI file: a program change and a few half-second notes.
Bytes SmallMidi() {
    Bytes track = {0x00, 0xC0, 0x00};  // piano
    for (std::uint8_t note : {60, 64, 67})
        for (std::uint8_t b : {std::uint8_t{0x00}, std::uint8_t{0x90}, note, std::uint8_t{100}, std::uint8_t{0x83},
                               std::uint8_t{0x60}, std::uint8_t{0x80}, note, std::uint8_t{0}})  // off 480 ticks later
            track.push_back(b);
    for (std::uint8_t b : {0x00, 0xFF, 0x2F, 0x00}) track.push_back(b);
    Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k', 0, 0, 0,
                  static_cast<std::uint8_t>(track.size())};
    for (std::uint8_t b : track) file.push_back(b);
    return file;
}

TEST(SdlSound, MusicPlaysUntilStopped) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("tavrine_sdl_music_" + std::to_string(::getpid()) + ".mid")).string();
    ASSERT_TRUE(WriteFileAtomically(path, SmallMidi()));
    Capture capture("music");
    ASSERT_TRUE(capture.Audio().Open());
    auto music = std::make_unique<SdlMusicPlayer>(capture.Audio(), path);
    if (!music->Opened()) GTEST_SKIP() << "no MIDI synthesizer here";
    EXPECT_TRUE(music->Stopped());
    music->Play();
    EXPECT_FALSE(music->Stopped());
    const auto started = std::chrono::steady_clock::now();
    const auto halfSecond = [&] { return std::chrono::steady_clock::now() - started > std::chrono::milliseconds(500); };
    const Energy heard = capture.Finish(halfSecond, [&] {
        music->Stop();
        EXPECT_TRUE(music->Stopped()) << "switching music off stops it at once";
        EXPECT_EQ(Mix_PausedMusic(), 1) << "and keeps its place";
        music->Play();
        EXPECT_FALSE(music->Stopped());
        EXPECT_EQ(Mix_PausedMusic(), 0) << "switching it on again goes on from there";
        EXPECT_EQ(Mix_PlayingMusic(), 1);
        music->Stop();
        music.reset();
    });
    EXPECT_GT(heard.Left + heard.Right, 0);
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace tavrine
