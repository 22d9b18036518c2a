// Width, kana and case folding of code page 932 texts.
#include "core/text_fold.h"

#include <array>
#include <cstdint>
#include <vector>

#include "core/cp932.h"

namespace vondrel::text_fold {

namespace {

// The code page 932 codes of U+FF01 ... U+FF5E, the full-width forms of ASCII 0x21 ... 0x7E.
constexpr std::array<std::uint16_t, 94> kFullWidthAscii = {
    0x8149, 0xFA57, 0x8194, 0x8190, 0x8193, 0x8195, 0xFA56, 0x8169, 0x816A, 0x8196, 0x817B, 0x8143,  // !"#$%&'()*+,
    0x817C, 0x8144, 0x815E, 0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256, 0x8257,  // -./01234567
    0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x8197, 0x8260, 0x8261, 0x8262, 0x8263,  // 89:;<=>?@ABC
    0x8264, 0x8265, 0x8266, 0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E, 0x826F,  // DEFGHIJKLMNO
    0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, 0x8277, 0x8278, 0x8279, 0x816D, 0x815F,  // PQRSTUVWXYZ[, backslash
    0x816E, 0x814F, 0x8151, 0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287, 0x8288,  // ]^_`abcdefgh
    0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F, 0x8290, 0x8291, 0x8292, 0x8293, 0x8294,  // ijklmnopqrst
    0x8295, 0x8296, 0x8297, 0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8160,                  // uvwxyz{|}~
};
constexpr std::uint16_t kIdeographicSpace = 0x8140;
// Full-width quotation mark and apostrophe also have codes in the NEC-selected IBM rows.
constexpr std::uint16_t kNecQuotation = 0xEEFC;
constexpr std::uint16_t kNecApostrophe = 0xEEFB;

// The full-width katakana (code page 932, two bytes each) of the half-width ones 0xA1 ... 0xDF,
// in that order: the standard width pairs of U+FF61 ... U+FF9F.
constexpr std::string_view kHalfWidthKana =
    "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
// Katakana that take the voiced mark (each voiced form follows its letter), and those that also
// take the semi-voiced mark (after the voiced one).
constexpr std::string_view kVoiceable = "カキクケコサシスセソタチツテトハヒフヘホ";
constexpr std::string_view kSemiVoiceable = "ハヒフヘホ";
constexpr std::uint16_t kKatakanaU = 0x8345;   // ウ
constexpr std::uint16_t kKatakanaVu = 0x8394;  // ヴ
constexpr unsigned char kHalfVoiced = 0xDE;
constexpr unsigned char kHalfSemiVoiced = 0xDF;

constexpr std::uint16_t kFirstHiragana = 0x829F;  // ぁ
constexpr std::uint16_t kLastHiragana = 0x82F1;   // ん
constexpr std::uint16_t kFirstKatakana = 0x8340;  // ァ; 0x837F is no character
constexpr std::uint16_t kLastHiraganaKatakana = 0x8393;  // ン: ヴヵヶ after it have no hiragana
constexpr std::uint16_t kKatakanaIteration = 0x8152;     // ヽ, then ヾ; ゝゞ follow them

std::uint16_t CodeAt(std::string_view text, std::size_t index) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(text[index]) << 8 | static_cast<unsigned char>(text[index + 1]));
}

bool Contains(std::string_view letters, std::uint16_t code) {
    for (std::size_t i = 0; i + 1 < letters.size(); i += 2) {
        if (CodeAt(letters, i) == code) return true;
    }
    return false;
}

// ASCII for a full-width form, else 0. Looked up in a table built once over the two lead bytes
// that hold them, and the four codes elsewhere.
char AsciiOf(std::uint16_t code) {
    struct Table {
        std::array<char, 512> ascii{};  // lead 0x81 and 0x82, by trail byte
        Table() {
            for (std::size_t i = 0; i < kFullWidthAscii.size(); ++i) {
                const std::uint16_t c = kFullWidthAscii[i];
                if (c >> 8 == 0x81 || c >> 8 == 0x82) ascii[((c >> 8) - 0x81) * 256 + (c & 0xFF)] = static_cast<char>(0x21 + i);
            }
            ascii[kIdeographicSpace & 0xFF] = ' ';
        }
    };
    static const Table table;
    const unsigned lead = code >> 8;
    if (lead == 0x81 || lead == 0x82) return table.ascii[(lead - 0x81) * 256 + (code & 0xFF)];
    if (code == 0xFA57 || code == kNecQuotation) return '"';
    if (code == 0xFA56 || code == kNecApostrophe) return '\'';
    return 0;
}

void AppendCode(std::string& out, std::uint16_t code) {
    out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

std::uint16_t KatakanaOfHiragana(std::uint16_t code) {
    const int index = code - kFirstHiragana;
    return static_cast<std::uint16_t>(kFirstKatakana + index + (kFirstKatakana + index >= 0x837F ? 1 : 0));
}

// The hiragana of a katakana code page 932 has one for (ァ ... ン, ヽ, ヾ), else the code itself.
std::uint16_t HiraganaOfKatakana(std::uint16_t code) {
    if (code == kKatakanaIteration || code == kKatakanaIteration + 1) return static_cast<std::uint16_t>(code + 2);
    if (code < kFirstKatakana || code > kLastHiraganaKatakana || code == 0x837F) return code;
    return static_cast<std::uint16_t>(kFirstHiragana + (code - kFirstKatakana) - (code > 0x837F ? 1 : 0));
}

// The full-width form of the half-width katakana at `index`, joined with a voiced or semi-voiced
// mark that follows it where the pair has a character of its own; returns the bytes consumed.
std::size_t FoldHalfWidthKana(std::string_view text, std::size_t index, std::string& out) {
    const std::size_t k = static_cast<unsigned char>(text[index]) - 0xA1u;
    std::uint16_t code = CodeAt(kHalfWidthKana, 2 * k);
    if (index + 1 < text.size()) {
        const unsigned char next = static_cast<unsigned char>(text[index + 1]);
        if (next == kHalfVoiced && code == kKatakanaU) {
            AppendCode(out, kKatakanaVu);
            return 2;
        }
        if ((next == kHalfVoiced && Contains(kVoiceable, code)) || (next == kHalfSemiVoiced && Contains(kSemiVoiceable, code))) {
            AppendCode(out, static_cast<std::uint16_t>(code + (next == kHalfVoiced ? 1 : 2)));
            return 2;
        }
    }
    AppendCode(out, code);
    return 1;
}

// `sources`, when given, receives for every byte of the result the offset in `text` of the
// character it came from.
template <bool kMatch>
std::string Fold(std::string_view text, std::vector<std::size_t>* sources = nullptr) {
    std::string out;
    out.reserve(text.size() + 4);
    std::size_t unitStart = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (sources) sources->resize(out.size(), unitStart);  // the bytes of the character before
        unitStart = i;
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (cp932::CharLength(text, i) == 2) {
            const std::uint16_t code = CodeAt(text, i);
            i += 2;
            if (const char ascii = AsciiOf(code)) {
                out.push_back(kMatch && ascii >= 'a' && ascii <= 'z' ? static_cast<char>(ascii - 'a' + 'A') : ascii);
            } else if (kMatch && code >= kFirstHiragana && code <= kLastHiragana) {
                AppendCode(out, KatakanaOfHiragana(code));
            } else {
                AppendCode(out, code);
            }
            continue;
        }
        if (kMatch && byte >= 0xA1 && byte <= 0xDF) {
            i += FoldHalfWidthKana(text, i, out);
            continue;
        }
        out.push_back(kMatch && byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : static_cast<char>(byte));
        ++i;
    }
    if (sources) sources->resize(out.size(), unitStart);
    return out;
}

}  // namespace

std::string Hiragana(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() + 4);
    std::string full;
    for (std::size_t i = 0; i < cp932.size();) {
        const unsigned char byte = static_cast<unsigned char>(cp932[i]);
        if (cp932::CharLength(cp932, i) == 2) {
            AppendCode(out, HiraganaOfKatakana(CodeAt(cp932, i)));
            i += 2;
        } else if (byte >= 0xA1 && byte <= 0xDF) {
            full.clear();
            i += FoldHalfWidthKana(cp932, i, full);
            AppendCode(out, HiraganaOfKatakana(CodeAt(full, 0)));
        } else {
            out.push_back(static_cast<char>(byte));
            ++i;
        }
    }
    return out;
}

std::string HalfWidthAscii(std::string_view cp932) { return Fold<false>(cp932); }

std::string MatchKey(std::string_view cp932) { return Fold<true>(cp932); }

std::string MatchKey(std::string_view cp932, std::vector<std::size_t>& sources) {
    sources.clear();
    return Fold<true>(cp932, &sources);
}

}  // namespace vondrel::text_fold
