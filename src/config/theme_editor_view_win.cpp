#include "config/theme_editor_view_win.h"

#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <uxtheme.h>

#include "base/common_dialogs_win.h"
#include "base/geometry.h"
#include "base/optional_api_win.h"
#include "base/wide_win.h"
#include "config/control_ids.h"
#include "config/web_pages.h"

namespace orvelle::win {

namespace {

constexpr UINT_PTR kMusicTimer = 1;
constexpr char kStatusText[] = "Orvelle Screen Saver 4.1";

struct PageTemplate {
    int templateId;
    const char* caption;
};
constexpr PageTemplate kPages[kEditorTabCount] = {
    {IDD_EDITOR_IMAGES, "Images"},         {IDD_EDITOR_SETTINGS, "Image Settings"},
    {IDD_EDITOR_BACKGROUND, "Background"}, {IDD_EDITOR_COUNTDOWN, "Countdown"},
    {IDD_EDITOR_MUSIC, "Music"},
};

// The theme strip's one-button toolbars, each centred over its label.
struct StripPlace {
    int toolbar;
    int label;
};
constexpr StripPlace kThemeStrip[] = {{IDC_EDITOR_NEW_TOOLBAR, IDT_EDITOR_NEW},
                                      {IDC_EDITOR_LOAD_TOOLBAR, IDT_EDITOR_LOAD},
                                      {IDC_EDITOR_DELETE_TOOLBAR, IDT_EDITOR_DELETE},
                                      {IDC_EDITOR_MOUSE_TOOLBAR, IDT_EDITOR_MOUSE}};

struct StripBitmap {
    int size;
    int bitmap;
};
constexpr StripBitmap kThemeStrips[] = {{24, IDR_THEME_BUTTONS_24},
                                        {32, IDR_THEME_BUTTONS_32},
                                        {36, IDR_THEME_BUTTONS_36},
                                        {48, IDR_THEME_BUTTONS_48}};
constexpr StripBitmap kListStrips[] = {
    {16, IDR_LIST_BUTTONS_16}, {24, IDR_LIST_BUTTONS_24}, {32, IDR_LIST_BUTTONS_32}};
constexpr StripBitmap kCaptionStrips[] = {
    {16, IDR_CAPTION_BUTTONS_16}, {24, IDR_CAPTION_BUTTONS_24}, {32, IDR_CAPTION_BUTTONS_32}};

HIMAGELIST LoadPictureStrip(HINSTANCE instance, std::span<const StripBitmap> strips, int designSize,
                            int dpi) {
    std::vector<int> sizes;
    for (const StripBitmap& strip : strips) {
        sizes.push_back(strip.size);
    }
    const int size = PictureSizeForDpi(designSize, dpi, sizes);
    for (const StripBitmap& strip : strips) {
        if (strip.size == size) {
            return LoadButtonPictures(instance, strip.bitmap, size);
        }
    }
    return nullptr;
}

// The rows of a kind; toolbars only those of the pages, or only the theme strip's.
std::vector<const ControlRow*> RowsOf(ControlKind kind) {
    std::vector<const ControlRow*> rows;
    for (const ControlRow& row : ThemeEditorTable()) {
        if (row.kind == kind) {
            rows.push_back(&row);
        }
    }
    return rows;
}

std::vector<int> PageToolbars() {
    std::vector<int> toolbars;
    for (const ControlRow* row : RowsOf(ControlKind::Toolbar)) {
        if (row->page != EditorPage::Window) {
            toolbars.push_back(row->id);
        }
    }
    return toolbars;
}

const ControlRow* ButtonOfCommand(int command) {
    const ControlRow* row = EditorRow(command);
    return row && row->kind == ControlKind::ToolbarButton ? row : nullptr;
}

bool IsToolbar(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return lstrcmpiW(name, TOOLBARCLASSNAMEW) == 0;
}

RECT ChildRect(HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

}  // namespace

// --- ThemeEditorPage ---

bool ThemeEditorPage::OnCommand(int id, int code, HWND control) {
    return owner_.ControlCommand(id, code, control);
}

bool ThemeEditorPage::OnNotify(NMHDR* header, LRESULT* result) {
    return owner_.ControlNotify(header, result);
}

void ThemeEditorPage::OnScroll(HWND control, int code, int position) {
    owner_.ControlScroll(control, code, position);
}

INT_PTR ThemeEditorPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            return owner_.ControlColour(message, reinterpret_cast<HDC>(wParam),
                                        reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM:
            return owner_.DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
        case WM_SETCURSOR:
            // The hand over the preview hints that a click shows the picture at its own size.
            if (GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) == IDP_IMAGES_PREVIEW &&
                LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
                SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

// --- ThemeEditorView ---

ThemeEditorView::ThemeEditorView(HINSTANCE instance) : instance_(instance) {}

ThemeEditorView::~ThemeEditorView() {
    // The window goes before the pictures, brushes and font it still uses.
    DestroyDetached();
}

bool ThemeEditorView::Open(HWND owner) {
    if (!Create(instance_, IDD_EDITOR, owner)) {
        return false;
    }
    CenterWindow(Handle(), owner);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
    return true;
}

bool ThemeEditorView::OnInitDialog() {
    HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    // The strip's heading in the bold form of the dialog font.
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    font.lfWeight = FW_BOLD;
    headingFont_.Reset(CreateFontIndirectW(&font));
    SendMessageW(Item(IDT_EDITOR_HEADING), WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_.Get()),
                 FALSE);

    HWND tab = Item(IDC_EDITOR_TABS);
    for (int i = 0; i < kEditorTabCount; ++i) {
        std::wstring caption = Wide(kPages[i].caption);
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    CreatePages();
    CreateToolbars();
    ApplyRanges();
    LayoutStatusBar();
    AddTooltips();
    ShowPage(0, false);
    // Start in the picture list rather than on the theme strip's first button.
    SetFocus(Control(IDL_IMAGES_PICTURES));
    return false;
}

void ThemeEditorView::CreatePages() {
    HWND tab = Item(IDC_EDITOR_TABS);
    RECT area = ChildRect(tab);
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    // Above the tab control in the z-order (it clips its siblings), right where the tab order
    // reaches the tab control.
    HWND before = GetWindow(tab, GW_HWNDPREV);
    for (int i = 0; i < kEditorTabCount; ++i) {
        pages_[i] = std::make_unique<ThemeEditorPage>(*this);
        pages_[i]->Create(instance_, kPages[i].templateId, Handle());
        // On a themed system the page takes the tab's body texture, as property sheets do.
        EnableThemeDialogTexture(pages_[i]->Handle(), ETDT_ENABLETAB);
        SetWindowPos(pages_[i]->Handle(), before ? before : HWND_TOP, area.left, area.top,
                     area.right - area.left, area.bottom - area.top, SWP_NOACTIVATE);
        before = pages_[i]->Handle();
    }
}

void ThemeEditorView::LoadToolbarPictures() {
    // The strip drawn for the button's size at this DPI: the theme strip's buttons are 24
    // pixels at 96 dpi, the lists' 16.
    const int dpi = WindowDpi(Handle());
    themePictures_.reset(LoadPictureStrip(instance_, kThemeStrips, 24, dpi));
    listPictures_.reset(LoadPictureStrip(instance_, kListStrips, 16, dpi));
    captionPictures_.reset(LoadPictureStrip(instance_, kCaptionStrips, 16, dpi));
}

HIMAGELIST ThemeEditorView::PicturesOf(int toolbarId) const {
    for (const ControlRow* button : RowsOf(ControlKind::ToolbarButton)) {
        if (button->toolbar == toolbarId) {
            return (button->strip == PictureStrip::Theme  ? themePictures_
                    : button->strip == PictureStrip::List ? listPictures_
                                                          : captionPictures_)
                .get();
        }
    }
    return nullptr;
}

void ThemeEditorView::CreateToolbars() {
    LoadToolbarPictures();
    auto fill = [&](int toolbarId) {
        std::vector<ToolbarButton> buttons;
        for (const ControlRow* button : RowsOf(ControlKind::ToolbarButton)) {
            if (button->toolbar == toolbarId) {
                buttons.push_back({button->id, button->picture});
            }
        }
        SetToolbarButtons(Control(toolbarId), PicturesOf(toolbarId), buttons);
    };
    for (const StripPlace& place : kThemeStrip) {
        fill(place.toolbar);
        MakeToolbarFlat(Control(place.toolbar));
        EnableToolbarKeys(Control(place.toolbar));
    }
    for (int id : PageToolbars()) {
        fill(id);
        EnableToolbarKeys(Control(id));
    }
    for (const ControlRow* swatch : RowsOf(ControlKind::Swatch)) {
        if (swatch->actsAs != 0) {
            EnableSwatchKeys(Control(swatch->id));
        }
    }
    PlaceToolbars();
}

void ThemeEditorView::PlaceToolbars() {
    // The theme strip: flat one-button toolbars, each centred over its label.
    for (const StripPlace& place : kThemeStrip) {
        HWND toolbar = Control(place.toolbar);
        SIZE size = ToolbarNeededSize(toolbar);
        RECT label = ChildRect(Item(place.label));
        int centre = (label.left + label.right) / 2;
        SetWindowPos(toolbar, nullptr, centre - size.cx / 2, label.top - size.cy - 2, size.cx,
                     size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The list and caption toolbars keep the standard look, sized to their buttons.
    for (int id : PageToolbars()) {
        HWND toolbar = Control(id);
        SIZE size = ToolbarNeededSize(toolbar);
        SetWindowPos(toolbar, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ThemeEditorView::RescaleForDpi() {
    // The dialog manager has scaled the templates' controls and fonts; the button pictures and
    // what was placed by hand follow.
    LoadToolbarPictures();
    for (const ControlRow* toolbar : RowsOf(ControlKind::Toolbar)) {
        SendMessageW(Control(toolbar->id), TB_SETIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(PicturesOf(toolbar->id)));
    }
    PlaceToolbars();
    LayoutStatusBar();
    InvalidateRect(Handle(), nullptr, TRUE);
}

void ThemeEditorView::ApplyRanges() {
    for (const ControlRow* slider : RowsOf(ControlKind::Slider)) {
        HWND control = Control(slider->id);
        TrackbarSetRange(control, slider->range.low, slider->range.high);
        if (slider->range.step > 0) {
            TrackbarSetTickFrequency(control, slider->range.step);
        }
        TrackbarSetPosition(control, slider->range.low);
    }
    const ValueRange& interval = EditorRow(IDK_SETTINGS_INTERVAL)->range;
    intervalBar_ =
        ScrollBar(Control(IDK_SETTINGS_INTERVAL),
                  {interval.low, interval.high, interval.step, interval.page, interval.reversed});
    intervalBar_.SetValue(0);
    for (const ControlRow& row : ThemeEditorTable()) {
        for (const std::string& item : ItemsOf(row)) {
            ComboAdd(Control(row.id), item);
        }
        if (row.kind == ControlKind::ComboBox && row.value) {
            SetControlText(Control(row.id), row.value);
        }
    }
}

void ThemeEditorView::LayoutStatusBar() {
    HWND bar = Item(IDC_EDITOR_STATUS);
    SendMessageW(bar, WM_SIZE, 0, 0);
    RECT client;
    GetClientRect(Handle(), &client);
    const int edges[] = {client.right * 3 / 5, -1};
    StatusBarSetParts(bar, edges);
    StatusBarSetText(bar, 0, kStatusText);
}

void ThemeEditorView::AddTooltips() {
    tooltips_.Create(Handle());
    // The toolbars' buttons ask for theirs one by one (ControlNotify).
    for (const ControlRow& row : ThemeEditorTable()) {
        if (row.tooltip && row.kind != ControlKind::ToolbarButton) {
            tooltips_.Add(Control(row.id), row.tooltip);
        }
    }
}

void ThemeEditorView::ShowPage(int index, bool focusStrip) {
    if (index < 0 || index >= kEditorTabCount) {
        return;
    }
    HWND tab = Item(IDC_EDITOR_TABS);
    if (SendMessageW(tab, TCM_GETCURSEL, 0, 0) != index) {
        SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    // The focus never stays on a page that goes: a focused control out of sight traps the dialog
    // manager's search for an access key in an endless walk. A page turned by the user leaves
    // the focus on the strip, as in the system's property sheets.
    HWND focus = GetFocus();
    for (int i = 0; i < kEditorTabCount && !focusStrip; ++i) {
        focusStrip = i != index && pages_[i] && IsChild(pages_[i]->Handle(), focus);
    }
    if (focusStrip) {
        FocusControl(Handle(), tab);
    }
    for (int i = 0; i < kEditorTabCount; ++i) {
        if (i != index && pages_[i]) {
            ShowWindow(pages_[i]->Handle(), SW_HIDE);
        }
    }
    ShowWindow(pages_[index]->Handle(), SW_SHOWNA);
    bool changed = shownPage_ != index;
    shownPage_ = index;
    if (changed) {
        OnTabChanged(static_cast<EditorTab>(index));
    }
}

HWND ThemeEditorView::Control(int id) const {
    if (HWND own = GetDlgItem(Handle(), id)) {
        return own;
    }
    for (const auto& page : pages_) {
        if (page && page->IsAlive()) {
            if (HWND found = GetDlgItem(page->Handle(), id)) {
                return found;
            }
        }
    }
    return nullptr;
}

HWND ThemeEditorView::PageWindow(EditorTab tab) const {
    const auto& page = pages_[static_cast<size_t>(tab)];
    return page ? page->Handle() : nullptr;
}

std::string ThemeEditorView::Text(int id) const {
    return ControlText(Control(id));
}

void ThemeEditorView::SetText(int id, std::string_view text) {
    SetControlText(Control(id), text);
}

void ThemeEditorView::Enable(int id, bool enabled) {
    HWND control = Control(id);
    NoteFocusLeaving(control, enabled);
    EnableWindow(control, enabled ? TRUE : FALSE);
}

void ThemeEditorView::Show(int id, bool shown) {
    HWND control = Control(id);
    NoteFocusLeaving(control, shown);
    ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
}

void ThemeEditorView::NoteFocusLeaving(HWND control, bool staysUsable) {
    HWND focus = GetFocus();
    if (staysUsable || !control || !focus || (focus != control && !IsChild(control, focus))) {
        return;
    }
    // Moved on once the edit has put every control in its state: the next control may be the
    // one the same click enables (Play gives way to Stop).
    focusLeft_ = control;
    PostMessageW(Handle(), kRefocusMessage, 0, 0);
}

void ThemeEditorView::Refocus() {
    HWND focus = GetFocus();
    HWND left = std::exchange(focusLeft_, nullptr);
    if (!left || (focus && IsWindowEnabled(focus) && IsWindowVisible(focus))) {
        return;
    }
    FocusControl(Handle(), NextTabStop(left, false));
}

HWND ThemeEditorView::NextTabStop(HWND from, bool back) const {
    HWND page = shownPage_ >= 0 ? pages_[static_cast<size_t>(shownPage_)]->Handle() : nullptr;
    return NextTabStopAroundPage(Handle(), Item(IDC_EDITOR_TABS), page, from, back);
}

bool ThemeEditorView::Checked(int id) const {
    return IsChecked(Control(id));
}

void ThemeEditorView::SetChecked(int id, bool checked) {
    orvelle::win::SetChecked(Control(id), checked);
}

int ThemeEditorView::SliderValue(int id) const {
    return TrackbarPosition(Control(id));
}

void ThemeEditorView::SetSliderValue(int id, int value) {
    TrackbarSetPosition(Control(id), value);
}

void ThemeEditorView::SetBackColor(int id, COLORREF colour) {
    Colours& colours = colours_[id];
    colours.back = colour;
    colours.backBrush.Reset(colour != CLR_NONE ? CreateSolidBrush(colour) : nullptr);
    RedrawWindow(Control(id), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ThemeEditorView::SetCaptionColor(int id, COLORREF colour) {
    HWND control = Control(id);
    if (colours_[id].caption == CLR_NONE && colour != CLR_NONE) {
        // A themed frame draws its caption in the theme's colour whatever it is told; the
        // classic look takes the colour of WM_CTLCOLORSTATIC.
        SetWindowTheme(control, L" ", L" ");
    }
    colours_[id].caption = colour;
    InvalidateRect(control, nullptr, TRUE);
}

void ThemeEditorView::RedrawSurface(int id) {
    InvalidateRect(Control(id), nullptr, FALSE);
}

void ThemeEditorView::SelectTab(EditorTab tab) {
    ShowPage(static_cast<int>(tab), false);
}

EditorTab ThemeEditorView::SelectedTab() const {
    return static_cast<EditorTab>(shownPage_ < 0 ? 0 : shownPage_);
}

void ThemeEditorView::SetStatusText(int panel, std::string_view text) {
    StatusBarSetText(Item(IDC_EDITOR_STATUS), panel, text);
}

void ThemeEditorView::SetTitle(std::string_view title) {
    SetWindowTextW(Handle(), Wide(title).c_str());
}

void ThemeEditorView::StartMusicTimer(UINT milliseconds) {
    SetTimer(Handle(), kMusicTimer, milliseconds, nullptr);
}

void ThemeEditorView::StopMusicTimer() {
    KillTimer(Handle(), kMusicTimer);
}

void ThemeEditorView::OnMenuCommand(int id) {
    if (const ControlRow* item = EditorRow(id); item && item->opens != 0) {
        ShowSmallDialog(item->opens);
        return;
    }
    switch (id) {
        case IDM_HELP_ABOUT:
            about_.Show(instance_, Handle());
            break;
        case IDM_WEB_HOME:
            OpenDocument(kHomePageAddress);
            break;
        case IDM_WEB_FREE:
            OpenDocument(kFreeStuffAddress);
            break;
        case IDM_FILE_SAVE:
            OnOk();
            break;
        case IDM_FILE_EXIT:
            OnCancel();
            break;
        case IDM_HELP_CONTENTS:
            OnHelp();
            break;
        default:
            break;
    }
}

// --- Messages ---

bool ThemeEditorView::OnCommand(int id, int code, HWND control) {
    if (!control) {
        // Menu items and accelerators; Enter and Esc arrive here as IDOK and IDCANCEL.
        if (id == IDOK) {
            OnOk();
        } else if (id == IDCANCEL) {
            OnCancel();
        } else {
            OnMenuCommand(id);
        }
        return true;
    }
    return ControlCommand(id, code, control);
}

void ThemeEditorView::PressToolbarButton(const ControlRow& button) {
    if (button.opens != 0) {
        ShowSmallDialog(button.opens);
    } else {
        OnToolbarButton(button.toolbar, button.value);
    }
}

bool ThemeEditorView::ControlCommand(int id, int code, HWND control) {
    const ControlRow* row = EditorRow(id);
    if (row && row->kind == ControlKind::Swatch && row->actsAs != 0 && code == STN_CLICKED) {
        // A click or Space on a swatch does what the button beside it does.
        if (const ControlRow* button = ButtonOfCommand(row->actsAs)) {
            PressToolbarButton(*button);
        } else {
            OnControlCommand(row->actsAs, BN_CLICKED);
        }
        return true;
    }
    if (IsToolbar(control)) {
        if (const ControlRow* button = ButtonOfCommand(id)) {
            PressToolbarButton(*button);
        }
        return true;
    }
    if (id == IDB_EDITOR_OK && code == BN_CLICKED) {
        OnOk();
    } else if (id == IDB_EDITOR_CANCEL && code == BN_CLICKED) {
        OnCancel();
    } else {
        OnControlCommand(id, code);
    }
    return true;
}

bool ThemeEditorView::OnNotify(NMHDR* header, LRESULT* result) {
    if (header->idFrom == IDC_EDITOR_TABS && header->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)), true);
        return true;
    }
    return ControlNotify(header, result);
}

bool ThemeEditorView::ControlNotify(NMHDR* header, LRESULT* result) {
    if (header->code == NM_CUSTOMDRAW) {
        wchar_t name[32] = {};
        GetClassNameW(header->hwndFrom, name, 32);
        if (lstrcmpiW(name, TRACKBAR_CLASSW) != 0) {
            return false;
        }
        *result = SliderCustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(header));
        return true;
    }
    if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        if (const ControlRow* button = ButtonOfCommand(static_cast<int>(header->idFrom))) {
            static std::wstring text;
            text = Wide(button->tooltip);
            info->lpszText = text.data();
            info->hinst = nullptr;
        }
        return true;
    }
    return false;
}

void ThemeEditorView::OnScroll(HWND control, int code, int position) {
    ControlScroll(control, code, position);
}

void ThemeEditorView::ControlScroll(HWND control, int code, int position) {
    if (!control) {
        return;
    }
    int id = GetDlgCtrlID(control);
    if (control == intervalBar_.Handle()) {
        if (intervalBar_.Scroll(code, position)) {
            OnControlScroll(id, code, intervalBar_.Value());
        }
        return;
    }
    OnControlScroll(id, code, TrackbarPosition(control));
}

void ThemeEditorView::OnTimer(UINT_PTR id) {
    if (id == kMusicTimer) {
        OnMusicTimer();
    }
}

void ThemeEditorView::OnClose() {
    Close();
}

void ThemeEditorView::OnDestroy() {
    StopMusicTimer();
    OnUnload();
    PostQuitMessage(0);
}

INT_PTR ThemeEditorView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DPICHANGED:
            // Left to the dialog manager, which moves and scales the window; the rest after it.
            PostMessageW(Handle(), kRescaleMessage, 0, 0);
            return FALSE;
        case kRescaleMessage:
            RescaleForDpi();
            return TRUE;
        case kRefocusMessage:
            Refocus();
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            return ControlColour(message, reinterpret_cast<HDC>(wParam),
                                 reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM:
            return DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
        default:
            return FALSE;
    }
}

INT_PTR ThemeEditorView::ControlColour(UINT message, HDC dc, HWND control) {
    if (colourReentry_) {
        return FALSE;
    }
    // The edit part of a combo box asks on behalf of the combo box.
    HWND asking = control;
    HWND dialog = GetParent(control);
    wchar_t name[16] = {};
    GetClassNameW(dialog, name, 16);
    if (lstrcmpiW(name, WC_COMBOBOXW) == 0) {
        asking = dialog;
        dialog = GetParent(dialog);
    }
    auto found = colours_.find(GetDlgCtrlID(asking));
    if (found == colours_.end()) {
        return FALSE;
    }
    const Colours& colours = found->second;
    if (colours.caption == CLR_NONE && colours.back == CLR_NONE) {
        return FALSE;
    }
    if (colours.caption != CLR_NONE) {
        ::SetTextColor(dc, colours.caption);
    }
    if (colours.back != CLR_NONE) {
        SetBkColor(dc, colours.back);
        return reinterpret_cast<INT_PTR>(colours.backBrush.Get());
    }
    // Caption colour only: the control keeps the back the dialog gives it (on a themed page the
    // tab's texture), asked of the dialog's default handling while this handler stands aside.
    colourReentry_ = true;
    auto brush = DefDlgProcW(dialog, message, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(control));
    colourReentry_ = false;
    ::SetTextColor(dc, colours.caption);
    return static_cast<INT_PTR>(brush);
}

bool ThemeEditorView::DrawItem(const DRAWITEMSTRUCT* item) {
    const ControlRow* row = EditorRow(static_cast<int>(item->CtlID));
    if (!row || row->kind != ControlKind::Surface) {
        return false;
    }
    OnDrawSurface(row->id, item->hDC, item->rcItem);
    return true;
}

bool ThemeEditorView::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN) {
        return false;
    }
    const bool back = GetKeyState(VK_SHIFT) < 0;
    if (msg->wParam == VK_F1) {
        OnHelp();
        return true;
    }
    if (msg->wParam != VK_TAB || GetKeyState(VK_MENU) < 0) {
        return false;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        // Ctrl+Tab and Ctrl+Shift+Tab turn the pages, as in the system's property sheets.
        ShowPage((shownPage_ + (back ? kEditorTabCount - 1 : 1)) % kEditorTabCount, true);
        return true;
    }
    const LRESULT wants =
        SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
    if (wants & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) {
        return false;
    }
    // Tab runs through the strip before the page it shows; the dialog manager alone would take
    // the page first, the order in which the pages lie above the strip.
    HWND next = NextTabStop(GetFocus(), back);
    if (!next) {
        return false;
    }
    FocusControl(Handle(), next);
    return true;
}

}  // namespace orvelle::win
