// The file operations the settings code needs, with UTF-8 paths as the rest of the program uses
// them. The Win32 side implements them with the system's file calls; unit tests use
// an in-memory fake.
#pragma once

#include <optional>
#include <string>

namespace orvelle {

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Whole file as bytes; nothing when it does not exist or cannot be read.
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // Replaces the file as a whole: written to a temporary file in the same folder, then moved
    // over the old one, so that a reader sees either the old or the new file, never a mixture.
    // False when it could not be done (the old file is then left as it was).
    virtual bool ReplaceFile(const std::string& path, const std::string& bytes) = 0;
    virtual bool FileExists(const std::string& path) = 0;
};

}  // namespace orvelle
