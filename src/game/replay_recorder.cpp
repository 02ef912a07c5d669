#include "game/replay_recorder.h"

namespace tavrine {

AnswerEvent SimpleAnswer(AnswerEvent::Kind kind, DialogBox box, std::string text) {
    AnswerEvent a;
    a.Answer = kind;
    a.Box = box;
    a.Text = std::move(text);
    return a;
}

ReplayRecorder::ReplayRecorder(Game& game, Sink sink) : game_(game), sink_(std::move(sink)) {
    previousDisk_ = game_.Disk();
    game_.SetDisk(this);
}

ReplayRecorder::~ReplayRecorder() {
    if (game_.Disk() == this) game_.SetDisk(previousDisk_);
}

std::int32_t ReplayRecorder::Ask(DiskQuestion question, const std::function<std::int32_t()>& real) {
    const std::int32_t answer = previousDisk_ ? previousDisk_->Ask(question, real) : real();
    Note(DiskEvent{question, answer});
    return answer;
}

void ReplayRecorder::Begin(const Bytes& gameFile, bool newGame, std::string gameName) {
    if (active_) End();
    held_.reset();
    if (game_.Run().EditMode) return;
    replay_ = Replay{};
    replay_.Start = CaptureStart(game_, gameFile, newGame, game_.FadesShown());
    gameName_ = std::move(gameName);
    firstTick_ = game_.TicksRun();
    active_ = true;
}

void ReplayRecorder::Note(EventAction action) {
    if (!active_) return;
    replay_.Events.push_back({game_.TicksRun() - firstTick_, 0, std::move(action)});
}

void ReplayRecorder::End() {
    if (active_) Finish(CaptureEnd(game_, game_.TicksRun() - firstTick_));
}

void ReplayRecorder::AfterTick() {
    if (active_ && game_.Run().Outcome != OutcomeRunning) End();
}

void ReplayRecorder::HoldEnd() {
    if (active_) held_ = CaptureEnd(game_, game_.TicksRun() - firstTick_);
}

void ReplayRecorder::EndAtHeld() {
    if (active_ && held_) Finish(*held_);
    held_.reset();
}

void ReplayRecorder::Finish(const ReplayEnd& end) {
    active_ = false;
    replay_.End = end;
    if (sink_) sink_(replay_, gameName_);
    replay_ = Replay{};
}

void RecordingDialogs::Answered(AnswerEvent answer) {
    if (recorder_) recorder_->Note(std::move(answer));
}

FilePick RecordingDialogs::ShowFilePicker(const std::vector<std::string>& newGamesFolders, const std::string& saveGamesFolder,
                                          FilePickerMode mode) {
    const FilePick pick = inner_.ShowFilePicker(newGamesFolders, saveGamesFolder, mode);
    AnswerEvent a = SimpleAnswer(pick.Name.empty() ? AnswerEvent::Kind::Cancel : AnswerEvent::Kind::Pick,
                                 mode == FilePickerMode::Load ? DialogBox::LoadPicker : DialogBox::SavePicker);
    a.Pick = pick;
    Answered(a);
    return pick;
}

GameControlChoice RecordingDialogs::ShowGameControl(const GameControlSettings& settings) {
    const GameControlChoice choice = inner_.ShowGameControl(settings);
    AnswerEvent a = SimpleAnswer(choice.Confirmed ? AnswerEvent::Kind::Control : AnswerEvent::Kind::Cancel, DialogBox::Control);
    a.Control = choice;
    Answered(a);
    return choice;
}

void RecordingDialogs::ShowInformation(const std::string& text) {
    inner_.ShowInformation(text);
    Answered(SimpleAnswer(AnswerEvent::Kind::Ok, DialogBox::Information, text));
}

bool RecordingDialogs::Confirm(const std::string& question) {
    const bool yes = inner_.Confirm(question);
    Answered(SimpleAnswer(yes ? AnswerEvent::Kind::Yes : AnswerEvent::Kind::No, DialogBox::Confirm, question));
    return yes;
}

void RecordingHost::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
    Inner().ShowMessage(text, caption, icon);
    if (recorder_) recorder_->Note(SimpleAnswer(AnswerEvent::Kind::Ok, DialogBox::Message, text));
}

bool RecordingHost::AskYesNo(const std::string& question) {
    const bool yes = Inner().AskYesNo(question);
    if (recorder_) recorder_->Note(SimpleAnswer(yes ? AnswerEvent::Kind::Yes : AnswerEvent::Kind::No, DialogBox::Question, question));
    return yes;
}

}  // namespace tavrine
