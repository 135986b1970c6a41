// The system's message box and common dialogs (colour, font, open file) and the shell's "open",
// with UTF-8 text in and out. They only carry out the call: what to ask and what the answer means
// is decided by the caller.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvelle::win {

// MessageBoxW; the button the user pressed (IDOK, IDYES, ...).
int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT style);

// The colour dialog opened on initial (flags as CHOOSECOLOR takes them, e.g. CC_RGBINIT); the
// chosen colour, or nothing when cancelled. custom keeps the sixteen custom colours between calls.
std::optional<COLORREF> PickColour(HWND owner, COLORREF initial, DWORD flags,
                                   std::array<COLORREF, 16>& custom);

struct FontChoice {
    std::string face;
    float points = 0;  // tenths of a point are kept (8.25 comes back as 8.2)
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    COLORREF colour = 0;
};
// The font dialog opened on initial (flags as CHOOSEFONT takes them; sizes limited to
// minPoints..maxPoints when CF_LIMITSIZE is among them); nothing when cancelled.
std::optional<FontChoice> PickFont(HWND owner, const FontChoice& initial, DWORD flags,
                                   int minPoints, int maxPoints);

// The open-file dialog. filter in the "Description|*.a;*.b|Other|*.c" form; the first filter is
// selected; flags as OPENFILENAME takes them (the Explorer look is always used, and the process's
// current folder is left as it was). The chosen file's full path, or nothing when cancelled.
std::optional<std::string> PickFileToOpen(HWND owner, std::string_view filter,
                                          std::string_view title, DWORD flags);

// The shell's folder picker (the Explorer-style dialog, typed paths taken), with the title;
// only folders of the file system. The chosen folder's full path, or nothing when cancelled.
std::optional<std::string> PickFolder(HWND owner, std::string_view title);

// ShellExecuteW with no owner, no verb, no parameters, no folder, shown normally; the shell's
// result code (above 32 on success).
std::intptr_t OpenDocument(std::string_view pathOrAddress);

}  // namespace orvelle::win
