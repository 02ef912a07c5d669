// The picture library the build generated into the program folder, read once
// for every test that builds maps with real picture sizes.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "data/library.h"
#include "game/game.h"
#include "platform/host.h"

namespace tavrine::test {

inline const ImageLibrary& ShippedLibrary() {
    static const ImageLibrary library = [] {
        QuietHost host;
        ImageLibrary lib;
        EXPECT_TRUE(LoadImageLibraryFrom(host, std::string(TAVRINE_PROGRAM_DIR) + "/Tavrine.isd", lib));
        return lib;
    }();
    return library;
}

}  // namespace tavrine::test
