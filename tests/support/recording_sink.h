// A message sink for tests: records every message shown.
#pragma once

#include <string>
#include <vector>

#include "files/message_sink.h"

namespace vondrel::test {

class RecordingSink : public MessageSink {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

}  // namespace vondrel::test
