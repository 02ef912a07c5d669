#include "effects.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "relief.h"
#include "terrain.h"

namespace tavrine::assets {

namespace {

/// A pixel of a keyed effect: drawn when its density beats the dither threshold.
void Dithered(Image& img, int x, int y, float density, Rgb color) {
    if (density > DitherThreshold(x, y)) img.At(x, y) = Pack(color);
}

/// Fire colours by temperature, 0 (cold smoke) to 1 (white heat).
Rgb FireColor(float t) {
    struct Stop { float At; Rgb Color; };
    static constexpr Stop kStops[] = {
        {0.00f, Bytes(58, 52, 50)},   {0.18f, Bytes(92, 60, 44)},  {0.32f, Bytes(180, 52, 24)},
        {0.50f, Bytes(236, 112, 30)}, {0.70f, Bytes(252, 188, 60)}, {0.88f, Bytes(255, 236, 150)},
        {1.00f, Bytes(255, 255, 236)},
    };
    t = std::clamp(t, 0.f, 1.f);
    for (std::size_t i = 1; i < std::size(kStops); ++i)
        if (t <= kStops[i].At)
            return Mix(kStops[i - 1].Color, kStops[i].Color, (t - kStops[i - 1].At) / (kStops[i].At - kStops[i - 1].At));
    return kStops[std::size(kStops) - 1].Color;
}

}  // namespace

Image FogPiece(int piece) {
    Image img(kCell, kCell, 0);
    // How far the fog reaches into a visible cell, and its ragged edge. The
    // rag repeats with the cell, so fog edges continue across cells.
    constexpr float kReach = 15.f;
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float rag = (TileFbm(0xF06u, px, py, kCell, 4, 2) - 0.5f) * 7.f;
            // Solid along the hidden neighbour's side, so the fog meets the hidden
            // cell's black without a gap.
            auto from = [&](float distance) {
                return distance < 1.5f ? 1.f : 1.f - SmoothStep(1.5f, kReach, distance + rag);
            };
            const float left = from(px), top = from(py), right = from(kCell - px), bottom = from(kCell - py);
            float density = 0.f;
            switch (piece) {
                case 0: density = left; break;
                case 1: density = top; break;
                case 2: density = right; break;
                case 3: density = bottom; break;
                case 4: density = 1.f - (1.f - left) * (1.f - top); break;
                case 5: density = 1.f - (1.f - top) * (1.f - right); break;
                case 6: density = 1.f - (1.f - right) * (1.f - bottom); break;
                case 7: density = 1.f - (1.f - bottom) * (1.f - left); break;
                default: density = 1.f; break;
            }
            if (density >= 1.f || density > DitherThreshold(x, y)) img.At(x, y) = 0xFF000000u;
        }
    }
    return img;
}

std::vector<Image> TankExplosion(std::uint32_t seed) {
    constexpr int kSize = 48, kFrames = 8;
    std::vector<Image> frames;
    for (int f = 0; f < kFrames; ++f) {
        const float t = static_cast<float>(f) / (kFrames - 1);
        const float radius = 7.f + 15.f * (1.f - (1.f - t) * (1.f - t));
        const float heat = 1.f - t;
        Image img(kSize, kSize, 0);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const float dx = x + 0.5f - kSize / 2.f, dy = y + 0.5f - kSize / 2.f;
                const float d = std::hypot(dx, dy);
                // Noise that grows with the ball, so the billows keep their shape.
                const float k = 10.f / radius;
                const float n = Fbm(seed, dx * k + 50.f, dy * k + 50.f + t * 3.f, 2.2f, 4);
                const float body = 1.f - d / radius + 0.55f * (n - 0.5f);
                if (body <= 0.f) continue;
                const float density = SmoothStep(0.f, 0.22f, body) * (t > 0.75f ? (1.f - (t - 0.75f) * 2.2f) : 1.f);
                float temp = body * (0.6f + 1.1f * heat) + 0.25f * heat - 0.15f;
                temp *= 0.75f + 0.5f * n;
                Rgb c = FireColor(temp);
                if (temp < 0.3f) c = Mix(c, Bytes(96, 92, 90), t * 0.7f);  // old smoke turns grey
                Dithered(img, x, y, density, c);
            }
        }
        if (f < 4) {  // sparks and debris thrown out of the blast
            for (int i = 0; i < 14; ++i) {
                const float a = HashUnit(seed, i, 1) * 2.f * kPi;
                const float r = radius * (0.9f + 0.9f * HashUnit(seed, i, 2)) * (0.6f + 0.4f * t * 4.f);
                const int x = static_cast<int>(kSize / 2.f + std::cos(a) * r);
                const int y = static_cast<int>(kSize / 2.f + std::sin(a) * r);
                if (!img.Inside(x, y)) continue;
                const Rgb c = i % 3 == 0 ? Bytes(60, 56, 50) : FireColor(0.9f - f * 0.15f);
                img.At(x, y) = Pack(c);
                if (f < 2 && img.Inside(x + 1, y)) img.At(x + 1, y) = Pack(c * 0.8f);
            }
        }
        frames.push_back(img);
    }
    return frames;
}

std::vector<Image> BuildingFire(std::uint32_t seed) {
    constexpr int kWidth = 30, kHeight = 38, kFrames = 6;
    std::vector<Image> frames;
    for (int f = 0; f < kFrames; ++f) {
        const float t = static_cast<float>(f) / (kFrames - 1);
        const float size = 0.55f + 0.45f * std::sin(kPi * std::min(1.f, t * 1.4f));
        Image img(kWidth, kHeight, 0);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const float u = (x + 0.5f - kWidth / 2.f) / (kWidth / 2.f);   // -1..1 across
                const float v = (kHeight - (y + 0.5f)) / kHeight;              // 0 at the foot, 1 at the top
                // The flames rise through the noise from frame to frame.
                const float n = Fbm(seed, x * 1.f, y * 1.f + f * 5.f, 5.f, 4);
                const float width = (1.f - v) * 0.9f * size + 0.1f;
                const float body = width - std::abs(u) * (0.7f + 0.5f * v) + 0.5f * (n - 0.5f) - v * (1.1f - size) * 0.6f;
                if (body <= 0.f) continue;
                const float temp = body * 1.6f * (1.f - 0.6f * t) + (1.f - v) * 0.25f;
                Rgb c = FireColor(temp);
                float density = SmoothStep(0.f, 0.12f, body);
                if (temp < 0.28f) {  // smoke at the top of the flames
                    c = Mix(Bytes(72, 66, 62), Bytes(120, 116, 112), v);
                    density *= 0.8f;
                }
                Dithered(img, x, y, density, c);
            }
        }
        frames.push_back(img);
    }
    return frames;
}

std::vector<Image> SmokePuff(std::uint32_t seed) {
    constexpr int kSize = 18, kFrames = 12;
    std::vector<Image> frames;
    for (int f = 0; f < kFrames; ++f) {
        // Time runs round a circle through the noise, so the last frame leads
        // back into the first.
        const float a = 2.f * kPi * f / kFrames;
        const float ox = 3.f * std::cos(a), oy = 3.f * std::sin(a);
        Image img(kSize, kSize, 0);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const float dx = x + 0.5f - kSize / 2.f, dy = y + 0.5f - kSize / 2.f;
                const float n = Fbm(seed, x + ox, y + oy, 4.f, 3);
                const float body = 1.f - std::hypot(dx, dy) / 8.2f + 0.6f * (n - 0.5f);
                if (body <= 0.f) continue;
                // Lit from the top-left like everything else.
                const float light = 0.5f - (dx + dy) / 30.f + 0.5f * (n - 0.5f);
                const Rgb c = Mix(Bytes(70, 68, 66), Bytes(178, 174, 168), std::clamp(light + body * 0.3f, 0.f, 1.f));
                Dithered(img, x, y, SmoothStep(0.f, 0.3f, body), c);
            }
        }
        frames.push_back(img);
    }
    return frames;
}

Image MuzzleFlash() {
    static constexpr const char* kRows[7] = {
        "..o.o..",
        ".oyyyo.",
        "oyWWWyo",
        ".yWWWy.",
        "oyWWWyo",
        ".oyyyo.",
        "..o.o..",
    };
    Image img(7, 7, 0);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            switch (kRows[y][x]) {
                case 'W': img.At(x, y) = Pack(Bytes(255, 255, 230)); break;
                case 'y': img.At(x, y) = Pack(Bytes(255, 220, 80)); break;
                case 'o': img.At(x, y) = Pack(Bytes(240, 130, 30)); break;
                default: break;
            }
        }
    return img;
}

void AddEffects(ContentLibrary& library, std::uint32_t seed) {
    PictureSet& explosion = library.List(0, 3, 0);
    explosion.Name = "TANK EXPLOSION";
    explosion.Frames = TankExplosion(seed + 1);
    PictureSet& fire = library.List(0, 3, 1);
    fire.Name = "BUILDING FIRE";
    fire.Frames = BuildingFire(seed + 2);
    PictureSet& fog = library.List(0, 4, 0);
    fog.Name = "FOG PIECES";
    for (int piece = 0; piece <= 8; ++piece) fog.Frames.push_back(FogPiece(piece));
    PictureSet& smoke = library.List(0, 5, 0);
    smoke.Name = "SMOKE PUFF";
    smoke.Frames = SmokePuff(seed + 3);
    PictureSet& flash = library.List(0, 6, 0);
    flash.Name = "MUZZLE FLASH";
    flash.Frames.push_back(MuzzleFlash());
}

}  // namespace tavrine::assets
