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
    {IDD_Form2_Images, "Images"},         {IDD_Form2_ImageSettings, "Image Settings"},
    {IDD_Form2_Background, "Background"}, {IDD_Form2_Countdown, "Countdown"},
    {IDD_Form2_Music, "Music"},
};

enum class Strip { Theme, List, Caption };

struct ToolbarEntry {
    int toolbar;
    int command;
    const char* key;
    const char* tooltip;
    Strip strip;
    int image;
};
constexpr ToolbarEntry kToolbarButtons[] = {
    {IDC_ToolbarNew, IDC_ToolbarNew_New, "New", "Create a new screen saver theme", Strip::Theme, 0},
    {IDC_ToolbarLoad, IDC_ToolbarLoad_Load, "Load", "Load existing screen saver theme",
     Strip::Theme, 1},
    {IDC_ToolbarDelete, IDC_ToolbarDelete_Delete, "Delete", "Delete existing screen saver themes",
     Strip::Theme, 2},
    {IDC_ToolbarMouse, IDC_ToolbarMouse_Mouse, "Mouse", "Mouse sensitivity", Strip::Theme, 3},
    {IDC_toolbarImages, IDC_toolbarImages_Add, "Add", "Add image", Strip::List, 0},
    {IDC_toolbarImages, IDC_toolbarImages_Delete, "Delete", "Delete image", Strip::List, 1},
    {IDC_toolbarImages, IDC_toolbarImages_DeleteAll, "DeleteAll", "Delete all images", Strip::List,
     2},
    {IDC_toolbarImages, IDC_toolbarImages_Up, "Up", "Move image up", Strip::List, 3},
    {IDC_toolbarImages, IDC_toolbarImages_Down, "Down", "Move image down", Strip::List, 4},
    {IDC_toolbarCaptions, IDC_toolbarCaptions_ClearCaption, "ClearCaption", "Clear caption",
     Strip::Caption, 0},
    {IDC_toolbarCaptions, IDC_toolbarCaptions_Font, "Font", "Change font color and style",
     Strip::Caption, 1},
    {IDC_toolbarCaptions, IDC_toolbarCaptions_Enlarge, "Enlarge", "Display original image size",
     Strip::Caption, 2},
    {IDC_ToolbarMedia, IDC_ToolbarMedia_Add, "Add", "Add music file", Strip::List, 0},
    {IDC_ToolbarMedia, IDC_ToolbarMedia_Delete, "Delete", "Delete music file", Strip::List, 1},
    {IDC_ToolbarMedia, IDC_ToolbarMedia_DeleteAll, "DeleteAll", "Delete all music files",
     Strip::List, 2},
    {IDC_ToolbarMedia, IDC_ToolbarMedia_Up, "Up", "Move music file up", Strip::List, 3},
    {IDC_ToolbarMedia, IDC_ToolbarMedia_Down, "Down", "Move music file down", Strip::List, 4},
};
constexpr int kThemeToolbars[] = {IDC_ToolbarNew, IDC_ToolbarLoad, IDC_ToolbarDelete,
                                  IDC_ToolbarMouse};
constexpr int kThemeLabels[] = {IDC_LabelNew, IDC_LabelLoad, IDC_LabelDelete, IDC_LabelMouse};
constexpr int kPageToolbars[] = {IDC_toolbarImages, IDC_toolbarCaptions, IDC_ToolbarMedia};

struct Tip {
    int id;
    const char* text;
};
constexpr Tip kTooltips[] = {
    {IDC_Ok, "Save changes"},
    {IDC_Cancel, "Cancel changes"},
    {IDC_List1, "Loaded image(s)"},
    {IDC_Text3, "Total amount of images"},
    {IDC_ImagePosition, "Position of image"},
    {IDC_FolderCommand, "Add multiple amount of images"},
    {IDC_Random_select, "Display images in random order"},
    {IDC_photo1, "Click to preview"},
    {IDC_p_caption, "Caption"},
    {IDC_Picture2, "Font color"},
    {IDC_scrollOption, "Scrolling caption"},
    {IDC_middleOption, "Center caption"},
    {IDC_scrollSlider, "Scrolling speed"},
    {IDC_PercentSlider, "Increase/decrease image size"},
    {IDC_aChange, "Change image "},
    {IDC_nChange, "Never change image"},
    {IDC_Text2, "Time interval (seconds)"},
    {IDC_pCenter, "Center image on screen"},
    {IDC_pRandom, "Float image on screen"},
    {IDC_floatSlider, "Float speed"},
    {IDC_ListBoxTransitions, "Transition effects"},
    {IDC_backgroundColor, "Display background color"},
    {IDC_backgroundDesktop, "Display desktop as background"},
    {IDC_backgroundCustomImage, "Display image as background"},
    {IDC_backgroundColorGradient, "Display gradient background color"},
    {IDC_Picture1, "Background color"},
    {IDC_backColorClick, "Select background color"},
    {IDC_backgroundImageFile, "Background image file"},
    {IDC_addBackImg, "Load background image"},
    {IDC_removeBackImg, "Remove background image"},
    {IDC_CenterOption, "Center background image"},
    {IDC_FullScreenOption, "Display background image full screen"},
    {IDC_TileOption, "Tile background image"},
    {IDC_Image1, "Background image "},
    {IDC_redSlider, "Dither red"},
    {IDC_greenSlider, "Dither Green"},
    {IDC_blueSlider, "Dither blue"},
    {IDC_GradientPicture, "Gradient background color"},
    {IDC_noneOption, "Display nothing"},
    {IDC_timeOption, "Display current time and date"},
    {IDC_yearOption, "Display countdown clock"},
    {IDC_multimediaList, "Loaded multimedia files"},
    {IDC_multimediaTotal, "Total amount of music files"},
    {IDC_MediaPosition, "Position of music file"},
    {IDC_randomMediaCheck, "Play music files in random order"},
    {IDC_playCommand, "Play music file"},
    {IDC_closeCommand, "Stop music file"},
};

struct SliderRange {
    int id;
    int minimum;
    int maximum;
    int tickEvery;
};
constexpr SliderRange kSliders[] = {
    {IDC_PercentSlider, 10, 100, 10}, {IDC_floatSlider, 0, 5, 1},
    {IDC_scrollSlider, 100, 300, 20}, {IDC_redSlider, 0, 255, 0},
    {IDC_greenSlider, 0, 255, 0},     {IDC_blueSlider, 0, 255, 0},
};
constexpr ScrollBarRange kIntervalRange{0, 60, 1, 10, true};

struct ComboItems {
    int id;
    int first;
    int last;
    int digits;
    const char* designText;
};
constexpr ComboItems kCombos[] = {
    {IDC_monthCombo, 1, 12, 2, "Month"},
    {IDC_dayCombo, 1, 31, 2, "Day"},
    {IDC_yearCombo, 2000, 2040, 4, "Year"},
};

constexpr int kSurfaces[] = {IDC_photo1, IDC_Image1, IDC_GradientPicture};

// Controls that take the enabled state of another: a slider's labels grey with it, and the
// background colour swatch is usable only while its "Color..." button is.
struct Follower {
    int leader;
    int follower;
};
constexpr Follower kFollowers[] = {
    {IDC_floatSlider, IDC_Label11},
    {IDC_floatSlider, IDC_Label7},
    {IDC_scrollSlider, IDC_Label16},
    {IDC_backColorClick, IDC_Picture1},
};

// Colour swatches that act as a button beside them: a click or Space on the swatch does what the
// button does (the colour dialog, the caption font and colour dialog).
struct SwatchAction {
    int swatch;
    int command;
};
constexpr SwatchAction kSwatchActions[] = {
    {IDC_Picture1, IDC_backColorClick},
    {IDC_Picture2, IDC_toolbarCaptions_Font},
};

struct PictureStrip {
    int size;
    int bitmap;
};
constexpr PictureStrip kThemeStrips[] = {{24, IDB_ThemeButtons24},
                                         {32, IDB_ThemeButtons32},
                                         {36, IDB_ThemeButtons36},
                                         {48, IDB_ThemeButtons48}};
constexpr PictureStrip kListStrips[] = {
    {16, IDB_ListButtons16}, {24, IDB_ListButtons24}, {32, IDB_ListButtons32}};
constexpr PictureStrip kCaptionStrips[] = {
    {16, IDB_CaptionButtons16}, {24, IDB_CaptionButtons24}, {32, IDB_CaptionButtons32}};

HIMAGELIST LoadPictureStrip(HINSTANCE instance, std::span<const PictureStrip> strips,
                            int designSize, int dpi) {
    std::vector<int> sizes;
    for (const PictureStrip& strip : strips) {
        sizes.push_back(strip.size);
    }
    const int size = PictureSizeForDpi(designSize, dpi, sizes);
    for (const PictureStrip& strip : strips) {
        if (strip.size == size) {
            return LoadButtonPictures(instance, strip.bitmap, size);
        }
    }
    return nullptr;
}

const ToolbarEntry* ButtonOfCommand(int command) {
    for (const ToolbarEntry& button : kToolbarButtons) {
        if (button.command == command) {
            return &button;
        }
    }
    return nullptr;
}

bool IsToolbar(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return lstrcmpiW(name, TOOLBARCLASSNAMEW) == 0;
}

std::string TwoOrFourDigits(int value, int digits) {
    std::string text = std::to_string(value);
    while (static_cast<int>(text.size()) < digits) {
        text.insert(text.begin(), '0');
    }
    return text;
}

RECT ChildRect(HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// A small dialog shown from its template with nothing behind it but closing.
class TemplateDialog : public Dialog {
  public:
    explicit TemplateDialog(std::function<void(TemplateDialog&)> init = {})
        : init_(std::move(init)) {}
    Tooltips& Tips() { return tips_; }

  protected:
    bool OnInitDialog() override {
        CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
        tips_.Create(Handle());
        if (init_) {
            init_(*this);
        }
        return true;
    }
    bool OnCommand(int id, int code, HWND) override {
        if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) {
            EndModal(id);
            return true;
        }
        return false;
    }

  private:
    std::function<void(TemplateDialog&)> init_;
    Tooltips tips_;
};

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
            if (GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) == IDC_photo1 &&
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
    if (IsAlive()) {
        DestroyWindow(Handle());
    }
    for (HIMAGELIST list : {themePictures_, listPictures_, captionPictures_}) {
        if (list) {
            ImageList_Destroy(list);
        }
    }
    for (auto& [id, colours] : colours_) {
        if (colours.backBrush) {
            DeleteObject(colours.backBrush);
        }
    }
    if (headingFont_) {
        DeleteObject(headingFont_);
    }
}

bool ThemeEditorView::Open(HWND owner) {
    if (!Create(instance_, IDD_Form2, owner)) {
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
    headingFont_ = CreateFontIndirectW(&font);
    SendMessageW(Item(IDC_Label1), WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_), FALSE);

    HWND tab = Item(IDC_SSTab1);
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
    SetFocus(Control(IDC_List1));
    return false;
}

void ThemeEditorView::CreatePages() {
    HWND tab = Item(IDC_SSTab1);
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
    for (HIMAGELIST* list : {&themePictures_, &listPictures_, &captionPictures_}) {
        if (*list) {
            ImageList_Destroy(*list);
            *list = nullptr;
        }
    }
    // The strip drawn for the button's size at this DPI: the theme strip's buttons are 24
    // pixels at 96 dpi, the lists' 16.
    const int dpi = WindowDpi(Handle());
    themePictures_ = LoadPictureStrip(instance_, kThemeStrips, 24, dpi);
    listPictures_ = LoadPictureStrip(instance_, kListStrips, 16, dpi);
    captionPictures_ = LoadPictureStrip(instance_, kCaptionStrips, 16, dpi);
}

HIMAGELIST ThemeEditorView::PicturesOf(int toolbarId) const {
    for (const ToolbarEntry& entry : kToolbarButtons) {
        if (entry.toolbar == toolbarId) {
            return entry.strip == Strip::Theme  ? themePictures_
                   : entry.strip == Strip::List ? listPictures_
                                                : captionPictures_;
        }
    }
    return nullptr;
}

void ThemeEditorView::CreateToolbars() {
    LoadToolbarPictures();
    auto fill = [&](int toolbarId) {
        std::vector<ToolbarButton> buttons;
        for (const ToolbarEntry& entry : kToolbarButtons) {
            if (entry.toolbar == toolbarId) {
                buttons.push_back({entry.command, entry.image});
            }
        }
        SetToolbarButtons(Control(toolbarId), PicturesOf(toolbarId), buttons);
    };
    for (int id : kThemeToolbars) {
        fill(id);
        MakeToolbarFlat(Control(id));
        EnableToolbarKeys(Control(id));
    }
    for (int id : kPageToolbars) {
        fill(id);
        EnableToolbarKeys(Control(id));
    }
    for (const SwatchAction& action : kSwatchActions) {
        EnableSwatchKeys(Control(action.swatch));
    }
    PlaceToolbars();
}

void ThemeEditorView::PlaceToolbars() {
    // The theme strip: flat one-button toolbars, each centred over its label.
    for (size_t i = 0; i < std::size(kThemeToolbars); ++i) {
        HWND toolbar = Control(kThemeToolbars[i]);
        SIZE size = ToolbarNeededSize(toolbar);
        RECT label = ChildRect(Item(kThemeLabels[i]));
        int centre = (label.left + label.right) / 2;
        SetWindowPos(toolbar, nullptr, centre - size.cx / 2, label.top - size.cy - 2, size.cx,
                     size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The list and caption toolbars keep the standard look, sized to their buttons.
    for (int id : kPageToolbars) {
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
    for (int id : kThemeToolbars) {
        SendMessageW(Control(id), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(PicturesOf(id)));
    }
    for (int id : kPageToolbars) {
        SendMessageW(Control(id), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(PicturesOf(id)));
    }
    PlaceToolbars();
    LayoutStatusBar();
    InvalidateRect(Handle(), nullptr, TRUE);
}

void ThemeEditorView::ApplyRanges() {
    for (const SliderRange& slider : kSliders) {
        HWND control = Control(slider.id);
        TrackbarSetRange(control, slider.minimum, slider.maximum);
        if (slider.tickEvery > 0) {
            TrackbarSetTickFrequency(control, slider.tickEvery);
        }
        TrackbarSetPosition(control, slider.minimum);
    }
    intervalBar_ = ScrollBar(Control(IDC_changeVScroll1), kIntervalRange);
    intervalBar_.SetValue(0);
    for (const ComboItems& combo : kCombos) {
        HWND control = Control(combo.id);
        for (int value = combo.first; value <= combo.last; ++value) {
            ComboAdd(control, TwoOrFourDigits(value, combo.digits));
        }
        SetControlText(control, combo.designText);
    }
}

void ThemeEditorView::LayoutStatusBar() {
    HWND bar = Item(IDC_StatusBar1);
    SendMessageW(bar, WM_SIZE, 0, 0);
    RECT client;
    GetClientRect(Handle(), &client);
    const int edges[] = {client.right * 3 / 5, -1};
    StatusBarSetParts(bar, edges);
    StatusBarSetText(bar, 0, kStatusText);
}

void ThemeEditorView::AddTooltips() {
    tooltips_.Create(Handle());
    for (const Tip& tip : kTooltips) {
        tooltips_.Add(Control(tip.id), tip.text);
    }
}

void ThemeEditorView::ShowPage(int index, bool focusStrip) {
    if (index < 0 || index >= kEditorTabCount) {
        return;
    }
    HWND tab = Item(IDC_SSTab1);
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
    for (const Follower& pair : kFollowers) {
        if (pair.leader == id) {
            NoteFocusLeaving(Control(pair.follower), enabled);
            EnableWindow(Control(pair.follower), enabled ? TRUE : FALSE);
        }
    }
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
    return NextTabStopAroundPage(Handle(), Item(IDC_SSTab1), page, from, back);
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
    if (colours.backBrush) {
        DeleteObject(colours.backBrush);
        colours.backBrush = nullptr;
    }
    colours.back = colour;
    if (colour != CLR_NONE) {
        colours.backBrush = CreateSolidBrush(colour);
    }
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
    StatusBarSetText(Item(IDC_StatusBar1), panel, text);
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

void ThemeEditorView::ShowSmallDialog(int templateId) {
    TemplateDialog dialog([templateId](TemplateDialog& d) {
        if (templateId == IDD_frmMouse) {
            HWND slider = d.Item(IDC_frmMouse_MouseSensitiveSlider);
            TrackbarSetRange(slider, 1, 30);
            TrackbarSetTickFrequency(slider, 1);
            TrackbarSetPosition(slider, 23);
            d.Tips().Add(slider, "Mouse sensitivity");
            d.Tips().Add(d.Item(IDC_frmMouse_defaultMouseSensitivity), "Default mouse sensitivity");
            d.Tips().Add(d.Item(IDC_frmMouse_Ok), "Save changes");
            d.Tips().Add(d.Item(IDC_frmMouse_Cancel), "Cancel changes");
        }
    });
    dialog.RunModal(instance_, templateId, Handle());
}

// --- Default hooks: the design-time window ---

void ThemeEditorView::OnControlCommand(int, int) {}

void ThemeEditorView::OnControlScroll(int, int, int) {}

void ThemeEditorView::OnToolbarButton(int toolbarId, std::string_view key) {
    if (toolbarId == IDC_ToolbarNew && key == "New") {
        ShowSmallDialog(IDD_frmNewName);
    } else if (toolbarId == IDC_ToolbarLoad && key == "Load") {
        ShowSmallDialog(IDD_frmExistingNames);
    } else if (toolbarId == IDC_ToolbarDelete && key == "Delete") {
        ShowSmallDialog(IDD_frmDelete);
    } else if (toolbarId == IDC_ToolbarMouse && key == "Mouse") {
        ShowSmallDialog(IDD_frmMouse);
    }
}

void ThemeEditorView::OnMenuCommand(int id) {
    switch (id) {
        case IDM_NewTheme:
            ShowSmallDialog(IDD_frmNewName);
            break;
        case IDM_LoadTheme:
            ShowSmallDialog(IDD_frmExistingNames);
            break;
        case IDM_DeleteTheme:
            ShowSmallDialog(IDD_frmDelete);
            break;
        case IDM_AboutOrvelle:
            about_.Show(instance_, Handle());
            break;
        case IDM_HomePage:
            OpenDocument(kHomePageAddress);
            break;
        case IDM_Free:
            OpenDocument(kFreeStuffAddress);
            break;
        case IDM_Save:
            OnOk();
            break;
        case IDM_Exit:
            OnCancel();
            break;
        default:
            break;
    }
}

void ThemeEditorView::OnOk() {
    Close();
}

void ThemeEditorView::OnCancel() {
    Close();
}

void ThemeEditorView::OnDrawSurface(int, HDC dc, const RECT& bounds) {
    FillRect(dc, &bounds, GetSysColorBrush(COLOR_WINDOW));
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

bool ThemeEditorView::ControlCommand(int id, int code, HWND control) {
    for (const SwatchAction& action : kSwatchActions) {
        if (action.swatch == id && code == STN_CLICKED) {
            if (const ToolbarEntry* button = ButtonOfCommand(action.command)) {
                OnToolbarButton(button->toolbar, button->key);
            } else {
                OnControlCommand(action.command, BN_CLICKED);
            }
            return true;
        }
    }
    if (IsToolbar(control)) {
        if (const ToolbarEntry* button = ButtonOfCommand(id)) {
            OnToolbarButton(button->toolbar, button->key);
        }
        return true;
    }
    if (id == IDC_Ok && code == BN_CLICKED) {
        OnOk();
    } else if (id == IDC_Cancel && code == BN_CLICKED) {
        OnCancel();
    } else {
        OnControlCommand(id, code);
    }
    return true;
}

bool ThemeEditorView::OnNotify(NMHDR* header, LRESULT* result) {
    if (header->idFrom == IDC_SSTab1 && header->code == TCN_SELCHANGE) {
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
        if (const ToolbarEntry* button = ButtonOfCommand(static_cast<int>(header->idFrom))) {
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
        return reinterpret_cast<INT_PTR>(colours.backBrush);
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
    for (int id : kSurfaces) {
        if (static_cast<int>(item->CtlID) == id) {
            OnDrawSurface(id, item->hDC, item->rcItem);
            return true;
        }
    }
    return false;
}

bool ThemeEditorView::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN) {
        return false;
    }
    const bool back = GetKeyState(VK_SHIFT) < 0;
    if (msg->wParam == VK_F1) {
        OnMenuCommand(IDM_OrvelleHelp);
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

// --- Entry ---

bool DialogPreviewRequested() {
    wchar_t value[8] = {};
    DWORD length = GetEnvironmentVariableW(L"ORVELLE_DIALOG_PREVIEW", value, 8);
    return length == 1 && value[0] == L'1';
}

int RunForm2Preview(HINSTANCE instance, HWND owner) {
    ThemeEditorView window(instance);
    if (!window.Open(owner)) {
        return 1;
    }
    return Dialog::RunMessageLoop();
}

}  // namespace orvelle::win
