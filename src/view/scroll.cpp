#include "view/scroll.h"

#include <algorithm>
#include <limits>

#include "view/viewport.h"

namespace tavrine {

namespace {
/// a + b, held at the ends of the 32-bit range instead of wrapping round.
std::int32_t SaturatingAdd(std::int64_t a, std::int64_t b) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(a + b, std::numeric_limits<std::int32_t>::min(),
                                                               std::numeric_limits<std::int32_t>::max()));
}
}  // namespace

void ScrollBy(GameType& g, RunState& run, std::int32_t dx, std::int32_t dy) {
    if (dx == 0 && dy == 0) return;
    const std::int32_t oldX = g.ViewX, oldY = g.ViewY;
    g.ViewX = SaturatingAdd(g.ViewX, dx);
    g.ViewY = SaturatingAdd(g.ViewY, dy);
    KeepViewInsideMap(g, run);
    run.MouseMapX = SaturatingAdd(run.MouseMapX, std::int64_t{g.ViewX} - oldX);
    run.MouseMapY = SaturatingAdd(run.MouseMapY, std::int64_t{g.ViewY} - oldY);
}

}  // namespace tavrine
