// The /P run: the preview picture in the display settings' preview box, for as long as the box
// is there.
#pragma once

#include <windows.h>

#include <string>

namespace orvelle::win {

// The 160 x 120 preview surface: the button-face colour with the preview picture, taken from
// the resources of `module`, at its top-left. Null when no bitmap could be made at all; a
// missing or unreadable picture leaves the plain background.
HBITMAP CreatePreviewBitmap(HMODULE module);

// Shows the preview in a child window of the box whose handle follows "/P" in the raw argument
// text until the host destroys the box, then returns the program's exit code. The caller ends
// the program. The picture comes from the resources of `pictures` (this program's by default).
int ShowPreview(const std::string& rawArguments, HMODULE pictures = nullptr);

}  // namespace orvelle::win
