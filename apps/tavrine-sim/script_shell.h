// The desktop around a headless game, played from a script: the main window's
// commands with dialogs that answer from the script, a map editor, and a host that
// keeps every message and question, all reported in the run's JSON.
#pragma once

#include <string>
#include <vector>

#include "data/json_writer.h"
#include "editor/editor.h"
#include "events.h"
#include "game/main_commands.h"

namespace tavrine::sim {

/// A quiet host that keeps every message and question.
class ScriptHost final : public QuietHost {
public:
    explicit ScriptHost(bool answer) : QuietHost(answer) {}
    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
        QuietHost::ShowMessage(text, caption, icon);
        allMessages.push_back(text);
    }
    bool AskYesNo(const std::string& question) override {
        allQuestions.push_back(question);
        return QuietHost::AskYesNo(question);
    }
    std::vector<std::string> allMessages;
    std::vector<std::string> allQuestions;
};

class ScriptedShell {
public:
    /// `answer` is the reply to every yes/no question of the confirmation box.
    ScriptedShell(Game& game, ScriptHost& host, bool answer);
    ScriptedShell(const ScriptedShell&) = delete;
    ScriptedShell& operator=(const ScriptedShell&) = delete;

    /// One frame tick and what it asked for after it.
    void Tick() { commands_.DXTimerTimer(); }
    /// The main window's commands the shell plays through (the autopilot's hands).
    MainCommands& Commands() { return commands_; }
    void Apply(const EventAction& action);
    /// The exit was confirmed: the program would end here.
    bool Closed() const { return window_.closes > 0; }

    /// "Shell": the pickers opened ("load", "save"), the yes/no questions of
    /// message boxes, the questions of the confirmation box, the messages shown,
    /// the information texts, whether the window closed, and the image editor,
    /// full-screen and display mode requests.
    void WriteJson(JsonWriter& w) const;

private:
    Game& game_;
    ScriptHost& host_;
    ScriptedDialogs dialogs_;
    CountingMainWindow window_;
    Editor editor_;
    MainCommands commands_;
};

}  // namespace tavrine::sim
