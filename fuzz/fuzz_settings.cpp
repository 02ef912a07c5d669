// Feeds arbitrary bytes to the settings parser. The parser must neither crash nor
// read out of bounds; whatever it accepts must write back into a file that reads
// the same way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "state/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > tavrine::kMaxSettingsFileBytes) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tavrine::RunState run;
    tavrine::DisplayMode mode = tavrine::kDefaultDisplayMode;
    if (!tavrine::ParseSettings(text, run, mode)) return 0;

    tavrine::RunState again;
    tavrine::DisplayMode modeAgain;
    const bool ok = tavrine::ParseSettings(tavrine::FormatSettings(run, mode), again, modeAgain);
    const bool same = ok && modeAgain == mode && again.Difficulty == run.Difficulty && again.MusicOn == run.MusicOn &&
                      again.SoundOn == run.SoundOn && again.ReportOn == run.ReportOn &&
                      again.TimerInterval == run.TimerInterval;
    if (!same) std::abort();
    return 0;
}
