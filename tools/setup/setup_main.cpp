// The setup helper: the checks and removals the installer and the uninstaller ask of it, and,
// started with anything else, the uninstaller users run (uninstall.exe, uninstall_launcher.cpp).
//   --running                 exit 1 while a Vondrel.exe or Tarvix2.exe process runs, else 0
//   --ours FOLDER             exit 0 when FOLDER holds our uninstaller (an install of ours), else 1
//   --foreign FOLDER NAME...  prints the NAMEs in FOLDER that an install must not overwrite; exit 1 if any
//   --record FOLDER NAME...   records the NAMEs as installed in FOLDER; exit 1 when that failed
//   --remove FOLDER           removes the unchanged installed files; prints those that could not be
//                             removed, a line each (exit 2), else those kept as changed (exit 0)
//   --remove-cache FOLDER     removes the tile cache below FOLDER (%LOCALAPPDATA%\Vondrel); exit:
//                             the number of entries left there (not the map's), at most 255
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "setup/install_record.h"
#include "setup/tile_cache_removal.h"
#include "setup/uninstall_launcher.h"
#include "os/win32_owned.h"

namespace {

using vondrel::setup::RemoveInstalled;

void Print(const std::vector<std::string>& names, const char* separator = "\r\n") {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : separator) + name;
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// A process of the editor or the map runs (whatever window it has, or none).
bool ProgramRuns() {
    const vondrel::os::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return true;  // unknown: as if it ran
    PROCESSENTRY32W process{};
    process.dwSize = sizeof process;
    for (BOOL more = Process32FirstW(snapshot.Get(), &process); more; more = Process32NextW(snapshot.Get(), &process)) {
        if (lstrcmpiW(process.szExeFile, L"Vondrel.exe") == 0 || lstrcmpiW(process.szExeFile, L"Tarvix2.exe") == 0) {
            return true;
        }
    }
    return false;
}

// The names given after the folder, in ASCII (the installed files' names are).
std::vector<std::string> Names(int argc, wchar_t** argv) {
    std::vector<std::string> names;
    for (int i = 3; i < argc; ++i) {
        std::string name;
        for (const wchar_t* c = argv[i]; *c; ++c) name += *c < 0x80 ? static_cast<char>(*c) : '?';
        names.push_back(name);
    }
    return names;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"--running") return ProgramRuns() ? 1 : 0;
    if (argc >= 3 && verb.rfind(L"--", 0) == 0) {
        const vondrel::os::Path folder(argv[2]);
        if (verb == L"--ours") return vondrel::setup::HoldsOurUninstaller(folder) ? 0 : 1;
        if (verb == L"--foreign") {
            const std::vector<std::string> foreign = vondrel::setup::ForeignFiles(folder, Names(argc, argv));
            Print(foreign);
            return foreign.empty() ? 0 : 1;
        }
        if (verb == L"--record") return vondrel::setup::RecordInstalled(folder, Names(argc, argv)) ? 0 : 1;
        if (verb == L"--remove") {
            const vondrel::setup::Removal removal = RemoveInstalled(folder);
            if (!removal.failed.empty()) {
                Print(removal.failed);
                return 2;
            }
            Print(removal.kept, ", ");
            return 0;
        }
        if (verb == L"--remove-cache") return std::min(vondrel::setup::RemoveTileCache(folder).left, 255);
    }
    return vondrel::setup::RunUninstaller();
}
