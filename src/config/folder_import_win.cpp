#include "config/folder_import_win.h"

#include <algorithm>
#include <memory>

#include "base/controls_win.h"
#include "base/wide_win.h"
#include "config/control_ids.h"

namespace orvelle::win {

namespace {

bool NameLess(const std::string& a, const std::string& b) {
    return lstrcmpiW(Wide(a).c_str(), Wide(b).c_str()) < 0;
}

std::vector<std::string> Entries(const std::string& folder, bool folders) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    HANDLE first = FindFirstFileExW(Wide(folder + "*").c_str(), FindExInfoBasic, &found,
                                    FindExSearchNameMatch, nullptr, 0);
    if (first == INVALID_HANDLE_VALUE) {
        return names;
    }
    const std::unique_ptr<void, decltype(&FindClose)> search(first, &FindClose);
    do {
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const std::string name = Narrow(found.cFileName);
        if (isFolder == folders && name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

}  // namespace

std::vector<std::string> FolderListerWin::Drives() {
    std::vector<std::string> drives;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (mask & (1u << i)) {
            drives.push_back(std::string(1, static_cast<char>('A' + i)) + ":\\");
        }
    }
    return drives;
}

bool FolderListerWin::DriveReady(const std::string& drive) {
    // No "insert a disk" box from the system: an empty drive is simply not ready.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    const bool ready = GetVolumeInformationW(Wide(drive).c_str(), nullptr, 0, nullptr, nullptr,
                                             nullptr, nullptr, 0) != 0;
    SetErrorMode(previous);
    return ready;
}

std::vector<std::string> FolderListerWin::Folders(const std::string& folder) {
    return Entries(folder, true);
}

std::vector<std::string> FolderListerWin::Files(const std::string& folder) {
    return Entries(folder, false);
}

void FolderImportWindow::Show(HINSTANCE instance, HWND owner, ThemeEditor& editor,
                              const std::string& startFolder, std::function<void()> imported) {
    if (Handle()) {
        SetForegroundWindow(Handle());
        return;
    }
    owner_ = owner;
    model_ = std::make_unique<FolderImport>(editor, lister_);
    startFolder_ = startFolder;
    imported_ = std::move(imported);
    if (Create(instance, IDD_IMPORT, owner)) {
        CenterWindow(Handle(), owner);
        ShowWindow(Handle(), SW_SHOW);
    }
}

bool FolderImportWindow::OnInitDialog() {
    model_->Open(startFolder_);
    ShowModel();
    return true;
}

void FolderImportWindow::ShowModel() {
    HWND drives = Item(IDC_IMPORT_DRIVES);
    ComboClear(drives);
    for (const std::string& drive : model_->drives) {
        ComboAdd(drives, drive);
    }
    ComboSelect(drives, model_->drive);
    SetItemText(IDT_IMPORT_FOLDER, model_->folder);
    for (auto [id, entries] : {std::pair{IDL_IMPORT_FOLDERS, &model_->folderEntries},
                               std::pair{IDL_IMPORT_FILES, &model_->files}}) {
        HWND list = Item(id);
        ListClear(list);
        ListFill fill(list, static_cast<int>(entries->size()), 0);
        for (const std::string& entry : *entries) {
            fill.Add(entry);
        }
    }
}

void FolderImportWindow::OpenChosenFolder() {
    HWND folders = Item(IDL_IMPORT_FOLDERS);
    model_->OnFolderChosen(ListSelection(folders));
    ShowModel();
    // The first entry of the new folder, for the arrow keys and Enter to go on from.
    if (ListCount(folders) > 0) {
        ListSelect(folders, 0);
    }
}

bool FolderImportWindow::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN &&
        msg->hwnd == Item(IDL_IMPORT_FOLDERS)) {
        OpenChosenFolder();
        return true;
    }
    return false;
}

bool FolderImportWindow::OnCommand(int id, int code, HWND) {
    switch (id) {
        case IDC_IMPORT_DRIVES:
            if (code == CBN_SELCHANGE) {
                model_->OnDriveChosen(ComboSelection(Item(id)));
                ShowModel();
            }
            return true;
        case IDL_IMPORT_FOLDERS:
            if (code == LBN_DBLCLK) {
                OpenChosenFolder();
            }
            return true;
        case IDB_IMPORT_LOAD:
        case IDB_IMPORT_CANCEL: {
            if (code != BN_CLICKED) {
                return false;
            }
            const bool load = id == IDB_IMPORT_LOAD;
            if (load ? model_->OnLoad() : model_->OnCancel()) {
                if (load && imported_) {
                    imported_();
                }
                Close();
                if (owner_ && IsWindow(owner_)) {
                    SetForegroundWindow(owner_);
                }
            }
            return true;
        }
        default:
            return false;
    }
}

}  // namespace orvelle::win
