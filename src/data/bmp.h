// Windows bitmap (BMP) pictures: reading library records and imported files into
// decoded pictures, and encoding pictures the game makes itself.
//
// A library record is a complete .bmp file laid out without gaps: the 14-byte
// file header, a 40-byte information header (or the 12-byte OS/2 header), the
// three colour masks of a bit-field image with the 40-byte header, the colour
// table, then the pixel rows (uncompressed and bit-field images: height times
// the row stride, rows padded to 4 bytes; run-length images: the header's image
// size in bytes). Readers find each part by its position in that sequence, so a
// record is read without trusting the file header's offset and size fields.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/byte_reader.h"
#include "data/library.h"

namespace tavrine {

/// The compression field of the information header.
enum BmpCompression : std::uint32_t {
    kBmpRgb = 0,        ///< uncompressed
    kBmpRle8 = 1,       ///< run-length encoded, 8 bits per pixel
    kBmpRle4 = 2,       ///< run-length encoded, 4 bits per pixel
    kBmpBitFields = 3,  ///< uncompressed 16 or 32 bits with three colour masks
};

/// Largest picture accepted, in pixels (width times height): 4,194,304, for
/// example 2048 x 2048. The game's pictures are at most a few cells across; the
/// cap keeps a hostile header from asking for a huge allocation. Each side is
/// also at most kMaxPictureSide.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 22;
inline constexpr std::int32_t kMaxPictureSide = 16384;

/// The transparent colour, red 255 green 0 blue 255, as 0x00RRGGBB.
inline constexpr std::uint32_t kTransparentRgb = 0x00FF00FFu;

/// What a record's headers say about its picture.
struct BmpFormat {
    std::uint32_t HeaderSize = 0;  ///< 40, or 12 for the OS/2 header
    std::int32_t Width = 0;
    std::int32_t Height = 0;       ///< always positive
    bool TopDown = false;          ///< rows stored top row first (negative height in the header)
    std::uint16_t BitCount = 0;    ///< 1, 4, 8, 16, 24 or 32
    std::uint32_t Compression = kBmpRgb;
    std::uint32_t ColorCount = 0;  ///< colour table entries
};

/// Reads one library record at the reader's position and decodes it. On success
/// the reader stands right after the record, and the picture's `Record` holds the
/// record's bytes with the file header's total size and pixel offset filled in
/// and its reserved words zero, ready to be written back. Fails on anything
/// malformed (see the .cpp for the list); `error`, when given, then says why and
/// the reader's position is unspecified.
std::optional<Picture> ReadBmpRecord(ByteReader& in, std::string* error = nullptr);

/// Reads a .bmp file for import into the library. Accepts everything a record
/// may hold and also the 52-, 56-, 108- and 124-byte information headers, and
/// finds the pixels through the file header's offset (gaps allowed). The
/// picture's `Record` is the library form of the file: same bit depth,
/// compression, colour table and pixel bytes, with a larger header rewritten as
/// a 40-byte one (its colour masks moved after it) and gaps removed.
std::optional<Picture> ImportBmpFile(std::span<const std::uint8_t> file, std::string* error = nullptr);

/// The header of a record, without decoding its pixels; nullopt when the headers
/// are not those of a readable record.
std::optional<BmpFormat> DescribeBmpRecord(std::span<const std::uint8_t> record);

/// How EncodeBmpRecord stores the pixels.
enum class BmpDepth {
    Auto,      ///< 8 bits with a palette when at most 256 colours occur, else 24 bits
    Indexed8,  ///< 8 bits with a palette of the colours that occur; fails above 256
    Rgb24,     ///< 24 bits
};

/// Encodes pixels (0xAARRGGBB, rows top-down; alpha 0 means transparent and is
/// stored as magenta, any other alpha as opaque) as a bottom-up library record
/// with a 40-byte header. Empty when the size is invalid, `pixels` does not hold
/// width * height values, or Indexed8 meets more than 256 colours.
std::vector<std::uint8_t> EncodeBmpRecord(std::int32_t width, std::int32_t height,
                                          std::span<const std::uint32_t> pixels, BmpDepth depth = BmpDepth::Auto);

/// A library picture made from pixels: EncodeBmpRecord, then read back, so its
/// `Pixels` are exactly what loading the library will give.
std::optional<Picture> MakePicture(std::int32_t width, std::int32_t height, std::span<const std::uint32_t> pixels,
                                   BmpDepth depth = BmpDepth::Auto);

}  // namespace tavrine
