// Encoding of the generated content with the game's own codecs: the library in
// memory as the game holds it, and the library file.
#pragma once

#include <cstdint>
#include <vector>

#include "content_library.h"
#include "data/library.h"

namespace tavrine::assets {

using ByteVector = std::vector<std::uint8_t>;

/// A sound as the library holds it: a 16-byte PCM format block (mono, 16 bits)
/// and the little-endian samples.
Wave ToWave(const Sound& sound);

/// The library as the game loads it: every picture as a bitmap record (8 bits
/// with a palette where it has at most 256 colours, 24 bits otherwise), every
/// list with Tag 0.
ImageLibrary ToImageLibrary(const ContentLibrary& library);

/// The library file Tavrine.isd; empty when a picture cannot be encoded.
ByteVector EncodeLibrary(const ContentLibrary& library);

}  // namespace tavrine::assets
