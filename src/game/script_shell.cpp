#include "game/script_shell.h"

#include "data/overloaded.h"
#include "state/display_modes.h"
#include "state/settings.h"

namespace tavrine {

namespace {


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
    choice.KeepGroups = shown.KeepGroups;
    if (c.Cancel) return choice;
    choice.Confirmed = true;
    if (c.Interval) choice.Interval = *c.Interval;
    if (c.Mode) choice.ModeNumber = *c.Mode;
    if (c.Difficulty) choice.Difficulty = *c.Difficulty;
    if (c.Music) choice.MusicOn = *c.Music;
    if (c.Sound) choice.SoundOn = *c.Sound;
    if (c.Scale) choice.Scale = *c.Scale;
    if (c.Groups) choice.KeepGroups = *c.Groups;
    return choice;
}

void Strings(JsonWriter& w, const char* key, const std::vector<std::string>& values) {
    w.Key(key).BeginArray();
    for (const std::string& v : values) w.Value(v);
    w.EndArray();
}

}  // namespace

void ScriptedWindow::SetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bits) {
    counts.SetDisplayMode(width, height, bits);
    RunState& run = game_.Run();
    run.DisplayWidth = width;
    run.DisplayHeight = height;
    run.DisplayBits = bits;
    NewSurface();
}

void ScriptedWindow::ResizeSurface() {
    counts.ResizeSurface();
    NewSurface();
}

void ScriptedWindow::ToggleFullScreen() {
    counts.ToggleFullScreen();
    NewSurface();
}

void ScriptedWindow::NewSurface() {
    if (newSurface) newSurface();
    DisplayInitialized(game_);
}

ScriptedShell::ScriptedShell(Game& game, ScriptHost& host, bool answer, std::vector<ScriptEvent> events,
                             ReplayRecorder* recorder)
    : game_(game),
      host_(host),
      recordingDialogs_(dialogs_, recorder),
      window_(game),
      commands_(game, recordingDialogs_, window_, &editor_),
      events_(std::move(events)) {
    dialogs_.confirmAnswer = answer;
    dialogs_.whileOpen = [this] { WhileOpen(dialogs_.openBox, dialogs_.openText); };
    host_.whileOpen = [this] { WhileOpen(host_.openBox, host_.openText); };
    commands_.SetRecorder(recorder);
    previousDisk_ = game_.Disk();
    game_.SetDisk(this);
}

ScriptedShell::~ScriptedShell() {
    if (game_.Disk() == this) game_.SetDisk(previousDisk_);
    host_.whileOpen = nullptr;
}

std::int32_t ScriptedShell::Ask(DiskQuestion question, const std::function<std::int32_t()>& real) {
    // The script's answer stands next, at this tick; a recorded successful read
    // has no bytes to give, so the disk is read (a replay's folder holds none).
    std::optional<std::int32_t> scripted;
    if (next_ < events_.size() && events_[next_].Tick <= ticks_)
        if (const auto* disk = std::get_if<DiskEvent>(&events_[next_].Action); disk && disk->Question == question) {
            ++next_;
            if (question != DiskQuestion::GameRead || disk->Result != 0) scripted = disk->Result;
        }
    const auto answer = [&] { return scripted ? *scripted : real(); };
    return previousDisk_ ? previousDisk_->Ask(question, answer) : answer();
}

void ScriptedShell::ApplyDue() {
    while (next_ < events_.size() && events_[next_].Tick <= ticks_ && !Closed() && !ended_) {
        const EventAction& action = events_[next_].Action;
        // A replay ends where its battle left for a skirmish, which is recorded
        // on its own (a quick one from a seed of its moment): at the skirmish,
        // or at the menu entry that started it.
        const auto* menu = std::get_if<MenuEvent>(&action);
        const bool toSkirmish = std::holds_alternative<SkirmishEvent>(action) ||
                                (menu && (menu->Entry == MenuLabel::QuickSkirmish || menu->Entry == MenuLabel::Skirmish));
        if (endAtLastLoad_ && toSkirmish && OnlySkirmishAfter(next_)) {
            ++next_;
            ended_ = true;
            break;
        }
        ++next_;
        Apply(action);
    }
}

bool ScriptedShell::OnlyDiskAfter(std::size_t event) const {
    for (std::size_t i = event + 1; i < events_.size(); ++i)
        if (!std::holds_alternative<DiskEvent>(events_[i].Action)) return false;
    return true;
}

bool ScriptedShell::OnlySkirmishAfter(std::size_t event) const {
    for (std::size_t i = event + 1; i < events_.size(); ++i)
        if (!std::holds_alternative<DiskEvent>(events_[i].Action) && !std::holds_alternative<SkirmishEvent>(events_[i].Action))
            return false;
    return true;
}

void ScriptedShell::Tick() {
    commands_.DXTimerTimer();
    ++ticks_;
}

std::string DescribeBox(DialogBox box, const std::string& text) {
    switch (box) {
        case DialogBox::Unknown: break;
        case DialogBox::Message: return "the message \"" + text + "\"";
        case DialogBox::Question: return "the question \"" + text + "\"";
        case DialogBox::Confirm: return "the confirmation \"" + text + "\"";
        case DialogBox::Information: {
            std::string lines = text;
            for (std::size_t at = 0; (at = lines.find('\n', at)) != std::string::npos;) lines.replace(at, 1, " / ");
            return "the information box \"" + lines + "\"";
        }
        case DialogBox::LoadPicker: return "the load picker";
        case DialogBox::SavePicker: return "the save picker";
        case DialogBox::Control: return "the game control dialog";
        case DialogBox::NewMap: return "the new map dialog";
        case DialogBox::Help: return "the guide at \"" + text + "\"";
        case DialogBox::Skirmish: return "the skirmish dialog";
        case DialogBox::Campaign: return "the campaign screen";
    }
    return "a box";
}

void ScriptedShell::WhileOpen(DialogBox box, const std::string& text) {
    // The campaign screen and the Skirmish dialog change no battle: a recording
    // keeps no answer of theirs (the briefing or the battle they lead to is kept
    // instead), so a script cannot answer them and a replay does not compare them.
    if (box == DialogBox::Campaign || box == DialogBox::Skirmish) return;
    shown_.push_back({box, text});
    if (ended_) return;
    // The window's focus can change while a dialog is open (the dialog takes it):
    // such changes come before the answer and are applied at their ticks.
    std::size_t answered = next_;
    while (answered < events_.size() && std::holds_alternative<FocusEvent>(events_[answered].Action)) ++answered;
    if (answered >= events_.size()) return;
    const auto* answer = std::get_if<AnswerEvent>(&events_[answered].Action);
    if (!answer) return;
    // A recorded answer answers only the box it was given to: another box
    // opened here did not open in the recording, and takes its default.
    if (answer->Box != DialogBox::Unknown && (answer->Box != box || answer->Text != text)) return;
    for (; next_ < answered && !Closed(); ++next_) {
        while (ticks_ < events_[next_].Tick && !Closed()) Tick();
        Apply(events_[next_].Action);
    }
    next_ = answered;
    const long long at = events_[next_].Tick;
    // The disk's answers to the load itself may follow its pick or briefing.
    const bool last = OnlyDiskAfter(next_);
    ++next_;
    // Under a real dialog the frame timer keeps running.
    while (ticks_ < at && !Closed()) Tick();
    switch (answer->Answer) {
        case AnswerEvent::Kind::Ok:
        case AnswerEvent::Kind::Cancel:
            if (!dialogs_.briefingOpen) break;
            // A replay ends where its battle left for a campaign mission.
            if (endAtLastLoad_ && last && answer->Answer == AnswerEvent::Kind::Ok) {
                ended_ = true;
                break;
            }
            dialogs_.briefingAnswers.push_back(answer->Answer == AnswerEvent::Kind::Ok);
            break;
        case AnswerEvent::Kind::Yes:
        case AnswerEvent::Kind::No:
            // The answer goes to the box that is open, never to a later one.
            if (box == DialogBox::Question) host_.answers.push_back(answer->Answer == AnswerEvent::Kind::Yes);
            else if (box == DialogBox::Confirm) dialogs_.confirms.push_back(answer->Answer == AnswerEvent::Kind::Yes);
            break;
        case AnswerEvent::Kind::Pick:
            if (endAtLastLoad_ && last && !dialogs_.pickersShown.empty() &&
                dialogs_.pickersShown.back() == FilePickerMode::Load) {
                ended_ = true;
                break;
            }
            dialogs_.picks.push_back(answer->Pick);
            break;
        case AnswerEvent::Kind::Control: dialogs_.controls.push_back(answer->Control); break;
    }
}

void ScriptedShell::Apply(const EventAction& action) {
    commands_.Input(action);
    std::visit(Overloaded{
                   [&](const PickEvent& e) { dialogs_.picks.push_back(e.Answer); },
                   [&](const ControlEvent& e) {
                       dialogs_.controls.push_back(Answer(game_.Run(), e));
                       commands_.Label7Click();
                   },
                   // An answer that no dialog took: nothing was open to answer;
                   // a disk answer that no command asked for: nothing asked.
                   [&](const AnswerEvent&) {},
                   [&](const DiskEvent&) {},
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
                   [&](const NewMapEvent& e) {
                       dialogs_.newGame = e.Answer;
                       commands_.ToolButton11Click();
                   },
                   [&](const SaveMapEvent& e) {
                       dialogs_.picks.push_back(FilePick{e.Name, false});
                       commands_.SavePreparedMap();
                   },
                   // The inputs went to the commands above.
                   [&](const auto&) {},
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
    Strings(w, "Help", dialogs_.helpShown);
    w.Key("Closed").Bool(window_.counts.closes > 0);
    w.Field("ImageEditor", static_cast<std::int64_t>(dialogs_.imageEditorShown));
    Strings(w, "Briefings", dialogs_.briefingsShown);
    w.Field("CampaignScreens", static_cast<std::int64_t>(dialogs_.campaignsShown.size()));
    w.Field("SkirmishDialogs", static_cast<std::int64_t>(dialogs_.skirmishShown.size()));
    w.Field("FullScreenToggles", static_cast<std::int64_t>(window_.counts.fullScreenToggles));
    w.Field("DisplayModeChanges", static_cast<std::int64_t>(window_.counts.modeChanges));
    w.EndObject();
}

}  // namespace tavrine
