// libFuzzer target for typed and stored coordinates: any text is typed or stored without
// undefined arithmetic, a stored text always has its fixed form, and its display form is one of
// the two fixed layouts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/coordinate_text.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "invariant broken: %s: \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

bool IsDigits(std::string_view text) { return text.find_first_not_of("0123456789") == std::string_view::npos; }

// Digits, a period, five digits; no digit before the period below 1 degree.
bool IsStoredForm(std::string_view stored) {
    const std::size_t period = stored.find('.');
    return period != std::string_view::npos && stored.size() - period == 6 && IsDigits(stored.substr(0, period)) &&
           IsDigits(stored.substr(period + 1)) && (period == 0 || stored[0] != '0');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vondrel::TypedToMilliseconds(text);
    const std::string stored = vondrel::TypedToStored(text);
    if (!IsStoredForm(stored)) Fail("typed text stored out of form", text);
    const std::string lon = vondrel::StoredToLonDms(stored);
    const std::string lat = vondrel::StoredToLatDms(stored);
    vondrel::StoredToMilliseconds(text);
    vondrel::StoredToLonDms(text);
    vondrel::StoredToLatDms(text);
    if (lon.size() < 13 || lat.size() < 13) Fail("display form too short", stored);
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        vondrel::FormatFiveDecimals(value);
    }
    return 0;
}
