#include "scenery.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "relief.h"
#include "terrain.h"

namespace tavrine::assets {

namespace {

constexpr int kDecorSize = 35;  ///< decorations fit in one cell

/// A ready picture of a relief with the ground shadow that objects cast.
Image Finish(const Relief& relief, bool outline = true) {
    Lighting l;
    l.GroundShadow = true;
    l.Outline = outline;
    return ToKeyed(relief.Render(l));
}

float Pick(std::uint32_t seed, int i, int j, float lo, float hi) { return lo + (hi - lo) * HashUnit(seed, i, j); }

// ---- walls ---------------------------------------------------------------

constexpr int kWallMargin = 10;  ///< the wall is built beyond the cell, then cut to it

float WallSdf(const WallArms& arms, float x, float y, float half) {
    // x, y in cell pixels; arms run from the centre beyond the cell's border.
    const float c = kCell / 2.f;
    float d = SdBox(x - c, y - c, half, half);
    const float far = kCell / 2.f + kWallMargin + 2.f;
    if (arms.West) d = std::min(d, SdBox(x - (c - far / 2.f), y - c, far / 2.f, half));
    if (arms.East) d = std::min(d, SdBox(x - (c + far / 2.f), y - c, far / 2.f, half));
    if (arms.North) d = std::min(d, SdBox(x - c, y - (c - far / 2.f), half, far / 2.f));
    if (arms.South) d = std::min(d, SdBox(x - c, y - (c + far / 2.f), half, far / 2.f));
    return d;
}

}  // namespace

WallArms ArmsOfWallFrame(int frame) {
    static constexpr WallArms kArms[11] = {
        {true, false, true, false},  // 0 horizontal
        {false, true, false, true},  // 1 vertical
        {false, false, true, true},  // 2 right + down
        {true, false, false, true},  // 3 left + down
        {true, true, false, false},  // 4 left + up
        {false, true, true, false},  // 5 up + right
        {false, true, true, true},   // 6 up + right + down
        {true, false, true, true},   // 7 left + right + down
        {true, true, false, true},   // 8 left + up + down
        {true, true, true, false},   // 9 left + up + right
        {true, true, true, true},    // 10 all four
    };
    return kArms[std::clamp(frame, 0, 10)];
}

Image WallPiece(int kind, int frame) {
    const WallArms arms = ArmsOfWallFrame(frame);
    const int size = kCell + 2 * kWallMargin;
    Relief relief(size, size);
    const float m = static_cast<float>(kWallMargin);
    const Pose origin{0.f, 0.f, 0.f};
    const float reach = static_cast<float>(size) * 2.f;
    if (kind == 0) {
        // Concrete: a walkway between two parapets with embrasures.
        const float half = 5.5f;
        relief.Stamp(origin, reach, [&](float u, float v, float& h, Rgb& c) {
            const float x = u - m, y = v - m;
            const float d = WallSdf(arms, x, y, half);
            if (d > 0.f) return false;
            const float e = 0.25f;
            const float gx = WallSdf(arms, x + e, y, half) - WallSdf(arms, x - e, y, half);
            const float gy = WallSdf(arms, x, y + e, half) - WallSdf(arms, x, y - e, half);
            // Along which axis the nearest face runs decides the embrasure spacing.
            const float along = std::abs(gy) > std::abs(gx) ? x : y;
            const int cellAlong = static_cast<int>(std::floor(along + 72.f));
            const bool gap = cellAlong % 6 < 2;
            const float depth = -d;
            h = 6.f + std::min(1.f, depth / 1.2f) * 1.5f;
            c = Bytes(168, 166, 158);
            if (depth < 2.f && !gap) {
                h = 10.f;
                c = Bytes(188, 186, 178);
            }
            const int joint = static_cast<int>(std::floor(along + 72.f)) % 12;
            if (depth >= 2.f && joint == 0) c = Bytes(130, 128, 122);
            c = c * (0.95f + 0.08f * HashUnit(0x5A1u, static_cast<int>(x + 72.f) / 2, static_cast<int>(y + 72.f) / 2));
            return true;
        });
    } else {
        // Brick: a lower wall with courses of bricks along its length.
        const float half = 4.5f;
        relief.Stamp(origin, reach, [&](float u, float v, float& h, Rgb& c) {
            const float x = u - m, y = v - m;
            const float d = WallSdf(arms, x, y, half);
            if (d > 0.f) return false;
            const float e = 0.25f;
            const float gx = WallSdf(arms, x + e, y, half) - WallSdf(arms, x - e, y, half);
            const float gy = WallSdf(arms, x, y + e, half) - WallSdf(arms, x, y - e, half);
            const bool runsAcross = std::abs(gy) > std::abs(gx);
            const float along = runsAcross ? x : y, across = runsAcross ? y : x;
            const int course = static_cast<int>(std::floor(across + 72.f)) / 3;
            const int brick = static_cast<int>(std::floor(along + 72.f + (course % 2) * 3.f));
            const bool mortar = brick % 6 == 0 || static_cast<int>(std::floor(across + 72.f)) % 3 == 0;
            h = 4.f + std::min(1.f, -d / 1.f) * 3.f;
            const float tone = HashUnit(0xB21u, brick / 6, course);
            c = mortar ? Bytes(112, 74, 62) : Mix(Bytes(150, 58, 42), Bytes(178, 84, 58), tone);
            return true;
        });
    }
    Image full = Finish(relief, true);
    return Crop(full, kWallMargin, kWallMargin, kCell, kCell);
}

namespace {

// ---- decorations ---------------------------------------------------------

/// A leafy canopy: bumpy domes in leaf colours.
void Canopy(Relief& r, std::uint32_t seed, float x, float y, float radius, float height, Rgb leaf) {
    const Pose at{x, y, 0.f};
    r.Stamp(at, radius + 2.f, [&](float u, float v, float& h, Rgb& c) {
        const float n = Fbm(seed, u + x * 3.f, v + y * 3.f, 2.2f, 3);
        const float d = std::hypot(u, v) - radius * (0.85f + 0.3f * n);
        if (d > 0.f) return false;
        const float t = std::min(1.f, -d / radius);
        h = height * 0.5f + height * 0.5f * std::sqrt(t * (2.f - t)) + 1.5f * n;
        c = leaf * (0.8f + 0.4f * n);
        return true;
    });
}

Image Tree(std::uint32_t seed, int variant, Rgb leaf) {
    Relief r(kDecorSize, kDecorSize);
    const float c = kDecorSize / 2.f;
    switch (variant) {
        case 0:  // one broad crown
            Canopy(r, seed, c - 1.f, c - 1.f, 11.5f, 14.f, leaf);
            break;
        case 1:  // a cluster of three
            Canopy(r, seed, c - 6.f, c - 4.f, 7.5f, 12.f, leaf);
            Canopy(r, seed + 1, c + 5.f, c - 5.f, 6.5f, 10.f, leaf * 0.9f);
            Canopy(r, seed + 2, c, c + 5.f, 8.f, 13.f, leaf * 1.05f);
            break;
        case 2: {  // a conifer: a many-pointed star of branches
            std::vector<float> star;
            for (int k = 0; k < 16; ++k) {
                const float a = 2.f * kPi * k / 16.f;
                const float rad = (k % 2 ? 6.f : 11.f) + Pick(seed, k, 1, -1.f, 1.f);
                star.push_back(std::cos(a) * rad);
                star.push_back(std::sin(a) * rad);
            }
            r.Stamp(Pose{c - 1.f, c - 1.f, 0.f}, 13.f, [star](float u, float v) { return SdPolygon(u, v, star); },
                    Profile{2.f, 14.f, 11.f, false}, [&](float u, float v, float) {
                        const float n = Fbm(seed, u * 2.f, v * 2.f, 1.5f, 2);
                        return leaf * (0.75f + 0.45f * n);
                    });
            break;
        }
        default:  // low bushes
            for (int i = 0; i < 4; ++i)
                Canopy(r, seed + i, c + Pick(seed, i, 2, -8.f, 8.f), c + Pick(seed, i, 3, -8.f, 8.f),
                       Pick(seed, i, 4, 4.f, 6.f), 6.f, leaf * Pick(seed, i, 5, 0.85f, 1.1f));
            break;
    }
    return Finish(r);
}

Image Boulders(std::uint32_t seed, int variant) {
    Relief r(kDecorSize, kDecorSize);
    const int count = 1 + variant * 2;
    for (int i = 0; i < count; ++i) {
        const float size = i == 0 ? 12.f - variant * 2.5f : Pick(seed, i, 1, 3.5f, 6.f);
        const float x = i == 0 ? 16.f : Pick(seed, i, 2, 6.f, 28.f), y = i == 0 ? 16.f : Pick(seed, i, 3, 6.f, 28.f);
        std::vector<float> pts;
        for (int k = 0; k < 7; ++k) {
            const float a = 2.f * kPi * k / 7.f + Pick(seed, i * 10 + k, 4, -0.2f, 0.2f);
            const float rad = size * Pick(seed, i * 10 + k, 5, 0.75f, 1.f);
            pts.push_back(std::cos(a) * rad);
            pts.push_back(std::sin(a) * rad);
        }
        r.Stamp(Pose{x, y, 0.f}, size + 1.f, [pts](float u, float v) { return SdPolygon(u, v, pts); },
                Profile{0.f, size * 0.8f, size * 0.8f, true}, [&, i](float u, float v, float) {
                    const float n = Fbm(seed + i, u * 2.f, v * 2.f, 2.f, 3);
                    return Mix(Bytes(120, 116, 108), Bytes(176, 172, 162), n);
                });
    }
    return Finish(r);
}

Image Crater(std::uint32_t seed, int variant) {
    Relief r(kDecorSize, kDecorSize);
    const float radius = 9.f + variant * 2.5f;
    r.Stamp(Pose{17.5f, 17.5f, 0.f}, radius + 4.f, [&](float u, float v, float& h, Rgb& c) {
        const float n = Fbm(seed, u + 40.f, v + 40.f, 3.f, 3);
        const float d = std::hypot(u, v) / radius + 0.25f * (n - 0.5f);
        if (d > 1.25f) return false;
        // A raised lip around a hollow: height rises to the lip, then falls away outside.
        h = d < 1.f ? 0.3f + 3.f * d * d : 3.3f - (d - 1.f) * 13.f;
        if (h < 0.f) return false;
        c = d < 0.75f ? Mix(Bytes(52, 44, 36), Bytes(84, 72, 58), d) : Mix(Bytes(110, 96, 76), Bytes(128, 124, 112), n);
        return true;
    });
    return Finish(r, false);
}

Image TankTraps(std::uint32_t seed, int variant) {
    Relief r(kDecorSize, kDecorSize);
    if (variant == 0) {  // concrete teeth in two staggered rows
        for (int i = 0; i < 6; ++i) {
            const float x = 7.f + (i % 3) * 10.5f + (i / 3) * 5.f, y = 11.f + (i / 3) * 11.f;
            r.Stamp(Pose{x, y, 0.f}, 6.f, [](float u, float v) { return SdBox(u, v, 3.6f, 3.6f, 0.5f); },
                    Profile{0.f, 7.f, 3.6f, false}, Bytes(182, 180, 170));
        }
    } else if (variant == 1) {  // steel hedgehogs
        for (int i = 0; i < 3; ++i) {
            const Pose p{Pick(seed, i, 1, 8.f, 27.f), 7.f + i * 10.f, Pick(seed, i, 2, 0.f, kPi)};
            for (float a : {0.f, kPi / 2.f})
                r.Stamp(p.Moved(0, 0, a), 8.f, [](float u, float v) { return SdBox(u, v, 5.5f, 1.2f, 0.3f); },
                        Profile{1.f, 3.f, 1.2f, true}, Bytes(118, 120, 120), 0.5f);
        }
    } else {  // a row of concrete barriers
        for (int i = 0; i < 3; ++i)
            r.Stamp(Pose{17.5f, 6.f + i * 11.5f, 0.1f * (i - 1)}, 16.f,
                    [](float u, float v) { return SdBox(u, v, 13.f, 2.6f, 1.f); }, Profile{0.f, 6.f, 2.6f, false},
                    Bytes(190, 188, 180));
    }
    return Finish(r);
}

Image CratesAndBarrels(std::uint32_t seed, int variant) {
    Relief r(kDecorSize, kDecorSize);
    auto crate = [&](float x, float y, float a, float s, float base) {
        r.Stamp(Pose{x, y, a}, s * 1.5f, [s](float u, float v) { return SdBox(u, v, s, s, 0.4f); },
                Profile{base, 5.f, 0.9f, false}, [s](float u, float v, float depth) {
                    if (depth < 1.f) return Bytes(112, 62, 36);
                    const bool plank = std::fmod(u + s + 10.f, 2.5f) < 0.5f;
                    const bool brace = std::abs(u - v) < 0.8f;
                    return brace ? Bytes(118, 66, 38) : plank ? Bytes(120, 70, 42) : Bytes(158, 96, 56);
                });
    };
    auto barrel = [&](float x, float y) {
        r.Stamp(Pose{x, y, 0.f}, 4.f, [](float u, float v) { return SdCircle(u, v, 3.2f); }, Profile{0.f, 7.f, 0.8f, false},
                [](float u, float v, float depth) {
                    const float rr = std::hypot(u, v);
                    if (depth < 0.7f || std::abs(rr - 1.6f) < 0.35f) return Bytes(100, 30, 24);
                    return Bytes(168, 46, 34);
                }, 0.4f);
    };
    if (variant == 0) {
        crate(12.f, 13.f, 0.f, 6.f, 0.f);
        crate(24.f, 21.f, 0.3f, 5.f, 0.f);
        crate(12.f, 13.f, 0.1f, 3.5f, 5.f);
    } else if (variant == 1) {
        for (int i = 0; i < 5; ++i) barrel(9.f + (i % 3) * 7.5f + (i / 3) * 3.5f, 11.f + (i / 3) * 7.f);
        barrel(24.f, 27.f);
    } else if (variant == 2) {
        crate(11.f, 24.f, -0.2f, 5.f, 0.f);
        for (int i = 0; i < 3; ++i) barrel(20.f + (i % 2) * 7.f, 9.f + i * 5.f);
    } else {  // a brick hut's remains with a crate
        r.Stamp(Pose{17.5f, 17.5f, 0.f}, 16.f, [](float u, float v) {
                    const float outer = SdBox(u, v, 12.f, 10.f), inner = SdBox(u, v, 9.5f, 7.5f);
                    return std::max(outer, -inner);
                }, Profile{0.f, 6.f, 1.f, false}, [seed](float u, float v, float) {
                    const int k = static_cast<int>(std::floor(u + 40.f)) / 3 + static_cast<int>(std::floor(v + 40.f)) / 2;
                    return k % 2 ? Bytes(156, 64, 46) : Bytes(134, 54, 40) * (0.9f + 0.2f * HashUnit(seed, k));
                });
        crate(14.f, 16.f, 0.4f, 4.f, 0.f);
    }
    return Finish(r);
}

Image Emplacement(std::uint32_t seed, int variant) {
    Relief r(kDecorSize, kDecorSize);
    const Rgb sand = Bytes(150, 142, 92), olive = Bytes(104, 110, 56);
    if (variant == 0) {  // a ring of sandbags
        for (int i = 0; i < 14; ++i) {
            const float a = 2.f * kPi * i / 14.f + 0.4f;
            if (i == 3 || i == 4) continue;  // the opening
            r.Stamp(Pose{17.5f + std::cos(a) * 11.f, 17.5f + std::sin(a) * 11.f, a + kPi / 2.f}, 5.f,
                    [](float u, float v) { return SdEllipse(u, v, 3.2f, 2.f); }, Profile{0.f, 4.5f, 2.f, true},
                    sand * Pick(seed, i, 1, 0.85f, 1.05f));
        }
    } else if (variant == 1) {  // a tent with a ridge
        r.Stamp(Pose{17.5f, 17.5f, 0.f}, 16.f, [](float u, float v, float& h, Rgb& c) {
            if (SdBox(u, v, 13.f, 9.f, 0.5f) > 0.f) return false;
            h = 9.f - std::abs(v) * 0.9f;
            c = Bytes(110, 118, 62);
            if (std::abs(v) < 0.6f) c = Bytes(88, 92, 50);
            return true;
        });
    } else {  // ammunition boxes under a camouflage net
        for (int i = 0; i < 4; ++i)
            r.Stamp(Pose{10.f + (i % 2) * 13.f, 11.f + (i / 2) * 12.f, 0.f}, 7.f,
                    [](float u, float v) { return SdBox(u, v, 5.f, 3.f, 0.4f); }, Profile{0.f, 5.f, 0.8f, false},
                    Bytes(96, 100, 60));
        r.ForEach([&](float x, float y, Sample& s) {
            const float n = Fbm(seed, x, y, 3.f, 2);
            const float d = SdBox(x - 17.5f, y - 17.5f, 15.f, 14.f, 4.f) + 2.f * (n - 0.5f);
            if (d > 0.f) return;
            const bool mesh = (static_cast<int>(x * 1.f + y) % 3 == 0) || (static_cast<int>(x - y + 100.f) % 3 == 0);
            const Rgb net = n > 0.5f ? olive : Bytes(74, 84, 44);
            if (s.Height < 0.f) {
                if (!mesh) return;
                s.Height = 6.f;
                s.Color = net;
            } else {
                s.Height = std::max(s.Height, 6.f);
                s.Color = mesh ? net : s.Color * 0.7f;
            }
        });
    }
    return Finish(r);
}

Image Scrap(std::uint32_t seed, int variant) {
    Relief r(kDecorSize, kDecorSize);
    const Rgb grey = Bytes(122, 122, 118);
    if (variant == 0) {  // a burnt-out truck
        const Pose p{17.5f, 17.5f, -0.5f};
        r.Stamp(p.Moved(-3.f, 0.f), 14.f, [](float u, float v) { return SdBox(u, v, 9.f, 5.f, 0.6f); },
                Profile{1.f, 6.f, 1.f, false}, Bytes(92, 90, 86));
        r.Stamp(p.Moved(9.f, 0.f), 8.f, [](float u, float v) { return SdBox(u, v, 3.5f, 4.5f, 1.f); },
                Profile{1.f, 5.f, 1.f, true}, Bytes(80, 76, 72));
        r.Carve(p.Moved(10.5f, 0.f), 4.f, [](float u, float v) { return SdBox(u, v, 1.f, 3.5f); }, 4.f, Bytes(30, 30, 32));
        for (int w = 0; w < 3; ++w)
            for (float side : {-1.f, 1.f})
                r.Stamp(p.Moved(-8.f + w * 7.5f, side * 5.6f), 3.f, [](float u, float v) { return SdBox(u, v, 1.8f, 0.9f); },
                        Profile{0.f, 2.f, 0.5f, true}, Bytes(36, 34, 32));
    } else {  // a heap of scrap
        for (int i = 0; i < 14; ++i) {
            const float a = Pick(seed, i, 1, 0.f, 2.f * kPi), d = Pick(seed, i, 2, 0.f, 9.f);
            const Pose p{17.5f + std::cos(a) * d, 17.5f + std::sin(a) * d, Pick(seed, i, 3, 0.f, kPi)};
            const float len = Pick(seed, i, 4, 2.f, 6.f), wid = Pick(seed, i, 5, 0.8f, 2.5f);
            r.Stamp(p, len + 2.f, [len, wid](float u, float v) { return SdBox(u, v, len, wid, 0.3f); },
                    Profile{Pick(seed, i, 6, 0.f, 3.f), 2.f, 0.8f, false},
                    i % 4 == 0 ? Bytes(110, 70, 46) : grey * Pick(seed, i, 7, 0.6f, 1.1f), 0.3f);
        }
    }
    return Finish(r);
}

void AddList(ContentLibrary& library, int subgroup, int list, const char* name, std::vector<Image> frames) {
    PictureSet& set = library.List(1, subgroup, list);
    set.Name = name;
    set.Frames = std::move(frames);
}

}  // namespace

void AddScenery(ContentLibrary& library, std::uint32_t seed) {
    for (int kind = 0; kind < 2; ++kind) {
        std::vector<Image> pieces;
        for (int frame = 0; frame <= 10; ++frame) pieces.push_back(WallPiece(kind, frame));
        AddList(library, kind, 0, kind == 0 ? "CONCRETE WALL" : "BRICK WALL", std::move(pieces));
    }
    std::vector<Image> boulders, autumn, trees, craters;
    for (int v = 0; v < 3; ++v) boulders.push_back(Boulders(seed + 10 + v, v));
    for (int v = 0; v < 3; ++v) autumn.push_back(Tree(seed + 20 + v, v == 2 ? 3 : v, v == 1 ? Bytes(150, 70, 40) : Bytes(168, 84, 46)));
    for (int v = 0; v < 4; ++v) trees.push_back(Tree(seed + 30 + v, v, Bytes(70, 118, 46)));
    for (int v = 0; v < 3; ++v) craters.push_back(Crater(seed + 40 + v, v));
    AddList(library, 2, 0, "BOULDERS", std::move(boulders));
    AddList(library, 2, 1, "AUTUMN TREES", std::move(autumn));
    AddList(library, 2, 2, "TREES AND BUSHES", std::move(trees));
    AddList(library, 2, 3, "CRATERS", std::move(craters));

    std::vector<Image> traps, crates, camp, scrap;
    for (int v = 0; v < 3; ++v) traps.push_back(TankTraps(seed + 50 + v, v));
    for (int v = 0; v < 4; ++v) crates.push_back(CratesAndBarrels(seed + 60 + v, v));
    for (int v = 0; v < 3; ++v) camp.push_back(Emplacement(seed + 70 + v, v));
    for (int v = 0; v < 2; ++v) scrap.push_back(Scrap(seed + 80 + v, v));
    AddList(library, 3, 0, "TANK TRAPS AND BARRIERS", std::move(traps));
    AddList(library, 3, 1, "CRATES AND BARRELS", std::move(crates));
    AddList(library, 3, 2, "SANDBAGS AND TENTS", std::move(camp));
    AddList(library, 3, 3, "SCRAP", std::move(scrap));
}

}  // namespace tavrine::assets
