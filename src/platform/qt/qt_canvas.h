// The canvas on a real picture: a QImage back buffer drawn with QPainter, the
// library's pictures converted once to premultiplied images, and the frame shown
// through the gamma ramp so that fades work on any display.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "data/library.h"
#include "platform/canvas.h"

namespace tavrine::qt {

class QtCanvas final : public Canvas {
public:
    /// A black back buffer of `width` by `height` pixels. Needs a
    /// QGuiApplication for its fonts.
    QtCanvas(int width, int height);
    ~QtCanvas() override;

    /// A new size for the back buffer (a display mode change); cleared to black.
    void Resize(int width, int height);
    int Width() const { return back_.width(); }
    int Height() const { return back_.height(); }

    /// Converts every picture of the library to a ready-to-draw image, replacing
    /// the earlier conversions. Call after every load or change of the library:
    /// pictures are found again by the address of their pixels. A picture the
    /// canvas does not know is converted on each draw, which is slower but right.
    void LoadPictures(const ImageLibrary& library);

    /// The last flipped frame as the player sees it: through the gamma ramp.
    const QImage& Presented() const { return presented_; }
    /// Called after each flip and each change of the gamma ramp, to repaint.
    void SetPresentHandler(std::function<void()> handler) { onPresent_ = std::move(handler); }
    /// Frames flipped so far.
    long long Flips() const { return flips_; }
    /// Draws on `target` instead of the back buffer until called with nullptr:
    /// marks laid over a finished picture. The target must outlive the drawing.
    void PaintOn(QImage* target);

    bool CanDraw() override;
    void Fill(Rgb color) override;
    void DrawPicture(std::int32_t x, std::int32_t y, const CanvasPicture& picture) override;
    /// A kept layer comes from a picture of the cells kept between frames: only
    /// cells that changed or came into view are drawn into it, and the part on
    /// the surface is copied in one go. Cells that are not all opaque pictures
    /// of the cell's size are drawn one by one. In other layers, runs of cells
    /// of one colour along a row are filled at once.
    void DrawCells(const CanvasCells& cells) override;
    void SetPen(Rgb color, std::int32_t width, PenStyle style) override;
    void SetBrush(Rgb color, BrushStyle style) override;
    void SetFont(const CanvasFont& font) override;
    void SetTextColor(Rgb color) override;
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t TextWidth(std::string_view text) override;
    std::int32_t TextHeight(std::string_view text) override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
    void Shade(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, Rgb color,
               std::uint8_t opacity) override;
    void Flip() override;
    bool GetGammaRamp(GammaRamp& ramp) override;
    void SetGammaRamp(const GammaRamp& ramp) override;

private:
    QPainter& Painter();
    void EndPainting();
    void Present();
    void ThinLine(QPoint from, QPoint to);
    bool DrawCellsFromKept(const CanvasCells& cells);
    bool DrawCellsByRows(const CanvasCells& cells);

    QImage back_;       ///< drawn on
    QImage front_;      ///< the last flipped frame
    QImage presented_;  ///< front_ through the gamma ramp
    QImage* target_ = nullptr;  ///< drawn on instead of back_ (`PaintOn`)
    std::unique_ptr<QPainter> painter_;
    /// A converted picture and a few of its source pixels, which must still match
    /// for the conversion to be used (a freed picture's address may be reused).
    struct Converted {
        QImage Image;
        std::array<std::uint32_t, 4> Samples{};
        /// Every pixel transparent (drawing it changes nothing), or every pixel
        /// the same opaque colour (drawn as a filled rectangle).
        bool Clear = false;
        bool Solid = false;
    };
    /// The conversion of `picture` if it is still right, or nullptr.
    const Converted* Known(const CanvasPicture& picture) const;
    std::unordered_map<const std::uint32_t*, Converted> pictures_;

    /// The ground kept between frames: the cells from map cell (Column, Row),
    /// `Columns` by `Rows` of them, and which picture each shows (column by
    /// column; no pixels where none is drawn yet).
    struct KeptCells {
        QImage Image;
        std::int32_t Column = 0, Row = 0, Columns = 0, Rows = 0;
        std::int32_t CellWidth = 0, CellHeight = 0;
        struct Shown {
            const std::uint32_t* Pixels = nullptr;
            std::array<std::uint32_t, 4> Samples{};
            friend bool operator==(const Shown&, const Shown&) = default;
        };
        std::vector<Shown> Cells;
    };
    KeptCells kept_;
    /// The conversions of the cells on the surface this frame (reused storage).
    std::vector<const QImage*> cellImages_;

    QColor penColor_{Qt::black};
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    QColor brushColor_{Qt::white};
    BrushStyle brushStyle_ = BrushStyle::Solid;
    QColor textColor_{Qt::black};
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    QPoint penPosition_{0, 0};

    GammaRamp ramp_{};
    bool identityRamp_ = true;
    std::function<void()> onPresent_;
    long long flips_ = 0;
};

/// A library picture as a premultiplied image: its transparent pixels (alpha 0)
/// become fully transparent black.
QImage ToImage(const CanvasPicture& picture);

}  // namespace tavrine::qt
