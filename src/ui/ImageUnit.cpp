#include "ui/ImageUnit.h"

#include <QAction>
#include <QDrag>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/library_edit.h"
#include "ui/MainUnit.h"
#include "ui/UiCommon.h"

namespace tavrine::ui {

namespace {

constexpr int kWindowWidth = 650, kWindowHeight = 517;
constexpr int kToolBarHeight = 25, kTreeWidth = 129, kSplitterWidth = 3;
constexpr int kPanelHeight = 4, kSoundViewHeight = 76, kStatusBar1Height = 19;
constexpr int kSoundIconSize = 32;

/// The tree's icons by level: group, subgroup, list.
constexpr int kLevelIcon[3] = {0, 1, 2};

/// The toolbar from left to right: name, icon, tip; a separator goes before
/// the entries marked so.
struct ButtonSpec {
    const char* Name;
    int Icon;
    const char* Tip;
    bool SeparatorBefore;
};
constexpr ButtonSpec kButtons[] = {
    {"ToolButton1", 3, "Save the library", false},
    {"ToolButton6", 0, "Add a group", true},
    {"ToolButton2", 4, "Add a subgroup, a list or a picture", false},
    {"ToolButton3", 5, "Delete the picture", false},
    {"ToolButton4", 6, "Replace the picture", false},
    {"ToolButton16", 11, "Fill the list from 0.bmp, 1.bmp, ...", false},
    {"ToolButton9", 7, "Add a sound", true},
    {"ToolButton10", 8, "Delete the sound", false},
    {"ToolButton11", 9, "Replace the sound", false},
    {"ToolButton12", 10, "Play the sound", false},
    {"ToolButton14", 11, "Game file (open)", true},
    {"ToolButton15", 12, "Game file (save)", false},
};

const QString kPictureFilter = QStringLiteral("Bitmaps (*.bmp)");
const QString kSoundFilter = QStringLiteral("Wave(*.wav)");
const QString kGameFilter = QStringLiteral("Games(*.gam)");

/// The game as the window sees it through the main window.
class MainFormHost final : public ImageEditorHost {
public:
    explicit MainFormHost(TMainForm& form) : form_(form) {}
    ImageLibrary& Library() override { return form_.GameObject().Library(); }
    bool SaveLibrary() override { return form_.GameObject().SaveImageLibrary(); }
    void LibraryChanged() override { form_.LibraryChanged(); }
    void PlaySound(std::int32_t index) override { form_.PlayLibrarySound(index); }

private:
    TMainForm& form_;
};

/// A plain stand-in for a toolbar or tree icon whose picture is missing from
/// the program folder: a tinted tile with the icon's number.
QIcon FallbackIcon(int index) {
    QPixmap icon(16, 16);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setBrush(QColor::fromHsv((index * 47) % 360, 90, 200));
    p.setPen(QColor(60, 60, 60));
    p.drawRect(1, 1, 13, 13);
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    p.drawText(QRect(1, 1, 14, 14), Qt::AlignCenter, QString::number(index));
    return QIcon(icon);
}

QIcon SoundIcon(const std::string& programFolder) {
    const QPixmap picture = ProgramPicture(programFolder, QStringLiteral("ui/sound.png"));
    if (!picture.isNull()) return QIcon(picture);
    QPixmap icon(kSoundIconSize, kSoundIconSize);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 64, 72));
    p.drawPolygon(QPolygon({QPoint(4, 12), QPoint(10, 12), QPoint(18, 5), QPoint(18, 27), QPoint(10, 20), QPoint(4, 20)}));
    p.setPen(QPen(QColor(60, 64, 72), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(14, 10, 10, 12), -60 * 16, 120 * 16);
    p.drawArc(QRect(12, 6, 18, 20), -60 * 16, 120 * 16);
    return QIcon(icon);
}

/// The level of a tree node: 0 group, 1 subgroup, 2 list.
int LevelOf(const QTreeWidgetItem* item) {
    int level = 0;
    for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent()) ++level;
    return level;
}

/// The index of a node among its siblings (which is also its caption).
int IndexOf(const QTreeWidget& tree, const QTreeWidgetItem* item) {
    return item->parent() ? item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item))
                          : tree.indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
}

/// The selection stays in its active colours when the view has no focus.
void ShowSelectionAlways(QWidget& view) {
    QPalette palette = view.palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    view.setPalette(palette);
}

QPixmap ThumbnailPixmap(const Thumbnail& t) {
    QImage image(t.Size, t.Size, QImage::Format_ARGB32);
    for (int y = 0; y < t.Size; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < t.Size; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(t.Size) + static_cast<std::size_t>(x);
            // Masked pixels show the view's background.
            row[x] = t.Mask[at] ? 0u : t.Pixels[at];
        }
    }
    return QPixmap::fromImage(image);
}

/// The picture view: dragging an item starts a copy drag naming the picture.
class PictureListView final : public QListWidget {
public:
    PictureListView(TImageForm& form, QWidget* parent) : QListWidget(parent), form_(form) {}

protected:
    void startDrag(Qt::DropActions) override {
        const std::optional<ImageRef> picture = form_.SelectedPicture();
        if (!picture) return;
        auto* drag = new QDrag(this);
        drag->setMimeData(PictureMime(*picture));
        if (const QListWidgetItem* item = currentItem()) drag->setPixmap(item->icon().pixmap(iconSize()));
        drag->exec(Qt::CopyAction, Qt::CopyAction);
    }

private:
    TImageForm& form_;
};

QString DefaultAskFile(QWidget* parent, const FileRequest& r) {
    return r.Save ? QFileDialog::getSaveFileName(parent, QString(), r.InitialName, r.Filter)
                  : QFileDialog::getOpenFileName(parent, QString(), r.InitialName, r.Filter);
}

}  // namespace

QMimeData* PictureMime(const ImageRef& picture) {
    auto* data = new QMimeData;
    const QByteArray text = QByteArray::number(picture.Group) + ' ' + QByteArray::number(picture.Subgroup) + ' ' +
                            QByteArray::number(picture.List) + ' ' + QByteArray::number(picture.Frame);
    data->setData(QString::fromLatin1(kPictureMimeType), text);
    return data;
}

std::optional<ImageRef> PictureFromMime(const QMimeData& data) {
    const QString type = QString::fromLatin1(kPictureMimeType);
    if (!data.hasFormat(type)) return std::nullopt;
    const QByteArray text = data.data(type);
    std::int32_t numbers[4] = {};
    qsizetype at = 0;
    for (int n = 0; n < 4; ++n) {
        if (n > 0) {
            if (at >= text.size() || text[at] != ' ') return std::nullopt;
            ++at;
        }
        int digits = 0;
        std::int32_t value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            if (++digits > 9) return std::nullopt;  // nine digits always fit
            value = value * 10 + (text[at] - '0');
            ++at;
        }
        if (digits == 0) return std::nullopt;
        numbers[n] = value;
    }
    if (at != text.size()) return std::nullopt;
    return ImageRef{numbers[0], numbers[1], numbers[2], numbers[3]};
}

TImageForm::TImageForm(TMainForm& form)
    : QWidget(&form), ownHost_(std::make_unique<MainFormHost>(form)), host_(*ownHost_) {
    Build(form.ProgramFolder());
    OpenHelp = [&form] { form.ShowLibraryHelp(); };
}

TImageForm::TImageForm(ImageEditorHost& host, const std::string& programFolder, QWidget* parent)
    : QWidget(parent), host_(host) {
    Build(programFolder);
}

TImageForm::~TImageForm() = default;

void TImageForm::Build(const std::string& programFolder) {
    // A tool window that stays above the map, with a title bar but no buttons:
    // once opened it stays for the rest of the run.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("ImageEditor"));
    setFont(DialogFont());
    AskFile = [this](const FileRequest& r) { return DefaultAskFile(this, r); };
    // F1 anywhere in the window, whichever of its controls has the keyboard.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] {
        if (OpenHelp) OpenHelp();
    });
    ReportError = [this](const QString& caption, const QString& text) { QMessageBox::critical(this, caption, text); };

    for (std::size_t i = 0; i < icons_.size(); ++i) {
        const QPixmap picture = ProgramPicture(programFolder, QStringLiteral("ui/image-editor/%1.png").arg(i));
        icons_[i] = picture.isNull() ? FallbackIcon(static_cast<int>(i)) : QIcon(picture);
    }
    soundIcon_ = SoundIcon(programFolder);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    BuildToolBar();
    layout->addWidget(ToolBar1);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);

    TreeView1 = new QTreeWidget(Splitter1);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->setMinimumWidth(30);
    ShowSelectionAlways(*TreeView1);
    connect(TreeView1, &QTreeWidget::itemSelectionChanged, this, [this] { TreeView1Change(); });

    ListView1 = new PictureListView(*this, Splitter1);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setMovement(QListView::Static);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSpacing(4);
    ListView1->setWordWrap(false);
    ListView1->setDragEnabled(true);
    ListView1->setDragDropMode(QAbstractItemView::DragOnly);
    ShowSelectionAlways(*ListView1);

    Splitter1->addWidget(TreeView1);
    Splitter1->addWidget(ListView1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kTreeWidth, kWindowWidth - kTreeWidth - kSplitterWidth});
    layout->addWidget(Splitter1, 1);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kPanelHeight);
    layout->addWidget(Panel1);

    ListView2 = new QListWidget(this);
    ListView2->setObjectName(QStringLiteral("ListView2"));
    ListView2->setViewMode(QListView::IconMode);
    ListView2->setMovement(QListView::Static);
    ListView2->setResizeMode(QListView::Adjust);
    ListView2->setFlow(QListView::LeftToRight);
    ListView2->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView2->setDragDropMode(QAbstractItemView::NoDragDrop);
    ListView2->setIconSize(QSize(kSoundIconSize, kSoundIconSize));
    ListView2->setFixedHeight(kSoundViewHeight);
    ShowSelectionAlways(*ListView2);
    layout->addWidget(ListView2);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(kStatusBar1Height);
    layout->addWidget(StatusBar1);

    resize(kWindowWidth, kWindowHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(kWindowWidth / 2, kWindowHeight / 2));
}

void TImageForm::BuildToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(kToolBarHeight);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const std::array<void (TImageForm::*)(), std::size(kButtons)> handlers = {
        &TImageForm::ToolButton1Click,  &TImageForm::ToolButton6Click,  &TImageForm::ToolButton2Click,
        &TImageForm::ToolButton3Click,  &TImageForm::ToolButton4Click,  &TImageForm::ToolButton16Click,
        &TImageForm::ToolButton9Click,  &TImageForm::ToolButton10Click, &TImageForm::ToolButton11Click,
        &TImageForm::ToolButton12Click, &TImageForm::ToolButton14Click, &TImageForm::ToolButton15Click,
    };
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonSpec& b = kButtons[i];
        if (b.SeparatorBefore) ToolBar1->addSeparator();
        QAction* action = ToolBar1->addAction(icons_[static_cast<std::size_t>(b.Icon)], QString::fromLatin1(b.Tip));
        action->setObjectName(QString::fromLatin1(b.Name));
        connect(action, &QAction::triggered, this, [this, handler = handlers[i]] { (this->*handler)(); });
    }
}

void TImageForm::OpenImageEditor() {
    FillTree();
    FillSounds();
    libraryChanged_ = false;
    show();
    raise();
    activateWindow();
}

QTreeWidgetItem* TImageForm::AddNode(QTreeWidgetItem* parent, std::int32_t index, int level) {
    auto* item = new QTreeWidgetItem(QStringList(QString::number(index)));
    item->setIcon(0, icons_[static_cast<std::size_t>(kLevelIcon[level])]);
    if (parent)
        parent->addChild(item);
    else
        TreeView1->addTopLevelItem(item);
    return item;
}

void TImageForm::FillTree() {
    const ImageLibrary& library = host_.Library();
    {
        const QSignalBlocker quiet(TreeView1);
        TreeView1->clear();
        for (std::size_t g = 0; g < library.Images.size(); ++g) {
            QTreeWidgetItem* group = AddNode(nullptr, static_cast<std::int32_t>(g), 0);
            for (std::size_t s = 0; s < library.Images[g].size(); ++s) {
                QTreeWidgetItem* subgroup = AddNode(group, static_cast<std::int32_t>(s), 1);
                for (std::size_t l = 0; l < library.Images[g][s].size(); ++l)
                    AddNode(subgroup, static_cast<std::int32_t>(l), 2);
            }
        }
    }
    QTreeWidgetItem* first = TreeView1->topLevelItem(0);
    if (first && first->childCount() > 0) {
        first->setExpanded(true);
        TreeView1->setCurrentItem(first->child(0));
    }
    ShowPictures();
}

void TImageForm::FillSounds() {
    ListView2->clear();
    for (std::size_t i = 0; i < host_.Library().WaveList.size(); ++i)
        ListView2->addItem(new QListWidgetItem(soundIcon_, QString::number(i)));
}

std::optional<ImageRef> TImageForm::SelectedList() const {
    const QTreeWidgetItem* item = TreeView1->currentItem();
    if (!item || !item->isSelected() || LevelOf(item) != 2) return std::nullopt;
    const QTreeWidgetItem* subgroup = item->parent();
    const QTreeWidgetItem* group = subgroup->parent();
    return ImageRef{IndexOf(*TreeView1, group), IndexOf(*TreeView1, subgroup), IndexOf(*TreeView1, item), 0};
}

std::optional<ImageRef> TImageForm::SelectedPicture() const {
    std::optional<ImageRef> list = SelectedList();
    const QList<QListWidgetItem*> items = ListView1->selectedItems();
    if (!list || items.isEmpty()) return std::nullopt;
    bool number = false;
    list->Frame = items.first()->text().toInt(&number);
    if (!number) return std::nullopt;
    return list;
}

std::optional<std::int32_t> TImageForm::SelectedSound() const {
    const QList<QListWidgetItem*> items = ListView2->selectedItems();
    if (items.isEmpty()) return std::nullopt;
    bool number = false;
    const std::int32_t index = items.first()->text().toInt(&number);
    if (!number) return std::nullopt;
    return index;
}

void TImageForm::ShowPictures() {
    ListView1->clear();
    const std::optional<ImageRef> ref = SelectedList();
    if (!ref) return;
    const PictureList* list = FindList(host_.Library(), *ref);
    if (!list) return;
    const std::int32_t size = ThumbnailSize(ref->Group);
    ListView1->setIconSize(QSize(size, size));
    for (std::size_t frame = 0; frame < list->Pictures.size(); ++frame) {
        const QIcon thumbnail(ThumbnailPixmap(MakeThumbnail(list->Pictures[frame], ref->Group)));
        ListView1->addItem(new QListWidgetItem(thumbnail, QString::number(frame)));
    }
}

void TImageForm::TreeView1Change() { ShowPictures(); }

QString TImageForm::Ask(FileDialogKind kind) {
    FileRequest request;
    request.Kind = kind;
    request.InitialName = InitialName(kind);
    switch (kind) {
        case FileDialogKind::Picture: request.Filter = kPictureFilter; break;
        case FileDialogKind::Sound: request.Filter = kSoundFilter; break;
        case FileDialogKind::GameOpen: request.Filter = kGameFilter; break;
        case FileDialogKind::GameSave:
            request.Filter = kGameFilter;
            request.Save = true;
            break;
    }
    const QString chosen = AskFile ? AskFile(request) : QString();
    if (!chosen.isEmpty()) initialNames_[static_cast<std::size_t>(kind)] = chosen;
    return chosen;
}

void TImageForm::ReportFailure(const QString& path, const std::string& reason) {
    if (ReportError)
        ReportError(QStringLiteral("Error"),
                    QStringLiteral("Cannot load \"%1\".\n%2").arg(path, QString::fromStdString(reason)));
}

std::optional<std::vector<std::uint8_t>> TImageForm::ReadChosen(const QString& path) {
    std::optional<Bytes> bytes = DiskFiles().Read(QFile::encodeName(path).toStdString());
    if (!bytes) ReportFailure(path, "The file cannot be read.");
    return bytes;
}

void TImageForm::ToolButton1Click() {
    host_.SaveLibrary();
    // The drawing takes the saved pictures even when the file could not be written.
    host_.LibraryChanged();
    libraryChanged_ = false;
}

void TImageForm::ToolButton6Click() {
    const std::int32_t group = AddGroup(host_.Library());
    AddNode(nullptr, group, 0);
}

void TImageForm::ToolButton2Click() {
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node || !node->isSelected()) return;
    ImageLibrary& library = host_.Library();
    switch (LevelOf(node)) {
        case 0:
            if (const std::optional<std::int32_t> s = AddSubgroup(library, IndexOf(*TreeView1, node))) {
                AddNode(node, *s, 1);
                node->setExpanded(true);
            }
            break;
        case 1:
            if (const std::optional<std::int32_t> l =
                    AddList(library, IndexOf(*TreeView1, node->parent()), IndexOf(*TreeView1, node))) {
                AddNode(node, *l, 2);
                node->setExpanded(true);
            }
            break;
        case 2: {
            const std::optional<ImageRef> list = SelectedList();
            if (!list) return;
            const QString path = Ask(FileDialogKind::Picture);
            if (path.isEmpty()) return;
            const std::optional<Bytes> bytes = ReadChosen(path);
            if (!bytes) return;
            const EditResult result = AppendPicture(library, *list, *bytes);
            if (!result.Ok()) return ReportFailure(path, result.Error);
            ShowPictures();
            libraryChanged_ = true;
            break;
        }
        default: break;
    }
}

void TImageForm::ToolButton3Click() {
    const std::optional<ImageRef> picture = SelectedPicture();
    if (!picture || !DeletePicture(host_.Library(), *picture).Ok()) return;
    ShowPictures();
    libraryChanged_ = true;
}

void TImageForm::ToolButton4Click() {
    const std::optional<ImageRef> picture = SelectedPicture();
    if (!picture) return;
    const QString path = Ask(FileDialogKind::Picture);
    if (path.isEmpty()) return;
    const std::optional<Bytes> bytes = ReadChosen(path);
    if (!bytes) return;
    const EditResult result = ReplacePicture(host_.Library(), *picture, *bytes);
    if (!result.Ok()) return ReportFailure(path, result.Error);
    ShowPictures();
    libraryChanged_ = true;
}

void TImageForm::ToolButton16Click() {
    const std::optional<ImageRef> list = SelectedList();
    if (!list) return;
    const QString path = Ask(FileDialogKind::Picture);
    if (path.isEmpty()) return;
    const std::string folder = FolderOf(QFile::encodeName(path).toStdString());
    const SeriesResult series = FillFromSeries(host_.Library(), *list, folder, DiskFiles());
    if (!series.Result.Ok()) {
        if (ReportError) ReportError(QStringLiteral("Error"), QString::fromStdString(series.Result.Error));
        return;
    }
    ShowPictures();
    libraryChanged_ = true;
}

void TImageForm::ToolButton9Click() {
    const QString path = Ask(FileDialogKind::Sound);
    if (path.isEmpty()) return;
    const std::optional<Bytes> bytes = ReadChosen(path);
    if (!bytes) return;
    const EditResult result = AppendSound(host_.Library(), *bytes);
    if (!result.Ok()) return ReportFailure(path, result.Error);
    FillSounds();
    libraryChanged_ = true;
}

void TImageForm::ToolButton10Click() {
    const std::optional<std::int32_t> sound = SelectedSound();
    if (!sound || !DeleteSound(host_.Library(), *sound).Ok()) return;
    FillSounds();
    libraryChanged_ = true;
}

void TImageForm::ToolButton11Click() {
    const std::optional<std::int32_t> sound = SelectedSound();
    if (!sound) return;
    const QString path = Ask(FileDialogKind::Sound);
    if (path.isEmpty()) return;
    const std::optional<Bytes> bytes = ReadChosen(path);
    if (!bytes) return;
    const EditResult result = ReplaceSound(host_.Library(), *sound, *bytes);
    if (!result.Ok()) return ReportFailure(path, result.Error);
    libraryChanged_ = true;
}

void TImageForm::ToolButton12Click() {
    const std::optional<std::int32_t> sound = SelectedSound();
    if (!sound || static_cast<std::size_t>(*sound) >= host_.Library().WaveList.size()) return;
    // New and replaced sounds need their playback buffers first.
    if (libraryChanged_) host_.LibraryChanged();
    host_.PlaySound(*sound);
}

void TImageForm::ToolButton14Click() {
    const QString path = Ask(FileDialogKind::GameOpen);
    if (!path.isEmpty()) initialNames_[static_cast<std::size_t>(FileDialogKind::GameSave)] = path;
}

void TImageForm::ToolButton15Click() {
    const QString path = Ask(FileDialogKind::GameSave);
    if (!path.isEmpty()) initialNames_[static_cast<std::size_t>(FileDialogKind::Sound)] = path;
}

}  // namespace tavrine::ui
