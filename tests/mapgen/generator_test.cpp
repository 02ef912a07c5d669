// Skirmish maps: the same options give the same bytes, every landscape passes
// its fairness checks, and the checks reject planted unfair maps.
#include <gtest/gtest.h>

#include <set>

#include "game/game.h"
#include "mapgen/contour.h"
#include "mapgen/generator.h"
#include "mapgen/map_builder.h"
#include "platform/host.h"
#include "state/saved_game.h"
#include "support/shipped_library.h"

namespace tavrine::mapgen {
namespace {

const ImageLibrary& Library() { return test::ShippedLibrary(); }

std::string Checksum(const Bytes& bytes) {
    std::uint64_t h = 0xCBF29CE484222325ull;  // FNV-1a
    for (const std::uint8_t b : bytes) h = (h ^ b) * 0x100000001B3ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

std::set<std::string> Failed(const FairnessReport& r) {
    std::set<std::string> names;
    for (const FairnessCheck& c : r.Checks)
        if (!c.Passed) names.insert(c.Name);
    return names;
}

// One map per landscape: the checksums pin the generator, so a change that
// moves one cell of any map shows here, and so does a build whose arithmetic differs.
TEST(GenerateMap, GivesTheSameFairMapForTheSameOptions) {
    struct Row {
        Landscape Land;
        Symmetry Mirror;
        int Columns, Rows, Mission;
        std::uint64_t Seed;
        const char* Sum;
    };
    const Row rows[] = {
        {Landscape::Continent, Symmetry::Rotate, 90, 60, 0, 6, "5a34ca271f874652"},
        {Landscape::Islands, Symmetry::Mirror, 64, 48, 2, 2, "17b576ba056cbb2c"},
        {Landscape::Lakes, Symmetry::Rotate, 64, 48, 3, 3, "e63654656c548253"},
        {Landscape::Highlands, Symmetry::None, 40, 30, 4, 4, "eb25e9edeb9d9359"},
        {Landscape::River, Symmetry::Mirror, 100, 75, 5, 18446744073709551615ull, "2e2f4167e5606408"},
    };
    for (const Row& row : rows) {
        GenerateOptions o;
        o.Land = row.Land;
        o.Mirror = row.Mirror;
        o.Columns = row.Columns;
        o.Rows = row.Rows;
        o.Mission = row.Mission;
        o.Seed = row.Seed;
        const GeneratedMap m = GenerateMap(Library(), o);
        SCOPED_TRACE(std::string(NameOf(row.Land)) + " " + std::string(NameOf(row.Mirror)));
        ASSERT_TRUE(m.Ok) << m.Failure;
        EXPECT_EQ(Checksum(m.File), row.Sum);
        // The file is an ordinary prepared map, and still fair as the game reads it.
        GameType loaded;
        ASSERT_EQ(ParseGame(m.File, loaded), LoadResult::Ok);
        EXPECT_EQ(loaded.Columns, row.Columns);
        EXPECT_EQ(loaded.Mission, row.Mission);
        EXPECT_TRUE(CheckFairness(loaded, Library(), row.Mirror).Passed());
    }
}

/// A 40 x 30 map with the player's base in the west and the enemy's in the
/// east, and one way to spoil it.
struct Planted {
    const char* Name;
    bool Moat;  ///< water all round the player's base
    bool TowerOverStart;  ///< an enemy tower next to the player's tanks
    bool Reveal;  ///< the fog lifted from the player's start
    bool PlayerHeadquarters;
    int Mission;
    std::set<std::string> Fails;
};

FairnessReport Judge(const Planted& p) {
    TerrainPlan plan(40, 30, Terrain::Land);
    if (p.Moat) {
        plan.FillBox({0, 3, 21, 26}, Terrain::Water);
        plan.FillBox({0, 7, 16, 22}, Terrain::Land);
    }
    const std::vector<CellBox> flat{{1, 8, 15, 21}, {25, 8, 38, 21}};
    EXPECT_TRUE(SettlePlan(plan, flat));
    MapBuilder b(Library(), 40, 30, p.Mission, 1);
    b.PaintTerrain(plan);
    if (p.PlayerHeadquarters) b.Headquarters(SidePlayer, 3, 9);
    b.Factory(SidePlayer, 8, 9);
    b.TankGroup(SidePlayer, 3, 15, 4, 2, kEast);
    b.Headquarters(SideComputer, 33, 9);
    b.Factory(SideComputer, 28, 9);
    b.Tower(SideComputer, p.TowerOverStart ? 11 : 34, 16, kWest);
    if (p.Reveal) b.RevealPlayerStart(5);
    return CheckFairness(b.G(), Library());
}

TEST(CheckFairness, RejectsPlantedUnfairMaps) {
    const Planted cases[] = {
        {"a fair map", false, false, true, true, 1, {}},
        {"a base cut off by water", true, false, true, true, 1, {"targets_reachable", "enemy_reaches_player"}},
        {"a tower over the start", false, true, true, true, 1, {"start_out_of_tower_reach"}},
        {"the start under the fog", false, false, false, true, 1, {"start_revealed"}},
        {"a defence without a headquarters", false, false, true, false, 4, {"not_decided"}},
    };
    for (const Planted& p : cases) EXPECT_EQ(Failed(Judge(p)), p.Fails) << p.Name;
}

}  // namespace
}  // namespace tavrine::mapgen
