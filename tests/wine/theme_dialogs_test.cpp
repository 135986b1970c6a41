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
    editor.Toolbar(IDC_ToolbarNew, IDC_ToolbarNew_New);
    HWND dialog = editor.SmallDialog(IDC_frmNewName_txtNewName);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "Orvelle Screen Saver");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_frmNewName_CommandOk)));
    SendMessageW(GetDlgItem(dialog, IDC_frmNewName_txtNewName), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"Beach"));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_frmNewName_CommandOk)));
    PressInDialog(dialog, IDC_frmNewName_CommandOk);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(WindowText(editor.window), "Orvelle Screen Saver - [Beach]");
    EXPECT_EQ(ReadFileBytes(editor.copy.Path("orvellesaver\\Beach.ini")),
              ReadFileBytes(editor.copy.Path("orvelletemp.ini")));

    // The template's picture makes way for a green one.
    editor.Select(IDC_List1, 0);
    editor.Toolbar(IDC_toolbarImages, IDC_toolbarImages_Delete);
    editor.AddPicture(green);
    editor.Click(IDC_Ok);
    ASSERT_TRUE(editor.process.WaitExit(5000));
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
    editor.Select(IDC_List1, 0);
    SendMessageW(editor[IDC_p_caption], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Evening"));
    Pump(200);
    PostMessageW(editor.window, WM_COMMAND, IDM_LoadTheme, 0);
    HWND dialog = editor.SmallDialog(IDC_frmExistingNames_listExistingSavers);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_frmExistingNames_CommandOk)));
    ChooseEntry(dialog, IDC_frmExistingNames_listExistingSavers, "Classic");
    PressInDialog(dialog, IDC_frmExistingNames_CommandOk);
    HWND question = WaitForMessageBox(editor.process, 5000);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question), kQuestion);
    PressButton(question, IDYES);
    EXPECT_TRUE(editor.Closed(dialog));
    EXPECT_EQ(WindowText(editor.window), "Orvelle Screen Saver - [Classic]");
    EXPECT_EQ(editor.Key("caption", "0"), "Evening");  // still the current theme's file
    EXPECT_EQ(ReadFileBytes(classic), classicBefore);
    PostMessageW(editor.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.process.WaitExit(5000));
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
    EXPECT_EQ(TextOf(editor[IDC_backgroundImageFile]), back);
    editor.Type(IDC_Text2, "75");  // seconds a save refuses

    HWND dialog = editor.LoadTheme("Classic");
    EXPECT_EQ(editor.Answer(IDCANCEL), kQuestion);
    EXPECT_TRUE(IsWindowVisible(dialog));
    PressInDialog(dialog, IDC_frmExistingNames_CommandOk);
    EXPECT_EQ(editor.Answer(IDYES), kQuestion);
    EXPECT_EQ(
        editor.Answer(),
        "The time each picture stays (After... Seconds) must be a whole number from 0 to 60.");
    EXPECT_TRUE(IsWindowVisible(dialog));
    PressInDialog(dialog, IDC_frmExistingNames_CommandCancel);
    editor.Type(IDC_Text2, "9");

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
    EXPECT_EQ(TextOf(editor[IDC_Text2]), "9");
    EXPECT_EQ(TextOf(editor[IDC_backgroundImageFile]), back);
    PressInDialog(dialog, IDC_frmExistingNames_CommandCancel);

    dialog = editor.LoadTheme("Classic");
    EXPECT_EQ(editor.Answer(IDNO), kQuestion);
    EXPECT_TRUE(editor.Closed(dialog));
    EXPECT_EQ(WindowText(editor.window), "Orvelle Screen Saver - [Classic]");
    EXPECT_EQ(TextOf(editor[IDC_backgroundImageFile]), "");
    EXPECT_EQ(editor.Key("image", "timeInterval"), "8");  // Orvelle as it was

    WriteFileBytes(scratch.Path("notes.bmp"), "no picture in here");
    editor.Click(IDC_backgroundCustomImage);
    PostMessageW(editor[IDC_addBackImg], BM_CLICK, 0, 0);
    editor.ChooseFile(scratch.Path("notes.bmp"));
    EXPECT_EQ(editor.Answer(), "No file has been selected.");
    EXPECT_EQ(TextOf(editor[IDC_backgroundImageFile]), "");
    editor.Click(IDC_Cancel);
    EXPECT_TRUE(editor.process.WaitExit(5000));
}

// The delete dialog removes a theme's file; the mouse dialog's slider at 30 reaches the global
// settings file with the next OK.
TEST(ThemeDialogs, DeleteRemovesTheFileAndTheMouseSliderIsSaved) {
    ProgramCopy scratch;
    OpenEditor editor(RedPictureTheme(scratch));
    ASSERT_NE(editor.window, nullptr);
    const std::string classic = editor.copy.Path("orvellesaver\\Classic.ini");
    ASSERT_TRUE(ReadFileBytes(classic));
    editor.Toolbar(IDC_ToolbarDelete, IDC_ToolbarDelete_Delete);
    HWND dialog = editor.SmallDialog(IDC_frmDelete_listExistingSavers);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IDC_frmDelete_listExistingSavers);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    ChooseEntry(dialog, IDC_frmDelete_listExistingSavers, "Classic");
    PressInDialog(dialog, IDC_frmDelete_CommandDelete);
    EXPECT_FALSE(ReadFileBytes(classic));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), count - 1);
    PressInDialog(dialog, IDC_frmDelete_CommandOk);
    EXPECT_FALSE(IsWindow(dialog));

    editor.Toolbar(IDC_ToolbarMouse, IDC_ToolbarMouse_Mouse);
    dialog = editor.SmallDialog(IDC_frmMouse_MouseSensitiveSlider);
    ASSERT_NE(dialog, nullptr);
    HWND slider = GetDlgItem(dialog, IDC_frmMouse_MouseSensitiveSlider);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 23);
    PostMessageW(slider, WM_KEYDOWN, VK_END, 0);
    PostMessageW(slider, WM_KEYUP, VK_END, 0);
    Pump(300);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 30);
    PressInDialog(dialog, IDC_frmMouse_Ok);
    EXPECT_FALSE(IsWindow(dialog));
    editor.Click(IDC_Ok);
    ASSERT_TRUE(editor.process.WaitExit(5000));
    EXPECT_EQ(editor.copy.ReadIni(editor.copy.Path("orvellemain.ini"), "mouse", "mouseSensitivity"),
              "30");
}

}  // namespace
