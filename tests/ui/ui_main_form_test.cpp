// The main window offscreen: the start-up sequence with its answers, the display
// it sets up, ticks that go on while dialogs are open, the title's load offer
// opened after its tick, the pause while another program has the keyboard, a
// mode change, the panels under the mouse, the fades.
#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "data/file_io.h"
#include "state/new_map.h"
#include "state/saved_game.h"
#include "ui/ConfirmUnit.h"
#include "ui/ControlUnit.h"
#include "ui/FileUnit.h"
#include "ui/MainUnit.h"
#include "ui/StartUnit.h"
#include "ui/SurfaceFit.h"
#include "ui_suites.h"

namespace tavrine::test {

using ui::StartUp;
using ui::TMainForm;

class MainFormTest final : public QObject {
    Q_OBJECT

    /// A program folder with the build's library and cursors and one prepared map.
    struct Program {
        Program() {
            const QString from = QString::fromStdString(BuildProgramFolder());
            const QString to = QString::fromStdString(folder.Path());
            QFile::copy(from + "/Tavrine.isd", to + "/Tavrine.isd");
            folder.MakeFolder("Cursors");
            for (int n = 1; n <= 22; ++n) QFile::copy(from + QStringLiteral("/Cursors/%1.ani").arg(n), to + QStringLiteral("/Cursors/%1.ani").arg(n));
            // A prepared map: an empty 40 x 30 map as the editor saves it.
            folder.MakeFolder("NewGames");
            GameType map;
            RunState run;
            NewMap(map, run, 40, 30, 1, 0);
            QVERIFY(WriteFileAtomically(folder.Path() + "/NewGames/Empty.gam", SerializeGame(map)));
        }
        std::string Path() const { return folder.Path(); }
        QString Settings() const {
            QFile file(QString::fromStdString(folder.Path() + "/Tavrine.ini"));
            return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
        }
        TempFolder folder;
    };

    static std::function<std::int32_t(ui::TStartForm&, std::int32_t)> Answer(std::int32_t choice, std::int32_t* stored = nullptr) {
        return [choice, stored](ui::TStartForm&, std::int32_t storedMode) {
            if (stored) *stored = storedMode;
            return choice;
        };
    }

    /// Starts `form` in play on the program's empty map, held back from being
    /// judged won (as an empty map would be) for the length of a test.
    static bool PlayEmptyMap(const Program& program, TMainForm& form) {
        form.FormCreate(Answer(1));
        form.FormShow();
        if (!form.GameObject().LoadNewGame(program.Path() + "/NewGames/Empty.gam")) return false;
        form.GameObject().Run().BannerTime = 1000000;
        return true;
    }

    static void Click(TMainForm& form, QPoint surface) {
        // Window point of a surface pixel, through the picture's placement.
        const QRect t = form.Target();
        const QPoint at(t.left() + (surface.x() * t.width() + t.width() / 2) / form.Display().Width,
                        t.top() + (surface.y() * t.height() + t.height() / 2) / form.Display().Height);
        QTest::mouseClick(&form, Qt::LeftButton, {}, at);
    }

private slots:
    void CancelEndsBeforeAnythingIsWritten() {
        Program program;
        TMainForm form(program.Path());
        QCOMPARE(form.FormCreate(Answer(ui::kNoChoice)), StartUp::Cancelled);
        QVERIFY(program.Settings().isEmpty());
        QVERIFY(!form.isVisible());
    }

    void PlayGoesFullScreenWithTheTitleAndWritesTheSettings() {
        Program program;
        TMainForm form(program.Path());
        std::int32_t stored = 99;
        QCOMPARE(form.FormCreate(Answer(1, &stored)), StartUp::Play);
        QCOMPARE(stored, -1);
        QVERIFY(program.Settings().startsWith(QStringLiteral("[Display]\r\nWidht=800\r\nHeight=600\r\nBit=16\r\n")));
        const RunState& run = form.GameObject().Run();
        QCOMPARE(int(run.EditMode), 0);
        QCOMPARE(int(run.TitleShown), 1);
        QCOMPARE(form.GameObject().Record().Columns, 80);
        QCOMPARE(form.GameObject().Record().Rows, 60);
        QVERIFY(!form.GameObject().Library().WaveList.empty());

        form.FormShow();
        QVERIFY(form.isFullScreen());
        QCOMPARE(form.geometry(), form.screen()->geometry());
        QCOMPARE(form.Target(), ui::FitSurface({800, 600}, form.size()));
        QCOMPARE(form.Surface().Width(), 800);
        QCOMPARE(form.Display().Bits, 16);
        QCOMPARE(form.GameObject().View().Panels.StatusBarTop, 600 - kStatusBarHeight - 1);
        QCOMPARE(form.GameObject().View().Panels.MenuTop, 601);
        QVERIFY(!form.GameObject().View().Panels.StatusBarShown);
        QVERIFY(form.Clock().Enabled());
        // The first tick fades the title in over two seconds.
        QTRY_VERIFY_WITH_TIMEOUT(form.Clock().Ticks() >= 1 && !form.GameObject().Run().FadeInPending, 5000);
        QCOMPARE(form.CursorList().Current(), 17);
    }

    void AStoredModeIsOfferedAndNotRewrittenWhenChosenAgain() {
        Program program;
        program.folder.Write("Tavrine.ini", "speed=2\nWidht=640\nHeight=480\nBit=16\n");
        TMainForm form(program.Path());
        std::int32_t stored = 99;
        QCOMPARE(form.FormCreate(Answer(0, &stored)), StartUp::Play);
        QCOMPARE(stored, 0);
        QCOMPARE(program.Settings(), QStringLiteral("speed=2\nWidht=640\nHeight=480\nBit=16\n"));
        QCOMPARE(form.GameObject().Run().TimerInterval, 20);
        QCOMPARE(form.Clock().Interval(), 20);
    }

    void TheEditingModeRunsInAWindowOf800By600() {
        Program program;
        TMainForm form(program.Path());
        QCOMPARE(form.FormCreate(Answer(ui::kEditingModeChoice)), StartUp::Editing);
        form.FormShow();
        QCOMPARE(int(form.GameObject().Run().EditMode), 1);
        QCOMPARE(int(form.GameObject().Run().TitleShown), 0);
        QVERIFY(!form.isFullScreen());
        // A window of the mode's size in the middle of the screen.
        QCOMPARE(form.geometry().size(), QSize(800, 600));
        QCOMPARE(form.geometry().center(), form.screen()->availableGeometry().center());
        QCOMPARE(form.Target(), QRect(0, 0, 800, 600));
        QVERIFY(form.GameObject().View().Panels.StatusBarShown);
        QVERIFY(program.Settings().isEmpty());
    }

    void TicksGoOnWhileADialogIsOpen() {
        Program program;
        TMainForm form(program.Path());
        form.FormCreate(Answer(ui::kEditingModeChoice));
        form.FormShow();
        QTRY_VERIFY(form.Clock().Ticks() > 0);
        std::int64_t during = 0;
        Later(0, [&] {
            auto* box = qobject_cast<ui::TConfirmForm*>(QApplication::activeModalWidget());
            QVERIFY(box);
            // Three ticks come within a tenth of a second; a busy machine gets up to five seconds.
            const std::int64_t before = form.Clock().Ticks();
            for (int waited = 0; waited < 5000 && form.Clock().Ticks() - before < 3; waited += 50) QTest::qWait(50);
            during = form.Clock().Ticks() - before;
            QTest::mouseClick(box->NoButton(), Qt::LeftButton);
        });
        form.Commands().Label10Click();
        QVERIFY(during >= 3);
        QVERIFY(form.isVisible());
    }

    void LeavingTheProgramPausesTheBattleAndComingBackGoesOn() {
        Program program;
        TMainForm form(program.Path());
        QVERIFY(PlayEmptyMap(program, form));
        Game& game = form.GameObject();
        QTRY_VERIFY_WITH_TIMEOUT(!game.Run().FadeInPending && !form.Clock().InTick() && form.Clock().Ticks() > 2, 5000);

        // Another window of ours taking the keyboard keeps the battle running.
        QWidget other(nullptr, Qt::Window);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!game.Paused());

        // Another program: the frame timer stops with the program, so the still
        // battle is drawn at once, "Paused" in white in the middle.
        const QImage before = form.Surface().Presented().copy();
        emit qApp->applicationStateChanged(Qt::ApplicationInactive);
        QVERIFY(game.Paused());
        const QImage paused = form.Surface().Presented();
        const int midY = (600 - kStatusBarHeight) / 2;
        int text = 0;
        for (int y = midY - 20; y <= midY + 20; ++y)
            for (int x = 300; x < 500; ++x)
                if ((paused.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu && before.pixel(x, y) != paused.pixel(x, y)) ++text;
        QVERIFY2(text > 20, qPrintable(QString::number(text)));

        emit qApp->applicationStateChanged(Qt::ApplicationActive);
        QVERIFY(!game.Paused());
    }

    void TheFrameTimerFollowsGameControlsSpeed() {
        Program program;
        TMainForm form(program.Path());
        QVERIFY(PlayEmptyMap(program, form));
        Game& game = form.GameObject();
        QCOMPARE(form.Clock().Interval(), 30);
        // Slow, Normal, Fast: the game clock counts the chosen ms a tick, and the
        // window's timer ticks at them from the next tick on.
        for (const auto& [index, interval] : {std::pair{2, 20}, std::pair{0, 50}, std::pair{1, 30}}) {
            Later(0, [&, index = index] {
                auto* dialog = qobject_cast<ui::TControlForm*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                dialog->SpeedList()->setCurrentIndex(index);
                QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
            });
            form.Commands().Label7Click();
            QCOMPARE(game.Run().TimerInterval, interval);
            const std::int64_t ticks = form.Clock().Ticks();
            QTRY_VERIFY(form.Clock().Ticks() > ticks);
            QCOMPARE(form.Clock().Interval(), interval);
        }
    }

    void TheTitlesOfferOpensTheLoadDialogAfterItsTick() {
        Program program;
        TMainForm form(program.Path());
        form.FormCreate(Answer(1));
        form.FormShow();
        RunState& run = form.GameObject().Run();
        QTRY_VERIFY_WITH_TIMEOUT(!run.FadeInPending, 5000);
        run.TitleFrames = 89;

        bool inTick = true;
        std::int64_t during = 0;
        int rows = 0;
        // Once the picker is up (it opens between ticks, never inside one), look
        // and pick the map. Polled by a timer: the picker runs its own loop.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* picker = qobject_cast<ui::TFileForm*>(QApplication::activeModalWidget());
            if (!picker) return;
            poll.stop();
            inTick = form.Clock().InTick();
            const std::int64_t before = form.Clock().Ticks();
            for (int waited = 0; waited < 5000 && form.Clock().Ticks() - before < 2; waited += 50) QTest::qWait(50);
            during = form.Clock().Ticks() - before;
            rows = picker->List()->count();
            if (rows == 0) {
                QTest::keyClick(picker, Qt::Key_Escape);  // fail below rather than hang
                return;
            }
            picker->List()->setCurrentRow(0);
            picker->ListBox1Click();
            QTest::mouseClick(picker->OkButton(), Qt::LeftButton);
        });
        poll.start(10);
        QTRY_VERIFY_WITH_TIMEOUT(!run.TitleShown, 10000);
        QVERIFY(!inTick);
        QVERIFY(during >= 2);
        QCOMPARE(rows, 1);
        QVERIFY(run.LoadOffered);
        QVERIFY(form.GameObject().View().Panels.StatusBarShown);
        QCOMPARE(form.GameObject().Record().Money, 5000);
        QCOMPARE(form.Panels().MoneyText(), QStringLiteral("$ 5000"));
    }

    void AModeChangeMakesANewSurfaceAndPlacesThePanelsAgain() {
        Program program;
        TMainForm form(program.Path());
        form.FormCreate(Answer(1));
        form.FormShow();
        form.SetDisplayMode(640, 480, 16);
        QCOMPARE(form.Surface().Width(), 640);
        QCOMPARE(form.Surface().Height(), 480);
        QCOMPARE(form.GameObject().Run().DisplayWidth, 640);
        QCOMPARE(form.GameObject().View().Panels.StatusBarTop, 480 - kStatusBarHeight - 1);
        QCOMPARE(form.GameObject().View().Panels.StatusBarWidth, 638);
        QCOMPARE(form.Target(), ui::FitSurface({640, 480}, form.size()));
        QVERIFY(form.Clock().Enabled());
    }

    void TheMenuButtonTogglesAndTheBattlefieldReleasesIt() {
        Program program;
        TMainForm form(program.Path());
        form.FormCreate(Answer(ui::kEditingModeChoice));
        form.FormShow();
        const PanelState& panels = form.GameObject().View().Panels;
        const QPoint menu = ui::ToQRect(StatusBarRect(panels)).topLeft() + ui::ToQRect(MenuButtonRect(panels)).center();
        Click(form, menu);
        QVERIFY(panels.MenuButtonDown);
        QTest::mouseMove(&form, QPoint(400, 200));
        QVERIFY(!panels.MenuButtonDown);
        Click(form, menu);
        Click(form, menu);
        QVERIFY(!panels.MenuButtonDown);

        const QPoint minimapButton = ui::ToQRect(StatusBarRect(panels)).topLeft() + ui::ToQRect(MinimapButtonRect(panels)).center();
        QVERIFY(panels.MinimapButtonDown);
        Click(form, minimapButton);
        QVERIFY(!panels.MinimapButtonDown);
    }

    void AfterAPressThatOpenedADialogTheMenuStillTakesClicks() {
        Program program;
        TMainForm form(program.Path());
        form.FormCreate(Answer(1));
        form.FormShow();
        QTRY_VERIFY_WITH_TIMEOUT(!form.GameObject().Run().FadeInPending, 5000);

        // Modal windows are answered by a timer: cancel the picker, close the
        // information box, and remember which came.
        QStringList seen;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            seen << QString::fromLatin1(modal->metaObject()->className());
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        answer.start(20);

        // A press on the title opens the Load Game dialog; its release never comes.
        QTest::mousePress(&form, Qt::LeftButton, {}, form.Target().center());
        QTRY_COMPARE(seen.size(), 1);
        QVERIFY(form.GameObject().View().Panels.StatusBarShown);

        // The next click is on a menu entry (the menu slid in without the mouse).
        const PanelState& panels = form.GameObject().View().Panels;
        form.Commands().SpeedButton1Click(true);
        QTRY_COMPARE(panels.MenuTop, panels.StatusBarTop - panels.MenuHeight);
        const QRect menu = ui::ToQRect(MenuRect(panels));
        const int info = static_cast<int>(std::find(kMenuItems.begin(), kMenuItems.end(), PanelPart::InfoItem) - kMenuItems.begin());
        Click(form, QPoint(menu.left() + 40, ui::ToQRect(MenuItemRect(panels, info)).top() + 10));
        QTRY_COMPARE(seen.size(), 2);
        QCOMPARE(seen.back(), QStringLiteral("tavrine::ui::TInfoForm"));
    }

    void TheFadesDarkenThePanelsWithTheBattlefield() {
        Program program;
        TMainForm form(program.Path());
        form.FormCreate(Answer(1));
        form.FormShow();
        QTRY_VERIFY_WITH_TIMEOUT(!form.GameObject().Run().FadeInPending, 5000);
        form.ShowStatusBar();
        QVERIFY(form.GameObject().View().Panels.StatusBarShown);
        form.GameObject().FadeOut(0);
        const QImage dark = form.Composite();
        const QRect bar = ui::ToQRect(StatusBarRect(form.GameObject().View().Panels));
        QCOMPARE(dark.pixel(bar.center()) & 0xFFFFFFu, 0u);
        form.GameObject().FadeIn(0);
        const QImage light = form.Composite();
        QVERIFY(qGray(light.pixel(bar.left() + 62, bar.top() + 5)) > 150);
    }
};

TAVRINE_UI_SUITE(MainFormTest);

}  // namespace tavrine::test

#include "ui_main_form_test.moc"
