#include "ui/WindowScale.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tavrine::ui {

namespace {

constexpr const char* kScaledProperty = "tavrineWindowScale";
/// A label's picture at its own size, kept while the label shows it larger.
constexpr const char* kPictureProperty = "tavrineOwnPicture";
/// The picture the label was given at the last rescaling.
constexpr const char* kShownProperty = "tavrineShownPicture";

/// A length from `from` times its own size to `to` times it; exact both ways,
/// since a length at twice its size is even.
int Times(int v, int from, int to) { return static_cast<int>(static_cast<long long>(v) * to / from); }

QSize Times(QSize size, int from, int to) {
    // QWIDGETSIZE_MAX stays unbounded.
    const auto side = [from, to](int v) {
        return v >= QWIDGETSIZE_MAX / std::max(to, 1) || v == QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : Times(v, from, to);
    };
    return {side(size.width()), side(size.height())};
}

void RescaleWidget(QWidget& w, int from, int to, bool window) {
    if (w.testAttribute(Qt::WA_SetFont) || window) {
        QFont font = w.font();
        if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * to / from);
        else if (font.pixelSize() > 0) font.setPixelSize(Times(font.pixelSize(), from, to));
        w.setFont(font);
    }
    const QSize minimum = Times(w.minimumSize(), from, to), maximum = Times(w.maximumSize(), from, to);
    // Shrinking lowers the minimum first, enlarging raises the maximum first,
    // so the two never cross on the way.
    if (to < from) {
        w.setMinimumSize(minimum);
        w.setMaximumSize(maximum);
    } else {
        w.setMaximumSize(maximum);
        w.setMinimumSize(minimum);
    }
    // Pictures and icons drawn in fixed pixels grow with the rest.
    // A picture the program put up since the last rescaling (a preview that
    // follows the settings) is taken at its own size.
    if (auto* label = qobject_cast<QLabel*>(&w); label && !label->pixmap().isNull()) {
        if (label->pixmap().cacheKey() != label->property(kShownProperty).toLongLong())
            label->setProperty(kPictureProperty, label->pixmap());
        const QPixmap own = label->property(kPictureProperty).value<QPixmap>();
        label->setPixmap(to == 1 ? own : own.scaled(own.size() * to, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        label->setProperty(kShownProperty, label->pixmap().cacheKey());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(&w)) button->setIconSize(Times(button->iconSize(), from, to));
    if (auto* combo = qobject_cast<QComboBox*>(&w)) combo->setIconSize(Times(combo->iconSize(), from, to));
    if (auto* view = qobject_cast<QAbstractItemView*>(&w); view && view->iconSize().isValid())
        view->setIconSize(Times(view->iconSize(), from, to));
    // Children a layout places are placed again by it; the others keep their
    // place in the rescaled window.
    const QRect g = w.geometry();
    if (window) w.resize(Times(g.size(), from, to));
    else if (!w.parentWidget() || !w.parentWidget()->layout())
        w.setGeometry(QRect(QPoint(Times(g.x(), from, to), Times(g.y(), from, to)), Times(g.size(), from, to)));
}

bool Watched(const QWidget& window) {
    const Qt::WindowType type = window.windowType();
    return window.isWindow() && (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool) &&
           !window.property("tavrineGameWindow").toBool();
}

}  // namespace

WindowScale::WindowScale(QObject* parent) : QObject(parent) {}

void WindowScale::SetScale(int scale) {
    scale_ = scale == 2 ? 2 : 1;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible()) Follow(*window);
}

void WindowScale::Rescale(QWidget& window, int from, int to) {
    if (from < 1 || to < 1 || from == to) return;
    // Innermost first, so each widget's place is still the one it was laid out at.
    const QList<QWidget*> children = window.findChildren<QWidget*>();
    for (QWidget* child : children)
        if (!child->isWindow()) RescaleWidget(*child, from, to, false);
    RescaleWidget(window, from, to, true);
}

int WindowScale::ScaleOf(const QWidget& window) { return std::max(window.property(kScaledProperty).toInt(), 1); }

void WindowScale::Follow(QWidget& window) const {
    if (!Watched(window)) return;
    const int done = std::max(window.property(kScaledProperty).toInt(), 1);
    if (done != scale_) {
        const QPoint centre = window.geometry().center();
        Rescale(window, done, scale_);
        window.setProperty(kScaledProperty, scale_);
        // Rescaled about its middle, as it was placed.
        window.move(window.pos() + centre - window.geometry().center());
    }
    KeepOnScreen(window);
}

void WindowScale::KeepOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect room = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    const int x = std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() + 1 - frame.width()));
    const int y = std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() + 1 - frame.height()));
    if (x != frame.left() || y != frame.top()) window.move(window.pos() + QPoint(x - frame.left(), y - frame.top()));
}

bool WindowScale::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) Follow(*static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}

}  // namespace tavrine::ui
