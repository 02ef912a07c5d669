// Smooth shapes with alpha for cursors and icons: a shape is its signed
// distance (negative inside) in picture pixels, sampled 4 by 4 per pixel.
#pragma once

#include <functional>

#include "pixels.h"

namespace tavrine::assets {

using ShapeSdf = std::function<float(float x, float y)>;

/// Lays a colour over a pixel with the given opacity.
void Over(Image& img, int x, int y, Rgb color, float alpha);

/// Draws a shape, with a dark rim `outline` pixels wide around it.
void FillShape(Image& img, const ShapeSdf& sdf, Rgb color, float outline = 0.f, Rgb ink = Bytes(16, 16, 20));

/// Draws a shape whose colour varies: `paint` gives the colour at a point.
void FillShapeWith(Image& img, const ShapeSdf& sdf, const std::function<Rgb(float x, float y)>& paint,
                   float outline = 0.f, Rgb ink = Bytes(16, 16, 20));

}  // namespace tavrine::assets
