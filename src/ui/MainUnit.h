// The main window: a thin shell over the engine. It shows the game's back
// buffer (scaled to the screen in full screen), draws the status bar, the game
// menu and the minimap panel where the engine has moved them, runs the frame
// timer, and hands the mouse, the keys and the menu to the game's commands.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "game/game.h"
#include "game/main_commands.h"
#include "game/replay_player.h"
#include "game/replay_viewer.h"
#include "game/replay_recorder.h"
#include "game/start_up.h"
#include "platform/main_window.h"
#include "platform/qt/qt_canvas.h"
#include "state/display_modes.h"
#include "ui/WindowScale.h"
#include "ui/CursorSet.h"
#include "ui/FrameClock.h"
#include "ui/GamePanels.h"
#include "ui/QtDialogs.h"
#include "ui/QtHost.h"
#include "view/viewer_view.h"

class QDropEvent;

namespace tavrine {
class SdlAudio;
class SdlSoundOutput;
class SdlMusicPlayer;
class PositionalSound;
}  // namespace tavrine

namespace tavrine::ui {

class TStartForm;

using tavrine::StartUp;

class TMainForm final : public QWidget, public MainWindow {
    Q_OBJECT
public:
    /// The game's files where `paths` names them.
    explicit TMainForm(GamePaths paths, QWidget* parent = nullptr);
    /// Portable: everything in `programFolder` (no trailing slash).
    explicit TMainForm(std::string programFolder, QWidget* parent = nullptr);
    ~TMainForm() override;

    /// The start-up sequence: the settings, the start dialog (answered by
    /// `startDialog` when given, which receives the filled dialog and the stored
    /// mode and returns the choice), the display mode, the first empty map, the
    /// cursors, the library, the sound and the music. Cancelled means the
    /// program ends without showing the window.
    StartUp FormCreate(const std::function<std::int32_t(TStartForm&, std::int32_t)>& startDialog = {});

    /// Shows the window in its display mode and initialises the display, which
    /// starts the frame timer; in the editing mode the map editor window comes up
    /// beside it.
    void FormShow();

    // What the game's commands ask of the window.
    void CloseMainWindow() override;
    void ShowStatusBar() override;
    void SetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bits) override;
    void ToggleFullScreen() override;
    void ResizeSurface() override;

    // Replays. Every battle played is recorded into the Replays folder; a replay
    // can be watched instead of playing.

    /// Watch `replay` instead of playing: its surface size becomes the display's.
    /// Call between `FormCreate` and `FormShow`.
    void PrepareReplay(Replay replay);
    /// After `FormShow`: loads the replay's game and starts playing it back; false
    /// with the reason in `error` when its game cannot be loaded.
    bool StartReplay(std::string& error);
    bool Replaying() const { return watching_ != nullptr; }
    /// While watching: paused, and ticks per frame (1, 2, 4 or 8).
    bool ReplayPaused() const { return watching_ && watching_->Paused(); }
    int ReplaySpeed() const { return watching_ ? watching_->Speed() : 1; }
    /// The replay being watched, or nullptr.
    const ReplayPlayer* Player() const { return watching_ ? &watching_->Player() : nullptr; }
    /// While watching: the part of the map the viewer looks at.
    const ViewerView& Viewer() const;
    /// Where the battles played are recorded.
    ReplayRecorder& Recorder() { return recorder_; }

    /// Called each time the display surface has been (re)created.
    void DXDrawInitialize();
    /// Called when the surface is released: the frame timer stops.
    void DXDrawFinalize();
    /// One frame tick as the timer runs it (and what follows it).
    void DXTimerTimer();

    // The map editor (TEditorForm) and the image library editor (TImageForm)
    // live for the whole run: the program makes them after the main window, as
    // windows (Qt::Window) whose parent is the main window, so they close and go
    // with it, and hands them over here. They reach the game through
    // `GameObject()`, `MapEditor()` and `Commands()`.

    /// The two editor windows; either may be null. In the editing mode the map
    /// editor is shown beside the main window by `FormShow`; the image library
    /// editor comes up on the editing mode's S key through `openImageEditor`
    /// (which refills it), or is just shown without one.
    void SetEditorWindows(QWidget* editorForm, QWidget* imageForm, std::function<void()> openImageEditor = {});
    /// After the image library editor changed or reloaded the library: the
    /// canvas converts the pictures again and every wave gets a sound buffer.
    void LibraryChanged();
    /// F1 in the library editor: the guide at the library editor's page.
    void ShowLibraryHelp();
    /// Plays wave `index` of the library once at full volume in the centre, as
    /// the image library editor's play button does; nothing without sound.
    void PlayLibrarySound(std::int32_t index);
    /// A picture dragged from the image library editor and dropped on the game
    /// view at surface pixel (x, y); the handler says whether it took it.
    using DropHandler = std::function<bool(QDropEvent&, QPoint surface)>;
    void SetDropHandler(DropHandler handler) { dropHandler_ = std::move(handler); }

    Game& GameObject() { return game_; }
    Editor& MapEditor() { return editor_; }
    MainCommands& Commands() { return commands_; }
    qt::QtCanvas& Surface() { return canvas_; }
    FrameClock& Clock() { return clock_; }
    GamePanels& Panels() { return panels_; }
    CursorSet& CursorList() { return cursors_; }
    /// The read-only data files: pictures, cursors, help, music.
    const std::string& ProgramFolder() const { return folder_; }

    /// The current display mode.
    DisplayMode Display() const { return display_; }
    /// Where the surface's picture is shown in the window, in the screen's own
    /// pixels (Qt's units times the device pixel ratio).
    QRect Target() const { return target_; }
    /// The window's size in the screen's own pixels.
    QSize DeviceSize() const;
    /// The modes this screen can show.
    std::vector<DisplayMode> OfferedModes() const;

    /// The picture the player sees now: the frame with the panels over it, at the
    /// surface's size.
    QImage Composite();
    /// The surface pixel under window point `at` (in Qt's units).
    QPoint ToSurface(QPointF at) const;
    /// A surface point over the minimap as the minimap picture's pixel.
    QPoint MinimapPoint(QPoint at) const;
    /// How many times the dialogs are enlarged at this interface scale.
    int DialogScale(int interfaceScale) const;
    /// The screen's height in its own pixels.
    int ScreenHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    /// The display component's (re)creation of its surface at the current mode.
    void CreateSurface();
    void PlaceWindow();
    void AfterTick();
    /// The frame timer takes the run's interval when it has changed.
    void FollowSpeed();
    /// The program became active or inactive (another program took the keyboard):
    /// the battle pauses, or goes on. Our own dialogs and the editor's windows keep
    /// the program active.
    void ApplicationStateChanged(Qt::ApplicationState state);
    /// The frame timer stands still while the program is inactive, so the paused
    /// battle is drawn once more, "Paused" on it; inside a tick, after it.
    void DrawStillFrame();
    void RefreshLabels();
    void OpenSound();
    /// The mouse over point `at` of the surface: hover colours, the cursor over
    /// the panels, and no edge scrolling while it is over them.
    void TrackPanels(QPoint at, bool leftHeld);
    void SetHovered(PanelPart part);
    void PanelPress(PanelPart part, QPoint at);
    void PanelRelease(PanelPart part);

    /// While watching: the replayed window made a new surface.
    void ReplaySurface();

    std::string folder_;
    QtHost host_;
    /// The game's host: records message boxes, and hands them to the replay being watched.
    RecordingHost recordingHost_;
    Game game_;
    Editor editor_;
    QtDialogs dialogs_;
    RecordingDialogs recordingDialogs_;
    MainCommands commands_;
    ReplayRecorder recorder_;
    std::optional<Replay> pendingReplay_;
    ScriptHost replayHost_{true};
    /// Someone watching a replay instead of playing: every key, click and frame
    /// goes to it.
    std::unique_ptr<ReplayViewer> watching_;
    qt::QtCanvas canvas_;
    /// Draws the viewer's marks onto the composite picture.
    qt::QtCanvas overlayCanvas_{1, 1};
    GamePanels panels_;
    CursorSet cursors_;
    FrameClock clock_;

    std::unique_ptr<SdlAudio> audio_;
    std::unique_ptr<SdlSoundOutput> soundOutput_;
    std::unique_ptr<PositionalSound> sound_;
    std::unique_ptr<SdlMusicPlayer> music_;

    /// The dialogs and the editor's windows at the interface scale.
    WindowScale windowScale_;
    DisplayMode display_ = kDefaultDisplayMode;
    /// The mode chosen in the start dialog or Game Control: full screen goes
    /// back to it after the window was resized.
    DisplayMode chosen_ = kDefaultDisplayMode;
    bool fullScreen_ = false;
    QRect target_;
    QImage composite_;

    /// What the left button was pressed on: the battlefield or a panel part.
    PanelPart pressedPart_ = PanelPart::None;
    bool pressOnSurface_ = false;
    PanelPart hovered_ = PanelPart::None;
    /// The money label shows "$ ____" until the money first changes or a game is
    /// loaded.
    bool moneyShown_ = false;
    std::int32_t lastMoney_ = 0;
    bool closing_ = false;
    /// The program went inactive during a tick: the still frame is drawn after it.
    bool stillFramePending_ = false;

    QPointer<QWidget> editorForm_;
    QPointer<QWidget> imageForm_;
    std::function<void()> openImageEditor_;
    DropHandler dropHandler_;
};

/// The game's key for a Qt key code.
GameKey ToGameKey(int qtKey);

}  // namespace tavrine::ui
