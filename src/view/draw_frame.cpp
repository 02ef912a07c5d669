#include "view/draw_frame.h"

#include <algorithm>
#include <array>
#include <exception>
#include <cstdlib>
#include <string>

#include "sim/combat.h"
#include "sim/grid.h"
#include "sim/movement.h"
#include "view/diagnostic_line.h"
#include "view/screens.h"
#include "view/status.h"

namespace tavrine {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kMaroon{128, 0, 0};
constexpr Rgb kSilver{192, 192, 192};

/// Frames an explosion picture stays before the next one.
constexpr std::int32_t kExplosionFrameTicks = 6;
/// Pixels a shell flies per frame along its longer axis.
constexpr std::int32_t kShellStep = 15;
/// A shell closer to its target than this (dx + dy) has arrived.
constexpr std::int32_t kShellArrival = 40;

/// Turret recoil by turret facing pair: pushed away from where it points.
constexpr std::array<PixelXY, 8> kRecoil = {{{2, 0}, {1, 1}, {0, 2}, {-1, 1}, {-2, 0}, {-1, -1}, {0, -2}, {1, -1}}};

/// Label drift per frame by direction code.
constexpr std::array<PixelXY, 8> kLabelDrift = {{{-2, 0}, {0, -2}, {2, 0}, {0, 2}, {-2, -2}, {2, -2}, {2, 2}, {-2, 2}}};

/// Fog pieces for cells with hidden neighbours: the piece, the neighbours that
/// must be hidden, and the corners that do not matter. Every other neighbour must
/// be uncovered.
struct FogRow {
    std::int32_t Piece;
    std::int32_t Hidden;
    std::int32_t Ignored;
};
enum FogBit : std::int32_t {
    TopLeft = 1, Top = 2, TopRight = 4, Right = 8, BottomRight = 16, Bottom = 32, BottomLeft = 64, Left = 128,
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

/// Adds with the wrap-around of the game's 32-bit integers, for positions and
/// counters that a foreign file may have left at an extreme value.
std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

Rgb FromColor(Color c) {
    return {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF), static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

CanvasPicture AsCanvas(const Picture& p) { return {p.Width, p.Height, p.Pixels.data()}; }

std::int32_t Count(const PictureList& list) { return static_cast<std::int32_t>(list.Pictures.size()); }

const Picture& FrameOf(const PictureList& list, std::int32_t frame) { return list.Pictures[static_cast<std::size_t>(frame)]; }

Rgb HealthColor(std::int32_t health) { return health < 33 ? kRed : (health < 66 ? kYellow : kGreen); }

/// Everything one frame draws with.
struct Painter {
    SimContext& Ctx;
    Canvas& C;
    const FrameOptions& Options;
    std::int32_t SW;
    std::int32_t SH;

    GameType& G() { return Ctx.G; }
    RunState& Run() { return Ctx.Run; }
    const ImageLibrary& Lib() { return Ctx.Lib; }

    // Screen position of a map pixel, computed wide: positions loaded from a
    // file may lie anywhere in the 32-bit range.
    std::int64_t ScreenX(std::int32_t x) { return std::int64_t{x} - G().ViewX; }
    std::int64_t ScreenY(std::int32_t y) { return std::int64_t{y} - G().ViewY; }

    /// Hands a picture to the canvas, which clips it. Positions far beyond any
    /// surface (possible only with a foreign file's values) are left out so the
    /// canvas always gets coordinates it can add sizes to.
    void Draw(std::int64_t x, std::int64_t y, const Picture& p) {
        constexpr std::int64_t kFar = std::int64_t{1} << 30;
        if (x < -kFar || x > kFar || y < -kFar || y > kFar) return;
        C.DrawPicture(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), AsCanvas(p));
    }

    void DrawWorld();
    void DrawGround(const CellRange& r);
    void DrawObjects(const CellRange& r);
    void DrawTanks();
    void DrawTank(GameObjectType& t);
    void DrawExplosions();
    void DrawFog(const CellRange& r);
    std::int32_t HiddenMask(std::int32_t x, std::int32_t y);

    void DrawOverlay();
    void DrawEditorPath();
    void DrawShots();
    void StepShot(ShotType& s);
    void DrawSelections();
    void Brackets(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, std::int32_t penWidth);
    void HealthBar(std::int32_t l, std::int32_t r, std::int32_t b, std::int32_t top, std::int32_t health);
    void DrawTankMarks(const GameObjectType& t);
    void DrawBuildingMarks();
    void DrawBand();
    void DrawInfoLabels();
    void DrawMissionHint();
};

void Painter::DrawWorld() {
    const CellRange range = VisibleRange(G(), SW, SH);
    DrawGround(range);
    DrawObjects(range);
    DrawTanks();
    DrawExplosions();
    if (!Run().EditMode || Options.EditorFogShown) DrawFog(range);
}

void Painter::DrawGround(const CellRange& r) {
    for (std::int32_t x = r.FirstColumn; x <= r.LastColumn; ++x)
        for (std::int32_t y = r.FirstRow; y <= r.LastRow; ++y) {
            const GameCellType& cell = G().Cell(x, y);
            if (const Picture* p = FindPicture(Lib(), cell.Ground)) Draw(ScreenX(cell.X), ScreenY(cell.Y), *p);
        }
}

void Painter::DrawObjects(const CellRange& r) {
    for (std::int32_t x = r.FirstColumn; x <= r.LastColumn; ++x) {
        for (std::int32_t y = r.FirstRow; y <= r.LastRow; ++y) {
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
                Draw(ScreenX(cell.X), ScreenY(cell.Y), FrameOf(*list, image.Frame));
            } else {
                if (n == 0) continue;
                if (image.Frame >= n) image.Frame = 0;
                Draw(ScreenX(cell.X), ScreenY(cell.Y), FrameOf(*list, image.Frame));
                if (Run().FramePhase == 0 && ++image.Frame >= n) image.Frame = 0;
            }
            for (SmokeType& puff : o->Smoke) {
                if (!FindPicture(Lib(), puff.Image)) continue;
                const PictureList& smoke = *FindList(Lib(), puff.Image);
                if (++puff.Image.Frame >= Count(smoke)) puff.Image.Frame = 0;
                Draw(ScreenX(puff.X), ScreenY(puff.Y), FrameOf(smoke, puff.Image.Frame));
            }
        }
    }
}

void Painter::DrawTanks() {
    // Each tank takes its step of movement and firing just before it is drawn.
    for (std::size_t i = 0; i < G().Tanks.size(); ++i) {
        TankStep(Ctx, static_cast<std::int32_t>(i));
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
        t.MuzzleX = -1;
    }
}

void Painter::DrawExplosions() {
    auto& explosions = G().Explosions;
    for (auto i = static_cast<std::ptrdiff_t>(explosions.size()) - 1; i >= 0; --i)
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
        e.X = WrapAdd(e.X, 1);
        e.Y = WrapAdd(e.Y, -1);
        const Picture& p = FrameOf(*list, e.Frame);
        const std::int64_t x = ScreenX(e.X), y = ScreenY(e.Y);
        if (x + p.Width / 2 > 0 && x - p.Width / 2 < SW && y + p.Height / 2 > 0 && y - p.Height / 2 < SH)
            Draw(x - p.Width / 2, y - p.Height / 2, p);
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
    for (std::int32_t x = r.FirstColumn; x <= r.LastColumn; ++x)
        for (std::int32_t y = r.FirstRow; y <= r.LastRow; ++y) {
            const GameCellType& cell = G().Cell(x, y);
            const std::int32_t piece = cell.Hidden ? 8 : FogPiece(HiddenMask(x, y));
            if (piece < Count(*fog)) Draw(ScreenX(cell.X), ScreenY(cell.Y), FrameOf(*fog, piece));
        }
}

void Painter::DrawOverlay() {
    C.SetFont(kMainFont);
    if (Run().EditDrawing) DrawEditorPath();
    DrawShots();
    DrawSelections();
    DrawBand();
    DrawInfoLabels();
    DrawMissionEnd(Run(), C, SW, SH);
    DrawMissionHint();
    DrawDiagnosticLine(G(), Run(), C, Options.FrameRate);
}

void Painter::DrawEditorPath() {
    const auto centre = [this](const EditPoint& p) {
        return PixelXY{static_cast<std::int32_t>(std::int64_t{p.X} * G().CellWidth + G().CellWidth / 2 - G().ViewX),
                       static_cast<std::int32_t>(std::int64_t{p.Y} * G().CellHeight + G().CellHeight / 2 - G().ViewY)};
    };
    const auto& points = Run().EditPoints;
    const auto& track = Run().EditTrack;
    if (points.empty() && track.empty()) return;
    const PixelXY start = centre(points.empty() ? track.front() : points.front());
    C.SetPen(kGreen, 5, PenStyle::Solid);
    C.MoveTo(start.X, start.Y);
    for (const EditPoint& p : points) C.LineTo(centre(p).X, centre(p).Y);
    C.SetPen(kRed, 5, PenStyle::Solid);
    for (const EditPoint& p : track) C.LineTo(centre(p).X, centre(p).Y);
}

void Painter::DrawShots() {
    auto& shots = G().Shots;
    for (auto i = static_cast<std::ptrdiff_t>(shots.size()) - 1; i >= 0; --i) {
        const ShotType s = shots[static_cast<std::size_t>(i)];
        if (s.Timer < 0) {
            AddExplosion(Ctx, s.TargetX, s.TargetY, s.Power);
            shots.erase(shots.begin() + i);
            break;
        }
    }
    C.SetBrush(kSilver, BrushStyle::Solid);
    C.SetPen(kBlack, 1, PenStyle::Clear);
    for (ShotType& s : shots) {
        if (s.Timer < 0) continue;
        const std::int64_t x = ScreenX(s.X), y = ScreenY(s.Y);
        if (x > 0 && x < SW && y > 0 && y < SH) {
            const auto sx = static_cast<std::int32_t>(x), sy = static_cast<std::int32_t>(y);
            C.Rectangle(sx - 2, sy - 2, sx + 2, sy + 2);
        }
        s.Timer = WrapAdd(s.Timer, 1);
        if (s.Timer > 0) {
            s.Timer = 0;
            StepShot(s);
        }
    }
}

void Painter::StepShot(ShotType& s) {
    // Wide arithmetic: the distance between two 32-bit points may not fit in 32 bits.
    const std::int64_t dx = std::abs(std::int64_t{s.TargetX} - s.X);
    const std::int64_t dy = std::abs(std::int64_t{s.TargetY} - s.Y);
    if (dx + dy < kShellArrival) {
        s.Timer = -1;
        return;
    }
    // Each step is shorter than the remaining distance on its axis, so the shell
    // never passes its target and the positions stay in range.
    if (dx > dy) {
        const auto minor = static_cast<std::int32_t>(kShellStep * dy / dx);
        s.X += s.X < s.TargetX ? kShellStep : -kShellStep;
        s.Y += s.TargetY > s.Y ? minor : -minor;
    } else {
        const auto minor = static_cast<std::int32_t>(kShellStep * dx / dy);
        s.Y += s.TargetY > s.Y ? kShellStep : -kShellStep;
        s.X += s.X < s.TargetX ? minor : -minor;
    }
}

void Painter::DrawSelections() {
    for (const auto& t : G().Tanks)
        if (t->Selected) DrawTankMarks(*t);
    DrawBuildingMarks();
}

void Painter::Brackets(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, std::int32_t penWidth) {
    const auto corners = [this](std::int32_t l2, std::int32_t t2, std::int32_t r2, std::int32_t b2) {
        const std::array<std::array<PixelXY, 3>, 4> lines = {{
            {{{l2, t2 + 6}, {l2, t2}, {l2 + 6, t2}}},
            {{{r2, t2 + 6}, {r2, t2}, {r2 - 6, t2}}},
            {{{l2, b2 - 6}, {l2, b2}, {l2 + 6, b2}}},
            {{{r2 - 6, b2}, {r2, b2}, {r2, b2 - 6}}},
        }};
        for (const auto& line : lines) {
            C.MoveTo(line[0].X, line[0].Y);
            C.LineTo(line[1].X, line[1].Y);
            C.LineTo(line[2].X, line[2].Y);
        }
    };
    C.SetPen(kBlack, penWidth, PenStyle::Solid);
    corners(l, t, r, b);
    C.SetPen(kWhite, penWidth, PenStyle::Solid);
    corners(l - 1, t - 1, r - 1, b - 1);
}

void Painter::HealthBar(std::int32_t l, std::int32_t r, std::int32_t b, std::int32_t top, std::int32_t health) {
    C.SetPen(kBlack, 1, PenStyle::Clear);
    C.SetBrush(kBlack, BrushStyle::Solid);
    C.Rectangle(l + 5, top, r - 5, b - 1);
    C.SetBrush(HealthColor(health), BrushStyle::Solid);
    const std::int64_t length = std::int64_t{r - l - 10} * health / 100;
    C.Rectangle(l + 5, top, static_cast<std::int32_t>(std::clamp<std::int64_t>(l + 7 + length, -SW, 2 * std::int64_t{SW})), b - 1);
}

void Painter::DrawTankMarks(const GameObjectType& t) {
    const PixelXY centre = TankCentre(t, Lib());
    const std::int64_t cx = ScreenX(centre.X), cy = ScreenY(centre.Y);
    const std::int64_t l = cx - G().CellWidth / 2, top = cy - G().CellHeight / 2;
    const std::int64_t r = l + G().CellWidth - 2, b = top + G().CellHeight - 2;
    if (r < 0 || b < 0 || l > SW || top > SH) return;
    const auto L = static_cast<std::int32_t>(l), T = static_cast<std::int32_t>(top);
    const auto R = static_cast<std::int32_t>(r), B = static_cast<std::int32_t>(b);
    Brackets(L, T, R, B, 1);
    HealthBar(L, R, B, B - 6, t.Health);
}

void Painter::DrawBuildingMarks() {
    GameType& g = G();
    if (g.SelectedBuilding < 0) return;
    const GameCellObjectType* o = ObjectAt(g, g.SelectedBuilding);
    if (!o) {
        // The selected building is gone (destroyed since it was picked).
        g.SelectedBuilding = -1;
        return;
    }
    std::int32_t w = 0, h = 0;
    if (!ImageSize(Lib(), o->Image, w, h)) return;
    const CellXY a = CellOfIndex(g, g.SelectedBuilding);
    const std::int64_t l = std::int64_t{a.X} * g.CellWidth - g.ViewX, top = std::int64_t{a.Y} * g.CellHeight - g.ViewY;
    const std::int64_t r = l + w - 1, b = top + h - 1;
    if (r < 0 || b < 0 || l > SW || top > SH) return;
    const auto L = static_cast<std::int32_t>(l), T = static_cast<std::int32_t>(top);
    const auto R = static_cast<std::int32_t>(r), B = static_cast<std::int32_t>(b);
    if (o->Kind() == KindBuilding) {
        const char* name = o->BuildingType() == BuildingHeadquarters ? "Headquarters"
                           : o->BuildingType() == BuildingFactory    ? "Factory"
                                                                     : "Building";
        C.SetBrush(kBlack, BrushStyle::Clear);
        C.SetTextColor(o->Side() == SidePlayer ? kYellow : (o->Side() == SideComputer ? kMaroon : kSilver));
        C.TextOut((L + R) / 2 - C.TextWidth(name) / 2, T, name);
    }
    Brackets(L, T, R, B, 2);
    HealthBar(L, R, B, B - 7, o->Health);
}

void Painter::DrawBand() {
    const RunState& run = Run();
    if (run.DragStartX < 0) return;
    const auto sx = static_cast<std::int32_t>(ScreenX(run.DragStartX)), sy = static_cast<std::int32_t>(ScreenY(run.DragStartY));
    const auto ex = static_cast<std::int32_t>(ScreenX(run.DragX)), ey = static_cast<std::int32_t>(ScreenY(run.DragY));
    C.SetBrush(kBlack, BrushStyle::Clear);
    C.SetPen(kBlack, 1, PenStyle::Solid);
    C.Rectangle(sx, sy, ex, ey);
    C.SetPen(kWhite, 1, PenStyle::Solid);
    C.Rectangle(sx - 1, sy - 1, ex - 1, ey - 1);
}

void Painter::DrawInfoLabels() {
    auto& labels = G().InfoLabels;
    for (auto i = static_cast<std::ptrdiff_t>(labels.size()) - 1; i >= 0; --i)
        if (labels[static_cast<std::size_t>(i)].Life < 0) {
            labels.erase(labels.begin() + i);
            break;
        }
    for (InfoLabelType& label : labels) {
        if (label.Life < 0) continue;
        const std::int64_t x = ScreenX(label.X), y = ScreenY(label.Y);
        if (x > 0 && x < SW && y > 0 && y < SH) {
            const auto sx = static_cast<std::int32_t>(x), sy = static_cast<std::int32_t>(y);
            C.SetBrush(kBlack, BrushStyle::Clear);
            C.SetTextColor(kBlack);
            C.TextOut(sx + 1, sy + 1, label.Text);
            C.SetTextColor(FromColor(label.Color));
            C.TextOut(sx, sy, label.Text);
        }
        --label.Life;
        if (label.Direction >= 0 && label.Direction < static_cast<std::int32_t>(kLabelDrift.size())) {
            const PixelXY d = kLabelDrift[static_cast<std::size_t>(label.Direction)];
            label.X = WrapAdd(label.X, d.X);
            label.Y = WrapAdd(label.Y, d.Y);
        }
    }
}

void Painter::DrawMissionHint() {
    RunState& run = Run();
    if (run.Outcome != OutcomeRunning || run.BannerTime <= 0) return;
    --run.BannerTime;
    // The hint blinks during its last 50 frames.
    if (run.BannerTime % 10 == 0 && run.BannerTime <= 50) return;
    const std::string line1 = "Mission: " + MissionText(G().Mission);
    const std::string line2 = "Destroy enemy's buildings and tanks to get money for producing tanks";
    C.SetBrush(kBlack, BrushStyle::Clear);
    const std::int32_t h = C.TextHeight(MissionText(G().Mission));
    C.SetTextColor(kBlack);
    C.TextOut(2, 2, line1);
    C.TextOut(2, h + 2, line2);
    C.SetTextColor(kYellow);
    C.TextOut(0, 0, line1);
    C.TextOut(0, h, line2);
}

}  // namespace

CellRange VisibleRange(const GameType& g, std::int32_t surfaceWidth, std::int32_t surfaceHeight) {
    CellRange r;
    if (g.CellWidth <= 0 || g.CellHeight <= 0) return r;
    const std::int64_t vx = g.ViewX / g.CellWidth, vy = g.ViewY / g.CellHeight;
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

FrameResult DrawFrame(SimContext& ctx, Canvas& canvas, const FrameOptions& options) {
    FrameResult result;
    if (!canvas.CanDraw()) return result;
    try {
        if (ctx.Run.EditMode || !ctx.Run.TitleShown) {
            Painter painter{ctx, canvas, options, ctx.Run.DisplayWidth, ctx.Run.DisplayHeight};
            painter.DrawWorld();
            painter.DrawOverlay();
        } else {
            // The battlefield stands still under the title.
            result.OfferLoadGame = DrawTitle(ctx.Run, canvas, ctx.Run.DisplayWidth, ctx.Run.DisplayHeight);
        }
        canvas.Flip();
    } catch (const std::exception&) {
        // A frame that cannot be finished (out of memory for a text, a canvas
        // failure) is dropped; the next tick draws afresh.
    }
    return result;
}

}  // namespace tavrine
