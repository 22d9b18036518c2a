// Tarvix2.exe's test options and event log.
#include "bridge/test_options.h"

#include <shellapi.h>

#include <iterator>

namespace vondrel::tarvix {

Options ReadOptions() {
    Options options;
    wchar_t value[MAX_PATH * 4];
    DWORD length = GetEnvironmentVariableW(L"TARVIX_LOG", value, static_cast<DWORD>(std::size(value)));
    if (length > 0 && length < std::size(value)) options.logPath = value;
    length = GetEnvironmentVariableW(L"TARVIX_IGNORE_CLOSE", value, static_cast<DWORD>(std::size(value)));
    if (length > 0 && length < std::size(value) && std::wstring(value) == L"1") options.ignoreClose = true;

    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return options;
    const std::wstring logOption = L"--log=";
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        if (argument.compare(0, logOption.size(), logOption) == 0) options.logPath = argument.substr(logOption.size());
        if (argument == L"--ignore-close") options.ignoreClose = true;
    }
    LocalFree(arguments);
    return options;
}

LogFile::~LogFile() {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

void LogFile::Open(const std::wstring& path) {
    if (path.empty()) return;
    file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void LogFile::Line(const std::string& text) {
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string line = text + "\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    FlushFileBuffers(file);
}

}  // namespace vondrel::tarvix
