#include "config/list_editor.h"

#include <utility>
#include <vector>

namespace orvelle {

void ListEditor::Append(const std::string& path) {
    controls_.AddItem(parts_.list, path);
    if (parts_.parallel != 0) {
        controls_.AddItem(parts_.parallel, "");
    }
}

void ListEditor::ShowTotal() {
    const std::string count = std::to_string(controls_[parts_.list].items.size());
    if (parts_.countKey) {
        Field(settings_, *parts_.countKey) = count;
    }
    controls_.SetText(parts_.total, "Total: " + count);
}

void ListEditor::Add() {
    owner_.BeforeEdit();
    const std::optional<std::string> path = services_.ChooseFileToOpen(parts_.request);
    if (!path) {
        services_.ShowMessage("No file has been selected.", MessageButtons::Ok);
        return;
    }
    Append(*path);
    owner_.Choose(static_cast<int>(controls_[parts_.list].items.size()) - 1);
    ShowTotal();
    owner_.Added(*path);
}

void ListEditor::Delete() {
    EditorControls& c = controls_;
    const std::vector<std::string>& entries = c[parts_.list].items;
    const int index = c[parts_.list].selected;
    if (entries.empty() || entries[0].empty() || index < 0) {
        services_.ShowMessage("Nothing was selected to remove.", MessageButtons::Ok);
        return;
    }
    c.EraseItem(parts_.list, index);
    if (parts_.parallel != 0) {
        c.EraseItem(parts_.parallel, index);
    }
    owner_.Removed();
    if (c[parts_.list].items.empty()) {
        c.SetText(parts_.position, "");
        owner_.Emptied();
    } else {
        owner_.Choose(index > 0 ? index - 1 : 0);
    }
    ShowTotal();
}

void ListEditor::DeleteAll() {
    if (services_.ShowMessage(parts_.removeAllQuestion, MessageButtons::YesNo) !=
        MessageAnswer::Yes) {
        return;
    }
    EditorControls& c = controls_;
    c.ClearItems(parts_.list);
    if (parts_.parallel != 0) {
        c.ClearItems(parts_.parallel);
    }
    owner_.Removed();
    c.SetText(parts_.position, "");
    owner_.Emptied();
    ShowTotal();
}

void ListEditor::MoveUp() {
    Move(-1, parts_.nothingToMoveUp, "Error. Cannot move up. A file needs to be selected.");
}

void ListEditor::MoveDown() {
    Move(1, parts_.nothingToMoveDown, "Error. Cannot move down. A file needs to be selected.");
}

void ListEditor::Move(int step, const char* nothing, const char* cannotMove) {
    owner_.BeforeEdit();
    EditorControls& c = controls_;
    const std::vector<std::string>& entries = c[parts_.list].items;
    const int count = static_cast<int>(entries.size());
    const int index = c[parts_.list].selected;
    if (count == 0 || entries[0].empty()) {
        services_.ShowMessage(nothing, MessageButtons::Ok);
        return;
    }
    const bool parallelShort =
        parts_.parallel != 0 && index >= static_cast<int>(c[parts_.parallel].items.size());
    if (index < 0 || parallelShort) {
        services_.ShowMessage(cannotMove, MessageButtons::Ok);
        return;
    }
    const int target = index + step;
    if (target < 0 || target >= count) {
        return;  // already first or last
    }
    // Two entries change places in each list; the rest of a long list stays as it is.
    for (int id : {parts_.list, parts_.parallel}) {
        if (id == 0) {
            continue;
        }
        const std::string moving = c[id].items[static_cast<std::size_t>(index)];
        c.ReplaceItem(id, index, c[id].items[static_cast<std::size_t>(target)]);
        c.ReplaceItem(id, target, moving);
    }
    owner_.Choose(target);
}

}  // namespace orvelle
