// The folder import window on the screen: a drive list, the folders of the current folder, the
// picture files in it, Load and Cancel. Not modal.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/dialog_win.h"
#include "config/folder_import.h"

namespace orvelle::win {

// Drives and folders through the system's wide calls.
class FolderListerWin : public FolderLister {
  public:
    std::vector<std::string> Drives() override;
    bool DriveReady(const std::string& drive) override;
    std::vector<std::string> Folders(const std::string& folder) override;
    std::vector<std::string> Files(const std::string& folder) override;
};

class FolderImportWindow : public Dialog {
  public:
    // Shows the window over owner (or brings it forward); imported runs after a Load.
    void Show(HINSTANCE instance, HWND owner, ThemeEditor& editor, const std::string& startFolder,
              std::function<void()> imported);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    // Enter in the folder list opens the folder, as a double-click does, rather than pressing
    // "Load".
    bool PreTranslateMessage(MSG* msg) override;

  private:
    void ShowModel();
    void OpenChosenFolder();
    FolderListerWin lister_;
    std::unique_ptr<FolderImport> model_;
    std::string startFolder_;
    std::function<void()> imported_;
    HWND owner_ = nullptr;
};

}  // namespace orvelle::win
