#include "base/common_dialogs_win.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/gdi_win.h"
#include "base/wide_win.h"

namespace orvelle::win {

int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT style) {
    return MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), style);
}

std::optional<COLORREF> PickColour(HWND owner, COLORREF initial, DWORD flags,
                                   std::array<COLORREF, 16>& custom) {
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = initial;
    choose.lpCustColors = custom.data();
    choose.Flags = flags;
    if (!ChooseColorW(&choose)) {
        return std::nullopt;
    }
    return choose.rgbResult;
}

std::optional<FontChoice> PickFont(HWND owner, const FontChoice& initial, DWORD flags,
                                   int minPoints, int maxPoints) {
    LOGFONTW font = {};
    const int dpi = GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSY);
    font.lfHeight = -static_cast<LONG>(std::lround(initial.points * dpi / 72.0));
    font.lfWeight = initial.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = initial.italic ? TRUE : FALSE;
    font.lfUnderline = initial.underline ? TRUE : FALSE;
    font.lfStrikeOut = initial.strikeout ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = Wide(initial.face);
    std::copy_n(face.c_str(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), font.lfFaceName);

    CHOOSEFONTW choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpLogFont = &font;
    choose.Flags = flags | CF_INITTOLOGFONTSTRUCT;
    choose.rgbColors = initial.colour;
    choose.nSizeMin = minPoints;
    choose.nSizeMax = maxPoints;
    if (!ChooseFontW(&choose)) {
        return std::nullopt;
    }
    FontChoice chosen;
    chosen.face = Narrow(font.lfFaceName);
    chosen.points = static_cast<float>(choose.iPointSize) / 10.0f;
    chosen.bold = font.lfWeight >= FW_SEMIBOLD;
    chosen.italic = font.lfItalic != 0;
    chosen.underline = font.lfUnderline != 0;
    chosen.strikeout = font.lfStrikeOut != 0;
    chosen.colour = choose.rgbColors;
    return chosen;
}

std::optional<std::string> PickFileToOpen(HWND owner, std::string_view filter,
                                          std::string_view title, DWORD flags) {
    // The system wants the pairs separated by NULs and the list ended by two.
    std::wstring pairs = Wide(filter);
    std::replace(pairs.begin(), pairs.end(), L'|', L'\0');
    pairs.append(2, L'\0');
    const std::wstring caption = Wide(title);
    // Long paths: room for more than MAX_PATH characters.
    std::vector<wchar_t> file(32768, L'\0');

    OPENFILENAMEW open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = pairs.c_str();
    open.nFilterIndex = 1;
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.lpstrTitle = caption.c_str();
    open.Flags = flags | OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&open)) {
        return std::nullopt;
    }
    return Narrow(file.data());
}

std::intptr_t OpenDocument(std::string_view pathOrAddress) {
    HINSTANCE result = ShellExecuteW(nullptr, nullptr, Wide(pathOrAddress).c_str(), nullptr,
                                     nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace orvelle::win
