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
    // A text longer than the panel makes the box taller, never cut off.
    QWidget* white = Label1->parentWidget();
    const int extra = Label1->y() + Label1->height() + 8 - white->height();
    if (extra <= 0) return;
    white->resize(white->width(), white->height() + extra);
    Button1->move(Button1->x(), Button1->y() + extra);
    white->parentWidget()->resize(white->parentWidget()->width(), white->parentWidget()->height() + extra);
    SizeAndCentre(*this, width(), height() + extra);
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) child->resize(width(), height());
}

void ShowInformation(const QString& text, QWidget* parent) {
    TInfoForm form(parent);
    form.SetText(text);
    form.exec();
}

}  // namespace tavrine::ui
