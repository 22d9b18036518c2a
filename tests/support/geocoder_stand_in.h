// The address search's loopback stand-in (geocoder_server.py beside this file) as a process of the
// test, natively and under Wine (as a Unix program).
#pragma once

#include <string>

#include "support/temp_dir.h"

namespace vondrel::test {

class GeocoderStandIn {
public:
    GeocoderStandIn();
    ~GeocoderStandIn();
    const std::string& Base() const { return base; }  // "http://127.0.0.1:PORT", "" when not started

private:
    TempDir dir;
    std::string base;
};

// Sets VONDREL_GEOCODER_URL for this process.
void UseGeocoder(const std::string& base);

}  // namespace vondrel::test
