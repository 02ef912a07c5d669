// What tanks do between the player's commands: the orders queued behind the
// current one, attack-moves (drive to a cell, stop to fight every enemy met on
// the way, drive on) and the rally cells of the player's factories. A battle in
// which no tank has a queue or an attack-move and no factory a rally cell is
// untouched by all of it.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/context.h"

namespace tavrine {

/// The radius, in cells either way, within which an idle tank answers an enemy
/// and an attack-moving tank stops to fight one.
inline constexpr std::int32_t kAlertCells = 5;

/// Gives the tanks `tanks` a new order of `kind` (OrderKind) on `target`, plans
/// it at once and clears away orders no tank follows any more. Tanks the order
/// replaces leave their old orders; queues are left as they are. With
/// `together`, several tanks keep together as a group on the way.
void OrderTanks(SimContext& ctx, std::int32_t kind, std::int32_t target, const std::vector<std::int32_t>& tanks,
                bool together = false);

/// Starts an attack-move of `tanks` to cell index `cell`: their queues and
/// current orders give way to it.
void AttackMoveTanks(SimContext& ctx, std::int32_t cell, const std::vector<std::int32_t>& tanks);

/// Whether a queued order can still be carried out: its cell is on the map, its
/// building stands and is the computer's, its tank exists.
bool QueuedOrderValid(const GameType& g, const QueuedOrder& q);

/// The per-tick step, after the orders are planned: attack-moving tanks that see
/// an enemy within the alert radius stop to fight it; tanks whose order is done
/// (or was dropped) take up an interrupted attack-move or the next valid order of
/// their queue, tanks sharing a target sharing one order.
void QueuedOrdersStep(SimContext& ctx);

/// What a tank fresh out of factory `anchor` does: when the factory has a rally
/// cell, the tank's queue gets a move there (an attack when a computer building
/// stands on the cell), which it takes once it has rolled out.
void SendToRally(SimContext& ctx, std::int32_t anchor, std::int32_t tank);

/// The order a rally cell gives: an attack on the computer's tower or building
/// standing on the cell, otherwise a move to the cell.
QueuedOrder RallyOrder(const GameType& g, std::int32_t cell);

}  // namespace tavrine
