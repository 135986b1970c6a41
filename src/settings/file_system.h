// The file operations the settings code needs, with UTF-8 paths as the rest of the program uses
// them. The Win32 side implements them with the system's file calls; unit tests use
// an in-memory fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// <windows.h>, included before this in a Win32 file, may rename ReplaceFile to ReplaceFileW,
// which would rename the member below in that file only.
#ifdef ReplaceFile
#undef ReplaceFile
#endif

namespace orvelle {

// What a read found. A file that exists but cannot be read (another program holds it locked, a
// read error) must not be taken for a missing one: writing "the missing file" would replace it.
enum class FileState : std::uint8_t { Read, Missing, Unreadable };

struct FileBytes {
    FileState state = FileState::Missing;
    std::string bytes;  // empty unless state is Read
};

// One file or folder found in a folder.
struct FolderItem {
    std::string name;  // no folder
    bool folder = false;
    // Hidden or system (Thumbs.db, desktop.ini, the recycle bin): a walk passes it by, as
    // Explorer does.
    bool hidden = false;
    // A junction or symbolic link to a folder: not followed, since it may lead back up.
    bool link = false;
    std::uint64_t modified = 0;  // last write, in 100 ns steps since 1601 (the system's unit)
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual FileBytes ReadWholeFile(const std::string& path) = 0;
    // Whole file as bytes; nothing when it does not exist or cannot be read.
    std::optional<std::string> ReadFile(const std::string& path) {
        FileBytes read = ReadWholeFile(path);
        if (read.state != FileState::Read) {
            return std::nullopt;
        }
        return std::move(read.bytes);
    }
    // Replaces the file as a whole: written to a temporary file in the same folder, then moved
    // over the old one, so that a reader sees either the old or the new file, never a mixture.
    // False when it could not be done (the old file is then left as it was).
    virtual bool ReplaceFile(const std::string& path, const std::string& bytes) = 0;
    virtual bool FileExists(const std::string& path) = 0;

    // Names (no folder) of the files, not folders, in the folder whose names match the pattern
    // as MatchesFilePattern does; in no particular order. Empty when the folder does not exist.
    virtual std::vector<std::string> FindFiles(const std::string& folder,
                                               const std::string& pattern) = 0;
    // Byte-for-byte copy. Fails when the source is missing, when the target exists and
    // overwrite is false, or when the target's folder does not exist. The copy can be written
    // even when the source is read-only (a theme starts as a copy of the installed template).
    virtual bool CopyWholeFile(const std::string& from, const std::string& to, bool overwrite) = 0;
    // False when the file does not exist or could not be deleted.
    virtual bool RemoveFile(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // Every file and folder directly in the folder, "." and ".." left out, in no particular
    // order. Nothing when the folder cannot be listed (missing, no access); empty when it is
    // empty.
    virtual std::optional<std::vector<FolderItem>> ListFolder(const std::string& folder) = 0;
    // Makes the folder and any missing above it; true when it exists afterwards.
    virtual bool CreateFolder(const std::string& path) = 0;
};

// A file name against a pattern with "*" (any run of characters) and "?" (any one character),
// ASCII letters matched without regard to case: "*.ini" takes "Holiday.2001.INI" but not
// "notes.ini.bak".
bool MatchesFilePattern(std::string_view name, std::string_view pattern);

}  // namespace orvelle
