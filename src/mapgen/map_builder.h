// Builds one prepared map the way a map maker would in the editing mode: a new
// empty map, coasts and mountain borders traced with the outline tools and
// filled, walls drawn, towers, buildings, scenery and tanks placed, and the map
// saved as a game file. Every step goes through the editor's own operations.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/file_io.h"
#include "data/library.h"
#include "mapgen/terrain_plan.h"
#include "sim/context.h"
#include "state/random.h"
#include "state/records.h"
#include "state/run_state.h"

namespace tavrine::mapgen {

/// A map that cannot be built as asked (a building on water, a factory whose
/// gate is blocked, a coast the tiling cannot follow...). The generator stops.
struct MapError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// Picture lists of the library's buildings (group 3) and towers (group 2).
enum BuildingList : std::int32_t {
    kHeadquarters = 0,  ///< 3 x 3 cells
    kFactory = 1,       ///< 3 x 2 cells; its gate is the middle of the lower row
    kBarracks = 2,      ///< 2 x 1
    kPowerPlant = 3,    ///< 2 x 2
    kFuelDepot = 4,     ///< 1 x 1
    kRadioMast = 5,     ///< 1 x 1
};
/// " at (X, Y)": how the builder's and the fairness checks' messages name a cell.
std::string AtCell(int x, int y);

enum TowerList : std::int32_t { kGunTower = 0, kFortress = 1 };
/// Facings of towers and tanks.
enum Facing : std::int32_t { kWest = 0, kNorthWest = 2, kNorth = 4, kNorthEast = 6, kEast = 8, kSouthEast = 10, kSouth = 12, kSouthWest = 14 };

class MapBuilder {
public:
    /// A new all-water map (`NewMap`) for `mission`; `seed` drives the random
    /// touches (ground variants, scenery). The builder keeps a reference to
    /// `library`, which must outlive it.
    MapBuilder(const ImageLibrary& library, int columns, int rows, int mission, std::uint64_t seed);

    GameType& G() { return record_; }
    const GameType& G() const { return record_; }
    const ImageLibrary& Library() const { return library_; }

    /// Paints the planned ground: every coast outline traced with the land tool
    /// and filled, then every mountain border traced with the mountain tool and
    /// filled. Checks that the fills stayed inside their outlines.
    void PaintTerrain(const TerrainPlan& plan);
    /// Scatters the library's land and water variants over plain cells, about
    /// one in `oneIn`.
    void VaryGround(int oneIn);

    void Headquarters(int side, int x, int y);
    /// A factory on (x, y) .. (x + 2, y + 1); its gate (x + 1, y + 1) and the
    /// road four cells south of it must stay free.
    void Factory(int side, int x, int y);
    void Building(int side, int list, int x, int y);
    void Tower(int side, int x, int y, int facing);
    void Fortress(int side, int x, int y, int facing);
    void Tank(int side, int x, int y, int facing, int model = 0);
    /// A column of tanks of a side: `count` tanks from (x, y), `perRow` a row.
    void TankGroup(int side, int x, int y, int count, int perRow, int facing);
    /// A straight wall from (x0, y0) to (x1, y1) (same row or same column),
    /// drawn piece by piece with the wall tool of that kind.
    void Wall(int kind, int x0, int y0, int x1, int y1);
    /// A decoration (group 1, subgroup 2 or 3) dropped on a free land cell;
    /// ignored (false) where the cell is not free plain land.
    bool Scenery(int subgroup, int list, int frame, int x, int y);
    /// Clumps of trees, rocks and the like on free land, kept `keepOut` cells
    /// away from every object, road and tank, and never where they would cut
    /// the land into parts.
    void ScatterScenery(int clumps, const std::vector<CellBox>& keepOut);

    /// Uncovers the fog of war over the box.
    void Reveal(const CellBox& box);
    /// Uncovers the player's start: `radius` cells around every tank, tower and
    /// building of the player.
    void RevealPlayerStart(int radius);
    /// Puts the top-left corner of the view where an 800 by 600 screen shows
    /// cell (x, y) in its middle.
    void CentreView(int x, int y);

    /// The last checks: every factory can produce, every building of each side
    /// can be reached by the other side's tanks from where they start. Throws
    /// `MapError` when not.
    void Check() const;
    /// The map in the game file layout, after the rules' own consistency check.
    Bytes Serialize();
    /// Writes the map (`Serialize`) to `path` through a temporary file.
    void Save(const std::string& path);
    /// The map's cells painted so far to `touches`, for generators that take
    /// the random touches over.
    Random& Touches() { return touches_; }

private:
    void PlaceOrThrow(const ImageRef& picture, int x, int y, const char* what);
    bool FreeLand(int x, int y) const;

    SimContext Context();

    const ImageLibrary& library_;
    GameType record_;
    RunState run_;
    /// What the rules' own random choices draw on while the map is built.
    Random rules_;
    Random touches_;
    /// Cells that must stay free of scenery: factory roads.
    std::vector<CellBox> roads_;
};

}  // namespace tavrine::mapgen
