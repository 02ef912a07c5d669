// Feeds arbitrary bytes to the campaign and progress readers. Neither may crash or
// read out of bounds; whatever one accepts must write back into a text that
// reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "state/campaign.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (const auto campaign = tavrine::ParseCampaign(text, error)) {
        const auto again = tavrine::ParseCampaign(tavrine::FormatCampaign(*campaign), error);
        if (!again || *again != *campaign) std::abort();
    }
    if (const auto progress = tavrine::ParseProgress(text, error)) {
        const auto again = tavrine::ParseProgress(tavrine::FormatProgress(*progress), error);
        if (!again || *again != *progress) std::abort();
    }
    return 0;
}
