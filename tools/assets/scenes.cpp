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
                if (!IsKey(src.At(sx, sy))) img.Put(x + sx, y + sy, src.At(sx, sy) | 0xFF000000u);
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
