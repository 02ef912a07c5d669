// The desktop around a headless game, played from a script: the main window's
// commands with dialogs that answer from the script, a map editor, and a host that
// keeps every message and question, all reported in the run's JSON. The headless
// tool's scripted runs and every replay, headless or in the window, play through it.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "data/json_writer.h"
#include "editor/editor.h"
#include "game/input_events.h"
#include "game/main_commands.h"
#include "game/replay_recorder.h"

namespace tavrine {

/// A quiet host that keeps every message and question; while a message box or
/// question is open, `whileOpen` runs (the script's ticks), and a question takes
/// the next queued answer before the fixed one.
class ScriptHost final : public QuietHost {
public:
    explicit ScriptHost(bool answer) : QuietHost(answer) {}
    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
        QuietHost::ShowMessage(text, caption, icon);
        allMessages.push_back(text);
        openBox = DialogBox::Message;
        openText = text;
        if (whileOpen) whileOpen();
    }
    bool AskYesNo(const std::string& question) override {
        allQuestions.push_back(question);
        openBox = DialogBox::Question;
        openText = question;
        if (whileOpen) whileOpen();
        if (answers.empty()) return QuietHost::AskYesNo(question);
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> allMessages;
    std::vector<std::string> allQuestions;
    std::deque<bool> answers;
    std::function<void()> whileOpen;
    /// The box open (or last opened) and its text.
    DialogBox openBox = DialogBox::Unknown;
    std::string openText;
};

/// The window of a scripted run: it counts what the commands ask of it and, where
/// the desktop window would make a new surface (a display mode chosen, full
/// screen toggled), does to the game what a new surface does.
class ScriptedWindow final : public MainWindow {
public:
    explicit ScriptedWindow(Game& game) : game_(game) {}
    void CloseMainWindow() override { counts.CloseMainWindow(); }
    void ShowStatusBar() override { counts.ShowStatusBar(); }
    void SetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bits) override;
    void ToggleFullScreen() override;
    void ResizeSurface() override;

    CountingMainWindow counts;
    /// Runs before the game takes the new surface (a window watching the replay
    /// resizes its own); may be empty.
    std::function<void()> newSurface;

private:
    void NewSurface();

    Game& game_;
};

/// A box that opened during the run, as a replay compares them.
struct ShownBox {
    DialogBox Box = DialogBox::Unknown;
    std::string Text;
};

/// The words that name a shown box in messages: "the confirmation "Exit?"".
std::string DescribeBox(DialogBox box, const std::string& text);

/// The shell is the disk of its game while it lives (`Game::SetDisk`): the
/// script's `disk` lines answer the commands' questions to the disk in their
/// place, so a replay neither reads nor writes the viewer's files.
class ScriptedShell final : public DiskOutcomes {
public:
    /// `answer` is the reply to every yes/no question of the confirmation box that
    /// the script does not answer itself; `events` is the script. With a
    /// `recorder`, every input and answer is recorded.
    ScriptedShell(Game& game, ScriptHost& host, bool answer, std::vector<ScriptEvent> events = {},
                  ReplayRecorder* recorder = nullptr);
    ~ScriptedShell() override;
    ScriptedShell(const ScriptedShell&) = delete;
    ScriptedShell& operator=(const ScriptedShell&) = delete;

    /// Applies the script's events due before the next tick. A dialog or message
    /// box that the next event answers stays open, the ticks running, until that
    /// event's tick.
    void ApplyDue();
    /// One frame tick and what it asked for after it.
    void Tick();
    /// The ticks run since the shell was made.
    long long Ticks() const { return ticks_; }
    void Apply(const EventAction& action);
    /// The exit was confirmed: the program would end here.
    bool Closed() const { return window_.counts.closes > 0; }

    /// A replay ends where a load was picked or a skirmish started: such a pick
    /// or skirmish, as the script's last event, is not carried out but ends the
    /// play (`Ended`).
    void SetEndAtLastLoad(bool on) { endAtLastLoad_ = on; }
    bool Ended() const { return ended_; }
    /// Nothing but the disk's answers follows event `event`; or nothing but
    /// those and the skirmish that a menu entry started.
    bool OnlyDiskAfter(std::size_t event) const;
    bool OnlySkirmishAfter(std::size_t event) const;

    MainCommands& Commands() { return commands_; }
    /// Called where the replayed window made a new surface, before the game takes it.
    void SetSurfaceHandler(std::function<void()> handler) { window_.newSurface = std::move(handler); }

    /// "Shell": the pickers opened ("load", "save"), the yes/no questions of
    /// message boxes, the questions of the confirmation box, the messages shown,
    /// the information texts, whether the window closed, and the image editor,
    /// full-screen and display mode requests.
    void WriteJson(JsonWriter& w) const;

    /// Every box opened so far, in order.
    const std::vector<ShownBox>& Shown() const { return shown_; }

    std::int32_t Ask(DiskQuestion question, const std::function<std::int32_t()>& real) override;

private:
    /// A dialog or message box opened: when the next event answers it (and, for
    /// a recorded answer, names this box and text), the ticks run up to that
    /// event's tick and the answer is queued for this box.
    void WhileOpen(DialogBox box, const std::string& text);

    Game& game_;
    ScriptHost& host_;
    ScriptedDialogs dialogs_;
    RecordingDialogs recordingDialogs_;
    ScriptedWindow window_;
    Editor editor_;
    MainCommands commands_;
    std::vector<ScriptEvent> events_;
    std::size_t next_ = 0;
    long long ticks_ = 0;
    bool endAtLastLoad_ = false;
    bool ended_ = false;
    std::vector<ShownBox> shown_;
    DiskOutcomes* previousDisk_ = nullptr;
};

}  // namespace tavrine
