// Animated cursor files from arbitrary bytes: never a crash, and whatever is
// accepted is a cursor the desktop can show as it is.
#include <cstddef>
#include <cstdint>

#include "data/ani.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

void CheckImage(const tavrine::CursorImage& image) {
    Check(image.Width >= 1 && image.Width <= tavrine::kMaxCursorSide);
    Check(image.Height >= 1 && image.Height <= tavrine::kMaxCursorSide);
    Check(image.Pixels.size() == static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height));
    Check(image.HotX >= 0 && image.HotX < image.Width && image.HotY >= 0 && image.HotY < image.Height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (const auto cursor = tavrine::ReadAnimatedCursor(bytes)) {
        Check(!cursor->Frames.empty() && cursor->Frames.size() <= tavrine::kMaxCursorFrames);
        Check(!cursor->Steps.empty() && cursor->Steps.size() <= tavrine::kMaxCursorSteps);
        for (const auto& image : cursor->Frames) CheckImage(image);
        for (const auto& step : cursor->Steps) {
            Check(step.Frame >= 0 && static_cast<std::size_t>(step.Frame) < cursor->Frames.size());
            Check(step.Jiffies >= 1 && step.Jiffies <= tavrine::kMaxCursorJiffies);
        }
    }
    // The same bytes as a single cursor image.
    if (const auto image = tavrine::ReadCursorImage(bytes)) CheckImage(*image);
    return 0;
}
