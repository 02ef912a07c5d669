// The panels of an 800 x 600 surface as the game places them, shared by the
// layout tests and the painting tests.
#pragma once

#include "view/panel_layout.h"
#include "view/panels.h"

namespace tavrine::test {

/// An 800 x 600 surface with the status bar placed, the menu slid in and a
/// 160 x 120 minimap at the right end of the bar.
inline PanelState PlacedPanels() {
    PanelState p;
    p.StatusBarHeight = kStatusBarHeight;
    p.MenuHeight = kMenuHeight;
    PlacePanels(p, 800, 600);
    p.MenuTop = p.StatusBarTop - p.MenuHeight;
    p.MinimapVisible = true;
    p.MinimapShownWidth = 160;
    p.MinimapShownHeight = 120;
    p.MinimapWidth = 160 + 4;
    p.MinimapHeight = 120 + 4;
    p.MinimapLeft = 800 - p.MinimapWidth - 1;
    p.MinimapTop = p.StatusBarTop - p.MinimapHeight;
    return p;
}

}  // namespace tavrine::test
