// The prepared missions, each built from source with the map editor's
// operations.
#pragma once

#include <string>

#include "data/library.h"

namespace tavrine::missions {

/// Builds mission `index` of the catalogue and saves it into `folder` under its
/// file name. Throws `MapError` when the map cannot be built as designed.
void BuildMission(int index, const ImageLibrary& library, const std::string& folder);

}  // namespace tavrine::missions
