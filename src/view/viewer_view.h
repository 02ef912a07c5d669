// The view of someone watching a replay: the replayed player's view until the
// viewer scrolls (arrow keys, the screen's edges, the minimap), then an origin of
// their own. It is never written into the game: the replayed inputs keep driving
// the game's view, on which the battle depends (the cells in view animate), and
// only the picture is drawn from the viewer's origin.
#pragma once

#include <cstdint>
#include <optional>

#include "state/records.h"
#include "state/run_state.h"
#include "view/draw_frame.h"

namespace tavrine {

class ViewerView {
public:
    /// The map pixel at the picture's top-left corner; nothing while the view
    /// follows the player's.
    const std::optional<FrameOptions::Origin>& Shown() const { return shown_; }
    /// The origin seen now: the viewer's own or the game's view.
    FrameOptions::Origin Seen(const GameType& g) const;

    /// One frame of scrolling, `run.ScrollStep` pixels a frame: along the arrow
    /// keys held (`ArrowBit`s) when any is, else toward each edge of the surface
    /// the mouse touches (`mouseX`, `mouseY`: surface pixel, or -1 when the mouse
    /// is away). Kept inside the map as the game keeps its view (a map smaller than
    /// the surface is centred). True when the origin moved.
    bool Scroll(const GameType& g, const RunState& run, std::uint8_t arrows, std::int32_t mouseX, std::int32_t mouseY);
    /// A press or drag on the minimap at picture pixel (x, y): that cell's
    /// top-left corner to the middle of the surface, as far as the map allows.
    void MinimapPress(const GameType& g, const RunState& run, std::int32_t x, std::int32_t y);
    /// Back to the player's view.
    void Follow() { shown_.reset(); }

    /// The cells the viewer's frame outlines on the minimap; nothing while the
    /// view follows the player's (the game's own frame shows it).
    std::optional<CellRect> MinimapFrame(const GameType& g, const RunState& run) const;

private:
    bool MoveTo(const GameType& g, const RunState& run, std::int64_t x, std::int64_t y);

    std::optional<FrameOptions::Origin> shown_;
};

}  // namespace tavrine
