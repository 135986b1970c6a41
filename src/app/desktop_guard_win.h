// Gives back what the full-screen run took from the desktop (the task bar, the pointer) on every
// way the process ends where it can still act: the normal end, an unexpected error, a close
// from outside, the session ending.
#pragma once

#include <windows.h>

namespace orvelle::win {

// Installs the crash and exit hooks once.
void InstallDesktopGuard();
// Remember what was hidden, so that it is given back if the run does not end normally.
void NoteTaskbarHidden(HWND taskbar);
void NotePointerHidden();
// Shows the task bar and the pointer again if they are still hidden. Safe to call repeatedly.
void RestoreDesktop();

}  // namespace orvelle::win
