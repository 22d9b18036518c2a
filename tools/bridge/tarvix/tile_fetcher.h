// Fetches tiles on background threads so the window never waits: each wanted tile is read from
// the disk cache (a stale one is shown at once and fetched again) or fetched with WinHTTP,
// decoded with WIC, written to the cache, and handed back through a queue; the window is told
// with a posted message when results are waiting. The cache is trimmed between tiles. A watch
// thread ends every request at its deadline and, when every thread is held by a slow request
// while tiles wait, starts a spare thread for them (it ends once nothing waits).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "map/tile_book.h"
#include "map/tile_source.h"

namespace vondrel::tarvix {

struct FetcherSettings {
    std::string urlTemplate;  // TileUrl's form
    std::wstring cacheRoot;   // empty: no disk cache
    std::wstring userAgent;
    DWORD timeoutMs = 10000;
    int threads = 4;          // and up to as many spares
};

struct TileResult {
    enum class Source { kCache, kStaleCache, kNetwork, kFailed, kNotFound };
    TileKey key;
    Source source = Source::kFailed;
    std::shared_ptr<const TilePixels> pixels;  // for kCache, kStaleCache and kNetwork
    std::size_t bytes = 0;
    std::string detail;  // why it failed
};

const char* SourceName(TileResult::Source source);

class TileFetcher {
public:
    // Results are announced by posting `message` to `window` (once per batch).
    TileFetcher(FetcherSettings settings, HWND window, UINT message);
    // Stop(kStopWaitMs) unless stopped before.
    ~TileFetcher();
    TileFetcher(const TileFetcher&) = delete;
    TileFetcher& operator=(const TileFetcher&) = delete;

    // The tiles to fetch, in order; replaces what was still waiting. Tiles already in flight
    // are not asked for twice.
    void Want(const std::vector<TileKey>& keys);
    std::vector<TileResult> TakeResults();
    // Cancels what is in flight and waits up to `waitMs` for the threads; false when one has
    // not ended by then (it is left to end with the process).
    bool Stop(DWORD waitMs);
    static constexpr DWORD kStopWaitMs = 500;

    // The queues and settings the threads share (they keep it alive while they run).
    struct Shared;

private:
    std::shared_ptr<Shared> shared;
    bool stopped = false;
};

}  // namespace vondrel::tarvix
