// The theme dialogs and the mouse dialog on the real orvelle.scr /c: themes made, switched and
// deleted through them, and the files and the next saver run looked at.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "base/wide_win.h"
#include "config/form2_ids.h"
#include "config/mouse_ids.h"
#include "config/theme_dialog_ids.h"
#include "editor_driver.h"
#include "wine_support.h"

using namespace wine_test;

namespace {

// The small dialog of the editor's process that has the control, waited for.
HWND SmallDialog(OpenEditor& editor, int controlId) {
    return editor.OtherWindow([controlId](HWND w) { return GetDlgItem(w, controlId) != nullptr; });
}

// A button of a small dialog pressed as the dialog manager reports it.
void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    Pump(500);
}

void ChooseEntry(HWND dialog, int listId, const std::string& name) {
    HWND list = GetDlgItem(dialog, listId);
    const LRESULT index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(orvelle::win::Wide(name).c_str()));
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    Pump(200);
}

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
    HWND dialog = SmallDialog(editor, IDC_frmNewName_txtNewName);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "Orvelle Screen Saver");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_frmNewName_CommandOk)));
    SendMessageW(GetDlgItem(dialog, IDC_frmNewName_txtNewName), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"Beach"));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_frmNewName_CommandOk)));
    Press(dialog, IDC_frmNewName_CommandOk);
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
    HWND dialog = SmallDialog(editor, IDC_frmExistingNames_listExistingSavers);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_frmExistingNames_CommandOk)));
    ChooseEntry(dialog, IDC_frmExistingNames_listExistingSavers, "Classic");
    Press(dialog, IDC_frmExistingNames_CommandOk);
    HWND question = WaitForMessageBox(editor.process, 5000);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question), "Save Changes to Orvelle ?");
    PressOk(question);
    Pump(800);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(WindowText(editor.window), "Orvelle Screen Saver - [Classic]");
    EXPECT_EQ(editor.Key("caption", "0"), "Evening");  // still the current theme's file
    EXPECT_EQ(ReadFileBytes(classic), classicBefore);
    PostMessageW(editor.window, WM_CLOSE, 0, 0);
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
    HWND dialog = SmallDialog(editor, IDC_frmDelete_listExistingSavers);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IDC_frmDelete_listExistingSavers);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    ChooseEntry(dialog, IDC_frmDelete_listExistingSavers, "Classic");
    Press(dialog, IDC_frmDelete_CommandDelete);
    EXPECT_FALSE(ReadFileBytes(classic));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), count - 1);
    Press(dialog, IDC_frmDelete_CommandOk);
    EXPECT_FALSE(IsWindow(dialog));

    editor.Toolbar(IDC_ToolbarMouse, IDC_ToolbarMouse_Mouse);
    dialog = SmallDialog(editor, IDC_frmMouse_MouseSensitiveSlider);
    ASSERT_NE(dialog, nullptr);
    HWND slider = GetDlgItem(dialog, IDC_frmMouse_MouseSensitiveSlider);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 23);
    PostMessageW(slider, WM_KEYDOWN, VK_END, 0);
    PostMessageW(slider, WM_KEYUP, VK_END, 0);
    Pump(300);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 30);
    Press(dialog, IDC_frmMouse_Ok);
    EXPECT_FALSE(IsWindow(dialog));
    editor.Click(IDC_Ok);
    ASSERT_TRUE(editor.process.WaitExit(5000));
    EXPECT_EQ(editor.copy.ReadIni(editor.copy.Path("orvellemain.ini"), "mouse", "mouseSensitivity"),
              "30");
}

}  // namespace
