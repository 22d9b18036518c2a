// vondrel-cli entry point: converts arguments to code page 932 and the output to the chosen
// encoding (UTF-8 by default; cp932 passes bytes through unchanged).
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "os/file_io.h"
#include "os/text_codec.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "os/win32_text.h"
#endif

namespace {
using vondrel::cli::Encoding;

void Write(std::FILE* stream, const std::string& cp932, Encoding encoding) {
    if (cp932.empty()) return;
    std::string bytes = cp932;
    if (encoding == Encoding::Utf8) vondrel::os::Cp932ToUtf8(cp932, bytes);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

int Main(std::vector<std::string> args, bool argsAreUtf8) {
    Encoding encoding = Encoding::Utf8;
    std::string error;
    if (!vondrel::cli::TakeEncoding(args, encoding, error)) {
        std::fputs(error.c_str(), stderr);
        std::fputs(vondrel::cli::UsageText(), stderr);
        return 2;
    }
    if (argsAreUtf8 && encoding == Encoding::Utf8) {
        for (std::string& arg : args) {
            std::string converted;
            if (!vondrel::os::Utf8ToCp932(arg, converted)) {
                std::fprintf(stderr, "vondrel-cli: argument has no code page 932 form: %s\n", arg.c_str());
                return 2;
            }
            arg = converted;
        }
        vondrel::os::SetPosixPathEncoding(vondrel::os::PathEncoding::Utf8);
    }
    vondrel::cli::Output output;
    const int code = vondrel::cli::Run(args, output);
    Write(stdout, output.out, encoding);
    Write(stderr, output.err, encoding);
    return code;
}
}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        bool lossless = true;
        args.push_back(vondrel::os::ToCp932(argv[i], &lossless));
        if (!lossless) {
            std::fprintf(stderr, "vondrel-cli: argument %d has no code page 932 form\n", i);
            return 2;
        }
    }
    return Main(args, false);
}
#else
int main(int argc, char** argv) { return Main(std::vector<std::string>(argv + 1, argv + argc), true); }
#endif
