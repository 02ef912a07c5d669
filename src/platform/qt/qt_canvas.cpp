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
    bool opaque = true;
    for (int y = 0; y < picture.Height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        const std::uint32_t* source = picture.Pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.Width);
        // Library pixels are either opaque or the transparent colour, so
        // premultiplying only has to clear the transparent ones.
        for (int x = 0; x < picture.Width; ++x) {
            row[x] = (source[x] >> 24) ? (source[x] | 0xFF000000u) : 0u;
            opaque = opaque && row[x] != 0u;
        }
    }
    // A picture without a transparent pixel (the ground, most of every frame)
    // is drawn by copying rather than blending, the same pixels either way.
    if (opaque) image.reinterpretAsFormat(QImage::Format_RGB32);
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
    // The kept ground knows its pictures by address, which a new library may reuse.
    kept_ = KeptCells{};
    for (const auto& group : library.Images)
        for (const auto& subgroup : group)
            for (const auto& list : subgroup)
                for (const Picture& p : list.Pictures)
                    if (p.Width > 0 && p.Height > 0 &&
                        p.Pixels.size() == static_cast<std::size_t>(p.Width) * static_cast<std::size_t>(p.Height)) {
                        const CanvasPicture picture{p.Width, p.Height, p.Pixels.data()};
                        Converted& c = pictures_[p.Pixels.data()];
                        c = Converted{ToImage(picture), Samples(picture)};
                        const std::uint32_t first = c.Image.pixel(0, 0);
                        bool same = true;
                        for (int y = 0; y < c.Image.height() && same; ++y) {
                            const auto* row = reinterpret_cast<const std::uint32_t*>(c.Image.constScanLine(y));
                            for (int x = 0; x < c.Image.width() && same; ++x) same = row[x] == first;
                        }
                        c.Clear = same && first == 0u && c.Image.format() != QImage::Format_RGB32;
                        c.Solid = same && c.Image.format() == QImage::Format_RGB32;
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
    if (const Converted* known = Known(picture)) {
        if (known->Clear) return;
        if (known->Solid) Painter().fillRect(QRect(x, y, picture.Width, picture.Height), known->Image.pixel(0, 0));
        else Painter().drawImage(x, y, known->Image);
        return;
    }
    Painter().drawImage(x, y, ToImage(picture));
}

const QtCanvas::Converted* QtCanvas::Known(const CanvasPicture& picture) const {
    const auto known = pictures_.find(picture.Pixels);
    if (known != pictures_.end() && known->second.Image.width() == picture.Width &&
        known->second.Image.height() == picture.Height && known->second.Samples == Samples(picture))
        return &known->second;
    return nullptr;
}

void QtCanvas::DrawCells(const CanvasCells& cells) {
    if (!(cells.Keep ? DrawCellsFromKept(cells) : DrawCellsByRows(cells))) Canvas::DrawCells(cells);
}

namespace {

/// The cells of a layer that reach a surface of `width` by `height`; the
/// others would be clipped away whole. Empty when none does.
struct OnSurface {
    std::int64_t C0 = 0, R0 = 0, C1 = -1, R1 = -1;
    bool Empty() const { return C0 > C1 || R0 > R1; }
};

OnSurface CellsOnSurface(const CanvasCells& cells, int width, int height) {
    const std::int64_t cw = cells.CellWidth, ch = cells.CellHeight;
    const auto firstOn = [](std::int64_t origin, std::int64_t cell) { return origin >= 0 ? std::int64_t{0} : (-origin) / cell; };
    const auto lastOn = [](std::int64_t origin, std::int64_t cell, std::int64_t side) {
        return origin > side - 1 ? std::int64_t{-1} : (side - 1 - origin) / cell;
    };
    return {firstOn(cells.X, cw), firstOn(cells.Y, ch), std::min<std::int64_t>(cells.Columns - 1, lastOn(cells.X, cw, width)),
            std::min<std::int64_t>(cells.Rows - 1, lastOn(cells.Y, ch, height))};
}

}  // namespace

bool QtCanvas::DrawCellsByRows(const CanvasCells& cells) {
    const std::int64_t cw = cells.CellWidth, ch = cells.CellHeight;
    if (target_ || cw <= 0 || ch <= 0 || cells.Columns <= 0 || cells.Rows <= 0) return false;
    const OnSurface on = CellsOnSurface(cells, back_.width(), back_.height());
    if (on.Empty()) return true;
    const auto at = [&](std::int64_t c, std::int64_t r) -> const CanvasPicture& {
        return cells.Pictures[static_cast<std::size_t>(c * cells.Rows + r)];
    };
    // Pictures of the cell's size never overlap, so the order they are drawn in
    // does not matter.
    for (std::int64_t c = on.C0; c <= on.C1; ++c)
        for (std::int64_t r = on.R0; r <= on.R1; ++r) {
            const CanvasPicture& p = at(c, r);
            if (p.Pixels && (p.Width != cw || p.Height != ch)) return false;
        }
    for (std::int64_t r = on.R0; r <= on.R1; ++r)
        for (std::int64_t c = on.C0; c <= on.C1;) {
            const CanvasPicture& p = at(c, r);
            const std::int32_t x = static_cast<std::int32_t>(cells.X + c * cw), y = static_cast<std::int32_t>(cells.Y + r * ch);
            const Converted* known = p.Pixels ? Known(p) : nullptr;
            if (!known || !known->Solid) {
                if (p.Pixels) DrawPicture(x, y, p);
                ++c;
                continue;
            }
            std::int64_t end = c + 1;
            while (end <= on.C1 && at(end, r).Pixels == p.Pixels && Known(at(end, r)) == known) ++end;
            Painter().fillRect(QRect(x, y, static_cast<int>((end - c) * cw), static_cast<int>(ch)), known->Image.pixel(0, 0));
            c = end;
        }
    return true;
}

bool QtCanvas::DrawCellsFromKept(const CanvasCells& cells) {
    const std::int64_t cw = cells.CellWidth, ch = cells.CellHeight;
    if (target_ || cw <= 0 || ch <= 0 || cells.Columns <= 0 || cells.Rows <= 0) return false;
    const OnSurface on = CellsOnSurface(cells, back_.width(), back_.height());
    if (on.Empty()) return true;
    const std::int64_t c0 = on.C0, r0 = on.R0, c1 = on.C1, r1 = on.R1;

    // Every cell on the surface an opaque picture of the cell's size, converted,
    // or none (left as it is).
    cellImages_.clear();
    bool gaps = false;
    for (std::int64_t c = c0; c <= c1; ++c)
        for (std::int64_t r = r0; r <= r1; ++r) {
            const CanvasPicture& p = cells.Pictures[static_cast<std::size_t>(c * cells.Rows + r)];
            if (!p.Pixels) {
                gaps = true;
                cellImages_.push_back(nullptr);
                continue;
            }
            if (p.Width != cw || p.Height != ch) return false;
            const Converted* known = Known(p);
            if (!known || known->Image.format() != QImage::Format_RGB32) return false;
            cellImages_.push_back(&known->Image);
        }

    // The map cells wanted, with room around them so a scrolling view seldom
    // needs a new picture; the cells both pictures hold are carried over.
    const std::int64_t column = cells.Column + c0, row = cells.Row + r0;
    const std::int64_t columns = c1 - c0 + 1, rows = r1 - r0 + 1;
    const bool inside = kept_.CellWidth == cw && kept_.CellHeight == ch && column >= kept_.Column &&
                        row >= kept_.Row && column + columns <= std::int64_t{kept_.Column} + kept_.Columns &&
                        row + rows <= std::int64_t{kept_.Row} + kept_.Rows;
    if (!inside) {
        constexpr std::int64_t kRoom = 4;
        const std::int64_t newColumns = columns + 2 * kRoom, newRows = rows + 2 * kRoom;
        // No picture larger than a few times the surface.
        if (newColumns * cw * newRows * ch > 4 * std::int64_t{back_.width() + 512} * (back_.height() + 512)) return false;
        KeptCells next;
        next.Image = QImage(static_cast<int>(newColumns * cw), static_cast<int>(newRows * ch),
                            QImage::Format_ARGB32_Premultiplied);
        if (next.Image.isNull()) return false;
        next.Column = static_cast<std::int32_t>(column - kRoom);
        next.Row = static_cast<std::int32_t>(row - kRoom);
        next.Columns = static_cast<std::int32_t>(newColumns);
        next.Rows = static_cast<std::int32_t>(newRows);
        next.CellWidth = static_cast<std::int32_t>(cw);
        next.CellHeight = static_cast<std::int32_t>(ch);
        next.Cells.assign(static_cast<std::size_t>(newColumns * newRows), KeptCells::Shown{});
        if (kept_.CellWidth == cw && kept_.CellHeight == ch && !kept_.Image.isNull()) {
            const std::int64_t left = std::max<std::int64_t>(next.Column, kept_.Column);
            const std::int64_t top = std::max<std::int64_t>(next.Row, kept_.Row);
            const std::int64_t right = std::min<std::int64_t>(std::int64_t{next.Column} + next.Columns, std::int64_t{kept_.Column} + kept_.Columns);
            const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{next.Row} + next.Rows, std::int64_t{kept_.Row} + kept_.Rows);
            if (left < right && top < bottom) {
                QPainter copy(&next.Image);
                copy.setCompositionMode(QPainter::CompositionMode_Source);
                copy.drawImage(QPoint(static_cast<int>((left - next.Column) * cw), static_cast<int>((top - next.Row) * ch)),
                               kept_.Image,
                               QRect(static_cast<int>((left - kept_.Column) * cw), static_cast<int>((top - kept_.Row) * ch),
                                     static_cast<int>((right - left) * cw), static_cast<int>((bottom - top) * ch)));
                for (std::int64_t c = left; c < right; ++c)
                    for (std::int64_t r = top; r < bottom; ++r)
                        next.Cells[static_cast<std::size_t>((c - next.Column) * next.Rows + (r - next.Row))] =
                            kept_.Cells[static_cast<std::size_t>((c - kept_.Column) * kept_.Rows + (r - kept_.Row))];
            }
        }
        kept_ = std::move(next);
    }

    // Cells that show another picture than the kept one are drawn into it.
    std::optional<QPainter> into;
    std::size_t n = 0;
    for (std::int64_t c = c0; c <= c1; ++c)
        for (std::int64_t r = r0; r <= r1; ++r, ++n) {
            const CanvasPicture& p = cells.Pictures[static_cast<std::size_t>(c * cells.Rows + r)];
            if (!p.Pixels) continue;
            const std::int64_t kc = cells.Column + c - kept_.Column, kr = cells.Row + r - kept_.Row;
            KeptCells::Shown& shown = kept_.Cells[static_cast<std::size_t>(kc * kept_.Rows + kr)];
            const KeptCells::Shown now{p.Pixels, Samples(p)};
            if (shown == now) continue;
            if (!into) {
                into.emplace(&kept_.Image);
                into->setCompositionMode(QPainter::CompositionMode_Source);
            }
            into->drawImage(QPoint(static_cast<int>(kc * cw), static_cast<int>(kr * ch)), *cellImages_[n]);
            shown = now;
        }
    if (into) into->end();

    // The part on the surface in one copy, or with gaps a copy for each run of
    // cells along a row.
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const auto copy = [&](std::int64_t c, std::int64_t r, std::int64_t across, std::int64_t down) {
        const std::int64_t kc = cells.Column + c - kept_.Column, kr = cells.Row + r - kept_.Row;
        p.drawImage(QPoint(static_cast<int>(cells.X + c * cw), static_cast<int>(cells.Y + r * ch)), kept_.Image,
                    QRect(static_cast<int>(kc * cw), static_cast<int>(kr * ch), static_cast<int>(across * cw),
                          static_cast<int>(down * ch)));
    };
    if (!gaps) {
        copy(c0, r0, columns, rows);
    } else {
        const auto present = [&](std::int64_t c, std::int64_t r) {
            return cellImages_[static_cast<std::size_t>((c - c0) * rows + (r - r0))] != nullptr;
        };
        for (std::int64_t r = r0; r <= r1; ++r)
            for (std::int64_t c = c0; c <= c1;) {
                if (!present(c, r)) {
                    ++c;
                    continue;
                }
                std::int64_t end = c + 1;
                while (end <= c1 && present(end, r)) ++end;
                copy(c, r, end - c, 1);
                c = end;
            }
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return true;
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
