// File commands on the main window: open, save, save as, drops, the unsaved-changes prompt with
// its Yes/No/Cancel paths, and the real common file dialogs.
#include <gtest/gtest.h>

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
    const std::string upper = WritePoints("data.XML", {"X1", "X2"});
    const std::string text = WritePoints("data.txt", {"T"});
    MainWindow window(WritePoints("start.xml", {"S"}));
    window.prompts.chosenFiles = {upper};
    Command(window, ID_FILE_OPEN);
    ASSERT_EQ(window.prompts.fileDialogs.size(), 1u);
    const auto& options = window.prompts.fileDialogs[0];
    EXPECT_FALSE(options.save);
    EXPECT_EQ(options.filter, "XML ファイル(*.xml)|*.xml|すべてのファイル (*.*)|*.*||");
    EXPECT_EQ(options.defaultExtension, "xml");
    EXPECT_EQ(options.initialFolder, dir.Root() + "\\");
    EXPECT_EQ(Names(window), (std::vector<std::string>{"X1", "X2"}));
    EXPECT_EQ(window.Document().FileName(), upper);
    EXPECT_EQ(window.Document().FilePath(), upper);
    EXPECT_EQ(window.StatusText(0), upper);
    EXPECT_FALSE(window.ImportViewShown());

    window.prompts.chosenFiles = {text};
    Command(window, ID_FILE_OPEN);
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_EQ(window.prompts.messages[0].text, text + "\n    は認識できないファイルです");
    EXPECT_EQ(Names(window), (std::vector<std::string>{"X1", "X2"})) << "the earlier points stay";
    EXPECT_EQ(window.Document().FileName(), text);
    EXPECT_EQ(window.Document().FilePath(), "") << "untitled under the new name";

    window.prompts.chosenFiles = {""};  // cancelled
    Command(window, ID_FILE_OPEN);
    EXPECT_EQ(window.Document().FileName(), text);
}

TEST_F(FileCommands, SaveWritesOnlyAModifiedList) {
    const std::string path = WritePoints("a.xml", {"A", "B"});
    const std::string original = test::ReadFileBytes(path);
    MainWindow window(path);
    Command(window, ID_FILE_SAVE);
    EXPECT_TRUE(window.prompts.fileDialogs.empty());
    EXPECT_EQ(test::ReadFileBytes(path), original) << "not modified: nothing written";
    Modify(window);
    Command(window, ID_FILE_SAVE);
    EXPECT_FALSE(window.Document().IsModified());
    PointTable back;
    ASSERT_EQ(LoadGlorieFile(path, back, sink), 0);
    EXPECT_EQ(back.GetCount(), 1);

    MainWindow untitled("");
    Command(untitled, ID_FILE_SAVE);
    EXPECT_TRUE(untitled.prompts.fileDialogs.empty()) << "an unmodified untitled list asks for nothing";
}

TEST_F(FileCommands, SaveOfAnUntitledListAsksForANameWithoutOverwriteConfirmation) {
    MainWindow window(WritePoints("plan.xml", {"A", "B"}));
    // Opening a name without .xml is refused and leaves the points untitled.
    window.prompts.chosenFiles = {WritePoints("plan.txt", {"T"})};
    Command(window, ID_FILE_OPEN);
    ASSERT_EQ(Names(window), (std::vector<std::string>{"A", "B"}));
    Modify(window);
    const std::string target = dir.Path("new.xml");
    window.prompts.chosenFiles = {target};
    Command(window, ID_FILE_SAVE);
    ASSERT_EQ(window.prompts.fileDialogs.size(), 2u);
    EXPECT_TRUE(window.prompts.fileDialogs[1].save);
    EXPECT_FALSE(window.prompts.fileDialogs[1].confirmOverwrite);
    EXPECT_EQ(window.prompts.fileDialogs[1].filter, "XML ファイル (*.xml)|*.xml|すべてのファイル (*.*)|*.*||");
    EXPECT_EQ(window.Document().FileName(), target);
    EXPECT_EQ(window.Document().FilePath(), target);
    EXPECT_TRUE(os::FileExists(target));
    EXPECT_FALSE(window.Document().IsModified());
}

TEST_F(FileCommands, SaveAsAlwaysAsksAndConfirmsOverwriting) {
    MainWindow window(WritePoints("a.xml", {"A"}));
    const std::string target = dir.Path("copy.xml");
    window.prompts.chosenFiles = {target};
    Command(window, ID_FILE_SAVE_AS);
    ASSERT_EQ(window.prompts.fileDialogs.size(), 1u);
    EXPECT_TRUE(window.prompts.fileDialogs[0].confirmOverwrite);
    EXPECT_TRUE(os::FileExists(target));
    EXPECT_EQ(window.Document().FilePath(), target);
    EXPECT_EQ(window.StatusText(0), target) << "the pane shows the new name at once";
}

TEST_F(FileCommands, SavingAListWithoutPointsWritesNothing) {
    const std::string path = WritePoints("one.xml", {"A"});
    const std::string original = test::ReadFileBytes(path);
    MainWindow window(path);
    Modify(window);
    Command(window, ID_FILE_SAVE);
    EXPECT_EQ(test::ReadFileBytes(path), original);
    EXPECT_TRUE(window.Document().IsModified());
}

TEST_F(FileCommands, DroppingFilesLoadsTheLast) {
    const std::string a = WritePoints("a.xml", {"A"});
    const std::string b = WritePoints("b.xml", {"B"});
    const std::string c = WritePoints("c.xml", {"C1", "C2"});
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
        const std::string path = own.Path("list.xml");
        test::WriteFileBytes(path, test::PointFileBytes({"A", "B"}));
        MainWindow window(c.titled ? path : "");
        if (!c.titled) {
            test::AddPoint(window, "N");
        } else {
            Modify(window);
        }
        if (!c.writable) {
            // A folder where the file was makes the write fail.
            DeleteFileW(os::ToWide(path).c_str());
            CreateDirectoryW(os::ToWide(path).c_str(), nullptr);
        }
        window.prompts.answers = {c.answer};
        window.prompts.chosenFiles = {c.saveAsChoice.empty() ? "" : own.Path(c.saveAsChoice)};
        Command(window, IDCANCEL);
        test::Pump();
        EXPECT_EQ(!IsWindow(window.Hwnd()), c.closes) << c.what;
        if (!c.closes) {
            EXPECT_TRUE(window.Document().IsModified()) << c.what;
        }
        const std::string written = c.titled ? path : own.Path(c.saveAsChoice.empty() ? "none.xml" : c.saveAsChoice);
        PointTable back;
        const bool hasOnePoint = LoadGlorieFile(written, back, sink) == 0 && back.GetCount() == 1;
        EXPECT_EQ(hasOnePoint, c.written) << c.what;
    }
}

TEST_F(FileCommands, YesOnAnEmptyListClosesWithoutWriting) {
    const std::string path = WritePoints("one.xml", {"A"});
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
    const std::string other = WritePoints("other.xml", {"O"});
    const struct {
        int answer;
        bool replaced;
        bool saved;
    } cases[] = {{IDYES, true, true}, {IDNO, true, false}, {IDCANCEL, false, false}};
    for (bool drop : {false, true}) {
        for (const auto& c : cases) {
            test::TempDir own;
            const std::string path = own.Path("mine.xml");
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
            EXPECT_EQ(window.prompts.messages[0].text, path + "は変更されています。保存しますか？");
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

TEST_F(FileCommands, LongPathsFromADropAreKeptWhole) {
    const std::string folder = dir.LongFolder();
    const std::string path = folder + "\\drop.xml";
    test::WriteFileBytes(path, test::PointFileBytes({"L"}));
    if (!os::FileExists(path)) GTEST_SKIP() << "no long paths here";
    MainWindow window("");
    window->Self().Send(WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({path})));
    EXPECT_EQ(window.Document().FileName(), path);
    EXPECT_EQ(Names(window), (std::vector<std::string>{"L"}));
    EXPECT_EQ(window.Document().Folder(), folder + "\\");
}

// Types `path` into a real common file dialog and presses its OK button.
void TypeIntoFileDialog(HWND dialog, const std::string& path) {
    HWND edit = GetDlgItem(dialog, 0x47C);  // the file name combo box of the explorer-style dialog
    if (!edit) edit = GetDlgItem(dialog, 0x480);
    SetWindowTextW(edit, os::ToWide(path).c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(FileCommands, RealFileDialogs) {
    const std::string source = WritePoints("real.xml", {"R1", "R2"});
    win::SystemPrompts system;
    // Open through the real dialog.
    {
        auto dialog = std::make_unique<MainDialog>("", &system, "SOFTWARE\\Zarn\\VondrelTests");
        dialog->CreateModeless(nullptr);
        const bool shown = test::WithModalWindow("#32770", "", [&](HWND box) { TypeIntoFileDialog(box, source); },
                                                 [&] { dialog->Self().Send(WM_COMMAND, ID_FILE_OPEN); });
        EXPECT_TRUE(shown);
        EXPECT_EQ(dialog->Document().FileName(), source);
        EXPECT_EQ(dialog->Document().Count(), 2);
        // Save As through the real dialog: a name typed without extension gets .xml.
        const std::string typed = dir.Path("typed");
        test::WithModalWindow("#32770", "", [&](HWND box) { TypeIntoFileDialog(box, typed); },
                              [&] { dialog->Self().Send(WM_COMMAND, ID_FILE_SAVE_AS); });
        EXPECT_EQ(dialog->Document().FileName(), typed + ".xml");
        EXPECT_TRUE(os::FileExists(typed + ".xml"));
        // Import through the real dialog.
        test::WithModalWindow("#32770", "", [&](HWND box) { TypeIntoFileDialog(box, source); },
                              [&] { dialog->Self().Send(WM_COMMAND, ID_FILE_IMPORT); });
        EXPECT_EQ(win::ListView(dialog->Item(IDC_MAIN_IMPORT_LIST).Hwnd()).Count(), 2);
        DestroyWindow(dialog->Hwnd());
        test::Pump();
    }
}

}  // namespace
}  // namespace vondrel
