#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>

#include "sim/grid.h"
#include "state/saved_game.h"
#include "support/recording_canvas.h"
#include "view/diagnostic_line.h"
#include "view/draw_frame.h"
#include "view/frame_painter.h"
#include "view/view_world.h"

namespace tavrine::test {
namespace {

using Kind = RecordingCanvas::Kind;

using frame::kBlack, frame::kWhite, frame::kRed, frame::kGreen;
constexpr Rgb kYellow{255, 255, 0};

struct FrameWorld : ViewWorld {
    explicit FrameWorld(std::int32_t columns = 80, std::int32_t rows = 60) : ViewWorld(columns, rows) {
        canvas.Identify(lib);
        run.FramePhase = 3;
    }
    FrameResult Frame() {
        canvas.Clear();
        SimContext ctx = Ctx();
        return DrawFrame(ctx, canvas, options);
    }
    /// Picture calls of the ground lists (group 0, subgroups 0..2).
    std::size_t GroundPictures() const {
        return static_cast<std::size_t>(std::count_if(canvas.pictures.begin(), canvas.pictures.end(), [](const auto& p) {
            return p.Ref.Group == 0 && p.Ref.Subgroup <= 2;
        }));
    }
    RecordingCanvas canvas;
    FrameOptions options;
};

TEST(VisibleRangeTest, ThreeCellsMarginLeftAndAboveOneRightAndBelowWithinTheMap) {
    FrameWorld w;  // 80 x 60 cells under 800 x 600: 22 columns and 16 rows fit
    const auto range = [&] { return VisibleRange(w.g, 800, 600); };
    CellRange r = range();
    EXPECT_EQ((std::array{r.FirstColumn, r.LastColumn, r.FirstRow, r.LastRow}), (std::array{0, 23, 0, 17}));
    w.g.ViewX = 1000;  // column 27, 28 pixels in
    w.g.ViewY = 700;   // row 19
    r = range();
    EXPECT_EQ((std::array{r.FirstColumn, r.LastColumn, r.FirstRow, r.LastRow}), (std::array{24, 50, 16, 36}));
    w.g.ViewX = 2880 - 800;
    w.g.ViewY = 2160 - 600;
    r = range();
    EXPECT_EQ((std::array{r.FirstColumn, r.LastColumn, r.FirstRow, r.LastRow}), (std::array{54, 79, 40, 59}));
    w.g.ViewX = 36 * 2;
    w.g.ViewY = 36 * 1;
    r = range();
    EXPECT_EQ(r.FirstColumn, 0) << "the margin stops at the map's edge";
    EXPECT_EQ(r.FirstRow, 0);

    // The ground sweep draws exactly that range, column by column.
    w.g.ViewX = 1000;
    w.g.ViewY = 700;
    w.Frame();
    EXPECT_EQ(w.GroundPictures(), std::size_t{27 * 21});
    EXPECT_EQ(w.canvas.pictures[0].X, 24 * 36 - 1000);
    EXPECT_EQ(w.canvas.pictures[0].Y, 16 * 36 - 700);
    EXPECT_EQ(w.canvas.pictures[1].X, 24 * 36 - 1000) << "down the column first";
    EXPECT_EQ(w.canvas.pictures[1].Y, 17 * 36 - 700);
}

TEST(VisibleRangeTest, ABuildingThreeCellsOutsideStillShowsFourCellsOutsideDoesNot) {
    FrameWorld w;
    w.g.ViewX = 10 * 36;
    w.g.ViewY = 10 * 36;
    PutObject(w.g, w.lib, 7, 12, ImageRef{KindBuilding, 0, BuildingFactory, 0});  // 3 columns left of the view
    PutObject(w.g, w.lib, 12, 7, ImageRef{KindBuilding, 1, BuildingFactory, 0});  // 3 rows above
    PutObject(w.g, w.lib, 6, 20, ImageRef{KindBuilding, 0, BuildingHeadquarters, 0});  // 4 columns left
    PutObject(w.g, w.lib, 20, 6, ImageRef{KindBuilding, 1, BuildingHeadquarters, 0});  // 4 rows above
    w.Frame();
    const auto buildings = w.canvas.PicturesOf(KindBuilding, 0, BuildingFactory);
    ASSERT_EQ(buildings.size(), 1u);
    EXPECT_EQ(buildings[0].X, -3 * 36);
    EXPECT_EQ(buildings[0].Y, 2 * 36);
    EXPECT_EQ(w.canvas.PicturesOf(KindBuilding, 1, BuildingFactory).size(), 1u);
    EXPECT_TRUE(w.canvas.PicturesOf(KindBuilding, 0, BuildingHeadquarters).empty());
    EXPECT_TRUE(w.canvas.PicturesOf(KindBuilding, 1, BuildingHeadquarters).empty());
}

TEST(FogTest, EveryKindOfNeighbourhoodGetsItsPiece) {
    enum : std::int32_t { TL = 1, T = 2, TR = 4, R = 8, BR = 16, B = 32, BL = 64, L = 128 };
    EXPECT_EQ(FogPiece(0), 9) << "nothing hidden around";
    EXPECT_EQ(FogPiece(255), 8);
    // One side hidden: the corners do not matter.
    EXPECT_EQ(FogPiece(T), 1);
    EXPECT_EQ(FogPiece(T | TL | TR | BL | BR), 1);
    EXPECT_EQ(FogPiece(R | TR), 2);
    EXPECT_EQ(FogPiece(B | BL | BR), 3);
    EXPECT_EQ(FogPiece(L | TL | BL), 0);
    // Two sides hidden: the corner between them and the two beside may be
    // anything, the corner opposite must be clear.
    EXPECT_EQ(FogPiece(L | T), 4);
    EXPECT_EQ(FogPiece(L | T | TL | TR | BL), 4);
    EXPECT_EQ(FogPiece(L | T | BR), 9) << "the opposite corner hidden";
    EXPECT_EQ(FogPiece(T | R | TL | TR | BR), 5);
    EXPECT_EQ(FogPiece(T | R | BL), 9);
    EXPECT_EQ(FogPiece(R | B | TR | BR | BL), 6);
    EXPECT_EQ(FogPiece(R | B | TL), 9);
    EXPECT_EQ(FogPiece(B | L | TL | BR | BL), 7);
    EXPECT_EQ(FogPiece(B | L | TR), 9);
    // Corners alone, opposite sides and three sides match no row.
    EXPECT_EQ(FogPiece(TL), 9);
    EXPECT_EQ(FogPiece(TL | TR | BL | BR), 9);
    EXPECT_EQ(FogPiece(T | B), 9);
    EXPECT_EQ(FogPiece(L | R), 9);
    EXPECT_EQ(FogPiece(L | T | R), 9);
    EXPECT_EQ(FogPiece(255 & ~TL), 9);
}

TEST(FogTest, TheFogPassDrawsPiecesOverEverythingElse) {
    FrameWorld w(30, 20);
    w.g.Cell(5, 5).Hidden = 1;   // hidden: piece 8
    w.g.Cell(10, 4).Hidden = 1;  // hidden above (10, 5) and (10, 5) has no other: piece 1
    w.g.Cell(14, 4).Hidden = 1;  // only a corner of (15, 5) and of (13, 5): piece 9
    PutTank(w.g, w.lib, 5, 5, 0);
    w.Frame();
    const auto fog = w.canvas.PicturesOf(0, 4, 0);
    const auto pieceAt = [&](std::int32_t x, std::int32_t y) {
        for (const auto& p : fog)
            if (p.X == x * 36 && p.Y == y * 36) return p.Ref.Frame;
        return -1;
    };
    EXPECT_EQ(pieceAt(5, 5), 8);
    EXPECT_EQ(pieceAt(10, 5), 1);
    EXPECT_EQ(pieceAt(10, 3), 3);
    EXPECT_EQ(pieceAt(11, 4), 0);
    EXPECT_EQ(pieceAt(11, 5), -1) << "piece 9 with a nine-picture fog list: no fog";
    EXPECT_EQ(pieceAt(15, 5), -1);
    EXPECT_EQ(pieceAt(0, 0), -1) << "beyond the map counts as uncovered";
    // The fog comes after the tanks.
    const auto tank = std::find_if(w.canvas.pictures.begin(), w.canvas.pictures.end(), [](const auto& p) { return p.Ref.Group == 4; });
    const auto firstFog = std::find_if(w.canvas.pictures.begin(), w.canvas.pictures.end(), [](const auto& p) {
        return p.Ref.Group == 0 && p.Ref.Subgroup == 4;
    });
    EXPECT_LT(tank, firstFog);

    // A tenth picture stands for no fog and is drawn.
    AddPicture(w.lib, 0, 4, 0, 36, 36);
    w.canvas.Identify(w.lib);
    w.Frame();
    std::int32_t nines = 0;
    for (const auto& p : w.canvas.PicturesOf(0, 4, 0)) nines += p.Ref.Frame == 9;
    // The visible range is 24 x 18 cells; the 3 hidden cells and the 4 beside
    // each of them have pieces of their own.
    EXPECT_EQ(nines, 24 * 18 - 3 - 3 * 4);

    // The editor shows the fog only with its fog button down.
    w.run.EditMode = 1;
    w.Frame();
    EXPECT_TRUE(w.canvas.PicturesOf(0, 4, 0).empty());
    w.options.EditorFogShown = true;
    w.Frame();
    EXPECT_FALSE(w.canvas.PicturesOf(0, 4, 0).empty());
}

TEST(ObjectsTest, BuildingsAnimateEveryFourthTickSmokeEveryFrameTowersNever) {
    FrameWorld w;
    AddPicture(w.lib, 3, 0, BuildingFactory, 71, 71);  // the factory list now has 2 frames
    w.canvas.Identify(w.lib);
    GameCellObjectType& factory = PutObject(w.g, w.lib, 2, 2, ImageRef{KindBuilding, 0, BuildingFactory, 0});
    factory.Smoke = {SmokeType{ImageRef{0, 5, 0, 4}, 0, 100, 110, 0}, SmokeType{ImageRef{0, 5, 0, 5}, 0, 120, 130, 0}};
    GameCellObjectType& tower = PutObject(w.g, w.lib, 6, 2, ImageRef{KindTower, 1, 0, 7});
    std::vector<std::int32_t> frames, puffs;
    for (const std::int32_t phase : {3, 2, 1, 0, 3, 2, 1, 0}) {
        w.run.FramePhase = phase;
        w.Frame();
        frames.push_back(w.canvas.PicturesOf(KindBuilding, 0, BuildingFactory).at(0).Ref.Frame);
        puffs.push_back(w.canvas.PicturesOf(0, 5, 0).at(0).Ref.Frame);
    }
    EXPECT_EQ(frames, (std::vector<std::int32_t>{0, 0, 0, 0, 1, 1, 1, 1}));
    EXPECT_EQ(factory.Image.Frame, 0) << "wrapped after the second phase 0";
    EXPECT_EQ(puffs, (std::vector<std::int32_t>{5, 0, 1, 2, 3, 4, 5, 0})) << "advanced, then drawn";
    const auto puff = w.canvas.PicturesOf(0, 5, 0);
    EXPECT_EQ(puff[1].X, 120);
    EXPECT_EQ(puff[1].Y, 130);
    EXPECT_EQ(tower.Image.Frame, 7);

    // A building frame beyond its list starts over; a tower's is skipped with its smoke.
    factory.Image.Frame = 9;
    tower.Image.Frame = 16;
    tower.Smoke = {SmokeType{}};
    w.Frame();
    EXPECT_EQ(w.canvas.PicturesOf(KindBuilding, 0, BuildingFactory).at(0).Ref.Frame, 0);
    EXPECT_TRUE(w.canvas.PicturesOf(KindTower, 1, 0).empty());
    EXPECT_EQ(w.canvas.PicturesOf(0, 5, 0).size(), 2u) << "only the factory's two puffs";
}

TEST(ObjectsTest, APictureOfAnotherPartOfTheMapLeavesTheBattleAsTheGamesViewWould) {
    // A replay's viewer looks elsewhere: the far factory is drawn, the near one
    // (in the game's view) animates unseen; a still frame then changes nothing.
    FrameWorld w;
    AddPicture(w.lib, 3, 0, BuildingFactory, 71, 71);
    w.canvas.Identify(w.lib);
    GameCellObjectType& near = PutObject(w.g, w.lib, 2, 2, ImageRef{KindBuilding, 0, BuildingFactory, 0});
    GameCellObjectType& far = PutObject(w.g, w.lib, 40, 40, ImageRef{KindBuilding, 0, BuildingFactory, 0});
    w.g.Shots.push_back(ShotType{1000, 1000, 100, 100, 10, 0});
    w.options.ShownOrigin = FrameOptions::Origin{40 * 36 - 100, 40 * 36 - 50};
    w.run.FramePhase = 0;
    w.Frame();
    const auto drawn = w.canvas.PicturesOf(KindBuilding, 0, BuildingFactory);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].X, 100);
    EXPECT_EQ(drawn[0].Y, 50);
    EXPECT_EQ(near.Image.Frame, 1);
    EXPECT_EQ(far.Image.Frame, 0);
    EXPECT_EQ(w.g.Shots[0].X, 115) << "the shell flies wherever the picture is";

    w.options.Still = true;
    w.run.FramePhase = 0;
    const Bytes before = SerializeGame(w.g);
    const std::int32_t banner = w.run.BannerTime;
    w.Frame();
    EXPECT_EQ(w.canvas.PicturesOf(KindBuilding, 0, BuildingFactory).size(), 1u);
    EXPECT_EQ(SerializeGame(w.g), before);
    EXPECT_EQ(w.run.BannerTime, banner);
}

TEST(ObjectsTest, LaterColumnsCoverEarlierOnesWhateverTheirRows) {
    FrameWorld w;
    PutObject(w.g, w.lib, 3, 9, ImageRef{KindDecoration, 0, 0, 0});
    PutObject(w.g, w.lib, 4, 1, ImageRef{KindDecoration, 1, 0, 0});
    w.Frame();
    const auto first = std::find_if(w.canvas.pictures.begin(), w.canvas.pictures.end(), [](const auto& p) { return p.Ref.Group == 1; });
    ASSERT_NE(first, w.canvas.pictures.end());
    EXPECT_EQ(first->Ref.Subgroup, 0);
    EXPECT_EQ((first + 1)->Ref.Subgroup, 1);
}

TEST(TanksTest, ATankOffTheScreenIsNeitherDrawnNorClearedOfItsFlash) {
    FrameWorld w;
    w.g.ViewX = 10 * 36;
    w.g.ViewY = 10 * 36;
    GameObjectType& left = *w.g.Tanks[static_cast<std::size_t>(PutTank(w.g, w.lib, 9, 12, 0))];  // right edge at -1
    GameObjectType& inside = *w.g.Tanks[static_cast<std::size_t>(PutTank(w.g, w.lib, 10, 12, 0))];
    left.MuzzleX = inside.MuzzleX = 50;
    inside.TurretFacing = 16;  // no such turret picture
    w.Frame();
    const auto hulls = w.canvas.PicturesOf(KindTank, 0, 0);
    ASSERT_EQ(hulls.size(), 1u) << "one hull and no turret";
    EXPECT_EQ(hulls[0].X, 0);
    EXPECT_EQ(left.MuzzleX, 50);
    EXPECT_EQ(inside.MuzzleX, 50) << "stops before the flash when the turret cannot be drawn";
}

TEST(EffectsTest, OneFinishedExplosionAndOneArrivedShellLeavePerFrame) {
    FrameWorld w;
    w.g.Explosions = {ExplosionType{100, 100, 0, -1, 0}, ExplosionType{200, 100, 0, 2, 0}, ExplosionType{300, 100, 0, -1, 0}};
    w.g.Shots = {ShotType{50, 60, 50, 60, 0, -1}, ShotType{400, 400, 100, 100, 1, 0}, ShotType{70, 80, 70, 80, 1, -1}};
    w.Frame();
    ASSERT_EQ(w.g.Explosions.size(), 3u) << "one explosion went, the shell's arrived";
    EXPECT_EQ(w.g.Explosions[0].X, 100) << "the last finished one went first";
    EXPECT_EQ(w.g.Explosions[1].X, 201);
    EXPECT_EQ(w.g.Explosions[2].X, 70) << "the last arrived shell exploded at its target";
    EXPECT_EQ(w.g.Explosions[2].Kind, 1);
    EXPECT_EQ(w.g.Shots.size(), 2u);
    w.Frame();
    EXPECT_EQ(w.g.Shots.size(), 1u);
    ASSERT_EQ(w.g.Explosions.size(), 3u);
    EXPECT_EQ(w.g.Explosions[1].X, 71) << "the shell's explosion drifted once";
    EXPECT_EQ(w.g.Explosions[2].X, 50) << "the next shell's";
    w.Frame();
    EXPECT_EQ(w.g.Explosions.size(), 3u);
}

TEST(EffectsTest, AShellIsASilverSquareWhileInsideTheScreen) {
    FrameWorld w;
    w.g.ViewX = 100;
    w.g.Shots = {ShotType{1000, 300, 300, 200, 0, 0}, ShotType{1000, 300, 100, 200, 0, 0}};
    w.Frame();
    ASSERT_EQ(w.canvas.rectangles.size(), 1u) << "a shell on the screen's edge is not drawn";
    const auto& r = w.canvas.rectangles[0];
    EXPECT_EQ((std::array{r.Left, r.Top, r.Right, r.Bottom}), (std::array{198, 198, 202, 202}));
    EXPECT_EQ(r.Brush, (Rgb{192, 192, 192}));
    EXPECT_EQ(r.PenKind, PenStyle::Clear);
}

struct MarksWorld : FrameWorld {
    MarksWorld() {
        tank = &*g.Tanks[static_cast<std::size_t>(PutTank(g, lib, 3, 3, 0))];
        tank->Selected = 1;
    }
    GameObjectType* tank;
};

TEST(MarksTest, ASelectedTankGetsBlackThenWhiteBracketsAndAHealthBar) {
    MarksWorld w;
    w.tank->Health = 50;
    w.Frame();
    // Centre (126, 126): L 108, T 108, R 142, B 142.
    ASSERT_EQ(w.canvas.lines.size(), 16u);
    const auto& first = w.canvas.lines[0];
    EXPECT_EQ((std::array{first.X1, first.Y1, first.X2, first.Y2}), (std::array{108, 114, 108, 108}));
    EXPECT_EQ(first.Pen, kBlack);
    EXPECT_EQ(first.PenWidth, 1);
    const auto& bottomRight = w.canvas.lines[7];
    EXPECT_EQ((std::array{bottomRight.X1, bottomRight.Y1, bottomRight.X2, bottomRight.Y2}), (std::array{142, 142, 142, 136}));
    const auto& white = w.canvas.lines[8];
    EXPECT_EQ((std::array{white.X1, white.Y1, white.X2, white.Y2}), (std::array{107, 113, 107, 107}));
    EXPECT_EQ(white.Pen, kWhite);
    ASSERT_EQ(w.canvas.rectangles.size(), 2u);
    const auto& back = w.canvas.rectangles[0];
    EXPECT_EQ((std::array{back.Left, back.Top, back.Right, back.Bottom}), (std::array{113, 136, 137, 141}));
    EXPECT_EQ(back.Brush, kBlack);
    const auto& bar = w.canvas.rectangles[1];
    EXPECT_EQ((std::array{bar.Left, bar.Right}), (std::array{113, 108 + 7 + 24 * 50 / 100}));
    EXPECT_EQ(bar.Brush, kYellow);
}

TEST(MarksTest, HealthColoursChangeAtThirtyThreeAndSixtySix) {
    MarksWorld w;
    const std::pair<std::int32_t, Rgb> cases[] = {{0, kRed}, {32, kRed}, {33, kYellow}, {65, kYellow}, {66, kGreen}, {100, kGreen}};
    for (const auto& [health, color] : cases) {
        w.tank->Health = health;
        w.Frame();
        EXPECT_EQ(w.canvas.rectangles.at(1).Brush, color) << health;
    }
}

TEST(MarksTest, ASelectedBuildingShowsItsNameInTheSidesColour) {
    const struct {
        std::int32_t side, type;
        const char* name;
        Rgb color, outline;
    } cases[] = {{0, BuildingHeadquarters, "Headquarters", kYellow, kBlack},
                 {1, BuildingFactory, "Factory", Rgb{128, 0, 0}, kWhite},
                 {2, 2, "Building", Rgb{192, 192, 192}, kBlack}};
    for (const auto& c : cases) {
        FrameWorld w;
        w.g.ViewX = 36;
        PutObject(w.g, w.lib, 4, 2, ImageRef{KindBuilding, c.side, c.type, 0});
        w.g.SelectedBuilding = CellIndex(w.g, 4, 2);
        w.Frame();
        // L 108, T 72, R 178, B 142.
        // Eight outline copies one pixel around it, then the name itself.
        ASSERT_EQ(w.canvas.texts.size(), 9u) << c.name;
        const auto& text = w.canvas.texts[8];
        for (std::size_t i = 0; i < 8; ++i) {
            const auto& copy = w.canvas.texts[i];
            EXPECT_EQ(copy.Color, c.outline) << c.name;
            EXPECT_EQ(std::max(std::abs(copy.X - text.X), std::abs(copy.Y - text.Y)), 1) << c.name;
        }
        EXPECT_EQ(text.Text, c.name);
        EXPECT_EQ(text.Color, c.color);
        EXPECT_EQ(text.BrushKind, BrushStyle::Clear);
        EXPECT_EQ(text.X, 143 - static_cast<std::int32_t>(std::string(c.name).size()) * 6 / 2);
        EXPECT_EQ(text.Y, 72);
        ASSERT_EQ(w.canvas.lines.size(), 16u);
        EXPECT_EQ(w.canvas.lines[0].PenWidth, 2);
        EXPECT_EQ(w.canvas.rectangles.at(0).Top, 142 - 7);
        EXPECT_EQ(w.canvas.rectangles.at(1).Right, 108 + 7 + 60);
    }
    FrameWorld tower;
    PutObject(tower.g, tower.lib, 4, 2, ImageRef{KindTower, 1, 0, 0});
    tower.g.SelectedBuilding = CellIndex(tower.g, 4, 2);
    tower.Frame();
    EXPECT_TRUE(tower.canvas.texts.empty()) << "towers have no name";
    EXPECT_EQ(tower.canvas.lines.size(), 16u);
}

TEST(BandTest, DrawnAsGivenFromAnyCorner) {
    const std::array<std::array<std::int32_t, 4>, 4> corners = {{
        {100, 100, 200, 150}, {200, 150, 100, 100}, {200, 100, 100, 150}, {100, 150, 200, 100}}};
    for (const auto& c : corners) {
        FrameWorld w;
        w.g.ViewX = 36;
        w.g.ViewY = 72;
        w.run.DragStartX = c[0] + 36;
        w.run.DragStartY = c[1] + 72;
        w.run.DragX = c[2] + 36;
        w.run.DragY = c[3] + 72;
        w.Frame();
        ASSERT_EQ(w.canvas.rectangles.size(), 2u);
        const auto& black = w.canvas.rectangles[0];
        const auto& white = w.canvas.rectangles[1];
        EXPECT_EQ((std::array{black.Left, black.Top, black.Right, black.Bottom}), c);
        EXPECT_EQ((std::array{white.Left, white.Top, white.Right, white.Bottom}), (std::array{c[0] - 1, c[1] - 1, c[2] - 1, c[3] - 1}));
        EXPECT_EQ(black.Pen, kBlack);
        EXPECT_EQ(white.Pen, kWhite);
        EXPECT_EQ(black.BrushKind, BrushStyle::Clear);
        EXPECT_EQ(black.PenKind, PenStyle::Solid);
    }
    FrameWorld none;
    none.run.DragStartX = -1;
    none.Frame();
    EXPECT_TRUE(none.canvas.rectangles.empty());
}

TEST(OverlayTest, EditorPathGreenThroughItsPointsThenRedThroughTheTrack) {
    FrameWorld w;
    w.g.ViewX = 10;
    w.run.EditDrawing = 1;
    w.run.EditPoints = {{1, 1}, {2, 1}, {2, 3}};
    w.run.EditTrack = {{3, 3}, {4, 4}};
    w.Frame();
    ASSERT_EQ(w.canvas.lines.size(), 5u);
    EXPECT_EQ((std::array{w.canvas.lines[0].X1, w.canvas.lines[0].Y1, w.canvas.lines[0].X2, w.canvas.lines[0].Y2}),
              (std::array{44, 54, 44, 54})) << "the first point included";
    EXPECT_EQ(w.canvas.lines[2].X2, 2 * 36 + 18 - 10);
    EXPECT_EQ(w.canvas.lines[2].Y2, 3 * 36 + 18);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(w.canvas.lines[static_cast<std::size_t>(i)].Pen, kGreen);
    EXPECT_EQ(w.canvas.lines[3].Pen, kRed);
    EXPECT_EQ((std::array{w.canvas.lines[3].X1, w.canvas.lines[3].Y1}), (std::array{80, 126})) << "continues from the last point";
    EXPECT_EQ(w.canvas.lines[4].PenWidth, 5);
}

TEST(OverlayTest, LayersComeInTheirOrder) {
    MarksWorld w;
    w.run.EditMode = 1;
    w.run.Dragging = 1;
    w.run.EditDrawing = 1;
    w.run.EditPoints = {{1, 1}, {2, 2}};
    w.g.Shots = {ShotType{600, 600, 300, 300, 0, 0}};
    w.run.DragStartX = 10;
    w.run.DragStartY = 10;
    w.run.DragX = 50;
    w.run.DragY = 50;
    w.g.InfoLabels = {InfoLabelType{200, 200, 1, "$300", 5, 0x00FFFF}};
    w.run.BannerTime = 100;
    w.Frame();
    // Path lines, the shell, the tank's brackets and bar, the band, the label,
    // the hint, the diagnostic line, the flip.
    std::vector<Kind> overlay;
    for (const Kind k : w.canvas.order)
        if (k != Kind::Picture && (overlay.empty() || overlay.back() != k)) overlay.push_back(k);
    EXPECT_EQ(overlay, (std::vector<Kind>{Kind::Line, Kind::Rectangle, Kind::Line, Kind::Rectangle, Kind::Text, Kind::Flip}));
    // The label and the hint's lines are outlined (eight black copies around
    // each); the hint keeps its shadow; the diagnostic line has a shadow.
    ASSERT_EQ(w.canvas.texts.size(), 9u + (2u + 18u) + 2u);
    EXPECT_EQ(w.canvas.texts[0].Text, "$300");
    EXPECT_EQ(w.canvas.texts[8].Color, kYellow) << "the label itself after its outline";
    EXPECT_EQ(w.canvas.texts[9].Text, "Mission: Destroy all the enemy buildings and kill all the enemies.");
    const auto& diagnostic = w.canvas.texts[30];
    EXPECT_EQ(diagnostic.Text.substr(0, 5), "FPS: ");
    EXPECT_EQ(diagnostic.Color, kDiagnosticColor);
    EXPECT_EQ(diagnostic.X, 2);
    EXPECT_GT(diagnostic.Y, 2 * w.canvas.texts[9].Y + 40) << "well below the hint";
}

TEST(OverlayTest, TheDiagnosticLineOnlyWhileEditing) {
    FrameWorld w;
    w.run.EditMode = 1;
    w.options.FrameRate = 33;
    w.g.ViewX = 100;
    w.run.MouseMapX = 123;
    w.options.StatusBarHeight = 24;
    w.Frame();
    ASSERT_EQ(w.canvas.texts.size(), 2u) << "a black shadow and the line";
    EXPECT_EQ(w.canvas.texts[1].Text, "FPS: 33  800X600 16 0 123 899 2880 Down");
    const std::int32_t h = w.canvas.TextHeight(w.canvas.texts[1].Text);
    EXPECT_EQ((std::array{w.canvas.texts[1].X, w.canvas.texts[1].Y}), (std::array{2, 600 - 24 - h - 2})) << "just above the status bar";
    EXPECT_EQ(w.canvas.texts[1].Color, kDiagnosticColor);
    EXPECT_EQ(w.canvas.texts[0].Color, kBlack);
    w.run.Dragging = 1;
    w.Frame();
    EXPECT_EQ(w.canvas.texts[1].Text, "FPS: 33  800X600 16 0 123 899 2880");
    w.run.EditMode = 0;
    w.Frame();
    EXPECT_TRUE(w.canvas.texts.empty());
}

TEST(FrameTest, AFrameThatFailsIsDroppedWithoutAFlip) {
    FrameWorld w;
    w.g.InfoLabels = {InfoLabelType{200, 200, 1, "$300", 5, 0x00FFFF}};
    FailingCanvas canvas;
    canvas.atText = true;
    SimContext ctx = w.Ctx();
    DrawFrame(ctx, canvas);
    EXPECT_EQ(canvas.flips, 0);
    w.g.InfoLabels.clear();
    DrawFrame(ctx, canvas);
    EXPECT_EQ(canvas.flips, 1) << "the next frame is drawn afresh";
}

}  // namespace
}  // namespace tavrine::test
