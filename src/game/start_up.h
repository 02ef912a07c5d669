// The game's start-up, the same for the desktop window and the headless tool:
// the settings file, play or the editing mode, and the first map.
#pragma once

#include <cstdint>
#include <functional>

#include "game/game.h"
#include "state/display_modes.h"

namespace tavrine {

/// What the start-up ended with.
enum class StartUp { Play, Editing, Cancelled };

/// The editing mode's window: 800 by 600, not full screen.
inline constexpr DisplayMode kEditingDisplay{800, 600, 16};

/// The first map's size, shown under the title or edited in the editing mode.
inline constexpr std::int32_t kFirstMapColumns = 80;
inline constexpr std::int32_t kFirstMapRows = 60;

/// The scroll step and the cell size the game starts with, in pixels.
inline constexpr std::int32_t kStartScrollStep = 24;
inline constexpr std::int32_t kStartCellSize = 36;

struct StartUpResult {
    StartUp Mode = StartUp::Cancelled;
    /// The window's mode: the chosen one in play, kEditingDisplay when editing.
    DisplayMode Display = kEditingDisplay;
    /// Play fills the screen; the editing mode is a window.
    bool FullScreen = false;
    /// False when play started in a new mode and the settings file could not
    /// be written: the player was told (kSettingsWriteFailedMessage) and the
    /// game goes on with the settings it has.
    bool SettingsWritten = true;
};

/// Asked once with the mode number the settings file holds (-1 when none was
/// read); answers as the start dialog does: a mode number to play in,
/// kEditingModeChoice, or anything else to end the program.
using StartChoice = std::function<std::int32_t(std::int32_t storedMode)>;

/// The start-up: the normal speed; the settings file of the program folder read
/// (with `settingsFile`; the headless tool takes its settings from its command
/// line instead); `choose` asked; no minimap yet. In play: the chosen mode,
/// full screen, the status bar and the menu hidden, the title shown, and the
/// settings file rewritten (with `settingsFile`) when it held no mode or
/// another one. Unless cancelled: a fade-in pending, the scroll step, the cell
/// size, the view at the top left and the empty 80 by 60 map. Cancelled changes
/// nothing more once `choose` has answered.
StartUpResult StartUpGame(Game& game, const StartChoice& choose, bool settingsFile = true);

}  // namespace tavrine
