// The theme editor as a user meets it: orvelle.scr /c opened on the current theme, driven from
// outside through its controls, its files read back and the next saver run looked at.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/wide_win.h"
#include "config/control_ids.h"
#include "settings/theme_model.h"
#include "editor_driver.h"
#include "wine_support.h"

using namespace wine_test;

namespace {

ThemeText PictureTheme(const ProgramCopy& copy) {
    const std::string picture = copy.Path("blue.bmp");
    WriteBmpFile(picture, 200, 100, [](int, int) { return kBlue; });
    ThemeText theme;
    theme.Pictures({picture, copy.Path("second.bmp")}, {"first", "second"});
    return theme;
}

TEST(ThemeEditor, OpensOnTheCurrentThemeWithItsValues) {
    ProgramCopy scratch;
    ThemeText theme = PictureTheme(scratch);
    theme.Set("image", "picturePercent", "60")
        .Set("image", "timeInterval", "12")
        .Set("image", "picChange", "ch")
        .Set("image", "picRandom", "rand")
        .Set("image", "picSpeed", "4")
        .Set("background", "backEffect", "3")
        .Set("background", "redBackground", "200")
        .Set("transitions", "bFade", "1")
        .Set("transitions", "bLeftWipe", "1")
        .Set("image", "timeDisplay", "2");
    OpenEditor editor(theme);
    ASSERT_NE(editor.window, nullptr);
    EXPECT_EQ(
        WindowText(editor.window),
        "Orvelle Screen Saver - [" +
            editor.copy.ReadIni(editor.copy.Path("orvellemain.ini"), "saver", "currentsaver") +
            "]");
    EXPECT_EQ(SendMessageW(editor[IDL_IMAGES_PICTURES], LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(TextOf(editor[IDT_IMAGES_TOTAL]), "Total: 2");
    EXPECT_EQ(editor.Position(IDK_SETTINGS_SIZE), 60);
    EXPECT_EQ(TextOf(editor[IDT_SETTINGS_PERCENT]), "60%");
    EXPECT_EQ(TextOf(editor[IDE_SETTINGS_INTERVAL]), "12");
    EXPECT_TRUE(editor.Checked(IDO_SETTINGS_AFTER));
    EXPECT_TRUE(editor.Checked(IDO_SETTINGS_FLOATING));
    EXPECT_TRUE(IsWindowEnabled(editor[IDK_SETTINGS_FLOAT_SPEED]));
    EXPECT_EQ(editor.Position(IDK_SETTINGS_FLOAT_SPEED), 4);
    EXPECT_TRUE(editor.Checked(IDO_BACKGROUND_GRADIENT));
    EXPECT_FALSE(IsWindowEnabled(editor[IDB_BACKGROUND_CHOOSE_COLOUR]));
    EXPECT_EQ(editor.Position(IDK_BACKGROUND_RED), 200);
    EXPECT_EQ(TextOf(editor[IDT_BACKGROUND_RED]), "Red = 200");
    std::vector<int> selected(9);
    for (int i = 0; i < 9; ++i) {
        selected[i] =
            static_cast<int>(SendMessageW(editor[IDL_SETTINGS_TRANSITIONS], LB_GETSEL, i, 0));
    }
    EXPECT_EQ(selected, (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_TRUE(editor.Checked(IDO_COUNTDOWN_TO_DATE));
    EXPECT_EQ(TextOf(editor[IDC_COUNTDOWN_MONTH]), "12");
    EXPECT_EQ(TextOf(editor[IDC_COUNTDOWN_YEAR]), "2040");
    PostMessageW(editor.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.process.WaitExit(kPatience));
}

TEST(ThemeEditor, CancelWritesNothingAndOkWithoutPicturesStays) {
    ThemeText empty;
    empty.Pictures({});
    OpenEditor editor(empty);
    ASSERT_NE(editor.window, nullptr);
    const std::string theme = editor.Theme();
    const std::string global = editor.Global();

    editor.Click(IDB_EDITOR_OK);
    HWND box = WaitForMessageBox(editor.process, kPatience);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              "There are no images loaded in the Screen Saver. Load at least one image file to be "
              "displayed.");
    PressOk(box);
    WaitUntil([box] { return !IsWindow(box); });
    editor.Answers();
    EXPECT_TRUE(IsWindow(editor.window));

    editor.Click(IDO_SETTINGS_AFTER);
    editor.Click(IDB_EDITOR_CANCEL);
    EXPECT_TRUE(editor.process.WaitExit(kPatience));
    EXPECT_EQ(editor.Theme(), theme);
    EXPECT_EQ(editor.Global(), global);
}

// One change on each settings tab, OK, then exactly those keys differ and the saver shows them.
TEST(ThemeEditor, OkWritesTheChangesOfEachTabAndTheSaverShowsThem) {
    ProgramCopy scratch;
    ThemeText theme = PictureTheme(scratch);
    theme.Set("background", "backEffect", "1").Set("background", "newBackColor", "255");
    OpenEditor editor(theme);
    ASSERT_NE(editor.window, nullptr);
    const std::map<std::string, std::string> before = editor.Keys();

    editor.Press(IDK_SETTINGS_SIZE, VK_HOME);  // Image Settings: the smallest size
    editor.Click(IDO_SETTINGS_FLOATING);
    editor.Click(IDO_BACKGROUND_COLOUR);  // Background: the theme's red colour
    editor.Click(IDO_COUNTDOWN_TIME);     // Countdown: the clock
    editor.Click(IDB_EDITOR_OK);
    ASSERT_TRUE(editor.process.WaitExit(kPatience)) << "the editor stays open";

    std::map<std::string, std::string> expected = before;
    expected["picturePercent"] = "10";
    expected["picRandom"] = "rand";
    expected["backEffect"] = "0";
    expected["timeDisplay"] = "1";
    // Keys the theme was written without are saved with the program's own values.
    for (const char* later :
         {"randomNoRepeats", "resumeListOrder", "captionSource", "browseKeys", "picturesOn"}) {
        expected[later] = "0";
    }
    EXPECT_EQ(editor.Keys(), expected);

    Process saver = StartSaver(editor.copy, "/s");
    ASSERT_NE(WaitForWindow(saver, kPatience), nullptr);
    EXPECT_TRUE(WaitForPixel(3, 3, kRed, 8, kPatience)) << Hex(ScreenPixel(3, 3));
}

// A file that cannot be written fails the save, which names it and writes nothing: with the
// global file read-only the theme is not written, with the theme read-only the global file
// (which names the theme loaded meanwhile) is put back.
TEST(ThemeEditor, ReadOnlyFileFailsTheWholeSaveAndIsNamed) {
    for (const bool globalFails : {true, false}) {
        SCOPED_TRACE(globalFails ? "global" : "theme");
        ProgramCopy scratch;
        OpenEditor editor(PictureTheme(scratch));
        ASSERT_NE(editor.window, nullptr);
        HWND dialog = editor.LoadTheme("Classic");
        EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
        const std::string path =
            editor.copy.Path(globalFails ? "orvellemain.ini" : "orvellesaver\\Classic.ini");
        const std::wstring file = orvelle::win::Wide(path);
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
        const std::string global = editor.Global();
        const auto classic = ReadFileBytes(editor.copy.Path("orvellesaver\\Classic.ini"));
        editor.Click(IDO_SETTINGS_NEVER);
        editor.Click(IDB_EDITOR_OK);
        EXPECT_EQ(editor.Answer(),
                  "Could not save Screen Saver. If problem persists, please create a new Screen "
                  "Saver theme. The file " +
                      path + " could not be written.");
        EXPECT_TRUE(editor.Checked(IDO_SETTINGS_NEVER));
        EXPECT_EQ(editor.Global(), global);
        EXPECT_EQ(ReadFileBytes(editor.copy.Path("orvellesaver\\Classic.ini")), classic);
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        editor.Click(IDB_EDITOR_CANCEL);
        EXPECT_TRUE(editor.process.WaitExit(kPatience));
    }
}

// A hand-edited theme with a value the editor cannot show and a key missing: the load goes on,
// names the keys it replaced, and OK writes every other key as it was; a count far above the
// entries lists the entries only.
TEST(ThemeEditor, UnusableValuesAreReplacedAndOkKeepsEveryKey) {
    ProgramCopy scratch;
    ThemeText theme = PictureTheme(scratch);
    theme.Set("image", "picturePercent", "abc")
        .Erase("font", "newFontName")
        .Set("total", "total", "99999")
        .Set("image", "timeInterval", "12")
        .Set("image", "picChange", "ch")
        .Set("transitions", "bFade", "1")
        .Set("date", "countdownMonth", "07");
    OpenEditor editor(theme);
    ASSERT_NE(editor.window, nullptr);
    EXPECT_EQ(editor.loadMessage,
              "Some settings of the theme Orvelle could not be read and were replaced by default "
              "values: picturePercent, newFontName.");
    EXPECT_EQ(SendMessageW(editor[IDL_IMAGES_PICTURES], LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(editor.Position(IDK_SETTINGS_SIZE), 80);
    std::map<std::string, std::string> expected = editor.Keys();
    editor.Click(IDB_EDITOR_OK);
    ASSERT_TRUE(editor.process.WaitExit(kPatience)) << "the editor stays open";
    expected["picturePercent"] = "80";  // the template's
    expected["newFontName"] = "Arial";
    expected["total"] = "2";
    for (const char* later :
         {"randomNoRepeats", "resumeListOrder", "captionSource", "browseKeys", "picturesOn"}) {
        expected[later] = "0";
    }
    EXPECT_EQ(editor.Keys(), expected);
}

// A transition switched on is an edit: Esc asks, and Cancel stays. Typed seconds and a typed
// month are kept; the close box asks, and Yes saves them and closes.
TEST(ThemeEditor, EveryEditCountsAndEscOrTheCloseBoxAskFirst) {
    ProgramCopy scratch;
    ThemeText theme = PictureTheme(scratch);
    theme.Set("image", "picChange", "ch").Set("image", "timeInterval", "8");
    OpenEditor editor(theme);
    ASSERT_NE(editor.window, nullptr);
    HWND transitions = editor[IDL_SETTINGS_TRANSITIONS];
    SendMessageW(transitions, LB_SETSEL, TRUE, 0);
    PostMessageW(GetParent(transitions), WM_COMMAND,
                 MAKEWPARAM(IDL_SETTINGS_TRANSITIONS, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(transitions));
    editor.Key(VK_ESCAPE);
    EXPECT_EQ(editor.Answer(IDCANCEL), "Save Changes to Orvelle ?");
    EXPECT_TRUE(IsWindowVisible(editor.window));

    editor.Type(IDE_SETTINGS_INTERVAL, "15");
    editor.Type(IDC_COUNTDOWN_MONTH, "03");
    PostMessageW(editor.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(editor.Answer(IDYES), "Save Changes to Orvelle ?");
    ASSERT_TRUE(editor.process.WaitExit(kPatience));
    EXPECT_EQ(editor.Key("image", "timeInterval"), "15");
    EXPECT_EQ(editor.Key("date", "countdownMonth"), "03");
    EXPECT_EQ(editor.Key("transitions", "bStandard"), "1");
}

// The colour dialog's own edit boxes (red, green, blue) and its OK.
TEST(ThemeEditor, ColourDialogOkStoresTheChosenColour) {
    ProgramCopy scratch;
    OpenEditor editor(PictureTheme(scratch));
    ASSERT_NE(editor.window, nullptr);
    PostMessageW(editor[IDB_BACKGROUND_CHOOSE_COLOUR], BM_CLICK, 0, 0);
    HWND dialog = editor.OtherWindow([](HWND w) { return ClassOf(w) == "#32770"; });
    ASSERT_NE(dialog, nullptr);
    constexpr int kRedEdit = 706, kGreenEdit = 707, kBlueEdit = 708;
    SetDlgItemTextW(dialog, kRedEdit, L"0");
    SetDlgItemTextW(dialog, kGreenEdit, L"128");
    SetDlgItemTextW(dialog, kBlueEdit, L"255");
    Settled(dialog);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(editor.Closed(dialog));
    editor.Click(IDB_EDITOR_OK);
    ASSERT_TRUE(editor.process.WaitExit(kPatience));
    EXPECT_EQ(editor.Key("background", "newBackColor"), std::to_string(RGB(0, 128, 255)));
}

// A picture added through the open-file dialog and another deleted, each with its caption, then
// saved.
TEST(ThemeEditor, PictureToolbarAddsThroughTheFileDialogAndDeletes) {
    ProgramCopy scratch;
    OpenEditor editor(PictureTheme(scratch));
    ASSERT_NE(editor.window, nullptr);
    const std::string added = editor.copy.Path("added.bmp");
    WriteBmpFile(added, 64, 48, [](int, int) { return kRed; });
    editor.AddPicture(added);
    // Every kind the machine's decoders read is offered, all of them together first.
    ASSERT_FALSE(editor.fileTypes.empty());
    EXPECT_EQ(editor.fileTypes.front(), "All pictures");
    for (const char* kind : {"*.png", "*.tif"}) {
        EXPECT_TRUE(std::any_of(editor.fileTypes.begin(), editor.fileTypes.end(),
                                [kind](const std::string& t) { return t.find(kind) != t.npos; }))
            << kind;
    }
    EXPECT_EQ(SendMessageW(editor[IDL_IMAGES_PICTURES], LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(TextOf(editor[IDT_IMAGES_TOTAL]), "Total: 3");
    EXPECT_EQ(TextOf(editor[IDT_IMAGES_POSITION]), "Position: 3");

    // The first picture goes, with its caption.
    editor.Select(IDL_IMAGES_PICTURES, 0);
    editor.Toolbar(IDC_IMAGES_TOOLBAR, IDB_IMAGES_DELETE);
    editor.Click(IDB_EDITOR_OK);
    ASSERT_TRUE(editor.process.WaitExit(kPatience));
    EXPECT_EQ(editor.Key("total", "total"), "2");
    EXPECT_EQ(editor.Key("caption", "0"), "second");
    EXPECT_EQ(editor.Key("images", "1"), added);
    EXPECT_EQ(editor.Key("caption", "1"), "");
}

// A double-click on a picture shows it at its own size beside the editor; a click closes it. A
// picture that is gone says so and leaves the viewer empty.
TEST(ThemeEditor, ViewerShowsThePictureAtItsOwnSizeAndClosesOnAClick) {
    ProgramCopy scratch;
    ThemeText theme = PictureTheme(scratch);
    const std::string huge = scratch.Path("huge.bmp");
    WriteBmpFile(huge, 1600, 1200,
                 [](int x, int y) { return x >= 1500 && y >= 1100 ? kRed : kBlue; });
    theme.Pictures({scratch.Path("blue.bmp"), scratch.Path("second.bmp"), huge});
    OpenEditor editor(theme);
    ASSERT_NE(editor.window, nullptr);
    HWND viewer = editor.OpenViewer(0);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(GetWindow(viewer, GW_OWNER), editor.window);
    EXPECT_TRUE(IsWindowEnabled(editor.window));
    RECT outer = {};
    GetWindowRect(viewer, &outer);
    // 200 pixels = 3000 twips: 3120 twips (208 pixels) across, 1905 twips (127) down.
    EXPECT_EQ(outer.right - outer.left, 208);
    EXPECT_EQ(outer.bottom - outer.top, 127);
    POINT corner = {5, 5};
    ClientToScreen(viewer, &corner);
    EXPECT_TRUE(ScreenBecomes({{corner.x, corner.y, kBlue, 8}}));
    PostMessageW(viewer, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(WaitUntil([viewer] { return !IsWindow(viewer); }));

    // A picture larger than the screen: the window stops at the work area and scrolls to the
    // picture's far corner.
    viewer = editor.OpenViewer(2);
    ASSERT_NE(viewer, nullptr);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(viewer, &outer);
    EXPECT_GE(outer.left, work.left);
    EXPECT_GE(outer.top, work.top);
    EXPECT_LE(outer.right, work.right);
    EXPECT_LE(outer.bottom, work.bottom);
    for (UINT bar : {WM_HSCROLL, WM_VSCROLL}) {
        Deliver(viewer, bar, SB_BOTTOM);
    }
    RECT client = {};
    GetClientRect(viewer, &client);
    POINT farCorner = {client.right - 5, client.bottom - 5};
    ClientToScreen(viewer, &farCorner);
    EXPECT_TRUE(ScreenBecomes({{farCorner.x, farCorner.y, kRed, 8}}));
    PostMessageW(viewer, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(WaitUntil([viewer] { return !IsWindow(viewer); }));

    editor.OpenViewer(1);  // second.bmp does not exist
    HWND box = WaitForMessageBox(editor.process, kPatience);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              "Cannot load image file properly.\r\nYou need to reload a new one.");
    PressOk(box);
    PostMessageW(editor.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.process.WaitExit(kPatience));
}

// "Add Multiple Images" opens on the program's folder; Load appends every picture listed there.
TEST(ThemeEditor, FolderImportAppendsThePicturesOfTheFolder) {
    ProgramCopy scratch;
    OpenEditor editor(PictureTheme(scratch));
    ASSERT_NE(editor.window, nullptr);
    WriteBmpFile(editor.copy.Path("zz-last.BMP"), 8, 8, [](int, int) { return kGreen; });
    editor.Click(IDB_IMAGES_ADD_FOLDER);
    HWND import =
        editor.OtherWindow([](HWND w) { return GetDlgItem(w, IDC_IMPORT_DRIVES) != nullptr; });
    ASSERT_NE(import, nullptr);
    EXPECT_TRUE(IsWindowEnabled(editor.window));  // not modal
    HWND files = GetDlgItem(import, IDL_IMPORT_FILES);
    const int listed = static_cast<int>(SendMessageW(files, LB_GETCOUNT, 0, 0));
    EXPECT_GE(listed, 3);  // tovak.gif, orvellenotfound.gif, zz-last.BMP
    PostMessageW(import, WM_COMMAND, IDB_IMPORT_LOAD, 0);
    EXPECT_TRUE(editor.Closed(import));
    const int count =
        static_cast<int>(SendMessageW(editor[IDL_IMAGES_PICTURES], LB_GETCOUNT, 0, 0));
    EXPECT_EQ(count, 2 + listed);
    EXPECT_EQ(SendMessageW(editor[IDL_IMAGES_PICTURES], LB_GETCURSEL, 0, 0), count - 1);
    EXPECT_EQ(TextOf(editor[IDT_IMAGES_TOTAL]), "Total: " + std::to_string(count));
    editor.Click(IDB_EDITOR_OK);
    ASSERT_TRUE(editor.process.WaitExit(kPatience));
    EXPECT_EQ(editor.Key("images", std::to_string(count - 1)), editor.copy.Path("zz-last.BMP"));
}

// A theme built from nothing: two pictures added through the file dialog, the second captioned
// and moved up. The saved theme has the caption moved along and the next saver run shows the
// moved picture first.
TEST(ThemeEditor, MovedPictureTakesItsCaptionAndComesFirstInTheSaver) {
    ProgramCopy scratch;
    const std::string blue = scratch.Path("blue.bmp");
    const std::string red = scratch.Path("red.bmp");
    WriteBmpFile(blue, 200, 100, [](int, int) { return kBlue; });
    WriteBmpFile(red, 200, 100, [](int, int) { return kRed; });
    ThemeText theme;
    theme.Pictures({}).Set("background", "newBackColor", "0");
    OpenEditor editor(theme);
    ASSERT_NE(editor.window, nullptr);
    editor.AddPicture(blue);
    editor.AddPicture(red);
    ASSERT_EQ(SendMessageW(editor[IDL_IMAGES_PICTURES], LB_GETCOUNT, 0, 0), 2);
    editor.Select(IDL_IMAGES_PICTURES, 0);
    SendMessageW(editor[IDE_IMAGES_CAPTION], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Blue"));
    editor.Select(IDL_IMAGES_PICTURES, 1);
    SendMessageW(editor[IDE_IMAGES_CAPTION], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Sunset"));
    editor.Answers();
    editor.Toolbar(IDC_IMAGES_TOOLBAR, IDB_IMAGES_UP);
    wchar_t first[MAX_PATH] = {};
    SendMessageW(editor[IDL_IMAGES_PICTURES], LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(orvelle::win::Narrow(first), red);
    EXPECT_EQ(SendMessageW(editor[IDL_IMAGES_PICTURES], LB_GETCURSEL, 0, 0), 0);
    editor.Click(IDB_EDITOR_OK);
    ASSERT_TRUE(editor.process.WaitExit(kPatience));
    EXPECT_EQ(editor.Key("images", "0"), red);
    EXPECT_EQ(editor.Key("caption", "0"), "Sunset");
    EXPECT_EQ(editor.Key("caption", "1"), "Blue");
    EXPECT_TRUE(SaverCentreShows(editor.copy, kRed));
}

// A short WAV or MP3 played from the music tab runs to its end: the progress bar fills, then Play
// is offered again and Stop is not.
TEST(ThemeEditor, MusicPlaysToItsEndAndOffersPlayAgain) {
    ProgramCopy scratch;
    WriteWavFile(scratch.Path("tune.wav"), 1.5);
    const std::string mp3 = "Z:" + std::string(ORVELLE_SOURCE_DIR) + "/tests/wine/data/tone-c.mp3";
    ASSERT_TRUE(CopyFileA(mp3.c_str(), scratch.Path("tone.mp3").c_str(), FALSE));
    for (const char* name : {"tune.wav", "tone.mp3"}) {
        SCOPED_TRACE(name);
        ThemeText theme = PictureTheme(scratch);
        theme.Music({scratch.Path(name)});
        OpenEditor editor(theme);
        ASSERT_NE(editor.window, nullptr);
        SendMessageW(editor[IDC_EDITOR_TABS], TCM_SETCURFOCUS, 4, 0);
        SendMessageW(editor[IDL_MUSIC_FILES], LB_SETCURSEL, 0, 0);
        Deliver(GetParent(editor[IDL_MUSIC_FILES]), WM_COMMAND,
                MAKEWPARAM(IDL_MUSIC_FILES, LBN_SELCHANGE),
                reinterpret_cast<LPARAM>(editor[IDL_MUSIC_FILES]));
        ASSERT_TRUE(IsWindowEnabled(editor[IDB_MUSIC_PLAY]));
        // Clicked and waited for: the buttons are looked at as the click leaves them, before the
        // progress timer (every half second) can find the tune ended (the test system's sound
        // device takes a tune in about a second, whatever its length).
        DWORD_PTR clicked = 0;
        ASSERT_TRUE(SendMessageTimeoutW(editor[IDB_MUSIC_PLAY], BM_CLICK, 0, 0, SMTO_NORMAL,
                                        kPatience, &clicked));
        EXPECT_FALSE(IsWindowEnabled(editor[IDB_MUSIC_PLAY]));
        EXPECT_TRUE(IsWindowEnabled(editor[IDB_MUSIC_STOP]));
        // The two buttons change one after the other: both are waited for.
        EXPECT_TRUE(WaitUntil([&] {
            return IsWindowEnabled(editor[IDB_MUSIC_PLAY]) &&
                   !IsWindowEnabled(editor[IDB_MUSIC_STOP]);
        }));
        const auto bar = editor[IDC_MUSIC_PROGRESS];
        EXPECT_GT(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 0);
        EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
        PostMessageW(editor.window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(editor.process.WaitExit(kPatience));
    }
}

}  // namespace
