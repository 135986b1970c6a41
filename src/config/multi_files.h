// The folder import window MultiFiles: choose a drive and a folder, see the picture files in it,
// and append them all to the editor's picture list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvelle {

class Form2;

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

class MultiFiles {
  public:
    MultiFiles(Form2& form, FolderLister& lister) : form_(form), lister_(lister) {}

    // Opens on the folder (the program's own, say) and its drive.
    void Form_Load(const std::string& folder);
    void drvDrives_Change(int index);
    // An entry of the folder list chosen: index 0 is the way up ("..") unless at a drive root.
    void dirDirectories_Change(int index);
    // "Load": appends every listed file; true, the window closes.
    bool Command1_Click();
    // "Cancel": nothing is added; true, the window closes.
    bool cmdQuit_Click() { return true; }

    std::vector<std::string> drives;
    int drive = -1;
    std::string startDrive;
    std::string folder;                      // always ends in "\"
    std::vector<std::string> folderEntries;  // what the folder list shows
    std::vector<std::string> files;

  private:
    void ShowFolder(const std::string& path);
    bool AtRoot() const;
    Form2& form_;
    FolderLister& lister_;
    std::vector<std::string> subfolders_;
};

}  // namespace orvelle
