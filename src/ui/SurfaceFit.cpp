#include "ui/SurfaceFit.h"

#include <algorithm>

namespace tavrine::ui {

QRect FitSurface(QSize surface, QSize window) {
    if (surface.isEmpty() || window.isEmpty()) return QRect(QPoint(0, 0), window);
    // Compare w1 * h2 with w2 * h1 in 64 bits so the shape is kept exactly.
    const long long sw = surface.width(), sh = surface.height();
    const long long ww = window.width(), wh = window.height();
    long long w = ww, h = ww * sh / sw;
    if (h > wh) {
        h = wh;
        w = wh * sw / sh;
    }
    return QRect(static_cast<int>((ww - w) / 2), static_cast<int>((wh - h) / 2), static_cast<int>(w), static_cast<int>(h));
}

QPoint SurfacePoint(QSize surface, const QRect& target, QPoint at) {
    if (surface.isEmpty() || target.isEmpty()) return {0, 0};
    const long long dx = static_cast<long long>(at.x() - target.left()) * surface.width();
    const long long dy = static_cast<long long>(at.y() - target.top()) * surface.height();
    const long long x = dx / target.width();
    const long long y = dy / target.height();
    return {static_cast<int>(std::clamp<long long>(x, 0, surface.width() - 1)),
            static_cast<int>(std::clamp<long long>(y, 0, surface.height() - 1))};
}

}  // namespace tavrine::ui
