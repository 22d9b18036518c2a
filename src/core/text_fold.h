// Folding of code page 932 texts for comparing them as a Japanese reader does: full-width Latin
// letters, digits and signs read as their ASCII forms, half-width katakana as full-width (with
// their voiced marks joined), hiragana as katakana. Independent of the process locale.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vondrel::text_fold {

// Full-width ASCII forms and the ideographic space become ASCII; every other byte is kept. For
// numbers typed with a Japanese input method ("１３９．４５").
std::string HalfWidthAscii(std::string_view cp932);

// The key by which texts are sorted and searched: HalfWidthAscii, ASCII letters in upper case,
// half-width katakana as full-width katakana (ｶﾞ as ガ), hiragana as katakana. Code page 932
// bytes; two texts a reader takes for the same word have the same key.
std::string MatchKey(std::string_view cp932);
// The same key, and for each of its bytes the offset in `cp932` of the character it came from
// (each character of the key comes from one character, or a kana with its voiced mark).
std::string MatchKey(std::string_view cp932, std::vector<std::size_t>& sources);

// A reading in hiragana: half-width katakana as full-width (ｶﾞ as が), katakana as hiragana
// (ヽヾ as ゝゞ), except ヴ, ヵ and ヶ, which have no hiragana in code page 932; every other
// byte is kept. For readings an input method or a reading conversion gives in katakana.
std::string Hiragana(std::string_view cp932);

}  // namespace vondrel::text_fold
