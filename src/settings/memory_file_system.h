// A FileSystem kept in memory, for tests of the settings code: files are byte strings keyed by
// their exact path, each replace is counted, and chosen paths can be made to fail. A folder
// exists once a file has been put below it or it has been added; it stays when its files go.
#pragma once

#include <map>
#include <set>
#include <string>

#include "settings/file_system.h"

namespace orvelle {

class MemoryFileSystem : public FileSystem {
  public:
    FileBytes ReadWholeFile(const std::string& path) override;
    bool ReplaceFile(const std::string& path, const std::string& bytes) override;
    bool FileExists(const std::string& path) override;
    std::vector<std::string> FindFiles(const std::string& folder,
                                       const std::string& pattern) override;
    bool CopyWholeFile(const std::string& from, const std::string& to, bool overwrite) override;
    bool RemoveFile(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    std::optional<std::vector<FolderItem>> ListFolder(const std::string& folder) override;
    bool CreateFolder(const std::string& path) override;

    // Each put file is written later than the one before, unless a time is given.
    void Put(const std::string& path, std::string bytes);
    // An empty folder (and the folders above it).
    void AddFolder(const std::string& path);
    void Remove(const std::string& path) { files_.erase(path); }
    void SetModified(const std::string& path, std::uint64_t time) { modified_[path] = time; }
    // Listed as hidden (or system), or as a link to a folder.
    void Hide(const std::string& path) { hidden_.insert(path); }
    void MakeLink(const std::string& folder);
    // Listing the folder fails, as for one without access.
    void FailListingOf(const std::string& folder) { unlisted_.insert(folder); }
    // The file's bytes, or "" when it does not exist.
    std::string Get(const std::string& path) const;
    // ReplaceFile, CopyWholeFile onto and RemoveFile of this path fail and leave it as it was.
    void FailWritesTo(const std::string& path) { failing_.insert(path); }
    // The file exists but reading it fails, as when another program holds it locked.
    void FailReadsOf(const std::string& path) { unreadable_.insert(path); }
    int ReplaceCount(const std::string& path) const;
    int ReadCount(const std::string& path) const;
    int TotalReplaceCount() const;

  private:
    std::map<std::string, std::string> files_;
    std::set<std::string> folders_;  // without a trailing "\"
    std::set<std::string> failing_;
    std::set<std::string> unreadable_;
    std::set<std::string> hidden_;
    std::set<std::string> links_;
    std::set<std::string> unlisted_;
    std::map<std::string, std::uint64_t> modified_;
    std::uint64_t clock_ = 0;
    std::map<std::string, int> replaces_;
    std::map<std::string, int> reads_;
};

}  // namespace orvelle
