#include "png_writer.h"

#include <algorithm>
#include <array>

namespace tavrine::assets {

namespace {

std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[n] = c;
    }
    return t;
}

/// Writes bits least significant first, as deflate packs them.
class BitWriter {
public:
    explicit BitWriter(ByteVector& out) : out_(out) {}
    void Bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            acc_ |= ((value >> i) & 1u) << fill_;
            if (++fill_ == 8) Flush();
        }
    }
    /// A Huffman code, which deflate stores most significant bit first.
    void Code(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) Bits((code >> i) & 1u, 1);
    }
    void Finish() {
        if (fill_ > 0) Flush();
    }

private:
    void Flush() {
        out_.push_back(static_cast<std::uint8_t>(acc_));
        acc_ = 0;
        fill_ = 0;
    }
    ByteVector& out_;
    std::uint32_t acc_ = 0;
    int fill_ = 0;
};

void Literal(BitWriter& w, int symbol) {
    if (symbol < 144) w.Code(0x30u + static_cast<std::uint32_t>(symbol), 8);
    else if (symbol < 256) w.Code(0x190u + static_cast<std::uint32_t>(symbol - 144), 9);
    else if (symbol < 280) w.Code(static_cast<std::uint32_t>(symbol - 256), 7);
    else w.Code(0xC0u + static_cast<std::uint32_t>(symbol - 280), 8);
}

constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                               193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter& w, int length, int distance) {
    int li = 28;
    while (kLengthBase[li] > length) --li;
    Literal(w, 257 + li);
    w.Bits(static_cast<std::uint32_t>(length - kLengthBase[li]), kLengthExtra[li]);
    int di = 29;
    while (kDistBase[di] > distance) --di;
    w.Code(static_cast<std::uint32_t>(di), 5);
    w.Bits(static_cast<std::uint32_t>(distance - kDistBase[di]), kDistExtra[di]);
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc) {
    static const std::array<std::uint32_t, 256> table = MakeCrcTable();
    crc = ~crc;
    for (std::uint8_t b : data) crc = table[(crc ^ b) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : data) {
        a = (a + v) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

ByteVector Deflate(std::span<const std::uint8_t> data) {
    constexpr int kWindow = 32768, kMaxChain = 24, kHashBits = 15;
    ByteVector out;
    BitWriter w(out);
    w.Bits(1, 1);  // the only block, and the last
    w.Bits(1, 2);  // fixed Huffman codes
    const int n = static_cast<int>(data.size());
    std::vector<int> head(1 << kHashBits, -1), prev(static_cast<std::size_t>(std::max(n, 1)), -1);
    auto hash = [&](int i) {
        return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & ((1 << kHashBits) - 1);
    };
    auto insert = [&](int i) {
        if (i + 2 >= n) return;
        const int h = hash(i);
        prev[i] = head[h];
        head[h] = i;
    };
    int i = 0;
    while (i < n) {
        int bestLength = 0, bestDistance = 0;
        if (i + 2 < n) {
            int candidate = head[hash(i)];
            for (int chain = 0; candidate >= 0 && i - candidate <= kWindow && chain < kMaxChain; ++chain) {
                int length = 0;
                const int limit = std::min(258, n - i);
                while (length < limit && data[candidate + length] == data[i + length]) ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = i - candidate;
                    if (length == limit) break;
                }
                candidate = prev[candidate];
            }
        }
        if (bestLength >= 3) {
            Match(w, bestLength, bestDistance);
            for (int k = 0; k < bestLength; ++k) insert(i + k);
            i += bestLength;
        } else {
            Literal(w, data[i]);
            insert(i);
            ++i;
        }
    }
    Literal(w, 256);
    w.Finish();
    return out;
}

ByteVector ZlibCompress(std::span<const std::uint8_t> data) {
    ByteVector out = {0x78, 0x01};
    ByteVector body = Deflate(data);
    out.insert(out.end(), body.begin(), body.end());
    const std::uint32_t adler = Adler32(data);
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(adler >> shift));
    return out;
}

namespace {
void PutBig32(ByteVector& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(ByteVector& png, const char* type, const ByteVector& body) {
    PutBig32(png, static_cast<std::uint32_t>(body.size()));
    ByteVector typed;
    for (int i = 0; i < 4; ++i) typed.push_back(static_cast<std::uint8_t>(type[i]));
    typed.insert(typed.end(), body.begin(), body.end());
    png.insert(png.end(), typed.begin(), typed.end());
    PutBig32(png, Crc32(typed));
}
}  // namespace

ByteVector EncodePng(const Image& image, bool alpha) {
    ByteVector png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    ByteVector header;
    PutBig32(header, static_cast<std::uint32_t>(image.Width));
    PutBig32(header, static_cast<std::uint32_t>(image.Height));
    header.insert(header.end(), {8, static_cast<std::uint8_t>(alpha ? 6 : 2), 0, 0, 0});
    Chunk(png, "IHDR", header);

    const int channels = alpha ? 4 : 3;
    const std::size_t stride = static_cast<std::size_t>(image.Width) * channels;
    ByteVector raw;
    raw.reserve((stride + 1) * static_cast<std::size_t>(image.Height));
    ByteVector row(stride), above(stride, 0);
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            const std::uint32_t p = image.At(x, y);
            std::uint8_t* o = &row[static_cast<std::size_t>(x) * channels];
            o[0] = static_cast<std::uint8_t>(p >> 16);
            o[1] = static_cast<std::uint8_t>(p >> 8);
            o[2] = static_cast<std::uint8_t>(p);
            if (alpha) o[3] = static_cast<std::uint8_t>(p >> 24);
        }
        // The "up" filter: rows of sprites and sheets repeat a lot vertically.
        raw.push_back(2);
        for (std::size_t k = 0; k < stride; ++k) raw.push_back(static_cast<std::uint8_t>(row[k] - above[k]));
        above = row;
    }
    Chunk(png, "IDAT", ZlibCompress(raw));
    Chunk(png, "IEND", {});
    return png;
}

}  // namespace tavrine::assets
