#include "state/lists.h"

namespace tavrine {

namespace {
std::size_t FieldSize(const GameType& g) {
    return g.Columns > 0 && g.Rows > 0 ? static_cast<std::size_t>(g.Columns) * static_cast<std::size_t>(g.Rows) : 0;
}
}  // namespace

std::int32_t AddOrder(GameType& g, std::int32_t kind, std::int32_t targetRef, std::int32_t state) {
    auto order = std::make_unique<OrderType>();
    order->Index = static_cast<std::int32_t>(g.Orders.size());
    order->Kind = kind;
    order->TargetRef = targetRef;
    order->State = state;
    order->Replan = 0;
    order->MemberMoved = 1;
    g.Orders.push_back(std::move(order));
    g.Waves.emplace_back(FieldSize(g), 0);
    return g.Orders.back()->Index;
}

void RemoveOrder(GameType& g, std::int32_t k) {
    if (k < 0 || static_cast<std::size_t>(k) >= g.Orders.size()) return;
    g.Orders.erase(g.Orders.begin() + k);
    if (static_cast<std::size_t>(k) < g.Waves.size()) g.Waves.erase(g.Waves.begin() + k);
    for (std::size_t i = static_cast<std::size_t>(k); i < g.Orders.size(); ++i) g.Orders[i]->Index = static_cast<std::int32_t>(i);
    for (auto& t : g.Tanks) {
        if (t->Order == k) {
            t->Order = -1;
            t->Route.clear();
        } else if (t->Order > k) {
            --t->Order;
        }
    }
}

bool DetachAndRemoveTank(GameType& g, std::int32_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= g.Tanks.size()) return false;
    bool strayMarks = false;

    for (auto k = static_cast<std::int32_t>(g.Orders.size()) - 1; k >= 0; --k) {
        const OrderType& o = *g.Orders[static_cast<std::size_t>(k)];
        if (o.Kind == OrderAttackTank && o.TargetRef == i) RemoveOrder(g, k);
    }
    for (auto& t : g.Tanks) {
        if (t->ChanceTarget == i) t->ChanceTarget = -1;
        std::erase_if(t->Queue, [i](const QueuedOrder& q) { return q.Kind == QueuedAttackTank && q.TargetRef == i; });
    }

    g.Tanks.erase(g.Tanks.begin() + i);

    // Every reference to a later tank moves down by one.
    const auto follow = [i](std::int32_t& ref) {
        if (ref > i) --ref;
    };
    for (std::size_t j = static_cast<std::size_t>(i); j < g.Tanks.size(); ++j) g.Tanks[j]->Index = static_cast<std::int32_t>(j);
    for (auto& o : g.Orders)
        if (o->Kind == OrderAttackTank) follow(o->TargetRef);
    for (auto& t : g.Tanks) {
        follow(t->ChanceTarget);
        for (QueuedOrder& q : t->Queue)
            if (q.Kind == QueuedAttackTank) follow(q.TargetRef);
    }
    // One pass over the map does the towers and the cells: a tower aiming at the
    // removed tank stops aiming, one aiming at a later tank follows it down. Each
    // cell's changes depend on nothing but that cell, so the map is read once
    // (it is larger than the processor's nearer caches).
    for (auto& column : g.Cells) {
        for (auto& cell : column) {
            if (GameCellObjectType* o = cell.Object.get(); o && o->TowerState == 1) {
                if (o->TowerTarget == i) {
                    o->TowerState = 0;
                    o->TowerTarget = -1;
                } else {
                    follow(o->TowerTarget);
                }
            }
            if (cell.Occupancy == CellTank) {
                if (cell.Occupant == i) {
                    // A mark the removed tank left behind on a second cell: nobody stands here.
                    cell.Occupancy = CellFree;
                    cell.Occupant = -1;
                    strayMarks = true;
                    cell.MinimapColor = cell.GroundColor;
                } else {
                    follow(cell.Occupant);
                }
            }
            if (cell.LeavingTank == i) {
                cell.LeavingTank = -1;
                cell.Clear = 1;
            } else {
                follow(cell.LeavingTank);
            }
        }
    }
    return strayMarks;
}

void RemoveTankFromGroups(RunState& run, std::int32_t i) {
    for (auto& group : run.ControlGroups) {
        std::erase(group, i);
        for (std::int32_t& member : group)
            if (member > i) --member;
    }
}

void ResizeWaveFields(GameType& g) {
    g.Waves.resize(g.Orders.size());
    for (auto& field : g.Waves) field.assign(FieldSize(g), 0);
}

}  // namespace tavrine
