// The theme editor window as designed (the design-time window, a test program of its own that
// takes the /c switches): its title, every control of its five pages with its caption, ranges and
// lists, page switching, Esc; and the real editor that /c opens. With ORVELLE_SHOTS_DIR set (a Unix
// folder) the last test saves a picture of each page, of where the keyboard stands and of the small
// dialogs there.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "config/control_ids.h"
#include "wine_support.h"

using namespace wine_test;

namespace {

struct Expected {
    int id;
    const char* text;  // nullptr: no caption to compare
};
// The window's own controls first, then page by page.
const Expected kControls[] = {
    {IDC_Frame7, ""},
    {IDC_Label1, "Theme Properties"},
    {IDC_ToolbarNew, nullptr},
    {IDC_ToolbarLoad, nullptr},
    {IDC_ToolbarDelete, nullptr},
    {IDC_ToolbarMouse, nullptr},
    {IDC_LabelNew, "New"},
    {IDC_LabelLoad, "Load"},
    {IDC_LabelDelete, "Delete"},
    {IDC_LabelMouse, "Mouse"},
    {IDC_SSTab1, nullptr},
    {IDC_Ok, "&OK"},
    {IDC_Cancel, "&Cancel"},
    {IDC_StatusBar1, "Orvelle Screen Saver 4.1"},
    {IDC_photo, nullptr},
    {IDC_photo_caption, nullptr},
    // Images
    {IDC_Frame3, "Loaded Images for Theme"},
    {IDC_List1, nullptr},
    {IDC_toolbarImages, nullptr},
    {IDC_Text3, nullptr},
    {IDC_ImagePosition, nullptr},
    {IDC_FolderCommand, "Add &Multiple Images"},
    {IDC_Random_select, "Display in Random Order"},
    {IDC_photoDisplay, "Caption"},
    {IDC_photo1, nullptr},
    {IDC_p_caption, ""},
    {IDC_toolbarCaptions, nullptr},
    {IDC_Picture2, nullptr},
    {IDC_Label4, "Font Color"},
    {IDC_scrollOption, "Scrolling "},
    {IDC_middleOption, "Center"},
    {IDC_scrollSlider, nullptr},
    {IDC_Label16, "Scrolling Speed"},
    // Image Settings
    {IDC_Frame6, "Image Size"},
    {IDC_Label13, "Display Images less than"},
    {IDC_percentLabel, nullptr},
    {IDC_Label12, "of Monitor Screen"},
    {IDC_Label15, "Min"},
    {IDC_PercentSlider, nullptr},
    {IDC_Label14, "Max"},
    {IDC_ChangeImage, "Change Image"},
    {IDC_aChange, "&After..."},
    {IDC_nChange, "&Never"},
    {IDC_Text2, nullptr},
    {IDC_changeVScroll1, nullptr},
    {IDC_Label3, "Seconds"},
    {IDC_placement, "Image Movement"},
    {IDC_pCenter, "C&enter"},
    {IDC_pRandom, "F&loat"},
    {IDC_floatSlider, nullptr},
    {IDC_Label11, "Slow"},
    {IDC_Label7, "Fast"},
    {IDC_Frame4, "Image Transition Effects"},
    {IDC_ListBoxTransitions, nullptr},
    // Background
    {IDC_backgroundDesktop, "Desktop"},
    {IDC_backgroundColor, "Reg Color"},
    {IDC_backgroundCustomImage, "Custom Image"},
    {IDC_backgroundColorGradient, "Gradient Color"},
    {IDC_frameBackgroundColor, "Reg Color"},
    {IDC_Picture1, nullptr},
    {IDC_backColorClick, "Co&lor..."},
    {IDC_frameCustomImage, "Custom Image"},
    {IDC_backgroundImageFile, ""},
    {IDC_addBackImg, "Add"},
    {IDC_removeBackImg, "Remove"},
    {IDC_CenterOption, "Center"},
    {IDC_FullScreenOption, "Full Screen"},
    {IDC_TileOption, "Tile"},
    {IDC_Image1, nullptr},
    {IDC_frameColorGradient, "Gradient Color"},
    {IDC_redLabel, "Red=0"},
    {IDC_redSlider, nullptr},
    {IDC_redPicture, nullptr},
    {IDC_greenLabel, "Green=0"},
    {IDC_greenSlider, nullptr},
    {IDC_greenPicture, nullptr},
    {IDC_blueLabel, "Blue=0"},
    {IDC_blueSlider, nullptr},
    {IDC_bluePicture, nullptr},
    {IDC_GradientPicture, nullptr},
    // Countdown
    {IDC_Frame2, "Countdown Clock"},
    {IDC_noneOption, "None"},
    {IDC_timeOption, "Time and Date"},
    {IDC_yearOption, "Countdown"},
    {IDC_monthLabel, "Month"},
    {IDC_monthCombo, "Month"},
    {IDC_dayLabel, "Day"},
    {IDC_dayCombo, "Day"},
    {IDC_yearLabel, "Year"},
    {IDC_yearCombo, "Year"},
    // Music
    {IDC_FrameMedia, "Music"},
    {IDC_multimediaList, nullptr},
    {IDC_ToolbarMedia, nullptr},
    {IDC_multimediaTotal, nullptr},
    {IDC_MediaPosition, nullptr},
    {IDC_randomMediaCheck, "Play in Random Order"},
    {IDC_playCommand, ">"},
    {IDC_closeCommand, "X"},
    {IDC_ProgressBar1, nullptr},
    {IDC_mediaStatusLabel, "Status: "},
    {IDC_mediaLabel, "Your Computer Does Not Support Sound - The Music Feature Has Been Disabled"},
};

struct Counted {
    int id;
    UINT message;
    LRESULT count;
};
// Buttons of each toolbar and entries of each combo box.
const Counted kCounts[] = {
    {IDC_ToolbarNew, TB_BUTTONCOUNT, 1},    {IDC_ToolbarLoad, TB_BUTTONCOUNT, 1},
    {IDC_ToolbarDelete, TB_BUTTONCOUNT, 1}, {IDC_ToolbarMouse, TB_BUTTONCOUNT, 1},
    {IDC_toolbarImages, TB_BUTTONCOUNT, 5}, {IDC_toolbarCaptions, TB_BUTTONCOUNT, 3},
    {IDC_ToolbarMedia, TB_BUTTONCOUNT, 5},  {IDC_monthCombo, CB_GETCOUNT, 12},
    {IDC_dayCombo, CB_GETCOUNT, 31},        {IDC_yearCombo, CB_GETCOUNT, 41},
    {IDC_SSTab1, TCM_GETITEMCOUNT, 5},
};

struct Range {
    int id;
    int minimum;
    int maximum;
};
const Range kSliderRanges[] = {
    {IDC_PercentSlider, 10, 100}, {IDC_floatSlider, 0, 5},   {IDC_scrollSlider, 100, 300},
    {IDC_redSlider, 0, 255},      {IDC_greenSlider, 0, 255}, {IDC_blueSlider, 0, 255},
};

// One control of each page, to tell which page shows.
const int kPageWitness[] = {IDC_List1, IDC_PercentSlider, IDC_backgroundDesktop, IDC_noneOption,
                            IDC_multimediaList};
const char* const kPageNames[] = {"images", "image-settings", "background", "countdown", "music"};

struct Editor {
    ProgramCopy copy;
    Process process;
    HWND window = nullptr;
};

void OpenEditor(Editor& editor, const std::string& arguments = "/c") {
    editor.process = StartDesignWindow(arguments);
    editor.window = WaitForWindow(editor.process, 8000);
}

void SelectPage(HWND window, int index) {
    SendMessageA(ControlsById(window)[IDC_SSTab1], TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
    Pump(200);
}

TEST(ConfigDialog, PreviewShowsTheThemeEditorWithEveryControlCaptionAndRange) {
    Editor editor;
    OpenEditor(editor);
    ASSERT_NE(editor.window, nullptr);
    EXPECT_EQ(WindowText(editor.window), " Orvelle Screen Saver");
    EXPECT_EQ(ClassOf(editor.window), "#32770");
    EXPECT_NE(GetMenu(editor.window), nullptr);

    std::map<int, HWND> controls = ControlsById(editor.window);
    for (const Expected& expected : kControls) {
        auto found = controls.find(expected.id);
        ASSERT_NE(found, controls.end()) << "control " << expected.id;
        if (expected.text) {
            EXPECT_EQ(TextOf(found->second), expected.text) << "control " << expected.id;
        }
    }
    for (const Counted& counted : kCounts) {
        EXPECT_EQ(SendMessageA(controls[counted.id], counted.message, 0, 0), counted.count)
            << "control " << counted.id;
    }
    for (const Range& range : kSliderRanges) {
        EXPECT_EQ(SendMessageA(controls[range.id], TBM_GETRANGEMIN, 0, 0), range.minimum);
        EXPECT_EQ(SendMessageA(controls[range.id], TBM_GETRANGEMAX, 0, 0), range.maximum);
    }
    int low = -1, high = -1;
    GetScrollRange(controls[IDC_changeVScroll1], SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 60);
    EXPECT_FALSE(IsWindowVisible(controls[IDC_photo_caption]));
    // One tooltip control carries the tips of the window's and the pages' controls; the toolbars
    // ask for theirs by button.
    LRESULT tools = 0;
    for (HWND w : AllWindowsOf(editor.process.Id())) {
        if (ClassOf(w) == "tooltips_class32" && GetWindow(w, GW_OWNER) == editor.window) {
            tools = std::max(tools, SendMessageA(w, TTM_GETTOOLCOUNT, 0, 0));
        }
    }
    EXPECT_EQ(tools, 47);

    // Each tab shows its own page and hides the others.
    for (int page = 4; page >= 0; --page) {
        SelectPage(editor.window, page);
        for (int other = 0; other < 5; ++other) {
            EXPECT_EQ(IsWindowVisible(controls[kPageWitness[other]]) != FALSE, other == page)
                << "tab " << page << ", page " << other;
        }
    }

    // Esc, wherever the focus is, closes the window and ends the program.
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(editor.window, nullptr), &gui);
    SendKey(gui.hwndFocus ? gui.hwndFocus : editor.window, VK_ESCAPE);
    EXPECT_TRUE(editor.process.WaitExit(5000));
}

TEST(ConfigDialog, EnterTheCloseBoxAndTheFileMenuCloseTheWindow) {
    struct Way {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Way ways[] = {
        {"Enter", WM_KEYDOWN, VK_RETURN},
        {"close box", WM_CLOSE, 0},
        {"File > Save", WM_COMMAND, IDM_Save},
        {"File > Exit Without Saving", WM_COMMAND, IDM_Exit},
    };
    for (const Way& way : ways) {
        Editor editor;
        OpenEditor(editor);
        ASSERT_NE(editor.window, nullptr) << way.name;
        if (way.message == WM_KEYDOWN) {
            GUITHREADINFO gui = {};
            gui.cbSize = sizeof gui;
            GetGUIThreadInfo(GetWindowThreadProcessId(editor.window, nullptr), &gui);
            SendKey(gui.hwndFocus ? gui.hwndFocus : editor.window, static_cast<WORD>(way.wParam));
        } else {
            PostMessageA(editor.window, way.message, way.wParam, 0);
        }
        EXPECT_TRUE(editor.process.WaitExit(5000)) << way.name;
    }
}

// The screen-saver page passes its own window: the editor stays above it and centres on it. A
// number that names no window leaves it centred on the screen.
TEST(ConfigDialog, OwnerWindowFromTheSwitchHoldsAndCentresTheEditor) {
    HWND page = CreateWindowExW(0, L"STATIC", L"page", WS_POPUP | WS_VISIBLE, 300, 250, 400, 300,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(page, nullptr);
    const auto handle = std::to_string(reinterpret_cast<std::uintptr_t>(page));
    struct Case {
        std::string arguments;
        HWND owner;
    };
    const Case cases[] = {{"/c:" + handle, page}, {"/c " + handle, page}, {"/c:77777", nullptr}};
    for (const Case& c : cases) {
        Editor editor;
        OpenEditor(editor, c.arguments);
        ASSERT_NE(editor.window, nullptr) << c.arguments;
        EXPECT_EQ(GetWindow(editor.window, GW_OWNER), c.owner) << c.arguments;
        RECT around = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (c.owner) {
            GetWindowRect(c.owner, &around);
        }
        RECT shown = {};
        GetWindowRect(editor.window, &shown);
        EXPECT_NEAR((shown.left + shown.right) / 2, (around.left + around.right) / 2, 2)
            << c.arguments;
        PostMessageA(editor.window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(editor.process.WaitExit(5000)) << c.arguments;
    }
    DestroyWindow(page);
}

// The about box stays beside the editor without blocking it, opens once however often it is
// asked for, and its OK closes it.
TEST(ConfigDialog, AboutBoxIsNotModal) {
    Editor editor;
    OpenEditor(editor);
    ASSERT_NE(editor.window, nullptr);
    auto aboutBoxes = [&] {
        std::vector<HWND> found;
        for (HWND w : VisibleWindowsOf(editor.process.Id())) {
            if (WindowText(w) == "About") {
                found.push_back(w);
            }
        }
        return found;
    };
    for (int i = 0; i < 2; ++i) {
        PostMessageA(editor.window, WM_COMMAND, IDM_AboutOrvelle, 0);
        Pump(500);
    }
    const std::vector<HWND> boxes = aboutBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(GetWindow(boxes[0], GW_OWNER), editor.window);
    EXPECT_TRUE(IsWindowEnabled(editor.window));
    EXPECT_EQ(TextOf(GetDlgItem(boxes[0], IDC_frmAbout_lblVersion)), "version 4.1");
    PostMessageA(boxes[0], WM_COMMAND, IDC_frmAbout_cmdOK, 0);
    Pump(500);
    EXPECT_TRUE(aboutBoxes().empty());
    EXPECT_TRUE(IsWindow(editor.window));
    PostMessageA(editor.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.process.WaitExit(5000));
}

TEST(ConfigDialog, TheSwitchOpensTheEditorOnTheCurrentTheme) {
    ProgramCopy copy;
    Process config = StartSaver(copy, "/c");
    HWND window = WaitForWindow(config, 8000);
    ASSERT_NE(window, nullptr);
    Pump(500);
    EXPECT_EQ(WindowText(window), "Orvelle Screen Saver - [Orvelle]");
    EXPECT_EQ(ClassOf(window), "#32770");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(config.WaitExit(5000));
}

// Pictures of windows saved as ORVELLE_SHOTS_DIR/<ORVELLE_SHOTS_TAG>-<name>.png.
class Shots {
  public:
    Shots() {
        char folder[MAX_PATH] = {};
        char tag[16] = {};
        if (GetEnvironmentVariableA("ORVELLE_SHOTS_DIR", folder, MAX_PATH)) {
            prefix_ = std::string(folder) + "/";
            if (GetEnvironmentVariableA("ORVELLE_SHOTS_TAG", tag, sizeof tag)) {
                prefix_ += std::string(tag) + "-";
            }
        }
    }
    bool Wanted() const { return !prefix_.empty(); }
    void Shoot(HWND window, const std::string& name) const {
        Pump(300);
        RECT rc;
        GetWindowRect(window, &rc);
        std::string command = "import -window root -crop " + std::to_string(rc.right - rc.left) +
                              "x" + std::to_string(rc.bottom - rc.top) + "+" +
                              std::to_string(rc.left) + "+" + std::to_string(rc.top) +
                              " +repage '" + prefix_ + name + ".png'";
        EXPECT_TRUE(RunUnixShell(command, 15000)) << command;
    }
    // Shoots the window that `open` brings up beside the editor, then closes it.
    template <typename Open>
    void ShootNew(const Editor& editor, const std::string& name, Open open) const {
        std::vector<HWND> before = VisibleWindowsOf(editor.process.Id());
        open();
        HWND shown = nullptr;
        for (int i = 0; i < 100 && !shown; ++i) {
            Pump(50);
            for (HWND w : VisibleWindowsOf(editor.process.Id())) {
                if (std::find(before.begin(), before.end(), w) == before.end()) {
                    shown = w;
                }
            }
        }
        ASSERT_NE(shown, nullptr) << name;
        Shoot(shown, name);
        PostMessageA(shown, WM_CLOSE, 0, 0);
        Pump(300);
    }

  private:
    std::string prefix_;
};

// Where the keyboard stands: the picture toolbar's fourth button (Tab from the strip, three times
// Right), then the caption colour swatch (five more Tabs).
void ShootKeyboardPlaces(const Editor& editor, const Shots& shots) {
    SelectPage(editor.window, 0);
    for (WORD key : {VK_TAB, VK_RIGHT, VK_RIGHT, VK_RIGHT}) {
        TypeKey(key);
        Pump(100);
    }
    shots.Shoot(editor.window, "form2-keys-1-toolbar");
    for (int i = 0; i < 5; ++i) {
        TypeKey(VK_TAB);
        Pump(100);
    }
    shots.Shoot(editor.window, "form2-keys-2-swatch");
}

// Not a check: pictures for a person to look at (scripts/dialog-shots.sh).
TEST(ConfigDialog, Screenshots) {
    const Shots shots;
    if (!shots.Wanted()) {
        GTEST_SKIP() << "ORVELLE_SHOTS_DIR is not set";
    }
    // The real editor on the bundled theme, as a user first meets it.
    Editor editor;
    editor.copy.WriteIni(editor.copy.Path("orvellemain.ini"), "setup", "samplePicture", "0");
    editor.process = StartSaver(editor.copy, "/c");
    editor.window = WaitForWindow(editor.process, 8000);
    ASSERT_NE(editor.window, nullptr);
    Pump(500);
    for (int page = 0; page < 5; ++page) {
        SelectPage(editor.window, page);
        shots.Shoot(editor.window, "form2-" + std::to_string(page + 1) + "-" + kPageNames[page]);
    }
    ShootKeyboardPlaces(editor, shots);
    // The small dialogs, the folder import and the picture viewer.
    std::map<int, HWND> controls = ControlsById(editor.window);
    const std::pair<const char*, UINT> commands[] = {{"frmNewName", IDM_NewTheme},
                                                     {"frmExistingNames", IDM_LoadTheme},
                                                     {"frmDelete", IDM_DeleteTheme},
                                                     {"frmAbout", IDM_AboutOrvelle}};
    for (const auto& [name, command] : commands) {
        shots.ShootNew(editor, name, [&] { PostMessageA(editor.window, WM_COMMAND, command, 0); });
    }
    HWND mouse = controls[IDC_ToolbarMouse];
    shots.ShootNew(editor, "frmMouse", [&] {
        PostMessageA(editor.window, WM_COMMAND, IDC_ToolbarMouse_Mouse,
                     reinterpret_cast<LPARAM>(mouse));
    });
    SelectPage(editor.window, 0);
    shots.ShootNew(editor, "MultiFiles",
                   [&] { PostMessageA(controls[IDC_FolderCommand], BM_CLICK, 0, 0); });
    shots.ShootNew(editor, "ImageView", [&] {
        PostMessageA(GetParent(controls[IDC_List1]), WM_COMMAND, MAKEWPARAM(IDC_List1, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(controls[IDC_List1]));
    });
    // The folder window's button counts as an edit: the question before closing is answered No.
    PostMessageA(editor.window, WM_CLOSE, 0, 0);
    if (HWND box = WaitForMessageBox(editor.process, 5000)) {
        PostMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    }
    EXPECT_TRUE(editor.process.WaitExit(5000));
}

}  // namespace
