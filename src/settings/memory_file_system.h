// A FileSystem kept in memory, for tests of the settings code: files are byte strings keyed by
// their exact path, each replace is counted, and chosen paths can be made to fail.
#pragma once

#include <map>
#include <set>
#include <string>

#include "settings/file_system.h"

namespace orvelle {

class MemoryFileSystem : public FileSystem {
  public:
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool ReplaceFile(const std::string& path, const std::string& bytes) override;
    bool FileExists(const std::string& path) override;

    void Put(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }
    void Remove(const std::string& path) { files_.erase(path); }
    // The file's bytes, or "" when it does not exist.
    std::string Get(const std::string& path) const;
    // ReplaceFile on this path fails and leaves the file as it was.
    void FailWritesTo(const std::string& path) { failing_.insert(path); }
    int ReplaceCount(const std::string& path) const;
    int ReadCount(const std::string& path) const;
    int TotalReplaceCount() const;

  private:
    std::map<std::string, std::string> files_;
    std::set<std::string> failing_;
    std::map<std::string, int> replaces_;
    std::map<std::string, int> reads_;
};

}  // namespace orvelle
