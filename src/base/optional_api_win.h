// System calls that a given Windows may lack, loaded at run time in this one place.
#pragma once

#include <windows.h>

#include <string>

namespace orvelle::win {

// mpr!PwdChangePasswordA, the 9x screen-saver password dialog. False when the call is missing.
bool PwdChangePassword(const char* provider, HWND parent);

// password.cpl!VerifyScreenSavePwd. Missing on the NT family; then the password counts as right.
bool VerifyScreenSavePwd(HWND window);

// dwmapi!DwmFlush: waits for the compositor's next frame. False when there is no compositor
// (or no such call), so the caller waits a frame length of its own.
bool DwmFlush();

// Declares the program aware of each monitor's DPI (version 2 where Windows has it, then the
// older per-monitor and system-wide calls), so that nothing it draws is stretched by the system.
void SetProcessDpiAware();

// The DPI of the monitor the window is on (user32!GetDpiForWindow, Windows 10 1607), or the
// system's where that call is missing.
int WindowDpi(HWND window);

// The date in the user's long date format: kernel32!GetDateFormatEx (Vista) with the user's
// locale name, or GetDateFormatW where that call is missing. "" when the system cannot format it.
std::wstring LongDateText(const SYSTEMTIME& date);

}  // namespace orvelle::win
