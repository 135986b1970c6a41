#include "config/editor_controls.h"

#include <utility>

namespace orvelle {

const ControlState& EditorControls::operator[](int id) const {
    static const ControlState kDefault;
    auto it = states_.find(id);
    return it == states_.end() ? kDefault : it->second;
}

ControlState& EditorControls::Edit(int id) {
    changed_.insert(id);
    return states_[id];
}

void EditorControls::SetText(int id, const std::string& text) {
    Edit(id).text = text;
}

void EditorControls::SetChecked(int id, bool checked) {
    Edit(id).checked = checked;
}

void EditorControls::Enable(int id, bool enabled) {
    Edit(id).enabled = enabled;
}

void EditorControls::Show(int id, bool visible) {
    Edit(id).visible = visible;
}

void EditorControls::SetValue(int id, int value) {
    Edit(id).value = value;
}

void EditorControls::SetBackColour(int id, Colour colour) {
    Edit(id).backColour = colour;
}

void EditorControls::SetCaptionColour(int id, Colour colour) {
    Edit(id).captionColour = colour;
}

void EditorControls::ClearItems(int id) {
    SetItems(id, {});
}

void EditorControls::AddItem(int id, const std::string& text) {
    ControlState& state = Edit(id);
    state.items.push_back(text);
    state.marked.push_back(false);
    ++state.itemsRevision;
}

void EditorControls::SetItems(int id, std::vector<std::string> items) {
    ControlState& state = Edit(id);
    state.marked.assign(items.size(), false);
    state.items = std::move(items);
    state.selected = -1;
    ++state.itemsRevision;
}

void EditorControls::SetSelected(int id, int index) {
    ControlState& state = Edit(id);
    state.selected = index >= 0 && index < static_cast<int>(state.items.size()) ? index : -1;
}

void EditorControls::SetMarked(int id, int index, bool marked) {
    ControlState& state = Edit(id);
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
