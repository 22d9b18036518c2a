// Paths in the system's own form: folder and extension rules, and the names of a save's
// temporary files and how a left one is recognised.
#include <gtest/gtest.h>

#include "os/path.h"
#include "os/temp_file_name.h"

namespace vondrel::os {
namespace {

PathString P(const std::string& ascii) { return AsciiPathText(ascii); }

TEST(Path, FolderNameAndExtension) {
    const struct {
        std::string path;
        std::string folder;
        std::string name;
        bool xml;
    } cases[] = {
        {"points.xml", "", "points.xml", true},
        {"a/b.c/POINTS.Xml", "a/b.c/", "POINTS.Xml", true},
        {"a/points.xml.bak", "a/", "points.xml.bak", false},
        {"a.xml/points", "a.xml/", "points", false},
        {".xml", "", ".xml", true},
        {"", "", "", false},
#ifdef _WIN32
        {"C:\\data\\p.XML", "C:\\data\\", "p.XML", true},
        {"C:p.xml", "C:", "p.xml", true},
        {"\\\\?\\C:\\long\\p.xml", "\\\\?\\C:\\long\\", "p.xml", true},
#else
        {"back\\slash.xml", "", "back\\slash.xml", true},
#endif
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderOf(P(c.path)).native(), P(c.folder)) << c.path;
        EXPECT_EQ(FileNameOf(P(c.path)), P(c.name)) << c.path;
        EXPECT_EQ(HasExtension(P(c.path), ".xml"), c.xml) << c.path;
    }
}

TEST(Path, TemporaryFileNamesAreRecognisedForTheirTargetOnly) {
    const PathString target = P("points.xml");
    EXPECT_EQ(TempFileName(target, 123, "abc123"), P(".~points.xml.vondrel-123-abc123.tmp"));
    const struct {
        std::string name;
        bool ofTarget;
    } cases[] = {
        {".~points.xml.vondrel-123-abc123.tmp", true},
        {".~points.xml.vondrel-4294967295-zzzzzz.tmp", true},
        {".~other.xml.vondrel-123-abc123.tmp", false},
        {".~points.xml.vondrel--abc123.tmp", false},
        {".~points.xml.vondrel-12x-abc123.tmp", false},
        {".~points.xml.vondrel-123-abc1234.tmp", false},
        {".~points.xml.vondrel-123-abc123.xml", false},
        {"points.xml", false},
        {".~points.xml.vondrel-123-abc123.tmp.bak", false},
    };
    for (const auto& c : cases) {
        unsigned long pid = 0;
        EXPECT_EQ(IsTempFileOf(P(c.name), target, pid), c.ofTarget) << c.name;
        if (c.ofTarget) {
            EXPECT_NE(pid, 0u) << c.name;
        }
    }
    // A long name is cut (at a character's start) so the temporary name stays short enough.
    PathString longName(99, PathChar('n'));
#ifdef _WIN32
    longName += L"\U0001F5FA.xml";  // a surrogate pair across the cut
#else
    longName += "\xE3\x81\x82.xml";  // あ in UTF-8 across the cut
#endif
    longName += PathString(200, PathChar('x'));
    const PathString temp = TempFileName(longName, 4294967295u, "abcdef");
    EXPECT_LE(temp.size(), 140u);
    EXPECT_EQ(temp.substr(0, 2 + 99 + 9), P(".~") + PathString(99, PathChar('n')) + P(".vondrel-"));
    unsigned long pid = 0;
    EXPECT_TRUE(IsTempFileOf(temp, longName, pid));
    EXPECT_EQ(pid, 4294967295u);
}

}  // namespace
}  // namespace vondrel::os
