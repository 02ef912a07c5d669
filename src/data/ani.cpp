#include "data/ani.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "data/byte_reader.h"
#include "data/file_io.h"

namespace tavrine {

namespace {

/// The "anih" flag that says the frames are icon or cursor files (not bare bitmaps).
constexpr std::uint32_t kAniFlagIcon = 1;
constexpr std::uint32_t kAniHeaderBytes = 36;
constexpr std::uint32_t kBitmapHeaderBytes = 40;
constexpr std::uint32_t kRgbUncompressed = 0;
constexpr std::array<std::uint8_t, 4> kPngStart = {0x89, 'P', 'N', 'G'};

bool Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

bool TagIs(std::span<const std::uint8_t> bytes, std::size_t at, const char* tag) {
    return bytes.size() >= at + 4 && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

/// Bytes per row of `width` pixels at `bits` per pixel, rows padded to 4 bytes.
std::size_t Stride(std::int32_t width, std::uint32_t bits) {
    return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
}

/// The `bits`-wide value of pixel x in a packed row (1, 4 or 8 bits).
std::uint32_t PackedIndex(std::span<const std::uint8_t> row, std::int32_t x, std::uint32_t bits) {
    const std::size_t bit = static_cast<std::size_t>(x) * bits;
    const std::uint8_t byte = row[bit / 8];
    const std::uint32_t shift = 8 - bits - static_cast<std::uint32_t>(bit % 8);
    return (byte >> shift) & ((1u << bits) - 1u);
}

struct BitmapHeader {
    std::uint32_t Size = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;  ///< the picture's own height (half the header's, which counts the mask)
    std::uint32_t Bits = 0;
    std::uint32_t Compression = 0;
    std::uint32_t ColorsUsed = 0;
};

std::optional<BitmapHeader> ReadBitmapHeader(std::span<const std::uint8_t> image, std::string* error) {
    ByteReader in(image);
    BitmapHeader h;
    std::int32_t doubledHeight = 0;
    std::uint16_t planes = 0, bits = 0;
    std::uint32_t sizeImage = 0, xRes = 0, yRes = 0;
    if (!in.ReadU32(h.Size) || !in.ReadI32(h.Width) || !in.ReadI32(doubledHeight) || !in.ReadU16(planes) ||
        !in.ReadU16(bits) || !in.ReadU32(h.Compression) || !in.ReadU32(sizeImage) || !in.ReadU32(xRes) ||
        !in.ReadU32(yRes) || !in.ReadU32(h.ColorsUsed)) {
        Fail(error, "cursor image header is cut short");
        return std::nullopt;
    }
    h.Bits = bits;
    if (h.Size < kBitmapHeaderBytes || h.Size > image.size()) {
        Fail(error, "cursor image header has a wrong size");
        return std::nullopt;
    }
    // The stored height counts the picture and its mask; a top-down (negative)
    // height has no meaning in an icon.
    if (h.Width < 1 || h.Width > kMaxCursorSide || doubledHeight < 2 || doubledHeight > 2 * kMaxCursorSide) {
        Fail(error, "cursor image has an impossible size");
        return std::nullopt;
    }
    h.Height = doubledHeight / 2;
    if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 24 && h.Bits != 32) {
        Fail(error, "cursor image has an unsupported bit count");
        return std::nullopt;
    }
    if (h.Compression != kRgbUncompressed) {
        Fail(error, "cursor image is compressed");
        return std::nullopt;
    }
    return h;
}

/// Decodes the bitmap of one directory entry (header, colour table, colour rows
/// and mask rows, all bottom-up) into `out`'s size and pixels.
bool DecodeBitmap(std::span<const std::uint8_t> image, CursorImage& out, std::string* error) {
    const std::optional<BitmapHeader> h = ReadBitmapHeader(image, error);
    if (!h) return false;

    std::size_t colors = 0;
    if (h->Bits <= 8) {
        const std::size_t full = std::size_t{1} << h->Bits;
        colors = h->ColorsUsed == 0 ? full : h->ColorsUsed;
        if (colors > full) return Fail(error, "cursor image has too many colours");
    }
    const std::size_t xorStride = Stride(h->Width, h->Bits);
    const std::size_t andStride = Stride(h->Width, 1);
    const auto rows = static_cast<std::size_t>(h->Height);
    // Every part is bounded by the 256 x 256 limit, so these sums cannot overflow.
    const std::size_t tableAt = h->Size;
    const std::size_t xorAt = tableAt + colors * 4;
    const std::size_t andAt = xorAt + xorStride * rows;
    if (andAt + andStride * rows > image.size()) return Fail(error, "cursor image is cut short");

    std::vector<std::uint32_t> palette(colors);
    for (std::size_t i = 0; i < colors; ++i) {
        const std::size_t p = tableAt + i * 4;
        palette[i] = (static_cast<std::uint32_t>(image[p + 2]) << 16) | (static_cast<std::uint32_t>(image[p + 1]) << 8) |
                     image[p];
    }

    out.Width = h->Width;
    out.Height = h->Height;
    out.Pixels.assign(static_cast<std::size_t>(h->Width) * rows, 0);
    bool anyAlpha = false;
    for (std::size_t r = 0; r < rows; ++r) {
        const std::span<const std::uint8_t> row = image.subspan(xorAt + r * xorStride, xorStride);
        std::uint32_t* dst = &out.Pixels[(rows - 1 - r) * static_cast<std::size_t>(h->Width)];
        for (std::int32_t x = 0; x < h->Width; ++x) {
            std::uint32_t argb = 0;
            if (h->Bits <= 8) {
                const std::uint32_t index = PackedIndex(row, x, h->Bits);
                argb = index < colors ? palette[index] : 0;  // an index past the table shows black
            } else {
                const std::size_t p = static_cast<std::size_t>(x) * (h->Bits / 8);
                argb = (static_cast<std::uint32_t>(row[p + 2]) << 16) | (static_cast<std::uint32_t>(row[p + 1]) << 8) | row[p];
                if (h->Bits == 32) {
                    argb |= static_cast<std::uint32_t>(row[p + 3]) << 24;
                    anyAlpha = anyAlpha || row[p + 3] != 0;
                }
            }
            dst[x] = argb;
        }
    }
    if (anyAlpha) return true;
    // No alpha channel worth the name: the mask decides (1 lets the screen through).
    for (std::size_t r = 0; r < rows; ++r) {
        const std::span<const std::uint8_t> mask = image.subspan(andAt + r * andStride, andStride);
        std::uint32_t* dst = &out.Pixels[(rows - 1 - r) * static_cast<std::size_t>(h->Width)];
        for (std::int32_t x = 0; x < h->Width; ++x)
            dst[x] = PackedIndex(mask, x, 1) ? 0u : ((dst[x] & 0x00FFFFFFu) | 0xFF000000u);
    }
    return true;
}

struct Chunk {
    std::size_t DataAt = 0;
    std::span<const std::uint8_t> Data;
    char Tag[4] = {};
};

/// Walks the chunks between `at` and `end` of `bytes` (each an id, a size and
/// the data, padded to an even length), calling `visit` for each. Fails when a
/// chunk claims more bytes than remain; a pad byte missing at the very end is
/// forgiven.
template <typename Visit>
bool WalkChunks(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t end, std::string* error, Visit&& visit) {
    while (at < end) {
        if (end - at < 8) return Fail(error, "chunk header is cut short");
        const std::uint32_t size = PeekU32(bytes, at + 4);
        if (size > end - at - 8) return Fail(error, "chunk runs past the end of the file");
        Chunk c;
        std::memcpy(c.Tag, bytes.data() + at, 4);
        c.DataAt = at + 8;
        c.Data = bytes.subspan(at + 8, size);
        if (!visit(c)) return false;
        at = c.DataAt + size + (size & 1u);
    }
    return true;
}

bool Is(const Chunk& c, const char* tag) { return std::memcmp(c.Tag, tag, 4) == 0; }

/// The four-byte entries of a "rate" or "seq " chunk.
std::vector<std::uint32_t> Entries(std::span<const std::uint8_t> data) {
    std::vector<std::uint32_t> v(data.size() / 4);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = PeekU32(data, i * 4);
    return v;
}

std::uint32_t ClampJiffies(std::uint32_t j) { return std::clamp<std::uint32_t>(j, 1, kMaxCursorJiffies); }

}  // namespace

std::optional<CursorImage> ReadCursorImage(std::span<const std::uint8_t> file, std::string* error) {
    ByteReader in(file);
    std::uint16_t reserved = 0, type = 0, count = 0;
    if (!in.ReadU16(reserved) || !in.ReadU16(type) || !in.ReadU16(count)) {
        Fail(error, "cursor directory is cut short");
        return std::nullopt;
    }
    if (reserved != 0 || (type != 1 && type != 2) || count == 0) {
        Fail(error, "not a cursor or icon file");
        return std::nullopt;
    }
    std::uint8_t width = 0, height = 0, colorCount = 0, reservedByte = 0;
    std::uint16_t hotX = 0, hotY = 0;
    std::uint32_t bytes = 0, offset = 0;
    if (!in.ReadU8(width) || !in.ReadU8(height) || !in.ReadU8(colorCount) || !in.ReadU8(reservedByte) || !in.ReadU16(hotX) ||
        !in.ReadU16(hotY) || !in.ReadU32(bytes) || !in.ReadU32(offset)) {
        Fail(error, "cursor directory entry is cut short");
        return std::nullopt;
    }
    if (offset > file.size() || bytes > file.size() - offset) {
        Fail(error, "cursor image lies outside the file");
        return std::nullopt;
    }
    const std::span<const std::uint8_t> image = file.subspan(offset, bytes);
    if (image.size() >= kPngStart.size() && std::equal(kPngStart.begin(), kPngStart.end(), image.begin())) {
        Fail(error, "compressed cursor images are not supported");
        return std::nullopt;
    }
    CursorImage out;
    if (!DecodeBitmap(image, out, error)) return std::nullopt;
    if (type == 2) {
        if (hotX >= out.Width || hotY >= out.Height) {
            Fail(error, "cursor hot spot lies outside the picture");
            return std::nullopt;
        }
        out.HotX = hotX;
        out.HotY = hotY;
    }
    return out;
}

std::optional<AnimatedCursor> ReadAnimatedCursor(std::span<const std::uint8_t> file, std::string* error) {
    if (file.size() > kMaxCursorFileBytes) {
        Fail(error, "cursor file is too large");
        return std::nullopt;
    }
    if (file.size() < 12 || !TagIs(file, 0, "RIFF") || !TagIs(file, 8, "ACON")) {
        Fail(error, "not an animated cursor file");
        return std::nullopt;
    }
    // A form length past the end of the file is read as far as the file goes.
    const std::size_t end = std::min<std::size_t>(file.size(), std::size_t{PeekU32(file, 4)} + 8);

    std::optional<std::span<const std::uint8_t>> header, rates, sequence;
    std::vector<std::span<const std::uint8_t>> icons;
    const bool walked = WalkChunks(file, 12, end, error, [&](const Chunk& c) {
        if (Is(c, "anih")) {
            if (!header) header = c.Data;
        } else if (Is(c, "rate")) {
            if (!rates) rates = c.Data;
        } else if (Is(c, "seq ")) {
            if (!sequence) sequence = c.Data;
        } else if (Is(c, "LIST") && c.Data.size() >= 4 && TagIs(c.Data, 0, "fram")) {
            return WalkChunks(file, c.DataAt + 4, c.DataAt + c.Data.size(), error, [&](const Chunk& frame) {
                if (!Is(frame, "icon")) return true;
                if (icons.size() == kMaxCursorFrames) return Fail(error, "cursor has too many frames");
                icons.push_back(frame.Data);
                return true;
            });
        }
        return true;
    });
    if (!walked) return std::nullopt;

    if (!header || header->size() < kAniHeaderBytes) {
        Fail(error, "animated cursor header is missing");
        return std::nullopt;
    }
    const std::uint32_t frames = PeekU32(*header, 4);
    const std::uint32_t steps = PeekU32(*header, 8);
    const std::uint32_t rate = PeekU32(*header, 28);
    const std::uint32_t flags = PeekU32(*header, 32);
    if ((flags & kAniFlagIcon) == 0) {
        Fail(error, "animated cursor frames are not cursor images");
        return std::nullopt;
    }
    if (frames == 0 || frames > icons.size()) {
        Fail(error, "animated cursor has fewer frames than its header says");
        return std::nullopt;
    }

    AnimatedCursor cursor;
    std::vector<std::uint32_t> order;
    if (sequence) {
        order = Entries(*sequence);
        if (steps == 0 || steps > kMaxCursorSteps || order.size() < steps) {
            Fail(error, "animated cursor sequence does not match its header");
            return std::nullopt;
        }
        order.resize(steps);
        if (std::any_of(order.begin(), order.end(), [&](std::uint32_t f) { return f >= frames; })) {
            Fail(error, "animated cursor sequence names a missing frame");
            return std::nullopt;
        }
    } else {
        order.resize(frames);
        for (std::uint32_t i = 0; i < frames; ++i) order[i] = i;
    }
    std::vector<std::uint32_t> durations;
    if (rates) {
        durations = Entries(*rates);
        if (durations.size() < order.size()) {
            Fail(error, "animated cursor has fewer rates than steps");
            return std::nullopt;
        }
    }
    cursor.Steps.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        cursor.Steps.push_back({static_cast<std::int32_t>(order[i]), ClampJiffies(rates ? durations[i] : rate)});

    cursor.Frames.reserve(frames);
    for (std::uint32_t i = 0; i < frames; ++i) {
        std::optional<CursorImage> image = ReadCursorImage(icons[i], error);
        if (!image) return std::nullopt;
        cursor.Frames.push_back(std::move(*image));
    }
    return cursor;
}

std::optional<AnimatedCursor> LoadAnimatedCursor(const std::string& path) {
    const std::optional<Bytes> bytes = ReadWholeFile(path, kMaxCursorFileBytes);
    if (!bytes) return std::nullopt;
    return ReadAnimatedCursor(*bytes);
}

}  // namespace tavrine
