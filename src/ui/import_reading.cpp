// The import pane's worker: a point file read and taken apart on a thread of its own, the box
// shown while it lasts, and the result handed back to the window's thread.
#include "ui/import_reading.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <system_error>
#include <utility>

#include "files/file_errors.h"
#include "os/file_io.h"
#include "resource.h"

namespace vondrel {

namespace {

// Readings shorter than this never show the box.
constexpr UINT kProgressDelayMs = 300;

}  // namespace

struct ImportReading::Job {
    unsigned number = 0;
    ImportOptions options;  // stopped by `cancelled`
    std::atomic<bool> cancelled{false};
    std::atomic<bool> done{false};
    std::unique_ptr<ImportedFile> file = std::make_unique<ImportedFile>();
};

ImportProgressBox::ImportProgressBox(std::function<void()> onCancelled)
    : Dialog(IDD_IMPORT_PROGRESS), cancelled(std::move(onCancelled)) {}

void ImportProgressBox::Open(HWND owner, const os::Path& path) {
    if (!Hwnd() && !CreateModeless(owner)) return;
    SetDlgItemTextW(Hwnd(), IDC_PROGRESS_FILE, path.native().c_str());
    Item(IDC_PROGRESS_BAR).Send(PBM_SETMARQUEE, TRUE, 30);
    ShowWindow(Hwnd(), SW_SHOWNA);
}

void ImportProgressBox::OnCancel() {
    if (cancelled) cancelled();
}

ImportReading::ImportReading() : box([this] { Cancel(); }) {}

ImportReading::~ImportReading() {
    for (Worker& worker : workers) worker.job->cancelled = true;
    // The futures wait for their threads as they go.
}

void ImportReading::Start(HWND target, const os::Path& path, const ImportOptions& options) {
    Cancel();
    // Threads of readings that have ended are waited for (at once) here.
    const auto ended = [](const Worker& w) { return w.thread.wait_for(std::chrono::seconds(0)) == std::future_status::ready; };
    workers.erase(std::remove_if(workers.begin(), workers.end(), ended), workers.end());
    window = target;
    auto job = std::make_shared<Job>();
    job->number = ++lastNumber;
    job->options = options;
    job->options.cancel = &job->cancelled;
    job->file->path = path;
    const auto work = [job, target] {
        ImportedFile& file = *job->file;
        try {
            ImportReport report;
            file.loaded = ReadAnyPointFile(file.path, job->options, file.points, report);
            file.messages = report.messages;
            file.warningsUtf8 = report.ShownWarningsUtf8(file.path);
        } catch (const std::bad_alloc&) {
            file.loaded = false;
            file.messages.assign(1, FileErrorMessage(os::kCauseOutOfMemory, file.path));
        }
        job->done.store(true, std::memory_order_release);
        PostMessageW(target, kDoneMessage, job->number, 0);
    };
    current = job;
    try {
        workers.push_back({job, std::async(std::launch::async, work)});
    } catch (const std::system_error&) {
        work();  // no thread to be had: read here
    }
    SetTimer(window, kProgressTimer, kProgressDelayMs, nullptr);
}

void ImportReading::Cancel() {
    if (!current) return;
    current->cancelled = true;
    current.reset();
    KillTimer(window, kProgressTimer);
    box.Close();
}

os::Path ImportReading::Path() const { return current ? current->file->path : os::Path(); }

std::unique_ptr<ImportedFile> ImportReading::Finish(WPARAM number) {
    if (!current || current->number != number || !current->done.load(std::memory_order_acquire)) return nullptr;
    std::unique_ptr<ImportedFile> file = std::move(current->file);
    current.reset();
    KillTimer(window, kProgressTimer);
    box.Close();
    return file;
}

void ImportReading::ShowProgress() {
    KillTimer(window, kProgressTimer);
    if (current) box.Open(GetAncestor(window, GA_ROOT), current->file->path);
}

}  // namespace vondrel
