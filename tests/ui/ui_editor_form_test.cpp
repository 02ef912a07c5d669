// The map editor's tool window with a real main window in the editing mode:
// the latching tool buttons and the fog button reaching the editor, an outline
// traced with the mouse and applied by the right button, undo and redo from the
// keyboard, the new-map button through the New Game dialog, the S key opening
// the image library editor, and a picture dropped from it onto the map.
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "state/saved_game.h"
#include "ui/EditorUnit.h"
#include "ui/ImageUnit.h"
#include "ui/MainUnit.h"
#include "ui/NewGameUnit.h"
#include "ui/StartUnit.h"
#include "ui_suites.h"

namespace tavrine::test {

using ui::TMainForm;

class EditorFormTest final : public QObject {
    Q_OBJECT

    /// A program folder with the build's library.
    struct Program {
        Program() {
            QFile::copy(QString::fromStdString(BuildProgramFolder() + "/Tavrine.isd"),
                        QString::fromStdString(folder.Path() + "/Tavrine.isd"));
        }
        TempFolder folder;
    };

    /// The main window in the editing mode with its editor windows.
    struct Editing {
        Editing() : form(program.folder.Path()) {
            windows = ui::MakeEditorWindows(form);
            form.FormCreate([](ui::TStartForm&, std::int32_t) { return ui::kEditingModeChoice; });
            form.FormShow();
        }
        /// The window point of a map pixel (the editing surface is shown 1:1).
        QPoint At(int x, int y) {
            const GameType& g = form.GameObject().Record();
            return QPoint(x - g.ViewX, y - g.ViewY);
        }
        /// The centre of a cell, in window points.
        QPoint Cell(int column, int row) { return At(column * 36 + 18, row * 36 + 18); }
        void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
            QMouseEvent press(QEvent::MouseButtonPress, at, form.mapToGlobal(at), button, button, {});
            QApplication::sendEvent(&form, &press);
            QMouseEvent release(QEvent::MouseButtonRelease, at, form.mapToGlobal(at), button, {}, {});
            QApplication::sendEvent(&form, &release);
        }
        void Move(QPoint at) {
            QMouseEvent move(QEvent::MouseMove, at, form.mapToGlobal(at), Qt::NoButton, {}, {});
            QApplication::sendEvent(&form, &move);
        }
        const GameType& Record() { return form.GameObject().Record(); }

        Program program;
        TMainForm form;
        ui::EditorWindows windows;
    };

private slots:
    void TheWindowAndItsButtonsDriveTheEditor() {
        Editing e;
        ui::TEditorForm& tools = *e.windows.MapEditor;
        QCOMPARE(tools.windowTitle(), QStringLiteral("Game Editor"));
        QVERIFY(tools.isVisible());
        QCOMPARE(tools.size(), QSize(328, 32));
        QVERIFY(tools.windowFlags() & Qt::Tool);
        QVERIFY(!(tools.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(tools.CurrentTool(), -1);

        // The seven buttons of the group latch one at a time.
        for (int tool = 0; tool < 6; ++tool) {
            tools.ToolButtons[static_cast<std::size_t>(tool)]->click();
            QCOMPARE(tools.CurrentTool(), tool);
            QCOMPARE(e.form.MapEditor().CurrentTool(), tool);
        }
        QVERIFY(!tools.ToolButtons[0]->isChecked());
        tools.ToolButton9->click();
        QCOMPARE(e.form.MapEditor().CurrentTool(), -1);
        QVERIFY(!tools.ToolButtons[5]->isChecked());

        tools.ToolButton8->click();
        QVERIFY(e.form.MapEditor().FogShown());
        tools.ToolButton8->click();
        QVERIFY(!e.form.MapEditor().FogShown());
        // The fog button is not one of the tools.
        QCOMPARE(tools.CurrentTool(), -1);
    }

    void AnOutlineTracedWithTheMouseIsLaidByTheRightButtonAndUndone() {
        Editing e;
        const Bytes blank = SerializeGame(e.Record());
        e.windows.MapEditor->ToolButtons[0]->click();
        e.Press(e.Cell(2, 2));
        for (QPoint corner : {e.Cell(5, 2), e.Cell(5, 5), e.Cell(2, 5), e.Cell(2, 3)}) {
            e.Move(corner);
            e.Press(corner);
        }
        QVERIFY(e.form.GameObject().Run().EditDrawing);
        e.Press(e.Cell(7, 7), Qt::RightButton);
        QVERIFY(!e.form.GameObject().Run().EditDrawing);
        QCOMPARE(e.Record().Cell(2, 2).Ground, (ImageRef{0, 2, 1, 8}));
        QCOMPARE(e.Record().Cell(5, 5).Ground, (ImageRef{0, 2, 1, 10}));
        const Bytes outlined = SerializeGame(e.Record());

        QTest::keyClick(&e.form, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(SerializeGame(e.Record()) == blank);
        QTest::keyClick(&e.form, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(SerializeGame(e.Record()) == outlined);
        // Keys typed into the tool window reach the main window.
        QTest::keyClick(e.windows.MapEditor, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(SerializeGame(e.Record()) == blank);
    }

    void TheFillAsksFirstAndNoIsNoFill() {
        Editing e;
        e.windows.MapEditor->ToolButtons[2]->click();
        QString caption, text;
        Later(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            caption = box->windowTitle();
            text = box->text();
            box->button(QMessageBox::No)->click();
        });
        e.Press(e.Cell(3, 3));
        QCOMPARE(caption, QStringLiteral("Fill"));
        QCOMPARE(text, QStringLiteral("Fill Land ?"));
        QCOMPARE(e.Record().Cell(3, 3).Ground, (ImageRef{0, 0, 0, 0}));

        Later(0, [&] { qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->button(QMessageBox::Yes)->click(); });
        e.Press(e.Cell(3, 3));
        QCOMPARE(e.Record().Cell(3, 3).Ground, (ImageRef{0, 1, 0, 0}));
        // The whole sea became land.
        QCOMPARE(e.Record().Cell(70, 50).Ground, (ImageRef{0, 1, 0, 0}));
    }

    void TheNewMapButtonAsksForTheSize() {
        Editing e;
        Later(0, [&] {
            auto* dialog = qobject_cast<ui::TNewGameForm*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->ColumnField()->setValue(45);
            dialog->RowField()->setValue(35);
            QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        });
        e.windows.MapEditor->ToolButton11->click();
        QCOMPARE(e.Record().Columns, 45);
        QCOMPARE(e.Record().Rows, 35);
        QTest::keyClick(&e.form, Qt::Key_Z, Qt::ControlModifier);
        // The new map is undone as one step.
        QCOMPARE(e.Record().Columns, 80);
    }

    void TheSKeyOpensTheLibraryAndItsPicturesDropOntoTheMap() {
        Editing e;
        ui::TImageForm& images = *e.windows.ImageEditor;
        QVERIFY(!images.isVisible());
        QTest::keyClick(&e.form, Qt::Key_S);
        QVERIFY(images.isVisible());
        QVERIFY(images.Tree()->topLevelItemCount() > 4);

        const QPoint at = e.Cell(6, 4);
        const auto dropAt = [&](const ImageRef& picture) {
            std::unique_ptr<QMimeData> data(ui::PictureMime(picture));
            // Straight to the window's handlers, as the drag manager delivers them.
            QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, {});
            static_cast<QObject&>(e.form).event(&enter);
            if (!enter.isAccepted()) return false;
            QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, {});
            static_cast<QObject&>(e.form).event(&drop);
            return drop.isAccepted();
        };
        // A piece of land, then a computer tank (side 1, model 0, facing 12) on it.
        QVERIFY(dropAt(ImageRef{0, 1, 0, 0}));
        QCOMPARE(e.Record().Cell(6, 4).Ground, (ImageRef{0, 1, 0, 0}));
        QVERIFY(dropAt(ImageRef{4, 1, 0, 12}));
        QCOMPARE(e.Record().Tanks.size(), std::size_t(1));
        QCOMPARE(e.Record().Tanks[0]->Image.Subgroup, 1);

        // Anything else dragged in is turned away.
        QMimeData text;
        text.setText(QStringLiteral("4 1 0 12"));
        QDropEvent other(QPointF(at), Qt::CopyAction, &text, Qt::LeftButton, {});
        static_cast<QObject&>(e.form).event(&other);
        QVERIFY(!other.isAccepted());
        QCOMPARE(e.Record().Tanks.size(), std::size_t(1));
    }
};

TAVRINE_UI_SUITE(EditorFormTest);

}  // namespace tavrine::test

#include "ui_editor_form_test.moc"
