// The overlay of a frame: the map editor's path, shells in flight, selection
// marks with health bars, the band, the floating labels, the mission-end text,
// the mission hint and the editing mode's diagnostic line.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "sim/combat.h"
#include "view/diagnostic_line.h"
#include "view/frame_painter.h"
#include "view/screens.h"
#include "view/keys.h"
#include "view/status.h"

namespace tavrine::frame {

namespace {

/// Pixels a shell flies per frame along its longer axis.
constexpr std::int32_t kShellStep = 15;
/// A shell closer to its target than this (dx + dy) has arrived.
constexpr std::int32_t kShellArrival = 40;

/// Label drift per frame by direction code.
constexpr std::array<PixelXY, 8> kLabelDrift = {{{-2, 0}, {0, -2}, {2, 0}, {0, 2}, {-2, -2}, {2, -2}, {2, 2}, {-2, 2}}};

const CanvasFont kPausedFont{"Impact", 24, true};

Rgb HealthColor(std::int32_t health) { return health < 33 ? kRed : (health < 66 ? kYellow : kGreen); }

}  // namespace

void Painter::DrawOverlay() {
    C.SetFont(kMainFont);
    if (Run().EditDrawing) DrawEditorPath();
    DrawShots();
    DrawSelections();
    DrawBand();
    DrawInfoLabels();
    DrawMissionEnd(Run(), C, SW, SH, Options.StatusBarHeight, !Options.Watching);
    DrawMissionHint();
    DrawPaused();
    DrawDiagnosticLine(G(), Run(), C, Options.FrameRate, SH - Options.StatusBarHeight);
}

void Painter::DrawEditorPath() {
    const auto centre = [this](const EditPoint& p) {
        return PixelXY{static_cast<std::int32_t>(std::int64_t{p.X} * G().CellWidth + G().CellWidth / 2 - OriginX),
                       static_cast<std::int32_t>(std::int64_t{p.Y} * G().CellHeight + G().CellHeight / 2 - OriginY)};
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
    const bool frozen = Frozen();
    for (auto i = frozen ? -1 : static_cast<std::ptrdiff_t>(shots.size()) - 1; i >= 0; --i) {
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
        if (frozen) continue;
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
        if (!Options.Still) g.SelectedBuilding = -1;
        return;
    }
    std::int32_t w = 0, h = 0;
    if (!ImageSize(Lib(), o->Image, w, h)) return;
    const CellXY a = CellOfIndex(g, g.SelectedBuilding);
    const std::int64_t l = std::int64_t{a.X} * g.CellWidth - OriginX, top = std::int64_t{a.Y} * g.CellHeight - OriginY;
    const std::int64_t r = l + w - 1, b = top + h - 1;
    if (r < 0 || b < 0 || l > SW || top > SH) return;
    const auto L = static_cast<std::int32_t>(l), T = static_cast<std::int32_t>(top);
    const auto R = static_cast<std::int32_t>(r), B = static_cast<std::int32_t>(b);
    if (o->Kind() == KindBuilding) {
        const char* name = o->BuildingType() == BuildingHeadquarters ? "Headquarters"
                           : o->BuildingType() == BuildingFactory    ? "Factory"
                                                                     : "Building";
        C.SetBrush(kBlack, BrushStyle::Clear);
        OutlinedText((L + R) / 2 - C.TextWidth(name) / 2, T,
                     o->Side() == SidePlayer ? kYellow : (o->Side() == SideComputer ? kMaroon : kSilver), name);
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
    const bool frozen = Frozen();
    for (auto i = frozen ? -1 : static_cast<std::ptrdiff_t>(labels.size()) - 1; i >= 0; --i)
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
            OutlinedText(sx, sy, FromColor(label.Color), label.Text);
        }
        if (frozen) continue;
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
    if (!Frozen()) --run.BannerTime;
    // The hint blinks during its last 50 frames.
    if (run.BannerTime % 10 == 0 && run.BannerTime <= 50) return;
    const std::string line1 = "Mission: " + MissionText(G().Mission);
    const std::string line2 = "Destroy enemy's buildings and tanks to get money for producing tanks";
    C.SetBrush(kBlack, BrushStyle::Clear);
    const std::int32_t h = C.TextHeight(MissionText(G().Mission));
    C.SetTextColor(kBlack);
    C.TextOut(2, 2, line1);
    C.TextOut(2, h + 2, line2);
    OutlinedText(0, 0, kYellow, line1);
    OutlinedText(0, h, kYellow, line2);
}

void Painter::OutlinedText(std::int32_t x, std::int32_t y, Rgb color, std::string_view text) {
    // A dark colour (the computer's maroon) on a dark outline would not read on
    // its own red roof: it gets a white outline instead.
    const bool dark = color.R * 3 + color.G * 6 + color.B < 3 * 255;
    C.SetTextColor(dark ? kWhite : kBlack);
    for (std::int32_t dy = -1; dy <= 1; ++dy)
        for (std::int32_t dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0) C.TextOut(x + dx, y + dy, text);
    C.SetTextColor(color);
    C.TextOut(x, y, text);
}

void Painter::DrawPaused() {
    if (!BattlePaused(Run())) return;
    C.SetFont(kPausedFont);
    C.SetBrush(kBlack, BrushStyle::Clear);
    const std::int32_t w = C.TextWidth(kPausedText), h = C.TextHeight(kPausedText);
    // The middle of the battlefield above the status bar.
    OutlinedText((SW - w) / 2, (SH - Options.StatusBarHeight - h) / 2, kWhite, kPausedText);
    C.SetFont(kMainFont);
}

}  // namespace tavrine::frame
