#include "terrain.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

namespace tavrine::assets {

namespace {

constexpr Rgb kDeepWater = Bytes(30, 66, 128);
constexpr Rgb kWater = Bytes(44, 92, 160);
constexpr Rgb kWaveCrest = Bytes(112, 160, 214);
constexpr Rgb kShallow = Bytes(70, 150, 170);
constexpr Rgb kFoam = Bytes(214, 232, 236);
constexpr Rgb kWetSand = Bytes(164, 146, 98);
constexpr Rgb kSand = Bytes(206, 188, 132);
constexpr Rgb kDarkGrass = Bytes(58, 98, 38);
constexpr Rgb kGrass = Bytes(84, 128, 50);
constexpr Rgb kLightGrass = Bytes(112, 150, 64);
constexpr Rgb kDryGrass = Bytes(138, 146, 74);
constexpr Rgb kRockDark = Bytes(112, 106, 98);
constexpr Rgb kRockLight = Bytes(198, 194, 184);

// Lighting of the ground relief: the same light as the sprites.
constexpr float kLx = -0.48f, kLy = -0.61f, kLz = 0.63f;

float Corner(float x, float y, float cx, float cy) { return std::hypot(x - cx, y - cy); }

}  // namespace

float EdgeDistance(int piece, float x, float y) {
    const float c = kCell / 2.f, s = static_cast<float>(kCell);
    switch (piece) {
        case 0: return x - c;                       // outside to the west
        case 1: return y - c;                       // outside to the north
        case 2: return c - x;                       // outside to the east
        case 3: return c - y;                       // outside to the south
        case 4: return Corner(x, y, 0, 0) - c;      // inner corners: a bite of outside
        case 5: return Corner(x, y, s, 0) - c;
        case 6: return Corner(x, y, s, s) - c;
        case 7: return Corner(x, y, 0, s) - c;
        case 8: return c - Corner(x, y, s, s);      // outer corners: a quarter of terrain
        case 9: return c - Corner(x, y, 0, s);
        case 10: return c - Corner(x, y, 0, 0);
        case 11: return c - Corner(x, y, s, 0);
        default: return 0.f;
    }
}

float InteriorWeight(float x, float y) {
    const float edge = std::min(std::min(x, kCell - x), std::min(y, kCell - y));
    return SmoothStep(3.f, 10.f, edge);
}

GroundTextures::GroundTextures(std::uint32_t seed) : seed_(seed) {}

// The plain textures repeat with every cell, so they are built from fine
// detail only: anything as large as a third of a cell would show as a grid.
Rgb GroundTextures::Water(float x, float y) const {
    const float depth = TileFbm(seed_ + 1, x, y, kCell, 4, 3);
    Rgb c = Mix(kDeepWater, kWater, 0.45f + 0.4f * SmoothStep(0.2f, 0.8f, depth));
    // Ripples: short bright arcs on the ridges of a fine noise.
    const float r = TileFbm(seed_ + 2, x, y, kCell, 9, 2);
    const float ridge = 1.f - std::abs(2.f * r - 1.f);
    const float light = SmoothStep(0.3f, 0.7f, TileFbm(seed_ + 4, x, y, kCell, 4, 2));
    c = Mix(c, kWaveCrest, 0.5f * SmoothStep(0.86f, 0.97f, ridge) * light);
    const float fine = TileFbm(seed_ + 3, x, y, kCell, 12, 1);
    return c * (0.96f + 0.08f * fine);
}

Rgb GroundTextures::Land(float x, float y) const {
    const float patches = TileFbm(seed_ + 11, x, y, kCell, 6, 3);
    Rgb c = Mix(kDarkGrass, kLightGrass, 0.3f + 0.35f * SmoothStep(0.2f, 0.8f, patches));
    const float dry = TileFbm(seed_ + 12, x, y, kCell, 6, 2);
    c = Mix(c, kDryGrass, 0.25f * SmoothStep(0.6f, 0.8f, dry));
    // Blades of grass: short upright strokes, lit at the tip and dark at the foot.
    const int ix = static_cast<int>(std::floor(x)) % kCell, iy = static_cast<int>(std::floor(y)) % kCell;
    const float speck = HashUnit(seed_ + 13, ix, iy);
    const float below = HashUnit(seed_ + 13, ix, (iy + kCell - 1) % kCell);
    const float fine = TileFbm(seed_ + 14, x, y, kCell, 18, 1);
    float k = 0.94f + 0.1f * fine;
    if (speck > 0.88f) k += 0.12f;
    else if (below > 0.88f) k -= 0.12f;
    else if (speck < 0.06f) k -= 0.08f;
    return c * k;
}

float GroundTextures::RockHeight(float x, float y) const {
    const float lumps = TileFbm(seed_ + 21, x, y, kCell, 4, 4, 0.55f);
    const float r = TileFbm(seed_ + 22, x, y, kCell, 6, 2);
    const float ridge = 1.f - std::abs(2.f * r - 1.f);
    return 7.f + 6.f * lumps + 3.f * ridge * ridge;
}

Rgb GroundTextures::RockColor(float x, float y) const {
    const float tone = TileFbm(seed_ + 23, x, y, kCell, 6, 3);
    Rgb c = Mix(kRockDark, kRockLight, 0.2f + 0.6f * SmoothStep(0.15f, 0.85f, tone));
    const float fine = TileFbm(seed_ + 24, x, y, kCell, 18, 1);
    const float crack = TileFbm(seed_ + 25, x, y, kCell, 6, 2);
    const float crackLine = 1.f - SmoothStep(0.f, 0.03f, std::abs(crack - 0.5f));
    c = c * (0.92f + 0.14f * fine);
    return Mix(c, kRockDark * 0.65f, 0.55f * crackLine);
}

namespace {
/// Brightness of a height field's slope under the top-left light (1 on flat ground).
float SlopeLight(float hx, float hy) {
    const float n = std::sqrt(hx * hx + hy * hy + 1.f);
    const float ndl = (-hx * kLx - hy * kLy + kLz) / n;
    const float ambient = 0.45f;
    return ambient + (1.f - ambient) * std::max(0.f, ndl) / kLz;
}
}  // namespace

Rgb GroundTextures::Mountain(float x, float y) const {
    const float e = 0.5f;
    const float hx = (RockHeight(x + e, y) - RockHeight(x - e, y)) / (2 * e);
    const float hy = (RockHeight(x, y + e) - RockHeight(x, y - e)) / (2 * e);
    return RockColor(x, y) * SlopeLight(hx * 0.6f, hy * 0.6f);
}

Rgb GroundTextures::CoastPixel(int piece, float x, float y) const {
    // The border wanders a little; the wander repeats with the cell, so it is the
    // same on both sides of every cell border.
    const float wander = (TileFbm(seed_ + 31, x, y, kCell, 3, 2) - 0.5f) * 7.f;
    const float d = EdgeDistance(piece, x, y) + wander;
    if (d >= 9.f) return Land(x, y);
    if (d <= -10.f) return Water(x, y);
    if (d < 0.f) {
        Rgb c = Mix(Water(x, y), kShallow, 0.65f * SmoothStep(-10.f, 0.f, d));
        const float foamNoise = TileFbm(seed_ + 32, x, y, kCell, 9, 2);
        const float foam = SmoothStep(-2.2f, -0.6f, d) * SmoothStep(0.3f, 0.6f, foamNoise);
        c = Mix(c, kFoam, 0.8f * foam);
        const float ripple = SmoothStep(-4.6f, -4.f, d) * (1.f - SmoothStep(-4.f, -3.4f, d));
        return Mix(c, kFoam, 0.35f * ripple);
    }
    const float grain = TileFbm(seed_ + 33, x, y, kCell, 18, 1);
    Rgb sand = Mix(kWetSand, kSand, SmoothStep(0.f, 2.5f, d)) * (0.94f + 0.1f * grain);
    return Mix(sand, Land(x, y), SmoothStep(4.5f, 9.f, d));
}

Rgb GroundTextures::MountainBorderPixel(int piece, float x, float y) const {
    auto distance = [&](float px, float py) {
        return EdgeDistance(piece, px, py) + (TileFbm(seed_ + 41, px, py, kCell, 3, 2) - 0.5f) * 6.f;
    };
    auto lift = [](float d) { return SmoothStep(-1.f, 7.f, d); };
    auto height = [&](float px, float py) { return lift(distance(px, py)) * RockHeight(px, py); };
    const float d = distance(x, y);
    if (d >= 7.5f) return Mountain(x, y);
    const float e = 0.5f;
    const float hx = (height(x + e, y) - height(x - e, y)) / (2 * e);
    const float hy = (height(x, y + e) - height(x, y - e)) / (2 * e);
    const float rock = SmoothStep(-0.5f, 1.5f, d);
    if (rock <= 0.f) {
        // The foot of the slope: scree, and the cliff's shadow where the mountain
        // lies between the light and this point.
        const float gx = (distance(x + e, y) - distance(x - e, y)) / (2 * e);
        const float gy = (distance(x, y + e) - distance(x, y - e)) / (2 * e);
        const float toward = std::max(0.f, -(gx * kLx + gy * kLy) / std::hypot(kLx, kLy));
        const float shadow = toward * SmoothStep(-5.f, 0.f, d);
        Rgb c = Land(x, y);
        const float scree = SmoothStep(-3.f, 0.f, d) * SmoothStep(0.45f, 0.7f, TileFbm(seed_ + 42, x, y, kCell, 12, 1));
        c = Mix(c, kRockDark, 0.6f * scree);
        return c * (1.f - 0.45f * shadow);
    }
    return Mix(Land(x, y), RockColor(x, y) * SlopeLight(hx * 0.6f, hy * 0.6f), rock);
}

namespace {
template <class F>
Image CellOf(F&& pixel) {
    Image img(kCell, kCell);
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) img.At(x, y) = Pack(pixel(x + 0.5f, y + 0.5f));
    return img;
}
}  // namespace

Image GroundTextures::WaterCell(int variant) const {
    const std::uint32_t s = seed_ + 100 + static_cast<std::uint32_t>(variant) * 7;
    Image img = CellOf([&](float x, float y) {
        Rgb c = Water(x, y);
        const float w = InteriorWeight(x, y);
        if (variant == 3 || variant == 4) {
            // A deep trough, or shallows where the bottom shows through.
            const float blob = Fbm(s + 1, x, y, 7.f, 3);
            const float r = std::hypot(x - 18.f, y - 18.f) / 13.f;
            const float m = w * SmoothStep(0.45f, 0.6f, blob + 0.3f * (1.f - r));
            c = Mix(c, variant == 3 ? kDeepWater * 0.7f : kShallow * 0.95f, 0.7f * m);
        }
        return c;
    });
    if (variant == 1) {  // white caps: short curls of foam
        for (int i = 0; i < 6; ++i) {
            const int x = 8 + static_cast<int>(HashUnit(s, i, 1) * 18), y = 8 + static_cast<int>(HashUnit(s, i, 2) * 20);
            const int len = 3 + static_cast<int>(HashUnit(s, i, 3) * 3);
            for (int k = 0; k < len; ++k) {
                const int dy = (k == 0 || k == len - 1) ? 1 : 0;
                img.Put(x + k, y + dy, Pack(kFoam));
                img.Put(x + k, y + dy + 1, Pack(kDeepWater * 0.8f));
            }
        }
    } else if (variant == 2) {  // glints of sunlight
        for (int i = 0; i < 9; ++i) {
            const int x = 7 + static_cast<int>(HashUnit(s, i, 1) * 22), y = 7 + static_cast<int>(HashUnit(s, i, 2) * 22);
            img.Put(x, y, Pack(Bytes(236, 244, 255)));
            if (i % 3 == 0) {
                for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) img.Put(x + dx, y + dy, Pack(kWaveCrest));
            }
        }
    }
    return img;
}

Image GroundTextures::LandCell(int variant) const {
    Image img = CellOf([&](float x, float y) {
        Rgb c = Land(x, y);
        const float w = InteriorWeight(x, y);
        const std::uint32_t s = seed_ + 200 + static_cast<std::uint32_t>(variant) * 7;
        switch (variant) {
            case 2: {  // a patch of bare earth
                const float blob = Fbm(s, x, y, 8.f, 3);
                const float r = std::hypot(x - 18.f, y - 18.f) / 14.f;
                const float m = SmoothStep(0.5f, 0.58f, blob + 0.25f * (1.f - r)) * w;
                const Rgb earth = Mix(Bytes(112, 90, 58), Bytes(140, 116, 78), Fbm(s + 1, x, y, 2.f, 2));
                c = Mix(c, earth, m);
                break;
            }
            case 4: {  // lusher, darker grass
                const float blob = Fbm(s, x, y, 9.f, 2);
                c = Mix(c, kDarkGrass * 0.85f, w * 0.6f * SmoothStep(0.45f, 0.7f, blob));
                break;
            }
            default: break;
        }
        return c;
    });
    const std::uint32_t s = seed_ + 300 + static_cast<std::uint32_t>(variant) * 13;
    if (variant == 1) {  // flowers
        constexpr Rgb kPetals[] = {Bytes(240, 236, 220), Bytes(236, 210, 70), Bytes(200, 90, 160), Bytes(150, 150, 230)};
        for (int i = 0; i < 9; ++i) {
            const int x = 7 + static_cast<int>(HashUnit(s, i, 1) * 22), y = 7 + static_cast<int>(HashUnit(s, i, 2) * 22);
            const Rgb petal = kPetals[Hash(s, i, 3) % 4];
            for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) img.Put(x + dx, y + dy, Pack(petal));
            img.Put(x, y, Pack(Bytes(230, 180, 40)));
        }
    } else if (variant == 3) {  // pebbles
        for (int i = 0; i < 7; ++i) {
            const int x = 8 + static_cast<int>(HashUnit(s, i, 1) * 20), y = 8 + static_cast<int>(HashUnit(s, i, 2) * 20);
            const bool big = HashUnit(s, i, 3) > 0.5f;
            const Rgb stone = Mix(Bytes(120, 116, 106), Bytes(176, 170, 156), HashUnit(s, i, 4));
            img.Put(x, y, Pack(stone * 1.15f));
            img.Put(x + 1, y, Pack(stone));
            img.Put(x + 1, y + 1, Pack(stone * 0.7f));
            if (big) {
                img.Put(x, y + 1, Pack(stone * 0.85f));
                img.Put(x + 2, y + 1, Pack(Unpack(img.At(x + 2, y + 1)) * 0.7f));
            }
            img.Put(x + 1, y + 2, Pack(Unpack(img.At(x + 1, y + 2)) * 0.75f));
        }
    } else if (variant == 4) {  // tufts of tall grass
        for (int i = 0; i < 10; ++i) {
            const int x = 7 + static_cast<int>(HashUnit(s, i, 1) * 22), y = 8 + static_cast<int>(HashUnit(s, i, 2) * 20);
            img.Put(x, y, Pack(kLightGrass * 1.15f));
            img.Put(x - 1, y + 1, Pack(kLightGrass));
            img.Put(x + 1, y + 1, Pack(kGrass * 1.1f));
            img.Put(x, y + 2, Pack(kDarkGrass * 0.7f));
        }
    }
    return img;
}

Image GroundTextures::MountainCell() const {
    return CellOf([&](float x, float y) { return Mountain(x, y); });
}

Image GroundTextures::EdgePiece(int terrain, int piece) const {
    return CellOf([&](float x, float y) {
        return terrain == 2 ? MountainBorderPixel(piece, x, y) : CoastPixel(piece, x, y);
    });
}

}  // namespace tavrine::assets
