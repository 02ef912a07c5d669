// What the game's commands ask of the main window itself: closing it, showing the
// status bar before the first game, and re-creating the display surface.
#pragma once

#include <cstdint>

namespace tavrine {

class MainWindow {
public:
    virtual ~MainWindow() = default;

    /// The exit was confirmed: closes the main window, which ends the program.
    virtual void CloseMainWindow() = 0;

    /// Before the first game is loaded the status bar is hidden: shows it and
    /// places it and the game menu as the display initialisation does, without a
    /// new surface. Nothing when it is already shown.
    virtual void ShowStatusBar() = 0;

    /// The game control dialog chose another display mode: switches the display
    /// to it and re-creates the surface, which runs the display initialisation
    /// again (the frame timer restarts, the view is clamped).
    virtual void SetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bits) = 0;

    /// Alt+Enter: between full screen and a window.
    virtual void ToggleFullScreen() = 0;

    /// The window was resized and the run-time state holds the new surface size:
    /// re-creates the surface at that size, which runs the display initialisation
    /// again (the panels placed anew, the view kept inside the map).
    virtual void ResizeSurface() = 0;
};

/// A main window that only counts what was asked of it: tests and the headless tool.
class CountingMainWindow final : public MainWindow {
public:
    void CloseMainWindow() override { ++closes; }
    void ShowStatusBar() override { ++statusBarShows; }
    void SetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bits) override {
        ++modeChanges;
        lastWidth = width;
        lastHeight = height;
        lastBits = bits;
    }
    void ToggleFullScreen() override { ++fullScreenToggles; }
    void ResizeSurface() override { ++surfaceResizes; }

    int closes = 0;
    int statusBarShows = 0;
    int modeChanges = 0;
    int fullScreenToggles = 0;
    int surfaceResizes = 0;
    std::int32_t lastWidth = 0;
    std::int32_t lastHeight = 0;
    std::int32_t lastBits = 0;
};

}  // namespace tavrine
