// ImportReading: the import pane's files read on a worker thread, by the import's rules
// (editing/import_source.h), so the window goes on answering however long a file takes. A reading that lasts more than a moment shows a box with the file's
// name, a running bar and 中止; the window given is told by a posted message when the file has
// been read, and takes the result. Given up (中止, another file, the pane closing), a reading's
// result is never shown; the reader is told to stop and its thread is waited for at the latest
// when the pane goes.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "core/point_table.h"
#include "editing/import_source.h"
#include "os/path.h"
#include "win/dialog.h"

namespace vondrel {

// What a reading gives the pane.
struct ImportedFile {
    os::Path path;
    bool loaded = false;                  // `points` take the place of the ones shown
    PointTable points;
    std::vector<std::string> messages;    // to tell the user once the points are shown (code page 932)
    std::string warningsUtf8;             // then what the points' reading noted, in UTF-8
};

// The box "インポート" (template 170), modeless and not activated: the window keeps the keyboard.
class ImportProgressBox : public win::Dialog {
public:
    // `cancelled`: called when 中止 is pressed.
    explicit ImportProgressBox(std::function<void()> cancelled);
    void Open(HWND owner, const os::Path& path);
    void Close() { End(IDCANCEL); }

protected:
    void OnCancel() override;

private:
    std::function<void()> cancelled;
};

class ImportReading {
public:
    // Posted to the window when a reading ends (wParam: its number); the timer that shows the box.
    static constexpr UINT kDoneMessage = WM_APP + 0x49;
    static constexpr UINT_PTR kProgressTimer = 0x4950;

    ImportReading();
    ~ImportReading();
    ImportReading(const ImportReading&) = delete;
    ImportReading& operator=(const ImportReading&) = delete;

    // Starts reading `path` for `window` with `options` (their stop flag is the reading's own);
    // the reading under way is given up.
    void Start(HWND window, const os::Path& path, const ImportOptions& options);
    // Gives the reading under way up.
    void Cancel();
    bool Busy() const { return current != nullptr; }
    // The file being read (empty when none).
    os::Path Path() const;
    // For kDoneMessage: the file read, when `number` is the reading under way (else null: one given up).
    std::unique_ptr<ImportedFile> Finish(WPARAM number);
    // For the timer: shows the box while the reading goes on.
    void ShowProgress();

private:
    struct Job;
    struct Worker {
        std::shared_ptr<Job> job;
        std::future<void> thread;
    };

    HWND window = nullptr;
    std::shared_ptr<Job> current;
    std::vector<Worker> workers;  // every thread not yet waited for, the current one's last
    unsigned lastNumber = 0;
    ImportProgressBox box;
};

}  // namespace vondrel
