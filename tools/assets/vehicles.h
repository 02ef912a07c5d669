// Tanks: three models seen from above, sixteen hull facings and sixteen turret
// facings each, the turret turning about the middle of the picture so that it
// sits on any hull facing.
#pragma once

#include <cstdint>

#include "content_library.h"
#include "relief.h"

namespace tavrine::assets {

/// Tank pictures are 35 by 35 pixels: they fit in one cell, and their middle
/// (17.5, 17.5) is the turret's pivot.
constexpr int kTankSize = 35;
constexpr int kTankModels = 3;

/// Colours of one tank's parts.
struct TankColors {
    Rgb Paint;
    Rgb Trim;
    Rgb Track = Bytes(58, 56, 52);
    Rgb Metal = Bytes(86, 88, 84);
    float Shine = 0.18f;
    bool Headlights = true;
};

TankColors TankColorsOfSide(int side);
/// A burnt-out tank: soot and rust.
TankColors WreckColors();

/// Stamps a hull (tracks, body, deck) pointing along the pose.
void StampHull(Relief& relief, const Pose& pose, int model, const TankColors& colors);
/// Stamps a turret with its gun pointing along the pose; the pose is the pivot.
void StampTurret(Relief& relief, const Pose& pose, int model, const TankColors& colors);

/// One of the 32 frames of a tank list: 0..15 hull facings, 16..31 turret facings.
Image TankFrame(int side, int model, int frame);

/// Group 4: subgroup = side 0..2, list = model 0..2, 32 frames each.
void AddTanks(ContentLibrary& library);

}  // namespace tavrine::assets
