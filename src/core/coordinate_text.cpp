// Coordinate text conversions.
#include "core/coordinate_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/limits.h"
#include "core/text_number.h"

namespace vondrel {

namespace {
constexpr std::int32_t kMsPerDegree = 3600000;
constexpr std::int32_t kMsPerMinute = 60000;
constexpr double kDegreesPerMs = 2.7777777777777776e-07;  // nearest double to 1/3600000

std::string FormatDms(std::int32_t t, const char* format) {
    const std::int32_t degrees = t / kMsPerDegree;
    const std::int32_t minutes = (t % kMsPerDegree) / kMsPerMinute;
    const std::int32_t rest = (t % kMsPerDegree) % kMsPerMinute;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, static_cast<int>(degrees), static_cast<int>(minutes),
                  static_cast<int>(rest / 1000), static_cast<int>(rest % 1000));
    return buffer;
}

bool IsSeparator(char c) {
    return c == '\'' || c == ' ' || c == ',' || c == '.' || c == '/' || c == '\t' || c == '\n';
}
}  // namespace

std::int32_t StoredToMilliseconds(std::string_view stored) {
    const double scaled = ParseLeadingDouble(stored) * 3600000.0;
    // Outside the 32-bit range (or NaN) the truncating conversion yields the "integer indefinite".
    if (!(scaled > -2147483649.0 && scaled < 2147483648.0)) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(scaled);
}

namespace {
// The stored value in milliseconds to the nearest one (INT32_MIN outside the 32-bit range).
std::int32_t NearestMilliseconds(std::string_view stored) {
    const double scaled = std::round(ParseLeadingDouble(stored) * 3600000.0);
    if (!(scaled > -2147483649.0 && scaled < 2147483648.0)) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(scaled);
}
}  // namespace

std::string StoredToLonDms(std::string_view stored) {
    return FormatDms(NearestMilliseconds(stored), "%03d.%02d.%02d.%03d");
}

std::string StoredToLatDms(std::string_view stored) {
    return FormatDms(NearestMilliseconds(stored), " %02d.%02d.%02d.%03d");
}

std::int32_t TypedToMilliseconds(std::string_view typed) {
    typed = typed.substr(0, kTypedCoordinateBytes);
    std::string_view parts[4];
    int count = 0;
    std::size_t i = 0;
    while (count < 4) {
        while (i < typed.size() && IsSeparator(typed[i])) ++i;
        if (i >= typed.size()) break;
        std::size_t start = i;
        while (i < typed.size() && !IsSeparator(typed[i])) ++i;
        parts[count++] = typed.substr(start, i - start);
    }
    const std::uint32_t degrees = count > 0 ? static_cast<std::uint32_t>(ParseLeadingInt(parts[0])) : 0;
    const std::uint32_t minutes = count > 1 ? static_cast<std::uint32_t>(ParseLeadingInt(parts[1])) : 0;
    std::uint32_t seconds = 0;
    std::uint32_t milliseconds = 0;
    if (count > 2) {
        const std::int32_t s = ParseLeadingInt(parts[2]);
        if (s >= 60) {
            seconds = static_cast<std::uint32_t>(s / 1000);
            milliseconds = static_cast<std::uint32_t>(s % 1000);
        } else {
            seconds = static_cast<std::uint32_t>(s);
            if (count > 3) {
                char fraction[4] = {'0', '0', '0', '\0'};
                for (std::size_t k = 0; k < 3 && k < parts[3].size(); ++k) fraction[k] = parts[3][k];
                milliseconds = static_cast<std::uint32_t>(ParseLeadingInt(fraction));
            }
        }
    }
    // 32-bit arithmetic that wraps instead of overflowing.
    const std::uint32_t total = milliseconds + 1000u * (seconds + 60u * (minutes + 60u * degrees));
    return static_cast<std::int32_t>(total);
}

std::string TypedToStored(std::string_view typed) {
    return FormatFiveDecimals(static_cast<double>(TypedToMilliseconds(typed)) * kDegreesPerMs);
}

std::string FormatFiveDecimals(double value) {
    constexpr int kDecimals = 5;
    value = std::fabs(value);
    if (!std::isfinite(value)) value = 0.0;
    // 17 significant digits: d.dddddddddddddddde±x
    char sci[64];
    auto res = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, 16);
    *res.ptr = '\0';
    std::string digits;
    digits.reserve(17);
    digits.push_back(sci[0]);
    for (int k = 2; k < 18; ++k) digits.push_back(sci[k]);
    const int exponent = std::atoi(sci + 19);  // after "e"
    // The number is 0.DIGITS x 10^(exponent + 1); keep the digits up to the fifth decimal.
    const int intDigits = exponent + 1;
    const int keep = intDigits + kDecimals;
    std::string kept;  // digits from the first significant digit to the fifth decimal
    if (value == 0.0 || keep < 0) {
        kept.clear();
    } else {
        const bool roundUp = keep < 17 && digits[static_cast<std::size_t>(keep)] >= '5';
        kept = digits.substr(0, static_cast<std::size_t>(std::min(keep, 17)));
        kept.append(static_cast<std::size_t>(std::max(0, keep - 17)), '0');
        if (roundUp) {
            int k = static_cast<int>(kept.size()) - 1;
            while (k >= 0 && kept[static_cast<std::size_t>(k)] == '9') kept[static_cast<std::size_t>(k--)] = '0';
            if (k >= 0) {
                ++kept[static_cast<std::size_t>(k)];
            } else {
                kept.insert(kept.begin(), '1');
            }
        }
    }
    // Pad on the left so that there are at least five decimals.
    if (kept.size() < static_cast<std::size_t>(kDecimals)) kept.insert(0, kDecimals - kept.size(), '0');
    std::string integerPart = kept.substr(0, kept.size() - kDecimals);
    const std::size_t firstNonZero = integerPart.find_first_not_of('0');
    integerPart = firstNonZero == std::string::npos ? std::string() : integerPart.substr(firstNonZero);
    return integerPart + "." + kept.substr(kept.size() - kDecimals);
}

}  // namespace vondrel
