// vondrel-cli: list, copy and coordinate conversion over the editor's own point code.
// The command logic works on code page 932 texts; the entry points convert at the edges.
#pragma once

#include <string>
#include <vector>

namespace vondrel::cli {

enum class Encoding { Cp932, Utf8 };

// Output of a run, as code page 932 bytes (converted to the chosen encoding by the caller).
struct Output {
    std::string out;
    std::string err;
};

// Parses `--encoding=` wherever it stands (before "--"). Returns false on a bad value.
bool TakeEncoding(std::vector<std::string>& args, Encoding& encoding, std::string& error);

// Runs the command in `args` (without the program name and the encoding option).
// Returns the exit code: 0 success, 1 refused or failed, 2 usage error.
int Run(const std::vector<std::string>& args, Output& output);

// The usage text.
const char* UsageText();

// A list field with TAB written as \t and a single-byte backslash as \\.
std::string EscapeListField(const std::string& text);

}  // namespace vondrel::cli
