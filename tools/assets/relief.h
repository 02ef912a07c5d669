// A small top-down relief renderer for sprites: shapes are stamped into a height
// field at several samples per pixel, then lit from the top-left, shadowed, and
// reduced to opaque pixels and the transparent key. Lighting is fixed on the
// screen, so a rotated tank is lit like an unrotated one.
#pragma once

#include <functional>
#include <vector>

#include "pixels.h"

namespace tavrine::assets {

constexpr float kPi = 3.14159265358979f;

/// The screen angle (radians, y pointing down) of a facing: 0 West, 4 North,
/// 8 East, 12 South, clockwise on the screen in steps of 22.5 degrees.
float FacingAngle(int facing);

/// Where a shape stands: its centre in picture pixels and its forward direction.
struct Pose {
    float X = 0.f;
    float Y = 0.f;
    float Angle = 0.f;  ///< forward = (cos, sin) on the screen

    /// Local coordinates of a picture point: u forward, v to the right.
    void ToLocal(float x, float y, float& u, float& v) const;
    /// The picture point of local coordinates.
    void ToPicture(float u, float v, float& x, float& y) const;
    /// A pose moved by (du, dv) in local coordinates and turned by `turn`.
    Pose Moved(float du, float dv, float turn = 0.f) const;
};

/// How a stamped surface rises: from `Base` at the shape's border to
/// `Base + Rise` once `Bevel` pixels inside it; a dome rounds the rise.
struct Profile {
    float Base = 0.f;
    float Rise = 3.f;
    float Bevel = 1.f;
    bool Dome = false;
};

/// Signed distance of a local point to a shape's border: negative inside.
using Sdf = std::function<float(float u, float v)>;
/// The colour of a shape at a local point; `depth` is the distance inside the border.
using Paint = std::function<Rgb(float u, float v, float depth)>;
/// A surface given point by point: false where the shape is absent, otherwise its
/// height and colour at the local point.
using Surface = std::function<bool(float u, float v, float& height, Rgb& color)>;

struct Sample {
    float Height = -1.f;  ///< below 0: nothing here
    Rgb Color;
    float Shine = 0.f;
};

/// The colour of the dithered ground shadow, 0xRRGGBB.
constexpr std::uint32_t kGroundShadowRgb = 0x080A06u;

struct Lighting {
    float Ambient = 0.40f;
    bool SelfShadow = true;
    /// Dithered shadow on the transparent ground around the shape.
    bool GroundShadow = false;
    /// How far shadows reach across the picture, in pixels.
    float ShadowReach = 9.f;
    /// A one-pixel dark outline around the shape.
    bool Outline = true;
    Rgb OutlineColor = Bytes(22, 20, 16);
    /// Soft output for pictures that are blended onto ground by the generator
    /// itself: alpha is the covered share of a pixel and the ground shadow is a
    /// translucent black instead of a dither.
    bool Soft = false;
};

class Relief {
public:
    Relief(int width, int height, int scale = 4);

    int Width() const { return width_; }
    int Height() const { return height_; }

    /// Raises the surface to the shape where it is higher than what is there.
    void Stamp(const Pose& pose, float reach, const Sdf& sdf, const Profile& profile, const Paint& paint,
               float shine = 0.f);
    void Stamp(const Pose& pose, float reach, const Sdf& sdf, const Profile& profile, Rgb color,
               float shine = 0.f);
    /// Raises the surface to a shape given point by point, where it is higher.
    void Stamp(const Pose& pose, float reach, const Surface& surface, float shine = 0.f);
    /// Cuts the surface down to at most the given height inside the shape,
    /// recolouring what it cuts (holes, grooves, hatches).
    void Carve(const Pose& pose, float reach, const Sdf& sdf, float height, Rgb color);
    /// Recolours the existing surface inside the shape without changing heights;
    /// `mix` 1 replaces the colour.
    void Tint(const Pose& pose, float reach, const Sdf& sdf, Rgb color, float mix = 1.f);
    /// Calls f(x, y, sample) for every sample; for effects that work on the whole field.
    void ForEach(const std::function<void(float x, float y, Sample& s)>& f);

    /// Lights the relief and reduces it to pixels (alpha 255 or 0).
    Image Render(const Lighting& lighting = {}) const;

private:
    template <class F>
    void Visit(const Pose& pose, float reach, F&& f);
    const Sample& At(int sx, int sy) const { return samples_[static_cast<std::size_t>(sy) * sw_ + sx]; }
    float HeightAt(int sx, int sy) const;

    int width_, height_, scale_, sw_, sh_;
    std::vector<Sample> samples_;
};

// Signed distances in local coordinates (negative inside).
float SdBox(float u, float v, float halfLength, float halfWidth, float corner = 0.f);
float SdCircle(float u, float v, float radius);
float SdEllipse(float u, float v, float ru, float rv);
/// A capsule from (u0, v0) to (u1, v1) with the given radius.
float SdSegment(float u, float v, float u0, float v0, float u1, float v1, float radius);
/// A convex or concave polygon (even-odd), points as u, v pairs.
float SdPolygon(float u, float v, const std::vector<float>& points);

}  // namespace tavrine::assets
