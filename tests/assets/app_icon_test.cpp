// The desktop icons: every size the desktop asks for, the rounded corners
// see-through, the middle the opaque picture of the player's tank on land, and the
// big sizes the 64-pixel picture enlarged pixel by pixel.
#include <gtest/gtest.h>

#include "app_icon.h"
#include "content.h"

namespace tavrine::assets::testing {
namespace {

TEST(AppIcon, EverySizeHasClearCornersAndAnOpaqueMiddle) {
    const ContentLibrary library = BuildLibrary(kContentSeed);
    const auto icons = AppIcons(library);
    ASSERT_EQ(icons.size(), std::size(kIconSizes));
    const Image base = AppIcon(library, 64);
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const int size = kIconSizes[i];
        const Image& icon = icons[i].second;
        SCOPED_TRACE(icons[i].first);
        EXPECT_EQ(icons[i].first, "hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/tavrine.png");
        ASSERT_EQ(icon.Width, size);
        ASSERT_EQ(icon.Height, size);
        for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
            EXPECT_EQ(AlphaOf(icon.At(x, y)), 0) << x << "," << y;
        int colours = 0;
        for (int y = size / 4; y < size * 3 / 4; ++y)
            for (int x = size / 4; x < size * 3 / 4; ++x) {
                EXPECT_EQ(AlphaOf(icon.At(x, y)), 255);
                colours += icon.At(x, y) != icon.At(size / 2, size / 2);
            }
        EXPECT_GT(colours, size * size / 16) << "a picture, not a flat colour";
        if (size % 64 == 0) {
            const int k = size / 64;  // away from the rim, each base pixel becomes k by k
            for (int y = 16; y < 48; ++y)
                for (int x = 16; x < 48; ++x) ASSERT_EQ(icon.At(x * k + k - 1, y * k), base.At(x, y)) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace tavrine::assets::testing
