// Recording replays: the main window's commands tell the recorder every input
// they receive and when a battle begins and ends; the dialogs and message boxes
// are wrapped so that their answers, and the tick at which they came, are kept.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "game/replay.h"
#include "platform/dialogs.h"
#include "platform/host.h"

namespace tavrine {

/// The recorder is the disk of the game it records (`Game::SetDisk`): it keeps
/// what the disk answered the commands.
class ReplayRecorder final : public DiskOutcomes {
public:
    /// Receives each finished replay and the name of the game file it began with.
    using Sink = std::function<void(const Replay& replay, const std::string& gameName)>;

    ReplayRecorder(Game& game, Sink sink);
    ~ReplayRecorder() override;
    ReplayRecorder(const ReplayRecorder&) = delete;
    ReplayRecorder& operator=(const ReplayRecorder&) = delete;

    /// A battle begins: `game` has just loaded `gameFile` (started afresh when
    /// `newGame`). A battle being recorded ends first. Nothing in the editing mode.
    void Begin(const Bytes& gameFile, bool newGame, std::string gameName);
    bool Active() const { return active_; }

    /// An input that reached the game, before the next tick.
    void Note(EventAction action);

    /// The battle ends now; its replay goes to the sink.
    void End();
    /// After a tick: a decided mission ends the battle.
    void AfterTick();

    /// A load was asked for: the battle ends here if it succeeds (`EndAtHeld`),
    /// and goes on if it fails (`DropHeld`).
    void HoldEnd();
    void EndAtHeld();
    void DropHeld() { held_.reset(); }

    std::int32_t Ask(DiskQuestion question, const std::function<std::int32_t()>& real) override;

private:
    void Finish(const ReplayEnd& end);

    Game& game_;
    DiskOutcomes* previousDisk_ = nullptr;
    Sink sink_;
    bool active_ = false;
    long long firstTick_ = 0;
    Replay replay_;
    std::string gameName_;
    std::optional<ReplayEnd> held_;
};

/// The dialogs, each answer kept by the recorder while it records.
class RecordingDialogs final : public Dialogs {
public:
    RecordingDialogs(Dialogs& inner, ReplayRecorder* recorder) : inner_(inner), recorder_(recorder) {}
    void SetRecorder(ReplayRecorder* recorder) { recorder_ = recorder; }

    FilePick ShowFilePicker(const std::vector<std::string>& newGamesFolders, const std::string& saveGamesFolder,
                            FilePickerMode mode) override;
    GameControlChoice ShowGameControl(const GameControlSettings& settings) override;
    void ShowInformation(const std::string& text) override;
    bool Confirm(const std::string& question) override;
    void ShowImageEditor() override { inner_.ShowImageEditor(); }
    NewGameChoice ShowNewGameDialog() override { return inner_.ShowNewGameDialog(); }

private:
    void Answered(AnswerEvent answer);

    Dialogs& inner_;
    ReplayRecorder* recorder_;
};

/// The host, each message box and question kept by the recorder while it records.
class RecordingHost final : public Host {
public:
    explicit RecordingHost(Host& inner, ReplayRecorder* recorder = nullptr) : inner_(inner), recorder_(recorder) {}
    void SetRecorder(ReplayRecorder* recorder) { recorder_ = recorder; }
    /// Everything goes to `target` instead of the inner host while it is set (a
    /// replay being watched answers its message boxes itself); nullptr: back.
    void SetTarget(Host* target) { target_ = target; }

    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool AskYesNo(const std::string& question) override;
    void Sleep(int milliseconds) override { Inner().Sleep(milliseconds); }

private:
    Host& Inner() { return target_ ? *target_ : inner_; }

    Host& inner_;
    Host* target_ = nullptr;
    ReplayRecorder* recorder_;
};

/// The answer event of a dialog result, with the box answered and its text.
AnswerEvent SimpleAnswer(AnswerEvent::Kind kind, DialogBox box = DialogBox::Unknown, std::string text = {});

}  // namespace tavrine
