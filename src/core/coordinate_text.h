// Text forms of a coordinate: stored decimal degrees, the display form
// (degrees.minutes.seconds.milliseconds) and the typed form, with their exact arithmetic.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vondrel {

// Milliseconds of arc for a stored decimal-degree text: read as a double, times 3600000,
// truncated toward zero to 32 bits (values outside that range give INT32_MIN, as the
// processor's truncating conversion does).
std::int32_t StoredToMilliseconds(std::string_view stored);

// Display forms: "%03d.%02d.%02d.%03d" for longitude, " %02d.%02d.%02d.%03d" for latitude, of
// the stored value rounded to the nearest millisecond (a stored value a hair below the typed
// one, as "35.55000" is below 35.33.00.000 in binary, shows as typed); the stored text is
// never changed by showing it.
std::string StoredToLonDms(std::string_view stored);
std::string StoredToLatDms(std::string_view stored);

// Typed form (first 32 bytes; parts separated by ' space , . / tab LF) to milliseconds of arc.
std::int32_t TypedToMilliseconds(std::string_view typed);

// Typed form to stored form: decimal degrees with exactly five decimals, no sign, and no
// digit before the period below 1 degree (".50000").
std::string TypedToStored(std::string_view typed);

// Decimal degrees `value` written with five decimals, rounded half up from its
// 17-significant-digit expansion; sign dropped; "" before the period below 1.
std::string FormatFiveDecimals(double value);

}  // namespace vondrel
