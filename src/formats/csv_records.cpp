// RFC 4180 record splitting, tolerant of what spreadsheets and hand edits produce: text after
// a closing quote is kept, and a quote that never closes is text (run to the end of the text, it
// would swallow every record after it). Once one quote has run to the end, every later quote of
// the text belongs to a doubled pair, so no later field can: only one record is scanned twice.
#include "formats/csv_records.h"

namespace vondrel::formats {

bool CsvRecords::Next(std::vector<std::string_view>& fields, std::size_t& line) {
    if (pos >= text.size()) return false;
    line = lineNumber;
    const std::size_t start = pos;
    if (!Scan(fields)) {
        pos = start;
        lineNumber = line;
        Scan(fields);
    }
    return true;
}

bool CsvRecords::Scan(std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t fieldStart = pos;
    std::size_t quote = 0;  // the offset and line of the quote that opened the current field
    std::size_t quoteLine = 0;
    bool inQuotes = false;
    const auto add = [&](std::size_t end) {
        if (fields.size() < kMaxFields) fields.push_back(text.substr(fieldStart, end - fieldStart));
    };
    while (pos < text.size()) {
        const char c = text[pos];
        const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
        if (inQuotes) {
            if (c == '"') {
                inQuotes = next == '"';
                pos += inQuotes ? 2 : 1;
                continue;
            }
            if (c == '\n' || (c == '\r' && next != '\n')) ++lineNumber;
            ++pos;
            continue;
        }
        if (c == '"' && pos == fieldStart && pos != literalQuote) {
            inQuotes = true;
            quote = pos;
            quoteLine = lineNumber;
            ++pos;
        } else if (c == separator) {
            add(pos);
            fieldStart = ++pos;
        } else if (c == '\r' || c == '\n') {
            add(pos);
            pos += (c == '\r' && next == '\n') ? 2 : 1;
            ++lineNumber;
            return true;
        } else {
            ++pos;
        }
    }
    if (inQuotes) {
        literalQuote = quote;
        openQuoteLine = quoteLine;
        return false;
    }
    add(pos);
    return true;
}

std::string CsvRecords::Unquote(std::string_view field) {
    if (field.empty() || field.front() != '"') return std::string(field);
    std::string out;
    out.reserve(field.size());
    bool inQuotes = true;
    for (std::size_t i = 1; i < field.size(); ++i) {
        const char c = field[i];
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        if (inQuotes && c == '"') {
            if (next == '"') out += '"';
            inQuotes = next == '"';
            i += inQuotes ? 1 : 0;
        } else if (inQuotes && c == '\r') {
            if (next != '\n') out += '\n';
        } else {
            out += c;
        }
    }
    return inQuotes ? std::string(field) : out;  // never closed: the quote is text
}

}  // namespace vondrel::formats
