// Inside the bitmap codec: the parsed headers of one bitmap and the pixel
// decoders shared by the record reader and the file import.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "data/bmp.h"
#include "data/byte_reader.h"

namespace tavrine::bmp {

inline constexpr std::size_t kFileHeaderSize = 14;

/// The headers of one bitmap as read, with views into the bytes they came from.
struct Layout {
    BmpFormat Format;
    std::uint32_t SizeImage = 0;        ///< the header's image size (run-length data length)
    std::uint32_t Masks[3] = {};        ///< red, green, blue masks of a bit-field image
    bool MasksAfterHeader = false;      ///< 40-byte header with bit fields: 12 mask bytes follow it
    std::span<const std::uint8_t> Header;  ///< the whole information header
    std::span<const std::uint8_t> Table;   ///< the colour table's bytes
    std::uint32_t EntrySize = 4;        ///< bytes per colour table entry: 4, or 3 after the OS/2 header
};

/// Sets `error` (when given) and returns false.
inline bool Fail(std::string* error, const std::string& text) {
    if (error) *error = "bitmap: " + text;
    return false;
}

/// Reads the information header at the reader's position (just after the file
/// header), the colour masks that follow a 40-byte bit-field header, and the
/// colour table, and checks them. `extended` also accepts the 52-, 56-, 108- and
/// 124-byte headers (their masks are inside the header).
bool ReadHeaders(ByteReader& in, bool extended, Layout& layout, std::string* error);

/// Bytes per stored row: rows are padded to a multiple of 4 bytes.
std::uint64_t RowStride(std::int32_t width, std::uint16_t bitCount);

/// Decodes uncompressed or bit-field rows (`data` is exactly height * stride bytes).
bool DecodeRows(const Layout& layout, std::span<const std::uint8_t> data, std::vector<std::uint32_t>& pixels,
                std::string* error);

/// Decodes run-length data. Stops at the end-of-bitmap mark or at the end of
/// `data`; `used` gets the bytes read up to and including the mark. Pixels the
/// data skips (by a delta or an early end of line or bitmap) stay opaque black.
bool DecodeRle(const Layout& layout, std::span<const std::uint8_t> data, std::vector<std::uint32_t>& pixels,
               std::size_t& used, std::string* error);

/// 0xAARRGGBB of a decoded colour 0x00RRGGBB: alpha 0 for the transparent colour.
inline std::uint32_t WithAlpha(std::uint32_t rgb) {
    return rgb == kTransparentRgb ? rgb : 0xFF000000u | rgb;
}

}  // namespace tavrine::bmp
