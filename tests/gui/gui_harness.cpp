// Test helpers for driving the real windows.
#include "gui/gui_harness.h"

#include "platform/list_view.h"

namespace vondrel::test {

int ScriptedPrompts::ShowMessage(HWND, const std::string& text, UINT buttons) {
    messages.push_back({text, buttons});
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return (buttons & MB_TYPEMASK) == MB_YESNOCANCEL ? IDCANCEL : IDOK;
}

bool ScriptedPrompts::ChooseFile(HWND, const platform::FileDialogOptions& options, std::string& path) {
    fileDialogs.push_back(options);
    if (chosenFiles.empty()) return false;
    path = chosenFiles.front();
    chosenFiles.pop_front();
    return !path.empty();
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

MainWindow::MainWindow(const std::string& arguments, const std::string& registryBase)
    : dialog(std::make_unique<MainDialog>(arguments, &prompts)) {
    dialog->registryBase = registryBase;
    dialog->CreateModeless(nullptr);
    Pump();
}

MainWindow::~MainWindow() {
    if (dialog->Hwnd()) DestroyWindow(dialog->Hwnd());
    Pump();
}

std::vector<std::string> ColumnTexts(HWND list, int column) {
    const platform::ListView view(list);
    std::vector<std::string> texts;
    for (int row = 0; row < view.Count(); ++row) texts.push_back(view.CellText(row, column));
    return texts;
}

std::string PointFileBytes(const std::vector<std::string>& names) {
    std::string bytes = "<?xml version=\"1.0\" encoding=\"Shift_JIS\" ?>\r\n<glorie>\r\n";
    int i = 0;
    for (const std::string& name : names) {
        bytes += "<gpoi><nb>" + name + "</nb><rt>よみ</rt><lat>35.5</lat><lon>139.5</lon>"
                 "<category vendor=\"Kenwood.HDD-NAVI\">000031" + std::string(i % 2 ? "05" : "00") +
                 "</category><optional-media format=\"MSNAVI\" id=\"1\" repeat=\"1\"></optional-media></gpoi>\r\n";
        ++i;
    }
    return bytes + "</glorie>\r\n";
}

std::vector<std::string> NumberedNames(const std::string& prefix, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(prefix + std::to_string(i));
    return names;
}

POINT RowCentre(HWND list, int row) {
    const RECT rect = platform::ListView(list).RowRect(row);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace vondrel::test
