// vondrel-cli command logic: output contract, exit codes and field escaping.
#include <gtest/gtest.h>

#include "cli/cli_app.h"
#include "support/temp_dir.h"

namespace vondrel::cli {
namespace {

const char kListHeader[] = "index\tname\treading\tlon\tlat\tlon_dms\tlat_dms\tmark\tsound\tdcenter\tdirection\ttel\toutmost\n";

int RunArgs(std::vector<std::string> args, Output& output) { return Run(args, output); }

TEST(Cli, ListPrintsEveryPointWithDisplayForms) {
    test::TempDir dir;
    std::string bytes;
    for (int i = 0; i < 250; ++i) {
        bytes += "<gpoi><nb>P" + std::to_string(i) + "</nb><lat>35.12345</lat><lon>139.50431</lon>"
                 "<category vendor=\"Kenwood.HDD-NAVI\">0000310A</category><dcenter>100</dcenter>"
                 "<contact href=\"tel:03\"/></gpoi>\n";
    }
    test::WriteFileBytes(dir.Path("p.xml"), bytes);
    Output output;
    EXPECT_EQ(RunArgs({"list", dir.Path("p.xml")}, output), 0);
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
    EXPECT_EQ(RunArgs({"list", dir.Path("plan.txt")}, output), 1);
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(output.err, dir.Path("plan.txt") + "\n    は認識できないファイルです\n");
    Output missing;
    EXPECT_EQ(RunArgs({"list", dir.Path("none.xml")}, missing), 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "\"" + dir.Path("none.xml") + "\"\n\nファイル未定義\n");
}

TEST(Cli, CopyWritesTheEditorsBytesEvenWithoutPoints) {
    test::TempDir dir;
    test::WriteFileBytes(dir.Path("in.xml"), "<gpoi><nb>A</nb></gpoi>");
    test::WriteFileBytes(dir.Path("empty.xml"), "");
    Output output;
    EXPECT_EQ(RunArgs({"copy", dir.Path("in.xml"), dir.Path("out.xml")}, output), 0);
    EXPECT_NE(test::ReadFileBytes(dir.Path("out.xml")).find("\t\t\t\t<nb>A</nb>\r\n"), std::string::npos);
    EXPECT_EQ(RunArgs({"copy", dir.Path("empty.xml"), dir.Path("out2.xml")}, output), 0);
    EXPECT_NE(test::ReadFileBytes(dir.Path("out2.xml")).find("\r\n\r\n</glorie>\r\n"), std::string::npos);
    Output failed;
    EXPECT_EQ(RunArgs({"copy", dir.Path("in.xml"), dir.Path("no/such/out.xml")}, failed), 1);
    EXPECT_NE(failed.err.find("不正パス"), std::string::npos);
}

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
    const std::vector<std::vector<std::string>> bad = {
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
    std::vector<std::string> args = {"list", "--encoding=cp932", "a.xml"};
    Encoding encoding = Encoding::Utf8;
    std::string error;
    EXPECT_TRUE(TakeEncoding(args, encoding, error));
    EXPECT_EQ(encoding, Encoding::Cp932);
    EXPECT_EQ(args, (std::vector<std::string>{"list", "a.xml"}));
    std::vector<std::string> bad = {"--encoding=latin1", "list", "a.xml"};
    EXPECT_FALSE(TakeEncoding(bad, encoding, error));
}

}  // namespace
}  // namespace vondrel::cli
