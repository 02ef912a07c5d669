#include "view/screens.h"

#include <string>

namespace tavrine {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kOrange{255, 128, 64};

const CanvasFont kHeadingFont{"Impact", 24, true};
const CanvasFont kStatisticsFont{"Times New Roman", 16, true};

/// Gap under the product line and under the rights notice.
constexpr std::int32_t kTitleGap = 10;

/// Text in black with its coloured copy `lift` pixels up and to the left.
void Shadowed(Canvas& c, std::int32_t x, std::int32_t y, std::int32_t lift, Rgb color, std::string_view text) {
    c.SetTextColor(kBlack);
    c.TextOut(x, y, text);
    c.SetTextColor(color);
    c.TextOut(x - lift, y - lift, text);
}

}  // namespace

bool DrawTitle(RunState& run, Canvas& canvas, std::int32_t sw, std::int32_t sh) {
    canvas.Fill(kBlack);
    canvas.SetBrush(kBlack, BrushStyle::Clear);

    canvas.SetFont(kProductFont);
    const std::int32_t h1 = canvas.TextHeight(kProductLine);
    canvas.SetFont(kMainFont);
    std::array<std::int32_t, kTitleNotices.size()> heights{};
    for (std::size_t i = 0; i < kTitleNotices.size(); ++i) heights[i] = canvas.TextHeight(kTitleNotices[i]);

    // The block sits in the middle of the screen: the product line, a gap, the
    // rights notice, a gap, then the addresses line under line.
    const std::int32_t block = h1 + kTitleGap + heights[0] + kTitleGap + heights[1] + heights[2] + heights[3];
    const std::int32_t y1 = (sh - block) / 2;

    canvas.SetFont(kProductFont);
    canvas.SetTextColor(kOrange);
    canvas.TextOut((sw - canvas.TextWidth(kProductLine)) / 2, y1, kProductLine);

    canvas.SetFont(kMainFont);
    canvas.SetTextColor(kWhite);
    std::int32_t y = y1 + h1 + kTitleGap;
    for (std::size_t i = 0; i < kTitleNotices.size(); ++i) {
        canvas.TextOut((sw - canvas.TextWidth(kTitleNotices[i])) / 2, y, kTitleNotices[i]);
        y += heights[i] + (i == 0 ? kTitleGap : 0);
    }

    if (run.LoadOffered) return false;
    ++run.TitleFrames;
    if (run.TitleFrames <= kTitleFramesBeforeLoad) return false;
    run.LoadOffered = 1;
    return true;
}

void DrawMissionEnd(const RunState& run, Canvas& canvas, std::int32_t sw, std::int32_t sh) {
    if (run.Outcome != OutcomeAccomplished && run.Outcome != OutcomeFailed) return;
    const bool won = run.Outcome == OutcomeAccomplished;
    const std::string_view heading = won ? "Mission Accomplished" : "Mission Failed";

    canvas.SetBrush(kBlack, BrushStyle::Clear);
    canvas.SetFont(kHeadingFont);
    const std::int32_t tw = canvas.TextWidth(heading), th = canvas.TextHeight(heading);
    std::int32_t y = (sh - th) / 4;
    Shadowed(canvas, (sw - tw) / 2, y, 3, won ? kOrange : kRed, heading);

    canvas.SetFont(kStatisticsFont);
    y += th + 10;
    // Lines 0, 1 and 4 (the side headings and the first count) are centred; the
    // others start where line 1 starts.
    std::int32_t indent = 0;
    std::int32_t h = 0;
    for (std::size_t i = 0; i < run.InfoLines.size(); ++i) {
        const std::string& line = run.InfoLines[i];
        const std::int32_t w = canvas.TextWidth(line);
        h = canvas.TextHeight(line);
        if (i == 1) indent = (sw - w) / 2;
        const bool centred = i == 0 || i == 1 || i == 4;
        Shadowed(canvas, centred ? (sw - w) / 2 : indent, y, 2, kOrange, line);
        y += h;
    }
    const std::string_view prompt = "Click or hit any key to load game...";
    y += h;
    Shadowed(canvas, (sw - canvas.TextWidth(prompt)) / 2, y, 2, kOrange, prompt);
    canvas.SetFont(kMainFont);
}

}  // namespace tavrine
