#include "data/ani_samples.h"

#include <algorithm>

namespace tavrine::test {

namespace {

void U16(AniBytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void U32(AniBytes& b, std::uint32_t v) {
    for (int s = 0; s < 32; s += 8) b.push_back(static_cast<std::uint8_t>(v >> s));
}
void Tag(AniBytes& b, const char* t) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
}

/// A chunk with its pad byte after an odd size.
void Chunk(AniBytes& b, const char* tag, const AniBytes& data) {
    Tag(b, tag);
    U32(b, static_cast<std::uint32_t>(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() % 2) b.push_back(0);
}

std::size_t Stride(std::int32_t w, std::uint32_t bits) { return ((static_cast<std::size_t>(w) * bits + 31) / 32) * 4; }

}  // namespace

std::vector<std::uint32_t> Gradient(std::int32_t w, std::int32_t h, std::uint32_t base) {
    std::vector<std::uint32_t> p;
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            p.push_back(x == 0 ? 0u : 0xFF000000u | ((base + static_cast<std::uint32_t>(x) * 0x010000u + static_cast<std::uint32_t>(y) * 0x000100u) & 0xFFFFFFu));
    return p;
}

AniBytes EncodeCur(const CurSpec& s) {
    std::vector<std::uint32_t> palette;
    if (s.Bits <= 8) {
        for (std::uint32_t p : s.Pixels) {
            if ((p >> 24) == 0) continue;  // masked out: stored as index 0
            const std::uint32_t rgb = p & 0xFFFFFFu;
            if (std::find(palette.begin(), palette.end(), rgb) == palette.end()) palette.push_back(rgb);
        }
        palette.resize(std::size_t{1} << s.Bits, 0);
    }
    AniBytes dib;
    U32(dib, 40);
    U32(dib, static_cast<std::uint32_t>(s.Width));
    U32(dib, static_cast<std::uint32_t>(s.Height * 2));
    U16(dib, 1);
    U16(dib, s.Bits);
    for (int i = 0; i < 6; ++i) U32(dib, 0);
    for (std::uint32_t c : palette) U32(dib, c);
    const std::size_t xorStride = Stride(s.Width, s.Bits), andStride = Stride(s.Width, 1);
    for (std::int32_t r = s.Height - 1; r >= 0; --r) {
        AniBytes row(xorStride, 0);
        for (std::int32_t x = 0; x < s.Width; ++x) {
            const std::uint32_t p = s.Pixels[static_cast<std::size_t>(r * s.Width + x)];
            if (s.Bits <= 8) {
                const auto index = (p >> 24) == 0 ? 0u
                                                  : static_cast<std::uint32_t>(std::find(palette.begin(), palette.end(), p & 0xFFFFFFu) - palette.begin());
                const std::size_t bit = static_cast<std::size_t>(x) * s.Bits;
                row[bit / 8] = static_cast<std::uint8_t>(row[bit / 8] | (index << (8 - s.Bits - bit % 8)));
            } else {
                const std::size_t at = static_cast<std::size_t>(x) * (s.Bits / 8);
                row[at] = static_cast<std::uint8_t>(p);
                row[at + 1] = static_cast<std::uint8_t>(p >> 8);
                row[at + 2] = static_cast<std::uint8_t>(p >> 16);
                if (s.Bits == 32) row[at + 3] = s.Alpha ? static_cast<std::uint8_t>(p >> 24) : 0;
            }
        }
        dib.insert(dib.end(), row.begin(), row.end());
    }
    for (std::int32_t r = s.Height - 1; r >= 0; --r) {
        AniBytes row(andStride, 0);
        for (std::int32_t x = 0; x < s.Width; ++x)
            if ((s.Pixels[static_cast<std::size_t>(r * s.Width + x)] >> 24) == 0) row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        dib.insert(dib.end(), row.begin(), row.end());
    }
    AniBytes out;
    U16(out, 0);
    U16(out, s.Icon ? 1 : 2);
    U16(out, 1);
    out.push_back(static_cast<std::uint8_t>(s.Width));
    out.push_back(static_cast<std::uint8_t>(s.Height));
    out.push_back(0);
    out.push_back(0);
    U16(out, s.Icon ? 1 : static_cast<std::uint32_t>(s.HotX));
    U16(out, s.Icon ? s.Bits : static_cast<std::uint32_t>(s.HotY));
    U32(out, static_cast<std::uint32_t>(dib.size()));
    U32(out, 22);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

AniBytes EncodeAni(const AniSpec& s) {
    AniBytes body;
    Tag(body, "ACON");
    if (s.InfoList) {
        AniBytes info;
        Tag(info, "INFO");
        Chunk(info, "INAM", AniBytes{'a', 'r', 'r', 'o', 'w', 0, 'x'});
        Chunk(body, "LIST", info);
    }
    const auto frames = s.Frames ? s.Frames : static_cast<std::uint32_t>(s.Icons.size());
    const auto steps = s.Steps ? s.Steps : (s.Sequence.empty() ? frames : static_cast<std::uint32_t>(s.Sequence.size()));
    AniBytes header;
    for (std::uint32_t v : {36u, frames, steps, 0u, 0u, 0u, 0u, s.Rate, s.Flags}) U32(header, v);
    Chunk(body, "anih", header);
    if (!s.Rates.empty()) {
        AniBytes r;
        for (std::uint32_t v : s.Rates) U32(r, v);
        Chunk(body, "rate", r);
    }
    if (!s.Sequence.empty()) {
        AniBytes q;
        for (std::uint32_t v : s.Sequence) U32(q, v);
        Chunk(body, "seq ", q);
    }
    AniBytes fram;
    Tag(fram, "fram");
    for (const AniBytes& icon : s.Icons) Chunk(fram, "icon", icon);
    Chunk(body, "LIST", fram);
    AniBytes out;
    Tag(out, "RIFF");
    U32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace tavrine::test
