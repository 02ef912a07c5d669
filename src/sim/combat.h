// Combat and destruction: turrets and towers, firing and damage, shells,
// explosions and labels, the alert scan, and the removal of destroyed tanks and
// buildings with their rewards.
#pragma once

#include <cstdint>
#include <string>

#include "sim/context.h"
#include "sim/grid.h"

namespace tavrine {

/// Rewards paid to the player.
inline constexpr std::int32_t kTankReward = 500;
inline constexpr std::int32_t kBuildingReward = 2000;

void TurretStep(SimContext& ctx, std::int32_t tank);
/// `turretBefore` is the turret facing before this frame's turret step: a tank
/// counts toward its reload only while its turret stands still.
void FireStep(SimContext& ctx, std::int32_t tank, std::int32_t turretBefore);

/// The point on a picture's border in the facing's direction; the picture's
/// centre for a facing outside 0..15.
PixelXY MuzzlePoint(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height, std::int32_t facing);

/// A random impact point inside the middle of a picture at (left, top): left +
/// width div 5 + a random integer in [0, width * 6 div 10), likewise for y (drawn
/// second).
PixelXY HitPoint(Random& rng, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

/// `HitPoint` of a tank's hull picture; (-1, -1) without drawing for a missing tank.
PixelXY TankHitPoint(SimContext& ctx, std::int32_t tank);

/// Sends idle tanks of other sides within `radius` pixels after `tank`; tanks of
/// other sides with an out-of-range target pick it as their chance target.
void AlertScan(SimContext& ctx, std::int32_t tank, std::int32_t radius);

/// One tick of the tower anchored at (ax, ay).
void TowerStep(SimContext& ctx, std::int32_t ax, std::int32_t ay);

/// Smoke and burning of the object anchored at (ax, ay); removes it with
/// `DestroyBuilding` when its burning is over. Part of the building step.
void ObjectDamageStep(SimContext& ctx, std::int32_t ax, std::int32_t ay);

/// The tick's first simulation step: removes the first destroyed tank, or counts
/// each side's tanks when none was removed.
void RemoveDestroyedTank(SimContext& ctx);

/// Removes tank i with its wreck, explosion, reward and label.
void RemoveTank(SimContext& ctx, std::int32_t i);

/// Removes the object anchored at (ax, ay), leaving ruins, retargeting its
/// attackers and paying its reward.
void DestroyBuilding(SimContext& ctx, std::int32_t ax, std::int32_t ay);

/// Appends a shell flying from the muzzle to the impact point; `power` is the kind
/// of the explosion it makes on arrival (0 for every shot of the game). Plays the
/// shot sound at the muzzle.
void AddShot(SimContext& ctx, std::int32_t impactX, std::int32_t impactY, std::int32_t power, std::int32_t muzzleX,
             std::int32_t muzzleY);
/// Appends an explosion centred on (x, y), kind 0 a tank, 1 a burning building,
/// and plays the explosion sound there.
void AddExplosion(SimContext& ctx, std::int32_t x, std::int32_t y, std::int32_t kind);
void AddInfoLabel(SimContext& ctx, std::int32_t x, std::int32_t y, Color color, std::int32_t life, const std::string& text,
                  std::int32_t direction);

}  // namespace tavrine
