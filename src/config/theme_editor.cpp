// The editor as a whole (start-up, OK, Cancel, closing), a control's handling from its row of
// the control table, and a theme's load into the controls and save from them.
#include "config/theme_editor.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "base/numbers.h"
#include "base/text.h"
#include "config/control_ids.h"
#include "overlays/countdown.h"
#include "media/mmedia.h"
#include "settings/theme_storage.h"

namespace orvelle {

namespace {

constexpr const char* kLoadFailed =
    "Could not load screen saver properly. Please check all background and regular loaded "
    "images. If problem persists, please reinstall screen saver.";
constexpr const char* kNoImages =
    "There are no images loaded in the Screen Saver. Load at least one image file to be "
    "displayed.";
constexpr const char* kNoBackgroundImage =
    "You must enter a background image for the 'Custom background Image' feature or make "
    "another background selection.";
constexpr const char* kBadCountdownDate =
    "Countdown date is invalid. Please choose a different date.";
constexpr const char* kSaveFailed =
    "Could not save Screen Saver. If problem persists, please create a new Screen Saver theme.";
constexpr const char* kBadInterval =
    "The time each picture stays (After... Seconds) must be a whole number from 0 to 60.";
constexpr const char* kBadBackgroundImage =
    "Could not load Background Image correctly. Please reload a new image.";

// The transition list's entries in list order, with their keys (the list puts Center Wipe
// before Up and Down Wipe, the file the other way round).
struct TransitionEntry {
    ThemeKey key;
    const char* label;
};
constexpr std::array<TransitionEntry, 9> kTransitionList = {{
    {ThemeKey::bStandard, "Standard"},
    {ThemeKey::bLeftWipe, "Left Wipe"},
    {ThemeKey::bRightWipe, "Right Wipe"},
    {ThemeKey::bRightandLeftWipe, "Right Left Wipe"},
    {ThemeKey::bCenter, "Center Wipe"},
    {ThemeKey::bUpAndDown, "Up and Down Wipe"},
    {ThemeKey::bHorizontalBlinds, "Horizontal Blinds"},
    {ThemeKey::bVerticalBlinds, "Vertical Blinds"},
    {ThemeKey::bFade, "Fade"},
}};

// The font dialog's style flags: the words True and False, or a number (not 0 is true).
bool FontFlag(const std::string& text) {
    const std::string word = ToUpperAscii(TrimSpaces(text));
    if (word == "TRUE" || word == "FALSE") {
        return word == "TRUE";
    }
    return StrictNumber(text).value_or(0) != 0.0;
}

std::string WholeText(int value) {
    return std::to_string(value);
}

// The whole text (blanks around it allowed) a whole number from low to high.
std::optional<int> WholeNumberIn(const std::string& text, int low, int high) {
    const std::optional<double> number = StrictNumber(text);
    if (!number || *number != RoundHalfEven(*number) || *number < low || *number > high) {
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

bool ValidCountdownDate(const ThemeSettings& s) {
    int parts[3] = {};
    const std::string* texts[3] = {&s.countdownMonth, &s.countdownDay, &s.countdownYear};
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> number = WholeNumberIn(*texts[i], 0, 9999);
        if (!number) {
            return false;
        }
        parts[i] = *number;
    }
    return parts[2] >= 100 && IsCalendarDate(parts[2], parts[0], parts[1]);
}

// Pure blue, the caption of the background frame whose kind is chosen (0x00BBGGRR).
constexpr Colour kChosenFrameColour = 0x00FF0000u;

bool IsOption(const ControlRow& row) {
    return row.kind == ControlKind::Option;
}

}  // namespace

int ControlNumber(const std::string& text) {
    return ToInt32Saturated(StrictNumber(text).value_or(0));
}

std::optional<int> IntervalSeconds(const std::string& text) {
    return WholeNumberIn(text, 0, 60);
}

ThemeEditor::ThemeEditor(ThemeStorage& storage, EditorServices& services, Mmedia& mediaPlayer)
    : storage_(storage), services_(services), mediaPlayer_(mediaPlayer) {
    for (const TransitionEntry& entry : kTransitionList) {
        controls.AddItem(IDL_SETTINGS_TRANSITIONS, entry.label);
    }
    for (const ControlRow& row : ThemeEditorTable()) {
        for (const std::string& item : ItemsOf(row)) {
            controls.AddItem(row.id, item);
        }
        if (row.kind == ControlKind::ComboBox && row.value) {
            controls.SetText(row.id, row.value);
        }
    }
}

void ThemeEditor::Message(const std::string& text) {
    services_.ShowMessage(text, MessageButtons::Ok);
}

// --- The window ---

void ThemeEditor::Open() {
    const std::string global = storage_.GlobalSettingsPath();
    currentTheme = storage_.ReadThemeValue("saver", "currentsaver", global);
    mouseSensitivity = storage_.ReadThemeValue("mouse", "mouseSensitivity", global);
    const std::string file = storage_.ThemeFilePath(currentTheme);
    storage_.WriteSamplePictureIfDue(file);
    storage_.Flush();
    const LoadedTheme theme = ReadThemeForEditor(storage_, file);
    currentThemeUnreadable = theme.read == ThemeFileRead::Unreadable;
    if (currentThemeUnreadable) {
        Message(std::string(kLoadFailed) + " The theme file " + file +
                " could not be read, so the template's settings are shown and that file will "
                "not be saved.");
    }
    ShowTheme(currentTheme, theme);
    StartSound();
}

// Without a sound device nothing of the music page is offered but the label that says why; with
// one, nothing plays yet.
void ThemeEditor::StartSound() {
    soundDeviceCount = services_.WaveOutDeviceCount();
    const bool sound = soundDeviceCount >= 1;
    controls.Show(IDT_MUSIC_NO_SOUND, !sound);
    for (const ControlRow& row : ThemeEditorTable()) {
        if (row.page == EditorPage::Music && row.kind != ControlKind::ToolbarButton &&
            row.id != IDT_MUSIC_NO_SOUND) {
            controls.Enable(row.id, sound);
        }
    }
    music.DisableMusicButtons();
}

bool ThemeEditor::OnOk() {
    saveSucceeded = true;
    SaveTheme();
    return saveSucceeded;
}

bool ThemeEditor::OnCancel() {
    return true;
}

bool ThemeEditor::MayClose() {
    // The same question as before a switch; Yes is OK's save.
    return AskToSaveChanges();
}

void ThemeEditor::OnClosed() {
    if (mediaPlayer_.Status() == "playing") {
        mediaPlayer_.mmClose();
    }
}

void ThemeEditor::FoldersScanned(const ScanNews& news) {
    images.FoldersScanned(news);
}

std::string ThemeEditor::ShownItem(int id, const std::string& text) const {
    return id == IDL_IMAGES_PICTURES ? images.ShownEntry(text) : text;
}

void ThemeEditor::OnHelp() {
    services_.OpenDocument(storage_.ProgramFolder() + "help.htm");
}

// --- Loading ---

void ThemeEditor::ShowTheme(const std::string& name, const LoadedTheme& theme) {
    // Each setting is taken from the theme just before its control is set, so that a handler
    // the control runs (Never sets the interval to 0) comes before the theme's own value.
    manyImagesWarned = false;
    ShowLists(theme);
    images.CountFolders(name);
    ShowKeys(theme);
    ShowColours(theme);
    ShowTransitions(theme);
    ShowCaptionFont(theme);
    Take(theme, ThemeKey::backgroundImage);
    ShowBackgroundPicture();
    if (!controls[IDL_IMAGES_PICTURES].items.empty()) {
        Chosen(IDL_IMAGES_PICTURES, 0);
    }
    title = "Orvelle Screen Saver - [" + name + "]";
    settingsChanged = false;
    ReportReplacedKeys(name, theme);
}

const std::string& ThemeEditor::Take(const LoadedTheme& theme, ThemeKey key) {
    return Field(settings, key) = Field(theme.settings, key);
}

void ThemeEditor::ShowLists(const LoadedTheme& theme) {
    Take(theme, ThemeKey::total);
    controls.SetItems(IDL_IMAGES_PICTURES, theme.settings.picturePaths);
    controls.SetItems(IDL_EDITOR_CAPTIONS, theme.settings.captions);
    controls.SetText(IDT_IMAGES_TOTAL,
                     "Total: " + WholeText(static_cast<int>(theme.settings.picturePaths.size())));
    controls.SetText(IDT_MUSIC_TOTAL, "Total: " + Take(theme, ThemeKey::mediaTotal));
    controls.SetItems(IDL_MUSIC_FILES, theme.settings.mediaPaths);
}

void ThemeEditor::ShowKeys(const LoadedTheme& theme) {
    // An option group is set once, from its first option.
    std::array<bool, kThemeKeyCount> groupShown{};
    for (const ControlRow& row : ThemeEditorTable()) {
        if (!row.key) {
            continue;
        }
        if (!IsOption(row)) {
            ShowSetting(row, theme);
        } else if (!std::exchange(groupShown[static_cast<std::size_t>(*row.key)], true)) {
            ShowOptionOf(row, Take(theme, *row.key));
        }
    }
}

// The option whose value the text is (numbers compared as numbers, words exactly), else the one
// that stands for any other text; none when there is no such option.
void ThemeEditor::ShowOptionOf(const ControlRow& row, const std::string& text) {
    const bool numbers = IsNumericKind(KeyInfo(*row.key).kind);
    const ControlRow* chosen = nullptr;
    const ControlRow* otherwise = nullptr;
    for (const ControlRow& option : ThemeEditorTable()) {
        if (!IsOption(option) || option.key != row.key) {
            continue;
        }
        if (option.otherwise) {
            otherwise = &option;
        }
        const bool match =
            numbers ? ControlNumber(text) == ControlNumber(option.value) : text == option.value;
        if (match && !chosen) {
            chosen = &option;
        }
    }
    if (chosen || otherwise) {
        SelectOption((chosen ? chosen : otherwise)->id);
    }
}

void ThemeEditor::ShowSetting(const ControlRow& row, const LoadedTheme& theme) {
    const std::string& text = Take(theme, *row.key);
    switch (row.kind) {
        case ControlKind::CheckBox:
            if (row.loadRuns) {
                SetCheck(row.id, ControlNumber(text) == 1);
            } else {
                controls.SetChecked(row.id, ControlNumber(text) == 1);
            }
            break;
        case ControlKind::Slider:
        case ControlKind::ScrollBar:
            ShowValue(row);
            if (!row.loadRuns) {
                controls.SetValue(row.id, ControlNumber(text));
            } else if (ControlNumber(text) != controls[row.id].value) {
                controls.SetValue(row.id, ControlNumber(text));
                Handle(row);
            }
            break;
        case ControlKind::ComboBox:
            controls.SetText(row.id, text);
            break;
        case ControlKind::DropDownList:
            controls.SetSelected(row.id, ChoiceIndex(row, text));
            ShowValue(row);
            break;
        default:
            break;
    }
}

void ThemeEditor::ShowColours(const LoadedTheme& theme) {
    colourDialogColour = static_cast<Colour>(ControlNumber(Take(theme, ThemeKey::newBackColor)));
    controls.SetBackColour(IDP_BACKGROUND_COLOUR, colourDialogColour);
    for (int part = 0; part < 3; ++part) {
        background.ShowSwatch(part);
    }
    PaintGradient();
    controls.Redraw(IDP_BACKGROUND_GRADIENT);
}

void ThemeEditor::ShowTransitions(const LoadedTheme& theme) {
    controls.ClearItems(IDL_SETTINGS_TRANSITIONS);
    for (const TransitionEntry& entry : kTransitionList) {
        const std::string& flag = Take(theme, entry.key);
        controls.AddItem(IDL_SETTINGS_TRANSITIONS, entry.label);
        const int index = static_cast<int>(controls[IDL_SETTINGS_TRANSITIONS].items.size()) - 1;
        if (StrictNumber(flag) == 1.0) {
            controls.SetMarked(IDL_SETTINGS_TRANSITIONS, index, true);
        }
    }
}

void ThemeEditor::ShowCaptionFont(const LoadedTheme& theme) {
    for (ThemeKey key : {ThemeKey::newFontName, ThemeKey::newFontSize, ThemeKey::newFontBold,
                         ThemeKey::newFontItalic, ThemeKey::newFontUnderline,
                         ThemeKey::newFontFontStrikethru, ThemeKey::newFontForeColor}) {
        Take(theme, key);
    }
    const ThemeSettings& s = settings;
    CaptionFontChoice font;
    font.face = s.newFontName;
    font.points = static_cast<float>(StrictNumber(s.newFontSize).value_or(0));
    font.bold = FontFlag(s.newFontBold);
    font.italic = FontFlag(s.newFontItalic);
    font.underline = FontFlag(s.newFontUnderline);
    font.strikethrough = FontFlag(s.newFontFontStrikethru);
    font.colour = static_cast<Colour>(ControlNumber(s.newFontForeColor));
    fontDialogFont = font;
    controls.SetBackColour(IDP_IMAGES_FONT_COLOUR, font.colour);
}

void ThemeEditor::ReportReplacedKeys(const std::string& name, const LoadedTheme& theme) {
    if (theme.read == ThemeFileRead::Empty) {
        // No theme named at all: the global settings file is missing or broken.
        Message(name.empty() ? std::string(kLoadFailed)
                             : "The theme " + name +
                                   " holds no settings that could be read, so the template's "
                                   "settings were loaded.");
        return;
    }
    if (theme.read != ThemeFileRead::Read || theme.replaced.empty()) {
        return;
    }
    std::string keys;
    for (ThemeKey key : theme.replaced) {
        keys += (keys.empty() ? "" : ", ") + std::string(KeyInfo(key).key);
    }
    Message("Some settings of the theme " + name +
            " could not be read and were replaced by default values: " + keys + ".");
}

void ThemeEditor::ShowBackgroundPicture() {
    const std::string& path = settings.backgroundImage;
    controls.SetText(IDE_BACKGROUND_PICTURE_FILE, path);
    backgroundThumbnail.clear();
    controls.Redraw(IDP_BACKGROUND_THUMBNAIL);
    if (path.empty()) {
        return;
    }
    const std::string picture = storage_.ResolveProgramPath(path);
    if (!services_.PictureSize(picture)) {
        Message(kBadBackgroundImage);
        return;
    }
    backgroundThumbnail = picture;
}

void ThemeEditor::PaintGradient() {
    const double red = LeadingNumber(settings.redBackground);
    const double green = LeadingNumber(settings.greenBackground);
    const double blue = LeadingNumber(settings.blueBackground);
    auto part = [](double value, int band) {
        const double v = RoundHalfEven(value - band);
        return v < 0 ? 0u : (v > 255 ? 255u : static_cast<Colour>(v));
    };
    for (int d = 0; d < 256; ++d) {
        gradient[static_cast<std::size_t>(d)] =
            part(red, d) | (part(green, d) << 8) | (part(blue, d) << 16);
    }
}

// --- Saving ---

bool ThemeEditor::SaveChecksPass() {
    const std::vector<std::string>& pictures = controls[IDL_IMAGES_PICTURES].items;
    const char* refusal = nullptr;
    if (pictures.empty() || pictures[0].empty()) {
        refusal = kNoImages;
    } else if (StrictNumber(settings.backEffect) == 2.0 && settings.backgroundImage.empty()) {
        refusal = kNoBackgroundImage;
    } else if (StrictNumber(settings.timeDisplay) == 2.0 && !ValidCountdownDate(settings)) {
        refusal = kBadCountdownDate;
    } else if (!IntervalSeconds(settings.timeInterval)) {
        refusal = kBadInterval;
    }
    if (refusal) {
        services_.ShowBusyPointer(false);
        saveSucceeded = false;
        Message(refusal);
    }
    return refusal == nullptr;
}

void ThemeEditor::SaveTheme() {
    // What an earlier read left in memory is dropped: the files are read afresh for the save.
    storage_.Flush();
    if (!SaveChecksPass()) {
        return;
    }
    if (currentThemeUnreadable) {
        saveSucceeded = false;
        Message(std::string(kSaveFailed) + " The theme file " +
                storage_.ThemeFilePath(currentTheme) +
                " could not be read when the editor opened it, and saving would replace what it "
                "holds.");
        return;
    }
    ThemeSettings& s = settings;
    s.picturePaths = controls[IDL_IMAGES_PICTURES].items;
    s.total = WholeText(static_cast<int>(s.picturePaths.size()));
    s.captions = controls[IDL_EDITOR_CAPTIONS].items;
    s.mediaPaths = controls[IDL_MUSIC_FILES].items;
    const std::vector<bool>& marked = controls[IDL_SETTINGS_TRANSITIONS].marked;
    for (std::size_t k = 0; k < kTransitionList.size(); ++k) {
        Field(s, kTransitionList[k].key) =
            k < marked.size() && marked[k] ? std::string("1") : std::string("0");
    }
    services_.ShowBusyPointer(true);
    const bool written = WriteThemeFiles();
    services_.ShowBusyPointer(false);
    if (!written) {
        saveSucceeded = false;
    }
}

// The global file first, then the theme; a theme that cannot be written puts the global file
// back, so that the saver never names a theme this save did not write. Unlike a silent profile
// write, a file that could not be written is a failed save: the window stays with every edit.
bool ThemeEditor::WriteThemeFiles() {
    const std::string global = storage_.GlobalSettingsPath();
    const std::string theme = storage_.ThemeFilePath(currentTheme);
    auto failed = [&](const std::string& file) {
        services_.ShowBusyPointer(false);
        Message(std::string(kSaveFailed) + " The file " + file + " could not be written.");
        return false;
    };
    if (theme.empty()) {
        return failed(storage_.ProgramFolder() + "orvellesaver\\" + currentTheme + ".ini");
    }
    const FileBytes before = storage_.Snapshot(global);
    storage_.WriteThemeValue("saver", "currentsaver", currentTheme, global);
    storage_.WriteThemeValue("mouse", "mouseSensitivity", mouseSensitivity, global);
    if (!storage_.FlushFile(global)) {
        return failed(global);
    }
    WriteTheme(storage_, theme, settings);
    if (!storage_.FlushFile(theme)) {
        storage_.Restore(global, before);
        return failed(theme);
    }
    return true;
}

bool ThemeEditor::AskToSaveChanges() {
    if (!settingsChanged) {
        return true;
    }
    switch (services_.ShowPlainMessage("Save Changes to " + currentTheme + " ?",
                                       MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes:
            saveSucceeded = true;
            SaveTheme();
            return saveSucceeded;
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

bool ThemeEditor::SwitchToTheme(const std::string& name) {
    // Read whole before anything changes: a theme that cannot be read leaves the editor as it is.
    storage_.Flush();
    const std::string file = storage_.ThemeFilePath(name);
    const LoadedTheme theme = ReadThemeForEditor(storage_, file);
    if (theme.read == ThemeFileRead::Unreadable) {
        services_.ShowBusyPointer(false);
        Message("The theme file " + file + " could not be read. The editor stays on the theme " +
                currentTheme + ".");
        return false;
    }
    controls.SetText(IDE_IMAGES_CAPTION, "");
    preview.shown = false;
    controls.Redraw(IDP_IMAGES_PREVIEW);
    controls.SetText(IDT_IMAGES_POSITION, "");
    currentTheme = name;
    currentThemeUnreadable = false;
    ShowTheme(name, theme);
    tab = 0;
    return true;
}

// --- Events ---

void ThemeEditor::SelectOption(int id) {
    const ControlRow* row = EditorRow(id);
    if (!row || !IsOption(*row)) {
        return;
    }
    for (const ControlRow& member : ThemeEditorTable()) {
        if (IsOption(member) && member.key == row->key) {
            controls.SetChecked(member.id, member.id == id);
        }
    }
    Clicked(id);
}

void ThemeEditor::SetCheck(int id, bool checked) {
    controls.SetChecked(id, checked);
    Clicked(id);
}

void ThemeEditor::Clicked(int id) {
    const ControlRow* row = EditorRow(id);
    if (!row) {
        return;
    }
    // Option buttons a user clicks switch their group over first.
    if (IsOption(*row) && !controls[id].checked) {
        SelectOption(id);
        return;
    }
    Handle(*row);
}

void ThemeEditor::CheckClicked(int id, bool checked) {
    SetCheck(id, checked);
}

void ThemeEditor::Scrolled(int id, int value) {
    controls.SetValue(id, value);
    const ControlRow* row = EditorRow(id);
    if (row && (row->kind == ControlKind::Slider || row->kind == ControlKind::ScrollBar)) {
        Handle(*row);
    }
}

void ThemeEditor::Chosen(int id, int index) {
    const ControlRow* row = EditorRow(id);
    if (!row) {
        return;
    }
    if (row->kind == ControlKind::List) {
        controls.SetSelected(id, index);
        if (row->action) {
            row->action(*this);
        }
        return;
    }
    const std::vector<std::string>& items = controls[id].items;
    if ((row->kind != ControlKind::ComboBox && row->kind != ControlKind::DropDownList) ||
        index < 0 || index >= static_cast<int>(items.size())) {
        return;
    }
    controls.SetSelected(id, index);
    std::string chosen = items[static_cast<std::size_t>(index)];
    if (row->kind == ControlKind::ComboBox) {
        controls.SetText(id, chosen);
    } else if (static_cast<std::size_t>(index) < row->choices.size()) {
        chosen = row->choices[static_cast<std::size_t>(index)].value;
    }
    settingsChanged = true;
    if (row->key) {
        Field(settings, *row->key) = chosen;
        ShowValue(*row);
    }
}

void ThemeEditor::Marked(int id, int index, bool marked) {
    // The transitions list: a switched effect is an edit like any other.
    settingsChanged = true;
    controls.SetMarked(id, index, marked);
}

void ThemeEditor::DoubleClicked(int id) {
    const ControlRow* row = EditorRow(id);
    if (row && row->doubleClick) {
        row->doubleClick(*this);
    }
}

void ThemeEditor::ToolbarClicked(int toolbarId, const std::string& key) {
    // The theme strip's buttons are the window's; any button of a page's toolbar is an edit.
    const ControlRow* toolbar = EditorRow(toolbarId);
    if (!toolbar || toolbar->kind != ControlKind::Toolbar || toolbar->page == EditorPage::Window) {
        return;
    }
    settingsChanged = true;
    for (const ControlRow& button : ThemeEditorTable()) {
        if (button.kind == ControlKind::ToolbarButton && button.toolbar == toolbarId &&
            key == button.value && button.action) {
            button.action(*this);
        }
    }
}

void ThemeEditor::MusicTick() {
    music.OnTick();
}

void ThemeEditor::TextChanged(int id, const std::string& text) {
    const ControlRow* row = EditorRow(id);
    if (!row || (row->kind != ControlKind::ComboBox && !row->action)) {
        return;  // a box whose text is not kept
    }
    controls.NoteTypedText(id, text);
    if (row->kind == ControlKind::ComboBox) {
        // Typed the same as chosen: the text the box shows is the text stored.
        settingsChanged = true;
        Field(settings, *row->key) = controls[id].text;
    } else if (row->kind == ControlKind::Edit && row->action) {
        row->action(*this);
    }
}

void ThemeEditor::Handle(const ControlRow& row) {
    switch (row.kind) {
        case ControlKind::Option:
            settingsChanged = true;
            if (!controls[row.id].checked) {
                return;
            }
            HandleOption(row);
            break;
        case ControlKind::CheckBox:
            settingsChanged = true;
            Field(settings, *row.key) = std::string(controls[row.id].checked ? "1" : "0");
            EnableFollowers(row, controls[row.id].checked);
            break;
        case ControlKind::Slider:
        case ControlKind::ScrollBar:
            settingsChanged = true;
            Field(settings, *row.key) = WholeText(controls[row.id].value);
            ShowValue(row);
            break;
        default:
            break;
    }
    if (row.action) {
        row.action(*this);
    }
}

void ThemeEditor::HandleOption(const ControlRow& row) {
    Field(settings, *row.key) = std::string(row.value);
    for (const ControlRow& other : ThemeEditorTable()) {
        if (IsOption(other) && other.key == row.key && other.id != row.id) {
            EnableFollowers(other, false);
        }
    }
    EnableFollowers(row, true);
}

void ThemeEditor::EnableFollowers(const ControlRow& row, bool enabled) {
    for (int id : row.disables) {
        controls.Enable(id, !enabled);
    }
    for (int id : row.enables) {
        controls.Enable(id, enabled);
        const ControlKind kind = EditorRow(id)->kind;
        if (kind == ControlKind::Frame) {
            controls.SetCaptionColour(id, enabled ? kChosenFrameColour : kButtonTextColour);
        } else if (kind == ControlKind::Edit || kind == ControlKind::ComboBox) {
            controls.SetBackColour(id, enabled ? kWindowColour : k3DLightColour);
        }
    }
}

void ThemeEditor::ShowValue(const ControlRow& row) {
    if (row.shows.id == 0) {
        return;
    }
    const std::string& value = Field(settings, *row.key);
    controls.SetText(row.shows.id, row.choices.empty() ? row.shows.prefix + value + row.shows.suffix
                                                       : ChoiceExplanation(row, value));
}

}  // namespace orvelle
