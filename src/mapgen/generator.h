// Skirmish maps: a fresh prepared map from a seed and a few choices, painted
// with the editor's own tools and judged fair before it is handed out.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/file_io.h"
#include "data/library.h"
#include "mapgen/fairness.h"
#include "platform/skirmish_setup.h"

namespace tavrine::mapgen {

enum class Landscape : std::uint8_t { Continent, Islands, Lakes, Highlands, River };

inline constexpr std::array<std::string_view, 5> kLandscapeNames{"continent", "islands", "lakes", "highlands", "river"};
inline constexpr std::array<std::string_view, 3> kSymmetryNames{"none", "mirror", "rotate"};

struct MapSizePreset {
    std::string_view Name;
    int Columns;
    int Rows;
};
inline constexpr std::array<MapSizePreset, 4> kSizePresets{{{"small", 64, 48}, {"medium", 100, 75}, {"large", 150, 110}, {"huge", 200, 200}}};

inline constexpr int kMinColumns = 40, kMinRows = 30, kMaxColumns = 200, kMaxRows = 200;
/// Scenery density: 0 none .. 3 dense.
inline constexpr int kMaxScenery = 3;
/// Attempts before the generator gives up.
inline constexpr int kMaxAttempts = 16;

struct GenerateOptions {
    std::uint64_t Seed = 1;
    int Columns = 64;
    int Rows = 48;
    Landscape Land = Landscape::Continent;
    Symmetry Mirror = Symmetry::None;
    int Mission = 1;  ///< 0..5
    int Scenery = 2;  ///< 0..kMaxScenery
};

/// Numbers of things on the map, per side where that applies.
struct MapCounts {
    int Cells = 0;
    int Water = 0;
    int Land = 0;
    int Mountain = 0;
    int Buildings[2] = {0, 0};  ///< towers excluded
    int Towers[2] = {0, 0};
    int Tanks[2] = {0, 0};
    int Scenery = 0;
};

struct GeneratedMap {
    bool Ok = false;
    int Attempts = 0;
    std::uint64_t UsedSeed = 0;  ///< the seed of the attempt that succeeded
    Bytes File;  ///< the prepared map in the game file layout (version 2)
    FairnessReport Report;  ///< of the last attempt
    MapCounts Counts;
    std::string Failure;  ///< why the last attempt failed; empty when Ok
};

/// Clamps the options into their ranges (size, mission, scenery).
GenerateOptions Clamped(GenerateOptions o);

/// Builds, checks and returns a prepared map; retries from derived seeds up to
/// kMaxAttempts times. The same options and library give the same bytes.
GeneratedMap GenerateMap(const ImageLibrary& library, const GenerateOptions& options);

/// Parses names as the command line and the settings write them.
std::optional<Landscape> LandscapeNamed(std::string_view name);
std::optional<Symmetry> SymmetryNamed(std::string_view name);
/// "small".."huge" or "CxR"; false when neither.
bool ParseMapSize(std::string_view text, int& columns, int& rows);

/// The generator's options for a skirmish's choices.
GenerateOptions OptionsOf(const SkirmishSetup& k);

/// A fresh seed for a new skirmish, from the system's entropy: under a billion,
/// so it is easy to read out and type in again.
std::uint64_t FreshSeed();

std::string_view NameOf(Landscape l);
std::string_view NameOf(Symmetry s);

}  // namespace tavrine::mapgen
