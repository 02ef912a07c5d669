// The desktop icon: one of the player's tanks on open land, cut from a scene of
// the library's own pictures, in a rounded square with a dark rim.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "content_library.h"

namespace tavrine::assets {

/// The sizes the desktop asks for, in pixels a side.
inline constexpr int kIconSizes[] = {48, 64, 128, 256};

/// The icon at `size` pixels a side: the 64-pixel scene enlarged pixel by pixel
/// (or averaged down), the rounded corners transparent.
Image AppIcon(const ContentLibrary& library, int size);

/// Every size by its path below an icon theme folder ("hicolor/48x48/apps/tavrine.png").
std::vector<std::pair<std::string, Image>> AppIcons(const ContentLibrary& library);

}  // namespace tavrine::assets
