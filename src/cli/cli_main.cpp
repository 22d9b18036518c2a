// vondrel-cli entry point: takes the arguments as the system gives them (file arguments stay
// paths in the system's own form; texts are converted to code page 932) and converts the output
// to the chosen encoding (UTF-8 by default; cp932 passes bytes through unchanged).
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "os/path.h"
#include "os/text_codec.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "os/win32_text.h"
#else
#include <csignal>
#endif

namespace {
using vondrel::cli::Argument;
using vondrel::cli::Encoding;

// `marked`: the text may hold UTF-8 parts (cli::AppendUtf8); the error output's messages do, the
// standard output's listings pass their bytes through.
void Write(std::FILE* stream, const std::string& cp932, Encoding encoding, bool marked) {
    if (cp932.empty()) return;
    std::string bytes = cp932;
    if (marked) {
        bytes = vondrel::cli::Encoded(cp932, encoding);
    } else if (encoding == Encoding::Utf8) {
        vondrel::os::Cp932ToUtf8(cp932, bytes);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

// `textsAreUtf8`: the texts are the system's UTF-8 bytes (POSIX), converted in UTF-8 mode.
int Main(std::vector<Argument> args, bool textsAreUtf8) {
    Encoding encoding = Encoding::Utf8;
    std::string error;
    if (!vondrel::cli::TakeEncoding(args, encoding, error)) {
        std::fputs(error.c_str(), stderr);
        std::fputs(vondrel::cli::UsageText(), stderr);
        return 2;
    }
    if (textsAreUtf8 && encoding == Encoding::Utf8) {
        // Only the texts: a path keeps the bytes it was given.
        for (Argument& arg : args) {
            bool replaced = false;
            arg.text = vondrel::os::Utf8ToCp932Text(arg.text, replaced);
            arg.textExact = !replaced;
        }
        vondrel::os::SetPathDisplay(vondrel::os::PathDisplay::Utf8);
    }
    vondrel::cli::Output output;
    const int code = vondrel::cli::Run(args, output);
    Write(stdout, output.out, encoding, false);
    Write(stderr, output.err, encoding, true);
    return code;
}
}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<Argument> args;
    for (int i = 1; i < argc; ++i) {
        Argument arg;
        arg.text = vondrel::os::ToCp932(argv[i], &arg.textExact);
        arg.path = vondrel::os::Path(std::wstring(argv[i]));
        args.push_back(std::move(arg));
    }
    return Main(std::move(args), false);
}
#else
int main(int argc, char** argv) {
    // A file-size limit shows as a full disk instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<Argument> args;
    for (int i = 1; i < argc; ++i) args.push_back({argv[i], vondrel::os::Path(std::string(argv[i])), true});
    return Main(std::move(args), true);
}
#endif
