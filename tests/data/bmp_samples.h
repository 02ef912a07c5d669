// Bitmap, wave and library files built byte by byte, with the colours they hold
// known from their construction rather than from the decoder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/library.h"

namespace tavrine::test {

using Bytes = std::vector<std::uint8_t>;

/// Decoded colours, 0xAARRGGBB.
inline constexpr std::uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu, kBlack = 0xFF000000u,
                               kWhite = 0xFFFFFFFFu, kYellow = 0xFFFFFF00u, kClear = 0x00FF00FFu;

/// Every field of a bitmap file, written as given.
struct BmpSpec {
    std::uint32_t HeaderSize = 40;     ///< 12, 40, 52, 56, 108 or 124
    std::int32_t Width = 0;
    std::int32_t Height = 0;           ///< negative: top-down
    std::uint16_t Bits = 8;
    std::uint32_t Compression = 0;
    std::uint32_t SizeImage = 0;
    std::uint32_t ColorsUsed = 0;
    std::vector<std::uint32_t> Palette{};  ///< 0x00RRGGBB; blue, green, red[, 0] in the file
    std::vector<std::uint32_t> Masks{};    ///< after a 40-byte header, inside a larger one
    Bytes Pixels{};                        ///< the stored pixel bytes
    std::uint32_t Gap = 0;               ///< zero bytes between the colour table and the pixels
};

/// The file `spec` describes, with a correct total size and pixel offset.
Bytes BuildBmp(const BmpSpec& spec);

/// A known picture: its file and the colours it must decode to (rows top-down).
struct KnownPicture {
    std::string Name;
    Bytes File;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint32_t> Expected;
};

/// One picture per depth and compression: 1, 4, 8, 16 (5-5-5 and 5-6-5 bit
/// fields), 24, 32 (plain and bit fields), run-length 8 and 4, the OS/2 header,
/// bottom-up and top-down; each with the transparent colour. Every one is also
/// a valid library record.
std::vector<KnownPicture> KnownPictures();

/// Files only import accepts (108- and 124-byte headers, gaps before the pixels).
std::vector<KnownPicture> ImportOnlyPictures();

/// A wave file in library form, built byte by byte: "RIFF", size, "WAVE",
/// "fmt " with `format`, "data" with `samples`, no pad bytes.
Bytes BuildWaveRecord(const Bytes& format, const Bytes& samples);

/// A PCM format block: tag 1, `channels`, `rate`, `bits`; `extra` bytes more
/// (18 bytes with extra 2, as some programs write).
Bytes PcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::size_t extra = 0);

/// Little-endian helpers for building files.
void Put16(Bytes& out, std::uint16_t v);
void Put32(Bytes& out, std::uint32_t v);
void PutText(Bytes& out, const char* fourChars);

/// A small library holding every known picture (group 0: one list per picture;
/// group 1: an empty subgroup and a subgroup with an empty list tagged 77; group
/// 2: empty) and two sounds, one with an 18-byte format block.
ImageLibrary SampleLibrary();

}  // namespace tavrine::test
