// Program entry: hands the command line (after the program's name) to the application object,
// in UTF-16 as the system gives it, so a file name keeps every character it has.
#include <windows.h>

#include <string>

#include "ui/vondrel_app.h"

namespace {
vondrel::VondrelApp theApp;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    theApp.InitInstance(commandLine ? commandLine : L"");
    return 0;
}
