// Editing on the map: step encoding, assembly and the editor's checks.
#include "protocol/edit_protocol.h"

namespace vondrel::bridge {

namespace {
bool IsField(std::uint32_t step) { return step == 1 || (step >= 3 && step <= 5); }
bool IsCommand(std::uint32_t step) { return (step >= 16 && step <= 21) || (step >= 32 && step <= 34); }
}  // namespace

std::vector<Post> EncodeEdit(const EditMessage& message) {
    std::vector<Post> posts;
    auto field = [&](EditStep step, std::intptr_t value) {
        posts.push_back({static_cast<std::uintptr_t>(step), value});
    };
    if (message.serial) field(EditStep::kSerial, static_cast<std::intptr_t>(*message.serial));
    if (message.lat) field(EditStep::kLat, *message.lat);
    if (message.lon) field(EditStep::kLon, *message.lon);
    if (message.mark) field(EditStep::kMark, *message.mark);
    field(message.step, static_cast<std::intptr_t>(message.value));
    return posts;
}

std::optional<EditMessage> EditAssembler::Step(std::uintptr_t wParam, std::intptr_t lParam) {
    // Values travel as 32 bits, so both Windows read the same numbers.
    const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uintptr_t>(lParam)));
    const auto step = static_cast<std::uint32_t>(wParam);
    if (step != wParam || !(IsField(step) || IsCommand(step))) {
        fields = EditMessage();
        return std::nullopt;
    }
    switch (static_cast<EditStep>(step)) {
        case EditStep::kSerial:
            fields.serial = static_cast<std::uint32_t>(value);
            return std::nullopt;
        case EditStep::kLat:
            fields.lat = value;
            return std::nullopt;
        case EditStep::kLon:
            fields.lon = value;
            return std::nullopt;
        case EditStep::kMark:
            fields.mark = value;
            return std::nullopt;
        default:
            break;
    }
    EditMessage message = fields;
    message.step = static_cast<EditStep>(step);
    message.value = value;
    fields = EditMessage();
    return message;
}

std::uint32_t SentSet::Begin(int points) {
    last = last + 1 == 0 ? 1 : last + 1;
    current = last;
    count = points;
    return current;
}

std::optional<int> SentSet::Member(const EditMessage& message) const {
    if (current == 0 || message.serial != current || message.value < 0 || message.value >= count) return std::nullopt;
    return static_cast<int>(message.value);
}

bool InRange(const std::optional<std::int32_t>& lat, const std::optional<std::int32_t>& lon) {
    return lat && lon && *lat >= 0 && *lat <= kMaxLatitudeMs && *lon >= 0 && *lon <= kMaxLongitudeMs;
}

std::optional<AcceptedMove> SentSet::TakeMove(const EditMessage& message) const {
    const std::optional<int> index = Member(message);
    if (message.step != EditStep::kMoved || !index || !InRange(message.lat, message.lon)) return std::nullopt;
    return AcceptedMove{*index, *message.lat, *message.lon};
}

}  // namespace vondrel::bridge
