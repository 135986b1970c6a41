#include "config/theme_dialogs.h"

#include <optional>

#include "base/numbers.h"
#include "base/text.h"
#include "base/utf.h"
#include "config/theme_editor.h"
#include "settings/theme_names.h"
#include "settings/theme_storage.h"

namespace orvelle {

namespace {

constexpr const char* kEnterName = "Please enter a name for your new Screen Saver.";
constexpr const char* kNoSpaces = "Please re-enter a name without spaces.";
constexpr const char* kNoCharacters =
    "A name cannot contain any of these following characters: \\/:*?'<>|";
constexpr const char* kInUseReplace =
    "Can't replace screen saver theme when it is in use. Please enter another name.";
constexpr const char* kNoTemplate =
    "Could not create a new theme: the theme template orvelletemp.ini is missing. If problem "
    "persists, please reinstall screen saver.";
constexpr const char* kNoThemesFolder =
    "Could not create a new theme: the themes folder orvellesaver is missing. If problem "
    "persists, please reinstall screen saver.";
constexpr const char* kNothingToRemove = "Nothing was selected to remove.";
constexpr const char* kInUseDelete = "Can't delete screen saver theme when it is in use.";
constexpr const char* kLastTheme = "Can't delete. At least one Screen Saver Theme needs to exist.";
// Windows' limit on a whole path without the long-path prefix, terminator included.
constexpr std::size_t kMaxPath = 260;

}  // namespace

void ThemeNameList::Select(int index) {
    selected = index >= 0 && index < static_cast<int>(names.size()) ? index : -1;
}

std::string ThemeNameList::Text() const {
    return selected < 0 ? std::string() : names[static_cast<std::size_t>(selected)];
}

// --- NewThemeDialog ---

void NewThemeDialog::OnNameTyped(const std::string& text) {
    name = text;
    okEnabled = true;
}

std::string NewThemeDialog::NameRefusal() const {
    const std::string& t = name;
    if (t.empty() || t == " ") {
        return kEnterName;
    }
    if (t.find(' ') != std::string::npos) {
        return kNoSpaces;
    }
    for (char c : std::string_view("\\/:*?\"<>|'")) {
        if (t.find(c) != std::string::npos) {
            return kNoCharacters;
        }
    }
    // Names that would not make a plain file of that name: a device, a trailing dot that
    // Windows drops, a control character, a path too long to open.
    const std::string path = editor_.Storage().ThemeFilePath(t);
    if (!IsSafeThemeName(t) || t.back() == '.' || path.empty() ||
        Utf8ToUtf16(path).size() >= kMaxPath) {
        return kEnterName;
    }
    if (SameFileName(t, editor_.currentTheme)) {
        return kInUseReplace;
    }
    return {};
}

bool NewThemeDialog::OnOk() {
    EditorServices& services = editor_.Services();
    if (const std::string refusal = NameRefusal(); !refusal.empty()) {
        services.ShowMessage(refusal, MessageButtons::Ok);
        return false;
    }
    ThemeStorage& storage = editor_.Storage();
    // A replaced theme keeps its file's spelling, as Windows keeps it when the file is written.
    std::string theme = name;
    for (const std::string& existing : storage.ThemeNames()) {
        if (SameFileName(existing, name)) {
            if (services.ShowMessage(
                    "A theme named " + existing + " already exists. Replace it with a new theme?",
                    MessageButtons::YesNo) != MessageAnswer::Yes) {
                return false;
            }
            theme = existing;
        }
    }
    const bool hasTemplate = storage.TemplateExists();
    if (!hasTemplate || !storage.ThemesFolderExists()) {
        services.ShowMessage(hasTemplate ? kNoThemesFolder : kNoTemplate, MessageButtons::Ok);
        return false;
    }
    if (!editor_.AskToSaveChanges()) {
        return false;
    }
    if (!storage.CopyTemplateTo(theme)) {
        services.ShowMessage("Could not create the theme " + theme + ".", MessageButtons::Ok);
        return false;
    }
    return editor_.SwitchToTheme(theme);
}

// --- The load and delete dialogs ---

void ThemeListDialog::Open() {
    themes.names = editor_.Storage().ThemeNames();
    themes.selected = -1;
    actionEnabled = false;
}

void ThemeListDialog::OnThemeChosen(int index) {
    themes.Select(index);
    actionEnabled = true;
}

bool LoadThemeDialog::OnOk() {
    const std::string name = themes.Text();
    if (name.empty()) {
        editor_.Services().ShowPlainMessage("Nothing was selected to load.", MessageButtons::Ok);
        return false;
    }
    return editor_.AskToSaveChanges() && editor_.SwitchToTheme(name);
}

void DeleteThemeDialog::OnDelete() {
    EditorServices& services = editor_.Services();
    ThemeNameList& list = themes;
    const std::string name = list.Text();
    if (name.empty()) {
        services.ShowMessage(kNothingToRemove, MessageButtons::Ok);
        return;
    }
    // In use: the theme in the editor and the one the saver shows (after a new theme or a load
    // they differ until the next save). Another spelling names the same file.
    ThemeStorage& storage = editor_.Storage();
    const std::string saverTheme =
        storage.ReadThemeValue("saver", "currentsaver", storage.GlobalSettingsPath());
    if (SameFileName(name, editor_.currentTheme) || SameFileName(name, saverTheme)) {
        services.ShowMessage(kInUseDelete, MessageButtons::Ok);
        return;
    }
    if (list.names.size() < 2) {
        services.ShowMessage(kLastTheme, MessageButtons::Ok);
        return;
    }
    // The file first: a theme that could not be deleted stays listed.
    if (!storage.DeleteTheme(name)) {
        services.ShowMessage("Could not delete the screen saver theme " + name + ".",
                             MessageButtons::Ok);
        return;
    }
    const int index = list.selected;
    list.names.erase(list.names.begin() + index);
    OnThemeChosen(index > 0 ? index - 1 : 0);
}

// --- MouseSensitivityDialog ---

void MouseSensitivityDialog::Open() {
    const std::optional<double> held = StrictNumber(editor_.mouseSensitivity);
    const double position = held ? RoundHalfEven(*held) : 0;
    sliderPosition = position >= 1 && position <= 30 ? static_cast<int>(position) : kDefault;
}

bool MouseSensitivityDialog::OnOk() {
    editor_.settingsChanged = true;
    editor_.mouseSensitivity = std::to_string(sliderPosition);
    return true;
}

}  // namespace orvelle
