#include "config/folder_import.h"

#include <algorithm>

#include "base/text.h"
#include "config/theme_editor.h"
#include "settings/file_system.h"

namespace orvelle {

namespace {

std::string DriveOf(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' ? ToUpperAscii(path.substr(0, 2)) + "\\" : "";
}

}  // namespace

bool IsImportablePicture(std::string_view name) {
    for (const char* pattern : {"*.bmp", "*.gif", "*.dib", "*.jpeg", "*.jpg"}) {
        if (MatchesFilePattern(name, pattern)) {
            return true;
        }
    }
    return false;
}

void FolderImport::Open(const std::string& start) {
    drives = lister_.Drives();
    startDrive = DriveOf(start);
    auto it = std::find(drives.begin(), drives.end(), startDrive);
    drive = it == drives.end() ? (drives.empty() ? -1 : 0) : static_cast<int>(it - drives.begin());
    if (drive >= 0) {
        startDrive = drives[static_cast<std::size_t>(drive)];
    }
    ShowFolder(DriveOf(start) == startDrive ? WithTrailingBackslash(start) : startDrive);
}

void FolderImport::OnDriveChosen(int index) {
    if (index < 0 || index >= static_cast<int>(drives.size())) {
        return;
    }
    const std::string& chosen = drives[static_cast<std::size_t>(index)];
    if (!lister_.DriveReady(chosen)) {
        editor_.Services().ShowError("Device is not ready");
        // Back to the drive the window opened on, not the last one that worked.
        auto start = std::find(drives.begin(), drives.end(), startDrive);
        drive = start == drives.end() ? -1 : static_cast<int>(start - drives.begin());
        if (drive >= 0) {
            ShowFolder(startDrive);
        }
        return;
    }
    drive = index;
    ShowFolder(chosen);
}

bool FolderImport::AtRoot() const {
    return folder.size() <= 3;
}

void FolderImport::OnFolderChosen(int index) {
    const int offset = AtRoot() ? 0 : 1;
    if (index < 0 || index >= static_cast<int>(folderEntries.size())) {
        return;
    }
    if (index < offset) {
        const std::size_t slash = folder.find_last_of('\\', folder.size() - 2);
        ShowFolder(folder.substr(0, slash + 1));
        return;
    }
    ShowFolder(folder + subfolders_[static_cast<std::size_t>(index - offset)] + "\\");
}

void FolderImport::ShowFolder(const std::string& path) {
    folder = WithTrailingBackslash(path);
    subfolders_ = lister_.Folders(folder);
    folderEntries.clear();
    if (!AtRoot()) {
        folderEntries.push_back("..");
    }
    for (const std::string& name : subfolders_) {
        folderEntries.push_back("[" + name + "]");
    }
    files.clear();
    for (const std::string& name : lister_.Files(folder)) {
        if (IsImportablePicture(name)) {
            files.push_back(name);
        }
    }
}

bool FolderImport::OnLoad() {
    std::vector<std::string> paths;
    paths.reserve(files.size());
    for (const std::string& name : files) {
        paths.push_back(folder + name);
    }
    editor_.images.ImportPictures(paths);
    return true;
}

}  // namespace orvelle
