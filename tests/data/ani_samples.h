// Animated cursor files built in code for the reader's tests and the fuzz seeds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrine::test {

using AniBytes = std::vector<std::uint8_t>;

/// One cursor image to encode: pixels rows top-down, 0xAARRGGBB.
struct CurSpec {
    std::int32_t Width = 4;
    std::int32_t Height = 4;
    std::int32_t HotX = 0;
    std::int32_t HotY = 0;
    std::uint16_t Bits = 32;  ///< 1, 4, 8, 24 or 32
    bool Icon = false;        ///< an icon (type 1) instead of a cursor (type 2)
    /// With 32 bits: keep the alpha channel (false stores alpha 0 and lets the
    /// mask speak). With fewer bits the colours are taken from a palette of the
    /// pixels' colours, in order of first appearance.
    bool Alpha = true;
    std::vector<std::uint32_t> Pixels;  ///< alpha 0 pixels are masked out
};

/// A .cur (or .ico) file with one image.
AniBytes EncodeCur(const CurSpec& spec);

/// A w x h picture whose pixel (x, y) is opaque colour `base` + x * 0x010000 +
/// y * 0x000100, except a transparent left column.
std::vector<std::uint32_t> Gradient(std::int32_t w, std::int32_t h, std::uint32_t base);

struct AniSpec {
    std::vector<AniBytes> Icons;          ///< "icon" chunks, in order
    std::uint32_t Frames = 0;             ///< 0: the number of icons
    std::uint32_t Steps = 0;              ///< 0: the sequence's length, or the frames
    std::uint32_t Rate = 6;               ///< the header's default jiffies
    std::uint32_t Flags = 1;              ///< 1 frames are icons, 2 a sequence follows
    std::vector<std::uint32_t> Rates;     ///< a "rate" chunk when not empty
    std::vector<std::uint32_t> Sequence;  ///< a "seq " chunk when not empty
    bool InfoList = false;                ///< a "LIST INFO" chunk with an odd-sized name first
};

/// A RIFF "ACON" file.
AniBytes EncodeAni(const AniSpec& spec);

}  // namespace tavrine::test
