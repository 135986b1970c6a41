// Theme and global settings files: the three file paths and the read, write and erase
// operations every other part of the program uses.
//
// Reads and writes go through an in-memory copy of each file (ProfileStore) that keeps the
// system profile functions' reading rules; Flush() writes every changed file once, atomically.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/file_system.h"

namespace orvelle {

class ProfileStore;

class ThemeStorage {
  public:
    // programFolder: the folder the program runs from (a "\" is appended when missing).
    ThemeStorage(FileSystem& files, std::string programFolder);
    ~ThemeStorage();
    ThemeStorage(const ThemeStorage&) = delete;
    ThemeStorage& operator=(const ThemeStorage&) = delete;

    // A missing key, section or file reads as "". Section and key names ignore case.
    void ReadThemeValue(const std::string& section, const std::string& key, std::string& value,
                        const std::string& file);
    std::string ReadThemeValue(const std::string& section, const std::string& key,
                               const std::string& file);
    // Nothing when the file, the section or the key is missing.
    std::optional<std::string> FindThemeValue(const std::string& section, const std::string& key,
                                              const std::string& file);
    // The key names of a section in file order, each once (see ProfileStore::KeyNames).
    std::vector<std::string> ThemeKeyNames(const std::string& section, const std::string& file);
    // Read, missing, or there but unreadable (locked, access denied); the path "" is missing.
    FileState ThemeFileState(const std::string& file);
    // Creates file, section and key as needed; replaces an existing key's value.
    void WriteThemeValue(const std::string& section, const std::string& key,
                         const std::string& value, const std::string& file);
    // Removes the whole section with all its keys.
    void EraseThemeSection(const std::string& section, const std::string& file);
    // Writes every file changed since it was read; false when a file could not be written.
    // Then forgets the cached copies: call it after copying or deleting a theme file, so that
    // the next read sees the file on disk.
    // A write to the empty path (an unsafe theme name's) is refused and makes the next Flush fail.
    bool Flush();
    // The same for one file; the others wait. False also after a refused write to "".
    bool FlushFile(const std::string& file);
    // The file as it is on disk now, and that state put back: its bytes, or no file where there
    // was none. A save that fails halfway puts the files it already wrote back this way.
    FileBytes Snapshot(const std::string& file);
    bool Restore(const std::string& file, const FileBytes& snapshot);

    std::string ProgramFolder() const;  // always ends in "\"
    // The file system the storage works on (for the program's other files).
    FileSystem& Files() { return files_; }
    // "" for a name that would not stay a plain file in the themes folder ("..\\x", "a\\b",
    // "C:x", "con", ""): such a theme reads as missing and is never written.
    std::string ThemeFilePath(const std::string& name) const;
    std::string GlobalSettingsPath() const;
    std::string TemplateThemePath() const;
    std::string SamplePicturePath() const;
    std::string FallbackPicturePath() const;
    // A relative file name in a theme (the bundled themes name their pictures and music this way)
    // is taken relative to the program folder; an absolute one ("C:\..." or "\\server\...") as is.
    std::string ResolveProgramPath(const std::string& path) const;

    // The themes: names of the themes folder's "*.ini" files without the extension, sorted as a
    // file list sorts them.
    std::vector<std::string> ThemeNames();
    bool ThemesFolderExists();
    bool TemplateExists();
    // The template copied byte for byte over (or as) the named theme's file; false when it could
    // not be. Forgets cached copies, as Flush does.
    bool CopyTemplateTo(const std::string& name);
    // False when the file is gone already or could not be deleted.
    bool DeleteTheme(const std::string& name);

    // The sample-picture setup step after installation (see theme_storage.cpp for the marker).
    bool SamplePictureStepDue();
    void WriteSamplePictureIfDue(const std::string& themeFile);

  private:
    FileSystem& files_;
    std::string folder_;
    std::unique_ptr<ProfileStore> store_;
    bool refusedWrite_ = false;
};

}  // namespace orvelle
