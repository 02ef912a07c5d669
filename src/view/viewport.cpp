#include "view/viewport.h"

#include <cstdint>

namespace tavrine {

void KeepViewInsideMap(GameType& g, const RunState& run) {
    if (g.ViewX < 0) g.ViewX = 0;
    if (g.ViewY < 0) g.ViewY = 0;
    // In 64 bits: an origin read from a file may be anywhere in the int range.
    if (std::int64_t{g.ViewX} + run.DisplayWidth > g.MapWidth) g.ViewX = g.MapWidth - run.DisplayWidth;
    if (std::int64_t{g.ViewY} + run.DisplayHeight > g.MapHeight) g.ViewY = g.MapHeight - run.DisplayHeight;
}

void ClampView(GameType& g, const RunState& run) {
    KeepViewInsideMap(g, run);
    // Integer division truncates toward zero, as the centring expects.
    if (g.MapWidth < run.DisplayWidth) g.ViewX = (g.MapWidth - run.DisplayWidth) / 2;
    if (g.MapHeight < run.DisplayHeight) g.ViewY = (g.MapHeight - run.DisplayHeight) / 2;
}

}  // namespace tavrine
