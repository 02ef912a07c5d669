#include "debris.h"

#include <cmath>
#include <vector>

#include "noise.h"
#include "relief.h"
#include "terrain.h"
#include "vehicles.h"

namespace tavrine::assets {

namespace {

/// A uniform number in [lo, hi) from a hash.
float Pick(std::uint32_t seed, int i, int j, float lo, float hi) { return lo + (hi - lo) * HashUnit(seed, i, j); }

/// Darkens the ground under debris in a ragged patch (soot on land, an oil film
/// on water).
void Scorch(Image& img, DebrisGround ground, std::uint32_t seed, float cx, float cy, float radius, float strength) {
    for (int y = 0; y < img.Height; ++y) {
        for (int x = 0; x < img.Width; ++x) {
            const float r = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
            const float n = Fbm(seed, x + 0.5f, y + 0.5f, 5.f, 3);
            const float m = SmoothStep(1.05f, 0.55f, r + 0.5f * (n - 0.5f)) * strength * InteriorWeight(x + 0.5f, y + 0.5f);
            if (m <= 0.f) continue;
            Rgb c = Unpack(img.At(x, y));
            if (ground == DebrisGround::Water) {
                // Oil: darker, with a faint purple-green sheen.
                const float sheen = Fbm(seed + 5, x + 0.5f, y + 0.5f, 3.f, 2);
                c = Mix(c, Mix(Bytes(40, 36, 60), Bytes(50, 70, 56), sheen), 0.55f * m);
            } else {
                c = Mix(c, Mix(c * 0.35f, Bytes(36, 32, 28), 0.4f), m);
            }
            img.At(x, y) = Pack(c);
        }
    }
}

/// Blends a soft relief picture onto the cell; on water the debris floats, so it
/// takes on some of the water's colour.
void Lay(Image& img, const Image& overlay, DebrisGround ground) {
    Image layer = overlay;
    if (ground == DebrisGround::Water) {
        for (int y = 0; y < layer.Height; ++y)
            for (int x = 0; x < layer.Width; ++x) {
                const std::uint32_t p = layer.At(x, y);
                if (AlphaOf(p) == 0) continue;
                layer.At(x, y) = Pack(Mix(Unpack(p), Unpack(img.At(x, y)), 0.3f), AlphaOf(p) / 255.f);
            }
    }
    Blit(img, layer, 0, 0);
}

/// A random irregular chunk of rubble.
void Chunk(Relief& relief, std::uint32_t seed, int i, float x, float y, float size, float height, Rgb color) {
    std::vector<float> pts;
    const int corners = 4 + static_cast<int>(HashUnit(seed, i, 50) * 3);
    for (int k = 0; k < corners; ++k) {
        const float a = 2.f * kPi * (k + Pick(seed, i, 60 + k, -0.3f, 0.3f)) / corners;
        const float r = size * Pick(seed, i, 80 + k, 0.55f, 1.f);
        pts.push_back(std::cos(a) * r);
        pts.push_back(std::sin(a) * r);
    }
    relief.Stamp(Pose{x, y, Pick(seed, i, 90, 0.f, 2.f * kPi)}, size + 1.f,
                 [pts](float u, float v) { return SdPolygon(u, v, pts); }, Profile{0.f, height, size * 0.6f, false},
                 color * Pick(seed, i, 91, 0.8f, 1.1f));
}

}  // namespace

Image WithRuins(const Image& plain, DebrisGround ground, std::uint32_t seed, int style) {
    Image img = plain;
    Scorch(img, ground, seed, 18.f + Pick(seed, 1, 1, -2, 2), 18.f + Pick(seed, 1, 2, -2, 2), 18.f, 0.85f);
    Relief relief(kCell, kCell);
    const bool water = ground == DebrisGround::Water;
    Rgb a, b;
    switch (style) {
        case 1: a = Bytes(150, 146, 138); b = Bytes(112, 108, 100); break;  // concrete
        case 2: a = Bytes(152, 72, 50); b = Bytes(118, 58, 44); break;      // brick
        case 3: a = Bytes(70, 52, 36); b = Bytes(40, 34, 30); break;        // burnt timber
        case 4: a = Bytes(140, 136, 126); b = Bytes(92, 88, 82); break;     // wall corner
        default: a = Bytes(120, 112, 100); b = Bytes(84, 78, 70); break;    // crater
    }
    const int pieces = water ? 6 : 18;
    for (int i = 0; i < pieces; ++i) {
        const float angle = Pick(seed, i, 3, 0.f, 2.f * kPi);
        const float dist = Pick(seed, i, 4, style == 5 ? 7.f : 0.f, style == 5 ? 12.f : 13.f);
        const float x = 18.f + std::cos(angle) * dist, y = 18.f + std::sin(angle) * dist;
        Chunk(relief, seed, i, x, y, Pick(seed, i, 5, 1.8f, 4.4f), Pick(seed, i, 6, 1.f, 3.5f), i % 2 ? a : b);
    }
    if (style == 3) {  // charred beams
        for (int i = 0; i < 3; ++i) {
            const Pose beam{Pick(seed, i, 20, 12, 24), Pick(seed, i, 21, 12, 24), Pick(seed, i, 22, 0, kPi)};
            relief.Stamp(beam, 10.f, [](float u, float v) { return SdBox(u, v, 8.f, 1.1f, 0.4f); },
                         Profile{1.f + i, 1.2f, 0.8f, true}, Bytes(46, 36, 28));
        }
    } else if (style == 4 && !water) {  // the stump of a wall corner
        const Pose corner{13.f, 13.f, 0.f};
        relief.Stamp(corner, 14.f,
                     [](float u, float v) { return std::min(SdBox(u - 5.f, v, 7.f, 2.f), SdBox(u, v - 4.f, 2.f, 6.f)); },
                     Profile{0.f, 6.f, 1.f, false}, [](float u, float v, float) {
                         return (static_cast<int>(std::floor(u + 20.f)) / 3 + static_cast<int>(std::floor(v + 20.f)) / 2) % 2
                                    ? Bytes(150, 146, 136)
                                    : Bytes(132, 128, 120);
                     });
    } else if (style == 5) {  // the crater's hollow
        Scorch(img, ground, seed + 9, 18.f, 18.f, 8.f, 1.f);
    }
    if (style == 1 && !water) {  // bent reinforcing bars
        for (int i = 0; i < 3; ++i) {
            const float x0 = Pick(seed, i, 30, 10, 26), y0 = Pick(seed, i, 31, 10, 26);
            const float ang = Pick(seed, i, 32, 0, 2 * kPi);
            relief.Stamp(Pose{x0, y0, ang}, 7.f, [](float u, float v) { return SdSegment(u, v, 0, 0, 5.5f, 1.5f, 0.45f); },
                         Profile{3.f, 0.5f, 0.4f, true}, Bytes(96, 60, 40));
        }
    }
    Lighting soft;
    soft.Soft = true;
    soft.GroundShadow = true;
    soft.Outline = false;
    Lay(img, relief.Render(soft), ground);
    return img;
}

Image WithWreck(const Image& plain, DebrisGround ground, std::uint32_t seed, int variant) {
    Image img = plain;
    const float angle = Pick(seed, 0, 1, 0.f, 2.f * kPi);
    Scorch(img, ground, seed, 18.f, 18.f, 16.f, 0.9f);
    Relief relief(kCell, kCell);
    const int model = variant % kTankModels;
    TankColors colors = WreckColors();
    const Pose hull{18.f + Pick(seed, 0, 2, -1.5f, 1.5f), 18.f + Pick(seed, 0, 3, -1.5f, 1.5f), angle};
    StampHull(relief, hull, model, colors);
    // Rust and soot over the hull.
    relief.ForEach([&](float x, float y, Sample& s) {
        if (s.Height < 0.f) return;
        const float n = Fbm(seed + 3, x, y, 3.f, 2);
        s.Color = Mix(s.Color, colors.Trim, SmoothStep(0.55f, 0.75f, n) * 0.8f);
    });
    if (variant < 3) {
        // The turret blown off the hull, lying beside it.
        const Pose off = hull.Moved(Pick(seed, 0, 4, -6.f, -2.f), Pick(seed, 0, 5, -5.f, 5.f), Pick(seed, 0, 6, 0.5f, 2.5f));
        StampTurret(relief, off, model, colors);
    } else {
        StampTurret(relief, hull.Moved(0.f, 0.f, Pick(seed, 0, 7, -1.f, 1.f)), model, colors);
    }
    for (int i = 0; i < 4; ++i)
        Chunk(relief, seed + 11, i, 18.f + Pick(seed, i, 40, -13, 13), 18.f + Pick(seed, i, 41, -13, 13),
              Pick(seed, i, 42, 0.8f, 1.6f), 1.f, Bytes(60, 56, 52));
    Lighting soft;
    soft.Soft = true;
    soft.GroundShadow = true;
    soft.Outline = false;
    Image overlay = relief.Render(soft);
    if (ground == DebrisGround::Water) {
        // Half sunk: only the higher parts show, the rest lies under the surface.
        for (std::uint32_t& p : overlay.Pixels) p = (p & 0x00FFFFFFu) | ((static_cast<std::uint32_t>(AlphaOf(p) * 0.75f)) << 24);
    }
    Lay(img, overlay, ground);
    return img;
}

}  // namespace tavrine::assets
