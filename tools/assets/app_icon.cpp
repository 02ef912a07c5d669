#include "app_icon.h"

#include <algorithm>
#include <cmath>

#include "scenes.h"

namespace tavrine::assets {

namespace {

constexpr int kBase = 64;

/// The 64-pixel picture: a tank of the player's, hull and turret turned towards
/// the upper right, in the middle of three by three land cells.
Image BaseScene(const ContentLibrary& library) {
    SceneMap map({"L  L  L", "L  L2 L", "L  L  L3"});
    map.AddTank(0, 0, 2, 3, 1, 1);
    const Image scene = map.Draw(library);
    return Crop(scene, (scene.Width - kBase) / 2, (scene.Height - kBase) / 2, kBase, kBase);
}

/// The base picture at `size`, each target pixel the average of a 4 by 4 grid of
/// samples (pixel by pixel when enlarging by a whole factor).
Image Scaled(const Image& base, int size) {
    Image out(size, size);
    constexpr int kSamples = 4;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgb sum;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const int bx = (x * kSamples + sx) * base.Width / (size * kSamples);
                    const int by = (y * kSamples + sy) * base.Height / (size * kSamples);
                    sum = sum + Unpack(base.At(bx, by));
                }
            out.At(x, y) = Pack(sum * (1.f / (kSamples * kSamples)));
        }
    return out;
}

}  // namespace

Image AppIcon(const ContentLibrary& library, int size) {
    Image icon = Scaled(BaseScene(library), size);
    // The rounded square: coverage from the distance to the rounded outline,
    // darkened towards the rim.
    const float half = size / 2.f, radius = size * 0.18f, rim = std::max(1.5f, size / 32.f);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float qx = std::max(std::abs(x + 0.5f - half) - (half - radius), 0.f);
            const float qy = std::max(std::abs(y + 0.5f - half) - (half - radius), 0.f);
            const float inside = radius - std::hypot(qx, qy);  // pixels inside the outline
            const float coverage = std::clamp(inside + 0.5f, 0.f, 1.f);
            const float darken = std::clamp((rim - inside) / rim, 0.f, 1.f);
            icon.At(x, y) = Pack(Shade(Unpack(icon.At(x, y)), 1.f - 0.75f * darken), coverage);
        }
    return icon;
}

std::vector<std::pair<std::string, Image>> AppIcons(const ContentLibrary& library) {
    std::vector<std::pair<std::string, Image>> out;
    for (const int size : kIconSizes) {
        const std::string side = std::to_string(size);
        out.emplace_back("hicolor/" + side + "x" + side + "/apps/tavrine.png", AppIcon(library, size));
    }
    return out;
}

}  // namespace tavrine::assets
