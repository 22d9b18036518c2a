// Test helpers for driving the real windows.
#include "gui/gui_harness.h"

#include <shlobj.h>
#include <commctrl.h>

#include <algorithm>

#include "win/list_view.h"
#include "os/win32_text.h"

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

bool ScriptedPrompts::ChooseFile(HWND, const win::FileDialogOptions& options, win::FileChoice& choice) {
    fileDialogs.push_back(options);
    if (chosenFiles.empty()) return false;
    choice.path = chosenFiles.front();
    chosenFiles.pop_front();
    choice.filterIndex = options.filterIndex;
    if (!chosenTypes.empty()) {
        choice.filterIndex = chosenTypes.front();
        chosenTypes.pop_front();
    }
    return !choice.path.empty();
}

namespace {
std::vector<MainDialog*> liveWindows;  // the main windows whose loop step Pump runs
}  // namespace

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        bool handled = false;
        for (MainDialog* window : liveWindows) {
            if ((handled = window->PreTranslate(message))) break;
        }
        if (handled) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void FinishImport(const MainDialog& window) {
    for (const DWORD start = GetTickCount(); window.IsImporting() && GetTickCount() - start < 30000;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
}

void PressKey(HWND window, UINT key, std::initializer_list<UINT> modifiers) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    BYTE held[256];
    std::copy(std::begin(state), std::end(state), std::begin(held));
    bool alt = false;
    for (UINT modifier : modifiers) {
        held[modifier] = 0x80;
        alt = alt || modifier == VK_MENU;
    }
    SetKeyboardState(held);
    const LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16) | (alt ? 1 << 29 : 0);
    PostMessageW(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, down);
    Pump();
    PostMessageW(window, alt ? WM_SYSKEYUP : WM_KEYUP, key, down | (1u << 30) | (1u << 31));
    Pump();
    SetKeyboardState(state);
}

MainWindow::MainWindow(const os::Path& file, const std::string& registryBase)
    : dialog(std::make_unique<MainDialog>(file.empty() ? std::wstring() : L"\"" + file.native() + L"\"", &prompts,
                                          registryBase)) {
    win::RegistrySettings(registryBase + "\\Vondrel").DeleteValue("WindowPlaced");  // each window at its first place
    dialog->CreateModeless(nullptr);
    liveWindows.push_back(dialog.get());
    Pump();
}

MainWindow::MainWindow(const CommandLine& commandLine)
    : dialog(std::make_unique<MainDialog>(os::ToWide(commandLine.text), &prompts, "SOFTWARE\\Zarn\\VondrelTests")) {
    win::RegistrySettings("SOFTWARE\\Zarn\\VondrelTests\\Vondrel").DeleteValue("WindowPlaced");
    dialog->CreateModeless(nullptr);
    liveWindows.push_back(dialog.get());
    Pump();
}

std::vector<std::string> MainWindow::MainNames() const { return ColumnTexts(MainList().Hwnd(), 1); }

std::vector<std::string> MainWindow::StoredNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < Document().Count(); ++i) names.push_back(Document().Points().Row(i).name);
    return names;
}

std::string MainWindow::StatusText(int pane) const {
    const HWND bar = GetDlgItem(Hwnd(), IDC_MAIN_STATUS_BAR);
    const int length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(pane), 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return os::ToCp932(text);
}

MainWindow::~MainWindow() {
    if (dialog->Hwnd()) DestroyWindow(dialog->Hwnd());
    liveWindows.erase(std::remove(liveWindows.begin(), liveWindows.end(), dialog.get()), liveWindows.end());
    Pump();
}

os::Path PointFileTest::WritePoints(const std::string& name, const std::vector<std::string>& names) {
    const os::Path path = dir.File(name);
    WriteFileBytes(path, PointFileBytes(names));
    return path;
}

std::vector<std::string> ColumnTexts(HWND list, int column) {
    const win::ListView view(list);
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
    const RECT rect = win::ListView(list).RowRect(row);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

namespace {
struct ModalSearch {
    std::wstring windowClass;
    std::wstring caption;
    bool matchCaption = false;
    std::function<void(HWND)> act;
    HWND found = nullptr;
    int ticksAfterAct = 0;
    UINT_PTR timer = 0;
};
ModalSearch* activeSearch = nullptr;

BOOL CALLBACK FindModal(HWND window, LPARAM) {
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    if (!IsWindowVisible(window) || activeSearch->windowClass != name) return TRUE;
    if (activeSearch->matchCaption) {
        wchar_t caption[256];
        GetWindowTextW(window, caption, 256);
        if (activeSearch->caption != caption) return TRUE;
    }
    activeSearch->found = window;
    return FALSE;
}

void CALLBACK OnSearchTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalSearch& search = *activeSearch;
    if (!search.found) {
        // Popup menus belong to no thread window list: look among all top-level windows too.
        EnumThreadWindows(GetCurrentThreadId(), &FindModal, 0);
        if (!search.found) EnumWindows(&FindModal, 0);
        if (search.found) {
            HWND window = search.found;
            search.act(window);
        }
        return;
    }
    // Still open long after `act`: cancel it so that the test goes on.
    if (IsWindow(search.found) && ++search.ticksAfterAct > 40) {
        if (search.windowClass == L"#32768") {
            EndMenu();
        } else {
            PostMessageW(search.found, WM_COMMAND, IDCANCEL, 0);
        }
    }
}
}  // namespace

bool WithModalWindow(const std::string& windowClass, const std::string& caption, std::function<void(HWND)> act,
                     std::function<void()> trigger) {
    ModalSearch search;
    search.windowClass = os::ToWide(windowClass);
    search.caption = os::ToWide(caption);
    search.matchCaption = !caption.empty();
    search.act = std::move(act);
    ModalSearch* previous = activeSearch;
    activeSearch = &search;
    search.timer = SetTimer(nullptr, 0, 50, &OnSearchTimer);
    trigger();
    KillTimer(nullptr, search.timer);
    activeSearch = previous;
    return search.found != nullptr;
}

bool WithEditDialog(MainWindow& window, int command, std::function<void(HWND)> act, bool ok) {
    return WithModalWindow("#32770", "編集", [&](HWND dialog) {
        act(dialog);
        if (IsWindow(dialog)) Click(dialog, ok ? IDOK : IDCANCEL);
    }, [&] { window->Self().Send(WM_COMMAND, command); });
}

void AddPoint(MainWindow& window, const std::string& name) {
    const bool opened = WithEditDialog(window, IDC_MAIN_ADD, [&](HWND dialog) {
        SetItemText(dialog, IDC_EDIT_NAME, name);
        SetItemText(dialog, IDC_EDIT_LON, "139.30");  // a point with a position: Save asks nothing about it
        SetItemText(dialog, IDC_EDIT_LAT, "35.30");
    });
    EXPECT_TRUE(opened) << "the edit dialog did not open";
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SetWindowTextW(GetDlgItem(dialog, id), os::ToWide(text).c_str());
}

std::string ItemText(HWND dialog, int id) { return win::Window(GetDlgItem(dialog, id)).GetText(); }

void Click(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<COLORREF> ImagePixels(HIMAGELIST images, int index, int size) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

HDROP MakeDrop(const std::vector<os::Path>& paths) {
    std::wstring list;
    for (const os::Path& path : paths) list += path.native() + L'\0';
    list += L'\0';
    const SIZE_T size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    memcpy(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace vondrel::test
