#include "data/wave.h"

#include <gtest/gtest.h>

#include "data/bmp_samples.h"

namespace tavrine {
namespace {

using test::Bytes;
using test::BuildWaveRecord;
using test::PcmFormat;

Bytes Record(const Wave& wave) {
    Bytes out;
    WriteWaveRecord(wave, out);
    return out;
}

TEST(WaveTest, RecordsRoundTripByteForByteWithOddBlocksUnpadded) {
    const std::vector<Wave> waves = {
        {PcmFormat(1, 22050, 8), {0x80, 0x81, 0x82, 0x83}},
        {PcmFormat(2, 44100, 16, 2), {1, 2, 3}},                  // an 18-byte block, odd sample count
        {PcmFormat(1, 11025, 8, 3), {}},                         // a 19-byte block: no pad in the library
    };
    Bytes all;
    for (const Wave& w : waves) {
        const Bytes record = Record(w);
        EXPECT_EQ(record, BuildWaveRecord(w.Format, w.Samples));
        all.insert(all.end(), record.begin(), record.end());
    }
    ByteReader in(all);
    for (const Wave& w : waves) {
        const std::optional<Wave> read = ReadWaveRecord(in);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->Format, w.Format);
        EXPECT_EQ(read->Samples, w.Samples);
    }
    EXPECT_TRUE(in.AtEnd()) << "each record ends right after its samples";
    EXPECT_EQ(Record(waves[1])[16], 18) << "the fmt size of an 18-byte block is 18";
}

TEST(WaveTest, LibraryReaderSkipsOtherChunksAndStopsAfterTheData) {
    Bytes record;
    test::PutText(record, "RIFF");
    test::Put32(record, 0);  // the size is not relied on
    test::PutText(record, "WAVE");
    test::PutText(record, "LIST");
    test::Put32(record, 3);
    record.insert(record.end(), {'a', 'b', 'c'});  // no pad byte inside the library
    const Bytes format = PcmFormat(1, 8000, 8);
    test::PutText(record, "fmt ");
    test::Put32(record, static_cast<std::uint32_t>(format.size()));
    record.insert(record.end(), format.begin(), format.end());
    test::PutText(record, "data");
    test::Put32(record, 2);
    record.insert(record.end(), {7, 9, 0xEE});  // 0xEE belongs to what follows
    ByteReader in(record);
    const std::optional<Wave> wave = ReadWaveRecord(in);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->Format, format);
    EXPECT_EQ(wave->Samples, (Bytes{7, 9}));
    EXPECT_EQ(in.Remaining(), 1u);
}

TEST(WaveTest, ImportFollowsThePadRuleAndFindsChunksInAnyOrder) {
    const Bytes format = PcmFormat(1, 8000, 8, 1);  // 17 bytes: a pad byte follows in a file
    Bytes file;
    test::PutText(file, "RIFF");
    test::Put32(file, 0);
    test::PutText(file, "WAVE");
    test::PutText(file, "junk");
    test::Put32(file, 1);
    file.insert(file.end(), {0x55, 0});
    test::PutText(file, "fmt ");
    test::Put32(file, 17);
    file.insert(file.end(), format.begin(), format.end());
    file.push_back(0);
    test::PutText(file, "data");
    test::Put32(file, 3);
    file.insert(file.end(), {1, 2, 3});  // the file may end without the last pad byte
    file[4] = static_cast<std::uint8_t>(file.size() - 8);

    std::string error;
    const std::optional<Wave> wave = ImportWaveFile(file, &error);
    ASSERT_TRUE(wave) << error;
    EXPECT_EQ(wave->Format, format);
    EXPECT_EQ(wave->Samples, (Bytes{1, 2, 3}));

    const Bytes written = EncodeWaveFile(*wave);
    EXPECT_EQ(written.size(), 12 + 8 + 18 + 8 + 4u) << "standalone files carry pad bytes";
    const std::optional<Wave> again = ImportWaveFile(written);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Format, format);
    EXPECT_EQ(again->Samples, wave->Samples);
}

TEST(WaveTest, MalformedRecordsAndFilesAreRefused) {
    const Bytes good = BuildWaveRecord(PcmFormat(2, 44100, 16, 2), {1, 2, 3, 4, 5});
    for (std::size_t n = 0; n < good.size(); ++n) {
        const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        ByteReader in(cut);
        EXPECT_FALSE(ReadWaveRecord(in)) << "cut to " << n;
        EXPECT_FALSE(ImportWaveFile(cut)) << "cut to " << n;
    }
    auto refused = [](Bytes bytes, const std::string& reason) {
        ByteReader in(bytes);
        std::string error;
        return !ReadWaveRecord(in, &error) && error.find(reason) != std::string::npos;
    };
    Bytes notRiff = good;
    notRiff[0] = 'X';
    EXPECT_TRUE(refused(notRiff, "RIFF"));
    Bytes notWave = good;
    notWave[8] = 'X';
    EXPECT_TRUE(refused(notWave, "WAVE"));
    Bytes hugeData = good;
    hugeData[42] = 0xFF;  // data size 0xFFFF
    hugeData[43] = 0xFF;
    EXPECT_TRUE(refused(hugeData, "past the end"));
    EXPECT_FALSE(ImportWaveFile(hugeData));

    Bytes dataFirst;
    test::PutText(dataFirst, "RIFF");
    test::Put32(dataFirst, 12);
    test::PutText(dataFirst, "WAVE");
    test::PutText(dataFirst, "data");
    test::Put32(dataFirst, 0);
    EXPECT_TRUE(refused(dataFirst, "before the \"fmt \""));
    EXPECT_FALSE(ImportWaveFile(dataFirst)) << "no format at all";
    EXPECT_FALSE(ImportWaveFile(BuildWaveRecord(Bytes(10, 1), {1}))) << "a format block under 14 bytes";
}

TEST(WaveTest, FormatBlockFieldsForDisplay) {
    const std::optional<WaveFormatInfo> info = ParseWaveFormat(PcmFormat(2, 44100, 16, 2));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->FormatTag, 1);
    EXPECT_EQ(info->Channels, 2);
    EXPECT_EQ(info->SamplesPerSec, 44100u);
    EXPECT_EQ(info->AvgBytesPerSec, 176400u);
    EXPECT_EQ(info->BlockAlign, 4);
    EXPECT_EQ(info->BitsPerSample, 16);
    Bytes fourteen = PcmFormat(1, 8000, 8);
    fourteen.resize(14);
    ASSERT_TRUE(ParseWaveFormat(fourteen));
    EXPECT_EQ(ParseWaveFormat(fourteen)->BitsPerSample, 0);
    EXPECT_FALSE(ParseWaveFormat(Bytes(13, 0)));
}

}  // namespace
}  // namespace tavrine
