// The picture and sound library in memory: Images[Group][Subgroup][List] lists of
// pictures, and the wave list.
#pragma once

#include <cstdint>
#include <vector>

#include "data/image_ref.h"

namespace tavrine {

/// One picture of the library.
struct Picture {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    /// Decoded pixels, rows top-down, 0xAARRGGBB; the transparent colour
    /// (red 255, green 0, blue 255) has alpha 0, every other pixel alpha 255.
    std::vector<std::uint32_t> Pixels;
    /// The picture's bitmap record exactly as it is written back to the library.
    std::vector<std::uint8_t> Record;
};

/// The frames of one animation, the facings of one object or a set of variants.
struct PictureList {
    std::int32_t Tag = 0;  ///< stored with the list; nothing reads it
    std::vector<Picture> Pictures;
};

/// One sound: its format block as imported and its sample bytes.
struct Wave {
    std::vector<std::uint8_t> Format;
    std::vector<std::uint8_t> Samples;
};

using PictureLists = std::vector<PictureList>;
using Subgroups = std::vector<PictureLists>;

struct ImageLibrary {
    std::vector<Subgroups> Images;  ///< Images[Group][Subgroup][List]
    std::vector<Wave> WaveList;     ///< by position: 0 the explosion, 1 the shot
};

/// The picture an ImageRef names, or nullptr when any of its four numbers is
/// negative or beyond the level it indexes.
const Picture* FindPicture(const ImageLibrary& library, const ImageRef& ref);

/// The list an ImageRef's group, subgroup and list name (its frame is ignored),
/// or nullptr.
const PictureList* FindList(const ImageLibrary& library, const ImageRef& ref);

/// The size of the picture an ImageRef names. Fails, leaving width and height
/// unchanged, when the reference does not name a picture.
bool ImageSize(const ImageLibrary& library, const ImageRef& ref, std::int32_t& width, std::int32_t& height);

}  // namespace tavrine
