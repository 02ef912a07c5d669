// The prepared missions, each built from source with the map editor's
// operations.
#pragma once

#include <string>

#include "data/library.h"
#include "mapgen/map_builder.h"

namespace tavrine::missions {

using mapgen::MapError;

/// Builds mission `index` of the catalogue and saves it into `folder` under its
/// file name. Throws `MapError` when the map cannot be built as designed.
void BuildMission(int index, const ImageLibrary& library, const std::string& folder);

}  // namespace tavrine::missions
