// The ground a mission map is meant to have, cell by cell, before it is painted
// with the map editor's tools. Shapes are drawn into the plan, then the plan is
// cleaned so that every coast and mountain border can be traced as an outline
// whose turns the edge pieces can follow.
#pragma once

#include <cstdint>
#include <vector>

namespace tavrine::mapgen {

enum class Terrain : std::uint8_t { Water, Land, Mountain };

/// A rectangle of cells, both corners included.
struct CellBox {
    int X0 = 0;
    int Y0 = 0;
    int X1 = -1;
    int Y1 = -1;

    bool Contains(int x, int y) const { return x >= X0 && x <= X1 && y >= Y0 && y <= Y1; }
    /// The box grown by `n` cells on every side.
    CellBox Grown(int n) const { return {X0 - n, Y0 - n, X1 + n, Y1 + n}; }
};

/// A point of a line drawn into the plan, in cells (fractions allowed).
struct PlanPoint {
    float X = 0.f;
    float Y = 0.f;
};

class TerrainPlan {
public:
    TerrainPlan(int columns, int rows, Terrain fill);

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }

    /// The planned ground of a cell. Off the map the nearest edge cell answers,
    /// so land that reaches the map's edge goes on beyond it.
    Terrain At(int x, int y) const;
    /// Ignored off the map.
    void Set(int x, int y, Terrain t);

    void FillBox(const CellBox& box, Terrain t);
    /// An ellipse around (cx, cy) whose radius wobbles by up to `roughness`
    /// (a fraction of the radius) with the angle, the wobble fixed by `seed`.
    void Blob(std::uint32_t seed, float cx, float cy, float rx, float ry, float roughness, Terrain t);
    /// A band `width` cells wide along the polyline, its edges wobbling by up to
    /// `wobble` cells (a river, a ridge, a neck of land).
    void Band(std::uint32_t seed, const std::vector<PlanPoint>& line, float width, float wobble, Terrain t);
    /// Mountain where `t` is land, within `box`, on the cells where fractal
    /// noise of the seed lies above `threshold` (0..1): broken ranges.
    void NoiseMountains(std::uint32_t seed, const CellBox& box, float scale, float threshold);

    /// Cleans the plan until it can be traced: land and mountain regions lose
    /// parts narrower than three cells and gain back gaps narrower than three,
    /// no two regions touch at a corner only, mountains keep three cells away
    /// from water and out of the `flat` boxes (where bases stand), which are
    /// land. Returns false when it did not settle.
    bool Clean(const std::vector<CellBox>& flat);

private:
    std::size_t IndexOf(int x, int y) const;

    int columns_;
    int rows_;
    std::vector<Terrain> cells_;
};

/// Smooth value noise in [0, 1] on a lattice of `scale` cells, `octaves` layers.
float PlanNoise(std::uint32_t seed, float x, float y, float scale, int octaves);

}  // namespace tavrine::mapgen
