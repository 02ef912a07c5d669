// The content the build generated into the program folder, read once per test
// program and shared by its tests.
#pragma once

#include <string>

#include "data/library.h"
#include "library_encoding.h"

namespace tavrine::assets::testing {

/// Side of a map cell in pixels, which the pictures are drawn to.
inline constexpr int kCellSize = 36;

/// A generated file by its path below the program folder; fails the test (and
/// gives no bytes) when the build did not write it.
const ByteVector& ProgramFile(const std::string& path);

/// Tavrine.isd read with the game's own reader.
const ImageLibrary& LoadedLibrary();

/// A picture of the loaded library; fails the test when it is missing.
const Picture& PictureAt(int group, int subgroup, int list, int frame);

/// Number of pictures in a list of the loaded library, -1 when the list is missing.
int FrameCount(int group, int subgroup, int list);

}  // namespace tavrine::assets::testing
