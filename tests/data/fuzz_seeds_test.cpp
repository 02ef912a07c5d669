// The seeds of the bitmap, wave and library fuzz targets are files we build here;
// TAVRINE_UPDATE_CORPUS=1 rewrites them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "data/bmp.h"
#include "data/bmp_samples.h"
#include "data/file_io.h"
#include "data/library_file.h"
#include "data/wave.h"

namespace tavrine {
namespace {

using Seeds = std::vector<std::pair<std::string, test::Bytes>>;

/// A 6 x 5 picture with a transparent border, in `colours` colours.
std::vector<std::uint32_t> Pattern(int colours) {
    std::vector<std::uint32_t> p;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            p.push_back(x == 0 || y == 0 ? test::kClear
                                         : 0xFF000000u | static_cast<std::uint32_t>(((x * 5 + y) % colours) * 0x0A1B2C));
    return p;
}

Seeds BmpSeeds() {
    Seeds seeds;
    for (const auto& k : test::KnownPictures()) seeds.emplace_back(k.Name + ".bmp", k.File);
    for (const auto& k : test::ImportOnlyPictures()) seeds.emplace_back(k.Name + ".bmp", k.File);
    seeds.emplace_back("encoded_bits8.bmp", EncodeBmpRecord(6, 5, Pattern(7), BmpDepth::Indexed8));
    seeds.emplace_back("encoded_bits24.bmp", EncodeBmpRecord(6, 5, Pattern(30), BmpDepth::Rgb24));
    // As common image tools write them: run-length rows encoded out to the
    // 4-byte stride, and a colour table longer than the depth indexes.
    const test::Bytes strideRuns = {4, 1, 0, 0, 2, 0, 2, 1, 0, 1};
    seeds.emplace_back("rle8_stride_runs.bmp",
                       test::BuildBmp({.Width = 3, .Height = 2, .Bits = 8, .Compression = 1,
                                       .SizeImage = static_cast<std::uint32_t>(strideRuns.size()), .ColorsUsed = 2,
                                       .Palette = {0x000000, 0xFFFFFF}, .Pixels = strideRuns}));
    seeds.emplace_back("bits4_table20.bmp", test::BuildBmp({.Width = 2, .Height = 1, .Bits = 4, .ColorsUsed = 20,
                                                            .Palette = std::vector<std::uint32_t>(20, 0x336699),
                                                            .Pixels = {0x10, 0, 0, 0}}));
    return seeds;
}

Seeds WaveSeeds() {
    Seeds seeds;
    seeds.emplace_back("mono8.wav", test::BuildWaveRecord(test::PcmFormat(1, 22050, 8), {0x80, 0xA0, 0x60, 0x80}));
    seeds.emplace_back("stereo16_fmt18.wav", test::BuildWaveRecord(test::PcmFormat(2, 44100, 16, 2), {1, 0, 2, 0}));
    seeds.emplace_back("odd_fmt19.wav", test::BuildWaveRecord(test::PcmFormat(1, 8000, 8, 3), {7, 7, 7}));
    test::Bytes padded = EncodeWaveFile({test::PcmFormat(1, 11025, 8, 1), {1, 2, 3}});
    const test::Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    padded.insert(padded.begin() + 12, list.begin(), list.end());
    padded[4] = static_cast<std::uint8_t>(padded.size() - 8);
    seeds.emplace_back("file_padded_list.wav", padded);
    return seeds;
}

Seeds LibrarySeeds() {
    Seeds seeds;
    seeds.emplace_back("empty.isd", *WriteLibraryFile(ImageLibrary{}));
    seeds.emplace_back("sample.isd", *WriteLibraryFile(test::SampleLibrary()));
    ImageLibrary small;
    small.Images.resize(1);
    small.Images[0].resize(1);
    small.Images[0][0].resize(2);
    small.Images[0][0][1].Pictures.push_back(*MakePicture(6, 5, Pattern(7)));
    small.Images[0][0][1].Pictures.push_back(*MakePicture(6, 5, Pattern(30)));
    small.WaveList.push_back({test::PcmFormat(1, 22050, 8), {0x80, 0x81}});
    seeds.emplace_back("small.isd", *WriteLibraryFile(small));
    return seeds;
}

void CheckSeeds(const std::string& target, const Seeds& seeds) {
    const std::filesystem::path folder =
        std::filesystem::path(TAVRINE_FIXTURES_DIR).parent_path().parent_path() / "fuzz/corpus" / target;
    const bool update = std::getenv("TAVRINE_UPDATE_CORPUS") != nullptr;
    if (update) std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : seeds) {
        const std::string path = (folder / name).string();
        ASSERT_FALSE(bytes.empty()) << name;
        if (update) {
            ASSERT_TRUE(WriteFileAtomically(path, bytes)) << path;
        }
        const std::optional<test::Bytes> stored = ReadWholeFile(path);
        ASSERT_TRUE(stored) << path << " is missing; run with TAVRINE_UPDATE_CORPUS=1";
        EXPECT_EQ(*stored, bytes) << path << " is stale; run with TAVRINE_UPDATE_CORPUS=1";
    }
}

TEST(FuzzSeedsTest, BitmapWaveAndLibrarySeedsAreCurrent) {
    CheckSeeds("fuzz_bmp", BmpSeeds());
    CheckSeeds("fuzz_wave", WaveSeeds());
    CheckSeeds("fuzz_library", LibrarySeeds());
    for (const auto& [name, bytes] : BmpSeeds()) EXPECT_TRUE(ImportBmpFile(bytes)) << name;
    for (const auto& [name, bytes] : WaveSeeds()) {
        ByteReader in(bytes);
        const bool record = ReadWaveRecord(in) && in.AtEnd();
        EXPECT_TRUE(record || ImportWaveFile(bytes)) << name;
    }
    for (const auto& [name, bytes] : LibrarySeeds()) {
        ImageLibrary lib;
        EXPECT_EQ(ReadLibraryFile(bytes, lib), LibraryStatus::Ok) << name;
    }
}

}  // namespace
}  // namespace tavrine
