#include "editor/byte_delta.h"

#include <gtest/gtest.h>

#include "editor/undo_stack.h"
#include "state/random.h"

namespace tavrine {
namespace {

Bytes RandomBytes(Random& r, std::size_t n, int alphabet = 256) {
    Bytes b(n);
    for (auto& v : b) v = static_cast<std::uint8_t>(r(alphabet));
    return b;
}

/// Changes a copy of `base` in a few places: overwrites, insertions, removals.
Bytes Edited(Random& r, Bytes b, int edits) {
    for (int i = 0; i < edits; ++i) {
        const auto at = static_cast<std::size_t>(r(static_cast<std::int32_t>(b.size() + 1)));
        const auto length = static_cast<std::size_t>(r(80));
        switch (r(3)) {
            case 0:
                for (std::size_t k = at; k < std::min(b.size(), at + length); ++k) b[k] = static_cast<std::uint8_t>(r(256));
                break;
            case 1: {
                const Bytes extra = RandomBytes(r, length);
                b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), extra.begin(), extra.end());
                break;
            }
            default:
                b.erase(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(std::min(b.size(), at + length)));
        }
    }
    return b;
}

TEST(ByteDeltaTest, RoundTripsEditedCopiesCompactly) {
    Random r(99);
    for (int round = 0; round < 40; ++round) {
        // Low-entropy data with repeats, like a map of similar cells.
        const Bytes base = RandomBytes(r, 20000 + static_cast<std::size_t>(r(20000)), round % 2 ? 4 : 256);
        const Bytes target = Edited(r, base, 1 + r(12));
        const Bytes delta = EncodeDelta(base, target);
        const std::optional<Bytes> back = ApplyDelta(base, delta);
        ASSERT_TRUE(back) << "round " << round;
        ASSERT_EQ(*back, target) << "round " << round;
        EXPECT_LT(delta.size(), 13u * 120u) << "a few edits cost about their own size";
    }
}

TEST(ByteDeltaTest, EdgeShapes) {
    Random r(3);
    const Bytes some = RandomBytes(r, 1000);
    const Bytes shapes[] = {{}, {7}, some, Bytes(some.begin(), some.begin() + 15), Bytes(5000, 0)};
    for (const Bytes& base : shapes)
        for (const Bytes& target : shapes) {
            const std::optional<Bytes> back = ApplyDelta(base, EncodeDelta(base, target));
            ASSERT_TRUE(back);
            EXPECT_EQ(*back, target);
        }
    EXPECT_LE(EncodeDelta(some, some).size(), 6u) << "identical bytes are one copy";
}

TEST(ByteDeltaTest, DamagedDeltasAreRefusedNotFollowed) {
    Random r(5);
    const Bytes base = RandomBytes(r, 3000, 8);
    const Bytes target = Edited(r, base, 6);
    const Bytes delta = EncodeDelta(base, target);
    for (std::size_t cut = 0; cut < delta.size(); ++cut)
        EXPECT_FALSE(ApplyDelta(base, Bytes(delta.begin(), delta.begin() + static_cast<std::ptrdiff_t>(cut)))) << cut;
    EXPECT_FALSE(ApplyDelta(Bytes(base.begin(), base.begin() + 100), delta)) << "another base";
    // Random damage never reads outside the buffers (the sanitizer build watches).
    for (int i = 0; i < 2000; ++i) {
        Bytes bad = delta;
        for (int k = 0; k < 3; ++k) bad[static_cast<std::size_t>(r(static_cast<std::int32_t>(bad.size())))] = static_cast<std::uint8_t>(r(256));
        const std::optional<Bytes> out = ApplyDelta(base, bad);
        if (out) {
            EXPECT_LE(out->size(), base.size() * 64 + bad.size());
        }
    }
    EXPECT_FALSE(ApplyDelta(base, Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_FALSE(ApplyDelta(base, Bytes{10, 2, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 10}));
}

TEST(UndoStackTest, KeepsAtLeastTheMinimumWithinTheBudgetAndNoMoreThanTheMaximum) {
    Random r(11);
    UndoStack small({/*MinSteps=*/3, /*MaxSteps=*/6, /*ByteBudget=*/1});
    for (int i = 0; i < 5; ++i) small.Record(RandomBytes(r, 4000));
    EXPECT_EQ(small.UndoSteps(), 3u) << "over budget: down to the minimum";

    UndoStack roomy({3, 6, 1u << 30});
    Bytes snapshot = RandomBytes(r, 4000);
    std::vector<Bytes> recorded;
    for (int i = 0; i < 9; ++i) {
        snapshot = Edited(r, snapshot, 2);
        recorded.push_back(snapshot);
        roomy.Record(snapshot);
    }
    EXPECT_EQ(roomy.UndoSteps(), 6u);
    // The kept steps come back newest first, each exactly.
    for (int i = 8; i >= 3; --i) {
        ASSERT_TRUE(roomy.UndoTarget());
        EXPECT_EQ(*roomy.UndoTarget(), recorded[static_cast<std::size_t>(i)]);
        roomy.CommitUndo(Bytes{static_cast<std::uint8_t>(i)});
    }
    EXPECT_FALSE(roomy.UndoTarget());
    EXPECT_EQ(roomy.RedoSteps(), 6u);
    EXPECT_EQ(*roomy.RedoTarget(), Bytes{3});
}

}  // namespace
}  // namespace tavrine
