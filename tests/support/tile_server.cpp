// The tests' tile server process and the tile settings of the programs the tests start.
#include "support/tile_server.h"

#include <windows.h>

#include <sstream>

#include "os/win32_text.h"

namespace vondrel::test {

namespace {

constexpr DWORD kStartTimeout = 20000;
constexpr char kPython[] = "/usr/bin/python3";

// Defaults for every bridge a test starts: a loopback port nothing listens on, a cache folder
// of this run (removed at its end) and settings under a test key.
TempDir& RunFolder() {
    static TempDir folder;
    return folder;
}
const bool kDefaultsSet = [] {
    RestoreTileDefaults();
    SetEnvironmentVariableW(L"TARVIX_SETTINGS_KEY", L"SOFTWARE\\Zarn\\VondrelTests\\Tarvix");
    return true;
}();

bool WaitFor(bool (*condition)(const std::string&), const std::string& path, DWORD timeout) {
    const DWORD start = GetTickCount();
    while (!condition(path)) {
        if (GetTickCount() - start > timeout) return false;
        Sleep(20);
    }
    return true;
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(os::ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
bool Missing(const std::string& path) { return !Exists(path); }

// A Unix path as Wine's drive Z: shows it.
std::string WindowsFormOfUnix(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return "Z:" + path;
}

}  // namespace

std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char* (*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* unix = toUnix(os::ToWide(windowsPath).c_str());
    if (!unix) return {};
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

TileServer::TileServer(const std::string& landmarks) {
    const std::string portFile = dir.Path("port");
    const std::string folder = UnixPath(dir.Root());
    if (folder.empty()) return;
    // Wine starts a Unix program as it is given; there is no process handle to wait on, so the
    // port file tells when it listens and when it has gone.
    std::string command = WindowsFormOfUnix(kPython) + " " VONDREL_SOURCE_DIR "/scripts/tile_server.py" +
                          " --port-file " + folder + "/port --log " + folder + "/requests.log --mode-file " + folder +
                          "/mode --stop-file " + folder + "/stop --max-seconds 600";
    if (!landmarks.empty()) command += " --landmarks " + landmarks;
    std::wstring line = os::ToWide(command);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);
    if (!WaitFor(Exists, portFile, kStartTimeout)) return;
    port = std::stoi("0" + ReadFileBytes(portFile));
}

TileServer::~TileServer() { Stop(); }

void TileServer::Stop() {
    if (port == 0) return;
    WriteFileBytes(dir.Path("stop"), "");
    WaitFor(Missing, dir.Path("port"), 5000);
    port = 0;
}

std::string TileServer::UrlTemplate() const {
    return "http://127.0.0.1:" + std::to_string(port) + "/{layer}/{z}/{x}/{y}.{ext}";
}

void TileServer::SetMode(const std::string& mode) const { WriteFileBytes(dir.Path("mode"), mode); }

std::vector<std::string> TileServer::Requests() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadFileBytes(dir.Path("requests.log")));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void UseTiles(const std::string& urlTemplate, const std::string& cacheFolder) {
    SetEnvironmentVariableW(L"TARVIX_TILE_URL", os::ToWide(urlTemplate).c_str());
    SetEnvironmentVariableW(L"TARVIX_TILE_CACHE", os::ToWide(cacheFolder).c_str());
}

void RestoreTileDefaults() {
    UseTiles("http://127.0.0.1:9/{layer}/{z}/{x}/{y}.{ext}", RunFolder().Path("tiles"));
}

}  // namespace vondrel::test
