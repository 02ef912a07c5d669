#include "view/panels.h"

#include <algorithm>
#include <limits>

#include "view/minimap.h"

namespace tavrine {

void PlacePanels(PanelState& panels, std::int32_t width, std::int32_t height) {
    panels.StatusBarLeft = 1;
    panels.StatusBarTop = height - panels.StatusBarHeight - 1;
    panels.StatusBarWidth = width - 2;
    panels.MenuTop = height + 1;
}

std::int32_t MinimapRestTop(const GameType& g, const RunState& run, const PanelState& panels) {
    const std::int64_t shown = MinimapShownSize(g, run, panels).Height;
    const std::int64_t top = std::int64_t{run.DisplayHeight} - shown - panels.StatusBarHeight - 1 - 2 * kMinimapBorder;
    return static_cast<std::int32_t>(std::max<std::int64_t>(top, std::numeric_limits<std::int32_t>::min()));
}

void SlidePanels(const GameType& g, RunState& run, PanelState& panels) {
    const std::int32_t h = run.DisplayHeight;
    const std::int32_t rest = MinimapRestTop(g, run, panels);
    const std::int32_t minimapStep = std::max((panels.MinimapTop - rest) / 3, 1);
    if (panels.MinimapButtonDown) {
        if (rest < panels.MinimapTop) {
            panels.MinimapTop -= minimapStep;
            if (rest >= panels.MinimapTop) run.MinimapState = 0;
        }
    } else if (panels.MinimapTop < h + 1) {
        panels.MinimapTop += minimapStep;
    }

    const std::int32_t menuStep = std::max((panels.MenuTop + panels.MenuHeight - panels.StatusBarTop) / 3, 1);
    if (panels.MenuButtonDown) {
        if (panels.StatusBarTop - panels.MenuHeight < panels.MenuTop) panels.MenuTop -= menuStep;
    } else if (panels.MenuTop < h + 1) {
        panels.MenuTop += menuStep;
    }
}

}  // namespace tavrine
