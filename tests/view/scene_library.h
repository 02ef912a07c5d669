// A library with real pictures drawn in code, in the sizes and layout of the
// game's library: for frames rendered with the real canvas (golden frames, the
// frame benchmark) that must not depend on the content generator.
#pragma once

#include "data/library.h"

namespace tavrine::test {

/// Ground (water, land, mountain; 12 frames per list), explosions (two lists of
/// five frames), ten fog pieces, smoke, the muzzle flash, walls and scenery,
/// towers (16 facings), buildings (headquarters, factory, plain) and tanks (two
/// models, 16 hull and 16 turret frames) for sides 0, 1 and 2. Magenta pixels are
/// transparent, as in the game's library.
ImageLibrary MakeSceneLibrary();

}  // namespace tavrine::test
