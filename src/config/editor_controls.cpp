#include "config/editor_controls.h"

#include <algorithm>
#include <utility>

namespace orvelle {

const ControlState& EditorControls::operator[](int id) const {
    static const ControlState kDefault;
    auto it = states_.find(id);
    return it == states_.end() ? kDefault : it->second;
}

ControlState& EditorControls::Edit(int id, ControlPart part) {
    changed_.insert(id);
    ControlState& state = states_[id];
    state.parts = static_cast<std::uint16_t>(state.parts | part);
    return state;
}

void EditorControls::SetText(int id, const std::string& text) {
    Edit(id, kTextPart).text = text;
}

void EditorControls::NoteTypedText(int id, const std::string& text) {
    ControlState& state = states_[id];
    state.parts = static_cast<std::uint16_t>(state.parts | kTextPart);
    state.text = text;
}

void EditorControls::SetChecked(int id, bool checked) {
    Edit(id, kCheckPart).checked = checked;
}

void EditorControls::Enable(int id, bool enabled) {
    Edit(id, kEnabledPart).enabled = enabled;
}

void EditorControls::Show(int id, bool visible) {
    Edit(id, kVisiblePart).visible = visible;
}

void EditorControls::SetValue(int id, int value) {
    Edit(id, kValuePart).value = value;
}

void EditorControls::SetMaximum(int id, int maximum) {
    Edit(id, kRangePart).maximum = maximum;
}

void EditorControls::SetBackColour(int id, Colour colour) {
    Edit(id, kBackColourPart).backColour = colour;
}

void EditorControls::SetCaptionColour(int id, Colour colour) {
    Edit(id, kCaptionColourPart).captionColour = colour;
}

void EditorControls::ClearItems(int id) {
    SetItems(id, {});
}

void EditorControls::AddItem(int id, const std::string& text) {
    InsertItem(id, static_cast<int>((*this)[id].items.size()), text);
}

// Edits beyond this many are not kept: a window that far behind fills the list again.
constexpr std::size_t kKeptEdits = 64;

void EditorControls::Record(ControlState& state, ListEdit edit) {
    if (state.recentEdits.size() >= kKeptEdits) {
        state.recentEdits.erase(state.recentEdits.begin());
    }
    state.recentEdits.push_back(std::move(edit));
    ++state.itemsRevision;
}

void EditorControls::InsertItem(int id, int index, const std::string& text) {
    ControlState& state = Edit(id, kItemsPart);
    index = std::clamp(index, 0, static_cast<int>(state.items.size()));
    state.items.insert(state.items.begin() + index, text);
    state.marked.insert(state.marked.begin() + index, false);
    if (state.selected >= index) {
        ++state.selected;
    }
    Record(state, {ListEdit::Insert, index, text});
}

void EditorControls::EraseItem(int id, int index) {
    ControlState& state = Edit(id, kItemsPart);
    if (index < 0 || index >= static_cast<int>(state.items.size())) {
        return;
    }
    state.items.erase(state.items.begin() + index);
    state.marked.erase(state.marked.begin() + index);
    if (state.selected == index) {
        state.selected = -1;
    } else if (state.selected > index) {
        --state.selected;
    }
    Record(state, {ListEdit::Erase, index, {}});
}

void EditorControls::ReplaceItem(int id, int index, const std::string& text) {
    ControlState& state = Edit(id, kItemsPart);
    if (index < 0 || index >= static_cast<int>(state.items.size())) {
        return;
    }
    state.items[static_cast<std::size_t>(index)] = text;
    Record(state, {ListEdit::Replace, index, text});
}

void EditorControls::SetItems(int id, std::vector<std::string> items) {
    ControlState& state = Edit(id, kItemsPart);
    state.marked.assign(items.size(), false);
    state.items = std::move(items);
    state.selected = -1;
    state.recentEdits.clear();
    ++state.itemsRevision;
}

void EditorControls::SetSelected(int id, int index) {
    ControlState& state = Edit(id, kSelectionPart);
    state.selected = index >= 0 && index < static_cast<int>(state.items.size()) ? index : -1;
}

void EditorControls::SetMarked(int id, int index, bool marked) {
    ControlState& state = Edit(id, kSelectionPart);
    if (index >= 0 && index < static_cast<int>(state.marked.size())) {
        state.marked[static_cast<std::size_t>(index)] = marked;
    }
}

std::vector<int> EditorControls::TakeChanged() {
    std::vector<int> ids(changed_.begin(), changed_.end());
    changed_.clear();
    return ids;
}

}  // namespace orvelle
