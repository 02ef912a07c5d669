// The autopilot's hands: turns "select these tanks" and "click that" into the
// mouse events a person would make on the game view (surface pixels), with the
// view scrolled first by a click on the minimap so that the point lies on a
// part of the screen that no panel covers.
#pragma once

#include <cstdint>
#include <optional>

#include "game/game.h"
#include "game/main_commands.h"
#include "sim/grid.h"

namespace tavrine {

/// A rectangle of map pixels, both corners included.
struct MapRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

/// What the hands did, for the run's report.
struct HandCounts {
    std::int64_t Presses = 0;    ///< mouse presses on the game view
    std::int64_t Bands = 0;      ///< band selections drawn
    std::int64_t MapClicks = 0;  ///< clicks on the minimap
    std::int64_t Keys = 0;       ///< keys pressed (A, and R held for a rally click)
};

class AutopilotHands {
public:
    /// Reads the battle from `game` and acts through `commands`, the main
    /// window's commands that the desktop window forwards its events to.
    AutopilotHands(Game& game, MainCommands& commands) : game_(game), commands_(commands) {}

    /// The largest band the free part of the screen holds (inside the screen's
    /// edges, above the status bar, off the minimap panel), in pixels.
    std::int32_t BandWidth() const;
    std::int32_t BandHeight() const;

    /// Draws a band around the map-pixel rectangle (tank centres) after bringing
    /// it into view. Returns the number of the player's tanks selected, or -1
    /// when the rectangle could not be shown whole.
    std::int32_t BandSelect(const MapRect& centres);
    /// Clicks map pixel (x, y) after bringing it into view; false when it could
    /// not be shown on a free part of the screen.
    /// With `shift` the click is made with Shift held (a queued order).
    bool Click(std::int32_t x, std::int32_t y, bool shift = false);
    /// Clicks open ground to send the selected tanks there: the centre of cell
    /// `cell`, or of the nearest cell around it where the click hits no tank or
    /// object; false when none could be clicked. With `shift` the move is
    /// queued behind the orders the tanks have.
    bool ClickGround(std::int32_t cell, bool shift = false);
    /// Presses and releases a battle key (A: the next click names an
    /// attack-move's target).
    void Key(GameKey key);
    /// Selects the player's factory anchored at `factory` with a click on it and,
    /// holding R, clicks cell `cell`: the factory's new tanks drive there. False
    /// when either click could not be made.
    bool SetRally(std::int32_t factory, std::int32_t cell);
    /// Presses the minimap's zoom button when the minimap, drawn two pixels per
    /// cell, covers the middle of the screen.
    void ShrinkMinimapIfInTheWay();

    const HandCounts& Counts() const { return counts_; }

private:
    /// Scrolls (when needed) so that map pixel (x, y) lies in the safe part of
    /// the screen with `margin` pixels to spare; returns its surface point.
    std::optional<PixelXY> Show(std::int32_t x, std::int32_t y, std::int32_t marginX, std::int32_t marginY);
    /// Whether a left press at map pixel (x, y) would click a tank or an object.
    bool PressHits(std::int32_t x, std::int32_t y) const;
    void Press(std::int32_t sx, std::int32_t sy, bool shift = false);
    /// Leaves the pointer resting in the middle of the screen.
    void Park();

    Game& game_;
    MainCommands& commands_;
    HandCounts counts_;
};

}  // namespace tavrine
