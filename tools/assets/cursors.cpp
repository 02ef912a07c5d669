#include "cursors.h"

#include <algorithm>
#include <cmath>

#include "relief.h"
#include "vector_paint.h"

namespace tavrine::assets {

namespace {

constexpr Rgb kInk = Bytes(16, 16, 20);

template <class F>
void Fill(Image& img, F&& sdf, Rgb color, float outline = 0.f) {
    FillShape(img, sdf, color, outline, kInk);
}

/// A direction's unit steps; x and y in -1..1.
struct Dir {
    float X, Y;
};


/// A bold arrow pointing along `d` with its tip in the corner or at the edge it
/// points to. `glow` (0..2) moves a bright band toward the tip from frame to
/// frame; a blocked arrow is red and runs into a bar.
Image ScrollArrow(Dir d, int glow, bool blocked) {
    Image img(kCursorSize, kCursorSize, 0);
    const float len = std::hypot(d.X, d.Y);
    const float ux = d.X / len, uy = d.Y / len;  // forward
    const float vx = -uy, vy = ux;               // across
    const float reach = len > 1.f ? 13.5f : 14.f;
    const float tx = 15.5f + d.X * reach, ty = 15.5f + d.Y * reach;
    auto local = [=](float x, float y, float& u, float& v) {
        const float dx = x - tx, dy = y - ty;
        u = -(dx * ux + dy * uy);  // distance back from the tip
        v = dx * vx + dy * vy;
    };
    const float inset = blocked ? 2.5f : 0.f;  // the blocked arrow stops short of its bar
    auto arrow = [=](float x, float y) {
        float u, v;
        local(x, y, u, v);
        u -= inset;
        const float head = std::max(std::abs(v) - u * 0.8f, u - 9.f);
        const float shaft = std::max(std::abs(v) - 2.6f, std::max(8.f - u, u - 17.f));
        return std::min(head, shaft) - 0.2f;
    };
    const Rgb base = blocked ? Bytes(214, 64, 52) : Bytes(246, 214, 72);
    FillShapeWith(img, arrow, [=](float x, float y) {
        float u, v;
        local(x, y, u, v);
        if (blocked) return base;
        const float band = 15.f - 6.f * static_cast<float>(2 - glow);  // 15, 9, 3: toward the tip
        const float bright = std::exp(-(u - band) * (u - band) / 6.f);
        return Mix(base * 0.8f, Bytes(255, 250, 210), bright);
    }, 1.2f, kInk);
    if (blocked) {
        FillShape(img, [=](float x, float y) {
            float u, v;
            local(x, y, u, v);
            return std::max(std::abs(u - 0.6f) - 1.1f, std::abs(v) - 8.f);
        }, Bytes(236, 236, 232), 1.2f, kInk);
    }
    return img;
}

Image Pointer() {
    Image img(kCursorSize, kCursorSize, 0);
    const std::vector<float> arrow = {0.5f, 0.5f, 0.5f, 19.f, 5.f, 15.f, 9.f, 23.f, 12.f, 21.5f, 8.2f, 14.f, 14.f, 14.f};
    Fill(img, [&](float x, float y) { return SdPolygon(x, y, arrow); }, Bytes(246, 246, 240), 1.1f);
    // A touch of shading along the right edge.
    Fill(img, [&](float x, float y) { return std::max(SdPolygon(x, y, arrow) + 1.f, -(x - y * 0.35f - 4.5f)); },
         Bytes(196, 198, 204));
    return img;
}

Image MoveMark(int step) {
    Image img(kCursorSize, kCursorSize, 0);
    const float gap = 5.f + step;
    const Rgb green = Bytes(90, 230, 110);
    for (int k = 0; k < 4; ++k) {
        const float a = k * kPi / 2.f;
        const float cx = 15.5f + std::cos(a) * (gap + 4.f), cy = 15.5f + std::sin(a) * (gap + 4.f);
        // Triangles pointing at the centre.
        Fill(img, [=](float x, float y) {
            const float dx = x - cx, dy = y - cy;
            const float u = -(dx * std::cos(a) + dy * std::sin(a));  // toward the centre
            const float v = -dx * std::sin(a) + dy * std::cos(a);
            return std::max(std::abs(v) - (4.f - u) * 0.9f, std::abs(u) - 4.f);
        }, green, 1.1f);
    }
    Fill(img, [](float x, float y) { return SdCircle(x - 15.5f, y - 15.5f, 1.6f); }, green, 1.f);
    return img;
}

Image AttackMark(int step) {
    Image img(kCursorSize, kCursorSize, 0);
    const float r = 8.5f + step * 0.8f;
    const Rgb red = Bytes(255, 64, 48);
    Fill(img, [&](float x, float y) { return std::abs(SdCircle(x - 15.5f, y - 15.5f, r)) - 1.1f; }, red, 1.f);
    for (int k = 0; k < 4; ++k) {
        const float a = k * kPi / 2.f;
        Fill(img, [&, a](float x, float y) {
            const float dx = x - 15.5f, dy = y - 15.5f;
            const float u = dx * std::cos(a) + dy * std::sin(a), v = -dx * std::sin(a) + dy * std::cos(a);
            return std::max(std::abs(v) - 0.9f, std::abs(u - r) - 4.5f);
        }, red, 1.f);
    }
    Fill(img, [](float x, float y) { return SdCircle(x - 15.5f, y - 15.5f, 1.3f); }, red, 1.f);
    return img;
}

Image NotPossible() {
    Image img(kCursorSize, kCursorSize, 0);
    const Rgb red = Bytes(235, 50, 40);
    Fill(img, [](float x, float y) { return std::abs(SdCircle(x - 15.5f, y - 15.5f, 10.f)) - 2.f; }, red, 1.1f);
    Fill(img, [](float x, float y) { return SdSegment(x, y, 8.5f, 8.5f, 22.5f, 22.5f, 2.f); }, red, 1.1f);
    return img;
}

Image SelectMark(int step) {
    Image img(kCursorSize, kCursorSize, 0);
    const float half = 11.f - step;
    const Rgb white = Bytes(250, 250, 236);
    for (int k = 0; k < 4; ++k) {
        const float sx = k % 2 ? 1.f : -1.f, sy = k / 2 ? 1.f : -1.f;
        const float cx = 15.5f + sx * half, cy = 15.5f + sy * half;
        Fill(img, [=](float x, float y) {
            const float dx = (x - cx) * -sx, dy = (y - cy) * -sy;  // inward from the corner
            const float armA = std::max(std::abs(dy) - 0.9f, std::max(-dx - 0.9f, dx - 6.f));
            const float armB = std::max(std::abs(dx) - 0.9f, std::max(-dy - 0.9f, dy - 6.f));
            return std::min(armA, armB);
        }, white, 1.f);
    }
    return img;
}

Image Hourglass(int step) {
    Image img(kCursorSize, kCursorSize, 0);
    const Pose p{15.5f, 15.5f, step * kPi / 4.f};
    Fill(img, [&](float x, float y) {
        float u, v;
        p.ToLocal(x, y, u, v);
        const float glass = std::max(std::abs(u) - 10.f, std::abs(v) - (1.5f + std::abs(u) * 0.6f));
        return glass;
    }, Bytes(230, 200, 120), 1.1f);
    return img;
}

}  // namespace

AnimatedCursor MakeCursor(int number) {
    AnimatedCursor c;
    // Scroll directions in the order of the cursor numbers.
    static constexpr Dir kDirs[8] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    if (number >= 1 && number <= 16) {
        const Dir d = kDirs[(number - 1) % 8];
        const bool blocked = number >= 9;
        const int hotX = d.X < 0 ? 0 : d.X > 0 ? kCursorSize - 1 : kCursorSize / 2 - 1;
        const int hotY = d.Y < 0 ? 0 : d.Y > 0 ? kCursorSize - 1 : kCursorSize / 2 - 1;
        if (blocked) {
            c.Frames.push_back({ScrollArrow(d, 0, true), hotX, hotY});
        } else {
            for (int g = 0; g < 3; ++g) c.Frames.push_back({ScrollArrow(d, g, false), hotX, hotY});
            c.Jiffies = 7;
        }
        return c;
    }
    switch (number) {
        case 17: c.Frames.push_back({Pointer(), 0, 0}); break;
        case 18:
            for (int s = 0; s < 4; ++s) c.Frames.push_back({MoveMark(3 - s), 15, 15});
            c.Jiffies = 6;
            break;
        case 19:
            for (int s = 0; s < 3; ++s) c.Frames.push_back({AttackMark(s), 15, 15});
            c.Sequence = {0, 1, 2, 1};
            c.Jiffies = 6;
            break;
        case 20: c.Frames.push_back({NotPossible(), 15, 15}); break;
        case 21:
            for (int s = 0; s < 3; ++s) c.Frames.push_back({SelectMark(s), 15, 15});
            c.Sequence = {0, 1, 2, 1};
            c.Jiffies = 8;
            break;
        default:
            for (int s = 0; s < 4; ++s) c.Frames.push_back({Hourglass(s), 15, 15});
            c.Jiffies = 10;
            break;
    }
    return c;
}

namespace {
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}
void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}
/// A chunk: tag, size, data, and a pad byte when the size is odd.
void PutChunk(std::vector<std::uint8_t>& out, const char* tag, const std::vector<std::uint8_t>& data) {
    PutTag(out, tag);
    Put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2) out.push_back(0);
}
}  // namespace

std::vector<std::uint8_t> EncodeCursorImage(const CursorFrame& frame) {
    const Image& p = frame.Picture;
    constexpr std::uint32_t kXorBytes = kCursorSize * kCursorSize * 4;
    constexpr std::uint32_t kAndBytes = kCursorSize * 4;  // 32 rows of 32 bits
    constexpr std::uint32_t kImageBytes = 40 + kXorBytes + kAndBytes;
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 2);  // a cursor
    Put16(out, 1);
    out.push_back(kCursorSize);
    out.push_back(kCursorSize);
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, static_cast<std::uint32_t>(frame.HotX));
    Put16(out, static_cast<std::uint32_t>(frame.HotY));
    Put32(out, kImageBytes);
    Put32(out, 6 + 16);
    // The DIB: its height counts the colour image and the mask together.
    Put32(out, 40);
    Put32(out, kCursorSize);
    Put32(out, kCursorSize * 2);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, kXorBytes + kAndBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = kCursorSize - 1; y >= 0; --y) {
        for (int x = 0; x < kCursorSize; ++x) {
            const std::uint32_t px = p.At(x, y);
            const int a = AlphaOf(px);
            // Colour premultiplied by nothing: BGRA with straight alpha; fully
            // transparent pixels are black so that the mask alone decides.
            out.push_back(a ? static_cast<std::uint8_t>(px) : 0);
            out.push_back(a ? static_cast<std::uint8_t>(px >> 8) : 0);
            out.push_back(a ? static_cast<std::uint8_t>(px >> 16) : 0);
            out.push_back(static_cast<std::uint8_t>(a));
        }
    }
    for (int y = kCursorSize - 1; y >= 0; --y) {
        std::uint32_t bits = 0;
        for (int x = 0; x < kCursorSize; ++x)
            if (AlphaOf(p.At(x, y)) < 128) bits |= 1u << (31 - x);
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
    return out;
}

std::vector<std::uint8_t> EncodeAnimatedCursor(const AnimatedCursor& cursor) {
    const std::uint32_t frames = static_cast<std::uint32_t>(cursor.Frames.size());
    const std::uint32_t steps = cursor.Sequence.empty() ? frames : static_cast<std::uint32_t>(cursor.Sequence.size());
    std::vector<std::uint8_t> body;
    PutTag(body, "ACON");
    std::vector<std::uint8_t> header;
    Put32(header, 36);
    Put32(header, frames);
    Put32(header, steps);
    Put32(header, kCursorSize);
    Put32(header, kCursorSize);
    Put32(header, 32);
    Put32(header, 1);
    Put32(header, static_cast<std::uint32_t>(cursor.Jiffies));
    Put32(header, cursor.Sequence.empty() ? 1u : 3u);  // frames are icons; a sequence follows
    PutChunk(body, "anih", header);
    if (!cursor.Sequence.empty()) {
        std::vector<std::uint8_t> seq;
        for (int s : cursor.Sequence) Put32(seq, static_cast<std::uint32_t>(s));
        PutChunk(body, "seq ", seq);
    }
    std::vector<std::uint8_t> list;
    PutTag(list, "fram");
    for (const CursorFrame& f : cursor.Frames) PutChunk(list, "icon", EncodeCursorImage(f));
    PutChunk(body, "LIST", list);
    std::vector<std::uint8_t> file;
    PutTag(file, "RIFF");
    Put32(file, static_cast<std::uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

}  // namespace tavrine::assets
