// The picture list's folder entries as the editor shows them: how many pictures each folder
// holds (counted by a scan beside the window, so a large tree never holds the window up) and its
// first picture in the order the show lists them, for the preview and the viewer. What is shown
// here is never saved: the list keeps each entry's stored text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/folder_scan.h"

namespace orvelle {

// "1,234": thousands set apart by commas.
std::string GroupedNumber(std::int64_t value);

class FolderCounts {
  public:
    // The folders of the list's entries (resolved, ending in "\"): a scan of all of them when one
    // of them is not counted yet, else nothing. cacheFile: the theme's scan cache ("" for none).
    std::optional<ScanRequest> Track(const std::vector<std::string>& roots,
                                     const std::string& cacheFile);
    // Another theme: every count forgotten, a scan under way no longer listened to.
    void Reset();
    // A scan's news; the folders whose text or first picture changed.
    std::vector<std::string> Apply(const ScanNews& news);

    // What the list shows for a folder entry: its stored text, then the count.
    std::string Shown(const std::string& stored, const std::string& root) const;
    // The folder's first picture (its full path); "" while not known, or when it holds none.
    std::string FirstPicture(const std::string& root) const;

  private:
    struct Folder {
        std::string root;
        std::optional<std::int64_t> count;  // once its scan was complete
        std::string first;
        // The scan under way: pictures found so far (shown once whole, so that a count never
        // falls back to "counting" while a known tree is walked again) and its first.
        std::uint32_t ticket = 0;
        std::int64_t found = 0;
        std::string foundFirst;
    };
    Folder* Find(const std::string& root);
    const Folder* Find(const std::string& root) const;
    // The folder's scan is complete with what it found.
    static bool Complete(Folder& folder);

    std::vector<Folder> folders_;
    std::vector<std::string> scanned_;  // the roots of the scan under way, by its root indices
    std::uint32_t ticket_ = 0;
};

}  // namespace orvelle
