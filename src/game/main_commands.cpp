#include "game/main_commands.h"

#include <filesystem>
#include <system_error>

#include "state/settings.h"
#include "view/minimap.h"

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

void MainCommands::DXTimerTimer() {
    game_.DXTimerTimer();
    AfterTick();
}

void MainCommands::AfterTick() {
    if (game_.TakeLoadGameOffer()) loadOfferPending_ = true;
    // Ticks keep running while a dialog is open; the offer then waits for it to close.
    if (!loadOfferPending_ || DialogOpen()) return;
    loadOfferPending_ = false;
    game_.FadeOut(1);
    game_.FadeIn(0);
    Label5Click();
}

void MainCommands::DXDrawMouseDown(MouseButton button, std::int32_t x, std::int32_t y) {
    SimContext ctx = game_.Context();
    if (tavrine::DXDrawMouseDown(ctx, editor_, game_.GetHost(), button, x, y)) Label5Click();
}

void MainCommands::DXDrawMouseMove(bool leftHeld, std::int32_t x, std::int32_t y) {
    SimContext ctx = game_.Context();
    tavrine::DXDrawMouseMove(ctx, editor_, game_.View().Panels, leftHeld, x, y);
}

void MainCommands::DXDrawMouseUp(MouseButton button, std::int32_t x, std::int32_t y) {
    SimContext ctx = game_.Context();
    tavrine::DXDrawMouseUp(ctx, button, x, y);
}

void MainCommands::FormKeyDown(GameKey key, bool alt) {
    switch (tavrine::FormKeyDown(game_.Run(), key, alt)) {
        case KeyCommand::None: break;
        case KeyCommand::LoadGame: Label5Click(); break;
        case KeyCommand::Exit: Label10Click(); break;
        case KeyCommand::Flash:
            game_.FadeOut(0);
            game_.GetHost().Sleep(kFlashPauseMs);
            game_.FadeIn(kFlashFadeInMs);
            break;
        case KeyCommand::ImageEditor: InDialog([&] { dialogs_.ShowImageEditor(); }); break;
        case KeyCommand::ToggleFullScreen: window_.ToggleFullScreen(); break;
    }
}

void MainCommands::MiniMapMouseDown(std::int32_t x, std::int32_t y) {
    tavrine::MiniMapMouseDown(game_.Record(), game_.Run(), x, y);
}

void MainCommands::MiniMapMouseMove(std::int32_t x, std::int32_t y, bool leftHeld) {
    tavrine::MiniMapMouseMove(game_.Record(), game_.Run(), x, y, leftHeld);
}

void MainCommands::MenuPanelMouseMove() { tavrine::MenuPanelMouseMove(game_.Run()); }

bool MainCommands::Label5Click() {
    RunState& run = game_.Run();
    window_.ShowStatusBar();
    game_.View().Panels.MenuButtonDown = false;
    run.LoadOffered = 1;
    game_.EnsureGameFolders();
    const std::string newGames = game_.ProgramPath("/NewGames");
    const std::string saveGames = game_.ProgramPath("/SaveGames");
    const FilePick pick = InDialog([&] { return dialogs_.ShowFilePicker(newGames, saveGames, FilePickerMode::Load); });
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

    const std::string path = (pick.FromNewGames ? newGames : saveGames) + "/" + pick.Name;
    // A prepared map becomes a new game only when it was read: a failed load
    // leaves the running game as it was (and the picture restored).
    const bool loaded = pick.FromNewGames ? game_.LoadNewGame(path) : game_.LoadGame(path);
    if (!loaded) return failed();
    if (editor_) editor_->ForgetHistory();
    game_.RefreshTimeLabel();
    return true;
}

bool MainCommands::Label6Click() {
    game_.View().Panels.MenuButtonDown = false;
    game_.EnsureGameFolders();
    return PickAndSave(game_.ProgramPath("/SaveGames"), game_.ProgramPath("/NewGames"), ReplaceSavedGameQuestion);
}

bool MainCommands::PickAndSave(const std::string& folder, const std::string& newGamesFolder,
                               std::string (*replace)(const std::string&)) {
    const FilePick pick = InDialog([&] { return dialogs_.ShowFilePicker(newGamesFolder, folder, FilePickerMode::Save); });
    if (pick.Name.empty() || !AcceptGameName(pick.Name)) return false;
    const std::string path = folder + "/" + pick.Name;
    // Nothing is written over an existing file unasked; "No" is as if the
    // picker had been cancelled.
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, error)) &&
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
    game_.RefreshTimeLabel();
    return true;
}

bool MainCommands::SavePreparedMap() {
    if (!EditorActive()) return false;
    game_.EnsureGameFolders();
    // The picker lists the prepared maps in the place of the saved games, so an
    // existing map can be picked to be replaced (after the question).
    const std::string newGames = game_.ProgramPath("/NewGames");
    return PickAndSave(newGames, newGames, ReplacePreparedMapQuestion);
}

bool MainCommands::EditUndo() {
    if (!EditorActive()) return false;
    SimContext ctx = game_.Context();
    return editor_->Undo(ctx);
}

bool MainCommands::EditRedo() {
    if (!EditorActive()) return false;
    SimContext ctx = game_.Context();
    return editor_->Redo(ctx);
}

void MainCommands::Label7Click() {
    RunState& run = game_.Run();
    game_.View().Panels.MenuButtonDown = false;
    const GameControlSettings settings = GameControlSettingsOf(run);
    const GameControlChoice choice = InDialog([&] { return dialogs_.ShowGameControl(settings); });
    if (!choice.Confirmed) return;
    if (ApplyGameControl(run, choice, game_.Music()))
        window_.SetDisplayMode(run.DisplayWidth, run.DisplayHeight, run.DisplayBits);
    if (!WriteSettings(game_.ProgramFolder(), run, {run.DisplayWidth, run.DisplayHeight, run.DisplayBits}))
        game_.GetHost().ShowMessage(kSettingsWriteFailedMessage, "Error", MessageIcon::Error);
}

void MainCommands::Label9Click() {
    if (game_.Run().Outcome != OutcomeRunning) return;
    const std::string text = InformationText(game_.Record(), game_.Run());
    InDialog([&] { dialogs_.ShowInformation(text); });
}

void MainCommands::Label10Click() {
    game_.View().Panels.MenuButtonDown = false;
    if (InDialog([&] { return dialogs_.Confirm(kExitQuestion); })) window_.CloseMainWindow();
}

bool MainCommands::MenuEntryClick(MenuLabel entry) {
    switch (entry) {
        case MenuLabel::LoadGame: return Label5Click();
        case MenuLabel::SaveGame: return Label6Click();
        case MenuLabel::GameControl: Label7Click(); return false;
        case MenuLabel::Information: Label9Click(); return false;
        case MenuLabel::Exit: Label10Click(); return false;
    }
    return false;
}

void MainCommands::SpeedButton1Click(bool down) { tavrine::SpeedButton1Click(game_.View().Panels, down); }

void MainCommands::SpeedButton2Click(bool down) { tavrine::SpeedButton2Click(game_.View().Panels, down); }

void MainCommands::SpeedButton3Click() { tavrine::SpeedButton3Click(game_.Run()); }

}  // namespace tavrine
