// Groups that arrive together: the members of an order marked `Together` keep
// pace with the group's last tank instead of each driving at its own speed.
//
// The pace is read off a wave field like the order's own, flooded through tanks
// (GroupPaceField): the number of a member's cell is its distance to the target,
// and it stays steady while the order's own field is flooded anew around tanks
// in the way. Before the tanks move, every tick, each group finds its last tank
// (the largest distance) and holds every standing member that is more than
// kGroupLead cells nearer the target.
// Held tanks stand where they are, turret and alert scan working, until the last
// ones close up. Three things keep a group from holding itself up for good:
// - a straggler far behind the rest (a gap of more than kGroupStragglerGap cells
//   in the sorted distances) is not waited for; it follows on its own;
// - when the group's last tank has not come closer for kGroupStallTicks pacings
//   (stuck, or blocked by something that does not move), nobody is held until it
//   moves again;
// - members in each other's way do not ask for new routes: one behind a member
//   that is driving on waits for it; one behind a held member steps around it
//   through a free cell beside both; where there is none (a narrow pass) the held
//   one gives way, and that passes down a queue of held tanks, so the group
//   queues through the passage and gathers again beyond it.
// A member that leaves the order (to fight, or for another command) leaves the
// group with it.
#pragma once

#include <cstdint>

#include "sim/context.h"

namespace tavrine {

/// How many cells nearer the target a member may be than the group's last tank.
inline constexpr std::int32_t kGroupLead = 4;
/// ... and one cell more for every this many members (a larger group stands deeper).
inline constexpr std::int32_t kGroupDepthTanks = 4;
/// A member more than this many cells behind the next one is left to follow.
inline constexpr std::int32_t kGroupStragglerGap = 8;
/// Pacings the group's last tank may fail to come closer before the group
/// drives on without waiting.
inline constexpr std::int32_t kGroupStallTicks = 150;

/// Marks order `order` (when it exists) as one whose members keep together. The
/// creator calls it before planning the order.
void KeepTogether(GameType& g, std::int32_t order);

/// The per-tick pacing of every order whose members keep together: decides which
/// members are held this tick (GameObjectType::Held) and advances each order's
/// PaceDistance and PaceStall. Does nothing at all while no order keeps together.
void PaceGroups(SimContext& ctx);

/// True when the tank's group holds it this tick.
bool HeldByGroup(const GameType& g, const GameObjectType& tank);

}  // namespace tavrine
