#include "ui/GamePanels.h"

#include <QPainter>

#include "ui/UiCommon.h"
#include "view/minimap.h"

#include <algorithm>

namespace tavrine::ui {

namespace {

constexpr QColor kFace(212, 208, 200);
constexpr QColor kLight(255, 255, 255);
constexpr QColor kShadow(128, 128, 128);
constexpr QColor kDark(64, 64, 64);

constexpr int kTimeLabelLeft = 68;
constexpr int kMoneyLabelLeft = 150;

/// A raised (or, pressed, a sunken) edge one pixel wide inside `r`.
void Bevel(QPainter& p, const QRect& r, bool sunken) {
    p.setPen(sunken ? kShadow : kLight);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(sunken ? kLight : kDark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

QPixmap DrawnIcon(PanelPart item) {
    QPixmap icon(16, 16);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    if (item == PanelPart::InfoItem) {
        p.setBrush(QColor(50, 110, 190));
        p.setPen(QColor(30, 70, 140));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.fillRect(QRectF(7, 7, 2, 5), Qt::white);
        p.fillRect(QRectF(7, 4, 2, 2), Qt::white);
    } else if (item == PanelPart::ExitItem) {
        p.setBrush(QColor(214, 48, 40));
        p.setPen(QColor(140, 30, 24));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
    } else if (item == PanelPart::CampaignItem) {
        // A pennant on its pole.
        p.setPen(QPen(QColor(90, 60, 30), 1.5));
        p.drawLine(QPointF(4, 2), QPointF(4, 15));
        p.setBrush(QColor(200, 40, 40));
        p.setPen(QColor(130, 20, 20));
        p.drawPolygon(QPolygonF({QPointF(5, 2), QPointF(14, 5), QPointF(5, 8)}));
    } else if (item == PanelPart::SkirmishItem || item == PanelPart::QuickItem) {
        // A landscape: hills under the sky; the quick one with a lightning stroke.
        p.setBrush(QColor(120, 170, 220));
        p.setPen(QColor(60, 90, 130));
        p.drawRect(QRectF(1, 2, 14, 12));
        p.setBrush(QColor(80, 150, 70));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(1.5, 13.5), QPointF(6, 7), QPointF(9, 10), QPointF(12, 6), QPointF(14.5, 9),
                                 QPointF(14.5, 13.5)}));
        if (item == PanelPart::QuickItem) {
            p.setBrush(QColor(250, 210, 40));
            p.setPen(QColor(150, 110, 10));
            p.drawPolygon(QPolygonF({QPointF(9, 1), QPointF(5, 8), QPointF(8, 8), QPointF(6, 15), QPointF(12, 6),
                                     QPointF(9, 6), QPointF(11, 1)}));
        }
    } else {
        p.setBrush(QColor(236, 196, 60));
        p.setPen(QColor(160, 120, 30));
        p.drawRect(QRectF(2, 3, 12, 10));
    }
    return icon;
}

/// The minimap at the size the panel shows it, scaled the way clicks are mapped back.
QImage MinimapImage(const MinimapPicture& minimap, int width, int height) {
    if (minimap.Width <= 0 || minimap.Height <= 0 || width <= 0 || height <= 0 ||
        minimap.Pixels.size() < static_cast<std::size_t>(minimap.Width) * static_cast<std::size_t>(minimap.Height))
        return {};
    if (width == minimap.Width && height == minimap.Height)
        return QImage(reinterpret_cast<const uchar*>(minimap.Pixels.data()), minimap.Width, minimap.Height,
                      static_cast<qsizetype>(minimap.Width) * 4, QImage::Format_RGB32);
    QImage shown(width, height, QImage::Format_RGB32);
    ScaleMinimap(minimap, width, height, reinterpret_cast<std::uint32_t*>(shown.bits()));
    return shown;
}

/// A panel rectangle in the panel's own units at interface scale `s`.
QRect Unscaled(const PanelRect& r, int s) { return {r.Left / s, r.Top / s, r.Width / s, r.Height / s}; }

}  // namespace

int StatusBarShade(int row) {
    int c = 255;
    for (int r = 0; r <= row; ++r)
        if (c > 130) c -= 10;
    return c;
}

int MenuShade(int row) {
    int c = 255;
    for (int r = 0; r <= row; ++r)
        if (r % 2 == 0 && c > 1) c -= 1;
    return c;
}

void GamePanels::LoadIcons(const std::string& programFolder) {
    for (int i = 0; i < kMenuItemCount; ++i) {
        const PanelPart item = kMenuItems[static_cast<std::size_t>(i)];
        const QString file = item == PanelPart::LoadItem      ? QStringLiteral("ui/image-editor/1.png")
                             : item == PanelPart::SaveItem    ? QStringLiteral("ui/saved-game.png")
                             : item == PanelPart::ControlItem ? QStringLiteral("ui/display.png")
                                                              : QString();
        QPixmap icon = file.isEmpty() ? QPixmap() : ProgramPicture(programFolder, file);
        if (!icon.isNull() && icon.size() != QSize(16, 16))
            icon = icon.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        icons_[static_cast<std::size_t>(i)] = icon.isNull() ? DrawnIcon(item) : icon;
    }
}

void GamePanels::SetLabels(const QString& time, const QString& money) {
    time_ = time;
    money_ = money;
}

void GamePanels::Paint(QPainter& p, const PanelState& panels, const MinimapPicture& minimap, const MenuLabels& labels) const {
    if (panels.MenuShown) PaintMenu(p, panels, labels);
    if (panels.MinimapVisible) PaintMinimap(p, panels, minimap);
    if (panels.StatusBarShown) PaintStatusBar(p, panels);
}

void GamePanels::PaintButton(QPainter& p, const QRect& r, bool down, PanelPart which) const {
    p.fillRect(r, down ? QColor(232, 230, 226) : kFace);
    Bevel(p, r, down);
    const QPoint shift = down ? QPoint(1, 1) : QPoint(0, 0);
    const QRect inner = r.adjusted(3, 3, -3, -3).translated(shift);
    switch (which) {
        case PanelPart::MenuButton:
            p.setPen(Qt::black);
            p.setFont(DialogFont(true));
            p.drawText(r.translated(shift), Qt::AlignCenter, QStringLiteral("Menu"));
            break;
        case PanelPart::MinimapButton: {
            // A little map with the view's white frame on it.
            const QRect map(inner.center().x() - 7, inner.center().y() - 6, 14, 12);
            p.fillRect(map, QColor(40, 80, 150));
            p.fillRect(map.adjusted(5, 2, -1, -1), QColor(70, 130, 60));
            p.setPen(Qt::white);
            p.drawRect(map.adjusted(2, 2, -7, -5));
            p.setPen(kDark);
            p.drawRect(map.adjusted(0, 0, -1, -1));
            break;
        }
        case PanelPart::ZoomButton: {
            // A magnifying glass.
            const QPoint c = inner.center() + QPoint(-2, -2);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(kDark, 1.5));
            p.setBrush(QColor(200, 225, 250));
            p.drawEllipse(QPointF(c), 4.5, 4.5);
            p.setPen(QPen(kDark, 2.5));
            p.drawLine(QPointF(c) + QPointF(3.5, 3.5), QPointF(c) + QPointF(7, 7));
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setBrush(Qt::NoBrush);
            break;
        }
        default: break;
    }
}

void GamePanels::PaintStatusBar(QPainter& p, const PanelState& panels) const {
    const QRect bar = ToQRect(StatusBarRect(panels));
    if (bar.width() <= 0 || bar.height() <= 0) return;
    for (int row = 0; row < bar.height(); ++row) {
        const int c = StatusBarShade(row);
        p.setPen(QColor(c, c, c));
        p.drawLine(bar.left(), bar.top() + row, bar.right(), bar.top() + row);
    }
    Bevel(p, bar, false);

    // At a larger interface scale the bar's contents are drawn through a scaled
    // painter: the text is laid out at the larger size, not enlarged pixels.
    const int s = std::max(panels.Scale, 1);
    p.save();
    p.translate(bar.topLeft());
    p.scale(s, s);
    PaintButton(p, Unscaled(MenuButtonRect(panels), s), panels.MenuButtonDown || pressed_ == PanelPart::MenuButton,
                PanelPart::MenuButton);
    PaintButton(p, Unscaled(MinimapButtonRect(panels), s),
                panels.MinimapButtonDown || pressed_ == PanelPart::MinimapButton, PanelPart::MinimapButton);
    PaintButton(p, Unscaled(ZoomButtonRect(panels), s), pressed_ == PanelPart::ZoomButton, PanelPart::ZoomButton);
    p.setFont(DialogFont(true));
    p.setPen(Qt::black);
    const int textTop = 0, textHeight = bar.height() / s;
    p.drawText(QRect(kTimeLabelLeft, textTop, kMoneyLabelLeft - kTimeLabelLeft - 4, textHeight),
               Qt::AlignLeft | Qt::AlignVCenter, time_);
    p.drawText(QRect(kMoneyLabelLeft, textTop, MinimapButtonRect(panels).Left / s - kMoneyLabelLeft - 4, textHeight),
               Qt::AlignLeft | Qt::AlignVCenter, money_);
    p.restore();
}

void GamePanels::PaintMenu(QPainter& p, const PanelState& panels, const MenuLabels& labels) const {
    const QRect menu = ToQRect(MenuRect(panels));
    if (menu.height() <= 0) return;
    for (int row = 0; row < menu.height(); ++row) {
        const int c = MenuShade(row);
        p.setPen(QColor(c, c, c));
        p.drawLine(menu.left(), menu.top() + row, menu.right(), menu.top() + row);
    }
    Bevel(p, menu, false);
    const int s = std::max(panels.Scale, 1);
    p.save();
    p.translate(menu.topLeft());
    p.scale(s, s);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setFont(DialogFont(true));
    for (int i = 0; i < kMenuItemCount; ++i) {
        const int top = (MenuItemRect(panels, i).Top - menu.top()) / s;
        // A menu shorter than its entries (a replay's, from when it had fewer)
        // shows the lower ones.
        if (top < 0) continue;
        p.drawPixmap(8, top + (kMenuItemHeight - 16) / 2, icons_[static_cast<std::size_t>(i)]);
        const MenuLabel entry = *MenuEntryOf(kMenuItems[static_cast<std::size_t>(i)]);
        const Rgb color = labels.Color(entry);
        p.setPen(QColor(color.R, color.G, color.B));
        p.drawText(QRect(32, top, menu.width() / s - 36, kMenuItemHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromLatin1(MenuEntryText(entry)));
    }
    p.restore();
}

void GamePanels::PaintMinimap(QPainter& p, const PanelState& panels, const MinimapPicture& minimap) const {
    const QRect panel = ToQRect(MinimapPanelRect(panels));
    if (panel.width() <= 0 || panel.height() <= 0) return;
    p.fillRect(panel, kFace);
    Bevel(p, panel, false);
    Bevel(p, panel.adjusted(1, 1, -1, -1), true);
    const QImage picture = MinimapImage(minimap, panels.MinimapShownWidth, panels.MinimapShownHeight);
    if (!picture.isNull()) p.drawImage(ToQRect(MinimapPictureRect(panels)).topLeft(), picture);
}

}  // namespace tavrine::ui
