// Double-byte characters are never split or matched from their second byte.
#include <gtest/gtest.h>

#include "core/cp932.h"

namespace vondrel::cp932 {
namespace {

// "表" is 0x95 0x5C: its second byte is a backslash. "ソ" is 0x83 0x5C. "ｱ" is a single byte.
const std::string kHyou = "\x95\x5C";

TEST(Cp932, LeadByteIsJudgedInContext) {
    const std::string text = "A" + kHyou + "\x95\x95" "B";  // A 表 (0x95 0x95) B
    EXPECT_FALSE(IsLeadByteAt(text, 0));
    EXPECT_TRUE(IsLeadByteAt(text, 1));
    EXPECT_FALSE(IsLeadByteAt(text, 2));
    EXPECT_TRUE(IsTrailByteAt(text, 2));
    EXPECT_TRUE(IsLeadByteAt(text, 3));
    EXPECT_FALSE(IsLeadByteAt(text, 4));  // second byte in the lead range is not a lead byte
    EXPECT_TRUE(IsTrailByteAt(text, 4));
    EXPECT_FALSE(IsLeadByteAt(text, 5));
}

TEST(Cp932, HalfWidthKatakanaIsSingleByte) {
    EXPECT_FALSE(IsLeadByte(0xB1));
    EXPECT_FALSE(IsLeadByte(0xA0));
    EXPECT_TRUE(IsLeadByte(0x81));
    EXPECT_TRUE(IsLeadByte(0x9F));
    EXPECT_TRUE(IsLeadByte(0xE0));
    EXPECT_TRUE(IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte(0xFD));
}

TEST(Cp932, FindNeverMatchesFromASecondByte) {
    // 0x83 0x69 is "ン"-range text whose second byte is 'i'; "id=" must not match there.
    const std::string text = "\x83" "id=\"1\" id=\"2\"";
    EXPECT_EQ(Find(text, "id="), 8u);
    EXPECT_EQ(Find(kHyou + "\\", "\\"), 2u);
    EXPECT_EQ(Find("abc", "x"), std::string::npos);
    EXPECT_EQ(Find("abcabc", "bc", 2), 4u);
}

TEST(Cp932, TruncateKeepsWholeCharacters) {
    const std::string fifteenAscii(15, 'a');
    EXPECT_EQ(TruncateAtCharBoundary(fifteenAscii + kHyou, 16), fifteenAscii);
    EXPECT_EQ(TruncateAtCharBoundary(fifteenAscii + "b" + kHyou, 16), fifteenAscii + "b");
    EXPECT_EQ(TruncateAtCharBoundary("abc", 16), "abc");
    EXPECT_EQ(TruncateAtCharBoundary(kHyou + kHyou + kHyou, 5), kHyou + kHyou);
}

}  // namespace
}  // namespace vondrel::cp932
