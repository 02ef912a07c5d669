// Edge scrolling and the hover cursor: every tick the mouse at a screen edge sets
// the scroll velocity, and elsewhere the cursor announces what a click would do.
#pragma once

#include <cstdint>

#include "platform/cursors.h"
#include "sim/context.h"

namespace tavrine {

/// Tick step 2. With the mouse on an edge or corner of the surface, sets
/// `ScrollDX`/`ScrollDY` (a plain edge leaves the other component alone) and a
/// scroll cursor, the blocked variant when the view already touches that border.
/// Otherwise leaves the velocities alone and picks the cursor from what lies under
/// the mouse. While a title or a mission result is shown: the ordinary pointer.
void EdgeScroll(SimContext& ctx, Cursors& cursors);

/// The cursor for the mouse away from the edges: pointer, move, attack, not
/// possible or select, from the cell, tank or object under `MouseMapX/Y`.
std::int32_t HoverCursor(const SimContext& ctx);

}  // namespace tavrine
