#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "support/tick_world.h"
#include "view/frame_painter.h"
#include "view/screens.h"
#include "view/status.h"

namespace tavrine::test {
namespace {

using frame::kBlack, frame::kWhite, frame::kRed;
constexpr Rgb kOrange{255, 128, 64};

// The recording canvas measures 6 pixels per character and 13 rows at size 8,
// scaled with the font size: the product line (size 40) is 30 per character
// and 65 high, the heading (24) 18 and 39, the statistics (16) 12 and 26.

TEST(TitleTest, TheProductLineAndTheNoticesCentredOnBlack) {
    RunState run;
    RecordingCanvas c;
    DrawTitle(run, c, 800, 600);
    ASSERT_EQ(c.fills.size(), 1u);
    EXPECT_EQ(c.fills[0], kBlack);
    EXPECT_EQ(c.order.front(), RecordingCanvas::Kind::Fill);
    ASSERT_EQ(c.texts.size(), 5u);
    const auto& product = c.texts[0];
    EXPECT_EQ(product.Text, "Tavrine");
    EXPECT_EQ(product.Font.Name, "Impact");
    EXPECT_EQ(product.Font.Size, 40);
    EXPECT_EQ(product.X, (800 - 7 * 30) / 2);
    const std::int32_t y1 = (600 - (65 + 10 + 13 + 10 + 13 * 3)) / 2;
    EXPECT_EQ(product.Y, y1);
    // Under it: the rights notice 10 pixels down, another 10, then the addresses
    // line under line, in the main window's font, white.
    const std::int32_t ys[] = {y1 + 65 + 10, y1 + 65 + 10 + 13 + 10, y1 + 65 + 10 + 13 + 10 + 13, y1 + 65 + 10 + 13 + 10 + 26};
    for (std::size_t i = 1; i < 5; ++i) {
        const auto& line = c.texts[i];
        EXPECT_EQ(line.Text, kTitleNotices[i - 1]);
        EXPECT_EQ(line.Font, kMainFont);
        EXPECT_EQ(line.Color, kWhite);
        EXPECT_EQ(line.BrushKind, BrushStyle::Clear);
        EXPECT_EQ(line.X, (800 - static_cast<std::int32_t>(line.Text.size()) * 6) / 2) << line.Text;
        EXPECT_EQ(line.Y, ys[i - 1]) << line.Text;
    }
}

TEST(TitleTest, TheLoadDialogIsOfferedOnThe91stFrameAndOnlyOnce) {
    RunState run;
    RecordingCanvas c;
    for (int frame = 1; frame <= 90; ++frame) ASSERT_FALSE(DrawTitle(run, c, 640, 480)) << frame;
    EXPECT_EQ(run.TitleFrames, 90);
    EXPECT_TRUE(DrawTitle(run, c, 640, 480));
    EXPECT_TRUE(run.LoadOffered);
    EXPECT_FALSE(DrawTitle(run, c, 640, 480));
    EXPECT_EQ(run.TitleFrames, 91) << "no more counting once offered";

    RunState offered;
    offered.LoadOffered = 1;  // the player opened it earlier with a key
    for (int frame = 0; frame < 200; ++frame) ASSERT_FALSE(DrawTitle(offered, c, 640, 480));
}

TEST(TitleTest, TheTickHandsTheOfferOverOnce) {
    TickWorld w(LandRows(40, 30));
    w.Run().TitleShown = 1;
    w.Run().TitleFrames = 89;
    w.Tick();
    EXPECT_FALSE(w.game.TakeLoadGameOffer());
    w.Tick();
    EXPECT_TRUE(w.game.TakeLoadGameOffer());
    EXPECT_FALSE(w.game.TakeLoadGameOffer());
    w.Tick(5);
    EXPECT_FALSE(w.game.TakeLoadGameOffer());
}

struct Result {
    RunState run;
    RecordingCanvas c;
    explicit Result(std::int32_t outcome) {
        run.Outcome = outcome;
        run.InfoLines = {"Enemies",
                         "Buildings: 12, 3 lost",
                         "Tanks: 20, 5 lost",
                         "",
                         "Yours",
                         "Buildings: 4, 0 lost",
                         "Tanks: 9, 1 lost and a good deal more text than line one",
                         "",
                         "Time: 0:12:34"};
        c.SetFont(kMainFont);
        DrawMissionEnd(run, c, 800, 600);
    }
};

TEST(MissionEndTest, AFailedMissionHasARedHeadingAndOrangeStatistics) {
    Result r(OutcomeFailed);
    const auto& t = r.c.texts;
    ASSERT_EQ(t.size(), 2u * (1 + 9 + 1)) << "heading, nine lines, prompt";
    const std::int32_t y = (600 - 39) / 4, x = (800 - 14 * 18) / 2;
    EXPECT_EQ(t[0].Text, "Mission Failed");
    EXPECT_EQ(t[0].Font.Name, "Impact");
    EXPECT_EQ(t[0].Font.Size, 24);
    EXPECT_EQ((std::array{t[0].X, t[0].Y}), (std::array{x, y}));
    EXPECT_EQ(t[0].Color, kBlack);
    EXPECT_EQ((std::array{t[1].X, t[1].Y}), (std::array{x - 3, y - 3}));
    EXPECT_EQ(t[1].Color, kRed);
    EXPECT_EQ(t[1].BrushKind, BrushStyle::Clear);
    for (std::size_t i = 2; i < t.size(); i += 2) {
        EXPECT_EQ(t[i].Color, kBlack);
        EXPECT_EQ(t[i + 1].Color, kOrange);
        EXPECT_EQ(t[i + 1].X, t[i].X - 2);
        EXPECT_EQ(t[i + 1].Y, t[i].Y - 2);
        EXPECT_EQ(t[i].Font.Name, "Times New Roman");
        EXPECT_EQ(t[i].Font.Size, 16);
    }
    EXPECT_EQ(r.c.texts.back().Text, "Click or hit any key to load game...");
}

TEST(MissionEndTest, HeadingsAndTheFirstCountAreCentredTheRestAlignOnIt) {
    Result r(OutcomeAccomplished);
    const auto& t = r.c.texts;
    EXPECT_EQ(t[0].Text, "Mission Accomplished");
    EXPECT_EQ(t[1].Color, kOrange);
    const std::int32_t top = (600 - 39) / 4 + 39 + 10;
    const auto line = [&](std::size_t i) { return t[2 + 2 * i]; };  // the black copy of line i
    const auto centred = [](const std::string& s) { return (800 - static_cast<std::int32_t>(s.size()) * 12) / 2; };
    const std::int32_t indent = centred("Buildings: 12, 3 lost");
    EXPECT_EQ((std::array{line(0).X, line(0).Y}), (std::array{centred("Enemies"), top}));
    EXPECT_EQ((std::array{line(1).X, line(1).Y}), (std::array{indent, top + 26}));
    EXPECT_EQ((std::array{line(2).X, line(2).Y}), (std::array{indent, top + 52}));
    EXPECT_EQ(line(4).X, centred("Yours"));
    EXPECT_EQ(line(5).X, indent);
    EXPECT_EQ(line(6).X, indent) << "a wider line still starts at line 1's edge";
    EXPECT_GT(line(6).X + static_cast<std::int32_t>(line(6).Text.size()) * 12, centred("Buildings: 12, 3 lost") + 240);
    EXPECT_EQ(line(8).Y, top + 8 * 26);
    const auto& prompt = t[t.size() - 2];
    EXPECT_EQ(prompt.Y, top + 10 * 26) << "one more line's height after the last line";
    EXPECT_EQ(prompt.X, centred("Click or hit any key to load game..."));
}

TEST(MissionEndTest, TheTextStandsOnADarkPanelAboveTheStatusBarAtEveryMode) {
    struct Row {
        std::int32_t w, h;
        std::int32_t top;  ///< where the heading starts
    };
    // Eleven statistics lines take 387 pixels: a quarter down is too low at
    // 640 x 480 (the end would reach under the 24-pixel status bar).
    const Row rows[] = {{640, 480, 480 - 24 - 8 - 387}, {800, 600, (600 - 39) / 4}, {1024, 768, (768 - 39) / 4}};
    for (const Row& row : rows) {
        RunState run;
        run.Outcome = OutcomeAccomplished;
        const GameType g;
        BuildInfoLines(g, run);
        ASSERT_EQ(run.InfoLines.size(), 11u);
        RecordingCanvas c;
        DrawMissionEnd(run, c, row.w, row.h, 24);
        ASSERT_EQ(c.shades.size(), 1u);
        ASSERT_EQ(c.order.front(), RecordingCanvas::Kind::Shade) << "the panel lies under the text";
        const auto& panel = c.shades[0];
        EXPECT_EQ(panel.Color, kBlack);
        EXPECT_GT(panel.Opacity, 0);
        EXPECT_LT(panel.Opacity, 255);
        EXPECT_EQ(c.texts[0].Y, row.top) << row.w;
        for (const auto& t : c.texts) {
            const std::int32_t height = t.Font.Name == "Impact" ? 39 : 26;
            const std::int32_t width = static_cast<std::int32_t>(t.Text.size()) * (t.Font.Name == "Impact" ? 18 : 12);
            EXPECT_LE(t.Y + height, row.h - 24) << row.w << " '" << t.Text << "'";
            EXPECT_GE(t.X, panel.Left) << t.Text;
            EXPECT_LE(t.X + width, panel.Right) << t.Text;
            EXPECT_GE(t.Y, panel.Top) << t.Text;
            EXPECT_LE(t.Y + height, panel.Bottom) << t.Text;
        }
    }
}

TEST(MissionEndTest, NothingWhileTheMissionRunsAndTheMainFontAfterwards) {
    Result running(OutcomeRunning);
    EXPECT_TRUE(running.c.texts.empty());
    Result done(OutcomeFailed);
    // The next text drawn uses the main window's font again.
    done.c.TextOut(0, 0, "next");
    EXPECT_EQ(done.c.texts.back().Font, kMainFont);
}

}  // namespace
}  // namespace tavrine::test
