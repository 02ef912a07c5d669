// The game file sections of the player's commands: the tanks' order queues
// (QUEU), the factories' rally cells (RALY) and the attack-moves in progress
// (AMOV). Each is written only when the game has something for it.
//
//   QUEU  int32 N, then N times: int32 tank, int32 M, M times (int32 kind, int32 target)
//         tanks in increasing order, M >= 1; kind 0 move (target a cell), 1 attack a
//         building (its anchor cell), 2 attack a tank (its index), 3 attack-move (a cell)
//   RALY  int32 N, then N times: int32 anchor cell of a factory, int32 rally cell
//         anchors in increasing order
//   AMOV  int32 N, then N times: int32 tank, int32 cell, int8 fighting (0 or 1)
//         tanks in increasing order
#include "state/section_commands.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace tavrine {

namespace {

bool CellIndexValid(const GameType& g, std::int32_t i) { return i >= 0 && i < g.Columns * g.Rows; }

/// Reads a tank index that must follow `previous` and name a tank.
std::int32_t TankAfter(gamefile::Reader& r, const GameType& g, std::int32_t previous) {
    const std::int32_t i = r.I32();
    if (i <= previous || static_cast<std::size_t>(i) >= g.Tanks.size())
        r.Fail("tank " + std::to_string(i) + " is not a later tank of the list");
    return i;
}

std::int32_t Cell(gamefile::Reader& r, const GameType& g) {
    const std::int32_t c = r.I32();
    if (!CellIndexValid(g, c)) r.Fail("cell " + std::to_string(c) + " is not on the map");
    return c;
}

}  // namespace

void WriteQueues(gamefile::Writer& w, const GameType& g) {
    std::size_t n = 0;
    for (const auto& t : g.Tanks) n += t->Queue.empty() ? 0 : 1;
    if (n == 0) return;
    w.Count(n);
    for (const auto& t : g.Tanks) {
        if (t->Queue.empty()) continue;
        w.I32(t->Index);
        w.Count(t->Queue.size());
        for (const QueuedOrder& q : t->Queue) {
            w.I32(q.Kind);
            w.I32(q.TargetRef);
        }
    }
}

void ReadQueues(gamefile::Reader& r, GameType& g) {
    const std::size_t n = r.Count("queues", 8);
    std::int32_t previous = -1;
    for (std::size_t k = 0; k < n; ++k) {
        const std::int32_t i = previous = TankAfter(r, g, previous);
        const std::size_t m = r.Count("queued orders", 8);
        if (m == 0) r.Fail("an empty queue");
        auto& queue = g.Tanks[static_cast<std::size_t>(i)]->Queue;
        queue.resize(m);
        for (QueuedOrder& q : queue) {
            q.Kind = r.I32();
            q.TargetRef = r.I32();
            const bool ok = q.Kind == QueuedAttackTank ? q.TargetRef >= 0 && static_cast<std::size_t>(q.TargetRef) < g.Tanks.size()
                            : q.Kind >= QueuedMove && q.Kind <= QueuedAttackMove ? CellIndexValid(g, q.TargetRef)
                                                                              : false;
            if (!ok) r.Fail("a queued order of kind " + std::to_string(q.Kind) + " on " + std::to_string(q.TargetRef));
        }
    }
}

void WriteRallies(gamefile::Writer& w, const GameType& g) {
    std::vector<std::pair<std::int32_t, std::int32_t>> rallies;
    // The cells as they are held (a record being edited may not match its size yet).
    for (std::size_t x = 0; x < g.Cells.size(); ++x)
        for (std::size_t y = 0; y < g.Cells[x].size(); ++y)
            if (const GameCellObjectType* o = g.Cells[x][y].Object.get(); o && o->Rally >= 0)
                rallies.emplace_back(static_cast<std::int32_t>(x) + static_cast<std::int32_t>(y) * g.Columns, o->Rally);
    if (rallies.empty()) return;
    std::sort(rallies.begin(), rallies.end());
    w.Count(rallies.size());
    for (const auto& [anchor, cell] : rallies) {
        w.I32(anchor);
        w.I32(cell);
    }
}

void ReadRallies(gamefile::Reader& r, GameType& g) {
    const std::size_t n = r.Count("rally cells", 8);
    std::int32_t previous = -1;
    for (std::size_t k = 0; k < n; ++k) {
        const std::int32_t anchor = r.I32();
        if (anchor <= previous || !CellIndexValid(g, anchor)) r.Fail("anchor " + std::to_string(anchor) + " out of order or off the map");
        previous = anchor;
        const auto x = static_cast<std::size_t>(anchor % g.Columns), y = static_cast<std::size_t>(anchor / g.Columns);
        GameCellObjectType* o = x < g.Cells.size() && y < g.Cells[x].size() ? g.Cells[x][y].Object.get() : nullptr;
        if (!o || o->Kind() != KindBuilding || o->BuildingType() != BuildingFactory)
            r.Fail("no factory at anchor " + std::to_string(anchor));
        o->Rally = Cell(r, g);
    }
}

void WriteAttackMoves(gamefile::Writer& w, const GameType& g) {
    std::size_t n = 0;
    for (const auto& t : g.Tanks) n += t->AttackMoveCell >= 0 ? 1 : 0;
    if (n == 0) return;
    w.Count(n);
    for (const auto& t : g.Tanks) {
        if (t->AttackMoveCell < 0) continue;
        w.I32(t->Index);
        w.I32(t->AttackMoveCell);
        w.Flag(t->AttackMoveFighting);
    }
}

void ReadAttackMoves(gamefile::Reader& r, GameType& g) {
    const std::size_t n = r.Count("attack-moves", 9);
    std::int32_t previous = -1;
    for (std::size_t k = 0; k < n; ++k) {
        const std::int32_t i = previous = TankAfter(r, g, previous);
        GameObjectType& t = *g.Tanks[static_cast<std::size_t>(i)];
        t.AttackMoveCell = Cell(r, g);
        const std::uint8_t fighting = r.U8();
        if (fighting > 1) r.Fail("the fighting flag must be 0 or 1");
        t.AttackMoveFighting = fighting;
    }
}

}  // namespace tavrine
