// AboutDialog: the version box (dialog 100); it only closes.
#pragma once

#include "platform/dialog.h"

namespace vondrel {

class AboutDialog : public platform::Dialog {
public:
    AboutDialog();
};

}  // namespace vondrel
