// The battlefield layers of a frame: ground and objects with their animation,
// the tanks (each taking its movement step just before it is drawn), the
// explosions and the fog.
#include <algorithm>
#include <array>
#include <vector>

#include "sim/movement.h"
#include "view/frame_painter.h"

namespace tavrine {

namespace {

/// The neighbours of a cell and their bits in the fog mask.
enum FogBit : std::int32_t {
    TopLeft = 1, Top = 2, TopRight = 4, Right = 8, BottomRight = 16, Bottom = 32, BottomLeft = 64, Left = 128,
};

/// Fog pieces for cells with hidden neighbours: the piece, the neighbours that
/// must be hidden, and the corners that do not matter. Every other neighbour must
/// be uncovered.
struct FogRow {
    std::int32_t Piece;
    std::int32_t Hidden;
    std::int32_t Ignored;
};
constexpr std::int32_t kCorners = TopLeft | TopRight | BottomRight | BottomLeft;
constexpr std::array<FogRow, 8> kFogRows = {{
    {1, Top, kCorners},
    {2, Right, kCorners},
    {3, Bottom, kCorners},
    {0, Left, kCorners},
    {4, Left | Top, TopLeft | TopRight | BottomLeft},
    {5, Top | Right, TopLeft | TopRight | BottomRight},
    {6, Right | Bottom, TopRight | BottomRight | BottomLeft},
    {7, Bottom | Left, TopLeft | BottomRight | BottomLeft},
}};

}  // namespace

CellRange VisibleRange(const GameType& g, std::int32_t surfaceWidth, std::int32_t surfaceHeight) {
    return VisibleRangeAt(g, g.ViewX, g.ViewY, surfaceWidth, surfaceHeight);
}

CellRange VisibleRangeAt(const GameType& g, std::int32_t originX, std::int32_t originY, std::int32_t surfaceWidth,
                         std::int32_t surfaceHeight) {
    CellRange r;
    if (g.CellWidth <= 0 || g.CellHeight <= 0) return r;
    const std::int64_t vx = originX / g.CellWidth, vy = originY / g.CellHeight;
    const auto fit = [](std::int64_t v, std::int64_t low, std::int64_t high) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, low, std::max(low, high)));
    };
    r.FirstColumn = fit(vx - 3, 0, g.Columns);
    r.LastColumn = fit(vx + surfaceWidth / g.CellWidth + 1, -1, g.Columns - 1);
    r.FirstRow = fit(vy - 3, 0, g.Rows);
    r.LastRow = fit(vy + surfaceHeight / g.CellHeight + 1, -1, g.Rows - 1);
    return r;
}

std::int32_t FogPiece(std::int32_t mask) {
    if (mask == 0) return 9;
    if (mask == 255) return 8;
    for (const FogRow& row : kFogRows)
        if ((mask & ~row.Ignored) == row.Hidden) return row.Piece;
    return 9;
}

}  // namespace tavrine

namespace tavrine::frame {

namespace {

/// Frames an explosion picture stays before the next one.
constexpr std::int32_t kExplosionFrameTicks = 6;

/// Turret recoil by turret facing pair: pushed away from where it points.
constexpr std::array<PixelXY, 8> kRecoil = {{{2, 0}, {1, 1}, {0, 2}, {-1, 1}, {-2, 0}, {-1, -1}, {0, -2}, {1, -1}}};

/// Hands the pictures `pick` chooses for the cells of `r` (nullptr: none) to the
/// canvas as one layer. Only for cells where the map's grid puts them, as they
/// always are but in a foreign file: false, with nothing drawn, otherwise.
template <typename Pick>
bool DrawLayer(Painter& painter, const CellRange& r, bool keep, Pick pick) {
    if (r.FirstColumn > r.LastColumn || r.FirstRow > r.LastRow) return true;
    const GameType& g = painter.G();
    const std::int32_t columns = r.LastColumn - r.FirstColumn + 1, rows = r.LastRow - r.FirstRow + 1;
    const std::int64_t left = painter.ScreenX(g.Cell(r.FirstColumn, r.FirstRow).X);
    const std::int64_t top = painter.ScreenY(g.Cell(r.FirstColumn, r.FirstRow).Y);
    const std::int64_t width = std::int64_t{columns} * g.CellWidth, height = std::int64_t{rows} * g.CellHeight;
    constexpr std::int64_t kFar = std::int64_t{1} << 30;
    if (left < -kFar || top < -kFar || left + width > kFar || top + height > kFar) return false;
    // Kept from frame to frame: the layers are drawn every frame.
    static thread_local std::vector<CanvasPicture> pictures;
    pictures.clear();
    for (std::int32_t x = r.FirstColumn; x <= r.LastColumn; ++x)
        for (std::int32_t y = r.FirstRow; y <= r.LastRow; ++y) {
            const GameCellType& cell = g.Cell(x, y);
            if (std::int64_t{cell.X} != std::int64_t{x} * g.CellWidth || std::int64_t{cell.Y} != std::int64_t{y} * g.CellHeight)
                return false;
            const Picture* p = pick(x, y, cell);
            pictures.push_back(p ? AsCanvas(*p) : CanvasPicture{});
        }
    painter.C.DrawCells(CanvasCells{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), r.FirstColumn,
                                    r.FirstRow, columns, rows, g.CellWidth, g.CellHeight, pictures.data(), keep});
    return true;
}

}  // namespace

void Painter::DrawWorld() {
    const CellRange shown = VisibleRangeAt(G(), OriginX, OriginY, SW, SH);
    const bool fog = !Run().EditMode || Options.EditorFogShown;
    DrawGround(shown, fog);
    DrawObjects(shown, VisibleRange(G(), SW, SH));
    DrawTanks();
    DrawExplosions();
    if (fog) DrawFog(shown);
}

const Picture* Painter::HiddenCover() {
    const PictureList* fog = FindList(Lib(), ImageRef{0, 4, 0, 0});
    if (!fog || Count(*fog) <= 8) return nullptr;
    const Picture& p = FrameOf(*fog, 8);
    if (p.Width != G().CellWidth || p.Height != G().CellHeight ||
        p.Pixels.size() != static_cast<std::size_t>(p.Width) * static_cast<std::size_t>(p.Height))
        return nullptr;
    for (const std::uint32_t pixel : p.Pixels)
        if ((pixel >> 24) == 0) return nullptr;
    return &p;
}

void Painter::DrawGround(const CellRange& r, bool fogFollows) {
    // The fog covers a hidden cell whole when its piece is opaque and of the
    // cell's size: the ground under it need not be drawn.
    const bool covered = fogFollows && HiddenCover();
    const bool drawn = DrawLayer(*this, r, true, [&](std::int32_t, std::int32_t, const GameCellType& cell) {
        return covered && cell.Hidden ? nullptr : FindPicture(Lib(), cell.Ground);
    });
    if (drawn) return;
    for (std::int32_t x = r.FirstColumn; x <= r.LastColumn; ++x)
        for (std::int32_t y = r.FirstRow; y <= r.LastRow; ++y) {
            const GameCellType& cell = G().Cell(x, y);
            if (const Picture* p = FindPicture(Lib(), cell.Ground)) Draw(ScreenX(cell.X), ScreenY(cell.Y), *p);
        }
}

void Painter::DrawObjects(const CellRange& drawn, const CellRange& advanced) {
    const auto inside = [](const CellRange& r, std::int32_t x, std::int32_t y) {
        return x >= r.FirstColumn && x <= r.LastColumn && y >= r.FirstRow && y <= r.LastRow;
    };
    // Column by column over both ranges, so the objects overlap in the same order
    // whichever part of the map is shown. A still frame advances nothing.
    for (std::int32_t x = std::min(drawn.FirstColumn, advanced.FirstColumn);
         x <= std::max(drawn.LastColumn, advanced.LastColumn); ++x) {
        for (std::int32_t y = std::min(drawn.FirstRow, advanced.FirstRow); y <= std::max(drawn.LastRow, advanced.LastRow);
             ++y) {
            const bool draw = inside(drawn, x, y);
            const bool advance = !Options.Still && inside(advanced, x, y);
            if (!draw && !advance) continue;
            const GameCellType& cell = G().Cell(x, y);
            GameCellObjectType* o = cell.Object.get();
            if (!o) continue;
            const PictureList* list = FindList(Lib(), o->Image);
            ImageRef& image = o->Image;
            if (!list || image.Frame < 0) continue;
            const std::int32_t n = Count(*list);
            if (image.Group == KindDecoration || image.Group == KindTower) {
                // Walls keep their variant and towers their facing: never animated here.
                if (image.Frame >= n) continue;
                if (draw) Draw(ScreenX(cell.X), ScreenY(cell.Y), FrameOf(*list, image.Frame));
            } else {
                if (n == 0) continue;
                if (advance && image.Frame >= n) image.Frame = 0;
                if (draw) Draw(ScreenX(cell.X), ScreenY(cell.Y), FrameOf(*list, image.Frame < n ? image.Frame : 0));
                if (advance && !Frozen() && Run().FramePhase == 0 && ++image.Frame >= n) image.Frame = 0;
            }
            for (SmokeType& puff : o->Smoke) {
                if (!FindPicture(Lib(), puff.Image)) continue;
                const PictureList& smoke = *FindList(Lib(), puff.Image);
                if (advance && !Frozen() && ++puff.Image.Frame >= Count(smoke)) puff.Image.Frame = 0;
                if (draw) Draw(ScreenX(puff.X), ScreenY(puff.Y), FrameOf(smoke, puff.Image.Frame));
            }
        }
    }
}

void Painter::DrawTanks() {
    // Each tank takes its step of movement and firing just before it is drawn.
    for (std::size_t i = 0; i < G().Tanks.size(); ++i) {
        if (!Frozen()) TankStep(Ctx, static_cast<std::int32_t>(i));
        if (i < G().Tanks.size()) DrawTank(*G().Tanks[i]);
    }
}

void Painter::DrawTank(GameObjectType& t) {
    const Picture* hull = FindPicture(Lib(), t.Image);
    if (!hull) return;
    const PictureList& list = *FindList(Lib(), t.Image);
    const std::int64_t sx = ScreenX(t.X);
    const std::int64_t sy = ScreenY(t.Y);
    if (sx + hull->Width - 1 < 0 || sy + hull->Height - 1 < 0 || sx > SW || sy > SH) return;
    Draw(sx, sy, *hull);

    if (t.TurretFacing < 0 || t.TurretFacing >= Count(list) - 16) return;
    PixelXY recoil{0, 0};
    if (t.MuzzleX >= 0 && t.TurretFacing <= 15) recoil = kRecoil[static_cast<std::size_t>(t.TurretFacing / 2)];
    Draw(sx + recoil.X, sy + recoil.Y, FrameOf(list, t.TurretFacing + 16));

    if (t.MuzzleX >= 0) {
        if (const Picture* flash = FindPicture(Lib(), ImageRef{0, 6, 0, 0}))
            Draw(ScreenX(t.MuzzleX) - 3, ScreenY(t.MuzzleY) - 3, *flash);
        if (!Frozen()) t.MuzzleX = -1;
    }
}

void Painter::DrawExplosions() {
    auto& explosions = G().Explosions;
    const bool frozen = Frozen();
    for (auto i = frozen ? -1 : static_cast<std::ptrdiff_t>(explosions.size()) - 1; i >= 0; --i)
        if (explosions[static_cast<std::size_t>(i)].Frame < 0) {
            explosions.erase(explosions.begin() + i);
            break;
        }
    for (ExplosionType& e : explosions) {
        const PictureList* list = FindList(Lib(), ImageRef{0, 3, e.Kind, 0});
        if (!list) {
            e.Frame = -1;
            continue;
        }
        if (e.Frame < 0) continue;
        if (e.Frame >= Count(*list)) {
            e.Frame = -1;
            continue;
        }
        if (!frozen) {
            e.X = WrapAdd(e.X, 1);
            e.Y = WrapAdd(e.Y, -1);
        }
        const Picture& p = FrameOf(*list, e.Frame);
        const std::int64_t x = ScreenX(e.X), y = ScreenY(e.Y);
        if (x + p.Width / 2 > 0 && x - p.Width / 2 < SW && y + p.Height / 2 > 0 && y - p.Height / 2 < SH)
            Draw(x - p.Width / 2, y - p.Height / 2, p);
        if (frozen) continue;
        e.Ticks = WrapAdd(e.Ticks, 1);
        if (e.Ticks >= kExplosionFrameTicks) {
            e.Ticks = 0;
            ++e.Frame;
        }
    }
}

std::int32_t Painter::HiddenMask(std::int32_t x, std::int32_t y) {
    constexpr std::array<std::array<std::int32_t, 3>, 8> kNeighbours = {{
        {-1, -1, TopLeft}, {0, -1, Top}, {1, -1, TopRight}, {1, 0, Right},
        {1, 1, BottomRight}, {0, 1, Bottom}, {-1, 1, BottomLeft}, {-1, 0, Left},
    }};
    std::int32_t mask = 0;
    for (const auto& [dx, dy, bit] : kNeighbours)
        if (G().OnMap(x + dx, y + dy) && G().Cell(x + dx, y + dy).Hidden) mask |= bit;
    return mask;
}

void Painter::DrawFog(const CellRange& r) {
    const PictureList* fog = FindList(Lib(), ImageRef{0, 4, 0, 0});
    if (!fog) return;
    const bool drawn = DrawLayer(*this, r, false, [&](std::int32_t x, std::int32_t y, const GameCellType& cell) {
        const std::int32_t piece = cell.Hidden ? 8 : FogPiece(HiddenMask(x, y));
        return piece < Count(*fog) ? &FrameOf(*fog, piece) : nullptr;
    });
    if (drawn) return;
    for (std::int32_t x = r.FirstColumn; x <= r.LastColumn; ++x)
        for (std::int32_t y = r.FirstRow; y <= r.LastRow; ++y) {
            const GameCellType& cell = G().Cell(x, y);
            const std::int32_t piece = cell.Hidden ? 8 : FogPiece(HiddenMask(x, y));
            if (piece < Count(*fog)) Draw(ScreenX(cell.X), ScreenY(cell.Y), FrameOf(*fog, piece));
        }
}

}  // namespace tavrine::frame
