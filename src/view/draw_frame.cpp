#include "view/draw_frame.h"

#include <algorithm>

#include <exception>
#include <string>
#include <utility>

#include "view/frame_painter.h"
#include "view/screens.h"

namespace tavrine {

namespace {

/// The canvas a frame is drawn through. It passes every call on to the real
/// canvas until one fails; from then on it draws nothing, so a canvas failure
/// (out of memory for a text, a lost surface) never cuts the frame short: every
/// step the drawing carries (the tanks' steps, shells, explosions, labels,
/// animations) still runs to its end, exactly as on a frame that is shown.
class GuardedCanvas final : public Canvas {
public:
    /// Texts come out `textScale` times their font's size (the interface scale).
    GuardedCanvas(Canvas& canvas, std::int32_t textScale) : canvas_(canvas), textScale_(std::max(textScale, 1)) {}

    /// What the first failing call reported; empty while none failed.
    const std::string& Failure() const { return failure_; }

    bool CanDraw() override { return Pass(&Canvas::CanDraw, false); }
    void Fill(Rgb color) override { Pass(&Canvas::Fill, color); }
    void DrawPicture(std::int32_t x, std::int32_t y, const CanvasPicture& picture) override {
        Pass(&Canvas::DrawPicture, x, y, picture);
    }
    void DrawCells(const CanvasCells& cells) override { Pass(&Canvas::DrawCells, cells); }
    void SetPen(Rgb color, std::int32_t width, PenStyle style) override { Pass(&Canvas::SetPen, color, width, style); }
    void SetBrush(Rgb color, BrushStyle style) override { Pass(&Canvas::SetBrush, color, style); }
    void SetFont(const CanvasFont& font) override {
        if (textScale_ == 1) return Pass(&Canvas::SetFont, font);
        CanvasFont larger = font;
        larger.Size *= textScale_;
        Pass(&Canvas::SetFont, larger);
    }
    void SetTextColor(Rgb color) override { Pass(&Canvas::SetTextColor, color); }
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override { Pass(&Canvas::TextOut, x, y, text); }
    std::int32_t TextWidth(std::string_view text) override { return Pass(&Canvas::TextWidth, std::int32_t{0}, text); }
    std::int32_t TextHeight(std::string_view text) override { return Pass(&Canvas::TextHeight, std::int32_t{0}, text); }
    void MoveTo(std::int32_t x, std::int32_t y) override { Pass(&Canvas::MoveTo, x, y); }
    void LineTo(std::int32_t x, std::int32_t y) override { Pass(&Canvas::LineTo, x, y); }
    void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override {
        Pass(&Canvas::Rectangle, left, top, right, bottom);
    }
    void Shade(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, Rgb color,
               std::uint8_t opacity) override {
        Pass(&Canvas::Shade, left, top, right, bottom, color, opacity);
    }
    void Flip() override { Pass(&Canvas::Flip); }
    bool GetGammaRamp(GammaRamp& ramp) override { return Pass(&Canvas::GetGammaRamp, false, ramp); }
    void SetGammaRamp(const GammaRamp& ramp) override { Pass(&Canvas::SetGammaRamp, ramp); }

private:
    /// A call that returns nothing.
    template <typename... Params, typename... Args>
    void Pass(void (Canvas::*call)(Params...), Args&&... args) {
        if (!failure_.empty()) return;
        try {
            (canvas_.*call)(std::forward<Args>(args)...);
        } catch (const std::exception& e) {
            Fail(e.what());
        }
    }
    /// A call that returns a value: `fallback` once the canvas has failed.
    template <typename R, typename... Params, typename... Args>
    R Pass(R (Canvas::*call)(Params...), R fallback, Args&&... args) {
        if (!failure_.empty()) return fallback;
        try {
            return (canvas_.*call)(std::forward<Args>(args)...);
        } catch (const std::exception& e) {
            Fail(e.what());
            return fallback;
        }
    }
    void Fail(const char* what) { failure_ = what && *what ? what : "the canvas failed"; }

    Canvas& canvas_;
    std::int32_t textScale_ = 1;
    std::string failure_;
};

}  // namespace

FrameResult DrawFrame(SimContext& ctx, Canvas& target, const FrameOptions& options) {
    FrameResult result;
    GuardedCanvas canvas(target, options.TextScale);
    if (!canvas.CanDraw()) {
        result.Failure = canvas.Failure();
        return result;
    }
    if (ctx.Run.EditMode || !ctx.Run.TitleShown) {
        frame::Painter painter{ctx, canvas, options, ctx.Run.DisplayWidth, ctx.Run.DisplayHeight};
        painter.OriginX = options.ShownOrigin ? options.ShownOrigin->X : ctx.G.ViewX;
        painter.OriginY = options.ShownOrigin ? options.ShownOrigin->Y : ctx.G.ViewY;
        painter.DrawWorld();
        painter.DrawOverlay();
    } else {
        // The battlefield stands still under the title.
        result.OfferLoadGame = DrawTitle(ctx.Run, canvas, ctx.Run.DisplayWidth, ctx.Run.DisplayHeight);
    }
    // A frame whose drawing failed part way is not shown; the next draws afresh.
    if (canvas.Failure().empty()) canvas.Flip();
    result.Failure = canvas.Failure();
    return result;
}

}  // namespace tavrine
