// The drawing of one frame: terrain and objects, tanks (each advanced by its
// movement step just before it is drawn), explosions, the fog, and the overlay
// with shells, selection marks, the band, labels and the mission hint. Drawing
// also advances the animations: object and smoke frames, explosions, shells in
// flight, labels and the hint's countdown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/canvas.h"
#include "sim/context.h"

namespace tavrine {

/// What the frame needs from outside the game state.
struct FrameOptions {
    /// The map editor's fog button is down: the editing mode shows the fog too.
    bool EditorFogShown = false;
    /// The frame timer's measured rate, frames per second: the editing mode's
    /// diagnostic line shows it.
    std::int32_t FrameRate = 0;
    /// The status bar's height: the texts of the frame keep above it.
    std::int32_t StatusBarHeight = 0;
    /// The map pixel at the picture's top-left corner when the picture shows
    /// another part of the map than the game's view (a replay's viewer scrolls on
    /// their own); nothing: the game's view. Only the picture follows it: the
    /// animations of the cells in the game's view advance as they always do, so
    /// the battle stays the one the game's view would give.
    struct Origin {
        std::int32_t X = 0;
        std::int32_t Y = 0;
    };
    std::optional<Origin> ShownOrigin;
    /// A still frame: the picture is drawn again but nothing advances (no tank
    /// steps, shells, explosions, labels, hint countdown or animation frames), and
    /// the game record is left exactly as it was.
    bool Still = false;
    /// A replay is being watched: no key or click of the viewer reaches the game,
    /// so the result screen offers no game to load.
    bool Watching = false;
};

/// What a drawn frame asks of the game around it.
struct FrameResult {
    /// The title has been shown long enough: open the Load Game dialog (once,
    /// after the tick).
    bool OfferLoadGame = false;
    /// Empty when the frame was drawn and shown. Otherwise what the canvas
    /// reported when it failed: the frame was not shown, but everything the
    /// frame advances (the tanks' steps included) was advanced in full.
    std::string Failure;
};

/// The cells the terrain passes visit: the view plus 3 cells to the left and top
/// and 1 to the right and bottom, within the map. Empty when Last < First.
struct CellRange {
    std::int32_t FirstColumn = 0;
    std::int32_t LastColumn = -1;
    std::int32_t FirstRow = 0;
    std::int32_t LastRow = -1;
};
CellRange VisibleRange(const GameType& g, std::int32_t surfaceWidth, std::int32_t surfaceHeight);
/// The same for a picture whose top-left corner lies at map pixel (originX, originY).
CellRange VisibleRangeAt(const GameType& g, std::int32_t originX, std::int32_t originY, std::int32_t surfaceWidth,
                         std::int32_t surfaceHeight);

/// The fog picture for a cell whose hidden neighbours form `mask` (1 top-left,
/// 2 top, 4 top-right, 8 right, 16 bottom-right, 32 bottom, 64 bottom-left,
/// 128 left); 9 stands for no fog, 8 for full fog.
std::int32_t FogPiece(std::int32_t mask);

/// Draws the whole frame and flips it; nothing happens while the canvas cannot
/// be drawn on. While a title is shown outside the editing mode the title screen
/// is drawn instead and the battlefield is neither drawn nor advanced. When a
/// call of the canvas fails (throws), nothing more is drawn and the frame is not
/// flipped, but the rest of the frame's steps still run: the game is left as
/// after a frame that was shown. Exceptions from the rules themselves are not
/// caught here.
FrameResult DrawFrame(SimContext& ctx, Canvas& canvas, const FrameOptions& options = {});

}  // namespace tavrine
