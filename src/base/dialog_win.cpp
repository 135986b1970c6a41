#include "base/dialog_win.h"

#include <algorithm>
#include <vector>

#include "base/fault_barrier_win.h"
#include "base/geometry.h"
#include "base/wide_win.h"

namespace orvelle::win {

namespace {

// The live modeless dialogs whose keyboard handling the message loop runs.
std::vector<Dialog*>& ModelessDialogs() {
    static std::vector<Dialog*> dialogs;
    return dialogs;
}

}  // namespace

Dialog::~Dialog() {
    DestroyDetached();
}

void Dialog::DestroyDetached() {
    if (!hwnd_) {
        return;
    }
    // Let go of the window first: its last messages get the dialog manager's default handling
    // and never reach an object that is being taken apart.
    HWND window = hwnd_;
    Forget(window, this);
    if (modal_) {
        EndDialog(window, IDCANCEL);
    } else {
        DestroyWindow(window);
    }
}

void Dialog::Forget(HWND window, Dialog* self) {
    SetWindowLongPtrW(window, DWLP_USER, 0);
    auto& dialogs = ModelessDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), self), dialogs.end());
    self->hwnd_ = nullptr;
}

bool Dialog::Create(HINSTANCE instance, int templateId, HWND parent) {
    if (hwnd_) {
        return true;
    }
    modal_ = false;
    CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), parent, &Dialog::DialogProc,
                       reinterpret_cast<LPARAM>(this));
    return hwnd_ != nullptr;
}

INT_PTR Dialog::RunModal(HINSTANCE instance, int templateId, HWND owner) {
    modal_ = true;
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, &Dialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void Dialog::EndModal(INT_PTR result) {
    if (hwnd_ && modal_) {
        EndDialog(hwnd_, result);
    }
}

void Dialog::Close() {
    if (!hwnd_) {
        return;
    }
    if (modal_) {
        EndDialog(hwnd_, IDCANCEL);
    } else {
        DestroyWindow(hwnd_);
    }
}

std::string Dialog::ItemText(int id) const {
    HWND item = Item(id);
    int length = item ? GetWindowTextLengthW(item) : 0;
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(item, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return Narrow(text);
}

void Dialog::SetItemText(int id, std::string_view text) {
    SetDlgItemTextW(hwnd_, id, Wide(text).c_str());
}

void Dialog::EnableItem(int id, bool enabled) {
    EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

void Dialog::ShowItem(int id, bool shown) {
    ShowWindow(Item(id), shown ? SW_SHOWNA : SW_HIDE);
}

int Dialog::RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        bool used = false;
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        for (Dialog* dialog : ModelessDialogs()) {
            if (dialog->hwnd_ == root) {
                used = Guarded(
                           root, [&] { return dialog->PreTranslateMessage(&msg); },
                           [] { return false; }) ||
                       IsDialogMessageW(root, &msg);
                break;
            }
        }
        if (!used) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

bool Dialog::OnCommand(int, int, HWND) {
    return false;
}

bool Dialog::OnNotify(NMHDR*, LRESULT*) {
    return false;
}

void Dialog::OnScroll(HWND, int, int) {}

void Dialog::OnTimer(UINT_PTR) {}

INT_PTR Dialog::OnMessage(UINT, WPARAM, LPARAM) {
    return FALSE;
}

bool Dialog::PreTranslateMessage(MSG*) {
    return false;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))
                       ? TRUE
                       : FALSE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(reinterpret_cast<NMHDR*>(lParam), &result)) {
                SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
                return TRUE;
            }
            return FALSE;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam),
                     static_cast<short>(HIWORD(wParam)));
            return TRUE;
        case WM_TIMER:
            OnTimer(wParam);
            return TRUE;
        case WM_CLOSE:
            OnClose();
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return TRUE;
        default:
            return OnMessage(message, wParam, lParam);
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        if (!self->modal_ && !(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) {
            ModelessDialogs().push_back(self);
        }
        return Guarded(
            hwnd, [&] { return self->OnInitDialog() ? TRUE : FALSE; }, [] { return TRUE; });
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        Forget(hwnd, self);
        return FALSE;
    }
    // A handler that fails leaves the message to the dialog manager's default handling.
    return Guarded(
        hwnd, [&] { return self->Dispatch(message, wParam, lParam); },
        [] { return INT_PTR{FALSE}; });
}

void CenterWindow(HWND window, HWND owner) {
    const bool overOwner = owner && IsWindowVisible(owner) && !IsIconic(owner);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(overOwner ? owner : window, MONITOR_DEFAULTTONEAREST),
                    &monitor);
    RECT area = monitor.rcWork;
    if (overOwner) {
        GetWindowRect(owner, &area);
    }
    auto pixels = [](const RECT& r) {
        return PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    RECT rc;
    GetWindowRect(window, &rc);
    const PixelPoint at = PlaceCentred({rc.right - rc.left, rc.bottom - rc.top}, pixels(area),
                                       pixels(monitor.rcWork));
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

bool IsOption(HWND control) {
    const LONG_PTR kind = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) &&
           (kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON);
}

// The checked option of the control's group, or the control itself.
HWND ChosenOption(HWND control) {
    if (!control || !IsOption(control)) {
        return control;
    }
    HWND parent = GetParent(control);
    HWND option = control;
    do {
        if (IsOption(option) && SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            return option;
        }
        option = GetNextDlgGroupItem(parent, option, FALSE);
    } while (option && option != control);
    return control;
}

// The page's tab stops that take the focus now, in order.
std::vector<HWND> TabStopsOf(HWND page) {
    std::vector<HWND> stops;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE)) {
            stops.push_back(child);
        }
    }
    return stops;
}

// The control of the dialog or of one of its pages that holds the window (the combo box for
// its edit part).
HWND OwningControl(HWND dialog, HWND window) {
    while (window && GetParent(window) && GetParent(window) != dialog) {
        HWND parent = GetParent(window);
        if (GetWindowLongPtrW(parent, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) {
            break;
        }
        window = parent;
    }
    return window;
}

}  // namespace

void FocusControl(HWND dialog, HWND control) {
    if (control) {
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ChosenOption(control)), TRUE);
    }
}

HWND NextTabStopAroundPage(HWND dialog, HWND strip, HWND page, HWND from, bool back) {
    from = OwningControl(dialog, from);
    const BOOL previous = back ? TRUE : FALSE;
    HWND usual = GetNextDlgTabItem(dialog, from, previous);
    if (!page || !IsWindowVisible(page)) {
        return usual;
    }
    const std::vector<HWND> stops = TabStopsOf(page);
    if (stops.empty()) {
        return usual;
    }
    auto inPage = [&](HWND window) { return window && IsChild(page, window); };
    if (from == strip) {
        // Before the strip comes what comes before the page's first control.
        return back ? GetNextDlgTabItem(dialog, stops.front(), TRUE) : stops.front();
    }
    if (inPage(from)) {
        if (!back && usual == strip) {
            return GetNextDlgTabItem(dialog, strip, FALSE);
        }
        return back && !inPage(usual) ? strip : usual;
    }
    if (!back && inPage(usual)) {
        return strip;
    }
    return back && usual == strip ? stops.back() : usual;
}

}  // namespace orvelle::win
