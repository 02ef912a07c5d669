#include "view/minimap.h"

#include <algorithm>
#include <limits>

#include "view/scroll.h"

namespace tavrine {

namespace {

constexpr std::uint32_t kBlackPixel = 0xFF000000u;
constexpr std::uint32_t kWhitePixel = 0xFFFFFFFFu;

/// 0x00BBGGRR as an opaque 0xFFRRGGBB pixel.
std::uint32_t PixelOf(Color c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

std::int32_t Zoom(const RunState& run) { return run.MinimapZoom2 ? 2 : 1; }

/// The outline of a view frame in picture pixels, corners included.
struct Outline {
    std::int64_t Left, Top, Right, Bottom;

    bool Contains(std::int64_t x, std::int64_t y) const {
        const bool onColumn = (x == Left || x == Right) && y >= Top && y <= Bottom;
        const bool onRow = (y == Top || y == Bottom) && x >= Left && x <= Right;
        return onColumn || onRow;
    }
};

Outline OutlineOf(const CellRect& f, std::int32_t zoom) {
    return {std::int64_t{f.Left} * zoom, std::int64_t{f.Top} * zoom, std::int64_t{f.Right} * zoom + zoom - 1,
            std::int64_t{f.Bottom} * zoom + zoom - 1};
}

void SetPixel(MinimapPicture& p, std::int64_t x, std::int64_t y, std::uint32_t pixel) {
    if (x < 0 || y < 0 || x >= p.Width || y >= p.Height) return;
    p.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(p.Width) + static_cast<std::size_t>(x)] = pixel;
}

/// Paints cell (x, y) whole, or all but the pixels of `keep`.
void PaintCell(const GameType& g, const RunState& run, MinimapPicture& p, std::int32_t x, std::int32_t y, bool fog,
               const Outline* keep) {
    if (!g.OnMap(x, y)) return;
    const std::uint32_t pixel = PixelOf(MinimapCellColor(g, run, x, y, fog));
    const std::int32_t zoom = Zoom(run);
    for (std::int32_t dy = 0; dy < zoom; ++dy)
        for (std::int32_t dx = 0; dx < zoom; ++dx) {
            const std::int64_t px = std::int64_t{x} * zoom + dx, py = std::int64_t{y} * zoom + dy;
            if (keep && keep->Contains(px, py)) continue;
            SetPixel(p, px, py, pixel);
        }
}

void DrawOutline(MinimapPicture& p, const Outline& o) {
    // Only the part that lies on the picture; a frame for a centred map may
    // start left of it.
    const std::int64_t left = std::max<std::int64_t>(o.Left, 0), right = std::min<std::int64_t>(o.Right, p.Width - 1);
    const std::int64_t top = std::max<std::int64_t>(o.Top, 0), bottom = std::min<std::int64_t>(o.Bottom, p.Height - 1);
    for (std::int64_t x = left; x <= right; ++x) {
        SetPixel(p, x, o.Top, kWhitePixel);
        SetPixel(p, x, o.Bottom, kWhitePixel);
    }
    for (std::int64_t y = top; y <= bottom; ++y) {
        SetPixel(p, o.Left, y, kWhitePixel);
        SetPixel(p, o.Right, y, kWhitePixel);
    }
}

std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void Rebuild(const GameType& g, RunState& run, ViewState& view) {
    MinimapPicture& p = view.Minimap;
    PanelState& panels = view.Panels;
    const std::int32_t zoom = Zoom(run);
    p.Width = std::max(g.Columns, 0) * zoom;
    p.Height = std::max(g.Rows, 0) * zoom;
    p.Pixels.assign(static_cast<std::size_t>(p.Width) * static_cast<std::size_t>(p.Height), kBlackPixel);
    if (!run.TitleShown) panels.MinimapVisible = true;
    const MinimapSize shown = MinimapShownSize(g, run, panels);
    panels.MinimapShownWidth = shown.Width;
    panels.MinimapShownHeight = shown.Height;
    panels.MinimapWidth = shown.Width + 2 * kMinimapBorder;
    panels.MinimapHeight = shown.Height + 2 * kMinimapBorder;
    panels.MinimapLeft = run.DisplayWidth - panels.MinimapWidth - 1;
    panels.MinimapTop = panels.StatusBarTop - panels.MinimapHeight;
    run.MinimapState = 1;
    run.MinimapRowUp = -1;
    run.MinimapRowDown = 0;
    run.MinimapFrame = CellRect{};
    p.FrameShown = false;
}

/// The first of `shownSize` shown pixels whose picture pixel lies at or beyond
/// `picture` (`shownSize` when none does).
std::int32_t FirstShownAtOrAfter(std::int64_t picture, std::int32_t shownSize, std::int32_t pictureSize) {
    std::int32_t low = 0, high = shownSize;
    while (low < high) {
        const std::int32_t mid = low + (high - low) / 2;
        if (ShownToPicture(mid, shownSize, pictureSize) >= picture) high = mid;
        else low = mid + 1;
    }
    return low;
}

/// The view frame drawn again onto a picture shown scaled down: each of its
/// sides on the shown row or column nearest inside it, so it stays whole where
/// the scaling skips picture rows and columns.
void DrawShownFrame(const MinimapPicture& picture, std::int32_t width, std::int32_t height, std::uint32_t* out) {
    const auto shownSide = [](std::int64_t v, std::int32_t shownSize, std::int32_t pictureSize, bool last) {
        const std::int32_t at = FirstShownAtOrAfter(v + (last ? 1 : 0), shownSize, pictureSize);
        return last ? at - 1 : at;
    };
    const std::int32_t left = shownSide(picture.FrameLeft, width, picture.Width, false);
    const std::int32_t top = shownSide(picture.FrameTop, height, picture.Height, false);
    // A frame narrower than the spacing of the shown pixels still gets one.
    const std::int32_t right = std::max(left, shownSide(picture.FrameRight, width, picture.Width, true));
    const std::int32_t bottom = std::max(top, shownSide(picture.FrameBottom, height, picture.Height, true));
    const auto set = [&](std::int32_t x, std::int32_t y) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            out[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = kWhitePixel;
    };
    // Like the frame on the picture: only the sides that lie on it.
    for (std::int32_t x = std::max(left, 0); x <= std::min(right, width - 1); ++x) {
        if (picture.FrameTop >= 0) set(x, top);
        if (picture.FrameBottom < picture.Height) set(x, bottom);
    }
    for (std::int32_t y = std::max(top, 0); y <= std::min(bottom, height - 1); ++y) {
        if (picture.FrameLeft >= 0) set(left, y);
        if (picture.FrameRight < picture.Width) set(right, y);
    }
}

}  // namespace

Color MinimapCellColor(const GameType& g, const RunState& run, std::int32_t x, std::int32_t y, bool editorFogShown) {
    const GameCellType& cell = g.Cell(x, y);
    const bool fog = (!run.EditMode && run.Outcome != OutcomeAccomplished) || editorFogShown;
    return cell.Hidden && fog ? 0 : cell.MinimapColor;
}

void DrawMinimapRow(const GameType& g, const RunState& run, MinimapPicture& picture, std::int32_t y, bool editorFogShown) {
    if (y < 0 || y >= g.Rows) return;
    const Outline keep = OutlineOf(run.MinimapFrame, Zoom(run));
    for (std::int32_t x = 0; x < g.Columns; ++x) PaintCell(g, run, picture, x, y, editorFogShown, &keep);
}

CellRect ViewFrameCells(const GameType& g, const RunState& run, std::int32_t originX, std::int32_t originY) {
    return CellRect{originX / g.CellWidth, originY / g.CellHeight,
                    std::min(run.DisplayWidth / g.CellWidth + originX / g.CellWidth, g.Columns - 1),
                    std::min(run.DisplayHeight / g.CellHeight + originY / g.CellHeight, g.Rows - 1)};
}

std::int32_t MinimapZoom(const RunState& run) { return Zoom(run); }

MinimapSize MinimapShownSize(const GameType& g, const RunState& run, const PanelState& panels) {
    const std::int64_t perCell = std::int64_t{Zoom(run)} * std::max(panels.Scale, 1);
    const std::int64_t w = std::max<std::int64_t>(g.Columns, 0) * perCell;
    const std::int64_t h = std::max<std::int64_t>(g.Rows, 0) * perCell;
    const std::int64_t aboveStatusBar = std::int64_t{run.DisplayHeight} - panels.StatusBarHeight - 1;
    const std::int64_t maxW = std::max<std::int64_t>(run.DisplayWidth / 3 - 2 * kMinimapBorder, 1);
    const std::int64_t maxH = std::max<std::int64_t>(aboveStatusBar / 3 - 2 * kMinimapBorder, 1);
    if (w <= 0 || h <= 0 || (w <= maxW && h <= maxH)) return {Clamp32(w), Clamp32(h)};
    // Scaled down as a whole, the map's shape kept: the side that overshoots
    // more meets its bound.
    if (w * maxH >= h * maxW) return {Clamp32(maxW), Clamp32(std::max<std::int64_t>(h * maxW / w, 1))};
    return {Clamp32(std::max<std::int64_t>(w * maxH / h, 1)), Clamp32(maxH)};
}

std::int32_t ShownToPicture(std::int32_t shown, std::int32_t shownSize, std::int32_t pictureSize) {
    if (shownSize <= 0 || pictureSize <= 0) return 0;
    // The picture pixel under the shown pixel's centre, so both edges are shown.
    const std::int64_t v = (2 * std::int64_t{std::clamp(shown, 0, shownSize - 1)} + 1) * pictureSize / (2 * std::int64_t{shownSize});
    return static_cast<std::int32_t>(v);
}

void ScaleMinimap(const MinimapPicture& picture, std::int32_t width, std::int32_t height, std::uint32_t* out) {
    if (width <= 0 || height <= 0 || picture.Width <= 0 || picture.Height <= 0) return;
    std::vector<std::int32_t> columns(static_cast<std::size_t>(width));
    for (std::int32_t x = 0; x < width; ++x) columns[static_cast<std::size_t>(x)] = ShownToPicture(x, width, picture.Width);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint32_t* row =
            picture.Pixels.data() + static_cast<std::size_t>(ShownToPicture(y, height, picture.Height)) * picture.Width;
        std::uint32_t* to = out + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (std::int32_t x = 0; x < width; ++x) to[x] = row[columns[static_cast<std::size_t>(x)]];
    }
    if (picture.FrameShown && (width < picture.Width || height < picture.Height)) DrawShownFrame(picture, width, height, out);
}

void UpdateViewFrame(const GameType& g, RunState& run, MinimapPicture& picture, bool editorFogShown) {
    if (run.MinimapState != 2 || g.CellWidth <= 0 || g.CellHeight <= 0) return;
    const CellRect now = ViewFrameCells(g, run, g.ViewX, g.ViewY);
    if (now == run.MinimapFrame) return;

    const CellRect& old = run.MinimapFrame;
    const std::int32_t left = std::max(old.Left, 0), top = std::max(old.Top, 0);
    const std::int32_t right = std::min(old.Right, g.Columns - 1), bottom = std::min(old.Bottom, g.Rows - 1);
    for (std::int32_t x = left; x <= right; ++x) {
        PaintCell(g, run, picture, x, top, editorFogShown, nullptr);
        PaintCell(g, run, picture, x, bottom, editorFogShown, nullptr);
    }
    for (std::int32_t y = top; y <= bottom; ++y) {
        PaintCell(g, run, picture, left, y, editorFogShown, nullptr);
        PaintCell(g, run, picture, right, y, editorFogShown, nullptr);
    }

    run.MinimapFrame = now;
    const Outline outline = OutlineOf(now, Zoom(run));
    DrawOutline(picture, outline);
    picture.FrameShown = true;
    picture.FrameLeft = outline.Left;
    picture.FrameTop = outline.Top;
    picture.FrameRight = outline.Right;
    picture.FrameBottom = outline.Bottom;
}

void UpdateMinimap(const GameType& g, RunState& run, ViewState& view, bool editorFogShown) {
    if (run.MinimapState == 0) {
        Rebuild(g, run, view);
        return;
    }
    // A picture of another size than the map (a map replaced without a rebuild
    // request) is rebuilt rather than painted out of bounds.
    const std::int32_t zoom = Zoom(run);
    if (view.Minimap.Width != std::max(g.Columns, 0) * zoom || view.Minimap.Height != std::max(g.Rows, 0) * zoom) {
        Rebuild(g, run, view);
        return;
    }
    if (run.MinimapRowUp < 0) {
        run.MinimapRowUp = g.Rows / 2;
        run.MinimapRowDown = run.MinimapRowUp + 1;
    }
    DrawMinimapRow(g, run, view.Minimap, run.MinimapRowUp, editorFogShown);
    DrawMinimapRow(g, run, view.Minimap, run.MinimapRowDown, editorFogShown);
    if (run.MinimapRowUp == 0) run.MinimapState = 2;
    UpdateViewFrame(g, run, view.Minimap, editorFogShown);
    --run.MinimapRowUp;
    ++run.MinimapRowDown;
}

void FitMinimapZoom(const GameType& g, RunState& run, const PanelState& panels) {
    const std::int64_t panelWidth = 2 * std::int64_t{g.Columns} + 2 * kMinimapBorder;
    const std::int64_t panelHeight = 2 * std::int64_t{g.Rows} + 2 * kMinimapBorder;
    const std::int64_t aboveStatusBar = std::int64_t{run.DisplayHeight} - panels.StatusBarHeight - 1;
    run.MinimapZoom2 = 3 * panelWidth <= run.DisplayWidth && 2 * panelHeight <= aboveStatusBar ? 1 : 0;
}

void ToggleMinimapZoom(RunState& run) {
    run.MinimapZoom2 = run.MinimapZoom2 ? 0 : 1;
    run.MinimapState = 0;
}

void MiniMapMouseDown(GameType& g, RunState& run, std::int32_t x, std::int32_t y) {
    const std::int32_t zoom = Zoom(run);
    const std::int64_t cx = x / zoom, cy = y / zoom;
    ScrollBy(g, run, Clamp32(cx * g.CellWidth - run.DisplayWidth / 2 - g.ViewX),
             Clamp32(cy * g.CellHeight - run.DisplayHeight / 2 - g.ViewY));
}

void MiniMapMouseMove(GameType& g, RunState& run, std::int32_t x, std::int32_t y, bool leftButtonDown) {
    run.ScrollDX = 0;
    run.ScrollDY = 0;
    if (leftButtonDown) MiniMapMouseDown(g, run, x, y);
}

}  // namespace tavrine
