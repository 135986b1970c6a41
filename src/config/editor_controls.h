// What the editor's controls show, kept by the portable editor and copied onto the real controls
// by the window: per control id its text, check, enabling, slider value, list items and
// selection, and colours. Every change marks its control, so the window updates only what
// changed, and a list's items carry a revision so that a long list is refilled only when its
// items changed, not when only its selection did.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/colour.h"

namespace orvelle {

// The control's own colour (no colour set by the editor).
inline constexpr Colour kDefaultColour = 0xFFFFFFFFu;
// One of the system's colours by its index (5 window, 18 button text, 22 3D light), told from
// a plain 0x00BBGGRR colour by its top bit.
constexpr Colour SystemColour(int index) {
    return 0x80000000u | static_cast<Colour>(index);
}
constexpr bool IsSystemColour(Colour colour) {
    return colour != kDefaultColour && (colour & 0x80000000u) != 0;
}
inline constexpr Colour kWindowColour = SystemColour(5);
inline constexpr Colour kButtonTextColour = SystemColour(18);
inline constexpr Colour k3DLightColour = SystemColour(22);

// Which parts of a control's state the editor has set: only those are put onto the control, so
// a caption from the window's template stays until the editor gives it another.
enum ControlPart : std::uint16_t {
    kTextPart = 1,
    kCheckPart = 2,
    kEnabledPart = 4,
    kVisiblePart = 8,
    kValuePart = 16,
    kItemsPart = 32,
    kSelectionPart = 64,
    kBackColourPart = 128,
    kCaptionColourPart = 256,
    kRangePart = 512,
};

// One change to a list's items, so that the window can apply it to a long list instead of
// filling the list again.
struct ListEdit {
    enum Kind : std::uint8_t { Insert, Erase, Replace } kind = Insert;
    int index = 0;
    std::string text;
};

struct ControlState {
    std::uint16_t parts = 0;  // ControlPart bits
    std::string text;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    int value = 0;    // slider, scroll bar and progress bar position
    int maximum = 0;  // progress bar
    std::vector<std::string> items;
    std::uint32_t itemsRevision = 0;
    // The latest edits, the last one giving itemsRevision; a window that shows the revision
    // before the first of them can catch up edit by edit.
    std::vector<ListEdit> recentEdits;
    int selected = -1;         // single-selection lists and combo boxes; -1 for none
    std::vector<bool> marked;  // multiple-selection lists: one flag per item
    Colour backColour = kDefaultColour;
    Colour captionColour = kDefaultColour;
};

class EditorControls {
  public:
    // The state of a control nothing has set yet is the default state.
    const ControlState& operator[](int id) const;

    void SetText(int id, const std::string& text);
    // What the user typed: the control shows it already, so it is not marked as changed (putting
    // it back would move the caret).
    void NoteTypedText(int id, const std::string& text);
    void SetChecked(int id, bool checked);
    void Enable(int id, bool enabled);
    void Show(int id, bool visible);
    void SetValue(int id, int value);
    void SetMaximum(int id, int maximum);
    void SetBackColour(int id, Colour colour);
    void SetCaptionColour(int id, Colour colour);
    // Items: each change of the items gives a new revision.
    void ClearItems(int id);
    void AddItem(int id, const std::string& text);
    void SetItems(int id, std::vector<std::string> items);
    void InsertItem(int id, int index, const std::string& text);
    void EraseItem(int id, int index);
    void ReplaceItem(int id, int index, const std::string& text);
    void SetSelected(int id, int index);
    void SetMarked(int id, int index, bool marked);

    // A surface the window draws from the editor's state (the preview, the thumbnail, the
    // gradient) is to be drawn again.
    void Redraw(int id) { changed_.insert(id); }

    // The ids changed since the last call, each once.
    std::vector<int> TakeChanged();

  private:
    ControlState& Edit(int id, ControlPart part);
    void Record(ControlState& state, ListEdit edit);

    std::map<int, ControlState> states_;
    std::set<int> changed_;
};

}  // namespace orvelle
