// The animated cursors: loading the 22 files, a missing or bad file leaving its
// number without a cursor, the hot spots, and the animation's steps.
#include <QDir>
#include <QFile>
#include <QTest>
#include <QWidget>

#include "ui/CursorSet.h"
#include "ui_suites.h"

namespace tavrine::test {

class CursorTest final : public QObject {
    Q_OBJECT

    /// A program folder holding a copy of the build's generated cursors.
    static void CopyCursors(const TempFolder& folder) {
        folder.MakeFolder("Cursors");
        for (int n = 1; n <= ui::kCursorCount; ++n) {
            const QString name = QStringLiteral("/Cursors/%1.ani").arg(n);
            QFile::copy(QString::fromStdString(BuildProgramFolder()) + name, QString::fromStdString(folder.Path()) + name);
        }
    }

private slots:
    void AllTwentyTwoLoadWithTheirHotSpots() {
        TempFolder folder;
        CopyCursors(folder);
        QWidget view;
        ui::CursorSet cursors(&view);
        QCOMPARE(cursors.Load(folder.Path()), ui::kCursorCount);

        const auto file = LoadAnimatedCursor(folder.Path() + "/Cursors/17.ani");
        QVERIFY(file);
        const ui::QtAnimatedCursor qt = ui::ToQtCursor(*file);
        QCOMPARE(qt.Frames.size(), file->Frames.size());
        QCOMPARE(qt.Frames[0].hotSpot(), QPoint(file->Frames[0].HotX, file->Frames[0].HotY));
        QCOMPARE(qt.Frames[0].pixmap().size(), QSize(file->Frames[0].Width, file->Frames[0].Height));

        cursors.SetCursor(CursorPointer);
        QCOMPARE(cursors.Current(), 17);
        QCOMPARE(view.cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(view.cursor().hotSpot(), qt.Frames[0].hotSpot());
    }

    void MissingOrBadFilesLeaveTheirNumbersUnset() {
        TempFolder folder;
        CopyCursors(folder);
        QFile::remove(QString::fromStdString(folder.Path() + "/Cursors/3.ani"));
        folder.Write("Cursors/5.ani", "RIFF, but no animated cursor in it");
        QWidget view;
        ui::CursorSet cursors(&view);
        QCOMPARE(cursors.Load(folder.Path()), ui::kCursorCount - 2);
        QVERIFY(!cursors.Has(3));
        QVERIFY(!cursors.Has(5));
        QVERIFY(cursors.Has(4));
        QVERIFY(!cursors.Has(0));
        QVERIFY(!cursors.Has(23));

        cursors.SetCursor(4);
        QCOMPARE(view.cursor().shape(), Qt::BitmapCursor);
        cursors.SetCursor(5);  // no such cursor: the desktop's arrow
        QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);

        TempFolder empty;
        ui::CursorSet none(&view);
        QCOMPARE(none.Load(empty.Path()), 0);
    }

    void AnimatedCursorsStepAtTheirRatesAndLoop() {
        TempFolder folder;
        CopyCursors(folder);
        QWidget view;
        ui::CursorSet cursors(&view);
        cursors.Load(folder.Path());
        // The first animated cursor of the set.
        int animated = 0;
        std::size_t steps = 0;
        for (int n = 1; n <= ui::kCursorCount && !animated; ++n) {
            const auto file = LoadAnimatedCursor(folder.Path() + "/Cursors/" + std::to_string(n) + ".ani");
            if (file && file->Steps.size() > 1) {
                animated = n;
                steps = file->Steps.size();
                QVERIFY(ui::StepMilliseconds(file->Steps[0]) > 0);
            }
        }
        QVERIFY2(animated, "the generated set has an animated cursor");
        cursors.SetCursor(animated);
        QCOMPARE(cursors.StepShowing(), std::size_t{0});
        for (std::size_t i = 1; i <= steps; ++i) cursors.Advance();
        QCOMPARE(cursors.StepShowing(), std::size_t{0});
        QTRY_VERIFY_WITH_TIMEOUT(cursors.StepShowing() != 0, 3000);
        // Setting the cursor showing again keeps its animation where it is.
        const std::size_t now = cursors.StepShowing();
        cursors.SetCursor(animated);
        QCOMPARE(cursors.StepShowing(), now);

        QCOMPARE(ui::StepMilliseconds(CursorStep{0, 6}), 100);
        QCOMPARE(ui::StepMilliseconds(CursorStep{0, 1}), 17);
    }

    void OverThePanelsTheArrowShowsUntilTheMouseLeavesThem() {
        TempFolder folder;
        CopyCursors(folder);
        QWidget view;
        ui::CursorSet cursors(&view);
        cursors.Load(folder.Path());
        cursors.SetCursor(18);
        cursors.SetSuspended(true);
        QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);
        cursors.SetCursor(19);
        QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);
        cursors.SetSuspended(false);
        QCOMPARE(cursors.Current(), 19);
        QCOMPARE(view.cursor().shape(), Qt::BitmapCursor);
    }
};

TAVRINE_UI_SUITE(CursorTest);

}  // namespace tavrine::test

#include "ui_cursor_test.moc"
