// The version box.
#include "dialogs/about_dialog.h"

#include "resource.h"
#include "win/dialog.h"

namespace vondrel {

void ShowAbout(HWND owner) { win::Dialog(IDD_ABOUT).RunModal(owner); }

}  // namespace vondrel
