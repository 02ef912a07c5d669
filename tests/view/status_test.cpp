// The status texts and statistics lines, and the fog and range rules of the frame.
#include <gtest/gtest.h>

#include "view/draw_frame.h"
#include "view/status.h"
#include "support/test_world.h"

namespace tavrine::test {
namespace {

TEST(FormatGameTime, HoursUnpaddedMinutesAndSecondsTwoDigits) {
    EXPECT_EQ(FormatGameTime(0), "0:00:00");
    EXPECT_EQ(FormatGameTime(305), "0:05:05");
    EXPECT_EQ(FormatGameTime(3599), "0:59:59");
    EXPECT_EQ(FormatGameTime(3600), "1:00:00");
    EXPECT_EQ(FormatGameTime(36000 + 610), "10:10:10");
}

TEST(BuildInfoLines, StartTotalsAndLossesOfBothSidesTimeAndMoney) {
    const ImageLibrary lib = MakeTestLibrary();
    GameType g = MakeMap({"..........", "..........", "..........", ".........."});
    PutObject(g, lib, 0, 0, ImageRef{KindBuilding, SideComputer, BuildingHeadquarters, 0});
    PutObject(g, lib, 3, 0, ImageRef{KindTower, SideComputer, 0, 0});
    PutObject(g, lib, 5, 0, ImageRef{KindTower, SidePlayer, 0, 0});
    PutObject(g, lib, 7, 0, ImageRef{KindTower, 2, 0, 0});           // nobody's
    PutObject(g, lib, 9, 0, ImageRef{KindDecoration, SidePlayer, 0, 0});  // not a building
    PutTank(g, lib, 0, 3, SideComputer);
    PutTank(g, lib, 1, 3, SidePlayer);
    PutTank(g, lib, 2, 3, SidePlayer);
    PutTank(g, lib, 3, 3, 2);
    g.EnemyBuildingsTotal = 12;
    g.EnemyTanksTotal = 1;
    g.OwnBuildingsTotal = 1;
    g.OwnTanksTotal = 7;
    g.GameTime = 305;
    g.Money = 4500;

    EXPECT_EQ(CountBuildings(g), (SideCounts{1, 2, 1}));
    EXPECT_EQ(CountTanks(g), (SideCounts{2, 1, 1}));

    RunState run;
    run.InfoLines = {"stale"};
    BuildInfoLines(g, run);
    const std::vector<std::string> expected = {
        "Enemies", "Buildings: 12, 10 lost", "Tanks: 1, 0 lost", "",
        "Yours",   "Buildings: 1, 0 lost",   "Tanks: 7, 5 lost", "",
        "Time: 0:05:05", "", "Money: $4500",
    };
    EXPECT_EQ(run.InfoLines, expected);
    EXPECT_EQ(MoneyLabelText(g), "$ 4500");
}

TEST(MissionText, SixMissionsAndNothingElse) {
    EXPECT_EQ(MissionText(0), "Destroy all the enemy buildings and kill all the enemies.");
    EXPECT_EQ(MissionText(5), "Defend army headquarters from enemies and find the enemy headquarters, destroy it.");
    EXPECT_EQ(MissionText(6), "");
    EXPECT_EQ(MissionText(-1), "");
}

TEST(FogPiece, EdgesCornersAndTheRest) {
    enum : std::int32_t { TL = 1, T = 2, TR = 4, R = 8, BR = 16, B = 32, BL = 64, L = 128 };
    EXPECT_EQ(FogPiece(0), 9);
    EXPECT_EQ(FogPiece(255), 8);
    EXPECT_EQ(FogPiece(T), 1);
    EXPECT_EQ(FogPiece(T | TL | TR), 1);  // corners do not matter beside an edge
    EXPECT_EQ(FogPiece(R | BR), 2);
    EXPECT_EQ(FogPiece(B | BL | BR), 3);
    EXPECT_EQ(FogPiece(L), 0);
    EXPECT_EQ(FogPiece(L | T | TL | TR | BL), 4);
    EXPECT_EQ(FogPiece(L | T | BR), 9);  // the corner across must be clear
    EXPECT_EQ(FogPiece(T | R), 5);
    EXPECT_EQ(FogPiece(R | B), 6);
    EXPECT_EQ(FogPiece(B | L), 7);
    EXPECT_EQ(FogPiece(T | B), 9);
    EXPECT_EQ(FogPiece(TL | TR | BR | BL), 9);
}

TEST(VisibleRange, MarginOfThreeBeforeAndOneAfterWithinTheMap) {
    GameType g = MakeMap(std::vector<std::string>(60, std::string(80, '.')));
    CellRange r = VisibleRange(g, 800, 600);
    EXPECT_EQ(r.FirstColumn, 0);
    EXPECT_EQ(r.FirstRow, 0);
    EXPECT_EQ(r.LastColumn, 800 / 36 + 1);
    EXPECT_EQ(r.LastRow, 600 / 36 + 1);
    g.ViewX = 10 * 36 + 5;
    g.ViewY = 7 * 36;
    r = VisibleRange(g, 800, 600);
    EXPECT_EQ(r.FirstColumn, 7);
    EXPECT_EQ(r.FirstRow, 4);
    g.ViewX = g.MapWidth - 800;
    g.ViewY = g.MapHeight - 600;
    r = VisibleRange(g, 800, 600);
    EXPECT_EQ(r.LastColumn, 79);
    EXPECT_EQ(r.LastRow, 59);
    // A map smaller than the surface is centred: the origin is negative.
    GameType small = MakeMap({"...", "..."});
    small.ViewX = -300;
    small.ViewY = -250;
    r = VisibleRange(small, 800, 600);
    EXPECT_EQ(r.FirstColumn, 0);
    EXPECT_EQ(r.LastColumn, 2);
    EXPECT_EQ(r.LastRow, 1);
}

}  // namespace
}  // namespace tavrine::test
