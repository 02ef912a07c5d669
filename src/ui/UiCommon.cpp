#include "ui/UiCommon.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "platform/qt/qt_fonts.h"

namespace tavrine::ui {

QString ToQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQString(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QFont DialogFont(bool bold) { return qt::FontFor(CanvasFont{"MS Sans Serif", 8, bold}); }

QPixmap ProgramPicture(const std::string& programFolder, const QString& relative) {
    QPixmap picture;
    if (programFolder.empty()) return {};
    if (!picture.load(QString::fromStdString(programFolder) + QLatin1Char('/') + relative)) return {};
    return picture;
}

void SizeAndCentre(QDialog& dialog, int width, int height) {
    dialog.setFont(DialogFont());
    dialog.setFixedSize(width, height);
    QScreen* screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    dialog.move(area.left() + (area.width() - width) / 2, area.top() + (area.height() - height) / 2);
}

CaptionBar::CaptionBar(const QString& caption, QWidget* parent, int height) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setLineWidth(1);
    setGeometry(2, 2, parent->width() - 4, height - 2);
    label_ = new QLabel(caption, this);
    label_->setFont(DialogFont(true));
    label_->setAlignment(Qt::AlignCenter);
    label_->setGeometry(contentsRect());
}

void CaptionBar::SetCaption(const QString& caption) { label_->setText(caption); }

QString CaptionBar::Caption() const { return label_->text(); }

QFrame* FillPanel(QWidget& dialog) {
    auto* panel = new QFrame(&dialog);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(0, 0, dialog.width(), dialog.height());
    return panel;
}

}  // namespace tavrine::ui
