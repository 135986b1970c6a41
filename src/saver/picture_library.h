// The pictures a run can show: the theme's picture list, each entry a picture file or a folder
// that stands for every picture below it. A folder's pictures come in from its scan as they are
// found; until its scan is complete the folder may hold more than is known.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/folder_scan.h"
#include "settings/folder_walk.h"

namespace orvelle {

// A picture of the list: its entry and, for a folder entry, its place among the folder's
// pictures. Entry -1 is no picture at all (the fallback stands in).
struct PicturePlace {
    std::int32_t entry = -1;
    std::int32_t picture = 0;
    bool operator==(const PicturePlace&) const = default;
};

// A folder entry: its text as stored ends in "\".
bool IsFolderEntry(std::string_view stored);

class PictureLibrary {
  public:
    // stored: the picture list as the theme holds it, its first `entries` taken; it must
    // outlive the library. resolve turns a stored path into the one to open.
    PictureLibrary(const std::vector<std::string>& stored, std::size_t entries,
                   const std::function<std::string(const std::string&)>& resolve);

    std::int32_t Entries() const { return static_cast<std::int32_t>(rootOf_.size()); }
    const std::string& Stored(std::int32_t entry) const { return stored_[Index(entry)]; }
    bool IsFolder(std::int32_t entry) const { return rootOf_[Index(entry)] >= 0; }
    // Pictures known: 1 for a file entry.
    std::int32_t Pictures(std::int32_t entry) const;
    // All of the entry's pictures are known (always, for a file entry).
    bool Complete(std::int32_t entry) const;
    bool AllComplete() const;
    // The picture's path below its folder ("" for a file entry).
    std::string_view PictureName(const PicturePlace& place) const;
    // The file to open for the picture ("" for no picture or an empty entry).
    std::string PicturePath(const PicturePlace& place) const;
    // Every picture known, and the one at a place in list order 0 .. Total() - 1.
    std::int64_t Total() const;
    PicturePlace At(std::int64_t index) const;
    // Changes whenever the pictures known change.
    std::uint64_t Version() const { return version_; }

    // The folders to scan, each once, as resolved (ending in "\").
    const std::vector<std::string>& Roots() const { return roots_; }
    // What a scan handed on about one of them.
    void Apply(const ScanNews& news);
    // Files below the folders that are no pictures, as their scans counted them.
    int SkippedFiles() const;

  private:
    struct Root {
        NameList pictures;
        bool complete = false;
        int skipped = 0;
    };
    static std::size_t Index(std::int32_t entry) { return static_cast<std::size_t>(entry); }
    void Count() const;

    const std::vector<std::string>& stored_;
    std::vector<std::string> roots_;
    std::vector<std::int32_t> rootOf_;  // per entry: its folder's root, or -1
    std::vector<Root> found_;           // per root
    std::uint64_t version_ = 0;
    // Pictures before each entry in list order, counted again after a change.
    mutable std::vector<std::int64_t> before_;
    mutable std::uint64_t countedVersion_ = ~0ull;
};

}  // namespace orvelle
