#include "state/invariants.h"

#include <cstdint>

namespace tavrine {

namespace {
std::string At(const char* what, std::size_t i) { return std::string(what) + " " + std::to_string(i) + ": "; }
}  // namespace

std::string CheckInvariants(const GameType& g) {
    if (g.CellWidth < 1 || g.CellWidth > 1024 || g.CellHeight < 1 || g.CellHeight > 1024) return "cell size out of range";
    if (g.Columns < 0 || g.Rows < 0 || g.Columns > kMaxMapSide || g.Rows > kMaxMapSide) return "map size out of range";
    if (g.MapWidth != g.Columns * g.CellWidth) return "MapWidth is not Columns * CellWidth";
    if (g.MapHeight != g.Rows * g.CellHeight) return "MapHeight is not Rows * CellHeight";
    if (g.Cells.size() != static_cast<std::size_t>(g.Columns)) return "Cells does not have Columns columns";
    for (std::size_t x = 0; x < g.Cells.size(); ++x)
        if (g.Cells[x].size() != static_cast<std::size_t>(g.Rows)) return At("column", x) + "not Rows cells";

    const auto cells = static_cast<std::int64_t>(g.Columns) * g.Rows;
    const auto tanks = static_cast<std::int64_t>(g.Tanks.size());
    const auto orders = static_cast<std::int64_t>(g.Orders.size());
    const auto isCell = [&](std::int64_t i) { return i >= 0 && i < cells; };
    const auto isTank = [&](std::int64_t i) { return i >= 0 && i < tanks; };
    const auto onMapOrNone = [&](std::int32_t x, std::int32_t y) {
        return x < 0 ? true : (x < g.Columns && y >= 0 && y < g.Rows);
    };

    if (g.SelectedBuilding != -1 && !isCell(g.SelectedBuilding)) return "SelectedBuilding is not a cell";
    if (g.Waves.size() != g.Orders.size()) return "not one wave field per order";
    for (std::size_t k = 0; k < g.Waves.size(); ++k)
        if (static_cast<std::int64_t>(g.Waves[k].size()) != cells) return At("wave field", k) + "not one entry per cell";

    for (std::size_t k = 0; k < g.Orders.size(); ++k) {
        const OrderType& o = *g.Orders[k];
        if (o.Index != static_cast<std::int32_t>(k)) return At("order", k) + "Index differs from its position";
        if (o.Kind < OrderMove || o.Kind > OrderAttackTank) return At("order", k) + "unknown Kind";
        if (o.State < OrderObsolete || o.State > OrderNew) return At("order", k) + "unknown State";
        if (o.Kind == OrderAttackTank ? !isTank(o.TargetRef) : !isCell(o.TargetRef)) return At("order", k) + "target out of range";
    }
    for (std::size_t i = 0; i < g.Tanks.size(); ++i) {
        const GameObjectType& t = *g.Tanks[i];
        if (t.Index != static_cast<std::int32_t>(i)) return At("tank", i) + "Index differs from its position";
        if (t.Order < -1 || t.Order >= orders) return At("tank", i) + "Order out of range";
        if (t.ChanceTarget != -1 && !isTank(t.ChanceTarget)) return At("tank", i) + "ChanceTarget out of range";
        if (!onMapOrNone(t.DestX, t.DestY)) return At("tank", i) + "destination off the map";
        if (!onMapOrNone(t.PrevX, t.PrevY)) return At("tank", i) + "previous cell off the map";
        for (std::int32_t step : t.Route)
            if (!isCell(step)) return At("tank", i) + "route leaves the map";
    }
    for (std::size_t x = 0; x < g.Cells.size(); ++x) {
        for (std::size_t y = 0; y < g.Cells[x].size(); ++y) {
            const GameCellType& c = g.Cells[x][y];
            if (c.Occupancy == CellTank && !isTank(c.Occupant))
                return At("cell", x + y * g.Cells.size()) + "occupant is not a tank";
            if (c.Occupancy == CellObject && !isCell(c.Occupant))
                return At("cell", x + y * g.Cells.size()) + "occupant is not a cell";
            if (c.Object && c.Object->TowerState == 1 && !isTank(c.Object->TowerTarget))
                return At("cell", x + y * g.Cells.size()) + "tower target is not a tank";
        }
    }
    return {};
}

}  // namespace tavrine
