// The uninstaller users run: uninstall.exe in the install folder. The uninstaller proper
// (uninstall.dat, an NSIS uninstaller) started on its own copies itself away and returns at once,
// so its caller never learns the outcome. This runs a copy of it on the install folder and waits:
// the exit code is the uninstall's (0 removed, 1 cancelled, 2 not removed).
#pragma once

namespace vondrel::setup {

// While the uninstall runs, this program's own file is moved out of the install folder (a
// running program cannot be deleted, but it can be moved on its volume); it is moved back when
// the program was not removed.
int RunUninstaller();

}  // namespace vondrel::setup
