// Text conversions for the interchange formats.
#include "formats/text_encoding.h"

#include "os/text_codec.h"

namespace vondrel::formats {

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string utf8;
    os::Cp932ToUtf8(std::string(cp932), utf8);
    return utf8;
}

std::string ToPointText(std::string_view utf8, bool& replaced) {
    // Control characters are ASCII bytes, never part of a longer UTF-8 character.
    std::string text(utf8);
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    }
    return os::Utf8ToCp932Text(text, replaced);
}

}  // namespace vondrel::formats
