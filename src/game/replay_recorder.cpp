#include "game/replay_recorder.h"

namespace tavrine {

AnswerEvent SimpleAnswer(AnswerEvent::Kind kind) {
    AnswerEvent a;
    a.Answer = kind;
    return a;
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
    AnswerEvent a = SimpleAnswer(pick.Name.empty() ? AnswerEvent::Kind::Cancel : AnswerEvent::Kind::Pick);
    a.Pick = pick;
    Answered(a);
    return pick;
}

GameControlChoice RecordingDialogs::ShowGameControl(const GameControlSettings& settings) {
    const GameControlChoice choice = inner_.ShowGameControl(settings);
    AnswerEvent a = SimpleAnswer(choice.Confirmed ? AnswerEvent::Kind::Control : AnswerEvent::Kind::Cancel);
    a.Control = choice;
    Answered(a);
    return choice;
}

void RecordingDialogs::ShowInformation(const std::string& text) {
    inner_.ShowInformation(text);
    Answered(SimpleAnswer(AnswerEvent::Kind::Ok));
}

bool RecordingDialogs::ShowBriefing(const Briefing& briefing) {
    const bool start = inner_.ShowBriefing(briefing);
    Answered(SimpleAnswer(start ? AnswerEvent::Kind::Ok : AnswerEvent::Kind::Cancel));
    return start;
}

bool RecordingDialogs::Confirm(const std::string& question) {
    const bool yes = inner_.Confirm(question);
    Answered(SimpleAnswer(yes ? AnswerEvent::Kind::Yes : AnswerEvent::Kind::No));
    return yes;
}

void RecordingHost::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
    Inner().ShowMessage(text, caption, icon);
    if (recorder_) recorder_->Note(SimpleAnswer(AnswerEvent::Kind::Ok));
}

bool RecordingHost::AskYesNo(const std::string& question) {
    const bool yes = Inner().AskYesNo(question);
    if (recorder_) recorder_->Note(SimpleAnswer(yes ? AnswerEvent::Kind::Yes : AnswerEvent::Kind::No));
    return yes;
}

}  // namespace tavrine
