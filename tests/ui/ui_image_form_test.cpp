// The image library editor offscreen: its window and controls, the tree and the
// thumbnails it shows, every toolbar button with scripted file answers, the
// errors for unreadable files, saving, playing, and the picture drag format.
#include <QListWidget>
#include <QMimeData>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "data/bmp.h"
#include "data/library_file.h"
#include "data/wave.h"
#include "editor/library_edit.h"
#include "game/game.h"
#include "ui/ImageUnit.h"
#include "ui/MainUnit.h"
#include "ui_suites.h"

namespace tavrine::test {

using ui::FileDialogKind;
using ui::FileRequest;
using ui::TImageForm;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu, kClear = 0x00FF00FFu;

std::string BmpText(std::int32_t width, std::int32_t height, std::uint32_t colour, bool clearCorner = false) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), colour);
    if (clearCorner) pixels[0] = kClear;
    const Bytes b = EncodeBmpRecord(width, height, pixels);
    return std::string(b.begin(), b.end());
}

std::string WavText(std::uint8_t sample) {
    const Bytes b = EncodeWaveFile({{1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x22, 0x56, 0, 0, 1, 0, 8, 0}, {sample}});
    return std::string(b.begin(), b.end());
}

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

/// Group 0: subgroup 0 with a list of three one-pixel pictures (red, green,
/// blue); group 1: empty; group 2: subgroup 0 with a list of one 4 x 2 picture;
/// two sounds.
ImageLibrary SampleLibrary() {
    ImageLibrary lib;
    for (int g = 0; g < 3; ++g) AddGroup(lib);
    AddSubgroup(lib, 0);
    AddList(lib, 0, 0);
    for (std::uint32_t c : {kRed, kGreen, kBlue}) AppendPicture(lib, {0, 0, 0, 0}, AsBytes(BmpText(1, 1, c)));
    AddSubgroup(lib, 2);
    AddList(lib, 2, 0);
    AppendPicture(lib, {2, 0, 0, 0}, AsBytes(BmpText(4, 2, kBlue, true)));
    AppendSound(lib, AsBytes(WavText(1)));
    AppendSound(lib, AsBytes(WavText(2)));
    return lib;
}

/// A game that only records what the window asked of it.
class RecordingHost final : public ui::ImageEditorHost {
public:
    ImageLibrary library = SampleLibrary();
    bool saveSucceeds = true;
    std::vector<std::string> calls;
    ImageLibrary& Library() override { return library; }
    bool SaveLibrary() override {
        calls.push_back("save");
        return saveSucceeds;
    }
    void LibraryChanged() override { calls.push_back("changed"); }
    void PlaySound(std::int32_t index) override { calls.push_back("play " + std::to_string(index)); }
};

/// The window over a recording host, with scripted file answers and errors.
struct Fixture {
    Fixture() : form(host, BuildProgramFolder()) {
        form.AskFile = [this](const FileRequest& r) {
            requests.push_back(r);
            if (answers.empty()) return QString();
            const QString next = answers.front();
            answers.erase(answers.begin());
            return next;
        };
        form.ReportError = [this](const QString& caption, const QString& text) { errors.push_back(caption + ": " + text); };
        form.OpenImageEditor();
    }
    QString File(const std::string& name, const std::string& bytes) {
        folder.Write(name, bytes);
        return QString::fromStdString(folder.Path() + "/" + name);
    }
    /// Selects the node at the path of indices (group, subgroup, list).
    void Select(std::initializer_list<int> path) {
        QTreeWidgetItem* item = nullptr;
        for (int i : path) item = item ? item->child(i) : form.Tree()->topLevelItem(i);
        form.Tree()->setCurrentItem(item);
    }
    QStringList Captions(QListWidget* view) const {
        QStringList out;
        for (int i = 0; i < view->count(); ++i) out << view->item(i)->text();
        return out;
    }
    std::vector<std::uint32_t> Colours(const ImageRef& list) const {
        std::vector<std::uint32_t> out;
        for (const Picture& p : FindList(host.library, list)->Pictures) out.push_back(p.Pixels.at(0));
        return out;
    }
    Bytes LibraryBytes() const { return *WriteLibraryFile(host.library); }

    TempFolder folder;
    RecordingHost host;
    TImageForm form;
    std::vector<QString> answers;
    std::vector<FileRequest> requests;
    QStringList errors;
};

}  // namespace

class ImageFormTest final : public QObject {
    Q_OBJECT
private slots:
    void TheWindowItsControlsAndItsButtonsInOrder() {
        Fixture f;
        QCOMPARE(f.form.windowTitle(), QStringLiteral("ImageEditor"));
        QCOMPARE(f.form.size(), QSize(650, 517));
        QVERIFY(f.form.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(f.form.windowType(), Qt::Tool);
        QVERIFY(!(f.form.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(f.form.isVisible());
        QStringList names;
        for (QAction* a : f.form.ToolBar()->actions())
            if (!a->isSeparator()) names << a->objectName();
        QCOMPARE(names, QStringList({"ToolButton1", "ToolButton6", "ToolButton2", "ToolButton3", "ToolButton4",
                                     "ToolButton16", "ToolButton9", "ToolButton10", "ToolButton11", "ToolButton12",
                                     "ToolButton14", "ToolButton15"}));
        QCOMPARE(f.form.ToolBar()->height(), 25);
        QCOMPARE(f.form.Tree()->width(), 129);
        QCOMPARE(f.form.findChild<QSplitter*>("Splitter1")->handleWidth(), 3);
        QCOMPARE(f.form.SoundView()->height(), 76);
        QCOMPARE(f.form.SoundView()->iconSize(), QSize(32, 32));
        QVERIFY(f.form.PictureView()->dragEnabled());
        // A toolbar button runs its handler: ToolButton6 adds a group.
        f.form.findChild<QAction*>("ToolButton6")->trigger();
        QCOMPARE(f.host.library.Images.size(), 4u);
    }

    void TheTreeShowsTheLibraryAndStartsOnSubgroupZero() {
        Fixture f;
        QTreeWidget* tree = f.form.Tree();
        QCOMPARE(tree->topLevelItemCount(), 3);
        QCOMPARE(tree->topLevelItem(2)->text(0), QStringLiteral("2"));
        QCOMPARE(tree->topLevelItem(1)->childCount(), 0);
        QCOMPARE(tree->topLevelItem(0)->child(0)->child(0)->text(0), QStringLiteral("0"));
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0)->child(0));
        QVERIFY(!f.form.SelectedList());
        QCOMPARE(f.form.PictureView()->count(), 0);
        QCOMPARE(f.Captions(f.form.SoundView()), QStringList({"0", "1"}));

        // Showing the window again does not refill it; opening it does.
        f.host.library.Images.clear();
        f.form.hide();
        f.form.show();
        QCOMPARE(tree->topLevelItemCount(), 3);
        f.form.OpenImageEditor();
        QCOMPARE(tree->topLevelItemCount(), 0);
        QVERIFY(!tree->currentItem());
    }

    void ThumbnailsAreCaptionedByFrameAndDrawnAsTheViewShowsThem() {
        Fixture f;
        f.Select({0, 0, 0});
        QCOMPARE(f.form.SelectedList(), (ImageRef{0, 0, 0, 0}));
        QCOMPARE(f.Captions(f.form.PictureView()), QStringList({"0", "1", "2"}));
        QCOMPARE(f.form.PictureView()->iconSize(), QSize(36, 36));
        const QImage green = f.form.PictureView()->item(1)->icon().pixmap(36, 36).toImage();
        QCOMPARE(green.pixel(0, 0), QRgb(kGreen));
        QCOMPARE(green.pixel(1, 0), qRgb(255, 255, 255));

        f.Select({2, 0, 0});
        QCOMPARE(f.form.PictureView()->iconSize(), QSize(108, 108));
        const QImage object = f.form.PictureView()->item(0)->icon().pixmap(108, 108).toImage();
        // The 4 x 2 picture sits at (52, 53); its top-left pixel is the
        // transparent colour, masked out so that the view's background shows.
        QCOMPARE(qAlpha(object.pixel(52, 53)), 0);
        QCOMPARE(object.pixel(53, 53), QRgb(kBlue));
        QCOMPARE(object.pixel(55, 54), QRgb(kBlue));
        QCOMPARE(object.pixel(56, 54), qRgb(255, 255, 255));
        QCOMPARE(object.pixel(51, 53), qRgb(255, 255, 255));
        QCOMPARE(object.pixel(53, 55), qRgb(255, 255, 255));
    }

    void AddingLevelsLeavesTheLibraryUnchangedAndAddingAPictureChangesIt() {
        Fixture f;
        f.form.ToolButton6Click();
        QCOMPARE(f.form.Tree()->topLevelItem(3)->text(0), QStringLiteral("3"));
        f.Select({1});
        f.form.ToolButton2Click();
        f.form.ToolButton2Click();
        QCOMPARE(f.host.library.Images[1].size(), 2u);
        QCOMPARE(f.form.Tree()->topLevelItem(1)->child(1)->text(0), QStringLiteral("1"));
        f.Select({1, 1});
        f.form.ToolButton2Click();
        QCOMPARE(f.host.library.Images[1][1].size(), 1u);
        QCOMPARE(f.form.Tree()->topLevelItem(1)->child(1)->child(0)->text(0), QStringLiteral("0"));
        QVERIFY(!f.form.LibraryChanged());
        QVERIFY2(f.requests.empty(), "no file is asked for a level");

        f.Select({1, 1, 0});
        f.form.ToolButton2Click();  // cancelled
        QVERIFY(!f.form.LibraryChanged());
        f.answers = {f.File("tank.bmp", BmpText(3, 3, kRed))};
        f.form.ToolButton2Click();
        QCOMPARE(f.requests.back().Filter, QStringLiteral("Bitmaps (*.bmp)"));
        QVERIFY(!f.requests.back().Save);
        QCOMPARE(f.Colours({1, 1, 0, 0}), std::vector<std::uint32_t>{kRed});
        QCOMPARE(f.Captions(f.form.PictureView()), QStringList({"0"}));
        QVERIFY(f.form.LibraryChanged());
        QVERIFY(f.errors.isEmpty());
    }

    void DeleteReplaceAndSeriesWorkOnTheSelectedPicture() {
        Fixture f;
        f.Select({0, 0, 0});
        f.form.ToolButton3Click();  // no picture selected
        f.form.ToolButton4Click();
        QVERIFY(!f.form.LibraryChanged());
        QVERIFY(f.requests.empty());

        f.form.PictureView()->setCurrentRow(0);
        QCOMPARE(f.form.SelectedPicture(), (ImageRef{0, 0, 0, 0}));
        f.form.ToolButton3Click();
        QCOMPARE(f.Captions(f.form.PictureView()), QStringList({"0", "1"}));
        QCOMPARE(f.Colours({0, 0, 0, 0}), (std::vector<std::uint32_t>{kGreen, kBlue}));
        QVERIFY(f.form.LibraryChanged());

        f.form.PictureView()->setCurrentRow(1);
        f.answers = {f.File("new.bmp", BmpText(2, 2, kRed))};
        f.form.ToolButton4Click();
        QCOMPARE(f.Colours({0, 0, 0, 0}), (std::vector<std::uint32_t>{kGreen, kRed}));
        QCOMPARE(FindPicture(f.host.library, {0, 0, 0, 1})->Width, 2);
        QCOMPARE(f.form.InitialName(FileDialogKind::Picture), f.File("new.bmp", BmpText(2, 2, kRed)));

        f.File("set/0.bmp", BmpText(1, 1, kBlue));
        f.File("set/1.bmp", BmpText(1, 1, kGreen));
        f.File("set/3.bmp", BmpText(1, 1, kRed));
        f.answers = {f.File("set/3.bmp", BmpText(1, 1, kRed))};
        f.form.ToolButton16Click();
        QCOMPARE(f.Colours({0, 0, 0, 0}), (std::vector<std::uint32_t>{kBlue, kGreen}));
        QCOMPARE(f.Captions(f.form.PictureView()), QStringList({"0", "1"}));
        QVERIFY(f.errors.isEmpty());
    }

    void UnreadableFilesAreReportedAndChangeNothing() {
        Fixture f;
        const Bytes before = f.LibraryBytes();
        f.Select({0, 0, 0});
        f.form.PictureView()->setCurrentRow(0);
        const QString garbage = f.File("broken.bmp", "BM not really");
        const QString missing = QString::fromStdString(f.folder.Path() + "/gone.bmp");
        f.answers = {garbage, missing, garbage};
        f.form.ToolButton2Click();
        f.form.ToolButton4Click();
        f.form.SoundView()->setCurrentRow(0);
        f.form.ToolButton11Click();
        QCOMPARE(f.errors.size(), 3);
        QVERIFY(f.errors[0].startsWith(QStringLiteral("Error: ")));
        QVERIFY(f.errors[0].contains(garbage));
        QVERIFY(f.errors[1].contains(missing));
        QVERIFY(f.errors[2].contains(QStringLiteral("wave")));

        f.File("bad/0.bmp", BmpText(1, 1, kBlue));
        const QString broken = f.File("bad/1.bmp", "junk");
        f.answers = {broken};
        f.form.ToolButton16Click();
        QCOMPARE(f.errors.size(), 4);
        QVERIFY(f.errors[3].contains(broken));

        QCOMPARE(f.LibraryBytes(), before);
        QVERIFY(!f.form.LibraryChanged());
        QCOMPARE(f.Captions(f.form.PictureView()), QStringList({"0", "1", "2"}));
    }

    void SoundsAreAddedDeletedAndReplaced() {
        Fixture f;
        f.form.ToolButton10Click();  // nothing selected
        QVERIFY(!f.form.LibraryChanged());
        f.answers = {f.File("boom.wav", WavText(7))};
        f.form.ToolButton9Click();
        QCOMPARE(f.requests.back().Filter, QStringLiteral("Wave(*.wav)"));
        QCOMPARE(f.Captions(f.form.SoundView()), QStringList({"0", "1", "2"}));
        QCOMPARE(f.host.library.WaveList[2].Samples, Bytes{7});
        QVERIFY(f.form.LibraryChanged());

        f.form.OpenImageEditor();
        QVERIFY(!f.form.LibraryChanged());
        f.form.SoundView()->setCurrentRow(0);
        f.form.ToolButton10Click();
        QCOMPARE(f.Captions(f.form.SoundView()), QStringList({"0", "1"}));
        QCOMPARE(f.host.library.WaveList[0].Samples, Bytes{2});
        QVERIFY(f.form.LibraryChanged());

        f.form.SoundView()->setCurrentRow(1);
        f.answers = {f.File("shot.wav", WavText(9))};
        f.form.ToolButton11Click();
        QCOMPARE(f.host.library.WaveList[1].Samples, Bytes{9});
        QCOMPARE(f.host.library.WaveList.size(), 2u);
    }

    void PlayGivesChangedSoundsTheirBuffersFirst() {
        Fixture f;
        f.form.ToolButton12Click();  // nothing selected
        QVERIFY(f.host.calls.empty());
        f.form.SoundView()->setCurrentRow(1);
        f.form.ToolButton12Click();
        QCOMPARE(f.host.calls, (std::vector<std::string>{"play 1"}));
        f.answers = {f.File("a.wav", WavText(3))};
        f.form.ToolButton11Click();
        f.host.calls.clear();
        f.form.ToolButton12Click();
        QCOMPARE(f.host.calls, (std::vector<std::string>{"changed", "play 1"}));
    }

    void SavingClearsTheChangeEvenWhenItFails() {
        Fixture f;
        f.form.SoundView()->setCurrentRow(0);
        f.form.ToolButton10Click();
        QVERIFY(f.form.LibraryChanged());
        f.host.saveSucceeds = false;
        f.form.ToolButton1Click();
        QCOMPARE(f.host.calls, (std::vector<std::string>{"save", "changed"}));
        QVERIFY(!f.form.LibraryChanged());
    }

    void SavingFromTheMainWindowWritesALibraryThatLoadsBackEqual() {
        TempFolder program;
        ui::TMainForm main(program.Path());
        main.GameObject().Library() = SampleLibrary();
        TImageForm form(main);
        form.AskFile = [&](const FileRequest&) {
            program.Write("extra.bmp", BmpText(5, 6, kGreen, true));
            return QString::fromStdString(program.Path() + "/extra.bmp");
        };
        form.OpenImageEditor();
        QCOMPARE(form.Tree()->topLevelItemCount(), 3);
        form.Tree()->setCurrentItem(form.Tree()->topLevelItem(2)->child(0)->child(0));
        form.ToolButton2Click();
        QVERIFY(form.LibraryChanged());
        form.ToolButton1Click();
        QVERIFY(!form.LibraryChanged());

        QuietHost quiet;
        ImageLibrary loaded;
        QVERIFY(LoadImageLibraryFrom(quiet, program.Path() + "/Tavrine.isd", loaded));
        QCOMPARE(*WriteLibraryFile(loaded), *WriteLibraryFile(main.GameObject().Library()));
        QCOMPARE(FindList(loaded, {2, 0, 0, 0})->Pictures.size(), 2u);
        QCOMPARE(quiet.messages, 0);
    }

    void GameFileButtonsOnlyPassTheirNameOn() {
        Fixture f;
        const Bytes before = f.LibraryBytes();
        f.form.ToolButton14Click();  // cancelled: nothing passed on
        QCOMPARE(f.requests.back().Filter, QStringLiteral("Games(*.gam)"));
        QVERIFY(!f.requests.back().Save);
        QVERIFY(f.form.InitialName(FileDialogKind::GameSave).isEmpty());

        f.answers = {QStringLiteral("/nowhere/a.gam")};
        f.form.ToolButton14Click();
        QCOMPARE(f.form.InitialName(FileDialogKind::GameSave), QStringLiteral("/nowhere/a.gam"));
        f.answers = {QStringLiteral("/nowhere/b.gam")};
        f.form.ToolButton15Click();
        QCOMPARE(f.requests.back().Kind, FileDialogKind::GameSave);
        QVERIFY(f.requests.back().Save);
        QCOMPARE(f.requests.back().InitialName, QStringLiteral("/nowhere/a.gam"));
        QCOMPARE(f.form.InitialName(FileDialogKind::Sound), QStringLiteral("/nowhere/b.gam"));
        f.form.ToolButton9Click();  // the sound dialog starts from the game file's name
        QCOMPARE(f.requests.back().InitialName, QStringLiteral("/nowhere/b.gam"));
        QCOMPARE(f.LibraryBytes(), before);
        QVERIFY(f.errors.isEmpty());
        QVERIFY(!f.form.LibraryChanged());
    }

    void ThePictureDragFormatRoundTripsAndIsReadStrictly() {
        for (const ImageRef& ref : {ImageRef{0, 0, 0, 0}, ImageRef{4, 1, 2, 15}, ImageRef{999999999, 7, 12, 31}}) {
            std::unique_ptr<QMimeData> data(ui::PictureMime(ref));
            QCOMPARE(ui::PictureFromMime(*data), std::optional<ImageRef>(ref));
        }
        std::unique_ptr<QMimeData> data(ui::PictureMime({4, 1, 2, 15}));
        QCOMPARE(data->data(QString::fromLatin1(ui::kPictureMimeType)), QByteArray("4 1 2 15"));
        for (const char* bad : {"", "1 2 3", "1 2 3 4 ", " 1 2 3 4", "1  2 3 4", "-1 2 3 4", "1 2 3 x", "1 2 3 4 5",
                                "1234567890 0 0 0", "1\t2 3 4", "+1 2 3 4"}) {
            QMimeData m;
            m.setData(QString::fromLatin1(ui::kPictureMimeType), QByteArray(bad));
            QVERIFY2(!ui::PictureFromMime(m), bad);
        }
        QMimeData text;
        text.setText(QStringLiteral("4 1 2 15"));
        QVERIFY(!ui::PictureFromMime(text));
    }
};

TAVRINE_UI_SUITE(ImageFormTest);

}  // namespace tavrine::test

#include "ui_image_form_test.moc"
