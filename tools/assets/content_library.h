// The library as the generator builds it: named picture lists by group,
// subgroup and list, and the sounds, before they are encoded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pixels.h"

namespace tavrine::assets {

/// One list of the library: the frames of an animation, the facings of an
/// object or a set of variants.
struct PictureSet {
    std::string Name;  ///< for the contact sheet
    std::vector<Image> Frames;
};

/// A mono 16-bit sound.
struct Sound {
    std::string Name;
    int Rate = 22050;
    std::vector<std::int16_t> Samples;
};

struct ContentLibrary {
    /// Groups[group][subgroup][list].
    std::vector<std::vector<std::vector<PictureSet>>> Groups;
    std::vector<Sound> Sounds;  ///< by position: 0 the explosion, 1 the shot

    /// The list at these numbers, created (with empty lists before it) when missing.
    PictureSet& List(int group, int subgroup, int list);
    /// The list at these numbers, or nullptr.
    const PictureSet* Find(int group, int subgroup, int list) const;
};

}  // namespace tavrine::assets
