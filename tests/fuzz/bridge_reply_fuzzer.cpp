// libFuzzer target for assembling the map bridge's replies: any sequence of reply steps (known
// and unknown message numbers, any parameters) keeps the buffer within the protocol's text size
// and gives coordinates only for the two mark questions.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "protocol/bridge_protocol.h"

namespace {

using namespace vondrel::bridge;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The names get the numbers 0xC000 + index, as the system's registered messages would.
    const MessageNumbers numbers = RegisterNames([n = 0xC000u](const char*) mutable { return n++; });
    ReplyAssembler replies;
    // Each step: a byte choosing the message number (one of the names, or any other), and the
    // bytes of lParam.
    for (std::size_t at = 0; at + 1 + sizeof(std::intptr_t) <= size; at += 1 + sizeof(std::intptr_t)) {
        const std::uintptr_t wParam = data[at] < 2 * kNameCount ? 0xC000u + data[at] % kNameCount : data[at] * 0x01010101u;
        std::intptr_t lParam;
        std::memcpy(&lParam, data + at + 1, sizeof lParam);
        const auto coordinate = replies.OnReply(wParam, lParam, numbers);
        if (replies.Buffer().size() > kMaxTextBytes) Fail("the reply buffer grew past its size");
        if (coordinate) {
            const auto name = numbers.Find(static_cast<std::uint32_t>(wParam));
            if (!name || (*name != Name::kGetMarkLat && *name != Name::kGetMarkLon)) Fail("a coordinate from another step");
            if (coordinate->display.size() > kMaxTextBytes + 1) Fail("a coordinate longer than its text");
        }
    }
    return 0;
}
