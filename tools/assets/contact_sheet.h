// The contact sheet: every list of the library at 1:1 with its numbers, and a
// few small scenes built from the pictures, for a person to review the art.
#pragma once

#include <string>
#include <vector>

#include "content_library.h"
#include "scenes.h"

namespace tavrine::assets {

/// Sprites are shown over plain land (the library's first land picture), so
/// that they look as they do in the game; the scenes at the top show coasts, a
/// lake, a mountain border, walls and units together.
/// `extras` are further panels shown after the scenes (cursors, dialog pictures).
Image ContactSheet(const ContentLibrary& library, const std::vector<Scene>& extras = {});

}  // namespace tavrine::assets
