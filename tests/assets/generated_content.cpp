#include "generated_content.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "data/library_file.h"

namespace tavrine::assets::testing {

const ByteVector& ProgramFile(const std::string& path) {
    static std::map<std::string, ByteVector> cache;
    auto it = cache.find(path);
    if (it == cache.end()) {
        std::ifstream in(std::string(TAVRINE_PROGRAM_DIR) + "/" + path, std::ios::binary);
        EXPECT_TRUE(in.good()) << path << " was not generated into " << TAVRINE_PROGRAM_DIR;
        it = cache.emplace(path, ByteVector((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())).first;
    }
    return it->second;
}

const ImageLibrary& LoadedLibrary() {
    static const ImageLibrary library = [] {
        ImageLibrary loaded;
        std::string error;
        const LibraryStatus status = ReadLibraryFile(ProgramFile("Tavrine.isd"), loaded, &error);
        EXPECT_EQ(status, LibraryStatus::Ok) << error;
        return loaded;
    }();
    return library;
}

const Picture& PictureAt(int group, int subgroup, int list, int frame) {
    static const Picture kNone;
    const Picture* p = FindPicture(LoadedLibrary(), ImageRef{group, subgroup, list, frame});
    EXPECT_NE(p, nullptr) << "no picture at " << group << "/" << subgroup << "/" << list << " frame " << frame;
    return p ? *p : kNone;
}

int FrameCount(int group, int subgroup, int list) {
    const PictureList* l = FindList(LoadedLibrary(), ImageRef{group, subgroup, list, 0});
    return l ? static_cast<int>(l->Pictures.size()) : -1;
}

}  // namespace tavrine::assets::testing
