// The game control dialog: what it shows from the settings, and that only "OK"
// after a change is a confirmed answer.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "ui/ControlUnit.h"
#include "ui_suites.h"

namespace tavrine::test {

using ui::TControlForm;

class ControlDialogTest final : public QObject {
    Q_OBJECT
    const std::vector<DisplayMode> modes{{640, 480, 16}, {800, 600, 16}, {1024, 768, 16}};

    static GameControlSettings Settings(std::int32_t interval, std::int32_t difficulty) {
        GameControlSettings s;
        s.DisplayWidth = 1024;
        s.DisplayHeight = 768;
        s.TimerInterval = interval;
        s.Difficulty = difficulty;
        s.MusicOn = false;
        s.SoundOn = true;
        s.KeepGroups = true;
        return s;
    }

private slots:
    void OpensOnTheCurrentSettings() {
        TControlForm form({}, modes);
        form.Load(Settings(20, 2));
        QCOMPARE(form.DisplayList()->currentText(), QStringLiteral("1024 by 768, High Color (16 bit)"));
        QCOMPARE(form.SpeedList()->currentText(), QStringLiteral("Fast"));
        QCOMPARE(form.DifficultyList()->currentText(), QStringLiteral("Difficult"));
        QVERIFY(!form.MusicBox()->isChecked());
        QVERIFY(form.SoundBox()->isChecked());
        QVERIFY(form.GroupsBox()->isChecked());
        QVERIFY(!form.Changed());
    }

    void UnknownSpeedDifficultyOrModeSelectNothing() {
        TControlForm form({}, {{640, 480, 16}, {800, 600, 16}});
        form.Load(Settings(25, 7));
        QCOMPARE(form.SpeedList()->currentIndex(), -1);
        QCOMPARE(form.DifficultyList()->currentIndex(), -1);
        QCOMPARE(form.DisplayList()->currentIndex(), -1);
        const GameControlChoice choice = form.Choice();
        QCOMPARE(choice.Interval, -1);
        QCOMPARE(choice.Difficulty, -1);
        QCOMPARE(choice.ModeNumber, -1);
    }

    void OkWithoutChangesIsNotConfirmed() {
        TControlForm form({}, modes);
        form.Load(Settings(30, 1));
        form.show();
        QTest::mouseClick(form.OkButton(), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(!form.Choice().Confirmed);
    }

    void AChangeThenOkIsConfirmedWithEveryControl() {
        TControlForm form({}, modes);
        form.Load(Settings(20, 1));
        form.show();
        form.SpeedList()->setCurrentIndex(0);
        form.DisplayList()->setCurrentIndex(0);
        form.MusicBox()->setChecked(true);
        form.GroupsBox()->setChecked(false);
        QTest::mouseClick(form.OkButton(), Qt::LeftButton);
        const GameControlChoice choice = form.Choice();
        QVERIFY(choice.Confirmed);
        QCOMPARE(choice.Interval, 50);
        QCOMPARE(choice.ModeNumber, 0);
        QCOMPARE(choice.Difficulty, 1);
        QVERIFY(choice.MusicOn);
        QVERIFY(choice.SoundOn);
        QCOMPARE(choice.KeepGroups, std::optional<bool>(false));
    }

    void AChangeUndoneStillCountsButCancelNever() {
        TControlForm form({}, modes);
        form.Load(Settings(30, 1));
        form.show();
        QTest::mouseClick(form.SoundBox(), Qt::LeftButton);
        QTest::mouseClick(form.SoundBox(), Qt::LeftButton);
        QVERIFY(form.Changed());
        QTest::mouseClick(form.CancelButton(), Qt::LeftButton);
        QVERIFY(!form.Choice().Confirmed);

        TControlForm again({}, modes);
        again.Load(Settings(30, 1));
        Later(0, [&] {
            again.DifficultyList()->setCurrentIndex(0);
            again.DifficultyList()->setCurrentIndex(1);
            QTest::mouseClick(again.OkButton(), Qt::LeftButton);
        });
        again.exec();
        QVERIFY(again.Choice().Confirmed);
        QCOMPARE(again.Choice().Difficulty, 1);
    }
};

TAVRINE_UI_SUITE(ControlDialogTest);

}  // namespace tavrine::test

#include "ui_control_dialog_test.moc"
