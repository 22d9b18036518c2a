// The XML parsers the glorie reader is measured against, each run once over a file's bytes:
// pugixml building its DOM in place, expat and libxml2 as SAX parsers. Each returns the number
// of point blocks it saw (-1 on a parse error), so a benchmark can check that it parsed.
#pragma once

#include <string>

namespace vondrel::bench {

// `bytes` is parsed in place (pugixml writes into it: pass a copy when it is used again).
int PugixmlInPlacePoints(std::string& bytes);

// Expat and libxml2 know no Shift_JIS: the bytes are given to them as ISO-8859-1, which takes
// every byte, so what is measured is the parse and not a conversion they would otherwise need.
int ExpatPoints(const std::string& bytes);
int Libxml2SaxPoints(const std::string& bytes);

}  // namespace vondrel::bench
