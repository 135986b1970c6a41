#include "settings/folder_scan.h"

#include <utility>

#include "settings/scan_cache.h"

namespace orvelle {

namespace {

class Scan {
  public:
    Scan(FileSystem& files, const ScanRequest& request, const PictureExtensions& extensions,
         ScanSink& sink)
        : files_(files), request_(request), extensions_(extensions), sink_(sink) {}

    void Run();

  private:
    void Hand(ScanNews::Kind kind, int root, bool complete, FolderPictures pictures) {
        sink_.Hand(ScanNews{request_.ticket, kind, root, complete, std::move(pictures)});
    }
    // Walks one tree; nothing when the scan was stopped. listed tells whether its folder could
    // be read at all.
    std::optional<FolderPictures> Walk(int root, bool handAsFound, bool& listed);

    FileSystem& files_;
    const ScanRequest& request_;
    const PictureExtensions& extensions_;
    ScanSink& sink_;
};

std::optional<FolderPictures> Scan::Walk(int root, bool handAsFound, bool& listed) {
    FolderWalk walk(files_, request_.roots[static_cast<std::size_t>(root)], extensions_);
    FolderPictures all;
    bool more = true;
    while (more) {
        if (!sink_.KeepGoing()) {
            return std::nullopt;
        }
        more = walk.Step();
        FolderPictures found = walk.TakeFound();
        all.paths.Append(found.paths);
        all.modified.insert(all.modified.end(), found.modified.begin(), found.modified.end());
        all.skipped += found.skipped;
        if (handAsFound && (!found.paths.Empty() || !more)) {
            Hand(ScanNews::Found, root, !more, std::move(found));
        }
    }
    listed = walk.RootListed();
    return all;
}

void Scan::Run() {
    const ScanCache old = ReadScanCache(files_, request_.cacheFile);
    const int roots = static_cast<int>(request_.roots.size());
    std::vector<const CachedFolder*> cached(request_.roots.size());
    for (int i = 0; i < roots; ++i) {
        cached[i] = FindCachedFolder(old, request_.roots[static_cast<std::size_t>(i)]);
        if (request_.fromCache && cached[i]) {
            Hand(ScanNews::Whole, i, true, cached[i]->pictures);
        }
    }
    ScanCache fresh;
    for (int i = 0; i < roots; ++i) {
        const std::string& root = request_.roots[static_cast<std::size_t>(i)];
        if (cached[i] && request_.fromCache && !request_.walkCached) {
            fresh.push_back(*cached[i]);
            continue;
        }
        // A tree first seen in this run's first scan is shown while it is found.
        const bool asFound = request_.fromCache && !cached[i];
        bool listed = false;
        std::optional<FolderPictures> walked = Walk(i, asFound, listed);
        if (!walked) {
            return;
        }
        if (!listed) {
            // Offline or gone for now: what was known stays, for the cache as for the show.
            if (cached[i]) {
                fresh.push_back(*cached[i]);
            }
            if (!asFound) {
                Hand(ScanNews::Unchanged, i, true, {});
            }
            continue;
        }
        if (asFound) {
            // Handed on as found; the cache keeps it whole.
            fresh.push_back({root, std::move(*walked)});
            continue;
        }
        const bool same = cached[i] && cached[i]->pictures == *walked;
        if (same) {
            Hand(ScanNews::Unchanged, i, true, {});
        } else {
            Hand(ScanNews::Whole, i, true, *walked);
        }
        fresh.push_back({root, std::move(*walked)});
    }
    if (ScanCacheText(fresh) != ScanCacheText(old)) {
        WriteScanCache(files_, request_.cacheFile, fresh);
    }
    Hand(ScanNews::Finished, -1, true, {});
}

}  // namespace

void RunFolderScan(FileSystem& files, const ScanRequest& request,
                   const PictureExtensions& extensions, ScanSink& sink) {
    Scan(files, request, extensions, sink).Run();
}

}  // namespace orvelle
