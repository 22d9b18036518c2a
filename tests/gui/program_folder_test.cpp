// The companion files come from the program's own folder: a Tarvix2.exe and mark icons planted
// in the current folder (a data folder anyone may write to) are neither found nor run.
#include <gtest/gtest.h>

#include <filesystem>

#include "gui/gui_harness.h"
#include "mapbridge/bridge_client.h"
#include "os/file_io.h"
#include "resource.h"
#include "support/temp_dir.h"
#include "win/program_folder.h"

namespace vondrel {
namespace {

using test::MainWindow;

class ProgramFolder : public ::testing::Test {
protected:
    // The current folder holds a mark01.ico that is mark 2's picture and a copy of the real
    // Tarvix2.exe, so a wrong launch would show in the running program's path.
    void SetUp() override {
        std::filesystem::create_directory(planted);
        std::filesystem::copy_file(program / L"mark02.ico", planted / L"mark01.ico");
        std::filesystem::copy_file(program / L"Tarvix2.exe", planted / L"Tarvix2.exe");
        SetEnvironmentVariableW(L"TARVIX_LOG", (dir.RootPath() / L"bridge.log").c_str());
        SetCurrentDirectoryW(planted.c_str());
    }
    void TearDown() override {
        SetCurrentDirectoryW(original.c_str());
        SetEnvironmentVariableW(L"TARVIX_LOG", nullptr);
    }
    const os::Path program = win::ProgramFolder();
    const os::Path original = os::CurrentDirectory();
    test::TempDir dir;
    const os::Path planted = dir.File("data");
};

TEST_F(ProgramFolder, PlantedMarksAreNotUsed) {
    MainWindow window("");
    const HIMAGELIST large = ListView_GetImageList(window.MainList().Hwnd(), LVSIL_NORMAL);
    EXPECT_EQ(ListView_GetImageList(window.ImportList().Hwnd(), LVSIL_NORMAL), large) << "both lists show them";
    EXPECT_NE(test::ImagePixels(large, 0, 32), test::ImagePixels(large, 1, 32)) << "mark 1 is the program folder's";
}

TEST_F(ProgramFolder, ThePlantedBridgeIsNeitherFoundNorRun) {
    EXPECT_EQ(BridgeClient::ProgramPath(), program / L"Tarvix2.exe");
    MainWindow window("");
    EXPECT_TRUE(window->Item(IDC_MAIN_SHOW_MAP).IsEnabled()) << "found beside the program";
    window->Self().Send(WM_COMMAND, IDC_MAIN_SHOW_MAP);
    HWND bridge = nullptr;
    for (int i = 0; i < 500 && !bridge; ++i, Sleep(20)) {
        test::Pump();
        bridge = FindWindowW(nullptr, L"Tarvix");
    }
    ASSERT_NE(bridge, nullptr) << "the bridge started";
    DWORD id = 0;
    GetWindowThreadProcessId(bridge, &id);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    ASSERT_NE(process, nullptr);
    wchar_t image[4 * MAX_PATH];
    DWORD length = 4 * MAX_PATH;
    ASSERT_TRUE(QueryFullProcessImageNameW(process, 0, image, &length));
    CloseHandle(process);
    EXPECT_TRUE(std::filesystem::equivalent(os::Path(image), program / L"Tarvix2.exe")) << os::DisplayPath(image);
}

// Vondrel.exe alone in a folder of its own, started with points.xml in the data folder; closed
// when the test is done with it.
class AloneProgram {
public:
    AloneProgram(const os::Path& program, const os::Path& alone, const os::Path& dataFolder) {
        std::filesystem::create_directory(alone);
        std::filesystem::copy_file(program / L"Vondrel.exe", alone / L"Vondrel.exe", std::filesystem::copy_options::skip_existing);
        test::WriteFileBytes(dataFolder / L"points.xml", test::PointFileBytes({"P"}));
        std::wstring commandLine = L"\"" + (alone / L"Vondrel.exe").native() + L"\" points.xml";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW((alone / L"Vondrel.exe").c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            dataFolder.c_str(), &startup, &started)) {
            return;
        }
        for (int i = 0; i < 300 && !window; ++i, Sleep(50)) {
            HWND found = FindWindowW(nullptr, L"Kestrova");
            DWORD owner = 0;
            if (found) GetWindowThreadProcessId(found, &owner);
            if (owner == started.dwProcessId && IsWindowVisible(found)) window = found;
        }
    }
    ~AloneProgram() {
        if (window) PostMessageW(window, WM_CLOSE, 0, 0);
        if (!started.hProcess) return;
        if (WaitForSingleObject(started.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(started.hProcess, 1);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    bool MapEnabled() const { return IsWindowEnabled(GetDlgItem(window, IDC_MAIN_SHOW_MAP)) != FALSE; }
    HWND window = nullptr;

private:
    PROCESS_INFORMATION started{};
};

TEST_F(ProgramFolder, AProgramWithoutItsBridgeRunsNoPlantedOne) {
    // The program's own folder has neither Tarvix2.exe nor TarvixLink.exe; a search by bare name
    // would find those planted in the data folder.
    const os::Path alone = dir.File("program");
    std::filesystem::remove(planted / L"Tarvix2.exe");
    test::WriteFileBytes(planted / L"TarvixLink.exe", "MZ");
    {
        // A click on a row enables the map button only where a TarvixLink.exe stands beside the program.
        AloneProgram vondrel(program, alone, planted);
        ASSERT_NE(vondrel.window, nullptr);
        EXPECT_FALSE(vondrel.MapEnabled());
        const HWND list = GetDlgItem(vondrel.window, IDC_MAIN_POINTS);
        PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 28));
        PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(30, 28));
        for (int i = 0; i < 100 && SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) != 0; ++i) Sleep(20);
        ASSERT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0) << "the row was clicked";
        Sleep(200);
        EXPECT_FALSE(vondrel.MapEnabled()) << "the planted TarvixLink.exe is not looked at";
    }
    std::filesystem::copy_file(program / L"Tarvix2.exe", planted / L"Tarvix2.exe");
    {
        // The map command starts nothing.
        AloneProgram vondrel(program, alone, planted);
        ASSERT_NE(vondrel.window, nullptr);
        EXPECT_FALSE(vondrel.MapEnabled());
        PostMessageW(vondrel.window, WM_COMMAND, IDC_MAIN_SHOW_MAP, 0);
        Sleep(1500);
        EXPECT_EQ(FindWindowW(nullptr, L"Tarvix"), nullptr) << "no bridge runs";
        EXPECT_FALSE(std::filesystem::exists(dir.RootPath() / L"bridge.log"));
    }
}

}  // namespace
}  // namespace vondrel
