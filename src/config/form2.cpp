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

// A numeric key as a control takes it: the whole text a number, rounded halves to even, within
// the control's range; anything else stops the load at that key.
int ControlNumber(const std::string& text, const char* key, double low, double high) {
    std::optional<double> number = StrictNumber(text);
    if (!number) {
        throw ThemeLoadError{key};
    }
    const double rounded = RoundHalfEven(*number);
    if (rounded < low || rounded > high) {
        throw ThemeLoadError{key};
    }
    return static_cast<int>(rounded);
}

double AnyNumber(const std::string& text, const char* key) {
    std::optional<double> number = StrictNumber(text);
    if (!number) {
        throw ThemeLoadError{key};
    }
    return *number;
}

// The font dialog's style flags: the words True and False, or a number (not 0 is true).
bool FontFlag(const std::string& text, const char* key) {
    const std::string word = ToUpperAscii(TrimSpaces(text));
    if (word == "TRUE") {
        return true;
    }
    if (word == "FALSE") {
        return false;
    }
    return AnyNumber(text, key) != 0.0;
}

std::string WholeText(int value) {
    return std::to_string(value);
}

bool ValidCountdownDate(const ThemeSettings& s) {
    int parts[3] = {};
    const std::string* texts[3] = {&s.countdownMonth, &s.countdownDay, &s.countdownYear};
    for (int i = 0; i < 3; ++i) {
        std::optional<double> number = StrictNumber(*texts[i]);
        if (!number || *number != RoundHalfEven(*number) || *number < 0 || *number > 9999) {
            return false;
        }
        parts[i] = static_cast<int>(*number);
    }
    return parts[2] >= 100 && IsCalendarDate(parts[2], parts[0], parts[1]);
}

}  // namespace

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
    try {
        StartConfiguration();
    } catch (const ThemeLoadError&) {
        services_.ShowBusyPointer(false);
        Message(kLoadFailed);
    }
}

bool Form2::Ok_Click() {
    saveSucceeded = true;
    SaveTheme();
    return saveSucceeded;
}

bool Form2::Cancel_Click() {
    return true;
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
    storage_.WriteSamplePictureIfDue(storage_.ThemeFilePath(currentTheme));
    storage_.Flush();
    try {
        LoadThemeIntoDialog(currentTheme);
    } catch (const ThemeLoadError&) {
        // The sound check still runs: the music tab must not offer what cannot play.
        soundDeviceCount = services_.WaveOutDeviceCount();
        throw;
    }
    soundDeviceCount = services_.WaveOutDeviceCount();
    if (soundDeviceCount < 1) {
        controls.Show(IDC_mediaLabel, true);
        controls.Enable(IDC_FrameMedia, false);
    } else {
        controls.Show(IDC_mediaLabel, false);
        controls.Enable(IDC_FrameMedia, true);
        controls.Enable(IDC_playCommand, false);
        controls.Enable(IDC_closeCommand, false);
    }
}

void Form2::LoadThemeIntoDialog(const std::string& name) {
    const std::string path = storage_.ThemeFilePath(name);
    ThemeFileIn file(storage_, path);
    ThemeSettings& s = settings;
    auto read = [&](ThemeKey key) -> const std::string& { return ReadThemeKey(file, key, s); };

    // 1.
    controls.SetValue(IDC_redSlider, 0);
    controls.SetValue(IDC_greenSlider, 0);
    controls.SetValue(IDC_blueSlider, 0);
    manyImagesWarned = false;

    // 2. The pictures and their captions.
    const int total = ControlNumber(read(ThemeKey::total), "total", -2147483648.0, 2147483647.0);
    const int pictures = std::min(std::max(total, 0), kMaxListEntries);
    controls.SetItems(IDC_List1, ReadListEntries(file, ThemeList::images, pictures));
    controls.SetItems(IDC_photo_caption, ReadListEntries(file, ThemeList::caption, pictures));
    controls.SetText(IDC_Text3,
                     "Total: " + WholeText(static_cast<int>(controls[IDC_List1].items.size())));

    // 3. The music.
    const int media =
        ControlNumber(read(ThemeKey::mediaTotal), "mediaTotal", -2147483648.0, 2147483647.0);
    controls.SetText(IDC_multimediaTotal, "Total: " + s.mediaTotal);
    const int randomMedia = ControlNumber(read(ThemeKey::randomMedia), "randomMedia", 0, 2);
    controls.SetChecked(IDC_randomMediaCheck, randomMedia == 1);
    controls.SetItems(IDC_multimediaList,
                      ReadListEntries(file, ThemeList::multimedia,
                                      std::min(std::max(media, 0), kMaxListEntries)));

    // 4. The single settings, each control set as a user would.
    SetCheck(IDC_Random_select, ControlNumber(read(ThemeKey::randomPick), "randomPick", 0, 2) == 1);
    const double backColour = AnyNumber(read(ThemeKey::newBackColor), "newBackColor");
    if (backColour < 0 || backColour > 0xFFFFFF) {
        throw ThemeLoadError{"newBackColor"};
    }
    colourDialogColour = static_cast<Colour>(RoundHalfEven(backColour));
    controls.SetBackColour(IDC_Picture1, colourDialogColour);
    switch (ControlNumber(read(ThemeKey::backEffect), "backEffect", -2147483648.0, 2147483647.0)) {
        case 0:
            SelectOption(IDC_backgroundColor);
            break;
        case 1:
            SelectOption(IDC_backgroundDesktop);
            break;
        case 2:
            SelectOption(IDC_backgroundCustomImage);
            break;
        case 3:
            SelectOption(IDC_backgroundColorGradient);
            break;
        default:
            break;
    }
    SelectOption(read(ThemeKey::picRandom) == "cent" ? IDC_pCenter : IDC_pRandom);
    const int speed = ControlNumber(read(ThemeKey::picSpeed), "picSpeed", 0, 5);
    if (speed != controls[IDC_floatSlider].value) {
        controls.SetValue(IDC_floatSlider, speed);
        imageSettings.floatSlider_Change();
    }
    SelectOption(read(ThemeKey::picChange) == "ch" ? IDC_aChange : IDC_nChange);
    controls.SetText(IDC_Text2, read(ThemeKey::timeInterval));
    const int interval = ControlNumber(s.timeInterval, "timeInterval", 0, 60);
    if (interval != controls[IDC_changeVScroll1].value) {
        controls.SetValue(IDC_changeVScroll1, interval);
        imageSettings.changeVScroll1_Change();
    }
    switch (ControlNumber(read(ThemeKey::backgroundDisplay), "backgroundDisplay", -2147483648.0,
                          2147483647.0)) {
        case 0:
            SelectOption(IDC_CenterOption);
            break;
        case 1:
            SelectOption(IDC_FullScreenOption);
            break;
        case 2:
            SelectOption(IDC_TileOption);
            break;
        default:
            break;
    }
    struct ColourPart {
        ThemeKey key;
        const char* name;
        int slider, label, swatch, shift;
        const char* word;
    };
    const ColourPart parts[] = {
        {ThemeKey::redBackground, "redBackground", IDC_redSlider, IDC_redLabel, IDC_redPicture, 0,
         "Red = "},
        {ThemeKey::greenBackground, "greenBackground", IDC_greenSlider, IDC_greenLabel,
         IDC_greenPicture, 8, "Green = "},
        {ThemeKey::blueBackground, "blueBackground", IDC_blueSlider, IDC_blueLabel, IDC_bluePicture,
         16, "Blue = "},
    };
    for (const ColourPart& part : parts) {
        const std::string& text = read(part.key);
        const int value = ControlNumber(text, part.name, 0, 255);
        controls.SetValue(part.slider, value);
        controls.SetText(part.label, part.word + text);
        controls.SetBackColour(part.swatch, static_cast<Colour>(value) << part.shift);
    }
    PaintGradientPreview();
    switch (ControlNumber(read(ThemeKey::scroll), "scroll", -2147483648.0, 2147483647.0)) {
        case 0:
            SelectOption(IDC_scrollOption);
            break;
        case 1:
            SelectOption(IDC_middleOption);
            break;
        default:
            break;
    }
    controls.SetValue(IDC_PercentSlider,
                      ControlNumber(read(ThemeKey::picturePercent), "picturePercent", 10, 100));
    controls.SetText(IDC_percentLabel, s.picturePercent + "%");
    controls.SetValue(IDC_scrollSlider,
                      ControlNumber(read(ThemeKey::scrollSpeed), "scrollSpeed", 100, 300));

    // 5. The transitions.
    for (ThemeKey key : kTransitionKeys) {
        Field(s, key) = std::string("0");
    }
    controls.ClearItems(IDC_ListBoxTransitions);
    for (const TransitionEntry& entry : kTransitionList) {
        const std::string& flag = read(entry.key);
        controls.AddItem(IDC_ListBoxTransitions, entry.label);
        const int index = static_cast<int>(controls[IDC_ListBoxTransitions].items.size()) - 1;
        if (AnyNumber(flag, KeyInfo(entry.key).key) == 1.0) {
            controls.SetMarked(IDC_ListBoxTransitions, index, true);
        }
    }

    // 6. The clock or countdown.
    switch (
        ControlNumber(read(ThemeKey::timeDisplay), "timeDisplay", -2147483648.0, 2147483647.0)) {
        case 0:
            SelectOption(IDC_noneOption);
            break;
        case 1:
            SelectOption(IDC_timeOption);
            break;
        default:
            SelectOption(IDC_yearOption);
            break;
    }

    // 7. The caption font, for the font dialog.
    for (ThemeKey key : {ThemeKey::newFontName, ThemeKey::newFontSize, ThemeKey::newFontBold,
                         ThemeKey::newFontItalic, ThemeKey::newFontUnderline,
                         ThemeKey::newFontFontStrikethru, ThemeKey::newFontForeColor}) {
        read(key);
    }
    CaptionFontChoice font;
    font.face = s.newFontName;
    font.points = static_cast<float>(AnyNumber(s.newFontSize, "newFontSize"));
    font.bold = FontFlag(s.newFontBold, "newFontBold");
    font.italic = FontFlag(s.newFontItalic, "newFontItalic");
    font.underline = FontFlag(s.newFontUnderline, "newFontUnderline");
    font.strikethrough = FontFlag(s.newFontFontStrikethru, "newFontFontStrikethru");
    const double fontColour = AnyNumber(s.newFontForeColor, "newFontForeColor");
    if (fontColour < 0 || fontColour > 0xFFFFFF) {
        throw ThemeLoadError{"newFontForeColor"};
    }
    font.colour = static_cast<Colour>(RoundHalfEven(fontColour));
    fontDialogFont = font;
    controls.SetBackColour(IDC_Picture2, font.colour);

    // 8. The background picture, the first picture's preview, the countdown date.
    LoadBackgroundPicture(path);
    if (!controls[IDC_List1].items.empty()) {
        Select(IDC_List1, 0);
    }
    controls.SetText(IDC_monthCombo, read(ThemeKey::countdownMonth));
    controls.SetText(IDC_dayCombo, read(ThemeKey::countdownDay));
    controls.SetText(IDC_yearCombo, read(ThemeKey::countdownYear));

    // 9.
    title = "Orvelle Screen Saver - [" + name + "]";
    settingsChanged = false;
}

void Form2::LoadBackgroundPicture(const std::string& file) {
    ThemeFileIn theme(storage_, file);
    ReadThemeKey(theme, ThemeKey::backgroundImage, settings);
    if (settings.backgroundImage.empty()) {
        return;
    }
    controls.SetText(IDC_backgroundImageFile, settings.backgroundImage);
    const std::string picture = storage_.ResolveProgramPath(settings.backgroundImage);
    if (!services_.PictureSize(picture)) {
        backgroundThumbnail.clear();
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
    if (pictures.empty() || pictures[0].empty()) {
        saveSucceeded = false;
        Message(kNoImages);
        return false;
    }
    if (StrictNumber(settings.backEffect) == 2.0 && settings.backgroundImage.empty()) {
        saveSucceeded = false;
        Message(kNoBackgroundImage);
        return false;
    }
    if (StrictNumber(settings.timeDisplay) == 2.0 && !ValidCountdownDate(settings)) {
        services_.ShowBusyPointer(false);
        saveSucceeded = false;
        Message(kBadCountdownDate);
        return false;
    }
    return true;
}

void Form2::SaveTheme() {
    // What an earlier read left in memory must not decide the order files are written in: the
    // global file goes first.
    storage_.Flush();
    if (!SaveChecksPass()) {
        return;
    }
    services_.ShowBusyPointer(true);
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

    const std::string global = storage_.GlobalSettingsPath();
    storage_.WriteThemeValue("saver", "currentsaver", currentTheme, global);
    storage_.WriteThemeValue("mouse", "mouseSensitivity", mouseSensitivity, global);
    WriteTheme(storage_, storage_.ThemeFilePath(currentTheme), s);
    const bool written = storage_.Flush();
    services_.ShowBusyPointer(false);
    if (!written) {
        // Unlike a silent profile write, a file that could not be written is a failed save:
        // the window stays open with every edit.
        saveSucceeded = false;
        Message(kSaveFailed);
    }
}

void Form2::AskToSaveChanges() {
    if (!settingsChanged) {
        return;
    }
    if (services_.ShowPlainMessage("Save Changes to " + currentTheme + " ?",
                                   MessageButtons::OkCancel) == MessageAnswer::Ok) {
        saveSucceeded = true;
        SaveTheme();
    }
}

void Form2::SwitchDialogToTheme(const std::string& name) {
    controls.SetText(IDC_p_caption, "");
    preview.shown = false;
    controls.Redraw(IDC_photo1);
    controls.SetText(IDC_ImagePosition, "");
    currentTheme = name;
    try {
        LoadThemeIntoDialog(name);
    } catch (const ThemeLoadError&) {
        // As at start-up: the editor shows what could be read, and says so.
        services_.ShowBusyPointer(false);
        Message(kLoadFailed);
    }
    tab = 0;
}

// --- Events ---

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
    if (id == IDC_p_caption) {
        images.p_caption_Change();
    }
}

void Form2::Marked(int id, int index, bool marked) {
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
    switch (id) {
        case IDC_Random_select:
            images.Random_select_Click();
            break;
        case IDC_FolderCommand:
            images.FolderCommand_Click();
            break;
        case IDC_randomMediaCheck:
            music.randomMediaCheck_Click();
            break;
        case IDC_playCommand:
            music.playCommand_Click();
            break;
        case IDC_closeCommand:
            music.closeCommand_Click();
            break;
        case IDC_scrollOption:
            images.scrollOption_Click();
            break;
        case IDC_middleOption:
            images.middleOption_Click();
            break;
        case IDC_aChange:
            imageSettings.aChange_Click();
            break;
        case IDC_nChange:
            imageSettings.nChange_Click();
            break;
        case IDC_pCenter:
            imageSettings.pCenter_Click();
            break;
        case IDC_pRandom:
            imageSettings.pRandom_Click();
            break;
        case IDC_backgroundColor:
            background.backgroundColor_Click();
            break;
        case IDC_backgroundDesktop:
            background.backgroundDesktop_Click();
            break;
        case IDC_backgroundCustomImage:
            background.backgroundCustomImage_Click();
            break;
        case IDC_backgroundColorGradient:
            background.backgroundColorGradient_Click();
            break;
        case IDC_backColorClick:
            background.backColorClick_Click();
            break;
        case IDC_addBackImg:
            background.addBackImg_Click();
            break;
        case IDC_removeBackImg:
            background.removeBackImg_Click();
            break;
        case IDC_CenterOption:
            background.CenterOption_Click();
            break;
        case IDC_FullScreenOption:
            background.FullScreenOption_Click();
            break;
        case IDC_TileOption:
            background.TileOption_Click();
            break;
        case IDC_noneOption:
            countdown.noneOption_Click();
            break;
        case IDC_timeOption:
            countdown.timeOption_Click();
            break;
        case IDC_yearOption:
            countdown.yearOption_Click();
            break;
        default:
            break;
    }
}

}  // namespace orvelle
