#include "editor/footprint.h"

#include "sim/grid.h"

namespace tavrine {

void ReleaseFootprint(GameType& g, std::int32_t anchor) {
    for (auto& column : g.Cells) {
        for (auto& c : column) {
            if (c.Occupancy != CellObject || c.Occupant != anchor) continue;
            c.Occupancy = CellFree;
            c.Occupant = -1;
            c.MinimapColor = c.GroundColor;
        }
    }
}

bool HoldsLiveMark(const GameType& g, const GameCellType& c) {
    if (c.Occupancy == CellTank) return TankAt(g, c.Occupant) != nullptr;
    if (c.Occupancy == CellObject) return ObjectAt(g, c.Occupant) != nullptr;
    return false;
}

}  // namespace tavrine
