#include "config/about_box_win.h"

#include "base/common_dialogs_win.h"
#include "config/control_ids.h"
#include "config/web_pages.h"

namespace orvelle::win {

void AboutBox::Show(HINSTANCE instance, HWND owner) {
    owner_ = owner;
    if (Handle()) {
        SetForegroundWindow(Handle());
        return;
    }
    if (Create(instance, IDD_ABOUT, owner)) {
        CenterWindow(Handle(), owner);
        ShowWindow(Handle(), SW_SHOW);
    }
}

bool AboutBox::OnInitDialog() {
    return true;
}

bool AboutBox::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    if (id == IDB_ABOUT_DOWNLOADS) {
        OpenDocument(kHomePageAddress);
    } else if (id == IDB_ABOUT_OK || id == IDCANCEL) {
        Close();
        if (owner_ && IsWindow(owner_)) {
            SetForegroundWindow(owner_);
        }
    } else {
        return false;
    }
    return true;
}

}  // namespace orvelle::win
