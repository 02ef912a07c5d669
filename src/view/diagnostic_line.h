// The editing mode's diagnostic line at the bottom left of the battlefield.
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

/// Overlay step 8, in the editing mode only: the line in light cyan with a black
/// shadow, at the left edge just above `bottom` (the status bar's top), clear of
/// the mission hint at the top left.
void DrawDiagnosticLine(const GameType& g, const RunState& run, Canvas& canvas, std::int32_t frameRate, std::int32_t bottom);

/// The diagnostic line's colour.
inline constexpr Rgb kDiagnosticColor{128, 255, 255};

}  // namespace tavrine
