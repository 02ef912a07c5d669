#include "vehicles.h"

#include <cmath>

#include "sides.h"

namespace tavrine::assets {

namespace {

/// Measurements of a model in pixels, from the middle of the picture; u runs
/// forward, v to the right.
struct Model {
    float HalfLength;     ///< tracks, front to back
    float TrackInner;     ///< |v| where the tracks begin
    float TrackOuter;     ///< |v| where they end
    float BodyFront;      ///< u of the hull's nose
    float BodyBack;       ///< u of the hull's tail (negative)
    float BodyHalfWidth;  ///< the deck, which hides the inner edge of the tracks
    float TurretFront;    ///< turret outline, forward of the pivot
    float TurretBack;     ///< and behind it (negative)
    float TurretHalfWidth;
    float BarrelEnd;      ///< gun tip, from the pivot
    float BarrelHalfWidth;
    bool Skirts;          ///< armour plates over the tracks
};

constexpr Model kModels[kTankModels] = {
    // 0: battle tank
    {13.0f, 5.0f, 9.4f, 12.2f, -12.4f, 6.3f, 5.0f, -6.6f, 5.0f, 16.0f, 0.95f, false},
    // 1: light tank
    {11.0f, 4.0f, 7.6f, 10.4f, -10.4f, 5.0f, 3.6f, -4.8f, 3.8f, 14.2f, 0.7f, false},
    // 2: heavy tank
    {13.8f, 5.4f, 10.2f, 13.2f, -13.4f, 7.4f, 5.8f, -7.6f, 6.2f, 16.6f, 1.25f, true},
};

}  // namespace

TankColors TankColorsOfSide(int side) {
    const SidePalette p = PaletteOfSide(side);
    return {p.Paint, p.Trim};
}

TankColors WreckColors() {
    return {Bytes(62, 56, 50), Bytes(104, 60, 36), Bytes(46, 44, 42), Bytes(56, 52, 48), 0.f, false};
}

void StampHull(Relief& relief, const Pose& pose, int model, const TankColors& colors) {
    const Model& m = kModels[model];
    const float reach = std::hypot(m.HalfLength, m.TrackOuter) + 1.f;
    // Tracks: grey belts with cross treads.
    const float trackHalf = (m.TrackOuter - m.TrackInner) / 2.f;
    const float trackCentre = (m.TrackOuter + m.TrackInner) / 2.f;
    for (float side : {-1.f, 1.f}) {
        relief.Stamp(
            pose.Moved(0.f, side * trackCentre), reach,
            [&](float u, float v) { return SdBox(u, v, m.HalfLength, trackHalf, 1.4f); }, Profile{0.f, 3.2f, 0.7f, false},
            [&](float u, float v, float) {
                const bool tread = std::fmod(u + 40.f, 2.f) < 1.f;
                const Rgb c = tread ? colors.Track * 1.45f : colors.Track * 0.85f;
                return std::abs(v) > trackHalf - 0.6f ? colors.Track * 0.8f : c;
            });
    }
    // The body: a deck that slopes down to the nose, so the front catches the light
    // differently from the back; an engine deck with grille slats at the tail.
    const float glacis = m.BodyFront - (m.BodyFront - m.BodyBack) * 0.22f;
    const float engine = m.BodyBack + (m.BodyFront - m.BodyBack) * 0.27f;
    const float mid = (m.BodyFront + m.BodyBack) / 2.f, half = (m.BodyFront - m.BodyBack) / 2.f;
    relief.Stamp(
        pose, reach,
        [&, model](float u, float v, float& h, Rgb& c) {
            const float d = SdBox(u - mid, v, half, m.BodyHalfWidth, 1.4f);
            if (d > 0.f) return false;
            const float edge = std::min(1.f, -d / 1.1f);
            h = 3.6f + 2.2f * edge;
            c = colors.Paint;
            if (u > glacis) {
                h -= (u - glacis) * 0.35f;
                c = colors.Paint * 1.1f;
            } else if (u < engine && std::abs(v) < m.BodyHalfWidth - 1.4f && u > m.BodyBack + 1.f) {
                c = std::fmod(u + 40.f, 1.5f) < 0.75f ? colors.Trim * 0.55f : colors.Trim * 0.85f;
                h -= 0.5f;
            }
            if (model == 2 && std::abs(v) > m.BodyHalfWidth - 1.6f) c = colors.Trim;  // the skirts' edge
            return true;
        },
        colors.Shine);
    if (m.Skirts) {
        for (float side : {-1.f, 1.f})
            relief.Stamp(pose.Moved(-0.5f, side * (m.TrackOuter - 1.2f)), reach,
                         [&](float u, float v) { return SdBox(u, v, m.HalfLength - 2.2f, 1.1f, 0.4f); },
                         Profile{3.4f, 1.2f, 0.6f, false}, colors.Trim, colors.Shine);
    }
    // Headlights at the nose, exhausts at the tail.
    for (float side : {-1.f, 1.f}) {
        if (colors.Headlights)
            relief.Stamp(pose.Moved(m.BodyFront - 1.0f, side * (m.BodyHalfWidth - 1.4f)), 2.f,
                     [](float u, float v) { return SdCircle(u, v, 0.75f); }, Profile{4.6f, 0.8f, 0.5f, true},
                     Bytes(240, 236, 206), 0.7f);
        relief.Carve(pose.Moved(m.BodyBack + 1.0f, side * (m.BodyHalfWidth - 2.2f)), 2.f,
                     [](float u, float v) { return SdBox(u, v, 0.6f, 1.0f); }, 3.f, Bytes(30, 28, 26));
    }
}

void StampTurret(Relief& relief, const Pose& pose, int model, const TankColors& colors) {
    const Model& m = kModels[model];
    const float reach = m.BarrelEnd + 2.f;
    const Rgb paint = colors.Paint * 1.08f;
    // The gun: a tube from inside the turret with a muzzle brake; the heavy gun
    // has a thicker ring halfway.
    relief.Stamp(
        pose, reach,
        [&, model](float u, float v) {
            const float tube = SdBox(u - (m.BarrelEnd + m.TurretFront - 1.f) / 2.f, v,
                                     (m.BarrelEnd - m.TurretFront + 1.f) / 2.f, m.BarrelHalfWidth, 0.3f);
            float d = std::min(tube, SdBox(u - (m.BarrelEnd - 1.1f), v, 1.1f, m.BarrelHalfWidth + 0.45f, 0.3f));
            if (model == 2) d = std::min(d, SdBox(u - (m.TurretFront + 5.5f), v, 1.2f, m.BarrelHalfWidth + 0.4f, 0.4f));
            return d;
        },
        Profile{8.6f, 1.2f, m.BarrelHalfWidth, true}, colors.Metal * 1.15f, 0.45f);
    // The turret: a flattened, faceted shell with a gun mantlet at its front.
    const float F = m.TurretFront, B = m.TurretBack, W = m.TurretHalfWidth;
    const std::vector<float> outline = {F,       -W * 0.62f, F - 2.2f, -W, B + 1.6f, -W, B, -W * 0.7f,
                                        B,       W * 0.7f,   B + 1.6f, W,  F - 2.2f, W,  F, W * 0.62f};
    relief.Stamp(pose, reach, [outline](float u, float v) { return SdPolygon(u, v, outline); },
                 Profile{7.f, 3.0f, W * 0.55f, model != 2}, paint, colors.Shine);
    relief.Stamp(pose.Moved(F - 0.4f, 0.f), 4.f,
                 [&](float u, float v) { return SdBox(u, v, 1.3f, m.BarrelHalfWidth + 1.2f, 0.5f); },
                 Profile{8.f, 1.8f, 0.8f, true}, colors.Trim, colors.Shine);
    // The commander's hatch, behind the pivot and to one side; a storage box at the back.
    relief.Stamp(pose.Moved(B * 0.45f, W * 0.42f), 3.f,
                 [&](float u, float v) { return SdCircle(u, v, W * 0.32f); }, Profile{9.4f, 1.6f, 0.7f, true},
                 colors.Trim * 1.1f, 0.25f);
    relief.Stamp(pose.Moved(B + 0.8f, 0.f), 4.f, [&](float u, float v) { return SdBox(u, v, 0.8f, W * 0.55f, 0.3f); },
                 Profile{7.5f, 1.5f, 0.5f, false}, colors.Trim * 0.9f);
}

Image TankFrame(int side, int model, int frame) {
    Relief relief(kTankSize, kTankSize);
    const TankColors colors = TankColorsOfSide(side);
    const Pose pivot{kTankSize / 2.f, kTankSize / 2.f, FacingAngle(frame % 16)};
    if (frame < 16) StampHull(relief, pivot, model, colors);
    else StampTurret(relief, pivot, model, colors);
    return ToKeyed(relief.Render());
}

void AddTanks(ContentLibrary& library) {
    static const char* const kNames[kTankModels] = {"BATTLE TANK", "LIGHT TANK", "HEAVY TANK"};
    for (int side = 0; side < 3; ++side) {
        for (int model = 0; model < kTankModels; ++model) {
            PictureSet& set = library.List(4, side, model);
            set.Name = kNames[model];
            for (int frame = 0; frame < 32; ++frame) set.Frames.push_back(TankFrame(side, model, frame));
        }
    }
}

}  // namespace tavrine::assets
