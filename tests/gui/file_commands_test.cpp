// File commands on the main window: open, save, save as, drops, the unsaved-changes prompt with
// its Yes/No/Cancel paths, and the real common file dialogs.
#include <gtest/gtest.h>

#include <filesystem>

#include "resource.h"
#include "gui/gui_harness.h"
#include "files/glorie_file.h"
#include "os/file_io.h"
#include "win/list_view.h"
#include "os/win32_text.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

namespace vondrel {
namespace {

using test::MainWindow;

class FileCommands : public test::PointFileTest {
protected:
    static std::vector<std::string> Names(MainWindow& window) {
        return window.MainNames();
    }
    // Modifies the list by deleting its first point.
    static void Modify(MainWindow& window) {
        window.MainList().SelectAndFocus(0);
        window->Self().Send(WM_COMMAND, IDC_MAIN_DELETE);
    }
    static void Command(MainWindow& window, int id) { window->Self().Send(WM_COMMAND, id); }
    test::RecordingSink sink;  // messages of reading files back
};

TEST_F(FileCommands, OpenTakesTheNameFirstAndLoads) {
    const os::Path upper = WritePoints("data.XML", {"X1", "X2"});
    const os::Path text = WritePoints("data.txt", {"T"});
    MainWindow window(WritePoints("start.xml", {"S"}));
    window.prompts.chosenFiles = {upper};
    Command(window, ID_FILE_OPEN);
    ASSERT_EQ(window.prompts.fileDialogs.size(), 1u);
    const auto& options = window.prompts.fileDialogs[0];
    EXPECT_FALSE(options.save);
    EXPECT_EQ(options.filter, "XML ファイル(*.xml)|*.xml|すべてのファイル (*.*)|*.*||");
    EXPECT_EQ(options.defaultExtension, "xml");
    EXPECT_EQ(options.initialFolder.native(), dir.RootPath().native() + L"\\");
    EXPECT_EQ(Names(window), (std::vector<std::string>{"X1", "X2"}));
    EXPECT_EQ(window.Document().FileName(), upper);
    EXPECT_EQ(window.Document().FilePath(), upper);
    EXPECT_EQ(window.StatusText(0), os::DisplayPath(upper));
    EXPECT_FALSE(window.ImportViewShown());

    window.prompts.chosenFiles = {text};
    Command(window, ID_FILE_OPEN);
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_EQ(window.prompts.messages[0].text, os::DisplayPath(text) + "\n    は認識できないファイルです");
    EXPECT_EQ(Names(window), (std::vector<std::string>{"X1", "X2"})) << "the earlier points stay";
    EXPECT_EQ(window.Document().FileName(), upper) << "and so does the name";
    EXPECT_EQ(window.Document().FilePath(), upper);

    window.prompts.chosenFiles = {""};  // cancelled
    Command(window, ID_FILE_OPEN);
    EXPECT_EQ(window.Document().FileName(), upper);
}

TEST_F(FileCommands, SaveWritesOnlyAModifiedList) {
    const os::Path path = WritePoints("a.xml", {"A", "B"});
    const std::string original = test::ReadFileBytes(path);
    MainWindow window(path);
    Command(window, ID_FILE_SAVE);
    EXPECT_TRUE(window.prompts.fileDialogs.empty());
    EXPECT_EQ(test::ReadFileBytes(path), original) << "not modified: nothing written";
    Modify(window);
    Command(window, ID_FILE_SAVE);
    EXPECT_FALSE(window.Document().IsModified());
    PointTable back;
    ASSERT_EQ(LoadGlorieFile(path, back, sink), FileOutcome::Done);
    EXPECT_EQ(back.GetCount(), 1);

    MainWindow untitled("");
    Command(untitled, ID_FILE_SAVE);
    EXPECT_TRUE(untitled.prompts.fileDialogs.empty()) << "an unmodified untitled list asks for nothing";
}

TEST_F(FileCommands, SaveOfAnUntitledListAsksForANameAndConfirmsOverwriting) {
    MainWindow window("");
    test::AddPoint(window, "N");
    const os::Path target = dir.File("new.xml");
    window.prompts.chosenFiles = {target};
    Command(window, ID_FILE_SAVE);
    ASSERT_EQ(window.prompts.fileDialogs.size(), 1u);
    EXPECT_TRUE(window.prompts.fileDialogs[0].save);
    EXPECT_TRUE(window.prompts.fileDialogs[0].confirmOverwrite);
    EXPECT_EQ(window.prompts.fileDialogs[0].filter, "XML ファイル (*.xml)|*.xml|すべてのファイル (*.*)|*.*||");
    EXPECT_EQ(window.Document().FileName(), target);
    EXPECT_EQ(window.Document().FilePath(), target);
    EXPECT_TRUE(os::FileExists(target));
    EXPECT_FALSE(window.Document().IsModified());
}

TEST_F(FileCommands, SaveAsAlwaysAsksAndConfirmsOverwriting) {
    MainWindow window(WritePoints("a.xml", {"A"}));
    const os::Path target = dir.File("copy.xml");
    window.prompts.chosenFiles = {target};
    Command(window, ID_FILE_SAVE_AS);
    ASSERT_EQ(window.prompts.fileDialogs.size(), 1u);
    EXPECT_TRUE(window.prompts.fileDialogs[0].confirmOverwrite);
    EXPECT_EQ(window.prompts.fileDialogs[0].initialName, os::Path(L"a.xml")) << "the list's name, to be changed";
    EXPECT_TRUE(os::FileExists(target));
    EXPECT_EQ(window.Document().FilePath(), target);
    EXPECT_EQ(window.StatusText(0), os::DisplayPath(target)) << "the pane shows the new name at once";
}

TEST_F(FileCommands, SavingAListWithoutPointsWritesNothing) {
    const os::Path path = WritePoints("one.xml", {"A"});
    const std::string original = test::ReadFileBytes(path);
    MainWindow window(path);
    Modify(window);
    Command(window, ID_FILE_SAVE);
    EXPECT_EQ(test::ReadFileBytes(path), original);
    EXPECT_TRUE(window.Document().IsModified());
}

TEST_F(FileCommands, DroppingFilesLoadsTheLast) {
    const os::Path a = WritePoints("a.xml", {"A"});
    const os::Path b = WritePoints("b.xml", {"B"});
    const os::Path c = WritePoints("c.xml", {"C1", "C2"});
    MainWindow window("");
    window->Self().Send(WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({a, b, c})));
    EXPECT_EQ(Names(window), (std::vector<std::string>{"C1", "C2"}));
    EXPECT_EQ(window.Document().FileName(), c);
    EXPECT_EQ(window.Document().FilePath(), c);
    window->Self().Send(WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({})));
    EXPECT_EQ(window.Document().FileName(), c) << "a drop without files changes nothing";
    EXPECT_TRUE(window.prompts.messages.empty());
}

TEST_F(FileCommands, ConfirmCloseTexts) {
    MainWindow titled(WritePoints("t.xml", {"A", "B"}));
    Modify(titled);
    Command(titled, IDCANCEL);  // answered Cancel by default
    ASSERT_EQ(titled.prompts.messages.size(), 1u);
    EXPECT_EQ(titled.prompts.messages[0].text, dir.Path("t.xml") + "は変更されています。保存しますか？");
    EXPECT_EQ(titled.prompts.messages[0].buttons & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_TRUE(IsWindow(titled.Hwnd())) << "Cancel keeps the window";
    EXPECT_TRUE(titled.Document().IsModified());

    MainWindow untitled("");
    test::AddPoint(untitled, "N");
    Command(untitled, IDCANCEL);
    EXPECT_EQ(untitled.prompts.messages.at(0).text, "新規ファイルです。保存しますか？");

    MainWindow clean(WritePoints("c.xml", {"A"}));
    Command(clean, IDCANCEL);
    EXPECT_TRUE(clean.prompts.messages.empty());
    EXPECT_FALSE(IsWindow(clean.Hwnd())) << "an unmodified list closes at once";
}

TEST_F(FileCommands, ConfirmCloseAnswers) {
    const struct {
        const char* what;
        bool titled;
        int answer;
        std::string saveAsChoice;  // for an untitled list: "" cancels the dialog
        bool writable;
        bool closes;
        bool written;
    } cases[] = {
        {"titled, Yes", true, IDYES, "", true, true, true},
        {"titled, No", true, IDNO, "", true, true, false},
        {"titled, Cancel", true, IDCANCEL, "", true, false, false},
        {"titled, Yes, write fails", true, IDYES, "", false, false, false},
        {"untitled, Yes, name chosen", false, IDYES, "saved.xml", true, true, true},
        {"untitled, Yes, dialog cancelled", false, IDYES, "", true, false, false},
    };
    for (const auto& c : cases) {
        test::TempDir own;
        const os::Path path = own.File("list.xml");
        test::WriteFileBytes(path, test::PointFileBytes({"A", "B"}));
        MainWindow window(c.titled ? path : os::Path());
        if (!c.titled) {
            test::AddPoint(window, "N");
        } else {
            Modify(window);
        }
        if (!c.writable) {
            // A folder where the file was makes the write fail.
            DeleteFileW(path.c_str());
            CreateDirectoryW(path.c_str(), nullptr);
        }
        window.prompts.answers = {c.answer};
        window.prompts.chosenFiles = {c.saveAsChoice.empty() ? os::Path() : own.File(c.saveAsChoice)};
        Command(window, IDCANCEL);
        test::Pump();
        EXPECT_EQ(!IsWindow(window.Hwnd()), c.closes) << c.what;
        if (!c.closes) {
            EXPECT_TRUE(window.Document().IsModified()) << c.what;
        }
        const os::Path written = c.titled ? path : own.File(c.saveAsChoice.empty() ? "none.xml" : c.saveAsChoice);
        PointTable back;
        const bool hasOnePoint = LoadGlorieFile(written, back, sink) == FileOutcome::Done && back.GetCount() == 1;
        EXPECT_EQ(hasOnePoint, c.written) << c.what;
    }
}

TEST_F(FileCommands, YesOnAnEmptyListClosesWithoutWriting) {
    const os::Path path = WritePoints("one.xml", {"A"});
    MainWindow window(path);
    Modify(window);
    window.prompts.answers = {IDYES};
    Command(window, IDCANCEL);
    EXPECT_FALSE(IsWindow(window.Hwnd()));
    PointTable back;
    LoadGlorieFile(path, back, sink);
    EXPECT_EQ(back.GetCount(), 1) << "the old file stays";
}

TEST_F(FileCommands, OpenAndDropAskBeforeReplacingAModifiedList) {
    const os::Path other = WritePoints("other.xml", {"O"});
    const struct {
        int answer;
        bool replaced;
        bool saved;
    } cases[] = {{IDYES, true, true}, {IDNO, true, false}, {IDCANCEL, false, false}};
    for (bool drop : {false, true}) {
        for (const auto& c : cases) {
            test::TempDir own;
            const os::Path path = own.File("mine.xml");
            test::WriteFileBytes(path, test::PointFileBytes({"M1", "M2"}));
            MainWindow window(path);
            Modify(window);
            window.prompts.answers = {c.answer};
            window.prompts.chosenFiles = {other};
            if (drop) {
                window->Self().Send(WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({other})));
            } else {
                Command(window, ID_FILE_OPEN);
            }
            ASSERT_EQ(window.prompts.messages.size(), 1u);
            EXPECT_EQ(window.prompts.messages[0].text, os::DisplayPath(path) + "は変更されています。保存しますか？");
            EXPECT_EQ(Names(window) == std::vector<std::string>{"O"}, c.replaced) << drop << c.answer;
            PointTable back;
            LoadGlorieFile(path, back, sink);
            EXPECT_EQ(back.GetCount() == 1, c.saved) << drop << c.answer;
            if (!c.replaced) {
                EXPECT_EQ(window.Document().FileName(), path);
            }
        }
    }
}

TEST_F(FileCommands, AFailedOpenOrDropChangesNothing) {
    // Refused, missing, locked by another program, too large, not a point file: the list, its
    // name, the status bar and the unsaved state stay, and Save still writes to the list's file.
    const os::Path refused = WritePoints("data.dat", {"T"});  // (a .txt drop is the import pane's)
    const os::Path missing = dir.File("missing.xml");
    const os::Path locked = WritePoints("locked.xml", {"K"});
    const os::Path random = dir.File("random.xml");
    test::WriteFileBytes(random, std::string("\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR", 16));
    const os::Path large = dir.File("large.xml");
    {
        HANDLE file = CreateFileW(large.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        LARGE_INTEGER size;
        size.QuadPart = 300ll << 20;
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
    HANDLE other = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    for (bool drop : {false, true}) {
        for (const os::Path& failing : {refused, missing, locked, random, large}) {
            test::TempDir own;
            const os::Path mine = own.File("mine.xml");
            test::WriteFileBytes(mine, test::PointFileBytes({"M1", "M2"}));
            MainWindow window(mine);
            Modify(window);
            NMHDR click{window.MainList().Hwnd(), IDC_MAIN_POINTS, static_cast<UINT>(NM_CLICK)};
            window->Self().Send(WM_NOTIFY, IDC_MAIN_POINTS, reinterpret_cast<LPARAM>(&click));  // shows " 1行"
            const std::vector<std::string> before = {window.StatusText(0), window.StatusText(1), window.StatusText(2)};
            window.prompts.answers = {IDNO};  // the unsaved changes are not saved first
            window.prompts.chosenFiles = {failing};
            if (drop) {
                window->Self().Send(WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({failing})));
            } else {
                Command(window, ID_FILE_OPEN);
            }
            const std::string what = os::DisplayPath(failing) + (drop ? " dropped" : " opened");
            EXPECT_EQ(window.prompts.messages.size(), 2u) << what << ": the prompt and the refusal";
            EXPECT_EQ(Names(window), (std::vector<std::string>{"M2"})) << what;
            EXPECT_EQ(window.Document().FileName(), mine) << what;
            EXPECT_EQ(window.Document().FilePath(), mine) << what;
            EXPECT_TRUE(window.Document().IsModified()) << what;
            EXPECT_EQ((std::vector<std::string>{window.StatusText(0), window.StatusText(1), window.StatusText(2)}), before)
                << what;
            Command(window, ID_FILE_SAVE);
            PointTable back;
            ASSERT_EQ(LoadGlorieFile(mine, back, sink), FileOutcome::Done);
            EXPECT_EQ(back.GetCount(), 1) << what << ": Save writes the list's own file";
        }
    }
    CloseHandle(other);
    EXPECT_EQ(test::ReadFileBytes(locked), test::PointFileBytes({"K"}));
    EXPECT_EQ(std::filesystem::file_size(large), 300ull << 20);
}

// The wide text of a status pane, as the control holds it.
std::wstring StatusPane(MainWindow& window, int pane) {
    const HWND bar = GetDlgItem(window.Hwnd(), IDC_MAIN_STATUS_BAR);
    std::wstring text(static_cast<std::size_t>(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, pane, 0))) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(text.size() - 1);
    return text;
}

TEST_F(FileCommands, NamesWithoutACodePage932FormOpenAndSave) {
    // Korean and an emoji have no code page 932 form: the file is reached by its own name in
    // every way a name comes in, and the status bar shows it whole.
    const os::Path korean = dir.RootPath() / L"\uC9C0\uB3C4 \U0001F5FA.xml";
    test::WriteFileBytes(korean, test::PointFileBytes({"K1", "K2"}));
    {
        MainWindow window(korean);  // the command line
        EXPECT_EQ(Names(window), (std::vector<std::string>{"K1", "K2"}));
        EXPECT_EQ(window.Document().FilePath(), korean);
        EXPECT_EQ(StatusPane(window, 0), korean.native());
        Modify(window);
        Command(window, ID_FILE_SAVE);
        EXPECT_TRUE(window.prompts.messages.empty());
        EXPECT_FALSE(window.Document().IsModified());
    }
    PointTable back;
    ASSERT_EQ(LoadGlorieFile(korean, back, sink), FileOutcome::Done);
    EXPECT_EQ(back.GetCount(), 1) << "saved to the same file";
    MainWindow window("");
    window.prompts.chosenFiles = {korean};
    Command(window, ID_FILE_OPEN);
    EXPECT_EQ(Names(window), (std::vector<std::string>{"K2"}));
    const os::Path emoji = dir.RootPath() / L"\U0001F600.xml";
    window.prompts.chosenFiles = {emoji};
    Command(window, ID_FILE_SAVE_AS);
    EXPECT_EQ(window.Document().FilePath(), emoji);
    window->Self().Send(WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({emoji})));
    EXPECT_EQ(window.Document().FileName(), emoji);
    EXPECT_EQ(Names(window), (std::vector<std::string>{"K2"}));
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.RootPath())) files += entry.is_regular_file();
    EXPECT_EQ(files, 2u) << "no file under a changed name";
}

TEST_F(FileCommands, LongPathsFromADropAreKeptWhole) {
    const os::Path folder = dir.LongFolderPath();
    const os::Path path = folder / L"drop.xml";
    test::WriteFileBytes(path, test::PointFileBytes({"L"}));
    if (!os::FileExists(path)) GTEST_SKIP() << "no long paths here";
    MainWindow window("");
    window->Self().Send(WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({path})));
    EXPECT_EQ(window.Document().FileName(), path);
    EXPECT_EQ(Names(window), (std::vector<std::string>{"L"}));
    EXPECT_EQ(window.Document().Folder().native(), folder.native() + L"\\");
}

// Types `path` into a real common file dialog and presses its OK button.
void TypeIntoFileDialog(HWND dialog, const os::Path& path) {
    HWND edit = GetDlgItem(dialog, 0x47C);  // the file name combo box of the explorer-style dialog
    if (!edit) edit = GetDlgItem(dialog, 0x480);
    SetWindowTextW(edit, path.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(FileCommands, RealFileDialogs) {
    const os::Path source = WritePoints("real.xml", {"R1", "R2"});
    win::SystemPrompts system;
    // Open through the real dialog.
    {
        auto dialog = std::make_unique<MainDialog>(L"", &system, "SOFTWARE\\Zarn\\VondrelTests");
        dialog->CreateModeless(nullptr);
        const bool shown = test::WithModalWindow("#32770", "", [&](HWND box) { TypeIntoFileDialog(box, source); },
                                                 [&] { dialog->Self().Send(WM_COMMAND, ID_FILE_OPEN); });
        EXPECT_TRUE(shown);
        EXPECT_EQ(dialog->Document().FileName(), source);
        EXPECT_EQ(dialog->Document().Count(), 2);
        // Save As through the real dialog: a name typed without extension gets .xml.
        const os::Path typed = dir.File("typed");
        test::WithModalWindow("#32770", "", [&](HWND box) { TypeIntoFileDialog(box, typed); },
                              [&] { dialog->Self().Send(WM_COMMAND, ID_FILE_SAVE_AS); });
        EXPECT_EQ(dialog->Document().FileName(), dir.File("typed.xml"));
        EXPECT_TRUE(os::FileExists(dir.File("typed.xml")));
        // Import through the real dialog.
        test::WithModalWindow("#32770", "", [&](HWND box) { TypeIntoFileDialog(box, source); },
                              [&] { dialog->Self().Send(WM_COMMAND, ID_FILE_IMPORT); });
        test::FinishImport(*dialog);
        EXPECT_EQ(win::ListView(dialog->Item(IDC_MAIN_IMPORT_LIST).Hwnd()).Count(), 2);
        DestroyWindow(dialog->Hwnd());
        test::Pump();
    }
}

}  // namespace
}  // namespace vondrel
