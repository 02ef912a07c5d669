// Where a sound effect is heard, and the sound layer's decibel units on a mixer's
// 0..128 volume and 0..255 stereo levels.
#include <gtest/gtest.h>

#include <cmath>

#include "data/wave.h"
#include "view/sound.h"

namespace tavrine {
namespace {

struct Played {
    std::int32_t Index, Volume, Pan;
};

struct RecordingOutput final : SoundOutput {
    void SetWaves(std::span<const std::vector<std::uint8_t>>) override {}
    void Play(std::int32_t index, std::int32_t volume, std::int32_t pan) override { played.push_back({index, volume, pan}); }
    std::vector<Played> played;
};

GameType ViewAt(std::int32_t x, std::int32_t y) {
    GameType g;
    g.ViewX = x;
    g.ViewY = y;
    return g;
}

TEST(Sound, PlacementByWhereTheEventIsAgainstTheView) {
    const GameType g = ViewAt(1000, 2000);
    struct Case {
        const char* where;
        std::int32_t x, y;
        SoundPlacement want;
    };
    const Case cases[] = {
        {"just left of the view", 999, 2300, {-1000, -4000}},
        {"below the view, inside horizontally", 1100, 2601, {-1000, 4000}},
        {"above the view, on its left side", 1100, 1999, {-1000, 4000}},
        {"right of the view", 1801, 2300, {-1000, 4000}},
        {"on the left edge", 1000, 2300, {0, -4000}},
        {"on the right edge", 1800, 2600, {0, 4000}},
        {"left of the middle", 1399, 2000, {0, -4000}},
        {"on the middle", 1400, 2000, {0, 4000}},
    };
    for (const Case& c : cases) EXPECT_EQ(PlaceSound(g, 800, 600, c.x, c.y), c.want) << c.where;
}

TEST(Sound, PlaysOnlyWithSoundOnAndAnExistingWave) {
    const GameType g = ViewAt(0, 0);
    RunState run;
    ImageLibrary lib;
    lib.WaveList.resize(2);
    RecordingOutput out;
    PositionalSound sound(g, run, lib, out);
    sound.PlaySoundAt(1, -5, 10);
    sound.PlaySoundAt(2, 10, 10);
    sound.PlaySoundAt(-1, 10, 10);
    run.SoundOn = 0;
    sound.PlaySoundAt(0, 10, 10);
    ASSERT_EQ(out.played.size(), 1u);
    EXPECT_EQ(out.played[0].Index, 1);
    EXPECT_EQ(out.played[0].Volume, -1000);
    EXPECT_EQ(out.played[0].Pan, -4000);
}

TEST(Sound, WavesAreHandedOverAsWholeFiles) {
    ImageLibrary lib;
    lib.WaveList.push_back({{1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x22, 0x56, 0, 0, 1, 0, 8, 0}, {0x80, 0x90, 0x70}});
    const auto files = WaveFiles(lib);
    ASSERT_EQ(files.size(), 1u);
    const std::optional<Wave> back = ImportWaveFile(files[0]);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Format, lib.WaveList[0].Format);
    EXPECT_EQ(back->Samples, lib.WaveList[0].Samples);
}

TEST(Sound, DecibelsBecomeMixerLevelsInProportion) {
    EXPECT_EQ(MixerVolume(0), 128);
    EXPECT_EQ(MixerVolume(-1000), 40);  // 10 dB: a third of the amplitude
    EXPECT_EQ(MixerVolume(-600), 64);   // 6 dB: half
    EXPECT_EQ(MixerVolume(-10000), 0);
    EXPECT_EQ(MixerVolume(-50000), 0);
    EXPECT_EQ(MixerVolume(300), 128) << "nothing is louder than full";

    EXPECT_EQ(MixerPanning(0), (MixerPan{255, 255}));
    EXPECT_EQ(MixerPanning(-4000), (MixerPan{255, 3}));  // the right side 40 dB down
    EXPECT_EQ(MixerPanning(4000), (MixerPan{3, 255}));
    EXPECT_EQ(MixerPanning(-600), (MixerPan{255, 128}));
    EXPECT_EQ(MixerPanning(-10000), (MixerPan{255, 0}));
    EXPECT_EQ(MixerPanning(99999), (MixerPan{0, 255}));
    // Each 10 dB step down is a step down on the mixer, as far as its 128 steps reach.
    for (std::int32_t v = -4000; v <= 0; v += 1000) EXPECT_LT(MixerVolume(v - 1000), MixerVolume(v)) << v;
}

}  // namespace
}  // namespace tavrine
