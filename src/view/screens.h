// The two full-screen texts around a game: the title (which is also the about
// screen) before a game is loaded, and the mission result written over the
// battlefield once the mission is decided.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/canvas.h"
#include "state/run_state.h"

namespace tavrine {

/// The main window's font: the battlefield's texts and the title's notices.
inline const CanvasFont kMainFont{"MS Sans Serif", 8, true};

/// The title's product line and the font it is written in.
inline constexpr std::string_view kProductLine = "Tavrine";
inline const CanvasFont kProductFont{"Impact", 40, true};

/// The notices under the product line: rights, home page, support mail and
/// sales mail, in that order.
inline constexpr std::array<std::string_view, 4> kTitleNotices = {
    "Copyright (c) 2026 the Tavrine developers",
    "Home page: https://tavrine.example/",
    "Support: support@tavrine.example",
    "Sales: sales@tavrine.example",
};

/// Title frames drawn before the Load Game dialog opens by itself.
inline constexpr std::int32_t kTitleFramesBeforeLoad = 90;

/// Draws the title on black: the product line, then the notices, every line
/// centred. Counts the frame while the Load Game dialog has not been offered yet;
/// returns true on the frame (the 91st) on which it is to be offered, and marks it
/// offered, so the caller opens it once after the tick.
bool DrawTitle(RunState& run, Canvas& canvas, std::int32_t surfaceWidth, std::int32_t surfaceHeight);

/// Overlay step 6: the result heading ("Mission Accomplished" in orange or
/// "Mission Failed" in red), the statistics of `InfoLines` under it and the
/// prompt to load a game, each with a black shadow, on a translucent dark panel
/// sized to the text. The text starts a quarter down the screen, higher where its
/// end would otherwise come within reach of the status bar (`statusBarHeight`
/// pixels at the bottom). Nothing while the mission runs. Without `offerLoad`
/// (someone watching a replay) the prompt is left out.
void DrawMissionEnd(const RunState& run, Canvas& canvas, std::int32_t surfaceWidth, std::int32_t surfaceHeight,
                    std::int32_t statusBarHeight = 0, bool offerLoad = true);

}  // namespace tavrine
