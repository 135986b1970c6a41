// Windows entry point: prepares the process and hands over to the run-mode dispatch. It sits
// above every folder of the program and joins them: the configuration window reaches the host
// from here.
#include <windows.h>
#include <commctrl.h>

#include "app/app_host_win.h"
#include "app/desktop_guard_win.h"
#include "base/com_win.h"
#include "base/optional_api_win.h"
#include "config/theme_editor_win.h"

namespace {

// The editor window runs its own loop; the quit it ends with is posted again so that the host's
// loop, which follows, ends too.
void OpenConfiguration(HINSTANCE instance, HWND owner) {
    PostQuitMessage(orvelle::win::RunThemeEditor(instance, owner));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    orvelle::win::SetProcessDpiAware();
    orvelle::win::InstallDesktopGuard();
    const orvelle::win::ComApartment com(COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 0;
    {
        orvelle::win::AppHostWin host(instance, OpenConfiguration);
        orvelle::StartProgram(host);
        exitCode = host.Run();
    }
    orvelle::win::RestoreDesktop();
    return exitCode;
}
