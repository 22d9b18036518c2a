// The stand-in's process: started through the shell natively, as a Unix program under Wine.
#include "support/geocoder_stand_in.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include "os/win32_text.h"
#include "support/tile_server.h"
#endif

namespace vondrel::test {

namespace {
std::string ReadPort(const std::string& file) {
    std::ifstream in(file);
    std::string port;
    in >> port;
    return port;
}
}  // namespace

GeocoderStandIn::GeocoderStandIn() {
#ifdef _WIN32
    const std::string folder = UnixPath(dir.Root());
    std::wstring line = os::ToWide("Z:\\usr\\bin\\python3 " VONDREL_SOURCE_DIR "/tests/support/geocoder_server.py --port-file " +
                                   folder + "/port --stop-file " + folder + "/stop");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (folder.empty() || !CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return;
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
#else
    const std::string folder = dir.Root();
    std::system(("python3 " VONDREL_SOURCE_DIR "/tests/support/geocoder_server.py --port-file '" + folder +
                 "/port' --stop-file '" + folder + "/stop' &").c_str());
#endif
    for (int i = 0; i < 400 && base.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (const std::string port = ReadPort(dir.Path("port")); !port.empty()) base = "http://127.0.0.1:" + port;
    }
}

GeocoderStandIn::~GeocoderStandIn() {
    std::ofstream(dir.Path("stop")).put('\n');
    for (int i = 0; i < 100 && !base.empty() && !ReadPort(dir.Path("port")).empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void UseGeocoder(const std::string& base) {
#ifdef _WIN32
    _putenv_s("VONDREL_GEOCODER_URL", base.c_str());
    SetEnvironmentVariableW(L"VONDREL_GEOCODER_URL", os::ToWide(base).c_str());
#else
    setenv("VONDREL_GEOCODER_URL", base.c_str(), 1);
#endif
}

}  // namespace vondrel::test
