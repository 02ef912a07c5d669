#include "ground_lists.h"

#include <string>

#include "debris.h"
#include "terrain.h"

namespace tavrine::assets {

namespace {
/// The plain ground and the eleven frames a destroyed building or tank leaves on it.
void AddWithDebris(PictureSet& set, const Image& plain, DebrisGround kind, std::uint32_t seed) {
    set.Frames.push_back(plain);
    for (int ruin = 1; ruin <= 5; ++ruin) set.Frames.push_back(WithRuins(plain, kind, seed + ruin * 31u, ruin));
    for (int wreck = 6; wreck <= 11; ++wreck) set.Frames.push_back(WithWreck(plain, kind, seed + wreck * 37u, wreck - 6));
}
}  // namespace

void AddGround(ContentLibrary& library, std::uint32_t seed) {
    const GroundTextures textures(seed);
    for (int v = 0; v < 5; ++v) {
        PictureSet& water = library.List(0, 0, v);
        water.Name = v == 0 ? "WATER" : "WATER VARIANT";
        AddWithDebris(water, textures.WaterCell(v), DebrisGround::Water, seed + 1000u + static_cast<std::uint32_t>(v));
    }
    for (int v = 0; v < 5; ++v) {
        PictureSet& land = library.List(0, 1, v);
        land.Name = v == 0 ? "LAND" : "LAND VARIANT";
        AddWithDebris(land, textures.LandCell(v), DebrisGround::Land, seed + 2000u + static_cast<std::uint32_t>(v));
    }
    PictureSet& mountain = library.List(0, 2, 0);
    mountain.Name = "MOUNTAIN";
    AddWithDebris(mountain, textures.MountainCell(), DebrisGround::Mountain, seed + 3000u);
    for (int terrain = 1; terrain <= 2; ++terrain) {
        PictureSet& edges = library.List(0, 2, terrain);
        edges.Name = terrain == 1 ? "COAST PIECES" : "MOUNTAIN BORDER PIECES";
        for (int piece = 0; piece < 12; ++piece) edges.Frames.push_back(textures.EdgePiece(terrain, piece));
    }
}

}  // namespace tavrine::assets
