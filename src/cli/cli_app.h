// vondrel-cli: list, copy, import and export of other formats, and coordinate conversion over
// the editor's own point code.
// The command logic works on code page 932 texts and on paths in the system's own form; the
// entry points convert at the edges.
#pragma once

#include <string>
#include <vector>

#include "files/message_sink.h"
#include "os/path.h"

namespace vondrel::cli {

enum class Encoding { Cp932, Utf8 };

// One command-line argument: its text in code page 932 (commands, options, coordinate texts),
// and the path it names when it is a file argument, exactly as the system gave it (argv's bytes
// on POSIX, wmain's UTF-16 on Windows): a path is never re-encoded, so no character of a file
// name can turn into another.
struct Argument {
    std::string text;
    os::Path path;
    bool textExact = true;  // false: the text lost characters code page 932 lacks (they became "?")
};

// Output of a run, as code page 932 bytes (converted to the chosen encoding by the caller).
struct Output {
    std::string out;
    std::string err;
};

// Collects the messages of loading and saving into an error output, one line break after each.
class ErrorSink : public MessageSink {
public:
    explicit ErrorSink(std::string& target) : err(target) {}
    void ShowMessage(const std::string& text) override { err += text + '\n'; }

private:
    std::string& err;
};

// Appends a UTF-8 text to a code page 932 output: as code page 932 when every character has a
// form there, else marked (between SO and SI, which no message holds) so that the output
// written as UTF-8 shows it as it is; written as code page 932, it has "?" for those characters.
void AppendUtf8(std::string& cp932, const std::string& utf8);

// An output in the chosen encoding.
std::string Encoded(const std::string& cp932, Encoding encoding);

// Parses `--encoding=` wherever it stands (before "--"). Returns false on a bad value.
bool TakeEncoding(std::vector<Argument>& args, Encoding& encoding, std::string& error);

// Runs the command in `args` (without the program name and the encoding option).
// Returns the exit code: 0 success, 1 refused or failed (or nothing found), 2 usage error, 3
// the address search service unreachable or answering no list.
int Run(const std::vector<Argument>& args, Output& output);

// The usage text.
const char* UsageText();

// A list field with TAB written as \t and a single-byte backslash as \\.
std::string EscapeListField(const std::string& text);

}  // namespace vondrel::cli
