#include "state/random.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace tavrine {
namespace {

std::vector<std::uint32_t> Draw(Random& r, int count) {
    std::vector<std::uint32_t> out;
    for (int i = 0; i < count; ++i) out.push_back(r.Next());
    return out;
}

TEST(RandomTest, SequenceIsFixedBySeedOnEveryBuild) {
    // Recorded games and regression runs replay from a seed; the sequence must
    // never change.
    Random r(42);
    EXPECT_EQ(Draw(r, 6), (std::vector<std::uint32_t>{0xc2f57bd6, 0x6b07c4a9, 0x72b7b29b, 0x44215383, 0xf5af5ead, 0x68beb632}));
}

TEST(RandomTest, SameSeedSameSequenceAndReseedingRestarts) {
    Random a(7), b(7), c(8);
    const auto first = Draw(a, 100);
    EXPECT_EQ(first, Draw(b, 100));
    EXPECT_NE(first, Draw(c, 100));
    a.Seed(7);
    EXPECT_EQ(Draw(a, 100), first);

    Random x(123), y(123);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(x(1 + i % 97), y(1 + i % 97));
    EXPECT_EQ(x.State(), y.State());
}

TEST(RandomTest, ResultsStayInRange) {
    Random r(3);
    for (std::int32_t n : {1, 2, 3, 7, 36, 1000, 65536, 1 << 30, std::numeric_limits<std::int32_t>::max()}) {
        for (int i = 0; i < 5000; ++i) {
            const std::int32_t v = r(n);
            ASSERT_GE(v, 0) << n;
            ASSERT_LT(v, n) << n;
        }
    }
}

TEST(RandomTest, NonPositiveRangeGivesZero) {
    Random r(5);
    for (std::int32_t n : {0, -1, -100, std::numeric_limits<std::int32_t>::min()}) EXPECT_EQ(r(n), 0) << n;
}

TEST(RandomTest, SmallRangesAreRoughlyUniform) {
    Random r(11);
    constexpr int kDraws = 60000;
    std::array<int, 6> counts{};
    for (int i = 0; i < kDraws; ++i) ++counts[static_cast<std::size_t>(r(6))];
    // Chi-square with 5 degrees of freedom; 20.5 is exceeded by chance once in a thousand.
    double chi = 0;
    for (int c : counts) {
        const double d = c - kDraws / 6.0;
        chi += d * d / (kDraws / 6.0);
    }
    EXPECT_LT(chi, 20.5);
}

TEST(RandomTest, LargeRangesAreNotBiasedTowardSmallValues) {
    // With n = 1.5 * 2^30 a plain remainder of a 32-bit draw would give values
    // below 2^30 three times in four; an unbiased draw gives them two times in three.
    Random r(99);
    constexpr std::int32_t kN = 0x60000000;
    constexpr int kDraws = 30000;
    int low = 0;
    for (int i = 0; i < kDraws; ++i)
        if (r(kN) < (1 << 30)) ++low;
    EXPECT_NEAR(static_cast<double>(low) / kDraws, 2.0 / 3.0, 0.02);
}

}  // namespace
}  // namespace tavrine
