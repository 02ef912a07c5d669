#include "ui/MainUnit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QScreen>
#include <QtMath>

#include <algorithm>
#include <utility>

#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_music_player.h"
#include "platform/sdl/sdl_sound_output.h"
#include "game/start_up.h"
#include "state/settings.h"
#include "ui/DisplayUnit.h"
#include "ui/StartUnit.h"
#include "ui/SurfaceFit.h"
#include "ui/UiCommon.h"
#include "view/minimap.h"
#include "view/panel_layout.h"
#include "view/panels.h"
#include "view/screens.h"
#include "view/sound.h"
#include "view/status.h"

namespace tavrine::ui {

namespace {

constexpr int kCloseFadeMs = 100;

bool IsIdentity(const GammaRamp& ramp) {
    for (const auto& channel : ramp)
        for (std::size_t i = 0; i < channel.size(); ++i)
            if (channel[i] != i * 257) return false;
    return true;
}

/// The panels are on the display too, so the fades darken them as they darken
/// the battlefield.
void ApplyRamp(QImage& image, const QRect& area, const GammaRamp& ramp) {
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const std::uint32_t p = row[x];
            row[x] = 0xFF000000u | (static_cast<std::uint32_t>(ramp[0][(p >> 16) & 0xFF] >> 8) << 16) |
                     (static_cast<std::uint32_t>(ramp[1][(p >> 8) & 0xFF] >> 8) << 8) |
                     static_cast<std::uint32_t>(ramp[2][p & 0xFF] >> 8);
        }
    }
}

/// Where the mouse is in the window, in Qt's units. Qt hands a widget its
/// mouse position rounded to whole units, which skips every other screen pixel
/// where a unit is two of them; the window's own position keeps the fraction.
/// The main form is a window of its own, so the two agree but for it.
QPointF WindowPoint(const QMouseEvent& event) { return event.scenePosition(); }

MouseButton ToMouseButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton: return MouseButton::Right;
        case Qt::MiddleButton: return MouseButton::Middle;
        default: return MouseButton::Left;
    }
}

}  // namespace

GameKey ToGameKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Escape: return GameKey::Escape;
        case Qt::Key_A: return GameKey::A;
        case Qt::Key_S: return GameKey::S;
        case Qt::Key_Return:
        case Qt::Key_Enter: return GameKey::Return;
        case Qt::Key_P: return GameKey::P;
        case Qt::Key_R: return GameKey::R;
        case Qt::Key_F1: return GameKey::F1;
        case Qt::Key_Pause: return GameKey::Pause;
        case Qt::Key_Left: return GameKey::Left;
        case Qt::Key_Right: return GameKey::Right;
        case Qt::Key_Up: return GameKey::Up;
        case Qt::Key_Down: return GameKey::Down;
        case Qt::Key_Space: return GameKey::Space;
        case Qt::Key_Plus:
        case Qt::Key_Equal: return GameKey::Plus;
        case Qt::Key_Minus: return GameKey::Minus;
        case Qt::Key_F: return GameKey::F;
        case Qt::Key_N: return GameKey::N;
        default:
            if (qtKey >= Qt::Key_1 && qtKey <= Qt::Key_9)
                return static_cast<GameKey>(static_cast<int>(GameKey::Digit1) + (qtKey - Qt::Key_1));
            return GameKey::Other;
    }
}

TMainForm::TMainForm(std::string programFolder, QWidget* parent)
    : TMainForm(GamePaths::Portable(std::move(programFolder)), parent) {}

TMainForm::TMainForm(GamePaths paths, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      folder_(paths.DataFolder()),
      recordingHost_(host_),
      game_(std::move(paths), recordingHost_),
      dialogs_(folder_, [this] { return OfferedModes(); }),
      recordingDialogs_(dialogs_, &recorder_),
      commands_(game_, recordingDialogs_, *this, &editor_),
      recorder_(game_,
                [this](const Replay& replay, const std::string& name) {
                    KeepReplay(ReplaysFolder(game_), replay, name, LocalTimeText());
                }),
      canvas_(kDefaultDisplayMode.Width, kDefaultDisplayMode.Height),
      cursors_(this),
      clock_([this] { DXTimerTimer(); }, [this] { AfterTick(); }, this) {
    setWindowTitle(QStringLiteral("Tavrine"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setFont(DialogFont(true));
    // The game's own window is drawn at the interface scale by the engine; every
    // other window of the program follows it through the filter.
    setProperty("tavrineGameWindow", true);
    qApp->installEventFilter(&windowScale_);

    recordingHost_.SetRecorder(&recorder_);
    commands_.SetRecorder(&recorder_);
    host_.SetOwner(this);
    dialogs_.SetOwner(this);
    dialogs_.SetLibrary(&game_.Library());
    dialogs_.SetImageEditor([this] {
        if (!imageForm_) return;
        if (openImageEditor_) openImageEditor_();
        imageForm_->show();
        imageForm_->raise();
        imageForm_->activateWindow();
    });
    clock_.SetHold([this] { return host_.Sleeping(); });
    // After the clock's own connection: the timer has stopped when the still frame is drawn.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &TMainForm::ApplicationStateChanged);
    game_.SetCanvas(&canvas_);
    game_.SetCursors(&cursors_);
    game_.SetAutosave(true);
    canvas_.SetPresentHandler([this] { update(); });
    panels_.LoadIcons(folder_);
    game_.View().Panels.StatusBarHeight = kStatusBarHeight;
    game_.View().Panels.MenuHeight = kMenuHeight;
}

void TMainForm::ApplicationStateChanged(Qt::ApplicationState state) {
    // A replay being watched takes no input of the viewer, focus changes included.
    if (watching_) return;
    const bool active = state == Qt::ApplicationActive;
    commands_.WindowFocus(active);
    if (!active) DrawStillFrame();
}

void TMainForm::DrawStillFrame() {
    stillFramePending_ = false;
    // Only a battle that stands still: not the title, the result or the editing mode.
    if (!clock_.Enabled() || !game_.Paused()) return;
    if (clock_.InTick()) {
        stillFramePending_ = true;
        return;
    }
    game_.DrawFrame();
    update();
}

TMainForm::~TMainForm() {
    clock_.SetEnabled(false);
    game_.SetSound(nullptr);
    game_.SetMusic(nullptr);
    game_.SetCursors(nullptr);
    game_.SetCanvas(nullptr);
}

std::vector<DisplayMode> TMainForm::OfferedModes() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return ScreenDisplayModes(s);
}

StartUp TMainForm::FormCreate(const std::function<std::int32_t(TStartForm&, std::int32_t)>& startDialog) {
    clock_.SetInterval(kIntervalNormal);
    const StartUpResult start = StartUpGame(game_, [&](std::int32_t storedMode) {
        // The frame timer runs at the stored speed while the dialog is open. The
        // dialog lists the modes the screen can show, the preferred one selected.
        clock_.SetInterval(game_.Run().TimerInterval);
        windowScale_.SetScale(DialogScale(InterfaceScaleFor(game_.Run().ScaleSetting, ScreenHeight(), devicePixelRatioF())));
        TStartForm dialog(folder_);
        dialog.FillDisplayModes(OfferedModes());
        return startDialog ? startDialog(dialog, storedMode) : dialog.ShowStartDialog(storedMode);
    });
    if (start.Mode == StartUp::Cancelled) return StartUp::Cancelled;
    display_ = start.Display;
    chosen_ = display_;
    fullScreen_ = start.FullScreen;

    cursors_.Load(folder_);
    cursors_.SetCursor(CursorPointer);

    game_.LoadLibraryAtStartUp();
    canvas_.LoadPictures(game_.Library());
    OpenSound();
    return start.Mode;
}

void TMainForm::OpenSound() {
    audio_ = std::make_unique<SdlAudio>();
    soundOutput_ = std::make_unique<SdlSoundOutput>(*audio_);
    soundOutput_->SetWaves(WaveFiles(game_.Library()));
    sound_ = std::make_unique<PositionalSound>(game_.Record(), game_.Run(), game_.Library(), *soundOutput_);
    game_.SetSound(sound_.get());

    const std::string musicPath = game_.Paths().DataFile("Music.mid");
    if (!QFileInfo::exists(QString::fromStdString(musicPath))) return;
    music_ = std::make_unique<SdlMusicPlayer>(*audio_, musicPath);
    game_.SetMusic(music_.get());
    if (game_.Run().MusicOn) music_->Play();
}

void TMainForm::FormShow() {
    CreateSurface();
    if (game_.Run().EditMode && editorForm_) {
        // Beside the main window where the screen has room, otherwise over its
        // right edge: the whole tool window stays on the screen.
        editorForm_->adjustSize();
        QPoint at(geometry().right() + 8, geometry().top());
        if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
            const QRect room = s->availableGeometry();
            const QSize need = editorForm_->frameGeometry().size();
            at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - need.width())));
            at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - need.height())));
        }
        editorForm_->move(at);
        editorForm_->show();
    }
}

void TMainForm::PlaceWindow() {
    // A window has a frame the player can resize it by; full screen has none.
    if (windowFlags().testFlag(Qt::FramelessWindowHint) != fullScreen_) setWindowFlag(Qt::FramelessWindowHint, fullScreen_);
    if (fullScreen_) {
        QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
        // Without a window manager showFullScreen alone keeps the old size.
        if (s) setGeometry(s->geometry());
        showFullScreen();
    } else {
        if (isFullScreen()) showNormal();
        // The surface's pixels are the screen's own: where Qt counts in larger
        // units (a device pixel ratio above 1) the window is that much smaller
        // in them.
        const qreal ratio = devicePixelRatioF();
        setMinimumSize(QSize(kMinModeWidth, kMinModeHeight) / ratio);
        // Centred on the screen, so the window manager's frame is on it too.
        QRect placed(QPoint(0, 0), QSize(display_.Width, display_.Height) / ratio);
        if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
            placed.moveCenter(s->availableGeometry().center());
        setGeometry(placed.translated(std::max(0, -placed.left()), std::max(0, -placed.top())));
        show();
    }
    raise();
    activateWindow();
    setFocus();
}

void TMainForm::CreateSurface() {
    RunState& run = game_.Run();
    run.DisplayWidth = display_.Width;
    run.DisplayHeight = display_.Height;
    run.DisplayBits = display_.Bits;
    run.DenseScreen = devicePixelRatioF() >= 2.0 ? 1 : 0;
    canvas_.Resize(display_.Width, display_.Height);
    composite_ = QImage(display_.Width, display_.Height, QImage::Format_ARGB32_Premultiplied);
    PlaceWindow();
    target_ = FitSurface(QSize(display_.Width, display_.Height), DeviceSize());
    DXDrawInitialize();
}

void TMainForm::DXDrawInitialize() {
    DisplayInitialized(game_);
    cursors_.SetScale(game_.View().Panels.Scale);
    windowScale_.SetScale(DialogScale(game_.View().Panels.Scale));
    clock_.SetInterval(game_.Run().TimerInterval);
    clock_.SetEnabled(true);
    canvas_.SetFont(kMainFont);
    canvas_.SetBrush(Rgb{}, BrushStyle::Clear);
    update();
}

void TMainForm::DXDrawFinalize() { clock_.SetEnabled(false); }

void TMainForm::DXTimerTimer() {
    game_.DrawOptions().FrameRate = clock_.FrameRate();
    game_.DrawOptions().EditorFogShown = game_.Run().EditMode && editor_.FogShown();
    if (watching_) watching_->Frame();
    else game_.DXTimerTimer();
}

const ViewerView& TMainForm::Viewer() const {
    static const ViewerView following;
    return watching_ ? watching_->View() : following;
}

void TMainForm::ReplaySurface() {
    // The replayed player chose another display mode: the picture takes its size,
    // still scaled to the screen.
    const RunState& run = game_.Run();
    display_ = DisplayMode{run.DisplayWidth, run.DisplayHeight, run.DisplayBits};
    canvas_.Resize(display_.Width, display_.Height);
    composite_ = QImage(display_.Width, display_.Height, QImage::Format_ARGB32_Premultiplied);
    target_ = FitSurface(QSize(display_.Width, display_.Height), DeviceSize());
}

void TMainForm::PrepareReplay(Replay replay) {
    display_ = DisplayMode{replay.Start.ViewWidth, replay.Start.ViewHeight, 16};
    fullScreen_ = true;
    pendingReplay_ = std::move(replay);
}

bool TMainForm::StartReplay(std::string& error) {
    if (!pendingReplay_) return false;
    // The replay answers its own message boxes; nothing of it is recorded again.
    recorder_.End();
    recordingHost_.SetRecorder(nullptr);
    recordingHost_.SetTarget(&replayHost_);
    commands_.SetRecorder(nullptr);
    watching_ = std::make_unique<ReplayViewer>(game_, replayHost_, std::move(*pendingReplay_));
    pendingReplay_.reset();
    watching_->Player().Shell().SetSurfaceHandler([this] { ReplaySurface(); });
    if (!watching_->Start(error)) {
        watching_.reset();
        return false;
    }
    game_.View().Panels.StatusBarShown = true;
    moneyShown_ = true;
    clock_.SetInterval(game_.Run().TimerInterval);
    RefreshLabels();
    return true;
}

void TMainForm::AfterTick() {
    if (!watching_) commands_.AfterTick();
    FollowSpeed();
    if (stillFramePending_) DrawStillFrame();
    RefreshLabels();
    update();
}

void TMainForm::FollowSpeed() {
    // Game Control, a loaded game or a replayed change of speed set the run's
    // interval: the game clock counts that many ms a tick, so the timer must
    // tick at it too. Setting the timer restarts it: only on a change.
    if (clock_.Interval() != game_.Run().TimerInterval) clock_.SetInterval(game_.Run().TimerInterval);
}

void TMainForm::RefreshLabels() {
    // Read only: the game keeps its mirror of the map from tick to tick.
    const Game& game = game_;
    const RunState& run = game.Run();
    const std::int32_t money = game.Record().Money;
    if (money != lastMoney_ || (!run.TitleShown && !run.EditMode)) moneyShown_ = true;
    lastMoney_ = money;
    panels_.SetLabels(ToQString(game_.TimeLabel()),
                      moneyShown_ ? ToQString(MoneyLabelText(game.Record())) : QStringLiteral("$ ____"));
}

void TMainForm::CloseMainWindow() { close(); }

void TMainForm::ShowStatusBar() {
    PanelState& panels = game_.View().Panels;
    if (panels.StatusBarShown) return;
    panels.StatusBarShown = true;
    DXDrawInitialize();
}

void TMainForm::SetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bits) {
    DXDrawFinalize();
    display_ = DisplayMode{width, height, bits};
    chosen_ = display_;
    CreateSurface();
}

void TMainForm::ToggleFullScreen() {
    // Full screen shows the chosen mode again: the window's own size is given
    // up through a resize, an input recorded like the player's own.
    if (!fullScreen_ && !(display_ == chosen_)) commands_.WindowResized(chosen_.Width, chosen_.Height);
    DXDrawFinalize();
    fullScreen_ = !fullScreen_;
    CreateSurface();
}

void TMainForm::ResizeSurface() {
    // The window was resized: the surface takes its size, the window stays.
    DXDrawFinalize();
    const RunState& run = game_.Run();
    display_ = DisplayMode{run.DisplayWidth, run.DisplayHeight, display_.Bits};
    canvas_.Resize(display_.Width, display_.Height);
    composite_ = QImage(display_.Width, display_.Height, QImage::Format_ARGB32_Premultiplied);
    target_ = FitSurface(QSize(display_.Width, display_.Height), DeviceSize());
    DXDrawInitialize();
}

void TMainForm::SetEditorWindows(QWidget* editorForm, QWidget* imageForm, std::function<void()> openImageEditor) {
    editorForm_ = editorForm;
    imageForm_ = imageForm;
    openImageEditor_ = std::move(openImageEditor);
}

void TMainForm::ShowLibraryHelp() { commands_.LibraryHelpCommand(); }

void TMainForm::LibraryChanged() {
    canvas_.LoadPictures(game_.Library());
    if (soundOutput_) soundOutput_->SetWaves(WaveFiles(game_.Library()));
    update();
}

void TMainForm::PlayLibrarySound(std::int32_t index) {
    if (soundOutput_ && index >= 0) soundOutput_->Play(index, 0, 0);
}

int TMainForm::DialogScale(int interfaceScale) const {
    // On a dense screen Qt already draws the windows at twice their size.
    return devicePixelRatioF() >= 2.0 ? 1 : interfaceScale;
}

int TMainForm::ScreenHeight() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? static_cast<int>(s->geometry().height() * s->devicePixelRatio()) : 0;
}

QPoint TMainForm::MinimapPoint(QPoint at) const {
    // The minimap may be shown larger or smaller than its picture: the point is
    // mapped back to the picture pixel drawn under it.
    const PanelState& panels = game_.View().Panels;
    const MinimapPicture& picture = game_.View().Minimap;
    const QPoint inside = at - ToQRect(MinimapPanelRect(panels)).topLeft() - QPoint(kMinimapBorder, kMinimapBorder);
    return {ShownToPicture(inside.x(), panels.MinimapShownWidth, picture.Width),
            ShownToPicture(inside.y(), panels.MinimapShownHeight, picture.Height)};
}

QSize TMainForm::DeviceSize() const { return size() * devicePixelRatioF(); }

QPoint TMainForm::ToSurface(QPointF at) const {
    // The screen pixel under the point: Qt's units may be larger than a pixel,
    // and then the point lies between whole units.
    const qreal ratio = devicePixelRatioF();
    const QPoint pixel(qFloor(at.x() * ratio + 1e-6), qFloor(at.y() * ratio + 1e-6));
    return SurfacePoint(QSize(display_.Width, display_.Height), target_, pixel);
}

QImage TMainForm::Composite() {
    const QImage& frame = canvas_.Presented();
    if (composite_.size() != frame.size())
        composite_ = QImage(frame.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&composite_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, frame);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const PanelState& panels = game_.View().Panels;
    panels_.Paint(p, panels, game_.View().Minimap, commands_.Labels());
    p.end();
    if (watching_) {
        overlayCanvas_.PaintOn(&composite_);
        watching_->DrawOverlay(overlayCanvas_);
        overlayCanvas_.PaintOn(nullptr);
    }

    GammaRamp ramp{};
    if (canvas_.GetGammaRamp(ramp) && !IsIdentity(ramp)) {
        if (panels.MenuShown) ApplyRamp(composite_, ToQRect(MenuRect(panels)), ramp);
        if (panels.MinimapVisible) ApplyRamp(composite_, ToQRect(MinimapPanelRect(panels)), ramp);
        if (panels.StatusBarShown) ApplyRamp(composite_, ToQRect(StatusBarRect(panels)), ramp);
    }
    return composite_;
}

void TMainForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Drawn in the screen's own pixels whatever Qt's units are.
    const qreal ratio = devicePixelRatioF();
    if (ratio != 1.0) p.scale(1.0 / ratio, 1.0 / ratio);
    const QRect whole(QPoint(0, 0), DeviceSize());
    GammaRamp ramp{};
    const bool fading = canvas_.GetGammaRamp(ramp) && !IsIdentity(ramp);
    if (!watching_ && !fading && target_ == whole && canvas_.Presented().size() == target_.size()) {
        // The surface fills the window at its own size: the frame goes to the
        // screen as it is and the panels are painted over it there, without a
        // second full-size copy of the picture.
        p.drawImage(0, 0, canvas_.Presented());
        panels_.Paint(p, game_.View().Panels, game_.View().Minimap, commands_.Labels());
        return;
    }
    const QImage picture = Composite();
    if (target_ != whole) {
        // Beside the picture the screen stays black.
        const QRegion around = QRegion(whole).subtracted(QRegion(target_));
        for (const QRect& r : around) p.fillRect(r, Qt::black);
    }
    // Nearest-pixel scaling keeps the picture crisp.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (target_.size() == picture.size()) p.drawImage(target_.topLeft(), picture);
    else p.drawImage(target_, picture);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // In a window the surface follows the window's size (a replay keeps the size
    // it was recorded at); full screen shows the mode's surface scaled to fit.
    if (!fullScreen_ && !watching_ && clock_.Enabled() && !isFullScreen()) {
        // A surface pixel is a pixel of the screen, also where Qt counts in
        // larger units (a device pixel ratio above 1).
        const QSize pixels = DeviceSize();
        commands_.WindowResized(pixels.width(), pixels.height());
    }
    target_ = FitSurface(QSize(display_.Width, display_.Height), DeviceSize());
}

void TMainForm::SetHovered(PanelPart part) {
    if (!MenuEntryOf(part)) part = PanelPart::None;
    if (part == hovered_) return;
    if (const auto left = MenuEntryOf(hovered_)) commands_.Labels().MouseLeave(*left);
    hovered_ = part;
    if (const auto entered = MenuEntryOf(hovered_)) commands_.Labels().MouseEnter(*entered);
    update();
}

void TMainForm::TrackPanels(QPoint at, bool leftHeld) {
    const PanelState& panels = game_.View().Panels;
    const PanelPart part = PanelHitTest(panels, at.x(), at.y());
    SetHovered(part);
    cursors_.SetSuspended(part != PanelPart::None);
    if (part == PanelPart::None) return;
    commands_.MenuPanelMouseMove();
    if (part == PanelPart::Minimap) {
        const QPoint inside = MinimapPoint(at);
        commands_.MiniMapMouseMove(inside.x(), inside.y(), leftHeld);
    }
}

void TMainForm::PanelPress(PanelPart part, QPoint at) {
    PanelState& panels = game_.View().Panels;
    switch (part) {
        case PanelPart::MenuButton: commands_.SpeedButton1Click(!panels.MenuButtonDown); break;
        case PanelPart::MinimapButton: commands_.SpeedButton2Click(!panels.MinimapButtonDown); break;
        case PanelPart::ZoomButton: commands_.SpeedButton3Click(); break;
        case PanelPart::Minimap: {
            const QPoint inside = MinimapPoint(at);
            commands_.MiniMapMouseDown(inside.x(), inside.y());
            break;
        }
        default: break;
    }
    panels_.SetPressed(part);
    update();
}

void TMainForm::PanelRelease(PanelPart part) {
    panels_.SetPressed(PanelPart::None);
    update();
    const auto entry = MenuEntryOf(part);
    if (!entry) return;
    if (commands_.MenuEntryClick(*entry) && *entry != MenuLabel::SaveGame) moneyShown_ = true;
    FollowSpeed();
    RefreshLabels();
}

void TMainForm::mousePressEvent(QMouseEvent* event) {
    const QPoint at = ToSurface(WindowPoint(*event));
    if (watching_) {
        // No input of the viewer reaches the battle; the minimap moves their view.
        if (event->button() == Qt::LeftButton) watching_->Mouse(at.x(), at.y(), true, true);
        return;
    }
    const PanelPart part = PanelHitTest(game_.View().Panels, at.x(), at.y());
    // A press belongs to what it fell on until every button is up again (a press
    // that opened a dialog may never see its release).
    pressOnSurface_ = part == PanelPart::None;
    pressedPart_ = PanelPart::None;
    if (part != PanelPart::None) {
        if (event->button() == Qt::LeftButton) {
            pressedPart_ = part;
            PanelPress(part, at);
        }
        return;
    }
    commands_.DXDrawMouseDown(ToMouseButton(event->button()), at.x(), at.y(), event->modifiers() & Qt::ShiftModifier);
    RefreshLabels();
    update();
}

void TMainForm::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = ToSurface(WindowPoint(*event));
    const bool leftHeld = event->buttons() & Qt::LeftButton;
    if (watching_) {
        watching_->Mouse(at.x(), at.y(), leftHeld, false);
        return;
    }
    if (pressOnSurface_ && event->buttons() != Qt::NoButton) {
        // A drag that began on the battlefield stays with it over the panels.
        commands_.DXDrawMouseMove(leftHeld, at.x(), at.y());
        return;
    }
    if (pressedPart_ != PanelPart::None && leftHeld) {
        if (pressedPart_ == PanelPart::Minimap) TrackPanels(at, true);
        return;
    }
    if (PanelHitTest(game_.View().Panels, at.x(), at.y()) != PanelPart::None) {
        TrackPanels(at, leftHeld);
        return;
    }
    SetHovered(PanelPart::None);
    cursors_.SetSuspended(false);
    commands_.DXDrawMouseMove(leftHeld, at.x(), at.y());
}

void TMainForm::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = ToSurface(WindowPoint(*event));
    if (watching_) {
        watching_->Mouse(at.x(), at.y(), false, false);
        return;
    }
    if (pressOnSurface_) {
        if (event->buttons() == Qt::NoButton) pressOnSurface_ = false;
        commands_.DXDrawMouseUp(ToMouseButton(event->button()), at.x(), at.y(), event->modifiers() & Qt::ShiftModifier);
        return;
    }
    if (event->button() != Qt::LeftButton || pressedPart_ == PanelPart::None) return;
    const PanelPart pressed = pressedPart_;
    pressedPart_ = PanelPart::None;
    // A menu entry is chosen by letting go over the entry that was pressed.
    const PanelPart under = PanelHitTest(game_.View().Panels, at.x(), at.y());
    PanelRelease(under == pressed ? pressed : PanelPart::None);
}

void TMainForm::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click acts as two clicks.
    mousePressEvent(event);
}

void TMainForm::leaveEvent(QEvent* event) {
    SetHovered(PanelPart::None);
    if (watching_) watching_->MouseAway();
    QWidget::leaveEvent(event);
}

namespace {

/// The digit key under a symbol that Shift made of it (Shift+1 arrives as '!'
/// on many layouts): by the symbols of the common layout, else by the key's
/// position in the digit row (X11 key codes 10 to 18).
GameKey ShiftedDigit(const QKeyEvent& event) {
    static constexpr int kShiftedDigits[] = {Qt::Key_Exclam, Qt::Key_At,        Qt::Key_NumberSign, Qt::Key_Dollar,   Qt::Key_Percent,
                                             Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,  Qt::Key_ParenLeft};
    for (int n = 0; n < 9; ++n)
        if (event.key() == kShiftedDigits[n]) return static_cast<GameKey>(static_cast<int>(GameKey::Digit1) + n);
    const quint32 code = event.nativeScanCode();
    if (code >= 10 && code <= 18) return static_cast<GameKey>(static_cast<int>(GameKey::Digit1) + static_cast<int>(code - 10));
    return GameKey::Other;
}

}  // namespace

void TMainForm::keyPressEvent(QKeyEvent* event) {
    if (watching_) {
        if (watching_->Key(ToGameKey(event->key()), true)) close();
        update();
        return;
    }
    // Undo and redo of the map editor: Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z.
    if (game_.Run().EditMode && (event->modifiers() & Qt::ControlModifier)) {
        const bool shift = event->modifiers() & Qt::ShiftModifier;
        if (event->key() == Qt::Key_Z && !shift) {
            commands_.EditUndo();
            update();
            return;
        }
        if (event->key() == Qt::Key_Y || (event->key() == Qt::Key_Z && shift)) {
            commands_.EditRedo();
            update();
            return;
        }
    }
    GameKey key = ToGameKey(event->key());
    if (key == GameKey::Other && (event->modifiers() & Qt::ShiftModifier)) key = ShiftedDigit(*event);
    // A held key repeats its press: the pause would flicker and a group be
    // centred on; an arrow scrolls while held anyway.
    if (event->isAutoRepeat() && key != GameKey::Other) return;
    commands_.FormKeyDown(key, event->modifiers() & Qt::AltModifier, event->modifiers() & Qt::ControlModifier,
                          event->modifiers() & Qt::ShiftModifier);
    FollowSpeed();
    RefreshLabels();
    update();
}

void TMainForm::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    if (watching_) {
        watching_->Key(ToGameKey(event->key()), false);
        return;
    }
    commands_.FormKeyUp(ToGameKey(event->key()));
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        game_.Autosave();
        // Closing the window ends the battle being recorded.
        recorder_.End();
        game_.FadeOut(kCloseFadeMs);
        DXDrawFinalize();
        if (music_) music_->Stop();
    }
    if (editorForm_) editorForm_->close();
    if (imageForm_) imageForm_->close();
    event->accept();
    QCoreApplication::quit();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (dropHandler_) event->acceptProposedAction();
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event) {
    if (dropHandler_) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    if (!dropHandler_) return;
    if (dropHandler_(*event, ToSurface(event->position()))) event->acceptProposedAction();
    update();
}

}  // namespace tavrine::ui
