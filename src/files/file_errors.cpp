// File error message texts.
#include "files/file_errors.h"

#include "os/file_io.h"

namespace vondrel {

std::string FileErrorCauseText(os::FileCause cause) {
    static const char* const kTexts[] = {
        "エラーなし",
        "未定義エラー",
        "ファイル未定義",
        "不正パス",
        "オープン ファイル数超過",
        "ファイル アクセス禁止",
        "不正ファイル ハンドル使用",
        "作業中のカレント ディレクトリの削除不可",
        "ディレクトリ フル",
        "ファイル ポインタ設定エラー",
        "ハードウェア エラー",
        "SHARE.EXE 未ロードまたは共有領域ロック済み",
        "ロック済み領域のロック要求",
        "ディスク フル",
        "ファイルの終わりに到達",
        // The program's own causes.
        "ファイルが大きすぎます（256 MB まで）",
        "メモリが足りません",
        "通常のファイルではありません（デバイスやパイプは読み書きしません）",
    };
    static_assert(sizeof kTexts / sizeof kTexts[0] == os::kCauseNotRegularFile + 1, "one text for every cause");
    if (cause < 0 || cause >= static_cast<int>(sizeof kTexts / sizeof kTexts[0])) return "原因不明です";
    return kTexts[cause];
}

std::string FileErrorMessage(os::FileCause cause, const os::Path& path) {
    return "\"" + os::DisplayPath(path) + "\"\n\n" + FileErrorCauseText(cause);
}

std::string UnknownFileMessage(const os::Path& path) { return os::DisplayPath(path) + "\n    は認識できないファイルです"; }

std::string NoPointsMessage(const os::Path& path) {
    return "\"" + os::DisplayPath(path) + "\"\n\nこのファイルには地点がありません（地点ファイルではありません）";
}

void ReportFileError(MessageSink& messages, os::FileCause cause, const os::Path& path) {
    messages.ShowMessage(FileErrorMessage(cause, path));
}

}  // namespace vondrel
