// The theme editor window on the screen: builds it from its templates (the window, its menu and
// status bar, the theme toolbar strip and five tab pages), shows whatever it is told and hands
// every control event to one hook. It keeps no settings and decides nothing; the editor's logic
// plugs in by overriding the hooks and calling the accessors.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/controls_win.h"
#include "base/dialog_win.h"
#include "base/gdi_win.h"
#include "config/about_box_win.h"
#include "config/control_table.h"

namespace orvelle::win {

class ThemeEditorView;

// The tabs of the window, in order.
enum class EditorTab { Images = 0, ImageSettings = 1, Background = 2, Countdown = 3, Music = 4 };
inline constexpr int kEditorTabCount = 5;

// One tab page: a child dialog whose control events go to the window's hooks.
class ThemeEditorPage : public Dialog {
  public:
    explicit ThemeEditorPage(ThemeEditorView& owner) : owner_(owner) {}

  protected:
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT* result) override;
    void OnScroll(HWND control, int code, int position) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    ThemeEditorView& owner_;
};

class ThemeEditorView : public Dialog {
  public:
    explicit ThemeEditorView(HINSTANCE instance);
    ~ThemeEditorView() override;

    // Creates the window centred on the owner (or the screen) and shows it.
    bool Open(HWND owner = nullptr);

    // Any control of the window or of its pages, by id; nullptr when there is none.
    HWND Control(int id) const;
    HWND PageWindow(EditorTab tab) const;
    std::string Text(int id) const;
    void SetText(int id, std::string_view text);
    void Enable(int id, bool enabled);
    void Show(int id, bool shown);
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    int SliderValue(int id) const;
    void SetSliderValue(int id, int value);
    // The interval's scroll bar, whose top end holds 60.
    ScrollBar& IntervalScrollBar() { return intervalBar_; }
    // Back colour of a swatch, an edit box or a combo box (the interval, the background picture's
    // path, the date lists); CLR_NONE gives the system's back again.
    void SetBackColor(int id, COLORREF colour);
    // Caption colour of a frame (the background groups) or a label; CLR_NONE gives the system's.
    void SetCaptionColor(int id, COLORREF colour);
    // Owner-drawn surfaces (the preview, the thumbnail, the gradient): asks OnDrawSurface again.
    void RedrawSurface(int id);
    void SelectTab(EditorTab tab);
    EditorTab SelectedTab() const;
    void SetStatusText(int panel, std::string_view text);
    void SetTitle(std::string_view title);
    // The music player's progress timer.
    void StartMusicTimer(UINT milliseconds);
    void StopMusicTimer();

  protected:
    // --- Hooks: one per kind of control event ---
    // Buttons, option buttons, check boxes, list boxes, combo boxes and edit boxes of the window
    // and its pages (BN_CLICKED, LBN_SELCHANGE, LBN_DBLCLK, CBN_SELCHANGE, EN_CHANGE, ...).
    virtual void OnControlCommand(int id, int code) = 0;
    // Sliders and the interval scroll bar, after they moved: the control's value.
    virtual void OnControlScroll(int id, int code, int value) = 0;
    // A button of a page's toolbar: the toolbar's id and the button's key ("Add", "Font", ...).
    // The theme strip's buttons open their dialogs.
    virtual void OnToolbarButton(int toolbarId, std::string_view key) = 0;
    // Help > Orvelle Help and F1.
    virtual void OnHelp() = 0;
    // Enter and the OK button; Esc and the Cancel button.
    virtual void OnOk() = 0;
    virtual void OnCancel() = 0;
    // The window is going away (close box, OK, Cancel): last chance to stop the music.
    virtual void OnUnload() {}
    virtual void OnTabChanged(EditorTab) {}
    virtual void OnMusicTimer() {}
    // Paints an owner-drawn surface.
    virtual void OnDrawSurface(int id, HDC dc, const RECT& bounds) = 0;

    // One of the small modal dialogs (new, load or delete theme, mouse), opened from the theme
    // strip or the File menu.
    virtual void ShowSmallDialog(int templateId) = 0;
    HINSTANCE Instance() const { return instance_; }

    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT* result) override;
    void OnScroll(HWND control, int code, int position) override;
    void OnTimer(UINT_PTR id) override;
    void OnClose() override;
    void OnDestroy() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG* msg) override;

  private:
    friend class ThemeEditorPage;

    // The menu: a dialog, the about box, a web page, Save as OK, Exit as Cancel, the help.
    void OnMenuCommand(int id);
    void PressToolbarButton(const ControlRow& button);
    void CreatePages();
    void CreateToolbars();
    // The button pictures at the window's DPI, replacing any loaded before.
    void LoadToolbarPictures();
    HIMAGELIST PicturesOf(int toolbarId) const;
    // The toolbars sized to their buttons, the theme strip's centred over its labels.
    void PlaceToolbars();
    // After the window moved to a monitor of another DPI.
    void RescaleForDpi();
    static constexpr UINT kRescaleMessage = WM_APP + 20;
    void ApplyRanges();
    void AddTooltips();
    void LayoutStatusBar();
    // focusStrip: the user turned the page, and the focus goes to the tab strip; otherwise it
    // moves there only from a page that goes.
    void ShowPage(int index, bool focusStrip);
    // The Tab order: the theme strip, the tab strip, the shown page, OK and Cancel.
    HWND NextTabStop(HWND from, bool back) const;
    // A control about to be disabled or hidden while it has the focus: the focus moves on to the
    // next control once the edit is shown (kRefocusMessage).
    void NoteFocusLeaving(HWND control, bool staysUsable);
    void Refocus();
    static constexpr UINT kRefocusMessage = WM_APP + 21;
    // Shared by the window and its pages.
    bool ControlCommand(int id, int code, HWND control);
    bool ControlNotify(NMHDR* header, LRESULT* result);
    void ControlScroll(HWND control, int code, int position);
    INT_PTR ControlColour(UINT message, HDC dc, HWND control);
    bool DrawItem(const DRAWITEMSTRUCT* item);

    HINSTANCE instance_;
    AboutBox about_;
    std::array<std::unique_ptr<ThemeEditorPage>, kEditorTabCount> pages_;
    int shownPage_ = -1;
    ScrollBar intervalBar_;
    Tooltips tooltips_;
    struct ImageListDestroy {
        void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
    };
    using OwnedPictures = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDestroy>;
    OwnedPictures themePictures_;
    OwnedPictures listPictures_;
    OwnedPictures captionPictures_;
    OwnedFont headingFont_;
    struct Colours {
        COLORREF caption = CLR_NONE;
        COLORREF back = CLR_NONE;
        OwnedBrush backBrush;
    };
    std::map<int, Colours> colours_;
    bool colourReentry_ = false;
    HWND focusLeft_ = nullptr;
};

}  // namespace orvelle::win
