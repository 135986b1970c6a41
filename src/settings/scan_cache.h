// The walks of one theme's folder entries, kept between runs so that the next run starts from them
// and only looks for what changed. A small text file per theme in the user's local application
// data: each folder entry's pictures (paths and modification times) and skipped files, closed by
// a checksum, so that a damaged or cut file is taken for none at all.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "settings/file_system.h"
#include "settings/folder_walk.h"

namespace orvelle {

struct CachedFolder {
    std::string root;  // the folder entry's folder as walked, ending in "\"
    FolderPictures pictures;
};
using ScanCache = std::vector<CachedFolder>;

// The cache's text, and the cache read back from it (nothing when it is damaged).
std::string ScanCacheText(const ScanCache& cache);
std::optional<ScanCache> ScanCacheFromText(std::string_view text);

// Empty when the file is missing, unreadable or damaged.
ScanCache ReadScanCache(FileSystem& files, const std::string& path);
// Written whole or not at all; false when it could not be.
bool WriteScanCache(FileSystem& files, const std::string& path, const ScanCache& cache);

// The cached walk of root (compared without regard to ASCII case); null when there is none.
const CachedFolder* FindCachedFolder(const ScanCache& cache, const std::string& root);

}  // namespace orvelle
