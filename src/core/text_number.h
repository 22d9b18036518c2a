// Locale-independent number reading and writing for byte texts, with the C library's
// leading-number rules but defined results on overflow.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vondrel {

// Reads an integer the way atoi does: leading white space, an optional sign, then decimal
// digits; no digits gives 0. The value wraps modulo 2^32 instead of overflowing.
std::int32_t ParseLeadingInt(std::string_view text);

// Like ParseLeadingInt, but returns the value modulo `modulus` (floor modulo, 0..modulus-1),
// exact for any number of digits.
std::int32_t ParseLeadingIntModulo(std::string_view text, std::int32_t modulus);

// Reads a floating-point number the way atof does: leading white space skipped, reading
// stopped at the first character that cannot continue a number, 0 when there is none.
double ParseLeadingDouble(std::string_view text);

// "%d" and "%02d".
std::string FormatInt(std::int32_t value);
std::string FormatInt2(std::int32_t value);

}  // namespace vondrel
