#include "state/saved_game.h"

#include <new>
#include <utility>
#include <vector>

#include "state/game_file_bytes.h"
#include "state/invariants.h"
#include "state/saved_sections.h"

namespace tavrine {

namespace {

using gamefile::MalformedFile;
using gamefile::Reader;
using gamefile::Writer;

// ---------------------------------------------------------------- writing

void WriteScalars(Writer& w, const GameType& g) {
    w.I32(kSavedGameMagic);
    w.I32(kSavedGameVersion);
    w.I32(g.CellWidth);
    w.I32(g.CellHeight);
    w.I32(g.Columns);
    w.I32(g.Rows);
    w.I32(g.ViewX);
    w.I32(g.ViewY);
    w.I32(g.MapWidth);
    w.I32(g.MapHeight);
    w.I32(g.SelectedBuilding);
    w.Flag(g.UnitsSelected);
    w.I32(g.GameTime);
    w.I32(g.Money);  // the file keeps Money ahead of Spare1
    w.I32(g.Spare1);
    w.I32(g.OwnProductionTimer);
    w.U8(g.Spare2);
    w.I32(g.Spare3);
    w.U8(g.Spare4);
    w.I32(g.Spare5);
    w.I32(g.EnemyProductionTimer);
    w.U8(g.Spare6);
    w.I32(g.Spare7);
    w.U8(g.Spare8);
    w.I32(g.EnemyBuildingsTotal);
    w.I32(g.EnemyTanksTotal);
    w.I32(g.OwnBuildingsTotal);
    w.I32(g.OwnTanksTotal);
    w.I32(g.Mission);
    w.Flag(g.MapFlag);
}

void WriteObject(Writer& w, const GameCellObjectType& o) {
    w.Image(o.Image);
    w.I32(o.Spare);
    w.I32(o.DestroyTimer);
    w.I32(o.Health);
    w.I32(o.ReloadCounter);
    w.I32(o.TowerState);
    w.I32(o.TowerTarget);
    w.I32(o.AimTicks);
    w.I32(o.RestFacing);
    w.I32(o.ScanCounter);
    w.I32(o.HitTimer);
    w.Count(o.Smoke.size());
    for (const SmokeType& s : o.Smoke) {
        w.Image(s.Image);
        w.I32(s.Reserved);
        w.I32(s.X);
        w.I32(s.Y);
        w.I32(s.Spare);
    }
}

/// The wave number of order k at cell index ci; 0 where the record has no such
/// entry (a record that breaks its own rules still writes a loadable shape).
std::int32_t WaveAt(const GameType& g, std::size_t k, std::int64_t ci) {
    if (k >= g.Waves.size() || ci < 0 || static_cast<std::size_t>(ci) >= g.Waves[k].size()) return 0;
    return g.Waves[k][static_cast<std::size_t>(ci)];
}

void WriteCell(Writer& w, const GameType& g, const GameCellType& c, std::int64_t ci) {
    w.I32(c.X);
    w.I32(c.Y);
    w.U32(c.MinimapColor);
    w.U32(c.GroundColor);
    w.Image(c.Ground);
    w.I32(c.GroundSpare);
    w.Flag(c.Hidden);
    w.Flag(c.Object ? 1 : 0);
    if (c.Object) WriteObject(w, *c.Object);
    w.I32(c.Occupant);
    w.I32(c.LeavingTank);
    w.I32(c.Occupancy);
    w.Flag(c.Clear);
    w.Count(g.Orders.size());
    for (std::size_t k = 0; k < g.Orders.size(); ++k) w.I32(WaveAt(g, k, ci));
}

void WriteTank(Writer& w, const GameObjectType& t) {
    w.I32(t.Index);
    w.U32(t.Color);
    w.I32(t.X);
    w.I32(t.Y);
    w.I32(t.DestX);
    w.I32(t.DestY);
    w.I32(t.PrevX);
    w.I32(t.PrevY);
    w.Image(t.Image);
    w.I32(t.TurretFacing);
    w.U8(t.Spare);
    w.I32(t.Health);
    w.Flag(t.Selected);
    w.I32(t.Order);
    w.Flag(t.NeedsRoute);
    w.Count(t.Route.size());
    for (std::int32_t step : t.Route) w.I32(step);
    w.I32(t.TurnCounter);
    w.I32(t.TurretTicks);
    w.Flag(t.AtRest);
    w.I32(t.ReloadCounter);
    w.I32(t.MuzzleX);
    w.I32(t.MuzzleY);
    w.I32(t.ChanceTarget);  // last in the file, ahead of the muzzle in the record
}

void WriteLists(Writer& w, const GameType& g) {
    w.Count(g.Tanks.size());
    for (const auto& t : g.Tanks) WriteTank(w, *t);

    w.Count(g.Orders.size());
    for (const auto& o : g.Orders) {
        w.I32(o->Index);
        w.I32(o->Kind);
        w.I32(o->TargetRef);
        w.I32(o->State);
        w.Flag(o->Replan);
        w.Flag(o->MemberMoved);
        w.U8(0);
        w.U8(0);
    }

    w.Count(g.Explosions.size());
    for (const ExplosionType& e : g.Explosions) {
        w.I32(e.X);
        w.I32(e.Y);
        w.I32(e.Kind);
        w.I32(e.Frame);
        w.I32(e.Ticks);
    }

    w.Count(g.Shots.size());
    for (const ShotType& s : g.Shots) {
        w.I32(s.TargetX);
        w.I32(s.TargetY);
        w.I32(s.X);
        w.I32(s.Y);
        w.I32(s.Power);
        w.I32(s.Timer);
    }

    w.Count(g.InfoLabels.size());
    for (const InfoLabelType& l : g.InfoLabels) {
        w.I32(l.X);
        w.I32(l.Y);
        w.I32(l.Direction);
        w.I32(l.Life);  // Life and Color ahead of the text in the file
        w.U32(l.Color);
        w.Text(l.Text);
    }
}

// ---------------------------------------------------------------- reading


void ReadScalars(Reader& r, GameType& g) {
    r.Part("game scalars");
    g.CellWidth = r.I32();
    g.CellHeight = r.I32();
    g.Columns = r.I32();
    g.Rows = r.I32();
    g.ViewX = r.I32();
    g.ViewY = r.I32();
    g.MapWidth = r.I32();
    g.MapHeight = r.I32();
    g.SelectedBuilding = r.I32();
    g.UnitsSelected = r.Flag();
    g.GameTime = r.I32();
    g.Money = r.I32();
    g.Spare1 = r.I32();
    g.OwnProductionTimer = r.I32();
    g.Spare2 = r.U8();
    g.Spare3 = r.I32();
    g.Spare4 = r.U8();
    g.Spare5 = r.I32();
    g.EnemyProductionTimer = r.I32();
    g.Spare6 = r.U8();
    g.Spare7 = r.I32();
    g.Spare8 = r.U8();
    g.EnemyBuildingsTotal = r.I32();
    g.EnemyTanksTotal = r.I32();
    g.OwnBuildingsTotal = r.I32();
    g.OwnTanksTotal = r.I32();
    g.Mission = r.I32();
    g.MapFlag = r.Flag();
}

std::unique_ptr<GameCellObjectType> ReadObject(Reader& r) {
    auto o = std::make_unique<GameCellObjectType>();
    o->Image = r.Image();
    o->Spare = r.I32();
    o->DestroyTimer = r.I32();
    o->Health = r.I32();
    o->ReloadCounter = r.I32();
    o->TowerState = r.I32();
    o->TowerTarget = r.I32();
    o->AimTicks = r.I32();
    o->RestFacing = r.I32();
    o->ScanCounter = r.I32();
    o->HitTimer = r.I32();
    o->Smoke.resize(r.Count("smoke puffs", kSmokeBytes));
    for (SmokeType& s : o->Smoke) {
        s.Image = r.Image();
        s.Reserved = r.I32();
        s.X = r.I32();
        s.Y = r.I32();
        s.Spare = r.I32();
    }
    return o;
}

/// The cells' wave entries as the file holds them: cell by cell, column by
/// column. They can only be checked and moved into the per-order fields once the
/// orders have been read.
struct FileWaves {
    std::vector<std::int32_t> Values;
    std::size_t PerCell = 0;
    bool Uneven = false;
    bool Seen = false;
};

void ReadCell(Reader& r, GameCellType& c, FileWaves& waves) {
    c.X = r.I32();
    c.Y = r.I32();
    c.MinimapColor = r.U32();
    c.GroundColor = r.U32();
    c.Ground = r.Image();
    c.GroundSpare = r.I32();
    c.Hidden = r.Flag();
    if (r.Flag()) c.Object = ReadObject(r);
    c.Occupant = r.I32();
    c.LeavingTank = r.I32();
    c.Occupancy = r.I32();
    c.Clear = r.Flag();
    const std::size_t w = r.Count("wave entries", 4);
    if (!waves.Seen) waves.PerCell = w;
    else if (w != waves.PerCell) waves.Uneven = true;
    waves.Seen = true;
    for (std::size_t k = 0; k < w; ++k) waves.Values.push_back(r.I32());
}

void ReadMap(Reader& r, GameType& g, FileWaves& waves) {
    r.Part("map");
    const std::size_t columns = r.Count("columns", 4);
    if (static_cast<std::int64_t>(columns) != g.Columns) r.Fail("the number of columns differs from Columns");
    g.Cells.resize(columns);
    for (auto& column : g.Cells) {
        const std::size_t rows = r.Count("cells", kCellBytes);
        if (static_cast<std::int64_t>(rows) != g.Rows) r.Fail("a column's number of cells differs from Rows");
        column.resize(rows);
        for (GameCellType& c : column) ReadCell(r, c, waves);
    }
}

std::unique_ptr<GameObjectType> ReadTank(Reader& r) {
    auto t = std::make_unique<GameObjectType>();
    t->Index = r.I32();
    t->Color = r.U32();
    t->X = r.I32();
    t->Y = r.I32();
    t->DestX = r.I32();
    t->DestY = r.I32();
    t->PrevX = r.I32();
    t->PrevY = r.I32();
    t->Image = r.Image();
    t->TurretFacing = r.I32();
    t->Spare = r.U8();
    t->Health = r.I32();
    t->Selected = r.Flag();
    t->Order = r.I32();
    t->NeedsRoute = r.Flag();
    t->Route.resize(r.Count("route steps", 4));
    for (std::int32_t& step : t->Route) step = r.I32();
    t->TurnCounter = r.I32();
    t->TurretTicks = r.I32();
    t->AtRest = r.Flag();
    t->ReloadCounter = r.I32();
    t->MuzzleX = r.I32();
    t->MuzzleY = r.I32();
    t->ChanceTarget = r.I32();
    return t;
}

void ReadLists(Reader& r, GameType& g) {
    r.Part("tanks");
    g.Tanks.resize(r.Count("tanks", kTankBytes));
    for (auto& t : g.Tanks) t = ReadTank(r);

    r.Part("orders");
    g.Orders.resize(r.Count("orders", kOrderBytes));
    for (auto& o : g.Orders) {
        o = std::make_unique<OrderType>();
        o->Index = r.I32();
        o->Kind = r.I32();
        o->TargetRef = r.I32();
        o->State = r.I32();
        o->Replan = r.Flag();
        o->MemberMoved = r.Flag();
        r.Skip(2);
    }

    r.Part("explosions");
    g.Explosions.resize(r.Count("explosions", kExplosionBytes));
    for (ExplosionType& e : g.Explosions) {
        e.X = r.I32();
        e.Y = r.I32();
        e.Kind = r.I32();
        e.Frame = r.I32();
        e.Ticks = r.I32();
    }

    r.Part("shots");
    g.Shots.resize(r.Count("shots", kShotBytes));
    for (ShotType& s : g.Shots) {
        s.TargetX = r.I32();
        s.TargetY = r.I32();
        s.X = r.I32();
        s.Y = r.I32();
        s.Power = r.I32();
        s.Timer = r.I32();
    }

    r.Part("labels");
    g.InfoLabels.resize(r.Count("labels", kLabelBytes));
    for (InfoLabelType& l : g.InfoLabels) {
        l.X = r.I32();
        l.Y = r.I32();
        l.Direction = r.I32();
        l.Life = r.I32();
        l.Color = r.U32();
        l.Text = r.Text();
    }
}

/// Moves the cells' wave entries into one field per order, indexed by cell index.
void SpreadWaves(Reader& r, GameType& g, const FileWaves& waves) {
    r.Part("map");
    const std::size_t orders = g.Orders.size();
    if (waves.Uneven || (waves.Seen && waves.PerCell != orders))
        r.Fail("a cell's number of wave entries differs from the number of orders");
    const std::size_t columns = g.Cells.size();
    const std::size_t rows = columns ? g.Cells[0].size() : 0;
    g.Waves.assign(orders, std::vector<std::int32_t>(columns * rows, 0));
    std::size_t next = 0;
    for (std::size_t x = 0; x < columns; ++x)
        for (std::size_t y = 0; y < rows; ++y)
            for (std::size_t k = 0; k < orders; ++k) g.Waves[k][x + y * columns] = waves.Values[next++];
}

void Report(std::string* problem, std::string text) {
    if (problem) *problem = std::move(text);
}

}  // namespace

std::string LoadFailureMessage(LoadResult result, const std::string& name) {
    switch (result) {
        case LoadResult::IoError: return "Data I/O Error";
        case LoadResult::BadMagic: return "File format error";
        case LoadResult::BadVersion: return "File version error";
        case LoadResult::Malformed: return "The game file \"" + name + "\" is damaged and cannot be loaded.";
        case LoadResult::Ok: break;
    }
    return {};
}

Bytes SerializeGame(const GameType& g, bool battleOnly) {
    Bytes out;
    // Room for the fixed-size blocks; objects, routes and texts may add a little.
    const std::size_t cells = static_cast<std::size_t>(g.Cells.size()) * (g.Cells.empty() ? 0 : g.Cells[0].size());
    out.reserve(kHeaderBytes + 4 * g.Cells.size() + cells * (kCellBytes + 4 * g.Orders.size()) + 20 +
                g.Tanks.size() * kTankBytes + g.Orders.size() * kOrderBytes + g.Explosions.size() * kExplosionBytes +
                g.Shots.size() * kShotBytes + g.InfoLabels.size() * kLabelBytes);
    Writer w(out);
    WriteScalars(w, g);
    w.Count(g.Cells.size());
    for (std::size_t x = 0; x < g.Cells.size(); ++x) {
        const auto& column = g.Cells[x];
        w.Count(column.size());
        for (std::size_t y = 0; y < column.size(); ++y)
            WriteCell(w, g, column[y], static_cast<std::int64_t>(x) + static_cast<std::int64_t>(y) * g.Columns);
    }
    WriteLists(w, g);
    if (WriteGameSections(w, g, battleOnly)) {
        // The version field follows the magic.
        const auto version = static_cast<std::uint32_t>(kExtendedGameVersion);
        for (std::size_t i = 0; i < 4; ++i) out[4 + i] = static_cast<std::uint8_t>(version >> (8 * i));
    }
    return out;
}

LoadResult ParseGame(std::span<const std::uint8_t> data, GameType& out, std::string* problem) {
    try {
        Reader r(data);
        // A file too short to hold the magic is no game file either.
        if (data.size() < 4 || r.I32() != kSavedGameMagic) {
            Report(problem, "not a game file");
            return LoadResult::BadMagic;
        }
        const std::int32_t version = r.I32();
        if (version != kSavedGameVersion && version != kExtendedGameVersion) {
            Report(problem, "game file version " + std::to_string(version) + ", expected " + std::to_string(kSavedGameVersion) +
                                " or " + std::to_string(kExtendedGameVersion));
            return LoadResult::BadVersion;
        }
        GameType g;
        FileWaves waves;
        ReadScalars(r, g);
        ReadMap(r, g, waves);
        ReadLists(r, g);
        if (version == kSavedGameVersion && r.Remaining() != 0)
            r.Fail(std::to_string(r.Remaining()) + " bytes follow the last label");
        SpreadWaves(r, g, waves);
        if (version == kExtendedGameVersion) ReadGameSections(r, g);
        r.Part("game record");
        const std::string broken = CheckInvariants(g);
        if (!broken.empty()) r.Fail(broken);
        out = std::move(g);
        return LoadResult::Ok;
    } catch (const MalformedFile& e) {
        Report(problem, e.why);
    } catch (const std::bad_alloc&) {
        Report(problem, "too large to load");
    }
    return LoadResult::Malformed;
}

LoadResult ReadGameFile(const std::string& path, GameType& out, std::string* problem) {
    const auto data = ReadWholeFile(path);
    if (!data) {
        Report(problem, "cannot read " + path);
        return LoadResult::IoError;
    }
    return ParseGame(*data, out, problem);
}

}  // namespace tavrine
