#include "game/main_commands.h"

#include <filesystem>
#include <system_error>
#include <type_traits>

#include "data/file_io.h"
#include "game/replay_recorder.h"
#include "state/settings.h"
#include "view/keys.h"
#include "view/minimap.h"
#include "view/panels.h"
#include "view/viewport.h"

namespace tavrine {

namespace {

/// The pause between the editing mode's flash fades.
constexpr int kFlashPauseMs = 200;
constexpr int kFlashFadeInMs = 500;

}  // namespace

std::optional<std::string> GameNameProblem(const std::string& name) {
    if (name.find_first_not_of(" \t") == std::string::npos) return std::string("no name was given");
    if (name.find_first_of("/\\") != std::string::npos)
        return std::string("it contains a folder separator (\"/\" or \"\\\")");
    if (name.front() == '.') return std::string("it begins with a dot");
    if (name.find('\0') != std::string::npos) return std::string("it contains a NUL character");
    return std::nullopt;
}

std::optional<std::string> GameNameMessage(const std::string& name) {
    const std::optional<std::string> problem = GameNameProblem(name);
    if (!problem) return std::nullopt;
    return "Invalid game name: " + *problem + ". Use a plain file name.";
}

std::string ReplaceSavedGameQuestion(const std::string& name) { return "Replace the saved game \"" + name + "\"?"; }

std::string ReplacePreparedMapQuestion(const std::string& name) { return "Replace the prepared map \"" + name + "\"?"; }

MainCommands::MainCommands(Game& game, Dialogs& dialogs, MainWindow& window, Editor* editor)
    : game_(game), dialogs_(dialogs), window_(window), editor_(editor) {}

template <typename Show>
auto MainCommands::InDialog(Show&& show) {
    struct Open {
        int& depth;
        explicit Open(int& d) : depth(d) { ++depth; }
        ~Open() { --depth; }
    } open(dialogDepth_);
    return show();
}

bool MainCommands::AcceptGameName(const std::string& name) {
    const std::optional<std::string> message = GameNameMessage(name);
    if (!message) return true;
    game_.GetHost().ShowMessage(*message, "Error", MessageIcon::Error);
    return false;
}

namespace {

/// The events that answer a dialog or the disk, or script the editor's tools:
/// they reach the commands through the dialogs, not as inputs.
template <typename E>
constexpr bool kNotAnInput = std::is_same_v<E, PickEvent> || std::is_same_v<E, ControlEvent> ||
                             std::is_same_v<E, AnswerEvent> || std::is_same_v<E, DiskEvent> ||
                             std::is_same_v<E, ToolEvent> || std::is_same_v<E, FogEvent> ||
                             std::is_same_v<E, DropEvent> || std::is_same_v<E, NewMapEvent> ||
                             std::is_same_v<E, SaveMapEvent>;

}  // namespace

bool MainCommands::Input(const EventAction& action) {
    return std::visit(
        [&](const auto& e) -> bool {
            using E = std::decay_t<decltype(e)>;
            if constexpr (kNotAnInput<E>) {
                return false;
            } else {
                // Every input is recorded here, before its command runs (and
                // opens the dialogs whose answers follow it).
                if (recorder_) recorder_->Note(action);
                return Do(e);
            }
        },
        action);
}

bool MainCommands::Do(const PressEvent& e) {
    SimContext ctx = game_.Context();
    if (tavrine::DXDrawMouseDown(ctx, editor_, game_.GetHost(), e.Button, e.X, e.Y)) return LoadGameCommand();
    return false;
}

bool MainCommands::Do(const MoveEvent& e) {
    SimContext ctx = game_.Context();
    tavrine::DXDrawMouseMove(ctx, editor_, game_.View().Panels, e.LeftHeld, e.X, e.Y);
    return false;
}

bool MainCommands::Do(const ReleaseEvent& e) {
    SimContext ctx = game_.Context();
    tavrine::DXDrawMouseUp(ctx, e.Button, e.X, e.Y);
    return false;
}

bool MainCommands::Do(const KeyEvent& e) {
    bool loaded = false;
    if (e.Down) loaded = KeyDown(e.Key, e.Alt, e.Ctrl);
    if (e.Up) BattleKeyUp(game_.Run(), e.Key);
    return loaded;
}

bool MainCommands::Do(const FocusEvent& e) {
    game_.SetFocusPaused(!e.In);
    if (!e.In) game_.Run().HeldArrows = 0;
    return false;
}

bool MainCommands::Do(const MenuEvent& e) {
    switch (e.Entry) {
        case MenuLabel::LoadGame: return LoadGameCommand();
        case MenuLabel::SaveGame: return SaveGameCommand();
        case MenuLabel::GameControl: GameControlCommand(); return false;
        case MenuLabel::Information: InformationCommand(); return false;
        case MenuLabel::Exit: ExitCommand(); return false;
    }
    return false;
}

bool MainCommands::Do(const MinimapEvent& e) {
    if (e.Press) tavrine::MiniMapMouseDown(game_.EditRecord(), game_.Run(), e.X, e.Y);
    else tavrine::MiniMapMouseMove(game_.EditRecord(), game_.Run(), e.X, e.Y, e.LeftHeld);
    return false;
}

bool MainCommands::Do(const ButtonEvent& e) {
    if (e.Minimap) tavrine::SpeedButton2Click(game_.View().Panels, e.Down);
    else tavrine::SpeedButton1Click(game_.View().Panels, e.Down);
    return false;
}

bool MainCommands::Do(const ZoomEvent&) {
    tavrine::SpeedButton3Click(game_.Run());
    return false;
}

bool MainCommands::Do(const PanelMoveEvent&) {
    tavrine::MenuPanelMouseMove(game_.Run());
    return false;
}

bool MainCommands::Do(const UndoEvent& e) {
    if (!EditorActive()) return false;
    SimContext ctx = game_.Context();
    return e.Redo ? editor_->Redo(ctx) : editor_->Undo(ctx);
}

TickResult MainCommands::DXTimerTimer() {
    TickResult result = game_.DXTimerTimer();
    AfterTick();
    return result;
}

void MainCommands::AfterTick() {
    if (recorder_) recorder_->AfterTick();
    if (game_.TakeLoadGameOffer()) loadOfferPending_ = true;
    // Ticks keep running while a dialog is open; the offer then waits for it to close.
    if (!loadOfferPending_ || DialogOpen()) return;
    loadOfferPending_ = false;
    game_.FadeOut(1);
    game_.FadeIn(0);
    LoadGameCommand();
}

void MainCommands::DXDrawMouseDown(MouseButton button, std::int32_t x, std::int32_t y) { Input(PressEvent{button, x, y}); }

void MainCommands::DXDrawMouseMove(bool leftHeld, std::int32_t x, std::int32_t y) { Input(MoveEvent{x, y, leftHeld}); }

void MainCommands::DXDrawMouseUp(MouseButton button, std::int32_t x, std::int32_t y) { Input(ReleaseEvent{button, x, y}); }

void MainCommands::FormKeyDown(GameKey key, bool alt, bool ctrl) { Input(KeyEvent{key, alt, ctrl, true, false}); }

bool MainCommands::KeyDown(GameKey key, bool alt, bool ctrl) {
    switch (tavrine::FormKeyDown(game_.Run(), key, alt, ctrl)) {
        case KeyCommand::None: break;
        case KeyCommand::TogglePause: game_.SetPaused(!game_.Run().PausedByPlayer); break;
        case KeyCommand::BattleKey: {
            SimContext ctx = game_.Context();
            BattleKeyDown(ctx, key, ctrl);
            break;
        }
        case KeyCommand::LoadGame: return LoadGameCommand();
        case KeyCommand::Exit: ExitCommand(); break;
        case KeyCommand::Flash:
            game_.FadeOut(0);
            game_.GetHost().Sleep(kFlashPauseMs);
            game_.FadeIn(kFlashFadeInMs);
            break;
        case KeyCommand::ImageEditor: InDialog([&] { dialogs_.ShowImageEditor(); }); break;
        case KeyCommand::ToggleFullScreen: window_.ToggleFullScreen(); break;
    }
    return false;
}

void MainCommands::FormKeyUp(GameKey key) { Input(KeyEvent{key, false, false, false, true}); }

void MainCommands::WindowFocus(bool focused) { Input(FocusEvent{focused}); }

void MainCommands::MiniMapMouseDown(std::int32_t x, std::int32_t y) { Input(MinimapEvent{true, x, y, false}); }

void MainCommands::MiniMapMouseMove(std::int32_t x, std::int32_t y, bool leftHeld) {
    Input(MinimapEvent{false, x, y, leftHeld});
}

void MainCommands::MenuPanelMouseMove() { Input(PanelMoveEvent{}); }

bool MainCommands::Label5Click() { return Input(MenuEvent{MenuLabel::LoadGame}); }

bool MainCommands::LoadGameCommand() {
    RunState& run = game_.Run();
    window_.ShowStatusBar();
    game_.View().Panels.MenuButtonDown = false;
    run.LoadOffered = 1;
    game_.EnsureGameFolders();
    const GamePaths& paths = game_.Paths();
    const std::string saveGames = paths.SaveGames();
    const FilePick pick =
        InDialog([&] { return dialogs_.ShowFilePicker(paths.NewGamesFolders(), saveGames, FilePickerMode::Load); });
    // Before the first game a refused or failed load leaves the title, which
    // offers the dialog again.
    const auto failed = [&run] {
        if (run.TitleShown) {
            run.LoadOffered = 0;
            run.TitleFrames = 0;
        }
        return false;
    };
    if (pick.Name.empty()) return false;
    if (!AcceptGameName(pick.Name)) return failed();
    // The battle being recorded ends here if the load succeeds.
    if (recorder_) recorder_->HoldEnd();

    const std::string path = pick.FromNewGames ? paths.PreparedMap(pick.Name) : saveGames + "/" + pick.Name;
    // A prepared map becomes a new game only when it was read: a failed load
    // leaves the running game as it was (and the picture restored).
    const bool loaded = pick.FromNewGames ? game_.LoadNewGame(path) : game_.LoadGame(path);
    if (!loaded) {
        if (recorder_) recorder_->DropHeld();
        return failed();
    }
    if (recorder_) {
        recorder_->EndAtHeld();
        if (const auto bytes = ReadWholeFile(path)) recorder_->Begin(*bytes, pick.FromNewGames, pick.Name);
    }
    if (editor_) editor_->ForgetHistory();
    game_.RefreshTimeLabel();
    return true;
}

bool MainCommands::Label6Click() { return Input(MenuEvent{MenuLabel::SaveGame}); }

bool MainCommands::SaveGameCommand() {
    game_.View().Panels.MenuButtonDown = false;
    game_.EnsureGameFolders();
    return PickAndSave(game_.Paths().SaveGames(), ReplaceSavedGameQuestion);
}

bool MainCommands::PickAndSave(const std::string& folder, std::string (*replace)(const std::string&)) {
    const std::vector<std::string> newGames = game_.Paths().NewGamesFolders();
    const FilePick pick = InDialog([&] { return dialogs_.ShowFilePicker(newGames, folder, FilePickerMode::Save); });
    if (pick.Name.empty() || !AcceptGameName(pick.Name)) return false;
    const std::string path = folder + "/" + pick.Name;
    // Nothing is written over an existing file unasked; "No" is as if the
    // picker had been cancelled.
    const bool exists = game_.AskDisk(DiskQuestion::GameExists, [&] {
        std::error_code error;
        return std::filesystem::exists(std::filesystem::symlink_status(path, error));
    }) != 0;
    if (exists &&
        !InDialog([&] { return dialogs_.Confirm(replace(pick.Name)); }))
        return false;
    return game_.SaveGame(path);
}

bool MainCommands::EditorActive() const { return editor_ && game_.Run().EditMode; }

bool MainCommands::ToolButton11Click() {
    if (!EditorActive()) return false;
    const NewGameChoice choice = InDialog([&] { return dialogs_.ShowNewGameDialog(); });
    if (!choice.Accepted) return false;
    SimContext ctx = game_.Context();
    if (!editor_->MakeNewMap(ctx, choice.Columns, choice.Rows, choice.Flag, choice.Mission)) return false;
    FitMinimapZoom(game_.Record(), game_.Run(), game_.View().Panels);
    game_.RefreshTimeLabel();
    return true;
}

void DisplayInitialized(Game& game) {
    RunState& run = game.Run();
    PanelState& panels = game.View().Panels;
    game.ReadSavedGamma();
    run.MinimapState = 0;
    panels.MinimapVisible = false;
    if (run.FadeInPending) game.FadeOut(0);
    panels.MenuShown = true;
    // The status bar across the bottom, the game menu just below the surface
    // (it slides in from there); the buttons follow the status bar's width.
    PlacePanels(panels, run.DisplayWidth, run.DisplayHeight);
    ClampView(game.EditRecord(), run);
}

bool MainCommands::SavePreparedMap() {
    if (!EditorActive()) return false;
    game_.EnsureGameFolders();
    // The picker lists the prepared maps in the place of the saved games, so an
    // existing map can be picked to be replaced (after the question).
    return PickAndSave(game_.Paths().UserNewGames(), ReplacePreparedMapQuestion);
}

bool MainCommands::EditUndo() { return Input(UndoEvent{false}); }

bool MainCommands::EditRedo() { return Input(UndoEvent{true}); }

void MainCommands::Label7Click() { Input(MenuEvent{MenuLabel::GameControl}); }

void MainCommands::GameControlCommand() {
    RunState& run = game_.Run();
    game_.View().Panels.MenuButtonDown = false;
    const GameControlSettings settings = GameControlSettingsOf(run);
    const GameControlChoice choice = InDialog([&] { return dialogs_.ShowGameControl(settings); });
    if (!choice.Confirmed) return;
    if (ApplyGameControl(run, choice, game_.Music()))
        window_.SetDisplayMode(run.DisplayWidth, run.DisplayHeight, run.DisplayBits);
    // A replay being played back keeps the viewer's settings file as it is.
    const bool kept = game_.AskDisk(DiskQuestion::SettingsSaved, [&] {
        return !game_.Paths().KeepsSettings() ||
               WriteSettings(game_.Paths(), run, {run.DisplayWidth, run.DisplayHeight, run.DisplayBits});
    }) != 0;
    if (!kept) game_.GetHost().ShowMessage(kSettingsWriteFailedMessage, "Error", MessageIcon::Error);
}

void MainCommands::Label9Click() { Input(MenuEvent{MenuLabel::Information}); }

void MainCommands::InformationCommand() {
    if (game_.Run().Outcome != OutcomeRunning) return;
    const std::string text = InformationText(game_.Record(), game_.Run());
    InDialog([&] { dialogs_.ShowInformation(text); });
}

void MainCommands::Label10Click() { Input(MenuEvent{MenuLabel::Exit}); }

void MainCommands::ExitCommand() {
    game_.View().Panels.MenuButtonDown = false;
    if (!InDialog([&] { return dialogs_.Confirm(kExitQuestion); })) return;
    if (recorder_) recorder_->End();
    window_.CloseMainWindow();
}

bool MainCommands::MenuEntryClick(MenuLabel entry) { return Input(MenuEvent{entry}); }

void MainCommands::SpeedButton1Click(bool down) { Input(ButtonEvent{false, down}); }

void MainCommands::SpeedButton2Click(bool down) { Input(ButtonEvent{true, down}); }

void MainCommands::SpeedButton3Click() { Input(ZoomEvent{}); }

}  // namespace tavrine
