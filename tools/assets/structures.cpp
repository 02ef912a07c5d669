#include "structures.h"

#include <cmath>

#include "noise.h"
#include "relief.h"
#include "sides.h"

namespace tavrine::assets {

namespace {

constexpr Rgb kConcrete = Bytes(164, 160, 150);
constexpr Rgb kDarkConcrete = Bytes(118, 116, 110);
constexpr Rgb kMetal = Bytes(120, 124, 126);
constexpr Rgb kGlass = Bytes(96, 130, 150);
constexpr Rgb kHazard = Bytes(232, 196, 40);

Image FinishBuilding(const Relief& relief) {
    Lighting l;
    l.GroundShadow = true;
    l.ShadowReach = 7.f;
    return ToKeyed(relief.Render(l));
}

const Pose kOrigin{0.f, 0.f, 0.f};

/// An axis-aligned box from (x0, y0) to (x1, y1) in picture pixels.
Sdf Rect(float x0, float y0, float x1, float y1, float corner = 0.5f) {
    return [=](float u, float v) { return SdBox(u - (x0 + x1) / 2.f, v - (y0 + y1) / 2.f, (x1 - x0) / 2.f, (y1 - y0) / 2.f, corner); };
}

float Reach(float w, float h) { return std::hypot(w, h) + 2.f; }

/// A flat-roofed block with a parapet: the roof in `roof` colour with panel
/// seams, the parapet in concrete.
void FlatBlock(Relief& r, float x0, float y0, float x1, float y1, float height, Rgb roof, float base = 0.f) {
    const Sdf shape = Rect(x0, y0, x1, y1, 1.f);
    r.Stamp(kOrigin, Reach(x1, y1), [=](float u, float v, float& h, Rgb& c) {
        const float d = shape(u, v);
        if (d > 0.f) return false;
        if (-d < 1.6f) {
            h = base + height + 1.f;
            c = kConcrete;
        } else {
            h = base + height;
            const bool seam = static_cast<int>(std::floor(u - x0)) % 8 == 0;
            c = seam ? roof * 0.82f : roof;
        }
        return true;
    });
}

/// A pitched roof along x: the ridge runs from x0 to x1 in the middle.
void GableBlock(Relief& r, float x0, float y0, float x1, float y1, float eaves, float ridge, Rgb roof) {
    const Sdf shape = Rect(x0, y0, x1, y1, 0.5f);
    const float mid = (y0 + y1) / 2.f, half = (y1 - y0) / 2.f;
    r.Stamp(kOrigin, Reach(x1, y1), [=](float u, float v, float& h, Rgb& c) {
        if (shape(u, v) > 0.f) return false;
        const float t = 1.f - std::abs(v - mid) / half;
        h = eaves + ridge * t;
        const bool tiles = static_cast<int>(std::floor(v - y0)) % 3 == 0;
        c = tiles ? roof * 0.85f : roof;
        if (t > 0.93f) c = roof * 0.7f;
        return true;
    });
}

/// A signal light: lit in the side's colour, or dark.
void Lamp(Relief& r, float x, float y, float height, bool on, Rgb color) {
    r.Stamp(Pose{x, y, 0.f}, 3.f, [](float u, float v) { return SdCircle(u, v, 1.4f); }, Profile{height, 1.2f, 1.f, true},
            on ? color : color * 0.3f, on ? 0.9f : 0.3f);
}

/// Yellow and black stripes across a rectangle.
void Hazard(Relief& r, float x0, float y0, float x1, float y1, float height) {
    r.Stamp(kOrigin, Reach(x1, y1), [=](float u, float v, float& h, Rgb& c) {
        if (u < x0 || u > x1 || v < y0 || v > y1) return false;
        h = height;
        c = static_cast<int>(std::floor((u + v) / 2.5f)) % 2 ? kHazard : Bytes(40, 36, 30);
        return true;
    });
}

// ---- towers ----------------------------------------------------------------

Image GunTower(int side, int facing) {
    const SidePalette p = PaletteOfSide(side);
    Relief r(35, 35);
    const float c = 17.f;
    // An octagonal pad with a ring of the side's colour.
    std::vector<float> octagon;
    for (int k = 0; k < 8; ++k) {
        const float a = kPi / 8.f + k * kPi / 4.f;
        octagon.push_back(std::cos(a) * 14.5f);
        octagon.push_back(std::sin(a) * 14.5f);
    }
    r.Stamp(Pose{c, c, 0.f}, 17.f, [octagon](float u, float v) { return SdPolygon(u, v, octagon); },
            Profile{0.f, 4.f, 1.5f, false}, [&](float u, float v, float depth) {
                if (depth > 1.8f && depth < 4.2f) return p.Paint;
                return std::fmod(std::atan2(v, u) + 10.f * kPi, kPi / 4.f) < 0.08f ? kDarkConcrete : kConcrete;
            });
    // The turret turns; the gun points along the facing.
    const Pose gun{c, c, FacingAngle(facing)};
    r.Stamp(gun, 18.f, [](float u, float v) {
                return std::min(SdBox(u - 10.5f, v, 6.f, 1.45f, 0.3f), SdBox(u - 15.3f, v, 1.4f, 2.1f, 0.3f));
            }, Profile{9.5f, 1.5f, 1.4f, true}, kMetal * 1.1f, 0.5f);
    r.Stamp(gun, 10.f, [](float u, float v) { return SdCircle(u + 0.8f, v, 6.3f); }, Profile{6.f, 5.f, 4.5f, true},
            p.Paint * 1.05f, 0.25f);
    r.Stamp(gun.Moved(-3.f, -2.3f), 3.f, [](float u, float v) { return SdCircle(u, v, 1.5f); },
            Profile{10.5f, 1.f, 0.8f, true}, p.Trim, 0.3f);
    return FinishBuilding(r);
}

Image Fortress(int side, int facing) {
    const SidePalette p = PaletteOfSide(side);
    Relief r(71, 71);
    const float c = 35.f;
    // A square bunker with chamfered corners, hazard stripes on the corners.
    r.Stamp(Pose{c, c, 0.f}, 50.f, [](float u, float v) {
                return std::max(SdBox(u, v, 31.f, 31.f, 3.f), (std::abs(u) + std::abs(v)) - 52.f);
            }, Profile{0.f, 7.f, 2.5f, false}, [&](float u, float v, float depth) {
                if (depth > 3.f && depth < 6.f) return p.Paint;
                const bool slab = static_cast<int>(std::floor(u + 40.f)) % 10 == 0 || static_cast<int>(std::floor(v + 40.f)) % 10 == 0;
                return slab ? kDarkConcrete : kConcrete;
            });
    for (int k = 0; k < 4; ++k) {
        const float sx = (k % 2 ? 1.f : -1.f), sy = (k / 2 ? 1.f : -1.f);
        const float x = c + sx * 22.f, y = c + sy * 22.f;
        Lamp(r, x, y, 7.f, true, p.Light);
    }
    const Pose gun{c, c, FacingAngle(facing)};
    for (float across : {-1.f, 1.f})
        r.Stamp(gun.Moved(0.f, across * 3.6f), 36.f, [](float u, float v) {
                    return std::min(SdBox(u - 22.f, v, 10.5f, 1.5f, 0.4f), SdBox(u - 31.f, v, 1.8f, 2.1f, 0.4f));
                }, Profile{14.f, 1.6f, 1.4f, true}, kMetal, 0.5f);
    r.Stamp(gun, 18.f, [](float u, float v) {
                return std::min(SdCircle(u + 1.f, v, 14.f), SdBox(u - 11.f, v, 4.f, 8.f, 2.f));
            }, Profile{8.f, 8.f, 7.f, true}, p.Paint * 1.05f, 0.25f);
    r.Stamp(gun.Moved(-6.f, 4.f), 4.f, [](float u, float v) { return SdCircle(u, v, 3.f); }, Profile{15.f, 1.5f, 1.f, true},
            p.Trim, 0.3f);
    r.Stamp(gun.Moved(-8.f, -5.f), 4.f, [](float u, float v) { return SdBox(u, v, 2.f, 1.2f, 0.3f); },
            Profile{15.f, 1.f, 0.5f, false}, kMetal);
    return FinishBuilding(r);
}

// ---- buildings -------------------------------------------------------------

Image Headquarters(int side, int frame) {
    const SidePalette p = PaletteOfSide(side);
    Relief r(107, 107);
    // A foundation slab, the main hall with a roof in the side's colour, and a
    // command tower carrying the radar.
    r.Stamp(kOrigin, 160.f, Rect(2.f, 4.f, 99.f, 98.f, 2.f), Profile{0.f, 1.5f, 1.f, false}, kDarkConcrete);
    FlatBlock(r, 6.f, 10.f, 95.f, 93.f, 9.f, p.Paint);
    FlatBlock(r, 52.f, 16.f, 88.f, 54.f, 8.f, Bytes(110, 112, 116), 10.f);
    // The emblem on the roof: a white star on a dark disc, clear on every side's colour.
    r.Tint(Pose{30.f, 34.f, 0.f}, 16.f, [](float u, float v) { return SdCircle(u, v, 12.5f); }, p.Trim * 0.8f);
    r.Tint(Pose{30.f, 34.f, -kPi / 2.f}, 16.f, [](float u, float v) {
        const float a = std::atan2(v, u), rr = std::hypot(u, v);
        return rr - (4.5f + 5.5f * std::pow(std::abs(std::cos(2.5f * a)), 5.f));
    }, Bytes(240, 240, 232));
    // A helipad at the front corner.
    r.Tint(Pose{30.f, 72.f, 0.f}, 14.f, [](float u, float v) { return std::abs(SdCircle(u, v, 10.f)) - 1.f; },
           Bytes(236, 236, 228));
    r.Tint(Pose{30.f, 72.f, 0.f}, 8.f, [](float u, float v) {
        return std::min(std::min(SdBox(u - 3.f, v, 1.f, 5.f), SdBox(u + 3.f, v, 1.f, 5.f)), SdBox(u, v, 3.f, 0.9f));
    }, Bytes(236, 236, 228));
    // Vents and a door.
    for (int i = 0; i < 3; ++i)
        r.Stamp(Pose{60.f + i * 9.f, 76.f, 0.f}, 5.f, [](float u, float v) { return SdBox(u, v, 3.f, 3.f, 0.5f); },
                Profile{9.f, 2.f, 0.8f, false}, kMetal);
    r.Carve(kOrigin, 160.f, Rect(44.f, 88.f, 58.f, 93.f, 0.3f), 3.f, Bytes(40, 40, 44));
    // The radar: a mast and a dish that turns a step every frame.
    const Pose mast{70.f, 35.f, 0.f};
    r.Stamp(mast, 4.f, [](float u, float v) { return SdCircle(u, v, 2.6f); }, Profile{18.f, 2.f, 1.f, true}, kMetal);
    const Pose dish = mast.Moved(0.f, 0.f, kPi * frame / 8.f);
    r.Stamp(dish, 14.f, [](float u, float v) {
                return std::min(SdEllipse(u + 1.5f, v, 3.2f, 11.f), SdBox(u - 2.f, v, 2.5f, 0.7f));
            }, Profile{20.f, 2.f, 2.f, true}, [](float u, float, float) {
                return u < -2.5f ? Bytes(150, 156, 160) : Bytes(214, 218, 222);
            }, 0.7f);
    // Lamps on the tower's corners blink in turn.
    Lamp(r, 55.f, 19.f, 19.f, frame % 4 < 2, p.Light);
    Lamp(r, 85.f, 51.f, 19.f, frame % 4 >= 2, p.Light);
    return FinishBuilding(r);
}

Image Factory(int side, int frame) {
    const SidePalette p = PaletteOfSide(side);
    Relief r(107, 71);
    r.Stamp(kOrigin, 130.f, Rect(2.f, 3.f, 99.f, 68.f, 2.f), Profile{0.f, 1.5f, 1.f, false}, kDarkConcrete);
    // The hall: a saw-tooth roof of the side's colour with skylights.
    r.Stamp(kOrigin, 130.f, [](float u, float v, float& h, Rgb& c) {
        if (Rect(5.f, 6.f, 96.f, 52.f, 1.f)(u, v) > 0.f) return false;
        const float tooth = std::fmod(v - 6.f, 11.5f) / 11.5f;
        h = 9.f + 5.f * tooth;
        c = tooth > 0.82f ? kGlass : Bytes(0, 0, 0);
        return true;
    });
    r.ForEach([&](float x, float y, Sample& s) {
        if (s.Height >= 9.f && s.Color.R == 0.f && s.Color.G == 0.f && s.Color.B == 0.f)
            s.Color = static_cast<int>(std::floor(x)) % 9 == 0 ? p.Paint * 0.8f : p.Paint;
        (void)y;
    });
    // The gate: a workshop bay over the exit cell, tanks leave southward.
    FlatBlock(r, 38.f, 40.f, 69.f, 60.f, 11.f, p.Trim);
    r.Carve(kOrigin, 130.f, Rect(42.f, 56.f, 65.f, 61.f, 0.3f), 2.f, Bytes(34, 34, 38));
    Hazard(r, 40.f, 61.f, 67.f, 66.f, 1.6f);
    // A chimney and roof fans that turn.
    r.Stamp(Pose{86.f, 16.f, 0.f}, 7.f, [](float u, float v) { return SdCircle(u, v, 4.5f); }, Profile{14.f, 6.f, 1.5f, false},
            [](float u, float v, float) { return std::hypot(u, v) < 2.6f ? Bytes(30, 28, 28) : Bytes(150, 70, 50); });
    for (int i = 0; i < 2; ++i) {
        const Pose fan{16.f + i * 16.f, 22.f, kPi * frame / 8.f + i * 0.6f};
        r.Stamp(fan, 6.f, [](float u, float v) { return SdCircle(u, v, 4.5f); }, Profile{14.f, 1.f, 0.8f, false}, kMetal * 0.7f);
        r.Stamp(fan, 6.f, [](float u, float v) {
                    return std::min(SdBox(u, v, 4.f, 0.8f), SdBox(u, v, 0.8f, 4.f));
                }, Profile{15.f, 0.8f, 0.5f, false}, Bytes(200, 204, 206), 0.5f);
    }
    Lamp(r, 40.f, 42.f, 12.f, frame % 2 == 0, p.Light);
    Lamp(r, 67.f, 42.f, 12.f, frame % 2 == 1, p.Light);
    return FinishBuilding(r);
}

Image Barracks(int side) {
    const SidePalette p = PaletteOfSide(side);
    Relief r(71, 35);
    r.Stamp(kOrigin, 90.f, Rect(2.f, 3.f, 66.f, 31.f, 1.5f), Profile{0.f, 1.f, 1.f, false}, kDarkConcrete);
    GableBlock(r, 5.f, 6.f, 63.f, 27.f, 6.f, 6.f, p.Paint);
    for (int i = 0; i < 3; ++i)
        r.Stamp(Pose{16.f + i * 18.f, 12.f, 0.f}, 3.f, [](float u, float v) { return SdBox(u, v, 1.5f, 1.5f); },
                Profile{11.f, 2.f, 0.5f, false}, kMetal);
    return FinishBuilding(r);
}

Image PowerPlant(int side, int frame) {
    const SidePalette p = PaletteOfSide(side);
    Relief r(71, 71);
    r.Stamp(kOrigin, 100.f, Rect(2.f, 3.f, 65.f, 66.f, 2.f), Profile{0.f, 1.f, 1.f, false}, kDarkConcrete);
    // The cooling tower: a ring with a hollow, steam rising out of it.
    const Pose tower{23.f, 23.f, 0.f};
    r.Stamp(tower, 20.f, [](float u, float v, float& h, Rgb& c) {
        const float d = std::hypot(u, v);
        if (d > 17.f) return false;
        if (d < 12.5f) {
            h = 4.f;
            c = Bytes(60, 58, 56);
        } else {
            h = 16.f - (d - 12.5f) * 2.2f;
            c = kConcrete * (1.f - (d - 12.5f) * 0.03f);
        }
        return true;
    });
    // The generator hall, roofed in the side's colour; transformers beside it.
    FlatBlock(r, 38.f, 30.f, 63.f, 63.f, 9.f, p.Paint);
    for (int i = 0; i < 3; ++i)
        r.Stamp(Pose{10.f + i * 10.f, 54.f, 0.f}, 5.f, [](float u, float v) { return SdBox(u, v, 3.5f, 4.f, 0.5f); },
                Profile{1.f, 5.f, 1.f, false}, [](float u, float, float) {
                    return std::fmod(u + 10.f, 2.f) < 1.f ? Bytes(90, 94, 96) : Bytes(130, 134, 136);
                }, 0.3f);
    // Steam: puffs that drift and change from frame to frame.
    const float t = static_cast<float>(frame) / 4.f;
    r.ForEach([&](float x, float y, Sample& s) {
        const float dx = x - 23.f - t * 3.f, dy = y - 23.f + t * 3.f;
        const float n = Fbm(0x57EAu, x - t * 6.f, y + t * 6.f, 3.5f, 3);
        const float body = 1.f - std::hypot(dx, dy) / 11.f + 0.6f * (n - 0.5f);
        if (body <= 0.f) return;
        const float h = 17.f + body * 4.f;
        if (h < s.Height) return;
        s.Height = h;
        s.Color = Mix(Bytes(200, 204, 206), Bytes(245, 246, 246), n);
        s.Shine = 0.f;
    });
    Lamp(r, 60.f, 33.f, 10.f, frame % 2 == 0, p.Light);
    return FinishBuilding(r);
}

Image FuelDepot(int side) {
    const SidePalette p = PaletteOfSide(side);
    Relief r(35, 35);
    r.Stamp(kOrigin, 50.f, Rect(1.f, 2.f, 31.f, 31.f, 1.5f), Profile{0.f, 1.f, 1.f, false}, kDarkConcrete);
    for (int i = 0; i < 2; ++i) {
        const Pose tank{10.f + i * 13.f, 11.f + i * 10.f, 0.f};
        r.Stamp(tank, 9.f, [](float u, float v) { return SdCircle(u, v, 7.f); }, Profile{1.f, 8.f, 4.f, true},
                [&](float u, float v, float) {
                    const float rr = std::hypot(u, v);
                    return rr > 4.8f && rr < 6.f ? p.Paint : Bytes(200, 200, 194);
                }, 0.5f);
    }
    r.Stamp(kOrigin, 50.f, [](float u, float v) { return SdSegment(u, v, 6.f, 26.f, 26.f, 8.f, 0.9f); },
            Profile{1.f, 2.f, 0.8f, true}, kMetal, 0.4f);
    return FinishBuilding(r);
}

Image RadioMast(int side, int frame) {
    const SidePalette p = PaletteOfSide(side);
    Relief r(35, 35);
    r.Stamp(kOrigin, 50.f, Rect(2.f, 2.f, 30.f, 30.f, 1.5f), Profile{0.f, 1.f, 1.f, false}, kDarkConcrete);
    FlatBlock(r, 4.f, 18.f, 18.f, 29.f, 6.f, p.Paint);
    // A lattice mast seen from above with guy wires, and a turning antenna bar.
    const Pose mast{21.f, 12.f, 0.f};
    for (int k = 0; k < 3; ++k) {
        const float a = kPi / 2.f + k * 2.f * kPi / 3.f;
        r.Stamp(kOrigin, 50.f, [=](float u, float v) {
                    return SdSegment(u, v, mast.X, mast.Y, mast.X + std::cos(a) * 10.f, mast.Y + std::sin(a) * 10.f, 0.35f);
                }, Profile{1.f, 3.f, 0.3f, true}, Bytes(70, 70, 72));
    }
    r.Stamp(mast, 4.f, [](float u, float v) { return SdBox(u, v, 2.2f, 2.2f, 0.3f); }, Profile{2.f, 14.f, 0.6f, false},
            [](float u, float v, float) {
                return (static_cast<int>(std::floor(u + v + 10.f)) % 2) ? Bytes(200, 60, 50) : Bytes(230, 230, 226);
            });
    r.Stamp(mast.Moved(0.f, 0.f, kPi * frame / 4.f), 8.f, [](float u, float v) { return SdBox(u, v, 6.5f, 0.7f, 0.3f); },
            Profile{16.f, 1.f, 0.5f, true}, kMetal, 0.6f);
    Lamp(r, mast.X, mast.Y, 17.f, frame % 2 == 0, p.Light);
    return FinishBuilding(r);
}

}  // namespace

Image TowerFrame(int side, int list, int facing) { return list == 0 ? GunTower(side, facing) : Fortress(side, facing); }

std::vector<Image> BuildingFrames(int side, int list) {
    std::vector<Image> frames;
    switch (list) {
        case kHeadquarters:
            for (int f = 0; f < 8; ++f) frames.push_back(Headquarters(side, f));
            break;
        case kFactory:
            for (int f = 0; f < 4; ++f) frames.push_back(Factory(side, f));
            break;
        case kBarracks: frames.push_back(Barracks(side)); break;
        case kPowerPlant:
            for (int f = 0; f < 4; ++f) frames.push_back(PowerPlant(side, f));
            break;
        case kFuelDepot: frames.push_back(FuelDepot(side)); break;
        default:
            for (int f = 0; f < 4; ++f) frames.push_back(RadioMast(side, f));
            break;
    }
    return frames;
}

void AddTowers(ContentLibrary& library) {
    for (int side = 0; side < kSides; ++side)
        for (int list = 0; list < kTowerLists; ++list) {
            PictureSet& set = library.List(2, side, list);
            set.Name = list == 0 ? "GUN TOWER" : "FORTRESS";
            for (int facing = 0; facing < 16; ++facing) set.Frames.push_back(TowerFrame(side, list, facing));
        }
}

void AddBuildings(ContentLibrary& library) {
    static const char* const kNames[kBuildingLists] = {"HEADQUARTERS", "FACTORY", "BARRACKS",
                                                       "POWER PLANT", "FUEL DEPOT", "RADIO MAST"};
    for (int side = 0; side < kSides; ++side)
        for (int list = 0; list < kBuildingLists; ++list) {
            PictureSet& set = library.List(3, side, list);
            set.Name = kNames[list];
            set.Frames = BuildingFrames(side, list);
        }
}

}  // namespace tavrine::assets
