// Where the battle makes a noise: the rules report a sound at a map point, the
// layer above decides how loud and where it is heard.
#pragma once

namespace tavrine {

class SoundEvents {
public:
    virtual ~SoundEvents() = default;
    /// Sound `index` of the library's wave list (0 the explosion, 1 the shot) at
    /// map pixel (x, y).
    virtual void PlaySoundAt(int index, int x, int y) = 0;
};

}  // namespace tavrine
