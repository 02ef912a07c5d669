#include <gtest/gtest.h>

#include <QFontInfo>

#include <algorithm>

#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_fonts.h"

namespace tavrine::qt {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};

/// The presented frame's pixel as 0xRRGGBB.
std::uint32_t At(const QtCanvas& c, int x, int y) { return c.Presented().pixel(x, y) & 0xFFFFFFu; }

/// Pixels of one colour in a region of the presented frame.
int Count(const QtCanvas& c, std::uint32_t rgb, QRect r = QRect(0, 0, 64, 48)) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += At(c, x, y) == rgb;
    return n;
}

TEST(QtCanvasTest, ARectangleLeavesOutItsRightAndBottomEdgeWhicheverWayRound) {
    for (const bool reversed : {false, true}) {
        QtCanvas c(64, 48);
        c.SetPen(kRed, 1, PenStyle::Clear);
        c.SetBrush(kBlue, BrushStyle::Solid);
        if (reversed) c.Rectangle(14, 13, 4, 3);
        else c.Rectangle(4, 3, 14, 13);
        c.Flip();
        EXPECT_EQ(Count(c, 0x0000FF), 100) << "10 x 10 pixels";
        EXPECT_EQ(At(c, 4, 3), 0x0000FFu);
        EXPECT_EQ(At(c, 13, 12), 0x0000FFu);
        EXPECT_EQ(At(c, 14, 12), 0u);
        EXPECT_EQ(At(c, 13, 13), 0u);
    }
}

TEST(QtCanvasTest, AnOutlineWithAClearBrushKeepsTheInside) {
    QtCanvas c(64, 48);
    c.SetPen(kWhite, 1, PenStyle::Solid);
    c.SetBrush(kBlue, BrushStyle::Clear);
    c.Rectangle(20, 20, 10, 10);  // a band drawn from bottom-right to top-left
    c.Flip();
    EXPECT_EQ(Count(c, 0xFFFFFF), 36) << "the border of 10 x 10";
    EXPECT_EQ(At(c, 10, 10), 0xFFFFFFu);
    EXPECT_EQ(At(c, 19, 19), 0xFFFFFFu);
    EXPECT_EQ(At(c, 15, 15), 0u);
    EXPECT_EQ(At(c, 20, 20), 0u);
}

TEST(QtCanvasTest, ALineLeavesOutItsEndPoint) {
    QtCanvas c(64, 48);
    c.SetPen(kRed, 1, PenStyle::Solid);
    c.MoveTo(5, 5);
    c.LineTo(5, 11);   // down: 6 pixels
    c.LineTo(11, 11);  // right: 6 pixels, starting on the corner
    c.MoveTo(20, 20);
    c.LineTo(30, 25);  // slanted: 10 pixels
    c.Flip();
    EXPECT_EQ(Count(c, 0xFF0000, QRect(0, 0, 15, 15)), 12);
    EXPECT_EQ(At(c, 5, 5), 0xFF0000u);
    EXPECT_EQ(At(c, 11, 11), 0u);
    EXPECT_EQ(Count(c, 0xFF0000, QRect(16, 16, 20, 15)), 10);
    EXPECT_EQ(At(c, 30, 25), 0u);
}

TEST(QtCanvasTest, PicturesSkipTheirTransparentPixelsAndAreClipped) {
    // 4 x 2: green, transparent, white, green / transparent, transparent, white, green.
    const std::vector<std::uint32_t> pixels = {0xFF00FF00, 0x00FF00FF, 0xFFFFFFFF, 0xFF00FF00,
                                               0x00FF00FF, 0x00FF00FF, 0xFFFFFFFF, 0xFF00FF00};
    ImageLibrary lib;
    lib.Images.resize(1);
    lib.Images[0].resize(1);
    lib.Images[0][0].resize(1);
    lib.Images[0][0][0].Pictures.push_back(Picture{4, 2, pixels, {}});
    const Picture& p = lib.Images[0][0][0].Pictures[0];

    for (const bool known : {true, false}) {
        QtCanvas c(64, 48);
        if (known) c.LoadPictures(lib);
        c.Fill(kBlue);
        c.DrawPicture(10, 10, CanvasPicture{p.Width, p.Height, p.Pixels.data()});
        c.DrawPicture(-2, -1, CanvasPicture{p.Width, p.Height, p.Pixels.data()});  // partly off the top-left
        c.DrawPicture(62, 47, CanvasPicture{p.Width, p.Height, p.Pixels.data()});  // partly off the bottom-right
        c.DrawPicture(200, 10, CanvasPicture{p.Width, p.Height, p.Pixels.data()});  // wholly outside
        c.Flip();
        SCOPED_TRACE(known ? "converted at load" : "converted when drawn");
        EXPECT_EQ(At(c, 10, 10), 0x00FF00u);
        EXPECT_EQ(At(c, 11, 10), 0x0000FFu) << "transparent: the background shows";
        EXPECT_EQ(At(c, 12, 10), 0xFFFFFFu);
        EXPECT_EQ(At(c, 10, 11), 0x0000FFu);
        EXPECT_EQ(At(c, 0, 0), 0xFFFFFFu) << "pixel (2, 1) of the clipped copy";
        EXPECT_EQ(At(c, 1, 0), 0x00FF00u);
        EXPECT_EQ(At(c, 62, 47), 0x00FF00u);
        EXPECT_EQ(At(c, 63, 47), 0x0000FFu);
    }
}

TEST(QtCanvasTest, APictureChangedSinceItsConversionIsDrawnAsItIsNow) {
    ImageLibrary lib;
    lib.Images.resize(1);
    lib.Images[0].resize(1);
    lib.Images[0][0].resize(1);
    lib.Images[0][0][0].Pictures.push_back(Picture{3, 3, std::vector<std::uint32_t>(9, 0xFF00FF00u), {}});
    Picture& p = lib.Images[0][0][0].Pictures[0];
    QtCanvas c(16, 16);
    c.LoadPictures(lib);
    // The same address and size, other pixels: as when the library was edited or
    // reloaded without converting again.
    std::fill(p.Pixels.begin(), p.Pixels.end(), 0xFFFF0000u);
    c.DrawPicture(2, 2, CanvasPicture{p.Width, p.Height, p.Pixels.data()});
    c.Flip();
    EXPECT_EQ(At(c, 3, 3), 0xFF0000u);
}

TEST(QtCanvasTest, TheKeptGroundDrawsWhatTheCellsDrawnOneByOneDraw) {
    // Ground pictures of 12 x 10: four opaque patterns, one of a single colour
    // and one with a transparent pixel (drawn one by one whenever in view).
    constexpr int kW = 12, kH = 10, kColumns = 40, kRows = 30;
    ImageLibrary lib;
    lib.Images.assign(1, std::vector<std::vector<PictureList>>(1, std::vector<PictureList>(1)));
    auto& pictures = lib.Images[0][0][0].Pictures;
    for (std::uint32_t k = 0; k < 6; ++k) {
        Picture p{kW, kH, std::vector<std::uint32_t>(kW * kH), {}};
        for (std::uint32_t i = 0; i < p.Pixels.size(); ++i)
            p.Pixels[i] = k == 4 ? 0xFF336699u : 0xFF000000u | (k * 50) << 16 | (i % kW * 20) << 8 | i / kW * 25;
        if (k == 5) p.Pixels[7] = 0;
        pictures.push_back(p);
    }
    std::vector<int> map(kColumns * kRows);
    for (int i = 0; i < kColumns * kRows; ++i) map[i] = (i * 7 + i / 5) % 5;
    QtCanvas kept(100, 70), plain(100, 70);
    kept.LoadPictures(lib);
    plain.LoadPictures(lib);
    // The view scrolls a little and far, starts left of the map, a cell changes
    // under it, a picture that cannot be kept comes into view and goes, and a
    // cell is left out.
    struct Step {
        int X, Y, Changed, To;
    };
    const Step steps[] = {{0, 0, -1, 0},   {5, 3, -1, 0},    {17, 9, 3 * kRows + 2, 4}, {-20, -7, -1, 0},
                          {90, 70, -1, 0}, {300, 200, -1, 0}, {95, 71, 9 * kRows + 8, 5}, {95, 71, 9 * kRows + 8, 3},
                          {60, 40, 6 * kRows + 5, -1}, {61, 41, -1, 0}};
    for (int n = 0; n < static_cast<int>(std::size(steps)); ++n) {
        const Step& s = steps[n];
        if (s.Changed >= 0) map[s.Changed] = s.To;
        const int column = std::max(s.X / kW - 1, 0), row = std::max(s.Y / kH - 1, 0);
        const int columns = std::min(kColumns - column, 100 / kW + 3), rows = std::min(kRows - row, 70 / kH + 3);
        std::vector<CanvasPicture> cells;
        for (int c = column; c < column + columns; ++c)
            for (int r = row; r < row + rows; ++r) {
                // -1: a cell left as it is (the fog will cover it).
                const int k = map[c * kRows + r];
                cells.push_back(k < 0 ? CanvasPicture{} : CanvasPicture{kW, kH, pictures[k].Pixels.data()});
            }
        const CanvasCells layer{column * kW - s.X, row * kH - s.Y, column, row, columns, rows, kW, kH, cells.data(), true};
        for (QtCanvas* c : {&kept, &plain}) c->Fill(Rgb{static_cast<std::uint8_t>(n * 20), 40, 90});
        kept.DrawCells(layer);
        plain.Canvas::DrawCells(layer);
        kept.Flip();
        plain.Flip();
        EXPECT_TRUE(kept.Presented() == plain.Presented()) << "step " << n;
    }
}

TEST(QtCanvasTest, TextIsPlacedByItsTopLeftAndHasABackgroundOnlyWithASolidBrush) {
    QtCanvas c(200, 60);
    c.SetFont(CanvasFont{"MS Sans Serif", 8, true});
    c.SetTextColor(kWhite);
    const int w = c.TextWidth("HHHH"), h = c.TextHeight("HHHH");
    EXPECT_GT(w, 20);
    EXPECT_GE(h, 11);
    c.SetBrush(kBlue, BrushStyle::Clear);
    c.TextOut(10, 5, "HHHH");
    c.SetBrush(kBlue, BrushStyle::Solid);
    c.TextOut(10, 30, "HHHH");
    c.Flip();
    QRect ink;
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 200; ++x)
            if (At(c, x, y) != 0) ink |= QRect(x, y, 1, 1);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.left(), 12);
    EXPECT_GE(ink.top(), 5);
    EXPECT_LT(ink.bottom(), 5 + h);
    EXPECT_LE(ink.right(), 10 + w);
    EXPECT_EQ(Count(c, 0x0000FF, QRect(0, 0, 200, 28)), 0) << "a clear brush leaves the background";
    EXPECT_EQ(At(c, 10, 30), 0x0000FFu) << "a solid brush fills the text's box";
    EXPECT_EQ(At(c, 10 + w - 1, 30 + h - 1), 0x0000FFu);
    EXPECT_EQ(At(c, 10 + w, 30), 0u);
}

TEST(QtCanvasTest, TheClassicFontsHaveDebianStandIns) {
    EXPECT_EQ(QFontInfo(FontFor(CanvasFont{"MS Sans Serif", 8, true})).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(FontFor(CanvasFont{"Times New Roman", 16, true})).family(), "Liberation Serif");
    const QFont impact = FontFor(CanvasFont{"Impact", 24, false});
    EXPECT_TRUE(QFontInfo(impact).family().startsWith("DejaVu Sans"));
    EXPECT_TRUE(QFontInfo(impact).bold());
    EXPECT_EQ(QFontInfo(impact).pixelSize(), 32) << "24 points at 96 dots per inch";
    // The condensed face is narrower than the plain one.
    QFont plain = impact;
    plain.setFamily("DejaVu Sans");
    plain.setStretch(QFont::Unstretched);
    EXPECT_LT(QFontMetrics(impact).horizontalAdvance("Mission"), QFontMetrics(plain).horizontalAdvance("Mission"));
}

TEST(QtCanvasTest, ThePresentedFrameGoesThroughTheGammaRamp) {
    QtCanvas c(16, 16);
    int presents = 0;
    c.SetPresentHandler([&] { ++presents; });
    c.Fill(Rgb{200, 100, 50});
    c.Flip();
    EXPECT_EQ(At(c, 3, 3), 0xC86432u);
    EXPECT_EQ(presents, 1);

    GammaRamp ramp{};
    ASSERT_TRUE(c.GetGammaRamp(ramp));
    EXPECT_EQ(ramp[1][255], 0xFFFF) << "starts as identity";
    GammaRamp half = ramp;
    for (auto& channel : half)
        for (auto& v : channel) v = static_cast<std::uint16_t>(v / 2);
    c.SetGammaRamp(half);
    EXPECT_EQ(presents, 2) << "a ramp change shows at once, without a new frame";
    EXPECT_EQ(At(c, 3, 3), 0x643219u);

    GammaRamp black{};
    c.SetGammaRamp(black);
    EXPECT_EQ(At(c, 3, 3), 0u);
    c.Fill(kWhite);
    c.Flip();
    EXPECT_EQ(At(c, 3, 3), 0u) << "the ramp stays until it is set again";
    c.SetGammaRamp(ramp);
    EXPECT_EQ(At(c, 3, 3), 0xFFFFFFu);
}

TEST(QtCanvasTest, AFlipShowsTheFrameAndDrawingGoesOnInTheBackBuffer) {
    QtCanvas c(16, 16);
    c.Fill(kRed);
    c.Flip();
    c.Fill(kBlue);
    EXPECT_EQ(At(c, 0, 0), 0xFF0000u) << "the next frame is not shown before its flip";
    c.Flip();
    EXPECT_EQ(At(c, 0, 0), 0x0000FFu);
    EXPECT_EQ(c.Flips(), 2);
}

}  // namespace
}  // namespace tavrine::qt
