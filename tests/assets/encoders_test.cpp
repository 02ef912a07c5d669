// The generator's own encoders: PNG with our deflate, checked by inflating it
// again; the checksums against published values.
#include <gtest/gtest.h>

#include <string>

#include "generated_content.h"
#include "png_writer.h"

namespace tavrine::assets::testing {
namespace {

/// Inflates a stream of fixed-Huffman and stored blocks (what our deflate
/// writes); nullopt on anything else or any malformation.
class Inflater {
public:
    explicit Inflater(const ByteVector& in) : in_(in) {}

    std::optional<ByteVector> Run() {
        ByteVector out;
        for (bool last = false; !last;) {
            int bit = 0, type = 0;
            if (!Bits(1, bit) || !Bits(2, type)) return std::nullopt;
            last = bit;
            if (type == 0) {
                pos_ = (pos_ + 7) / 8 * 8;
                int len = 0, nlen = 0;
                if (!Bits(16, len) || !Bits(16, nlen) || (len ^ 0xFFFF) != nlen) return std::nullopt;
                for (int i = 0; i < len; ++i) {
                    int b = 0;
                    if (!Bits(8, b)) return std::nullopt;
                    out.push_back(static_cast<std::uint8_t>(b));
                }
            } else if (type == 1) {
                for (;;) {
                    const int sym = Literal();
                    if (sym < 0) return std::nullopt;
                    if (sym < 256) {
                        out.push_back(static_cast<std::uint8_t>(sym));
                        continue;
                    }
                    if (sym == 256) break;
                    static constexpr int kBase[29] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27,
                                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
                    static constexpr int kExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
                    static constexpr int kDist[30] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385,
                                                      513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
                    static constexpr int kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
                    if (sym > 285) return std::nullopt;
                    int extra = 0, dcode = 0, dextra = 0;
                    if (!Bits(kExtra[sym - 257], extra)) return std::nullopt;
                    const int length = kBase[sym - 257] + extra;
                    if (!Reversed(5, dcode) || dcode > 29 || !Bits(kDistExtra[dcode], dextra)) return std::nullopt;
                    const std::size_t distance = static_cast<std::size_t>(kDist[dcode] + dextra);
                    if (distance > out.size()) return std::nullopt;
                    for (int i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
                }
            } else {
                return std::nullopt;
            }
        }
        return out;
    }

private:
    bool Bits(int n, int& v) {
        v = 0;
        for (int i = 0; i < n; ++i) {
            if (pos_ / 8 >= in_.size()) return false;
            v |= ((in_[pos_ / 8] >> (pos_ % 8)) & 1) << i;
            ++pos_;
        }
        return true;
    }
    /// A Huffman code: most significant bit first.
    bool Reversed(int n, int& v) {
        v = 0;
        for (int i = 0; i < n; ++i) {
            int b = 0;
            if (!Bits(1, b)) return false;
            v = (v << 1) | b;
        }
        return true;
    }
    int Literal() {
        int code = 0;
        if (!Reversed(7, code)) return -1;
        if (code <= 0x17) return 256 + code;
        int b = 0;
        if (!Bits(1, b)) return -1;
        code = (code << 1) | b;
        if (code >= 0x30 && code <= 0xBF) return code - 0x30;
        if (code >= 0xC0 && code <= 0xC7) return 280 + code - 0xC0;
        if (!Bits(1, b)) return -1;
        code = (code << 1) | b;
        if (code >= 0x190 && code <= 0x1FF) return 144 + code - 0x190;
        return -1;
    }
    const ByteVector& in_;
    std::size_t pos_ = 0;
};

ByteVector Span(const std::string& s) { return ByteVector(s.begin(), s.end()); }

TEST(Encoders, ChecksumsMatchPublishedValues) {
    EXPECT_EQ(Crc32(Span("123456789")), 0xCBF43926u);
    EXPECT_EQ(Adler32(Span("Wikipedia")), 0x11E60398u);
}

TEST(Encoders, DeflateRoundTripsRepetitiveAndRandomData) {
    ByteVector data;
    for (int i = 0; i < 70000; ++i) data.push_back(static_cast<std::uint8_t>(i % 7 == 0 ? (i * 2654435761u) >> 24 : i % 251));
    for (const ByteVector& sample : {ByteVector{}, ByteVector{42}, Span("abcabcabcabcabcabc"), data}) {
        const ByteVector packed = Deflate(sample);
        auto unpacked = Inflater(packed).Run();
        ASSERT_TRUE(unpacked.has_value());
        EXPECT_EQ(*unpacked, sample);
    }
    ByteVector motif;
    for (int i = 0; i < 60000; ++i) motif.push_back(static_cast<std::uint8_t>((i % 300) * 7 + (i % 300) / 11));
    EXPECT_LT(Deflate(motif).size(), motif.size() / 20) << "repeats are found";
}

/// The pixels of one of our PNG files: signature, chunk CRCs, the zlib
/// stream's Adler-32, filter 2 rows.
std::optional<Image> DecodeOurPng(const ByteVector& png) {
    if (png.size() < 8 || png[0] != 0x89 || png[1] != 'P') return std::nullopt;
    auto big = [&](std::size_t at) {
        return (static_cast<std::uint32_t>(png[at]) << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
    };
    int width = 0, height = 0, colour = 0;
    ByteVector idat;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t len = big(at);
        if (at + 12 + len > png.size()) return std::nullopt;
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        if (Crc32(std::span(png).subspan(at + 4, len + 4)) != big(at + 8 + len)) return std::nullopt;
        if (type == "IHDR") {
            width = static_cast<int>(big(at + 8));
            height = static_cast<int>(big(at + 12));
            colour = png[at + 17];
        } else if (type == "IDAT") {
            idat.insert(idat.end(), png.begin() + at + 8, png.begin() + at + 8 + len);
        }
        at += 12 + len;
    }
    if (idat.size() < 6 || (idat[0] * 256 + idat[1]) % 31 != 0) return std::nullopt;
    const ByteVector body(idat.begin() + 2, idat.end() - 4);
    auto raw = Inflater(body).Run();
    if (!raw) return std::nullopt;
    const std::uint32_t adler = (static_cast<std::uint32_t>(idat[idat.size() - 4]) << 24) | (idat[idat.size() - 3] << 16) |
                                (idat[idat.size() - 2] << 8) | idat[idat.size() - 1];
    if (Adler32(*raw) != adler) return std::nullopt;
    const int channels = colour == 6 ? 4 : 3;
    const std::size_t stride = static_cast<std::size_t>(width) * channels;
    if (raw->size() != (stride + 1) * height) return std::nullopt;
    Image img(width, height);
    ByteVector above(stride, 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = raw->data() + y * (stride + 1);
        if (row[0] != 2) return std::nullopt;
        ByteVector line(stride);
        for (std::size_t k = 0; k < stride; ++k) line[k] = static_cast<std::uint8_t>(row[1 + k] + above[k]);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &line[static_cast<std::size_t>(x) * channels];
            img.At(x, y) = (static_cast<std::uint32_t>(channels == 4 ? p[3] : 255) << 24) | (p[0] << 16) | (p[1] << 8) | p[2];
        }
        above = line;
    }
    return img;
}

TEST(Encoders, PngPixelsReadBackExactly) {
    Image img(37, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 37; ++x) img.At(x, y) = (static_cast<std::uint32_t>(x * 7) << 24) | (x * 5 << 16) | (y * 40 << 8) | ((x * y) & 255);
    auto rgba = DecodeOurPng(EncodePng(img, true));
    ASSERT_TRUE(rgba.has_value());
    EXPECT_EQ(rgba->Pixels, img.Pixels);
    auto rgb = DecodeOurPng(EncodePng(img, false));
    ASSERT_TRUE(rgb.has_value());
    for (std::size_t i = 0; i < img.Pixels.size(); ++i) EXPECT_EQ(rgb->Pixels[i], img.Pixels[i] | 0xFF000000u);
}

TEST(Encoders, TheDialogPicturesAndTheContactSheetAreReadablePngs) {
    auto title = DecodeOurPng(ProgramFile("ui/title.png"));
    ASSERT_TRUE(title.has_value());
    EXPECT_EQ(title->Width, 304);
    EXPECT_EQ(title->Height, 218);
    auto display = DecodeOurPng(ProgramFile("ui/display.png"));
    ASSERT_TRUE(display.has_value());
    EXPECT_EQ(display->Width, 32);
    for (const std::string icon : {"ui/saved-game.png", "ui/new-game.png"}) {
        auto i = DecodeOurPng(ProgramFile(icon));
        ASSERT_TRUE(i.has_value()) << icon;
        EXPECT_EQ(i->Width, 16);
        EXPECT_EQ(i->Height, 16);
    }
    for (int n = 0; n <= 6; ++n) EXPECT_TRUE(DecodeOurPng(ProgramFile("ui/map-editor/" + std::to_string(n) + ".png")));
    for (int n = 0; n <= 12; ++n) EXPECT_TRUE(DecodeOurPng(ProgramFile("ui/image-editor/" + std::to_string(n) + ".png")));
    auto sheet = DecodeOurPng(ProgramFile("contact-sheet.png"));
    ASSERT_TRUE(sheet.has_value());
    EXPECT_GT(sheet->Height, 500);
}

}  // namespace
}  // namespace tavrine::assets::testing
