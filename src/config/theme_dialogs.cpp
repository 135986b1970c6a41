#include "config/theme_dialogs.h"

#include <optional>

#include "base/numbers.h"
#include "base/text.h"
#include "base/utf.h"
#include "config/form2.h"
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

void FillThemeList(ThemeStorage& storage, ThemeNameList& list) {
    list.names = storage.ThemeNames();
    list.selected = -1;
}

// --- frmNewName ---

void frmNewName::txtNewName_Change(const std::string& text) {
    txtNewName = text;
    commandOkEnabled = true;
}

std::string frmNewName::NameRefusal() const {
    const std::string& t = txtNewName;
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
    const std::string path = form_.Storage().ThemeFilePath(t);
    if (!IsSafeThemeName(t) || t.back() == '.' || path.empty() ||
        Utf8ToUtf16(path).size() >= kMaxPath) {
        return kEnterName;
    }
    if (SameFileName(t, form_.currentTheme)) {
        return kInUseReplace;
    }
    return {};
}

bool frmNewName::CommandOk_Click() {
    Form2Services& services = form_.Services();
    if (const std::string refusal = NameRefusal(); !refusal.empty()) {
        services.ShowMessage(refusal, MessageButtons::Ok);
        return false;
    }
    ThemeStorage& storage = form_.Storage();
    // A replaced theme keeps its file's spelling, as Windows keeps it when the file is written.
    std::string name = txtNewName;
    for (const std::string& existing : storage.ThemeNames()) {
        if (SameFileName(existing, txtNewName)) {
            if (services.ShowMessage(
                    "A theme named " + existing + " already exists. Replace it with a new theme?",
                    MessageButtons::YesNo) != MessageAnswer::Yes) {
                return false;
            }
            name = existing;
        }
    }
    const bool hasTemplate = storage.TemplateExists();
    if (!hasTemplate || !storage.ThemesFolderExists()) {
        services.ShowMessage(hasTemplate ? kNoThemesFolder : kNoTemplate, MessageButtons::Ok);
        return false;
    }
    if (!form_.AskToSaveChanges()) {
        return false;
    }
    if (!storage.CopyTemplateTo(name)) {
        services.ShowMessage("Could not create the theme " + name + ".", MessageButtons::Ok);
        return false;
    }
    return form_.SwitchDialogToTheme(name);
}

// --- frmExistingNames ---

void frmExistingNames::Form_Load() {
    FillThemeList(form_.Storage(), listExistingSavers);
    commandOkEnabled = false;
}

void frmExistingNames::listExistingSavers_Click(int index) {
    listExistingSavers.Select(index);
    commandOkEnabled = true;
}

bool frmExistingNames::CommandOk_Click() {
    const std::string name = listExistingSavers.Text();
    if (name.empty()) {
        form_.Services().ShowPlainMessage("Nothing was selected to load.", MessageButtons::Ok);
        return false;
    }
    return form_.AskToSaveChanges() && form_.SwitchDialogToTheme(name);
}

// --- frmDelete ---

void frmDelete::Form_Load() {
    FillThemeList(form_.Storage(), listExistingSavers);
    commandDeleteEnabled = false;
}

void frmDelete::listExistingSavers_Click(int index) {
    listExistingSavers.Select(index);
    commandDeleteEnabled = true;
}

void frmDelete::CommandDelete_Click() {
    Form2Services& services = form_.Services();
    ThemeNameList& list = listExistingSavers;
    const std::string name = list.Text();
    if (name.empty()) {
        services.ShowMessage(kNothingToRemove, MessageButtons::Ok);
        return;
    }
    // In use: the theme in the editor and the one the saver shows (after a new theme or a load
    // they differ until the next save). Another spelling names the same file.
    ThemeStorage& storage = form_.Storage();
    const std::string saverTheme =
        storage.ReadThemeValue("saver", "currentsaver", storage.GlobalSettingsPath());
    if (SameFileName(name, form_.currentTheme) || SameFileName(name, saverTheme)) {
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
    listExistingSavers_Click(index > 0 ? index - 1 : 0);
}

// --- frmMouse ---

void frmMouse::Form_Load() {
    const std::optional<double> held = StrictNumber(form_.mouseSensitivity);
    const double position = held ? RoundHalfEven(*held) : 0;
    sliderPosition = position >= 1 && position <= 30 ? static_cast<int>(position) : kDefault;
}

bool frmMouse::Ok_Click() {
    form_.settingsChanged = true;
    form_.mouseSensitivity = std::to_string(sliderPosition);
    return true;
}

}  // namespace orvelle
