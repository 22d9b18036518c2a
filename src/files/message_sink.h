// Where loading and saving point files show a message to the user: a message box in the editor,
// standard error in the command-line tool, a recorder in tests.
#pragma once

#include <string>

namespace vondrel {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // `text` is code page 932; shown with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace vondrel
