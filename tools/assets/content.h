// The whole content of the program folder, generated from a seed.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "content_library.h"
#include "library_encoding.h"

namespace tavrine::assets {

/// The seed of the shipped content.
constexpr std::uint64_t kContentSeed = 0x7A0B21E5ull;

/// Every picture and sound of the library.
ContentLibrary BuildLibrary(std::uint64_t seed);

/// Every generated file by its path relative to the program folder ("/"
/// separated): the library, its contact sheet, the music, the cursors, the help
/// and the dialogs' pictures.
std::map<std::string, ByteVector> GenerateContent(std::uint64_t seed = kContentSeed);

/// Writes the files below `folder`, creating sub-folders; each file is written
/// to a temporary name and renamed over the old one. False when anything failed.
bool WriteContent(const std::map<std::string, ByteVector>& files, const std::string& folder);

}  // namespace tavrine::assets
