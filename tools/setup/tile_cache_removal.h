// Removing the map's tile cache on uninstall: only what the map wrote there, found by its names
// (map/cache_walk.h: the tiles and the temporary files a write in progress leaves), then the
// folders so emptied. A link or junction anywhere is neither entered nor removed, and anything
// else there stays.
#pragma once

#include "os/path.h"

namespace vondrel::setup {

struct CacheRemoval {
    int files = 0;           // tile files removed
    int folders = 0;         // folders removed (those left empty)
    int left = 0;            // entries left in place: not the map's, or not removable
};

// Removes the cache below `appFolder` (%LOCALAPPDATA%\Vondrel): its folder "tiles", then
// `appFolder` itself when nothing else is left in it.
CacheRemoval RemoveTileCache(const os::Path& appFolder);

}  // namespace vondrel::setup
