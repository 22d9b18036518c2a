// The replace box: the request read from its controls, the preview kept up to date, the request
// handed back.
#include "dialogs/replace_dialog.h"

#include <algorithm>
#include <string>
#include <utility>

#include "os/win32_text.h"
#include "resource.h"
#include "win/controls.h"

namespace vondrel {

namespace {
// Whether the edit's text has a code page 932 form for every character (else it would be stored
// with "?" in their place).
bool Storable(HWND edit) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(edit, &text[0], static_cast<int>(text.size())))));
    bool lossless = true;
    os::ToCp932(text, &lossless);
    return lossless;
}
}  // namespace

std::optional<ReplaceRequest> AskReplace(HWND owner, const PointTable& points, std::vector<int> rows, bool selectionOnly) {
    ReplaceDialog dialog(points, std::move(rows), selectionOnly);
    dialog.RunModal(owner);
    return dialog.Chosen();
}

ReplaceDialog::ReplaceDialog(const PointTable& table, std::vector<int> searched, bool selection)
    : Dialog(IDD_REPLACE), points(table), rows(std::move(searched)), selectionOnly(selection) {
    for (int id : {IDC_REPLACE_SEARCH, IDC_REPLACE_WITH}) OnCommandCode(id, EN_CHANGE, &ReplaceDialog::ShowPreview);
    for (int id : {IDC_REPLACE_IN_NAME, IDC_REPLACE_IN_READING, IDC_REPLACE_IN_BOTH}) {
        OnCommand(id, &ReplaceDialog::ShowPreview);
    }
}

BOOL ReplaceDialog::OnInitDialog() {
    win::Button(Item(IDC_REPLACE_IN_NAME).Hwnd()).SetChecked(true);
    ShowPreview();
    return TRUE;
}

ReplaceRequest ReplaceDialog::Request() const {
    ReplaceRequest request;
    request.search = Item(IDC_REPLACE_SEARCH).GetText();
    request.replacement = Item(IDC_REPLACE_WITH).GetText();
    request.in = win::Button(Item(IDC_REPLACE_IN_BOTH).Hwnd()).IsChecked()      ? ReplaceIn::Both
                 : win::Button(Item(IDC_REPLACE_IN_READING).Hwnd()).IsChecked() ? ReplaceIn::Reading
                                                                                 : ReplaceIn::Name;
    request.rows = rows;
    return request;
}

void ReplaceDialog::ShowPreview() {
    if (!Storable(Item(IDC_REPLACE_SEARCH).Hwnd()) || !Storable(Item(IDC_REPLACE_WITH).Hwnd())) {
        Item(IDC_REPLACE_COUNT).SetText("使用できない文字が含まれています");
        win::ListBox(Item(IDC_REPLACE_SHORTENED).Hwnd()).Send(LB_RESETCONTENT);
        Item(IDOK).Enable(false);
        return;
    }
    const ReplaceRequest request = Request();
    const ReplacePreview preview = PreviewReplace(points, request);
    Item(IDC_REPLACE_COUNT).SetText(ReplaceCountText(preview, static_cast<int>(rows.size()), selectionOnly));
    const win::ListBox shortened(Item(IDC_REPLACE_SHORTENED).Hwnd());
    shortened.Send(WM_SETREDRAW, FALSE);
    shortened.Send(LB_RESETCONTENT);
    for (int row : preview.shortened) shortened.Add(ShortenedLine(points, row, request));
    shortened.Send(WM_SETREDRAW, TRUE);
    shortened.Invalidate();
    Item(IDOK).Enable(!preview.changed.empty());
}

void ReplaceDialog::OnOK() {
    if (!Item(IDOK).IsEnabled()) return;  // Enter with nothing to replace, or an unstorable text
    ReplaceRequest request = Request();
    chosen = std::move(request);
    End(IDOK);
}

}  // namespace vondrel
