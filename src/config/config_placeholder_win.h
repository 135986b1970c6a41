// The configuration run until the theme editor is built: a small window that says so.
#pragma once

#include <windows.h>

namespace orvelle::win {

// Creates and shows the window; the program lives as long as it is open.
void OpenConfigurationPlaceholder(HINSTANCE instance);

}  // namespace orvelle::win
