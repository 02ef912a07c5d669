// The game record: everything of one battle, written whole by a saved game.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/image_ref.h"
#include "platform/skirmish_setup.h"

namespace tavrine {

/// Object kinds: the group of an object's picture.
enum ObjectKind : std::int32_t { KindDecoration = 1, KindTower = 2, KindBuilding = 3, KindTank = 4 };

/// Building types: the list of a building's picture. Any other value is a plain building.
enum BuildingTypeCode : std::int32_t { BuildingHeadquarters = 0, BuildingFactory = 1 };

/// Sides: the subgroup of an object's or tank's picture. Any other value is neutral.
enum SideCode : std::int32_t { SidePlayer = 0, SideComputer = 1 };

/// Order kinds.
enum OrderKind : std::int32_t { OrderMove = 0, OrderAttackBuilding = 1, OrderAttackTank = 2 };

/// What a tank's queue may hold: the order kinds, and an attack-move (a move to
/// a cell that stops to fight every enemy met within the alert radius).
enum QueuedKind : std::int32_t { QueuedMove = OrderMove, QueuedAttackBuilding = OrderAttackBuilding,
                                 QueuedAttackTank = OrderAttackTank, QueuedAttackMove = 3 };

/// One order waiting in a tank's queue until the orders before it are done.
struct QueuedOrder {
    std::int32_t Kind = QueuedMove;  ///< QueuedKind
    std::int32_t TargetRef = 0;  ///< cell index (move, attack-move), anchor cell index or tank index

    friend bool operator==(const QueuedOrder&, const QueuedOrder&) = default;
};

/// Order states.
enum OrderState : std::int32_t {
    OrderObsolete = -1,
    OrderReady = 0,
    OrderFlooding = 1,
    OrderNew = 2,
};

/// Cell occupancy marks.
enum OccupancyCode : std::int32_t { CellFree = 0, CellTank = 1, CellObject = 2 };

/// One smoke puff of a damaged object.
struct SmokeType {
    ImageRef Image{0, 5, 0, 0};
    std::int32_t Reserved = 0;
    std::int32_t X = 0;  ///< map pixels of the puff's top-left
    std::int32_t Y = 0;
    std::int32_t Spare = 0;

    friend bool operator==(const SmokeType&, const SmokeType&) = default;
};

/// A decoration, gun tower or building, owned by its anchor cell (the top-left
/// cell of its footprint).
struct GameCellObjectType {
    ImageRef Image;  ///< Group = Kind, Subgroup = Side, List = BuildingType, Frame = Facing
    std::int32_t Spare = 0;
    std::int32_t DestroyTimer = -1;  ///< -1 while intact; counts down from 50 while burning
    std::int32_t Health = 100;
    std::int32_t ReloadCounter = 0;
    std::int32_t TowerState = 0;  ///< 0 idle, 1 has a tank as target
    std::int32_t TowerTarget = -1;  ///< tank index, -1 for none
    std::int32_t AimTicks = 0;
    std::int32_t RestFacing = 0;
    std::int32_t ScanCounter = 0;
    std::int32_t HitTimer = 0;
    std::vector<SmokeType> Smoke;
    std::int32_t Rally = -1;  ///< a factory's rally cell index, -1 for none

    std::int32_t Kind() const { return Image.Group; }
    std::int32_t Side() const { return Image.Subgroup; }
    std::int32_t BuildingType() const { return Image.List; }
    std::int32_t Facing() const { return Image.Frame; }

    friend bool operator==(const GameCellObjectType&, const GameCellObjectType&) = default;
};

/// One map cell. Its `Waves` (one wave number per order) are stored per order in
/// `GameType::Waves`; see `CellWaves`.
struct GameCellType {
    std::int32_t X = 0;  ///< left pixel, x * CellWidth
    std::int32_t Y = 0;  ///< top pixel, y * CellHeight
    Color MinimapColor = 0;
    Color GroundColor = 0;
    ImageRef Ground;
    std::int32_t GroundSpare = 0;
    std::uint8_t Hidden = 0;  ///< fog of war: 1 until the player has seen the cell
    std::unique_ptr<GameCellObjectType> Object;  ///< the object anchored here, if any
    std::int32_t Occupant = 0;  ///< tank index (Occupancy 1) or anchor cell index (Occupancy 2)
    std::int32_t LeavingTank = 0;  ///< tank driving off this cell, -1 for none
    std::int32_t Occupancy = 0;  ///< OccupancyCode
    std::uint8_t Clear = 0;  ///< 1 when no tank is still driving off this cell
};

/// Whether a tank of a group that keeps together waits this tick for the
/// group's last tanks (sim/groups.h). Not saved and not part of the tank's value
/// (it always compares equal): the pacing decides it afresh before every tick's
/// movement, from what the game file holds.
struct GroupHold {
    std::uint8_t On = 0;

    friend bool operator==(const GroupHold&, const GroupHold&) { return true; }
};

/// A tank.
struct GameObjectType {
    std::int32_t Index = 0;  ///< its position in `Tanks`
    tavrine::Color Color = 0;
    std::int32_t X = 0;  ///< top-left of the picture, map pixels
    std::int32_t Y = 0;
    std::int32_t DestX = -1;  ///< cell being entered, -1 for none
    std::int32_t DestY = -1;
    std::int32_t PrevX = -1;  ///< cell being left, -1 for none
    std::int32_t PrevY = -1;
    ImageRef Image;  ///< group 4, Subgroup = Side, List = Model, Frame = HullFacing
    std::int32_t TurretFacing = 0;
    std::uint8_t Spare = 1;
    std::int32_t Health = 100;
    std::uint8_t Selected = 0;
    std::int32_t Order = -1;  ///< index into `Orders`, -1 for none
    std::uint8_t NeedsRoute = 0;
    std::vector<std::int32_t> Route;  ///< cell indices; the next step is the last element
    std::int32_t TurnCounter = 0;
    std::int32_t TurretTicks = 0;
    std::uint8_t AtRest = 1;
    std::int32_t ReloadCounter = 0;
    std::int32_t ChanceTarget = -1;  ///< tank index, -1 for none
    std::int32_t MuzzleX = -1;  ///< map pixel of the last muzzle flash, -1 for none
    std::int32_t MuzzleY = -1;
    /// The orders to take, first to last, once the current one is done.
    std::vector<QueuedOrder> Queue;
    /// The cell an attack-move leads to, -1 when the tank is on none.
    std::int32_t AttackMoveCell = -1;
    /// 1 while an attack-moving tank has stopped to fight; it drives on when
    /// the fight is over.
    std::uint8_t AttackMoveFighting = 0;
    GroupHold Held;  ///< not saved; see GroupHold

    std::int32_t Side() const { return Image.Subgroup; }
    std::int32_t Model() const { return Image.List; }
    std::int32_t HullFacing() const { return Image.Frame; }
    void SetHullFacing(std::int32_t facing) { Image.Frame = facing; }

    friend bool operator==(const GameObjectType&, const GameObjectType&) = default;
};

/// The path finding's working memory for one order's wave field. Not saved and
/// not part of the order's value (it always compares equal); the planning
/// rebuilds it from `Waves` whenever it is missing or was made for another field.
/// Code that writes an order's `Waves` by hand resets it to {}.
struct WaveFrontier {
    /// Numbered cells the next sweep must visit, one bit per cell, column by
    /// column, each column padded to whole 64-bit words.
    std::vector<std::uint64_t> Pending;
    /// Unnumbered cells beside numbered ones that could not be entered when they
    /// were offered a number, as x, y pairs; WaitingBits marks them (same layout).
    std::vector<std::int32_t> Waiting;
    std::vector<std::uint64_t> WaitingBits;
    /// Cells whose wave number is not 0 (same layout): a sweep asks these bits
    /// about a visit's neighbours, a few words, instead of three rows of the field.
    std::vector<std::uint64_t> Numbered;
    std::int32_t Columns = 0;
    std::int32_t Rows = 0;
    const std::int32_t* Field = nullptr;  ///< the field it describes

    friend bool operator==(const WaveFrontier&, const WaveFrontier&) { return true; }
};

/// The distances a group that keeps together is paced by: the order's field as
/// flooded through tanks when it is made, kept while the order's own field is
/// flooded anew around tanks in the way. Not saved and not part of the order's
/// value (it always compares equal); the pacing floods it again when it is
/// missing, as after loading, or was made for another target cell.
struct GroupPaceField {
    std::vector<std::int32_t> Field;  ///< Columns * Rows wave numbers by CellIndex
    std::int32_t Target = -1;         ///< the target cell it was flooded from
    WaveFrontier Frontier;

    friend bool operator==(const GroupPaceField&, const GroupPaceField&) { return true; }
};

/// A move or attack order, shared by every tank whose `Order` names it.
struct OrderType {
    std::int32_t Index = 0;
    std::int32_t Kind = 0;  ///< OrderKind
    std::int32_t TargetRef = 0;  ///< cell index (kinds 0, 1) or tank index (kind 2)
    std::int32_t State = OrderNew;  ///< OrderState
    std::uint8_t Replan = 0;
    std::uint8_t MemberMoved = 1;
    WaveFrontier Frontier;  ///< not saved; see WaveFrontier
    /// The members move as a group: none drives ahead of the group's last by more
    /// than a few cells (sim/groups.h). Not in the version 2 layout: a game with
    /// such an order keeps it, and the two fields below, in the GRUP section.
    std::uint8_t Together = 0;
    std::int32_t PaceDistance = 0;  ///< the group's last tank's distance to the target at the last pacing, 0 none
    std::int32_t PaceStall = 0;  ///< pacings since PaceDistance last shrank
    GroupPaceField PaceField;  ///< not saved; see GroupPaceField

    friend bool operator==(const OrderType&, const OrderType&) = default;
};

struct ExplosionType {
    std::int32_t X = 0;  ///< centre, map pixels
    std::int32_t Y = 0;
    std::int32_t Kind = 0;  ///< 0 tank destroyed, 1 burning building
    std::int32_t Frame = 0;  ///< -1 when finished
    std::int32_t Ticks = 0;

    friend bool operator==(const ExplosionType&, const ExplosionType&) = default;
};

struct ShotType {
    std::int32_t TargetX = 0;  ///< impact point, map pixels
    std::int32_t TargetY = 0;
    std::int32_t X = 0;  ///< current position, map pixels
    std::int32_t Y = 0;
    std::int32_t Power = 0;
    std::int32_t Timer = 0xFFFF;  ///< negative: explode and be removed

    friend bool operator==(const ShotType&, const ShotType&) = default;
};

struct InfoLabelType {
    std::int32_t X = 0;  ///< map pixels
    std::int32_t Y = 0;
    std::int32_t Direction = 0;  ///< drift direction code 0..7
    std::string Text;
    std::int32_t Life = 0;  ///< frames left; removed when negative
    tavrine::Color Color = 0;

    friend bool operator==(const InfoLabelType&, const InfoLabelType&) = default;
};

/// What a saved campaign battle keeps beside the record: the mission's map
/// file name in NewGames (empty: no campaign battle), and the tanks the player
/// built and the money earned so far.
struct BattleTally {
    std::string CampaignMap;
    std::int32_t TanksBuilt = 0;
    std::int32_t MoneyEarned = 0;
};

/// The one game record. Invariants (see `CheckInvariants`): MapWidth =
/// Columns * CellWidth, MapHeight = Rows * CellHeight, every column of `Cells` has
/// `Rows` cells, `Waves` has one field of Columns * Rows entries per order,
/// Tanks[i]->Index = i and Orders[i]->Index = i.
struct GameType {
    std::int32_t CellWidth = 36;
    std::int32_t CellHeight = 36;
    std::int32_t Columns = 0;
    std::int32_t Rows = 0;
    std::int32_t ViewX = 0;
    std::int32_t ViewY = 0;
    std::int32_t MapWidth = 0;
    std::int32_t MapHeight = 0;
    std::int32_t SelectedBuilding = -1;  ///< anchor cell index of the selected object, -1 for none
    std::uint8_t UnitsSelected = 0;
    std::int32_t GameTime = 0;  ///< seconds of play
    std::int32_t Spare1 = 1;
    std::int32_t Money = 0;
    std::int32_t OwnProductionTimer = 0;
    std::uint8_t Spare2 = 0;
    std::int32_t Spare3 = 0;
    std::uint8_t Spare4 = 0;
    std::int32_t Spare5 = 0;
    std::int32_t EnemyProductionTimer = 0;
    std::uint8_t Spare6 = 0;
    std::int32_t Spare7 = 0;
    std::uint8_t Spare8 = 0;
    std::int32_t EnemyBuildingsTotal = 0;
    std::int32_t EnemyTanksTotal = 0;
    std::int32_t OwnBuildingsTotal = 0;
    std::int32_t OwnTanksTotal = 0;
    std::int32_t Mission = 0;
    std::uint8_t MapFlag = 0;

    /// The battle is a skirmish on the map `SkirmishPlayed` generated (kept in
    /// the game file's SKRM section; a prepared map never has it).
    std::uint8_t InSkirmish = 0;
    SkirmishSetup SkirmishPlayed;

    /// The campaign mission the battle is and the statistics the rest of the
    /// record does not hold, as they stood at the last save (the STAT section).
    BattleTally Tally;

    /// The map, indexed Cells[x][y].
    std::vector<std::vector<GameCellType>> Cells;
    std::vector<std::unique_ptr<GameObjectType>> Tanks;
    std::vector<std::unique_ptr<OrderType>> Orders;
    std::vector<ExplosionType> Explosions;
    std::vector<ShotType> Shots;
    std::vector<InfoLabelType> InfoLabels;

    /// The cells' wave numbers, one field per order: Waves[k][CellIndex] is the
    /// wave number of order k in that cell (0 while the flood has not reached it).
    std::vector<std::vector<std::int32_t>> Waves;

    GameCellType& Cell(std::int32_t x, std::int32_t y) { return Cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]; }
    const GameCellType& Cell(std::int32_t x, std::int32_t y) const {
        return Cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
    }
    bool OnMap(std::int32_t x, std::int32_t y) const { return x >= 0 && y >= 0 && x < Columns && y < Rows; }
    std::int32_t CellCount() const { return Columns * Rows; }
};

/// The wave number of order `k` in cell (x, y). The cell must be on the map and
/// `k` a valid order index.
inline std::int32_t& CellWaves(GameType& g, std::int32_t k, std::int32_t x, std::int32_t y) {
    return g.Waves[static_cast<std::size_t>(k)][static_cast<std::size_t>(x + y * g.Columns)];
}

}  // namespace tavrine
