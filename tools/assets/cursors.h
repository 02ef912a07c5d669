// The 22 animated cursors, Cursors/1.ani to Cursors/22.ani, in the RIFF "ACON"
// format: an "anih" header, a "seq " chunk where frames repeat, and a
// "LIST fram" of "icon" chunks, each a 32 by 32 cursor (.cur) with its hot spot.
//
//   1-4   scroll left, up, right, down          9-16  the same eight at the map's border
//   5-8   scroll up-left, up-right, down-right, down-left
//   17 pointer  18 move here  19 attack  20 not possible  21 select  22 wait
#pragma once

#include <cstdint>
#include <vector>

#include "pixels.h"

namespace tavrine::assets {

constexpr int kCursorSize = 32;
constexpr int kCursorCount = 22;

struct CursorFrame {
    Image Picture;  ///< 32 by 32, with alpha
    int HotX = 0;
    int HotY = 0;
};

struct AnimatedCursor {
    std::vector<CursorFrame> Frames;
    std::vector<int> Sequence;  ///< frame order when frames repeat; empty plays them in order
    int Jiffies = 8;            ///< sixtieths of a second per step
};

/// Cursor number 1..22.
AnimatedCursor MakeCursor(int number);

/// One cursor image as a .cur file: ICONDIR of type 2, one entry with the hot
/// spot, a 32-bit DIB with its AND mask.
std::vector<std::uint8_t> EncodeCursorImage(const CursorFrame& frame);

/// The .ani file of an animated cursor.
std::vector<std::uint8_t> EncodeAnimatedCursor(const AnimatedCursor& cursor);

}  // namespace tavrine::assets
