// The fetch threads and their queues.
#include "tarvix/tile_fetcher.h"

#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>

#include "net/win32_http.h"
#include "os/win32_owned.h"
#include "tarvix/image_decoder.h"
#include "tarvix/tile_disk_cache.h"

namespace vondrel::tarvix {

namespace {
constexpr std::size_t kMaxDownloadBytes = 4 * 1024 * 1024;
constexpr std::uint64_t kTrimEveryBytes = 16 * 1024 * 1024;  // written since the last trim
constexpr std::uint64_t kRequestDeadlineMs = 30000;  // a whole request, its redirects included
// A request closed at its deadline whose call has not returned this much later (Wine's
// WinHTTP does not end a blocking call when its handle is closed) is given up: its tile fails
// and another thread takes its place.
constexpr std::uint64_t kGiveUpAfterMs = kRequestDeadlineMs + 2000;
constexpr std::uint64_t kSlowRequestMs = 5000;  // a request this old holds its thread
constexpr auto kWatchEvery = std::chrono::milliseconds(500);
constexpr int kSeatsPerThread = 4;  // room for spares and for threads given up
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

// A fetch thread's place: its request slot, the tile it is on, and whether the watch gave up
// on it (it then leaves as soon as its request returns, and what it found is dropped).
struct Seat {
    net::RequestSlot slot;
    bool taken = false;
    bool spare = false;
    bool busy = false;
    bool givenUp = false;
    TileKey key;
};

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

    // The threads running (fetch threads and the watch thread) and the fetch threads waiting
    // for work.
    int running = 0;
    int idle = 0;
    std::condition_variable ended;
    std::condition_variable watch;
    std::vector<std::unique_ptr<Seat>> seats;

    // With the mutex held.
    void DeliverLocked(TileResult result) {
        results.push_back(std::move(result));
        if (results.size() == 1) PostMessageW(window, message, 0, 0);
    }
    void Deliver(TileResult result, const Seat& seat) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!seat.givenUp) DeliverLocked(std::move(result));
    }
    void Wrote(std::size_t bytes) {
        std::lock_guard<std::mutex> lock(mutex);
        writtenSinceTrim += bytes;
        if (writtenSinceTrim >= kTrimEveryBytes) trimDue = true;
    }
};

namespace {

struct ThreadStart {
    std::shared_ptr<TileFetcher::Shared> shared;
    Seat* seat;  // a fetch thread's
};

// One tile: from the cache when fresh; else from the network (a stale cached copy shown first).
void Fetch(TileFetcher::Shared& shared, const TileKey& key, const TileDiskCache& cache, const ImageDecoder& decoder,
           const net::HttpSession& http, Seat& seat) {
    bool shownStale = false;
    std::string problem;
    if (auto cached = cache.Read(key)) {
        if (auto pixels = decoder.Decode(cached->bytes, key.layer, problem)) {
            const bool fresh = IsFresh(cached->written, NowSeconds());
            shared.Deliver({key, fresh ? TileResult::Source::kCache : TileResult::Source::kStaleCache, std::move(pixels),
                            cached->bytes.size(), {}},
                           seat);
            if (fresh) return;
            shownStale = true;
        } else {
            cache.Remove(key);  // a damaged file is fetched anew
        }
    }
    const std::string url = TileUrl(shared.settings.urlTemplate, key);
    net::HttpReply reply = http.Get(std::wstring(url.begin(), url.end()), seat.slot, kMaxDownloadBytes);
    TileResult result{key, TileResult::Source::kFailed, nullptr, reply.body.size(), reply.detail};
    if (reply.kind == net::HttpReply::Kind::kNotFound) result.source = TileResult::Source::kNotFound;
    if (reply.kind == net::HttpReply::Kind::kOk) {
        if (auto pixels = decoder.Decode(reply.body, key.layer, problem)) {
            // Only what decodes is kept, so the cache never holds an error page.
            if (cache.Write(key, reply.body)) shared.Wrote(reply.body.size());
            result.source = TileResult::Source::kNetwork;
            result.pixels = std::move(pixels);
        } else {
            result.detail = problem;
        }
    }
    // A stale tile stays shown when its refresh fails.
    if (!(shownStale && !result.pixels)) shared.Deliver(std::move(result), seat);
}

// Called with the mutex held, or before any thread runs. A fetch thread takes a free seat;
// without one, none starts.
void StartThread(const std::shared_ptr<TileFetcher::Shared>& shared, LPTHREAD_START_ROUTINE routine, bool spare);

DWORD WINAPI Worker(void* parameter) {
    const std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
    TileFetcher::Shared& shared = *start->shared;
    Seat& seat = *start->seat;
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    {
        const ImageDecoder decoder;
        const net::HttpSession http(shared.settings.userAgent, shared.settings.timeoutMs);
        const TileDiskCache cache(shared.settings.cacheRoot);
        for (;;) {
            bool trim = false;
            {
                std::unique_lock<std::mutex> lock(shared.mutex);
                if (!seat.spare) {
                    ++shared.idle;
                    shared.wake.wait(lock, [&] { return shared.stopping || !shared.waiting.empty() || shared.trimDue; });
                    --shared.idle;
                }
                // A spare ends once no tile waits.
                if (shared.stopping || (seat.spare && shared.waiting.empty())) break;
                if (!shared.waiting.empty()) {
                    seat.key = shared.waiting.front();
                    seat.busy = true;
                    shared.waiting.pop_front();
                    shared.inFlight.insert(seat.key);
                } else {
                    // Trimming waits until no tile does.
                    trim = true;
                    shared.trimDue = false;
                    shared.writtenSinceTrim = 0;
                }
            }
            if (trim) {
                cache.Trim(kCacheLimitBytes);
                continue;
            }
            Fetch(shared, seat.key, cache, decoder, http, seat);
            std::lock_guard<std::mutex> lock(shared.mutex);
            seat.busy = false;
            if (seat.givenUp) break;
            shared.inFlight.erase(seat.key);
        }
    }
    if (com) CoUninitialize();
    std::lock_guard<std::mutex> lock(shared.mutex);
    seat.taken = false;
    --shared.running;
    shared.ended.notify_all();
    return 0;
}

// Every half second: closes requests at their deadline, gives up on those that do not return
// after it (failing their tile and putting another thread in place), and starts a spare fetch
// thread when tiles wait while every fetch thread is held by a slow request.
DWORD WINAPI Watch(void* parameter) {
    const std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
    TileFetcher::Shared& shared = *start->shared;
    std::unique_lock<std::mutex> lock(shared.mutex);
    while (!shared.watch.wait_for(lock, kWatchEvery, [&] { return shared.stopping; })) {
        const std::uint64_t now = GetTickCount64();
        bool allHeld = shared.idle == 0;
        for (const auto& seat : shared.seats) {
            if (!seat->taken || seat->givenUp) continue;
            seat->slot.Expire(now, kRequestDeadlineMs);
            const std::uint64_t since = seat->slot.BusySince();
            allHeld = allHeld && since != 0 && now - since >= kSlowRequestMs;
            if (seat->busy && since != 0 && now - since >= kGiveUpAfterMs) {
                seat->givenUp = true;
                shared.inFlight.erase(seat->key);
                shared.DeliverLocked({seat->key, TileResult::Source::kFailed, nullptr, 0, "deadline"});
                if (!seat->spare) StartThread(start->shared, Worker, false);
            }
        }
        if (allHeld && !shared.waiting.empty()) StartThread(start->shared, Worker, true);
    }
    --shared.running;
    shared.ended.notify_all();
    return 0;
}

void StartThread(const std::shared_ptr<TileFetcher::Shared>& shared, LPTHREAD_START_ROUTINE routine, bool spare) {
    Seat* seat = nullptr;
    if (routine == Worker) {
        const auto free = std::find_if(shared->seats.begin(), shared->seats.end(), [](const auto& s) { return !s->taken; });
        if (free == shared->seats.end()) return;
        seat = free->get();
        seat->spare = spare;
        seat->busy = seat->givenUp = false;
    }
    auto start = std::make_unique<ThreadStart>(ThreadStart{shared, seat});
    const os::KernelHandle thread(CreateThread(nullptr, 0, routine, start.get(), 0, nullptr));
    if (!thread) return;
    start.release();  // the thread owns it now
    if (seat) seat->taken = true;
    ++shared->running;
}

}  // namespace

TileFetcher::TileFetcher(FetcherSettings settings, HWND window, UINT message) : shared(std::make_shared<Shared>()) {
    shared->settings = std::move(settings);
    shared->window = window;
    shared->message = message;
    const int count = std::clamp(shared->settings.threads, 1, 8);
    for (int i = 0; i < kSeatsPerThread * count; ++i) shared->seats.push_back(std::make_unique<Seat>());
    std::lock_guard<std::mutex> lock(shared->mutex);
    for (int i = 0; i < count; ++i) StartThread(shared, Worker, false);
    StartThread(shared, Watch, false);
}

TileFetcher::~TileFetcher() {
    if (!stopped) Stop(kStopWaitMs);
}

bool TileFetcher::Stop(DWORD waitMs) {
    stopped = true;
    {
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->stopping = true;
        shared->waiting.clear();
        for (const auto& seat : shared->seats) seat->slot.Cancel();
    }
    shared->wake.notify_all();
    shared->watch.notify_all();
    std::unique_lock<std::mutex> lock(shared->mutex);
    return shared->ended.wait_for(lock, std::chrono::milliseconds(waitMs), [&] { return shared->running == 0; });
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
