// Path splitting and the .xml extension test.
#include <gtest/gtest.h>

#include "core/path_text.h"

namespace vondrel {
namespace {

TEST(PathText, Split) {
    const struct {
        const char* path;
        const char* drive;
        const char* folder;
        const char* base;
        const char* ext;
    } cases[] = {
        {"C:\\data\\points.xml", "C:", "\\data\\", "points", ".xml"},
        {"points.xml.bak", "", "", "points.xml", ".bak"},
        {"points", "", "", "points", ""},
        {"dir.xml\\points", "", "dir.xml\\", "points", ""},
        {"/home/u/a.b/c.XML", "", "/home/u/a.b/", "c", ".XML"},
        {"C:plan.txt", "C:", "", "plan", ".txt"},
        {"", "", "", "", ""},
        // 表 ends in 0x5C: it is not a folder separator.
        {"\x95\x5C.xml", "", "", "\x95\x5C", ".xml"},
        {"D:\\\x95\x5C\\a.xml", "D:", "\\\x95\x5C\\", "a", ".xml"},
    };
    for (const auto& c : cases) {
        const PathParts parts = SplitPath(c.path);
        EXPECT_EQ(parts.drive, c.drive) << c.path;
        EXPECT_EQ(parts.folder, c.folder) << c.path;
        EXPECT_EQ(parts.baseName, c.base) << c.path;
        EXPECT_EQ(parts.extension, c.ext) << c.path;
    }
}

TEST(PathText, XmlExtensionInAnyCase) {
    for (const char* yes : {"points.xml", "points.Xml", "POINTS.XML", "a.b.xml", "C:\\x\\.xml"}) {
        EXPECT_TRUE(HasXmlExtension(yes)) << yes;
    }
    for (const char* no : {"points.txt", "points.xml.bak", "points", "dir.xml/points", "points.xmlx", ""}) {
        EXPECT_FALSE(HasXmlExtension(no)) << no;
    }
}

}  // namespace
}  // namespace vondrel
