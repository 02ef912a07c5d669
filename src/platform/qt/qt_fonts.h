// The game's fonts on this desktop: each classic font name the game asks for
// mapped to the closest font Debian installs.
#pragma once

#include <QFont>

#include "platform/canvas.h"

namespace tavrine::qt {

/// The family that stands in for a font name the game uses ("MS Sans Serif",
/// "Impact", "Times New Roman"); other names are passed through.
QString FamilyFor(const std::string& name);

/// The Qt font for a canvas font. Sizes are in points at 96 dots per inch, as the
/// game's screens were laid out, and become pixel sizes so the result does not
/// depend on the screen's reported resolution.
QFont FontFor(const CanvasFont& font);

}  // namespace tavrine::qt
