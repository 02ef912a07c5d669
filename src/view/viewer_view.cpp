#include "view/viewer_view.h"

#include <algorithm>

#include "view/minimap.h"

namespace tavrine {

FrameOptions::Origin ViewerView::Seen(const GameType& g) const {
    return shown_ ? *shown_ : FrameOptions::Origin{g.ViewX, g.ViewY};
}

bool ViewerView::MoveTo(const GameType& g, const RunState& run, std::int64_t x, std::int64_t y) {
    // As ClampView keeps the game's view: inside the map, a small map centred.
    const std::int64_t w = run.DisplayWidth, h = run.DisplayHeight;
    x = std::max<std::int64_t>(x, 0);
    y = std::max<std::int64_t>(y, 0);
    if (x + w > g.MapWidth) x = g.MapWidth - w;
    if (y + h > g.MapHeight) y = g.MapHeight - h;
    if (g.MapWidth < w) x = (g.MapWidth - w) / 2;
    if (g.MapHeight < h) y = (g.MapHeight - h) / 2;
    const FrameOptions::Origin to{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
    const FrameOptions::Origin from = Seen(g);
    shown_ = to;
    return to.X != from.X || to.Y != from.Y;
}

bool ViewerView::Scroll(const GameType& g, const RunState& run, std::uint8_t arrows, std::int32_t mouseX,
                        std::int32_t mouseY) {
    const std::int32_t step = run.ScrollStep;
    std::int64_t dx = 0, dy = 0;
    if (arrows) {
        dx = ((arrows & ArrowRight) ? step : 0) - ((arrows & ArrowLeft) ? step : 0);
        dy = ((arrows & ArrowDown) ? step : 0) - ((arrows & ArrowUp) ? step : 0);
    } else if (mouseX >= 0 && mouseY >= 0) {
        dx = mouseX == 0 ? -step : (mouseX >= run.DisplayWidth - 1 ? step : 0);
        dy = mouseY == 0 ? -step : (mouseY >= run.DisplayHeight - 1 ? step : 0);
    }
    if (dx == 0 && dy == 0) return false;
    const FrameOptions::Origin from = Seen(g);
    return MoveTo(g, run, from.X + dx, from.Y + dy);
}

void ViewerView::MinimapPress(const GameType& g, const RunState& run, std::int32_t x, std::int32_t y) {
    const std::int32_t zoom = MinimapZoom(run);
    MoveTo(g, run, std::int64_t{x / zoom} * g.CellWidth - run.DisplayWidth / 2,
           std::int64_t{y / zoom} * g.CellHeight - run.DisplayHeight / 2);
}

std::optional<CellRect> ViewerView::MinimapFrame(const GameType& g, const RunState& run) const {
    if (!shown_ || g.CellWidth <= 0 || g.CellHeight <= 0) return std::nullopt;
    return ViewFrameCells(g, run, shown_->X, shown_->Y);
}

}  // namespace tavrine
