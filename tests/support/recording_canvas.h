// A canvas that remembers what was drawn, for tests that check pictures, texts
// and rectangles by position.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace tavrine::test {

class RecordingCanvas final : public Canvas {
public:
    struct PictureCall {
        std::int32_t X, Y;
        const std::uint32_t* Pixels;  ///< identifies the library picture
    };
    struct TextCall {
        std::int32_t X, Y;
        std::string Text;
        Rgb Color;
    };
    struct RectangleCall {
        std::int32_t Left, Top, Right, Bottom;
        Rgb Brush;
        BrushStyle BrushKind;
    };

    bool CanDraw() override { return drawable; }
    void Fill(Rgb) override {}
    void DrawPicture(std::int32_t x, std::int32_t y, const CanvasPicture& p) override { pictures.push_back({x, y, p.Pixels}); }
    void SetPen(Rgb, std::int32_t, PenStyle) override {}
    void SetBrush(Rgb color, BrushStyle style) override {
        brush_ = color;
        brushStyle_ = style;
    }
    void SetFont(const CanvasFont&) override {}
    void SetTextColor(Rgb color) override { textColor_ = color; }
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override {
        texts.push_back({x, y, std::string(text), textColor_});
    }
    std::int32_t TextWidth(std::string_view text) override { return static_cast<std::int32_t>(text.size()) * 6; }
    std::int32_t TextHeight(std::string_view) override { return 13; }
    void MoveTo(std::int32_t, std::int32_t) override {}
    void LineTo(std::int32_t, std::int32_t) override {}
    void Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override {
        rectangles.push_back({l, t, r, b, brush_, brushStyle_});
    }
    void Flip() override { ++flips; }

    /// Forgets what was drawn so far.
    void Clear() {
        pictures.clear();
        texts.clear();
        rectangles.clear();
    }

    bool drawable = true;
    int flips = 0;
    std::vector<PictureCall> pictures;
    std::vector<TextCall> texts;
    std::vector<RectangleCall> rectangles;

private:
    Rgb brush_{};
    BrushStyle brushStyle_ = BrushStyle::Solid;
    Rgb textColor_{};
};

}  // namespace tavrine::test
