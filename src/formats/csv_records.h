// Splitting delimited text into records of fields (RFC 4180): fields separated by one
// separator character, records by CR LF, LF or CR; a field that starts with a double quote
// runs to the next lone double quote, a doubled one standing for one, and holds separators
// and line breaks as text. Fields are handed out as they stand in the text and unquoted only
// when asked for, so splitting a record costs no copy of it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel::formats {

// Spreadsheets take a cell that starts with one of these characters as a formula: a point's text
// that does is written after a "'" (so is one starting with "'", so that reading takes away
// exactly the "'" that was written).
constexpr std::string_view kFormulaStarts = "=+-@'";

class CsvRecords {
public:
    // The fields of a record that are kept; the rest of a longer record is passed over.
    static constexpr std::size_t kMaxFields = 1000;

    CsvRecords(std::string_view text, char separator) : text(text), separator(separator) {}

    // The next record's fields as they stand in the text (quotes included: see Unquote), at
    // most kMaxFields; false at the end of the text. `line` is the line (from 1) the record
    // starts on.
    bool Next(std::vector<std::string_view>& fields, std::size_t& line);

    // The line (from 1) of a quote that opened a field and ran to the end of the text without
    // closing: that quote was read as text, and its record ended with its line. 0 when none.
    std::size_t OpenQuoteLine() const { return openQuoteLine; }

    // A field's text: the quotes around it taken away, a doubled quote inside them as one, a
    // line break inside them as one LF; a field whose quote never closes is text as it stands.
    static std::string Unquote(std::string_view field);

private:
    // One record from `pos`; false when a quote opened a field and ran to the end of the text
    // (the record is then read again with that quote as text).
    bool Scan(std::vector<std::string_view>& fields);

    std::string_view text;
    char separator;
    std::size_t pos = 0;
    std::size_t lineNumber = 1;
    std::size_t literalQuote = std::string_view::npos;  // the offset of the quote read as text
    std::size_t openQuoteLine = 0;
};

}  // namespace vondrel::formats
