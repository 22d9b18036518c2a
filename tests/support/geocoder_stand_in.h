// The address search's loopback stand-in (tests/support/geocoder_server.py) as a process of the
// test, natively and under Wine; VONDREL_GEOCODER_URL points at it while it runs.
#pragma once

#include <string>

#include "support/temp_dir.h"

namespace vondrel::test {

class GeocoderStandIn {
public:
    GeocoderStandIn();
    ~GeocoderStandIn();
    // "http://127.0.0.1:PORT", or "" when it did not start.
    const std::string& Base() const { return base; }

private:
    TempDir dir;
    std::string base;
};

// Sets VONDREL_GEOCODER_URL for this process (and the programs it starts).
void UseGeocoder(const std::string& base);

}  // namespace vondrel::test
