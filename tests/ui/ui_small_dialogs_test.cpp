// The New Game dialog, the confirmation box and the information box.
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "ui/ConfirmUnit.h"
#include "ui/InfoUnit.h"
#include "ui/NewGameUnit.h"
#include "ui/WindowScale.h"
#include "ui_suites.h"
#include "view/status.h"

namespace tavrine::test {

class SmallDialogsTest final : public QObject {
    Q_OBJECT

private slots:
    void NewGameStartsAt80By60WithTheSixMissions() {
        ui::TNewGameForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("New Game"));
        QCOMPARE(form.ColumnField()->value(), 80);
        QCOMPARE(form.RowField()->value(), 60);
        QCOMPARE(form.MissionList()->count(), 6);
        for (int i = 0; i < 6; ++i) QCOMPARE(form.MissionList()->itemText(i), ui::ToQString(MissionText(i)));
        QCOMPARE(form.MissionList()->currentIndex(), 0);
        QVERIFY(!form.DemoBox()->isChecked());
    }

    void TheDoubleInterfaceEnlargesADialogAsAWholeAndShrinksItBack() {
        ui::TNewGameForm form;
        const QSize size = form.size();
        const QRect ok = form.OkButton()->geometry();
        const int pixels = QFontInfo(form.OkButton()->font()).pixelSize();
        ui::WindowScale scale;
        form.installEventFilter(&scale);
        // Enlarged when shown, shrunk back on the screen when the scale returns,
        // and enlarged again on its next showing.
        for (const int s : {2, 1, 2}) {
            if (s == 2) form.hide();
            scale.SetScale(s);
            form.show();
            QCOMPARE(form.size(), size * s);
            QCOMPARE(form.minimumSize(), size * s);
            QCOMPARE(form.OkButton()->geometry(), QRect(ok.topLeft() * s, ok.size() * s));
            QCOMPARE(QFontInfo(form.OkButton()->font()).pixelSize(), pixels * s);
        }
    }

    void NewGameFieldsKeepToTheirRanges() {
        ui::TNewGameForm form;
        form.ColumnField()->setValue(10);
        QCOMPARE(form.ColumnField()->value(), 40);
        form.ColumnField()->setValue(999);
        QCOMPARE(form.ColumnField()->value(), 200);
        form.RowField()->setValue(29);
        QCOMPARE(form.RowField()->value(), 30);
        form.RowField()->setValue(201);
        QCOMPARE(form.RowField()->value(), 200);
    }

    void NewGameOkAnswersTheFieldsCancelAnswersNothing() {
        Later(0, [] {
            auto* form = qobject_cast<ui::TNewGameForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            form->ColumnField()->setValue(120);
            form->RowField()->setValue(45);
            form->MissionList()->setCurrentIndex(4);
            form->DemoBox()->setChecked(true);
            QTest::mouseClick(form->OkButton(), Qt::LeftButton);
        });
        const NewGameChoice chosen = ui::ShowNewGameDialog();
        QVERIFY(chosen.Accepted);
        QCOMPARE(chosen.Columns, 120);
        QCOMPARE(chosen.Rows, 45);
        QCOMPARE(chosen.Mission, 4);
        QVERIFY(chosen.Flag);

        Later(0, [] {
            auto* form = qobject_cast<ui::TNewGameForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            form->ColumnField()->setValue(150);
            QTest::keyClick(form, Qt::Key_Escape);
        });
        const NewGameChoice cancelled = ui::ShowNewGameDialog();
        QVERIFY(!cancelled.Accepted);
        QCOMPARE(cancelled.Columns, NewGameChoice{}.Columns);
    }

    void ConfirmAnswersYesOnlyForYes() {
        const auto answer = [](std::function<void(ui::TConfirmForm&)> act) {
            Later(0, [act] {
                auto* form = qobject_cast<ui::TConfirmForm*>(QApplication::activeModalWidget());
                QVERIFY(form);
                QCOMPARE(form->Question()->text(), QStringLiteral("Are you sure you want to exit ?"));
                act(*form);
            });
            return ui::Confirm(QStringLiteral("Are you sure you want to exit ?"));
        };
        QVERIFY(answer([](ui::TConfirmForm& f) { QTest::mouseClick(f.YesButton(), Qt::LeftButton); }));
        QVERIFY(answer([](ui::TConfirmForm& f) { QTest::keyClick(&f, Qt::Key_Return); }));
        QVERIFY(!answer([](ui::TConfirmForm& f) { QTest::mouseClick(f.NoButton(), Qt::LeftButton); }));
        QVERIFY(!answer([](ui::TConfirmForm& f) { QTest::keyClick(&f, Qt::Key_Escape); }));
        QVERIFY(!answer([](ui::TConfirmForm& f) { f.close(); }));

        // A long question (one naming a file) widens the box instead of being cut.
        ui::TConfirmForm form;
        form.SetQuestion(QStringLiteral("Are you sure you want to exit ?"));
        QCOMPARE(form.size(), QSize(274, 134));
        form.SetQuestion(QStringLiteral("Replace the saved game \"A very long battle name.gam\"?"));
        QVERIFY(form.width() > 274);
        QCOMPARE(form.Question()->geometry().right() + 40, form.width() - 1);
        QVERIFY(qAbs(form.YesButton()->x() + form.NoButton()->geometry().right() - form.width()) <= 1);  // centred
    }

    void InformationShowsEveryLineUntilOkEnterOrEscape() {
        ui::TInfoForm form;
        form.SetText(QStringLiteral("Enemies\nBuildings: 12, 3 lost\n\nTime: 0:05:05"));
        QCOMPARE(form.Text()->text().count(QLatin1Char('\n')), 3);
        QVERIFY(form.Text()->height() > 3 * form.Text()->fontMetrics().height());
        QCOMPARE(form.size(), QSize(335, 253));
        for (int key : {int(Qt::Key_Return), int(Qt::Key_Escape)}) {
            form.show();
            QTest::keyClick(&form, Qt::Key(key));
            QVERIFY(!form.isVisible());
        }
        form.show();
        QTest::mouseClick(form.OkButton(), Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }
};

TAVRINE_UI_SUITE(SmallDialogsTest);

}  // namespace tavrine::test

#include "ui_small_dialogs_test.moc"
