// Scripted input, one event a line, applied before the tick it names, through the
// same command handlers the desktop window calls; the dialogs answer from the
// script. `tavrine-sim run --events FILE` reads it, and a replay's events are
// written in it.
//
//   TICK down left|right|middle X Y [shift]   a press on the game view (surface pixels),
//                                      Shift held or not
//   TICK move X Y [left]               the mouse moves, the left button held or not
//   TICK up left|right|middle X Y [shift]     a release
//   TICK key NAME                      a key pressed and released: Escape, Enter, A, S, P, Pause,
//                                      Left, Right, Up, Down, 1..9, R, F1, Other (any key the
//                                      game does not know); Alt+NAME, Ctrl+NAME, Shift+NAME with
//                                      the modifier: Ctrl+1..Ctrl+9, Shift+1..Shift+9, Ctrl+A;
//                                      any other name is an error
//   TICK keydown NAME | TICK keyup NAME   a key goes down and stays held, or comes up
//   TICK focus out|in                  the window loses or regains the keyboard focus
//   TICK pick NAME [new]               the next file picker answers NAME (from NewGames with "new")
//   TICK load NAME [new]               "Load Game" with the picker answering NAME
//   TICK save NAME                     "Save Game" with the picker answering NAME
//   TICK menu load|save|control|info|exit   a game menu entry; pickers without a queued answer are cancelled
//   TICK control cancel | KEY=VALUE... "Game Control" answered OK with these changes:
//                                      speed=slow|normal|fast, mode=0|1|2|WxH, difficulty=N,
//                                      music=on|off, sound=on|off, scale=auto|1|2,
//                                      groups=on|off
//   TICK zoom                          the minimap's zoom button
//   TICK minimap down X Y              a press on the minimap (minimap picture pixels)
//   TICK minimap move X Y [left]       the mouse moves over the minimap
//   TICK button menu|minimap down|up   the status bar's Menu or minimap button pressed in or out
//   TICK panel                         the mouse over the status bar or the game menu
//   TICK resize W H                    the window resized: the surface becomes W by H pixels
//   TICK campaign N                    the briefing of the campaign's N-th mission (from 1),
//                                      answered by "answer ok" (Start) or "answer cancel" (Back)
//   TICK skirmish SEED LANDSCAPE SIZE SYMMETRY MISSION [SCENERY [DIFFICULTY]]
//                                      a skirmish started as the Skirmish dialog's Play does
//                                      (SIZE small..huge or CxR, MISSION 0..5, SCENERY 0..3,
//                                      DIFFICULTY 0..2; left out: the last choices)
//   TICK skirmish quick                Quick Skirmish: a fresh seed and the last choices
//   TICK answer ok|yes|no|cancel       the open dialog or message box answered at TICK
//   TICK answer pick NAME [new]        the open file picker answered NAME at TICK (blanks,
//                                      control characters and '%' in NAME written as %XX)
//   TICK answer control interval=MS mode=N difficulty=N music=on|off sound=on|off [groups=on|off]
//                                      the open game control dialog answered OK at TICK
//                                      (-1: nothing selected; without groups= the
//                                      "Keep groups together" box stays as it was)
//   An answer line answers the dialog or message box that the lines before it
//   opened: it stays open, the ticks running, until TICK (as under a real one).
//   Replays add to each answer the box it answered and the text it showed:
//   box=message|question|confirm|information|load|save|control|newmap [text=TEXT]
//   (TEXT written as names are); such an answer answers only that box.
//   TICK disk exists|saved|settings 0|1   what the disk answered the command before
//   TICK disk read N                   (replays: a save's target existed, the game or
//                                      the settings were written, a game file read
//                                      with result N: 0 read, 1 I/O error, 2 not a
//                                      game file, 3 other version, 4 damaged)
//   editing mode only (--edit):
//   TICK tool N                        the editor's tool button, 0..5, or -1 for none
//   TICK fog on|off                    the editor's fog button
//   TICK drop GROUP SUBGROUP LIST FRAME X Y   a library picture dropped at surface pixel (X, Y)
//   TICK undo | TICK redo              Ctrl+Z and Ctrl+Y: undo or redo a whole edit
//   TICK newmap COLUMNS ROWS FLAG MISSION   the new-map button, the New Game dialog answered OK
//                                      (FLAG 0 or 1, MISSION 0..5)
//   TICK savemap NAME                  save the map into NewGames as a prepared map
//
// A word in double quotes may hold blanks (load "01 Beachhead.gam" new).
// Blank lines and lines starting with '#' are skipped. TICK counts from 0 (before
// the first tick) to the number of ticks run (after the last), never decreasing.
#pragma once

#include <charconv>
#include <cstdint>
#include <sstream>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "data/image_ref.h"
#include "game/disk_outcomes.h"
#include "platform/dialogs.h"
#include "view/commands.h"
#include "view/menu.h"

namespace tavrine {

struct PressEvent {
    MouseButton Button = MouseButton::Left;
    std::int32_t X = 0, Y = 0;
    bool Shift = false;
};
struct MoveEvent {
    std::int32_t X = 0, Y = 0;
    bool LeftHeld = false;
};
struct ReleaseEvent {
    MouseButton Button = MouseButton::Left;
    std::int32_t X = 0, Y = 0;
    bool Shift = false;
};
struct KeyEvent {
    GameKey Key = GameKey::Other;
    bool Alt = false;
    bool Ctrl = false;
    bool Down = true;  ///< the key goes down (`key` and `keydown`)
    bool Up = true;    ///< the key comes up (`key` and `keyup`)
    bool Shift = false;
};
struct FocusEvent {
    bool In = false;
};
struct PickEvent {
    FilePick Answer;
};
struct MenuEvent {
    MenuLabel Entry = MenuLabel::LoadGame;
};
/// The game control dialog's answer as changes to what it shows.
struct ControlEvent {
    bool Cancel = false;
    std::optional<std::int32_t> Interval;
    std::optional<std::int32_t> Mode;
    std::optional<std::int32_t> Difficulty;
    std::optional<bool> Music;
    std::optional<bool> Sound;
    std::optional<std::int32_t> Scale;  ///< 0 automatic, 1 or 2
    std::optional<bool> Groups;  ///< "Keep groups together"
};
struct ZoomEvent {};
struct MinimapEvent {
    bool Press = false;  ///< a press, otherwise a move
    std::int32_t X = 0, Y = 0;
    bool LeftHeld = false;
};
struct ButtonEvent {
    bool Minimap = false;  ///< the minimap button, otherwise the Menu button
    bool Down = false;
};
struct PanelMoveEvent {};
/// What a dialog or message box answered, and when.
struct AnswerEvent {
    enum class Kind { Ok, Yes, No, Cancel, Pick, Control };
    Kind Answer = Kind::Ok;
    FilePick Pick;             ///< Kind::Pick
    GameControlChoice Control;  ///< Kind::Control (Confirmed)
    /// The box answered and the text it showed, as recorded; Unknown in a
    /// script, where the answer goes to whatever box is open.
    DialogBox Box = DialogBox::Unknown;
    std::string Text;
};
/// What the disk answered a command (see disk_outcomes.h).
struct DiskEvent {
    DiskQuestion Question = DiskQuestion::GameExists;
    std::int32_t Result = 0;
};
struct ToolEvent {
    std::int32_t Tool = -1;
};
struct FogEvent {
    bool Down = false;
};
struct DropEvent {
    ImageRef Picture;
    std::int32_t X = 0, Y = 0;
};
struct UndoEvent {
    bool Redo = false;
};
struct NewMapEvent {
    NewGameChoice Answer;
};
struct SaveMapEvent {
    std::string Name;
};
/// The player resized the window: the surface takes the new size (at least
/// kMinModeWidth by kMinModeHeight).
struct ResizeEvent {
    std::int32_t Width = 0, Height = 0;
};

/// The briefing of a campaign mission opened (from the campaign screen or the
/// result screen's N and R).
struct CampaignEvent {
    std::int32_t Mission = 1;  ///< from 1, in campaign order
};

/// A skirmish started: the Skirmish dialog answered Play with `Setup`, or with
/// `Quick` at once on a fresh seed with the last choices. Scenery and difficulty
/// left out of a script line (-1) stay as last chosen.
struct SkirmishEvent {
    bool Quick = false;
    SkirmishSetup Setup;
};

using EventAction = std::variant<PressEvent, MoveEvent, ReleaseEvent, KeyEvent, PickEvent, MenuEvent, ControlEvent, ZoomEvent,
                                 ToolEvent, FogEvent, DropEvent, UndoEvent, NewMapEvent, SaveMapEvent, MinimapEvent,
                                 ButtonEvent, PanelMoveEvent, AnswerEvent, FocusEvent, DiskEvent, ResizeEvent, CampaignEvent,
                                 SkirmishEvent>;

struct ScriptEvent {
    long long Tick = 0;
    int Line = 0;
    EventAction Action;
};

/// The script's events in order; `error` (with the line number) when a line is
/// malformed, names a tick past `lastTick`, goes back in time, or uses an editing
/// event without `editing`. `load` and `save` lines become a pick and a menu click.
std::optional<std::vector<ScriptEvent>> ParseEvents(const std::string& text, long long lastTick, bool editing,
                                                    std::string& error);

/// The events of one line (two for load and save); throws `EventLineError` when
/// the line is malformed.
struct EventLineError {
    std::string Text;
};
std::vector<EventAction> ParseEventWords(const std::vector<std::string>& words, bool editing);

/// `word` as a whole number from `low` to `high` (the event and replay
/// grammars read every number so); throws `EventLineError` naming `what`.
template <typename T>
T WholeNumber(std::string_view word, T low, T high, const char* what) {
    T value{};
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    if (word.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
        std::ostringstream s;
        s << what << " must be a whole number from " << low << " to " << high << ", not '" << word << "'";
        throw EventLineError{s.str()};
    }
    return value;
}

/// The line (without the tick) that `ParseEventWords` reads back as `action`;
/// names are written as they are and must hold no blank.
std::string FormatEvent(const EventAction& action);

/// The key's name in event lines ("Escape", "Enter", "A", "S", "Other"), with
/// "Alt+" in front when Alt was held.
std::string KeyName(GameKey key, bool alt, bool ctrl = false, bool shift = false);

}  // namespace tavrine
