#include "platform/qt/qt_fonts.h"

#include <algorithm>
#include <cmath>

namespace tavrine::qt {

QString FamilyFor(const std::string& name) {
    if (name == "MS Sans Serif") return QStringLiteral("Liberation Sans");
    if (name == "Impact") return QStringLiteral("DejaVu Sans Condensed");
    if (name == "Times New Roman") return QStringLiteral("Liberation Serif");
    return QString::fromStdString(name);
}

QFont FontFor(const CanvasFont& font) {
    QFont f(FamilyFor(font.Name));
    // Impact is a heavy condensed face: the condensed DejaVu in bold comes closest.
    const bool impact = font.Name == "Impact";
    if (impact) f.setStretch(QFont::Condensed);
    f.setBold(font.Bold || impact);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.Size * 96.0 / 72.0))));
    return f;
}

}  // namespace tavrine::qt
