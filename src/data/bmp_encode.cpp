// Encoding pictures the game makes itself as library records.
#include <unordered_map>

#include "data/bmp.h"
#include "data/bmp_layout.h"

namespace tavrine {

using namespace bmp;

namespace {

constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

/// The stored colour of a pixel: transparent pixels become magenta.
std::uint32_t StoredRgb(std::uint32_t argb) { return (argb >> 24) == 0 ? kTransparentRgb : argb & 0x00FFFFFFu; }

void PutHeaders(std::vector<std::uint8_t>& out, std::int32_t width, std::int32_t height, std::uint16_t bits,
                const std::vector<std::uint32_t>& palette, std::uint32_t dataBytes) {
    const auto tableBytes = static_cast<std::uint32_t>(palette.size() * 4);
    const std::uint32_t offset = static_cast<std::uint32_t>(kFileHeaderSize) + 40 + tableBytes;
    out.push_back('B');
    out.push_back('M');
    PutU32(out, offset + dataBytes);
    PutU32(out, 0);
    PutU32(out, offset);
    PutU32(out, 40);
    PutI32(out, width);
    PutI32(out, height);
    PutU16(out, 1);
    PutU16(out, bits);
    PutU32(out, kBmpRgb);
    PutU32(out, dataBytes);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, static_cast<std::uint32_t>(palette.size()));
    PutU32(out, 0);
    for (const std::uint32_t rgb : palette) PutU32(out, rgb);  // blue, green, red, 0
}

/// The colours in order of first appearance, up to 257 (one more than a palette holds).
std::vector<std::uint32_t> CollectColors(std::span<const std::uint32_t> pixels,
                                         std::unordered_map<std::uint32_t, std::uint8_t>& index) {
    std::vector<std::uint32_t> colors;
    for (const std::uint32_t p : pixels) {
        const std::uint32_t rgb = StoredRgb(p);
        if (index.count(rgb)) continue;
        if (colors.size() == 256) {
            colors.push_back(rgb);
            break;
        }
        index.emplace(rgb, static_cast<std::uint8_t>(colors.size()));
        colors.push_back(rgb);
    }
    return colors;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmpRecord(std::int32_t width, std::int32_t height,
                                          std::span<const std::uint32_t> pixels, BmpDepth depth) {
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        std::int64_t{width} * height > kMaxPicturePixels ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return {};
    std::unordered_map<std::uint32_t, std::uint8_t> index;
    std::vector<std::uint32_t> palette;
    if (depth != BmpDepth::Rgb24) {
        palette = CollectColors(pixels, index);
        if (palette.size() > 256) {
            if (depth == BmpDepth::Indexed8) return {};
            palette.clear();
        }
    }
    const bool indexed = !palette.empty();
    const std::uint16_t bits = indexed ? 8 : 24;
    const auto w = static_cast<std::size_t>(width);
    const auto stride = static_cast<std::size_t>(RowStride(width, bits));
    const auto dataBytes = static_cast<std::uint32_t>(stride * static_cast<std::size_t>(height));
    std::vector<std::uint8_t> out;
    out.reserve(kFileHeaderSize + 40 + palette.size() * 4 + dataBytes);
    PutHeaders(out, width, height, bits, palette, dataBytes);
    for (std::int32_t r = height - 1; r >= 0; --r) {  // bottom row first
        const std::uint32_t* row = pixels.data() + static_cast<std::size_t>(r) * w;
        const std::size_t rowStart = out.size();
        for (std::size_t x = 0; x < w; ++x) {
            const std::uint32_t rgb = StoredRgb(row[x]);
            if (indexed) {
                out.push_back(index.at(rgb));
            } else {
                out.push_back(static_cast<std::uint8_t>(rgb));
                out.push_back(static_cast<std::uint8_t>(rgb >> 8));
                out.push_back(static_cast<std::uint8_t>(rgb >> 16));
            }
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

std::optional<Picture> MakePicture(std::int32_t width, std::int32_t height, std::span<const std::uint32_t> pixels,
                                   BmpDepth depth) {
    const std::vector<std::uint8_t> record = EncodeBmpRecord(width, height, pixels, depth);
    if (record.empty()) return std::nullopt;
    ByteReader in(record);
    return ReadBmpRecord(in);
}

}  // namespace tavrine
