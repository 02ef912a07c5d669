// The game file picker: its two folders, the "[New Game]" rows, the name field,
// what "OK" accepts and what it answers.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "ui/FileUnit.h"
#include "ui_suites.h"

namespace tavrine::test {

using ui::TFileForm;

class FilePickerTest final : public QObject {
    Q_OBJECT

    /// SaveGames with two games, a hidden file and a folder; NewGames with two
    /// maps, one of them named like a saved game.
    struct Folders {
        Folders() {
            root.Write("SaveGames/b.gam", "1");
            root.Write("SaveGames/A.gam", "2");
            root.Write("SaveGames/.hidden", "3");
            root.MakeFolder("SaveGames/sub");
            root.Write("NewGames/x map.gam", "4");
            root.Write("NewGames/b.gam", "5");
        }
        QString NewGames() const { return QString::fromStdString(root.Path() + "/NewGames"); }
        QString SaveGames() const { return QString::fromStdString(root.Path() + "/SaveGames"); }
        TempFolder root;
    };

    static QStringList Rows(const QListWidget& list) {
        QStringList rows;
        for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
        return rows;
    }

    static void ClickRow(TFileForm& form, int row) {
        QListWidget* list = form.List();
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

private slots:
    void SavingListsOnlyTheSavedGamesSortedWithoutCase() {
        Folders f;
        TFileForm form;
        form.Fill(f.NewGames(), f.SaveGames(), FilePickerMode::Save);
        QCOMPARE(Rows(*form.List()), (QStringList{QStringLiteral("A.gam"), QStringLiteral("b.gam")}));
        QCOMPARE(form.SavedCount(), 2);
        QCOMPARE(form.Caption(), QStringLiteral("Save  Game"));
        QVERIFY(form.NameField()->isEnabled());
        QCOMPARE(form.size(), QSize(422, 290));
    }

    void LoadingAppendsThePreparedMapsAndLocksTheNameField() {
        Folders f;
        TFileForm form;
        form.Fill(f.NewGames(), f.SaveGames(), FilePickerMode::Load);
        QCOMPARE(Rows(*form.List()), (QStringList{QStringLiteral("A.gam"), QStringLiteral("b.gam"), QStringLiteral("b.gam"),
                                                 QStringLiteral("x map.gam")}));
        QCOMPARE(form.SavedCount(), 2);
        QCOMPARE(form.Caption(), QStringLiteral("Load Game"));
        QVERIFY(!form.NameField()->isEnabled());
    }

    void ThePickedRowSaysWhichFolderTheNameIsFrom() {
        Folders f;
        TFileForm form;
        form.Fill(f.NewGames(), f.SaveGames(), FilePickerMode::Load);
        form.show();
        // The same name twice: the flag follows the row.
        ClickRow(form, 2);
        QCOMPARE(form.NameField()->text(), QStringLiteral("b.gam"));
        QTest::mouseClick(form.OkButton(), Qt::LeftButton);
        QCOMPARE(form.Pick().Name, std::string("b.gam"));
        QVERIFY(form.Pick().FromNewGames);

        TFileForm again;
        again.Fill(f.NewGames(), f.SaveGames(), FilePickerMode::Load);
        again.show();
        ClickRow(again, 1);
        QTest::mouseClick(again.OkButton(), Qt::LeftButton);
        QCOMPARE(again.Pick().Name, std::string("b.gam"));
        QVERIFY(!again.Pick().FromNewGames);
    }

    void ADoubleClickOnARowIsOk() {
        Folders f;
        TFileForm form;
        form.Fill(f.NewGames(), f.SaveGames(), FilePickerMode::Load);
        form.show();
        QListWidget* list = form.List();
        const QPoint at = list->visualItemRect(list->item(3)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.Pick().Name, std::string("x map.gam"));
        QVERIFY(form.Pick().FromNewGames);
    }

    void OkRefusesBadNamesSayingWhyAndKeepsBlanksAroundGoodOnes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("why");  // empty: accepted
        QTest::newRow("empty") << QString() << QStringLiteral("no name was given");
        QTest::newRow("blank") << QStringLiteral("   ") << QStringLiteral("no name was given");
        QTest::newRow("folder") << QStringLiteral("../escape") << QStringLiteral("folder separator");
        QTest::newRow("backslash") << QStringLiteral("a\\b") << QStringLiteral("folder separator");
        QTest::newRow("dot") << QStringLiteral(".hidden") << QStringLiteral("begins with a dot");
        QTest::newRow("plain") << QStringLiteral("Battle one") << QString();
        QTest::newRow("blanks kept") << QStringLiteral("  spaced  ") << QString();
    }
    void OkRefusesBadNamesSayingWhyAndKeepsBlanksAroundGoodOnes() {
        QFETCH(QString, name);
        QFETCH(QString, why);
        Folders f;
        TFileForm form;
        QStringList shown;
        form.ReportProblem = [&](const QString& text) { shown << text; };
        form.Fill(f.NewGames(), f.SaveGames(), FilePickerMode::Save);
        form.show();
        form.NameField()->setText(name);
        QTest::mouseClick(form.OkButton(), Qt::LeftButton);
        const bool accepted = why.isEmpty();
        QCOMPARE(!form.isVisible(), accepted);
        QCOMPARE(QString::fromStdString(form.Pick().Name), accepted ? name : QString());
        QVERIFY(!form.Pick().FromNewGames);
        QCOMPARE(shown.size(), accepted ? 0 : 1);
        if (!accepted) QVERIFY2(shown[0].startsWith(QStringLiteral("Invalid game name: ")) && shown[0].contains(why),
                                qPrintable(shown[0]));
    }

    void LoadingWithNothingPickedSaysSoAndStaysOpen() {
        Folders f;
        TFileForm form;
        QStringList shown;
        form.ReportProblem = [&](const QString& text) { shown << text; };
        form.Fill(f.NewGames(), f.SaveGames(), FilePickerMode::Load);
        form.show();
        QTest::mouseClick(form.OkButton(), Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(shown, QStringList{QString::fromLatin1(ui::kPickAGameMessage)});
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QVERIFY(form.Pick().Name.empty());
    }

    void TheNameFollowsARowReachedByTheKeys() {
        Folders f;
        TFileForm form;
        form.Fill(f.NewGames(), f.SaveGames(), FilePickerMode::Load);
        form.show();
        ClickRow(form, 0);
        form.List()->setFocus();
        QTest::keyClick(form.List(), Qt::Key_Down);
        QTest::keyClick(form.List(), Qt::Key_Down);
        QCOMPARE(form.NameField()->text(), QStringLiteral("b.gam"));
        QTest::keyClick(form.List(), Qt::Key_Down);
        QCOMPARE(form.NameField()->text(), QStringLiteral("x map.gam"));
        QTest::keyClick(form.List(), Qt::Key_Return);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.Pick().Name, std::string("x map.gam"));
        QVERIFY(form.Pick().FromNewGames);
    }

    void TypingStopsAt30CharactersButPickedNamesStayWhole() {
        Folders f;
        const std::string longName = "A very long name for a saved battle.gam";
        f.root.Write("SaveGames/" + longName, "6");
        TFileForm form;
        form.Fill(f.NewGames(), f.SaveGames(), FilePickerMode::Save);
        form.show();
        QListWidget* list = form.List();
        const auto found = list->findItems(QString::fromStdString(longName), Qt::MatchExactly);
        QCOMPARE(found.size(), qsizetype(1));
        ClickRow(form, list->row(found.first()));
        QCOMPARE(form.NameField()->text().toStdString(), longName);
        QTest::keyClick(form.NameField(), Qt::Key_Backspace);
        QCOMPARE(form.NameField()->text().size(), qsizetype(longName.size() - 1));

        form.NameField()->clear();
        QTest::keyClicks(form.NameField(), QString(40, QLatin1Char('x')));
        QCOMPARE(form.NameField()->text(), QString(30, QLatin1Char('x')));
        QTest::mouseClick(form.OkButton(), Qt::LeftButton);
        QCOMPARE(form.Pick().Name, std::string(30, 'x'));
    }

    void MissingFoldersGiveNoRows() {
        TempFolder empty;
        const QString nowhere = QString::fromStdString(empty.Path() + "/none");
        TFileForm form;
        form.Fill(nowhere, nowhere, FilePickerMode::Load);
        QCOMPARE(form.List()->count(), 0);
        QCOMPARE(form.SavedCount(), 0);
    }

    void SavedRowsAreGreenAndBoldPreparedMapsSayNewGame() {
        Folders f;
        TFileForm form;
        form.Fill(f.NewGames(), f.SaveGames(), FilePickerMode::Load);
        form.show();
        const QImage shot = form.List()->viewport()->grab().toImage();
        const auto greenIn = [&](int row) {
            const QRect r = form.List()->visualItemRect(form.List()->item(row));
            int green = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left() + 18; x < r.left() + 80; ++x) {
                    const QColor c = shot.pixelColor(x, y);
                    green += c.green() > 90 && c.red() < 60 && c.blue() < 60;
                }
            return green;
        };
        // Pixels of the saved game's green name, none in a prepared map's black one.
        QVERIFY(greenIn(0) > 10);
        QCOMPARE(greenIn(3), 0);
        const auto inkRightOf = [&](int row, int fromX) {
            const QRect r = form.List()->visualItemRect(form.List()->item(row));
            int ink = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = fromX; x <= r.right(); ++x) ink += shot.pixelColor(x, y).lightness() < 100;
            return ink;
        };
        // "[New Game]" is written at the right end of the prepared maps' rows only.
        const int right = form.List()->visualItemRect(form.List()->item(0)).right() - 70;
        QCOMPARE(inkRightOf(0, right), 0);
        QVERIFY(inkRightOf(3, right) > 20);
    }
};

TAVRINE_UI_SUITE(FilePickerTest);

}  // namespace tavrine::test

#include "ui_file_picker_test.moc"
