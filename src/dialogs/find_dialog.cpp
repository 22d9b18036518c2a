// The find box: opening it with the last text, handing the text on, closing it.
#include "dialogs/find_dialog.h"

#include "resource.h"

namespace vondrel {

FindDialog::FindDialog() : Dialog(IDD_FIND) {}

void FindDialog::Open(HWND owner) {
    if (!IsOpen()) CreateModeless(owner);
    if (!IsOpen()) return;
    ShowWindow(Hwnd(), SW_SHOW);
    SetActiveWindow(Hwnd());
    Self().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_FIND_TEXT).Hwnd()), TRUE);
}

BOOL FindDialog::OnInitDialog() {
    Item(IDC_FIND_TEXT).SetText(text);
    return TRUE;
}

void FindDialog::OnOK() {
    text = Item(IDC_FIND_TEXT).GetText();
    if (findNext) findNext(text);
}

void FindDialog::OnCancel() {
    text = Item(IDC_FIND_TEXT).GetText();
    End(IDCANCEL);
}

}  // namespace vondrel
