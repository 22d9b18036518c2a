// Code page 932 <-> UTF-8 with iconv.
#include <iconv.h>

#include <cerrno>

#include "core/cp932.h"
#include "os/text_codec.h"

namespace vondrel::os {

namespace {
// Converts with iconv; on a byte sequence that cannot be converted, `onInvalid` decides how
// many input bytes to skip and what to append (returning false stops the conversion).
template <typename OnInvalid>
bool Convert(const char* to, const char* from, const std::string& input, std::string& output, OnInvalid onInvalid) {
    output.clear();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    bool clean = true;
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            clean = false;
            if (!onInvalid(in, inLeft, output)) break;
        }
    }
    iconv_close(cd);
    return clean;
}
}  // namespace

bool Cp932ToUtf8(const std::string& cp932, std::string& utf8) {
    return Convert("UTF-8", "CP932", cp932, utf8, [](char*& in, std::size_t& left, std::string& out) {
        const std::size_t skip = (cp932::IsLeadByte(static_cast<unsigned char>(*in)) && left > 1) ? 2 : 1;
        in += skip;
        left -= skip;
        out += "\xEF\xBF\xBD";  // U+FFFD
        return true;
    });
}

bool Utf8ToCp932(const std::string& utf8, std::string& cp932) {
    return Convert("CP932", "UTF-8", utf8, cp932, [](char*&, std::size_t&, std::string&) { return false; });
}

}  // namespace vondrel::os
