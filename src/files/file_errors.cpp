// File error message texts.
#include "files/file_errors.h"

namespace vondrel {

std::string FileErrorCauseText(int cause) {
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
    };
    if (cause < 0 || cause >= static_cast<int>(sizeof kTexts / sizeof kTexts[0])) return "原因不明です";
    return kTexts[cause];
}

std::string FileErrorMessage(int cause, const std::string& path) {
    return "\"" + path + "\"\n\n" + FileErrorCauseText(cause);
}

std::string UnknownFileMessage(const std::string& path) { return path + "\n    は認識できないファイルです"; }

void ReportFileError(MessageSink& messages, int cause, const std::string& path) {
    messages.ShowMessage(FileErrorMessage(cause, path));
}

}  // namespace vondrel
