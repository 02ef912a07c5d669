// Small maps built from the library's pictures, drawn the way the game draws a
// frame: ground, then objects column by column, then tanks, then the fog.
#pragma once

#include <string>
#include <vector>

#include "content_library.h"

namespace tavrine::assets {

struct Scene {
    std::string Title;
    Image Picture;
};

/// A map of cells with ground pictures, objects, tanks and hidden cells.
class SceneMap {
public:
    /// Rows of space-separated cell codes: W water, L land, M mountain, Wn and Ln
    /// their variants, Cn coast piece n, Kn mountain border piece n; a code may
    /// end in ".f" for frame f of its list (ruins and wrecks).
    explicit SceneMap(const std::vector<std::string>& rows);

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }

    void AddObject(int group, int subgroup, int list, int frame, int column, int row);
    /// A tank centred on a cell, with its hull and turret facings.
    void AddTank(int side, int model, int hull, int turret, int column, int row);
    void Hide(int column, int row);
    /// Walls from rows of characters: '0' or '1' for a piece of that wall kind,
    /// anything else for none. Pieces of one kind join as the editor joins them.
    void AddWalls(const std::vector<std::string>& rows);

    Image Draw(const ContentLibrary& library) const;

private:
    struct Ground { int Subgroup = 0, List = 0, Frame = 0; };
    struct Object { int Group, Subgroup, List, Frame, Column, Row; };
    struct Tank { int Side, Model, Hull, Turret, Column, Row; };
    int columns_ = 0, rows_ = 0;
    std::vector<Ground> ground_;
    std::vector<Object> objects_;
    std::vector<Tank> tanks_;
    std::vector<char> hidden_;
};

/// The fog piece of a visible cell from the mask of its hidden neighbours
/// (1 top-left, 2 top, 4 top-right, 8 right, 16 bottom-right, 32 bottom,
/// 64 bottom-left, 128 left): 9 means no fog.
int FogPieceOf(int mask);

/// The wall frame for the mask of same-kind neighbours (1 left, 2 up, 4 right,
/// 8 down), as the map editor chooses it.
int WallFrameOfMask(int mask);

/// The review scenes of the contact sheet.
std::vector<Scene> PreviewScenes(const ContentLibrary& library);

}  // namespace tavrine::assets
