#include "game/replay_viewer.h"

#include <algorithm>
#include <utility>

#include "view/keys.h"
#include "view/minimap.h"
#include "view/panel_layout.h"
#include "view/status.h"

namespace tavrine {

namespace {

constexpr Rgb kPointerColor{255, 255, 255};
constexpr Rgb kViewerColor{255, 255, 0};
/// The pointer cross reaches this many pixels from its middle each way.
constexpr std::int32_t kPointerArm = 6;
/// The status line's distance from the top right corner; the mission hint is at
/// the top left, which the line must leave readable.
constexpr std::int32_t kStatusMargin = 8;

}  // namespace

ReplayViewer::ReplayViewer(Game& game, ScriptHost& host, Replay replay)
    : game_(game), player_(game, host, std::move(replay)) {}

bool ReplayViewer::Start(std::string& error) {
    if (!player_.Start(error)) return false;
    // The window's display set-up blackened the picture for the title's fade-in;
    // a battle recorded without fades plays none, so it would stay black.
    if (!player_.Recorded().Start.Fades) game_.RestoreGamma();
    return true;
}

bool ReplayViewer::Key(GameKey key, bool down) {
    if (const std::uint8_t arrow = ArrowOf(key)) {
        arrows_ = down ? arrows_ | arrow : arrows_ & ~arrow;
        return false;
    }
    if (!down) return false;
    switch (key) {
        case GameKey::Space: paused_ = !paused_; break;
        case GameKey::Plus: speed_ = std::min(speed_ * 2, kReplayTopSpeed); break;
        case GameKey::Minus: speed_ = std::max(speed_ / 2, 1); break;
        case GameKey::F:
            view_.Follow();
            moved_ = true;
            break;
        case GameKey::Escape: return true;
        default: break;
    }
    return false;
}

void ReplayViewer::Mouse(std::int32_t x, std::int32_t y, bool leftHeld, bool press) {
    const PanelState& panels = game_.View().Panels;
    if (press) dragsMinimap_ = PanelHitTest(panels, x, y) == PanelPart::Minimap;
    if (!leftHeld) dragsMinimap_ = false;
    mouseX_ = dragsMinimap_ ? -1 : x;
    mouseY_ = dragsMinimap_ ? -1 : y;
    if (!dragsMinimap_ || !panels.MinimapVisible) return;
    // The minimap may be shown scaled: the picture pixel drawn under the mouse.
    const PanelRect picture = MinimapPictureRect(panels);
    const MinimapPicture& minimap = game_.View().Minimap;
    view_.MinimapPress(game_.Record(), game_.Run(),
                       ShownToPicture(x - picture.Left, panels.MinimapShownWidth, minimap.Width),
                       ShownToPicture(y - picture.Top, panels.MinimapShownHeight, minimap.Height));
    moved_ = true;
}

void ReplayViewer::MouseAway() {
    mouseX_ = -1;
    mouseY_ = -1;
}

void ReplayViewer::Frame() {
    const Game& game = game_;
    if (view_.Scroll(game.Record(), game.Run(), arrows_, mouseX_, mouseY_)) moved_ = true;
    FrameOptions& options = game_.DrawOptions();
    options.ShownOrigin = view_.Shown();
    options.Watching = true;
    bool ticked = false;
    for (int i = 0; i < speed_ && !paused_; ++i) {
        if (!player_.Step()) break;
        ticked = true;
    }
    if (!ticked && moved_ && !game.Run().TitleShown) {
        // Paused or over: the picture moves with the viewer, the battle stands.
        options.Still = true;
        game_.DrawFrame();
        options.Still = false;
    }
    moved_ = false;
}

std::string ReplayViewer::StatusText() const {
    if (player_.Over()) return "Replay over - Escape leaves";
    if (paused_) return "Replay paused - Space goes on";
    if (speed_ > 1) return "Replay x" + std::to_string(speed_);
    return {};
}

void ReplayViewer::DrawOverlay(Canvas& canvas) const {
    const GameType& g = game_.Record();
    const RunState& run = game_.Run();
    const PanelState& panels = game_.View().Panels;

    // The replayed player's pointer: a cross where their mouse was last, on the
    // part of the map the viewer looks at.
    const FrameOptions::Origin seen = view_.Seen(g);
    const std::int32_t x = run.MouseMapX - seen.X, y = run.MouseMapY - seen.Y;
    canvas.SetPen(kPointerColor, 1, PenStyle::Solid);
    canvas.MoveTo(x - kPointerArm, y);
    canvas.LineTo(x + kPointerArm + 1, y);
    canvas.MoveTo(x, y - kPointerArm);
    canvas.LineTo(x, y + kPointerArm + 1);

    // The viewer's own view on the minimap, beside the player's white frame, kept
    // inside the minimap's picture.
    if (const auto cells = view_.MinimapFrame(g, run); cells && panels.MinimapVisible) {
        const std::int32_t zoom = MinimapZoom(run);
        const PanelRect picture = MinimapPictureRect(panels);
        // Picture pixels to shown ones: the minimap may be shown scaled.
        const MinimapPicture& minimap = game_.View().Minimap;
        const auto sx = [&](std::int64_t v) {
            return static_cast<std::int32_t>(minimap.Width > 0 ? v * panels.MinimapShownWidth / minimap.Width : v);
        };
        const auto sy = [&](std::int64_t v) {
            return static_cast<std::int32_t>(minimap.Height > 0 ? v * panels.MinimapShownHeight / minimap.Height : v);
        };
        const std::int32_t left = std::max(picture.Left + sx(std::int64_t{cells->Left} * zoom), picture.Left);
        const std::int32_t top = std::max(picture.Top + sy(std::int64_t{cells->Top} * zoom), picture.Top);
        const std::int32_t right =
            std::min(picture.Left + sx((std::int64_t{cells->Right} + 1) * zoom), picture.Left + picture.Width);
        const std::int32_t bottom =
            std::min(picture.Top + sy((std::int64_t{cells->Bottom} + 1) * zoom), picture.Top + picture.Height);
        canvas.SetBrush(kViewerColor, BrushStyle::Clear);
        canvas.SetPen(kViewerColor, 1, PenStyle::Solid);
        if (left < right && top < bottom) canvas.Rectangle(left, top, right, bottom);
    }

    // The status line, and under it the skirmish's map, so a viewer can play it too.
    canvas.SetFont(CanvasFont{});
    canvas.SetBrush(kViewerColor, BrushStyle::Clear);
    canvas.SetTextColor(kViewerColor);
    std::int32_t top = kStatusMargin;
    for (const std::string& line : {StatusText(), MapText()}) {
        if (line.empty()) continue;
        canvas.TextOut(run.DisplayWidth - kStatusMargin - canvas.TextWidth(line), top, line);
        top += canvas.TextHeight(line);
    }
}

std::string ReplayViewer::MapText() const {
    const GameType& g = game_.Record();
    if (!g.InSkirmish) return {};
    return "Skirmish: " + SkirmishName(g.SkirmishPlayed) + ", seed " + std::to_string(g.SkirmishPlayed.Seed);
}

}  // namespace tavrine
