// The settings files on disk: UTF-8 paths through the system's wide file calls, and the system's
// ANSI code page for profile files saved without a byte-order mark.
#pragma once

#include <windows.h>
// <windows.h> may rename ReplaceFile to ReplaceFileA or ReplaceFileW, which would rename
// FileSystem's member in every file that includes both; the system call is named ReplaceFileW
// where it is meant.
#ifdef ReplaceFile
#undef ReplaceFile
#endif

#include "settings/file_system.h"
#include "settings/profile_store.h"

namespace orvelle::win {

class WinFileSystem : public FileSystem, public AnsiCodec {
  public:
    FileBytes ReadWholeFile(const std::string& path) override;
    // Writes a temporary file beside the target, forces it to disk, then moves it over the
    // target in one step. A read-only or locked target stays as it was.
    bool ReplaceFile(const std::string& path, const std::string& bytes) override;
    bool FileExists(const std::string& path) override;

    std::optional<std::string> ToAnsi(std::u16string_view text) const override;
    std::u16string FromAnsi(std::string_view text) const override;

    std::vector<std::string> FindFiles(const std::string& folder,
                                       const std::string& pattern) override;
    bool CopyWholeFile(const std::string& from, const std::string& to, bool overwrite) override;
    bool RemoveFile(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    std::optional<std::vector<FolderItem>> ListFolder(const std::string& folder) override;
    bool CreateFolder(const std::string& path) override;
};

}  // namespace orvelle::win
