#include "ui/ConfirmUnit.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "ui/UiCommon.h"

namespace tavrine::ui {

namespace {

constexpr int kWidth = 274;
constexpr int kHeight = 134;
/// The question starts this far from the left edge and keeps as much room at the right.
constexpr int kQuestionMargin = 40;
constexpr int kYesLeft = 56;
constexpr int kNoLeft = 144;

}  // namespace

TConfirmForm::TConfirmForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Confirm"));
    SizeAndCentre(*this, kWidth, kHeight);
    panel_ = FillPanel(*this);
    caption_ = new CaptionBar(QStringLiteral("Confirm"), panel_);
    QFrame* panel = panel_;

    Label1 = new QLabel(panel);
    QFont font = DialogFont(true);
    font.setPixelSize(13);
    Label1->setFont(font);
    Label1->move(kQuestionMargin, 48);

    Button1 = new QPushButton(QStringLiteral("Yes"), panel);
    Button1->setGeometry(kYesLeft, 88, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("No"), panel);
    Button2->setGeometry(kNoLeft, 88, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TConfirmForm::SetQuestion(const QString& question) {
    Label1->setText(question);
    Label1->adjustSize();
    // A question longer than the box (one naming a file) widens it, buttons
    // kept in the middle, rather than being cut off.
    const int width = std::max(kWidth, Label1->width() + 2 * kQuestionMargin);
    if (width == this->width()) return;
    SizeAndCentre(*this, width, kHeight);
    panel_->setGeometry(0, 0, width, kHeight);
    delete caption_;
    caption_ = new CaptionBar(QStringLiteral("Confirm"), panel_);
    caption_->show();
    const int shift = (width - kWidth) / 2;
    Button1->move(kYesLeft + shift, 88);
    Button2->move(kNoLeft + shift, 88);
}

bool Confirm(const QString& question, QWidget* parent) {
    TConfirmForm form(parent);
    form.SetQuestion(question);
    return form.exec() == QDialog::Accepted;
}

}  // namespace tavrine::ui
