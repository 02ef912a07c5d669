#include "script_shell.h"

#include "state/display_modes.h"
#include "state/settings.h"

namespace tavrine::sim {

namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

/// The dialog's answer: what it shows, with the script's changes; OK only when
/// something was changed.
GameControlChoice Answer(const RunState& run, const ControlEvent& c) {
    GameControlChoice choice;
    const GameControlSettings shown = GameControlSettingsOf(run);
    const std::int32_t i = shown.TimerInterval;
    choice.Interval = i == kIntervalFast || i == kIntervalNormal || i == kIntervalSlow ? i : -1;
    choice.ModeNumber = ModeNumberOf({shown.DisplayWidth, shown.DisplayHeight, shown.DisplayBits});
    choice.Difficulty = shown.Difficulty >= 0 && shown.Difficulty <= 2 ? shown.Difficulty : -1;
    choice.MusicOn = shown.MusicOn;
    choice.SoundOn = shown.SoundOn;
    if (c.Cancel) return choice;
    choice.Confirmed = true;
    if (c.Interval) choice.Interval = *c.Interval;
    if (c.Mode) choice.ModeNumber = *c.Mode;
    if (c.Difficulty) choice.Difficulty = *c.Difficulty;
    if (c.Music) choice.MusicOn = *c.Music;
    if (c.Sound) choice.SoundOn = *c.Sound;
    return choice;
}

void Strings(JsonWriter& w, const char* key, const std::vector<std::string>& values) {
    w.Key(key).BeginArray();
    for (const std::string& v : values) w.Value(v);
    w.EndArray();
}

}  // namespace

ScriptedShell::ScriptedShell(Game& game, ScriptHost& host, bool answer)
    : game_(game), host_(host), commands_(game, dialogs_, window_, &editor_) {
    dialogs_.confirmAnswer = answer;
}

void ScriptedShell::Apply(const EventAction& action) {
    std::visit(Overloaded{
                   [&](const PressEvent& e) { commands_.DXDrawMouseDown(e.Button, e.X, e.Y); },
                   [&](const MoveEvent& e) { commands_.DXDrawMouseMove(e.LeftHeld, e.X, e.Y); },
                   [&](const ReleaseEvent& e) { commands_.DXDrawMouseUp(e.Button, e.X, e.Y); },
                   [&](const KeyEvent& e) { commands_.FormKeyDown(e.Key, e.Alt); },
                   [&](const PickEvent& e) { dialogs_.picks.push_back(e.Answer); },
                   [&](const MenuEvent& e) { commands_.MenuEntryClick(e.Entry); },
                   [&](const ControlEvent& e) {
                       dialogs_.controls.push_back(Answer(game_.Run(), e));
                       commands_.Label7Click();
                   },
                   [&](const ZoomEvent&) { commands_.SpeedButton3Click(); },
                   [&](const ToolEvent& e) { editor_.SetTool(e.Tool); },
                   [&](const FogEvent& e) {
                       editor_.SetFogShown(e.Down);
                       game_.DrawOptions().EditorFogShown = e.Down;
                   },
                   [&](const DropEvent& e) {
                       SimContext ctx = game_.Context();
                       const GameType& g = game_.Record();
                       editor_.Drop(ctx, e.Picture, e.X + g.ViewX, e.Y + g.ViewY);
                   },
                   [&](const UndoEvent& e) { e.Redo ? commands_.EditRedo() : commands_.EditUndo(); },
                   [&](const NewMapEvent& e) {
                       dialogs_.newGame = e.Answer;
                       commands_.ToolButton11Click();
                   },
                   [&](const SaveMapEvent& e) {
                       dialogs_.picks.push_back(FilePick{e.Name, false});
                       commands_.SavePreparedMap();
                   },
               },
               action);
}

void ScriptedShell::WriteJson(JsonWriter& w) const {
    w.Key("Shell").BeginObject();
    w.Key("Pickers").BeginArray();
    for (FilePickerMode mode : dialogs_.pickersShown) w.Value(mode == FilePickerMode::Load ? "load" : "save");
    w.EndArray();
    Strings(w, "Questions", host_.allQuestions);
    Strings(w, "Confirmations", dialogs_.questions);
    Strings(w, "Messages", host_.allMessages);
    Strings(w, "Information", dialogs_.informationShown);
    w.Key("Closed").Bool(window_.closes > 0);
    w.Field("ImageEditor", static_cast<std::int64_t>(dialogs_.imageEditorShown));
    w.Field("FullScreenToggles", static_cast<std::int64_t>(window_.fullScreenToggles));
    w.Field("DisplayModeChanges", static_cast<std::int64_t>(window_.modeChanges));
    w.EndObject();
}

}  // namespace tavrine::sim
