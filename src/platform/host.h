// What the engine asks of the desktop around it: message boxes, questions and
// blocking sleeps. Tests and the headless tool supply their own.
#pragma once

#include <string>

namespace tavrine {

enum class MessageIcon { Error, Information, Warning };

class Host {
public:
    virtual ~Host() = default;

    /// Shows a message box and waits until it is closed.
    virtual void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) = 0;

    /// Asks a question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& question) = 0;

    /// Blocks the game thread (fades, the hold at the end of a mission).
    virtual void Sleep(int milliseconds) = 0;
};

/// A host that shows nothing, answers every question with a fixed answer and never
/// sleeps; it remembers the last message for tests and the headless tool.
class QuietHost : public Host {
public:
    explicit QuietHost(bool answer = true) : answer_(answer) {}

    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon) override {
        lastMessage = text;
        lastCaption = caption;
        ++messages;
    }
    bool AskYesNo(const std::string& question) override {
        lastQuestion = question;
        return answer_;
    }
    void Sleep(int milliseconds) override { sleptMs += milliseconds; }

    std::string lastMessage;
    std::string lastCaption;
    std::string lastQuestion;
    int messages = 0;
    long long sleptMs = 0;

private:
    bool answer_;
};

}  // namespace tavrine
