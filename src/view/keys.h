// The battle keys: pause, scrolling with the arrow keys, control groups and
// selecting every tank in view. They act on the game state directly, so the
// desktop window, the headless tool and a replay reach them the same way.
#pragma once

#include <cstdint>

#include "sim/context.h"
#include "view/commands.h"

namespace tavrine {

/// The text shown in the middle of the battlefield while the battle is paused.
inline constexpr const char* kPausedText = "Paused";

/// How long after recalling a group a second press of its key centres the view
/// on it, in milliseconds of game ticks.
inline constexpr std::int64_t kGroupCentreMs = 500;

/// The ArrowBit of an arrow key, 0 for any other key.
std::uint8_t ArrowOf(GameKey key);

/// The keys `BattleKeyDown` handles: the arrows (with or without Ctrl), the
/// digits 1 to 9 and Ctrl+1 to Ctrl+9, and Ctrl+A.
bool IsBattleKey(GameKey key, bool ctrl);

/// A battle key goes down (any other key is ignored): an arrow starts scrolling
/// (a press released before the next tick still scrolls one step); Ctrl+N stores
/// the player's selected tanks as group N, replacing it; N selects the group's
/// tanks alone (an empty group changes nothing) and, pressed again within
/// `kGroupCentreMs`, centres the view on them; Ctrl+A selects every player tank
/// whose centre is on the screen.
/// Shift+N adds the group's tanks to the selection.
void BattleKeyDown(SimContext& ctx, GameKey key, bool ctrl, bool shift = false);

/// A key comes up: a released arrow stops scrolling after the tick it was
/// pressed for; a released R ends the picking of rally cells. Other keys are ignored.
void BattleKeyUp(RunState& run, GameKey key);

/// The keyboard's part of tick step 7: scrolls the view one scroll step in the
/// direction of the arrows held or tapped since the last tick (diagonally for
/// two; opposite arrows cancel) and forgets the taps. True when any arrow
/// counted: the edge scroll then waits for this tick.
bool KeyboardScroll(GameType& g, RunState& run);

/// The player's tanks that are selected become group `n` (0 to 8).
void StoreGroup(const GameType& g, RunState& run, std::size_t n);

/// Group `n` (0 to 8) becomes the selection; false when it has no tank left.
bool SelectGroup(GameType& g, const RunState& run, std::size_t n);

/// Group `n`'s tanks join the selection; false when it has no tank left.
bool AddGroup(GameType& g, const RunState& run, std::size_t n);

/// Every player tank whose centre lies on the screen becomes the selection.
void SelectAllInView(SimContext& ctx);

/// Centres the view on the middle of group `n`'s tanks, as far as the map allows.
void CentreOnGroup(SimContext& ctx, std::size_t n);

}  // namespace tavrine
