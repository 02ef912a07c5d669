// Ground pictures: water, land and mountain cells in seamless variants, and the
// edge pieces of coasts and mountain borders.
#pragma once

#include <cstdint>

#include "pixels.h"

namespace tavrine::assets {

constexpr int kCell = 36;  ///< cell width and height in pixels

/// The three ground textures. Each is a function of the pixel's place in its
/// cell only, and repeats with the cell, so any two cells of the same ground
/// meet without a seam; the edge pieces use the same functions away from
/// their border, so they meet plain cells without a seam too.
class GroundTextures {
public:
    explicit GroundTextures(std::uint32_t seed);

    Rgb Water(float x, float y) const;
    Rgb Land(float x, float y) const;
    Rgb Mountain(float x, float y) const;

    /// Plain water (variant 0) or a variant with its own interior details.
    Image WaterCell(int variant) const;
    Image LandCell(int variant) const;
    Image MountainCell() const;

    /// Edge piece 0..11 of a terrain: 1 land against water (a coast), 2 mountain
    /// against land. The pieces are those of the editor's outline tiling.
    Image EdgePiece(int terrain, int piece) const;

private:
    Rgb CoastPixel(int piece, float x, float y) const;
    Rgb MountainBorderPixel(int piece, float x, float y) const;
    float RockHeight(float x, float y) const;
    Rgb RockColor(float x, float y) const;
    std::uint32_t seed_;
};

/// Distance of a cell point from the border line of an edge piece, positive on
/// the terrain side (the side the outline encloses). The border crosses every
/// open side of a cell at its midpoint, so neighbouring pieces meet.
float EdgeDistance(int piece, float x, float y);

/// How strongly a point is inside a cell rather than near its border (0 within
/// 3 pixels of the border, 1 from 10 pixels in): variant details fade out so
/// that variants meet each other without a seam.
float InteriorWeight(float x, float y);

}  // namespace tavrine::assets
