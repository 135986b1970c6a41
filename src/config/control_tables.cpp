// The control tables of the theme editor and its small windows, in the order of their templates.
#include "config/control_table.h"

#include <algorithm>

#include "base/numbers.h"
#include "config/control_ids.h"
#include "config/theme_editor.h"

namespace orvelle {

namespace {

using K = ControlKind;
using S = PictureStrip;
using T = ThemeKey;

constexpr ControlRow Row(int id, const char* design, ControlKind kind) {
    ControlRow row;
    row.id = id;
    row.design = design;
    row.kind = kind;
    return row;
}
template <ControlKind kind>
constexpr ControlRow Make(int id, const char* design) {
    return Row(id, design, kind);
}
constexpr auto Label = Make<K::Label>;
constexpr auto Frame = Make<K::Frame>;
constexpr auto Button = Make<K::Button>;
constexpr auto Option = Make<K::Option>;
constexpr auto Slider = Make<K::Slider>;
constexpr auto Menu = Make<K::MenuItem>;

// The button of a one-button toolbar of the theme strip, opening its dialog.
constexpr ControlRow StripButton(int id, const char* design, int toolbar, const char* word,
                                 int picture, const char* tip, int dialog) {
    return Row(id, design, K::ToolbarButton)
        .OnToolbar(toolbar, word, S::Theme, picture)
        .Tip(tip)
        .Opens(dialog);
}

// The window itself: the theme strip, the tabs, OK and Cancel, the status bar, the hidden
// caption list, and the menu.
constexpr ControlRow kWindowRows[] = {
    Frame(IDG_EDITOR_THEMES, "Frame7"),
    Label(IDT_EDITOR_HEADING, "Label1"),
    Row(IDC_EDITOR_NEW_TOOLBAR, "ToolbarNew", K::Toolbar),
    Row(IDC_EDITOR_LOAD_TOOLBAR, "ToolbarLoad", K::Toolbar),
    Row(IDC_EDITOR_DELETE_TOOLBAR, "ToolbarDelete", K::Toolbar),
    Row(IDC_EDITOR_MOUSE_TOOLBAR, "ToolbarMouse", K::Toolbar),
    StripButton(IDB_EDITOR_NEW, "ToolbarNew.New", IDC_EDITOR_NEW_TOOLBAR, "New", 0,
                "Create a new screen saver theme", IDD_NEW_THEME),
    StripButton(IDB_EDITOR_LOAD, "ToolbarLoad.Load", IDC_EDITOR_LOAD_TOOLBAR, "Load", 1,
                "Load existing screen saver theme", IDD_LOAD_THEME),
    StripButton(IDB_EDITOR_DELETE, "ToolbarDelete.Delete", IDC_EDITOR_DELETE_TOOLBAR, "Delete", 2,
                "Delete existing screen saver themes", IDD_DELETE_THEME),
    StripButton(IDB_EDITOR_MOUSE, "ToolbarMouse.Mouse", IDC_EDITOR_MOUSE_TOOLBAR, "Mouse", 3,
                "Mouse sensitivity", IDD_MOUSE),
    Label(IDT_EDITOR_NEW, "LabelNew"),
    Label(IDT_EDITOR_LOAD, "LabelLoad"),
    Label(IDT_EDITOR_DELETE, "LabelDelete"),
    Label(IDT_EDITOR_MOUSE, "LabelMouse"),
    Row(IDC_EDITOR_TABS, "SSTab1", K::Tabs),
    Button(IDB_EDITOR_OK, "Ok").Tip("Save changes"),
    Button(IDB_EDITOR_CANCEL, "Cancel").Tip("Cancel changes"),
    Row(IDC_EDITOR_STATUS, "StatusBar1", K::StatusBar),
    Row(IDP_EDITOR_SCRATCH, "photo", K::Surface),
    Row(IDL_EDITOR_CAPTIONS, "photo_caption", K::List),
    Menu(IDM_FILE_NEW, "NewTheme").Opens(IDD_NEW_THEME),
    Menu(IDM_FILE_LOAD, "LoadTheme").Opens(IDD_LOAD_THEME),
    Menu(IDM_FILE_DELETE, "DeleteTheme").Opens(IDD_DELETE_THEME),
    Menu(IDM_FILE_EXIT, "Exit"),
    Menu(IDM_FILE_SAVE, "Save"),
    Menu(IDM_HELP_CONTENTS, "OrvelleHelp"),
    Menu(IDM_HELP_ABOUT, "AboutOrvelle"),
    Menu(IDM_WEB_HOME, "HomePage"),
    Menu(IDM_WEB_FREE, "Free"),
};

// A button of the picture, caption or music toolbar.
constexpr ControlRow ListButton(int id, const char* design, int toolbar, const char* word,
                                int picture, const char* tip, EditorAction action) {
    return Row(id, design, K::ToolbarButton)
        .OnToolbar(toolbar, word, toolbar == IDC_IMAGES_CAPTION_TOOLBAR ? S::Caption : S::List,
                   picture)
        .Tip(tip)
        .Does(action);
}

// What a picture without a typed caption shows, as the saver reads captionSource.
constexpr Choice kCaptionSources[] = {
    {"Nothing", "0"},
    {"The date it was taken", "1"},
    {"Its file name", "2"},
    {"The name of its folder", "3"},
    {"The title stored in the photo", "4"},
};

// Where the pictures show with several monitors, as the saver reads picturesOn.
constexpr Choice kPicturesOn[] = {
    {"Main monitor", "0", "The other monitors show the background."},
    {"Every monitor, different pictures", "1",
     "Each monitor shows its own pictures, changing in turn; portrait pictures go to upright "
     "monitors."},
    {"Every monitor, same picture", "2",
     "Every monitor shows the picture of the main one, changing together."},
};

constexpr ControlRow kImagesRows[] = {
    Frame(IDG_IMAGES_PICTURES, "Frame3"),
    Row(IDC_IMAGES_TOOLBAR, "toolbarImages", K::Toolbar),
    ListButton(IDB_IMAGES_ADD, "toolbarImages.Add", IDC_IMAGES_TOOLBAR, "Add", 0, "Add image",
               [](ThemeEditor& e) { e.images.list.Add(); }),
    ListButton(IDB_IMAGES_DELETE, "toolbarImages.Delete", IDC_IMAGES_TOOLBAR, "Delete", 1,
               "Delete image", [](ThemeEditor& e) { e.images.list.Delete(); }),
    ListButton(IDB_IMAGES_DELETE_ALL, "toolbarImages.DeleteAll", IDC_IMAGES_TOOLBAR, "DeleteAll", 2,
               "Delete all images", [](ThemeEditor& e) { e.images.list.DeleteAll(); }),
    ListButton(IDB_IMAGES_UP, "toolbarImages.Up", IDC_IMAGES_TOOLBAR, "Up", 3, "Move image up",
               [](ThemeEditor& e) { e.images.list.MoveUp(); }),
    ListButton(IDB_IMAGES_DOWN, "toolbarImages.Down", IDC_IMAGES_TOOLBAR, "Down", 4,
               "Move image down", [](ThemeEditor& e) { e.images.list.MoveDown(); }),
    Row(IDL_IMAGES_PICTURES, "List1", K::List)
        .Tip("Loaded image(s)")
        .Does([](ThemeEditor& e) { e.images.OnPictureSelected(); })
        .OnDoubleClick([](ThemeEditor& e) { e.images.OnViewPicture(); }),
    Row(IDT_IMAGES_TOTAL, "Text3", K::ReadOnlyText).Tip("Total amount of images"),
    Row(IDT_IMAGES_POSITION, "ImagePosition", K::ReadOnlyText).Tip("Position of image"),
    Button(IDB_IMAGES_ADD_FOLDER, "FolderCommand")
        .Tip("Add multiple amount of images")
        .Does([](ThemeEditor& e) { e.images.OnAddFolder(); }),
    Button(IDB_IMAGES_FOLDER_ENTRY, "FolderEntryCommand")
        .Tip("Add a folder of pictures (subfolders too; new pictures join at each show)")
        .Does([](ThemeEditor& e) { e.images.OnAddFolderEntry(); }),
    Frame(IDG_IMAGES_CAPTION, "photoDisplay"),
    Row(IDP_IMAGES_PREVIEW, "photo1", K::Surface)
        .Tip("Click to preview")
        .OnDoubleClick([](ThemeEditor& e) { e.images.OnViewPicture(); }),
    Row(IDC_IMAGES_CAPTION_TOOLBAR, "toolbarCaptions", K::Toolbar),
    ListButton(IDB_IMAGES_CLEAR_CAPTION, "toolbarCaptions.ClearCaption", IDC_IMAGES_CAPTION_TOOLBAR,
               "ClearCaption", 0, "Clear caption",
               [](ThemeEditor& e) { e.images.OnClearCaption(); }),
    ListButton(IDB_IMAGES_FONT, "toolbarCaptions.Font", IDC_IMAGES_CAPTION_TOOLBAR, "Font", 1,
               "Change font color and style", [](ThemeEditor& e) { e.images.OnChooseFont(); }),
    ListButton(IDB_IMAGES_ENLARGE, "toolbarCaptions.Enlarge", IDC_IMAGES_CAPTION_TOOLBAR, "Enlarge",
               2, "Display original image size", [](ThemeEditor& e) { e.images.OnViewPicture(); }),
    Row(IDP_IMAGES_FONT_COLOUR, "Picture2", K::Swatch).Tip("Font color").ActsAs(IDB_IMAGES_FONT),
    Label(IDT_IMAGES_FONT_COLOUR, "Label4"),
    Row(IDE_IMAGES_CAPTION, "p_caption", K::Edit).Tip("Caption").Does([](ThemeEditor& e) {
        e.images.OnCaptionTyped();
    }),
    Option(IDO_IMAGES_SCROLLING, "scrollOption")
        .Tip("Scrolling caption")
        .Writes(T::scroll, "0")
        .Enables({IDK_IMAGES_SCROLL_SPEED, IDT_IMAGES_SCROLL_SPEED}),
    Option(IDO_IMAGES_CENTRED, "middleOption").Tip("Center caption").Writes(T::scroll, "1"),
    Label(IDT_IMAGES_SCROLL_SPEED, "Label16"),
    Slider(IDK_IMAGES_SCROLL_SPEED, "scrollSlider")
        .Tip("Scrolling speed")
        .Range({100, 300, 20})
        .Writes(T::scrollSpeed),
    Label(IDT_IMAGES_CAPTION_SOURCE, "captionSourceLabel"),
    Row(IDC_IMAGES_CAPTION_SOURCE, "captionSourceList", K::DropDownList)
        .Tip("What a picture without a typed caption shows as its caption")
        .Choices(kCaptionSources)
        .Writes(T::captionSource),
};

constexpr ControlRow kImageSettingsRows[] = {
    Frame(IDG_SETTINGS_SIZE, "Frame6"),
    Label(IDT_SETTINGS_LESS_THAN, "Label13"),
    Label(IDT_SETTINGS_PERCENT, "percentLabel"),
    Label(IDT_SETTINGS_OF_SCREEN, "Label12"),
    Label(IDT_SETTINGS_SIZE_MIN, "Label15"),
    Slider(IDK_SETTINGS_SIZE, "PercentSlider")
        .Tip("Increase/decrease image size")
        .Range({10, 100, 10})
        .Writes(T::picturePercent)
        .Shows(IDT_SETTINGS_PERCENT, "", "%"),
    Label(IDT_SETTINGS_SIZE_MAX, "Label14"),
    Frame(IDG_SETTINGS_CHANGE, "ChangeImage"),
    Option(IDO_SETTINGS_AFTER, "aChange")
        .Tip("Change image ")
        .Writes(T::picChange, "ch")
        .Enables({IDE_SETTINGS_INTERVAL, IDK_SETTINGS_INTERVAL, IDT_SETTINGS_SECONDS}),
    Option(IDO_SETTINGS_NEVER, "nChange")
        .Tip("Never change image")
        .Writes(T::picChange, "not_ch")
        .Otherwise()
        .Does([](ThemeEditor& e) { e.imageSettings.OnNeverChange(); }),
    Row(IDE_SETTINGS_INTERVAL, "Text2", K::Edit)
        .Tip("Time interval (seconds)")
        .Does([](ThemeEditor& e) { e.imageSettings.OnIntervalTyped(); }),
    Row(IDK_SETTINGS_INTERVAL, "changeVScroll1", K::ScrollBar)
        .Range({0, 60, 1, 10, 0, true})
        .Writes(T::timeInterval)
        .Shows(IDE_SETTINGS_INTERVAL)
        .RunsOnLoad(),
    Label(IDT_SETTINGS_SECONDS, "Label3"),
    Frame(IDG_SETTINGS_MOVEMENT, "placement"),
    Option(IDO_SETTINGS_CENTRED, "pCenter")
        .Tip("Center image on screen")
        .Writes(T::picRandom, "cent"),
    Option(IDO_SETTINGS_FLOATING, "pRandom")
        .Tip("Float image on screen")
        .Writes(T::picRandom, "rand")
        .Otherwise()
        .Enables({IDK_SETTINGS_FLOAT_SPEED, IDT_SETTINGS_SLOW, IDT_SETTINGS_FAST}),
    Slider(IDK_SETTINGS_FLOAT_SPEED, "floatSlider")
        .Tip("Float speed")
        .Range({0, 5, 1})
        .Writes(T::picSpeed)
        .RunsOnLoad(),
    Label(IDT_SETTINGS_SLOW, "Label11"),
    Label(IDT_SETTINGS_FAST, "Label7"),
    Frame(IDG_SETTINGS_TRANSITIONS, "Frame4"),
    Row(IDL_SETTINGS_TRANSITIONS, "ListBoxTransitions", K::MultiList).Tip("Transition effects"),
    Frame(IDG_SETTINGS_ORDER, "FrameOrder"),
    // Without repeats is a kind of random order; where the last run stopped, of list order (the
    // fair shuffle always carries on its pass).
    Row(IDX_SETTINGS_RANDOM, "Random_select", K::CheckBox)
        .Tip("Display images in random order")
        .Writes(T::randomPick)
        .RunsOnLoad()
        .Enables({IDX_SETTINGS_NO_REPEATS})
        .Disables({IDX_SETTINGS_RESUME}),
    Row(IDX_SETTINGS_NO_REPEATS, "noRepeatsCheck", K::CheckBox)
        .Tip("Show every picture once before any picture comes again")
        .Writes(T::randomNoRepeats),
    Row(IDX_SETTINGS_RESUME, "resumeCheck", K::CheckBox)
        .Tip("In list order, start where the last show stopped")
        .Writes(T::resumeListOrder),
    Row(IDX_SETTINGS_BROWSE_KEYS, "browseKeysCheck", K::CheckBox)
        .Tip("Right and Left show the next and previous picture, Space pauses; other keys end")
        .Writes(T::browseKeys),
    Label(IDT_SETTINGS_PICTURES_ON, "picturesOnLabel"),
    Row(IDC_SETTINGS_PICTURES_ON, "picturesOnList", K::DropDownList)
        .Tip("With several monitors: where the pictures show")
        .Choices(kPicturesOn)
        .Writes(T::picturesOn)
        .Shows(IDT_SETTINGS_PICTURES_ON_HINT),
    Label(IDT_SETTINGS_PICTURES_ON_HINT, "picturesOnHint"),
};

// A slider of the gradient's colour, its label and its swatch.
constexpr ControlRow ColourSlider(int id, const char* design, const char* tip, ThemeKey key,
                                  int label, const char* word, EditorAction action) {
    return Slider(id, design).Tip(tip).Range({0, 255}).Writes(key).Shows(label, word).Does(action);
}

constexpr ControlRow kBackgroundRows[] = {
    Option(IDO_BACKGROUND_DESKTOP, "backgroundDesktop")
        .Tip("Display desktop as background")
        .Writes(T::backEffect, "1"),
    Option(IDO_BACKGROUND_COLOUR, "backgroundColor")
        .Tip("Display background color")
        .Writes(T::backEffect, "0")
        .Enables({IDG_BACKGROUND_COLOUR, IDB_BACKGROUND_CHOOSE_COLOUR, IDP_BACKGROUND_COLOUR}),
    Option(IDO_BACKGROUND_PICTURE, "backgroundCustomImage")
        .Tip("Display image as background")
        .Writes(T::backEffect, "2")
        .Enables({IDG_BACKGROUND_PICTURE, IDO_BACKGROUND_CENTRED, IDO_BACKGROUND_FULL_SCREEN,
                  IDO_BACKGROUND_TILED, IDE_BACKGROUND_PICTURE_FILE, IDB_BACKGROUND_ADD_PICTURE,
                  IDB_BACKGROUND_REMOVE_PICTURE}),
    Option(IDO_BACKGROUND_GRADIENT, "backgroundColorGradient")
        .Tip("Display gradient background color")
        .Writes(T::backEffect, "3")
        .Enables({IDG_BACKGROUND_GRADIENT, IDK_BACKGROUND_RED, IDK_BACKGROUND_GREEN,
                  IDK_BACKGROUND_BLUE, IDT_BACKGROUND_RED, IDT_BACKGROUND_GREEN,
                  IDT_BACKGROUND_BLUE}),
    Frame(IDG_BACKGROUND_COLOUR, "frameBackgroundColor"),
    Row(IDP_BACKGROUND_COLOUR, "Picture1", K::Swatch)
        .Tip("Background color")
        .ActsAs(IDB_BACKGROUND_CHOOSE_COLOUR),
    Button(IDB_BACKGROUND_CHOOSE_COLOUR, "backColorClick")
        .Tip("Select background color")
        .Does([](ThemeEditor& e) { e.background.OnChooseColour(); }),
    Frame(IDG_BACKGROUND_PICTURE, "frameCustomImage"),
    Row(IDE_BACKGROUND_PICTURE_FILE, "backgroundImageFile", K::Edit).Tip("Background image file"),
    Button(IDB_BACKGROUND_ADD_PICTURE, "addBackImg")
        .Tip("Load background image")
        .Does([](ThemeEditor& e) { e.background.OnAddPicture(); }),
    Button(IDB_BACKGROUND_REMOVE_PICTURE, "removeBackImg")
        .Tip("Remove background image")
        .Does([](ThemeEditor& e) { e.background.OnRemovePicture(); }),
    Option(IDO_BACKGROUND_CENTRED, "CenterOption")
        .Tip("Center background image")
        .Writes(T::backgroundDisplay, "0"),
    Option(IDO_BACKGROUND_FULL_SCREEN, "FullScreenOption")
        .Tip("Display background image full screen")
        .Writes(T::backgroundDisplay, "1"),
    Option(IDO_BACKGROUND_TILED, "TileOption")
        .Tip("Tile background image")
        .Writes(T::backgroundDisplay, "2"),
    Row(IDP_BACKGROUND_THUMBNAIL, "Image1", K::Surface).Tip("Background image "),
    Frame(IDG_BACKGROUND_GRADIENT, "frameColorGradient"),
    Label(IDT_BACKGROUND_RED, "redLabel"),
    ColourSlider(IDK_BACKGROUND_RED, "redSlider", "Dither red", T::redBackground,
                 IDT_BACKGROUND_RED,
                 "Red = ", [](ThemeEditor& e) { e.background.OnColourScrolled(0); }),
    Row(IDP_BACKGROUND_RED, "redPicture", K::Swatch),
    Label(IDT_BACKGROUND_GREEN, "greenLabel"),
    ColourSlider(IDK_BACKGROUND_GREEN, "greenSlider", "Dither Green", T::greenBackground,
                 IDT_BACKGROUND_GREEN,
                 "Green = ", [](ThemeEditor& e) { e.background.OnColourScrolled(1); }),
    Row(IDP_BACKGROUND_GREEN, "greenPicture", K::Swatch),
    Label(IDT_BACKGROUND_BLUE, "blueLabel"),
    ColourSlider(IDK_BACKGROUND_BLUE, "blueSlider", "Dither blue", T::blueBackground,
                 IDT_BACKGROUND_BLUE,
                 "Blue = ", [](ThemeEditor& e) { e.background.OnColourScrolled(2); }),
    Row(IDP_BACKGROUND_BLUE, "bluePicture", K::Swatch),
    Row(IDP_BACKGROUND_GRADIENT, "GradientPicture", K::Surface).Tip("Gradient background color"),
};

// A date list: its numbers, its text before a theme is loaded, its key.
constexpr ControlRow DateList(int id, const char* design, ValueRange numbers, const char* text,
                              ThemeKey key) {
    return Row(id, design, K::ComboBox).Range(numbers).Text(text).Writes(key);
}

constexpr ControlRow kCountdownRows[] = {
    Frame(IDG_COUNTDOWN_CLOCK, "Frame2"),
    Option(IDO_COUNTDOWN_NOTHING, "noneOption").Tip("Display nothing").Writes(T::timeDisplay, "0"),
    Option(IDO_COUNTDOWN_TIME, "timeOption")
        .Tip("Display current time and date")
        .Writes(T::timeDisplay, "1"),
    Option(IDO_COUNTDOWN_TO_DATE, "yearOption")
        .Tip("Display countdown clock")
        .Writes(T::timeDisplay, "2")
        .Otherwise()
        .Enables({IDC_COUNTDOWN_MONTH, IDC_COUNTDOWN_DAY, IDC_COUNTDOWN_YEAR}),
    Label(IDT_COUNTDOWN_MONTH, "monthLabel"),
    DateList(IDC_COUNTDOWN_MONTH, "monthCombo", {1, 12, 0, 0, 2}, "Month", T::countdownMonth),
    Label(IDT_COUNTDOWN_DAY, "dayLabel"),
    DateList(IDC_COUNTDOWN_DAY, "dayCombo", {1, 31, 0, 0, 2}, "Day", T::countdownDay),
    Label(IDT_COUNTDOWN_YEAR, "yearLabel"),
    DateList(IDC_COUNTDOWN_YEAR, "yearCombo", {2000, 2040, 0, 0, 4}, "Year", T::countdownYear),
};

constexpr ControlRow kMusicRows[] = {
    Frame(IDG_MUSIC, "FrameMedia"),
    Row(IDC_MUSIC_TOOLBAR, "ToolbarMedia", K::Toolbar),
    ListButton(IDB_MUSIC_ADD, "ToolbarMedia.Add", IDC_MUSIC_TOOLBAR, "Add", 0, "Add music file",
               [](ThemeEditor& e) { e.music.list.Add(); }),
    ListButton(IDB_MUSIC_DELETE, "ToolbarMedia.Delete", IDC_MUSIC_TOOLBAR, "Delete", 1,
               "Delete music file", [](ThemeEditor& e) { e.music.list.Delete(); }),
    ListButton(IDB_MUSIC_DELETE_ALL, "ToolbarMedia.DeleteAll", IDC_MUSIC_TOOLBAR, "DeleteAll", 2,
               "Delete all music files", [](ThemeEditor& e) { e.music.list.DeleteAll(); }),
    ListButton(IDB_MUSIC_UP, "ToolbarMedia.Up", IDC_MUSIC_TOOLBAR, "Up", 3, "Move music file up",
               [](ThemeEditor& e) { e.music.list.MoveUp(); }),
    ListButton(IDB_MUSIC_DOWN, "ToolbarMedia.Down", IDC_MUSIC_TOOLBAR, "Down", 4,
               "Move music file down", [](ThemeEditor& e) { e.music.list.MoveDown(); }),
    Row(IDL_MUSIC_FILES, "multimediaList", K::List)
        .Tip("Loaded multimedia files")
        .Does([](ThemeEditor& e) { e.music.OnMusicSelected(); }),
    Row(IDT_MUSIC_TOTAL, "multimediaTotal", K::ReadOnlyText).Tip("Total amount of music files"),
    Row(IDT_MUSIC_POSITION, "MediaPosition", K::ReadOnlyText).Tip("Position of music file"),
    Row(IDX_MUSIC_RANDOM, "randomMediaCheck", K::CheckBox)
        .Tip("Play music files in random order")
        .Writes(T::randomMedia),
    Button(IDB_MUSIC_PLAY, "playCommand").Tip("Play music file").Does([](ThemeEditor& e) {
        e.music.OnPlay();
    }),
    Button(IDB_MUSIC_STOP, "closeCommand").Tip("Stop music file").Does([](ThemeEditor& e) {
        e.music.OnStop();
    }),
    Row(IDC_MUSIC_PROGRESS, "ProgressBar1", K::ProgressBar),
    Label(IDT_MUSIC_STATUS, "mediaStatusLabel"),
    Label(IDT_MUSIC_NO_SOUND, "mediaLabel"),
};

std::vector<ControlRow> JoinPages() {
    const std::pair<EditorPage, std::span<const ControlRow>> pages[] = {
        {EditorPage::Window, kWindowRows},
        {EditorPage::Images, kImagesRows},
        {EditorPage::ImageSettings, kImageSettingsRows},
        {EditorPage::Background, kBackgroundRows},
        {EditorPage::Countdown, kCountdownRows},
        {EditorPage::Music, kMusicRows},
    };
    std::vector<ControlRow> rows;
    for (const auto& [page, pageRows] : pages) {
        for (ControlRow row : pageRows) {
            row.page = page;
            rows.push_back(row);
        }
    }
    return rows;
}

constexpr ControlRow kNewThemeRows[] = {
    Frame(IDG_NEW_THEME, "Frame1"),
    Row(IDE_NEW_THEME_NAME, "txtNewName", K::Edit),
    Label(IDT_NEW_THEME_RULES, "Label1"),
    Button(IDB_NEW_THEME_OK, "CommandOk"),
    Button(IDB_NEW_THEME_CANCEL, "CommandCancel"),
};

constexpr ControlRow kLoadThemeRows[] = {
    Frame(IDG_LOAD_THEME, "Frame1"),
    Row(IDL_LOAD_THEME_NAMES, "listExistingSavers", K::List),
    Button(IDB_LOAD_THEME_OK, "CommandOk"),
    Button(IDB_LOAD_THEME_CANCEL, "CommandCancel"),
};

constexpr ControlRow kDeleteThemeRows[] = {
    Frame(IDG_DELETE_THEME, "Frame1"),
    Row(IDL_DELETE_THEME_NAMES, "listExistingSavers", K::List),
    Button(IDB_DELETE_THEME_DELETE, "CommandDelete"),
    Button(IDB_DELETE_THEME_CLOSE, "CommandOk"),
};

constexpr ControlRow kMouseRows[] = {
    Frame(IDG_MOUSE, "Frame5"),
    Slider(IDK_MOUSE_SENSITIVITY, "MouseSensitiveSlider")
        .Tip("Mouse sensitivity")
        .Range({1, 30, 1}),
    Label(IDT_MOUSE_SLOW, "Label8"),
    Label(IDT_MOUSE_QUICK, "Label9"),
    Button(IDB_MOUSE_DEFAULT, "defaultMouseSensitivity").Tip("Default mouse sensitivity"),
    Button(IDB_MOUSE_OK, "Ok").Tip("Save changes"),
    Button(IDB_MOUSE_CANCEL, "Cancel").Tip("Cancel changes"),
};

constexpr ControlRow kFolderImportRows[] = {
    Frame(IDG_IMPORT, "fraFileControls"),
    Row(IDC_IMPORT_DRIVES, "drvDrives", K::DropDownList),
    Label(IDT_IMPORT_FOLDER, "lblFolder"),
    Row(IDL_IMPORT_FOLDERS, "dirDirectories", K::List),
    Row(IDL_IMPORT_FILES, "filFilenames", K::List),
    Button(IDB_IMPORT_LOAD, "Command1"),
    Button(IDB_IMPORT_CANCEL, "cmdQuit"),
};

constexpr ControlRow kAboutRows[] = {
    Row(IDP_ABOUT_ICON, "picIcon", K::Icon), Label(IDT_ABOUT_TITLE, "lblTitle"),
    Label(IDT_ABOUT_VERSION, "lblVersion"),  Button(IDB_ABOUT_OK, "cmdOK"),
    Button(IDB_ABOUT_DOWNLOADS, "Command1"),
};

}  // namespace

std::span<const ControlRow> ThemeEditorTable() {
    static const std::vector<ControlRow> rows = JoinPages();
    return rows;
}

std::span<const ControlRow> DialogTable(int templateId) {
    switch (templateId) {
        case IDD_NEW_THEME:
            return kNewThemeRows;
        case IDD_LOAD_THEME:
            return kLoadThemeRows;
        case IDD_DELETE_THEME:
            return kDeleteThemeRows;
        case IDD_MOUSE:
            return kMouseRows;
        case IDD_IMPORT:
            return kFolderImportRows;
        case IDD_ABOUT:
            return kAboutRows;
        default:
            return {};
    }
}

const ControlRow* FindRow(std::span<const ControlRow> table, int id) {
    auto it = std::find_if(table.begin(), table.end(),
                           [id](const ControlRow& row) { return row.id == id; });
    return it == table.end() ? nullptr : &*it;
}

const ControlRow* EditorRow(int id) {
    return FindRow(ThemeEditorTable(), id);
}

std::vector<std::string> ItemsOf(const ControlRow& row) {
    std::vector<std::string> items;
    for (const Choice& choice : row.choices) {
        items.emplace_back(choice.text);
    }
    if (row.kind == ControlKind::ComboBox) {
        for (int number = row.range.low; number <= row.range.high; ++number) {
            items.push_back(FormatPadded(number, row.range.digits));
        }
    }
    return items;
}

int ChoiceIndex(const ControlRow& row, const std::string& text) {
    const bool numbers = row.key && IsNumericKind(KeyInfo(*row.key).kind);
    for (std::size_t i = 0; i < row.choices.size(); ++i) {
        const char* value = row.choices[i].value;
        if (numbers ? ControlNumber(text) == ControlNumber(value) : text == value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string ChoiceExplanation(const ControlRow& row, const std::string& text) {
    if (row.choices.empty()) {
        return {};
    }
    const int index = ChoiceIndex(row, text);
    return row.choices[static_cast<std::size_t>(std::max(index, 0))].explanation;
}

}  // namespace orvelle
