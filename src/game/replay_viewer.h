// Watching a replay in the window: the viewer's own keys and mouse (none of them
// reaches the battle), how many of the replay's ticks a frame plays, and what is
// drawn over the finished picture for the viewer: the replayed player's mouse
// pointer, the viewer's own view on the minimap and a status line.
#pragma once

#include <cstdint>
#include <string>

#include "game/replay_player.h"
#include "platform/canvas.h"
#include "view/commands.h"
#include "view/viewer_view.h"

namespace tavrine {

/// The most replay ticks one frame plays (speeds 1, 2, 4 and 8).
inline constexpr int kReplayTopSpeed = 8;

class ReplayViewer {
public:
    /// `game` has its library; every message box of `game` must reach `host`.
    ReplayViewer(Game& game, ScriptHost& host, Replay replay);

    /// Loads the replay's game; false with the reason in `error`.
    bool Start(std::string& error);

    /// A key of the viewer goes down or up: the arrows scroll the viewer's view
    /// while held; Space pauses and goes on; Plus doubles the ticks a frame (up to
    /// 8) and Minus halves them; F follows the player's view again. True for
    /// Escape: the viewer leaves.
    bool Key(GameKey key, bool down);
    /// The mouse at surface pixel (x, y), `press` for a press of the left button:
    /// at the screen's edges it scrolls the viewer's view, and a press or drag on
    /// the minimap moves that view there (without scrolling at the edge too).
    void Mouse(std::int32_t x, std::int32_t y, bool leftHeld, bool press);
    /// The mouse left the window: no edge scrolling.
    void MouseAway();

    /// Once a frame: the viewer's scrolling, then as many of the replay's ticks as
    /// the speed asks, drawn from the viewer's view; paused or over, a still frame
    /// when the viewer's view moved.
    void Frame();

    /// Draws the viewer's marks over the finished picture with its panels.
    void DrawOverlay(Canvas& canvas) const;
    /// The status line: paused, over, or the speed when above 1; empty otherwise.
    std::string StatusText() const;
    /// A skirmish's map and seed ("Skirmish: lakes 64x48, mirror, mission 3,
    /// seed 42"), shown under the status line; empty for any other battle.
    std::string MapText() const;

    bool Paused() const { return paused_; }
    int Speed() const { return speed_; }
    const ViewerView& View() const { return view_; }
    ReplayPlayer& Player() { return player_; }
    const ReplayPlayer& Player() const { return player_; }

private:
    Game& game_;
    ReplayPlayer player_;
    ViewerView view_;
    bool paused_ = false;
    int speed_ = 1;
    /// The arrow keys held (`ArrowBit`s), the mouse on the surface (-1, -1 away
    /// from it), a drag on the minimap going on, and a move of the viewer's view
    /// since the last frame.
    std::uint8_t arrows_ = 0;
    std::int32_t mouseX_ = -1;
    std::int32_t mouseY_ = -1;
    bool dragsMinimap_ = false;
    bool moved_ = false;
};

}  // namespace tavrine
