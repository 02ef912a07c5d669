// A battle recorded in the window (with a change of display mode while the view
// lies at the map's far corner), verified headless, then watched in the window:
// the viewer's clicks and keys leave the battle alone, Space, + and - work, and the
// viewer's own scrolling moves only the picture.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "data/file_io.h"
#include "ui/ConfirmUnit.h"
#include "ui/ControlUnit.h"
#include "ui/FileUnit.h"
#include "ui/MainUnit.h"
#include "ui/StartUnit.h"
#include "ui_suites.h"
#include "view/panel_layout.h"

namespace tavrine::test {

using ui::TMainForm;

class ReplayWindowTest final : public QObject {
    Q_OBJECT

    /// Answers every modal window: the picker takes its only map, the control
    /// dialog the display mode `mode`, a question yes, anything else Escape.
    static void AnswerDialogs(QTimer& timer, const QString& mode) {
        QObject::connect(&timer, &QTimer::timeout, [mode] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* picker = qobject_cast<ui::TFileForm*>(modal)) {
                picker->List()->setCurrentRow(0);
                picker->ListBox1Click();
                QTest::mouseClick(picker->OkButton(), Qt::LeftButton);
            } else if (auto* control = qobject_cast<ui::TControlForm*>(modal)) {
                control->DisplayList()->setCurrentIndex(control->DisplayList()->findText(mode, Qt::MatchStartsWith));
                QTest::mouseClick(control->OkButton(), Qt::LeftButton);
            } else if (auto* confirm = qobject_cast<ui::TConfirmForm*>(modal)) {
                QTest::mouseClick(confirm->YesButton(), Qt::LeftButton);
            } else if (modal) {
                QTest::keyClick(modal, Qt::Key_Escape);
            }
        });
        timer.start(10);
    }

    static QPoint WindowPoint(const TMainForm& form, QPoint surface) {
        const QRect t = form.Target();
        return {t.left() + (surface.x() * t.width() + t.width() / 2) / form.Display().Width,
                t.top() + (surface.y() * t.height() + t.height() / 2) / form.Display().Height};
    }

    static auto Answer(std::int32_t mode) {
        return [mode](ui::TStartForm&, std::int32_t) { return mode; };
    }

private slots:
    void ARecordedBattlePlaysTheSameHeadlessAndWatched() {
        TempFolder folder;
        const QString from = QString::fromStdString(BuildProgramFolder());
        const QString to = QString::fromStdString(folder.Path());
        QVERIFY(QFile::copy(from + "/Tavrine.isd", to + "/Tavrine.isd"));
        folder.MakeFolder("NewGames");
        QVERIFY(QFile::copy(from + "/NewGames/01 Beachhead.gam", to + "/NewGames/01 Beachhead.gam"));
        QTimer dialogs;
        AnswerDialogs(dialogs, QStringLiteral("800"));

        // Recorded at 640 x 480: the view goes to the map's far corner, then the
        // player picks 800 x 600, which pulls the view back inside the map.
        {
            TMainForm form(folder.Path());
            QCOMPARE(form.FormCreate(Answer(0)), ui::StartUp::Play);
            form.FormShow();
            QCOMPARE(form.Display().Width, 640);
            QVERIFY(form.Commands().Label5Click());
            const Game& game = form.GameObject();
            QTRY_VERIFY_WITH_TIMEOUT(game.TicksRun() > 40 && !game.Run().FadeInPending, 10000);
            QVERIFY(form.Recorder().Active());
            const GameType& g = game.Record();
            form.Commands().DXDrawMouseMove(false, 320, 240);
            form.Commands().MiniMapMouseDown(1000, 1000);
            QTRY_VERIFY_WITH_TIMEOUT(game.TicksRun() > 60, 5000);
            QCOMPARE(g.ViewX + 640, g.MapWidth);
            form.Commands().Label7Click();
            QCOMPARE(form.Display().Width, 800);
            QCOMPARE(g.ViewX + 800, g.MapWidth);
            const long long modeChanged = game.TicksRun();
            QTRY_VERIFY_WITH_TIMEOUT(game.TicksRun() > modeChanged + 60, 5000);
            form.Recorder().End();
        }
        const QStringList kept = QDir(to + "/Replays").entryList({"*.replay"});
        QCOMPARE(kept.size(), 1);
        const auto bytes = ReadWholeFile(folder.Path() + "/Replays/" + kept[0].toStdString());
        QVERIFY(bytes);
        std::string error;
        const auto replay = ParseReplay(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), error);
        QVERIFY2(replay, error.c_str());
        QCOMPARE(replay->Start.ViewWidth, 640);

        // Headless, as tavrine-sim replay --verify plays it.
        {
            ScriptHost host(true);
            Game game(GamePaths::Portable(folder.Path()), host, 1);
            QVERIFY(game.LoadImageLibrary());
            NullCanvas fading(true);
            if (replay->Start.Fades) game.SetCanvas(&fading);
            ReplayPlayer player(game, host, *replay);
            QVERIFY(player.Start(error));
            while (player.Step()) {
            }
            const auto difference = player.Verify();
            QVERIFY2(!difference, difference ? difference->c_str() : "");
        }

        // Watched: paused at once, the viewer scrolls and clicks, then it plays fast.
        TMainForm form(folder.Path());
        form.FormCreate(Answer(1));
        form.PrepareReplay(*replay);
        form.FormShow();
        QVERIFY(form.StartReplay(error));
        QCOMPARE(form.Display().Width, 640);
        const ReplayPlayer& player = *form.Player();
        const Game& game = form.GameObject();
        const PanelState& panels = game.View().Panels;
        // The minimap slides in once the picture has faded in; then the viewer pauses.
        const auto corner = [&] {
            return ui::ToQRect(MinimapPictureRect(panels)).topLeft();
        };
        QTRY_VERIFY_WITH_TIMEOUT(player.Ticks() > 60 && panels.MinimapVisible &&
                                     PanelHitTest(panels, corner().x(), corner().y()) == PanelPart::Minimap,
                                 5000);
        QTest::keyClick(&form, Qt::Key_Space);
        QVERIFY(form.ReplayPaused());
        const long long pausedAt = player.Ticks();
        const std::int32_t viewX = game.Record().ViewX, viewY = game.Record().ViewY;
        // The window hands the viewer its keys and clicks (the viewer's own rules:
        // tests/game/replay_viewer_test.cpp). The minimap's top-left corner brings
        // the viewer to the map's, far from the player's view. (A pixel inside: the
        // scaled picture may round the corner onto the border.)
        QTest::mouseClick(&form, Qt::LeftButton, {}, WindowPoint(form, corner() + QPoint(1, 1)));
        QVERIFY(form.Viewer().Shown());
        QCOMPARE(form.Viewer().Shown()->X, 0);
        QCOMPARE(form.Viewer().Shown()->Y, 0);
        QTest::keyPress(&form, Qt::Key_Right);
        QTRY_VERIFY(form.Viewer().Shown()->X > 0);
        QTest::keyRelease(&form, Qt::Key_Right);
        // Nothing of the viewer reached the battle, which stood still.
        QTest::mouseClick(&form, Qt::LeftButton, {}, WindowPoint(form, {300, 200}));
        QTest::mouseClick(&form, Qt::RightButton, {}, WindowPoint(form, {320, 220}));
        QTest::keyClick(&form, Qt::Key_P);
        QTest::qWait(100);
        QCOMPARE(player.Ticks(), pausedAt);
        QVERIFY(!game.Paused());
        QCOMPARE(game.Record().ViewX, viewX);
        QCOMPARE(game.Record().ViewY, viewY);

        // Fast.
        for (int i = 0; i < 3; ++i) QTest::keyClick(&form, Qt::Key_Plus);
        QTest::keyClick(&form, Qt::Key_Minus);
        QCOMPARE(form.ReplaySpeed(), 4);
        QTest::keyClick(&form, Qt::Key_Space);
        QVERIFY(!form.ReplayPaused());
        QTRY_VERIFY_WITH_TIMEOUT(player.Over(), 20000);
        const auto difference = player.Verify();
        QVERIFY2(!difference, difference ? difference->c_str() : "");
        // The surface followed the player's change of mode.
        QCOMPARE(form.Display().Width, 800);
        QCOMPARE(form.Surface().Width(), 800);
    }
};

TAVRINE_UI_SUITE(ReplayWindowTest);

}  // namespace tavrine::test

#include "ui_replay_test.moc"
