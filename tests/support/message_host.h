// A quiet host for tests that also remembers the icon of the last message and can
// act while a message is shown.
#pragma once

#include <functional>
#include <string>

#include "platform/host.h"

namespace tavrine::test {

class MessageHost : public QuietHost {
public:
    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
        QuietHost::ShowMessage(text, caption, icon);
        lastIcon = icon;
        if (onMessage) onMessage();
    }
    MessageIcon lastIcon = MessageIcon::Information;
    std::function<void()> onMessage;  ///< runs while each message is shown
};

}  // namespace tavrine::test
