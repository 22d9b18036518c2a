// The message protocol between the editor and the map bridge program, without Win32: the
// registered message names, the posts that stream a command's text byte by byte, the assembly
// of streamed texts on either side, and the coordinate texts that travel ("wire" forms).
//
// Editor to bridge: every post is message "WM_TARVIX" with wParam = a sub-command's number.
// A command is SUB_TEXT_START, one SUB_TEXT_CHAR per character (lParam = the byte, or
// lead*256+trail as a sign-extended 16-bit value), then the command itself.
// Bridge to editor: kMarkReadyMessage, or kReplyMessage steps: SUB_TEXT_START, one
// SUB_TEXT_CHAR per byte (in lParam's low byte), then the asked SUB_GET_MARK_LAT / _LON.
// Editing on the map adds messages of its own names beside these: edit_protocol.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/limits.h"

namespace vondrel::bridge {

// The registered names, in this order; an index into kMessageNames and MessageNumbers.
enum class Name : std::size_t {
    kWmTarvix,
    kAddTextEx,
    kLayerName,  // registered, never sent
    kTextStart,
    kTextChar,
    kTextEnd,  // registered, never sent
    kGetMarkLat,
    kGetMarkLon,
    kSetLayer,
    kDeleteText,
    kObjectName,
    kInitMap,
};
inline constexpr std::size_t kNameCount = 12;

inline constexpr std::array<const char*, kNameCount> kMessageNames = {
    "WM_TARVIX",        "SUB_ADD_TEXT_EX",  "SUB_LAYER_NAME", "SUB_TEXT_START",
    "SUB_TEXT_CHAR",    "SUB_TEXT_END",     "SUB_GET_MARK_LAT", "SUB_GET_MARK_LON",
    "SUB_SET_LAYER",    "SUB_DELETE_TEXT",  "SUB_OBJECT_NAME", "SUB_INIT_MAP",
};

inline const char* MessageName(Name name) { return kMessageNames[static_cast<std::size_t>(name)]; }

// Window titles the two programs find each other by.
inline constexpr const char* kBridgeTitle = "Tarvix";
inline constexpr const char* kEditorTitle = "Kestrova";

// Fixed message numbers from the bridge to the editor.
inline constexpr std::uint32_t kMarkReadyMessage = 0x0800;  // the user has set a mark
inline constexpr std::uint32_t kReplyMessage = 0x0801;      // one step of a reply

// A streamed text (with its terminating NUL) fits in this many bytes.
inline constexpr std::size_t kTextBufferSize = kBridgeTextBufferSize;
inline constexpr std::size_t kMaxTextBytes = kTextBufferSize - 1;

// The numbers the system gave the twelve names.
struct MessageNumbers {
    std::array<std::uint32_t, kNameCount> value{};

    std::uint32_t operator[](Name name) const { return value[static_cast<std::size_t>(name)]; }
    // The name registered as `number`, if any.
    std::optional<Name> Find(std::uint32_t number) const;
};

// Registers every name in order with `registerName(const char*) -> number`
// (RegisterWindowMessage on Windows).
template <typename RegisterName>
MessageNumbers RegisterNames(RegisterName registerName) {
    MessageNumbers numbers;
    for (std::size_t i = 0; i < kNameCount; ++i) numbers.value[i] = static_cast<std::uint32_t>(registerName(kMessageNames[i]));
    return numbers;
}

// One posted message's parameters; the sizes of WPARAM and LPARAM on either Windows.
struct Post {
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const Post& other) const { return wParam == other.wParam && lParam == other.lParam; }
    bool operator!=(const Post& other) const { return !(*this == other); }
};

// The text a command carries: up to the first NUL, cut at a code page 932 character boundary
// to at most kMaxTextBytes bytes.
std::string_view CommandText(std::string_view text);

// The posts (all of message number numbers[Name::kWmTarvix]) that send `command` with `text`.
std::vector<Post> EncodeCommand(const MessageNumbers& numbers, std::uint32_t command, std::string_view text);

// The kReplyMessage posts answering `askedCommand` (SUB_GET_MARK_LAT or _LON) with `text`.
std::vector<Post> EncodeReply(const MessageNumbers& numbers, std::uint32_t askedCommand, std::string_view text);

// Bridge side: assembles the text streamed before a command. START clears; CHAR appends one byte,
// or the lead and trail byte of a pair (lParam's low 16 bits >= 0x100); bytes past
// kMaxTextBytes (a pair that does not fit whole) and zero bytes are dropped.
class TextAssembler {
public:
    void Start() { text.clear(); }
    void Char(std::intptr_t lParam);
    const std::string& Text() const { return text; }

private:
    void Append(unsigned char byte);
    std::string text;
};

enum class Axis { kLatitude, kLongitude };

// A coordinate the editor has received, in display form (" 35.41.05.007", "139.45.30.123").
struct ReceivedCoordinate {
    Axis axis;
    std::string display;
};

// Editor side: assembles kReplyMessage steps. Returns the coordinate when a step completes one.
// The buffer keeps its bytes after a completed reply, so a reply without START converts them
// again; bytes past kMaxTextBytes and zero bytes are dropped.
class ReplyAssembler {
public:
    std::optional<ReceivedCoordinate> OnReply(std::uintptr_t wParam, std::intptr_t lParam,
                                              const MessageNumbers& numbers);
    const std::string& Buffer() const { return buffer; }

private:
    std::string buffer;
};

// Display form (degrees.minutes.seconds.milliseconds) to wire form (degrees/minutes/sssss with
// sssss = seconds*1000+milliseconds): "139.45.30.123" -> "139/45/30123", " 35.41.05.007" ->
// " 35/41/05007". Texts with fewer parts give a shorter head ("30.123" -> "30123").
std::string ToBridgeCoordinate(std::string_view dms);

// Wire form to display form: every "/" becomes "." and a "." goes three places after the last
// one (or at the end when the text is shorter): "139/45/30123" -> "139.45.30.123".
std::string FromBridgeCoordinate(std::string_view wire);

// The SUB_ADD_TEXT_EX text for a point: latitude wire form, longitude wire form, name.
std::string PointText(std::string_view latDms, std::string_view lonDms, std::string_view name);

struct PointFields {
    std::string latWire;
    std::string lonWire;
    std::string name;  // may contain commas
};

// Splits a SUB_ADD_TEXT_EX text at its first two commas; nothing when it has fewer.
std::optional<PointFields> ParsePointText(std::string_view text);

// Milliseconds of arc of a wire form (degrees/minutes/sssss, spaces before numbers allowed);
// nothing unless it has three numeric parts with minutes < 60 and sssss < 60000.
std::optional<std::int32_t> WireToMilliseconds(std::string_view wire);

// Milliseconds of arc (0 or more) in wire form: latitude " %02d/%02d/%05d", longitude
// "%03d/%02d/%05d".
std::string MillisecondsToWire(std::int32_t milliseconds, Axis axis);

}  // namespace vondrel::bridge
