// One scan of a theme's folder entries, as a worker runs it beside the window's thread: what the
// cache holds is handed on first, then each folder tree is walked, a tree never seen before as
// its pictures are found, a known one whole once walked and only when it changed; the cache is
// written last.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/file_system.h"
#include "settings/folder_walk.h"

namespace orvelle {

struct ScanRequest {
    std::uint32_t ticket = 0;
    std::vector<std::string> roots;  // the folders, each once, ending in "\"
    std::string cacheFile;           // "" for none
    // The run's first scan: cached trees are handed on from the cache at once; a tree the cache
    // lacks is handed on as it is found.
    bool fromCache = true;
    // Trees handed on from the cache are walked too (a later scan walks every tree).
    bool walkCached = true;
};

// What the scan hands on about one of its roots, or that it is over.
struct ScanNews {
    enum Kind : std::uint8_t {
        Found,      // more pictures, in list order, after those handed on before
        Whole,      // every picture of the tree (from the cache, or walked and changed)
        Unchanged,  // walked: nothing changed since what was handed on
        Finished,   // the scan is over (root is -1)
    };
    std::uint32_t ticket = 0;
    Kind kind = Found;
    int root = -1;
    bool complete = false;  // the tree's pictures are all handed on
    FolderPictures pictures;
};

class ScanSink {
  public:
    virtual ~ScanSink() = default;
    virtual void Hand(ScanNews news) = 0;
    // False once the scan is no longer wanted; checked between folders.
    virtual bool KeepGoing() = 0;
};

void RunFolderScan(FileSystem& files, const ScanRequest& request,
                   const PictureExtensions& extensions, ScanSink& sink);

}  // namespace orvelle
