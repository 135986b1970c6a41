// A folder entry's pictures: its folder tree walked in list order, one folder listed per step, so
// that what is found can be handed on as it comes and the walk stopped at any time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/file_system.h"

namespace orvelle {

// Many short texts in one block (the pictures of a large tree take a few bytes each).
class NameList {
  public:
    void Add(std::string_view name);
    void Append(const NameList& other);
    std::size_t Size() const { return ends_.size(); }
    bool Empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const;
    void Clear();
    bool operator==(const NameList& other) const = default;

  private:
    std::string text_;
    std::vector<std::uint32_t> ends_;
};

// The file name extensions of pictures, as ".jpg", matched without regard to case.
class PictureExtensions {
  public:
    PictureExtensions() = default;
    explicit PictureExtensions(const std::vector<std::string>& extensions);
    bool Matches(std::string_view fileName) const;
    const std::vector<std::string>& List() const { return extensions_; }

  private:
    std::vector<std::string> extensions_;  // lower case, sorted
};

// What a walk found below its folder.
struct FolderPictures {
    NameList paths;                       // below the folder ("2019\\05\\a.jpg"), in list order
    std::vector<std::uint64_t> modified;  // each picture's last write in seconds since 1601
    int skipped = 0;                      // files that are no picture of a known kind
    bool operator==(const FolderPictures& other) const = default;
};

// The walk: each folder's files and subfolders together by NaturalNameLess, a subfolder's whole
// tree where its name comes, so pictures are found in the order the show lists them. Hidden and
// system items are passed by, links to folders not followed.
class FolderWalk {
  public:
    // root: the folder, with or without its final "\".
    FolderWalk(FileSystem& files, const std::string& root, const PictureExtensions& extensions);

    // Lists the next folder; false once the tree has been walked.
    bool Step();
    bool Done() const { return started_ && stack_.empty(); }
    // False when the folder itself could not be listed (missing, offline, no access).
    bool RootListed() const { return rootListed_; }
    // The pictures found since the last call, in list order.
    FolderPictures TakeFound();

  private:
    struct Frame {
        std::string folder;  // below the root, "" or ending in "\"
        std::vector<FolderItem> items;
        std::size_t next = 0;
    };
    bool Enter(const std::string& folder);

    FileSystem& files_;
    std::string root_;
    const PictureExtensions& extensions_;
    std::vector<Frame> stack_;
    FolderPictures found_;
    bool started_ = false;
    bool rootListed_ = false;
};

// The whole walk at once.
FolderPictures WalkFolder(FileSystem& files, const std::string& root,
                          const PictureExtensions& extensions, bool* listed = nullptr);

}  // namespace orvelle
