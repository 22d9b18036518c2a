// The editor's mark questions and the replies it takes.
#include "protocol/mark_questions.h"

namespace vondrel::bridge {

namespace {
constexpr std::int32_t kMsPerDegree = 3600000;
}

bool MarkQuestions::Waiting(std::int64_t nowMs) const {
    return (latitudeDue || longitudeDue) && nowMs - askedAt < kReplyWaitMs;
}

void MarkQuestions::Ask(std::int64_t nowMs) {
    assembler = ReplyAssembler();
    askedAt = nowMs;
    latitudeDue = longitudeDue = true;
    markedMeanwhile = false;
}

bool MarkQuestions::OnMarkReady(std::int64_t nowMs) {
    if (Waiting(nowMs)) {
        markedMeanwhile = true;
        return false;
    }
    Ask(nowMs);
    return true;
}

std::optional<ReceivedCoordinate> MarkQuestions::OnReply(std::uintptr_t wParam, std::intptr_t lParam,
                                                         const MessageNumbers& numbers, std::int64_t nowMs) {
    if (!Waiting(nowMs)) return std::nullopt;
    const std::optional<ReceivedCoordinate> reply = assembler.OnReply(wParam, lParam, numbers);
    if (!reply) return std::nullopt;
    const bool latitude = reply->axis == Axis::kLatitude;
    bool& due = latitude ? latitudeDue : longitudeDue;
    const std::optional<std::int32_t> ms = WireToMilliseconds(assembler.Buffer());
    if (!due || !ms || *ms > (latitude ? 90 : 180) * kMsPerDegree) return std::nullopt;
    due = false;
    return ReceivedCoordinate{reply->axis, FromBridgeCoordinate(MillisecondsToWire(*ms, reply->axis))};
}

bool MarkQuestions::AskAgain(std::int64_t nowMs) {
    if (latitudeDue || longitudeDue || !markedMeanwhile) return false;
    Ask(nowMs);
    return true;
}

}  // namespace vondrel::bridge
