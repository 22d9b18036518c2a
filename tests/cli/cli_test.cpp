// vondrel-cli command logic: output contract, exit codes and field escaping.
#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "cli/cli_app.h"
#include "os/file_io.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"

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
    EXPECT_NE(output.err.find("ファイルが壊れているか途中で切れています。"), std::string::npos) << "a point without a position";
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
    for (int i = 0; i < 701; ++i) bytes += "<gpoi><nb>P" + std::to_string(i) + "</nb><lat>35</lat><lon>139</lon></gpoi>\n";
    test::WriteFileBytes(dir.File("in.xml"), bytes);
    Output output;
    EXPECT_EQ(RunArgs({"copy", dir.File("in.xml"), dir.File("out.xml")}, output), 0);
    EXPECT_EQ(output.err, "\"" + os::DisplayPath(dir.File("in.xml")) + "\"\n\n先頭の700地点を読み込みました（残りは読み込んでいません）\n");
    EXPECT_EQ(test::ReadFileBytes(dir.File("out.xml")).find("<nb>P700</nb>"), std::string::npos);
    EXPECT_EQ(RunArgs({"copy", dir.File("in.xml"), dir.File("in.xml")}, output), 1) << "over the file read: only when forced";
    EXPECT_NE(output.err.find("このファイルの 701 番目以降の 1 地点は読み込まれていません。上書きすると失われます。\n"), std::string::npos);
    EXPECT_EQ(RunArgs({"copy", "--force", dir.File("in.xml"), dir.File("in.xml")}, output), 0);
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

// import: the file's points shifted to the Tokyo datum (or not) and stored as the editor stores
// points dragged in; one line per warning; a refused input leaves OUT as it was (or absent).
TEST(Cli, ImportWritesTheEditorsPointsOrNothing) {
    const std::string gpx = u8"<gpx version=\"1.1\"><wpt lat=\"35.71476\" lon=\"139.79664\"><name>雷門</name></wpt></gpx>";
    std::string many = "name,lat,lon\n";
    for (int i = 0; i < 701; ++i) many += "P" + std::to_string(i) + ",35.5,139.5\n";
    const struct {
        const char* in;
        std::string bytes;
        std::vector<const char*> options;
        int code;
        std::vector<std::string> found;  // in OUT; for a refusal, in the error output
        std::string err;                 // the whole error output, when the run is not refused
    } cases[] = {
        {"walk.gpx", gpx, {}, 0, {"<lat>35.71152</lat>", "<lon>139.79988</lon>", "<nb>雷門</nb>"}, ""},
        {"WALK.GPX", gpx, {"--datum=tokyo"}, 0, {"<lat>35.71476</lat>", "<lon>139.79664</lon>"}, ""},
        {"walk.kmz", test::MakeZip({{"doc.kml", u8"<kml><Placemark><name>門</name><Point><coordinates>139.79664,35.71476</coordinates></Point></Placemark></kml>"}}),
         {"--datum=wgs84"}, 0, {"<lat>35.71152</lat>"}, ""},
        {"book.csv", u8"\uFEFF名称,読み仮名,緯度,経度,電話番号\n東京スカイツリー展望デッキ,すかいつりー,35.71007,139.8107,03-1\n", {}, 0,
         {"<nb>東京スカイツリー</nb>", "<rt>すかいつりー</rt>", "tel:03-1"}, "名称が16バイトを超え、切り詰められる地点 (1 件): 東京スカイツリー展望デッキ\n"},
        {"many.csv", many, {"--datum=tokyo"}, 0, {"<nb>P699</nb>", "<lat>35.50000</lat>"}, "701 地点のうち最初の 700 地点だけを読み込みました\n"},
        {"plain.xml", "<gpoi><nb>A</nb><lat>35.5</lat><lon>139.5</lon></gpoi>", {}, 0, {"<nb>A</nb>"}, ""},
        {"page.gpx", "<html>", {}, 1, {"GPX ファイルとして読めません"}, ""},
        {"empty.gpx", "<gpx version=\"1.1\"></gpx>", {}, 1, {"地点がありません"}, ""},
        {"nolat.csv", "name,lon\nA,139.5\n", {}, 1, {"緯度 (lat)"}, ""},
        {"broken.kmz", "PK\x03\x04 broken", {}, 1, {"KMZ ファイルとして読めません"}, ""},
        {"none.xml", "<glorie></glorie>", {}, 1, {"地点がありません"}, ""},
        {"notes.doc", "name,lat,lon\nA,35,139\n", {}, 1, {"認識できないファイル"}, ""},
        // Points without a position are left out and named; none with one writes nothing.
        {"places.kml", "<kml><Placemark><name>B</name><address>x</address></Placemark><Placemark><name>A</name><Point>"
         "<coordinates>139.79664,35.71476</coordinates></Point></Placemark></kml>", {}, 0, {"<nb>A</nb>"},
         "位置がないため書き込まなかった地点 (1 件): B\n"},
        {"unplaced.kml", "<kml><Placemark><name>B</name><address>x</address></Placemark></kml>", {}, 1, {"B\n", "位置のある地点がありません"}, ""},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        test::WriteFileBytes(dir.File(c.in), c.bytes);
        test::WriteFileBytes(dir.File("kept.xml"), "old");
        for (const os::Path& out : {dir.File("out.xml"), dir.File("kept.xml")}) {
            std::vector<Arg> args = {"import"};
            for (const char* option : c.options) args.push_back(option);
            args.push_back(dir.File(c.in));
            args.push_back(out);
            Output output;
            ASSERT_EQ(RunArgs(args, output), c.code) << c.in << ": " << output.err;
            EXPECT_EQ(output.out, "");
            if (c.code != 0) {
                for (const std::string& text : c.found) EXPECT_NE(output.err.find(text), std::string::npos) << c.in << ": " << output.err;
                EXPECT_EQ(std::filesystem::exists(dir.File("out.xml")), false) << c.in;
                EXPECT_EQ(test::ReadFileBytes(dir.File("kept.xml")), "old") << c.in;
                continue;
            }
            EXPECT_EQ(output.err, c.err) << c.in;
            const std::string written = test::ReadFileBytes(out);
            for (const std::string& text : c.found) EXPECT_NE(written.find(text), std::string::npos) << c.in << ": " << text;
        }
    }
}

// Messages naming points by texts code page 932 lacks show them as written in UTF-8, with "?" in cp932.
TEST(Cli, ErrorOutputKeepsTextsCodePage932Lacks) {
    std::string err = "A\n";
    AppendUtf8(err, u8"東京\n");
    EXPECT_EQ(err, "A\n東京\n");
    AppendUtf8(err, u8"Händel\n");
    EXPECT_EQ(Encoded(err, Encoding::Utf8), std::string(u8"A\n東京\n") + "H\xC3\xA4ndel\n");
    EXPECT_EQ(Encoded(err, Encoding::Cp932), "A\n東京\nH?ndel\n");
}

// import and export write over the file they read only when forced (an import of a file over
// itself cut it to 700 points, exit 0); a hard link is the same file under another name.
TEST(Cli, ImportAndExportKeepTheirInputUnlessForced) {
    test::TempDir dir;
    std::string many;
    for (int i = 0; i < 701; ++i) many += "<gpoi><nb>P" + std::to_string(i) + "</nb><lat>35</lat><lon>139</lon></gpoi>\n";
    test::WriteFileBytes(dir.File("in.xml"), many);
    test::WriteFileBytes(dir.File("in.gpx"), "<gpx version=\"1.1\"><wpt lat=\"35.7\" lon=\"139.8\"><name>A</name></wpt></gpx>");
    std::filesystem::create_hard_link(dir.File("in.xml"), dir.File("link.gpx"));
    for (std::vector<Arg> args : std::vector<std::vector<Arg>>{{"export", dir.File("in.xml"), dir.File("link.gpx")},
                                                               {"import", dir.File("in.gpx"), dir.File("in.gpx")},
                                                               {"import", dir.File("in.xml"), dir.File("in.xml")}}) {
        const std::string before = test::ReadFileBytes(args.back().path);
        Output refused;
        EXPECT_EQ(RunArgs(args, refused), 1) << args.back().text;
        EXPECT_NE(refused.err.find("vondrel-cli: not written over the file read (--force writes it)\n"), std::string::npos);
        EXPECT_TRUE(test::ReadFileBytes(args.back().path) == before) << args.back().text;
        args.insert(args.begin() + 1, "--force");
        Output forced;
        EXPECT_EQ(RunArgs(args, forced), 0) << forced.err;
        EXPECT_FALSE(test::ReadFileBytes(args.back().path) == before) << args.back().text;
    }
}

// export: GPX, KML or CSV by OUT's extension, on WGS 84 unless told; refusals keep OUT.
TEST(Cli, ExportWritesByExtension) {
    const struct {
        const char* out;
        std::vector<const char*> options;
        int code;
        std::string found;
    } cases[] = {
        {"p.gpx", {}, 0, "<wpt lat=\"35.7147564\" lon=\"139.7966420\">"},
        {"P.KML", {}, 0, "<coordinates>139.7966420,35.7147564</coordinates>"},
        {"p.csv", {"--datum=tokyo"}, 0, "\xEF\xBB\xBFname,reading,lat,lon,tel,mark,sound,direction\r\n" + std::string(u8"雷門") + ",,35.7115200,139.7998800,"},
        {"p.txt", {}, 2, "gpx"},
        {"q.gpx", {"--datum=mars"}, 2, "usage:"},
    };
    test::TempDir dir;
    test::WriteFileBytes(dir.File("in.xml"), "<gpoi><nb>雷門</nb><lat>35.71152</lat><lon>139.79988</lon></gpoi>");
    for (const auto& c : cases) {
        std::vector<Arg> args = {"export"};
        for (const char* option : c.options) args.push_back(option);
        args.push_back(dir.File("in.xml"));
        args.push_back(dir.File(c.out));
        Output output;
        ASSERT_EQ(RunArgs(args, output), c.code) << c.out << ": " << output.err;
        if (c.code == 0) {
            EXPECT_EQ(output.err, "");
            EXPECT_NE(test::ReadFileBytes(dir.File(c.out)).find(c.found), std::string::npos) << c.out;
        } else {
            EXPECT_NE(output.err.find(c.found), std::string::npos) << output.err;
            EXPECT_FALSE(std::filesystem::exists(dir.File(c.out))) << c.out;
        }
    }
    // Unreadable input and a failed write: the message, exit 1, the old file kept.
    test::WriteFileBytes(dir.File("old.gpx"), "old");
    Output refused;
    EXPECT_EQ(RunArgs({"export", dir.File("in.txt"), dir.File("old.gpx")}, refused), 1);
    EXPECT_NE(refused.err.find("認識できないファイル"), std::string::npos);
    std::filesystem::create_directory(dir.File("folder.gpx"));
    Output failed;
    EXPECT_EQ(RunArgs({"export", dir.File("in.xml"), dir.File("folder.gpx")}, failed), 1);
    EXPECT_NE(failed.err.find("folder.gpx"), std::string::npos) << failed.err;
    EXPECT_EQ(test::ReadFileBytes(dir.File("old.gpx")), "old");
}

TEST(Cli, CoordAndDms) {
    Output output;
    EXPECT_EQ(RunArgs({"coord", "lon", "139.30.15.5", ""}, output), 0);
    EXPECT_EQ(output.out, "139.50431\t139.30.15.516\n.00000\t000.00.00.000\n");
    Output lat;
    EXPECT_EQ(RunArgs({"coord", "--unchecked", "lat", " 35.07.24.420", "-35.30"}, lat), 0);
    EXPECT_EQ(lat.out, "35.12345\t 35.07.24.420\n34.50000\t 34.30.00.000\n");
    EXPECT_EQ(RunArgs({"coord", "lat", "35.30", "35.681236"}, lat), 1) << "refused as the edit dialog refuses it";
    EXPECT_EQ(lat.err, "35.681236: 北緯の分は 0～59 です。\n度.分.秒.ミリ秒 の形で入力してください（例 35.39.31.140）。\n");
    Output dms;
    EXPECT_EQ(RunArgs({"dms", "lat", "35.12345", "x"}, dms), 0);
    EXPECT_EQ(dms.out, " 35.07.24.420\n 00.00.00.000\n");
}

TEST(Cli, UsageErrors) {
    const std::vector<std::vector<Arg>> bad = {
        {}, {"list"}, {"list", "a", "b"}, {"copy", "a"}, {"coord", "lon"}, {"coord", "x", "1"}, {"dms"}, {"frob"},
        {"list", "--bogus", "a.xml"}, {"import", "a.gpx"}, {"export", "a.xml", "b.gpx", "c"},
        {"list", "--datum=tokyo", "a.xml"}, {"import", "--datum=bessel", "a.gpx", "b.xml"}};
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
