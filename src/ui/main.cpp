// Program entry: hands the command line (after the program's name) to the application object.
#include <windows.h>

#include "os/win32_text.h"
#include "ui/vondrel_app.h"

namespace {
vondrel::VondrelApp theApp;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    theApp.InitInstance(vondrel::os::ToCp932(commandLine ? commandLine : L""));
    return 0;
}
