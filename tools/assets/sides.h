// The colours that tell the three sides apart: the player's yellow, the
// computer's red and the neutral green, the families of their minimap colours.
#pragma once

#include "pixels.h"

namespace tavrine::assets {

struct SidePalette {
    Rgb Paint;   ///< the main colour of tanks, turrets and roofs
    Rgb Trim;    ///< a darker band of the same family
    Rgb Light;   ///< signal lights and flags
};

/// Side 0 the player (yellow), 1 the computer (red), any other neutral (green).
SidePalette PaletteOfSide(int side);

/// The sides the library holds pictures for.
constexpr int kSides = 3;

}  // namespace tavrine::assets
