// The choices of a skirmish: what the Skirmish dialog asks, the settings file
// remembers and the Information box shows.
#pragma once

#include <cstdint>

namespace tavrine {

struct SkirmishSetup {
    std::uint64_t Seed = 1;
    std::int32_t Landscape = 0;  ///< 0 continent, 1 islands, 2 lakes, 3 highlands, 4 river
    std::int32_t Columns = 64;  ///< 40..200
    std::int32_t Rows = 48;  ///< 30..200
    std::int32_t Symmetry = 0;  ///< 0 none, 1 mirror, 2 rotate
    std::int32_t Mission = 1;  ///< 0..5
    std::int32_t Scenery = 2;  ///< 0 none .. 3 dense
    std::int32_t Difficulty = 1;  ///< 0 easy, 1 normal, 2 difficult
};

/// What the Skirmish dialog answers: "Play" accepts.
struct SkirmishAnswer {
    bool Accepted = false;
    SkirmishSetup Setup;
};

}  // namespace tavrine
