#include "data/bmp_samples.h"

#include <stdexcept>

#include "data/bmp.h"
#include "data/byte_reader.h"

namespace tavrine::test {

void Put16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

void PutText(Bytes& out, const char* fourChars) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(fourChars[i]));
}

Bytes BuildBmp(const BmpSpec& s) {
    const bool core = s.HeaderSize == 12;
    const std::uint32_t entry = core ? 3 : 4;
    const std::uint32_t masksAfter = s.HeaderSize == 40 ? static_cast<std::uint32_t>(s.Masks.size()) * 4 : 0;
    const std::uint32_t offset =
        14 + s.HeaderSize + masksAfter + static_cast<std::uint32_t>(s.Palette.size()) * entry + s.Gap;
    Bytes out = {'B', 'M'};
    Put32(out, offset + static_cast<std::uint32_t>(s.Pixels.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, s.HeaderSize);
    if (core) {
        Put16(out, static_cast<std::uint16_t>(s.Width));
        Put16(out, static_cast<std::uint16_t>(s.Height));
        Put16(out, 1);
        Put16(out, s.Bits);
    } else {
        Put32(out, static_cast<std::uint32_t>(s.Width));
        Put32(out, static_cast<std::uint32_t>(s.Height));
        Put16(out, 1);
        Put16(out, s.Bits);
        Put32(out, s.Compression);
        Put32(out, s.SizeImage);
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, s.ColorsUsed);
        Put32(out, 0);
        if (s.HeaderSize > 40) {
            for (std::size_t i = 0; i < 4; ++i) Put32(out, i < s.Masks.size() ? s.Masks[i] : 0);
            while (out.size() < 14 + s.HeaderSize) out.push_back(0);  // colour space and the rest
        }
    }
    if (s.HeaderSize == 40)
        for (const std::uint32_t m : s.Masks) Put32(out, m);
    for (const std::uint32_t c : s.Palette) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));
        if (!core) out.push_back(0);
    }
    out.insert(out.end(), s.Gap, 0);
    out.insert(out.end(), s.Pixels.begin(), s.Pixels.end());
    return out;
}

namespace {

/// A palette of `n` entries: the given colours first, grey after them.
std::vector<std::uint32_t> Palette(std::vector<std::uint32_t> first, std::size_t n) {
    first.resize(n, 0x808080u);
    return first;
}

KnownPicture Known(std::string name, const BmpSpec& spec, std::vector<std::uint32_t> expected) {
    const std::int32_t height = spec.Height < 0 ? -spec.Height : spec.Height;
    return {std::move(name), BuildBmp(spec), spec.Width, height, std::move(expected)};
}

}  // namespace

std::vector<KnownPicture> KnownPictures() {
    constexpr std::uint32_t magenta = 0xFF00FF;
    std::vector<KnownPicture> all;
    // 1 bit, bottom-up: rows "T W T" over "W W T".
    all.push_back(Known("bits1", {.Width = 3, .Height = 2, .Bits = 1, .Palette = {magenta, 0xFFFFFF},
                                  .Pixels = {0xC0, 0, 0, 0, 0x40, 0, 0, 0}},
                        {kClear, kWhite, kClear, kWhite, kWhite, kClear}));
    // 4 bits, top-down, full 16-entry table (colours used 0).
    all.push_back(Known("bits4_topdown",
                        {.Width = 3, .Height = -2, .Bits = 4,
                         .Palette = Palette({0x000000, 0xFF0000, 0x00FF00, 0x0000FF, magenta}, 16),
                         .Pixels = {0x12, 0x30, 0, 0, 0x40, 0x10, 0, 0}},
                        {kRed, kGreen, kBlue, kClear, kBlack, kRed}));
    // 8 bits, 4 colours used; index 7 lies beyond the table and draws black.
    all.push_back(Known("bits8", {.Width = 5, .Height = 2, .Bits = 8, .ColorsUsed = 4,
                                  .Palette = {0x000000, 0xFFFFFF, magenta, 0xFFFF00},
                                  .Pixels = {3, 3, 2, 1, 7, 0, 0, 0, 0, 1, 2, 3, 0, 0, 0, 0}},
                        {kBlack, kWhite, kClear, kYellow, kBlack, kYellow, kYellow, kClear, kWhite, kBlack}));
    // 16 bits 5-5-5: grey 16/31 scales to 132 (0x84); the top bit is ignored.
    all.push_back(Known("bits16", {.Width = 2, .Height = 2, .Bits = 16,
                                   .Pixels = {0x10, 0x42, 0x1F, 0x80, 0x00, 0x7C, 0x1F, 0x7C}},
                        {kRed, kClear, 0xFF848484u, kBlue}));
    // 16 bits with 5-6-5 masks: green 32/63 scales to 130 (0x82).
    all.push_back(Known("bits16_565", {.Width = 2, .Height = 2, .Bits = 16, .Compression = 3,
                                       .Masks = {0xF800, 0x07E0, 0x001F},
                                       .Pixels = {0xE0, 0x07, 0x00, 0x04, 0x00, 0xF8, 0x1F, 0xF8}},
                        {kRed, kClear, kGreen, 0xFF008200u}));
    // 24 bits, rows padded from 9 to 12 bytes.
    all.push_back(Known("bits24", {.Width = 3, .Height = 2, .Bits = 24,
                                   .Pixels = {0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0, 0,
                                              0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x56, 0x34, 0x12, 0, 0, 0}},
                        {kRed, kClear, 0xFF123456u, kGreen, kBlue, kWhite}));
    // 32 bits, top-down; the fourth byte is ignored.
    all.push_back(Known("bits32_topdown", {.Width = 2, .Height = -2, .Bits = 32,
                                           .Pixels = {0x00, 0x00, 0xFF, 0xAA, 0xFF, 0x00, 0xFF, 0x00,
                                                      0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF}},
                        {kRed, kClear, kYellow, kBlack}));
    // 32 bits with masks for bytes in red, green, blue order.
    all.push_back(Known("bits32_fields", {.Width = 2, .Height = 1, .Bits = 32, .Compression = 3,
                                          .Masks = {0x000000FF, 0x0000FF00, 0x00FF0000},
                                          .Pixels = {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00}},
                        {kRed, kClear}));
    // Run-length 8: a run, a padded literal, an early end of line, a delta, the end mark.
    all.push_back(Known("rle8", {.Width = 4, .Height = 3, .Bits = 8, .Compression = 1, .SizeImage = 22,
                                 .ColorsUsed = 3, .Palette = {0x000000, 0xFF0000, magenta},
                                 .Pixels = {4, 1, 0, 0, 0, 3, 2, 1, 2, 0, 0, 0, 1, 2, 0, 2, 2, 0, 1, 1, 0, 1}},
                        {kClear, kBlack, kBlack, kRed, kClear, kRed, kClear, kBlack, kRed, kRed, kRed, kRed}));
    // Run-length 4: an alternating run, a literal of 5 indexes padded to 4 bytes.
    all.push_back(Known("rle4", {.Width = 5, .Height = 2, .Bits = 4, .Compression = 2, .SizeImage = 12,
                                 .Palette = Palette({0x000000, 0xFF0000, 0x00FF00, 0x0000FF, magenta}, 16),
                                 .Pixels = {5, 0x12, 0, 0, 0, 5, 0x34, 0x31, 0x10, 0, 0, 1}},
                        {kBlue, kClear, kBlue, kRed, kRed, kRed, kGreen, kRed, kGreen, kRed}));
    // The OS/2 header: 3-byte colour entries, always 2^bits of them.
    all.push_back(Known("os2_bits4", {.HeaderSize = 12, .Width = 2, .Height = 2, .Bits = 4,
                                      .Palette = Palette({magenta, 0x0000FF, 0xFFFFFF}, 16),
                                      .Pixels = {0x20, 0, 0, 0, 0x01, 0, 0, 0}},
                        {kClear, kBlue, kWhite, kClear}));
    all.push_back(Known("os2_bits24", {.HeaderSize = 12, .Width = 1, .Height = 1, .Bits = 24,
                                       .Pixels = {0xFF, 0x00, 0xFF, 0}},
                        {kClear}));
    return all;
}

std::vector<KnownPicture> ImportOnlyPictures() {
    std::vector<KnownPicture> all;
    // What current paint programs write: a 108-byte header with masks (alpha too).
    all.push_back(Known("v4_bits32", {.HeaderSize = 108, .Width = 2, .Height = 1, .Bits = 32, .Compression = 3,
                                      .Masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
                                      .Pixels = {0xFF, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0x80}},
                        {kClear, kGreen}));
    // A 124-byte header, 24 bits, with a gap before the pixels.
    all.push_back(Known("v5_bits24_gap", {.HeaderSize = 124, .Width = 1, .Height = 2, .Bits = 24,
                                          .Pixels = {0xFF, 0x00, 0x00, 0, 0x00, 0x00, 0xFF, 0},
                                          .Gap = 6},
                        {kRed, kBlue}));
    // A 124-byte header with an 8-bit palette.
    all.push_back(Known("v5_bits8", {.HeaderSize = 124, .Width = 2, .Height = 1, .Bits = 8, .ColorsUsed = 2,
                                     .Palette = {0xFF00FF, 0x00FF00}, .Pixels = {1, 0, 0, 0}},
                        {kGreen, kClear}));
    // A 40-byte header whose pixels stand after a gap.
    all.push_back(Known("gap_bits8", {.Width = 1, .Height = 1, .Bits = 8, .ColorsUsed = 1,
                                      .Palette = {0xFFFF00}, .Pixels = {0, 0, 0, 0}, .Gap = 10},
                        {kYellow}));
    return all;
}

Bytes PcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::size_t extra) {
    Bytes f;
    Put16(f, 1);
    Put16(f, channels);
    Put32(f, rate);
    const auto block = static_cast<std::uint16_t>(channels * bits / 8);
    Put32(f, rate * block);
    Put16(f, block);
    Put16(f, bits);
    f.insert(f.end(), extra, 0);
    return f;
}

Bytes BuildWaveRecord(const Bytes& format, const Bytes& samples) {
    Bytes out;
    PutText(out, "RIFF");
    Put32(out, static_cast<std::uint32_t>(4 + 8 + format.size() + 8 + samples.size()));
    PutText(out, "WAVE");
    PutText(out, "fmt ");
    Put32(out, static_cast<std::uint32_t>(format.size()));
    out.insert(out.end(), format.begin(), format.end());
    PutText(out, "data");
    Put32(out, static_cast<std::uint32_t>(samples.size()));
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

ImageLibrary SampleLibrary() {
    ImageLibrary lib;
    lib.Images.resize(3);
    for (const KnownPicture& known : KnownPictures()) {
        ByteReader in(known.File);
        std::optional<Picture> picture = ReadBmpRecord(in);
        if (!picture) throw std::runtime_error("sample " + known.Name + " does not read");
        if (lib.Images[0].empty()) lib.Images[0].resize(1);
        PictureList& list = lib.Images[0][0].emplace_back();
        list.Tag = static_cast<std::int32_t>(lib.Images[0][0].size()) * 10;
        list.Pictures.push_back(std::move(*picture));
    }
    lib.Images[1].resize(2);
    lib.Images[1][1].resize(1);
    lib.Images[1][1][0].Tag = 77;
    lib.WaveList.push_back({PcmFormat(1, 22050, 8), {0x80, 0x90, 0xA0}});
    lib.WaveList.push_back({PcmFormat(2, 44100, 16, 2), {1, 2, 3, 4}});
    return lib;
}

}  // namespace tavrine::test
