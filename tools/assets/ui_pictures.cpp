#include "ui_pictures.h"

#include <algorithm>
#include <cmath>

#include "pixel_font.h"
#include "relief.h"
#include "scenes.h"
#include "terrain.h"
#include "vector_paint.h"

namespace tavrine::assets {

namespace {

constexpr Rgb kInk = Bytes(24, 26, 30);
constexpr Rgb kWhite = Bytes(248, 248, 242);
constexpr Rgb kGreen = Bytes(60, 170, 70);
constexpr Rgb kRed = Bytes(214, 48, 40);
constexpr Rgb kBlue = Bytes(50, 110, 190);
constexpr Rgb kYellow = Bytes(236, 196, 60);

ShapeSdf RoundRect(float x0, float y0, float x1, float y1, float r) {
    return [=](float x, float y) { return SdBox(x - (x0 + x1) / 2.f, y - (y0 + y1) / 2.f, (x1 - x0) / 2.f, (y1 - y0) / 2.f, r); };
}
ShapeSdf Polygon(std::vector<float> pts) {
    return [pts](float x, float y) { return SdPolygon(x, y, pts); };
}
/// An island-like blob for the terrain tools.
ShapeSdf Blob(float cx, float cy, float r) {
    return [=](float x, float y) {
        const float a = std::atan2(y - cy, x - cx);
        return std::hypot(x - cx, y - cy) - r * (1.f + 0.18f * std::sin(3.f * a) + 0.08f * std::cos(5.f * a));
    };
}

Image Blank(int size) { return Image(size, size, 0); }

// ---- small pieces shared by the icons --------------------------------------

void Plus(Image& img, float cx, float cy, float s, Rgb c) {
    FillShape(img, [=](float x, float y) {
        return std::min(SdBox(x - cx, y - cy, s, s * 0.32f), SdBox(x - cx, y - cy, s * 0.32f, s));
    }, c, 0.9f);
}
void Cross(Image& img, float cx, float cy, float s, Rgb c) {
    FillShape(img, [=](float x, float y) {
        return std::min(SdSegment(x, y, cx - s, cy - s, cx + s, cy + s, s * 0.3f),
                        SdSegment(x, y, cx - s, cy + s, cx + s, cy - s, s * 0.3f));
    }, c, 0.9f);
}
void Arrows(Image& img, float cx, float cy, float r, Rgb c) {
    // Two bent arrows chasing each other round a circle.
    for (int k = 0; k < 2; ++k) {
        const float a0 = k * kPi;
        FillShape(img, [=](float x, float y) {
            const float a = std::atan2(y - cy, x - cx) - a0;
            const float wrapped = std::remainder(a, 2.f * kPi);
            const float arc = std::abs(std::hypot(x - cx, y - cy) - r) - 0.9f;
            return std::max(arc, std::abs(wrapped - 1.2f) * r - 2.2f * r * 0.6f);
        }, c, 0.8f);
        const float ta = a0 + 2.4f;
        const float hx = cx + std::cos(ta) * r, hy = cy + std::sin(ta) * r;
        const float dx = -std::sin(ta), dy = std::cos(ta);
        FillShape(img, Polygon({hx + dx * 2.5f, hy + dy * 2.5f, hx - dy * 2.2f, hy + dx * 2.2f, hx + dy * 2.2f, hy - dx * 2.2f}), c, 0.8f);
    }
}
void Picture(Image& img, float x0, float y0, float x1, float y1) {
    FillShape(img, RoundRect(x0, y0, x1, y1, 1.f), kWhite, 0.9f);
    FillShape(img, RoundRect(x0 + 1.5f, y0 + 1.5f, x1 - 1.5f, y1 - 1.5f, 0.5f), Bytes(120, 180, 230));
    FillShape(img, Polygon({x0 + 1.5f, y1 - 1.5f, x0 + 5.f, y0 + 5.f, x0 + 8.f, y1 - 4.f, x0 + 10.f, y0 + 7.f, x1 - 1.5f, y1 - 1.5f}),
              kGreen);
}
void Speaker(Image& img, float s) {
    FillShape(img, Polygon({1.5f * s, 5.5f * s, 4.5f * s, 5.5f * s, 8.f * s, 2.f * s, 8.f * s, 14.f * s, 4.5f * s, 10.5f * s,
                            1.5f * s, 10.5f * s}),
              Bytes(80, 84, 92), 0.9f);
}
void Folder(Image& img, bool open) {
    FillShape(img, Polygon({1.f, 3.f, 6.f, 3.f, 7.5f, 4.5f, 15.f, 4.5f, 15.f, 14.f, 1.f, 14.f}), Bytes(200, 150, 40), 0.9f);
    if (open) FillShape(img, Polygon({3.5f, 7.f, 16.f, 7.f, 13.5f, 14.f, 1.f, 14.f}), kYellow, 0.9f);
    else FillShape(img, RoundRect(1.f, 6.f, 15.f, 14.f, 0.8f), kYellow, 0.9f);
}
void Disk(Image& img, float x0, float y0, float s, Rgb body) {
    FillShape(img, RoundRect(x0, y0, x0 + 14.f * s, y0 + 14.f * s, 1.f * s), body, 0.9f);
    FillShape(img, RoundRect(x0 + 3.f * s, y0, x0 + 11.f * s, y0 + 5.f * s, 0.3f), Bytes(210, 214, 220));
    FillShape(img, RoundRect(x0 + 8.f * s, y0 + 1.f * s, x0 + 10.f * s, y0 + 4.f * s, 0.2f), Bytes(60, 64, 72));
    FillShape(img, RoundRect(x0 + 2.5f * s, y0 + 8.f * s, x0 + 11.5f * s, y0 + 14.f * s, 0.4f), kWhite);
}
void Page(Image& img) {
    FillShape(img, Polygon({3.f, 1.f, 10.f, 1.f, 14.f, 5.f, 14.f, 15.f, 3.f, 15.f}), kWhite, 0.9f);
    FillShape(img, Polygon({10.f, 1.f, 10.f, 5.f, 14.f, 5.f}), Bytes(200, 200, 196), 0.6f);
}
/// A square of water or land for the terrain tools.
void Ground(Image& img, Rgb c) { FillShape(img, RoundRect(0.5f, 0.5f, 15.5f, 15.5f, 2.f), c, 0.f); }

// ---- the icons -----------------------------------------------------------

std::vector<Image> MapEditorIcons() {
    std::vector<Image> icons;
    const Rgb water = Bytes(50, 100, 170), land = Bytes(84, 140, 60), rock = Bytes(176, 172, 164);
    {  // 0 land outline
        Image i = Blank(16);
        Ground(i, water);
        FillShape(i, [b = Blob(8, 8, 5.f)](float x, float y) { return std::abs(b(x, y)) - 1.1f; }, Bytes(226, 206, 140));
        icons.push_back(i);
    }
    {  // 1 mountain outline
        Image i = Blank(16);
        Ground(i, land);
        FillShape(i, [b = Blob(8, 8, 5.f)](float x, float y) { return std::abs(b(x, y)) - 1.1f; }, rock, 0.6f);
        icons.push_back(i);
    }
    {  // 2 fill land
        Image i = Blank(16);
        Ground(i, water);
        FillShape(i, Blob(8, 8, 5.5f), land, 0.9f, Bytes(226, 206, 140));
        FillShape(i, Polygon({8.f, 4.f, 10.5f, 8.5f, 8.f, 11.f, 5.5f, 8.5f}), kWhite, 0.6f);
        icons.push_back(i);
    }
    {  // 3 fill mountain
        Image i = Blank(16);
        Ground(i, land);
        FillShape(i, Blob(8, 8, 5.5f), rock, 0.9f);
        FillShape(i, Polygon({8.f, 4.f, 10.5f, 8.5f, 8.f, 11.f, 5.5f, 8.5f}), kWhite, 0.6f);
        icons.push_back(i);
    }
    {  // 4 wall
        Image i = Blank(16);
        FillShapeWith(i, RoundRect(1.f, 4.f, 15.f, 12.f, 0.5f), [](float x, float y) {
            const int row = static_cast<int>(y - 4.f) / 2;
            const bool mortar = static_cast<int>(y - 4.f) % 2 == 1 || static_cast<int>(x + row * 2.f) % 4 == 0;
            return mortar ? Bytes(200, 186, 170) : Bytes(170, 62, 44);
        }, 0.9f);
        icons.push_back(i);
    }
    {  // 5 fog of war
        Image i = Blank(16);
        Ground(i, land);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (AlphaOf(i.At(x, y)) && (x < 6 || (x < 11 && DitherThreshold(x, y) < (11.f - x) / 5.f)))
                    i.At(x, y) = 0xFF000000u;
        icons.push_back(i);
    }
    {  // 6 new map
        Image i = Blank(16);
        Page(i);
        Plus(i, 8.5f, 9.5f, 3.6f, kGreen);
        icons.push_back(i);
    }
    return icons;
}

std::vector<Image> ImageEditorIcons() {
    std::vector<Image> icons;
    auto make = [&](auto&& draw) {
        Image i = Blank(16);
        draw(i);
        icons.push_back(i);
    };
    make([](Image& i) { Folder(i, false); });                                     // 0 group
    make([](Image& i) { Folder(i, true); });                                      // 1 subgroup
    make([](Image& i) {                                                           // 2 list: a film strip
        FillShape(i, RoundRect(2.f, 1.f, 14.f, 15.f, 1.f), Bytes(50, 52, 58), 0.6f);
        for (int k = 0; k < 3; ++k) FillShape(i, RoundRect(5.f, 2.5f + k * 4.3f, 11.f, 5.5f + k * 4.3f, 0.3f), Bytes(140, 190, 230));
    });
    make([](Image& i) { Disk(i, 1.f, 1.f, 1.f, kBlue); });                       // 3 save
    make([](Image& i) { Plus(i, 8.f, 8.f, 6.f, kGreen); });                      // 4 add
    make([](Image& i) { Picture(i, 1.f, 2.f, 13.f, 12.f); Cross(i, 11.5f, 11.5f, 3.5f, kRed); });    // 5 delete picture
    make([](Image& i) { Picture(i, 1.f, 2.f, 13.f, 12.f); Arrows(i, 11.f, 11.f, 3.3f, kGreen); });  // 6 replace picture
    make([](Image& i) { Speaker(i, 1.f); Plus(i, 12.f, 8.f, 3.5f, kGreen); });    // 7 add sound
    make([](Image& i) { Speaker(i, 1.f); Cross(i, 12.f, 8.f, 3.f, kRed); });      // 8 delete sound
    make([](Image& i) { Speaker(i, 1.f); Arrows(i, 12.f, 8.f, 3.f, kGreen); });   // 9 replace sound
    make([](Image& i) { FillShape(i, Polygon({4.f, 2.f, 14.f, 8.f, 4.f, 14.f}), kGreen, 0.9f); });  // 10 play
    make([](Image& i) {                                                           // 11 a numbered series
        for (int k = 2; k >= 0; --k) {
            const float o = k * 2.5f;
            FillShape(i, RoundRect(1.f + o, 1.f + o, 10.f + o, 11.f + o, 0.6f), kWhite, 0.8f);
        }
        DrawText(i, 7, 7, "0", Pack(kInk));
    });
    make([](Image& i) {                                                           // 12 a game file to save
        Page(i);
        FillShape(i, RoundRect(5.f, 4.f, 12.f, 9.f, 0.5f), Bytes(84, 140, 60));
        Disk(i, 7.f, 7.f, 0.6f, kBlue);
    });
    return icons;
}

Image DisplayIcon() {
    Image i = Blank(32);
    FillShape(i, RoundRect(2.f, 3.f, 30.f, 23.f, 2.f), Bytes(70, 74, 82), 1.f);
    FillShapeWith(i, RoundRect(4.5f, 5.5f, 27.5f, 20.5f, 0.5f), [](float x, float y) {
        // A little battlefield on the screen: water, a coast, land.
        return x + y * 0.4f < 14.f ? Bytes(60, 110, 180) : x + y * 0.4f < 15.5f ? Bytes(220, 200, 130) : Bytes(90, 140, 60);
    });
    FillShape(i, RoundRect(19.f, 12.f, 23.f, 15.f, 0.5f), kYellow, 0.6f);
    FillShape(i, RoundRect(13.f, 23.f, 19.f, 27.f, 0.3f), Bytes(90, 94, 102), 0.8f);
    FillShape(i, RoundRect(8.f, 27.f, 24.f, 29.5f, 1.f), Bytes(90, 94, 102), 0.8f);
    return i;
}

Image SavedGameIcon() {
    Image i = Blank(16);
    Disk(i, 1.f, 1.f, 1.f, Bytes(40, 130, 60));
    return i;
}

Image NewGameIcon() {
    Image i = Blank(16);
    FillShapeWith(i, Polygon({1.f, 3.f, 6.f, 1.f, 10.f, 3.f, 15.f, 1.f, 15.f, 13.f, 10.f, 15.f, 6.f, 13.f, 1.f, 15.f}),
                  [](float x, float y) { return x + y * 0.3f < 8.f ? Bytes(90, 150, 210) : Bytes(120, 170, 80); }, 0.9f);
    FillShape(i, Polygon({10.f, 4.5f, 11.2f, 7.f, 13.8f, 7.2f, 11.8f, 8.9f, 12.5f, 11.5f, 10.f, 10.1f, 7.5f, 11.5f, 8.2f, 8.9f,
                          6.2f, 7.2f, 8.8f, 7.f}),
              kYellow, 0.7f);
    return i;
}

Image SoundIcon() {
    Image i = Blank(32);
    Speaker(i, 2.f);
    for (int k = 0; k < 3; ++k)
        FillShape(i, [k](float x, float y) {
            const float r = 5.f + k * 4.f;
            const float d = std::abs(std::hypot(x - 17.f, y - 16.f) - r) - 1.1f;
            return std::max(d, -(x - 18.f) + std::abs(y - 16.f) * 0.2f);
        }, Bytes(60, 64, 72), 0.6f, Bytes(200, 200, 200));
    return i;
}

}  // namespace

Image TitlePicture(const ContentLibrary& library) {
    // A coast on the left, the player's base on the shore, a mountain, and the
    // computer's tanks coming down from the north.
    SceneMap map({
        "W  W  C0 L  L  L  L  L  L",
        "W  W  C0 L  L  L  K8 K1 K1",
        "W  W  C0 L  L  L  K0 M  M",
        "W  W  C0 L  L  L  K11 K3 K3",
        "W  W  C0 L  L2 L  L  L  L",
        "W  W  C0 L  L  L  L  L3 L",
        "W  W  C0 L  L  L  L  L  L",
    });
    map.AddObject(2, 1, 0, 12, 7, 0);    // a computer tower on the mountain's foot
    map.AddObject(1, 2, 2, 0, 5, 3);     // trees
    map.AddObject(1, 2, 2, 1, 3, 0);
    map.AddObject(1, 2, 2, 3, 8, 4);
    map.AddTank(1, 0, 12, 10, 5, 1);
    map.AddTank(1, 2, 13, 11, 6, 2);
    map.AddTank(0, 0, 3, 2, 4, 3);
    map.AddTank(0, 2, 4, 3, 3, 2);
    Image scene = Crop(map.Draw(library), 10, 6, 304, 218);
    // An explosion where a shell lands.
    if (const PictureSet* boom = library.Find(0, 3, 0); boom && boom->Frames.size() > 3) {
        const Image& f = boom->Frames[3];
        for (int y = 0; y < f.Height; ++y)
            for (int x = 0; x < f.Width; ++x)
                if (AlphaOf(f.At(x, y)) >= 128) scene.Put(190 + x, 30 + y, f.At(x, y) | 0xFF000000u);
    }
    // A dark band for the name to stand on.
    constexpr int kBandTop = 124, kBandBottom = 196;
    for (int y = kBandTop - 10; y < kBandBottom + 10; ++y) {
        const float edge = std::min(1.f, std::min(y - (kBandTop - 10), kBandBottom + 10 - y) / 10.f);
        for (int x = 0; x < scene.Width; ++x) scene.At(x, y) = Pack(Unpack(scene.At(x, y)) * (1.f - 0.62f * edge));
    }
    // The name in raised gold letters: each letter one surface, bevelled at its outline.
    constexpr int kScale = 6;
    const std::string title = "TAVRINE";
    const int width = TextWidth(title, kScale);
    const int x0 = (scene.Width - width) / 2, y0 = 132;
    Relief letters(scene.Width, scene.Height, 3);
    for (std::size_t i = 0; i < title.size(); ++i) {
        // The bevel follows the distance to the nearest unset font pixel (the
        // margin around the glyph counts as unset), so the letter is one surface.
        std::vector<std::pair<float, float>> empty;
        for (int py = -1; py <= kGlyphHeight; ++py)
            for (int px = -1; px <= kGlyphWidth; ++px)
                if (!GlyphPixel(title[i], px, py)) empty.emplace_back(px * kScale + kScale / 2.f, py * kScale + kScale / 2.f);
        const float left = x0 + static_cast<float>(i) * (kGlyphWidth + 1) * kScale;
        const Pose corner{left, static_cast<float>(y0), 0.f};
        const char glyph = title[i];
        letters.Stamp(corner.Moved(15.f, 21.f), 30.f, [&, glyph](float u, float v, float& h, Rgb& c) {
            const float lx = u + 15.f, ly = v + 21.f;
            if (lx < 0.f || ly < 0.f || !GlyphPixel(glyph, static_cast<int>(lx / kScale), static_cast<int>(ly / kScale)))
                return false;
            float depth = 1e9f;
            for (auto [bx, by] : empty) depth = std::min(depth, SdBox(lx - bx, ly - by, kScale / 2.f, kScale / 2.f));
            h = 2.f + 4.f * std::min(1.f, depth / 1.8f);
            c = Mix(Bytes(255, 232, 120), Bytes(206, 118, 26), ly / (kGlyphHeight * kScale));
            return true;
        }, 0.5f);
    }
    Lighting l;
    l.GroundShadow = true;
    l.ShadowReach = 5.f;
    const Image gold = letters.Render(l);
    for (int y = 0; y < scene.Height; ++y)
        for (int x = 0; x < scene.Width; ++x)
            if (AlphaOf(gold.At(x, y))) scene.At(x, y) = gold.At(x, y) | 0xFF000000u;
    const std::string motto = "TANKS  TOWERS  TERRITORY";
    const int mx = (scene.Width - TextWidth(motto)) / 2;
    DrawText(scene, mx + 1, y0 + 51, motto, Pack(Bytes(0, 0, 0)));
    DrawText(scene, mx, y0 + 50, motto, Pack(kWhite));
    return scene;
}

std::vector<std::pair<std::string, Image>> DialogPictures(const ContentLibrary& library) {
    std::vector<std::pair<std::string, Image>> out;
    out.emplace_back("ui/title.png", TitlePicture(library));
    out.emplace_back("ui/display.png", DisplayIcon());
    out.emplace_back("ui/saved-game.png", SavedGameIcon());
    out.emplace_back("ui/new-game.png", NewGameIcon());
    out.emplace_back("ui/sound.png", SoundIcon());
    const std::vector<Image> map = MapEditorIcons();
    for (std::size_t i = 0; i < map.size(); ++i) out.emplace_back("ui/map-editor/" + std::to_string(i) + ".png", map[i]);
    const std::vector<Image> lib = ImageEditorIcons();
    for (std::size_t i = 0; i < lib.size(); ++i) out.emplace_back("ui/image-editor/" + std::to_string(i) + ".png", lib[i]);
    return out;
}

}  // namespace tavrine::assets
