// Whole frames drawn by the Qt canvas offscreen, compared with the pictures in
// tests/fixtures/golden. TAVRINE_UPDATE_GOLDEN=1 writes the pictures instead (look
// at them before committing). A frame that differs is saved beside the test
// program as NAME.actual.png.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <cstdlib>
#include <string>

#include "platform/qt/qt_canvas.h"
#include "sim/grid.h"
#include "support/test_world.h"
#include "view/draw_frame.h"
#include "view/scene_library.h"
#include "view/screens.h"
#include "view/status.h"

namespace tavrine::test {
namespace {

bool Updating() {
    const char* v = std::getenv("TAVRINE_UPDATE_GOLDEN");
    return v && std::string(v) == "1";
}

/// Pixels that differ by more than a little in some channel.
int Differences(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8 || std::abs(qBlue(p) - qBlue(q)) > 8) ++n;
        }
    return n;
}

void ExpectGolden(const QImage& frame, const std::string& name) {
    const QString path = QString::fromStdString(std::string(TAVRINE_GOLDEN_DIR) + "/" + name + ".png");
    const QImage image = frame.convertToFormat(QImage::Format_RGB32);
    if (Updating()) {
        ASSERT_TRUE(image.save(path, "PNG")) << path.toStdString();
        return;
    }
    const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(golden.isNull()) << "no golden " << path.toStdString() << "; make it with TAVRINE_UPDATE_GOLDEN=1";
    ASSERT_EQ(golden.size(), image.size());
    const int differences = Differences(golden, image);
    // Room for a font rasteriser's rounding, not for a misplaced mark.
    const int allowed = image.width() * image.height() / 1000;
    if (differences > allowed) image.save(QDir::current().filePath(QString::fromStdString(name + ".actual.png")), "PNG");
    EXPECT_LE(differences, allowed) << name << ": " << differences << " pixels differ; see " << name << ".actual.png";
}

/// A small battle under a 400 x 300 surface: ground of every kind, a wall, a
/// tower, the player's factory (selected, smoking) and the computer's
/// headquarters, tanks of both sides (two selected, one just fired), an
/// explosion, a shell, a money label, the band, the fog along the far edges and
/// the mission hint.
struct Battle {
    GameType g;
    RunState run;
    ImageLibrary lib = MakeSceneLibrary();
    Random rng{3};

    Battle() {
        g = MakeMap({
            "..~~~.........",
            "..~~..........",
            "...~....^^....",
            "........^^^...",
            "..............",
            "..............",
            "...........^..",
            "~~............",
            "~~~...........",
            "~~~...........",
        });
        for (std::int32_t x = 0; x < g.Columns; ++x)
            for (std::int32_t y = 0; y < g.Rows; ++y) g.Cell(x, y).Hidden = x >= 12 || y >= 9 || (x >= 11 && y >= 7);
        g.Cell(3, 2).Ground.Frame = 3;  // a wreck on the shore
        g.ViewX = 36;
        g.ViewY = 36;
        g.Mission = 2;
        run.DisplayWidth = 400;
        run.DisplayHeight = 300;
        run.FramePhase = 3;
        run.BannerTime = 600;

        PutObject(g, lib, 6, 1, ImageRef{KindDecoration, 0, 0, 2});
        PutObject(g, lib, 10, 2, ImageRef{KindTower, 1, 0, 13});
        GameCellObjectType& factory = PutObject(g, lib, 5, 4, ImageRef{KindBuilding, 0, BuildingFactory, 0});
        factory.Health = 60;
        factory.Smoke = {SmokeType{ImageRef{0, 5, 0, 2}, 0, 5 * 36 + 40, 4 * 36 + 4, 0}};
        PutObject(g, lib, 8, 6, ImageRef{KindBuilding, 1, BuildingHeadquarters, 0});
        g.SelectedBuilding = CellIndex(g, 5, 4);

        GameObjectType& a = *g.Tanks[static_cast<std::size_t>(PutTank(g, lib, 2, 4, 0, 10))];
        a.TurretFacing = 9;
        a.Selected = 1;
        a.Health = 80;
        GameObjectType& b = *g.Tanks[static_cast<std::size_t>(PutTank(g, lib, 3, 6, 0, 4))];
        b.Selected = 1;
        b.Health = 30;
        b.TurretFacing = 6;
        b.MuzzleX = b.X + 10;
        b.MuzzleY = b.Y - 2;
        PutTank(g, lib, 11, 5, 1, 0);

        g.Explosions = {ExplosionType{7 * 36, 3 * 36, 0, 2, 0}};
        g.Shots = {ShotType{400, 260, 200, 200, 0, 0}};
        g.InfoLabels = {InfoLabelType{300, 90, 1, "$2000", 50, 0x00FFFF}};
        run.DragStartX = 36 + 330;
        run.DragStartY = 36 + 270;
        run.DragX = 36 + 270;
        run.DragY = 36 + 215;
    }

    QImage Draw() {
        qt::QtCanvas canvas(run.DisplayWidth, run.DisplayHeight);
        canvas.LoadPictures(lib);
        SimContext ctx{g, run, lib, rng};
        DrawFrame(ctx, canvas);
        return canvas.Presented();
    }
};

QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

TEST(GoldenFrameTest, Battlefield) {
    Battle b;
    const QImage frame = b.Draw();
    // A few pixels whose colour the rules fix, whatever the pictures look like:
    // the selected factory's health bar (60: yellow) and the band's white line.
    // Factory: L 144, T 108, R 214, B 178; the bar's back from (149, 171) to
    // (209, 177), its yellow part to 151 + 60 * 60 / 100 = 187.
    EXPECT_EQ(Pixel(frame, 149, 171), 0xFFFF00u);
    EXPECT_EQ(Pixel(frame, 186, 176), 0xFFFF00u);
    EXPECT_EQ(Pixel(frame, 187, 173), 0u) << "the black rest of the bar";
    EXPECT_EQ(Pixel(frame, 208, 173), 0u);
    // Band: black from (330, 270) to (270, 215), white one pixel up and left.
    EXPECT_EQ(Pixel(frame, 300, 214), 0xFFFFFFu);
    EXPECT_EQ(Pixel(frame, 300, 215), 0u);
    ExpectGolden(frame, "battlefield");
}

TEST(GoldenFrameTest, MissionFailed) {
    Battle b;
    b.run.Outcome = OutcomeFailed;
    b.g.OwnBuildingsTotal = 2;
    b.g.OwnTanksTotal = 5;
    b.g.EnemyBuildingsTotal = 3;
    b.g.EnemyTanksTotal = 4;
    b.g.GameTime = 754;
    b.g.Money = 1250;
    BuildInfoLines(b.g, b.run);
    ExpectGolden(b.Draw(), "mission_failed");
}

TEST(GoldenFrameTest, Title) {
    RunState run;
    qt::QtCanvas canvas(320, 240);
    DrawTitle(run, canvas, 320, 240);
    canvas.Flip();
    ExpectGolden(canvas.Presented(), "title");
}

}  // namespace
}  // namespace tavrine::test
