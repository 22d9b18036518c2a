// Locale-independent number reading and writing.
#include "core/text_number.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace vondrel {

namespace {
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips white space and a sign; returns the index of the first digit and sets `negative`.
std::size_t SkipToDigits(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return i;
}
}  // namespace

std::int32_t ParseLeadingInt(std::string_view text) {
    bool negative = false;
    std::uint32_t value = 0;
    for (std::size_t i = SkipToDigits(text, negative); i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::int32_t ParseLeadingIntModulo(std::string_view text, std::int32_t modulus) {
    bool negative = false;
    std::int64_t value = 0;
    for (std::size_t i = SkipToDigits(text, negative); i < text.size() && IsDigit(text[i]); ++i) {
        value = (value * 10 + (text[i] - '0')) % modulus;
    }
    if (negative) value = (modulus - value) % modulus;
    return static_cast<std::int32_t>(value);
}

double ParseLeadingDouble(std::string_view text) {
    bool negative = false;
    std::size_t i = SkipToDigits(text, negative);
    // from_chars takes no sign and no hexadecimal prefix here, matching a plain decimal reading.
    double value = 0.0;
    const char* begin = text.data() + i;
    const char* end = text.data() + text.size();
    auto result = std::from_chars(begin, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the range of double: strtod gives the right infinity or zero for the same digits.
        std::string digits(begin, result.ptr);
        value = std::strtod(digits.c_str(), nullptr);
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::string FormatInt(std::int32_t value) { return std::to_string(value); }

std::string FormatInt2(std::int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", static_cast<int>(value));
    return buffer;
}

}  // namespace vondrel
