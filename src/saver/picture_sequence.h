// The run's pictures one after another: the theme's list with its folders' pictures (found by
// scans on a worker, handed in as they come), the order they come in, where the last run stopped,
// and how often the change timer fires.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "saver/picture_library.h"
#include "saver/picture_order.h"
#include "settings/folder_scan.h"
#include "settings/run_state.h"

namespace orvelle {

class FileSystem;
class RandomSource;
class ThemeStorage;
struct SaverSettings;

class PictureSequence {
  public:
    // settings: the run's, read already (they must outlive the sequence). stateFolder: where
    // the theme's state is kept ("" for nowhere).
    PictureSequence(const SaverSettings& settings, ThemeStorage& storage,
                    const std::string& stateFolder);

    const PictureLibrary& Library() const { return library_; }
    OrderKind Kind() const { return order_.Kind(); }

    // Picks the picture after the last one picked (the run's first before any). False while
    // the folders' scans have not found it yet; a scan's news then makes it known.
    bool Pick(RandomSource& random);
    bool Known() const { return known_; }
    // Changes with every pick.
    std::uint32_t Serial() const { return serial_; }
    // The picked picture's entry (-1 for none: the fallback stands in), its file ("" for none)
    // and whether it comes from a folder (a file there that cannot be shown is passed by).
    std::int32_t Entry() const { return place_.entry; }
    std::string Path() const;
    // The file of any picture of the library ("" for none).
    std::string PathOf(const PicturePlace& place) const;
    bool FromFolder() const;
    // The picked picture is on screen.
    void Shown();
    // The picked picture, from a folder, could not be shown: the next is picked in its place,
    // or, after a whole round of such, none at all. False while the next is not known yet.
    bool PassBy(RandomSource& random);

    // A scan's news. True when the picked picture was not known and now is.
    bool Scanned(const ScanNews& news, RandomSource& random, bool wanted);
    // The scan to start now, if one is due: the first at load, the walk of the trees that came
    // from the cache once the first picture shows, a new look after each full pass.
    std::optional<ScanRequest> TakeScan();

    // Keeps where the show stopped, for the next run (only for themes that carry on).
    void SaveState();

  private:
    ScanRequest Request(bool fromCache, bool walkCached);

    const SaverSettings& settings_;
    ThemeStorage& storage_;
    FileSystem& files_;
    PictureLibrary library_;
    PictureOrder order_;
    std::string statePath_;
    std::string cachePath_;
    RunState state_;

    PicturePlace place_;
    bool known_ = false;
    std::uint32_t serial_ = 0;
    std::int64_t passedBy_ = 0;  // pictures passed by since one was shown

    std::uint32_t ticket_ = 0;
    bool scanning_ = false;
    bool firstScanDone_ = false;
    bool cachedTrees_ = false;  // trees came from the cache and are still to be walked
    bool anyShown_ = false;
    bool lookAgain_ = false;  // a pass ended: the folders are looked at again
};

// timeInterval seconds as a timer interval in milliseconds (rounded, never negative).
int ChangeIntervalMs(const std::string& timeInterval);

// While a change runs the change timer is pushed this far out so no tick lands in its pause.
constexpr int kChangeGuardIntervalMs = 60000;

}  // namespace orvelle
