#include "data/library_file.h"

#include <gtest/gtest.h>

#include "data/bmp_samples.h"
#include "support/test_world.h"

namespace tavrine {
namespace {

using test::Bytes;
using test::Put32;

Bytes Write(const ImageLibrary& lib) {
    std::optional<Bytes> file = WriteLibraryFile(lib);
    EXPECT_TRUE(file);
    return file.value_or(Bytes{});
}

/// The shape of a library: counts, Tags, records and sounds, level by level.
void ExpectSameLibrary(const ImageLibrary& a, const ImageLibrary& b) {
    ASSERT_EQ(a.Images.size(), b.Images.size());
    for (std::size_t g = 0; g < a.Images.size(); ++g) {
        ASSERT_EQ(a.Images[g].size(), b.Images[g].size()) << "group " << g;
        for (std::size_t s = 0; s < a.Images[g].size(); ++s) {
            ASSERT_EQ(a.Images[g][s].size(), b.Images[g][s].size()) << "subgroup " << g << "/" << s;
            for (std::size_t l = 0; l < a.Images[g][s].size(); ++l) {
                const PictureList &x = a.Images[g][s][l], &y = b.Images[g][s][l];
                EXPECT_EQ(x.Tag, y.Tag);
                ASSERT_EQ(x.Pictures.size(), y.Pictures.size());
                for (std::size_t f = 0; f < x.Pictures.size(); ++f) {
                    EXPECT_EQ(x.Pictures[f].Record, y.Pictures[f].Record);
                    EXPECT_EQ(x.Pictures[f].Pixels, y.Pictures[f].Pixels);
                }
            }
        }
    }
    ASSERT_EQ(a.WaveList.size(), b.WaveList.size());
    for (std::size_t w = 0; w < a.WaveList.size(); ++w) {
        EXPECT_EQ(a.WaveList[w].Format, b.WaveList[w].Format);
        EXPECT_EQ(a.WaveList[w].Samples, b.WaveList[w].Samples);
    }
}

TEST(LibraryFileTest, TheEmptyLibraryIsSixteenBytes) {
    const Bytes empty = {0xB9, 0x78, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Write(ImageLibrary{}), empty);
    ImageLibrary lib = test::SampleLibrary();
    ASSERT_EQ(ReadLibraryFile(empty, lib), LibraryStatus::Ok);
    EXPECT_TRUE(lib.Images.empty());
    EXPECT_TRUE(lib.WaveList.empty());
}

TEST(LibraryFileTest, LayoutIsCountsTagsAndRecordsInOrder) {
    const test::KnownPicture picture = test::KnownPictures()[2];
    const Bytes format = test::PcmFormat(1, 22050, 8, 2);
    Bytes expected;
    for (const std::uint32_t v : {30905u, 2u, 2u /*groups*/, 0u /*group 0: no subgroups*/, 2u /*group 1*/,
                                  0u /*subgroup 0: no lists*/, 1u /*subgroup 1: one list*/, 0xFFFFFFFEu /*Tag*/,
                                  1u /*frames*/})
        Put32(expected, v);
    expected.insert(expected.end(), picture.File.begin(), picture.File.end());
    Put32(expected, 1);
    const Bytes wave = test::BuildWaveRecord(format, {9, 8, 7});
    expected.insert(expected.end(), wave.begin(), wave.end());

    ImageLibrary lib;
    ASSERT_EQ(ReadLibraryFile(expected, lib), LibraryStatus::Ok);
    ASSERT_EQ(lib.Images.size(), 2u);
    EXPECT_TRUE(lib.Images[0].empty());
    ASSERT_EQ(lib.Images[1].size(), 2u);
    EXPECT_TRUE(lib.Images[1][0].empty());
    EXPECT_EQ(lib.Images[1][1][0].Tag, -2);
    EXPECT_EQ(lib.Images[1][1][0].Pictures[0].Pixels, picture.Expected);
    EXPECT_EQ(lib.WaveList[0].Format.size(), 18u);
    EXPECT_EQ(Write(lib), expected);
}

TEST(LibraryFileTest, EverySampleSurvivesSaveAndLoadByteForByte) {
    const ImageLibrary lib = test::SampleLibrary();
    const Bytes file = Write(lib);
    ImageLibrary loaded;
    std::string error;
    ASSERT_EQ(ReadLibraryFile(file, loaded, &error), LibraryStatus::Ok) << error;
    ExpectSameLibrary(lib, loaded);
    EXPECT_EQ(Write(loaded), file);
    EXPECT_EQ(loaded.Images[1][1][0].Tag, 77) << "an empty list keeps its Tag";
}

TEST(LibraryFileTest, WrongMagicOrVersionChangesNothing) {
    Bytes file = Write(test::SampleLibrary());
    ImageLibrary lib = test::SampleLibrary();
    lib.Images[0][0][0].Tag = 12345;  // marks the library loaded before

    Bytes version1 = file;
    version1[4] = 1;
    EXPECT_EQ(ReadLibraryFile(version1, lib), LibraryStatus::VersionError);
    Bytes otherMagic = file;
    otherMagic[0] = 0xBA;  // 30906, the saved-game magic
    EXPECT_EQ(ReadLibraryFile(otherMagic, lib), LibraryStatus::FormatError);
    EXPECT_EQ(ReadLibraryFile(Bytes(file.begin(), file.begin() + 3), lib), LibraryStatus::FormatError);
    EXPECT_EQ(ReadLibraryFile(Bytes(file.begin(), file.begin() + 6), lib), LibraryStatus::VersionError);
    EXPECT_EQ(lib.Images[0][0][0].Tag, 12345);
    EXPECT_EQ(LibraryStatusMessage(LibraryStatus::FormatError), "File format error");
    EXPECT_EQ(LibraryStatusMessage(LibraryStatus::VersionError), "File version error");
    EXPECT_EQ(LibraryStatusMessage(LibraryStatus::DataError), "Data I/O Error");
}

TEST(LibraryFileTest, EveryTruncationFailsAndKeepsTheLibraryLoadedBefore) {
    const Bytes file = Write(test::SampleLibrary());
    ImageLibrary lib;
    lib.Images.resize(1);
    for (std::size_t n = 8; n < file.size(); ++n) {
        ASSERT_EQ(ReadLibraryFile(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n)), lib),
                  LibraryStatus::DataError)
            << "cut to " << n;
        ASSERT_EQ(lib.Images.size(), 1u);
        ASSERT_TRUE(lib.WaveList.empty());
    }
}

TEST(LibraryFileTest, AbsurdCountsAreRefusedBeforeAllocating) {
    auto status = [](std::initializer_list<std::uint32_t> words, std::string* error = nullptr) {
        Bytes file;
        for (const std::uint32_t w : words) Put32(file, w);
        ImageLibrary lib;
        return ReadLibraryFile(file, lib, error);
    };
    std::string error;
    EXPECT_EQ(status({30905, 2, 0x7FFFFFFF, 0, 0}, &error), LibraryStatus::DataError);
    EXPECT_NE(error.find("group count"), std::string::npos) << error;
    EXPECT_EQ(status({30905, 2, 0xFFFFFFFF, 0}), LibraryStatus::DataError) << "negative group count";
    EXPECT_EQ(status({30905, 2, 1, 0x40000000, 0}), LibraryStatus::DataError);
    EXPECT_EQ(status({30905, 2, 1, 1, 0x20000000, 0, 0}), LibraryStatus::DataError);
    EXPECT_EQ(status({30905, 2, 1, 1, 1, 0, 0x7FFFFFFF, 0, 0}, &error), LibraryStatus::DataError);
    EXPECT_NE(error.find("frame count"), std::string::npos) << error;
    EXPECT_EQ(status({30905, 2, 0, 0x7FFFFFFF, 0, 0, 0, 0, 0, 0, 0}, &error), LibraryStatus::DataError);
    EXPECT_NE(error.find("wave count"), std::string::npos) << error;
    EXPECT_EQ(status({30905, 2, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}), LibraryStatus::DataError)
        << "a frame that is no bitmap";
    EXPECT_EQ(status({30905, 2, 0, 0, 0xEEEEEEEE}), LibraryStatus::Ok) << "bytes after the last wave are not read";
}

TEST(LibraryFileTest, PicturesTogetherMayNotExceedThePixelBudget) {
    // Run-length pictures of 1000 x 1000 pixels made of a few bytes each.
    const Bytes big = test::BuildBmp({.Width = 1000, .Height = 1000, .Bits = 8, .Compression = 1, .SizeImage = 2,
                                      .ColorsUsed = 1, .Palette = {0}, .Pixels = {0, 1}});
    Bytes body;
    for (const std::uint32_t v : {1u, 1u, 1u, 0u, 3u}) Put32(body, v);
    for (int i = 0; i < 3; ++i) body.insert(body.end(), big.begin(), big.end());
    Put32(body, 0);
    ImageLibrary lib;
    ByteReader fits(body);
    EXPECT_TRUE(ReadLibraryBody(fits, lib, nullptr, 3'000'000));
    ByteReader over(body);
    std::string error;
    EXPECT_FALSE(ReadLibraryBody(over, lib, &error, 2'999'999));
    EXPECT_NE(error.find("more pixels"), std::string::npos) << error;
}

TEST(LibraryFileTest, WriterRefusesPicturesWithoutARecord) {
    std::string error;
    EXPECT_FALSE(WriteLibraryFile(test::MakeTestLibrary(), &error)) << "the test library holds sizes only";
    EXPECT_NE(error.find("no readable bitmap record"), std::string::npos) << error;
    ImageLibrary lib = test::SampleLibrary();
    lib.Images[0][0][3].Pictures[0].Record.push_back(0);  // one byte too many
    EXPECT_FALSE(WriteLibraryFile(lib));
}

}  // namespace
}  // namespace tavrine
