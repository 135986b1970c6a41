#include "config/editor_controls.h"

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
    ControlState& state = Edit(id, kItemsPart);
    state.items.push_back(text);
    state.marked.push_back(false);
    ++state.itemsRevision;
}

void EditorControls::SetItems(int id, std::vector<std::string> items) {
    ControlState& state = Edit(id, kItemsPart);
    state.marked.assign(items.size(), false);
    state.items = std::move(items);
    state.selected = -1;
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
