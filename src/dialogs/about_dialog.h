// AboutDialog: the version box (dialog 100); it only closes.
#pragma once

#include "win/dialog.h"

namespace vondrel {

class AboutDialog : public win::Dialog {
public:
    AboutDialog();
};

}  // namespace vondrel
