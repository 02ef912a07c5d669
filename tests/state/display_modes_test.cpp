#include "state/display_modes.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrine {
namespace {

TEST(DisplayModesTest, NamesOfTheTableRows) {
    EXPECT_EQ(ModeName(0), "640 by 480, High Color (16 bit)");
    EXPECT_EQ(ModeName(1), "800 by 600, High Color (16 bit)");
    EXPECT_EQ(ModeName(2), "1024 by 768, High Color (16 bit)");
    EXPECT_EQ(ModeName(-1), "");
    EXPECT_EQ(ModeName(3), "");
}

TEST(DisplayModesTest, DepthTextsOfEveryBitCount) {
    EXPECT_EQ(ModeName({640, 480, 8}), "640 by 480, 256 Colors (8 bit)");
    EXPECT_EQ(ModeName({800, 600, 24}), "800 by 600, True Color (24 bit)");
    EXPECT_EQ(ModeName({1024, 768, 32}), "1024 by 768, True Color (32 bit)");
    EXPECT_EQ(ModeName({1280, 1024, 15}), "1280 by 1024, ");
    EXPECT_EQ(ModeName({-1, 0, 0}), "-1 by 0, ");
}

TEST(DisplayModesTest, NameToNumberNeedsAnExactName) {
    for (std::int32_t n = 0; n < kModeCount; ++n) EXPECT_EQ(ModeNumberOfName(ModeName(n)), n);
    for (std::string_view near : {"", "800 by 600", "800 by 600, high color (16 bit)", "800 by 600, High Color (16 bit) ",
                                  " 800 by 600, High Color (16 bit)", "800 by 600, True Color (32 bit)", "800 by 600, "}) {
        EXPECT_EQ(ModeNumberOfName(near), -1) << near;
    }
}

TEST(DisplayModesTest, StoredModeToNumberNeedsAllThreeValues) {
    EXPECT_EQ(ModeNumberOf({640, 480, 16}), 0);
    EXPECT_EQ(ModeNumberOf({800, 600, 16}), 1);
    EXPECT_EQ(ModeNumberOf({1024, 768, 16}), 2);
    EXPECT_EQ(ModeNumberOf({1024, 768, 32}), -1);
    EXPECT_EQ(ModeName(ModeNumberOf({800, 768, 16})), "800 by 768, High Color (16 bit)") << "any other size is coded";
    EXPECT_EQ(ModeNumberOf({600, 480, 16}), -1) << "narrower than a window may be";
    EXPECT_EQ(ModeNumberOf({0, 0, 0}), -1);
    EXPECT_EQ(ModeNumberOf(kDefaultDisplayMode), 1);
}

TEST(DisplayModesTest, OfferedModesKeepTheDisplaysOrderWithoutRepeats) {
    const std::vector<DisplayMode> offered{
        {1024, 768, 32}, {1024, 768, 16}, {320, 200, 8}, {640, 480, 16}, {800, 600, 16}, {640, 480, 16},
    };
    const std::vector<std::int32_t> numbers = OfferedModeNumbers(offered);
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{2, 0, 1}));
    EXPECT_EQ(PreselectedEntry(numbers), 2) << "800 by 600 has the highest preference";
    EXPECT_TRUE(OfferedModeNumbers({}).empty());
    EXPECT_TRUE(OfferedModeNumbers(std::vector<DisplayMode>{{1920, 1080, 32}}).empty());
}

TEST(DisplayModesTest, PreselectionFallsToTheNextPreference) {
    EXPECT_EQ(PreselectedEntry(std::vector<std::int32_t>{2, 0}), 1) << "640 by 480 before 1024 by 768";
    EXPECT_EQ(PreselectedEntry(std::vector<std::int32_t>{2}), 0);
    EXPECT_EQ(PreselectedEntry(std::vector<std::int32_t>{}), -1);
    EXPECT_EQ(PreselectedEntry(std::vector<std::int32_t>{7, -1, 2}), 2) << "entries that are not modes are skipped";
    EXPECT_EQ(PreselectedEntry(std::vector<std::int32_t>{7, -1}), -1);
}

TEST(DisplayModesTest, StoredModeIsPreselectedOnlyWhenOffered) {
    const std::vector<std::int32_t> all{0, 1, 2};
    EXPECT_EQ(PreselectedEntry(all, 2), 2);
    EXPECT_EQ(PreselectedEntry(all, 0), 0);
    EXPECT_EQ(PreselectedEntry(all, -1), 1);
    EXPECT_EQ(PreselectedEntry(all, 5), 1);
    EXPECT_EQ(PreselectedEntry(std::vector<std::int32_t>{0, 1}, 2), 1) << "mode 2 not offered: the preference stays";
    EXPECT_EQ(PreselectedEntry(std::vector<std::int32_t>{}, 1), -1);
}

}  // namespace
}  // namespace tavrine
