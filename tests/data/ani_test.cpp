// Animated cursor files: the pictures, hot spots and steps they hold, and the
// files the reader refuses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "data/ani.h"
#include "data/ani_samples.h"
#include "data/file_io.h"

namespace tavrine {
namespace {

using test::AniBytes;
using test::AniSpec;
using test::CurSpec;

/// What the reader should give for encoded pixels: transparent pixels become 0.
std::vector<std::uint32_t> Expected(const std::vector<std::uint32_t>& pixels) {
    std::vector<std::uint32_t> out;
    for (std::uint32_t p : pixels) out.push_back((p >> 24) == 0 ? 0u : (p | 0xFF000000u));
    return out;
}

CurSpec Cursor(std::int32_t w, std::int32_t h, std::uint16_t bits, std::uint32_t base = 0x204060) {
    CurSpec s;
    s.Width = w;
    s.Height = h;
    s.Bits = bits;
    s.HotX = w - 1;
    s.HotY = h / 2;
    s.Pixels = test::Gradient(w, h, base);
    return s;
}

/// Two opaque colours and transparency in a pattern, for the palette depths.
std::vector<std::uint32_t> TwoColours(std::int32_t w, std::int32_t h) {
    std::vector<std::uint32_t> p;
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) p.push_back((x + y) % 3 == 0 ? 0u : ((x * y) % 2 ? 0xFFFFFFFFu : 0xFF102030u));
    return p;
}

TEST(AnimatedCursor, ReadsFramesHotSpotsAndTheHeaderRate) {
    const CurSpec a = Cursor(32, 32, 32), b = Cursor(32, 32, 32, 0x800000);
    AniSpec spec;
    spec.Icons = {test::EncodeCur(a), test::EncodeCur(b)};
    spec.Rate = 9;
    const std::optional<AnimatedCursor> c = ReadAnimatedCursor(test::EncodeAni(spec));
    ASSERT_TRUE(c);
    ASSERT_EQ(c->Frames.size(), 2u);
    EXPECT_EQ(c->Frames[1].Width, 32);
    EXPECT_EQ(c->Frames[1].Height, 32);
    EXPECT_EQ(c->Frames[0].HotX, 31);
    EXPECT_EQ(c->Frames[0].HotY, 16);
    EXPECT_EQ(c->Frames[0].Pixels, Expected(a.Pixels));
    EXPECT_EQ(c->Frames[1].Pixels, Expected(b.Pixels));
    ASSERT_EQ(c->Steps.size(), 2u);
    EXPECT_EQ(c->Steps[0].Frame, 0);
    EXPECT_EQ(c->Steps[1].Frame, 1);
    EXPECT_EQ(c->Steps[1].Jiffies, 9u);
}

TEST(AnimatedCursor, DecodesEveryDepthWithItsMaskAndOddWidths) {
    struct Case {
        std::uint16_t bits;
        std::int32_t w, h;
        bool alpha;
    };
    for (const Case k : {Case{1, 5, 3, false}, Case{4, 33, 2, false}, Case{8, 7, 7, false}, Case{24, 3, 5, false},
                         Case{32, 9, 4, false}, Case{32, 1, 1, true}}) {
        SCOPED_TRACE(::testing::Message() << k.bits << " bits, " << k.w << " x " << k.h);
        CurSpec s = Cursor(k.w, k.h, k.bits);
        if (k.bits <= 8) s.Pixels = TwoColours(k.w, k.h);
        s.Alpha = k.alpha;
        s.HotX = 0;
        s.HotY = 0;
        const std::optional<CursorImage> image = ReadCursorImage(test::EncodeCur(s));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->Width, k.w);
        EXPECT_EQ(image->Height, k.h);
        EXPECT_EQ(image->Pixels, Expected(s.Pixels));
    }
}

TEST(AnimatedCursor, AnAlphaChannelOverridesTheMask) {
    CurSpec s = Cursor(4, 2, 32);
    s.Pixels = {0x80FF0000u, 0xFF00FF00u, 0x00000000u, 0x01000001u, 0x7F7F7F7Fu, 0xFFFFFFFFu, 0x10101010u, 0x00FFFFFFu};
    const std::optional<CursorImage> image = ReadCursorImage(test::EncodeCur(s));
    ASSERT_TRUE(image);
    // Semi-transparent pixels keep their alpha; the mask of the alpha-0 pixels is
    // not consulted once any alpha is present.
    EXPECT_EQ(image->Pixels, (std::vector<std::uint32_t>{0x80FF0000u, 0xFF00FF00u, 0, 0x01000001u, 0x7F7F7F7Fu, 0xFFFFFFFFu,
                                                         0x10101010u, 0x00FFFFFFu}));
}

TEST(AnimatedCursor, SequenceAndRatesGiveTheSteps) {
    AniSpec spec;
    spec.Icons = {test::EncodeCur(Cursor(2, 2, 32)), test::EncodeCur(Cursor(2, 2, 32, 0x10)),
                  test::EncodeCur(Cursor(2, 2, 32, 0x20))};
    spec.Flags = 3;
    spec.Sequence = {2, 0, 0, 1};
    spec.Rates = {5, 0, 70000, 12};
    const std::optional<AnimatedCursor> c = ReadAnimatedCursor(test::EncodeAni(spec));
    ASSERT_TRUE(c);
    ASSERT_EQ(c->Steps.size(), 4u);
    const std::vector<std::pair<int, std::uint32_t>> want = {{2, 5}, {0, 1}, {0, kMaxCursorJiffies}, {1, 12}};
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(c->Steps[i].Frame, want[i].first) << i;
        EXPECT_EQ(c->Steps[i].Jiffies, want[i].second) << i;
    }
}

TEST(AnimatedCursor, IconsAnInfoListAndAnOverlongFormAreAccepted) {
    CurSpec icon = Cursor(3, 3, 8);
    icon.Pixels = TwoColours(3, 3);
    icon.Icon = true;
    AniSpec spec;
    spec.Icons = {test::EncodeCur(icon)};
    spec.InfoList = true;  // an odd-sized chunk with its pad byte comes first
    spec.Rate = 0;
    AniBytes file = test::EncodeAni(spec);
    file[4] = 0xF0;  // the form claims more bytes than the file has
    const std::optional<AnimatedCursor> c = ReadAnimatedCursor(file);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->Frames[0].HotX, 0);
    EXPECT_EQ(c->Frames[0].HotY, 0);
    EXPECT_EQ(c->Steps[0].Jiffies, 1u) << "a rate of 0 would never advance";
}

AniSpec TwoFrames() {
    AniSpec spec;
    spec.Icons = {test::EncodeCur(Cursor(4, 4, 32)), test::EncodeCur(Cursor(4, 4, 8))};
    return spec;
}

TEST(AnimatedCursor, EveryCutOfTheFileIsRefused) {
    const AniBytes whole = test::EncodeAni(TwoFrames());
    ASSERT_TRUE(ReadAnimatedCursor(whole));
    for (std::size_t n = 0; n < whole.size(); ++n) {
        AniBytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(ReadAnimatedCursor(cut)) << "cut at " << n;
        if (n >= 8) {  // and with the form length telling the truth about the cut
            const auto size = static_cast<std::uint32_t>(n - 8);
            for (int i = 0; i < 4; ++i) cut[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (8 * i));
            EXPECT_FALSE(ReadAnimatedCursor(cut)) << "form cut at " << n;
        }
    }
}

TEST(AnimatedCursor, HeadersThatDoNotAddUpAreRefused) {
    const auto refused = [](const AniSpec& spec, const char* what) {
        std::string error;
        EXPECT_FALSE(ReadAnimatedCursor(test::EncodeAni(spec), &error)) << what;
        EXPECT_FALSE(error.empty()) << what;
    };
    AniSpec s = TwoFrames();
    s.Flags = 0;
    refused(s, "frames that are bare bitmaps");
    s = TwoFrames();
    s.Frames = 3;
    refused(s, "more frames in the header than icons");
    s = TwoFrames();
    s.Icons.clear();
    refused(s, "no frames");
    s = TwoFrames();
    s.Sequence = {0, 2};
    refused(s, "a sequence naming a missing frame");
    s = TwoFrames();
    s.Sequence = {0, 1};
    s.Steps = 3;
    refused(s, "a sequence shorter than the steps");
    s = TwoFrames();
    s.Rates = {4};
    refused(s, "fewer rates than steps");
    s = TwoFrames();
    s.Icons.assign(kMaxCursorFrames + 1, AniBytes{});
    refused(s, "too many frames");

    EXPECT_FALSE(ReadAnimatedCursor(AniBytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}));
    AniBytes noHeader = test::EncodeAni(TwoFrames());
    noHeader[12] = 'x';  // "anih" becomes an unknown chunk
    EXPECT_FALSE(ReadAnimatedCursor(noHeader));
    EXPECT_FALSE(ReadAnimatedCursor(AniBytes(kMaxCursorFileBytes + 1, 0)));
}

/// Offsets inside an encoded single-image .cur file.
constexpr std::size_t kEntry = 6, kDib = 22;

void Poke32(AniBytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(AnimatedCursor, MalformedCursorImagesAreRefused) {
    CurSpec eight = Cursor(4, 4, 8);
    eight.Pixels = TwoColours(4, 4);
    const AniBytes good = test::EncodeCur(eight);
    ASSERT_TRUE(ReadCursorImage(good));
    struct Mutation {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        int width;  // bytes written
    };
    const Mutation mutations[] = {
        {"reserved word set", 0, 1, 2},
        {"type 3", 2, 3, 2},
        {"no entries", 4, 0, 2},
        {"hot spot x outside", kEntry + 4, 4, 2},
        {"hot spot y outside", kEntry + 6, 9, 2},
        {"image longer than the file", kEntry + 8, 100000, 4},
        {"image offset past the end", kEntry + 12, 0xFFFFFFF0u, 4},
        {"header size 12", kDib, 12, 4},
        {"header size past the image", kDib, 5000, 4},
        {"width 0", kDib + 4, 0, 4},
        {"width 300", kDib + 4, 300, 4},
        {"negative height", kDib + 8, 0xFFFFFFF8u, 4},
        {"height 600", kDib + 8, 600, 4},
        {"16 bits", kDib + 14, 16, 2},
        {"run-length compressed", kDib + 16, 1, 4},
        {"more colours than 8 bits hold", kDib + 32, 257, 4},
    };
    for (const Mutation& m : mutations) {
        AniBytes bad = good;
        if (m.width == 2) {
            bad[m.at] = static_cast<std::uint8_t>(m.value);
            bad[m.at + 1] = static_cast<std::uint8_t>(m.value >> 8);
        } else {
            Poke32(bad, m.at, m.value);
        }
        EXPECT_FALSE(ReadCursorImage(bad)) << m.what;
    }
    AniBytes png = good;
    png[kDib] = 0x89;
    png[kDib + 1] = 'P';
    png[kDib + 2] = 'N';
    png[kDib + 3] = 'G';
    std::string error;
    EXPECT_FALSE(ReadCursorImage(png, &error));
    EXPECT_NE(error.find("compressed"), std::string::npos) << error;
}

TEST(AnimatedCursor, AMissingFileGivesNoCursor) {
    EXPECT_FALSE(LoadAnimatedCursor("/nonexistent/Cursors/1.ani"));
    const std::string path =
        (std::filesystem::temp_directory_path() / ("tavrine_ani_test_" + std::to_string(::getpid()) + ".ani")).string();
    ASSERT_TRUE(WriteFileAtomically(path, test::EncodeAni(TwoFrames())));
    EXPECT_TRUE(LoadAnimatedCursor(path));
    std::filesystem::remove(path);
}

TEST(AnimatedCursor, TheShippedCursorsAllDecode) {
    const std::filesystem::path folder = std::filesystem::path(TAVRINE_PROGRAM_DIR) / "Cursors";
    if (!std::filesystem::exists(folder / "1.ani")) GTEST_SKIP() << "the content has not been generated into " << folder;
    for (int n = 1; n <= 22; ++n) {
        const std::optional<AnimatedCursor> c = LoadAnimatedCursor((folder / (std::to_string(n) + ".ani")).string());
        ASSERT_TRUE(c) << n;
        EXPECT_FALSE(c->Steps.empty()) << n;
    }
}

/// The fuzz target's seeds are built here; TAVRINE_UPDATE_CORPUS=1 rewrites them.
TEST(AnimatedCursor, FuzzSeedsAreCurrent) {
    AniSpec sequenced = TwoFrames();
    sequenced.Flags = 3;
    sequenced.Sequence = {1, 0, 1};
    sequenced.Rates = {3, 4, 5};
    CurSpec low = Cursor(3, 2, 1);
    low.Pixels = TwoColours(3, 2);
    CurSpec icon = Cursor(2, 2, 4);
    icon.Pixels = TwoColours(2, 2);
    icon.Icon = true;
    AniSpec mixed;
    mixed.Icons = {test::EncodeCur(low), test::EncodeCur(icon), test::EncodeCur(Cursor(5, 3, 24))};
    mixed.InfoList = true;
    const std::vector<std::pair<std::string, AniBytes>> seeds = {
        {"two_frames.ani", test::EncodeAni(TwoFrames())},
        {"sequence_rates.ani", test::EncodeAni(sequenced)},
        {"depths_info.ani", test::EncodeAni(mixed)},
    };
    const std::filesystem::path folder = std::filesystem::path(TAVRINE_FIXTURES_DIR).parent_path().parent_path() / "fuzz/corpus/fuzz_ani";
    const bool update = std::getenv("TAVRINE_UPDATE_CORPUS") != nullptr;
    if (update) std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : seeds) {
        ASSERT_TRUE(ReadAnimatedCursor(bytes)) << name;
        const std::string path = (folder / name).string();
        if (update) {
            ASSERT_TRUE(WriteFileAtomically(path, bytes)) << path;
        }
        const std::optional<Bytes> stored = ReadWholeFile(path);
        ASSERT_TRUE(stored) << path << " is missing; run with TAVRINE_UPDATE_CORPUS=1";
        EXPECT_EQ(*stored, bytes) << path << " is stale; run with TAVRINE_UPDATE_CORPUS=1";
    }
}

}  // namespace
}  // namespace tavrine
