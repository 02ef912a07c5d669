// Tavrine.hlp: the player's and map maker's guide, written as one HTML page.
#pragma once

#include <string>
#include <string_view>

namespace tavrine::assets {

/// How the start dialog's hidden entry to the editing mode is worked, as the
/// guide tells it. Kept here, in one place, so that it follows the dialog.
inline constexpr std::string_view kEditingModeEntry =
    "hold Shift and Ctrl and click the very top-left corner of the title picture (its first nine by nine pixels)";

/// The whole guide as HTML (UTF-8).
std::string HelpText();

}  // namespace tavrine::assets
