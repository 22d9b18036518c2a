// vondrel-cli command logic: output contract, exit codes and field escaping.
#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "cli/cli_app.h"
#include "os/file_io.h"
#include "support/temp_dir.h"

namespace vondrel::cli {
namespace {

const char kListHeader[] = "index\tname\treading\tlon\tlat\tlon_dms\tlat_dms\tmark\tsound\tdcenter\tdirection\ttel\toutmost\n";

// A text argument (ASCII or code page 932) or a file argument.
struct Arg : Argument {
    Arg(const char* text) : Argument{text, test::PathOf(text), true} {}
    Arg(const std::string& text) : Argument{text, test::PathOf(text), true} {}
    Arg(const os::Path& path) : Argument{os::DisplayPath(path), path, true} {}
};

int RunArgs(const std::vector<Arg>& args, Output& output) {
    return cli::Run(std::vector<Argument>(args.begin(), args.end()), output);
}

TEST(Cli, ListPrintsEveryPointWithDisplayForms) {
    test::TempDir dir;
    std::string bytes;
    for (int i = 0; i < 250; ++i) {
        bytes += "<gpoi><nb>P" + std::to_string(i) + "</nb><lat>35.12345</lat><lon>139.50431</lon>"
                 "<category vendor=\"Kenwood.HDD-NAVI\">0000310A</category><dcenter>100</dcenter>"
                 "<contact href=\"tel:03\"/></gpoi>\n";
    }
    test::WriteFileBytes(dir.File("p.xml"), bytes);
    Output output;
    EXPECT_EQ(RunArgs({"list", dir.File("p.xml")}, output), 0);
    EXPECT_EQ(output.err, "");
    const std::string firstRow = "0\tP0\t\t139.50431\t35.12345\t139.30.15.516\t 35.07.24.420\t10\t0\t101\t1\t03\t500\n";
    EXPECT_EQ(output.out.substr(0, sizeof kListHeader - 1 + firstRow.size()), kListHeader + firstRow);
    EXPECT_NE(output.out.find("\n249\tP249\t"), std::string::npos) << "all points, not only 200";
}

TEST(Cli, ListEscapesTabsAndSingleByteBackslashes) {
    EXPECT_EQ(EscapeListField("a\tb\\c"), "a\\tb\\\\c");
    EXPECT_EQ(EscapeListField("\x95\x5C"), "\x95\x5C") << "表: its 0x5C is a second byte";
    EXPECT_EQ(EscapeListField("\x95\x5C\\"), "\x95\x5C\\\\");
    EXPECT_EQ(EscapeListField("\x81\t"), "\x81\\t") << "a TAB is never a second byte";
}

TEST(Cli, ListFailureWritesOnlyTheMessage) {
    test::TempDir dir;
    Output output;
    EXPECT_EQ(RunArgs({"list", dir.File("plan.txt")}, output), 1);
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(output.err, os::DisplayPath(dir.File("plan.txt")) + "\n    は認識できないファイルです\n");
    Output missing;
    EXPECT_EQ(RunArgs({"list", dir.File("none.xml")}, missing), 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "\"" + os::DisplayPath(dir.File("none.xml")) + "\"\n\nファイル未定義\n");
}

TEST(Cli, CopyWritesTheEditorsBytesOrNothing) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File("in.xml"), "<gpoi><nb>A</nb></gpoi>");
    test::WriteFileBytes(dir.File("none.xml"), "<glorie></glorie>");
    Output output;
    EXPECT_EQ(RunArgs({"copy", dir.File("in.xml"), dir.File("out.xml")}, output), 0);
    EXPECT_NE(test::ReadFileBytes(dir.File("out.xml")).find("\t\t\t\t<nb>A</nb>\r\n"), std::string::npos);
    EXPECT_EQ(RunArgs({"copy", dir.File("none.xml"), dir.File("out2.xml")}, output), 0) << "a point file without points";
    EXPECT_NE(test::ReadFileBytes(dir.File("out2.xml")).find("\r\n\r\n</glorie>\r\n"), std::string::npos);
    Output failed;
    EXPECT_EQ(RunArgs({"copy", dir.File("in.xml"), dir.File("no") / "such" / "out.xml"}, failed), 1);
    EXPECT_NE(failed.err.find("不正パス"), std::string::npos);
    // Bytes that are no point file: the message, exit 1, nothing written.
    for (const std::string& bytes : {std::string(), std::string("\x89PNG\r\n\x1A\n\0\0\0", 11), std::string("<html></html>")}) {
        test::WriteFileBytes(dir.File("random.xml"), bytes);
        Output refused;
        EXPECT_EQ(RunArgs({"copy", dir.File("random.xml"), dir.File("never.xml")}, refused), 1);
        EXPECT_NE(refused.err.find("地点がありません"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(dir.File("never.xml")));
    }
}

TEST(Cli, MoreThan700PointsAreCopiedWithAWarning) {
    test::TempDir dir;
    std::string bytes;
    for (int i = 0; i < 701; ++i) bytes += "<gpoi><nb>P" + std::to_string(i) + "</nb></gpoi>\n";
    test::WriteFileBytes(dir.File("in.xml"), bytes);
    Output output;
    EXPECT_EQ(RunArgs({"copy", dir.File("in.xml"), dir.File("out.xml")}, output), 0);
    EXPECT_EQ(output.err, "\"" + os::DisplayPath(dir.File("in.xml")) + "\"\n\n先頭の700地点を読み込みました（残りは読み込んでいません）\n");
    EXPECT_EQ(test::ReadFileBytes(dir.File("out.xml")).find("<nb>P700</nb>"), std::string::npos);
}

// Names with characters code page 932 lacks (Korean, an emoji) or has under another code point.
std::vector<os::Path> OwnNames(const test::TempDir& dir) {
#ifdef _WIN32
    return {dir.RootPath() / L"\uC9C0\uB3C4.xml", dir.RootPath() / L"\U0001F5FA.xml", dir.RootPath() / L"victim\u301C.xml"};
#else
    return {dir.RootPath() / "\xEC\xA7\x80\xEB\x8F\x84.xml", dir.RootPath() / "\xF0\x9F\x97\xBA.xml",
            dir.RootPath() / "victim\xE3\x80\x9C.xml"};
#endif
}

TEST(Cli, FileNamesAreUsedExactly) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File("in.xml"), "<gpoi><nb>A</nb></gpoi>");
    test::WriteFileBytes(dir.File("victim～.xml"), "old");
    for (const os::Path& name : OwnNames(dir)) {
        Output output;
        EXPECT_EQ(RunArgs({"copy", dir.File("in.xml"), name}, output), 0) << output.err;
        Output listed;
        EXPECT_EQ(RunArgs({"list", name}, listed), 0);
        EXPECT_NE(listed.out.find("\n0\tA\t"), std::string::npos);
    }
    EXPECT_EQ(test::ReadFileBytes(dir.File("victim～.xml")), "old") << "the look-alike name is another file";
}

#ifdef _WIN32
TEST(Cli, TheWindowsProgramTakesItsArgumentsInUtf16) {
    // vondrel-cli.exe stands beside the test program.
    wchar_t self[32768];
    const os::Path cli = os::FolderOf(os::Path(std::wstring(self, GetModuleFileNameW(nullptr, self, 32768)))) / L"vondrel-cli.exe";
    test::TempDir dir;
    test::WriteFileBytes(dir.File("in.xml"), "<gpoi><nb>A</nb></gpoi>");
    for (const os::Path& name : OwnNames(dir)) {
        std::wstring commandLine = L"\"" + cli.native() + L"\" copy \"" + dir.File("in.xml").native() + L"\" \"" + name.native() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(cli.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
        WaitForSingleObject(process.hProcess, 30000);
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        EXPECT_EQ(code, 0u) << os::DisplayPath(name);
        EXPECT_TRUE(std::filesystem::exists(name)) << os::DisplayPath(name);
    }
}
#endif

TEST(Cli, CoordAndDms) {
    Output output;
    EXPECT_EQ(RunArgs({"coord", "lon", "139.30.15.5", ""}, output), 0);
    EXPECT_EQ(output.out, "139.50431\t139.30.15.516\n.00000\t000.00.00.000\n");
    Output lat;
    EXPECT_EQ(RunArgs({"coord", "lat", " 35.07.24.420", "-35.30"}, lat), 0);
    EXPECT_EQ(lat.out, "35.12345\t 35.07.24.420\n34.50000\t 34.30.00.000\n");
    Output dms;
    EXPECT_EQ(RunArgs({"dms", "lat", "35.12345", "x"}, dms), 0);
    EXPECT_EQ(dms.out, " 35.07.24.420\n 00.00.00.000\n");
}

TEST(Cli, UsageErrors) {
    const std::vector<std::vector<Arg>> bad = {
        {}, {"list"}, {"list", "a", "b"}, {"copy", "a"}, {"coord", "lon"}, {"coord", "x", "1"}, {"dms"}, {"frob"},
        {"list", "--bogus", "a.xml"}};
    for (const auto& args : bad) {
        Output output;
        EXPECT_EQ(RunArgs(args, output), 2);
        EXPECT_EQ(output.out, "");
        EXPECT_NE(output.err.find("usage:"), std::string::npos);
    }
    Output help;
    EXPECT_EQ(RunArgs({"--help"}, help), 0);
    EXPECT_NE(help.out.find("usage:"), std::string::npos);
}

TEST(Cli, EncodingOption) {
    std::vector<Argument> args = {Arg("list"), Arg("--encoding=cp932"), Arg("a.xml")};
    Encoding encoding = Encoding::Utf8;
    std::string error;
    EXPECT_TRUE(TakeEncoding(args, encoding, error));
    EXPECT_EQ(encoding, Encoding::Cp932);
    ASSERT_EQ(args.size(), 2u);
    EXPECT_EQ(args[1].text, "a.xml");
    std::vector<Argument> bad = {Arg("--encoding=latin1"), Arg("list"), Arg("a.xml")};
    EXPECT_FALSE(TakeEncoding(bad, encoding, error));
}

TEST(Cli, CoordinateTextsWithoutACodePage932FormAreRefused) {
    Argument lost{"139.30?", os::Path(), false};
    Output output;
    EXPECT_EQ(cli::Run({Arg("coord"), Arg("lon"), lost}, output), 2);
    EXPECT_NE(output.err.find("no code page 932 form"), std::string::npos);
}

}  // namespace
}  // namespace vondrel::cli
