// Markup characters in glorie field texts: escaped when written, the five predefined
// entities decoded when read. Texts without them pass through unchanged.
#pragma once

#include <string>
#include <string_view>

namespace vondrel {

// Appends `text` with & < > " written as &amp; &lt; &gt; &quot;.
void AppendEscaped(std::string& out, std::string_view text);

// `text` with &amp; &lt; &gt; &quot; &apos; decoded; any other "&" stays as it is.
std::string DecodeEntities(std::string_view text);

}  // namespace vondrel
