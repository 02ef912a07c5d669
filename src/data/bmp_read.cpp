// Reading bitmap headers and library records.
//
// A record is refused when: it does not start with "BM"; its information header
// is not 40 or 12 bytes (import also takes 52, 56, 108 and 124); the bit count
// is not 1, 4, 8, 16, 24 or 32 (the OS/2 header: 1, 4, 8 or 24); the compression
// does not fit the bit count (run-length 8 only with 8 bits, run-length 4 only
// with 4 bits, bit fields only with 16 or 32 bits; run-length images are never
// top-down); the width is not positive or the height is 0; a side exceeds
// kMaxPictureSide or the area kMaxPicturePixels; a colour mask is not one run
// of bits or does not fit the pixel; the colour table has more than 256
// entries; any part runs past the end of the bytes; or run-length data is
// malformed or draws above the top row (pixels past the end of a row are dropped).
#include <string>

#include "data/bmp.h"
#include "data/bmp_layout.h"

namespace tavrine::bmp {

namespace {

constexpr std::uint16_t kSignature = 0x4D42;  // "BM"

bool IsValidBitCount(std::uint16_t bits, bool core) {
    switch (bits) {
        case 1: case 4: case 8: case 24: return true;
        case 16: case 32: return !core;
        default: return false;
    }
}

/// One run of set bits that fits in `bits` bits (an empty mask is allowed: the
/// channel is then 0).
bool IsValidMask(std::uint32_t mask, std::uint16_t bits) {
    if (mask == 0) return true;
    if (bits == 16 && mask > 0xFFFFu) return false;
    std::uint64_t m = mask;
    while ((m & 1u) == 0) m >>= 1;
    return ((m + 1) & m) == 0;
}

bool ReadCoreHeader(std::span<const std::uint8_t> h, Layout& layout) {
    BmpFormat& f = layout.Format;
    f.Width = PeekU16(h, 4);
    f.Height = PeekU16(h, 6);
    f.BitCount = PeekU16(h, 10);
    f.Compression = kBmpRgb;
    f.TopDown = false;
    layout.EntrySize = 3;
    return true;
}

bool ReadInfoHeader(std::span<const std::uint8_t> h, Layout& layout, std::string* error) {
    BmpFormat& f = layout.Format;
    const auto width = static_cast<std::int32_t>(PeekU32(h, 4));
    const auto height = static_cast<std::int32_t>(PeekU32(h, 8));
    if (width <= 0 || height == 0) return Fail(error, "width or height is not positive");
    if (height == INT32_MIN) return Fail(error, "height out of range");
    f.Width = width;
    f.Height = height < 0 ? -height : height;
    f.TopDown = height < 0;
    f.BitCount = PeekU16(h, 14);
    f.Compression = PeekU32(h, 16);
    layout.SizeImage = PeekU32(h, 20);
    const std::uint32_t colorsUsed = PeekU32(h, 32);
    if (colorsUsed > 256) return Fail(error, "colour table of more than 256 entries");
    f.ColorCount = colorsUsed;
    layout.EntrySize = 4;
    if (h.size() >= 52) {
        for (int i = 0; i < 3; ++i) layout.Masks[i] = PeekU32(h, 40 + 4 * static_cast<std::size_t>(i));
    }
    return true;
}

bool CheckFormat(Layout& layout, std::string* error) {
    BmpFormat& f = layout.Format;
    const bool core = f.HeaderSize == 12;
    if (!IsValidBitCount(f.BitCount, core)) return Fail(error, "unsupported bit count " + std::to_string(f.BitCount));
    switch (f.Compression) {
        case kBmpRgb: break;
        case kBmpRle8:
        case kBmpRle4:
            if (f.BitCount != (f.Compression == kBmpRle8 ? 8 : 4))
                return Fail(error, "run-length compression does not match the bit count");
            if (f.TopDown) return Fail(error, "a run-length image cannot be top-down");
            break;
        case kBmpBitFields:
            if (f.BitCount != 16 && f.BitCount != 32) return Fail(error, "bit fields need 16 or 32 bits per pixel");
            break;
        default: return Fail(error, "unsupported compression " + std::to_string(f.Compression));
    }
    if (f.Width <= 0 || f.Height <= 0) return Fail(error, "width or height is not positive");
    if (f.Width > kMaxPictureSide || f.Height > kMaxPictureSide ||
        std::int64_t{f.Width} * f.Height > kMaxPicturePixels)
        return Fail(error, "picture of " + std::to_string(f.Width) + " x " + std::to_string(f.Height) +
                               " pixels is larger than the game accepts");
    if (f.BitCount <= 8) {
        // A table with more entries than the bit count can index is read whole
        // (and kept in the record); the pixels never reach the extra entries.
        const std::uint32_t most = 1u << f.BitCount;
        if (f.ColorCount == 0 || core) f.ColorCount = most;
    }
    return true;
}

bool CheckMasks(const Layout& layout, std::string* error) {
    if (layout.Format.Compression != kBmpBitFields) return true;
    for (const std::uint32_t mask : layout.Masks)
        if (!IsValidMask(mask, layout.Format.BitCount)) return Fail(error, "colour mask is not one run of bits");
    return true;
}

}  // namespace

bool ReadHeaders(ByteReader& in, bool extended, Layout& layout, std::string* error) {
    const std::span<const std::uint8_t> rest = in.Rest();
    std::uint32_t size = 0;
    if (!in.ReadU32(size)) return Fail(error, "information header cut short");
    const bool known = size == 12 || size == 40 || (extended && (size == 52 || size == 56 || size == 108 || size == 124));
    if (!known) return Fail(error, "unsupported information header of " + std::to_string(size) + " bytes");
    if (!in.Skip(size - 4)) return Fail(error, "information header cut short");
    layout.Header = rest.subspan(0, size);
    layout.Format.HeaderSize = size;
    if (size == 12) {
        ReadCoreHeader(layout.Header, layout);
    } else if (!ReadInfoHeader(layout.Header, layout, error)) {
        return false;
    }
    if (!CheckFormat(layout, error)) return false;
    layout.MasksAfterHeader = size == 40 && layout.Format.Compression == kBmpBitFields;
    if (layout.MasksAfterHeader) {
        for (std::uint32_t& mask : layout.Masks)
            if (!in.ReadU32(mask)) return Fail(error, "colour masks cut short");
    }
    if (!CheckMasks(layout, error)) return false;
    const std::uint64_t tableBytes = std::uint64_t{layout.Format.ColorCount} * layout.EntrySize;
    if (!in.Take(tableBytes, layout.Table)) return Fail(error, "colour table cut short");
    return true;
}

std::uint64_t RowStride(std::int32_t width, std::uint16_t bitCount) {
    return (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
}

}  // namespace tavrine::bmp

namespace tavrine {

using namespace bmp;

namespace {

bool ReadFileHeader(ByteReader& in, std::string* error) {
    std::uint16_t signature = 0;
    if (!in.ReadU16(signature) || signature != kSignature) return Fail(error, "no \"BM\" signature");
    if (!in.Skip(kFileHeaderSize - 2)) return Fail(error, "file header cut short");
    return true;
}

}  // namespace

std::optional<Picture> ReadBmpRecord(ByteReader& in, std::string* error) {
    const std::span<const std::uint8_t> start = in.Rest();
    const std::size_t startPos = in.Position();
    Layout layout;
    if (!ReadFileHeader(in, error) || !ReadHeaders(in, false, layout, error)) return std::nullopt;
    const std::size_t pixelOffset = in.Position() - startPos;
    const BmpFormat& f = layout.Format;
    const bool rle = f.Compression == kBmpRle8 || f.Compression == kBmpRle4;
    const std::uint64_t dataBytes = rle ? layout.SizeImage : RowStride(f.Width, f.BitCount) * f.Height;
    std::span<const std::uint8_t> data;
    if (!in.Take(dataBytes, data)) {
        Fail(error, "pixel data cut short");
        return std::nullopt;
    }
    Picture picture;
    picture.Width = f.Width;
    picture.Height = f.Height;
    if (rle) {
        std::size_t used = 0;
        if (!DecodeRle(layout, data, picture.Pixels, used, error)) return std::nullopt;
    } else if (!DecodeRows(layout, data, picture.Pixels, error)) {
        return std::nullopt;
    }
    const std::size_t length = in.Position() - startPos;
    picture.Record.assign(start.begin(), start.begin() + static_cast<std::ptrdiff_t>(length));
    PokeU32(picture.Record, 2, static_cast<std::uint32_t>(length));
    PokeU32(picture.Record, 6, 0);
    PokeU32(picture.Record, 10, static_cast<std::uint32_t>(pixelOffset));
    return picture;
}

std::optional<BmpFormat> DescribeBmpRecord(std::span<const std::uint8_t> record) {
    ByteReader in(record);
    Layout layout;
    if (!ReadFileHeader(in, nullptr) || !ReadHeaders(in, false, layout, nullptr)) return std::nullopt;
    return layout.Format;
}

}  // namespace tavrine
