// The player's commands on the battlefield: a press, a drag and a release select
// the player's tanks (by a click or a band) and give them orders to move, to attack
// a tank or to attack a building; the keys. In the editing mode the presses that
// select nothing, the moves and the right button go to the map editor.
#pragma once

#include <cstdint>

#include "editor/editor.h"
#include "platform/host.h"
#include "sim/context.h"
#include "view/view_state.h"

namespace tavrine {

enum class MouseButton { Left, Right, Middle };

/// A press and release whose points lie more than this many pixels apart on
/// either axis make a band; closer, a click.
inline constexpr std::int32_t kBandThreshold = 5;

/// A title after its fade-in, or a decided mission, is on screen: any key or
/// press opens the Load Game dialog instead of its usual effect.
bool LoadScreenShown(const RunState& run);

/// A press on the game view at surface pixel (x, y). Returns true when, because a
/// title or a mission result is shown, the press is to open the Load Game dialog
/// (and nothing else happened). Otherwise: any press forgets the selected object;
/// the right button also clears the tank selection and ends the editor's path; the
/// left button records the press point and, on a visible cell (or any cell while
/// editing), clicks the first tank or object whose picture it hits within two
/// cells around, column by column from the left. A left press that hits nothing
/// goes to `editor` in the editing mode (which may ask the fill questions through
/// `host`). `editor` may be null.
bool DXDrawMouseDown(SimContext& ctx, Editor* editor, Host& host, MouseButton button, std::int32_t x, std::int32_t y);

/// The mouse moving over the game view: releases the "Menu" button, stops edge
/// scrolling until the next tick looks again, records the position and, while the
/// left button is held after a press that clicked nothing, drags the band's
/// corner (the window sends these moves on over the panels too; positions off
/// the surface are held to its edges); the editor's path follows the mouse.
void DXDrawMouseMove(SimContext& ctx, Editor* editor, PanelState& panels, bool leftHeld, std::int32_t x, std::int32_t y);

/// A release at surface pixel (x, y). After a left press that clicked nothing: a
/// band (press and last drag corner more than kBandThreshold apart) selects
/// exactly the player's tanks whose centres lie inside it, edges included;
/// otherwise the selected tanks are sent to the cell under the release point (in
/// the editing mode every selected tank, in play only the player's). A release
/// with no press recorded, or off the map, gives no order.
void DXDrawMouseUp(SimContext& ctx, MouseButton button, std::int32_t x, std::int32_t y);

/// A click on tank `tank`: with the player's tanks selected, a computer tank is
/// attacked and a player's tank becomes the only one selected; with none
/// selected, the tank becomes the one selected (a computer tank only to be looked
/// at: it takes no orders).
void ClickTank(SimContext& ctx, std::int32_t tank);

/// A click on the object anchored at cell index `anchor`: decorations ignore it;
/// a computer tower or building is attacked by the selected tanks; otherwise the
/// object becomes the selection and the tanks are deselected.
void ClickBuilding(SimContext& ctx, std::int32_t anchor);

/// The keys the game knows; every other key is `Other`. The digits follow each
/// other, so `Digit1` + n - 1 is the key n.
enum class GameKey { Other, Escape, A, S, Return, P, Pause, Left, Right, Up, Down, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
                     // The keys of someone watching a replay (the battle takes them as any other key).
                     Space, Plus, Minus, F };

/// What a key asks for; the main window carries it out.
enum class KeyCommand {
    None,
    LoadGame,          ///< any key on a title or result screen: the Load Game dialog
    Exit,              ///< Escape: as the "Exit" entry of the game menu
    Flash,             ///< editing mode, A: a fade out, 200 ms, a fade in
    ImageEditor,       ///< editing mode, S: the image library editor
    ToggleFullScreen,  ///< editing mode, Alt+Enter
    TogglePause,       ///< in play, P or Pause: the battle stops or goes on
    BattleKey,         ///< an arrow, a digit, Ctrl+digit or Ctrl+A: `BattleKeyDown` carries it out
};

/// What a key pressed with the modifiers given asks for. With Ctrl held only
/// Escape and the battle keys count, so Ctrl+A never flashes the editor.
KeyCommand FormKeyDown(const RunState& run, GameKey key, bool alt, bool ctrl = false);

}  // namespace tavrine
