// The main window's commands, free of any toolkit: the game view's mouse and keys,
// the game menu and status bar, and the Load Game dialog that the title screen
// offers. The desktop window forwards its events here; the headless tool and the
// tests drive the same object with scripted dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "editor/editor.h"
#include "game/game.h"
#include "game/input_events.h"
#include "platform/dialogs.h"
#include "platform/main_window.h"
#include "view/commands.h"
#include "view/menu.h"

namespace tavrine {

class ReplayRecorder;

/// Why `name` cannot be a game file name, or nothing when it can: a game is saved
/// and loaded only as a plain file inside SaveGames or NewGames, so an empty or
/// blank name, a name with a folder separator ('/' or '\'), a name beginning with
/// a dot ("..", hidden files) and a name with a NUL byte are refused. Blanks
/// around a usable name are kept, as typed.
std::optional<std::string> GameNameProblem(const std::string& name);

/// The message box text (caption "Error") for a refused game name, saying why;
/// nothing when the name can be used.
std::optional<std::string> GameNameMessage(const std::string& name);

/// Why a save under the autosave's names is refused.
std::string ReservedNameMessage(const std::string& name);

/// The question asked before a save replaces an existing file.
std::string ReplaceSavedGameQuestion(const std::string& name);
std::string ReplacePreparedMapQuestion(const std::string& name);

/// What a new display surface (a display mode chosen, full screen toggled, the
/// window shown) does to the game: the saved gamma read from the canvas again,
/// the minimap started afresh, a pending fade-in's black, the game menu shown,
/// the panels placed for the surface's size and the view kept inside the map.
/// The desktop window runs it for each surface it makes; a run without one
/// (headless, or a replay) runs it where the window would have made one, so the
/// battle goes on alike.
void DisplayInitialized(Game& game);

/// The information box's heading over a map's warnings, and its text for a map
/// with none.
inline constexpr const char* kMapWarningsHeading = "This map may be unplayable or unfair:";
inline constexpr const char* kFairMapText = "No problems found: every check of a fair map passes.";

class MainCommands {
public:
    /// All four must outlive the commands; `editor` may be null (no map editor).
    MainCommands(Game& game, Dialogs& dialogs, MainWindow& window, Editor* editor = nullptr);

    // The frame timer.

    /// One frame tick, then what the tick asked for once it was over.
    TickResult DXTimerTimer();
    /// After a tick: the Load Game dialog the title screen offered, opened now that
    /// the tick has returned (and not while another of our dialogs is open).
    void AfterTick();

    // The game view.

    /// `shift`: Shift held (adds to the selection, queues orders).
    void DXDrawMouseDown(MouseButton button, std::int32_t x, std::int32_t y, bool shift = false);
    void DXDrawMouseMove(bool leftHeld, std::int32_t x, std::int32_t y);
    void DXDrawMouseUp(MouseButton button, std::int32_t x, std::int32_t y, bool shift = false);
    /// A key goes down. Besides Escape and the editing mode's keys: P and Pause
    /// pause and resume the battle, and the battle keys (`BattleKeyDown`); in
    /// play A (attack-move), S (stop) and R (held: rally cells); F1 the guide.
    void FormKeyDown(GameKey key, bool alt, bool ctrl = false, bool shift = false);
    /// A key comes up: ends an arrow key's scrolling.
    void FormKeyUp(GameKey key);
    /// The window gained (true) or lost (false) the keyboard focus: the battle
    /// pauses while it is away, and keys held when it left count as released.
    void WindowFocus(bool focused);
    /// The window's new size in surface pixels: the surface follows it, at least
    /// kMinModeWidth by kMinModeHeight. Nothing when the size is unchanged.
    void WindowResized(std::int32_t width, std::int32_t height);

    // The minimap (picture pixels of the minimap).

    void MiniMapMouseDown(std::int32_t x, std::int32_t y);
    void MiniMapMouseMove(std::int32_t x, std::int32_t y, bool leftHeld);

    // The game menu and the status bar.

    void MenuPanelMouseMove();
    MenuLabels& Labels() { return labels_; }
    const MenuLabels& Labels() const { return labels_; }

    /// "Load Game": shows the status bar before the first game, releases the
    /// "Menu" button, marks the load as offered, and loads the game picked from
    /// SaveGames, or the prepared map picked from NewGames and then starts it as a
    /// new game. A refused name or a failed load says why and leaves the running
    /// game; on the title it also leaves the title, which offers the dialog again
    /// after its usual time. True when a game was loaded.
    bool Label5Click();
    /// "Campaign..." in the Load Game dialog: the campaign screen, then the
    /// briefing of the mission picked. True when a mission started.
    bool CampaignCommand();
    /// The briefing of the campaign's mission `index` (from 0) and, on "Start",
    /// the mission as a new game. A mission not yet open, or one whose map cannot
    /// be read, says so. True when it started.
    bool OpenBriefing(std::size_t index);

    /// "Save Game": releases the "Menu" button and saves under the name picked, in
    /// SaveGames; an existing saved game is replaced only when the player says
    /// yes to `ReplaceSavedGameQuestion`. True when saved.
    bool Label6Click();
    /// Generates the skirmish's map and starts it as a prepared map (starting
    /// money, fade-in), recorded from its map; a map that cannot be made fair
    /// is reported and the running game goes on.
    bool StartSkirmish(const SkirmishSetup& setup);
    /// "Game Control": releases the "Menu" button, shows the dialog and applies a
    /// confirmed answer, then rewrites the settings file ("Data I/O Error" when
    /// that fails; not while a replay is played back).
    void Label7Click();
    /// "Information": the statistics in the information box; nothing once the
    /// mission is decided.
    void Label9Click();
    /// "Exit" (and Escape): releases the "Menu" button and closes the main window
    /// when the player confirms.
    void Label10Click();
    /// A game menu entry chosen: the one switch from entry to command. True when
    /// the entry's command loaded or saved a game.
    bool MenuEntryClick(MenuLabel entry);
    void SpeedButton1Click(bool down);
    void SpeedButton2Click(bool down);
    void SpeedButton3Click();

    // The map editor's window (editing mode only; without an editor they do
    // nothing and return false).

    /// The new-map button: the New Game dialog, and on "OK" an empty map of the
    /// chosen size, flag and mission in place of the current one (one undo step).
    bool ToolButton11Click();
    /// Saves the map being edited as a prepared map: the name is picked as for
    /// "Save Game", but the file goes into NewGames, where the load dialog offers
    /// it as a new game; an existing map is replaced only when the player says yes
    /// to `ReplacePreparedMapQuestion`. True when saved.
    bool SavePreparedMap();
    /// "Check Map": lists what would make the map unplayable or unfair (the
    /// fairness checks that fail) in the information box.
    void CheckMapCommand();
    /// "Generate...": the Skirmish dialog, then its map put into the editor as
    /// one undo step.
    bool GenerateMapCommand();
    /// The failed fairness checks of the map being edited, one "- problem" line
    /// each; empty when none fails.
    std::string MapWarnings() const;
    /// Ctrl+Z and Ctrl+Y in the editing mode: undo and redo whole edits. A path
    /// being traced is dropped. True when the map changed.
    bool EditUndo();
    bool EditRedo();

    /// F1 in the library editor's window: the guide at its page.
    void LibraryHelpCommand() { HelpCommand(kHelpPageLibrary); }

    /// True while one of the commands' dialogs is open.
    bool DialogOpen() const { return dialogDepth_ > 0; }

    /// Every input the commands receive goes to `recorder` (nullptr: none), which
    /// learns of each loaded game, the confirmed exit and the outcome.
    void SetRecorder(ReplayRecorder* recorder) { recorder_ = recorder; }

    /// An input from the window or a script: recorded, then handed to its
    /// command. Every named handler above comes here, so an input is recorded
    /// once whatever its command does; a new kind of input needs only its own
    /// `Do`. Answers, disk outcomes and the editor's scripted tools are no
    /// inputs (false, nothing done). True when the command loaded or saved a game.
    bool Input(const EventAction& action);

private:
    bool Do(const PressEvent& e);
    bool Do(const MoveEvent& e);
    bool Do(const ReleaseEvent& e);
    bool Do(const KeyEvent& e);
    bool Do(const FocusEvent& e);
    bool Do(const MenuEvent& e);
    bool Do(const MinimapEvent& e);
    bool Do(const ButtonEvent& e);
    bool Do(const ZoomEvent& e);
    bool Do(const PanelMoveEvent& e);
    bool Do(const UndoEvent& e);
    bool Do(const ResizeEvent& e);
    bool Do(const CampaignEvent& e);
    bool Do(const SkirmishEvent& e);
    /// A key going down; true when it loaded a game.
    bool KeyDown(GameKey key, bool alt, bool ctrl, bool shift);
    bool SaveGameCommand();
    void GameControlCommand();
    void InformationCommand();
    /// The Load Game dialog and the load, whatever asked for it.
    bool LoadGameCommand();
    /// Opens the Skirmish dialog with the last choices and a fresh seed, or with
    /// `quick` starts at once with them. True when a skirmish started.
    bool SkirmishCommand(bool quick);
    /// The game menu's "Campaign", "Skirmish" and "Quick Skirmish": the menu
    /// slides away, then as the Load Game dialog's buttons of the same names.
    bool MenuCampaignCommand();
    bool MenuSkirmishCommand(bool quick);
    /// The exit question, whatever asked it.
    void ExitCommand();
    /// F1: the guide at `page`, by default that of what is on screen; the
    /// battle waits for it.
    void HelpCommand(const char* page = nullptr);
    /// Loads the prepared map `start.Map` as a new game and notes how it began.
    bool StartPreparedMap(const BattleStart& start);
    /// The result screen's N (`next`) and R.
    void LeadOn(bool next);
    /// Counts a dialog as open for the duration of `show`.
    template <typename Show>
    auto InDialog(Show&& show);
    /// The plain-name check with its message; true when `name` can be used.
    bool AcceptGameName(const std::string& name);
    /// The file picker in save mode listing `folder`, then the game saved into
    /// `folder` under the name picked, after `replace(name)` was answered yes
    /// when the file exists. True when saved.
    bool PickAndSave(const std::string& folder, std::string (*replace)(const std::string&));
    /// The map editor's commands work only with an editor and in the editing mode.
    bool EditorActive() const;

    Game& game_;
    Dialogs& dialogs_;
    MainWindow& window_;
    Editor* editor_;
    MenuLabels labels_;
    int dialogDepth_ = 0;
    bool loadOfferPending_ = false;
    ReplayRecorder* recorder_ = nullptr;
};

}  // namespace tavrine
