#include "autopilot.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <limits>
#include <set>

#include "sim/outcome.h"
#include "sim/production.h"

namespace tavrine {

namespace {

/// Free tanks that set off together; fewer wait for the next ones from the
/// factories, unless they are all the player has.
constexpr std::size_t kGroupSize = 3;
/// Looks a tank may stand in one cell with an order and nothing in range
/// before it counts as stuck and free for a new order.
constexpr std::int32_t kStuckLooks = 6;
/// Cells around the player's buildings where an enemy tank counts as an attack
/// on the base, and how far the free tanks come to meet it.
constexpr std::int32_t kHomeReach = 8;
constexpr std::int32_t kDefenderReach = 20;
/// Cells by which a tower or a factory, or an unguarded headquarters in the
/// missions that ask for it, counts as nearer than it is when the next target
/// is chosen.
constexpr std::int32_t kTowerBonus = 15;
constexpr std::int32_t kFactoryBonus = 15;
constexpr std::int32_t kHeadquartersBonus = 40;
/// A tower this many cells from a building's footprint guards it: its guns
/// reach six cells beyond its own, over the cells tanks fire from.
constexpr std::int32_t kGuardReach = 9;
/// Tanks this close to a tower that fires on one of them turn on it.
constexpr std::int32_t kAnswerReach = 10;
/// Extra tanks an attack waits for per tower guarding its target, and the
/// largest group it ever waits for.
constexpr std::int32_t kTanksPerTower = 2;
constexpr std::int32_t kLargestGroup = 24;
/// Cells by which each enemy tank standing by a target makes it count as further.
constexpr std::int32_t kCellsPerGuardTank = 2;
/// The rally point lies this many cells' drive short of the target, and tanks
/// this close to it count as gathered.
constexpr std::int32_t kRallyDistance = 12;
constexpr std::int32_t kRallyReach = 10;
/// Free tanks near the headquarters stay at home as its guard: one for every
/// `kTanksPerGuard` tanks the player has, at most `kHomeGuard`. In every
/// mission, not only those lost with the headquarters: an army far away
/// loses the war all the same once the waves have burnt down the factories.
constexpr std::size_t kHomeGuard = 8;
constexpr std::size_t kTanksPerGuard = 3;
constexpr std::int32_t kGuardPost = 12;
/// A tank this badly damaged goes home when it is further than the guard post,
/// at most this many at one look.
constexpr std::int32_t kRetreatHealth = 30;
constexpr std::size_t kRetreatsPerLook = 3;
/// An enemy tank this close to one of the player's tanks is in the fight; the
/// player's tanks this close to it turn on it.
constexpr std::int32_t kFightReach = 5;
constexpr std::int32_t kFocusReach = 6;
/// Cells beyond its footprint a tower's guns reach, and the most waypoints a
/// way round the towers is given.
constexpr std::int32_t kTowerReach = 7;
constexpr std::size_t kMostWaypoints = 8;
/// The front where new tanks wait: this many cells' drive from home toward the
/// army's gathering point.
constexpr std::int32_t kFrontDrive = 12;
/// On Difficult, factories count as this many cells nearer still when the next
/// target is chosen, and an army of this many healthy tanks at least rushes the
/// headquarters (where it wins) or the nearest factory.
constexpr std::int32_t kHardFactoryBonus = 30;
constexpr std::int32_t kRushArmy = 16;
/// Looks (about a minute) the number of the player's tanks may stand still,
/// money in hand, before a tank blocking a factory's gate is sent aside.
constexpr std::int32_t kStillLooks = 60;
/// The neighbour of `at` one step nearer along `distances` (each cell's drive to
/// somewhere), or `at` itself where no neighbour is nearer.
std::int32_t StepNearer(const GameType& g, const std::vector<std::int32_t>& distances, std::int32_t at) {
    const CellXY c = CellOfIndex(g, at);
    for (std::int32_t dy = -1; dy <= 1; ++dy)
        for (std::int32_t dx = -1; dx <= 1; ++dx) {
            if (!g.OnMap(c.X + dx, c.Y + dy)) continue;
            const std::int32_t n = CellIndex(g, c.X + dx, c.Y + dy);
            if (distances[static_cast<std::size_t>(n)] == distances[static_cast<std::size_t>(at)] - 1) return n;
        }
    return at;
}
/// Missions won by destroying the enemy headquarters.
bool HeadquartersMission(std::int32_t mission) {
    const MissionRule* rule = MissionRuleOf(mission);
    return rule && rule->Win == WinRule::HeadquartersGone;
}
/// Missions that also ask for every enemy tank.
bool TanksMission(std::int32_t mission) {
    const MissionRule* rule = MissionRuleOf(mission);
    return rule && rule->Win == WinRule::AllEnemiesGone;
}

bool IsEnemyTarget(const GameCellObjectType* o) {
    return o && o->Side() == SideComputer && (o->Kind() == KindTower || o->Kind() == KindBuilding) && o->DestroyTimer < 0;
}

/// A factory, of either side.
bool IsFactory(const GameCellObjectType* o) {
    return o && o->Kind() == KindBuilding && o->BuildingType() == BuildingFactory;
}

/// How many tanks the player has.
std::size_t PlayerTanks(const GameType& g) {
    return static_cast<std::size_t>(std::count_if(g.Tanks.begin(), g.Tanks.end(), [](const auto& t) { return t->Side() == SidePlayer; }));
}

std::int32_t Chebyshev(CellXY a, CellXY b) { return std::max(std::abs(a.X - b.X), std::abs(a.Y - b.Y)); }

}  // namespace

void Autopilot::BetweenTicks() {
    if (ticks_++ % kDecisionTicks == 0) Decide();
}

AutopilotCounts Autopilot::Counts() const { return {decisions_, orders_, rallies_, attackMoves_, waypoints_, hands_.Counts()}; }

std::vector<std::int32_t> Autopilot::FreeTanks() {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    std::map<const GameObjectType*, std::pair<std::int32_t, std::int32_t>> seen;
    std::vector<std::int32_t> free;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(g.Tanks.size()); ++i) {
        const GameObjectType& t = *g.Tanks[static_cast<std::size_t>(i)];
        if (t.Side() != SidePlayer) continue;
        if (t.Order < 0) {
            free.push_back(i);
            continue;
        }
        if (OrderTargetInRange(g, lib, t)) continue;  // firing at its target
        const CellXY c = TankCell(g, t, lib);
        const std::int32_t cell = CellIndex(g, c.X, c.Y);
        const auto before = standing_.find(&t);
        const std::int32_t looks = before != standing_.end() && before->second.first == cell ? before->second.second + 1 : 0;
        seen[&t] = {cell, looks};
        if (looks >= kStuckLooks) free.push_back(i);
    }
    standing_ = std::move(seen);
    return free;
}

std::vector<std::int32_t> Autopilot::Distances(std::int32_t start, const std::vector<char>* avoid, std::int32_t allowed) const {
    const GameType& g = game_.Record();
    std::vector<std::int32_t> dist(static_cast<std::size_t>(g.CellCount()), -1);
    if (!ValidCellIndex(g, start)) return dist;
    std::deque<std::int32_t> queue{start};
    dist[static_cast<std::size_t>(start)] = 0;
    while (!queue.empty()) {
        const std::int32_t i = queue.front();
        queue.pop_front();
        const CellXY c = CellOfIndex(g, i);
        for (std::int32_t dy = -1; dy <= 1; ++dy)
            for (std::int32_t dx = -1; dx <= 1; ++dx) {
                const std::int32_t x = c.X + dx, y = c.Y + dy;
                if (!g.OnMap(x, y)) continue;
                const std::int32_t n = CellIndex(g, x, y);
                if (dist[static_cast<std::size_t>(n)] >= 0) continue;
                if ((avoid && (*avoid)[static_cast<std::size_t>(n)] && n != allowed) || !IsPassable(g, x, y, nullptr, 1)) continue;
                dist[static_cast<std::size_t>(n)] = dist[static_cast<std::size_t>(i)] + 1;
                queue.push_back(n);
            }
    }
    return dist;
}

Autopilot::Target Autopilot::ChooseTarget(const std::vector<std::int32_t>& dist) const {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    Target best;
    std::int32_t bestScore = std::numeric_limits<std::int32_t>::max();
    for (std::int32_t ax = 0; ax < g.Columns; ++ax)
        for (std::int32_t ay = 0; ay < g.Rows; ++ay) {
            const GameCellObjectType* o = g.Cell(ax, ay).Object.get();
            if (!IsEnemyTarget(o)) continue;
            const bool headquarters = o->Kind() == KindBuilding && o->BuildingType() == BuildingHeadquarters;
            const bool factory = IsFactory(o);
            // Towers shoot back hard: they go first.
            std::int32_t bonus = o->Kind() == KindTower ? kTowerBonus : 0;
            // So do the factories: every tank they make is one more to fight.
            if (factory) bonus = kFactoryBonus;
            if (HeadquartersMission(g.Mission)) {
                // Only the headquarters wins: the other buildings are left alone
                // but for the towers and the factories that send the waves, and
                // the headquarters is made for once no tower guards it.
                if (!headquarters && !factory && o->Kind() != KindTower) continue;
                if (headquarters) bonus = Guarded(ax, ay) ? -kTowerBonus : kHeadquartersBonus;
            }
            // On Difficult the factories go first: each sends a tank every three seconds.
            if (Hard() && factory) bonus += kHardFactoryBonus;
            // The nearest cell from which the army can fire at it.
            std::int32_t w = 0, h = 0;
            ImageSize(lib, o->Image, w, h);
            const CellXY end = FootprintEnd(g, ax, ay, w, h);
            std::int32_t near = -1, nearCell = -1;
            for (std::int32_t x = std::max(ax - 2, 0); x <= std::min(end.X + 2, g.Columns - 1); ++x)
                for (std::int32_t y = std::max(ay - 2, 0); y <= std::min(end.Y + 2, g.Rows - 1); ++y) {
                    const std::int32_t d = dist[static_cast<std::size_t>(CellIndex(g, x, y))];
                    if (d >= 0 && (near < 0 || d < near)) {
                        near = d;
                        nearCell = CellIndex(g, x, y);
                    }
                }
            if (near < 0) continue;
            // A target many enemy tanks stand by counts as further away.
            const std::int32_t score = near - bonus + kCellsPerGuardTank * GuardTanks(CellIndex(g, ax, ay));
            if (score >= bestScore) continue;
            bestScore = score;
            best = {CellIndex(g, ax, ay), nullptr, nearCell};
        }
    if (best.Anchor >= 0 || !TanksMission(g.Mission)) return best;
    // No building left: hunt down the last tanks, nearest first.
    for (const auto& t : g.Tanks) {
        if (t->Side() != SideComputer || t->Health < 1) continue;
        const CellXY c = TankCell(g, *t, lib);
        if (!g.OnMap(c.X, c.Y)) continue;
        const std::int32_t d = dist[static_cast<std::size_t>(CellIndex(g, c.X, c.Y))];
        const std::int32_t score = d >= 0 ? d : std::numeric_limits<std::int32_t>::max() - 1;
        if (score >= bestScore) continue;
        bestScore = score;
        best = {-1, t.get(), CellIndex(g, c.X, c.Y)};
    }
    return best;
}

CellRect Autopilot::Footprint(std::int32_t anchor) const {
    const GameType& g = game_.Record();
    const CellXY a = CellOfIndex(g, anchor);
    const GameCellObjectType* o = g.Cell(a.X, a.Y).Object.get();
    std::int32_t w = 0, h = 0;
    if (o) ImageSize(game_.Library(), o->Image, w, h);
    const CellXY end = FootprintEnd(g, a.X, a.Y, w, h);
    return {a.X, a.Y, end.X, end.Y};
}

bool Autopilot::Guarded(std::int32_t ax, std::int32_t ay) const {
    const GameType& g = game_.Record();
    const CellRect box = Footprint(CellIndex(g, ax, ay));
    for (std::int32_t x = std::max(box.Left - kGuardReach, 0); x <= std::min(box.Right + kGuardReach, g.Columns - 1); ++x)
        for (std::int32_t y = std::max(box.Top - kGuardReach, 0); y <= std::min(box.Bottom + kGuardReach, g.Rows - 1); ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (IsEnemyTarget(o) && o->Kind() == KindTower) return true;
        }
    return false;
}

bool Autopilot::StillThere(const Target& t) const {
    const GameType& g = game_.Record();
    if (t.Anchor >= 0) return ValidCellIndex(g, t.Anchor) && IsEnemyTarget(g.Cell(t.Anchor % g.Columns, t.Anchor / g.Columns).Object.get());
    if (t.Tank)
        for (const auto& tank : g.Tanks)
            if (tank.get() == t.Tank) return tank->Health > 0;
    return false;
}

std::int32_t Autopilot::Command(const std::vector<std::int32_t>& tanks, const Target& target, Way way,
                               const std::vector<std::int32_t>& via) {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    // Bands small enough for the free part of the screen, whatever margin they need.
    const std::int32_t bandW = std::max(hands_.BandWidth() - 110, g.CellWidth);
    const std::int32_t bandH = std::max(hands_.BandHeight() - 110, g.CellHeight);
    std::vector<const GameObjectType*> left;
    for (const std::int32_t i : tanks) left.push_back(g.Tanks[static_cast<std::size_t>(i)].get());
    std::int32_t ordered = 0;
    for (int bands = 0; !left.empty() && bands < 4; ++bands) {
        // The first tank left and every other one within a band's reach of it.
        const PixelXY first = TankCentre(*left.front(), lib);
        MapRect box{first.X, first.Y, first.X, first.Y};
        std::vector<const GameObjectType*> rest;
        for (const GameObjectType* t : left) {
            const PixelXY c = TankCentre(*t, lib);
            const MapRect grown{std::min(box.Left, c.X), std::min(box.Top, c.Y), std::max(box.Right, c.X), std::max(box.Bottom, c.Y)};
            if (grown.Right - grown.Left <= bandW && grown.Bottom - grown.Top <= bandH) box = grown;
            else rest.push_back(t);
        }
        left = std::move(rest);
        if (hands_.BandSelect(box) <= 0) continue;

        // The cells to drive by: the first is an order of its own, the rest and
        // the target are queued behind it with Shift held.
        bool queued = false;
        for (const std::int32_t cell : via) {
            if (!queued && way == Way::AttackMove) hands_.Key(GameKey::A);
            if (!hands_.ClickGround(cell, queued)) break;
            if (queued) ++waypoints_;
            else if (way == Way::AttackMove) ++attackMoves_;
            queued = true;
        }

        // Click the target itself once it is in sight, else the ground beside it.
        std::int32_t px = -1, py = -1;
        std::int32_t kind = OrderMove;
        if (target.Anchor >= 0) {
            const CellXY a = CellOfIndex(g, target.Anchor);
            const GameCellObjectType* o = g.Cell(a.X, a.Y).Object.get();
            std::int32_t w = 0, h = 0;
            if (o) ImageSize(lib, o->Image, w, h);
            px = a.X * g.CellWidth + w / 2;
            py = a.Y * g.CellHeight + h / 2;
            kind = OrderAttackBuilding;
        } else if (target.Tank) {
            const PixelXY c = TankCentre(*target.Tank, lib);
            px = c.X;
            py = c.Y;
            kind = OrderAttackTank;
        }
        bool clicked = false;
        if (px >= 0 && !g.Cell(px / g.CellWidth, py / g.CellHeight).Hidden) {
            clicked = hands_.Click(px, py, queued);
        } else if (ValidCellIndex(g, target.Cell)) {
            kind = OrderMove;
            if (way == Way::AttackMove) hands_.Key(GameKey::A);
            clicked = hands_.ClickGround(target.Cell, queued);
            if (clicked && way == Way::AttackMove) ++attackMoves_;
        }
        if (queued) {
            kind = OrderMove;  // the first waypoint is the order the tanks have now
            if (clicked) ++waypoints_;
            clicked = true;
        }
        if (!clicked) continue;
        if (kind == OrderMove) {
            const CellXY c = CellOfIndex(g, target.Cell);
            px = c.X * g.CellWidth;
            py = c.Y * g.CellHeight;
        }
        ++orders_;
        std::int32_t took = 0;
        for (const auto& t : g.Tanks)
            if (t->Selected && t->Side() == SidePlayer && t->Order >= 0 &&
                g.Orders[static_cast<std::size_t>(t->Order)]->Kind == kind && g.Orders[static_cast<std::size_t>(t->Order)]->State != OrderObsolete)
                ++took;
        ordered += took;
        if (Trace)
            Trace("t=" + std::to_string(g.GameTime) + " order " + std::to_string(kind) + (way == Way::AttackMove ? " (attack-move)" : "") +
                  " at (" + std::to_string(px / g.CellWidth) + ", " + std::to_string(py / g.CellHeight) + ") via " +
                  std::to_string(via.size()) + " taken by " + std::to_string(took));
    }
    return ordered;
}

std::vector<char> Autopilot::Danger() const {
    const GameType& g = game_.Record();
    std::vector<char> danger(static_cast<std::size_t>(g.CellCount()), 0);
    for (std::int32_t ax = 0; ax < g.Columns; ++ax)
        for (std::int32_t ay = 0; ay < g.Rows; ++ay) {
            const GameCellObjectType* o = g.Cell(ax, ay).Object.get();
            if (!IsEnemyTarget(o) || o->Kind() != KindTower) continue;
            const CellRect box = Footprint(CellIndex(g, ax, ay));
            for (std::int32_t x = std::max(box.Left - kTowerReach, 0); x <= std::min(box.Right + kTowerReach, g.Columns - 1); ++x)
                for (std::int32_t y = std::max(box.Top - kTowerReach, 0); y <= std::min(box.Bottom + kTowerReach, g.Rows - 1); ++y)
                    danger[static_cast<std::size_t>(CellIndex(g, x, y))] = 1;
        }
    return danger;
}

std::vector<std::int32_t> Autopilot::Detour(std::int32_t start, std::int32_t goal) const {
    const GameType& g = game_.Record();
    if (!ValidCellIndex(g, start) || !ValidCellIndex(g, goal)) return {};
    const std::vector<char> danger = Danger();
    const auto at = [&](const std::vector<std::int32_t>& v, std::int32_t i) { return v[static_cast<std::size_t>(i)]; };
    const auto risky = [&](std::int32_t i) { return danger[static_cast<std::size_t>(i)] != 0; };
    if (risky(goal)) return {};
    // The way the tanks would take by themselves, walked back from the start.
    const auto walk = [&](const std::vector<std::int32_t>& field) {
        std::vector<std::int32_t> path{start};
        for (std::int32_t here = start; at(field, here) > 0;) {
            const std::int32_t next = StepNearer(g, field, here);
            if (next == here) break;
            path.push_back(here = next);
        }
        return path;
    };
    const std::vector<std::int32_t> direct = Distances(goal);
    if (at(direct, start) < 0) return {};
    const std::vector<std::int32_t> plain = walk(direct);
    if (std::none_of(plain.begin(), plain.end(), risky)) return {};

    // The shortest way over ground out of every tower's reach.
    const std::vector<std::int32_t> safe = Distances(goal, &danger, start);
    if (at(safe, start) < 0 || at(safe, start) > 2 * at(direct, start) + 20) return {};
    const std::vector<std::int32_t> path = walk(safe);

    // Waypoints where the way bends: from each one, as far along the way as a
    // straight drive stays out of reach and on open ground.
    const auto straight = [&](std::int32_t a, std::int32_t b) {
        const CellXY p = CellOfIndex(g, a), q = CellOfIndex(g, b);
        const std::int32_t steps = Chebyshev(p, q);
        for (std::int32_t k = 1; k <= steps; ++k) {
            const std::int32_t x = p.X + (q.X - p.X) * k / steps, y = p.Y + (q.Y - p.Y) * k / steps;
            if (risky(CellIndex(g, x, y)) || !IsPassable(g, x, y, nullptr, 1)) return false;
        }
        return true;
    };
    std::vector<std::int32_t> via;
    std::size_t from = 0;
    while (from + 1 < path.size() && via.size() < kMostWaypoints) {
        std::size_t reach = from + 1;
        while (reach + 1 < path.size() && straight(path[from], path[reach + 1])) ++reach;
        if (reach + 1 >= path.size()) break;  // the goal itself is in a straight drive
        via.push_back(path[reach]);
        from = reach;
    }
    return via;
}

std::int32_t Autopilot::FrontCell() const {
    const GameType& g = game_.Record();
    const std::int32_t home = HomeCell();
    if (!ValidCellIndex(g, home) || !ValidCellIndex(g, rally_)) return rally_;
    const std::vector<std::int32_t> toRally = Distances(rally_);
    // From the nearest open cell beside home, down the distances to the rally point.
    const CellRect box = Footprint(home);
    std::int32_t at = -1;
    for (std::int32_t x = std::max(box.Left - 2, 0); x <= std::min(box.Right + 2, g.Columns - 1); ++x)
        for (std::int32_t y = std::max(box.Top - 2, 0); y <= std::min(box.Bottom + 2, g.Rows - 1); ++y) {
            const std::int32_t i = CellIndex(g, x, y);
            if (toRally[static_cast<std::size_t>(i)] >= 0 && (at < 0 || toRally[static_cast<std::size_t>(i)] < toRally[static_cast<std::size_t>(at)])) at = i;
        }
    if (at < 0) return rally_;
    for (std::int32_t step = 0; step < kFrontDrive && toRally[static_cast<std::size_t>(at)] > 0; ++step) {
        const std::int32_t next = StepNearer(g, toRally, at);
        if (next == at) break;
        at = next;
    }
    return at;
}

void Autopilot::SetRallies(std::int32_t cell) {
    const GameType& g = game_.Record();
    if (!ValidCellIndex(g, cell)) return;
    for (std::int32_t x = 0; x < g.Columns; ++x)
        for (std::int32_t y = 0; y < g.Rows; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (!IsFactory(o) || o->Side() != SidePlayer) continue;
            if (o->Rally == cell) continue;
            if (hands_.SetRally(CellIndex(g, x, y), cell) && o->Rally == cell) ++rallies_;
        }
}

void Autopilot::Defend(std::vector<std::int32_t>& free) {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    if (free.empty()) return;
    std::vector<CellXY> home;
    for (std::int32_t x = 0; x < g.Columns; ++x)
        for (std::int32_t y = 0; y < g.Rows; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (o && o->Side() == SidePlayer && (o->Kind() == KindTower || o->Kind() == KindBuilding)) home.push_back({x, y});
        }
    const GameObjectType* threat = nullptr;
    std::int32_t threatReach = kHomeReach + 1;
    CellXY threatCell{};
    for (const auto& t : g.Tanks) {
        if (t->Side() != SideComputer || t->Health < 1) continue;
        const CellXY c = TankCell(g, *t, lib);
        if (!g.OnMap(c.X, c.Y) || g.Cell(c.X, c.Y).Hidden) continue;
        for (const CellXY& h : home)
            if (Chebyshev(c, h) < threatReach) {
                threatReach = Chebyshev(c, h);
                threat = t.get();
                threatCell = c;
            }
    }
    if (!threat) return;
    std::vector<std::int32_t> defenders, others;
    for (const std::int32_t i : free)
        (Chebyshev(TankCell(g, *g.Tanks[static_cast<std::size_t>(i)], lib), threatCell) <= kDefenderReach ? defenders : others).push_back(i);
    if (defenders.empty()) return;
    Command(defenders, {-1, threat, CellIndex(g, threatCell.X, threatCell.Y)});
    free = std::move(others);
}

bool Autopilot::CanProduce() const {
    const GameType& g = game_.Record();
    if (g.Money < kTankCost) return false;
    for (std::int32_t x = 0; x < g.Columns; ++x)
        for (std::int32_t y = 0; y < g.Rows; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (IsFactory(o) && o->Side() == SidePlayer) return true;
        }
    return false;
}

std::int32_t Autopilot::GuardTanks(std::int32_t anchor) const {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    const CellRect box = Footprint(anchor);
    std::int32_t tanks = 0;
    for (const auto& tank : g.Tanks) {
        if (tank->Side() != SideComputer || tank->Health <= 0) continue;
        const CellXY c = TankCell(g, *tank, lib);
        tanks += c.X >= box.Left - kGuardReach && c.X <= box.Right + kGuardReach && c.Y >= box.Top - kGuardReach &&
                 c.Y <= box.Bottom + kGuardReach;
    }
    return tanks;
}

std::int32_t Autopilot::Needed(const Target& t) const {
    const GameType& g = game_.Record();
    if (t.Anchor < 0) return static_cast<std::int32_t>(kGroupSize);
    const CellRect box = Footprint(t.Anchor);
    std::int32_t towers = 0;
    for (std::int32_t x = std::max(box.Left - kGuardReach, 0); x <= std::min(box.Right + kGuardReach, g.Columns - 1); ++x)
        for (std::int32_t y = std::max(box.Top - kGuardReach, 0); y <= std::min(box.Bottom + kGuardReach, g.Rows - 1); ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            towers += IsEnemyTarget(o) && o->Kind() == KindTower;
        }
    return std::clamp(static_cast<std::int32_t>(kGroupSize) + kTanksPerTower * towers + GuardTanks(t.Anchor),
                      static_cast<std::int32_t>(kGroupSize), kLargestGroup);
}

std::int32_t Autopilot::RallyCell(std::int32_t start, const Target& t) const {
    const GameType& g = game_.Record();
    const std::vector<std::int32_t> toTarget = Distances(t.Cell);
    std::int32_t at = start;
    if (!ValidCellIndex(g, at) || toTarget[static_cast<std::size_t>(at)] < 0) return start;
    // Walk from the army toward the target until it is a short drive away.
    while (toTarget[static_cast<std::size_t>(at)] > kRallyDistance) {
        const std::int32_t next = StepNearer(g, toTarget, at);
        if (next == at) break;
        at = next;
    }
    return at;
}

void Autopilot::KeepHomeGuard(std::vector<std::int32_t>& free) {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    std::vector<CellXY> headquarters;
    for (std::int32_t x = 0; x < g.Columns; ++x)
        for (std::int32_t y = 0; y < g.Rows; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (o && o->Side() == SidePlayer && o->Kind() == KindBuilding && o->BuildingType() == BuildingHeadquarters)
                headquarters.push_back({x, y});
        }
    const auto home = [&](std::int32_t i) {
        std::int32_t d = std::numeric_limits<std::int32_t>::max();
        for (const CellXY& h : headquarters) d = std::min(d, Chebyshev(TankCell(g, *g.Tanks[static_cast<std::size_t>(i)], lib), h));
        return d;
    };
    // The guard are the tanks nearest the headquarters, whether free or not.
    std::vector<std::pair<std::int32_t, std::int32_t>> near;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(g.Tanks.size()); ++i)
        if (g.Tanks[static_cast<std::size_t>(i)]->Side() == SidePlayer && home(i) <= kGuardPost) near.emplace_back(home(i), i);
    std::sort(near.begin(), near.end());
    const std::size_t own = PlayerTanks(g);
    const std::size_t wanted = std::min(kHomeGuard, own / kTanksPerGuard);
    near.resize(std::min(near.size(), wanted));
    std::erase_if(free, [&](std::int32_t i) {
        return std::any_of(near.begin(), near.end(), [i](const auto& n) { return n.second == i; });
    });
    // The guard is made up from the free tanks nearest home, which drive back
    // to it: a base left bare loses its factories to the first wave.
    if (near.size() >= wanted || headquarters.empty()) return;
    std::vector<std::pair<std::int32_t, std::int32_t>> back;
    for (const std::int32_t i : free) back.emplace_back(home(i), i);
    std::sort(back.begin(), back.end());
    back.resize(std::min(back.size(), wanted - near.size()));
    if (back.empty()) return;
    std::vector<std::int32_t> going;
    for (const auto& b : back) going.push_back(b.second);
    Command(going, {-1, nullptr, CellIndex(g, headquarters.front().X, headquarters.front().Y)});
    std::erase_if(free, [&](std::int32_t i) { return std::find(going.begin(), going.end(), i) != going.end(); });
}

void Autopilot::AnswerTowers(std::vector<std::int32_t>& free) {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    for (std::int32_t ax = 0; ax < g.Columns; ++ax)
        for (std::int32_t ay = 0; ay < g.Rows; ++ay) {
            const GameCellObjectType* o = g.Cell(ax, ay).Object.get();
            if (!IsEnemyTarget(o) || o->Kind() != KindTower || o->TowerState != 1) continue;
            const GameObjectType* victim = TankAt(g, o->TowerTarget);
            if (!victim || victim->Side() != SidePlayer) continue;
            // The tanks around it that are not already attacking a building turn on it.
            const std::int32_t anchor = CellIndex(g, ax, ay);
            std::vector<std::int32_t> answer;
            for (std::int32_t i = 0; i < static_cast<std::int32_t>(g.Tanks.size()); ++i) {
                const GameObjectType& t = *g.Tanks[static_cast<std::size_t>(i)];
                if (t.Side() != SidePlayer || Chebyshev(TankCell(g, t, lib), {ax, ay}) > kAnswerReach) continue;
                if (t.Health <= kRetreatHealth) continue;  // on its way home
                const OrderType* order = t.Order >= 0 ? g.Orders[static_cast<std::size_t>(t.Order)].get() : nullptr;
                if (order && order->Kind == OrderAttackBuilding) continue;
                answer.push_back(i);
            }
            if (answer.empty()) continue;
            Command(answer, {anchor, nullptr, anchor});
            std::erase_if(free, [&](std::int32_t i) { return std::find(answer.begin(), answer.end(), i) != answer.end(); });
            return;  // one tower a look
        }
}

std::int32_t Autopilot::HomeCell() const {
    const GameType& g = game_.Record();
    std::int32_t any = -1;
    for (std::int32_t x = 0; x < g.Columns; ++x)
        for (std::int32_t y = 0; y < g.Rows; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (!o || o->Side() != SidePlayer || o->Kind() != KindBuilding) continue;
            if (o->BuildingType() == BuildingHeadquarters) return CellIndex(g, x, y);
            if (any < 0) any = CellIndex(g, x, y);
        }
    return any;
}

void Autopilot::PullBack(std::vector<std::int32_t>& free) {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    const std::int32_t home = HomeCell();
    if (home < 0) return;
    const CellXY homeXY = CellOfIndex(g, home);
    std::vector<std::int32_t> going;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(g.Tanks.size()); ++i) {
        const GameObjectType& t = *g.Tanks[static_cast<std::size_t>(i)];
        if (t.Side() != SidePlayer || t.Health <= 0 || t.Health > kRetreatHealth) continue;
        if (Chebyshev(TankCell(g, t, lib), homeXY) <= kGuardPost || committed_.count(&t)) continue;
        // Already on its way home: a move order toward the home cell.
        const OrderType* order = t.Order >= 0 ? g.Orders[static_cast<std::size_t>(t.Order)].get() : nullptr;
        if (order && order->Kind == OrderMove && ValidCellIndex(g, order->TargetRef) &&
            Chebyshev(CellOfIndex(g, order->TargetRef), homeXY) <= kGuardPost)
            continue;
        if (going.size() < kRetreatsPerLook) going.push_back(i);
    }
    // One at a time, so that a band takes no healthy tank with it.
    for (const std::int32_t i : going) Command({i}, {-1, nullptr, home});
    std::erase_if(free, [&](std::int32_t i) { return g.Tanks[static_cast<std::size_t>(i)]->Health <= kRetreatHealth; });
}

void Autopilot::CallUpReserve(std::vector<std::int32_t>& free) {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    const std::int32_t home = HomeCell();
    // Forget the tanks that are gone.
    std::set<const GameObjectType*> alive;
    for (const auto& t : g.Tanks)
        if (committed_.count(t.get()) && t->Health > 0) alive.insert(t.get());
    committed_ = std::move(alive);
    if (home < 0) return;
    const CellXY homeXY = CellOfIndex(g, home);
    // Damaged tanks are never mended: those resting at home beyond a guard's
    // worth go out again with the others, for good.
    std::vector<std::pair<std::int32_t, std::int32_t>> resting;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(g.Tanks.size()); ++i) {
        const GameObjectType& t = *g.Tanks[static_cast<std::size_t>(i)];
        if (t.Side() != SidePlayer || t.Health <= 0 || t.Health > kRetreatHealth || t.Order >= 0 || committed_.count(&t)) continue;
        const std::int32_t d = Chebyshev(TankCell(g, t, lib), homeXY);
        if (d <= kGuardPost) resting.emplace_back(d, i);
    }
    if (resting.size() <= kHomeGuard) return;
    std::sort(resting.begin(), resting.end());
    for (std::size_t k = kHomeGuard; k < resting.size(); ++k) {
        const std::int32_t i = resting[k].second;
        committed_.insert(g.Tanks[static_cast<std::size_t>(i)].get());
        if (std::find(free.begin(), free.end(), i) == free.end()) free.push_back(i);
    }
}

void Autopilot::FocusFire(std::vector<std::int32_t>& free) {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    std::vector<std::pair<std::int32_t, CellXY>> mine;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(g.Tanks.size()); ++i) {
        const GameObjectType& t = *g.Tanks[static_cast<std::size_t>(i)];
        if (t.Side() == SidePlayer && t.Health > kRetreatHealth) mine.emplace_back(i, TankCell(g, t, lib));
    }
    // The weakest enemy tank in sight that is in the fight.
    const GameObjectType* weakest = nullptr;
    CellXY at{};
    for (const auto& t : g.Tanks) {
        if (t->Side() != SideComputer || t->Health < 1) continue;
        const CellXY c = TankCell(g, *t, lib);
        if (!g.OnMap(c.X, c.Y) || g.Cell(c.X, c.Y).Hidden) continue;
        const bool fought = std::any_of(mine.begin(), mine.end(), [&](const auto& m) { return Chebyshev(m.second, c) <= kFightReach; });
        if (fought && (!weakest || t->Health < weakest->Health)) {
            weakest = t.get();
            at = c;
        }
    }
    if (!weakest) return;
    std::vector<std::int32_t> turn;
    for (const auto& [i, c] : mine) {
        const GameObjectType& t = *g.Tanks[static_cast<std::size_t>(i)];
        const OrderType* order = t.Order >= 0 ? g.Orders[static_cast<std::size_t>(t.Order)].get() : nullptr;
        if (Chebyshev(c, at) > kFocusReach || (order && order->Kind == OrderAttackBuilding)) continue;
        const GameObjectType* aimedAt = order && order->Kind == OrderAttackTank ? TankAt(g, order->TargetRef) : nullptr;
        if (aimedAt == weakest) continue;
        turn.push_back(i);
    }
    if (turn.empty()) return;
    Command(turn, {-1, weakest, CellIndex(g, at.X, at.Y)});
    std::erase_if(free, [&](std::int32_t i) { return std::find(turn.begin(), turn.end(), i) != turn.end(); });
}

void Autopilot::ClearGates(std::vector<std::int32_t>& free) {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    const std::size_t own = PlayerTanks(g);
    armyStill_ = own == lastArmy_ ? armyStill_ + 1 : 0;
    lastArmy_ = own;
    if (armyStill_ < kStillLooks || !CanProduce()) return;
    for (std::int32_t ax = 0; ax < g.Columns; ++ax)
        for (std::int32_t ay = 0; ay < g.Rows; ++ay) {
            const GameCellObjectType* o = g.Cell(ax, ay).Object.get();
            if (!IsFactory(o) || o->Side() != SidePlayer) continue;
            const CellXY gate{ax + 1, ay + 2};
            for (const std::int32_t i : free) {
                const GameObjectType& t = *g.Tanks[static_cast<std::size_t>(i)];
                const CellXY c = TankCell(g, t, lib);
                if (t.Order >= 0 || c.X != gate.X || c.Y != gate.Y) continue;
                // Beside the road that leads down from the gate.
                const std::int32_t side = IsPassable(g, gate.X - 3, gate.Y + 2, nullptr, 0) ? -3 : 3;
                const CellXY aside{std::clamp(gate.X + side, 0, g.Columns - 1), std::clamp(gate.Y + 2, 0, g.Rows - 1)};
                if (Command({i}, {-1, nullptr, CellIndex(g, aside.X, aside.Y)}) > 0) std::erase(free, i);
                break;
            }
        }
}

std::int32_t Autopilot::RushTarget() const {
    const GameType& g = game_.Record();
    // The headquarters where it wins, else the factory nearest home.
    const bool headquartersWins = HeadquartersMission(g.Mission);
    const std::int32_t home = HomeCell();
    const CellXY homeXY = ValidCellIndex(g, home) ? CellOfIndex(g, home) : CellXY{0, 0};
    std::int32_t target = -1, best = std::numeric_limits<std::int32_t>::max();
    for (std::int32_t x = 0; x < g.Columns; ++x)
        for (std::int32_t y = 0; y < g.Rows; ++y) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (!IsEnemyTarget(o) || o->Kind() != KindBuilding) continue;
            if (o->BuildingType() != (headquartersWins ? BuildingHeadquarters : BuildingFactory)) continue;
            if (Chebyshev({x, y}, homeXY) < best) {
                best = Chebyshev({x, y}, homeXY);
                target = CellIndex(g, x, y);
            }
        }
    return target;
}

bool Autopilot::Rush() {
    const GameType& g = game_.Record();
    const ImageLibrary& lib = game_.Library();
    const std::int32_t target = rushTarget_;
    // One target a rush: once it has fallen the army sets off again only when
    // it is large enough for the next.
    if (!ValidCellIndex(g, target) || !IsEnemyTarget(g.Cell(target % g.Columns, target / g.Columns).Object.get())) {
        rushTarget_ = -1;
        return false;
    }
    const CellRect box = Footprint(target);
    // Every tank not yet on its way to the target, from wherever it is.
    std::vector<std::int32_t> going;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(g.Tanks.size()); ++i) {
        const GameObjectType& t = *g.Tanks[static_cast<std::size_t>(i)];
        if (t.Side() != SidePlayer || t.Health <= 0) continue;
        const OrderType* order = t.Order >= 0 ? g.Orders[static_cast<std::size_t>(t.Order)].get() : nullptr;
        if (order && order->Kind == OrderAttackBuilding && order->TargetRef == target) continue;
        const CellXY c = TankCell(g, t, lib);
        const bool near = c.X >= box.Left - 3 && c.X <= box.Right + 3 && c.Y >= box.Top - 3 && c.Y <= box.Bottom + 3;
        if (order && order->Kind == OrderMove && !near && ValidCellIndex(g, order->TargetRef) &&
            Chebyshev(CellOfIndex(g, order->TargetRef), {box.Left + 1, box.Bottom + 2}) <= 2)
            continue;
        going.push_back(i);
    }
    if (going.empty()) return true;
    const std::int32_t goal = CellIndex(g, box.Left + 1, std::min(box.Bottom + 2, g.Rows - 1));
    // Round the towers on the way when the tanks are still far off.
    const CellXY first = TankCell(g, *g.Tanks[static_cast<std::size_t>(going.front())], lib);
    std::vector<std::int32_t> via;
    if (g.OnMap(first.X, first.Y) && Chebyshev(first, {box.Left, box.Top}) > kRallyDistance)
        via = Detour(CellIndex(g, first.X, first.Y), goal);
    Command(going, {target, nullptr, goal}, Way::Move, via);
    return true;
}

bool Autopilot::Hard() const { return DifficultyIndex(game_.Run().Difficulty) == 2; }

void Autopilot::Decide() {
    ++decisions_;
    const GameType& g = game_.Record();
    if (game_.Run().Outcome != OutcomeRunning || game_.Run().TitleShown || g.CellWidth <= 0 || g.CellHeight <= 0) return;
    hands_.ShrinkMinimapIfInTheWay();

    std::vector<std::int32_t> free = FreeTanks();
    if (Hard() && rushTarget_ < 0) {
        // A rush sets off with an army large enough for the target's guard, or
        // with what there is once no more tanks can be bought.
        const std::int32_t target = RushTarget();
        std::int32_t army = 0;
        for (const auto& t : g.Tanks) army += t->Side() == SidePlayer && t->Health > kRetreatHealth;
        if (target >= 0 && army >= kRushArmy && (army >= Needed({target, nullptr, target}) || !CanProduce()))
            rushTarget_ = target;
    }
    if (rushTarget_ >= 0 && Rush()) return;
    ClearGates(free);
    PullBack(free);
    CallUpReserve(free);
    AnswerTowers(free);
    Defend(free);
    FocusFire(free);
    KeepHomeGuard(free);
    if (free.empty()) return;

    // The army is where the free tanks are: the one nearest their middle.
    const ImageLibrary& lib = game_.Library();
    std::int64_t sx = 0, sy = 0;
    for (const std::int32_t i : free) {
        const CellXY c = TankCell(g, *g.Tanks[static_cast<std::size_t>(i)], lib);
        sx += c.X;
        sy += c.Y;
    }
    const CellXY middle{static_cast<std::int32_t>(sx / static_cast<std::int64_t>(free.size())),
                        static_cast<std::int32_t>(sy / static_cast<std::int64_t>(free.size()))};
    std::int32_t start = -1, nearest = std::numeric_limits<std::int32_t>::max();
    for (const std::int32_t i : free) {
        const CellXY c = TankCell(g, *g.Tanks[static_cast<std::size_t>(i)], lib);
        if (g.OnMap(c.X, c.Y) && Chebyshev(c, middle) < nearest) {
            nearest = Chebyshev(c, middle);
            start = CellIndex(g, c.X, c.Y);
        }
    }
    if (!StillThere(target_)) {
        target_ = ChooseTarget(Distances(start));
        if (target_.Anchor >= 0 || target_.Tank) rally_ = RallyCell(start, target_);
        if (Trace)
            Trace("t=" + std::to_string(g.GameTime) + " target anchor " + std::to_string(target_.Anchor) + " cell " +
                  std::to_string(target_.Cell) + " rally " + std::to_string(rally_) + " from " + std::to_string(start));
    }
    if (target_.Anchor < 0 && !target_.Tank) return;

    // The free tanks gather at the rally point, out of the target's reach, and
    // set off together once they are enough for what guards it (or once no more
    // will come).
    const std::int32_t front = FrontCell();
    const std::int32_t gather = rally_;
    const CellXY rally = CellOfIndex(g, gather);
    if (!CanProduce()) {
        // No more will come: the tanks still driving to the gathering point
        // belong to the last attack too.
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(g.Tanks.size()); ++i) {
            const GameObjectType& t = *g.Tanks[static_cast<std::size_t>(i)];
            const OrderType* order = t.Order >= 0 ? g.Orders[static_cast<std::size_t>(t.Order)].get() : nullptr;
            if (t.Side() != SidePlayer || t.Health <= kRetreatHealth || !order || order->Kind != OrderMove) continue;
            if (!ValidCellIndex(g, order->TargetRef) || Chebyshev(CellOfIndex(g, order->TargetRef), rally) > kRallyReach) continue;
            if (std::find(free.begin(), free.end(), i) == free.end()) free.push_back(i);
        }
    }
    std::vector<std::int32_t> gathered, away;
    for (const std::int32_t i : free)
        (Chebyshev(TankCell(g, *g.Tanks[static_cast<std::size_t>(i)], lib), rally) <= kRallyReach ? gathered : away).push_back(i);
    const std::size_t own = PlayerTanks(g);
    const bool lastStand = free.size() == own && !CanProduce();
    const std::int32_t needed = Needed(target_);
    if (Trace && decisions_ % 60 == 0)
        Trace("t=" + std::to_string(g.GameTime) + " own " + std::to_string(own) + " free " + std::to_string(free.size()) +
              " gathered " + std::to_string(gathered.size()) + " needed " + std::to_string(needed) + " money " + std::to_string(g.Money));
    // New tanks from every factory drive to the front before home, where the
    // army picks them up on its way and they meet the waves.
    SetRallies(front);
    // On Difficult a fight on an attack-move is at half strength: plain moves.
    const Way way = Hard() ? Way::Move : Way::AttackMove;
    if (lastStand || static_cast<std::int32_t>(free.size()) >= 2 * needed) {
        // Strong enough even strung out, or nothing more will come.
        Command(free, target_, way);
        return;
    }
    // On Difficult, once no more tanks can be bought, those gathered go.
    if (static_cast<std::int32_t>(gathered.size()) >= needed || (Hard() && !gathered.empty() && !CanProduce()))
        Command(gathered, target_, way);
    // The others gather, fighting what they meet, round the towers on the way.
    if (!away.empty()) Command(away, {-1, nullptr, gather}, way, Detour(start, gather));
}

}  // namespace tavrine
