// For Windows tests run under Wine: the loopback tile server scripts/tile_server.py, started as a
// Unix process by the test and stopped by it, whose behaviour and request log the test controls
// and reads. Every program a test starts gets a tile URL and cache of the test's own (see
// tile_environment.cpp), so no test reaches beyond the loopback address.
#pragma once

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vondrel::test {

// The Unix path of a Windows path (Wine), or "" when not under Wine.
std::string UnixPath(const std::string& windowsPath);

class TileServer {
public:
    // Starts the server (its landmarks file, if given, is a Unix path); Started() tells whether it
    // listens.
    explicit TileServer(const std::string& landmarks = "");
    ~TileServer();
    TileServer(const TileServer&) = delete;
    TileServer& operator=(const TileServer&) = delete;

    bool Started() const { return port != 0; }
    // http://127.0.0.1:PORT/{layer}/{z}/{x}/{y}.{ext}
    std::string UrlTemplate() const;
    // "serve", "hang" (never answers), "garbage" (bytes that are no image) or "notfound".
    void SetMode(const std::string& mode) const;
    // One line per request so far: "PATH USER-AGENT".
    std::vector<std::string> Requests() const;
    // Stops it and waits until it is gone (a later request is refused).
    void Stop();

private:
    TempDir dir;
    int port = 0;
};

// Sets TARVIX_TILE_URL and TARVIX_TILE_CACHE for the programs this process starts from now on;
// Restore puts back the tests' defaults (a refused loopback port and a cache of the run's own).
void UseTiles(const std::string& urlTemplate, const std::string& cacheFolder);
void RestoreTileDefaults();

}  // namespace vondrel::test
