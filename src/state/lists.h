// Adding to and removing from the game record's lists, keeping every stored
// reference (order and tank indices, wave fields) consistent.
#pragma once

#include <cstdint>

#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

/// Appends an order (Index = its position, Replan 0, MemberMoved 1) and gives it
/// an empty wave field. Returns its index.
std::int32_t AddOrder(GameType& g, std::int32_t kind, std::int32_t targetRef, std::int32_t state);

/// Removes order k (ignored when out of range): later orders move down and are
/// renumbered, its wave field goes, tanks that carried it get Order -1 and an
/// empty route, tanks with a later order follow the renumbering.
void RemoveOrder(GameType& g, std::int32_t k);

/// Takes tank i out of `Tanks` (ignored when out of range) with every reference
/// to it: attack-tank orders aimed at it are removed (highest index first) and
/// dropped from every queue, towers
/// aiming at it go idle, chance targets on it are dropped; later tanks move down
/// and every reference to them follows (order targets, queued targets, tower targets, cell
/// occupants, leaving tanks, chance targets, Index). Cell marks that still name
/// the removed tank are cleared.
/// The rules around a destroyed tank (wreck, explosion, reward) are the caller's.
/// True when such a mark was cleared: cells changed that the caller does not know.
bool DetachAndRemoveTank(GameType& g, std::int32_t i);

/// Tank i has left the tank list: it leaves every control group, and the later
/// tanks' entries move down one as the list did.
void RemoveTankFromGroups(RunState& run, std::int32_t i);

/// Sets the number of wave fields to the number of orders and every field to
/// Columns * Rows entries, all 0 (cell indices change meaning when the map
/// changes size).
void ResizeWaveFields(GameType& g);

}  // namespace tavrine
