// What each control of a dialog is and means, one row per control, one table per dialog: its id,
// its name in the form's original design, its kind, its tab page, its tooltip, its range, the
// theme key and value it stands for and the controls it enables. The editor's model handles a
// plain control (an option button, check box, slider or date list that only writes its key)
// from its row alone, and the windows take kinds, tooltips, ranges and list items from the rows,
// so that adding a setting is adding a row.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "settings/theme_model.h"

namespace orvelle {

class ThemeEditor;

enum class ControlKind : std::uint8_t {
    Label,         // static text
    Frame,         // group box
    Button,        // push button
    CheckBox,      // writes "1" or "0" to its key
    Option,        // option button: one of the options of its key, writing its value
    Slider,        // track bar: writes its position to its key
    ScrollBar,     // writes its value to its key
    Edit,          // text box the user types into
    ReadOnlyText,  // text box used as a label
    List,          // list box, one entry chosen
    MultiList,     // list box, any entries switched on
    ComboBox,      // drop-down box of numbers: an entry chosen or a text typed, written to its key
    DropDownList,  // drop-down list: an entry chosen; with choices, writes its value to its key
    Tabs,
    Toolbar,
    ToolbarButton,
    StatusBar,
    ProgressBar,
    Swatch,   // a colour shown on a static control
    Surface,  // a picture the window draws
    Icon,
    MenuItem,
};

// The editor window itself and its tab pages, in tab order.
enum class EditorPage : std::uint8_t {
    Window,
    Images,
    ImageSettings,
    Background,
    Countdown,
    Music
};

// The picture strip a toolbar button's picture comes from.
enum class PictureStrip : std::uint8_t { None, Theme, List, Caption };

// A slider's range with a tick mark every `step`; a scroll bar's with its arrow and page steps
// (`reversed`: its top end holds `high`); a drop-down box's numbers `low` to `high`, written
// with at least `digits` digits.
struct ValueRange {
    int low = 0;
    int high = 0;
    int step = 0;
    int page = 0;
    int digits = 0;
    bool reversed = false;
};

// One entry of a list of fixed choices: what it shows and what it writes, and, for a list that
// explains its choice beside it, what choosing it does.
struct Choice {
    const char* text;
    const char* value;
    const char* explanation = "";
};

// A control that shows a value as prefix + value + suffix ("Red = 12", "75%"); for a list of
// choices, the chosen one's explanation.
struct ValueLabel {
    int id = 0;
    const char* prefix = "";
    const char* suffix = "";
};

// A few control ids; unused places hold 0.
class IdList {
  public:
    constexpr IdList() = default;
    constexpr IdList(std::initializer_list<int> ids) {
        std::size_t i = 0;
        for (int id : ids) {
            ids_[i++] = id;
        }
    }
    constexpr const int* begin() const { return ids_.data(); }
    constexpr const int* end() const {
        std::size_t n = 0;
        while (n < ids_.size() && ids_[n] != 0) {
            ++n;
        }
        return ids_.data() + n;
    }

  private:
    std::array<int, 8> ids_{};
};

// What a control does besides what its row says.
using EditorAction = void (*)(ThemeEditor&);

struct ControlRow {
    int id = 0;
    const char* design = "";
    ControlKind kind = ControlKind::Label;
    EditorPage page = EditorPage::Window;
    const char* tooltip = nullptr;
    ValueRange range;
    std::optional<ThemeKey> key;
    // An option's value; a toolbar button's key word ("Add"); a drop-down box's text before a
    // theme is loaded ("Month").
    const char* value = nullptr;
    // An option chosen at a load when the key's text is none of its group's values.
    bool otherwise = false;
    // A check box, slider or scroll bar set from a theme as a user sets it: its handling runs
    // (a slider's only when it moves). The others are set silently.
    bool loadRuns = false;
    // What an option or check box enables while it is chosen (and disables otherwise).
    IdList enables;
    // What a check box disables while it is checked (and enables otherwise).
    IdList disables;
    ValueLabel shows;
    int toolbar = 0;  // a toolbar button's toolbar
    PictureStrip strip = PictureStrip::None;
    int picture = 0;  // the button's picture in its strip
    int actsAs = 0;   // a swatch: the button a click on it stands for
    int opens = 0;    // a toolbar button or menu item: the template of the dialog it opens
    std::span<const Choice> choices;
    EditorAction action = nullptr;
    // A double-click on a list's entry, a click on a surface.
    EditorAction doubleClick = nullptr;

    constexpr ControlRow Tip(const char* text) const { return With(&ControlRow::tooltip, text); }
    constexpr ControlRow Writes(ThemeKey themeKey, const char* written = nullptr) const {
        return With(&ControlRow::key, std::optional(themeKey))
            .With(&ControlRow::value, written ? written : value);
    }
    constexpr ControlRow Otherwise() const { return With(&ControlRow::otherwise, true); }
    constexpr ControlRow RunsOnLoad() const { return With(&ControlRow::loadRuns, true); }
    constexpr ControlRow Range(ValueRange values) const { return With(&ControlRow::range, values); }
    constexpr ControlRow Enables(IdList ids) const { return With(&ControlRow::enables, ids); }
    constexpr ControlRow Disables(IdList ids) const { return With(&ControlRow::disables, ids); }
    constexpr ControlRow Shows(int label, const char* prefix = "", const char* suffix = "") const {
        return With(&ControlRow::shows, ValueLabel{label, prefix, suffix});
    }
    constexpr ControlRow Text(const char* text) const { return With(&ControlRow::value, text); }
    constexpr ControlRow Choices(std::span<const Choice> list) const {
        return With(&ControlRow::choices, list);
    }
    constexpr ControlRow OnToolbar(int bar, const char* word, PictureStrip from, int index) const {
        return With(&ControlRow::toolbar, bar)
            .With(&ControlRow::value, word)
            .With(&ControlRow::strip, from)
            .With(&ControlRow::picture, index);
    }
    constexpr ControlRow ActsAs(int button) const { return With(&ControlRow::actsAs, button); }
    constexpr ControlRow Opens(int templateId) const {
        return With(&ControlRow::opens, templateId);
    }
    constexpr ControlRow Does(EditorAction run) const { return With(&ControlRow::action, run); }
    constexpr ControlRow OnDoubleClick(EditorAction run) const {
        return With(&ControlRow::doubleClick, run);
    }

    // A copy with one column set.
    template <typename Column, typename Value>
    constexpr ControlRow With(Column ControlRow::*column, Value set) const {
        ControlRow row = *this;
        row.*column = set;
        return row;
    }
};

// The theme editor window: its own controls and menu, then each page's.
std::span<const ControlRow> ThemeEditorTable();
// The small windows, by their templates (the new, load and delete theme dialogs, the mouse
// sensitivity dialog, the folder import and the about box); empty for another template.
std::span<const ControlRow> DialogTable(int templateId);
// The row of the id, nullptr when the table has none.
const ControlRow* FindRow(std::span<const ControlRow> table, int id);
// The theme editor's row of the id, nullptr for none.
const ControlRow* EditorRow(int id);
// The entries a drop-down box offers: its numbers, or its choices' texts.
std::vector<std::string> ItemsOf(const ControlRow& row);
// The choice a key's text stands for (numbers compared as numbers, as option buttons compare
// them); -1 for none.
int ChoiceIndex(const ControlRow& row, const std::string& text);
// What the choice the text stands for does; the first choice's for any other text, since the
// saver takes such a text as the first choice.
std::string ChoiceExplanation(const ControlRow& row, const std::string& text);

}  // namespace orvelle
