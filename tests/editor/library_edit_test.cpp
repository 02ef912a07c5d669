#include "editor/library_edit.h"

#include <gtest/gtest.h>

#include <map>

#include "data/bmp.h"
#include "data/bmp_samples.h"
#include "data/library_file.h"
#include "data/wave.h"

namespace tavrine {
namespace {

using test::kBlue;
using test::kClear;
using test::kGreen;
using test::kRed;
using test::kWhite;

constexpr std::uint32_t kMagenta = 0xFFFF00FFu;

/// A .bmp file of one colour, with its top-left pixel transparent when asked.
Bytes BmpFile(std::int32_t width, std::int32_t height, std::uint32_t colour, bool clearCorner = false) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), colour);
    if (clearCorner) pixels[0] = kClear;
    return EncodeBmpRecord(width, height, pixels);
}

Bytes WavFile(std::uint8_t sample) { return EncodeWaveFile({test::PcmFormat(1, 22050, 8), {sample, sample}}); }

const Bytes kGarbage = {'B', 'M', 1, 2, 3};

/// Files kept in memory; a name mapped to nullopt is there but cannot be read.
class MemoryFiles final : public FileSource {
public:
    std::map<std::string, std::optional<Bytes>> files;
    bool Exists(const std::string& path) const override { return files.count(path) != 0; }
    std::optional<Bytes> Read(const std::string& path) const override {
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt : it->second;
    }
};

/// Group 0 with one subgroup holding one list of three one-pixel pictures, red,
/// green and blue; group 2 with one empty list; one sound.
ImageLibrary ThreePictures() {
    ImageLibrary lib;
    AddGroup(lib);
    AddSubgroup(lib, 0);
    AddList(lib, 0, 0);
    for (std::uint32_t c : {kRed, kGreen, kBlue}) EXPECT_TRUE(AppendPicture(lib, {0, 0, 0, 0}, BmpFile(1, 1, c)).Ok());
    AddGroup(lib);
    AddGroup(lib);
    AddSubgroup(lib, 2);
    AddList(lib, 2, 0);
    EXPECT_TRUE(AppendSound(lib, WavFile(1)).Ok());
    return lib;
}

std::vector<std::uint32_t> Colours(const ImageLibrary& lib, const ImageRef& list) {
    std::vector<std::uint32_t> out;
    for (const Picture& p : FindList(lib, list)->Pictures) out.push_back(p.Pixels.at(0));
    return out;
}

Bytes FileOf(const ImageLibrary& lib) { return *WriteLibraryFile(lib); }

TEST(LibraryEditTest, TreeLevelsAppendAtTheEndAndRefuseMissingParents) {
    ImageLibrary lib;
    EXPECT_EQ(AddGroup(lib), 0);
    EXPECT_EQ(AddGroup(lib), 1);
    EXPECT_EQ(AddSubgroup(lib, 1), 0);
    EXPECT_EQ(AddSubgroup(lib, 1), 1);
    EXPECT_EQ(AddList(lib, 1, 1), 0);
    EXPECT_EQ(FindList(lib, {1, 1, 0, 0})->Tag, 0);
    EXPECT_TRUE(FindList(lib, {1, 1, 0, 0})->Pictures.empty());

    const Bytes before = FileOf(lib);
    EXPECT_EQ(AddSubgroup(lib, 2), std::nullopt);
    EXPECT_EQ(AddSubgroup(lib, -1), std::nullopt);
    EXPECT_EQ(AddList(lib, 0, 0), std::nullopt) << "group 0 has no subgroup";
    EXPECT_EQ(AddList(lib, 1, 2), std::nullopt);
    EXPECT_EQ(AddList(lib, -1, 0), std::nullopt);
    EXPECT_EQ(FileOf(lib), before);
}

TEST(LibraryEditTest, AppendedPicturesAreTransparentInMagentaAtOnce) {
    ImageLibrary lib = ThreePictures();
    ASSERT_TRUE(AppendPicture(lib, {2, 0, 0, 99}, BmpFile(3, 2, kWhite, true)).Ok()) << "the frame is ignored";
    const Picture& p = *FindPicture(lib, {2, 0, 0, 0});
    EXPECT_EQ(p.Width, 3);
    EXPECT_EQ(p.Height, 2);
    EXPECT_EQ(p.Pixels[0] >> 24, 0u) << "magenta is see-through before any reload";
    EXPECT_EQ(p.Pixels[1], kWhite);
    // The edited library writes and reads back unchanged.
    ImageLibrary again;
    ASSERT_EQ(ReadLibraryFile(FileOf(lib), again), LibraryStatus::Ok);
    EXPECT_EQ(FileOf(again), FileOf(lib));
    EXPECT_EQ(FindPicture(again, {2, 0, 0, 0})->Pixels, p.Pixels);
}

TEST(LibraryEditTest, DeletingMovesLaterPicturesDown) {
    ImageLibrary lib = ThreePictures();
    ASSERT_TRUE(DeletePicture(lib, {0, 0, 0, 0}).Ok());
    EXPECT_EQ(Colours(lib, {0, 0, 0, 0}), (std::vector<std::uint32_t>{kGreen, kBlue}));
    ASSERT_TRUE(DeletePicture(lib, {0, 0, 0, 1}).Ok());
    EXPECT_EQ(Colours(lib, {0, 0, 0, 0}), (std::vector<std::uint32_t>{kGreen}));
}

TEST(LibraryEditTest, ReplacingKeepsThePlaceAndTheTransparentColour) {
    ImageLibrary lib = ThreePictures();
    ASSERT_TRUE(ReplacePicture(lib, {0, 0, 0, 1}, BmpFile(4, 4, test::kBlack, true)).Ok());
    const Picture& p = *FindPicture(lib, {0, 0, 0, 1});
    EXPECT_EQ(p.Width, 4);
    EXPECT_EQ(p.Pixels[0] >> 24, 0u) << "magenta stays see-through";
    EXPECT_EQ(p.Pixels[1], test::kBlack) << "black stays drawn";
    EXPECT_EQ(Colours(lib, {0, 0, 0, 0}), (std::vector<std::uint32_t>{kRed, p.Pixels[0], kBlue}));
}

TEST(LibraryEditTest, BadSelectionsAndUnreadableFilesChangeNothing) {
    ImageLibrary lib = ThreePictures();
    const Bytes before = FileOf(lib);
    const Bytes good = BmpFile(2, 2, kRed);
    const ImageRef badRefs[] = {{-1, 0, 0, 0}, {3, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, -1, 0, 0},
                                {0, 0, -1, 0}};
    for (const ImageRef& ref : badRefs) {
        EXPECT_FALSE(AppendPicture(lib, ref, good).Ok());
        EXPECT_FALSE(DeletePicture(lib, ref).Ok());
        EXPECT_FALSE(ReplacePicture(lib, ref, good).Ok());
    }
    for (std::int32_t frame : {-1, 3, 1 << 30}) {
        EXPECT_FALSE(DeletePicture(lib, {0, 0, 0, frame}).Ok());
        EXPECT_FALSE(ReplacePicture(lib, {0, 0, 0, frame}, good).Ok());
    }
    const EditResult append = AppendPicture(lib, {0, 0, 0, 0}, kGarbage);
    EXPECT_NE(append.Error.find("bitmap"), std::string::npos) << append.Error;
    EXPECT_FALSE(AppendPicture(lib, {0, 0, 0, 0}, {}).Ok());
    EXPECT_FALSE(ReplacePicture(lib, {0, 0, 0, 0}, kGarbage).Ok());
    EXPECT_FALSE(ReplacePicture(lib, {0, 0, 0, 0}, WavFile(3)).Ok());
    for (std::int32_t index : {-1, 1, 7}) {
        EXPECT_FALSE(DeleteSound(lib, index).Ok());
        EXPECT_FALSE(ReplaceSound(lib, index, WavFile(2)).Ok());
    }
    EXPECT_FALSE(AppendSound(lib, good).Ok());
    EXPECT_FALSE(ReplaceSound(lib, 0, kGarbage).Ok());
    EXPECT_EQ(FileOf(lib), before);
}

TEST(LibraryEditTest, SeriesStopsAtTheFirstMissingNumber) {
    ImageLibrary lib = ThreePictures();
    MemoryFiles files;
    files.files["/maps/set/0.bmp"] = BmpFile(1, 1, kWhite);
    files.files["/maps/set/1.bmp"] = BmpFile(1, 1, kBlue);
    files.files["/maps/set/3.bmp"] = BmpFile(1, 1, kRed);
    const SeriesResult r = FillFromSeries(lib, {0, 0, 0, 0}, FolderOf("/maps/set/1.bmp"), files);
    ASSERT_TRUE(r.Result.Ok()) << r.Result.Error;
    EXPECT_EQ(r.Loaded, 2);
    EXPECT_EQ(Colours(lib, {0, 0, 0, 0}), (std::vector<std::uint32_t>{kWhite, kBlue})) << "the old pictures are gone";

    // Without 0.bmp the list ends up empty.
    EXPECT_EQ(FillFromSeries(lib, {0, 0, 0, 0}, "/elsewhere", files).Loaded, 0);
    EXPECT_TRUE(FindList(lib, {0, 0, 0, 0})->Pictures.empty());

    // At most 32 are taken.
    for (int n = 0; n < 40; ++n) files.files["/many/" + std::to_string(n) + ".bmp"] = BmpFile(1, 1, kGreen);
    EXPECT_EQ(FillFromSeries(lib, {0, 0, 0, 0}, "/many", files).Loaded, kSeriesLength);
    EXPECT_EQ(FindList(lib, {0, 0, 0, 0})->Pictures.size(), 32u);
}

TEST(LibraryEditTest, ABrokenFileInTheSeriesLeavesTheListAsItWas) {
    ImageLibrary lib = ThreePictures();
    const Bytes before = FileOf(lib);
    MemoryFiles files;
    files.files["/s/0.bmp"] = BmpFile(1, 1, kWhite);
    files.files["/s/1.bmp"] = kGarbage;
    SeriesResult r = FillFromSeries(lib, {0, 0, 0, 0}, "/s", files);
    EXPECT_FALSE(r.Result.Ok());
    EXPECT_NE(r.Result.Error.find("/s/1.bmp"), std::string::npos) << r.Result.Error;
    files.files["/s/1.bmp"] = std::nullopt;  // there but unreadable
    r = FillFromSeries(lib, {0, 0, 0, 0}, "/s", files);
    EXPECT_NE(r.Result.Error.find("/s/1.bmp"), std::string::npos) << r.Result.Error;
    EXPECT_FALSE(FillFromSeries(lib, {0, 0, 1, 0}, "/s", files).Result.Ok()) << "no such list";
    EXPECT_EQ(FileOf(lib), before);
}

TEST(LibraryEditTest, FolderOfAChosenFile) {
    EXPECT_EQ(FolderOf("/home/me/pics/5.bmp"), "/home/me/pics");
    EXPECT_EQ(FolderOf("/0.bmp") + "/0.bmp", "/0.bmp");
    EXPECT_EQ(FolderOf("x.bmp"), ".");
}

TEST(LibraryEditTest, SoundsAppendDeleteAndReplaceInPlace) {
    ImageLibrary lib = ThreePictures();
    ASSERT_TRUE(AppendSound(lib, WavFile(2)).Ok());
    ASSERT_TRUE(AppendSound(lib, WavFile(3)).Ok());
    ASSERT_TRUE(DeleteSound(lib, 1).Ok());
    ASSERT_EQ(lib.WaveList.size(), 2u);
    EXPECT_EQ(lib.WaveList[1].Samples, (Bytes{3, 3}));
    ASSERT_TRUE(ReplaceSound(lib, 0, WavFile(9)).Ok());
    EXPECT_EQ(lib.WaveList[0].Samples, (Bytes{9, 9}));
    EXPECT_EQ(lib.WaveList[0].Format, test::PcmFormat(1, 22050, 8));
    EXPECT_EQ(lib.WaveList[1].Samples, (Bytes{3, 3}));
}

/// The pixel of a thumbnail at (x, y).
std::uint32_t At(const Thumbnail& t, int x, int y) { return t.Pixels.at(static_cast<std::size_t>(y * t.Size + x)); }
bool Masked(const Thumbnail& t, int x, int y) { return t.Mask.at(static_cast<std::size_t>(y * t.Size + x)) != 0; }

TEST(LibraryEditTest, TerrainThumbnailsSitTopLeftAndAreCutNotScaled) {
    std::vector<std::uint32_t> pixels(40 * 40, kRed);
    pixels[0] = kClear;
    pixels[39] = kBlue;      // right edge: cut off
    pixels[35] = kGreen;     // the last column that fits
    const Picture big = *MakePicture(40, 40, pixels);
    for (std::int32_t group : {0, 1}) {
        const Thumbnail t = MakeThumbnail(big, group);
        ASSERT_EQ(t.Size, 36);
        ASSERT_EQ(t.Pixels.size(), 36u * 36u);
        EXPECT_EQ(At(t, 0, 0), kMagenta);
        EXPECT_TRUE(Masked(t, 0, 0));
        EXPECT_EQ(At(t, 35, 0), kGreen);
        EXPECT_EQ(At(t, 35, 35), kRed);
        EXPECT_FALSE(Masked(t, 1, 0));
    }
    const Picture small = *MakePicture(2, 3, std::vector<std::uint32_t>(6, kBlue));
    const Thumbnail t = MakeThumbnail(small, 0);
    EXPECT_EQ(At(t, 1, 2), kBlue);
    EXPECT_EQ(At(t, 2, 2), kWhite);
    EXPECT_EQ(At(t, 1, 3), kWhite);
    EXPECT_FALSE(Masked(t, 2, 2)) << "the white ground is not masked";
}

TEST(LibraryEditTest, ObjectThumbnailsAreCentredWithOffsetsHalvedTowardZero) {
    // 5 x 4 in 108: offset (51, 52).
    std::vector<std::uint32_t> pixels(20, kBlue);
    pixels[19] = kClear;
    const Thumbnail t = MakeThumbnail(*MakePicture(5, 4, pixels), 3);
    ASSERT_EQ(t.Size, 108);
    EXPECT_EQ(At(t, 50, 52), kWhite);
    EXPECT_EQ(At(t, 51, 52), kBlue);
    EXPECT_EQ(At(t, 51, 51), kWhite);
    EXPECT_EQ(At(t, 55, 55), kMagenta);
    EXPECT_TRUE(Masked(t, 55, 55));
    EXPECT_EQ(At(t, 56, 55), kWhite);

    // 111 x 110 in 108: offset (-1, -1), not (-2, -1); the rest is cut.
    std::vector<std::uint32_t> wide(111 * 110, kRed);
    wide[0] = kGreen;                 // (0, 0) falls outside
    wide[111 + 1] = kBlue;            // (1, 1) lands on the corner
    wide[111 * 108 + 108] = kGreen;   // (108, 108) is the last that fits
    const Thumbnail c = MakeThumbnail(*MakePicture(111, 110, wide), 4);
    EXPECT_EQ(At(c, 0, 0), kBlue);
    EXPECT_EQ(At(c, 107, 107), kGreen);
    EXPECT_EQ(At(c, 107, 0), kRed);
}

TEST(LibraryEditTest, APictureWithoutPixelsGivesAWhiteThumbnail) {
    Picture broken;
    broken.Width = 3;
    broken.Height = 3;  // but no pixels
    const Thumbnail t = MakeThumbnail(broken, 2);
    EXPECT_EQ(t.Pixels, std::vector<std::uint32_t>(108 * 108, kWhite));
    EXPECT_EQ(t.Mask, std::vector<std::uint8_t>(108 * 108, 0));
}

}  // namespace
}  // namespace tavrine
