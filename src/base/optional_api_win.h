// System calls that a given Windows may lack, loaded at run time in this one place.
#pragma once

#include <windows.h>

namespace orvelle::win {

// mpr!PwdChangePasswordA, the 9x screen-saver password dialog. False when the call is missing.
bool PwdChangePassword(const char* provider, HWND parent);

// password.cpl!VerifyScreenSavePwd. Missing on the NT family; then the password counts as right.
bool VerifyScreenSavePwd(HWND window);

// dwmapi!DwmFlush: waits for the compositor's next frame. False when there is no compositor
// (or no such call), so the caller waits a frame length of its own.
bool DwmFlush();

// user32!SetProcessDPIAware (Vista and later): pictures and text drawn at the screen's real
// resolution rather than stretched by the system. Does nothing where the call is missing.
void SetProcessDpiAware();

}  // namespace orvelle::win
