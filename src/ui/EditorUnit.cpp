#include "ui/EditorUnit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDropEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/ImageUnit.h"
#include "ui/MainUnit.h"
#include "ui/UiCommon.h"

namespace tavrine::ui {

namespace {

/// Icon `n` of the tool window's image list.
QIcon EditorIcon(const std::string& folder, int n) {
    const QPixmap picture = ProgramPicture(folder, QStringLiteral("ui/map-editor/%1.png").arg(n));
    return picture.isNull() ? QIcon() : QIcon(picture);
}

/// The "no tool" button's arrow: the plain mouse pointer, which does nothing to
/// the map.
QIcon PointerIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(4, 1);
    arrow.lineTo(4, 14);
    arrow.lineTo(7, 11);
    arrow.lineTo(9.5, 15);
    arrow.lineTo(11.5, 14);
    arrow.lineTo(9, 10);
    arrow.lineTo(13, 10);
    arrow.closeSubpath();
    p.fillPath(arrow, Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawPath(arrow);
    return QIcon(pixmap);
}

QToolButton* AddButton(QToolBar* bar, const QIcon& icon, const QString& tip, const char* name, bool latching) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    button->setToolTip(tip);
    button->setCheckable(latching);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(button);
    return button;
}

}  // namespace

TEditorForm::TEditorForm(TMainForm& main)
    : QWidget(&main, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), main_(main) {
    setObjectName(QStringLiteral("EditorForm"));
    setWindowTitle(QStringLiteral("Game Editor"));
    setFont(DialogFont());
    setFixedSize(kClientWidth, kClientHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setMovable(false);
    layout->addWidget(ToolBar1);

    const std::string& folder = main_.ProgramFolder();
    static constexpr const char* kToolTips[6] = {"Land outline: click the corners, right-click to close",
                                                 "Mountain outline: click the corners, right-click to close",
                                                 "Fill land from the water cell clicked",
                                                 "Fill mountain from the land cell clicked",
                                                 "Wall: click the turns, right-click to lay it",
                                                 "Wall of the second kind: click the turns, right-click to lay it"};
    static constexpr const char* kNames[6] = {"ToolButton1", "ToolButton2", "ToolButton3",
                                              "ToolButton4", "ToolButton5", "ToolButton6"};
    static constexpr int kImages[6] = {0, 1, 2, 3, 4, 4};
    tools_ = new QButtonGroup(this);
    tools_->setExclusive(true);
    for (int tool = 0; tool < 6; ++tool) {
        ToolButtons[static_cast<std::size_t>(tool)] =
            AddButton(ToolBar1, EditorIcon(folder, kImages[tool]), QString::fromLatin1(kToolTips[tool]), kNames[tool], true);
        tools_->addButton(ToolButtons[static_cast<std::size_t>(tool)], tool);
    }
    ToolButton9 = AddButton(ToolBar1, PointerIcon(), QStringLiteral("No tool: clicks select tanks and buildings"),
                            "ToolButton9", true);
    tools_->addButton(ToolButton9, -1);
    ToolButton9->setChecked(true);
    ToolBar1->addSeparator();
    ToolButton8 = AddButton(ToolBar1, EditorIcon(folder, 5), QStringLiteral("Show the fog of war"), "ToolButton8", true);
    ToolButton11 = AddButton(ToolBar1, EditorIcon(folder, 6), QStringLiteral("New map"), "ToolButton11", false);
    ToolBar1->addSeparator();
    ToolButton12 = AddButton(ToolBar1, style()->standardIcon(QStyle::SP_DialogSaveButton),
                             QStringLiteral("Save the map into NewGames as a prepared map"), "ToolButton12", false);
    ToolBar1->addSeparator();
    GenerateButton = AddButton(ToolBar1, style()->standardIcon(QStyle::SP_BrowserReload),
                               QStringLiteral("Generate...: a new map made from a seed, as for a skirmish (undoable)"),
                               "GenerateButton", false);
    CheckMapButton = AddButton(ToolBar1, style()->standardIcon(QStyle::SP_MessageBoxWarning),
                               QStringLiteral("Check Map: what would make this map unplayable or unfair"), "CheckMapButton", false);

    connect(tools_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) ToolChanged();
    });
    connect(ToolButton8, &QToolButton::toggled, this, [this](bool down) { FogChanged(down); });
    connect(ToolButton11, &QToolButton::clicked, this, [this] { ToolButton11Click(); });
    connect(ToolButton12, &QToolButton::clicked, this, [this] { ToolButton12Click(); });
    connect(GenerateButton, &QToolButton::clicked, this, [this] {
        main_.Commands().GenerateMapCommand();
        main_.update();
    });
    connect(CheckMapButton, &QToolButton::clicked, this, [this] { main_.Commands().CheckMapCommand(); });

    main_.MapEditor().SetTool(CurrentTool());
    main_.MapEditor().SetFogShown(false);
}

std::int32_t TEditorForm::CurrentTool() const {
    for (int tool = 0; tool < 6; ++tool)
        if (ToolButtons[static_cast<std::size_t>(tool)]->isChecked()) return tool;
    return -1;
}

void TEditorForm::ToolChanged() {
    // A path being traced goes on with the new tool: the right press applies
    // whatever tool is current then.
    main_.MapEditor().SetTool(CurrentTool());
}

void TEditorForm::FogChanged(bool down) {
    main_.MapEditor().SetFogShown(down);
    main_.update();
}

void TEditorForm::ToolButton11Click() {
    main_.Commands().ToolButton11Click();
    main_.update();
}

void TEditorForm::ToolButton12Click() { main_.Commands().SavePreparedMap(); }

void TEditorForm::keyPressEvent(QKeyEvent* event) { ForwardKey(event); }

// The release too, so an arrow held while this window has the focus stops.
void TEditorForm::keyReleaseEvent(QKeyEvent* event) { ForwardKey(event); }

void TEditorForm::ForwardKey(QKeyEvent* event) {
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                   static_cast<ushort>(event->count()));
    QApplication::sendEvent(&main_, &copy);
}

EditorWindows MakeEditorWindows(TMainForm& main) {
    EditorWindows windows;
    windows.MapEditor = new TEditorForm(main);
    windows.ImageEditor = new TImageForm(main);
    TImageForm* images = windows.ImageEditor;
    main.SetEditorWindows(windows.MapEditor, images, [images] { images->OpenImageEditor(); });
    main.SetDropHandler([&main](QDropEvent& event, QPoint surface) {
        if (!main.GameObject().Run().EditMode || !event.mimeData()) return false;
        const std::optional<ImageRef> picture = PictureFromMime(*event.mimeData());
        if (!picture) return false;
        Game& game = main.GameObject();
        SimContext ctx = game.Context();
        const GameType& g = game.Record();
        main.MapEditor().Drop(ctx, *picture, surface.x() + g.ViewX, surface.y() + g.ViewY);
        return true;
    });
    return windows;
}

}  // namespace tavrine::ui
