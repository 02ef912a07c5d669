// The frame tick: its phase counter, the game clock, the view scroll, and what
// the drawing step advances (animations, explosions, shells, labels, the hint).
#include <gtest/gtest.h>

#include <algorithm>

#include "support/recording_canvas.h"
#include "sim/grid.h"
#include "sim/orders.h"
#include "state/lists.h"
#include "state/saved_game.h"
#include "support/tick_world.h"

namespace tavrine::test {
namespace {

/// A running mission 1 that nothing decides: a player tank in the west, a
/// computer building in the east.
struct Running : TickWorld {
    explicit Running(std::int32_t columns = 40, std::int32_t rows = 20) : TickWorld(LandRows(columns, rows)) {
        G().Mission = 1;
        PlayerTank = Tank(1, rows - 2, SidePlayer, 8);
        PlainBuilding(columns - 3, 1, SideComputer);
    }
    std::int32_t PlayerTank;
};

class FakeMusic final : public MusicPlayer {
public:
    void Play() override {
        ++plays;
        stopped = false;
    }
    void Stop() override { stopped = true; }
    bool Stopped() override { return stopped; }
    bool stopped = true;
    int plays = 0;
};

TEST(FrameTick, PhaseCountsThreeTwoOneZeroFromAnyStart) {
    Running w;
    w.Run().FramePhase = 0;
    std::vector<std::int32_t> phases;
    for (int i = 0; i < 6; ++i) {
        w.Tick();
        phases.push_back(w.Run().FramePhase);
    }
    EXPECT_EQ(phases, (std::vector<std::int32_t>{3, 2, 1, 0, 3, 2}));
    w.Run().FramePhase = 9;
    w.Tick();
    EXPECT_EQ(w.Run().FramePhase, 3);
    w.Run().FramePhase = -5;
    w.Tick();
    EXPECT_EQ(w.Run().FramePhase, 3);
}

TEST(FrameTick, GameSecondLastsThousandDivIntervalPlusOneTicks) {
    for (const auto& [interval, ticks] : {std::pair{30, 34}, std::pair{20, 51}, std::pair{50, 21}}) {
        SCOPED_TRACE(interval);
        Running w;
        w.Run().TimerInterval = interval;
        w.Tick(ticks - 1);
        EXPECT_EQ(w.G().GameTime, 0);
        EXPECT_EQ(w.game.TimeLabel(), "Time");
        w.Tick();
        EXPECT_EQ(w.G().GameTime, 1);
        EXPECT_EQ(w.game.TimeLabel(), "0:00:01");
        w.Tick(ticks * 59);
        EXPECT_EQ(w.G().GameTime, 60);
        EXPECT_EQ(w.game.TimeLabel(), "0:01:00");
    }
}

TEST(FrameTick, NoClockInTheEditorAndNoneAfterTheOutcome) {
    {
        Running w;
        w.Run().EditMode = 1;
        w.Tick(1000);
        EXPECT_EQ(w.G().GameTime, 0);
        EXPECT_EQ(w.Run().SecondTicks, 0);
    }
    {
        Running w;
        FakeMusic music;
        w.game.SetMusic(&music);
        w.Run().Outcome = OutcomeFailed;
        w.Tick(34 * 3);
        EXPECT_EQ(w.G().GameTime, 0);
        // The music keeps looping all the same.
        EXPECT_EQ(music.plays, 1);
    }
}

TEST(FrameTick, StoppedMusicIsRestartedOncePerGameSecondWhileSwitchedOn) {
    Running w;
    FakeMusic music;
    w.game.SetMusic(&music);
    w.Tick(33);
    EXPECT_EQ(music.plays, 0);
    w.Tick();
    EXPECT_EQ(music.plays, 1);
    w.Tick(34);  // still playing: left alone
    EXPECT_EQ(music.plays, 1);
    music.stopped = true;
    w.Run().MusicOn = 0;
    w.Tick(34);
    EXPECT_EQ(music.plays, 1);
    w.Run().MusicOn = 1;
    w.Tick(34);
    EXPECT_EQ(music.plays, 2);
}

TEST(FrameTick, ViewScrollsByTheEdgeVelocityAndStopsAtTheBorder) {
    Running w(100, 100);
    w.G().ViewX = 100;
    w.G().ViewY = 40;
    w.Run().MouseMapX = 100;
    w.Run().MouseMapY = 300;
    w.Run().ScrollDX = -24;
    w.Tick();
    EXPECT_EQ(w.G().ViewX, 76);
    EXPECT_EQ(w.Run().MouseMapX, 76);
    w.Tick(3);
    EXPECT_EQ(w.G().ViewX, 4);
    w.Tick();
    EXPECT_EQ(w.G().ViewX, 0);
    EXPECT_EQ(w.Run().MouseMapX, 0);
    EXPECT_EQ(w.G().ViewY, 40);
    EXPECT_EQ(w.Run().MouseMapY, 300);
}

TEST(DrawingStep, ObjectsAnimateOnPhaseZeroSmokeOnEveryFrameOnlyInView) {
    Running w(120, 30);
    // A four-picture building of a neutral side, in view and far out of view.
    for (int f = 0; f < 4; ++f) AddPicture(w.game.Library(), KindBuilding, 2, 5, 71, 71);
    GameCellObjectType& near = w.Object(3, 3, ImageRef{KindBuilding, 2, 5, 0});
    GameCellObjectType& far = w.Object(100, 3, ImageRef{KindBuilding, 2, 5, 0});
    GameCellObjectType& tower = w.Tower(8, 3, 2, 5);
    near.HitTimer = far.HitTimer = 10000;  // damaged objects keep their smoke while being hit
    near.Smoke.push_back(SmokeType{ImageRef{0, 5, 0, 0}, 0, 120, 120, 0});
    far.Smoke.push_back(SmokeType{ImageRef{0, 5, 0, 0}, 0, 3620, 120, 0});
    w.Run().FramePhase = 0;
    w.Tick(3);  // phases 3, 2, 1
    EXPECT_EQ(near.Image.Frame, 0);
    EXPECT_EQ(near.Smoke[0].Image.Frame, 3);
    w.Tick();  // phase 0
    EXPECT_EQ(near.Image.Frame, 1);
    w.Tick(12);  // three more phase-0 ticks: 4 pictures wrap round to 0
    EXPECT_EQ(near.Image.Frame, 0);
    EXPECT_EQ(near.Smoke[0].Image.Frame, 16 % 6);
    EXPECT_EQ(far.Image.Frame, 0);
    EXPECT_EQ(far.Smoke[0].Image.Frame, 0);
    EXPECT_EQ(tower.Image.Frame, 5);
}

TEST(DrawingStep, FinishedExplosionsShellsAndLabelsLeaveOnePerFrame) {
    Running w;
    w.G().Explosions = {ExplosionType{100, 100, 0, -1, 0}, ExplosionType{200, 100, 0, 3, 0}, ExplosionType{300, 100, 0, -1, 0}};
    w.G().Shots = {ShotType{500, 400, 500, 400, 1, -1}, ShotType{600, 400, 600, 400, 0, -1}};
    w.G().InfoLabels = {InfoLabelType{50, 50, 1, "$500", -1, 0xFFFF}, InfoLabelType{60, 50, 1, "$2000", -1, 0xFFFF}};
    w.Tick();
    // The last finished explosion went; the later shell exploded first.
    ASSERT_EQ(w.G().Explosions.size(), 3u);
    EXPECT_EQ(w.G().Explosions[0].X, 100);
    EXPECT_EQ(w.G().Explosions[1].X, 201);
    EXPECT_EQ(w.G().Explosions[2].X, 600);
    EXPECT_EQ(w.G().Explosions[2].Kind, 0);
    ASSERT_EQ(w.G().Shots.size(), 1u);
    EXPECT_EQ(w.G().Shots[0].TargetX, 500);
    ASSERT_EQ(w.G().InfoLabels.size(), 1u);
    EXPECT_EQ(w.G().InfoLabels[0].Text, "$500");
    w.Tick();
    EXPECT_TRUE(w.G().Shots.empty());
    EXPECT_TRUE(w.G().InfoLabels.empty());
    ASSERT_EQ(w.G().Explosions.size(), 3u);
    EXPECT_EQ(w.G().Explosions[2].Kind, 1);  // the shell's power names the explosion
    EXPECT_EQ(w.G().Explosions[2].X, 500);
}

TEST(DrawingStep, ExplosionOfFivePicturesShowsThirtyFramesDriftingUpRight) {
    Running w;
    w.game.Library().Images[0][3][0].Pictures.resize(5);
    w.G().Explosions = {ExplosionType{300, 300, 0, 0, 0}};
    RecordingCanvas canvas;
    w.game.SetCanvas(&canvas);
    const std::uint32_t* first = w.Lib().Images[0][3][0].Pictures[0].Pixels.data();
    w.Tick(30);
    const ExplosionType& e = w.G().Explosions[0];
    EXPECT_EQ(e.X, 330);
    EXPECT_EQ(e.Y, 270);
    EXPECT_EQ(e.Frame, 5);
    EXPECT_EQ(std::count_if(canvas.pictures.begin(), canvas.pictures.end(), [&](const auto& p) { return p.Pixels == first; }), 6);
    w.Tick();
    EXPECT_EQ(w.G().Explosions[0].Frame, -1);
    EXPECT_EQ(w.G().Explosions[0].X, 330);
    w.Tick();
    EXPECT_TRUE(w.G().Explosions.empty());
}

TEST(DrawingStep, ShellFlies15PixelsAlongItsLongerAxisAndExplodesOnArrival) {
    Running w;
    w.G().Shots = {ShotType{400, 100, 100, 100, 0, 0xFFFF}, ShotType{200, 400, 100, 100, 0, 0xFFFF}};
    w.Tick();
    EXPECT_EQ(w.G().Shots[0].X, 115);
    EXPECT_EQ(w.G().Shots[0].Y, 100);
    EXPECT_EQ(w.G().Shots[1].X, 105);  // 15 * 100 div 300
    EXPECT_EQ(w.G().Shots[1].Y, 115);
    w.Tick(17);
    EXPECT_EQ(w.G().Shots[0].X, 370);
    EXPECT_EQ(w.G().Shots[0].Timer, 0);
    w.Tick();  // 30 pixels left: arrived, no move
    EXPECT_EQ(w.G().Shots[0].Timer, -1);
    EXPECT_EQ(w.G().Shots[0].X, 370);
    const auto explosions = w.G().Explosions.size();
    w.Tick();
    EXPECT_EQ(w.G().Shots.size(), 1u);
    ASSERT_EQ(w.G().Explosions.size(), explosions + 1);
    EXPECT_EQ(w.G().Explosions.back().X, 400);
    EXPECT_EQ(w.G().Explosions.back().Y, 100);
}

TEST(DrawingStep, LabelIsDrawnOnLifePlusOneFramesAndAgesOutOfViewToo) {
    Running w;
    RecordingCanvas canvas;
    w.game.SetCanvas(&canvas);
    w.G().InfoLabels = {InfoLabelType{200, 200, 1, "$500", 3, 0x00FFFF}, InfoLabelType{5000, 200, 6, "far", 3, 0x00FFFF}};
    w.Tick(4);
    ASSERT_EQ(w.G().InfoLabels.size(), 2u);
    EXPECT_EQ(w.G().InfoLabels[0].Y, 192);
    EXPECT_EQ(w.G().InfoLabels[0].Life, -1);
    EXPECT_EQ(w.G().InfoLabels[1].X, 5008);
    EXPECT_EQ(w.G().InfoLabels[1].Y, 208);
    const auto drawn = std::count_if(canvas.texts.begin(), canvas.texts.end(), [](const auto& t) { return t.Text == "$500"; });
    EXPECT_EQ(drawn, 36);  // a one-pixel black outline (eight copies) and the yellow text, four frames
    const auto yellow = std::find_if(canvas.texts.begin(), canvas.texts.end(), [](const auto& t) { return t.Color == Rgb{255, 255, 0}; });
    ASSERT_NE(yellow, canvas.texts.end());
    EXPECT_EQ(yellow->X, 200);
    EXPECT_EQ(yellow->Y, 200);
    w.Tick();
    EXPECT_EQ(w.G().InfoLabels.size(), 1u);  // the last expired label goes first
    EXPECT_EQ(w.G().InfoLabels[0].Text, "$500");
}

TEST(DrawingStep, TurretRecoilAndMuzzleFlashShowOnExactlyOneFrame) {
    Running w;
    RecordingCanvas canvas;
    w.game.SetCanvas(&canvas);
    GameObjectType& t = *w.G().Tanks[static_cast<std::size_t>(w.Tank(3, 3, SidePlayer, 8))];
    t.MuzzleX = 80;
    t.MuzzleY = 90;
    const std::uint32_t* turret = w.Lib().Images[4][0][0].Pictures[24].Pixels.data();
    const std::uint32_t* flash = w.Lib().Images[0][6][0].Pictures[0].Pixels.data();
    const auto find = [&](const std::uint32_t* pixels) {
        return std::find_if(canvas.pictures.begin(), canvas.pictures.end(), [&](const auto& p) { return p.Pixels == pixels; });
    };
    w.Tick();
    ASSERT_NE(find(turret), canvas.pictures.end());
    EXPECT_EQ(find(turret)->X, t.X - 2);  // pushed back, away from the east
    EXPECT_EQ(find(turret)->Y, t.Y);
    ASSERT_NE(find(flash), canvas.pictures.end());
    EXPECT_EQ(find(flash)->X, 77);
    EXPECT_EQ(find(flash)->Y, 87);
    EXPECT_EQ(t.MuzzleX, -1);
    canvas.Clear();
    w.Tick();
    EXPECT_EQ(find(turret)->X, t.X);
    EXPECT_EQ(find(flash), canvas.pictures.end());
}

TEST(DrawingStep, MissionHintCountsDownAndBlinksInItsLastFiftyFrames) {
    Running w;
    RecordingCanvas canvas;
    w.game.SetCanvas(&canvas);
    const auto hintShown = [&] {
        return std::any_of(canvas.texts.begin(), canvas.texts.end(), [](const auto& t) {
            return t.Text == "Mission: Destroy all the enemy buildings." && t.X == 0 && t.Y == 0 && t.Color == Rgb{255, 255, 0};
        });
    };
    w.Run().BannerTime = 600;
    w.Tick();
    EXPECT_EQ(w.Run().BannerTime, 599);
    EXPECT_TRUE(hintShown());
    for (const std::int32_t before : {51, 41, 31, 21, 11}) {
        canvas.Clear();
        w.Run().BannerTime = before;
        w.Tick();
        EXPECT_FALSE(hintShown()) << before - 1;
    }
    canvas.Clear();
    w.Run().BannerTime = 50;
    w.Tick();
    EXPECT_TRUE(hintShown());
    canvas.Clear();
    w.Run().BannerTime = 1;
    w.Tick();
    EXPECT_EQ(w.Run().BannerTime, 0);
    EXPECT_FALSE(hintShown());
    w.Tick();
    EXPECT_EQ(w.Run().BannerTime, 0);
}

TEST(DrawingStep, UnderTheTitleNothingOnTheBattlefieldMoves) {
    Running w;
    w.Run().TitleShown = 1;
    w.Run().BannerTime = 600;
    GameObjectType& t = *w.G().Tanks[static_cast<std::size_t>(w.PlayerTank)];
    t.Route = {CellIndex(w.G(), 2, w.G().Rows - 2)};
    t.MuzzleX = 10;
    w.G().Explosions = {ExplosionType{100, 100, 0, 0, 0}};
    w.G().Shots = {ShotType{400, 100, 100, 100, 0, 0xFFFF}};
    RecordingCanvas canvas;
    w.game.SetCanvas(&canvas);
    w.Tick(5);
    EXPECT_EQ(t.Route.size(), 1u);
    EXPECT_EQ(t.DestX, -1);
    EXPECT_EQ(t.MuzzleX, 10);
    EXPECT_EQ(w.G().Explosions[0].X, 100);
    EXPECT_EQ(w.G().Shots[0].X, 100);
    EXPECT_EQ(w.Run().BannerTime, 600);
    EXPECT_EQ(canvas.flips, 5);
    EXPECT_TRUE(canvas.pictures.empty());

    // The editor draws (and so advances) the battlefield even with a title set.
    w.Run().EditMode = 1;
    w.Tick();
    EXPECT_EQ(t.DestX, 2);
    EXPECT_EQ(w.G().Explosions[0].X, 101);
}

TEST(DrawingStep, PausedBattleIsDrawnStandingStillAndGoesOnWhereItStopped) {
    Running w;
    w.Run().BannerTime = 600;
    w.Run().SecondTicks = 0;
    GameObjectType& t = *w.G().Tanks[static_cast<std::size_t>(w.PlayerTank)];
    t.Route = {CellIndex(w.G(), 2, w.G().Rows - 2)};
    w.G().Explosions = {ExplosionType{100, 100, 0, 0, 0}};
    w.G().Shots = {ShotType{400, 100, 100, 100, 0, 0xFFFF}};
    w.G().InfoLabels = {InfoLabelType{200, 200, 1, "$300", 5, 0x00FFFF}};
    RecordingCanvas canvas;
    w.game.SetCanvas(&canvas);
    const auto still = [&](const char* why) {
        EXPECT_EQ(t.DestX, -1) << why;
        EXPECT_EQ(w.G().Explosions[0].X, 100) << why;
        EXPECT_EQ(w.G().Shots[0].X, 100) << why;
        EXPECT_EQ(w.G().InfoLabels[0].Life, 5) << why;
        EXPECT_EQ(w.Run().BannerTime, 600) << why;
        EXPECT_EQ(w.G().GameTime, 0) << why;
    };
    const auto pausedShown = [&] {
        return std::any_of(canvas.texts.begin(), canvas.texts.end(), [](const auto& c) { return c.Text == "Paused"; });
    };

    w.game.SetPaused(true);
    w.Run().HeldArrows = ArrowRight;
    w.Tick(100);
    still("paused by the player");
    EXPECT_TRUE(pausedShown());
    EXPECT_FALSE(canvas.pictures.empty()) << "the battlefield is still drawn";
    EXPECT_EQ(w.G().ViewX, std::min(100 * 24, w.G().MapWidth - w.Run().DisplayWidth)) << "scrolling goes on";
    w.Run().HeldArrows = 0;

    // Focus away and back does not end the player's own pause; P does.
    w.game.SetFocusPaused(true);
    w.game.SetFocusPaused(false);
    w.Tick(40);
    still("the player's pause outlasts the focus");
    w.game.SetPaused(false);
    w.game.SetFocusPaused(true);
    w.Tick(40);
    still("paused while the window is away");
    w.game.SetFocusPaused(false);
    canvas.texts.clear();
    w.Tick();
    EXPECT_EQ(t.DestX, 2) << "the tank goes on";
    w.Tick(39);
    EXPECT_EQ(w.G().GameTime, 1);
    EXPECT_LT(w.Run().BannerTime, 600);
    EXPECT_FALSE(pausedShown());

    // Never in the editing mode.
    w.Run().EditMode = 1;
    w.game.SetPaused(true);
    EXPECT_FALSE(w.game.Paused());
}

TEST(DrawingStep, SurfaceThatCannotBeDrawnOnSkipsTheWholeFrame) {
    Running w;
    RecordingCanvas canvas;
    canvas.drawable = false;
    w.game.SetCanvas(&canvas);
    w.G().Explosions = {ExplosionType{100, 100, 0, 0, 0}};
    GameObjectType& t = *w.G().Tanks[static_cast<std::size_t>(w.PlayerTank)];
    t.MuzzleX = 10;
    w.Tick(3);
    EXPECT_EQ(w.G().Explosions[0].X, 100);
    EXPECT_EQ(t.MuzzleX, 10);
    EXPECT_EQ(canvas.flips, 0);
}

TEST(DrawingStep, AFrameTheCanvasFailsIsNotShownButTheTickAdvancesInFullAndSaysSo) {
    // Two copies of a battle: a tank driving to attack, shells and labels. The
    // canvas of one fails at the first picture of each frame, before any tank
    // has taken its step; the other is drawn.
    Running shown, failed;
    for (Running* w : {&shown, &failed}) {
        w->Tank(3, 3, SidePlayer);
        w->Tank(30, 10, SideComputer);
        GameType& g = w->G();
        g.InfoLabels = {InfoLabelType{200, 200, 1, "$300", 40, 0x00FFFF}};
        const std::int32_t order = AddOrder(g, OrderAttackBuilding, CellIndex(g, g.Columns - 3, 1), OrderNew);
        g.Tanks[static_cast<std::size_t>(w->PlayerTank)]->Order = order;
        SimContext ctx = w->Ctx();
        PlanOrder(ctx, order, true);
    }
    FailingCanvas canvas;
    failed.game.SetCanvas(&canvas);
    const Bytes start = SerializeGame(shown.G());

    testing::internal::CaptureStderr();
    std::vector<std::string> failures;
    for (int tick = 0; tick < 60; ++tick) {
        canvas.failing = tick < 20 || tick >= 40;  // two runs of failing frames
        shown.game.DXTimerTimer();
        failures.push_back(failed.game.DXTimerTimer().FrameFailure);
        ASSERT_EQ(SerializeGame(failed.G()), SerializeGame(shown.G())) << "tick " << tick;
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(SerializeGame(shown.G()), start) << "the battle moved";
    EXPECT_EQ(canvas.flips, 20) << "only the frames drawn are shown";
    for (int tick = 0; tick < 60; ++tick)
        EXPECT_EQ(failures[static_cast<std::size_t>(tick)], tick < 20 || tick >= 40 ? "surface lost" : "") << tick;
    const std::string line = "tavrine: a frame could not be drawn: surface lost\n";
    EXPECT_EQ(errors, line + line) << "once for each run of failing frames";
}

TEST(DrawingStep, SelectedBuildingThatIsGoneIsDeselected) {
    Running w;
    GameCellObjectType& hq = w.Headquarters(5, 5, SidePlayer);
    w.G().SelectedBuilding = CellIndex(w.G(), 5, 5);
    w.Tick();
    EXPECT_EQ(w.G().SelectedBuilding, CellIndex(w.G(), 5, 5));
    hq.Health = 0;
    hq.DestroyTimer = 1;
    w.Tick();
    EXPECT_EQ(w.G().SelectedBuilding, -1);
}

}  // namespace
}  // namespace tavrine::test
