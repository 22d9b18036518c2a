// The Win32 layer against the real system: the settings key's fallback from the machine to
// the user hive, the resource ids' uniqueness within each dialog, and the report of an exception
// that escapes a dialog's handler.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>

#include <stdexcept>

#include "gui/gui_harness.h"
#include "resource.h"
#include "win/dialog.h"
#include "win/registry.h"
#include "os/win32_text.h"

namespace vondrel {
namespace {

TEST(WinLayer, SettingsFallBackToTheUserHiveWhenTheMachineKeyCannotBeWritten) {
    const std::string path = "SOFTWARE\\Zarn\\VondrelFallbackTest";
    // An invalid root stands for a machine hive the user may not write to.
    const win::RegistrySettings settings(path, {reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)), HKEY_CURRENT_USER});
    settings.WriteStringValue("MapObject", "ProAtlasSV.Map");
    settings.WriteDwordValue("o-cnt", 7);
    EXPECT_EQ(settings.LastRoot(), HKEY_CURRENT_USER);
    EXPECT_EQ(settings.ReadStringValue("MapObject"), "ProAtlasSV.Map");
    EXPECT_EQ(settings.ReadDwordValue("o-cnt"), 7u);
    const win::RegistrySettings userOnly(path, {HKEY_CURRENT_USER});
    EXPECT_EQ(userOnly.ReadStringValue("MapObject"), "ProAtlasSV.Map");
    settings.DeleteValue("MapObject");
    EXPECT_EQ(settings.ReadStringValue("MapObject"), "");
    EXPECT_EQ(settings.ReadStringValue("missing"), "");
    EXPECT_EQ(settings.ReadDwordValue("missing"), 0u);
    // Long and Japanese names and values are kept whole.
    const std::string longName(300, 'N');
    const std::string longValue = std::string(400, 'v') + "地図";
    settings.WriteStringValue(longName, longValue);
    EXPECT_EQ(settings.ReadStringValue(longName), longValue);
    RegDeleteTreeW(HKEY_CURRENT_USER, os::ToWide(path).c_str());
}

TEST(WinLayer, ResourceIdsAreUniqueWithinEachBlock) {
    std::ifstream header(VONDREL_RESOURCE_HEADER);
    ASSERT_TRUE(header.good());
    const std::regex define(R"(^#define\s+(\w+)\s+(\d+))");
    std::map<std::string, std::set<long>> valuesPerBlock;
    std::string block = "start";
    for (std::string line; std::getline(header, line);) {
        if (line.rfind("//", 0) == 0) block = line;  // each block starts with its comment
        std::smatch match;
        if (!std::regex_search(line, match, define)) continue;
        const long value = std::stol(match[2]);
        EXPECT_TRUE(valuesPerBlock[block].insert(value).second) << match[1] << " repeats " << value << " in " << block;
    }
    EXPECT_GT(valuesPerBlock.size(), 4u);
}

// A dialog whose OK button throws, and which records what it is asked to report.
class ThrowingDialog : public win::Dialog {
public:
    ThrowingDialog() : Dialog(IDD_ABOUT) { OnCommand(IDOK, &ThrowingDialog::Fail); }
    std::vector<std::string> reported;

private:
    void Fail() { throw std::runtime_error("the handler failed"); }
    void ReportError(const std::string& text) override { reported.push_back(text); }
};

TEST(WinLayer, AnExceptionThatEscapesAHandlerIsReportedAfterTheMessage) {
    ThrowingDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    dialog.Self().Send(WM_COMMAND, IDOK);
    EXPECT_TRUE(dialog.reported.empty()) << "not inside the message that failed";
    test::Pump();
    ASSERT_EQ(dialog.reported.size(), 1u);
    EXPECT_NE(dialog.reported[0].find("the handler failed"), std::string::npos) << dialog.reported[0];
    dialog.End(IDCANCEL);
}

}  // namespace
}  // namespace vondrel
