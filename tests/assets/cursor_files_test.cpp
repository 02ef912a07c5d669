// The 22 cursor files are animated cursors a reader of the RIFF "ACON" format
// accepts, with their hot spots where a player expects them.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "data/ani.h"
#include "generated_content.h"

namespace tavrine::assets::testing {
namespace {

std::uint32_t U32(const ByteVector& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(const ByteVector& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); }
std::string Tag(const ByteVector& b, std::size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

struct CursorImage {
    int HotX = 0, HotY = 0;
    std::vector<std::uint32_t> Argb;  ///< 32 x 32, rows top-down
    std::vector<bool> Masked;         ///< AND mask: true where the screen shows through
};

struct ParsedCursor {
    std::uint32_t Frames = 0, Steps = 0, Rate = 0, Flags = 0;
    std::vector<std::uint32_t> Sequence;
    std::vector<CursorImage> Images;
};

/// A strict reading of a .cur image: one entry of type 2, a 40-byte DIB of
/// 32 bits whose height counts the AND mask, everything inside the chunk.
std::optional<CursorImage> ParseCur(const ByteVector& b, std::size_t at, std::size_t size) {
    if (size < 6 + 16 + 40) return std::nullopt;
    if (U16(b, at) != 0 || U16(b, at + 2) != 2 || U16(b, at + 4) != 1) return std::nullopt;
    const std::size_t entry = at + 6;
    if (b[entry] != 32 || b[entry + 1] != 32) return std::nullopt;
    CursorImage img;
    img.HotX = U16(b, entry + 4);
    img.HotY = U16(b, entry + 6);
    const std::uint32_t bytes = U32(b, entry + 8), offset = U32(b, entry + 12);
    if (offset + bytes > size) return std::nullopt;
    const std::size_t dib = at + offset;
    if (U32(b, dib) != 40 || U32(b, dib + 4) != 32 || U32(b, dib + 8) != 64 || U16(b, dib + 14) != 32) return std::nullopt;
    if (bytes != 40 + 32 * 32 * 4 + 32 * 4) return std::nullopt;
    img.Argb.resize(32 * 32);
    img.Masked.resize(32 * 32);
    for (int row = 0; row < 32; ++row) {  // bottom-up
        const int y = 31 - row;
        for (int x = 0; x < 32; ++x) {
            const std::size_t p = dib + 40 + (static_cast<std::size_t>(row) * 32 + x) * 4;
            img.Argb[y * 32 + x] = (static_cast<std::uint32_t>(b[p + 3]) << 24) | (b[p + 2] << 16) | (b[p + 1] << 8) | b[p];
            const std::size_t m = dib + 40 + 32 * 32 * 4 + static_cast<std::size_t>(row) * 4;
            img.Masked[y * 32 + x] = (b[m + x / 8] >> (7 - x % 8)) & 1;
        }
    }
    return img;
}

std::optional<ParsedCursor> ParseAni(const ByteVector& b) {
    if (b.size() < 12 || Tag(b, 0) != "RIFF" || Tag(b, 8) != "ACON" || U32(b, 4) + 8 != b.size()) return std::nullopt;
    ParsedCursor c;
    bool header = false;
    for (std::size_t at = 12; at < b.size();) {
        if (at + 8 > b.size()) return std::nullopt;
        const std::string tag = Tag(b, at);
        const std::uint32_t size = U32(b, at + 4);
        const std::size_t data = at + 8;
        if (data + size > b.size()) return std::nullopt;
        if (tag == "anih") {
            if (size != 36 || U32(b, data) != 36) return std::nullopt;
            c.Frames = U32(b, data + 4);
            c.Steps = U32(b, data + 8);
            c.Rate = U32(b, data + 28);
            c.Flags = U32(b, data + 32);
            header = true;
        } else if (tag == "seq ") {
            for (std::uint32_t i = 0; i < size / 4; ++i) c.Sequence.push_back(U32(b, data + 4 * i));
        } else if (tag == "LIST") {
            if (Tag(b, data) != "fram") return std::nullopt;
            for (std::size_t f = data + 4; f < data + size;) {
                if (Tag(b, f) != "icon") return std::nullopt;
                const std::uint32_t n = U32(b, f + 4);
                auto img = ParseCur(b, f + 8, n);
                if (!img) return std::nullopt;
                c.Images.push_back(*img);
                f += 8 + n + (n % 2);
            }
        }
        at = data + size + (size % 2);
    }
    if (!header) return std::nullopt;
    return c;
}

ParsedCursor Load(int n) {
    auto c = ParseAni(ProgramFile("Cursors/" + std::to_string(n) + ".ani"));
    EXPECT_TRUE(c.has_value()) << "cursor " << n << " is not a valid animated cursor";
    return c.value_or(ParsedCursor{});
}

TEST(CursorFiles, AllTwentyTwoAreWellFormedAnimatedCursors) {
    for (int n = 1; n <= 22; ++n) {
        const ParsedCursor c = Load(n);
        ASSERT_GE(c.Images.size(), 1u) << n;
        EXPECT_EQ(c.Frames, c.Images.size()) << n;
        EXPECT_NE(c.Flags & 1u, 0u) << n << ": frames are icons";
        EXPECT_GT(c.Rate, 0u) << n;
        if (c.Flags & 2u) {
            EXPECT_EQ(c.Steps, c.Sequence.size()) << n;
            for (std::uint32_t s : c.Sequence) EXPECT_LT(s, c.Frames) << n;
        } else {
            EXPECT_EQ(c.Steps, c.Frames) << n;
            EXPECT_TRUE(c.Sequence.empty()) << n;
        }
        for (const CursorImage& img : c.Images) {
            for (int i = 0; i < 32 * 32; ++i)
                EXPECT_EQ(img.Masked[i], (img.Argb[i] >> 24) < 128) << "cursor " << n << ": the AND mask follows the alpha";
            EXPECT_EQ(img.HotX, c.Images[0].HotX) << n;
            EXPECT_EQ(img.HotY, c.Images[0].HotY) << n;
        }
    }
}

/// Whether the cursor's first image is drawn within `radius` pixels of its hot spot.
bool DrawnNearHotSpot(const ParsedCursor& c, int radius) {
    const CursorImage& img = c.Images[0];
    for (int y = img.HotY - radius; y <= img.HotY + radius; ++y)
        for (int x = img.HotX - radius; x <= img.HotX + radius; ++x)
            if (x >= 0 && y >= 0 && x < 32 && y < 32 && !img.Masked[y * 32 + x]) return true;
    return false;
}

TEST(CursorFiles, TheGamesReaderLoadsEveryCursorWithItsFramesAndSteps) {
    for (int n = 1; n <= 22; ++n) {
        std::string error;
        const auto cursor = ReadAnimatedCursor(ProgramFile("Cursors/" + std::to_string(n) + ".ani"), &error);
        ASSERT_TRUE(cursor.has_value()) << "cursor " << n << ": " << error;
        const ParsedCursor mine = Load(n);
        ASSERT_EQ(cursor->Frames.size(), mine.Images.size()) << n;
        EXPECT_EQ(cursor->Steps.size(), mine.Steps) << n;
        for (std::size_t f = 0; f < cursor->Frames.size(); ++f) {
            EXPECT_EQ(cursor->Frames[f].HotX, mine.Images[f].HotX) << n;
            EXPECT_EQ(cursor->Frames[f].HotY, mine.Images[f].HotY) << n;
            EXPECT_EQ(cursor->Frames[f].Pixels, mine.Images[f].Argb) << n;
        }
    }
}

TEST(CursorFiles, HotSpotsSitWhereTheCursorPoints) {
    // Scrolling: the tip of the arrow at the screen edge or corner it points to,
    // for the moving and for the blocked arrows alike.
    struct Expected {
        int X, Y;
    };
    constexpr Expected kScroll[8] = {{0, 15}, {15, 0}, {31, 15}, {15, 31}, {0, 0}, {31, 0}, {31, 31}, {0, 31}};
    for (int n = 1; n <= 16; ++n) {
        const ParsedCursor c = Load(n);
        ASSERT_FALSE(c.Images.empty());
        EXPECT_EQ(c.Images[0].HotX, kScroll[(n - 1) % 8].X) << n;
        EXPECT_EQ(c.Images[0].HotY, kScroll[(n - 1) % 8].Y) << n;
        EXPECT_TRUE(DrawnNearHotSpot(c, 2)) << "cursor " << n << ": the arrow's tip is at its hot spot";
    }
    const ParsedCursor pointer = Load(17);
    ASSERT_FALSE(pointer.Images.empty());
    EXPECT_EQ(pointer.Images[0].HotX, 0);
    EXPECT_EQ(pointer.Images[0].HotY, 0);
    EXPECT_TRUE(DrawnNearHotSpot(pointer, 0));
    for (int n = 18; n <= 21; ++n) {  // move, attack, not possible, select: aimed at their middle
        const ParsedCursor c = Load(n);
        ASSERT_FALSE(c.Images.empty());
        EXPECT_EQ(c.Images[0].HotX, 15) << n;
        EXPECT_EQ(c.Images[0].HotY, 15) << n;
    }
}

TEST(CursorFiles, BlockedScrollArrowsDifferFromMovingOnes) {
    for (int n = 1; n <= 8; ++n) {
        const ParsedCursor moving = Load(n), blocked = Load(n + 8);
        ASSERT_FALSE(moving.Images.empty());
        ASSERT_FALSE(blocked.Images.empty());
        EXPECT_GT(moving.Images.size(), 1u) << "scrolling is animated";
        EXPECT_NE(moving.Images[0].Argb, blocked.Images[0].Argb) << n;
    }
}

}  // namespace
}  // namespace tavrine::assets::testing
