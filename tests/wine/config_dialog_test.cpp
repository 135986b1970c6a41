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
    {IDG_EDITOR_THEMES, ""},
    {IDT_EDITOR_HEADING, "Theme Properties"},
    {IDC_EDITOR_NEW_TOOLBAR, nullptr},
    {IDC_EDITOR_LOAD_TOOLBAR, nullptr},
    {IDC_EDITOR_DELETE_TOOLBAR, nullptr},
    {IDC_EDITOR_MOUSE_TOOLBAR, nullptr},
    {IDT_EDITOR_NEW, "New"},
    {IDT_EDITOR_LOAD, "Load"},
    {IDT_EDITOR_DELETE, "Delete"},
    {IDT_EDITOR_MOUSE, "Mouse"},
    {IDC_EDITOR_TABS, nullptr},
    {IDB_EDITOR_OK, "&OK"},
    {IDB_EDITOR_CANCEL, "&Cancel"},
    {IDC_EDITOR_STATUS, "Orvelle Screen Saver 4.1"},
    {IDP_EDITOR_SCRATCH, nullptr},
    {IDL_EDITOR_CAPTIONS, nullptr},
    // Images
    {IDG_IMAGES_PICTURES, "Loaded Images for Theme"},
    {IDL_IMAGES_PICTURES, nullptr},
    {IDC_IMAGES_TOOLBAR, nullptr},
    {IDT_IMAGES_TOTAL, nullptr},
    {IDT_IMAGES_POSITION, nullptr},
    {IDB_IMAGES_ADD_FOLDER, "Add &Multiple Images"},
    {IDB_IMAGES_FOLDER_ENTRY, "Add Fol&der"},
    {IDG_IMAGES_CAPTION, "Caption"},
    {IDP_IMAGES_PREVIEW, nullptr},
    {IDE_IMAGES_CAPTION, ""},
    {IDC_IMAGES_CAPTION_TOOLBAR, nullptr},
    {IDP_IMAGES_FONT_COLOUR, nullptr},
    {IDT_IMAGES_FONT_COLOUR, "Font Color"},
    {IDO_IMAGES_SCROLLING, "Scrolling "},
    {IDO_IMAGES_CENTRED, "Center"},
    {IDK_IMAGES_SCROLL_SPEED, nullptr},
    {IDT_IMAGES_SCROLL_SPEED, "Scrolling Speed"},
    {IDT_IMAGES_CAPTION_SOURCE, "When a picture has &no caption, show:"},
    {IDC_IMAGES_CAPTION_SOURCE, nullptr},
    // Image Settings
    {IDG_SETTINGS_SIZE, "Image Size"},
    {IDT_SETTINGS_LESS_THAN, "Display Images less than"},
    {IDT_SETTINGS_PERCENT, nullptr},
    {IDT_SETTINGS_OF_SCREEN, "of Monitor Screen"},
    {IDT_SETTINGS_SIZE_MIN, "Min"},
    {IDK_SETTINGS_SIZE, nullptr},
    {IDT_SETTINGS_SIZE_MAX, "Max"},
    {IDG_SETTINGS_CHANGE, "Change Image"},
    {IDO_SETTINGS_AFTER, "&After..."},
    {IDO_SETTINGS_NEVER, "&Never"},
    {IDE_SETTINGS_INTERVAL, nullptr},
    {IDK_SETTINGS_INTERVAL, nullptr},
    {IDT_SETTINGS_SECONDS, "Seconds"},
    {IDG_SETTINGS_MOVEMENT, "Image Movement"},
    {IDO_SETTINGS_CENTRED, "C&enter"},
    {IDO_SETTINGS_FLOATING, "F&loat"},
    {IDK_SETTINGS_FLOAT_SPEED, nullptr},
    {IDT_SETTINGS_SLOW, "Slow"},
    {IDT_SETTINGS_FAST, "Fast"},
    {IDG_SETTINGS_TRANSITIONS, "Image Transition Effects"},
    {IDL_SETTINGS_TRANSITIONS, nullptr},
    {IDG_SETTINGS_ORDER, "Picture Order"},
    {IDX_SETTINGS_RANDOM, "Display in &Random Order"},
    {IDX_SETTINGS_NO_REPEATS, "Show each picture once &before any repeats"},
    {IDX_SETTINGS_RESUME, "Carry on where the last run &stopped"},
    {IDX_SETTINGS_BROWSE_KEYS, "Arrow &keys and Space browse pictures"},
    {IDT_SETTINGS_PICTURES_ON, "&Pictures on:"},
    {IDC_SETTINGS_PICTURES_ON, nullptr},
    {IDT_SETTINGS_PICTURES_ON_HINT, ""},
    // Background
    {IDO_BACKGROUND_DESKTOP, "Desktop"},
    {IDO_BACKGROUND_COLOUR, "Reg Color"},
    {IDO_BACKGROUND_PICTURE, "Custom Image"},
    {IDO_BACKGROUND_GRADIENT, "Gradient Color"},
    {IDG_BACKGROUND_COLOUR, "Reg Color"},
    {IDP_BACKGROUND_COLOUR, nullptr},
    {IDB_BACKGROUND_CHOOSE_COLOUR, "Co&lor..."},
    {IDG_BACKGROUND_PICTURE, "Custom Image"},
    {IDE_BACKGROUND_PICTURE_FILE, ""},
    {IDB_BACKGROUND_ADD_PICTURE, "Add"},
    {IDB_BACKGROUND_REMOVE_PICTURE, "Remove"},
    {IDO_BACKGROUND_CENTRED, "Center"},
    {IDO_BACKGROUND_FULL_SCREEN, "Full Screen"},
    {IDO_BACKGROUND_TILED, "Tile"},
    {IDP_BACKGROUND_THUMBNAIL, nullptr},
    {IDG_BACKGROUND_GRADIENT, "Gradient Color"},
    {IDT_BACKGROUND_RED, "Red=0"},
    {IDK_BACKGROUND_RED, nullptr},
    {IDP_BACKGROUND_RED, nullptr},
    {IDT_BACKGROUND_GREEN, "Green=0"},
    {IDK_BACKGROUND_GREEN, nullptr},
    {IDP_BACKGROUND_GREEN, nullptr},
    {IDT_BACKGROUND_BLUE, "Blue=0"},
    {IDK_BACKGROUND_BLUE, nullptr},
    {IDP_BACKGROUND_BLUE, nullptr},
    {IDP_BACKGROUND_GRADIENT, nullptr},
    // Countdown
    {IDG_COUNTDOWN_CLOCK, "Countdown Clock"},
    {IDO_COUNTDOWN_NOTHING, "None"},
    {IDO_COUNTDOWN_TIME, "Time and Date"},
    {IDO_COUNTDOWN_TO_DATE, "Countdown"},
    {IDT_COUNTDOWN_MONTH, "Month"},
    {IDC_COUNTDOWN_MONTH, "Month"},
    {IDT_COUNTDOWN_DAY, "Day"},
    {IDC_COUNTDOWN_DAY, "Day"},
    {IDT_COUNTDOWN_YEAR, "Year"},
    {IDC_COUNTDOWN_YEAR, "Year"},
    // Music
    {IDG_MUSIC, "Music"},
    {IDL_MUSIC_FILES, nullptr},
    {IDC_MUSIC_TOOLBAR, nullptr},
    {IDT_MUSIC_TOTAL, nullptr},
    {IDT_MUSIC_POSITION, nullptr},
    {IDX_MUSIC_RANDOM, "Play in Random Order"},
    {IDB_MUSIC_PLAY, ">"},
    {IDB_MUSIC_STOP, "X"},
    {IDC_MUSIC_PROGRESS, nullptr},
    {IDT_MUSIC_STATUS, "Status: "},
    {IDT_MUSIC_NO_SOUND,
     "Your Computer Does Not Support Sound - The Music Feature Has Been Disabled"},
};

struct Counted {
    int id;
    UINT message;
    LRESULT count;
};
// Buttons of each toolbar and entries of each combo box.
const Counted kCounts[] = {
    {IDC_EDITOR_NEW_TOOLBAR, TB_BUTTONCOUNT, 1},    {IDC_EDITOR_LOAD_TOOLBAR, TB_BUTTONCOUNT, 1},
    {IDC_EDITOR_DELETE_TOOLBAR, TB_BUTTONCOUNT, 1}, {IDC_EDITOR_MOUSE_TOOLBAR, TB_BUTTONCOUNT, 1},
    {IDC_IMAGES_TOOLBAR, TB_BUTTONCOUNT, 5},        {IDC_IMAGES_CAPTION_TOOLBAR, TB_BUTTONCOUNT, 3},
    {IDC_MUSIC_TOOLBAR, TB_BUTTONCOUNT, 5},         {IDC_COUNTDOWN_MONTH, CB_GETCOUNT, 12},
    {IDC_COUNTDOWN_DAY, CB_GETCOUNT, 31},           {IDC_COUNTDOWN_YEAR, CB_GETCOUNT, 41},
    {IDC_EDITOR_TABS, TCM_GETITEMCOUNT, 5},         {IDC_IMAGES_CAPTION_SOURCE, CB_GETCOUNT, 5},
    {IDC_SETTINGS_PICTURES_ON, CB_GETCOUNT, 3},
};

struct Range {
    int id;
    int minimum;
    int maximum;
};
const Range kSliderRanges[] = {
    {IDK_SETTINGS_SIZE, 10, 100},        {IDK_SETTINGS_FLOAT_SPEED, 0, 5},
    {IDK_IMAGES_SCROLL_SPEED, 100, 300}, {IDK_BACKGROUND_RED, 0, 255},
    {IDK_BACKGROUND_GREEN, 0, 255},      {IDK_BACKGROUND_BLUE, 0, 255},
};

// One control of each page, to tell which page shows.
const int kPageWitness[] = {IDL_IMAGES_PICTURES, IDK_SETTINGS_SIZE, IDO_BACKGROUND_DESKTOP,
                            IDO_COUNTDOWN_NOTHING, IDL_MUSIC_FILES};
const char* const kPageNames[] = {"images", "image-settings", "background", "countdown", "music"};

struct Editor {
    ProgramCopy copy;
    Process process;
    HWND window = nullptr;
};

void OpenEditor(Editor& editor, const std::string& arguments = "/c") {
    editor.process = StartDesignWindow(arguments);
    editor.window = WaitForWindow(editor.process, kPatience);
}

// The tab chosen, and waited for until its page shows.
void SelectPage(HWND window, int index) {
    std::map<int, HWND> controls = ControlsById(window);
    SendMessageA(controls[IDC_EDITOR_TABS], TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
    WaitUntil([&] { return IsWindowVisible(controls[kPageWitness[index]]) != FALSE; });
    Settled(window);
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
    GetScrollRange(controls[IDK_SETTINGS_INTERVAL], SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 60);
    EXPECT_FALSE(IsWindowVisible(controls[IDL_EDITOR_CAPTIONS]));
    // One tooltip control carries the tips of the window's and the pages' controls; the toolbars
    // ask for theirs by button.
    LRESULT tools = 0;
    for (HWND w : AllWindowsOf(editor.process.Id())) {
        if (ClassOf(w) == "tooltips_class32" && GetWindow(w, GW_OWNER) == editor.window) {
            tools = std::max(tools, SendMessageA(w, TTM_GETTOOLCOUNT, 0, 0));
        }
    }
    EXPECT_EQ(tools, 53);

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
    EXPECT_TRUE(editor.process.WaitExit(kPatience));
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
        {"File > Save", WM_COMMAND, IDM_FILE_SAVE},
        {"File > Exit Without Saving", WM_COMMAND, IDM_FILE_EXIT},
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
        EXPECT_TRUE(editor.process.WaitExit(kPatience)) << way.name;
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
        EXPECT_TRUE(editor.process.WaitExit(kPatience)) << c.arguments;
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
    PostMessageA(editor.window, WM_COMMAND, IDM_HELP_ABOUT, 0);
    ASSERT_TRUE(WaitUntil([&] { return !aboutBoxes().empty(); }));
    // Asked for again, and the request taken.
    SendNotifyMessageA(editor.window, WM_COMMAND, IDM_HELP_ABOUT, 0);
    Settled(editor.window);
    const std::vector<HWND> boxes = aboutBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(GetWindow(boxes[0], GW_OWNER), editor.window);
    EXPECT_TRUE(IsWindowEnabled(editor.window));
    EXPECT_EQ(TextOf(GetDlgItem(boxes[0], IDT_ABOUT_VERSION)), "version 4.1");
    PostMessageA(boxes[0], WM_COMMAND, IDB_ABOUT_OK, 0);
    EXPECT_TRUE(WaitUntil([&] { return aboutBoxes().empty(); }));
    EXPECT_TRUE(IsWindow(editor.window));
    PostMessageA(editor.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.process.WaitExit(kPatience));
}

TEST(ConfigDialog, TheSwitchOpensTheEditorOnTheCurrentTheme) {
    ProgramCopy copy;
    Process config = StartSaver(copy, "/c");
    HWND window = WaitForWindow(config, kPatience);
    ASSERT_NE(window, nullptr);
    WaitUntil([window] { return WindowText(window) == "Orvelle Screen Saver - [Orvelle]"; });
    EXPECT_EQ(WindowText(window), "Orvelle Screen Saver - [Orvelle]");
    EXPECT_EQ(ClassOf(window), "#32770");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(config.WaitExit(kPatience));
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
        Settled(window);
        RECT rc;
        GetWindowRect(window, &rc);
        ScreenSettles(rc);
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
        WaitUntil([&] {
            for (HWND w : VisibleWindowsOf(editor.process.Id())) {
                if (std::find(before.begin(), before.end(), w) == before.end()) {
                    shown = w;
                }
            }
            return shown != nullptr;
        });
        ASSERT_NE(shown, nullptr) << name;
        Shoot(shown, name);
        PostMessageA(shown, WM_CLOSE, 0, 0);
        WaitUntil([shown] { return !IsWindowVisible(shown); });
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
        Settled(editor.window);
    }
    shots.Shoot(editor.window, "form2-keys-1-toolbar");
    for (int i = 0; i < 5; ++i) {
        TypeKey(VK_TAB);
        Settled(editor.window);
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
    editor.window = WaitForWindow(editor.process, kPatience);
    ASSERT_NE(editor.window, nullptr);
    WaitUntil([&] { return WindowText(editor.window) == "Orvelle Screen Saver - [Orvelle]"; });
    for (int page = 0; page < 5; ++page) {
        SelectPage(editor.window, page);
        shots.Shoot(editor.window, "form2-" + std::to_string(page + 1) + "-" + kPageNames[page]);
    }
    ShootKeyboardPlaces(editor, shots);
    // The small dialogs, the folder import and the picture viewer.
    std::map<int, HWND> controls = ControlsById(editor.window);
    const std::pair<const char*, UINT> commands[] = {{"frmNewName", IDM_FILE_NEW},
                                                     {"frmExistingNames", IDM_FILE_LOAD},
                                                     {"frmDelete", IDM_FILE_DELETE},
                                                     {"frmAbout", IDM_HELP_ABOUT}};
    for (const auto& [name, command] : commands) {
        shots.ShootNew(editor, name, [&] { PostMessageA(editor.window, WM_COMMAND, command, 0); });
    }
    HWND mouse = controls[IDC_EDITOR_MOUSE_TOOLBAR];
    shots.ShootNew(editor, "frmMouse", [&] {
        PostMessageA(editor.window, WM_COMMAND, IDB_EDITOR_MOUSE, reinterpret_cast<LPARAM>(mouse));
    });
    SelectPage(editor.window, 0);
    shots.ShootNew(editor, "MultiFiles",
                   [&] { PostMessageA(controls[IDB_IMAGES_ADD_FOLDER], BM_CLICK, 0, 0); });
    shots.ShootNew(editor, "ImageView", [&] {
        PostMessageA(GetParent(controls[IDL_IMAGES_PICTURES]), WM_COMMAND,
                     MAKEWPARAM(IDL_IMAGES_PICTURES, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(controls[IDL_IMAGES_PICTURES]));
    });
    // The folder window's button counts as an edit: the question before closing is answered No.
    PostMessageA(editor.window, WM_CLOSE, 0, 0);
    if (HWND box = WaitForMessageBox(editor.process, kPatience)) {
        PostMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    }
    EXPECT_TRUE(editor.process.WaitExit(kPatience));
}

}  // namespace
