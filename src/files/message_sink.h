// Where loading and saving point files show a message to the user: a message box in the editor,
// standard error in the command-line tool, a recorder in tests.
#pragma once

#include <string>
#include <vector>

#include "os/text_codec.h"

namespace vondrel {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // `text` is code page 932; shown with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // `utf8` is UTF-8, for texts that name things by characters code page 932 may lack; where
    // only code page 932 can be shown, those become "?".
    virtual void ShowUtf8Message(const std::string& utf8) {
        bool replaced = false;
        ShowMessage(os::Utf8ToCp932Text(utf8, replaced));
    }
};

// Holds the messages to show them later, once the window shows what they are about.
class HeldMessages : public MessageSink {
public:
    void ShowMessage(const std::string& text) override { held.push_back(text); }
    void ShowTo(MessageSink& sink) {
        for (const std::string& text : held) sink.ShowMessage(text);
        held.clear();
    }

private:
    std::vector<std::string> held;
};

}  // namespace vondrel
