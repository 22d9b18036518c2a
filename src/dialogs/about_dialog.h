// AboutDialog: the version box (IDD_ABOUT): the version, the copyright, the licence and the
// map's source; it only closes.
#pragma once

#include "win/dialog.h"

namespace vondrel {

class AboutDialog : public win::Dialog {
public:
    AboutDialog();
};

}  // namespace vondrel
