// Watching a replay headless: the viewer's keys, speed, pause and scrolling drive
// the playback and the picture but never the battle, and the marks drawn over the
// picture leave the mission hint readable and offer no game to load.
#include <gtest/gtest.h>

#include <string>

#include "game/replay_viewer.h"
#include "state/new_map.h"
#include "support/recording_canvas.h"
#include "view/panel_layout.h"

namespace tavrine {
namespace {

/// A new 80 by 60 battle watched on a 640 by 480 surface, 300 ticks long.
Replay Battle() {
    GameType g;
    RunState run;
    NewMap(g, run, 80, 60, 1, 2);
    Replay r;
    r.Start.Version = "0.1";
    r.Start.NewGame = true;
    r.Start.ViewWidth = 640;
    r.Start.ViewHeight = 480;
    r.Start.GameFile = SerializeGame(g);
    r.End.Ticks = 300;
    return r;
}

/// The area a recorded text covers, as the recording canvas measures text.
struct Box {
    std::int32_t Left, Top, Right, Bottom;
    bool Overlaps(const Box& o) const { return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom; }
};
Box BoxOf(const test::RecordingCanvas::TextCall& t) {
    return {t.X, t.Y, t.X + static_cast<std::int32_t>(t.Text.size()) * 6 * t.Font.Size / 8, t.Y + 13 * t.Font.Size / 8};
}

TEST(ReplayViewer, PlaysAtTheViewersSpeedAndDrawsTheirMarks) {
    ScriptHost host(true);
    Game game(GamePaths::Portable("/nonexistent-tavrine-folder"), host, 1);
    test::RecordingCanvas canvas;
    game.SetCanvas(&canvas);
    ReplayViewer viewer(game, host, Battle());
    // The window's display set-up leaves the picture black for a fade-in; this
    // battle was recorded without fades, so its start shows the picture.
    game.ReadSavedGamma();
    const GammaRamp shown = canvas.gamma;
    canvas.gamma = GammaRamp{};
    std::string error;
    ASSERT_TRUE(viewer.Start(error)) << error;
    EXPECT_EQ(canvas.gamma, shown);
    const ReplayPlayer& player = viewer.Player();
    const auto press = [&](GameKey key) {
        const bool leaves = viewer.Key(key, true);
        viewer.Key(key, false);
        return leaves;
    };
    const auto frames = [&](int n) {
        for (int i = 0; i < n; ++i) viewer.Frame();
    };

    frames(1);
    EXPECT_EQ(player.Ticks(), 1);
    // Plus doubles the ticks a frame up to 8, Minus halves them down to 1.
    const std::pair<GameKey, int> speeds[] = {{GameKey::Plus, 2},  {GameKey::Plus, 4},  {GameKey::Plus, 8},
                                              {GameKey::Plus, 8},  {GameKey::Minus, 4}, {GameKey::Minus, 2},
                                              {GameKey::Minus, 1}, {GameKey::Minus, 1}, {GameKey::Plus, 2}};
    for (const auto& [key, speed] : speeds) {
        EXPECT_FALSE(press(key));
        EXPECT_EQ(viewer.Speed(), speed);
    }
    frames(2);
    EXPECT_EQ(player.Ticks(), 5);
    EXPECT_EQ(viewer.StatusText(), "Replay x2");

    // Paused, no tick runs; the arrows scroll the viewer's picture, not the game's view.
    press(GameKey::Space);
    EXPECT_EQ(viewer.StatusText(), "Replay paused - Space goes on");
    const std::int32_t gameViewX = game.Record().ViewX;
    viewer.Key(GameKey::Right, true);
    frames(2);
    canvas.Clear();
    const int flips = canvas.flips;
    frames(1);
    viewer.Key(GameKey::Right, false);
    EXPECT_EQ(player.Ticks(), 5);
    ASSERT_TRUE(viewer.View().Shown());
    EXPECT_EQ(viewer.View().Shown()->X, 3 * game.Run().ScrollStep);
    EXPECT_EQ(game.Record().ViewX, gameViewX);
    EXPECT_EQ(canvas.flips, flips + 1) << "a still frame follows the viewer's scrolling";

    // Over that frame: the player's pointer, and the status line at the top right,
    // clear of the mission hint at the top left.
    const std::size_t frameTexts = canvas.texts.size();
    viewer.DrawOverlay(canvas);
    const RunState& run = game.Run();
    const std::int32_t px = run.MouseMapX - 3 * run.ScrollStep, py = run.MouseMapY;
    ASSERT_GE(canvas.lines.size(), 2u);
    EXPECT_EQ(canvas.lines[canvas.lines.size() - 2].X1, px - 6);
    EXPECT_EQ(canvas.lines[canvas.lines.size() - 2].Y1, py);
    ASSERT_EQ(canvas.texts.size(), frameTexts + 1);
    const auto& status = canvas.texts.back();
    EXPECT_EQ(status.Text, "Replay paused - Space goes on");
    EXPECT_EQ(BoxOf(status).Right, 640 - 8);
    int hints = 0;
    for (std::size_t i = 0; i < frameTexts; ++i)
        if (canvas.texts[i].Text.rfind("Mission: ", 0) == 0) {
            ++hints;
            EXPECT_FALSE(BoxOf(status).Overlaps(BoxOf(canvas.texts[i])));
        }
    EXPECT_GT(hints, 0) << "the hint is shown in this frame";

    // F follows the player again; a press on the minimap moves the viewer's view.
    press(GameKey::F);
    EXPECT_FALSE(viewer.View().Shown());
    const PanelRect minimap = MinimapPictureRect(game.View().Panels);
    ASSERT_TRUE(game.View().Panels.MinimapVisible);
    viewer.Mouse(minimap.Left + minimap.Width - 1, minimap.Top + minimap.Height - 1, true, true);
    viewer.Mouse(minimap.Left + minimap.Width - 1, minimap.Top + minimap.Height - 1, false, false);
    ASSERT_TRUE(viewer.View().Shown());
    EXPECT_GT(viewer.View().Shown()->Y, 0);
    EXPECT_EQ(game.Record().ViewX, gameViewX);

    // Played to its end at top speed; then the result screen offers no load.
    press(GameKey::Space);
    for (int i = 0; i < 3; ++i) press(GameKey::Plus);
    frames(40);
    EXPECT_TRUE(player.Over());
    EXPECT_EQ(player.Ticks(), 300);
    EXPECT_EQ(viewer.StatusText(), "Replay over - Escape leaves");
    game.Run().Outcome = OutcomeAccomplished;
    press(GameKey::F);
    canvas.Clear();
    frames(1);
    bool heading = false;
    for (const auto& t : canvas.texts) {
        heading = heading || t.Text == "Mission Accomplished";
        EXPECT_EQ(t.Text.find("load"), std::string::npos) << t.Text;
    }
    EXPECT_TRUE(heading);
    EXPECT_TRUE(press(GameKey::Escape)) << "Escape leaves";
}

}  // namespace
}  // namespace tavrine
