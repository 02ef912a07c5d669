// Animated cursor files (RIFF "ACON", the Cursors/N.ani files): the "anih"
// header, the optional "rate" and "seq " chunks, and the "LIST fram" of "icon"
// chunks, each a complete cursor (.cur) or icon (.ico) image. Decoded into plain
// 32-bit pictures with their hot spots and the order and duration of the steps,
// ready for a desktop toolkit to turn into cursors.
//
// Every count and size is checked against the bytes that are there before
// anything is allocated; a file that is malformed anywhere is refused whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tavrine {

/// Largest side of a cursor image, in pixels (an icon directory cannot say more).
inline constexpr std::int32_t kMaxCursorSide = 256;
/// Most frames and most steps an animated cursor may have.
inline constexpr std::size_t kMaxCursorFrames = 1024;
inline constexpr std::size_t kMaxCursorSteps = 4096;
/// A cursor file larger than this is not read.
inline constexpr std::size_t kMaxCursorFileBytes = std::size_t{4} << 20;
/// Step durations are kept within 1 .. kMaxCursorJiffies sixtieths of a second:
/// 0 would never advance and huge values overflow a timer.
inline constexpr std::uint32_t kMaxCursorJiffies = 0xFFFF;

/// One cursor picture.
struct CursorImage {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    /// The point of the picture that is the mouse position; inside the picture.
    std::int32_t HotX = 0;
    std::int32_t HotY = 0;
    /// Rows top-down, 0xAARRGGBB, not premultiplied; alpha 0 lets the screen
    /// show through (screen-inverting pixels of old cursors become transparent).
    std::vector<std::uint32_t> Pixels;
};

/// One step of the animation: which frame is shown and for how long.
struct CursorStep {
    std::int32_t Frame = 0;  ///< index into `Frames`
    std::uint32_t Jiffies = 1;  ///< sixtieths of a second, 1 .. kMaxCursorJiffies
};

struct AnimatedCursor {
    std::vector<CursorImage> Frames;  ///< at least one
    /// The animation in playing order, at least one step; it loops. Without a
    /// "seq " chunk the frames are shown in order; without a "rate" chunk every
    /// step lasts the header's display rate.
    std::vector<CursorStep> Steps;
};

/// Decodes one image of a cursor (.cur) or icon (.ico) file: the first entry of
/// its directory, an uncompressed bitmap of 1, 4, 8, 24 or 32 bits with its AND
/// mask. A 32-bit image with any nonzero alpha takes its transparency from the
/// alpha channel, every other one from the mask. Icons have their hot spot at
/// the top-left corner; a cursor's hot spot outside the picture is refused.
/// Compressed (PNG) images are refused.
std::optional<CursorImage> ReadCursorImage(std::span<const std::uint8_t> file, std::string* error = nullptr);

/// Decodes a whole animated cursor file; `error`, when given, says why it was refused.
std::optional<AnimatedCursor> ReadAnimatedCursor(std::span<const std::uint8_t> file, std::string* error = nullptr);

/// Reads and decodes the file at `path`; nothing when it is missing, too large or
/// malformed (the game then simply has no such cursor).
std::optional<AnimatedCursor> LoadAnimatedCursor(const std::string& path);

}  // namespace tavrine
