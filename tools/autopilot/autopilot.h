// The autopilot: plays the player's side of a battle for testing and balancing.
// It looks at the battlefield as the player would (it also knows where the
// enemy's buildings stand, as a player who has played the map before) and acts
// only through the player's own commands: band selections, clicks on targets
// and on open ground, and clicks on the minimap to bring them into view. It
// never changes the game record itself.
//
// Its plan is a plain one: keep the army together, send it against the nearest
// enemy tower, factory or building (the headquarters first in the missions
// that ask for it, the last tanks once the buildings are gone), turn the tanks
// near home against enemies that come close, and send new tanks after the army
// in groups.
// In a fight it turns the tanks near an enemy tank on the weakest one in reach,
// and sends badly damaged tanks home, where they guard the base.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "autopilot_hands.h"
#include "game/game.h"

namespace tavrine {

/// What the autopilot did, for the run's report.
struct AutopilotCounts {
    std::int64_t Decisions = 0;
    std::int64_t Orders = 0;  ///< commands given (a selection and a click)
    std::int64_t RallyPoints = 0;  ///< factories' rally cells set (R held and a click)
    std::int64_t AttackMoves = 0;  ///< attack-moves given (A and a click)
    std::int64_t Waypoints = 0;    ///< waypoints queued with Shift and a click
    HandCounts Hands;
};

class Autopilot {
public:
    /// Ticks between two looks at the battlefield: about a second of play.
    static constexpr std::int32_t kDecisionTicks = 30;

    /// Plays `game` through `commands`, the main window's commands.
    Autopilot(Game& game, MainCommands& commands) : game_(game), hands_(game, commands) {}

    /// Called between two ticks; every `kDecisionTicks` calls it looks at the
    /// battle and gives its commands.
    void BetweenTicks();
    /// Looks at the battle and gives the commands of this moment.
    void Decide();

    AutopilotCounts Counts() const;

    /// Receives a line for every command given (when set): for balancing runs.
    std::function<void(const std::string&)> Trace;

private:
    struct Target {
        std::int32_t Anchor = -1;                ///< cell index of an object's anchor, or -1
        const GameObjectType* Tank = nullptr;    ///< an enemy tank, or none
        std::int32_t Cell = -1;                  ///< the cell to drive to while the target is out of sight
    };

    /// Own tanks free for a new order: without an order, or stuck on one.
    std::vector<std::int32_t> FreeTanks();
    /// Distances in cells from `start` over ground tanks can drive (tanks do not
    /// block); -1 where unreachable. Cells marked in `avoid` are not entered,
    /// save `allowed`.
    std::vector<std::int32_t> Distances(std::int32_t start, const std::vector<char>* avoid = nullptr,
                                        std::int32_t allowed = -1) const;
    /// The next target for the army, from its distances.
    Target ChooseTarget(const std::vector<std::int32_t>& distances) const;
    bool StillThere(const Target& t) const;
    /// Whether an enemy tower stands near the object anchored at (ax, ay).
    bool Guarded(std::int32_t ax, std::int32_t ay) const;
    /// Whether the player's factories can still build a tank.
    bool CanProduce() const;
    /// The enemy tanks standing by the object anchored at `anchor`.
    std::int32_t GuardTanks(std::int32_t anchor) const;
    /// How many tanks an attack on the target waits for.
    std::int32_t Needed(const Target& t) const;
    /// Where the army gathers before it attacks: on its way from cell `start`,
    /// a short drive before the target.
    std::int32_t RallyCell(std::int32_t start, const Target& t) const;
    /// How a command reaches ground that is not the target itself.
    enum class Way { Move, AttackMove };
    /// Selects `tanks` (band by band) and clicks the target for each band; the
    /// number of tanks that took the order. A click on ground is an attack-move
    /// when `way` says so. With `via`, the tanks drive by those cells first: the
    /// first is clicked, the others and the target are queued with Shift.
    std::int32_t Command(const std::vector<std::int32_t>& tanks, const Target& target, Way way = Way::Move,
                         const std::vector<std::int32_t>& via = {});
    /// The cells within reach of a standing enemy tower's guns.
    std::vector<char> Danger() const;
    /// Cells to drive by on the way from `start` to `goal` so that the way keeps
    /// out of the enemy towers' reach; empty when the direct way already does,
    /// or when no way does.
    std::vector<std::int32_t> Detour(std::int32_t start, std::int32_t goal) const;
    /// The cell a short drive from home toward the army's gathering point.
    std::int32_t FrontCell() const;
    /// Points every factory of the player's at `cell`: new tanks drive there.
    void SetRallies(std::int32_t cell);
    /// Enemy tanks close to the player's buildings and tanks at home.
    void Defend(std::vector<std::int32_t>& free);
    /// Turns the tanks near an enemy tower that fires on one of them against it.
    void AnswerTowers(std::vector<std::int32_t>& free);
    /// The cells an object covers.
    CellRect Footprint(std::int32_t anchor) const;
    /// Keeps the tanks nearest the player's headquarters out of `free`, and
    /// sends free tanks home to make up the guard.
    void KeepHomeGuard(std::vector<std::int32_t>& free);
    /// Sends badly damaged tanks away from home back to it, and keeps every badly
    /// damaged tank out of `free`.
    void PullBack(std::vector<std::int32_t>& free);
    /// Puts the badly damaged tanks resting at home, beyond a guard's worth,
    /// back into `free`; they are not pulled back again.
    void CallUpReserve(std::vector<std::int32_t>& free);
    /// Turns the tanks in reach of the weakest enemy tank in sight on it.
    void FocusFire(std::vector<std::int32_t>& free);
    /// The cell of the player's headquarters (else of any building of the
    /// player's), -1 when there is none.
    std::int32_t HomeCell() const;
    /// Whether the battle is played on Difficult. There a shell fired on an
    /// attack-tank order does half the damage of one fired on the way (at a
    /// tank met while driving or while going for a building out of reach), and
    /// every enemy factory sends a tank every three seconds: the autopilot
    /// drives rather than attack-moves, goes for the factories first and, with
    /// a large army, rushes the headquarters where it wins the mission, else the
    /// factory nearest home, before the factories have filled the field.
    bool Hard() const;
    /// When the army has not grown for a long while though there is money:
    /// sends the player's idle tanks standing in a factory's gate aside, so
    /// that the factory can roll its next tank out.
    void ClearGates(std::vector<std::int32_t>& free);
    /// What a rush goes for: the enemy headquarters where it wins the
    /// mission, else the enemy factory nearest home; -1 when there is none.
    std::int32_t RushTarget() const;
    /// Every tank goes for the rush's target at once, round the towers on the
    /// way, and keeps at it. False (and the rush over) once it has fallen.
    bool Rush();

    Game& game_;
    AutopilotHands hands_;
    std::int64_t ticks_ = 0;
    std::int64_t decisions_ = 0;
    std::int64_t orders_ = 0;
    std::int64_t rallies_ = 0;
    std::int64_t attackMoves_ = 0;
    std::int64_t waypoints_ = 0;
    Target target_;
    std::int32_t rally_ = -1;
    /// Where each tank with an order stood at the last look, and for how many
    /// looks it has stood there without its target in range.
    std::map<const GameObjectType*, std::pair<std::int32_t, std::int32_t>> standing_;
    /// Damaged tanks sent out again from home: never pulled back.
    std::set<const GameObjectType*> committed_;
    /// The anchor a rush (on Difficult) goes for, -1 while none is on.
    std::int32_t rushTarget_ = -1;
    /// The player's tanks at the last look, and for how many looks the count
    /// has stood still.
    std::size_t lastArmy_ = 0;
    std::int32_t armyStill_ = 0;
};

}  // namespace tavrine
