// VondrelApp: the application object. InitInstance runs the whole program: component support,
// the main window and its message loop, and the end when the window is destroyed.
#pragma once

#include <string>

namespace vondrel {

class VondrelApp {
public:
    // `arguments`: the command line after the program's name, as the system gives it.
    // Returns false always: the program ends when the main window has closed.
    bool InitInstance(const std::wstring& arguments);
};

}  // namespace vondrel
