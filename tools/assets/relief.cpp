#include "relief.h"

#include <algorithm>
#include <cmath>

namespace tavrine::assets {

float FacingAngle(int facing) { return kPi + static_cast<float>(facing) * kPi / 8.f; }

void Pose::ToLocal(float x, float y, float& u, float& v) const {
    const float c = std::cos(Angle), s = std::sin(Angle);
    const float dx = x - X, dy = y - Y;
    u = dx * c + dy * s;
    v = -dx * s + dy * c;
}

void Pose::ToPicture(float u, float v, float& x, float& y) const {
    const float c = std::cos(Angle), s = std::sin(Angle);
    x = X + u * c - v * s;
    y = Y + u * s + v * c;
}

Pose Pose::Moved(float du, float dv, float turn) const {
    Pose p = *this;
    ToPicture(du, dv, p.X, p.Y);
    p.Angle += turn;
    return p;
}

Relief::Relief(int width, int height, int scale)
    : width_(width), height_(height), scale_(scale), sw_(width * scale), sh_(height * scale),
      samples_(static_cast<std::size_t>(sw_) * sh_) {}

template <class F>
void Relief::Visit(const Pose& pose, float reach, F&& f) {
    const float inv = 1.f / static_cast<float>(scale_);
    const int x0 = std::max(0, static_cast<int>(std::floor((pose.X - reach) * scale_)));
    const int x1 = std::min(sw_, static_cast<int>(std::ceil((pose.X + reach) * scale_)) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor((pose.Y - reach) * scale_)));
    const int y1 = std::min(sh_, static_cast<int>(std::ceil((pose.Y + reach) * scale_)) + 1);
    const float c = std::cos(pose.Angle), s = std::sin(pose.Angle);
    for (int sy = y0; sy < y1; ++sy) {
        for (int sx = x0; sx < x1; ++sx) {
            const float dx = (static_cast<float>(sx) + 0.5f) * inv - pose.X;
            const float dy = (static_cast<float>(sy) + 0.5f) * inv - pose.Y;
            f(dx * c + dy * s, -dx * s + dy * c, samples_[static_cast<std::size_t>(sy) * sw_ + sx]);
        }
    }
}

namespace {
float ProfileHeight(const Profile& p, float depth) {
    float t = std::clamp(depth / std::max(p.Bevel, 1e-3f), 0.f, 1.f);
    if (p.Dome) t = std::sqrt(1.f - (1.f - t) * (1.f - t));
    return p.Base + p.Rise * t;
}
}  // namespace

void Relief::Stamp(const Pose& pose, float reach, const Sdf& sdf, const Profile& profile, const Paint& paint,
                   float shine) {
    Visit(pose, reach, [&](float u, float v, Sample& s) {
        const float d = sdf(u, v);
        if (d > 0.f) return;
        const float h = ProfileHeight(profile, -d);
        if (h < s.Height) return;
        s.Height = h;
        s.Color = paint(u, v, -d);
        s.Shine = shine;
    });
}

void Relief::Stamp(const Pose& pose, float reach, const Sdf& sdf, const Profile& profile, Rgb color,
                   float shine) {
    Stamp(pose, reach, sdf, profile, [color](float, float, float) { return color; }, shine);
}

void Relief::Stamp(const Pose& pose, float reach, const Surface& surface, float shine) {
    Visit(pose, reach, [&](float u, float v, Sample& s) {
        float h = 0.f;
        Rgb c;
        if (!surface(u, v, h, c) || h < s.Height) return;
        s.Height = h;
        s.Color = c;
        s.Shine = shine;
    });
}

void Relief::Carve(const Pose& pose, float reach, const Sdf& sdf, float height, Rgb color) {
    Visit(pose, reach, [&](float u, float v, Sample& s) {
        if (s.Height < 0.f || sdf(u, v) > 0.f) return;
        if (s.Height > height) s.Height = height;
        s.Color = color;
        s.Shine = 0.f;
    });
}

void Relief::Tint(const Pose& pose, float reach, const Sdf& sdf, Rgb color, float mix) {
    Visit(pose, reach, [&](float u, float v, Sample& s) {
        if (s.Height < 0.f || sdf(u, v) > 0.f) return;
        s.Color = Mix(s.Color, color, mix);
    });
}

void Relief::ForEach(const std::function<void(float x, float y, Sample& s)>& f) {
    const float inv = 1.f / static_cast<float>(scale_);
    for (int sy = 0; sy < sh_; ++sy)
        for (int sx = 0; sx < sw_; ++sx)
            f((sx + 0.5f) * inv, (sy + 0.5f) * inv, samples_[static_cast<std::size_t>(sy) * sw_ + sx]);
}

float Relief::HeightAt(int sx, int sy) const {
    if (sx < 0 || sy < 0 || sx >= sw_ || sy >= sh_) return 0.f;
    return std::max(0.f, At(sx, sy).Height);
}

Image Relief::Render(const Lighting& lighting) const {
    // Light from the top-left and a little from above.
    const float lx = -0.55f, ly = -0.70f, lz = 0.85f;
    const float ln = std::sqrt(lx * lx + ly * ly + lz * lz);
    const float Lx = lx / ln, Ly = ly / ln, Lz = lz / ln;
    const float planar = std::sqrt(Lx * Lx + Ly * Ly);
    const float stepX = Lx / planar, stepY = Ly / planar, rise = Lz / planar / static_cast<float>(scale_);
    float highest = 0.f;
    for (const Sample& s : samples_) highest = std::max(highest, s.Height);

    const int reachSteps = static_cast<int>(lighting.ShadowReach * static_cast<float>(scale_));
    auto shadowed = [&](int sx, int sy, float h) {
        float x = static_cast<float>(sx), y = static_cast<float>(sy), ray = h + 0.35f;
        for (int step = 0; step < reachSteps && ray < highest; ++step) {
            x += stepX;
            y += stepY;
            ray += rise;
            if (x < -0.5f || y < -0.5f) return false;
            const int ix = static_cast<int>(x + 0.5f), iy = static_cast<int>(y + 0.5f);
            if (ix >= sw_ || iy >= sh_) return false;
            if (At(ix, iy).Height > ray) return true;
        }
        return false;
    };

    const float diffuse = (1.f - lighting.Ambient) / Lz;
    std::vector<Rgb> lit(samples_.size());
    std::vector<char> groundShade(samples_.size(), 0);
    const float k = static_cast<float>(scale_) / 2.f;
    for (int sy = 0; sy < sh_; ++sy) {
        for (int sx = 0; sx < sw_; ++sx) {
            const std::size_t i = static_cast<std::size_t>(sy) * sw_ + sx;
            const Sample& s = samples_[i];
            if (s.Height < 0.f) {
                if (lighting.GroundShadow) groundShade[i] = shadowed(sx, sy, 0.f) ? 1 : 0;
                continue;
            }
            const float gx = (HeightAt(sx + 1, sy) - HeightAt(sx - 1, sy)) * k;
            const float gy = (HeightAt(sx, sy + 1) - HeightAt(sx, sy - 1)) * k;
            const float nn = std::sqrt(gx * gx + gy * gy + 1.f);
            const float nx = -gx / nn, ny = -gy / nn, nz = 1.f / nn;
            float ndl = std::max(0.f, nx * Lx + ny * Ly + nz * Lz);
            if (lighting.SelfShadow && ndl > 0.f && shadowed(sx, sy, s.Height)) ndl *= 0.35f;
            float f = lighting.Ambient + diffuse * ndl;
            Rgb c = s.Color * f;
            if (s.Shine > 0.f) {
                const float hx = Lx, hy = Ly, hz = Lz + 1.f;
                const float hn = std::sqrt(hx * hx + hy * hy + hz * hz);
                const float spec = std::pow(std::max(0.f, (nx * hx + ny * hy + nz * hz) / hn), 24.f);
                c = c + Rgb{1.f, 1.f, 0.95f} * (spec * s.Shine);
            }
            lit[i] = c;
        }
    }

    Image out(width_, height_, 0);
    std::vector<char> shade(static_cast<std::size_t>(width_) * height_, 0);
    const int per = scale_ * scale_;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            int covered = 0, dark = 0;
            Rgb sum;
            for (int j = 0; j < scale_; ++j) {
                for (int i = 0; i < scale_; ++i) {
                    const std::size_t idx = static_cast<std::size_t>(y * scale_ + j) * sw_ + (x * scale_ + i);
                    if (samples_[idx].Height >= 0.f) {
                        ++covered;
                        sum = sum + lit[idx];
                    } else if (groundShade[idx]) {
                        ++dark;
                    }
                }
            }
            if (lighting.Soft) {
                const float cover = static_cast<float>(covered) / per;
                const float shadow = 0.45f * static_cast<float>(dark) / per;
                if (covered > 0) {
                    const Rgb c = sum * (1.f / static_cast<float>(covered));
                    // The shadow shows through the uncovered part of the pixel.
                    const float a = cover + shadow * (1.f - cover);
                    out.At(x, y) = Pack(c * (cover / a), a);
                } else if (dark > 0) {
                    out.At(x, y) = Pack(Rgb{}, shadow);
                }
            } else if (covered * 2 >= per) {
                out.At(x, y) = Pack(sum * (1.f / static_cast<float>(covered)));
            } else if (dark * 2 >= per) {
                shade[static_cast<std::size_t>(y) * width_ + x] = 1;
            }
        }
    }
    if (lighting.Outline && !lighting.Soft) {
        Image body = out;
        const std::uint32_t ink = Pack(lighting.OutlineColor);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (AlphaOf(body.At(x, y)) != 0) continue;
                const bool near = (x > 0 && AlphaOf(body.At(x - 1, y))) || (y > 0 && AlphaOf(body.At(x, y - 1))) ||
                                  (x + 1 < width_ && AlphaOf(body.At(x + 1, y))) ||
                                  (y + 1 < height_ && AlphaOf(body.At(x, y + 1)));
                if (near) out.At(x, y) = ink;
            }
        }
    }
    for (int y = 0; y < height_ && !lighting.Soft; ++y)
        for (int x = 0; x < width_; ++x)
            if (shade[static_cast<std::size_t>(y) * width_ + x] && AlphaOf(out.At(x, y)) == 0 && (x + y) % 2 == 0)
                out.At(x, y) = 0xFF000000u | kGroundShadowRgb;
    return out;
}

float SdBox(float u, float v, float halfLength, float halfWidth, float corner) {
    const float qx = std::abs(u) - halfLength + corner;
    const float qy = std::abs(v) - halfWidth + corner;
    const float ox = std::max(qx, 0.f), oy = std::max(qy, 0.f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.f) - corner;
}

float SdCircle(float u, float v, float radius) { return std::sqrt(u * u + v * v) - radius; }

float SdEllipse(float u, float v, float ru, float rv) {
    // A distance estimate that is exact on the axes and good enough for bevels.
    const float k0 = std::sqrt((u / ru) * (u / ru) + (v / rv) * (v / rv));
    const float k1 = std::sqrt((u / (ru * ru)) * (u / (ru * ru)) + (v / (rv * rv)) * (v / (rv * rv)));
    if (k1 < 1e-6f) return -std::min(ru, rv);
    return k0 * (k0 - 1.f) / k1;
}

float SdSegment(float u, float v, float u0, float v0, float u1, float v1, float radius) {
    const float pu = u - u0, pv = v - v0, bu = u1 - u0, bv = v1 - v0;
    const float len2 = bu * bu + bv * bv;
    const float h = len2 > 0.f ? std::clamp((pu * bu + pv * bv) / len2, 0.f, 1.f) : 0.f;
    const float du = pu - bu * h, dv = pv - bv * h;
    return std::sqrt(du * du + dv * dv) - radius;
}

float SdPolygon(float u, float v, const std::vector<float>& pts) {
    const std::size_t n = pts.size() / 2;
    float d = 1e9f;
    bool inside = false;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const float ux = pts[2 * i], vy = pts[2 * i + 1], wx = pts[2 * j], wy = pts[2 * j + 1];
        const float ex = wx - ux, ey = wy - vy, px = u - ux, py = v - vy;
        const float len2 = ex * ex + ey * ey;
        const float h = len2 > 0.f ? std::clamp((px * ex + py * ey) / len2, 0.f, 1.f) : 0.f;
        const float dx = px - ex * h, dy = py - ey * h;
        d = std::min(d, dx * dx + dy * dy);
        if (((vy > v) != (wy > v)) && (u < (wx - ux) * (v - vy) / (wy - vy) + ux)) inside = !inside;
    }
    const float dist = std::sqrt(d);
    return inside ? -dist : dist;
}

}  // namespace tavrine::assets
