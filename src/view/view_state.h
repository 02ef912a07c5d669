// The parts of the main window the engine moves and paints beside the battlefield:
// the positions of the sliding panels and the minimap picture. The desktop shell
// reads them after every tick and places its widgets accordingly.
#pragma once

#include <cstdint>
#include <vector>

namespace tavrine {

/// Panel positions in surface pixels. The shell sets the sizes and the button
/// states; `SlidePanels`, `UpdateMinimap` and `PlacePanels` move the panels.
struct PanelState {
    /// The status bar along the bottom of the surface (placed by `PlacePanels`).
    std::int32_t StatusBarLeft = 1;
    std::int32_t StatusBarTop = 0;
    std::int32_t StatusBarWidth = 0;
    std::int32_t StatusBarHeight = 22;  ///< set by the shell from its widget
    /// Whether the status bar and the game menu are there at all: hidden at
    /// start-up in play until the first load.
    bool StatusBarShown = true;
    bool MenuShown = true;

    /// The drop-down game menu; it slides up until its bottom meets the status bar.
    std::int32_t MenuTop = 0;
    std::int32_t MenuHeight = 0;  ///< set by the shell from its widget
    bool MenuButtonDown = false;  ///< the "Menu" button of the status bar

    /// The minimap panel: the minimap picture plus a 2-pixel border on each side.
    std::int32_t MinimapLeft = 0;
    std::int32_t MinimapTop = 0;
    std::int32_t MinimapWidth = 4;
    std::int32_t MinimapHeight = 4;
    bool MinimapVisible = false;
    bool MinimapButtonDown = true;  ///< the minimap button: down at start

    /// The interface scale, 1 or 2: the panels' controls and texts are this many
    /// times their size (the shell sets the bar's and the menu's heights to match).
    std::int32_t Scale = 1;
    /// The minimap picture as shown inside the border: its pixels scaled up by
    /// the interface scale, or down to keep the panel within a third of the
    /// surface's width and of the height above the status bar.
    std::int32_t MinimapShownWidth = 0;
    std::int32_t MinimapShownHeight = 0;
};

/// The width of the minimap panel's border on each side, in pixels.
inline constexpr std::int32_t kMinimapBorder = 2;

/// The minimap as a plain picture: one or 2 x 2 pixels per cell, rows top-down,
/// each pixel 0xFFRRGGBB (opaque), ready to be shown as it is.
struct MinimapPicture {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint32_t> Pixels;
    /// The white view frame drawn into the pixels, in picture pixels with its
    /// corners included (it may reach past the picture's edges); none while
    /// `FrameShown` is false. A picture shown scaled down draws it again at the
    /// smaller size, so none of its rows or columns is lost.
    bool FrameShown = false;
    std::int64_t FrameLeft = 0, FrameTop = 0, FrameRight = 0, FrameBottom = 0;

    std::uint32_t At(std::int32_t x, std::int32_t y) const {
        return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)];
    }
};

struct ViewState {
    PanelState Panels;
    MinimapPicture Minimap;
};

}  // namespace tavrine
