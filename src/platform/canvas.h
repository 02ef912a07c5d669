// The back surface the game draws each frame on: pictures with a transparent
// colour, text, lines and rectangles with a pen and a brush, and the flip that
// shows the finished frame. The desktop program draws into a real buffer; tests
// record the calls; headless runs use the null canvas and take the same path.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrine {

/// A colour as the drawing code writes it: red, green, blue.
struct Rgb {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// A picture to draw: rows top-down, 0xAARRGGBB; pixels with alpha 0 are the
/// transparent colour and leave the surface as it was. The pixels belong to the
/// caller and stay valid for the duration of the call.
struct CanvasPicture {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    const std::uint32_t* Pixels = nullptr;
};

/// A grid of pictures drawn as one layer (the ground, the fog): cell (c, r)
/// shows `Pictures[c * Rows + r]` with its top-left corner at
/// (X + c * CellWidth, Y + r * CellHeight). `Column` and `Row` place the first
/// cell on the map, so a canvas that keeps a layer (`Keep`: the ground, the same
/// from frame to frame but for the cells that change) can tell a view that
/// moved from cells that changed.
struct CanvasCells {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Column = 0;
    std::int32_t Row = 0;
    std::int32_t Columns = 0;
    std::int32_t Rows = 0;
    std::int32_t CellWidth = 0;
    std::int32_t CellHeight = 0;
    const CanvasPicture* Pictures = nullptr;
    bool Keep = false;
};

/// A gamma ramp: red, green and blue, 256 16-bit entries each; entry i says how
/// bright a channel value of i is shown (i * 257 everywhere shows the frame as
/// drawn, all zeros shows black).
using GammaRamp = std::array<std::array<std::uint16_t, 256>, 3>;

enum class PenStyle { Solid, Clear };
enum class BrushStyle { Solid, Clear };

/// A font by family name, size in points, and weight.
struct CanvasFont {
    std::string Name = "MS Sans Serif";
    std::int32_t Size = 8;
    bool Bold = true;

    friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    /// False while the surface cannot be drawn on (no display yet, or it was
    /// lost); the frame is then skipped.
    virtual bool CanDraw() = 0;

    /// Fills the whole back surface with one colour.
    virtual void Fill(Rgb color) = 0;

    /// Draws a picture with its top-left corner at surface pixel (x, y), clipped
    /// to the surface; transparent pixels are skipped.
    virtual void DrawPicture(std::int32_t x, std::int32_t y, const CanvasPicture& picture) = 0;

    /// Draws the pictures of `cells` as `DrawPicture` does, column by column
    /// from the top; pictures without pixels are skipped.
    virtual void DrawCells(const CanvasCells& cells) {
        for (std::int32_t c = 0; c < cells.Columns; ++c)
            for (std::int32_t r = 0; r < cells.Rows; ++r) {
                const CanvasPicture& p = cells.Pictures[static_cast<std::size_t>(c) * static_cast<std::size_t>(cells.Rows) +
                                                        static_cast<std::size_t>(r)];
                if (p.Pixels) DrawPicture(cells.X + c * cells.CellWidth, cells.Y + r * cells.CellHeight, p);
            }
    }

    /// The pen draws lines and rectangle outlines; `width` in pixels.
    virtual void SetPen(Rgb color, std::int32_t width, PenStyle style) = 0;
    /// The brush fills rectangles and, when solid, the background of text.
    virtual void SetBrush(Rgb color, BrushStyle style) = 0;

    virtual void SetFont(const CanvasFont& font) = 0;
    virtual void SetTextColor(Rgb color) = 0;
    /// Draws text with its top-left corner at (x, y) in the current font.
    virtual void TextOut(std::int32_t x, std::int32_t y, std::string_view text) = 0;
    /// The size of a text in the current font, in pixels.
    virtual std::int32_t TextWidth(std::string_view text) = 0;
    virtual std::int32_t TextHeight(std::string_view text) = 0;

    /// Moves the pen without drawing; `LineTo` draws from there with the pen and
    /// leaves the pen at the new point, excluding the end point.
    virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
    virtual void LineTo(std::int32_t x, std::int32_t y) = 0;

    /// A rectangle outlined with the pen and filled with the brush. The corners
    /// are taken as given; a rectangle given right to left or bottom to top covers
    /// the same area.
    virtual void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) = 0;

    /// Darkens or tints the area as `Rectangle` covers it by laying `color` over
    /// it at `opacity` (0 leaves it as it is, 255 covers it); pen and brush stay.
    virtual void Shade(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, Rgb color,
                       std::uint8_t opacity) = 0;

    /// Shows the finished back surface.
    virtual void Flip() = 0;

    /// The ramp the shown frames go through. False when the display offers no
    /// gamma control; the fades are then skipped.
    virtual bool GetGammaRamp(GammaRamp& ramp) = 0;
    /// Takes effect at once, on the frame already shown too (the fades change it
    /// between frames).
    virtual void SetGammaRamp(const GammaRamp& ramp) = 0;
};

/// A surface that can always be drawn on and keeps nothing: headless runs, the
/// benchmarks and tests that only look at the game state. With a gamma ramp it
/// lets the fades run (and draw their frames) as on the desktop's surface.
class NullCanvas : public Canvas {
public:
    explicit NullCanvas(bool gammaRamp = false) : gammaRamp_(gammaRamp) {}
    bool CanDraw() override { return true; }
    void Fill(Rgb) override {}
    void DrawPicture(std::int32_t, std::int32_t, const CanvasPicture&) override {}
    void SetPen(Rgb, std::int32_t, PenStyle) override {}
    void SetBrush(Rgb, BrushStyle) override {}
    void SetFont(const CanvasFont&) override {}
    void SetTextColor(Rgb) override {}
    void TextOut(std::int32_t, std::int32_t, std::string_view) override {}
    std::int32_t TextWidth(std::string_view) override { return 0; }
    std::int32_t TextHeight(std::string_view) override { return 0; }
    void MoveTo(std::int32_t, std::int32_t) override {}
    void LineTo(std::int32_t, std::int32_t) override {}
    void Rectangle(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void Shade(std::int32_t, std::int32_t, std::int32_t, std::int32_t, Rgb, std::uint8_t) override {}
    void Flip() override {}
    bool GetGammaRamp(GammaRamp& ramp) override {
        if (gammaRamp_) ramp = ramp_;
        return gammaRamp_;
    }
    void SetGammaRamp(const GammaRamp& ramp) override { ramp_ = ramp; }

private:
    bool gammaRamp_;
    GammaRamp ramp_{};
};

}  // namespace tavrine
