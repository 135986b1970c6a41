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
    Frame(IDC_Frame7, "Frame7"),
    Label(IDC_Label1, "Label1"),
    Row(IDC_ToolbarNew, "ToolbarNew", K::Toolbar),
    Row(IDC_ToolbarLoad, "ToolbarLoad", K::Toolbar),
    Row(IDC_ToolbarDelete, "ToolbarDelete", K::Toolbar),
    Row(IDC_ToolbarMouse, "ToolbarMouse", K::Toolbar),
    StripButton(IDC_ToolbarNew_New, "ToolbarNew.New", IDC_ToolbarNew, "New", 0,
                "Create a new screen saver theme", IDD_frmNewName),
    StripButton(IDC_ToolbarLoad_Load, "ToolbarLoad.Load", IDC_ToolbarLoad, "Load", 1,
                "Load existing screen saver theme", IDD_frmExistingNames),
    StripButton(IDC_ToolbarDelete_Delete, "ToolbarDelete.Delete", IDC_ToolbarDelete, "Delete", 2,
                "Delete existing screen saver themes", IDD_frmDelete),
    StripButton(IDC_ToolbarMouse_Mouse, "ToolbarMouse.Mouse", IDC_ToolbarMouse, "Mouse", 3,
                "Mouse sensitivity", IDD_frmMouse),
    Label(IDC_LabelNew, "LabelNew"),
    Label(IDC_LabelLoad, "LabelLoad"),
    Label(IDC_LabelDelete, "LabelDelete"),
    Label(IDC_LabelMouse, "LabelMouse"),
    Row(IDC_SSTab1, "SSTab1", K::Tabs),
    Button(IDC_Ok, "Ok").Tip("Save changes"),
    Button(IDC_Cancel, "Cancel").Tip("Cancel changes"),
    Row(IDC_StatusBar1, "StatusBar1", K::StatusBar),
    Row(IDC_photo, "photo", K::Surface),
    Row(IDC_photo_caption, "photo_caption", K::List),
    Menu(IDM_NewTheme, "NewTheme").Opens(IDD_frmNewName),
    Menu(IDM_LoadTheme, "LoadTheme").Opens(IDD_frmExistingNames),
    Menu(IDM_DeleteTheme, "DeleteTheme").Opens(IDD_frmDelete),
    Menu(IDM_Exit, "Exit"),
    Menu(IDM_Save, "Save"),
    Menu(IDM_OrvelleHelp, "OrvelleHelp"),
    Menu(IDM_AboutOrvelle, "AboutOrvelle"),
    Menu(IDM_HomePage, "HomePage"),
    Menu(IDM_Free, "Free"),
};

// A button of the picture, caption or music toolbar.
constexpr ControlRow ListButton(int id, const char* design, int toolbar, const char* word,
                                int picture, const char* tip, EditorAction action) {
    return Row(id, design, K::ToolbarButton)
        .OnToolbar(toolbar, word, toolbar == IDC_toolbarCaptions ? S::Caption : S::List, picture)
        .Tip(tip)
        .Does(action);
}

constexpr ControlRow kImagesRows[] = {
    Frame(IDC_Frame3, "Frame3"),
    Row(IDC_toolbarImages, "toolbarImages", K::Toolbar),
    ListButton(IDC_toolbarImages_Add, "toolbarImages.Add", IDC_toolbarImages, "Add", 0, "Add image",
               [](ThemeEditor& e) { e.images.list.Add(); }),
    ListButton(IDC_toolbarImages_Delete, "toolbarImages.Delete", IDC_toolbarImages, "Delete", 1,
               "Delete image", [](ThemeEditor& e) { e.images.list.Delete(); }),
    ListButton(IDC_toolbarImages_DeleteAll, "toolbarImages.DeleteAll", IDC_toolbarImages,
               "DeleteAll", 2, "Delete all images",
               [](ThemeEditor& e) { e.images.list.DeleteAll(); }),
    ListButton(IDC_toolbarImages_Up, "toolbarImages.Up", IDC_toolbarImages, "Up", 3,
               "Move image up", [](ThemeEditor& e) { e.images.list.MoveUp(); }),
    ListButton(IDC_toolbarImages_Down, "toolbarImages.Down", IDC_toolbarImages, "Down", 4,
               "Move image down", [](ThemeEditor& e) { e.images.list.MoveDown(); }),
    Row(IDC_List1, "List1", K::List)
        .Tip("Loaded image(s)")
        .Does([](ThemeEditor& e) { e.images.OnPictureSelected(); })
        .OnDoubleClick([](ThemeEditor& e) { e.images.OnViewPicture(); }),
    Row(IDC_Text3, "Text3", K::ReadOnlyText).Tip("Total amount of images"),
    Row(IDC_ImagePosition, "ImagePosition", K::ReadOnlyText).Tip("Position of image"),
    Row(IDC_Random_select, "Random_select", K::CheckBox)
        .Tip("Display images in random order")
        .Writes(T::randomPick)
        .RunsOnLoad(),
    Button(IDC_FolderCommand, "FolderCommand")
        .Tip("Add multiple amount of images")
        .Does([](ThemeEditor& e) { e.images.OnAddFolder(); }),
    Frame(IDC_photoDisplay, "photoDisplay"),
    Row(IDC_photo1, "photo1", K::Surface).Tip("Click to preview").OnDoubleClick([](ThemeEditor& e) {
        e.images.OnViewPicture();
    }),
    Row(IDC_toolbarCaptions, "toolbarCaptions", K::Toolbar),
    ListButton(IDC_toolbarCaptions_ClearCaption, "toolbarCaptions.ClearCaption",
               IDC_toolbarCaptions, "ClearCaption", 0, "Clear caption",
               [](ThemeEditor& e) { e.images.OnClearCaption(); }),
    ListButton(IDC_toolbarCaptions_Font, "toolbarCaptions.Font", IDC_toolbarCaptions, "Font", 1,
               "Change font color and style", [](ThemeEditor& e) { e.images.OnChooseFont(); }),
    ListButton(IDC_toolbarCaptions_Enlarge, "toolbarCaptions.Enlarge", IDC_toolbarCaptions,
               "Enlarge", 2, "Display original image size",
               [](ThemeEditor& e) { e.images.OnViewPicture(); }),
    Row(IDC_Picture2, "Picture2", K::Swatch).Tip("Font color").ActsAs(IDC_toolbarCaptions_Font),
    Label(IDC_Label4, "Label4"),
    Row(IDC_p_caption, "p_caption", K::Edit).Tip("Caption").Does([](ThemeEditor& e) {
        e.images.OnCaptionTyped();
    }),
    Option(IDC_scrollOption, "scrollOption")
        .Tip("Scrolling caption")
        .Writes(T::scroll, "0")
        .Enables({IDC_scrollSlider, IDC_Label16}),
    Option(IDC_middleOption, "middleOption").Tip("Center caption").Writes(T::scroll, "1"),
    Label(IDC_Label16, "Label16"),
    Slider(IDC_scrollSlider, "scrollSlider")
        .Tip("Scrolling speed")
        .Range({100, 300, 20})
        .Writes(T::scrollSpeed),
};

constexpr ControlRow kImageSettingsRows[] = {
    Frame(IDC_Frame6, "Frame6"),
    Label(IDC_Label13, "Label13"),
    Label(IDC_percentLabel, "percentLabel"),
    Label(IDC_Label12, "Label12"),
    Label(IDC_Label15, "Label15"),
    Slider(IDC_PercentSlider, "PercentSlider")
        .Tip("Increase/decrease image size")
        .Range({10, 100, 10})
        .Writes(T::picturePercent)
        .Shows(IDC_percentLabel, "", "%"),
    Label(IDC_Label14, "Label14"),
    Frame(IDC_ChangeImage, "ChangeImage"),
    Option(IDC_aChange, "aChange")
        .Tip("Change image ")
        .Writes(T::picChange, "ch")
        .Enables({IDC_Text2, IDC_changeVScroll1, IDC_Label3}),
    Option(IDC_nChange, "nChange")
        .Tip("Never change image")
        .Writes(T::picChange, "not_ch")
        .Otherwise()
        .Does([](ThemeEditor& e) { e.imageSettings.OnNeverChange(); }),
    Row(IDC_Text2, "Text2", K::Edit).Tip("Time interval (seconds)").Does([](ThemeEditor& e) {
        e.imageSettings.OnIntervalTyped();
    }),
    Row(IDC_changeVScroll1, "changeVScroll1", K::ScrollBar)
        .Range({0, 60, 1, 10, 0, true})
        .Writes(T::timeInterval)
        .Shows(IDC_Text2)
        .RunsOnLoad(),
    Label(IDC_Label3, "Label3"),
    Frame(IDC_placement, "placement"),
    Option(IDC_pCenter, "pCenter").Tip("Center image on screen").Writes(T::picRandom, "cent"),
    Option(IDC_pRandom, "pRandom")
        .Tip("Float image on screen")
        .Writes(T::picRandom, "rand")
        .Otherwise()
        .Enables({IDC_floatSlider, IDC_Label11, IDC_Label7}),
    Slider(IDC_floatSlider, "floatSlider")
        .Tip("Float speed")
        .Range({0, 5, 1})
        .Writes(T::picSpeed)
        .RunsOnLoad(),
    Label(IDC_Label11, "Label11"),
    Label(IDC_Label7, "Label7"),
    Frame(IDC_Frame4, "Frame4"),
    Row(IDC_ListBoxTransitions, "ListBoxTransitions", K::MultiList).Tip("Transition effects"),
};

// A slider of the gradient's colour, its label and its swatch.
constexpr ControlRow ColourSlider(int id, const char* design, const char* tip, ThemeKey key,
                                  int label, const char* word, EditorAction action) {
    return Slider(id, design).Tip(tip).Range({0, 255}).Writes(key).Shows(label, word).Does(action);
}

constexpr ControlRow kBackgroundRows[] = {
    Option(IDC_backgroundDesktop, "backgroundDesktop")
        .Tip("Display desktop as background")
        .Writes(T::backEffect, "1"),
    Option(IDC_backgroundColor, "backgroundColor")
        .Tip("Display background color")
        .Writes(T::backEffect, "0")
        .Enables({IDC_frameBackgroundColor, IDC_backColorClick, IDC_Picture1}),
    Option(IDC_backgroundCustomImage, "backgroundCustomImage")
        .Tip("Display image as background")
        .Writes(T::backEffect, "2")
        .Enables({IDC_frameCustomImage, IDC_CenterOption, IDC_FullScreenOption, IDC_TileOption,
                  IDC_backgroundImageFile, IDC_addBackImg, IDC_removeBackImg}),
    Option(IDC_backgroundColorGradient, "backgroundColorGradient")
        .Tip("Display gradient background color")
        .Writes(T::backEffect, "3")
        .Enables({IDC_frameColorGradient, IDC_redSlider, IDC_greenSlider, IDC_blueSlider,
                  IDC_redLabel, IDC_greenLabel, IDC_blueLabel}),
    Frame(IDC_frameBackgroundColor, "frameBackgroundColor"),
    Row(IDC_Picture1, "Picture1", K::Swatch).Tip("Background color").ActsAs(IDC_backColorClick),
    Button(IDC_backColorClick, "backColorClick")
        .Tip("Select background color")
        .Does([](ThemeEditor& e) { e.background.OnChooseColour(); }),
    Frame(IDC_frameCustomImage, "frameCustomImage"),
    Row(IDC_backgroundImageFile, "backgroundImageFile", K::Edit).Tip("Background image file"),
    Button(IDC_addBackImg, "addBackImg").Tip("Load background image").Does([](ThemeEditor& e) {
        e.background.OnAddPicture();
    }),
    Button(IDC_removeBackImg, "removeBackImg")
        .Tip("Remove background image")
        .Does([](ThemeEditor& e) { e.background.OnRemovePicture(); }),
    Option(IDC_CenterOption, "CenterOption")
        .Tip("Center background image")
        .Writes(T::backgroundDisplay, "0"),
    Option(IDC_FullScreenOption, "FullScreenOption")
        .Tip("Display background image full screen")
        .Writes(T::backgroundDisplay, "1"),
    Option(IDC_TileOption, "TileOption")
        .Tip("Tile background image")
        .Writes(T::backgroundDisplay, "2"),
    Row(IDC_Image1, "Image1", K::Surface).Tip("Background image "),
    Frame(IDC_frameColorGradient, "frameColorGradient"),
    Label(IDC_redLabel, "redLabel"),
    ColourSlider(IDC_redSlider, "redSlider", "Dither red", T::redBackground, IDC_redLabel,
                 "Red = ", [](ThemeEditor& e) { e.background.OnColourScrolled(0); }),
    Row(IDC_redPicture, "redPicture", K::Swatch),
    Label(IDC_greenLabel, "greenLabel"),
    ColourSlider(IDC_greenSlider, "greenSlider", "Dither Green", T::greenBackground, IDC_greenLabel,
                 "Green = ", [](ThemeEditor& e) { e.background.OnColourScrolled(1); }),
    Row(IDC_greenPicture, "greenPicture", K::Swatch),
    Label(IDC_blueLabel, "blueLabel"),
    ColourSlider(IDC_blueSlider, "blueSlider", "Dither blue", T::blueBackground, IDC_blueLabel,
                 "Blue = ", [](ThemeEditor& e) { e.background.OnColourScrolled(2); }),
    Row(IDC_bluePicture, "bluePicture", K::Swatch),
    Row(IDC_GradientPicture, "GradientPicture", K::Surface).Tip("Gradient background color"),
};

// A date list: its numbers, its text before a theme is loaded, its key.
constexpr ControlRow DateList(int id, const char* design, ValueRange numbers, const char* text,
                              ThemeKey key) {
    return Row(id, design, K::ComboBox).Range(numbers).Text(text).Writes(key);
}

constexpr ControlRow kCountdownRows[] = {
    Frame(IDC_Frame2, "Frame2"),
    Option(IDC_noneOption, "noneOption").Tip("Display nothing").Writes(T::timeDisplay, "0"),
    Option(IDC_timeOption, "timeOption")
        .Tip("Display current time and date")
        .Writes(T::timeDisplay, "1"),
    Option(IDC_yearOption, "yearOption")
        .Tip("Display countdown clock")
        .Writes(T::timeDisplay, "2")
        .Otherwise()
        .Enables({IDC_monthCombo, IDC_dayCombo, IDC_yearCombo}),
    Label(IDC_monthLabel, "monthLabel"),
    DateList(IDC_monthCombo, "monthCombo", {1, 12, 0, 0, 2}, "Month", T::countdownMonth),
    Label(IDC_dayLabel, "dayLabel"),
    DateList(IDC_dayCombo, "dayCombo", {1, 31, 0, 0, 2}, "Day", T::countdownDay),
    Label(IDC_yearLabel, "yearLabel"),
    DateList(IDC_yearCombo, "yearCombo", {2000, 2040, 0, 0, 4}, "Year", T::countdownYear),
};

constexpr ControlRow kMusicRows[] = {
    Frame(IDC_FrameMedia, "FrameMedia"),
    Row(IDC_ToolbarMedia, "ToolbarMedia", K::Toolbar),
    ListButton(IDC_ToolbarMedia_Add, "ToolbarMedia.Add", IDC_ToolbarMedia, "Add", 0,
               "Add music file", [](ThemeEditor& e) { e.music.list.Add(); }),
    ListButton(IDC_ToolbarMedia_Delete, "ToolbarMedia.Delete", IDC_ToolbarMedia, "Delete", 1,
               "Delete music file", [](ThemeEditor& e) { e.music.list.Delete(); }),
    ListButton(IDC_ToolbarMedia_DeleteAll, "ToolbarMedia.DeleteAll", IDC_ToolbarMedia, "DeleteAll",
               2, "Delete all music files", [](ThemeEditor& e) { e.music.list.DeleteAll(); }),
    ListButton(IDC_ToolbarMedia_Up, "ToolbarMedia.Up", IDC_ToolbarMedia, "Up", 3,
               "Move music file up", [](ThemeEditor& e) { e.music.list.MoveUp(); }),
    ListButton(IDC_ToolbarMedia_Down, "ToolbarMedia.Down", IDC_ToolbarMedia, "Down", 4,
               "Move music file down", [](ThemeEditor& e) { e.music.list.MoveDown(); }),
    Row(IDC_multimediaList, "multimediaList", K::List)
        .Tip("Loaded multimedia files")
        .Does([](ThemeEditor& e) { e.music.OnMusicSelected(); }),
    Row(IDC_multimediaTotal, "multimediaTotal", K::ReadOnlyText).Tip("Total amount of music files"),
    Row(IDC_MediaPosition, "MediaPosition", K::ReadOnlyText).Tip("Position of music file"),
    Row(IDC_randomMediaCheck, "randomMediaCheck", K::CheckBox)
        .Tip("Play music files in random order")
        .Writes(T::randomMedia),
    Button(IDC_playCommand, "playCommand").Tip("Play music file").Does([](ThemeEditor& e) {
        e.music.OnPlay();
    }),
    Button(IDC_closeCommand, "closeCommand").Tip("Stop music file").Does([](ThemeEditor& e) {
        e.music.OnStop();
    }),
    Row(IDC_ProgressBar1, "ProgressBar1", K::ProgressBar),
    Label(IDC_mediaStatusLabel, "mediaStatusLabel"),
    Label(IDC_mediaLabel, "mediaLabel"),
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
    Frame(IDC_frmNewName_Frame1, "Frame1"),
    Row(IDC_frmNewName_txtNewName, "txtNewName", K::Edit),
    Label(IDC_frmNewName_Label1, "Label1"),
    Button(IDC_frmNewName_CommandOk, "CommandOk"),
    Button(IDC_frmNewName_CommandCancel, "CommandCancel"),
};

constexpr ControlRow kLoadThemeRows[] = {
    Frame(IDC_frmExistingNames_Frame1, "Frame1"),
    Row(IDC_frmExistingNames_listExistingSavers, "listExistingSavers", K::List),
    Button(IDC_frmExistingNames_CommandOk, "CommandOk"),
    Button(IDC_frmExistingNames_CommandCancel, "CommandCancel"),
};

constexpr ControlRow kDeleteThemeRows[] = {
    Frame(IDC_frmDelete_Frame1, "Frame1"),
    Row(IDC_frmDelete_listExistingSavers, "listExistingSavers", K::List),
    Button(IDC_frmDelete_CommandDelete, "CommandDelete"),
    Button(IDC_frmDelete_CommandOk, "CommandOk"),
};

constexpr ControlRow kMouseRows[] = {
    Frame(IDC_frmMouse_Frame5, "Frame5"),
    Slider(IDC_frmMouse_MouseSensitiveSlider, "MouseSensitiveSlider")
        .Tip("Mouse sensitivity")
        .Range({1, 30, 1}),
    Label(IDC_frmMouse_Label8, "Label8"),
    Label(IDC_frmMouse_Label9, "Label9"),
    Button(IDC_frmMouse_defaultMouseSensitivity, "defaultMouseSensitivity")
        .Tip("Default mouse sensitivity"),
    Button(IDC_frmMouse_Ok, "Ok").Tip("Save changes"),
    Button(IDC_frmMouse_Cancel, "Cancel").Tip("Cancel changes"),
};

constexpr ControlRow kFolderImportRows[] = {
    Frame(IDC_MultiFiles_fraFileControls, "fraFileControls"),
    Row(IDC_MultiFiles_drvDrives, "drvDrives", K::DropDownList),
    Label(IDC_MultiFiles_lblFolder, "lblFolder"),
    Row(IDC_MultiFiles_dirDirectories, "dirDirectories", K::List),
    Row(IDC_MultiFiles_filFilenames, "filFilenames", K::List),
    Button(IDC_MultiFiles_Command1, "Command1"),
    Button(IDC_MultiFiles_cmdQuit, "cmdQuit"),
};

constexpr ControlRow kAboutRows[] = {
    Row(IDC_frmAbout_picIcon, "picIcon", K::Icon), Label(IDC_frmAbout_lblTitle, "lblTitle"),
    Label(IDC_frmAbout_lblVersion, "lblVersion"),  Button(IDC_frmAbout_cmdOK, "cmdOK"),
    Button(IDC_frmAbout_Command1, "Command1"),
};

}  // namespace

std::span<const ControlRow> ThemeEditorTable() {
    static const std::vector<ControlRow> rows = JoinPages();
    return rows;
}

std::span<const ControlRow> DialogTable(int templateId) {
    switch (templateId) {
        case IDD_frmNewName:
            return kNewThemeRows;
        case IDD_frmExistingNames:
            return kLoadThemeRows;
        case IDD_frmDelete:
            return kDeleteThemeRows;
        case IDD_frmMouse:
            return kMouseRows;
        case IDD_MultiFiles:
            return kFolderImportRows;
        case IDD_frmAbout:
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

}  // namespace orvelle
