#include "view/screens.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tavrine {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kOrange{255, 128, 64};

const CanvasFont kHeadingFont{"Impact", 24, true};
const CanvasFont kStatisticsFont{"Times New Roman", 16, true};

/// Gap between the result heading and the statistics.
constexpr std::int32_t kResultGap = 10;
/// The dark panel under the result reaches this far beyond the text, and keeps
/// this far from the status bar and the top of the screen.
constexpr std::int32_t kResultPanelMargin = 8;
constexpr std::uint8_t kResultPanelOpacity = 170;

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

void DrawMissionEnd(const RunState& run, Canvas& canvas, std::int32_t sw, std::int32_t sh, std::int32_t statusBarHeight,
                    bool offerLoad) {
    if (run.Outcome != OutcomeAccomplished && run.Outcome != OutcomeFailed) return;
    const bool won = run.Outcome == OutcomeAccomplished;
    const std::string_view heading = won ? "Mission Accomplished" : "Mission Failed";
    const std::string_view prompt = offerLoad ? "Click or hit any key to load game..." : "";
    // The ways on that this battle offers, above the prompt and in its style.
    std::vector<std::string_view> offers;
    if (offerLoad && run.ResultOffersNext) offers.push_back(run.ResultOffersNext == kNextIsNewMap ? "N - new map" : "N - next mission");
    if (offerLoad && run.ResultOffersRetry) offers.push_back("R - play again");

    // Measured first, so the panel can be laid under the whole text and the text
    // moved up where a small screen would put its end under the status bar.
    canvas.SetFont(kHeadingFont);
    const std::int32_t tw = canvas.TextWidth(heading), th = canvas.TextHeight(heading);
    canvas.SetFont(kStatisticsFont);
    std::vector<std::int32_t> widths, heights;
    std::int32_t linesHeight = 0;
    for (const std::string& line : run.InfoLines) {
        widths.push_back(canvas.TextWidth(line));
        heights.push_back(canvas.TextHeight(line));
        linesHeight += heights.back();
    }
    std::int32_t pw = canvas.TextWidth(prompt), ph = offerLoad ? canvas.TextHeight(prompt) : 0;
    std::int32_t offersHeight = 0;
    for (const std::string_view offer : offers) {
        pw = std::max(pw, canvas.TextWidth(offer));
        offersHeight += canvas.TextHeight(offer);
    }
    const std::int32_t lastHeight = heights.empty() ? 0 : heights.back();
    const std::int32_t total = th + kResultGap + linesHeight + lastHeight + offersHeight + ph;
    const std::int32_t lowest = sh - statusBarHeight - kResultPanelMargin - total;
    const std::int32_t top = std::max(std::min((sh - th) / 4, lowest), kResultPanelMargin);

    // Lines 0, 1 and 4 (the side headings and the first count) are centred; the
    // others start where line 1 starts.
    const std::int32_t indent = widths.size() > 1 ? (sw - widths[1]) / 2 : 0;
    const auto lineX = [&](std::size_t i) { return i == 0 || i == 1 || i == 4 ? (sw - widths[i]) / 2 : indent; };
    std::int32_t left = std::min((sw - tw) / 2, (sw - pw) / 2), right = std::max((sw + tw) / 2, (sw + pw) / 2);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        left = std::min(left, lineX(i));
        right = std::max(right, lineX(i) + widths[i]);
    }
    canvas.Shade(left - kResultPanelMargin, top - kResultPanelMargin, right + kResultPanelMargin, top + total + kResultPanelMargin,
                 kBlack, kResultPanelOpacity);

    canvas.SetBrush(kBlack, BrushStyle::Clear);
    canvas.SetFont(kHeadingFont);
    std::int32_t y = top;
    Shadowed(canvas, (sw - tw) / 2, y, 3, won ? kOrange : kRed, heading);

    canvas.SetFont(kStatisticsFont);
    y += th + kResultGap;
    for (std::size_t i = 0; i < run.InfoLines.size(); ++i) {
        Shadowed(canvas, lineX(i), y, 2, kOrange, run.InfoLines[i]);
        y += heights[i];
    }
    y += lastHeight;
    for (const std::string_view offer : offers) {
        Shadowed(canvas, (sw - canvas.TextWidth(offer)) / 2, y, 2, kOrange, offer);
        y += canvas.TextHeight(offer);
    }
    if (offerLoad) Shadowed(canvas, (sw - canvas.TextWidth(prompt)) / 2, y, 2, kOrange, prompt);
    canvas.SetFont(kMainFont);
}

}  // namespace tavrine
