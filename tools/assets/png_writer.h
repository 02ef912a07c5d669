// A small PNG encoder: 8-bit RGB or RGBA, compressed with our own deflate
// (fixed Huffman codes over a greedy LZ77 match search).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "pixels.h"

namespace tavrine::assets {

using ByteVector = std::vector<std::uint8_t>;

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> data);

/// A raw deflate stream (RFC 1951) of the data.
ByteVector Deflate(std::span<const std::uint8_t> data);

/// A zlib stream (RFC 1950): header, deflate data, Adler-32.
ByteVector ZlibCompress(std::span<const std::uint8_t> data);

/// The PNG file of an image. With `alpha` the pixels' alpha is kept (RGBA);
/// otherwise the image is written as RGB and the transparent key stays magenta.
ByteVector EncodePng(const Image& image, bool alpha);

}  // namespace tavrine::assets
