// RFC 4180 record splitting, tolerant of what spreadsheets and hand edits produce: text after
// a closing quote is kept, and a quote left open runs to the end of the text.
#include "formats/csv_records.h"

namespace vondrel::formats {

bool CsvRecords::Next(std::vector<std::string>& fields, std::size_t& line) {
    if (pos >= text.size()) return false;
    fields.clear();
    line = lineNumber;
    std::string field;
    bool inQuotes = false;
    bool fieldStart = true;
    while (pos < text.size()) {
        const char c = text[pos];
        const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
        if (inQuotes) {
            if (c == '"') {
                if (next == '"') field += '"';
                inQuotes = next == '"';
                pos += inQuotes ? 2 : 1;
                continue;
            }
            if (c == '\r' && next == '\n') {
                ++pos;
                continue;
            }
            if (c == '\n' || c == '\r') {
                ++lineNumber;
                field += '\n';
            } else {
                field += c;
            }
            ++pos;
            continue;
        }
        if (c == '"' && fieldStart) {
            inQuotes = true;
            fieldStart = false;
            ++pos;
        } else if (c == separator) {
            fields.push_back(std::move(field));
            field.clear();
            fieldStart = true;
            ++pos;
        } else if (c == '\r' || c == '\n') {
            pos += (c == '\r' && next == '\n') ? 2 : 1;
            ++lineNumber;
            break;
        } else {
            field += c;
            fieldStart = false;
            ++pos;
        }
    }
    fields.push_back(std::move(field));
    return true;
}

}  // namespace vondrel::formats
