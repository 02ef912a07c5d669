#include "data/bmp.h"

#include <gtest/gtest.h>

#include "data/bmp_samples.h"

namespace tavrine {
namespace {

using test::BmpSpec;
using test::BuildBmp;
using test::Bytes;

std::optional<Picture> Read(const Bytes& bytes, std::string* error = nullptr) {
    ByteReader in(bytes);
    return ReadBmpRecord(in, error);
}

/// True when the record is refused, and says so when it is not.
::testing::AssertionResult Refused(const Bytes& bytes, const std::string& expectedReason = "") {
    std::string error;
    if (Read(bytes, &error)) return ::testing::AssertionFailure() << "the record was accepted";
    if (error.find(expectedReason) == std::string::npos)
        return ::testing::AssertionFailure() << "refused for another reason: " << error;
    return ::testing::AssertionSuccess();
}

TEST(BmpTest, DecodesEveryDepthAndCompressionToTheKnownColours) {
    for (const test::KnownPicture& known : test::KnownPictures()) {
        SCOPED_TRACE(known.Name);
        std::string error;
        const std::optional<Picture> picture = Read(known.File, &error);
        ASSERT_TRUE(picture) << error;
        EXPECT_EQ(picture->Width, known.Width);
        EXPECT_EQ(picture->Height, known.Height);
        EXPECT_EQ(picture->Pixels, known.Expected);
        EXPECT_EQ(picture->Record, known.File) << "the record is kept byte for byte";
    }
}

TEST(BmpTest, RecordsBackToBackAreEachReadWhole) {
    Bytes all;
    const auto known = test::KnownPictures();
    for (const auto& k : known) all.insert(all.end(), k.File.begin(), k.File.end());
    ByteReader in(all);
    std::size_t end = 0;
    for (const auto& k : known) {
        ASSERT_TRUE(ReadBmpRecord(in)) << k.Name;
        end += k.File.size();
        EXPECT_EQ(in.Position(), end) << k.Name;
    }
}

TEST(BmpTest, ReaderFindsPartsByPositionAndFillsInSizeAndOffset) {
    Bytes file = test::KnownPictures()[2].File;  // 8 bits
    Bytes wrong = file;
    wrong[2] = 0x99;   // total size
    wrong[6] = 0x01;   // a reserved word
    wrong[10] = 0x05;  // pixel offset
    const std::optional<Picture> picture = Read(wrong);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Record, file);
}

TEST(BmpTest, ImportRewritesLargeHeadersAsFortyBytesOfTheSameDepth) {
    for (const test::KnownPicture& known : test::ImportOnlyPictures()) {
        SCOPED_TRACE(known.Name);
        ByteReader whole(known.File);
        EXPECT_FALSE(ReadBmpRecord(whole) && whole.AtEnd()) << "not a library record as it stands";
        std::string error;
        const std::optional<Picture> picture = ImportBmpFile(known.File, &error);
        ASSERT_TRUE(picture) << error;
        EXPECT_EQ(picture->Pixels, known.Expected);
        const std::optional<BmpFormat> format = DescribeBmpRecord(picture->Record);
        ASSERT_TRUE(format);
        EXPECT_EQ(format->HeaderSize, 40u);
        EXPECT_EQ(format->BitCount, known.File[28]) << "same bit depth";
        const std::optional<Picture> again = Read(picture->Record);
        ASSERT_TRUE(again) << "the library reader reads the imported record";
        EXPECT_EQ(again->Pixels, known.Expected);
        EXPECT_EQ(again->Record, picture->Record);
    }
    for (const test::KnownPicture& known : test::KnownPictures()) {
        const std::optional<Picture> picture = ImportBmpFile(known.File);
        ASSERT_TRUE(picture) << known.Name;
        EXPECT_EQ(picture->Record, known.File) << known.Name << ": a gap-free file is imported as it is";
    }
}

TEST(BmpTest, ImportFindsTheLengthOfRunLengthDataWithoutImageSize) {
    test::KnownPicture rle = test::KnownPictures()[8];
    ASSERT_EQ(rle.Name, "rle8");
    Bytes file = rle.File;
    file[34] = 0;  // image size
    file.insert(file.end(), {0xEE, 0xEE, 0xEE});  // bytes after the end-of-bitmap mark
    const std::optional<Picture> picture = ImportBmpFile(file);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Pixels, rle.Expected);
    EXPECT_EQ(picture->Record, rle.File) << "image size set to the data up to the end mark";
}

TEST(BmpTest, EncoderChoosesDepthAndStoresTransparencyAsMagenta) {
    const std::vector<std::uint32_t> few = {test::kRed, 0x12345678u, test::kBlue, 0x00000000u};
    const std::optional<Picture> indexed = MakePicture(2, 2, few);
    ASSERT_TRUE(indexed);
    EXPECT_EQ(DescribeBmpRecord(indexed->Record)->BitCount, 8);
    EXPECT_EQ(indexed->Pixels, (std::vector<std::uint32_t>{test::kRed, 0xFF345678u, test::kBlue, test::kClear}))
        << "alpha 0 becomes magenta, any other alpha is opaque";

    std::vector<std::uint32_t> many(300);
    for (std::size_t i = 0; i < many.size(); ++i) many[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 0x010203);
    const std::optional<Picture> direct = MakePicture(20, 15, many);
    ASSERT_TRUE(direct);
    EXPECT_EQ(DescribeBmpRecord(direct->Record)->BitCount, 24);
    EXPECT_EQ(direct->Pixels, many);
    EXPECT_TRUE(EncodeBmpRecord(20, 15, many, BmpDepth::Indexed8).empty()) << "300 colours do not fit 8 bits";
    EXPECT_EQ(DescribeBmpRecord(EncodeBmpRecord(2, 2, few, BmpDepth::Rgb24))->BitCount, 24);
    EXPECT_TRUE(EncodeBmpRecord(3, 2, few).empty()) << "pixel count does not match the size";
    EXPECT_TRUE(EncodeBmpRecord(0, 4, {}).empty());
}

TEST(BmpTest, EveryTruncationIsRefused) {
    for (const auto& known : test::KnownPictures())
        for (std::size_t n = 0; n < known.File.size(); ++n) {
            const Bytes cut(known.File.begin(), known.File.begin() + static_cast<std::ptrdiff_t>(n));
            EXPECT_FALSE(Read(cut)) << known.Name << " cut to " << n << " bytes";
            EXPECT_FALSE(ImportBmpFile(cut)) << known.Name << " cut to " << n << " bytes";
        }
}

TEST(BmpTest, HeadersOutsideTheFormatAreRefused) {
    EXPECT_TRUE(Refused(BuildBmp({.Width = 100000, .Height = 100000, .Bits = 24}), "larger than the game accepts"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 4096, .Height = 4096, .Bits = 1}), "larger than the game accepts"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = kMaxPictureSide + 1, .Bits = 1}), "larger"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 0, .Height = 1, .Bits = 24}), "not positive"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = -3, .Height = 1, .Bits = 24}), "not positive"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = 0, .Bits = 24}), "not positive"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = INT32_MIN, .Bits = 24}), "height"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = 1, .Bits = 7, .Pixels = {0, 0, 0, 0}}), "bit count"));
    EXPECT_TRUE(Refused(BuildBmp({.HeaderSize = 12, .Width = 1, .Height = 1, .Bits = 32}), "bit count"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = 1, .Bits = 8, .ColorsUsed = 300}), "more than 256"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = 1, .Bits = 8, .Compression = 2}), "does not match"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = 1, .Bits = 24, .Compression = 1}), "does not match"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = -1, .Bits = 8, .Compression = 1}), "top-down"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = 1, .Bits = 24, .Compression = 3}), "16 or 32"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = 1, .Bits = 24, .Compression = 4}), "compression"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = 1, .Bits = 16, .Compression = 3,
                                  .Masks = {0xF0F0, 0x0F00, 0x000F}, .Pixels = {0, 0, 0, 0}}),
                        "one run"));
    EXPECT_TRUE(Refused(BuildBmp({.Width = 1, .Height = 1, .Bits = 16, .Compression = 3,
                                  .Masks = {0xF0000, 0xF00, 0xF}, .Pixels = {0, 0, 0, 0}}),
                        "one run"));
    EXPECT_TRUE(Refused(BuildBmp({.HeaderSize = 108, .Width = 1, .Height = 1, .Bits = 24, .Pixels = {0, 0, 0, 0}}),
                        "header of 108"))
        << "library records hold only 40- and 12-byte headers";
    Bytes noSignature = test::KnownPictures()[0].File;
    noSignature[0] = 'X';
    EXPECT_TRUE(Refused(noSignature, "signature"));
    EXPECT_FALSE(ImportBmpFile(BuildBmp({.HeaderSize = 64, .Width = 1, .Height = 1, .Bits = 24})));
}

Bytes Rle8(std::int32_t width, std::int32_t height, const Bytes& data) {
    return BuildBmp({.Width = width, .Height = height, .Bits = 8, .Compression = 1,
                     .SizeImage = static_cast<std::uint32_t>(data.size()), .ColorsUsed = 2,
                     .Palette = {0x000000, 0xFFFFFF}, .Pixels = data});
}

TEST(BmpTest, RunLengthDataAboveThePictureIsRefusedAndPastARowsEndDropped) {
    constexpr std::uint32_t B = test::kBlack, W = test::kWhite;
    const struct {
        const char* what;
        std::int32_t width, height;
        Bytes data;
        const char* refusal;  ///< nullptr: read, giving `pixels` (rows top-down)
        std::vector<std::uint32_t> pixels;
    } cases[] = {
        {"a run longer than the row", 4, 1, {5, 1, 0, 1}, nullptr, {W, W, W, W}},
        {"two runs adding up past it", 4, 1, {2, 0, 3, 1, 0, 1}, nullptr, {B, B, W, W}},
        {"a literal past it", 4, 1, {0, 5, 1, 1, 0, 1, 1, 0, 0, 1}, nullptr, {W, W, B, W}},
        {"rows encoded out to the stride, as image tools do", 3, 2, {4, 1, 0, 0, 2, 0, 2, 1, 0, 1}, nullptr, {B, B, W, W, W, W}},
        {"a whole row per run, and a delta to the right edge", 4, 2, {4, 1, 0, 0, 0, 2, 4, 1, 0, 1}, nullptr, {B, B, B, B, W, W, W, W}},
        {"no end-of-bitmap mark", 2, 1, {2, 1}, nullptr, {W, W}},
        {"a run on the row above the top", 4, 1, {0, 0, 1, 1, 0, 1}, "runs past", {}},
        {"a literal above the top", 4, 1, {0, 0, 0, 3, 1, 1, 1, 0}, "runs past", {}},
        {"a delta past the right edge", 4, 2, {0, 2, 5, 0}, "delta moves past", {}},
        {"a delta above the top", 4, 2, {0, 2, 0, 3}, "delta moves past", {}},
        {"a delta cut short", 4, 2, {0, 2, 1}, "delta cut short", {}},
        {"a literal cut short", 4, 2, {0, 4, 1, 1}, "literal cut short", {}},
        {"a code cut short", 4, 2, {4, 1, 0}, "inside a code", {}},
    };
    for (const auto& c : cases) {
        std::string error;
        const std::optional<Picture> picture = Read(Rle8(c.width, c.height, c.data), &error);
        if (c.refusal) {
            EXPECT_FALSE(picture) << c.what;
            EXPECT_NE(error.find(c.refusal), std::string::npos) << c.what << ": " << error;
        } else {
            ASSERT_TRUE(picture) << c.what << ": " << error;
            EXPECT_EQ(picture->Pixels, c.pixels) << c.what;
        }
    }
    std::vector<std::uint32_t> sixteen(16, 0x808080);
    EXPECT_TRUE(Refused(BuildBmp({.Width = 5, .Height = 1, .Bits = 4, .Compression = 2, .SizeImage = 5,
                                  .Palette = sixteen, .Pixels = {0, 5, 0x12, 0x34, 0x50}}),
                        "literal cut short"))
        << "5 indexes of 4 bits take 3 bytes, padded to 4";
}

TEST(BmpTest, AColourTableLargerThanTheDepthIndexesIsKeptAndItsExtraEntriesUnused) {
    // A 4-bit picture with 20 table entries, 8-bit run-length with 256 for a
    // 2-colour picture written with a full table: read, and written back as read.
    std::vector<std::uint32_t> twenty(20, 0x123456);
    twenty[1] = 0xFFFFFF;
    const Bytes fourBit = BuildBmp({.Width = 2, .Height = 1, .Bits = 4, .ColorsUsed = 20, .Palette = twenty,
                                    .Pixels = {0x10, 0, 0, 0}});
    std::optional<Picture> picture = Read(fourBit);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Pixels, (std::vector<std::uint32_t>{test::kWhite, 0xFF123456u}));
    EXPECT_EQ(picture->Record, fourBit) << "the whole table is kept";
    ASSERT_TRUE(ImportBmpFile(fourBit));
    EXPECT_EQ(ImportBmpFile(fourBit)->Record, fourBit);

    const Bytes oneBit = BuildBmp({.Width = 1, .Height = 1, .Bits = 1, .ColorsUsed = 3,
                                   .Palette = {0xFFFFFF, 0x000000, 0xFF0000}, .Pixels = {0x00, 0, 0, 0}});
    picture = Read(oneBit);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Pixels, (std::vector<std::uint32_t>{test::kWhite}));
    EXPECT_EQ(picture->Record, oneBit);
}

}  // namespace
}  // namespace tavrine
