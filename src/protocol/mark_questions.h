// The editor's questions to the map bridge about its mark, and the replies it takes, without
// Win32. Any program can post the bridge's messages to the editor, so a reply counts only while a
// question is out (asked within kReplyWaitMs and not answered yet for its axis) and only when
// its text is a coordinate in range (up to 90 degrees of latitude, 180 of longitude); what is
// taken comes in the canonical display form. Mark notifications that come while a question is
// out are folded into one more question after it: one question in flight, however many arrive.
#pragma once

#include <cstdint>
#include <optional>

#include "protocol/bridge_protocol.h"

namespace vondrel::bridge {

class MarkQuestions {
public:
    static constexpr std::int64_t kReplyWaitMs = 10000;

    // A mark notification at `nowMs`: true when the bridge is to be asked now (both axes).
    bool OnMarkReady(std::int64_t nowMs);
    // One reply step at `nowMs`: the coordinate when it completes an awaited and valid one.
    std::optional<ReceivedCoordinate> OnReply(std::uintptr_t wParam, std::intptr_t lParam, const MessageNumbers& numbers,
                                              std::int64_t nowMs);
    // True when the question out has its answers and marks came meanwhile: the bridge is to be
    // asked again, and that question counts as asked at `nowMs`.
    bool AskAgain(std::int64_t nowMs);
    // Forgets the question out (a bridge ended or started).
    void Reset() { *this = MarkQuestions(); }

private:
    bool Waiting(std::int64_t nowMs) const;
    void Ask(std::int64_t nowMs);

    ReplyAssembler assembler;
    std::int64_t askedAt = 0;
    bool latitudeDue = false;
    bool longitudeDue = false;
    bool markedMeanwhile = false;
};

}  // namespace vondrel::bridge
