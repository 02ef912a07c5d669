#include "state/game_json.h"

namespace tavrine {

namespace {

void WriteImage(JsonWriter& w, std::string_view key, const ImageRef& r) {
    w.Key(key).BeginArray().Value(r.Group).Value(r.Subgroup).Value(r.List).Value(r.Frame).EndArray();
}

void WriteObject(JsonWriter& w, const GameCellObjectType& o) {
    w.BeginObject();
    WriteImage(w, "Image", o.Image);
    w.Field("Spare", o.Spare)
        .Field("DestroyTimer", o.DestroyTimer)
        .Field("Health", o.Health)
        .Field("ReloadCounter", o.ReloadCounter)
        .Field("TowerState", o.TowerState)
        .Field("TowerTarget", o.TowerTarget)
        .Field("AimTicks", o.AimTicks)
        .Field("RestFacing", o.RestFacing)
        .Field("ScanCounter", o.ScanCounter)
        .Field("HitTimer", o.HitTimer);
    if (o.Kind() == KindBuilding) w.Field("Rally", o.Rally);
    w.Key("Smoke").BeginArray();
    for (const SmokeType& s : o.Smoke) {
        w.BeginObject();
        WriteImage(w, "Image", s.Image);
        w.Field("Reserved", s.Reserved).Field("X", s.X).Field("Y", s.Y).Field("Spare", s.Spare);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

void WriteCell(JsonWriter& w, const GameType& g, const GameCellType& c, std::int64_t ci) {
    w.BeginObject();
    w.Field("X", c.X)
        .Field("Y", c.Y)
        .Field("MinimapColor", std::int64_t{c.MinimapColor})
        .Field("GroundColor", std::int64_t{c.GroundColor});
    WriteImage(w, "Ground", c.Ground);
    w.Field("GroundSpare", c.GroundSpare).Field("Hidden", c.Hidden);
    w.Key("Object");
    if (c.Object) WriteObject(w, *c.Object);
    else w.Null();
    w.Field("Occupant", c.Occupant)
        .Field("LeavingTank", c.LeavingTank)
        .Field("Occupancy", c.Occupancy)
        .Field("Clear", c.Clear);
    w.Key("Waves").BeginArray();
    for (const auto& field : g.Waves)
        w.Value(ci >= 0 && static_cast<std::size_t>(ci) < field.size() ? field[static_cast<std::size_t>(ci)] : 0);
    w.EndArray();
    w.EndObject();
}

const char* QueuedKindName(std::int32_t kind) {
    switch (kind) {
        case QueuedMove: return "move";
        case QueuedAttackBuilding: return "attack-building";
        case QueuedAttackTank: return "attack-tank";
        case QueuedAttackMove: return "attack-move";
        default: return "unknown";
    }
}

/// The cell a queued order leads to: its cell, the attacked building's anchor,
/// or the cell the attacked tank stands on (its centre, taking the picture as a
/// cell large); -1 when that tank is gone.
std::int64_t QueuedCell(const GameType& g, const QueuedOrder& q) {
    if (q.Kind != QueuedAttackTank) return q.TargetRef;
    if (q.TargetRef < 0 || static_cast<std::size_t>(q.TargetRef) >= g.Tanks.size() || g.CellWidth <= 0 || g.CellHeight <= 0) return -1;
    const GameObjectType& t = *g.Tanks[static_cast<std::size_t>(q.TargetRef)];
    return std::int64_t{(t.Y + g.CellHeight / 2) / g.CellHeight} * g.Columns + (t.X + g.CellWidth / 2) / g.CellWidth;
}

void WriteTank(JsonWriter& w, const GameType& g, const GameObjectType& t) {
    w.BeginObject();
    w.Field("Index", t.Index)
        .Field("Color", std::int64_t{t.Color})
        .Field("X", t.X)
        .Field("Y", t.Y)
        .Field("DestX", t.DestX)
        .Field("DestY", t.DestY)
        .Field("PrevX", t.PrevX)
        .Field("PrevY", t.PrevY);
    WriteImage(w, "Image", t.Image);
    w.Field("TurretFacing", t.TurretFacing)
        .Field("Spare", t.Spare)
        .Field("Health", t.Health)
        .Field("Selected", t.Selected)
        .Field("Order", t.Order)
        .Field("NeedsRoute", t.NeedsRoute);
    w.Key("Route").BeginArray();
    for (std::int32_t step : t.Route) w.Value(step);
    w.EndArray();
    w.Field("TurnCounter", t.TurnCounter)
        .Field("TurretTicks", t.TurretTicks)
        .Field("AtRest", t.AtRest)
        .Field("ReloadCounter", t.ReloadCounter)
        .Field("ChanceTarget", t.ChanceTarget)
        .Field("MuzzleX", t.MuzzleX)
        .Field("MuzzleY", t.MuzzleY);
    w.Key("Queue").BeginArray();
    for (const QueuedOrder& q : t.Queue) {
        w.BeginObject().Field("Kind", QueuedKindName(q.Kind)).Field("Target", q.TargetRef);
        w.Field("Cell", QueuedCell(g, q)).EndObject();
    }
    w.EndArray();
    w.Field("AttackMove", t.AttackMoveCell);
    w.EndObject();
}

void WriteLists(JsonWriter& w, const GameType& g) {
    w.Key("Tanks").BeginArray();
    for (const auto& t : g.Tanks) WriteTank(w, g, *t);
    w.EndArray();

    w.Key("Orders").BeginArray();
    for (const auto& o : g.Orders)
        w.BeginObject()
            .Field("Index", o->Index)
            .Field("Kind", o->Kind)
            .Field("TargetRef", o->TargetRef)
            .Field("State", o->State)
            .Field("Replan", o->Replan)
            .Field("MemberMoved", o->MemberMoved)
            .EndObject();
    w.EndArray();

    w.Key("Explosions").BeginArray();
    for (const ExplosionType& e : g.Explosions)
        w.BeginObject()
            .Field("X", e.X)
            .Field("Y", e.Y)
            .Field("Kind", e.Kind)
            .Field("Frame", e.Frame)
            .Field("Ticks", e.Ticks)
            .EndObject();
    w.EndArray();

    w.Key("Shots").BeginArray();
    for (const ShotType& s : g.Shots)
        w.BeginObject()
            .Field("TargetX", s.TargetX)
            .Field("TargetY", s.TargetY)
            .Field("X", s.X)
            .Field("Y", s.Y)
            .Field("Power", s.Power)
            .Field("Timer", s.Timer)
            .EndObject();
    w.EndArray();

    w.Key("InfoLabels").BeginArray();
    for (const InfoLabelType& l : g.InfoLabels)
        w.BeginObject()
            .Field("X", l.X)
            .Field("Y", l.Y)
            .Field("Direction", l.Direction)
            .Field("Text", std::string_view(l.Text))
            .Field("Life", l.Life)
            .Field("Color", std::int64_t{l.Color})
            .EndObject();
    w.EndArray();
}

}  // namespace

void WriteGameFields(JsonWriter& w, const GameType& g) {
    w.Field("CellWidth", g.CellWidth)
        .Field("CellHeight", g.CellHeight)
        .Field("Columns", g.Columns)
        .Field("Rows", g.Rows)
        .Field("ViewX", g.ViewX)
        .Field("ViewY", g.ViewY)
        .Field("MapWidth", g.MapWidth)
        .Field("MapHeight", g.MapHeight)
        .Field("SelectedBuilding", g.SelectedBuilding)
        .Field("UnitsSelected", g.UnitsSelected)
        .Field("GameTime", g.GameTime)
        .Field("Spare1", g.Spare1)
        .Field("Money", g.Money)
        .Field("OwnProductionTimer", g.OwnProductionTimer)
        .Field("Spare2", g.Spare2)
        .Field("Spare3", g.Spare3)
        .Field("Spare4", g.Spare4)
        .Field("Spare5", g.Spare5)
        .Field("EnemyProductionTimer", g.EnemyProductionTimer)
        .Field("Spare6", g.Spare6)
        .Field("Spare7", g.Spare7)
        .Field("Spare8", g.Spare8)
        .Field("EnemyBuildingsTotal", g.EnemyBuildingsTotal)
        .Field("EnemyTanksTotal", g.EnemyTanksTotal)
        .Field("OwnBuildingsTotal", g.OwnBuildingsTotal)
        .Field("OwnTanksTotal", g.OwnTanksTotal)
        .Field("Mission", g.Mission)
        .Field("MapFlag", g.MapFlag);

    w.Key("Cells").BeginArray();
    for (std::size_t x = 0; x < g.Cells.size(); ++x) {
        w.BeginArray();
        for (std::size_t y = 0; y < g.Cells[x].size(); ++y)
            WriteCell(w, g, g.Cells[x][y], static_cast<std::int64_t>(x) + static_cast<std::int64_t>(y) * g.Columns);
        w.EndArray();
    }
    w.EndArray();

    WriteLists(w, g);
}

std::string GameToJson(const GameType& g) {
    JsonWriter w;
    w.BeginObject();
    WriteGameFields(w, g);
    w.EndObject();
    return w.Text();
}

}  // namespace tavrine
