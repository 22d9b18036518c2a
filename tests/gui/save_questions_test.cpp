// The questions before a file is replaced or data lost, and where the file dialogs start.
#include "gui/dialog_test_support.h"
#include "win/known_folders.h"

namespace vondrel {
namespace {

using SaveQuestions = test::PointFileTest;

TEST_F(SaveQuestions, ANewListSavedOntoAFileThroughTheRealDialogIsAskedFirst) {
    const os::Path existing = WritePoints("existing.xml", {"E"});
    win::SystemPrompts system;
    MainDialog dialog(L"", &system, "SOFTWARE\\Zarn\\VondrelTests");
    dialog.CreateModeless(nullptr);
    test::WithModalWindow("#32770", "編集", [](HWND edit) {
        test::SetItemText(edit, IDC_EDIT_LAT, "35");
        test::SetItemText(edit, IDC_EDIT_LON, "139");
        test::Click(edit, IDOK);
    }, [&] { dialog.Self().Send(WM_COMMAND, IDC_MAIN_ADD); });
    EXPECT_TRUE(test::WithModalWindow("#32770", "", [&](HWND box) {
        SetDlgItemTextW(box, 0x47C, existing.c_str());
        EXPECT_TRUE(test::WithOwnedWindow(box, [](HWND question) { test::Click(question, IDNO); },
                                          [&] { SendMessageW(box, WM_COMMAND, IDOK, 0); }));
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    }, [&] { dialog.Self().Send(WM_COMMAND, ID_FILE_SAVE); }));
    DestroyWindow(dialog.Hwnd());
}

TEST_F(SaveQuestions, SaveOverAFileNotReadWholeAsksFirst) {
    for (int answer : {IDYES, IDNO, IDCANCEL}) {
        const os::Path path = WritePoints("many.xml", test::NumberedNames("P", 800)), other = dir.File(std::to_string(answer) + ".xml");
        const std::string bytes = test::ReadFileBytes(path);
        test::MainWindow window(path);
        window.prompts.answers = {answer};
        window.prompts.chosenFiles = {other};
        window.MainList().SelectAndFocus(0);
        for (int command : {IDC_MAIN_DELETE, ID_FILE_SAVE, IDC_MAIN_DELETE, ID_FILE_SAVE}) window.Command(command);
        ASSERT_EQ(window.prompts.messages.size(), answer == IDCANCEL ? 3u : 2u) << "after the load's own warning";
        EXPECT_EQ(window.prompts.messages[1].text, "このファイルの 701 番目以降の 100 地点は読み込まれていません。上書きすると失われます。"
                                                   "\n\nはい: 名前を付けて保存します\nいいえ: このまま上書きします\nキャンセル: 保存しません");
        EXPECT_EQ(test::ReadFileBytes(path) == bytes, answer != IDNO) << answer;
        EXPECT_EQ(std::filesystem::exists(other), answer == IDYES) << answer;
    }
}

TEST_F(SaveQuestions, FileDialogsStartInTheFolderLastUsedElseDocuments) {
    test::MainWindow window(test::CommandLine{"here.xml"});  // a name in the program's own folder (the tests')
    for (const os::Path& used : {win::DocumentsFolder(), os::Path(dir.RootPath().native() + L"\\")}) {
        window.prompts.fileDialogs.clear();
        for (int command : {ID_FILE_OPEN, ID_FILE_SAVE_AS, ID_FILE_IMPORT, ID_FILE_EXPORT}) window.Command(command);
        for (const auto& options : window.prompts.fileDialogs) EXPECT_EQ(options.initialFolder, used);
        window.prompts.chosenFiles = {WritePoints("mine.xml", {"M"})};
        window.Command(ID_FILE_OPEN);
    }
}

}  // namespace
}  // namespace vondrel
