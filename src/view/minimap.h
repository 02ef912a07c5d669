// The minimap: a small picture of the whole map, repainted by a sweep from the
// middle row outward, with a white frame around the part the screen shows; a
// click or drag on it moves the view.
#pragma once

#include <cstdint>

#include "state/records.h"
#include "state/run_state.h"
#include "view/view_state.h"

namespace tavrine {

/// The colour the minimap shows for cell (x, y), as 0x00BBGGRR: black for a
/// hidden cell while the fog is in force (in play until a mission is won, in the
/// editing mode only with the editor's fog button down), else its `MinimapColor`.
Color MinimapCellColor(const GameType& g, const RunState& run, std::int32_t x, std::int32_t y, bool editorFogShown);

/// Tick step 8. In state 0: sizes the picture to the map (2 x 2 pixels per cell
/// with zoom), shows and places the minimap panel, clears it to black and starts
/// a sweep. Otherwise paints two rows, spreading out from the middle; once the
/// top row is reached the minimap is complete, the view frame is kept up to date
/// from then on and the next tick starts a new sweep from the middle.
void UpdateMinimap(const GameType& g, RunState& run, ViewState& view, bool editorFogShown);

/// Paints one row of cells, leaving the pixels of the view frame white. Rows
/// outside the map paint nothing.
void DrawMinimapRow(const GameType& g, const RunState& run, MinimapPicture& picture, std::int32_t y, bool editorFogShown);

/// The cells the view frame outlines for a view whose origin is (originX,
/// originY); cell sizes must be positive.
CellRect ViewFrameCells(const GameType& g, const RunState& run, std::int32_t originX, std::int32_t originY);
/// Minimap picture pixels per cell along each axis: 2 with zoom, else 1.
std::int32_t MinimapZoom(const RunState& run);

/// The size the minimap picture is shown at inside its border: the map's cells
/// times the zoom times the interface scale, scaled down (the shape kept) where
/// the panel would take more than a third of the surface's width or of the
/// height above the status bar.
struct MinimapSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};
MinimapSize MinimapShownSize(const GameType& g, const RunState& run, const PanelState& panels);

/// A shown minimap pixel (along one axis, `shownSize` pixels shown for
/// `pictureSize` picture pixels) as the picture pixel it shows; points outside
/// count as the nearest edge. Drawing and clicks both go this way, so a click
/// lands on the cell drawn under it.
std::int32_t ShownToPicture(std::int32_t shown, std::int32_t shownSize, std::int32_t pictureSize);

/// The picture scaled to `width` by `height` pixels into `out` (rows top-down,
/// `width` pixels each) by ShownToPicture.
void ScaleMinimap(const MinimapPicture& picture, std::int32_t width, std::int32_t height, std::uint32_t* out);

/// Once the minimap is complete: moves the white frame to the cells the screen
/// shows now, restoring the cells under the old one.
void UpdateViewFrame(const GameType& g, RunState& run, MinimapPicture& picture, bool editorFogShown);

/// A map just created or loaded: 2 x 2 pixels per cell when that minimap panel
/// fits in a third of the screen's width and half the height above the status
/// bar, else one pixel per cell (the zoom button still toggles afterwards).
void FitMinimapZoom(const GameType& g, RunState& run, const PanelState& panels);

/// The zoom button: one pixel per cell instead of two by two, or back, and a
/// fresh minimap in the new size.
void ToggleMinimapZoom(RunState& run);

/// A press on the minimap at picture pixel (x, y): scrolls the view so the top-left
/// corner of that cell comes to the centre of the screen, as far as the map allows.
void MiniMapMouseDown(GameType& g, RunState& run, std::int32_t x, std::int32_t y);

/// The mouse moving over the minimap: stops edge scrolling; with the left button
/// held it drags the view along.
void MiniMapMouseMove(GameType& g, RunState& run, std::int32_t x, std::int32_t y, bool leftButtonDown);

}  // namespace tavrine
