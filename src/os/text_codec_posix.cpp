// Code page 932 and EUC-JP conversions with iconv.
#include <iconv.h>

#include <cerrno>

#include "core/cp932.h"
#include "os/posix_owned.h"
#include "os/text_codec.h"
#include "os/unicode_text.h"

namespace vondrel::os {

namespace {
// One iconv conversion, with what it does on a sequence it cannot convert.
class Converter {
public:
    Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    bool Valid() const { return static_cast<bool>(cd); }

    // Converts `input`, appending to `output`. On a sequence it cannot convert, `onInvalid`
    // skips input bytes and appends what stands for them; returns false when there was one.
    template <typename OnInvalid>
    bool Convert(std::string_view input, std::string& output, OnInvalid onInvalid) {
        if (!Valid()) return false;
        iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
        bool clean = true;
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd.Get(), &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                clean = false;
                onInvalid(in, inLeft, output);
            }
        }
        return clean;
    }

private:
    Conversion cd;
};

// Skips one byte (two for a code page 932 lead byte) and appends U+FFFD.
void ReplaceCp932Char(char*& in, std::size_t& left, std::string& out) {
    const std::size_t skip = (cp932::IsLeadByte(static_cast<unsigned char>(*in)) && left > 1) ? 2 : 1;
    in += skip;
    left -= skip;
    out += "\xEF\xBF\xBD";
}

void ReplaceOneByte(char*& in, std::size_t& left, std::string& out) {
    ++in;
    --left;
    out += "\xEF\xBF\xBD";
}

// Code page 932 for `utf8` when every character has a form there that converts back to it.
bool ConvertExactly(Converter& to, Converter& back, std::string_view utf8, std::string& cp932) {
    cp932.clear();
    std::string again;
    const auto stop = [](char*& in, std::size_t& left, std::string&) { in += left, left = 0; };
    return to.Convert(utf8, cp932, stop) && back.Convert(cp932, again, stop) && again == utf8;
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}
}  // namespace

bool Cp932ToUtf8(const std::string& cp932, std::string& utf8) {
    utf8.clear();
    Converter converter("UTF-8", "CP932");
    return converter.Convert(cp932, utf8, ReplaceCp932Char);
}

bool EucJpToUtf8(std::string_view eucJp, std::string& utf8) {
    utf8.clear();
    // The Microsoft variant also knows the circled numbers and other NEC characters.
    Converter microsoft("UTF-8", "EUC-JP-MS");
    if (microsoft.Valid()) return microsoft.Convert(eucJp, utf8, ReplaceOneByte);
    Converter plain("UTF-8", "EUC-JP");
    return plain.Convert(eucJp, utf8, ReplaceOneByte);
}

bool NamedToUtf8(std::string_view name, std::string_view bytes, std::string& utf8) {
    utf8.clear();
    const std::string lower = [&] {
        std::string text(name);
        for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        return text;
    }();
    if (IsEucJpName(lower)) return EucJpToUtf8(bytes, utf8), true;
    if (IsShiftJisName(lower)) return Cp932ToUtf8(std::string(bytes), utf8), true;
    Converter converter("UTF-8", lower.c_str());
    if (!converter.Valid()) return false;
    converter.Convert(bytes, utf8, ReplaceOneByte);
    return true;
}

std::string Utf8ToCp932Text(std::string_view utf8, bool& replaced) {
    std::string folded;
    folded.reserve(utf8.size());
    char32_t cp = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            folded += utf8[pos++];
        } else if (NextCodePoint(utf8, pos, cp)) {
            AppendUtf8(folded, FoldToCp932Form(cp));
        } else {
            folded += '?';
            replaced = true;
        }
    }
    if (IsAscii(folded)) return folded;
    Converter to("CP932", "UTF-8");
    Converter back("UTF-8", "CP932");
    std::string cp932;
    if (ConvertExactly(to, back, folded, cp932)) return cp932;
    // Some character has no form: one character at a time, with the same two converters.
    cp932.clear();
    std::string converted;
    for (std::size_t pos = 0; pos < folded.size();) {
        const std::size_t start = pos;
        NextCodePoint(folded, pos, cp);
        if (cp < 0x80) {
            cp932 += static_cast<char>(cp);
        } else if (ConvertExactly(to, back, std::string_view(folded).substr(start, pos - start), converted)) {
            cp932 += converted;
        } else {
            cp932 += '?';
            replaced = true;
        }
    }
    return cp932;
}

}  // namespace vondrel::os

// Path display (os/path.h): the bytes themselves, or UTF-8 converted for display.
#include "os/path.h"

namespace vondrel::os {

namespace {
PathDisplay pathDisplay = PathDisplay::Bytes;
}  // namespace

void SetPathDisplay(PathDisplay display) { pathDisplay = display; }

std::string DisplayPath(const Path& path) {
    if (pathDisplay == PathDisplay::Bytes) return path.native();
    bool replaced = false;
    return Utf8ToCp932Text(path.native(), replaced);
}

}  // namespace vondrel::os
