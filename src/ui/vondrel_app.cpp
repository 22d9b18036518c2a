// Application start-up and end.
#include "ui/vondrel_app.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <memory>

#include "win/prompts.h"
#include "ui/main_dialog.h"

namespace vondrel {

bool VondrelApp::InitInstance(const std::wstring& arguments) {
    if (FAILED(OleInitialize(nullptr))) {
        win::SystemPrompts().ShowMessage(nullptr, "OLE初期化失敗", MB_OK);
        return false;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                                       ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    {
        auto dialog = std::make_unique<MainDialog>(arguments);
        dialog->Run();
    }
    OleUninitialize();
    return false;
}

}  // namespace vondrel
