#include "support/test_world.h"

#include "sim/grid.h"
#include "state/lists.h"
#include "state/new_map.h"

namespace tavrine::test {

int AddPicture(ImageLibrary& lib, int group, int subgroup, int list, int width, int height) {
    auto g = static_cast<std::size_t>(group), s = static_cast<std::size_t>(subgroup), l = static_cast<std::size_t>(list);
    if (lib.Images.size() <= g) lib.Images.resize(g + 1);
    if (lib.Images[g].size() <= s) lib.Images[g].resize(s + 1);
    if (lib.Images[g][s].size() <= l) lib.Images[g][s].resize(l + 1);
    Picture p;
    p.Width = width;
    p.Height = height;
    p.Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFF000000u);
    auto& pictures = lib.Images[g][s][l].Pictures;
    pictures.push_back(std::move(p));
    return static_cast<int>(pictures.size()) - 1;
}

ImageLibrary MakeTestLibrary() {
    ImageLibrary lib;
    for (int list = 0; list < 5; ++list)
        for (int f = 0; f < 12; ++f) {
            AddPicture(lib, 0, 0, list, 36, 36);
            AddPicture(lib, 0, 1, list, 36, 36);
        }
    for (int list = 0; list < 3; ++list)
        for (int f = 0; f < 12; ++f) AddPicture(lib, 0, 2, list, 36, 36);
    for (int f = 0; f < 8; ++f) {
        AddPicture(lib, 0, 3, 0, 36, 36);
        AddPicture(lib, 0, 3, 1, 36, 36);
    }
    for (int f = 0; f < 9; ++f) AddPicture(lib, 0, 4, 0, 36, 36);
    for (int f = 0; f < 6; ++f) AddPicture(lib, 0, 5, 0, 18, 18);
    AddPicture(lib, 0, 6, 0, 7, 7);
    for (int wall = 0; wall < 2; ++wall)
        for (int f = 0; f < 11; ++f) AddPicture(lib, 1, wall, 0, kDecorationSize, kDecorationSize);
    for (int list = 0; list < 4; ++list) AddPicture(lib, 1, 2, list, kDecorationSize, kDecorationSize);
    for (int side = 0; side < 3; ++side) {
        for (int f = 0; f < 16; ++f) AddPicture(lib, 2, side, 0, kTowerSize, kTowerSize);
        for (int type = 0; type < 3; ++type) AddPicture(lib, 3, side, type, kBuildingSize, kBuildingSize);
        for (int model = 0; model < 2; ++model)
            for (int f = 0; f < 32; ++f) AddPicture(lib, 4, side, model, kTankSize, kTankSize);
    }
    return lib;
}

GameType MakeMap(const std::vector<std::string>& rows) {
    GameType g;
    RunState run;
    const auto height = static_cast<std::int32_t>(rows.size());
    const auto width = height ? static_cast<std::int32_t>(rows[0].size()) : 0;
    NewMap(g, run, width, height, 1, 0);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            GameCellType& c = g.Cell(x, y);
            const char ch = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            if (ch == '~') {
                c.Ground = {0, 0, 0, 0};
                c.GroundColor = 0x800000;
            } else if (ch == '^') {
                c.Ground = {0, 2, 0, 0};
                c.GroundColor = 0xC0C0C0;
            } else {
                c.Ground = {0, 1, 0, 0};
                c.GroundColor = 0x008000;
            }
            c.MinimapColor = c.GroundColor;
            c.Hidden = 0;
        }
    }
    return g;
}

std::int32_t PutTank(GameType& g, const ImageLibrary& lib, std::int32_t x, std::int32_t y, std::int32_t side, std::int32_t facing) {
    auto t = std::make_unique<GameObjectType>();
    t->Index = static_cast<std::int32_t>(g.Tanks.size());
    t->Color = side == 0 ? 0x00FFFF : (side == 1 ? 0x0000FF : 0x00FF00);
    t->Image = {4, side, 0, facing};
    t->TurretFacing = facing;
    std::int32_t w = 0, h = 0;
    ImageSize(lib, t->Image, w, h);
    t->X = x * g.CellWidth + g.CellWidth / 2 - w / 2;
    t->Y = y * g.CellHeight + g.CellHeight / 2 - h / 2;
    GameCellType& c = g.Cell(x, y);
    if (c.Occupancy == CellFree) {
        c.Occupancy = CellTank;
        c.Occupant = t->Index;
        c.MinimapColor = t->Color;
    }
    g.Tanks.push_back(std::move(t));
    return g.Tanks.back()->Index;
}

GameCellObjectType& PutObject(GameType& g, const ImageLibrary& lib, std::int32_t x, std::int32_t y, ImageRef image) {
    auto o = std::make_unique<GameCellObjectType>();
    o->Image = image;
    o->RestFacing = image.Frame;
    std::int32_t w = 0, h = 0;
    ImageSize(lib, image, w, h);
    const CellXY end = FootprintEnd(g, x, y, w, h);
    for (std::int32_t cx = x; cx <= end.X; ++cx)
        for (std::int32_t cy = y; cy <= end.Y; ++cy)
            if (g.OnMap(cx, cy)) {
                g.Cell(cx, cy).Occupancy = CellObject;
                g.Cell(cx, cy).Occupant = CellIndex(g, x, y);
            }
    g.Cell(x, y).Object = std::move(o);
    return *g.Cell(x, y).Object;
}

}  // namespace tavrine::test
