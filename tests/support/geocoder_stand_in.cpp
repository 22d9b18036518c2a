// The stand-in's process, started through the shell (Wine's start /unix under Wine).
#include "support/geocoder_stand_in.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#ifdef _WIN32
#include "support/tile_server.h"
#define VONDREL_UNIX(path) UnixPath(path)
#define VONDREL_START "start /unix /usr/bin/python3 "
#define VONDREL_DETACH ""
#else
#define VONDREL_UNIX(path) (path)
#define VONDREL_START "python3 "
#define VONDREL_DETACH " >/dev/null 2>&1 &"  // ctest waits for every holder of its output
#endif

namespace vondrel::test {

namespace {
std::string ReadPort(const std::string& file) {
    std::string port;
    std::ifstream(file) >> port;
    return port;
}
}  // namespace

GeocoderStandIn::GeocoderStandIn() {
    const std::string folder = VONDREL_UNIX(dir.Root());
    const std::string command = VONDREL_START VONDREL_SOURCE_DIR "/tests/support/geocoder_server.py --port-file " +
                                folder + "/port --stop-file " + folder + "/stop" VONDREL_DETACH;
    std::system(command.c_str());
    for (int i = 0; i < 400 && base.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (const std::string port = ReadPort(dir.Path("port")); !port.empty()) base = "http://127.0.0.1:" + port;
    }
}

GeocoderStandIn::~GeocoderStandIn() { std::ofstream(dir.Path("stop")).put('\n'); }  // it ends within 0.1 s

void UseGeocoder(const std::string& base) {
#ifdef _WIN32
    _putenv_s("VONDREL_GEOCODER_URL", base.c_str());
#else
    setenv("VONDREL_GEOCODER_URL", base.c_str(), 1);
#endif
}

}  // namespace vondrel::test
