#include "config/form2.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "base/numbers.h"
#include "base/text.h"
#include "config/form2_ids.h"
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

// Option buttons that switch each other off.
constexpr std::array<std::array<int, 4>, 6> kOptionGroups = {{
    {IDC_aChange, IDC_nChange, 0, 0},
    {IDC_pCenter, IDC_pRandom, 0, 0},
    {IDC_scrollOption, IDC_middleOption, 0, 0},
    {IDC_backgroundColor, IDC_backgroundDesktop, IDC_backgroundCustomImage,
     IDC_backgroundColorGradient},
    {IDC_CenterOption, IDC_FullScreenOption, IDC_TileOption, 0},
    {IDC_noneOption, IDC_timeOption, IDC_yearOption, 0},
}};

// A key's number as its control takes it: rounded, halves to even. The load has made sure the
// text is one the control can show.
int Whole(const std::string& text) {
    return ToInt32Saturated(StrictNumber(text).value_or(0));
}

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

// What a click on a button, option button or check box runs.
struct ClickHandler {
    int id;
    void (*run)(Form2&);
};
constexpr ClickHandler kClickHandlers[] = {
    {IDC_Random_select, [](Form2& f) { f.images.Random_select_Click(); }},
    {IDC_FolderCommand, [](Form2& f) { f.images.FolderCommand_Click(); }},
    {IDC_randomMediaCheck, [](Form2& f) { f.music.randomMediaCheck_Click(); }},
    {IDC_playCommand, [](Form2& f) { f.music.playCommand_Click(); }},
    {IDC_closeCommand, [](Form2& f) { f.music.closeCommand_Click(); }},
    {IDC_scrollOption, [](Form2& f) { f.images.scrollOption_Click(); }},
    {IDC_middleOption, [](Form2& f) { f.images.middleOption_Click(); }},
    {IDC_aChange, [](Form2& f) { f.imageSettings.aChange_Click(); }},
    {IDC_nChange, [](Form2& f) { f.imageSettings.nChange_Click(); }},
    {IDC_pCenter, [](Form2& f) { f.imageSettings.pCenter_Click(); }},
    {IDC_pRandom, [](Form2& f) { f.imageSettings.pRandom_Click(); }},
    {IDC_backgroundColor, [](Form2& f) { f.background.backgroundColor_Click(); }},
    {IDC_backgroundDesktop, [](Form2& f) { f.background.backgroundDesktop_Click(); }},
    {IDC_backgroundCustomImage, [](Form2& f) { f.background.backgroundCustomImage_Click(); }},
    {IDC_backgroundColorGradient, [](Form2& f) { f.background.backgroundColorGradient_Click(); }},
    {IDC_backColorClick, [](Form2& f) { f.background.backColorClick_Click(); }},
    {IDC_addBackImg, [](Form2& f) { f.background.addBackImg_Click(); }},
    {IDC_removeBackImg, [](Form2& f) { f.background.removeBackImg_Click(); }},
    {IDC_CenterOption, [](Form2& f) { f.background.CenterOption_Click(); }},
    {IDC_FullScreenOption, [](Form2& f) { f.background.FullScreenOption_Click(); }},
    {IDC_TileOption, [](Form2& f) { f.background.TileOption_Click(); }},
    {IDC_noneOption, [](Form2& f) { f.countdown.noneOption_Click(); }},
    {IDC_timeOption, [](Form2& f) { f.countdown.timeOption_Click(); }},
    {IDC_yearOption, [](Form2& f) { f.countdown.yearOption_Click(); }},
};

}  // namespace

std::optional<int> IntervalSeconds(const std::string& text) {
    return WholeNumberIn(text, 0, 60);
}

Form2::Form2(ThemeStorage& storage, Form2Services& services, Mmedia& mediaPlayer)
    : storage_(storage), services_(services), mediaPlayer_(mediaPlayer) {
    for (const TransitionEntry& entry : kTransitionList) {
        controls.AddItem(IDC_ListBoxTransitions, entry.label);
    }
    for (int month = 1; month <= 12; ++month) {
        controls.AddItem(IDC_monthCombo, FormatPadded(month, 2));
    }
    for (int day = 1; day <= 31; ++day) {
        controls.AddItem(IDC_dayCombo, FormatPadded(day, 2));
    }
    for (int year = 2000; year <= 2040; ++year) {
        controls.AddItem(IDC_yearCombo, WholeText(year));
    }
    controls.SetText(IDC_monthCombo, "Month");
    controls.SetText(IDC_dayCombo, "Day");
    controls.SetText(IDC_yearCombo, "Year");
    controls.SetText(IDC_redLabel, "Red=0");
    controls.SetText(IDC_greenLabel, "Green=0");
    controls.SetText(IDC_blueLabel, "Blue=0");
}

void Form2::Message(const std::string& text) {
    services_.ShowMessage(text, MessageButtons::Ok);
}

// --- The window ---

void Form2::Form_Load() {
    StartConfiguration();
}

bool Form2::Ok_Click() {
    saveSucceeded = true;
    SaveTheme();
    return saveSucceeded;
}

bool Form2::Cancel_Click() {
    return true;
}

bool Form2::Form_QueryUnload() {
    // The same question as before a switch; Yes is OK's save.
    return AskToSaveChanges();
}

void Form2::Form_Unload() {
    if (mediaPlayer_.Status() == "playing") {
        mediaPlayer_.mmClose();
    }
}

void Form2::OrvelleHelp_Click() {
    services_.OpenDocument(storage_.ProgramFolder() + "help.htm");
}

// --- Loading ---

void Form2::StartConfiguration() {
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
    LoadThemeIntoDialog(currentTheme, theme);

    soundDeviceCount = services_.WaveOutDeviceCount();
    const bool sound = soundDeviceCount >= 1;
    controls.Show(IDC_mediaLabel, !sound);
    // Without a device nothing of the tab is offered; with one, nothing plays yet.
    for (int id :
         {IDC_FrameMedia, IDC_multimediaList, IDC_ToolbarMedia, IDC_multimediaTotal,
          IDC_MediaPosition, IDC_randomMediaCheck, IDC_ProgressBar1, IDC_mediaStatusLabel}) {
        controls.Enable(id, sound);
    }
    controls.Enable(IDC_playCommand, false);
    controls.Enable(IDC_closeCommand, false);
}

void Form2::LoadThemeIntoDialog(const std::string& name, const LoadedTheme& theme) {
    // Each setting is taken from the theme just before its control is set, so that a handler
    // the control runs (Never sets the interval to 0) comes before the theme's own value.
    controls.SetValue(IDC_redSlider, 0);
    controls.SetValue(IDC_greenSlider, 0);
    controls.SetValue(IDC_blueSlider, 0);
    manyImagesWarned = false;
    ShowLists(theme);
    ShowImageSettings(theme);
    ShowColours(theme);
    ShowTransitionsAndClock(theme);
    ShowCaptionFont(theme);
    Take(theme, ThemeKey::backgroundImage);
    LoadBackgroundPicture();
    if (!controls[IDC_List1].items.empty()) {
        Select(IDC_List1, 0);
    }
    controls.SetText(IDC_monthCombo, Take(theme, ThemeKey::countdownMonth));
    controls.SetText(IDC_dayCombo, Take(theme, ThemeKey::countdownDay));
    controls.SetText(IDC_yearCombo, Take(theme, ThemeKey::countdownYear));
    Take(theme, ThemeKey::captionSource);
    Take(theme, ThemeKey::browseKeys);
    title = "Orvelle Screen Saver - [" + name + "]";
    settingsChanged = false;
    ReportReplacedKeys(name, theme);
}

const std::string& Form2::Take(const LoadedTheme& theme, ThemeKey key) {
    return Field(settings, key) = Field(theme.settings, key);
}

void Form2::ShowLists(const LoadedTheme& theme) {
    Take(theme, ThemeKey::total);
    controls.SetItems(IDC_List1, theme.settings.picturePaths);
    controls.SetItems(IDC_photo_caption, theme.settings.captions);
    controls.SetText(IDC_Text3,
                     "Total: " + WholeText(static_cast<int>(theme.settings.picturePaths.size())));
    controls.SetText(IDC_multimediaTotal, "Total: " + Take(theme, ThemeKey::mediaTotal));
    controls.SetChecked(IDC_randomMediaCheck, Whole(Take(theme, ThemeKey::randomMedia)) == 1);
    controls.SetItems(IDC_multimediaList, theme.settings.mediaPaths);
}

void Form2::ShowImageSettings(const LoadedTheme& theme) {
    SetCheck(IDC_Random_select, Whole(Take(theme, ThemeKey::randomPick)) == 1);
    colourDialogColour = static_cast<Colour>(Whole(Take(theme, ThemeKey::newBackColor)));
    controls.SetBackColour(IDC_Picture1, colourDialogColour);
    SelectNumbered(Whole(Take(theme, ThemeKey::backEffect)),
                   {IDC_backgroundColor, IDC_backgroundDesktop, IDC_backgroundCustomImage,
                    IDC_backgroundColorGradient});
    SelectOption(Take(theme, ThemeKey::picRandom) == "cent" ? IDC_pCenter : IDC_pRandom);
    const int speed = Whole(Take(theme, ThemeKey::picSpeed));
    if (speed != controls[IDC_floatSlider].value) {
        controls.SetValue(IDC_floatSlider, speed);
        imageSettings.floatSlider_Change();
    }
    SelectOption(Take(theme, ThemeKey::picChange) == "ch" ? IDC_aChange : IDC_nChange);
    controls.SetText(IDC_Text2, Take(theme, ThemeKey::timeInterval));
    const int interval = Whole(settings.timeInterval);
    if (interval != controls[IDC_changeVScroll1].value) {
        controls.SetValue(IDC_changeVScroll1, interval);
        imageSettings.changeVScroll1_Change();
    }
    SelectNumbered(Whole(Take(theme, ThemeKey::backgroundDisplay)),
                   {IDC_CenterOption, IDC_FullScreenOption, IDC_TileOption});
}

void Form2::ShowColours(const LoadedTheme& theme) {
    struct ColourPart {
        ThemeKey key;
        int slider, label, swatch, shift;
        const char* word;
    };
    const ColourPart parts[] = {
        {ThemeKey::redBackground, IDC_redSlider, IDC_redLabel, IDC_redPicture, 0, "Red = "},
        {ThemeKey::greenBackground, IDC_greenSlider, IDC_greenLabel, IDC_greenPicture, 8,
         "Green = "},
        {ThemeKey::blueBackground, IDC_blueSlider, IDC_blueLabel, IDC_bluePicture, 16, "Blue = "},
    };
    for (const ColourPart& part : parts) {
        const std::string& text = Take(theme, part.key);
        const int value = Whole(text);
        controls.SetValue(part.slider, value);
        controls.SetText(part.label, part.word + text);
        controls.SetBackColour(part.swatch, static_cast<Colour>(value) << part.shift);
    }
    PaintGradientPreview();
    controls.Redraw(IDC_GradientPicture);
    SelectNumbered(Whole(Take(theme, ThemeKey::scroll)), {IDC_scrollOption, IDC_middleOption});
    controls.SetValue(IDC_PercentSlider, Whole(Take(theme, ThemeKey::picturePercent)));
    controls.SetText(IDC_percentLabel, settings.picturePercent + "%");
    controls.SetValue(IDC_scrollSlider, Whole(Take(theme, ThemeKey::scrollSpeed)));
}

void Form2::ShowTransitionsAndClock(const LoadedTheme& theme) {
    controls.ClearItems(IDC_ListBoxTransitions);
    for (const TransitionEntry& entry : kTransitionList) {
        const std::string& flag = Take(theme, entry.key);
        controls.AddItem(IDC_ListBoxTransitions, entry.label);
        const int index = static_cast<int>(controls[IDC_ListBoxTransitions].items.size()) - 1;
        if (StrictNumber(flag) == 1.0) {
            controls.SetMarked(IDC_ListBoxTransitions, index, true);
        }
    }
    const int clock = Whole(Take(theme, ThemeKey::timeDisplay));
    SelectOption(clock == 0 ? IDC_noneOption : (clock == 1 ? IDC_timeOption : IDC_yearOption));
}

void Form2::ShowCaptionFont(const LoadedTheme& theme) {
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
    font.colour = static_cast<Colour>(Whole(s.newFontForeColor));
    fontDialogFont = font;
    controls.SetBackColour(IDC_Picture2, font.colour);
}

void Form2::ReportReplacedKeys(const std::string& name, const LoadedTheme& theme) {
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

void Form2::LoadBackgroundPicture() {
    const std::string& path = settings.backgroundImage;
    controls.SetText(IDC_backgroundImageFile, path);
    backgroundThumbnail.clear();
    controls.Redraw(IDC_Image1);
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

void Form2::PaintGradientPreview() {
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

bool Form2::SaveChecksPass() {
    const std::vector<std::string>& pictures = controls[IDC_List1].items;
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

void Form2::SaveTheme() {
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
    s.picturePaths = controls[IDC_List1].items;
    s.total = WholeText(static_cast<int>(s.picturePaths.size()));
    s.captions = controls[IDC_photo_caption].items;
    s.mediaPaths = controls[IDC_multimediaList].items;
    const std::vector<bool>& marked = controls[IDC_ListBoxTransitions].marked;
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
bool Form2::WriteThemeFiles() {
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

bool Form2::AskToSaveChanges() {
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

bool Form2::SwitchDialogToTheme(const std::string& name) {
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
    controls.SetText(IDC_p_caption, "");
    preview.shown = false;
    controls.Redraw(IDC_photo1);
    controls.SetText(IDC_ImagePosition, "");
    currentTheme = name;
    currentThemeUnreadable = false;
    LoadThemeIntoDialog(name, theme);
    tab = 0;
    return true;
}

// --- Events ---

void Form2::SelectNumbered(int number, std::initializer_list<int> options) {
    if (number >= 0 && number < static_cast<int>(options.size())) {
        SelectOption(*(options.begin() + number));
    }
}

void Form2::SelectOption(int id) {
    for (const auto& group : kOptionGroups) {
        if (std::find(group.begin(), group.end(), id) == group.end()) {
            continue;
        }
        for (int member : group) {
            if (member != 0) {
                controls.SetChecked(member, member == id);
            }
        }
    }
    Clicked(id);
}

void Form2::SetCheck(int id, bool checked) {
    controls.SetChecked(id, checked);
    Clicked(id);
}

void Form2::Select(int id, int index) {
    controls.SetSelected(id, index);
    if (id == IDC_List1) {
        images.List1_Click();
    }
}

void Form2::CheckClicked(int id, bool checked) {
    SetCheck(id, checked);
}

void Form2::Chosen(int id, int index) {
    switch (id) {
        case IDC_List1:
            Select(id, index);
            break;
        case IDC_multimediaList:
            controls.SetSelected(id, index);
            music.multimediaList_Click();
            break;
        case IDC_monthCombo:
        case IDC_dayCombo:
        case IDC_yearCombo: {
            const std::vector<std::string>& items = controls[id].items;
            if (index < 0 || index >= static_cast<int>(items.size())) {
                return;
            }
            controls.SetSelected(id, index);
            controls.SetText(id, items[static_cast<std::size_t>(index)]);
            if (id == IDC_monthCombo) {
                countdown.monthCombo_Click();
            } else if (id == IDC_dayCombo) {
                countdown.dayCombo_Click();
            } else {
                countdown.yearCombo_Click();
            }
            break;
        }
        default:
            break;
    }
}

void Form2::ToolbarClicked(int toolbarId, const std::string& key) {
    if (toolbarId == IDC_ToolbarMedia) {
        music.ToolbarMedia_ButtonClick(key);
    } else if (toolbarId == IDC_toolbarImages) {
        images.toolbarImages_ButtonClick(key);
    } else if (toolbarId == IDC_toolbarCaptions) {
        images.toolbarCaptions_ButtonClick(key);
    }
}

void Form2::DoubleClicked(int id) {
    if (id == IDC_List1 || id == IDC_photo1) {
        images.ShowViewer();
    }
}

void Form2::Timer1() {
    music.Timer1_Timer();
}

void Form2::TextChanged(int id, const std::string& text) {
    controls.NoteTypedText(id, text);
    switch (id) {
        case IDC_p_caption:
            images.p_caption_Change();
            break;
        case IDC_Text2:
            imageSettings.Text2_Change();
            break;
        case IDC_monthCombo:
            countdown.monthCombo_Change();
            break;
        case IDC_dayCombo:
            countdown.dayCombo_Change();
            break;
        case IDC_yearCombo:
            countdown.yearCombo_Change();
            break;
        default:
            break;
    }
}

void Form2::Marked(int id, int index, bool marked) {
    // The transitions list: a switched effect is an edit like any other.
    settingsChanged = true;
    controls.SetMarked(id, index, marked);
}

void Form2::Scrolled(int id, int value) {
    controls.SetValue(id, value);
    switch (id) {
        case IDC_PercentSlider:
            imageSettings.PercentSlider_Scroll();
            break;
        case IDC_changeVScroll1:
            imageSettings.changeVScroll1_Change();
            break;
        case IDC_floatSlider:
            imageSettings.floatSlider_Change();
            break;
        case IDC_scrollSlider:
            images.scrollSlider_Scroll();
            break;
        case IDC_redSlider:
            background.redSlider_Scroll();
            break;
        case IDC_greenSlider:
            background.greenSlider_Scroll();
            break;
        case IDC_blueSlider:
            background.blueSlider_Scroll();
            break;
        default:
            break;
    }
}

void Form2::Clicked(int id) {
    // Option buttons a user clicks switch their group over first.
    for (const auto& group : kOptionGroups) {
        if (std::find(group.begin(), group.end(), id) != group.end() && !controls[id].checked) {
            SelectOption(id);
            return;
        }
    }
    for (const ClickHandler& handler : kClickHandlers) {
        if (handler.id == id) {
            handler.run(*this);
            return;
        }
    }
}

}  // namespace orvelle
