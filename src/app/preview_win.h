// The /P run: the preview picture copied once into the display settings' preview window.
#pragma once

#include <windows.h>

#include <string>

namespace orvelle::win {

// The 160 x 120 preview surface: the button-face colour with the preview picture, taken from
// the resources of `module`, at its top-left. Null when no bitmap could be made at all; a
// missing or unreadable picture leaves the plain background.
HBITMAP CreatePreviewBitmap(HMODULE module);

// Draws the preview into the window whose handle follows "/P" in the raw argument text and
// returns the program's exit code. The caller ends the program.
int ShowPreview(const std::string& rawArguments);

}  // namespace orvelle::win
