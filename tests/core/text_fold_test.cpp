// Width, kana and case folding checked against independent converters: glibc's iconv for code
// page 932 and ICU's NFKC normalisation for the width forms, over every character of the code
// page (native only).
#include <gtest/gtest.h>

#include <iconv.h>
#include <unicode/unorm2.h>

#include <optional>
#include <string>

#include "core/text_fold.h"

namespace vondrel {
namespace {

std::optional<std::string> Convert(const std::string& in, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = &out[0];
    std::size_t dstLeft = out.size();
    const std::size_t done = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - dstLeft);
    return out;
}

std::optional<std::u16string> ToUtf16(const std::string& cp932) {
    auto bytes = Convert(cp932, "CP932", "UTF-16LE");
    if (!bytes) return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(bytes->data()), bytes->size() / 2);
}

std::optional<std::string> ToCp932(const std::u16string& text) {
    return Convert(std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2), "UTF-16LE", "CP932");
}

std::u16string Nfkc(const std::u16string& text) {
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfkc = unorm2_getNFKCInstance(&status);
    std::u16string out(text.size() * 4 + 8, u'\0');
    const int32_t length = unorm2_normalize(nfkc, reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()),
                                            reinterpret_cast<UChar*>(&out[0]), static_cast<int32_t>(out.size()), &status);
    EXPECT_TRUE(U_SUCCESS(status));
    out.resize(static_cast<std::size_t>(length));
    return out;
}

bool IsWidthForm(char16_t c) { return (c >= 0xFF01 && c <= 0xFF5E) || c == 0x3000; }
bool IsKana(char16_t c) { return (c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30F6); }

// The key ICU gives: NFKC (width forms to their ordinary ones), then hiragana as katakana and
// ASCII letters in upper case; nullopt where code page 932 cannot hold the result.
std::optional<std::string> ExpectedKey(const std::string& cp932) {
    const auto text = ToUtf16(cp932);
    if (!text) return std::nullopt;
    std::u16string folded = Nfkc(*text);
    for (char16_t& c : folded) {
        if (c >= 0x3041 && c <= 0x3096) c = static_cast<char16_t>(c + 0x60);
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        if (c == 0x3099 || c == 0x309A) c = static_cast<char16_t>(c + 2);  // a mark left alone: its spacing form
    }
    return ToCp932(folded);
}

// The reading Hiragana gives: ICU's NFKC of `text`, each katakana (ヽヾ too) then as hiragana
// where code page 932 has one; nullopt where code page 932 cannot hold the result.
std::optional<std::string> ExpectedHiragana(const std::u16string& text) {
    std::string out;
    for (char16_t c : Nfkc(text)) {
        if (c == 0x3099 || c == 0x309A) c = static_cast<char16_t>(c + 2);
        const bool katakana = (c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE;
        auto bytes = ToCp932(std::u16string(1, katakana ? static_cast<char16_t>(c - 0x60) : c));
        if (!bytes && !(bytes = ToCp932(std::u16string(1, c)))) return std::nullopt;
        out += *bytes;
    }
    return out;
}

TEST(TextFold, EveryCharacterAgainstIconvAndIcu) {
    int checked = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string c{static_cast<char>(lead), static_cast<char>(trail)};
            const auto unicode = ToUtf16(c);
            if (!unicode || unicode->size() != 1) continue;
            const char16_t u = (*unicode)[0];
            if (IsWidthForm(u) || IsKana(u)) {
                const auto expected = ExpectedKey(c);
                ASSERT_TRUE(expected) << std::hex << lead << trail;
                EXPECT_EQ(text_fold::MatchKey(c), *expected) << std::hex << lead << " " << trail;
                ++checked;
            } else {
                EXPECT_EQ(text_fold::MatchKey(c), c) << std::hex << lead << " " << trail << " is kept";
            }
            const bool kana = IsKana(u) || u == 0x30FD || u == 0x30FE;  // ヽヾ too
            EXPECT_EQ(text_fold::Hiragana(c), kana ? *ExpectedHiragana(*unicode) : c) << std::hex << lead << " " << trail;
            if (IsWidthForm(u)) {
                EXPECT_EQ(text_fold::HalfWidthAscii(c), std::string(1, u == 0x3000 ? ' ' : static_cast<char>(u - 0xFF00 + 0x20)));
            } else {
                EXPECT_EQ(text_fold::HalfWidthAscii(c), c);
            }
        }
    }
    EXPECT_GT(checked, 94 + 83 + 86);  // width forms, hiragana, katakana (with the NEC/IBM duplicates)
    // Single bytes alone, and each half-width kana followed by each voicing mark.
    for (int b = 0x20; b <= 0xDF; ++b) {
        if (b >= 0x7F && b < 0xA1) continue;
        const std::string c(1, static_cast<char>(b));
        const auto expected = ExpectedKey(c);
        ASSERT_TRUE(expected) << b;
        EXPECT_EQ(text_fold::MatchKey(c), *expected) << std::hex << b;
        EXPECT_EQ(text_fold::HalfWidthAscii(c), c);
        EXPECT_EQ(text_fold::Hiragana(c), b >= 0xA1 ? *ExpectedHiragana(*ToUtf16(c)) : c) << std::hex << b;
        if (b < 0xA6 || b > 0xDD) continue;
        for (char mark : {'\xDE', '\xDF'}) {
            const std::string pair = c + mark;
            // Pairs without a code page 932 character of their own (ﾜﾞ) stay two characters.
            const auto joined = ExpectedKey(pair);
            const std::string expectedPair = joined ? *joined : *expected + *ExpectedKey(std::string(1, mark));
            EXPECT_EQ(text_fold::MatchKey(pair), expectedPair) << std::hex << b << " " << static_cast<int>(mark & 0xFF);
            const auto hiragana = ExpectedHiragana(*ToUtf16(pair));
            EXPECT_EQ(text_fold::Hiragana(pair), hiragana ? *hiragana : *ExpectedHiragana(*ToUtf16(c)) + *ExpectedHiragana(*ToUtf16(std::string(1, mark))));
        }
    }
}

TEST(TextFold, ReadersSeeTheSameWord) {
    const struct {
        const char *a, *b;
    } same[] = {
        {"ｶﾞｲﾄﾞﾌﾞｯｸ", "がいどぶっく"}, {"ガイドブック", "ｶﾞｲﾄﾞﾌﾞｯｸ"}, {"ＴＯＫＹＯ　ｔｏｗｅｒ", "Tokyo Tower"},
        {"ﾎﾟｽﾄ", "ぽすと"},                 {"ｳﾞｨﾗ", "ヴィラ"},         {"０３－１２３４", "０３－１２３４"},
    };
    for (const auto& c : same) EXPECT_EQ(text_fold::MatchKey(c.a), text_fold::MatchKey(c.b)) << c.a;
    EXPECT_NE(text_fold::MatchKey("かき"), text_fold::MatchKey("がき"));
    EXPECT_EQ(text_fold::HalfWidthAscii("１３９．４５．３０．０００"), "139.45.30.000");
    EXPECT_EQ(text_fold::HalfWidthAscii("ｶﾞ東京"), "ｶﾞ東京") << "only the ASCII forms change";
    EXPECT_EQ(text_fold::MatchKey(std::string("A\x82", 2)), std::string("A\x82", 2)) << "a cut lead byte is kept";
}

}  // namespace
}  // namespace vondrel
