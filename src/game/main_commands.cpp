#include "game/main_commands.h"

#include <algorithm>
#include "mapgen/generator.h"

#include <filesystem>
#include <system_error>
#include <type_traits>

#include "data/file_io.h"
#include "game/campaign_screens.h"
#include "game/replay_recorder.h"
#include "state/settings.h"
#include "view/keys.h"
#include "view/minimap.h"
#include "view/panel_layout.h"
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

std::string ReservedNameMessage(const std::string& name) {
    return "\"" + name + "\" is kept for the autosave. Save under another name.";
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
    if (tavrine::DXDrawMouseDown(ctx, editor_, game_.GetHost(), e.Button, e.X, e.Y, e.Shift)) return LoadGameCommand();
    return false;
}

bool MainCommands::Do(const MoveEvent& e) {
    SimContext ctx = game_.Context();
    tavrine::DXDrawMouseMove(ctx, editor_, game_.View().Panels, e.LeftHeld, e.X, e.Y);
    return false;
}

bool MainCommands::Do(const ReleaseEvent& e) {
    SimContext ctx = game_.Context();
    tavrine::DXDrawMouseUp(ctx, e.Button, e.X, e.Y, e.Shift);
    return false;
}

bool MainCommands::Do(const KeyEvent& e) {
    bool loaded = false;
    if (e.Down) loaded = KeyDown(e.Key, e.Alt, e.Ctrl, e.Shift);
    if (e.Up) BattleKeyUp(game_.Run(), e.Key);
    return loaded;
}

bool MainCommands::Do(const FocusEvent& e) {
    game_.SetFocusPaused(!e.In);
    if (!e.In) {
        game_.Run().HeldArrows = 0;
        game_.Run().RallyKeyHeld = 0;
    }
    return false;
}

bool MainCommands::Do(const MenuEvent& e) {
    switch (e.Entry) {
        case MenuLabel::LoadGame: return LoadGameCommand();
        case MenuLabel::SaveGame: return SaveGameCommand();
        case MenuLabel::GameControl: GameControlCommand(); return false;
        case MenuLabel::Information: InformationCommand(); return false;
        case MenuLabel::Exit: ExitCommand(); return false;
        case MenuLabel::Campaign: return MenuCampaignCommand();
        case MenuLabel::Skirmish: return MenuSkirmishCommand(false);
        case MenuLabel::QuickSkirmish: return MenuSkirmishCommand(true);
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

bool MainCommands::Do(const ResizeEvent& e) {
    RunState& run = game_.Run();
    run.DisplayWidth = e.Width;
    run.DisplayHeight = e.Height;
    window_.ResizeSurface();
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

void MainCommands::DXDrawMouseDown(MouseButton button, std::int32_t x, std::int32_t y, bool shift) {
    Input(PressEvent{button, x, y, shift});
}

void MainCommands::DXDrawMouseMove(bool leftHeld, std::int32_t x, std::int32_t y) { Input(MoveEvent{x, y, leftHeld}); }

void MainCommands::DXDrawMouseUp(MouseButton button, std::int32_t x, std::int32_t y, bool shift) {
    Input(ReleaseEvent{button, x, y, shift});
}

void MainCommands::FormKeyDown(GameKey key, bool alt, bool ctrl, bool shift) {
    Input(KeyEvent{key, alt, ctrl, true, false, shift});
}

bool MainCommands::KeyDown(GameKey key, bool alt, bool ctrl, bool shift) {
    switch (tavrine::FormKeyDown(game_.Run(), key, alt, ctrl)) {
        case KeyCommand::None: break;
        case KeyCommand::TogglePause: game_.SetPaused(!game_.Run().PausedByPlayer); break;
        case KeyCommand::BattleKey: {
            SimContext ctx = game_.Context();
            BattleKeyDown(ctx, key, ctrl, shift);
            break;
        }
        case KeyCommand::AttackMove: StartAttackMove(game_.EditRecord(), game_.Run()); break;
        case KeyCommand::Stop: {
            SimContext ctx = game_.Context();
            StopSelected(ctx);
            break;
        }
        case KeyCommand::RallyKey: game_.Run().RallyKeyHeld = 1; break;
        case KeyCommand::Help: HelpCommand(); break;
        case KeyCommand::LoadGame: return LoadGameCommand();
        case KeyCommand::Exit: ExitCommand(); break;
        case KeyCommand::Flash:
            game_.FadeOut(0);
            game_.GetHost().Sleep(kFlashPauseMs);
            game_.FadeIn(kFlashFadeInMs);
            break;
        case KeyCommand::ImageEditor: InDialog([&] { dialogs_.ShowImageEditor(); }); break;
        case KeyCommand::ToggleFullScreen: window_.ToggleFullScreen(); break;
        case KeyCommand::NextMission: LeadOn(true); break;
        case KeyCommand::PlayAgain: LeadOn(false); break;
    }
    return false;
}

void MainCommands::FormKeyUp(GameKey key) { Input(KeyEvent{key, false, false, false, true}); }

void MainCommands::WindowResized(std::int32_t width, std::int32_t height) {
    width = std::clamp(width, kMinModeWidth, kMaxModeSide);
    height = std::clamp(height, kMinModeHeight, kMaxModeSide);
    const RunState& run = game_.Run();
    if (width == run.DisplayWidth && height == run.DisplayHeight) return;
    Input(ResizeEvent{width, height});
}

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
    if (pick.Campaign) return CampaignCommand();
    if (pick.Instead != FilePick::Skirmish::No)
        return SkirmishCommand(pick.Instead == FilePick::Skirmish::Quick) || failed();
    if (pick.Name.empty()) return false;
    if (!AcceptGameName(pick.Name)) return failed();
    // The battle being left is kept (not when the autosave itself is loaded).
    if (pick.FromNewGames || pick.Name != kAutosaveName) game_.Autosave();
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
    if (pick.FromNewGames) game_.SetStart(BattleStart{BattleStart::Kind::PreparedMap, pick.Name, 0, {}});
    // A saved skirmish leads on as one: its map can be made again from its seed.
    if (game_.Record().InSkirmish) game_.SetStart(BattleStart{BattleStart::Kind::Skirmish, {}, 0, game_.Record().SkirmishPlayed});
    if (editor_) editor_->ForgetHistory();
    game_.RefreshTimeLabel();
    return true;
}

bool MainCommands::CampaignCommand() {
    const Campaign& campaign = game_.CampaignMissions();
    if (campaign.empty()) {
        game_.GetHost().ShowMessage("The campaign cannot be shown: " + game_.CampaignProblem(), "Error", MessageIcon::Error);
        return false;
    }
    CampaignProgress& progress = game_.Progress();
    const std::vector<CampaignRow> rows = CampaignRows(campaign, progress);
    const CampaignChoice choice = InDialog([&] { return dialogs_.ShowCampaign(rows, progress.OpenAll); });
    if (choice.OpenAll != progress.OpenAll) {
        progress.OpenAll = choice.OpenAll;
        game_.SaveProgressFile();
    }
    if (choice.Mission < 0) return false;
    return OpenBriefing(static_cast<std::size_t>(choice.Mission));
}

bool MainCommands::OpenBriefing(std::size_t index) {
    return Input(CampaignEvent{static_cast<std::int32_t>(index + 1)});
}

bool MainCommands::Do(const CampaignEvent& e) {
    const std::size_t index = static_cast<std::size_t>(e.Mission - 1);
    const Campaign& campaign = game_.CampaignMissions();
    if (index >= campaign.size()) {
        game_.GetHost().ShowMessage("The campaign has no mission " + std::to_string(index + 1) + ".", "Campaign",
                                    MessageIcon::Information);
        return false;
    }
    // A replay played back knows nothing of its player's progress: every
    // mission counts as open there.
    if (game_.Paths().KeepsSettings() && !MissionOpen(campaign, game_.Progress(), index)) {
        game_.GetHost().ShowMessage("\"" + campaign[index].Name + "\" opens once \"" + campaign[index - 1].Name +
                                        "\" is won.",
                                    "Campaign", MessageIcon::Information);
        return false;
    }
    const std::string path = game_.Paths().PreparedMap(campaign[index].File);
    const std::optional<Briefing> briefing = MakeBriefing(campaign, index, path);
    if (!briefing) {
        game_.GetHost().ShowMessage(LoadFailureMessage(LoadResult::Malformed, campaign[index].File), "Error",
                                    MessageIcon::Error);
        return false;
    }
    if (!InDialog([&] { return dialogs_.ShowBriefing(*briefing); })) return false;
    return StartPreparedMap(BattleStart{BattleStart::Kind::Campaign, campaign[index].File, index, {}});
}

bool MainCommands::StartPreparedMap(const BattleStart& start) {
    RunState& run = game_.Run();
    window_.ShowStatusBar();
    game_.View().Panels.MenuButtonDown = false;
    run.LoadOffered = 1;
    game_.Autosave();
    if (recorder_) recorder_->HoldEnd();
    const std::string path = game_.Paths().PreparedMap(start.Map);
    if (!game_.LoadNewGame(path)) {
        if (recorder_) recorder_->DropHeld();
        return false;
    }
    if (recorder_) {
        recorder_->EndAtHeld();
        if (const auto bytes = ReadWholeFile(path)) recorder_->Begin(*bytes, true, start.Map);
    }
    game_.SetStart(start);
    if (editor_) editor_->ForgetHistory();
    game_.RefreshTimeLabel();
    return true;
}

void MainCommands::LeadOn(bool next) {
    const BattleStart start = game_.Start();
    if (start.From == BattleStart::Kind::Campaign) {
        OpenBriefing(start.Mission + (next ? 1 : 0));
        return;
    }
    if (start.From == BattleStart::Kind::Skirmish) {
        // R: the same map again; N: a new one on a fresh seed with the same choices.
        SkirmishSetup setup = start.Skirmish;
        if (next) setup.Seed = mapgen::FreshSeed();
        StartSkirmish(setup);
        return;
    }
    if (next || start.From != BattleStart::Kind::PreparedMap) return;
    // A prepared map again: noted as the Load Game dialog's pick, which replays alike.
    if (recorder_) {
        recorder_->Note(MenuEvent{MenuLabel::LoadGame});
        AnswerEvent pick = SimpleAnswer(AnswerEvent::Kind::Pick, DialogBox::LoadPicker);
        pick.Pick.Name = start.Map;
        pick.Pick.FromNewGames = true;
        recorder_->Note(pick);
    }
    StartPreparedMap(start);
}

bool MainCommands::SkirmishCommand(bool quick) {
    if (quick) return Input(SkirmishEvent{true, {}});
    RunState& run = game_.Run();
    SkirmishSetup setup = run.SkirmishChoices;
    setup.Difficulty = DifficultyIndex(run.Difficulty);
    setup.Seed = mapgen::FreshSeed();
    const SkirmishAnswer answer = InDialog([&] { return dialogs_.ShowSkirmishDialog(setup); });
    if (!answer.Accepted) return false;
    return Input(SkirmishEvent{false, answer.Setup});
}

bool MainCommands::Do(const SkirmishEvent& e) {
    const RunState& run = game_.Run();
    SkirmishSetup setup = e.Setup;
    if (e.Quick) {
        setup = run.SkirmishChoices;
        setup.Seed = mapgen::FreshSeed();
        setup.Difficulty = DifficultyIndex(run.Difficulty);
    }
    // A script may leave these to the last choices.
    if (setup.Scenery < 0) setup.Scenery = run.SkirmishChoices.Scenery;
    if (setup.Difficulty < 0) setup.Difficulty = DifficultyIndex(run.Difficulty);
    return StartSkirmish(setup);
}

bool MainCommands::StartSkirmish(const SkirmishSetup& asked) {
    RunState& run = game_.Run();
    const SkirmishSetup setup = ClampedSkirmish(asked);
    const mapgen::GeneratedMap map = mapgen::GenerateMap(game_.Library(), mapgen::OptionsOf(setup));
    if (!map.Ok) {
        game_.GetHost().ShowMessage("No fair map could be made from seed " + std::to_string(setup.Seed) + " in " +
                                        std::to_string(map.Attempts) + " attempts: " + map.Failure,
                                    "Error", MessageIcon::Error);
        return false;
    }
    // The battle starts from the map with the skirmish's seed and choices
    // attached, so that its replay and its saves name the map as it does.
    GameType record;
    if (ParseGame(map.File, record) != LoadResult::Ok) return false;
    record.InSkirmish = 1;
    record.SkirmishPlayed = setup;
    const Bytes file = SerializeGame(record);
    // The battle being left is kept, as a load keeps it; the one being recorded
    // ends here, and the skirmish is recorded from its map.
    game_.Autosave();
    if (recorder_) recorder_->HoldEnd();
    const std::int32_t difficulty = run.Difficulty;
    run.Difficulty = setup.Difficulty;
    if (!game_.LoadGameData(file, true)) {
        run.Difficulty = difficulty;
        if (recorder_) recorder_->DropHeld();
        return false;
    }
    BattleStart start;
    start.From = BattleStart::Kind::Skirmish;
    start.Skirmish = setup;
    game_.SetStart(start);
    run.SkirmishChoices = setup;
    if (recorder_) {
        recorder_->EndAtHeld();
        recorder_->Begin(file, true, "Skirmish " + std::to_string(setup.Seed) + ".gam");
    }
    if (editor_) editor_->ForgetHistory();
    game_.RefreshTimeLabel();
    if (game_.Paths().KeepsSettings() &&
        !WriteSettings(game_.Paths(), run, {run.DisplayWidth, run.DisplayHeight, run.DisplayBits}))
        game_.GetHost().ShowMessage(kSettingsWriteFailedMessage, "Error", MessageIcon::Error);
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
    if (folder == game_.Paths().SaveGames() && (pick.Name == kAutosaveName || pick.Name == kPreviousAutosaveName)) {
        game_.GetHost().ShowMessage(ReservedNameMessage(pick.Name), "Error", MessageIcon::Error);
        return false;
    }
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
    // The interface's scale follows the surface's height; then the status bar
    // across the bottom, the game menu just below the surface (it slides in
    // from there); the buttons follow the status bar's width.
    SetInterfaceScale(panels, InterfaceScaleFor(run.ScaleSetting, run.DisplayHeight, run.DenseScreen ? 2.0 : 1.0));
    PlacePanels(panels, run.DisplayWidth, run.DisplayHeight);
    ClampView(game.EditRecord(), run);
}

std::string MainCommands::MapWarnings() const {
    std::string text;
    for (const mapgen::FairnessCheck& c : mapgen::CheckFairness(game_.Record(), game_.Library()).Checks)
        if (!c.Passed) text += "- " + c.Problem + "\n";
    return text;
}

void MainCommands::CheckMapCommand() {
    if (!EditorActive()) return;
    const std::string warnings = MapWarnings();
    const std::string text = warnings.empty() ? std::string(kFairMapText) : std::string(kMapWarningsHeading) + "\n\n" + warnings;
    InDialog([&] { dialogs_.ShowInformation(text); });
}

bool MainCommands::GenerateMapCommand() {
    if (!EditorActive()) return false;
    RunState& run = game_.Run();
    SkirmishSetup setup = run.SkirmishChoices;
    setup.Seed = mapgen::FreshSeed();
    const SkirmishAnswer answer = InDialog([&] { return dialogs_.ShowSkirmishDialog(setup); });
    if (!answer.Accepted) return false;
    const mapgen::GeneratedMap map = mapgen::GenerateMap(game_.Library(), mapgen::OptionsOf(ClampedSkirmish(answer.Setup)));
    if (!map.Ok) {
        game_.GetHost().ShowMessage("No fair map could be made from seed " + std::to_string(answer.Setup.Seed) + ": " + map.Failure,
                                    "Error", MessageIcon::Error);
        return false;
    }
    SimContext ctx = game_.Context();
    if (!editor_->TakeMap(ctx, map.File)) return false;
    run.SkirmishChoices = ClampedSkirmish(answer.Setup);
    FitMinimapZoom(game_.Record(), run, game_.View().Panels);
    game_.RefreshTimeLabel();
    return true;
}

bool MainCommands::SavePreparedMap() {
    if (!EditorActive()) return false;
    // A map maker sees what would make the map unfair or unplayable before it
    // joins the prepared maps; the warnings may be ignored.
    if (const std::string warnings = MapWarnings(); !warnings.empty())
        InDialog([&] { dialogs_.ShowInformation(std::string(kMapWarningsHeading) + "\n\n" + warnings); });
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
    const BattleStatistics s = game_.Statistics();
    // Below the counts of the record, what this battle has done so far; shown
    // with the text, kept apart from it (replays compare the text alone).
    dialogs_.SetBattleLines("Tanks built: " + std::to_string(s.TanksBuilt) + ", money earned: $" +
                            std::to_string(s.MoneyEarned) + "\nDestroyed: " + std::to_string(s.TanksDestroyed) +
                            " tanks, " + std::to_string(s.BuildingsDestroyed) + " buildings");
    const std::string text = InformationText(game_.Record(), game_.Run());
    InDialog([&] { dialogs_.ShowInformation(text); });
}

void MainCommands::Label10Click() { Input(MenuEvent{MenuLabel::Exit}); }

void MainCommands::HelpCommand(const char* page) {
    RunState& run = game_.Run();
    if (!page) page = run.EditMode ? kHelpPageEditor : kHelpPageBattle;
    // The battle stands still while the guide is open, as under any dialog of ours.
    run.HelpOpen = 1;
    InDialog([&] { dialogs_.ShowHelp(page); });
    run.HelpOpen = 0;
}

bool MainCommands::MenuCampaignCommand() {
    game_.View().Panels.MenuButtonDown = false;
    return CampaignCommand();
}

bool MainCommands::MenuSkirmishCommand(bool quick) {
    game_.View().Panels.MenuButtonDown = false;
    return SkirmishCommand(quick);
}

void MainCommands::ExitCommand() {
    game_.View().Panels.MenuButtonDown = false;
    if (!InDialog([&] { return dialogs_.Confirm(kExitQuestion); })) return;
    game_.Autosave();
    if (recorder_) recorder_->End();
    window_.CloseMainWindow();
}

bool MainCommands::MenuEntryClick(MenuLabel entry) { return Input(MenuEvent{entry}); }

void MainCommands::SpeedButton1Click(bool down) { Input(ButtonEvent{false, down}); }

void MainCommands::SpeedButton2Click(bool down) { Input(ButtonEvent{true, down}); }

void MainCommands::SpeedButton3Click() { Input(ZoomEvent{}); }

}  // namespace tavrine
