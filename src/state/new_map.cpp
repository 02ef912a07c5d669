#include "state/new_map.h"

#include "state/lists.h"

namespace tavrine {

void NewMap(GameType& g, RunState& run, std::int32_t columns, std::int32_t rows, std::uint8_t mapFlag, std::int32_t mission) {
    run.MinimapZoom2 = 1;
    // A negative size can only come from a faulty caller; it makes an empty map
    // rather than an impossible one.
    if (columns < 0 || rows < 0) columns = rows = 0;
    g.Columns = columns;
    g.Rows = rows;
    g.ViewX = 0;
    g.ViewY = 0;
    g.MapWidth = g.CellWidth * columns;
    g.MapHeight = g.CellHeight * rows;
    g.SelectedBuilding = -1;
    g.UnitsSelected = 0;
    g.Mission = mission;

    g.Tanks.clear();
    g.Orders.clear();
    g.Explosions.clear();
    g.Shots.clear();
    g.InfoLabels.clear();
    g.Cells.clear();
    g.Cells.resize(static_cast<std::size_t>(columns));
    for (std::int32_t x = 0; x < columns; ++x) {
        auto& column = g.Cells[static_cast<std::size_t>(x)];
        column.resize(static_cast<std::size_t>(rows));
        for (std::int32_t y = 0; y < rows; ++y) {
            GameCellType& c = column[static_cast<std::size_t>(y)];
            c.X = x * g.CellWidth;
            c.Y = y * g.CellHeight;
            c.Ground = ImageRef{0, 0, 0, 0};
            c.MinimapColor = kWaterColor;
            c.GroundColor = kWaterColor;
            c.Hidden = 1;
            c.Clear = 1;
        }
    }
    ResizeWaveFields(g);

    g.GameTime = 0;
    g.Money = 0;
    g.Spare1 = 1;
    g.OwnProductionTimer = 0;
    g.Spare2 = 0;
    g.Spare3 = 0;
    g.Spare4 = 0;
    g.Spare5 = 0;
    g.EnemyProductionTimer = 0;
    g.Spare6 = 0;
    g.Spare7 = 0;
    g.Spare8 = 0;
    g.EnemyBuildingsTotal = 0;
    g.EnemyTanksTotal = 0;
    g.OwnBuildingsTotal = 0;
    g.OwnTanksTotal = 0;
    g.MapFlag = mapFlag;
    run.MinimapState = 0;
}

void StartNewGame(GameType& g) {
    g.GameTime = 0;
    g.Tally = {};
    g.Money = kStartingMoney;
    g.OwnBuildingsTotal = g.EnemyBuildingsTotal = 0;
    g.OwnTanksTotal = g.EnemyTanksTotal = 0;
    for (const auto& column : g.Cells) {
        for (const auto& c : column) {
            if (!c.Object || (c.Object->Kind() != KindTower && c.Object->Kind() != KindBuilding)) continue;
            if (c.Object->Side() == SidePlayer) ++g.OwnBuildingsTotal;
            else if (c.Object->Side() == SideComputer) ++g.EnemyBuildingsTotal;
        }
    }
    for (const auto& t : g.Tanks) {
        if (t->Side() == SidePlayer) ++g.OwnTanksTotal;
        else if (t->Side() == SideComputer) ++g.EnemyTanksTotal;
    }
}

}  // namespace tavrine
