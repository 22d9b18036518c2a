// libFuzzer target for positions in links and copied texts: any text is read without undefined
// behaviour, a position found lies on the globe, and its "lat, lon" text reads back as itself.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/link_position.h"
#include "core/map_position.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto found = vondrel::ParseLinkPosition(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!found) return 0;
    if (!(std::fabs(found->lat) <= 90 && std::fabs(found->lon) <= 180)) std::abort();
    const auto back = vondrel::ParseLinkPosition(vondrel::FormatMapPosition(*found));
    if (!back || std::fabs(back->lat - found->lat) > 1e-6 || std::fabs(back->lon - found->lon) > 1e-6) {
        std::fprintf(stderr, "invariant broken: %.9f, %.9f does not read back\n", found->lat, found->lon);
        std::abort();
    }
    return 0;
}
