// The display around the game: where the picture goes on the screen, the modes
// the screen offers, the frame clock and the host's sleep.
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "ui/DisplayUnit.h"
#include "ui/FrameClock.h"
#include "ui/QtHost.h"
#include "ui/SurfaceFit.h"
#include "ui_suites.h"

namespace tavrine::test {

class DisplayTest final : public QObject {
    Q_OBJECT

private slots:
    void ThePictureFillsTheScreenKeepingItsShape() {
        QCOMPARE(ui::FitSurface({800, 600}, {800, 600}), QRect(0, 0, 800, 600));
        QCOMPARE(ui::FitSurface({800, 600}, {1024, 768}), QRect(0, 0, 1024, 768));
        QCOMPARE(ui::FitSurface({640, 480}, {1920, 1080}), QRect(240, 0, 1440, 1080));
        QCOMPARE(ui::FitSurface({800, 600}, {800, 800}), QRect(0, 100, 800, 600));
        QCOMPARE(ui::FitSurface({1024, 768}, {1280, 1024}), QRect(0, 32, 1280, 960));
    }

    void ScreenPointsMapBackToSurfacePixelsAndClampAtItsEdges() {
        const QRect target(240, 0, 1440, 1080);
        const QSize surface(640, 480);
        QCOMPARE(ui::SurfacePoint(surface, target, {240, 0}), QPoint(0, 0));
        QCOMPARE(ui::SurfacePoint(surface, target, {240 + 1439, 1079}), QPoint(639, 479));
        QCOMPARE(ui::SurfacePoint(surface, target, {240 + 225, 450}), QPoint(100, 200));
        // The black band beside the picture is the battlefield's edge.
        QCOMPARE(ui::SurfacePoint(surface, target, {10, 500}), QPoint(0, 222));
        QCOMPARE(ui::SurfacePoint(surface, target, {1900, -5}), QPoint(639, 0));
    }

    void TheScreenOffersTheModesThatFitOnIt() {
        // The offscreen screen is 800 by 800.
        const QScreen* screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        const std::vector<DisplayMode> modes = ui::ScreenDisplayModes(screen);
        const QSize size = screen->geometry().size();
        for (const DisplayModeRow& row : kDisplayModes) {
            const bool fits = row.Mode.Width <= size.width() && row.Mode.Height <= size.height();
            QCOMPARE(std::find(modes.begin(), modes.end(), row.Mode) != modes.end(), fits);
        }
        QVERIFY(ui::ScreenDisplayModes(nullptr).empty());
    }

    void TheFrameRateIsTicksPerSecondOverStretchesOfASecond() {
        ui::FrameRateMeter meter;
        for (int i = 0; i < 33; ++i) meter.Tick(i * 30);
        QCOMPARE(meter.Rate(), 0);  // the first stretch has not ended yet
        meter.Tick(1000);           // 34 ticks in 1000 ms
        QCOMPARE(meter.Rate(), 34);
        for (int i = 1; i <= 20; ++i) meter.Tick(1000 + i * 60);  // the stretch ends at 17 ticks in 1020 ms
        QCOMPARE(meter.Rate(), 17);
    }

    void TheClockTicksOnlyWhenEnabledAndActiveAndNeverInsideItself() {
        QWidget window;  // the application is active once a window shows
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        int ticks = 0, nested = 0, afterOutside = 0;
        bool hold = false;
        ui::FrameClock* clockPtr = nullptr;
        ui::FrameClock clock(
            [&] {
                ++ticks;
                // A tick that lets events run (a sleep, a message box) is not
                // entered again by the timer.
                const int before = ticks;
                QTest::qWait(25);
                nested += ticks != before;
            },
            [&] { afterOutside += !clockPtr->InTick(); });
        clockPtr = &clock;
        clock.SetInterval(10);
        QTest::qWait(60);
        QCOMPARE(ticks, 0);

        clock.SetEnabled(true);
        QVERIFY(clock.Running());
        QTRY_VERIFY(ticks >= 3);
        QCOMPARE(nested, 0);
        QCOMPARE(afterOutside, ticks);

        clock.SetHold([&] { return hold; });
        hold = true;
        const int held = ticks;
        QTest::qWait(60);
        QCOMPARE(ticks, held);
        hold = false;

        clock.SetEnabled(false);
        QVERIFY(!clock.Running());
        const int stopped = ticks;
        QTest::qWait(60);
        QCOMPARE(ticks, stopped);
    }

    void TheHostSleepsByTheClockWhileTimersAndPaintingGoOn() {
        ui::QtHost host;
        int fired = 0;
        bool sleepingSeen = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            ++fired;
            sleepingSeen = sleepingSeen || host.Sleeping();
        });
        timer.start(5);
        QElapsedTimer clock;
        clock.start();
        host.Sleep(120);
        QVERIFY(clock.elapsed() >= 115);
        QVERIFY(fired >= 5);
        QVERIFY(sleepingSeen);
        QVERIFY(!host.Sleeping());
    }

    void QuestionsAreAskedUnderTheirFirstWord() {
        QCOMPARE(ui::QuestionCaption(QStringLiteral("Fill Land ?")), QStringLiteral("Fill"));
        QCOMPARE(ui::QuestionCaption(QStringLiteral("Fill Mount ?")), QStringLiteral("Fill"));
        QCOMPARE(ui::QuestionCaption(QStringLiteral("  ")), QStringLiteral("Tavrine"));
    }
};

TAVRINE_UI_SUITE(DisplayTest);

}  // namespace tavrine::test

#include "ui_display_test.moc"
