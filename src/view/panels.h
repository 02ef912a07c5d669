// The status bar, the minimap panel and the drop-down game menu: where they sit
// and how they slide in and out.
#pragma once

#include <cstdint>

#include "state/records.h"
#include "state/run_state.h"
#include "view/view_state.h"

namespace tavrine {

/// At display initialisation: the status bar across the bottom of a `width` by
/// `height` surface (left 1, 1 pixel above the bottom, 2 pixels narrower than the
/// surface) and the game menu just below the surface, from where it slides in.
void PlacePanels(PanelState& panels, std::int32_t width, std::int32_t height);

/// Where the minimap panel's top comes to rest: its bottom on the status bar.
std::int32_t MinimapRestTop(const GameType& g, const RunState& run, const PanelState& panels);

/// Tick step 4: one slide step for the minimap panel and the game menu, toward
/// their places while their buttons are down and out below the surface while
/// they are up. Each step covers a third of the remaining way in (at least a
/// pixel), and a third of the way already travelled out, so leaving accelerates.
/// The minimap panel arriving in place asks for a minimap rebuild.
void SlidePanels(const GameType& g, RunState& run, PanelState& panels);

}  // namespace tavrine
