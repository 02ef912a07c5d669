// Where the game's picture goes on the screen: a display mode's surface scaled
// to fill as much of the window as it can while keeping its shape, and the way
// back from window pixels to surface pixels.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tavrine::ui {

/// The rectangle of `window` the surface is shown in: as large as fits with the
/// surface's aspect ratio, centred; exactly the surface's size when the window
/// equals it. An empty window or surface gives the window's whole area.
QRect FitSurface(QSize surface, QSize window);

/// The surface pixel under window point `at`, for a surface shown in `target`.
/// Points beside the picture count as its nearest edge pixel, so the edges of
/// the screen are the edges of the battlefield.
QPoint SurfacePoint(QSize surface, const QRect& target, QPoint at);

}  // namespace tavrine::ui
