// Map bridge protocol: message encoding, text assembly and coordinate wire forms.
#include "protocol/bridge_protocol.h"

#include <cstdio>

#include "core/cp932.h"
#include "core/text_number.h"

namespace vondrel::bridge {

namespace {
constexpr std::int32_t kMsPerMinute = 60000;
constexpr std::int32_t kMsPerDegree = 60 * kMsPerMinute;

void Replace(std::string& text, char from, char to) {
    for (char& c : text) {
        if (c == from) c = to;
    }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A part of a wire form: optional spaces, then one or more digits and nothing else.
std::optional<std::int32_t> WirePart(std::string_view part) {
    std::size_t i = 0;
    while (i < part.size() && part[i] == ' ') ++i;
    if (i == part.size() || part.size() - i > 9) return std::nullopt;
    for (std::size_t k = i; k < part.size(); ++k) {
        if (!IsDigit(part[k])) return std::nullopt;
    }
    return ParseLeadingInt(part.substr(i));
}
}  // namespace

std::optional<Name> MessageNumbers::Find(std::uint32_t number) const {
    for (std::size_t i = 0; i < kNameCount; ++i) {
        if (value[i] == number) return static_cast<Name>(i);
    }
    return std::nullopt;
}

std::string_view CommandText(std::string_view text) {
    // The text is copied as a C string: it ends at its first NUL.
    text = text.substr(0, text.find('\0'));
    return cp932::TruncateAtCharBoundary(text, kMaxTextBytes);
}

std::vector<Post> EncodeCommand(const MessageNumbers& numbers, std::uint32_t command, std::string_view text) {
    text = CommandText(text);
    std::vector<Post> posts;
    posts.reserve(text.size() + 2);
    posts.push_back({numbers[Name::kTextStart], 0});
    std::uint16_t held = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        // Every byte with the top bit set starts a pair, half-width katakana included.
        if (held == 0 && byte >= 0x80) {
            held = static_cast<std::uint16_t>(byte << 8);
            continue;
        }
        const auto value = static_cast<std::int16_t>(static_cast<std::uint16_t>(held + byte));
        posts.push_back({numbers[Name::kTextChar], static_cast<std::intptr_t>(value)});
        held = 0;
    }
    // A lead byte left without a second byte is not sent.
    posts.push_back({command, 0});
    return posts;
}

std::vector<Post> EncodeReply(const MessageNumbers& numbers, std::uint32_t askedCommand, std::string_view text) {
    text = text.substr(0, kMaxTextBytes);
    std::vector<Post> posts;
    posts.reserve(text.size() + 2);
    posts.push_back({numbers[Name::kTextStart], 0});
    for (char c : text) posts.push_back({numbers[Name::kTextChar], static_cast<unsigned char>(c)});
    posts.push_back({askedCommand, 0});
    return posts;
}

void TextAssembler::Append(unsigned char byte) {
    if (byte != 0 && text.size() < kMaxTextBytes) text.push_back(static_cast<char>(byte));
}

void TextAssembler::Char(std::intptr_t lParam) {
    const auto value = static_cast<std::uint16_t>(static_cast<std::uintptr_t>(lParam) & 0xFFFF);
    if (value >= 0x100) {
        // A pair is kept whole or not at all, so the text never ends inside a character.
        if (text.size() + 2 > kMaxTextBytes) return;
        Append(static_cast<unsigned char>(value >> 8));
    }
    Append(static_cast<unsigned char>(value & 0xFF));
}

std::optional<ReceivedCoordinate> ReplyAssembler::OnReply(std::uintptr_t wParam, std::intptr_t lParam,
                                                          const MessageNumbers& numbers) {
    if (static_cast<std::uint32_t>(wParam) != wParam) return std::nullopt;
    const std::optional<Name> name = numbers.Find(static_cast<std::uint32_t>(wParam));
    if (!name) return std::nullopt;
    switch (*name) {
        case Name::kTextStart:
            buffer.clear();
            break;
        case Name::kTextChar: {
            const auto byte = static_cast<char>(static_cast<std::uintptr_t>(lParam) & 0xFF);
            if (byte != 0 && buffer.size() < kMaxTextBytes) buffer.push_back(byte);
            break;
        }
        case Name::kGetMarkLat:
            return ReceivedCoordinate{Axis::kLatitude, FromBridgeCoordinate(buffer)};
        case Name::kGetMarkLon:
            return ReceivedCoordinate{Axis::kLongitude, FromBridgeCoordinate(buffer)};
        default:
            break;
    }
    return std::nullopt;
}

std::string ToBridgeCoordinate(std::string_view dms) {
    std::string text(dms);
    Replace(text, '.', '/');
    // A missing separator leaves the whole remaining text as the part and nothing before it.
    const std::size_t msAt = text.rfind('/');
    const std::string milliseconds = msAt == std::string::npos ? text : text.substr(msAt + 1);
    const std::string rest = msAt == std::string::npos ? std::string() : text.substr(0, msAt);
    const std::size_t secondsAt = rest.rfind('/');
    const std::string seconds = secondsAt == std::string::npos ? rest : rest.substr(secondsAt + 1);
    // 32-bit arithmetic that wraps instead of overflowing on absurd digit strings.
    const std::uint32_t field = static_cast<std::uint32_t>(ParseLeadingInt(milliseconds)) +
                                static_cast<std::uint32_t>(ParseLeadingInt(seconds)) * 1000u;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%05d", static_cast<int>(static_cast<std::int32_t>(field)));
    if (secondsAt == std::string::npos) return buffer;
    return rest.substr(0, secondsAt) + "/" + buffer;
}

std::string FromBridgeCoordinate(std::string_view wire) {
    std::string text(wire);
    Replace(text, '/', '.');
    const std::size_t last = text.rfind('.');
    // Three places after the last "." (after position -1 when there is none).
    const std::size_t at = (last == std::string::npos ? 0 : last + 1) + 2;
    text.insert(at < text.size() ? at : text.size(), 1, '.');
    return text;
}

std::string PointText(std::string_view latDms, std::string_view lonDms, std::string_view name) {
    std::string text = ToBridgeCoordinate(latDms);
    text += ',';
    text += ToBridgeCoordinate(lonDms);
    text += ',';
    text += name;
    return text;
}

std::optional<PointFields> ParsePointText(std::string_view text) {
    // A comma is never the second byte of a double-byte character, so a byte search is exact.
    const std::size_t first = text.find(',');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t second = text.find(',', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    return PointFields{std::string(text.substr(0, first)), std::string(text.substr(first + 1, second - first - 1)),
                       std::string(text.substr(second + 1))};
}

std::optional<std::int32_t> WireToMilliseconds(std::string_view wire) {
    const std::size_t first = wire.find('/');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t second = wire.find('/', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const auto degrees = WirePart(wire.substr(0, first));
    const auto minutes = WirePart(wire.substr(first + 1, second - first - 1));
    const auto field = WirePart(wire.substr(second + 1));
    if (!degrees || !minutes || !field || *degrees > 180 || *minutes >= 60 || *field >= 60000) return std::nullopt;
    return *degrees * kMsPerDegree + *minutes * kMsPerMinute + *field;
}

std::string MillisecondsToWire(std::int32_t milliseconds, Axis axis) {
    if (milliseconds < 0) milliseconds = 0;
    const int degrees = milliseconds / kMsPerDegree;
    const int minutes = milliseconds % kMsPerDegree / kMsPerMinute;
    const int field = milliseconds % kMsPerMinute;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, axis == Axis::kLatitude ? " %02d/%02d/%05d" : "%03d/%02d/%05d", degrees,
                  minutes, field);
    return buffer;
}

}  // namespace vondrel::bridge
