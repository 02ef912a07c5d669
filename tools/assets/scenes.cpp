#include "scenes.h"

#include <sstream>

#include "terrain.h"

namespace tavrine::assets {

SceneMap::SceneMap(const std::vector<std::string>& rows) {
    rows_ = static_cast<int>(rows.size());
    std::vector<std::vector<Ground>> grid;
    for (const std::string& line : rows) {
        std::istringstream in(line);
        std::string code;
        std::vector<Ground> row;
        while (in >> code) {
            Ground g;
            int frame = 0;
            if (auto dot = code.find('.'); dot != std::string::npos) {
                frame = std::stoi(code.substr(dot + 1));
                code = code.substr(0, dot);
            }
            const int n = code.size() > 1 ? std::stoi(code.substr(1)) : 0;
            switch (code[0]) {
                case 'W': g = {0, n, frame}; break;
                case 'L': g = {1, n, frame}; break;
                case 'M': g = {2, 0, frame}; break;
                case 'C': g = {2, 1, n}; break;
                case 'K': g = {2, 2, n}; break;
                default: break;
            }
            row.push_back(g);
        }
        columns_ = std::max(columns_, static_cast<int>(row.size()));
        grid.push_back(row);
    }
    ground_.resize(static_cast<std::size_t>(columns_) * rows_);
    hidden_.assign(ground_.size(), 0);
    for (int y = 0; y < rows_; ++y)
        for (int x = 0; x < static_cast<int>(grid[y].size()); ++x) ground_[y * columns_ + x] = grid[y][x];
}

void SceneMap::AddObject(int group, int subgroup, int list, int frame, int column, int row) {
    objects_.push_back({group, subgroup, list, frame, column, row});
}

void SceneMap::AddTank(int side, int model, int hull, int turret, int column, int row) {
    tanks_.push_back({side, model, hull, turret, column, row});
}

void SceneMap::Hide(int column, int row) { hidden_[row * columns_ + column] = 1; }

int WallFrameOfMask(int mask) {
    static constexpr int kFrames[16] = {0, 0, 1, 4, 0, 0, 5, 9, 1, 3, 1, 8, 2, 7, 6, 10};
    return kFrames[mask & 15];
}

void SceneMap::AddWalls(const std::vector<std::string>& rows) {
    auto kind = [&](int x, int y) {
        if (y < 0 || y >= static_cast<int>(rows.size()) || x < 0 || x >= static_cast<int>(rows[y].size())) return -1;
        const char c = rows[y][x];
        return c == '0' ? 0 : c == '1' ? 1 : -1;
    };
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
            const int k = kind(x, y);
            if (k < 0) continue;
            const int mask = (kind(x - 1, y) == k ? 1 : 0) | (kind(x, y - 1) == k ? 2 : 0) | (kind(x + 1, y) == k ? 4 : 0) |
                             (kind(x, y + 1) == k ? 8 : 0);
            AddObject(1, k, 0, WallFrameOfMask(mask), x, y);
        }
}

int FogPieceOf(int mask) {
    if (mask == 0) return 9;
    if (mask == 255) return 8;
    struct Row { int Piece, Hidden, Clear, Ignored; };
    constexpr int TL = 1, T = 2, TR = 4, R = 8, BR = 16, B = 32, BL = 64, L = 128;
    constexpr int kCorners = TL | TR | BR | BL;
    constexpr Row kRows[] = {
        {1, T, R | B | L, kCorners},        {2, R, T | B | L, kCorners},
        {3, B, T | R | L, kCorners},        {0, L, T | R | B, kCorners},
        {4, L | T, R | BR | B, TL | TR | BL}, {5, T | R, B | BL | L, TL | TR | BR},
        {6, R | B, L | TL | T, TR | BR | BL}, {7, B | L, T | TR | R, TL | BR | BL},
    };
    for (const Row& r : kRows)
        if ((mask & ~r.Ignored) == r.Hidden) return r.Piece;
    return 9;
}

Image SceneMap::Draw(const ContentLibrary& library) const {
    Image img(columns_ * kCell, rows_ * kCell, 0xFF000000u);
    auto picture = [&](int g, int s, int l, int f) -> const Image* {
        const PictureSet* set = library.Find(g, s, l);
        if (!set || f < 0 || f >= static_cast<int>(set->Frames.size())) return nullptr;
        return &set->Frames[static_cast<std::size_t>(f)];
    };
    auto keyed = [&](const Image& src, int x, int y) {
        for (int sy = 0; sy < src.Height; ++sy)
            for (int sx = 0; sx < src.Width; ++sx)
                if (!IsKey(src.At(sx, sy)) && AlphaOf(src.At(sx, sy)) >= 128)
                    img.Put(x + sx, y + sy, src.At(sx, sy) | 0xFF000000u);
    };
    for (int y = 0; y < rows_; ++y)
        for (int x = 0; x < columns_; ++x) {
            const Ground& g = ground_[y * columns_ + x];
            if (const Image* p = picture(0, g.Subgroup, g.List, g.Frame)) keyed(*p, x * kCell, y * kCell);
        }
    // Objects column by column, as the game's object sweep draws them.
    for (int x = 0; x < columns_; ++x)
        for (int y = 0; y < rows_; ++y)
            for (const Object& o : objects_)
                if (o.Column == x && o.Row == y)
                    if (const Image* p = picture(o.Group, o.Subgroup, o.List, o.Frame)) keyed(*p, x * kCell, y * kCell);
    for (const Tank& t : tanks_) {
        const Image* hull = picture(4, t.Side, t.Model, t.Hull);
        const Image* turret = picture(4, t.Side, t.Model, t.Turret + 16);
        if (!hull) continue;
        const int px = t.Column * kCell + kCell / 2 - hull->Width / 2;
        const int py = t.Row * kCell + kCell / 2 - hull->Height / 2;
        keyed(*hull, px, py);
        if (turret) keyed(*turret, px, py);
    }
    for (int y = 0; y < rows_; ++y)
        for (int x = 0; x < columns_; ++x) {
            auto hid = [&](int cx, int cy) {
                return cx >= 0 && cy >= 0 && cx < columns_ && cy < rows_ && hidden_[cy * columns_ + cx];
            };
            int piece = 8;
            if (!hid(x, y)) {
                const int mask = (hid(x - 1, y - 1) ? 1 : 0) | (hid(x, y - 1) ? 2 : 0) | (hid(x + 1, y - 1) ? 4 : 0) |
                                 (hid(x + 1, y) ? 8 : 0) | (hid(x + 1, y + 1) ? 16 : 0) | (hid(x, y + 1) ? 32 : 0) |
                                 (hid(x - 1, y + 1) ? 64 : 0) | (hid(x - 1, y) ? 128 : 0);
                piece = FogPieceOf(mask);
            }
            if (const Image* p = picture(0, 4, 0, piece)) keyed(*p, x * kCell, y * kCell);
        }
    return img;
}

std::vector<Scene> PreviewScenes(const ContentLibrary& library) {
    std::vector<Scene> scenes;
    SceneMap island({
        "W  W  W   W  W  W  W   W",
        "W  C8 C1  C1 C1 C9 W   W",
        "W  C0 L   L1 L  C5 C9  W",
        "W  C0 L2  L  L3 L  C2  W",
        "W  C11 C3 C7 L4 L  C2  W",
        "W  W1 W  C11 C3 C3 C10 W",
        "W  W  W2  W  W3 W4 W   W",
    });
    scenes.push_back({"ISLAND: COAST PIECES AND VARIANTS", island.Draw(library)});

    SceneMap lake({
        "L  L  L  L  L  L  L",
        "L  C6 C3 C3 C3 C7 L",
        "L  C2 W  W  W  C0 L",
        "L  C2 W  W1 W  C0 L",
        "L  C5 C1 C1 C1 C4 L",
        "L  L  L  L  L  L  L",
    });
    scenes.push_back({"LAKE", lake.Draw(library)});

    SceneMap mountain({
        "L  L  L  L  L  L",
        "L  K8 K1 K9 L  L",
        "L  K0 M  K5 K9 L",
        "L  K11 K7 M K2 L",
        "L  L  K11 K3 K10 L",
        "L  L  L  L  L  L",
    });
    scenes.push_back({"MOUNTAIN", mountain.Draw(library)});

    SceneMap diagonal({
        "W  W  W  W  W  W",
        "C8 C9 W  W  W  W",
        "C0 C5 C9 W  W  W",
        "C0 L  C5 C9 W  W",
        "C0 L  L  C5 C9 W",
        "C0 L  L  L  C5 C9",
    });
    scenes.push_back({"DIAGONAL COAST", diagonal.Draw(library)});

    // Two bases, walls, scenery and the fog of war.
    SceneMap base({
        "L L L L L L L L L L L L L L L L",
        "L L L L L L L L L L L L L L L L",
        "L L L L L L L L L L L L L L L L",
        "L L L L L L L L L L L L L L L L",
        "L L L L L L L L L L L L L L L L",
        "L L L L L L L L L L L L L L L L",
        "L L L L L L L L L L L L L L L L",
        "L L L L L L L L L L L L L L L L",
        "L L L L L L L L L L L L L L L L",
        "L L L L L L L L L L L L L L L L",
    });
    base.AddWalls({
        "...........11111",
        "...........1....",
        "...........1....",
        "...........1....",
        "................",
        "...........1....",
        "0000000000.1....",
        "....0......11111",
        "....0...........",
        "....0...........",
    });
    base.AddObject(3, 0, 0, 0, 0, 0);    // headquarters
    base.AddObject(3, 0, 1, 0, 3, 0);    // factory, its gate over (4, 1)
    base.AddObject(3, 0, 2, 0, 0, 4);    // barracks
    base.AddObject(3, 0, 3, 1, 6, 0);    // power plant
    base.AddObject(3, 0, 4, 0, 2, 4);    // fuel depot
    base.AddObject(3, 0, 5, 1, 8, 3);    // radio mast
    base.AddObject(2, 0, 0, 8, 9, 0);    // gun tower facing east
    base.AddObject(2, 0, 1, 10, 8, 7);   // fortress facing south-east
    base.AddObject(3, 1, 0, 3, 12, 1);   // the computer's headquarters
    base.AddObject(3, 1, 1, 2, 12, 5);   // and its factory
    base.AddObject(2, 1, 0, 0, 15, 4);   // its tower facing west
    base.AddObject(3, 2, 2, 0, 13, 8);   // a neutral barracks
    base.AddObject(1, 2, 2, 0, 5, 4);    // trees, rocks, crates, craters
    base.AddObject(1, 2, 2, 1, 6, 5);
    base.AddObject(1, 2, 2, 2, 1, 8);
    base.AddObject(1, 2, 1, 0, 2, 9);
    base.AddObject(1, 2, 0, 1, 7, 9);
    base.AddObject(1, 2, 3, 1, 9, 5);
    base.AddObject(1, 3, 1, 0, 3, 5);
    base.AddObject(1, 3, 0, 0, 6, 8);
    base.AddObject(1, 3, 2, 0, 10, 9);
    base.AddObject(1, 3, 3, 0, 3, 8);
    base.AddTank(0, 0, 12, 12, 4, 2);
    base.AddTank(0, 0, 8, 7, 7, 5);
    base.AddTank(0, 2, 8, 8, 8, 6);
    base.AddTank(0, 1, 6, 6, 10, 4);
    base.AddTank(1, 0, 0, 1, 11, 4);
    base.AddTank(1, 2, 2, 0, 14, 3);
    base.AddTank(2, 1, 4, 4, 12, 8);
    for (int x = 14; x < 16; ++x)
        for (int y = 0; y < 10; ++y)
            if (x > 14 || y > 5) base.Hide(x, y);
    scenes.push_back({"BASES, WALLS, SCENERY AND FOG", base.Draw(library)});

    SceneMap tiling({
        "W W W W W L L L L L",
        "W W W W W L L L L L",
        "W W W W W L L L L L",
        "W W W W W L L L L L",
        "M M M M M L L L L L",
        "M M M M M L L L L L",
    });
    scenes.push_back({"PLAIN GROUND REPEATED", tiling.Draw(library)});

    // Every side and model at the four main facings, and with the turret turned.
    SceneMap tanks({
        "L L L L L L L L L L L L",
        "L L L L L L L L L L L L",
        "L L L L L L L L L L L L",
        "L L L L L L L L L L L L",
        "L L L L L L L L L L L L",
        "L L L L L L L L L L L L",
        "L L L L L L L L L L L L",
        "L L L L L L L L L L L L",
        "L L L L L L L L L L L L",
    });
    for (int side = 0; side < 3; ++side)
        for (int model = 0; model < 3; ++model)
            for (int f = 0; f < 4; ++f) {
                const int hull = f * 4;
                const int turret = model == 1 ? (hull + 3) % 16 : hull;
                tanks.AddTank(side, model, hull, turret, model * 4 + f, side * 3 + (f % 2));
            }
    scenes.push_back({"TANKS: FACINGS 0 4 8 12 (W N E S)", tanks.Draw(library)});
    return scenes;
}

}  // namespace tavrine::assets
