#include "contact_sheet.h"

#include <algorithm>
#include <string>

#include "pixel_font.h"
#include "scenes.h"

namespace tavrine::assets {

namespace {

constexpr int kSheetWidth = 1280;
constexpr int kMargin = 8;
constexpr int kGap = 2;
constexpr int kLabelHeight = 10;
constexpr std::uint32_t kBackground = 0xFF2A2E36u;
constexpr std::uint32_t kLabel = 0xFFE8E8E0u;
constexpr std::uint32_t kLabelDim = 0xFF9AA0A8u;

struct Block {
    std::string Label;
    std::string Detail;
    std::vector<const Image*> Frames;
    int Width = 0;
    int Height = 0;
    std::vector<std::pair<int, int>> Places;  ///< frame positions inside the block
    bool OverGround = true;
};

void Layout(Block& b) {
    const int maxWidth = kSheetWidth - 2 * kMargin;
    int x = 0, y = kLabelHeight, rowHeight = 0;
    b.Width = std::max(TextWidth(b.Label) + 6 + TextWidth(b.Detail), 0);
    for (const Image* f : b.Frames) {
        if (x > 0 && x + f->Width > maxWidth) {
            x = 0;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        b.Places.emplace_back(x, y);
        x += f->Width + kGap;
        rowHeight = std::max(rowHeight, f->Height);
        b.Width = std::max(b.Width, x - kGap);
    }
    b.Height = y + rowHeight;
    b.Width = std::min(b.Width, maxWidth);
}

/// A frame over tiled ground: transparent pixels show the ground as the game would.
void DrawFrameOver(Image& sheet, const Image& frame, int x, int y, const Image* ground) {
    for (int fy = 0; fy < frame.Height; ++fy) {
        for (int fx = 0; fx < frame.Width; ++fx) {
            std::uint32_t p = frame.At(fx, fy);
            if (IsKey(p) || AlphaOf(p) == 0) {
                if (!ground) continue;
                p = ground->At(fx % ground->Width, fy % ground->Height);
            }
            sheet.Put(x + fx, y + fy, p | 0xFF000000u);
        }
    }
}

}  // namespace

Image ContactSheet(const ContentLibrary& library, const std::vector<Scene>& extras) {
    const PictureSet* land = library.Find(0, 1, 0);
    const Image* ground = land && !land->Frames.empty() ? &land->Frames[0] : nullptr;

    std::vector<Scene> scenes = PreviewScenes(library);
    scenes.insert(scenes.end(), extras.begin(), extras.end());
    std::vector<Block> blocks;
    for (std::size_t g = 0; g < library.Groups.size(); ++g) {
        for (std::size_t s = 0; s < library.Groups[g].size(); ++s) {
            for (std::size_t l = 0; l < library.Groups[g][s].size(); ++l) {
                const PictureSet& set = library.Groups[g][s][l];
                Block b;
                b.Label = std::to_string(g) + "/" + std::to_string(s) + "/" + std::to_string(l);
                b.Detail = set.Name;
                if (!set.Frames.empty()) {
                    // Appended piece by piece: " " + std::to_string(...) trips GCC 12's false -Wrestrict.
                    b.Detail += ' ';
                    b.Detail += std::to_string(set.Frames.size()) + "x ";
                    b.Detail += std::to_string(set.Frames[0].Width) + "x";
                    b.Detail += std::to_string(set.Frames[0].Height);
                }
                for (const Image& f : set.Frames) b.Frames.push_back(&f);
                b.OverGround = !(g == 0 && s <= 2);
                Layout(b);
                blocks.push_back(std::move(b));
            }
        }
    }

    // Scenes first, then the lists, packed on shelves.
    int y = kMargin, x = kMargin, shelf = 0;
    std::vector<std::pair<int, int>> sceneAt, blockAt;
    auto place = [&](int w, int h) {
        if (x > kMargin && x + w > kSheetWidth - kMargin) {
            x = kMargin;
            y += shelf + 10;
            shelf = 0;
        }
        std::pair<int, int> at{x, y};
        x += w + 14;
        shelf = std::max(shelf, h);
        return at;
    };
    for (const Scene& sc : scenes) sceneAt.push_back(place(sc.Picture.Width, sc.Picture.Height + kLabelHeight));
    x = kSheetWidth;  // the lists start on a new shelf
    for (const Block& b : blocks) blockAt.push_back(place(b.Width, b.Height));
    const int height = y + shelf + kMargin;

    Image sheet(kSheetWidth, height, kBackground);
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        auto [sx, sy] = sceneAt[i];
        DrawText(sheet, sx, sy, scenes[i].Title, kLabel);
        DrawFrameOver(sheet, scenes[i].Picture, sx, sy + kLabelHeight, nullptr);
    }
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Block& b = blocks[i];
        auto [bx, by] = blockAt[i];
        DrawText(sheet, bx, by, b.Label, kLabel);
        DrawText(sheet, bx + TextWidth(b.Label) + 6, by, b.Detail, kLabelDim);
        for (std::size_t f = 0; f < b.Frames.size(); ++f)
            DrawFrameOver(sheet, *b.Frames[f], bx + b.Places[f].first, by + b.Places[f].second,
                          b.OverGround ? ground : nullptr);
    }
    return sheet;
}

}  // namespace tavrine::assets
