#include "vector_paint.h"

namespace tavrine::assets {

void Over(Image& img, int x, int y, Rgb color, float alpha) {
    if (alpha <= 0.f) return;
    const std::uint32_t under = img.At(x, y);
    const float ad = AlphaOf(under) / 255.f;
    const float a = alpha + ad * (1.f - alpha);
    const Rgb c = (color * alpha + Unpack(under) * (ad * (1.f - alpha))) * (1.f / a);
    img.At(x, y) = Pack(c, a);
}

void FillShapeWith(Image& img, const ShapeSdf& sdf, const std::function<Rgb(float x, float y)>& paint, float outline,
                   Rgb ink) {
    for (int y = 0; y < img.Height; ++y) {
        for (int x = 0; x < img.Width; ++x) {
            float cover = 0.f, rim = 0.f;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i) {
                    const float d = sdf(x + (i + 0.5f) / 4.f, y + (j + 0.5f) / 4.f);
                    if (d <= 0.f) cover += 1.f / 16.f;
                    else if (d <= outline) rim += 1.f / 16.f;
                }
            Over(img, x, y, ink, rim);
            if (cover > 0.f) Over(img, x, y, paint(x + 0.5f, y + 0.5f), cover);
        }
    }
}

void FillShape(Image& img, const ShapeSdf& sdf, Rgb color, float outline, Rgb ink) {
    FillShapeWith(img, sdf, [color](float, float) { return color; }, outline, ink);
}

}  // namespace tavrine::assets
