// Pixel buffers and colours of the content generator.
#pragma once

#include <cstdint>
#include <vector>

namespace tavrine::assets {

/// A colour with channels from 0 to 1 (values outside are clamped when packed).
struct Rgb {
    float R = 0.f;
    float G = 0.f;
    float B = 0.f;

    friend Rgb operator+(Rgb a, Rgb b) { return {a.R + b.R, a.G + b.G, a.B + b.B}; }
    friend Rgb operator-(Rgb a, Rgb b) { return {a.R - b.R, a.G - b.G, a.B - b.B}; }
    friend Rgb operator*(Rgb a, float k) { return {a.R * k, a.G * k, a.B * k}; }
    friend Rgb operator*(Rgb a, Rgb b) { return {a.R * b.R, a.G * b.G, a.B * b.B}; }
};

/// A colour from 8-bit channels.
constexpr Rgb Bytes(int r, int g, int b) { return {r / 255.f, g / 255.f, b / 255.f}; }

/// a at t = 0, b at t = 1.
Rgb Mix(Rgb a, Rgb b, float t);

/// The same hue made lighter (k > 1) or darker (k < 1).
inline Rgb Shade(Rgb c, float k) { return c * k; }

float Luma(Rgb c);

/// The transparent colour of every library picture: red 255, green 0, blue 255.
constexpr std::uint32_t kKeyColor = 0x00FF00FFu;

/// 0xAARRGGBB from a colour and an opacity from 0 to 1.
std::uint32_t Pack(Rgb c, float alpha = 1.f);
Rgb Unpack(std::uint32_t argb);
inline int AlphaOf(std::uint32_t argb) { return static_cast<int>(argb >> 24); }

/// A picture of 0xAARRGGBB pixels, rows top-down.
struct Image {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;

    Image() = default;
    Image(int width, int height, std::uint32_t fill = 0);

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
    std::uint32_t& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    /// Sets a pixel when it lies inside.
    void Put(int x, int y, std::uint32_t argb) {
        if (Inside(x, y)) At(x, y) = argb;
    }
    friend bool operator==(const Image&, const Image&) = default;
};

/// Draws src over dst with its top-left corner at (x, y), blending by src's alpha.
void Blit(Image& dst, const Image& src, int x, int y);

/// Fills a rectangle (clipped) with one colour.
void FillRect(Image& img, int x, int y, int w, int h, std::uint32_t argb);

/// Every pixel becomes either opaque or the transparent key: alpha below 128 gives
/// the key with alpha 0; an opaque pixel that happens to be pure magenta is nudged
/// to (254, 0, 255) so that it stays visible.
Image ToKeyed(const Image& img);

/// Whether a keyed picture's pixel is the transparent key.
inline bool IsKey(std::uint32_t argb) { return (argb & 0x00FFFFFFu) == kKeyColor; }

/// A copy of a part of an image (clipped to the source, transparent outside).
Image Crop(const Image& img, int x, int y, int w, int h);

/// The 4 by 4 ordered-dither threshold (0..15)/16 + 1/32 at a pixel. Its period of
/// 4 divides the cell size, so patterns continue across cell borders.
float DitherThreshold(int x, int y);

}  // namespace tavrine::assets
