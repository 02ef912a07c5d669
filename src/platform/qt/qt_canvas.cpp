#include "platform/qt/qt_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/qt/qt_fonts.h"

namespace tavrine::qt {

namespace {

QColor ToQColor(Rgb c) { return QColor(c.R, c.G, c.B); }

GammaRamp IdentityRamp() {
    GammaRamp ramp{};
    for (auto& channel : ramp)
        for (std::size_t i = 0; i < channel.size(); ++i) channel[i] = static_cast<std::uint16_t>(i * 257);
    return ramp;
}

/// The first, last and two middle pixels of a picture.
std::array<std::uint32_t, 4> Samples(const CanvasPicture& p) {
    const auto n = static_cast<std::size_t>(p.Width) * static_cast<std::size_t>(p.Height);
    return {p.Pixels[0], p.Pixels[n / 3], p.Pixels[2 * n / 3], p.Pixels[n - 1]};
}

QString ToQString(std::string_view text) {
    // The game's texts are single-byte; a saved game may carry any byte.
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QImage ToImage(const CanvasPicture& picture) {
    if (picture.Width <= 0 || picture.Height <= 0 || !picture.Pixels) return {};
    QImage image(picture.Width, picture.Height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < picture.Height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        const std::uint32_t* source = picture.Pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.Width);
        // Library pixels are either opaque or the transparent colour, so
        // premultiplying only has to clear the transparent ones.
        for (int x = 0; x < picture.Width; ++x) row[x] = (source[x] >> 24) ? (source[x] | 0xFF000000u) : 0u;
    }
    return image;
}

QtCanvas::QtCanvas(int width, int height) : ramp_(IdentityRamp()) {
    Resize(width, height);
    SetFont(CanvasFont{});
}

QtCanvas::~QtCanvas() { EndPainting(); }

void QtCanvas::Resize(int width, int height) {
    EndPainting();
    back_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
    back_.fill(Qt::black);
    front_ = back_.copy();
    presented_ = front_;
}

void QtCanvas::LoadPictures(const ImageLibrary& library) {
    pictures_.clear();
    for (const auto& group : library.Images)
        for (const auto& subgroup : group)
            for (const auto& list : subgroup)
                for (const Picture& p : list.Pictures)
                    if (p.Width > 0 && p.Height > 0 &&
                        p.Pixels.size() == static_cast<std::size_t>(p.Width) * static_cast<std::size_t>(p.Height)) {
                        const CanvasPicture picture{p.Width, p.Height, p.Pixels.data()};
                        pictures_[p.Pixels.data()] = Converted{ToImage(picture), Samples(picture)};
                    }
}

QPainter& QtCanvas::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(target_ ? target_ : &back_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
    }
    return *painter_;
}

void QtCanvas::EndPainting() {
    if (painter_) painter_->end();
    painter_.reset();
}

void QtCanvas::PaintOn(QImage* target) {
    EndPainting();
    target_ = target;
}

bool QtCanvas::CanDraw() { return !back_.isNull(); }

void QtCanvas::Fill(Rgb color) {
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(target_ ? target_->rect() : back_.rect(), ToQColor(color));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QtCanvas::DrawPicture(std::int32_t x, std::int32_t y, const CanvasPicture& picture) {
    if (picture.Width <= 0 || picture.Height <= 0 || !picture.Pixels) return;
    // Wholly outside: nothing to do (and no conversion of an unknown picture).
    if (x >= back_.width() || y >= back_.height() || std::int64_t{x} + picture.Width <= 0 ||
        std::int64_t{y} + picture.Height <= 0)
        return;
    const auto known = pictures_.find(picture.Pixels);
    if (known != pictures_.end() && known->second.Image.width() == picture.Width &&
        known->second.Image.height() == picture.Height && known->second.Samples == Samples(picture)) {
        Painter().drawImage(x, y, known->second.Image);
        return;
    }
    Painter().drawImage(x, y, ToImage(picture));
}

void QtCanvas::SetPen(Rgb color, std::int32_t width, PenStyle style) {
    penColor_ = ToQColor(color);
    penWidth_ = std::max(width, 1);
    penStyle_ = style;
}

void QtCanvas::SetBrush(Rgb color, BrushStyle style) {
    brushColor_ = ToQColor(color);
    brushStyle_ = style;
}

void QtCanvas::SetFont(const CanvasFont& font) {
    font_ = FontFor(font);
    metrics_.emplace(font_);
}

void QtCanvas::SetTextColor(Rgb color) { textColor_ = ToQColor(color); }

void QtCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
    const QString s = ToQString(text);
    QPainter& p = Painter();
    if (brushStyle_ == BrushStyle::Solid)
        p.fillRect(QRect(x, y, metrics_->horizontalAdvance(s), metrics_->height()), brushColor_);
    p.setFont(font_);
    p.setPen(textColor_);
    p.drawText(QPoint(x, y + metrics_->ascent()), s);
}

std::int32_t QtCanvas::TextWidth(std::string_view text) { return metrics_->horizontalAdvance(ToQString(text)); }

std::int32_t QtCanvas::TextHeight(std::string_view) { return metrics_->height(); }

void QtCanvas::MoveTo(std::int32_t x, std::int32_t y) { penPosition_ = QPoint(x, y); }

void QtCanvas::ThinLine(QPoint from, QPoint to) {
    QPainter& p = Painter();
    const int dx = std::abs(to.x() - from.x()), dy = std::abs(to.y() - from.y());
    // Straight lines as spans; the end point is left out.
    if (dy == 0 || dx == 0) {
        if (dx == 0 && dy == 0) return;
        const int sx = to.x() > from.x() ? 1 : (to.x() < from.x() ? -1 : 0);
        const int sy = to.y() > from.y() ? 1 : (to.y() < from.y() ? -1 : 0);
        const QPoint last = to - QPoint(sx, sy);
        p.fillRect(QRect(from, last).normalized(), penColor_);
        return;
    }
    // Any other slope, point by point, again without the end point.
    QList<QPoint> points;
    points.reserve(std::max(dx, dy));
    const int sx = to.x() > from.x() ? 1 : -1, sy = to.y() > from.y() ? 1 : -1;
    int x = from.x(), y = from.y(), err = dx - dy;
    while (x != to.x() || y != to.y()) {
        points.append(QPoint(x, y));
        const int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
    p.setPen(QPen(penColor_, 1));
    p.drawPoints(points.constData(), static_cast<int>(points.size()));
}

void QtCanvas::LineTo(std::int32_t x, std::int32_t y) {
    const QPoint from = penPosition_, to(x, y);
    penPosition_ = to;
    if (penStyle_ == PenStyle::Clear) return;
    if (penWidth_ <= 1) {
        ThinLine(from, to);
        return;
    }
    QPainter& p = Painter();
    p.setPen(QPen(penColor_, penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
}

void QtCanvas::Shade(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, Rgb color,
                     std::uint8_t opacity) {
    const int x0 = std::min(left, right), x1 = std::max(left, right);
    const int y0 = std::min(top, bottom), y1 = std::max(top, bottom);
    if (x0 == x1 || y0 == y1) return;
    Painter().fillRect(QRect(x0, y0, x1 - x0, y1 - y0), QColor(color.R, color.G, color.B, opacity));
}

void QtCanvas::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    // The rectangle covers left..right-1 and top..bottom-1, whichever way round
    // its corners come.
    const int x0 = std::min(left, right), x1 = std::max(left, right);
    const int y0 = std::min(top, bottom), y1 = std::max(top, bottom);
    if (x0 == x1 || y0 == y1) return;
    QPainter& p = Painter();
    const QRect area(x0, y0, x1 - x0, y1 - y0);
    if (brushStyle_ == BrushStyle::Solid) p.fillRect(area, brushColor_);
    if (penStyle_ == PenStyle::Clear) return;
    // The outline runs along the outermost pixels of the area; a wider pen is
    // centred on them.
    const int w = penWidth_, before = (w - 1) / 2;
    const int xl = x0 - before, xr = x1 - 1 - before, yt = y0 - before, yb = y1 - 1 - before;
    const int spanW = x1 - 1 - x0 + w, spanH = y1 - 1 - y0 + w;
    p.fillRect(QRect(xl, yt, spanW, w), penColor_);
    p.fillRect(QRect(xl, yb, spanW, w), penColor_);
    p.fillRect(QRect(xl, yt, w, spanH), penColor_);
    p.fillRect(QRect(xr, yt, w, spanH), penColor_);
}

void QtCanvas::Flip() {
    EndPainting();
    std::swap(back_, front_);
    ++flips_;
    Present();
}

void QtCanvas::Present() {
    if (identityRamp_) {
        presented_ = front_;
    } else {
        std::array<std::array<std::uint8_t, 256>, 3> lut{};
        for (std::size_t c = 0; c < 3; ++c)
            for (std::size_t i = 0; i < 256; ++i) lut[c][i] = static_cast<std::uint8_t>(ramp_[c][i] >> 8);
        presented_ = QImage(front_.size(), QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < front_.height(); ++y) {
            const auto* source = reinterpret_cast<const std::uint32_t*>(front_.constScanLine(y));
            auto* target = reinterpret_cast<std::uint32_t*>(presented_.scanLine(y));
            for (int x = 0; x < front_.width(); ++x) {
                const std::uint32_t v = source[x];
                target[x] = 0xFF000000u | (std::uint32_t{lut[0][(v >> 16) & 0xFF]} << 16) |
                            (std::uint32_t{lut[1][(v >> 8) & 0xFF]} << 8) | lut[2][v & 0xFF];
            }
        }
    }
    if (onPresent_) onPresent_();
}

bool QtCanvas::GetGammaRamp(GammaRamp& ramp) {
    ramp = ramp_;
    return true;
}

void QtCanvas::SetGammaRamp(const GammaRamp& ramp) {
    ramp_ = ramp;
    identityRamp_ = ramp == IdentityRamp();
    Present();
}

}  // namespace tavrine::qt
