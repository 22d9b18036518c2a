// The text encoding of a glorie file, and its bytes in code page 932. The navigation unit and the
// reader take Shift_JIS; a file another program wrote in UTF-8, UTF-16 or EUC-JP is converted
// on loading (and saved as Shift_JIS), with the points whose characters had no code page 932
// form noted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

enum class TextEncoding { Cp932, Utf8, EucJp, Utf16Le, Utf16Be };

// The encoding of a file's bytes: its byte-order mark, else the encoding its XML declaration
// names. Shift_JIS (code page 932) when neither tells, when the name is unknown, and when bytes
// declared UTF-8 are not UTF-8 (files saved as Shift_JIS under a wrong declaration).
TextEncoding FileEncoding(std::string_view bytes);

// The bytes of a file in `encoding` as code page 932 (without a byte-order mark). A character
// with no code page 932 form becomes "?"; `replacedBlocks` gets the point blocks where that
// happened, numbered as the reader numbers points: block k ends with the (k+1)-th "</gpoi>".
std::string ToCp932Bytes(std::string_view bytes, TextEncoding encoding, std::vector<int>& replacedBlocks);

}  // namespace vondrel
