// The Windows side of the entry procedure: what each run mode does on the system.
#pragma once

#include <windows.h>

#include <memory>

#include "app/start_program.h"
#include "base/owned_win.h"

namespace orvelle::win {

class SaverRun;

// Opens the configuration window of the program; it lives above this host, which only calls it.
// owner: the window the configuration window stays above and centres on, or nullptr.
using ConfigurationOpener = void (*)(HINSTANCE instance, HWND owner);

class AppHostWin : public AppHost {
  public:
    AppHostWin(HINSTANCE instance, ConfigurationOpener openConfiguration);
    ~AppHostWin() override;

    std::int32_t QueryPlatform() override;
    std::string CommandLineArguments() override;
    bool PreviousInstanceRunning() override;
    void OpenConfiguration(std::int32_t ownerWindow) override;
    void ChangePassword(std::int32_t parentWindow) override;
    void ShowPreview(const std::string& rawArguments) override;
    int HidePointerOnce() override;
    void SetPointerPosition(int x, int y) override;
    int ScreenWidthTwips() override;
    int ScreenHeightTwips() override;
    void HideTaskbar() override;
    void OpenSaver(std::int32_t platformId) override;

    // Runs the message loop while a window of the chosen mode is open; the exit code.
    int Run();

  private:
    HINSTANCE instance_;
    ConfigurationOpener openConfiguration_;
    KernelHandle instanceMutex_;
    bool windowOpen_ = false;
    int exitCode_ = 0;
    std::unique_ptr<SaverRun> saver_;
};

}  // namespace orvelle::win
