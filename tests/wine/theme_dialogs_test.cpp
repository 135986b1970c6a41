// The theme dialogs and the mouse dialog on the real orvelle.scr /c: themes made, switched and
// deleted through them, and the files and the next saver run looked at.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "base/wide_win.h"
#include "config/control_ids.h"
#include "editor_driver.h"
#include "wine_support.h"

using namespace wine_test;

namespace {

const std::string kQuestion = "Save Changes to Orvelle ?";

ThemeText RedPictureTheme(const ProgramCopy& scratch) {
    const std::string red = scratch.Path("red.bmp");
    WriteBmpFile(red, 200, 100, [](int, int) { return kRed; });
    ThemeText theme;
    theme.Pictures({red}, {"Red"});
    return theme;
}

// A new theme "Beach" from the toolbar: made from the template, edited, saved with OK; it is
// then the saver's theme and the saver shows its picture.
TEST(ThemeDialogs, NewThemeIsMadeEditedAndShownByTheSaver) {
    ProgramCopy scratch;
    const std::string green = scratch.Path("green.bmp");
    WriteBmpFile(green, 200, 100, [](int, int) { return kGreen; });
    OpenEditor editor(RedPictureTheme(scratch));
    ASSERT_NE(editor.window, nullptr);
    editor.Toolbar(IDC_EDITOR_NEW_TOOLBAR, IDB_EDITOR_NEW);
    HWND dialog = editor.SmallDialog(IDE_NEW_THEME_NAME);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "Orvelle Screen Saver");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDB_NEW_THEME_OK)));
    SendMessageW(GetDlgItem(dialog, IDE_NEW_THEME_NAME), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"Beach"));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDB_NEW_THEME_OK)));
    PressInDialog(dialog, IDB_NEW_THEME_OK);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(WindowText(editor.window), "Orvelle Screen Saver - [Beach]");
    EXPECT_EQ(ReadFileBytes(editor.copy.Path("orvellesaver\\Beach.ini")),
              ReadFileBytes(editor.copy.Path("orvelletemp.ini")));

    // The template's picture makes way for a green one.
    editor.Select(IDL_IMAGES_PICTURES, 0);
    editor.Toolbar(IDC_IMAGES_TOOLBAR, IDB_IMAGES_DELETE);
    editor.AddPicture(green);
    editor.Click(IDB_EDITOR_OK);
    ASSERT_TRUE(editor.process.WaitExit(kPatience));
    EXPECT_EQ(editor.copy.ReadIni(editor.copy.Path("orvellemain.ini"), "saver", "currentsaver"),
              "Beach");
    EXPECT_EQ(editor.Key("images", "0"), green);
    EXPECT_TRUE(SaverCentreShows(editor.copy, kGreen));
}

// An edit, then File > Load Theme: the question saves the edit into the old theme, and the
// editor shows the other theme, which is left as it was.
TEST(ThemeDialogs, LoadAfterAnEditSavesItAtTheQuestion) {
    ProgramCopy scratch;
    OpenEditor editor(RedPictureTheme(scratch));
    ASSERT_NE(editor.window, nullptr);
    const std::string classic = editor.copy.Path("orvellesaver\\Classic.ini");
    const auto classicBefore = ReadFileBytes(classic);
    editor.Select(IDL_IMAGES_PICTURES, 0);
    SendMessageW(editor[IDE_IMAGES_CAPTION], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Evening"));
    editor.Answers();
    PostMessageW(editor.window, WM_COMMAND, IDM_FILE_LOAD, 0);
    HWND dialog = editor.SmallDialog(IDL_LOAD_THEME_NAMES);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDB_LOAD_THEME_OK)));
    ChooseEntry(dialog, IDL_LOAD_THEME_NAMES, "Classic");
    PressInDialog(dialog, IDB_LOAD_THEME_OK);
    HWND question = WaitForMessageBox(editor.process, kPatience);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question), kQuestion);
    PressButton(question, IDYES);
    EXPECT_TRUE(editor.Closed(dialog));
    EXPECT_EQ(WindowText(editor.window), "Orvelle Screen Saver - [Classic]");
    EXPECT_EQ(editor.Key("caption", "0"), "Evening");  // still the current theme's file
    EXPECT_EQ(ReadFileBytes(classic), classicBefore);
    PostMessageW(editor.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.process.WaitExit(kPatience));
}

// The question's Cancel, and a save its check refuses, keep the editor on its theme with the
// load dialog open; a theme file another program holds is not switched to. A theme switched to
// shows its own background (none), and a background file that is no picture is refused.
TEST(ThemeDialogs, QuestionAndFailedLoadKeepTheWork) {
    ProgramCopy scratch;
    const std::string back = scratch.Path("back.bmp");
    WriteBmpFile(back, 40, 30, [](int, int) { return kGreen; });
    ThemeText theme = RedPictureTheme(scratch);
    theme.Set("background", "backEffect", "2")
        .Set("background", "backgroundImage", back)
        .Set("image", "picChange", "ch")
        .Set("image", "timeInterval", "8");
    OpenEditor editor(theme);
    ASSERT_NE(editor.window, nullptr);
    EXPECT_EQ(TextOf(editor[IDE_BACKGROUND_PICTURE_FILE]), back);
    editor.Type(IDE_SETTINGS_INTERVAL, "75");  // seconds a save refuses

    HWND dialog = editor.LoadTheme("Classic");
    EXPECT_EQ(editor.Answer(IDCANCEL), kQuestion);
    EXPECT_TRUE(IsWindowVisible(dialog));
    PressInDialog(dialog, IDB_LOAD_THEME_OK);
    EXPECT_EQ(editor.Answer(IDYES), kQuestion);
    EXPECT_EQ(
        editor.Answer(),
        "The time each picture stays (After... Seconds) must be a whole number from 0 to 60.");
    EXPECT_TRUE(IsWindowVisible(dialog));
    PressInDialog(dialog, IDB_LOAD_THEME_CANCEL);
    editor.Type(IDE_SETTINGS_INTERVAL, "9");

    // Held open by another program without sharing: not read, not switched to.
    const std::string classic = editor.copy.Path("orvellesaver\\Classic.ini");
    HANDLE held = CreateFileW(orvelle::win::Wide(classic).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    dialog = editor.LoadTheme("Classic");
    EXPECT_EQ(editor.Answer(IDNO), kQuestion);
    EXPECT_EQ(editor.Answer(), "The theme file " + classic +
                                   " could not be read. The editor stays on the theme Orvelle.");
    CloseHandle(held);
    EXPECT_EQ(WindowText(editor.window), "Orvelle Screen Saver - [Orvelle]");
    EXPECT_EQ(TextOf(editor[IDE_SETTINGS_INTERVAL]), "9");
    EXPECT_EQ(TextOf(editor[IDE_BACKGROUND_PICTURE_FILE]), back);
    PressInDialog(dialog, IDB_LOAD_THEME_CANCEL);

    dialog = editor.LoadTheme("Classic");
    EXPECT_EQ(editor.Answer(IDNO), kQuestion);
    EXPECT_TRUE(editor.Closed(dialog));
    EXPECT_EQ(WindowText(editor.window), "Orvelle Screen Saver - [Classic]");
    EXPECT_EQ(TextOf(editor[IDE_BACKGROUND_PICTURE_FILE]), "");
    EXPECT_EQ(editor.Key("image", "timeInterval"), "8");  // Orvelle as it was

    WriteFileBytes(scratch.Path("notes.bmp"), "no picture in here");
    editor.Click(IDO_BACKGROUND_PICTURE);
    PostMessageW(editor[IDB_BACKGROUND_ADD_PICTURE], BM_CLICK, 0, 0);
    editor.ChooseFile(scratch.Path("notes.bmp"));
    EXPECT_EQ(editor.Answer(), "No file has been selected.");
    EXPECT_EQ(TextOf(editor[IDE_BACKGROUND_PICTURE_FILE]), "");
    editor.Click(IDB_EDITOR_CANCEL);
    EXPECT_TRUE(editor.process.WaitExit(kPatience));
}

// The delete dialog removes a theme's file; the mouse dialog's slider at 30 reaches the global
// settings file with the next OK.
TEST(ThemeDialogs, DeleteRemovesTheFileAndTheMouseSliderIsSaved) {
    ProgramCopy scratch;
    OpenEditor editor(RedPictureTheme(scratch));
    ASSERT_NE(editor.window, nullptr);
    const std::string classic = editor.copy.Path("orvellesaver\\Classic.ini");
    ASSERT_TRUE(ReadFileBytes(classic));
    editor.Toolbar(IDC_EDITOR_DELETE_TOOLBAR, IDB_EDITOR_DELETE);
    HWND dialog = editor.SmallDialog(IDL_DELETE_THEME_NAMES);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IDL_DELETE_THEME_NAMES);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    ChooseEntry(dialog, IDL_DELETE_THEME_NAMES, "Classic");
    PressInDialog(dialog, IDB_DELETE_THEME_DELETE);
    EXPECT_FALSE(ReadFileBytes(classic));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), count - 1);
    PressInDialog(dialog, IDB_DELETE_THEME_CLOSE);
    EXPECT_FALSE(IsWindow(dialog));

    editor.Toolbar(IDC_EDITOR_MOUSE_TOOLBAR, IDB_EDITOR_MOUSE);
    dialog = editor.SmallDialog(IDK_MOUSE_SENSITIVITY);
    ASSERT_NE(dialog, nullptr);
    HWND slider = GetDlgItem(dialog, IDK_MOUSE_SENSITIVITY);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 23);
    PostMessageW(slider, WM_KEYDOWN, VK_END, 0);
    PostMessageW(slider, WM_KEYUP, VK_END, 0);
    WaitUntil([slider] { return SendMessageW(slider, TBM_GETPOS, 0, 0) == 30; });
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 30);
    PressInDialog(dialog, IDB_MOUSE_OK);
    EXPECT_FALSE(IsWindow(dialog));
    editor.Click(IDB_EDITOR_OK);
    ASSERT_TRUE(editor.process.WaitExit(kPatience));
    EXPECT_EQ(editor.copy.ReadIni(editor.copy.Path("orvellemain.ini"), "mouse", "mouseSensitivity"),
              "30");
}

}  // namespace
