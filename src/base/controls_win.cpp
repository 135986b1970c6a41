#include "base/controls_win.h"

#include <algorithm>

#include "base/fault_barrier_win.h"
#include "base/gdi_win.h"
#include "base/wide_win.h"

namespace orvelle::win {

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(window, message, wParam, lParam);
}

std::string ItemTextOf(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    LRESULT length = Send(control, lengthMessage, static_cast<WPARAM>(index));
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = Send(control, textMessage, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
    return Narrow(text);
}

}  // namespace

void ListClear(HWND list) {
    Send(list, LB_RESETCONTENT);
}

int ListAdd(HWND list, std::string_view text) {
    std::wstring wide = Wide(text);
    return static_cast<int>(Send(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

void ListInsert(HWND list, int index, std::string_view text) {
    std::wstring wide = Wide(text);
    Send(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str()));
}

void ListDelete(HWND list, int index) {
    Send(list, LB_DELETESTRING, static_cast<WPARAM>(index));
}

int ListCount(HWND list) {
    return static_cast<int>(Send(list, LB_GETCOUNT));
}

std::string ListText(HWND list, int index) {
    return ItemTextOf(list, LB_GETTEXTLEN, LB_GETTEXT, index);
}

void ListSelect(HWND list, int index) {
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(index));
}

int ListSelection(HWND list) {
    return static_cast<int>(Send(list, LB_GETCURSEL));
}

void ListSetSelected(HWND list, int index, bool selected) {
    Send(list, LB_SETSEL, selected ? TRUE : FALSE, index);
}

bool ListIsSelected(HWND list, int index) {
    return Send(list, LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

ListFill::ListFill(HWND list, int entries, size_t textBytes)
    : list_(list), own_(reinterpret_cast<WNDPROC>(GetClassLongPtrW(list, GCLP_WNDPROC))) {
    Send(list_, WM_SETREDRAW, FALSE);
    Send(list_, LB_INITSTORAGE, static_cast<WPARAM>(std::max(entries, 0)),
         static_cast<LPARAM>(textBytes));
}

void ListFill::Add(std::string_view text) {
    const std::wstring wide = Wide(text);
    CallWindowProcW(own_, list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

ListFill::~ListFill() {
    Send(list_, WM_SETREDRAW, TRUE);
    InvalidateRect(list_, nullptr, TRUE);
}

void ComboClear(HWND combo) {
    Send(combo, CB_RESETCONTENT);
}

int ComboAdd(HWND combo, std::string_view text) {
    std::wstring wide = Wide(text);
    return static_cast<int>(Send(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

void ComboSelect(HWND combo, int index) {
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
}

int ComboSelection(HWND combo) {
    return static_cast<int>(Send(combo, CB_GETCURSEL));
}

std::string ComboItemText(HWND combo, int index) {
    return ItemTextOf(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

std::string ControlText(HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return Narrow(text);
}

void SetControlText(HWND window, std::string_view text) {
    SetWindowTextW(window, Wide(text).c_str());
}

void SetChecked(HWND button, bool checked) {
    Send(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool IsChecked(HWND button) {
    return Send(button, BM_GETCHECK) == BST_CHECKED;
}

void TrackbarSetRange(HWND slider, int minimum, int maximum) {
    Send(slider, TBM_SETRANGEMIN, FALSE, minimum);
    Send(slider, TBM_SETRANGEMAX, TRUE, maximum);
}

void TrackbarSetTickFrequency(HWND slider, int every) {
    Send(slider, TBM_SETTICFREQ, static_cast<WPARAM>(every));
}

void TrackbarSetPosition(HWND slider, int position) {
    Send(slider, TBM_SETPOS, TRUE, position);
}

int TrackbarPosition(HWND slider) {
    return static_cast<int>(Send(slider, TBM_GETPOS));
}

ScrollBar::ScrollBar(HWND bar, const ScrollBarRange& range) : bar_(bar), range_(range) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    info.nMin = range_.minimum;
    info.nMax = range_.maximum;
    SetScrollInfo(bar_, SB_CTL, &info, TRUE);
}

int ScrollBar::Value() const {
    return ScrollValueOfPosition(range_, GetScrollPos(bar_, SB_CTL));
}

void ScrollBar::SetValue(int value) {
    int clamped = std::clamp(value, range_.minimum, range_.maximum);
    SetScrollPos(bar_, SB_CTL, ScrollPositionOfValue(range_, clamped), TRUE);
}

bool ScrollBar::Scroll(int requestCode, int thumb) {
    int before = Value();
    std::optional<int> next = NextScrollValue(range_, before, requestCode, thumb);
    if (!next || *next == before) {
        return false;
    }
    SetValue(*next);
    return true;
}

void ProgressSetRange(HWND bar, int maximum) {
    Send(bar, PBM_SETRANGE32, 0, maximum);
}

void ProgressSetPosition(HWND bar, int position) {
    Send(bar, PBM_SETPOS, static_cast<WPARAM>(position));
}

HIMAGELIST LoadButtonPictures(HINSTANCE instance, int bitmapId, int size) {
    const OwnedBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) {
        return nullptr;
    }
    BITMAP info = {};
    GetObjectW(bitmap.Get(), sizeof info, &info);
    int count = size > 0 ? info.bmWidth / size : 0;
    HIMAGELIST pictures = ImageList_Create(size, size, ILC_COLOR32, count, 0);
    if (pictures) {
        ImageList_Add(pictures, bitmap.Get(), nullptr);
    }
    return pictures;
}

void SetToolbarButtons(HWND toolbar, HIMAGELIST pictures, std::span<const ToolbarButton> buttons) {
    Send(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    Send(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures));
    for (const ToolbarButton& button : buttons) {
        TBBUTTON tb = {};
        tb.iBitmap = button.image;
        tb.idCommand = button.command;
        tb.fsState = TBSTATE_ENABLED;
        tb.fsStyle = BTNS_BUTTON;
        tb.iString = -1;
        Send(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&tb));
    }
}

void MakeToolbarFlat(HWND control) {
    HWND toolbar = control;
    wchar_t className[64] = {};
    GetClassNameW(control, className, 64);
    if (lstrcmpiW(className, TOOLBARCLASSNAMEW) != 0) {
        toolbar = FindWindowExW(control, nullptr, TOOLBARCLASSNAMEW, nullptr);
    }
    if (!toolbar) {
        return;
    }
    LRESULT style = Send(toolbar, TB_GETSTYLE);
    Send(toolbar, TB_SETSTYLE, 0, style | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT);
    InvalidateRect(control, nullptr, TRUE);
}

SIZE ToolbarNeededSize(HWND toolbar) {
    SIZE size = {};
    Send(toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    return size;
}

namespace {

constexpr UINT_PTR kToolbarKeys = 1;
constexpr UINT_PTR kSwatchKeys = 2;

// Lets the control paint, then draws the focus rectangle over what was repainted only: drawn
// over the rest again, the inverting rectangle would rub itself out there.
LRESULT PaintWithFocus(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const RECT* focus) {
    if (!focus || wParam != 0) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
    GdiObject<HRGN> repainted(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(window, repainted.Get(), FALSE);
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    WindowDC dc(window);
    SelectClipRgn(dc.Get(), repainted.Get());
    DrawFocusRect(dc.Get(), focus);
    return result;
}

bool ButtonUsable(HWND toolbar, int index) {
    TBBUTTON button = {};
    if (!Send(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index),
              reinterpret_cast<LPARAM>(&button))) {
        return false;
    }
    return !(button.fsStyle & BTNS_SEP) && (button.fsState & TBSTATE_ENABLED) &&
           !(button.fsState & TBSTATE_HIDDEN);
}

void MoveHotButton(HWND toolbar, int step) {
    const int count = static_cast<int>(Send(toolbar, TB_BUTTONCOUNT));
    int hot = static_cast<int>(Send(toolbar, TB_GETHOTITEM));
    if (hot < 0) {
        hot = step > 0 ? -1 : count;
    }
    for (int tried = 0; tried < count; ++tried) {
        hot = ((hot + step) % count + count) % count;
        if (ButtonUsable(toolbar, hot)) {
            Send(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(hot));
            InvalidateRect(toolbar, nullptr, TRUE);
            return;
        }
    }
}

void PressHotButton(HWND toolbar) {
    const int hot = static_cast<int>(Send(toolbar, TB_GETHOTITEM));
    TBBUTTON button = {};
    if (hot < 0 || !ButtonUsable(toolbar, hot) ||
        !Send(toolbar, TB_GETBUTTON, static_cast<WPARAM>(hot), reinterpret_cast<LPARAM>(&button))) {
        return;
    }
    Send(GetParent(toolbar), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED),
         reinterpret_cast<LPARAM>(toolbar));
}

LRESULT CALLBACK ToolbarKeysProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR);
LRESULT CALLBACK SwatchKeysProc(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR);

LRESULT ToolbarKeys(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: {
            LRESULT code = DefSubclassProc(toolbar, message, wParam, lParam) | DLGC_WANTARROWS;
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN &&
                (msg->wParam == VK_RETURN || msg->wParam == VK_SPACE)) {
                code |= DLGC_WANTMESSAGE;  // Enter presses this button, not the default one
            }
            return code;
        }
        case WM_KEYDOWN:
            if (wParam == VK_LEFT || wParam == VK_UP || wParam == VK_RIGHT || wParam == VK_DOWN) {
                MoveHotButton(toolbar, wParam == VK_LEFT || wParam == VK_UP ? -1 : 1);
                return 0;
            }
            if (wParam == VK_SPACE || wParam == VK_RETURN) {
                if (!(lParam & (1 << 30))) {  // not while the key repeats
                    PressHotButton(toolbar);
                }
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(toolbar, message, wParam, lParam);
            // The keyboard's place shows while the toolbar has the focus and goes with it.
            const bool focused = message == WM_SETFOCUS;
            if (focused != (Send(toolbar, TB_GETHOTITEM) >= 0)) {
                if (focused) {
                    MoveHotButton(toolbar, 1);
                } else {
                    Send(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1));
                }
            }
            InvalidateRect(toolbar, nullptr, TRUE);
            return result;
        }
        case WM_PAINT: {
            RECT hot = {};
            const bool show =
                GetFocus() == toolbar &&
                Send(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(Send(toolbar, TB_GETHOTITEM)),
                     reinterpret_cast<LPARAM>(&hot));
            InflateRect(&hot, -2, -2);
            return PaintWithFocus(toolbar, message, wParam, lParam, show ? &hot : nullptr);
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(toolbar, ToolbarKeysProc, kToolbarKeys);
            break;
        default:
            break;
    }
    return DefSubclassProc(toolbar, message, wParam, lParam);
}

LRESULT SwatchKeys(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                if (!(lParam & (1 << 30))) {
                    Send(GetParent(swatch), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(swatch), STN_CLICKED),
                         reinterpret_cast<LPARAM>(swatch));
                }
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(swatch, nullptr, TRUE);
            break;
        case WM_PAINT: {
            RECT client = {};
            GetClientRect(swatch, &client);
            InflateRect(&client, -2, -2);
            return PaintWithFocus(swatch, message, wParam, lParam,
                                  GetFocus() == swatch ? &client : nullptr);
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(swatch, SwatchKeysProc, kSwatchKeys);
            break;
        default:
            break;
    }
    return DefSubclassProc(swatch, message, wParam, lParam);
}

// A handler that fails leaves the message to the control's own procedure.
LRESULT CALLBACK ToolbarKeysProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    return Guarded(
        toolbar, [&] { return ToolbarKeys(toolbar, message, wParam, lParam); },
        [&] { return DefSubclassProc(toolbar, message, wParam, lParam); });
}

LRESULT CALLBACK SwatchKeysProc(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
    return Guarded(
        swatch, [&] { return SwatchKeys(swatch, message, wParam, lParam); },
        [&] { return DefSubclassProc(swatch, message, wParam, lParam); });
}

}  // namespace

void EnableToolbarKeys(HWND toolbar) {
    SetWindowSubclass(toolbar, ToolbarKeysProc, kToolbarKeys, 0);
}

void EnableSwatchKeys(HWND swatch) {
    SetWindowSubclass(swatch, SwatchKeysProc, kSwatchKeys, 0);
}

LRESULT SliderCustomDraw(const NMCUSTOMDRAW& draw) {
    if (IsWindowEnabled(draw.hdr.hwndFrom)) {
        return CDRF_DODEFAULT;
    }
    if (draw.dwDrawStage == CDDS_PREPAINT) {
        return CDRF_NOTIFYPOSTPAINT;
    }
    if (draw.dwDrawStage == CDDS_POSTPAINT) {
        // The corner holds the background the bar was drawn on; two thirds of it go over the
        // channel, the ticks and the thumb.
        const COLORREF background = GetPixel(draw.hdc, draw.rc.left, draw.rc.top);
        DibBitmap wash = CreateDib(1, 1);
        if (wash && background != CLR_INVALID) {
            wash.pixels[0] = DibPixel(background);
            MemoryDC source(draw.hdc);
            source.Select(wash.bitmap.Get());
            const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 170, 0};
            GdiAlphaBlend(draw.hdc, draw.rc.left, draw.rc.top, draw.rc.right - draw.rc.left,
                          draw.rc.bottom - draw.rc.top, source.Get(), 0, 0, 1, 1, blend);
        }
    }
    return CDRF_DODEFAULT;
}

void StatusBarSetParts(HWND bar, std::span<const int> rightEdges) {
    Send(bar, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
}

void StatusBarSetText(HWND bar, int panel, std::string_view text) {
    std::wstring wide = Wide(text);
    Send(bar, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(wide.c_str()));
}

Tooltips::~Tooltips() {
    if (tips_ && IsWindow(tips_)) {
        DestroyWindow(tips_);
    }
}

void Tooltips::Create(HWND owner) {
    owner_ = owner;
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                            nullptr, nullptr, nullptr);
    // Long paths and captions wrap instead of running off the screen.
    Send(tips_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void Tooltips::Add(HWND control, std::string_view text) {
    if (!tips_ || !control) {
        return;
    }
    std::wstring wide = Wide(text);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    Send(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

int ScreenDpi() {
    const int dpi = GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

}  // namespace orvelle::win
