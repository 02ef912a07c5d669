#include "autopilot_hands.h"

#include <algorithm>
#include <array>
#include <cstdlib>


namespace tavrine {

namespace {

/// Pixels kept clear of the screen's edges and of the panels. The pointer may
/// pass over the edges between ticks: edge scrolling looks only at where it
/// rests when the tick comes, and the hands always leave it away from them.
constexpr std::int32_t kEdgeMargin = 2;
/// Pixels a band reaches beyond the tank centres it is drawn around: more than
/// half a tank picture, so the press lands beside the outermost tanks.
constexpr std::int32_t kBandMargins[] = {20, 32, 46};

struct ScreenRect {
    std::int32_t Left, Top, Right, Bottom;
    bool Contains(const ScreenRect& r) const { return r.Left >= Left && r.Top >= Top && r.Right <= Right && r.Bottom <= Bottom; }
    bool Meets(const ScreenRect& r) const { return r.Left <= Right && r.Right >= Left && r.Top <= Bottom && r.Bottom >= Top; }
};

std::int32_t StatusTop(const RunState& run, const PanelState& p) {
    return p.StatusBarTop > 0 ? p.StatusBarTop : run.DisplayHeight - p.StatusBarHeight - 1;
}

ScreenRect Usable(const RunState& run, const PanelState& p) {
    return {kEdgeMargin, kEdgeMargin, run.DisplayWidth - 1 - kEdgeMargin, StatusTop(run, p) - kEdgeMargin};
}

/// The minimap panel grown by the margin; empty (never met) while hidden.
ScreenRect MinimapArea(const PanelState& p) {
    if (!p.MinimapVisible) return {1, 1, 0, 0};
    return {p.MinimapLeft - kEdgeMargin, p.MinimapTop - kEdgeMargin, p.MinimapLeft + p.MinimapWidth + kEdgeMargin,
            p.MinimapTop + p.MinimapHeight + kEdgeMargin};
}

bool Free(const RunState& run, const PanelState& p, const ScreenRect& r) {
    const ScreenRect minimap = MinimapArea(p);
    return Usable(run, p).Contains(r) && !(minimap.Left <= minimap.Right && minimap.Meets(r));
}

/// The larger of the free strips left of the minimap and above it (the whole
/// usable screen while the minimap is hidden), as width and height.
std::pair<std::int32_t, std::int32_t> FreeStrip(const RunState& run, const PanelState& p) {
    const ScreenRect u = Usable(run, p);
    const std::int32_t full = std::max(u.Right - u.Left, 0), height = std::max(u.Bottom - u.Top, 0);
    if (!p.MinimapVisible) return {full, height};
    const ScreenRect m = MinimapArea(p);
    const std::int32_t left = std::clamp(m.Left - u.Left, 0, full), above = std::clamp(m.Top - u.Top, 0, height);
    return left * height >= full * above ? std::pair{left, height} : std::pair{full, above};
}

}  // namespace

std::int32_t AutopilotHands::BandWidth() const { return FreeStrip(game_.Run(), game_.View().Panels).first; }

std::int32_t AutopilotHands::BandHeight() const { return FreeStrip(game_.Run(), game_.View().Panels).second; }

std::optional<PixelXY> AutopilotHands::Show(std::int32_t x, std::int32_t y, std::int32_t marginX, std::int32_t marginY) {
    const GameType& g = game_.Record();
    RunState& run = game_.Run();
    const PanelState& p = game_.View().Panels;
    const auto fits = [&] {
        const std::int32_t sx = x - g.ViewX, sy = y - g.ViewY;
        return Free(run, p, {sx - marginX, sy - marginY, sx + marginX, sy + marginY});
    };
    if (fits()) return PixelXY{x - g.ViewX, y - g.ViewY};

    // Screen points to bring the point to: the middle of the usable screen, of
    // the strip left of the minimap, of the strip above it, and their quarters.
    const ScreenRect u = Usable(run, p), m = MinimapArea(p);
    const std::int32_t midX = (u.Left + u.Right) / 2, midY = (u.Top + u.Bottom) / 2;
    const std::int32_t leftX = p.MinimapVisible ? (u.Left + std::clamp(m.Left, u.Left, u.Right)) / 2 : midX;
    const std::int32_t upY = p.MinimapVisible ? (u.Top + std::clamp(m.Top, u.Top, u.Bottom)) / 2 : midY;
    const std::array<PixelXY, 7> spots{{{midX, midY},
                                        {leftX, midY},
                                        {midX, upY},
                                        {leftX, upY},
                                        {(u.Left + leftX) / 2, (u.Top + midY) / 2},
                                        {(u.Left + leftX) / 2, (midY + u.Bottom) / 2},
                                        {(leftX + u.Right) / 2, (u.Top + upY) / 2}}};
    const std::int32_t zoom = run.MinimapZoom2 ? 2 : 1;
    for (const PixelXY& spot : spots) {
        // A minimap click puts the clicked cell's corner in the middle of the
        // surface; pick the cell that brings (x, y) to `spot`.
        const std::int32_t cx = std::clamp((x - spot.X + run.DisplayWidth / 2 + g.CellWidth / 2) / g.CellWidth, 0, g.Columns - 1);
        const std::int32_t cy = std::clamp((y - spot.Y + run.DisplayHeight / 2 + g.CellHeight / 2) / g.CellHeight, 0, g.Rows - 1);
        commands_.MiniMapMouseDown(cx * zoom, cy * zoom);
        ++counts_.MapClicks;
        if (fits()) return PixelXY{x - g.ViewX, y - g.ViewY};
    }
    return std::nullopt;
}

bool AutopilotHands::PressHits(std::int32_t x, std::int32_t y) const {
    const GameType& g = game_.Record();
    if (x < 0 || y < 0 || g.CellWidth <= 0 || g.CellHeight <= 0) return false;
    const std::int32_t cx = x / g.CellWidth, cy = y / g.CellHeight;
    if (!g.OnMap(cx, cy) || (g.Cell(cx, cy).Hidden && !game_.Run().EditMode)) return false;
    for (std::int32_t ax = std::max(cx - 2, 0); ax <= std::min(cx + 2, g.Columns - 1); ++ax)
        for (std::int32_t ay = std::max(cy - 2, 0); ay <= std::min(cy + 2, g.Rows - 1); ++ay) {
            const GameCellType& c = g.Cell(ax, ay);
            if (c.Occupancy == CellTank) {
                const GameObjectType* t = TankAt(g, c.Occupant);
                if (t && TankHit(*t, game_.Library(), x, y)) return true;
            } else if (c.Occupancy == CellObject && ValidCellIndex(g, c.Occupant)) {
                const CellXY a = CellOfIndex(g, c.Occupant);
                const GameCellObjectType* o = ObjectAt(g, c.Occupant);
                if (o && ObjectHit(g, game_.Library(), *o, a.X, a.Y, x, y)) return true;
            }
        }
    return false;
}

void AutopilotHands::Press(std::int32_t sx, std::int32_t sy, bool shift) {
    commands_.DXDrawMouseMove(false, sx, sy);
    commands_.DXDrawMouseDown(MouseButton::Left, sx, sy, shift);
    ++counts_.Presses;
}

std::int32_t AutopilotHands::BandSelect(const MapRect& centres) {
    const GameType& g = game_.Record();
    const RunState& run = game_.Run();
    const PanelState& p = game_.View().Panels;
    const std::int32_t cx = (centres.Left + centres.Right) / 2, cy = (centres.Top + centres.Bottom) / 2;
    const std::int32_t halfW = (centres.Right - centres.Left + 1) / 2 + 2, halfH = (centres.Bottom - centres.Top + 1) / 2 + 2;
    // The centres themselves must be on the free part of the screen.
    if (!Show(cx, cy, halfW, halfH)) return -1;
    const ScreenRect u = Usable(run, p);
    for (const std::int32_t margin : kBandMargins) {
        // The band reaches `margin` beyond the centres where the screen allows:
        // a press there lands beside the outermost tanks, not on them.
        const ScreenRect band{std::max(centres.Left - g.ViewX - margin, u.Left), std::max(centres.Top - g.ViewY - margin, u.Top),
                              std::min(centres.Right - g.ViewX + margin, u.Right), std::min(centres.Bottom - g.ViewY + margin, u.Bottom)};
        const std::array<std::array<std::int32_t, 2>, 4> corners{
            {{band.Left, band.Top}, {band.Right, band.Top}, {band.Left, band.Bottom}, {band.Right, band.Bottom}}};
        for (std::size_t k = 0; k < corners.size(); ++k) {
            const auto [px, py] = corners[k];
            const auto [rx, ry] = corners[3 - k];
            if (!Free(run, p, {px, py, px, py}) || !Free(run, p, {rx, ry, rx, ry})) continue;
            if (PressHits(px + g.ViewX, py + g.ViewY)) continue;
            Press(px, py);
            commands_.DXDrawMouseMove(true, rx, ry);
            commands_.DXDrawMouseUp(MouseButton::Left, rx, ry);
            Park();
            ++counts_.Bands;
            std::int32_t selected = 0;
            for (const auto& t : g.Tanks) selected += t->Selected && t->Side() == SidePlayer;
            return selected;
        }
    }
    return -1;
}

bool AutopilotHands::Click(std::int32_t x, std::int32_t y, bool shift) {
    const std::optional<PixelXY> s = Show(x, y, 4, 4);
    if (!s) return false;
    Press(s->X, s->Y, shift);
    commands_.DXDrawMouseUp(MouseButton::Left, s->X, s->Y, shift);
    Park();
    return true;
}

void AutopilotHands::Key(GameKey key) {
    commands_.FormKeyDown(key, false);
    commands_.FormKeyUp(key);
    ++counts_.Keys;
}

bool AutopilotHands::SetRally(std::int32_t factory, std::int32_t cell) {
    const GameType& g = game_.Record();
    if (!ValidCellIndex(g, factory) || !ValidCellIndex(g, cell)) return false;
    const CellXY a = CellOfIndex(g, factory);
    const GameCellObjectType* o = g.Cell(a.X, a.Y).Object.get();
    if (!o) return false;
    std::int32_t w = 0, h = 0;
    ImageSize(game_.Library(), o->Image, w, h);
    if (!Click(a.X * g.CellWidth + w / 2, a.Y * g.CellHeight + h / 2) || g.SelectedBuilding != factory) return false;
    // R is held from before the press to after the release, as a hand would.
    commands_.FormKeyDown(GameKey::R, false);
    const CellXY c = CellOfIndex(g, cell);
    const bool clicked = Click(c.X * g.CellWidth + g.CellWidth / 2, c.Y * g.CellHeight + g.CellHeight / 2);
    commands_.FormKeyUp(GameKey::R);
    ++counts_.Keys;
    return clicked;
}

void AutopilotHands::Park() {
    // The middle of the screen: far from every edge, never under the minimap
    // once it has been shrunk where it would cover it.
    const ScreenRect u = Usable(game_.Run(), game_.View().Panels);
    commands_.DXDrawMouseMove(false, (u.Left + u.Right) / 2, (u.Top + u.Bottom) / 2);
}

bool AutopilotHands::ClickGround(std::int32_t cell, bool shift) {
    const GameType& g = game_.Record();
    if (!ValidCellIndex(g, cell)) return false;
    const CellXY c = CellOfIndex(g, cell);
    for (std::int32_t ring = 0; ring <= 3; ++ring)
        for (std::int32_t dy = -ring; dy <= ring; ++dy)
            for (std::int32_t dx = -ring; dx <= ring; ++dx) {
                if (std::max(std::abs(dx), std::abs(dy)) != ring) continue;
                const std::int32_t x = c.X + dx, y = c.Y + dy;
                if (!g.OnMap(x, y) || (ring > 0 && !IsPassable(g, x, y, nullptr, 0))) continue;
                const std::int32_t px = x * g.CellWidth + g.CellWidth / 2, py = y * g.CellHeight + g.CellHeight / 2;
                if (!PressHits(px, py)) return Click(px, py, shift);
            }
    return false;
}

void AutopilotHands::ShrinkMinimapIfInTheWay() {
    const RunState& run = game_.Run();
    const GameType& g = game_.Record();
    if (!run.MinimapZoom2) return;
    const PanelState& p = game_.View().Panels;
    const std::int32_t width = 2 * g.Columns + 2 * kMinimapBorder, height = 2 * g.Rows + 2 * kMinimapBorder;
    const std::int32_t left = run.DisplayWidth - width - 1, top = StatusTop(run, p) - height;
    if (run.DisplayWidth / 2 + kEdgeMargin >= left && run.DisplayHeight / 2 + kEdgeMargin >= top) commands_.SpeedButton3Click();
}

}  // namespace tavrine
