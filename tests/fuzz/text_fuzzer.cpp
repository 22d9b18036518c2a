// libFuzzer target for the code page 932 helpers and the text conversions: character-aware
// search and truncation never split or match inside a double-byte character, and the
// conversions take any bytes without harm (UBSan and ASan watch the arithmetic and the buffers).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp932.h"
#include "os/text_codec.h"
#include "os/unicode_text.h"

namespace {

namespace cp932 = vondrel::cp932;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte splits the rest into a text and a needle, and gives a length limit.
    const std::string_view all(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = data[0] * all.size() / 256;
    const std::string_view text = all.substr(split);
    const std::string_view needle = all.substr(0, std::min<std::size_t>(split, 8));

    // Character starts found by reading from the start; the helpers look back instead.
    std::vector<bool> starts(text.size() + 1, false);
    for (std::size_t pos = 0; pos < text.size(); pos += cp932::CharLength(text, pos)) starts[pos] = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (cp932::IsCharStart(text, i) != starts[i]) Fail("a character start judged wrongly");
        if (cp932::IsLeadByteAt(text, i) != (starts[i] && cp932::IsLeadByte(static_cast<unsigned char>(text[i])))) {
            Fail("a lead byte judged wrongly");
        }
    }
    if (!needle.empty()) {
        std::size_t first = std::string_view::npos;
        for (std::size_t i = 0; i + needle.size() <= text.size() && first == std::string_view::npos; ++i) {
            if (starts[i] && text.substr(i, needle.size()) == needle) first = i;
        }
        if (cp932::Find(text, needle) != first) Fail("Find missed the first match at a character start");
    }
    const std::string_view cut = cp932::TruncateAtCharBoundary(text, data[0]);
    if (cut.size() > data[0] || text.substr(0, cut.size()) != cut) Fail("truncation is no short prefix");
    if (cut.size() < text.size() && !cp932::IsCharStart(text, cut.size())) Fail("truncation split a character");

    std::string utf8;
    vondrel::os::Cp932ToUtf8(std::string(text), utf8);
    if (!vondrel::os::IsUtf8(utf8)) Fail("code page 932 gave malformed UTF-8");
    bool replaced = false;
    const std::string back = vondrel::os::Utf8ToCp932Text(text, replaced);
    if (vondrel::os::IsUtf8(text) && !replaced && text.find_first_of('?') == std::string_view::npos &&
        back.find('?') != std::string::npos) {
        Fail("a conversion without a replacement gave a \"?\"");
    }
    vondrel::os::EucJpToUtf8(text, utf8);
    vondrel::os::Utf16ToUtf8(text, data[0] & 1);
    return 0;
}
