// The art reads the way the rules use it: coasts traced with the editor are
// continuous, variants and walls join without seams, facings point where their
// numbers say, the sides look different and the fog pieces darken the right way.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>

#include "editor/edge_tiling.h"
#include "editor/fills.h"
#include "generated_content.h"
#include "state/new_map.h"

namespace tavrine::assets::testing {
namespace {

struct Color3 {
    int R, G, B;
};
Color3 Rgb3(std::uint32_t p) {
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}
int Difference(std::uint32_t a, std::uint32_t b) {
    const Color3 x = Rgb3(a), y = Rgb3(b);
    return std::abs(x.R - y.R) + std::abs(x.G - y.G) + std::abs(x.B - y.B);
}
bool Transparent(std::uint32_t p) { return (p >> 24) == 0; }

/// A map's ground drawn from the loaded library, one picture per cell.
struct Canvas {
    int Width = 0, Height = 0;
    std::vector<std::uint32_t> Pixels;
    std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

Canvas DrawGround(const GameType& g) {
    Canvas c{g.Columns * kCellSize, g.Rows * kCellSize, {}};
    c.Pixels.assign(static_cast<std::size_t>(c.Width) * c.Height, 0);
    for (int x = 0; x < g.Columns; ++x)
        for (int y = 0; y < g.Rows; ++y) {
            const Picture& p = PictureAt(g.Cell(x, y).Ground.Group, g.Cell(x, y).Ground.Subgroup,
                                         g.Cell(x, y).Ground.List, g.Cell(x, y).Ground.Frame);
            for (int py = 0; py < p.Height; ++py)
                for (int px = 0; px < p.Width; ++px)
                    c.Pixels[static_cast<std::size_t>(y * kCellSize + py) * c.Width + x * kCellSize + px] =
                        p.Pixels[static_cast<std::size_t>(py) * p.Width + px];
        }
    return c;
}

/// Every border between two cells changes colour little more than the pixels
/// inside the cells on either side do from one to the next: no cut coast, no
/// step in a texture. Returns the worst border and its ratio for the message.
void ExpectNoSeams(const Canvas& c, const char* what) {
    const int columns = c.Width / kCellSize, rows = c.Height / kCellSize;
    for (int cy = 0; cy < rows; ++cy) {
        for (int cx = 0; cx + 1 < columns; ++cx) {
            const int border = (cx + 1) * kCellSize;
            double across = 0, inside = 0;
            int insideCount = 0;
            for (int y = cy * kCellSize; y < (cy + 1) * kCellSize; ++y) {
                across += Difference(c.At(border - 1, y), c.At(border, y));
                for (int x = border - 8; x < border + 8; ++x)
                    if (x != border) {
                        inside += Difference(c.At(x - 1, y), c.At(x, y));
                        ++insideCount;
                    }
            }
            across /= kCellSize;
            inside /= insideCount;
            EXPECT_LE(across, 2.0 * inside + 6.0) << what << ": seam between cells (" << cx << ", " << cy << ") and ("
                                                  << cx + 1 << ", " << cy << ")";
        }
    }
    for (int cy = 0; cy + 1 < rows; ++cy) {
        for (int cx = 0; cx < columns; ++cx) {
            const int border = (cy + 1) * kCellSize;
            double across = 0, inside = 0;
            int insideCount = 0;
            for (int x = cx * kCellSize; x < (cx + 1) * kCellSize; ++x) {
                across += Difference(c.At(x, border - 1), c.At(x, border));
                for (int y = border - 8; y < border + 8; ++y)
                    if (y != border) {
                        inside += Difference(c.At(x, y - 1), c.At(x, y));
                        ++insideCount;
                    }
            }
            across /= kCellSize;
            inside /= insideCount;
            EXPECT_LE(across, 2.0 * inside + 6.0) << what << ": seam between cells (" << cx << ", " << cy << ") and ("
                                                  << cx << ", " << cy + 1 << ")";
        }
    }
}

std::vector<EditPoint> Path(std::initializer_list<std::pair<int, int>> points) {
    std::vector<EditPoint> out;
    for (auto [x, y] : points) out.push_back({x, y});
    return out;
}

TEST(GeneratedArt, AnIslandWithALakeAndAMountainTracedWithTheEditorHasContinuousBorders) {
    GameType g;
    RunState run;
    NewMap(g, run, 16, 14, 1, 0);
    // An island traced clockwise with straight runs, diagonals and both kinds of
    // corner; then a lake in it traced counter-clockwise; then a mountain.
    TileOutline(g,
                Path({{2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 3}, {8, 4}, {9, 4}, {10, 4}, {11, 4}, {12, 4}, {12, 5},
                      {12, 6}, {12, 7}, {12, 8}, {12, 9}, {12, 10}, {11, 11}, {10, 11}, {9, 11}, {8, 11}, {7, 11},
                      {6, 11}, {5, 11}, {4, 11}, {3, 10}, {2, 9}, {2, 8}, {2, 7}, {2, 6}, {2, 5}, {2, 4}, {2, 3}}),
                TerrainLand, kLandColor);
    ASSERT_GT(FillLand(g, 5, 5), 20);
    TileOutline(g, Path({{4, 5}, {4, 6}, {4, 7}, {5, 7}, {6, 7}, {6, 6}, {6, 5}, {5, 5}}), TerrainLand, kLandColor);
    g.Cell(5, 6).Ground = ImageRef{0, 0, 0, 0};
    TileOutline(g, Path({{8, 6}, {9, 6}, {10, 7}, {10, 8}, {10, 9}, {9, 9}, {8, 9}, {8, 8}, {8, 7}}), TerrainMountain,
                kMountainColor);
    ASSERT_GT(FillMountain(g, 9, 8), 0);
    ExpectNoSeams(DrawGround(g), "island");
}

TEST(GeneratedArt, AllGroundVariantsMeetEachOtherWithoutSeams) {
    GameType g;
    RunState run;
    NewMap(g, run, 10, 10, 1, 0);
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            g.Cell(x, y).Ground = ImageRef{0, y < 5 ? 0 : 1, (x * 3 + y * 7) % 5, 0};
    // The one row where water meets land directly has no coast: skip it by
    // checking each half on its own.
    Canvas all = DrawGround(g);
    Canvas water{all.Width, 5 * kCellSize, {all.Pixels.begin(), all.Pixels.begin() + all.Width * 5 * kCellSize}};
    Canvas land{all.Width, 5 * kCellSize, {all.Pixels.begin() + all.Width * 5 * kCellSize, all.Pixels.end()}};
    ExpectNoSeams(water, "water variants");
    ExpectNoSeams(land, "land variants");
}

/// Pixels of frame `frame` that differ from the most common colour of that pixel
/// over the list's first sixteen frames: what turns with the facing (a gun and
/// its shadow). Their mean direction from the middle, in screen radians.
double TurningPartDirection(int group, int subgroup, int list, int firstFrame, int facing, double minRadius) {
    const Picture& p = PictureAt(group, subgroup, list, firstFrame + facing);
    const double cx = p.Width / 2.0, cy = p.Height / 2.0;
    double sx = 0, sy = 0;
    for (int y = 0; y < p.Height; ++y) {
        for (int x = 0; x < p.Width; ++x) {
            std::map<std::uint32_t, int> votes;
            for (int f = 0; f < 16; ++f)
                ++votes[PictureAt(group, subgroup, list, firstFrame + f).Pixels[static_cast<std::size_t>(y) * p.Width + x]];
            std::uint32_t mode = 0;
            int best = -1;
            for (auto [colour, n] : votes)
                if (n > best) best = n, mode = colour;
            const std::uint32_t here = p.Pixels[static_cast<std::size_t>(y) * p.Width + x];
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            if (here == mode || Transparent(here) || std::hypot(dx, dy) < minRadius) continue;
            sx += dx;
            sy += dy;
        }
    }
    return std::atan2(sy, sx);
}

double AngleOfFacing(int facing) { return M_PI + facing * M_PI / 8.0; }

double AngleBetween(double a, double b) { return std::abs(std::remainder(a - b, 2.0 * M_PI)); }

TEST(GeneratedArt, TurretsPointTheirGunsAlongTheirFacing) {
    for (int side = 0; side < 3; ++side)
        for (int model = 0; model < static_cast<int>(LoadedLibrary().Images[4][side].size()); ++model)
            for (int facing = 0; facing < 16; ++facing) {
                const double a = TurningPartDirection(4, side, model, 16, facing, 9.0);
                EXPECT_LT(AngleBetween(a, AngleOfFacing(facing)), 0.3)
                    << "tank " << side << "/" << model << " turret facing " << facing;
            }
}

TEST(GeneratedArt, TowersPointTheirGunsAlongTheirFacing) {
    for (int side = 0; side < 3; ++side)
        for (int list = 0; list < static_cast<int>(LoadedLibrary().Images[2][side].size()); ++list)
            for (int facing = 0; facing < 16; ++facing) {
                const Picture& p = PictureAt(2, side, list, 0);
                const double a = TurningPartDirection(2, side, list, 0, facing, p.Width * 0.3);
                EXPECT_LT(AngleBetween(a, AngleOfFacing(facing)), 0.3) << "tower " << side << "/" << list << " facing " << facing;
            }
}

TEST(GeneratedArt, HullsLieAlongTheirFacingWithTheEngineDeckBehind) {
    for (int side = 0; side < 3; ++side)
        for (int model = 0; model < 2; ++model)
            for (int facing = 0; facing < 16; ++facing) {
                const Picture& p = PictureAt(4, side, model, facing);
                const double ux = std::cos(AngleOfFacing(facing)), uy = std::sin(AngleOfFacing(facing));
                double front = 0, back = 0, along = 0, across = 0;
                int nFront = 0, nBack = 0;
                for (int y = 0; y < p.Height; ++y)
                    for (int x = 0; x < p.Width; ++x) {
                        const std::uint32_t px = p.Pixels[static_cast<std::size_t>(y) * p.Width + x];
                        if (Transparent(px)) continue;
                        const double dx = x + 0.5 - p.Width / 2.0, dy = y + 0.5 - p.Height / 2.0;
                        const double u = dx * ux + dy * uy, v = -dx * uy + dy * ux;
                        along += u * u;
                        across += v * v;
                        const Color3 c = Rgb3(px);
                        const double luma = 0.3 * c.R + 0.59 * c.G + 0.11 * c.B;
                        if (u > 4) front += luma, ++nFront;
                        if (u < -4) back += luma, ++nBack;
                    }
                EXPECT_GT(along, across * 1.3) << "hull " << side << "/" << model << " facing " << facing << " lies across";
                EXPECT_GT(front / nFront, back / nBack) << "hull " << side << "/" << model << " facing " << facing;
            }
}

TEST(GeneratedArt, TurretsTurnAboutTheMiddleOfThePicture) {
    // The turret's body (without its gun) stays put whatever the facing, so it
    // sits on every hull facing at the same place.
    for (int facing = 0; facing < 16; ++facing) {
        const Picture& p = PictureAt(4, 0, 0, 16 + facing);
        double sx = 0, sy = 0;
        int n = 0;
        for (int y = 0; y < p.Height; ++y)
            for (int x = 0; x < p.Width; ++x) {
                const double dx = x + 0.5 - p.Width / 2.0, dy = y + 0.5 - p.Height / 2.0;
                if (std::hypot(dx, dy) > 6.0 || Transparent(p.Pixels[static_cast<std::size_t>(y) * p.Width + x])) continue;
                sx += dx, sy += dy, ++n;
            }
        ASSERT_GT(n, 60);
        EXPECT_LT(std::hypot(sx / n, sy / n), 1.2) << "facing " << facing;
    }
}

TEST(GeneratedArt, SidesArePaintedYellowRedAndGreen) {
    for (int side = 0; side < 3; ++side) {
        double r = 0, g = 0, b = 0;
        int n = 0;
        for (int frame : {0, 4, 20, 24}) {
            const Picture& p = PictureAt(4, side, 0, frame);
            for (std::uint32_t px : p.Pixels) {
                const Color3 c = Rgb3(px);
                if (Transparent(px) || std::max({c.R, c.G, c.B}) - std::min({c.R, c.G, c.B}) < 60) continue;
                r += c.R, g += c.G, b += c.B, ++n;
            }
        }
        ASSERT_GT(n, 100);
        r /= n, g /= n, b /= n;
        switch (side) {
            case 0: EXPECT_TRUE(r > 150 && g > 120 && b < 90 && std::abs(r - g) < 70) << r << " " << g << " " << b; break;
            case 1: EXPECT_TRUE(r > 130 && r > g + 80 && r > b + 80) << r << " " << g << " " << b; break;
            default: EXPECT_TRUE(g > 130 && g > r + 40 && g > b + 20) << r << " " << g << " " << b; break;
        }
    }
}

TEST(GeneratedArt, FogPiecesDarkenTowardTheHiddenSide) {
    auto at = [](int piece, int x, int y) { return PictureAt(0, 4, 0, piece).Pixels[static_cast<std::size_t>(y) * kCellSize + x]; };
    const std::uint32_t black = 0xFF000000u;
    for (int i = 0; i < kCellSize; ++i) {
        EXPECT_EQ(at(0, 0, i), black);                   // hidden to the left
        EXPECT_TRUE(Transparent(at(0, kCellSize - 1, i)));
        EXPECT_EQ(at(1, i, 0), black);                   // hidden above
        EXPECT_TRUE(Transparent(at(1, i, kCellSize - 1)));
        EXPECT_EQ(at(2, kCellSize - 1, i), black);       // hidden to the right
        EXPECT_TRUE(Transparent(at(2, 0, i)));
        EXPECT_EQ(at(3, i, kCellSize - 1), black);       // hidden below
        EXPECT_TRUE(Transparent(at(3, i, 0)));
    }
    // The corner pieces cover both sides; the hidden cell's piece covers it all.
    for (auto [piece, x, y] : {std::tuple{4, 0, 0}, {5, kCellSize - 1, 0}, {6, kCellSize - 1, kCellSize - 1}, {7, 0, kCellSize - 1}}) {
        EXPECT_EQ(at(piece, x, y), black);
        EXPECT_TRUE(Transparent(at(piece, kCellSize - 1 - x, kCellSize - 1 - y)));
    }
    for (std::uint32_t px : PictureAt(0, 4, 0, 8).Pixels) EXPECT_EQ(px, black);
    for (int piece = 0; piece < 8; ++piece)
        for (std::uint32_t px : PictureAt(0, 4, 0, piece).Pixels) EXPECT_TRUE(px == black || Transparent(px));
}

TEST(GeneratedArt, WallPiecesJoinExactlyAtTheCellBorders) {
    // Each arm's end is the same line of pixels in every frame that has that arm,
    // so any two pieces of one kind meet without a seam.
    struct Arms {
        bool W, N, E, S;
    };
    constexpr Arms kArms[11] = {{1, 0, 1, 0}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 0, 0, 1}, {1, 1, 0, 0}, {0, 1, 1, 0},
                                {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 0, 1}, {1, 1, 1, 0}, {1, 1, 1, 1}};
    constexpr std::uint32_t kShadow = 0x080A06u;
    for (int kind = 0; kind < 2; ++kind) {
        // The dithered shadow on the ground alternates with the pixel's parity, so
        // it is left out; the wall itself must match.
        auto px = [&](int frame, int x, int y) {
            const std::uint32_t p = PictureAt(1, kind, 0, frame).Pixels[static_cast<std::size_t>(y) * kCellSize + x];
            return (p & 0xFFFFFFu) == kShadow ? 0xFF00FFu : p;
        };
        for (int frame = 0; frame < 11; ++frame)
            for (int i = 0; i < kCellSize; ++i) {
                if (kArms[frame].W) {
                    EXPECT_EQ(px(frame, 0, i), px(0, 0, i)) << "kind " << kind << " frame " << frame;
                }
                if (kArms[frame].E) {
                    EXPECT_EQ(px(frame, kCellSize - 1, i), px(0, kCellSize - 1, i)) << "kind " << kind << " frame " << frame;
                }
                if (kArms[frame].N) {
                    EXPECT_EQ(px(frame, i, 0), px(1, i, 0)) << "kind " << kind << " frame " << frame;
                }
                if (kArms[frame].S) {
                    EXPECT_EQ(px(frame, i, kCellSize - 1), px(1, i, kCellSize - 1)) << "kind " << kind << " frame " << frame;
                }
            }
        // And the straight pieces continue into themselves.
        int opaqueAtBorder = 0;
        for (int i = 0; i < kCellSize; ++i) {
            EXPECT_EQ(Transparent(px(0, 0, i)), Transparent(px(0, kCellSize - 1, i)));
            EXPECT_EQ(Transparent(px(1, i, 0)), Transparent(px(1, i, kCellSize - 1)));
            opaqueAtBorder += !Transparent(px(0, 0, i));
        }
        EXPECT_GE(opaqueAtBorder, 8) << "the wall reaches the cell's border";
    }
}

}  // namespace
}  // namespace tavrine::assets::testing
