// Thin helpers over the standard and common controls used by the program's dialogs. Text goes
// in and out as UTF-8; every call is the W form. They carry calls out and decide nothing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string>
#include <string_view>

#include "base/scroll_steps.h"

namespace orvelle::win {

// --- List boxes (single and multiple selection) ---
void ListClear(HWND list);
// The index of the new entry.
int ListAdd(HWND list, std::string_view text);
void ListInsert(HWND list, int index, std::string_view text);
void ListDelete(HWND list, int index);
int ListCount(HWND list);
std::string ListText(HWND list, int index);
// Single selection: selects the entry (-1 selects none). Sends no notification.
void ListSelect(HWND list, int index);
// Single selection: the selected index, or -1.
int ListSelection(HWND list);
// Multiple selection: switches one entry on or off, and reads it.
void ListSetSelected(HWND list, int index, bool selected);
bool ListIsSelected(HWND list, int index);

// For a large fill: reserves room for the entries and stops redrawing until the end of scope.
class ListFill {
  public:
    ListFill(HWND list, int entries, size_t textBytes);
    ~ListFill();
    // Appends an entry. It goes straight to the list box's own procedure: a control with a
    // tooltip is subclassed, and walking the subclass chain for each of thousands of entries
    // costs more than the list box itself (tenfold under Wine).
    void Add(std::string_view text);
    ListFill(const ListFill&) = delete;
    ListFill& operator=(const ListFill&) = delete;

  private:
    HWND list_;
    WNDPROC own_;
};

// --- Combo boxes ---
void ComboClear(HWND combo);
int ComboAdd(HWND combo, std::string_view text);
void ComboSelect(HWND combo, int index);
int ComboSelection(HWND combo);
std::string ComboItemText(HWND combo, int index);

// --- Window text, check boxes and option buttons ---
std::string ControlText(HWND window);
void SetControlText(HWND window, std::string_view text);
void SetChecked(HWND button, bool checked);
bool IsChecked(HWND button);

// --- Track bars (sliders) ---
void TrackbarSetRange(HWND slider, int minimum, int maximum);
void TrackbarSetTickFrequency(HWND slider, int every);
void TrackbarSetPosition(HWND slider, int position);
int TrackbarPosition(HWND slider);

// --- Scroll bar controls, with the range the owner answers requests from ---
class ScrollBar {
  public:
    ScrollBar() = default;
    ScrollBar(HWND bar, const ScrollBarRange& range);
    HWND Handle() const { return bar_; }
    int Value() const;
    void SetValue(int value);
    // Answers a WM_VSCROLL/WM_HSCROLL request: moves the thumb; true when the value changed.
    bool Scroll(int requestCode, int thumb);

  private:
    HWND bar_ = nullptr;
    ScrollBarRange range_;
};

// --- Progress bar ---
void ProgressSetRange(HWND bar, int maximum);
void ProgressSetPosition(HWND bar, int position);

// --- Toolbars ---
struct ToolbarButton {
    int command;  // the WM_COMMAND id the button sends to the toolbar's parent
    int image;    // index in the image list
};
// A strip of square button pictures (32-bit with alpha) from a BITMAP resource.
HIMAGELIST LoadButtonPictures(HINSTANCE instance, int bitmapId, int size);
// Gives the toolbar its image list (owned by the caller) and buttons; tooltips are asked of the
// parent with TTN_GETDISPINFOW, the button's command as the id.
void SetToolbarButtons(HWND toolbar, HIMAGELIST pictures, std::span<const ToolbarButton> buttons);
// The flat look: the toolbar window (the control itself, or its inner "ToolbarWindow32") gets
// TBSTYLE_FLAT | TBSTYLE_TRANSPARENT added to its style, then repaints.
void MakeToolbarFlat(HWND control);
// Size in pixels the toolbar needs to show all its buttons.
SIZE ToolbarNeededSize(HWND toolbar);

// --- The keyboard where the dialog manager leaves it out ---
// The toolbar takes the arrow keys, Space and Enter while it has the focus: the arrows move the
// hot button within it (wrapping at the ends), shown by a focus rectangle; Space or Enter press
// the hot button as a click does.
void EnableToolbarKeys(HWND toolbar);
// A colour swatch (a static control with SS_NOTIFY) that shows a focus rectangle while it has the
// focus and reports Space to its parent as a click (STN_CLICKED).
void EnableSwatchKeys(HWND swatch);
// The answer to a track bar's NM_CUSTOMDRAW: a disabled one is washed toward its background, as
// disabled text is greyed, which the system's own drawing hardly shows; an enabled one is drawn
// as usual.
LRESULT SliderCustomDraw(const NMCUSTOMDRAW& draw);

// --- Status bar ---
// Right edges of the panels in pixels; -1 runs the last one to the window's edge.
void StatusBarSetParts(HWND bar, std::span<const int> rightEdges);
void StatusBarSetText(HWND bar, int panel, std::string_view text);

// --- Tooltips for controls, any depth below the owner window ---
class Tooltips {
  public:
    Tooltips() = default;
    ~Tooltips();
    Tooltips(const Tooltips&) = delete;
    Tooltips& operator=(const Tooltips&) = delete;
    void Create(HWND owner);
    void Add(HWND control, std::string_view text);
    HWND Handle() const { return tips_; }

  private:
    HWND owner_ = nullptr;
    HWND tips_ = nullptr;
};

// Screen resolution in dots per inch (96 at 100 %).
int ScreenDpi();

}  // namespace orvelle::win
