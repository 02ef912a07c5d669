#include "ui/WindowScale.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tavrine::ui {

namespace {

constexpr const char* kScaledProperty = "tavrineWindowScale";

QSize Times(QSize size, int scale) {
    // QWIDGETSIZE_MAX stays unbounded.
    const auto side = [scale](int v) { return v >= QWIDGETSIZE_MAX / scale ? QWIDGETSIZE_MAX : v * scale; };
    return {side(size.width()), side(size.height())};
}

void EnlargeWidget(QWidget& w, int scale, bool window) {
    if (w.testAttribute(Qt::WA_SetFont) || window) {
        QFont font = w.font();
        if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * scale);
        else if (font.pixelSize() > 0) font.setPixelSize(font.pixelSize() * scale);
        w.setFont(font);
    }
    const QSize minimum = w.minimumSize(), maximum = w.maximumSize();
    w.setMaximumSize(Times(maximum, scale));
    w.setMinimumSize(Times(minimum, scale));
    // Children a layout places are placed again by it; the others keep their
    // place in the enlarged window.
    if (window) w.resize(w.size() * scale);
    else if (!w.parentWidget() || !w.parentWidget()->layout()) w.setGeometry(QRect(w.pos() * scale, w.size() * scale));
}

}  // namespace

WindowScale::WindowScale(QObject* parent) : QObject(parent) {}

void WindowScale::SetScale(int scale) { scale_ = scale == 2 ? 2 : 1; }

void WindowScale::Enlarge(QWidget& window, int scale) {
    if (scale <= 1) return;
    // Innermost first, so each widget's place is still the one it was laid out at.
    const QList<QWidget*> children = window.findChildren<QWidget*>();
    for (QWidget* child : children)
        if (!child->isWindow()) EnlargeWidget(*child, scale, false);
    EnlargeWidget(window, scale, true);
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
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        const Qt::WindowType type = window->windowType();
        const bool ownWindow = window->isWindow() && (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool);
        if (ownWindow && !window->property("tavrineGameWindow").toBool()) {
            const int done = window->property(kScaledProperty).toInt();
            if (done < scale_) {
                const QPoint centre = window->geometry().center();
                Enlarge(*window, scale_ / std::max(done, 1));
                window->setProperty(kScaledProperty, scale_);
                // Enlarged about its middle, as it was placed.
                window->move(window->pos() + centre - window->geometry().center());
            }
            KeepOnScreen(*window);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tavrine::ui
