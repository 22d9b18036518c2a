// The version box.
#include "dialogs/about_dialog.h"

#include "resource.h"

namespace vondrel {

AboutDialog::AboutDialog() : Dialog(IDD_ABOUT) {}

}  // namespace vondrel
