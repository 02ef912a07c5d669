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
///
/// In play, with `shift` a click on a tank or building adds to the selection or
/// queues (see ClickTank, ClickBuilding); a left press while R is held with one
/// of the player's factories selected, or after A, clicks nothing: the release
/// picks the rally cell or the attack-move's target. The right button also
/// cancels a pending attack-move.
bool DXDrawMouseDown(SimContext& ctx, Editor* editor, Host& host, MouseButton button, std::int32_t x, std::int32_t y,
                     bool shift = false);

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
///
/// In play: after a press with R held on a selected factory, the cell under
/// the release becomes its rally cell; after A, the selected tanks attack-move
/// to it. With `shift` (held at the release) a band adds the player's tanks in
/// it to the selection, and a ground click (or attack-move) is appended to each
/// selected tank's queue instead of replacing its order.
void DXDrawMouseUp(SimContext& ctx, MouseButton button, std::int32_t x, std::int32_t y, bool shift = false);

/// A click on tank `tank`: with the player's tanks selected, a computer tank is
/// attacked and a player's tank becomes the only one selected; with none
/// selected, the tank becomes the one selected (a computer tank only to be looked
/// at: it takes no orders). With `shift`: a computer tank is queued as a target
/// of the selected tanks, and a player's tank goes into or out of the selection.
void ClickTank(SimContext& ctx, std::int32_t tank, bool shift = false);

/// A click on the object anchored at cell index `anchor`: decorations ignore it;
/// a computer tower or building is attacked by the selected tanks; otherwise the
/// object becomes the selection and the tanks are deselected. With `shift` an
/// attack on a computer tower or building is queued instead.
void ClickBuilding(SimContext& ctx, std::int32_t anchor, bool shift = false);

/// S in play: the player's selected tanks drop their orders, queues and
/// attack-moves (idle, they still answer enemies that come near).
void StopSelected(SimContext& ctx);

/// A in play: with any of the player's tanks selected, the next left click
/// picks the cell they attack-move to.
void StartAttackMove(GameType& g, RunState& run);

/// The keys the game knows; every other key is `Other`. The digits follow each
/// other, so `Digit1` + n - 1 is the key n.
enum class GameKey { Other, Escape, A, S, Return, P, Pause, Left, Right, Up, Down, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
                     // The keys of someone watching a replay (the battle takes them as any other key).
                     Space, Plus, Minus, F,
                     R, F1, N };

/// What a key asks for; the main window carries it out.
enum class KeyCommand {
    None,
    LoadGame,          ///< any key on a title or result screen: the Load Game dialog
    Exit,              ///< Escape: as the "Exit" entry of the game menu
    Flash,             ///< editing mode, A: a fade out, 200 ms, a fade in
    ImageEditor,       ///< editing mode, S: the image library editor
    ToggleFullScreen,  ///< Alt+Enter, in play and in the editing mode
    TogglePause,       ///< in play, P or Pause: the battle stops or goes on
    BattleKey,         ///< an arrow, a digit, Ctrl+digit or Ctrl+A: `BattleKeyDown` carries it out
    AttackMove,        ///< in play, A: `StartAttackMove`
    Stop,              ///< in play, S: `StopSelected`
    RallyKey,          ///< in play, R goes down: held, a left click sets a factory's rally cell
    Help,              ///< F1: the guide at the page of what is on screen, the battle paused meanwhile
    NextMission,       ///< N on a result screen that offers it: the next mission's briefing
    PlayAgain,         ///< R on a result screen that offers it: the same map again
};

/// What a key pressed with the modifiers given asks for. With Ctrl held only
/// Escape and the battle keys count, so Ctrl+A never flashes the editor.
KeyCommand FormKeyDown(const RunState& run, GameKey key, bool alt, bool ctrl = false);

}  // namespace tavrine
