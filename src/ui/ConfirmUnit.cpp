#include "ui/ConfirmUnit.h"

#include <QLabel>
#include <QPushButton>

#include "ui/UiCommon.h"

namespace tavrine::ui {

TConfirmForm::TConfirmForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Confirm"));
    SizeAndCentre(*this, 274, 134);
    QFrame* panel = FillPanel(*this);
    new CaptionBar(QStringLiteral("Confirm"), panel);

    Label1 = new QLabel(panel);
    QFont font = DialogFont(true);
    font.setPixelSize(13);
    Label1->setFont(font);
    Label1->move(40, 48);

    Button1 = new QPushButton(QStringLiteral("Yes"), panel);
    Button1->setGeometry(56, 88, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("No"), panel);
    Button2->setGeometry(144, 88, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TConfirmForm::SetQuestion(const QString& question) {
    Label1->setText(question);
    Label1->adjustSize();
}

bool Confirm(const QString& question, QWidget* parent) {
    TConfirmForm form(parent);
    form.SetQuestion(question);
    return form.exec() == QDialog::Accepted;
}

}  // namespace tavrine::ui
