// The fetch threads and their queues.
#include "bridge/tile_fetcher.h"

#include <objbase.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>

#include "bridge/http_client.h"
#include "bridge/image_decoder.h"
#include "bridge/tile_disk_cache.h"

namespace vondrel::tarvix {

namespace {
constexpr std::size_t kMaxDownloadBytes = 4 * 1024 * 1024;
constexpr std::uint64_t kTrimEveryBytes = 16 * 1024 * 1024;  // written since the last trim
constexpr DWORD kStopWaitMs = 500;
}  // namespace

const char* SourceName(TileResult::Source source) {
    switch (source) {
        case TileResult::Source::kCache:
            return "cache";
        case TileResult::Source::kStaleCache:
            return "stale cache";
        case TileResult::Source::kNetwork:
            return "network";
        case TileResult::Source::kNotFound:
            return "not found";
        default:
            return "failed";
    }
}

struct TileFetcher::Shared {
    FetcherSettings settings;
    HWND window = nullptr;
    UINT message = 0;

    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::deque<TileKey> waiting;
    std::set<TileKey> inFlight;
    std::vector<TileResult> results;
    bool trimDue = true;  // once at start, then after every kTrimEveryBytes written
    std::uint64_t writtenSinceTrim = 0;
    std::vector<std::unique_ptr<RequestSlot>> slots;

    void Deliver(TileResult result) {
        bool first = false;
        {
            std::lock_guard<std::mutex> lock(mutex);
            first = results.empty();
            results.push_back(std::move(result));
        }
        if (first) PostMessageW(window, message, 0, 0);
    }
    void Wrote(std::size_t bytes) {
        std::lock_guard<std::mutex> lock(mutex);
        writtenSinceTrim += bytes;
        if (writtenSinceTrim >= kTrimEveryBytes) trimDue = true;
    }
};

namespace {

struct WorkerStart {
    std::shared_ptr<TileFetcher::Shared> shared;
    RequestSlot* slot;
};

// One tile: from the cache when fresh; else from the network (a stale cached copy shown first).
void Fetch(TileFetcher::Shared& shared, const TileKey& key, const TileDiskCache& cache, const ImageDecoder& decoder,
           const HttpSession& http, RequestSlot& slot) {
    bool shownStale = false;
    if (auto cached = cache.Read(key)) {
        if (auto pixels = decoder.Decode(cached->bytes)) {
            const bool fresh = IsFresh(cached->written, NowSeconds());
            shared.Deliver({key, fresh ? TileResult::Source::kCache : TileResult::Source::kStaleCache, std::move(pixels),
                            cached->bytes.size(), {}});
            if (fresh) return;
            shownStale = true;
        } else {
            cache.Remove(key);  // a damaged file is fetched anew
        }
    }
    const std::string url = TileUrl(shared.settings.urlTemplate, key);
    HttpReply reply = http.Get(std::wstring(url.begin(), url.end()), slot, kMaxDownloadBytes);
    TileResult result{key, TileResult::Source::kFailed, nullptr, reply.body.size(), reply.detail};
    if (reply.kind == HttpReply::Kind::kNotFound) result.source = TileResult::Source::kNotFound;
    if (reply.kind == HttpReply::Kind::kOk) {
        if (auto pixels = decoder.Decode(reply.body)) {
            // Only what decodes is kept, so the cache never holds an error page.
            if (cache.Write(key, reply.body)) shared.Wrote(reply.body.size());
            result.source = TileResult::Source::kNetwork;
            result.pixels = std::move(pixels);
        } else {
            result.detail = "not an image";
        }
    }
    // A stale tile stays shown when its refresh fails.
    if (!(shownStale && !result.pixels)) shared.Deliver(std::move(result));
}

DWORD WINAPI Worker(void* parameter) {
    std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(parameter));
    const std::shared_ptr<TileFetcher::Shared> shared = start->shared;
    RequestSlot& slot = *start->slot;
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    {
        const ImageDecoder decoder;
        const HttpSession http(shared->settings.userAgent, shared->settings.timeoutMs);
        const TileDiskCache cache(shared->settings.cacheRoot);
        for (;;) {
            TileKey key;
            bool trim = false;
            {
                std::unique_lock<std::mutex> lock(shared->mutex);
                shared->wake.wait(lock, [&] { return shared->stopping || !shared->waiting.empty() || shared->trimDue; });
                if (shared->stopping) break;
                if (!shared->waiting.empty()) {
                    key = shared->waiting.front();
                    shared->waiting.pop_front();
                    shared->inFlight.insert(key);
                } else {
                    // Trimming waits until no tile does.
                    trim = true;
                    shared->trimDue = false;
                    shared->writtenSinceTrim = 0;
                }
            }
            if (trim) {
                cache.Trim(kCacheLimitBytes);
                continue;
            }
            Fetch(*shared, key, cache, decoder, http, slot);
            std::lock_guard<std::mutex> lock(shared->mutex);
            shared->inFlight.erase(key);
        }
    }
    if (com) CoUninitialize();
    return 0;
}

}  // namespace

TileFetcher::TileFetcher(FetcherSettings settings, HWND window, UINT message) : shared(std::make_shared<Shared>()) {
    shared->settings = std::move(settings);
    shared->window = window;
    shared->message = message;
    const int count = std::clamp(shared->settings.threads, 1, 8);
    for (int i = 0; i < count; ++i) shared->slots.push_back(std::make_unique<RequestSlot>());
    for (int i = 0; i < count; ++i) {
        auto start = std::make_unique<WorkerStart>(WorkerStart{shared, shared->slots[i].get()});
        HANDLE thread = CreateThread(nullptr, 0, Worker, start.get(), 0, nullptr);
        if (!thread) continue;
        start.release();  // the thread owns it now
        threads.emplace_back(thread);
    }
}

TileFetcher::~TileFetcher() {
    {
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->stopping = true;
        shared->waiting.clear();
    }
    shared->wake.notify_all();
    for (auto& slot : shared->slots) slot->Cancel();
    std::vector<HANDLE> handles;
    for (const win::KernelHandle& thread : threads) handles.push_back(thread.Get());
    if (!handles.empty()) WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), TRUE, kStopWaitMs);
}

void TileFetcher::Want(const std::vector<TileKey>& keys) {
    {
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->waiting.clear();
        // A tile is in flight until its result is waiting here: neither is asked for again.
        std::set<TileKey> busy = shared->inFlight;
        for (const TileResult& result : shared->results) busy.insert(result.key);
        for (const TileKey& key : keys) {
            if (!busy.count(key)) shared->waiting.push_back(key);
        }
    }
    shared->wake.notify_all();
}

std::vector<TileResult> TileFetcher::TakeResults() {
    std::lock_guard<std::mutex> lock(shared->mutex);
    return std::exchange(shared->results, {});
}

}  // namespace vondrel::tarvix
