// PNG files of the generated pictures, written by libpng: 8-bit RGB or RGBA.
#pragma once

#include <cstdint>
#include <vector>

#include "pixels.h"

namespace tavrine::assets {

using ByteVector = std::vector<std::uint8_t>;

/// The PNG file of an image. With `alpha` the pixels' alpha is kept (RGBA);
/// otherwise the image is written as RGB and the transparent key stays magenta.
/// Empty when libpng refuses the image (an empty or oversized one).
ByteVector EncodePng(const Image& image, bool alpha);

}  // namespace tavrine::assets
