// The start dialog: the display list and its preselection, the buttons, the
// hidden entry to the editing mode, help and the two addresses.
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include "ui/StartUnit.h"
#include "ui_suites.h"

namespace tavrine::test {

using ui::TStartForm;

/// Records the addresses the dialog asks the desktop to open.
class UrlCatcher final : public QObject {
    Q_OBJECT
public slots:
    void Open(const QUrl& url) { opened.push_back(url); }

public:
    std::vector<QUrl> opened;
};

class StartDialogTest final : public QObject {
    Q_OBJECT
    const std::vector<DisplayMode> allModes{{640, 480, 16}, {800, 600, 16}, {1024, 768, 16}};

private slots:
    void ListsTheTableModesTheScreenOffersAndPrefers800By600() {
        TStartForm form({});
        // The driver's order, with a foreign mode and a duplicate among them.
        form.FillDisplayModes({{1024, 768, 16}, {1280, 1024, 32}, {640, 480, 16}, {800, 600, 16}, {640, 480, 16}});
        QComboBox* list = form.DisplayList();
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(0), QStringLiteral("1024 by 768, High Color (16 bit)"));
        QCOMPARE(list->itemText(1), QStringLiteral("640 by 480, High Color (16 bit)"));
        QCOMPARE(list->currentText(), QStringLiteral("800 by 600, High Color (16 bit)"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tavrine 1.0"));
        QCOMPARE(form.size(), QSize(464, 289));
    }

    void TheStoredModeIsPreselectedOnlyWhenOffered() {
        TStartForm all({});
        all.FillDisplayModes(allModes);
        all.Preselect(2);
        QCOMPARE(all.DisplayList()->currentIndex(), 2);

        TStartForm small({});
        small.FillDisplayModes({{640, 480, 16}, {800, 600, 16}});
        small.Preselect(2);
        QCOMPARE(small.DisplayList()->currentText(), QStringLiteral("800 by 600, High Color (16 bit)"));
        small.Preselect(-1);
        QCOMPARE(small.DisplayList()->currentIndex(), 1);
        small.Preselect(0);
        QCOMPARE(small.DisplayList()->currentIndex(), 0);
    }

    void PlayAnswersTheSelectedModeAndCancelNothing() {
        TStartForm form({});
        form.FillDisplayModes(allModes);
        Later(0, [&] {
            form.DisplayList()->setCurrentIndex(0);
            QTest::mouseClick(form.PlayButton(), Qt::LeftButton);
        });
        QCOMPARE(form.ShowStartDialog(-1), 0);

        TStartForm cancelled({});
        cancelled.FillDisplayModes(allModes);
        Later(0, [&] { QTest::mouseClick(cancelled.CancelButton(), Qt::LeftButton); });
        QCOMPARE(cancelled.ShowStartDialog(1), ui::kNoChoice);

        TStartForm escaped({});
        escaped.FillDisplayModes(allModes);
        Later(0, [&] { QTest::keyClick(&escaped, Qt::Key_Escape); });
        QCOMPARE(escaped.ShowStartDialog(1), ui::kNoChoice);

        TStartForm closed({});
        closed.FillDisplayModes(allModes);
        Later(0, [&] { closed.close(); });
        QCOMPARE(closed.ShowStartDialog(1), ui::kNoChoice);
    }

    void WithNoModePlayDoesNothing() {
        TStartForm form({});
        form.FillDisplayModes({{1280, 1024, 32}});
        QCOMPARE(form.DisplayList()->count(), 0);
        form.show();
        QTest::mouseClick(form.PlayButton(), Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(form.ChosenMode(), ui::kNoChoice);
    }

    void TheHiddenEntryNeedsShiftCtrlAndTheCornerSquare() {
        TStartForm form({});
        form.FillDisplayModes(allModes);
        form.show();
        QLabel* picture = form.TitlePicture();
        const Qt::KeyboardModifiers both = Qt::ShiftModifier | Qt::ControlModifier;
        // Presses that must do nothing: one key missing, a third key, the right
        // button, just outside the square.
        QTest::mousePress(picture, Qt::LeftButton, Qt::ShiftModifier, QPoint(4, 4));
        QTest::mousePress(picture, Qt::LeftButton, both | Qt::AltModifier, QPoint(4, 4));
        QTest::mousePress(picture, Qt::RightButton, both, QPoint(4, 4));
        QTest::mousePress(picture, Qt::LeftButton, both, QPoint(9, 4));
        QTest::mousePress(picture, Qt::LeftButton, both, QPoint(4, 9));
        QVERIFY(form.isVisible());
        QCOMPARE(form.ChosenMode(), ui::kNoChoice);

        QTest::mousePress(picture, Qt::LeftButton, both, QPoint(8, 8));
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.ChosenMode(), ui::kEditingModeChoice);
    }

    void HelpShowsTheGuideAndTheAddressesGoToTheDesktop() {
        TempFolder folder;
        folder.Write("Tavrine.hlp", "<html><body><h1 id=\"top\">Guide</h1><p>Tanks and towers.</p></body></html>");
        TStartForm form(folder.Path());
        form.show();
        QTest::mouseClick(form.HelpButton(), Qt::LeftButton);
        QVERIFY(form.Help());
        QVERIFY(form.Help()->isVisible());
        QVERIFY(form.Help()->Browser()->toPlainText().contains(QStringLiteral("Tanks and towers.")));
        QVERIFY(form.isVisible());

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "Open");
        QTest::mouseClick(form.HomePageButton(), Qt::LeftButton);
        QTest::mouseClick(form.SupportButton(), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(catcher.opened.size(), std::size_t{2});
        QCOMPARE(catcher.opened[0], QUrl(QString::fromLatin1(ui::kHomePageUrl)));
        QCOMPARE(catcher.opened[1].scheme(), QStringLiteral("mailto"));
        QVERIFY(form.isVisible());
    }
};

TAVRINE_UI_SUITE(StartDialogTest);

}  // namespace tavrine::test

#include "ui_start_dialog_test.moc"
