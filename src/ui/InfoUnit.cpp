#include "ui/InfoUnit.h"

#include <QLabel>
#include <QPushButton>

#include "ui/UiCommon.h"

namespace tavrine::ui {

namespace {

constexpr int kBarHeight = 27;

}  // namespace

TInfoForm::TInfoForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Information"));
    SizeAndCentre(*this, 335, 253);
    QFrame* panel = FillPanel(*this);
    new CaptionBar(QStringLiteral("Information"), panel, kBarHeight);

    // Below the bar: the white text panel and the button under it.
    auto* body = new QWidget(panel);
    body->setGeometry(0, kBarHeight, width(), height() - kBarHeight);
    auto* white = new QFrame(body);
    white->setFrameShape(QFrame::Box);
    white->setLineWidth(1);
    white->setGeometry(2, 2, 331, 183);
    white->setAutoFillBackground(true);
    QPalette palette = white->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    white->setPalette(palette);

    Label1 = new QLabel(white);
    Label1->move(24, 16);
    Label1->setTextFormat(Qt::PlainText);

    // "OK" is both the default and the cancel button: Enter and Escape close.
    Button1 = new QPushButton(QStringLiteral("OK"), body);
    Button1->setGeometry(128, 192, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TInfoForm::SetText(const QString& text) {
    Label1->setText(text);
    Label1->adjustSize();
    // A longer text (a skirmish names its map and seed) makes the box taller.
    QWidget* white = Label1->parentWidget();
    const int extra = Label1->y() + Label1->height() + 12 - white->height();
    if (extra <= 0) return;
    QWidget* body = white->parentWidget();
    QWidget* panel = body->parentWidget();
    white->resize(white->width(), white->height() + extra);
    body->resize(body->width(), body->height() + extra);
    panel->resize(panel->width(), panel->height() + extra);
    Button1->move(Button1->x(), Button1->y() + extra);
    SizeAndCentre(*this, width(), height() + extra);
}

void ShowInformation(const QString& text, QWidget* parent) {
    TInfoForm form(parent);
    form.SetText(text);
    form.exec();
}

}  // namespace tavrine::ui
