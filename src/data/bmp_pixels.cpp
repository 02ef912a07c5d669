// Decoding bitmap pixel data: palette rows, direct colour rows and run-length data.
#include <algorithm>
#include <string>

#include "data/bmp_layout.h"

namespace tavrine::bmp {

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

/// The colour table as 0xAARRGGBB values (entries are blue, green, red[, reserved]);
/// entries beyond what the bit count can index are left out.
std::vector<std::uint32_t> DecodePalette(const Layout& layout) {
    std::vector<std::uint32_t> palette;
    std::size_t count = layout.Table.size() / layout.EntrySize;
    if (layout.Format.BitCount <= 8) count = std::min<std::size_t>(count, std::size_t{1} << layout.Format.BitCount);
    palette.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = layout.Table.data() + i * layout.EntrySize;
        palette.push_back(WithAlpha((std::uint32_t{e[2]} << 16) | (std::uint32_t{e[1]} << 8) | e[0]));
    }
    return palette;
}

/// An index beyond the colour table draws black.
std::uint32_t PaletteColor(const std::vector<std::uint32_t>& palette, unsigned index) {
    return index < palette.size() ? palette[index] : kBlack;
}

/// One colour channel of a masked pixel, scaled to 0..255 with rounding.
struct Channel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint64_t Max = 0;

    explicit Channel(std::uint32_t mask) : Mask(mask) {
        if (mask == 0) return;
        while (((mask >> Shift) & 1u) == 0) ++Shift;
        Max = mask >> Shift;
    }
    std::uint32_t operator()(std::uint32_t pixel) const {
        if (Max == 0) return 0;
        const std::uint64_t v = (pixel & Mask) >> Shift;
        return static_cast<std::uint32_t>((v * 255 + Max / 2) / Max);
    }
};

struct MaskDecoder {
    Channel Red, Green, Blue;
    std::uint32_t operator()(std::uint32_t pixel) const {
        return WithAlpha((Red(pixel) << 16) | (Green(pixel) << 8) | Blue(pixel));
    }
};

MaskDecoder MasksFor(const Layout& layout) {
    if (layout.Format.Compression == kBmpBitFields)
        return {Channel(layout.Masks[0]), Channel(layout.Masks[1]), Channel(layout.Masks[2])};
    if (layout.Format.BitCount == 16) return {Channel(0x7C00u), Channel(0x03E0u), Channel(0x001Fu)};  // 5-5-5
    return {Channel(0xFF0000u), Channel(0x00FF00u), Channel(0x0000FFu)};
}

void DecodeRow(const Layout& layout, const std::vector<std::uint32_t>& palette, const MaskDecoder& masks,
               const std::uint8_t* row, std::uint32_t* out) {
    const auto width = static_cast<std::size_t>(layout.Format.Width);
    switch (layout.Format.BitCount) {
        case 1:
            for (std::size_t x = 0; x < width; ++x) out[x] = PaletteColor(palette, (row[x / 8] >> (7 - x % 8)) & 1u);
            break;
        case 4:
            for (std::size_t x = 0; x < width; ++x)
                out[x] = PaletteColor(palette, x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0Fu);
            break;
        case 8:
            for (std::size_t x = 0; x < width; ++x) out[x] = PaletteColor(palette, row[x]);
            break;
        case 16:
            for (std::size_t x = 0; x < width; ++x) out[x] = masks(PeekU16({row + 2 * x, 2}, 0));
            break;
        case 24:
            for (std::size_t x = 0; x < width; ++x) {
                const std::uint8_t* p = row + 3 * x;
                out[x] = WithAlpha((std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0]);
            }
            break;
        case 32:
            for (std::size_t x = 0; x < width; ++x) out[x] = masks(PeekU32({row + 4 * x, 4}, 0));
            break;
    }
}

}  // namespace

bool DecodeRows(const Layout& layout, std::span<const std::uint8_t> data, std::vector<std::uint32_t>& pixels,
                std::string* error) {
    const BmpFormat& f = layout.Format;
    const auto stride = static_cast<std::size_t>(RowStride(f.Width, f.BitCount));
    const auto width = static_cast<std::size_t>(f.Width), height = static_cast<std::size_t>(f.Height);
    if (data.size() != stride * height) return Fail(error, "pixel data has the wrong length");
    const std::vector<std::uint32_t> palette = DecodePalette(layout);
    const MaskDecoder masks = MasksFor(layout);
    pixels.assign(width * height, kBlack);
    for (std::size_t r = 0; r < height; ++r) {
        const std::size_t y = f.TopDown ? r : height - 1 - r;
        DecodeRow(layout, palette, masks, data.data() + r * stride, pixels.data() + y * width);
    }
    return true;
}

bool DecodeRle(const Layout& layout, std::span<const std::uint8_t> data, std::vector<std::uint32_t>& pixels,
               std::size_t& used, std::string* error) {
    const BmpFormat& f = layout.Format;
    const bool four = f.Compression == kBmpRle4;
    const auto width = static_cast<std::size_t>(f.Width), height = static_cast<std::size_t>(f.Height);
    const std::vector<std::uint32_t> palette = DecodePalette(layout);
    pixels.assign(width * height, kBlack);
    std::size_t x = 0, row = 0;  // row counts from the bottom of the picture
    // Pixels a run puts past the end of its row are dropped: common tools encode
    // every row out to the 4-byte stride. Runs above the top row are refused.
    auto put = [&](unsigned index) {
        if (x < width) pixels[(height - 1 - row) * width + x++] = PaletteColor(palette, index);
    };

    std::size_t pos = 0;
    while (pos < data.size()) {
        if (data.size() - pos < 2) return Fail(error, "run-length data ends inside a code");
        const std::uint8_t count = data[pos], value = data[pos + 1];
        pos += 2;
        if (count > 0) {  // a run of one index (two alternating indexes for 4 bits)
            if (row >= height) return Fail(error, "run-length data runs past the picture");
            for (unsigned i = 0; i < count; ++i) put(four ? (i % 2 == 0 ? value >> 4 : value & 0x0Fu) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++row;
        } else if (value == 1) {  // end of bitmap
            used = pos;
            return true;
        } else if (value == 2) {  // move right and up
            if (data.size() - pos < 2) return Fail(error, "run-length delta cut short");
            x += data[pos];
            row += data[pos + 1];
            pos += 2;
            if (x > width || row > height) return Fail(error, "run-length delta moves past the picture");
        } else {  // `value` literal indexes, padded to an even number of bytes
            const std::size_t bytes = four ? (value + 1u) / 2 : value;
            const std::size_t padded = bytes + bytes % 2;
            if (data.size() - pos < padded) return Fail(error, "run-length literal cut short");
            if (row >= height) return Fail(error, "run-length data runs past the picture");
            for (unsigned i = 0; i < value; ++i) {
                const std::uint8_t b = data[pos + (four ? i / 2 : i)];
                put(four ? (i % 2 == 0 ? b >> 4 : b & 0x0Fu) : b);
            }
            pos += padded;
        }
    }
    used = pos;  // no end-of-bitmap mark: the data ends the picture
    return true;
}

}  // namespace tavrine::bmp
