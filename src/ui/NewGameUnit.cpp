#include "ui/NewGameUnit.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "ui/UiCommon.h"
#include "view/status.h"

namespace tavrine::ui {

namespace {

constexpr int kMissionCount = 6;

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y + 3);
    label->adjustSize();
    return label;
}

QSpinBox* MakeNumberField(QWidget* parent, int x, int y, int lowest, int highest, int value) {
    auto* field = new QSpinBox(parent);
    field->setGeometry(x, y, 121, 21);
    field->setRange(lowest, highest);
    field->setValue(value);
    return field;
}

}  // namespace

TNewGameForm::TNewGameForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("New Game"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    SizeAndCentre(*this, 335, 180);

    auto* Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(16, 16, 209, 145);

    MakeLabel(this, QStringLiteral("Column"), 32, 32);
    SpinEdit1 = MakeNumberField(this, 88, 32, 40, 200, 80);
    MakeLabel(this, QStringLiteral("Row"), 32, 64);
    SpinEdit2 = MakeNumberField(this, 88, 64, 30, 200, 60);
    MakeLabel(this, QStringLiteral("Mission"), 32, 96);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setGeometry(88, 96, 121, 21);
    for (int mission = 0; mission < kMissionCount; ++mission) ComboBox1->addItem(ToQString(MissionText(mission)));
    ComboBox1->setCurrentIndex(0);
    // The box is narrow for the missions' long texts: the open list is as wide as
    // its longest entry, and the whole text of the chosen one shows on hovering.
    ComboBox1->view()->setMinimumWidth(ComboBox1->view()->sizeHintForColumn(0) + 24);
    const auto showWhole = [this](int index) { ComboBox1->setToolTip(ComboBox1->itemText(index)); };
    showWhole(0);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, showWhole);
    CheckBox1 = new QCheckBox(QStringLiteral("Demo"), this);
    CheckBox1->move(88, 128);
    CheckBox1->adjustSize();

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(240, 16, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setGeometry(240, 48, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &TNewGameForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

NewGameChoice TNewGameForm::Choice() const {
    NewGameChoice choice;
    choice.Accepted = result() == QDialog::Accepted;
    choice.Columns = SpinEdit1->value();
    choice.Rows = SpinEdit2->value();
    choice.Mission = ComboBox1->currentIndex();
    choice.Flag = CheckBox1->isChecked();
    return choice;
}

void TNewGameForm::Button1Click() {
    if (ComboBox1->currentIndex() < 0) return;
    // A number still being typed counts as entered, clamped into its range.
    SpinEdit1->interpretText();
    SpinEdit2->interpretText();
    accept();
}

NewGameChoice ShowNewGameDialog(QWidget* parent) {
    TNewGameForm form(parent);
    form.exec();
    NewGameChoice choice = form.Choice();
    if (!choice.Accepted) return NewGameChoice{};
    return choice;
}

}  // namespace tavrine::ui
