#include "png_writer.h"

#include <png.h>

namespace tavrine::assets {

ByteVector EncodePng(const Image& image, bool alpha) {
    if (image.Width <= 0 || image.Height <= 0) return {};
    // The pixels as the file's bytes, whatever the machine's byte order.
    const int channels = alpha ? 4 : 3;
    ByteVector rows;
    rows.reserve(image.Pixels.size() * static_cast<std::size_t>(channels));
    for (const std::uint32_t p : image.Pixels) {
        rows.push_back(static_cast<std::uint8_t>(p >> 16));
        rows.push_back(static_cast<std::uint8_t>(p >> 8));
        rows.push_back(static_cast<std::uint8_t>(p));
        if (alpha) rows.push_back(static_cast<std::uint8_t>(p >> 24));
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.Width);
    png.height = static_cast<png_uint_32>(image.Height);
    png.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    // Measured first, then written into a buffer of that size.
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, rows.data(), 0, nullptr)) return {};
    ByteVector file(size);
    if (!png_image_write_to_memory(&png, file.data(), &size, 0, rows.data(), 0, nullptr)) return {};
    file.resize(size);
    return file;
}

}  // namespace tavrine::assets
