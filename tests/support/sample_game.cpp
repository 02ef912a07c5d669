#include "support/sample_game.h"

#include "sim/grid.h"
#include "state/lists.h"
#include "support/test_world.h"

namespace tavrine::test {

namespace {

void SetScalars(GameType& g) {
    g.ViewX = 17;
    g.ViewY = 23;
    g.SelectedBuilding = CellIndex(g, 2, 1);
    g.UnitsSelected = 1;
    g.GameTime = 321;
    g.Spare1 = 9;
    g.Money = 4567;
    g.OwnProductionTimer = 44;
    g.Spare2 = 0xAB;  // reserved bytes are kept as they are, not as Booleans
    g.Spare3 = -3;
    g.Spare4 = 4;
    g.Spare5 = 55555;
    g.EnemyProductionTimer = 66;
    g.Spare6 = 6;
    g.Spare7 = -7;
    g.Spare8 = 8;
    g.EnemyBuildingsTotal = 2;
    g.EnemyTanksTotal = 5;
    g.OwnBuildingsTotal = 1;
    g.OwnTanksTotal = 3;
    g.Mission = 4;
    g.MapFlag = 0;
}

void AddObjects(GameType& g, const ImageLibrary& lib) {
    GameCellObjectType& tower = PutObject(g, lib, 0, 1, {2, 1, 0, 5});
    tower.Spare = 12;
    tower.Health = 40;
    tower.ReloadCounter = 13;
    tower.TowerState = 1;
    tower.TowerTarget = 0;
    tower.AimTicks = 14;
    tower.RestFacing = 3;
    tower.ScanCounter = 15;
    tower.HitTimer = 660;
    SmokeType puff;
    puff.Image.Frame = 2;
    puff.Reserved = 16;
    puff.X = 5;
    puff.Y = 45;
    puff.Spare = 17;
    tower.Smoke.push_back(puff);
    puff.Image = {0, 5, 0, 4};
    puff.X = 12;
    tower.Smoke.push_back(puff);

    GameCellObjectType& factory = PutObject(g, lib, 2, 1, {3, 0, 1, 0});
    factory.DestroyTimer = 31;
    factory.Health = 0;

    GameCellObjectType& wall = PutObject(g, lib, 3, 0, {1, 2, 1, 0});
    wall.Health = 100;
}

void AddTanks(GameType& g, const ImageLibrary& lib) {
    GameObjectType& mine = *g.Tanks[static_cast<std::size_t>(PutTank(g, lib, 1, 0, 0, 12))];
    mine.Selected = 1;
    mine.NeedsRoute = 1;
    mine.Order = 0;
    mine.Route = {CellIndex(g, 1, 2), CellIndex(g, 1, 1)};
    mine.DestX = 1;
    mine.DestY = 1;
    mine.PrevX = 1;
    mine.PrevY = 0;
    mine.TurretFacing = 7;
    mine.TurnCounter = 2;
    mine.TurretTicks = 3;
    mine.AtRest = 0;
    mine.ReloadCounter = 19;

    GameObjectType& theirs = *g.Tanks[static_cast<std::size_t>(PutTank(g, lib, 1, 2, 1, 4))];
    theirs.Order = 1;
    theirs.ChanceTarget = 0;
    theirs.MuzzleX = 61;
    theirs.MuzzleY = 62;
    theirs.Health = 35;
    theirs.Image.List = 1;

    GameObjectType& neutral = *g.Tanks[static_cast<std::size_t>(PutTank(g, lib, 0, 2, 2, 0))];
    neutral.Spare = 0;
    neutral.Route = {CellIndex(g, 0, 0)};
    g.Cell(0, 0).LeavingTank = 2;
    g.Cell(0, 0).Clear = 0;
}

void AddOrders(GameType& g) {
    AddOrder(g, OrderMove, CellIndex(g, 1, 1), OrderReady);
    const std::int32_t attack = AddOrder(g, OrderAttackTank, 0, OrderFlooding);
    g.Orders[static_cast<std::size_t>(attack)]->Replan = 1;
    g.Orders[static_cast<std::size_t>(attack)]->MemberMoved = 0;
    for (std::size_t k = 0; k < g.Waves.size(); ++k)
        for (std::size_t ci = 0; ci < g.Waves[k].size(); ++ci)
            g.Waves[k][ci] = static_cast<std::int32_t>(100 * (k + 1) + ci);
}

void AddEffects(GameType& g) {
    g.Explosions.push_back({70, 80, 0, 3, 5});
    g.Explosions.push_back({90, 20, 1, -1, 6});
    g.Shots.push_back({100, 40, 52, 20, 25, 0xFFFF});
    g.InfoLabels.push_back({40, 30, 2, "+2000", 90, 0x00FFFF});
    g.InfoLabels.push_back({41, 31, 7, "", -1, 0x0000FF});
    g.InfoLabels.push_back({42, 32, 0, "say \"hi\"\\\n\xC3\xA9", 3, 0xFFFFFFFFu});
}

}  // namespace

GameType MakeSampleGame() {
    const ImageLibrary lib = MakeTestLibrary();
    GameType g = MakeMap({
        "~..^",
        "....",
        "..~.",
    });
    SetScalars(g);
    g.Cell(3, 2).Hidden = 1;
    g.Cell(2, 0).GroundSpare = 77;
    g.Cell(1, 1).Ground.Frame = 7;  // a tank wreck
    AddObjects(g, lib);
    AddTanks(g, lib);
    AddOrders(g);
    AddEffects(g);
    return g;
}

}  // namespace tavrine::test
