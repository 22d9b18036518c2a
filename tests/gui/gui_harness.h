// Helpers for tests that drive the real windows by messages: a scripted Prompts, a message pump,
// a main window created modeless from its real template, and point files made for a test.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resource.h"
#include "win/list_view.h"
#include "win/prompts.h"
#include "support/temp_dir.h"
#include "ui/main_dialog.h"

namespace vondrel::test {

// Answers message boxes and file dialogs from queues and records what was asked.
class ScriptedPrompts : public win::Prompts {
public:
    struct Message {
        std::string text;
        UINT buttons;
    };
    int ShowMessage(HWND owner, const std::string& text, UINT buttons) override;
    bool ChooseFile(HWND owner, const win::FileDialogOptions& options, win::FileChoice& choice) override;

    std::vector<Message> messages;
    std::deque<int> answers;                    // default when empty: IDOK / IDCANCEL for Yes/No/Cancel
    std::vector<win::FileDialogOptions> fileDialogs;
    std::deque<os::Path> chosenFiles;           // "" means Cancel; empty queue means Cancel
    std::deque<int> chosenTypes;                // the file type chosen; when empty, the one offered
};

// Processes every pending message of this thread, each through the main windows' own message
// loop step first (their keyboard accelerators and dialog keys), as the program does.
void Pump();

// Pumps messages until the window's import pane has read its file (30 s at most).
void FinishImport(const MainDialog& window);

// A key as typed into `window`: the modifier keys (VK_CONTROL, VK_SHIFT, VK_MENU) held down in
// the thread's key state, the key down and up posted to the window, and every message pumped.
void PressKey(HWND window, UINT key, std::initializer_list<UINT> modifiers = {});

// A command line as it is typed (code page 932), for the tests of its tokens.
struct CommandLine {
    std::string text;
};

// A main window made from its real template, started with a file (none for an empty path) or a
// command line, and what a user sees of it: the two lists, the status bar panes, the import view.
class MainWindow {
public:
    explicit MainWindow(const os::Path& file, const std::string& registryBase = "SOFTWARE\\Zarn\\VondrelTests");
    explicit MainWindow(const std::string& cp932File, const std::string& registryBase = "SOFTWARE\\Zarn\\VondrelTests")
        : MainWindow(PathOf(cp932File), registryBase) {}
    explicit MainWindow(const char* cp932File) : MainWindow(std::string(cp932File)) {}
    explicit MainWindow(const CommandLine& commandLine);
    ~MainWindow();
    MainDialog& operator*() { return *dialog; }
    MainDialog* operator->() { return dialog.get(); }
    HWND Hwnd() const { return dialog->Hwnd(); }
    // The edited list behind the window: its stored points, modified state and file.
    const PointDocument& Document() const { return dialog->Document(); }

    win::ListView MainList() const { return win::ListView(GetDlgItem(Hwnd(), IDC_MAIN_POINTS)); }
    win::ListView ImportList() const { return win::ListView(GetDlgItem(Hwnd(), IDC_MAIN_IMPORT_LIST)); }
    // The names the main list shows, and those of the document's points.
    std::vector<std::string> MainNames() const;
    std::vector<std::string> StoredNames() const;
    std::string StatusText(int pane) const;
    bool ImportViewShown() const { return IsWindowVisible(ImportList().Hwnd()) != FALSE; }
    // Sends a command as its button or menu item does.
    void Command(int id) const { SendMessageW(Hwnd(), WM_COMMAND, static_cast<WPARAM>(id), 0); }

    ScriptedPrompts prompts;
    std::unique_ptr<MainDialog> dialog;
};

// A test with a folder of its own for point files.
class PointFileTest : public ::testing::Test {
protected:
    // Writes a point file named `name` with points named `names`; returns its path.
    os::Path WritePoints(const std::string& name, const std::vector<std::string>& names);
    TempDir dir;
};

// Column texts of every row of a list.
std::vector<std::string> ColumnTexts(HWND list, int column);

// A glorie file with points named `names` (all other fields filled plainly).
std::string PointFileBytes(const std::vector<std::string>& names);
std::vector<std::string> NumberedNames(const std::string& prefix, int count);

// The centre of a list row, in the list's client coordinates.
POINT RowCentre(HWND list, int row);

// Runs `trigger`, which opens a modal window of this thread whose class is `windowClass` (e.g.
// "#32770" for a dialog, "#32768" for a popup menu) and, when given, whose caption is `caption`;
// once it is up, `act` runs with it. A window that `act` leaves open is cancelled, so no test
// can hang; returns whether the window was found.
bool WithModalWindow(const std::string& windowClass, const std::string& caption, std::function<void(HWND)> act,
                     std::function<void()> trigger);

// Sends `command` to the window, which opens the point edit dialog; `act` fills it, then OK (or
// Cancel) is clicked unless `act` ended it. Returns whether the dialog opened.
bool WithEditDialog(MainWindow& window, int command, std::function<void(HWND)> act, bool ok = true);
// Adds a point named `name` with the Add button, before the lowest selected row.
void AddPoint(MainWindow& window, const std::string& name);

// Sets an edit's text (code page 932) and clicks buttons the way a user's click arrives.
void SetItemText(HWND dialog, int id, const std::string& text);
std::string ItemText(HWND dialog, int id);
void Click(HWND dialog, int id);

// Image `index` of an image list drawn onto white at `size`, as pixels.
std::vector<COLORREF> ImagePixels(HIMAGELIST images, int index, int size);

// A shell drop of `paths` as WM_DROPFILES carries it (the receiver releases it).
HDROP MakeDrop(const std::vector<os::Path>& paths);

}  // namespace vondrel::test
