// A base for the program's dialog windows, built from a dialog template of the resources:
// modeless (Create) or modal (RunModal). The object is bound to its window at WM_INITDIALOG and
// let go at WM_NCDESTROY, or before the window is destroyed when the object goes first; each
// message reaches one virtual handler, behind the fault barrier (base/fault_barrier_win.h).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvelle::win {

class Dialog {
  public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    HWND Handle() const { return hwnd_; }
    bool IsAlive() const { return hwnd_ != nullptr; }
    bool IsModal() const { return modal_; }

    // Modeless: creates the window from the template (hidden unless the template says
    // WS_VISIBLE). False when it could not be created.
    bool Create(HINSTANCE instance, int templateId, HWND parent);
    // Modal: runs the dialog until EndModal; its result, or -1 when it could not be created.
    INT_PTR RunModal(HINSTANCE instance, int templateId, HWND owner);
    void EndModal(INT_PTR result);
    // Modal: ends with IDCANCEL; modeless: destroys the window.
    void Close();

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, std::string_view text);
    void EnableItem(int id, bool enabled);
    void ShowItem(int id, bool shown);

    // Runs the thread's messages until WM_QUIT, giving each modeless dialog its keyboard
    // handling (Tab, arrows, mnemonics, Enter, Esc). The WM_QUIT code.
    static int RunMessageLoop();

  protected:
    // True lets the system put the focus on the first tab stop.
    virtual bool OnInitDialog() { return true; }
    // True when handled.
    virtual bool OnCommand(int id, int code, HWND control);
    // True when handled; *result becomes the message's result.
    virtual bool OnNotify(NMHDR* header, LRESULT* result);
    // WM_HSCROLL and WM_VSCROLL from track bars and scroll bars.
    virtual void OnScroll(HWND control, int code, int position);
    virtual void OnTimer(UINT_PTR id);
    // The close box and Alt+F4; the default closes.
    virtual void OnClose() { Close(); }
    virtual void OnDestroy() {}
    // Every other message; a non-zero result marks it handled (as a dialog procedure's).
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Last hook before the system's keyboard handling; true when the message is used up.
    virtual bool PreTranslateMessage(MSG* msg);
    // Destroys the window (ends a modal one) with this object let go first, so that no message
    // reaches it: for destructors, where the object is no longer whole. The base destructor does
    // this; a derived one calls it before freeing what the window still uses.
    void DestroyDetached();

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // Unbinds the object from its window.
    static void Forget(HWND window, Dialog* self);

    HWND hwnd_ = nullptr;
    bool modal_ = false;
};

// Centres the window on its owner when it has a visible one, otherwise on the screen it is on.
void CenterWindow(HWND window, HWND owner);

// Puts the keyboard focus on a control of the dialog (or of a page inside it) as Tab does: the
// default button follows, an edit box's text is selected, and a group of option buttons is
// entered at its chosen one (the system chooses an option that gets the focus by the keyboard).
void FocusControl(HWND dialog, HWND control);

// The Tab order of a dialog whose tab strip stands for the page it shows, as in the system's
// property sheets: the controls before the strip, the strip, the shown page's controls, then the
// rest. The control Tab (back: Shift+Tab) moves to from `from` (a page's control, any control of
// the dialog, or nullptr); nullptr when there is none.
HWND NextTabStopAroundPage(HWND dialog, HWND strip, HWND page, HWND from, bool back);

}  // namespace orvelle::win
