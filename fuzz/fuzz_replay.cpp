// Feeds arbitrary text to the replay reader. It must neither crash nor read out of
// bounds; whatever it accepts must write back into a replay that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > tavrine::kMaxReplayBytes) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto replay = tavrine::ParseReplay(text, error);
    if (!replay) {
        if (error.rfind("line ", 0) != 0) std::abort();
        return 0;
    }
    const std::string written = tavrine::WriteReplay(*replay);
    const auto again = tavrine::ParseReplay(written, error);
    if (!again || tavrine::WriteReplay(*again) != written) std::abort();
    return 0;
}
