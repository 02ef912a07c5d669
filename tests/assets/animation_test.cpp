// What changes from frame to frame: ruins and wrecks mark the ground they lie
// on, buildings animate, explosions flare and die away.
#include <gtest/gtest.h>

#include "generated_content.h"

namespace tavrine::assets::testing {
namespace {

/// The share of pixels in which two pictures of one size differ.
double Changed(const Picture& a, const Picture& b) {
    EXPECT_EQ(a.Pixels.size(), b.Pixels.size());
    std::size_t n = 0;
    for (std::size_t i = 0; i < std::min(a.Pixels.size(), b.Pixels.size()); ++i) n += a.Pixels[i] != b.Pixels[i];
    return a.Pixels.empty() ? 0.0 : static_cast<double>(n) / a.Pixels.size();
}

int Opaque(const Picture& p) {
    int n = 0;
    for (std::uint32_t px : p.Pixels) n += (px >> 24) != 0;
    return n;
}

TEST(Animation, RuinsAndWrecksMarkEveryKindOfGround) {
    std::vector<std::pair<int, int>> lists;
    for (int l = 0; l < 5; ++l) lists.emplace_back(0, l), lists.emplace_back(1, l);
    lists.emplace_back(2, 0);
    for (auto [subgroup, list] : lists) {
        const Picture& plain = PictureAt(0, subgroup, list, 0);
        for (int f = 1; f < 12; ++f)
            EXPECT_GT(Changed(plain, PictureAt(0, subgroup, list, f)), 0.2)
                << "0/" << subgroup << "/" << list << " frame " << f << " hardly differs from the plain ground";
        // No two of the eleven look alike.
        for (int f = 1; f < 12; ++f)
            for (int g = f + 1; g < 12; ++g)
                EXPECT_GT(Changed(PictureAt(0, subgroup, list, f), PictureAt(0, subgroup, list, g)), 0.1)
                    << "0/" << subgroup << "/" << list << " frames " << f << " and " << g;
    }
}

TEST(Animation, HeadquartersAndFactoriesMoveFromFrameToFrame) {
    for (int side = 0; side < 3; ++side)
        for (int list : {0, 1}) {
            const int frames = FrameCount(3, side, list);
            ASSERT_GE(frames, 2) << "3/" << side << "/" << list;
            for (int f = 0; f < frames; ++f) {
                const double change = Changed(PictureAt(3, side, list, f), PictureAt(3, side, list, (f + 1) % frames));
                EXPECT_GT(change, 0.0) << "3/" << side << "/" << list << " frame " << f;
                EXPECT_LT(change, 0.1) << "only a radar, fans and lights move, not the building";
            }
        }
}

TEST(Animation, ExplosionsFlareThenDieAway) {
    for (int kind : {0, 1}) {
        const int frames = FrameCount(0, 3, kind);
        ASSERT_GE(frames, 4);
        std::vector<int> size;
        for (int f = 0; f < frames; ++f) size.push_back(Opaque(PictureAt(0, 3, kind, f)));
        const auto peak = std::max_element(size.begin(), size.end()) - size.begin();
        EXPECT_GT(peak, 0) << "kind " << kind << " grows first";
        EXPECT_LT(size.back(), size[static_cast<std::size_t>(peak)]) << "kind " << kind << " fades at the end";
        // Hot at the start: the first frames hold white-yellow fire, the last hardly any.
        auto hot = [&](int f) {
            int n = 0;
            for (std::uint32_t px : PictureAt(0, 3, kind, f).Pixels)
                n += (px >> 24) && ((px >> 16) & 0xFF) > 240 && ((px >> 8) & 0xFF) > 200;
            return n;
        };
        EXPECT_GT(hot(1), hot(frames - 1)) << "kind " << kind;
    }
}

TEST(Animation, SmokeLoopsWithoutAJump) {
    // The last frame leads into the first no more abruptly than any two
    // neighbouring frames follow each other.
    const int frames = FrameCount(0, 5, 0);
    ASSERT_GE(frames, 3);
    double largest = 0;
    for (int f = 0; f + 1 < frames; ++f) largest = std::max(largest, Changed(PictureAt(0, 5, 0, f), PictureAt(0, 5, 0, f + 1)));
    EXPECT_LE(Changed(PictureAt(0, 5, 0, frames - 1), PictureAt(0, 5, 0, 0)), largest * 1.25);
}

}  // namespace
}  // namespace tavrine::assets::testing
