// Library files from arbitrary bytes: never a crash or a huge allocation, and a
// library that loads is saved and loaded again to the same bytes.
#include <cstddef>
#include <cstdint>

#include "data/library_file.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavrine::ImageLibrary library;
    if (tavrine::ReadLibraryFile({data, size}, library) != tavrine::LibraryStatus::Ok) {
        Check(library.Images.empty() && library.WaveList.empty());
        return 0;
    }
    const std::optional<std::vector<std::uint8_t>> saved = tavrine::WriteLibraryFile(library);
    Check(saved.has_value());
    tavrine::ImageLibrary again;
    Check(tavrine::ReadLibraryFile(*saved, again) == tavrine::LibraryStatus::Ok);
    const std::optional<std::vector<std::uint8_t>> resaved = tavrine::WriteLibraryFile(again);
    Check(resaved && *resaved == *saved);
    return 0;
}
