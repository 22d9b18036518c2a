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
#include "files/glorie_file.h"
#include "files/message_sink.h"
#include "formats/point_files.h"
#include "formats/point_rows.h"
#include "resource.h"

namespace vondrel {

namespace {

// Readings shorter than this never show the box.
constexpr UINT kProgressDelayMs = 300;

// The messages of a glorie file's load, kept for the window's thread.
class KeptMessages : public MessageSink {
public:
    explicit KeptMessages(std::vector<std::string>& kept) : kept(kept) {}
    void ShowMessage(const std::string& text) override { kept.push_back(text); }

private:
    std::vector<std::string>& kept;
};

}  // namespace

struct ImportReading::Job {
    unsigned number = 0;
    formats::Datum datum = formats::Datum::Wgs84;
    std::atomic<bool> cancelled{false};
    std::atomic<bool> done{false};
    std::unique_ptr<ImportedFile> file = std::make_unique<ImportedFile>();
};

ImportProgressBox::ImportProgressBox() : Dialog(IDD_IMPORT_PROGRESS) {}

void ImportProgressBox::Open(HWND owner, const os::Path& path) {
    if (!Hwnd() && !CreateModeless(owner)) return;
    SetDlgItemTextW(Hwnd(), IDC_PROGRESS_FILE, path.native().c_str());
    Item(IDC_PROGRESS_BAR).Send(PBM_SETMARQUEE, TRUE, 30);
    ShowWindow(Hwnd(), SW_SHOWNA);
}

void ImportProgressBox::OnCancel() {
    if (cancelled) cancelled();
}

namespace {

void Read(formats::Datum datum, const std::atomic<bool>& cancelled, ImportedFile& file) {
    const os::Path& path = file.path;
    if (file.format == formats::Format::None) {
        KeptMessages sink(file.messages);
        file.loaded = LoadGlorieFile(path, file.points, sink) == FileOutcome::Done;
        return;
    }
    formats::ReadOptions options;
    options.datum = file.format == formats::Format::Csv ? datum : formats::Datum::Wgs84;
    options.cancel = &cancelled;
    formats::ReadResult read;
    const os::FileCause cause = formats::ReadPointFile(path, options, read);
    if (cause != os::kCauseNone) {
        file.messages.push_back(FileErrorMessage(cause, path));
        return;
    }
    const std::string message = formats::ReadMessage(path, read);
    if (!message.empty()) file.messages.push_back(message);
    if (!read.error.empty()) return;
    formats::FillTable(file.points, read.points);
    file.loaded = true;
}

}  // namespace

ImportReading::ImportReading() {
    box.cancelled = [this] { Cancel(); };
}

ImportReading::~ImportReading() {
    for (Worker& worker : workers) worker.job->cancelled = true;
    // The futures wait for their threads as they go.
}

void ImportReading::Start(HWND target, const os::Path& path, formats::Datum csvDatum) {
    Cancel();
    // Threads of readings that have ended are waited for (at once) here.
    const auto ended = [](const Worker& w) { return w.thread.wait_for(std::chrono::seconds(0)) == std::future_status::ready; };
    workers.erase(std::remove_if(workers.begin(), workers.end(), ended), workers.end());
    window = target;
    auto job = std::make_shared<Job>();
    job->number = ++lastNumber;
    job->datum = csvDatum;
    job->file->path = path;
    job->file->format = formats::ImportFormatOf(path);
    const auto work = [job, target] {
        try {
            Read(job->datum, job->cancelled, *job->file);
        } catch (const std::bad_alloc&) {
            job->file->loaded = false;
            job->file->messages.assign(1, FileErrorMessage(os::kCauseOutOfMemory, job->file->path));
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
