// Damage and destruction: smoke and burning of hit objects, the removal of
// destroyed tanks and objects with their wrecks, ruins and rewards.
#include <optional>
#include <string>

#include "sim/combat.h"
#include "sim/opponent.h"
#include "sim/orders.h"
#include "sim/passability.h"
#include "sim/production.h"
#include "state/lists.h"

namespace tavrine {

namespace {

/// Smoke puff pictures are 18 x 18 pixels; a puff is placed wholly inside the object.
constexpr std::int32_t kPuffSize = 18;
/// Chances per tick, in thousandths, that a hit object gains a puff and that a
/// recovered object loses one.
constexpr std::int32_t kPuffAddChance = 100;
constexpr std::int32_t kPuffRemoveChance = 10;
/// Health points per smoke puff a damaged object may show.
constexpr std::int32_t kHealthPerPuff = 8;
/// A burning object shows a new explosion when a draw from [0, 100) exceeds 80.
constexpr std::int32_t kBurnExplosionThreshold = 80;

/// Ground frames left behind: ruins 1..5 after an object, wrecks 6..11 after a tank.
constexpr std::int32_t kFirstRuinFrame = 1;
constexpr std::int32_t kRuinFrames = 5;
constexpr std::int32_t kFirstWreckFrame = 6;
constexpr std::int32_t kWreckFrames = 6;

constexpr Color kRewardColor = 65535;  // yellow
constexpr std::int32_t kRewardLabelLife = 100;
constexpr std::int32_t kRewardLabelDirection = 1;

/// Whether a cell's ground may show ruins and wrecks: the frames of a coast or
/// mountain-border list are its edge pieces, so writing a debris frame there
/// would put a different piece in and break the coastline.
bool HoldsDebris(const ImageRef& ground) {
    return ground.Frame == 0 && !(ground.Group == 0 && ground.Subgroup == 2 && ground.List != 0);
}

void PayReward(SimContext& ctx, std::int32_t x, std::int32_t y, std::int32_t amount) {
    // Built by appending: GCC 12 warns falsely (-Wrestrict) about the inlined
    // copy in "$" + std::to_string(...) in optimised builds.
    std::string label = "$";
    label += std::to_string(amount);
    AddInfoLabel(ctx, x, y, kRewardColor, kRewardLabelLife, label, kRewardLabelDirection);
    AddMoney(ctx, amount);
}

/// Frees a cell an object covered, leaving ruins on intact ground.
void LeaveRuins(SimContext& ctx, GameCellType& c) {
    c.MinimapColor = c.GroundColor;
    c.Occupant = -1;
    c.Occupancy = CellFree;
    if (HoldsDebris(c.Ground)) c.Ground.Frame = kFirstRuinFrame + ctx.Rng(kRuinFrames);
}

/// Replaces every attack-building order on the anchor: attackers of the player's
/// object move on to the player's next object; otherwise the orders lapse.
///
/// Nothing on the map changes while they are sent on, so the next target is
/// looked for once, and only the first new order's field is flooded: the others
/// lead to the same place and take a copy.
void RetargetAttackers(SimContext& ctx, std::int32_t anchor, bool playerObject) {
    GameType& g = ctx.G;
    bool searched = false;
    std::optional<CellXY> next;
    std::int32_t model = -1;  // the first new order
    for (auto k = static_cast<std::int32_t>(g.Orders.size()) - 1; k >= 0; --k) {
        const OrderType& old = *g.Orders[static_cast<std::size_t>(k)];
        if (old.Kind != OrderAttackBuilding || old.TargetRef != anchor) continue;
        if (playerObject && !searched) {
            next = ChooseEnemyTarget(ctx);
            searched = true;
        }
        if (playerObject && next) {
            const std::int32_t order = AddOrder(g, OrderAttackBuilding, CellIndex(g, next->X, next->Y), OrderNew);
            for (auto& t : g.Tanks)
                if (t->Order == k) t->Order = order;
            if (model < 0) {
                PlanOrder(ctx, order, true);
                model = order;
            } else {
                PlanOrderLike(ctx, order, model);
            }
        }
        RemoveOrder(g, k);
        if (model > k) --model;
    }
}

}  // namespace

void ObjectDamageStep(SimContext& ctx, std::int32_t ax, std::int32_t ay) {
    GameType& g = ctx.G;
    if (!g.OnMap(ax, ay)) return;
    GameCellObjectType* o = g.Cell(ax, ay).Object.get();
    if (!o) return;
    std::int32_t w = 0, h = 0;
    ImageSize(ctx.Lib, o->Image, w, h);  // a missing picture counts as 0 x 0
    const std::int32_t left = ax * g.CellWidth;
    const std::int32_t top = ay * g.CellHeight;

    if (o->HitTimer >= 0) {
        --o->HitTimer;
        const std::int32_t puffs = (100 - o->Health) / kHealthPerPuff;
        if (static_cast<std::int32_t>(o->Smoke.size()) < puffs && ctx.Rng(1000) < kPuffAddChance) {
            // A picture smaller than a puff draws from an empty range, which gives 0.
            SmokeType puff;
            puff.X = left + ctx.Rng(w - kPuffSize);
            puff.Y = top + ctx.Rng(h - kPuffSize);
            o->Smoke.push_back(puff);
        }
    } else if (!o->Smoke.empty() && ctx.Rng(1000) < kPuffRemoveChance) {
        o->Smoke.pop_back();
    }

    if (o->DestroyTimer > 0) {
        if (ctx.Rng(100) > kBurnExplosionThreshold) {
            const std::int32_t x = left + ctx.Rng(w);
            const std::int32_t y = top + ctx.Rng(h);
            AddExplosion(ctx, x, y, 1);
        }
        --o->DestroyTimer;
    }
    if (o->DestroyTimer == 0) DestroyBuilding(ctx, ax, ay);
}

void RemoveDestroyedTank(SimContext& ctx) {
    GameType& g = ctx.G;
    for (const auto& t : g.Tanks) {
        if (t->Health < 1) {
            RemoveTank(ctx, t->Index);
            return;
        }
    }
    std::int32_t own = 0, enemy = 0;
    for (const auto& t : g.Tanks) {
        if (t->Side() == SidePlayer) ++own;
        else if (t->Side() == SideComputer) ++enemy;
    }
    ctx.Run.OwnTanks = own;
    ctx.Run.EnemyTanks = enemy;
}

void RemoveTank(SimContext& ctx, std::int32_t i) {
    GameType& g = ctx.G;
    const GameObjectType* t = TankAt(g, i);
    if (!t) return;
    // Everything needed after the record is gone is taken now.
    const std::int32_t x = t->X;
    const std::int32_t y = t->Y;
    const std::int32_t side = t->Side();
    const PixelXY centre = TankCentre(*t, ctx.Lib);
    const CellXY cell = t->DestX >= 0 ? CellXY{t->DestX, t->DestY} : TankCell(g, *t, ctx.Lib);
    const CellXY prev{t->PrevX, t->PrevY};

    if (g.OnMap(cell.X, cell.Y)) {
        GameCellType& c = g.Cell(cell.X, cell.Y);
        // Only the tank's own mark is taken away: a factory's footprint under a
        // tank rolling out, or another tank's claim, stays.
        if (c.Occupancy != CellObject && !(c.Occupancy == CellTank && c.Occupant != i)) {
            c.Occupant = -1;
            c.Occupancy = CellFree;
            c.MinimapColor = c.GroundColor;
            NoteCellChanged(ctx, cell.X, cell.Y);
        }
        c.Clear = 1;
        if (HoldsDebris(c.Ground)) c.Ground.Frame = kFirstWreckFrame + ctx.Rng(kWreckFrames);
    }
    if (prev.X >= 0 && g.OnMap(prev.X, prev.Y)) {
        GameCellType& c = g.Cell(prev.X, prev.Y);
        c.Clear = 1;
        c.LeavingTank = -1;
    }

    // Marks the tank left on other cells were cleared without saying which: the
    // mirror of the map is made again when next needed.
    if (DetachAndRemoveTank(g, i)) ForgetPassability(ctx);
    RemoveTankFromGroups(ctx.Run, i);

    AddExplosion(ctx, centre.X, centre.Y, 0);
    g.UnitsSelected = 0;
    for (const auto& other : g.Tanks)
        if (other->Side() == SidePlayer && other->Selected) g.UnitsSelected = 1;
    if (side == SideComputer) PayReward(ctx, x, y, kTankReward);
}

void DestroyBuilding(SimContext& ctx, std::int32_t ax, std::int32_t ay) {
    GameType& g = ctx.G;
    if (!g.OnMap(ax, ay)) return;
    GameCellType& anchorCell = g.Cell(ax, ay);
    if (!anchorCell.Object) return;
    const std::int32_t anchor = CellIndex(g, ax, ay);
    const bool playerObject = anchorCell.Object->Side() == SidePlayer;
    std::int32_t w = 0, h = 0;
    const bool sizeKnown = ImageSize(ctx.Lib, anchorCell.Object->Image, w, h);
    anchorCell.Object.reset();
    NoteCellChanged(ctx, ax, ay);

    if (sizeKnown) {
        const CellXY end = FootprintEnd(g, ax, ay, w, h);
        for (std::int32_t x = ax; x <= end.X; ++x)
            for (std::int32_t y = ay; y <= end.Y; ++y)
                if (g.OnMap(x, y)) {
                    LeaveRuins(ctx, g.Cell(x, y));
                    NoteCellChanged(ctx, x, y);
                }
    } else {
        // Without its picture the footprint is unknown: free the cells marked as
        // the object's, so no blocked cells outlive it.
        for (std::int32_t x = 0; x < g.Columns; ++x)
            for (std::int32_t y = 0; y < g.Rows; ++y) {
                GameCellType& c = g.Cell(x, y);
                if ((c.Occupancy == CellObject && c.Occupant == anchor) || (x == ax && y == ay)) {
                    LeaveRuins(ctx, c);
                    NoteCellChanged(ctx, x, y);
                }
            }
    }

    RetargetAttackers(ctx, anchor, playerObject);
    if (!playerObject) PayReward(ctx, ax * g.CellWidth, ay * g.CellHeight, kBuildingReward);
}

}  // namespace tavrine
