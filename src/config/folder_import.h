// The folder import window FolderImport: choose a drive and a folder, see the picture files in it,
// and append them all to the editor's picture list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvelle {

class ThemeEditor;

// What the import window reads of the machine's drives and folders.
class FolderLister {
  public:
    virtual ~FolderLister() = default;
    // Drive roots such as "C:\".
    virtual std::vector<std::string> Drives() = 0;
    // False for a drive that cannot be read now (an empty removable drive).
    virtual bool DriveReady(const std::string& drive) = 0;
    // Names of the folders and of the files directly inside folder, sorted as a user expects.
    virtual std::vector<std::string> Folders(const std::string& folder) = 0;
    virtual std::vector<std::string> Files(const std::string& folder) = 0;
};

// "*.bmp;*.gif;*.dib;*.jpeg;*.jpg", letters in any case.
bool IsImportablePicture(std::string_view name);

class FolderImport {
  public:
    FolderImport(ThemeEditor& editor, FolderLister& lister) : editor_(editor), lister_(lister) {}

    // Opens on the folder (the program's own, say) and its drive.
    void Open(const std::string& folder);
    void OnDriveChosen(int index);
    // An entry of the folder list chosen: index 0 is the way up ("..") unless at a drive root.
    void OnFolderChosen(int index);
    // "Load": appends every listed file; true, the window closes.
    bool OnLoad();
    // "Cancel": nothing is added; true, the window closes.
    bool OnCancel() { return true; }

    std::vector<std::string> drives;
    int drive = -1;
    std::string startDrive;
    std::string folder;                      // always ends in "\"
    std::vector<std::string> folderEntries;  // what the folder list shows
    std::vector<std::string> files;

  private:
    void ShowFolder(const std::string& path);
    bool AtRoot() const;
    ThemeEditor& editor_;
    FolderLister& lister_;
    std::vector<std::string> subfolders_;
};

}  // namespace orvelle
