// The editing mode's diagnostic line at the top left of the battlefield.
#pragma once

#include <cstdint>
#include <string>

#include "platform/canvas.h"
#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

/// "FPS: " and the frame rate, two spaces, the surface size as W "X" H, then the
/// bit depth, the number of orders, `MouseMapX`, the map pixel at the view's right
/// edge and `MapWidth`, one space apart; " Down" at the end while the left button
/// is not held.
std::string DiagnosticLine(const GameType& g, const RunState& run, std::int32_t frameRate);

/// Overlay step 8: the line at (0, 0) in the canvas's current font, colour and
/// brush, in the editing mode only.
void DrawDiagnosticLine(const GameType& g, const RunState& run, Canvas& canvas, std::int32_t frameRate);

}  // namespace tavrine
