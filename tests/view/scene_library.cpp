#include "view/scene_library.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>

namespace tavrine::test {

namespace {

constexpr std::uint32_t kClear = 0x00FF00FFu;  // the transparent colour

using Shader = std::function<std::uint32_t(int x, int y)>;

void Add(ImageLibrary& lib, std::size_t group, std::size_t subgroup, std::size_t list, int w, int h, const Shader& shade) {
    if (lib.Images.size() <= group) lib.Images.resize(group + 1);
    if (lib.Images[group].size() <= subgroup) lib.Images[group].resize(subgroup + 1);
    if (lib.Images[group][subgroup].size() <= list) lib.Images[group][subgroup].resize(list + 1);
    Picture p;
    p.Width = w;
    p.Height = h;
    p.Pixels.resize(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.Pixels[static_cast<std::size_t>(y * w + x)] = shade(x, y);
    lib.Images[group][subgroup][list].Pictures.push_back(std::move(p));
}

std::uint32_t Packed(int r, int g, int b) {
    return 0xFF000000u | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

/// Facing f (0 west, clockwise) as a unit vector on the screen.
void Direction(int facing, double& dx, double& dy) {
    const double a = facing * std::numbers::pi / 8.0;
    dx = -std::cos(a);
    dy = -std::sin(a);
}

/// Distance from (x, y) to the segment from (x0, y0) along (dx, dy) for `length`.
double ToBarrel(double x, double y, double x0, double y0, double dx, double dy, double length) {
    const double t = std::clamp((x - x0) * dx + (y - y0) * dy, 0.0, length);
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy));
}

std::uint32_t SideColor(int side, int shade) {
    switch (side) {
        case 0: return Packed(40 + shade, 90 + shade, 200);
        case 1: return Packed(200, 50 + shade, 40 + shade);
        default: return Packed(150 + shade, 150 + shade, 60);
    }
}

void Ground(ImageLibrary& lib) {
    for (int list = 0; list < 5; ++list)
        for (int f = 0; f < 12; ++f) {
            Add(lib, 0, 0, list, 36, 36, [=](int x, int y) { return (y + f) % 9 == 0 && x % 12 < 7 ? Packed(90, 140, 230) : Packed(30, 70, 170); });
            Add(lib, 0, 1, list, 36, 36, [=](int x, int y) {
                if (f > 0 && std::hypot(x - 18, y - 18) < 4 + f) return Packed(80, 70, 50);  // ruins and wrecks
                return (x * 7 + y * 13) % 23 == 0 ? Packed(40, 110, 40) : Packed(70, 150, 60);
            });
        }
    for (int list = 0; list < 3; ++list)
        for (int f = 0; f < 12; ++f)
            Add(lib, 0, 2, list, 36, 36, [=](int x, int y) { return x + y < 36 + f ? Packed(150, 140, 130) : Packed(110, 100, 95); });
}

void Effects(ImageLibrary& lib) {
    for (int kind = 0; kind < 2; ++kind)
        for (int f = 0; f < 5; ++f)
            Add(lib, 0, 3, kind, 40, 40, [=](int x, int y) {
                const double r = std::hypot(x - 20, y - 20);
                if (r > 6 + f * 3) return kClear;
                return r < 3 + f * 2 ? Packed(255, 240, 120) : Packed(240, kind ? 90 : 140, 30);
            });
    // Fog pieces: 0 hidden left, 1 top, 2 right, 3 bottom, 4 top-left, 5 top-right,
    // 6 bottom-right, 7 bottom-left, 8 all, 9 none.
    for (int piece = 0; piece < 10; ++piece)
        Add(lib, 0, 4, 0, 36, 36, [=](int x, int y) {
            const bool left = x < 12, top = y < 12, right = x >= 24, bottom = y >= 24;
            bool dark = false;
            switch (piece) {
                case 0: dark = left; break;
                case 1: dark = top; break;
                case 2: dark = right; break;
                case 3: dark = bottom; break;
                case 4: dark = left || top; break;
                case 5: dark = top || right; break;
                case 6: dark = right || bottom; break;
                case 7: dark = bottom || left; break;
                case 8: dark = true; break;
                default: dark = false;
            }
            return dark ? Packed(0, 0, 0) : kClear;
        });
    for (int f = 0; f < 6; ++f)
        Add(lib, 0, 5, 0, 18, 18, [=](int x, int y) { return std::hypot(x - 9, y - 9) < 3 + f ? Packed(120 + f * 15, 120 + f * 15, 120 + f * 15) : kClear; });
    Add(lib, 0, 6, 0, 7, 7, [](int x, int y) { return std::abs(x - 3) + std::abs(y - 3) <= 3 ? Packed(255, 255, 160) : kClear; });
}

void Objects(ImageLibrary& lib) {
    for (int wall = 0; wall < 2; ++wall)
        for (int f = 0; f < 11; ++f)
            Add(lib, 1, wall, 0, 35, 35, [=](int x, int y) {
                if (x < 4 || y < 4 || x > 31 || y > 31) return kClear;
                return (x / 8 + y / 6) % 2 ? Packed(140, 90 + wall * 40, 60) : Packed(110, 70 + wall * 40, 50);
            });
    for (int list = 0; list < 4; ++list)
        Add(lib, 1, 2, list, 35, 35, [=](int x, int y) {
            return std::hypot(x - 17, y - 14) < 10 ? Packed(30, 100 + list * 30, 40) : (x > 15 && x < 20 && y > 20 ? Packed(90, 60, 30) : kClear);
        });
    for (int side = 0; side < 3; ++side) {
        for (int f = 0; f < 16; ++f)
            Add(lib, 2, side, 0, 35, 35, [=](int x, int y) {
                double dx = 0, dy = 0;
                Direction(f, dx, dy);
                if (ToBarrel(x, y, 17, 17, dx, dy, 16) < 2) return Packed(30, 30, 30);
                if (x < 5 || y < 5 || x > 29 || y > 29) return kClear;
                return std::hypot(x - 17, y - 17) < 8 ? SideColor(side, 40) : Packed(120, 120, 120);
            });
        for (int type = 0; type < 3; ++type)
            Add(lib, 3, side, type, 71, 71, [=](int x, int y) {
                if (x < 3 || y < 10 || x > 67 || y > 67) return kClear;
                if (y < 18) return SideColor(side, 30);
                if (type == 1 && x > 50 && y < 40) return Packed(90, 90, 90);  // a factory's chimney
                return (x / 10 + y / 10) % 2 ? Packed(170, 160, 140) : Packed(150, 140, 120);
            });
        for (int model = 0; model < 2; ++model) {
            for (int f = 0; f < 16; ++f)
                Add(lib, 4, side, model, 36, 36, [=](int x, int y) {
                    double dx = 0, dy = 0;
                    Direction(f, dx, dy);
                    // The hull: a box along the facing.
                    const double along = std::abs((x - 17.5) * dx + (y - 17.5) * dy);
                    const double across = std::abs(-(x - 17.5) * dy + (y - 17.5) * dx);
                    if (along < 13 && across < 9) return across > 7 ? Packed(40, 40, 40) : SideColor(side, model * 30);
                    return kClear;
                });
            for (int f = 0; f < 16; ++f)
                Add(lib, 4, side, model, 36, 36, [=](int x, int y) {
                    double dx = 0, dy = 0;
                    Direction(f, dx, dy);
                    if (std::hypot(x - 17.5, y - 17.5) < 5) return SideColor(side, 60);
                    if (ToBarrel(x, y, 17.5, 17.5, dx, dy, 15) < 1.5) return Packed(20, 20, 20);
                    return kClear;
                });
        }
    }
}

}  // namespace

ImageLibrary MakeSceneLibrary() {
    ImageLibrary lib;
    Ground(lib);
    Effects(lib);
    Objects(lib);
    return lib;
}

}  // namespace tavrine::test
