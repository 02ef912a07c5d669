#include "pixels.h"

#include <algorithm>
#include <cmath>

namespace tavrine::assets {

Rgb Mix(Rgb a, Rgb b, float t) { return a + (b - a) * t; }

float Luma(Rgb c) { return 0.299f * c.R + 0.587f * c.G + 0.114f * c.B; }

namespace {
std::uint32_t Channel(float v) {
    const float c = std::clamp(v, 0.f, 1.f);
    return static_cast<std::uint32_t>(std::lround(c * 255.f));
}
}  // namespace

std::uint32_t Pack(Rgb c, float alpha) {
    return (Channel(alpha) << 24) | (Channel(c.R) << 16) | (Channel(c.G) << 8) | Channel(c.B);
}

Rgb Unpack(std::uint32_t argb) {
    return Bytes(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                 static_cast<int>(argb & 0xFF));
}

Image::Image(int width, int height, std::uint32_t fill)
    : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * height, fill) {}

void Blit(Image& dst, const Image& src, int x, int y) {
    for (int sy = 0; sy < src.Height; ++sy) {
        for (int sx = 0; sx < src.Width; ++sx) {
            const int dx = x + sx;
            const int dy = y + sy;
            if (!dst.Inside(dx, dy)) continue;
            const std::uint32_t s = src.At(sx, sy);
            const int a = AlphaOf(s);
            if (a == 0) continue;
            if (a == 255) {
                dst.At(dx, dy) = s;
                continue;
            }
            const std::uint32_t d = dst.At(dx, dy);
            const float t = a / 255.f;
            const float da = AlphaOf(d) / 255.f;
            dst.At(dx, dy) = Pack(Mix(Unpack(d), Unpack(s), t), t + da * (1.f - t));
        }
    }
}

void FillRect(Image& img, int x, int y, int w, int h, std::uint32_t argb) {
    for (int yy = std::max(0, y); yy < std::min(img.Height, y + h); ++yy)
        for (int xx = std::max(0, x); xx < std::min(img.Width, x + w); ++xx) img.At(xx, yy) = argb;
}

Image ToKeyed(const Image& img) {
    Image out = img;
    for (std::uint32_t& p : out.Pixels) {
        if (AlphaOf(p) < 128) {
            p = kKeyColor;
        } else {
            p |= 0xFF000000u;
            if ((p & 0x00FFFFFFu) == kKeyColor) p = 0xFFFE00FFu;
        }
    }
    return out;
}

Image Crop(const Image& img, int x, int y, int w, int h) {
    Image out(w, h, 0);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx)
            if (img.Inside(x + xx, y + yy)) out.At(xx, yy) = img.At(x + xx, y + yy);
    return out;
}

float DitherThreshold(int x, int y) {
    static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (kBayer[((y % 4) + 4) % 4][((x % 4) + 4) % 4] + 0.5f) / 16.f;
}

}  // namespace tavrine::assets
