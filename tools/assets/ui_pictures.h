// Pictures for the dialogs, written as PNG files into the program folder's ui/
// folder: the start dialog's title picture and display icon, the game file
// picker's two icons, and the toolbar icons of the map editor and the image
// library editor (numbered as the toolbars' image lists number them).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "content_library.h"

namespace tavrine::assets {

/// The start dialog's title picture, 304 by 218: a battle drawn from the
/// library's own pictures under the game's name.
Image TitlePicture(const ContentLibrary& library);

/// Every dialog picture by its path below the program folder.
std::vector<std::pair<std::string, Image>> DialogPictures(const ContentLibrary& library);

}  // namespace tavrine::assets
