// The generated library loads with the game's reader and holds every slot the
// game uses, with the sizes the rules depend on.
#include <gtest/gtest.h>

#include "data/bmp.h"
#include "data/library_file.h"
#include "data/wave.h"
#include "generated_content.h"

namespace tavrine::assets::testing {
namespace {

/// Cells a picture side covers: w div 36 + 1.
int Cells(int pixels) { return pixels / kCellSize + 1; }

void ExpectCellPictures(int group, int subgroup, int list, int frames) {
    ASSERT_EQ(FrameCount(group, subgroup, list), frames) << group << "/" << subgroup << "/" << list;
    for (int f = 0; f < frames; ++f) {
        const Picture& p = PictureAt(group, subgroup, list, f);
        EXPECT_EQ(p.Width, kCellSize) << group << "/" << subgroup << "/" << list << " frame " << f;
        EXPECT_EQ(p.Height, kCellSize) << group << "/" << subgroup << "/" << list << " frame " << f;
    }
}

TEST(GeneratedLibrary, LoadsWithTheGamesReaderAndWritesBackTheSameBytes) {
    const ImageLibrary& library = LoadedLibrary();
    ASSERT_GE(library.Images.size(), 5u);
    std::string error;
    const auto again = WriteLibraryFile(library, &error);
    ASSERT_TRUE(again.has_value()) << error;
    EXPECT_EQ(*again, ProgramFile("Tavrine.isd"));
}

TEST(GeneratedLibrary, GroundListsHaveTwelveFramesOfOneCell) {
    // Plain ground, ruins 1..5 and wrecks 6..11 on every ground a building or a
    // tank can stand on: the game writes these frames into cells.
    for (int list = 0; list < 5; ++list) {
        ExpectCellPictures(0, 0, list, 12);
        ExpectCellPictures(0, 1, list, 12);
    }
    ExpectCellPictures(0, 2, 0, 12);
}

TEST(GeneratedLibrary, EdgePiecesAreTwelveCells) {
    ExpectCellPictures(0, 2, 1, 12);
    ExpectCellPictures(0, 2, 2, 12);
}

TEST(GeneratedLibrary, EffectsExistWithTheirSizes) {
    EXPECT_GE(FrameCount(0, 3, 0), 4);  // tank explosion, an animation
    EXPECT_GE(FrameCount(0, 3, 1), 3);  // burning building
    ExpectCellPictures(0, 4, 0, 9);     // fog pieces 0..8, no tenth
    ASSERT_GE(FrameCount(0, 5, 0), 2);  // smoke puff, animated
    for (int f = 0; f < FrameCount(0, 5, 0); ++f) {
        const Picture& puff = PictureAt(0, 5, 0, f);
        EXPECT_NEAR(puff.Width, 18, 2);
        EXPECT_NEAR(puff.Height, 18, 2);
    }
    ASSERT_GE(FrameCount(0, 6, 0), 1);
    EXPECT_NEAR(PictureAt(0, 6, 0, 0).Width, 7, 1);
    EXPECT_NEAR(PictureAt(0, 6, 0, 0).Height, 7, 1);
}

TEST(GeneratedLibrary, WallsHaveElevenConnectionFramesOfOneCell) {
    ExpectCellPictures(1, 0, 0, 11);
    ExpectCellPictures(1, 1, 0, 11);
}

TEST(GeneratedLibrary, SceneryListsFollowTheFourObjectColoursAndFitInACell) {
    const auto& group = LoadedLibrary().Images[1];
    ASSERT_GE(group.size(), 3u) << "walls and at least one scenery subgroup";
    for (std::size_t s = 2; s < group.size(); ++s) {
        ASSERT_EQ(group[s].size(), 4u) << "subgroup " << s << ": one list per scenery minimap colour";
        for (std::size_t l = 0; l < 4; ++l) {
            EXPECT_FALSE(group[s][l].Pictures.empty());
            for (const Picture& p : group[s][l].Pictures) {
                EXPECT_EQ(Cells(p.Width), 1);
                EXPECT_EQ(Cells(p.Height), 1);
            }
        }
    }
}

TEST(GeneratedLibrary, TowersHaveSixteenFacingsForEverySideAndCoverWholeCells) {
    for (int side = 0; side < 3; ++side) {
        const int lists = static_cast<int>(LoadedLibrary().Images[2][side].size());
        ASSERT_GE(lists, 1);
        for (int list = 0; list < lists; ++list) {
            ASSERT_EQ(FrameCount(2, side, list), 16);
            for (int f = 0; f < 16; ++f) {
                const Picture& p = PictureAt(2, side, list, f);
                EXPECT_EQ(p.Width % kCellSize, kCellSize - 1) << "36 n - 1 pixels cover exactly n cells";
                EXPECT_EQ(p.Height % kCellSize, kCellSize - 1);
                EXPECT_EQ(p.Width, PictureAt(2, side, list, 0).Width);
            }
        }
    }
}

TEST(GeneratedLibrary, BuildingsCoverWholeCellsAndEveryFrameOfAListHasOneSize) {
    for (int side = 0; side < 3; ++side) {
        const int lists = static_cast<int>(LoadedLibrary().Images[3][side].size());
        ASSERT_GE(lists, 3) << "headquarters, factory and at least one plain building";
        for (int list = 0; list < lists; ++list) {
            const Picture& first = PictureAt(3, side, list, 0);
            EXPECT_EQ(first.Width % kCellSize, kCellSize - 1);
            EXPECT_EQ(first.Height % kCellSize, kCellSize - 1);
            for (int f = 1; f < FrameCount(3, side, list); ++f) {
                EXPECT_EQ(PictureAt(3, side, list, f).Width, first.Width);
                EXPECT_EQ(PictureAt(3, side, list, f).Height, first.Height);
            }
        }
    }
}

TEST(GeneratedLibrary, FactoriesCanProduce) {
    // The exit is one right and one down from the anchor and must lie inside the
    // footprint; the cell below it must lie outside, or no tank ever rolls out.
    for (int side = 0; side < 3; ++side) {
        const Picture& factory = PictureAt(3, side, 1, 0);
        const int columns = Cells(factory.Width), rows = Cells(factory.Height);
        EXPECT_GE(columns, 2);
        EXPECT_EQ(rows, 2);
        const bool exitInside = 1 < columns && 1 < rows;
        const bool belowOutside = 2 >= rows;
        EXPECT_TRUE(exitInside && belowOutside) << "side " << side;
    }
}

TEST(GeneratedLibrary, TanksHaveThirtyTwoFramesThatFitInOneCell) {
    for (int side = 0; side < 3; ++side) {
        const int models = static_cast<int>(LoadedLibrary().Images[4][side].size());
        ASSERT_GE(models, 2);
        for (int model = 0; model < models; ++model) {
            ASSERT_EQ(FrameCount(4, side, model), 32);
            const Picture& hull = PictureAt(4, side, model, 0);
            EXPECT_LE(hull.Width, kCellSize);
            EXPECT_LE(hull.Height, kCellSize);
            for (int f = 0; f < 32; ++f) {
                // Hull and turret frames share one size, so the turret drawn at the
                // hull's corner sits on the hull.
                EXPECT_EQ(PictureAt(4, side, model, f).Width, hull.Width);
                EXPECT_EQ(PictureAt(4, side, model, f).Height, hull.Height);
            }
        }
    }
}

TEST(GeneratedLibrary, EveryPictureUsesMagentaAsItsOnlyTransparency) {
    for (const auto& group : LoadedLibrary().Images)
        for (const auto& subgroup : group)
            for (const auto& list : subgroup)
                for (const Picture& p : list.Pictures) {
                    ASSERT_EQ(p.Pixels.size(), static_cast<std::size_t>(p.Width) * p.Height);
                    for (std::uint32_t px : p.Pixels) {
                        const bool key = (px & 0xFFFFFFu) == 0xFF00FFu;
                        ASSERT_EQ(px >> 24, key ? 0u : 255u) << "magenta is transparent, everything else opaque";
                    }
                    const auto format = DescribeBmpRecord(p.Record);
                    ASSERT_TRUE(format.has_value());
                    EXPECT_EQ(format->Compression, kBmpRgb);
                }
}

TEST(GeneratedLibrary, SoundsAreShortPcmThatNeverClips) {
    const auto& waves = LoadedLibrary().WaveList;
    ASSERT_EQ(waves.size(), 2u) << "0 the explosion, 1 the shot";
    for (std::size_t i = 0; i < waves.size(); ++i) {
        const auto format = ParseWaveFormat(waves[i].Format);
        ASSERT_TRUE(format.has_value());
        EXPECT_EQ(format->FormatTag, 1);
        EXPECT_EQ(format->BitsPerSample, 16);
        EXPECT_EQ(format->Channels, 1);
        const std::size_t count = waves[i].Samples.size() / 2;
        const double seconds = static_cast<double>(count) / format->SamplesPerSec;
        EXPECT_GT(seconds, 0.15);
        EXPECT_LT(seconds, 2.0) << "short and punchy";
        int peak = 0;
        for (std::size_t k = 0; k < count; ++k) {
            const auto s = static_cast<std::int16_t>(waves[i].Samples[2 * k] | (waves[i].Samples[2 * k + 1] << 8));
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        }
        EXPECT_LT(peak, 32000) << "headroom: no sample at full scale";
        EXPECT_GT(peak, 24000) << "and loud enough to be punchy";
    }
    // The explosion lasts longer than the shot.
    EXPECT_GT(waves[0].Samples.size(), waves[1].Samples.size());
}

}  // namespace
}  // namespace tavrine::assets::testing
