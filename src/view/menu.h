// The game menu and the status bar: the labels that light up under the mouse, the
// three buttons, and the parts of the menu's commands that need no window: the
// settings the game control dialog shows and how its answer is applied, and the
// text of the Information box.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/canvas.h"
#include "platform/dialogs.h"
#include "platform/music_player.h"
#include "state/records.h"
#include "state/run_state.h"
#include "view/view_state.h"

namespace tavrine {

/// The question the "Exit" entry and Escape ask.
inline constexpr const char* kExitQuestion = "Are you sure you want to exit ?";

/// The entries of the game menu: "Load Game" (Label5), "Save Game" (Label6),
/// "Game Control" (Label7), "Information" (Label9), "Exit" (Label10), and the
/// ways to a new battle the Load Game dialog also offers: "Campaign",
/// "Skirmish" and "Quick Skirmish". Scripts and replays name entries by these
/// values' names, so new entries go at the end.
enum class MenuLabel { LoadGame, SaveGame, GameControl, Information, Exit, Campaign, Skirmish, QuickSkirmish };
inline constexpr std::size_t kMenuLabelCount = 8;

inline constexpr Rgb kMenuLabelColor{0, 0, 0};
inline constexpr Rgb kMenuLabelHoverColor{0, 0, 255};

/// The text colours of the menu entries, which the window shows.
class MenuLabels {
public:
    Rgb Color(MenuLabel label) const { return colors_[static_cast<std::size_t>(label)]; }
    /// The mouse enters an entry or its icon: blue.
    void MouseEnter(MenuLabel label) { colors_[static_cast<std::size_t>(label)] = kMenuLabelHoverColor; }
    /// The mouse leaves it: black again.
    void MouseLeave(MenuLabel label) { colors_[static_cast<std::size_t>(label)] = kMenuLabelColor; }

private:
    std::array<Rgb, kMenuLabelCount> colors_{};
};

/// The mouse over the status bar, the game menu or any of their controls: no
/// edge scrolling while it is there.
void MenuPanelMouseMove(RunState& run);

/// The "Menu" button (SpeedButton1): down slides the game menu in, up out.
void SpeedButton1Click(PanelState& panels, bool down);
/// The minimap button (SpeedButton2): down slides the minimap in, up out.
void SpeedButton2Click(PanelState& panels, bool down);
/// The zoom button (SpeedButton3): one or two pixels per cell; the minimap is rebuilt.
void SpeedButton3Click(RunState& run);

/// The settings the game control dialog opens with.
GameControlSettings GameControlSettingsOf(const RunState& run);

/// Applies a confirmed answer of the game control dialog, in the game's order:
/// the speed (when one is selected), the display mode (when an entry of the mode
/// table other than the current mode is selected: `run`'s display size changes
/// and the result says so, the window must re-create its surface), the difficulty
/// (-1 when none was selected), music and sound; music switched off is stopped at
/// once (switched on, the game clock restarts it). An answer that is not
/// confirmed changes nothing. Returns true when the display mode changed.
bool ApplyGameControl(RunState& run, const GameControlChoice& choice, MusicPlayer* music);

/// The statistics, rebuilt into `run.InfoLines` and joined by '\n', as the
/// Information box shows them.
std::string InformationText(const GameType& g, RunState& run);

}  // namespace tavrine
