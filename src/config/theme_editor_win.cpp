#include "config/theme_editor_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/common_dialogs_win.h"
#include "base/controls_win.h"
#include "base/numbers.h"
#include "base/optional_api_win.h"
#include "base/program_folder_win.h"
#include "config/control_ids.h"
#include "config/theme_dialogs_win.h"
#include "overlays/background.h"

namespace orvelle::win {

namespace {

constexpr const char* kTitle = "Orvelle Screen Saver";

ControlKind KindOf(int id) {
    const ControlRow* row = EditorRow(id);
    return row ? row->kind : ControlKind::Label;
}

bool IsDropDown(ControlKind kind) {
    return kind == ControlKind::ComboBox || kind == ControlKind::DropDownList;
}

COLORREF ScreenColour(Colour colour) {
    if (colour == kDefaultColour) {
        return CLR_NONE;
    }
    if (IsSystemColour(colour)) {
        return GetSysColor(static_cast<int>(colour & 0xFFu));
    }
    return static_cast<COLORREF>(colour & 0xFFFFFFu);
}

// The largest rectangle of the picture's shape inside bounds, centred.
RECT FitInside(const RECT& bounds, PixelSize picture) {
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (picture.width <= 0 || picture.height <= 0 || width <= 0 || height <= 0) {
        return bounds;
    }
    int w = width;
    int h = static_cast<int>(static_cast<long long>(picture.height) * width / picture.width);
    if (h > height) {
        h = height;
        w = static_cast<int>(static_cast<long long>(picture.width) * height / picture.height);
    }
    w = std::max(w, 1);
    h = std::max(h, 1);
    const int left = bounds.left + (width - w) / 2;
    const int top = bounds.top + (height - h) / 2;
    return {left, top, left + w, top + h};
}

}  // namespace

ThemeEditorWindow::ThemeEditorWindow(HINSTANCE instance, const std::string& programFolder)
    : ThemeEditorView(instance),
      storage_(files_, programFolder),
      player_(mci_, clock_),
      editor_(storage_, *this, player_) {}

ThemeEditorWindow::~ThemeEditorWindow() {
    // Let go of the window, and of the small windows it owns, before the editor behind it goes.
    DestroyDetached();
}

bool ThemeEditorWindow::OnInitDialog() {
    const bool result = ThemeEditorView::OnInitDialog();
    editor_.Open();
    ShowEditor();
    return result;
}

void ThemeEditorWindow::ShowEditor() {
    applying_ = true;
    for (int id : editor_.controls.TakeChanged()) {
        ShowControl(id, editor_.controls[id]);
    }
    SetTitle(editor_.title);
    if (static_cast<int>(SelectedTab()) != editor_.tab) {
        SelectTab(static_cast<EditorTab>(editor_.tab));
    }
    if (editor_.musicTimerOn != musicTimerRunning_) {
        musicTimerRunning_ = editor_.musicTimerOn;
        if (musicTimerRunning_) {
            StartMusicTimer(500);
        } else {
            StopMusicTimer();
        }
    }
    applying_ = false;
}

void ThemeEditorWindow::ShowControl(int id, const ControlState& state) {
    HWND control = Control(id);
    if (!control) {
        return;
    }
    const ControlKind kind = KindOf(id);
    if (kind == ControlKind::Surface) {
        RedrawSurface(id);
    } else if (state.parts & kItemsPart) {
        ShowItems(control, kind, state, shownRevisions_[id]);
    }
    if (state.parts & kSelectionPart) {
        ShowSelection(control, kind, state);
    }
    if ((state.parts & kTextPart) && kind != ControlKind::Surface) {
        SetText(id, state.text);
    }
    if (state.parts & kCheckPart) {
        SetChecked(id, state.checked);
    }
    if (state.parts & kRangePart) {
        ProgressSetRange(control, state.maximum);
    }
    if (state.parts & kValuePart) {
        ShowValue(control, kind, state.value);
    }
    if (state.parts & kEnabledPart) {
        Enable(id, state.enabled);
    }
    if (state.parts & kVisiblePart) {
        Show(id, state.visible);
    }
    if (state.parts & kBackColourPart) {
        SetBackColor(id, ScreenColour(state.backColour));
    }
    if (state.parts & kCaptionColourPart) {
        SetCaptionColor(id, ScreenColour(state.captionColour));
    }
}

// shown: the revision of the items the control shows, 0 for none yet.
void ThemeEditorWindow::ShowItems(HWND control, ControlKind kind, const ControlState& state,
                                  std::uint32_t& shown) {
    if (shown == state.itemsRevision && shown != 0) {
        return;
    }
    if (IsDropDown(kind)) {
        ComboClear(control);
        for (const std::string& item : state.items) {
            ComboAdd(control, item);
        }
    } else if (shown != 0 && state.itemsRevision - shown <= state.recentEdits.size()) {
        // Only the latest edits are new: applied one by one, the rest of the list stays.
        const std::size_t missed = state.itemsRevision - shown;
        for (std::size_t i = state.recentEdits.size() - missed; i < state.recentEdits.size(); ++i) {
            const ListEdit& edit = state.recentEdits[i];
            if (edit.kind != ListEdit::Insert) {
                ListDelete(control, edit.index);
            }
            if (edit.kind != ListEdit::Erase) {
                ListInsert(control, edit.index, edit.text);
            }
        }
    } else {
        std::size_t bytes = 0;
        for (const std::string& item : state.items) {
            bytes += item.size() + 1;
        }
        // Thousands of entries: one redraw at the end and the storage reserved up front.
        ListClear(control);
        ListFill fill(control, static_cast<int>(state.items.size()), bytes * 2);
        for (const std::string& item : state.items) {
            fill.Add(item);
        }
    }
    shown = state.itemsRevision;
}

void ThemeEditorWindow::ShowSelection(HWND control, ControlKind kind, const ControlState& state) {
    if (IsDropDown(kind)) {
        ComboSelect(control, state.selected);
    } else if (kind == ControlKind::MultiList) {
        for (std::size_t i = 0; i < state.marked.size(); ++i) {
            ListSetSelected(control, static_cast<int>(i), state.marked[i]);
        }
    } else {
        ListSelect(control, state.selected);
    }
}

void ThemeEditorWindow::ShowValue(HWND control, ControlKind kind, int value) {
    if (kind == ControlKind::ProgressBar) {
        ProgressSetPosition(control, value);
    } else if (kind == ControlKind::ScrollBar) {
        IntervalScrollBar().SetValue(value);
    } else {
        TrackbarSetPosition(control, value);
    }
}

void ThemeEditorWindow::OnControlCommand(int id, int code) {
    if (applying_) {
        return;
    }
    const ControlKind kind = KindOf(id);
    bool handled = true;
    switch (kind) {
        case ControlKind::Surface:
            handled = code == STN_CLICKED;
            if (handled) {
                editor_.DoubleClicked(id);
            }
            break;
        case ControlKind::List:
        case ControlKind::MultiList:
            handled = ListCommand(id, kind, code);
            break;
        case ControlKind::ComboBox:
        case ControlKind::DropDownList:
            handled = code == CBN_SELCHANGE || code == CBN_EDITCHANGE;
            if (code == CBN_SELCHANGE) {
                editor_.Chosen(id, ComboSelection(Control(id)));
            } else if (handled) {
                editor_.TextChanged(id, Text(id));
            }
            break;
        case ControlKind::Edit:
            handled = code == EN_CHANGE;
            if (handled) {
                editor_.TextChanged(id, Text(id));
            }
            break;
        case ControlKind::CheckBox:
            handled = code == BN_CLICKED;
            if (handled) {
                editor_.CheckClicked(id, Checked(id));
            }
            break;
        default:
            handled = code == BN_CLICKED;
            if (handled) {
                editor_.Clicked(id);
            }
            break;
    }
    if (handled) {
        ShowEditor();
    }
}

bool ThemeEditorWindow::ListCommand(int id, ControlKind kind, int code) {
    HWND list = Control(id);
    if (code == LBN_DBLCLK) {
        editor_.DoubleClicked(id);
    } else if (code != LBN_SELCHANGE) {
        return false;
    } else if (kind == ControlKind::MultiList) {
        for (int i = 0; i < ListCount(list); ++i) {
            editor_.Marked(id, i, ListIsSelected(list, i));
        }
    } else {
        editor_.Chosen(id, ListSelection(list));
    }
    return true;
}

void ThemeEditorWindow::OnControlScroll(int id, int, int value) {
    if (applying_) {
        return;
    }
    if (editor_.controls[id].value == value && (editor_.controls[id].parts & kValuePart)) {
        return;  // a track bar reports the end of a drag at the same place
    }
    editor_.Scrolled(id, value);
    ShowEditor();
}

void ThemeEditorWindow::OnHelp() {
    editor_.OnHelp();
}

void ThemeEditorWindow::OnToolbarButton(int toolbarId, std::string_view key) {
    editor_.ToolbarClicked(toolbarId, std::string(key));
    ShowEditor();
}

void ThemeEditorWindow::ShowSmallDialog(int templateId) {
    RunThemeDialog(Instance(), Handle(), templateId, editor_);
    ShowEditor();
}

void ThemeEditorWindow::OnTabChanged(EditorTab tab) {
    editor_.tab = static_cast<int>(tab);
}

void ThemeEditorWindow::OnOk() {
    if (editor_.OnOk()) {
        Close();
        return;
    }
    ShowEditor();
}

void ThemeEditorWindow::OnCancel() {
    // Esc and the Cancel button arrive as the same command; only Esc asks about unsaved edits.
    const bool asks = std::exchange(escapePressed_, false);
    if (asks ? editor_.MayClose() : editor_.OnCancel()) {
        Close();
        return;
    }
    ShowEditor();
}

void ThemeEditorWindow::OnClose() {
    if (editor_.MayClose()) {
        Close();
        return;
    }
    ShowEditor();
}

bool ThemeEditorWindow::PreTranslateMessage(MSG* msg) {
    escapePressed_ = msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE;
    return ThemeEditorView::PreTranslateMessage(msg);
}

void ThemeEditorWindow::OnMusicTimer() {
    editor_.MusicTick();
    ShowEditor();
}

void ThemeEditorWindow::OnUnload() {
    editor_.OnClosed();
}

void ThemeEditorWindow::OnDrawSurface(int id, HDC dc, const RECT& bounds) {
    FillRect(dc, &bounds, GetSysColorBrush(COLOR_BTNFACE));
    if (id == IDP_BACKGROUND_GRADIENT) {
        DrawGradient(dc, bounds);
    } else if (id == IDP_IMAGES_PREVIEW && editor_.preview.shown) {
        // The preview's twips scaled to the surface, which stands for 2750 x 1815 of them.
        const int width = bounds.right - bounds.left;
        const int height = bounds.bottom - bounds.top;
        const PixelRect& r = editor_.preview.rect;
        const PixelRect drawn = {bounds.left + r.left * width / ThemeEditor::kPreviewWidth,
                                 bounds.top + r.top * height / ThemeEditor::kPreviewHeight,
                                 std::max(1, r.width * width / ThemeEditor::kPreviewWidth),
                                 std::max(1, r.height * height / ThemeEditor::kPreviewHeight)};
        preview_.Draw(dc, drawn, editor_.preview.path, GetSysColor(COLOR_BTNFACE));
    } else if (id == IDP_BACKGROUND_THUMBNAIL && !editor_.backgroundThumbnail.empty()) {
        if (std::optional<PixelSize> size = thumbnail_.Measure(editor_.backgroundThumbnail)) {
            const RECT fit = FitInside(bounds, *size);
            thumbnail_.Draw(dc, {fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top},
                            editor_.backgroundThumbnail, GetSysColor(COLOR_BTNFACE));
        }
    }
}

// The saver's bands over the preview's height, each filled with the DC's own brush.
void ThemeEditorWindow::DrawGradient(HDC dc, const RECT& bounds) {
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    for (int d = 0; d < kGradientBands; ++d) {
        const PixelRect band = GradientBand(d, width, height);
        const RECT r = {bounds.left, bounds.top + band.top, bounds.right,
                        bounds.top + band.top + band.height};
        SetDCBrushColor(dc, editor_.gradient[static_cast<std::size_t>(d)]);
        FillRect(dc, &r, brush);
    }
}

// --- What the editor asks ---

namespace {

MessageAnswer AskMessageBox(HWND owner, const std::string& text, MessageButtons buttons,
                            UINT icon) {
    const UINT style = icon | (buttons == MessageButtons::YesNo         ? MB_YESNO
                               : buttons == MessageButtons::YesNoCancel ? MB_YESNOCANCEL
                                                                        : MB_OK);
    switch (ShowMessageBox(owner, text, kTitle, style)) {
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        case IDCANCEL:
            // Esc or the close box of a question that offers Cancel.
            return buttons == MessageButtons::YesNoCancel ? MessageAnswer::Cancel
                                                          : MessageAnswer::Ok;
        default:
            return MessageAnswer::Ok;
    }
}

}  // namespace

HWND ThemeEditorWindow::MessageOwner() const {
    // A box owned by the editor while a small dialog is open would enable the editor again
    // when it closes, under the dialog that is still running.
    HWND active = GetActiveWindow();
    return active && IsWindowEnabled(active) ? active : Handle();
}

MessageAnswer ThemeEditorWindow::ShowMessage(const std::string& text, MessageButtons buttons) {
    return AskMessageBox(MessageOwner(), text, buttons, MB_ICONEXCLAMATION);
}

MessageAnswer ThemeEditorWindow::ShowPlainMessage(const std::string& text, MessageButtons buttons) {
    return AskMessageBox(MessageOwner(), text, buttons, 0);
}

std::optional<Colour> ThemeEditorWindow::ChooseColour(Colour initial) {
    std::optional<COLORREF> chosen =
        PickColour(Handle(), static_cast<COLORREF>(initial), CC_RGBINIT, customColours_);
    if (!chosen) {
        return std::nullopt;
    }
    return static_cast<Colour>(*chosen & 0xFFFFFFu);
}

std::optional<CaptionFontChoice> ThemeEditorWindow::PickCaptionFont(
    const CaptionFontChoice& initial, int minPoints, int maxPoints) {
    FontChoice start{initial.face,      initial.points,        initial.bold,  initial.italic,
                     initial.underline, initial.strikethrough, initial.colour};
    std::optional<FontChoice> chosen =
        PickFont(Handle(), start, CF_SCREENFONTS | CF_EFFECTS | CF_LIMITSIZE, minPoints, maxPoints);
    if (!chosen) {
        return std::nullopt;
    }
    return CaptionFontChoice{chosen->face,
                             chosen->points,
                             chosen->bold,
                             chosen->italic,
                             chosen->underline,
                             chosen->strikeout,
                             static_cast<Colour>(chosen->colour & 0xFFFFFFu)};
}

std::optional<std::string> ThemeEditorWindow::ChooseFileToOpen(const OpenFileRequest& request) {
    return PickFileToOpen(Handle(), request.filter, request.title, request.flags);
}

void ThemeEditorWindow::OpenDocument(const std::string& pathOrAddress) {
    win::OpenDocument(pathOrAddress);
}

int ThemeEditorWindow::WaveOutDeviceCount() {
    return static_cast<int>(waveOutGetNumDevs());
}

std::optional<PixelSize> ThemeEditorWindow::PictureSize(const std::string& path) {
    return preview_.Measure(path);
}

int ThemeEditorWindow::TwipsPerPixelX() {
    return TwipsPerPixelForDpi(WindowDpi(Handle()));
}

int ThemeEditorWindow::TwipsPerPixelY() {
    return TwipsPerPixelForDpi(WindowDpi(Handle()));
}

void ThemeEditorWindow::ShowError(const std::string& text) {
    ShowMessageBox(MessageOwner(), text, kTitle, MB_OK | MB_ICONHAND);
}

void ThemeEditorWindow::ShowFolderImport() {
    folderImport_.Show(Instance(), Handle(), editor_, storage_.ProgramFolder(),
                       [this] { ShowEditor(); });
}

void ThemeEditorWindow::ShowPictureViewer(const std::string& path) {
    viewer_.Show(Instance(), Handle(), path);
}

void ThemeEditorWindow::ShowBusyPointer(bool busy) {
    // The hourglass and the arrow by number: the names are narrow strings in a narrow build.
    constexpr WORD kWait = 32514;
    constexpr WORD kArrow = 32512;
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(busy ? kWait : kArrow)));
}

int RunThemeEditor(HINSTANCE instance, HWND owner) {
    ThemeEditorWindow window(instance, ProgramFolder());
    if (!window.Open(owner)) {
        return 1;
    }
    return Dialog::RunMessageLoop();
}

}  // namespace orvelle::win
