// Escaping and decoding of markup characters in field texts.
#include "files/xml_text.h"

#include <cstring>

namespace vondrel {

void AppendEscaped(std::string& out, std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* entity = nullptr;
        switch (text[i]) {
            case '&': entity = "&amp;"; break;
            case '<': entity = "&lt;"; break;
            case '>': entity = "&gt;"; break;
            case '"': entity = "&quot;"; break;
            default: continue;
        }
        out.append(text.data() + start, i - start);
        out.append(entity);
        start = i + 1;
    }
    out.append(text.data() + start, text.size() - start);
}

std::string DecodeEntities(std::string_view text) {
    static const struct {
        const char* entity;
        char character;
    } kEntities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '&') {
            bool decoded = false;
            for (const auto& e : kEntities) {
                const std::size_t length = std::strlen(e.entity);
                if (text.compare(i, length, e.entity) == 0) {
                    out.push_back(e.character);
                    i += length;
                    decoded = true;
                    break;
                }
            }
            if (decoded) continue;
        }
        out.push_back(text[i++]);
    }
    return out;
}

}  // namespace vondrel
