#include "ui/ControlUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "state/settings.h"
#include "ui/DisplayUnit.h"
#include "ui/UiCommon.h"

namespace tavrine::ui {

namespace {

constexpr std::int32_t kSpeedIntervals[] = {kIntervalSlow, kIntervalNormal, kIntervalFast};

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setFont(DialogFont(true));
    label->move(x, y + 3);
    label->adjustSize();
    return label;
}

QComboBox* MakeList(QWidget* parent, int x, int y, int width, const QStringList& items) {
    auto* list = new QComboBox(parent);
    list->setGeometry(x, y, width, 21);
    list->addItems(items);
    return list;
}

QLabel* MakePicture(QWidget* parent, const QPixmap& picture, int x, int y) {
    auto* label = new QLabel(parent);
    label->setGeometry(x, y, 32, 32);
    label->setPixmap(picture);
    return label;
}

}  // namespace

std::int32_t SpeedEntryOfInterval(std::int32_t interval) {
    for (std::int32_t i = 0; i < 3; ++i)
        if (kSpeedIntervals[i] == interval) return i;
    return -1;
}

TControlForm::TControlForm(const std::string& programFolder, const std::vector<DisplayMode>& offered, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Game Control"));
    SizeAndCentre(*this, 380, 226);
    QFrame* panel = FillPanel(*this);
    new CaptionBar(QStringLiteral("Game Control"), panel);

    MakePicture(panel, ProgramPicture(programFolder, QStringLiteral("ui/display.png")), 16, 38);
    MakeLabel(panel, QStringLiteral("Display"), 56, 36);
    displayList_ = new QComboBox(panel);
    displayList_->setGeometry(56, 56, 217, 21);
    FillDisplayList(*displayList_, offered);

    MakeLabel(panel, QStringLiteral("Speed"), 56, 88);
    speedList_ = MakeList(panel, 56, 108, 101, {QStringLiteral("Slow"), QStringLiteral("Normal"), QStringLiteral("Fast")});
    MakeLabel(panel, QStringLiteral("Difficulty"), 172, 88);
    difficultyList_ =
        MakeList(panel, 172, 108, 101, {QStringLiteral("Easy"), QStringLiteral("Normal"), QStringLiteral("Difficult")});

    MakePicture(panel, ProgramPicture(programFolder, QStringLiteral("ui/sound.png")), 16, 146);
    musicBox_ = new QCheckBox(QStringLiteral("Music"), panel);
    musicBox_->move(56, 146);
    musicBox_->adjustSize();
    soundBox_ = new QCheckBox(QStringLiteral("Sound"), panel);
    soundBox_->move(56, 168);
    soundBox_->adjustSize();
    MakeLabel(panel, QStringLiteral("Interface"), 172, 140);
    scaleList_ = MakeList(panel, 172, 160, 101,
                          {QStringLiteral("Automatic"), QStringLiteral("Normal size"), QStringLiteral("Double size")});
    groupsBox_ = new QCheckBox(QStringLiteral("Keep groups together"), panel);
    groupsBox_->move(56, 190);
    groupsBox_->adjustSize();

    okButton_ = new QPushButton(QStringLiteral("OK"), panel);
    okButton_->setGeometry(290, 40, 75, 25);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), panel);
    cancelButton_->setGeometry(290, 72, 75, 25);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    const auto mark = [this] {
        if (!loading_) MarkChanged();
    };
    for (QComboBox* list : {displayList_, speedList_, difficultyList_, scaleList_})
        connect(list, &QComboBox::currentIndexChanged, this, mark);
    for (QCheckBox* box : {musicBox_, soundBox_, groupsBox_}) connect(box, &QCheckBox::toggled, this, mark);
}

void TControlForm::Load(const GameControlSettings& settings) {
    loading_ = true;
    const QString current = ToQString(ModeName(DisplayMode{settings.DisplayWidth, settings.DisplayHeight, settings.DisplayBits}));
    displayList_->setCurrentIndex(displayList_->findText(current, Qt::MatchExactly));
    speedList_->setCurrentIndex(SpeedEntryOfInterval(settings.TimerInterval));
    difficultyList_->setCurrentIndex(settings.Difficulty >= 0 && settings.Difficulty < difficultyList_->count()
                                         ? settings.Difficulty
                                         : -1);
    musicBox_->setChecked(settings.MusicOn);
    soundBox_->setChecked(settings.SoundOn);
    scaleList_->setCurrentIndex(settings.Scale >= 0 && settings.Scale <= 2 ? settings.Scale : 0);
    groupsBox_->setChecked(settings.KeepGroups);
    loading_ = false;
}

GameControlChoice TControlForm::Choice() const {
    GameControlChoice choice;
    choice.Confirmed = result() == QDialog::Accepted && changed_;
    const int speed = speedList_->currentIndex();
    choice.Interval = speed >= 0 && speed < 3 ? kSpeedIntervals[speed] : -1;
    choice.ModeNumber = SelectedModeNumber(*displayList_);
    choice.Difficulty = difficultyList_->currentIndex();
    choice.MusicOn = musicBox_->isChecked();
    choice.SoundOn = soundBox_->isChecked();
    choice.Scale = scaleList_->currentIndex();
    choice.KeepGroups = groupsBox_->isChecked();
    return choice;
}

GameControlChoice ShowGameControl(const GameControlSettings& settings, const std::vector<DisplayMode>& offered,
                                  const std::string& programFolder, QWidget* parent) {
    TControlForm form(programFolder, offered, parent);
    form.Load(settings);
    form.exec();
    return form.Choice();
}

}  // namespace tavrine::ui
