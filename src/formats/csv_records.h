// Splitting delimited text into records of fields (RFC 4180): fields separated by one
// separator character, records by CR LF, LF or CR; a field that starts with a double quote
// runs to the next lone double quote, a doubled one standing for one, and holds separators
// and line breaks as text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel::formats {

class CsvRecords {
public:
    CsvRecords(std::string_view text, char separator) : text(text), separator(separator) {}

    // The next record's fields; false at the end of the text. `line` is the line (from 1)
    // the record starts on. A line break inside quotes is kept as one LF.
    bool Next(std::vector<std::string>& fields, std::size_t& line);

private:
    std::string_view text;
    char separator;
    std::size_t pos = 0;
    std::size_t lineNumber = 1;
};

}  // namespace vondrel::formats
