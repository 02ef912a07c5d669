// A canvas that remembers what was drawn, for tests that check pictures, texts,
// lines and rectangles by position, colour and order.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/library.h"
#include "platform/canvas.h"

namespace tavrine::test {

class RecordingCanvas final : public Canvas {
public:
    struct PictureCall {
        std::int32_t X, Y;
        const std::uint32_t* Pixels;  ///< identifies the library picture
        ImageRef Ref;                 ///< the picture's place in the library (see `Identify`); Group -1 when unknown
    };
    struct TextCall {
        std::int32_t X, Y;
        std::string Text;
        Rgb Color;
        CanvasFont Font;
        BrushStyle BrushKind;
    };
    struct RectangleCall {
        std::int32_t Left, Top, Right, Bottom;
        Rgb Brush;
        BrushStyle BrushKind;
        Rgb Pen;
        PenStyle PenKind;
        std::int32_t PenWidth;
    };
    struct LineCall {
        std::int32_t X1, Y1, X2, Y2;
        Rgb Pen;
        std::int32_t PenWidth;
        PenStyle PenKind;
    };
    /// Every call in order, by kind, for tests of what comes before what.
    enum class Kind { Fill, Picture, Text, Rectangle, Line, Flip, Shade };
    struct ShadeCall {
        std::int32_t Left, Top, Right, Bottom;
        Rgb Color;
        std::uint8_t Opacity;
    };

    /// Starts with the identity gamma ramp, as a display does.
    RecordingCanvas() {
        for (auto& channel : gamma)
            for (std::size_t i = 0; i < channel.size(); ++i) channel[i] = static_cast<std::uint16_t>(i * 257);
    }

    /// Names every picture of `library` by its place, so picture calls carry
    /// their ImageRef.
    void Identify(const ImageLibrary& library) {
        names_.clear();
        for (std::size_t g = 0; g < library.Images.size(); ++g)
            for (std::size_t s = 0; s < library.Images[g].size(); ++s)
                for (std::size_t l = 0; l < library.Images[g][s].size(); ++l)
                    for (std::size_t f = 0; f < library.Images[g][s][l].Pictures.size(); ++f)
                        names_[library.Images[g][s][l].Pictures[f].Pixels.data()] =
                            ImageRef{static_cast<std::int32_t>(g), static_cast<std::int32_t>(s), static_cast<std::int32_t>(l),
                                     static_cast<std::int32_t>(f)};
    }

    bool CanDraw() override { return drawable; }
    void Fill(Rgb color) override {
        fills.push_back(color);
        order.push_back(Kind::Fill);
    }
    void DrawPicture(std::int32_t x, std::int32_t y, const CanvasPicture& p) override {
        const auto name = names_.find(p.Pixels);
        pictures.push_back({x, y, p.Pixels, name == names_.end() ? ImageRef{-1, -1, -1, -1} : name->second});
        order.push_back(Kind::Picture);
    }
    void SetPen(Rgb color, std::int32_t width, PenStyle style) override {
        pen_ = color;
        penWidth_ = width;
        penStyle_ = style;
    }
    void SetBrush(Rgb color, BrushStyle style) override {
        brush_ = color;
        brushStyle_ = style;
    }
    void SetFont(const CanvasFont& font) override { font_ = font; }
    void SetTextColor(Rgb color) override { textColor_ = color; }
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override {
        texts.push_back({x, y, std::string(text), textColor_, font_, brushStyle_});
        order.push_back(Kind::Text);
    }
    /// Text sizes that depend on the text and the font size, so layouts can be
    /// checked: 6 pixels per character and 13 rows at size 8, scaled with the size.
    std::int32_t TextWidth(std::string_view text) override { return static_cast<std::int32_t>(text.size()) * 6 * font_.Size / 8; }
    std::int32_t TextHeight(std::string_view) override { return 13 * font_.Size / 8; }
    void MoveTo(std::int32_t x, std::int32_t y) override {
        penX_ = x;
        penY_ = y;
    }
    void LineTo(std::int32_t x, std::int32_t y) override {
        lines.push_back({penX_, penY_, x, y, pen_, penWidth_, penStyle_});
        order.push_back(Kind::Line);
        penX_ = x;
        penY_ = y;
    }
    void Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override {
        rectangles.push_back({l, t, r, b, brush_, brushStyle_, pen_, penStyle_, penWidth_});
        order.push_back(Kind::Rectangle);
    }
    void Shade(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, Rgb color, std::uint8_t opacity) override {
        shades.push_back({l, t, r, b, color, opacity});
        order.push_back(Kind::Shade);
    }
    void Flip() override {
        ++flips;
        order.push_back(Kind::Flip);
    }
    bool GetGammaRamp(GammaRamp& ramp) override {
        if (!gammaControl) return false;
        ramp = gamma;
        return true;
    }
    void SetGammaRamp(const GammaRamp& ramp) override {
        gamma = ramp;
        gammaRamps.push_back(ramp);
    }

    /// Forgets what was drawn so far (the pen, brush and font stay).
    void Clear() {
        pictures.clear();
        texts.clear();
        rectangles.clear();
        lines.clear();
        fills.clear();
        shades.clear();
        order.clear();
    }

    /// The picture calls of one picture list (group, subgroup, list).
    std::vector<PictureCall> PicturesOf(std::int32_t group, std::int32_t subgroup, std::int32_t list) const {
        std::vector<PictureCall> found;
        for (const PictureCall& p : pictures)
            if (p.Ref.Group == group && p.Ref.Subgroup == subgroup && p.Ref.List == list) found.push_back(p);
        return found;
    }

    bool drawable = true;
    int flips = 0;
    std::vector<PictureCall> pictures;
    std::vector<TextCall> texts;
    std::vector<RectangleCall> rectangles;
    std::vector<ShadeCall> shades;
    std::vector<LineCall> lines;
    std::vector<Rgb> fills;
    std::vector<Kind> order;

    /// Gamma: whether the display offers it, the current ramp and every ramp set.
    bool gammaControl = true;
    GammaRamp gamma{};
    std::vector<GammaRamp> gammaRamps;

private:
    std::map<const std::uint32_t*, ImageRef> names_;
    Rgb pen_{};
    std::int32_t penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    Rgb brush_{};
    BrushStyle brushStyle_ = BrushStyle::Solid;
    Rgb textColor_{};
    CanvasFont font_{};
    std::int32_t penX_ = 0;
    std::int32_t penY_ = 0;
};

/// A surface that draws nothing and fails (throws "surface lost") while
/// `failing`: at each picture, or with `atText` at each text instead.
class FailingCanvas final : public NullCanvas {
public:
    void DrawPicture(std::int32_t, std::int32_t, const CanvasPicture&) override { FailIf(!atText); }
    void TextOut(std::int32_t, std::int32_t, std::string_view) override { FailIf(atText); }
    void Flip() override { ++flips; }

    bool failing = true;
    bool atText = false;
    int flips = 0;

private:
    void FailIf(bool here) const {
        if (failing && here) throw std::runtime_error("surface lost");
    }
};

}  // namespace tavrine::test
