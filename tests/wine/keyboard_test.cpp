// The theme editor and its windows driven from the keyboard alone, the keys going to the window
// in front as the keyboard delivers them.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "config/control_ids.h"
#include "editor_driver.h"

using namespace wine_test;

namespace {

GUITHREADINFO GuiOf(HWND window) {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    return gui;
}

bool HasFocus(HWND window, HWND control) {
    return WaitUntil([&] { return GuiOf(window).hwndFocus == control; });
}

bool InFront(HWND window) {
    return WaitUntil([&] { return GetForegroundWindow() == window; });
}

bool MenuShown() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu);
}

// Alt and the letter open a menu, the editor answering meanwhile; Esc and Esc close it.
bool MenuOpensAtOnce(HWND editor, WORD letter) {
    TypeChord({VK_MENU, letter});
    const bool opened = WaitUntil(MenuShown);
    DWORD_PTR result = 0;
    const bool answers =
        SendMessageTimeoutW(editor, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
    TypeKey(VK_ESCAPE);
    WaitUntil([] { return !MenuShown(); });
    if (GuiOf(editor).flags & GUI_INMENUMODE) {
        TypeKey(VK_ESCAPE);  // the menu bar, still chosen
    }
    return opened && answers && WaitUntil([&] { return !(GuiOf(editor).flags & GUI_INMENUMODE); });
}

// The access keys of the buttons and labels right inside the window.
std::string AccessKeys(HWND parent) {
    std::string keys;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string text = TextOf(child);
        const size_t amp = text.find('&');
        if ((ClassOf(child) == "Button" || ClassOf(child) == "Static") &&
            amp != std::string::npos && amp + 1 < text.size()) {
            keys += static_cast<char>(std::toupper(static_cast<unsigned char>(text[amp + 1])));
        }
    }
    return keys;
}

// Two pictures that exist: a small one, and one larger than the screen for the viewer to scroll,
// ten green columns at its left, red above row 300 and blue below.
struct PictureTheme {
    ProgramCopy scratch;
    std::string small = scratch.Path("small.bmp");
    std::string large = scratch.Path("large.bmp");
    ThemeText theme;
    PictureTheme() {
        WriteBmpFile(small, 200, 100, [](int, int) { return kBlue; });
        WriteBmpFile(large, 1600, 1200, [](int x, int y) {
            return x < 10 ? kGreen : y < 300 ? kRed : kBlue;
        });
        theme.Pictures({small, large});
    }
};

TEST(Keyboard, PagesTurnOnTheStripWhereTabLeadsAndAltOpensTheMenusOnEveryPage) {
    PictureTheme pictures;
    OpenEditor editor(pictures.theme);
    ASSERT_NE(editor.window, nullptr);
    ASSERT_TRUE(InFront(editor.window));
    HWND strip = editor[IDC_EDITOR_TABS];
    const int witness[] = {IDL_IMAGES_PICTURES, IDK_SETTINGS_SIZE, IDO_BACKGROUND_DESKTOP,
                           IDO_COUNTDOWN_NOTHING, IDL_MUSIC_FILES};
    // Around the pages and one back. On a control of a hidden page Alt+F hung the editor.
    for (int turn = 1; turn <= 6; ++turn) {
        const int page = turn == 6 ? 4 : turn % 5;
        if (turn == 6) {
            TypeChord({VK_CONTROL, VK_SHIFT, VK_TAB});
        } else {
            TypeChord({VK_CONTROL, VK_TAB});
        }
        EXPECT_TRUE(WaitUntil([&] { return SendMessageW(strip, TCM_GETCURSEL, 0, 0) == page; }));
        EXPECT_TRUE(HasFocus(editor.window, strip)) << page;
        std::string keys = AccessKeys(editor.window) + AccessKeys(GetParent(editor[witness[page]]));
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end()) << page << keys;
        EXPECT_EQ(keys.find_first_of("FHW"), std::string::npos) << page << keys;
        for (WORD letter : {'F', 'H', 'W'}) {
            EXPECT_TRUE(MenuOpensAtOnce(editor.window, letter)) << page << char(letter);
        }
    }
    // Tab runs from the strip through the shown page to OK; Shift+Tab back past the strip.
    HWND page = GetParent(editor[IDL_MUSIC_FILES]);
    int stops = 0;
    for (; stops < 20 && GuiOf(editor.window).hwndFocus != editor[IDB_EDITOR_OK]; ++stops) {
        HWND before = GuiOf(editor.window).hwndFocus;
        TypeKey(VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return GuiOf(editor.window).hwndFocus != before; }));
        HWND focus = GuiOf(editor.window).hwndFocus;
        EXPECT_TRUE(focus == editor[IDB_EDITOR_OK] ||
                    (IsChild(page, focus) && IsWindowVisible(focus)));
    }
    EXPECT_GT(stops, 1);
    for (int i = 0; i < stops; ++i) {
        TypeChord({VK_SHIFT, VK_TAB});
    }
    EXPECT_TRUE(HasFocus(editor.window, strip));
    TypeChord({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(HasFocus(editor.window, editor[IDC_EDITOR_MOUSE_TOOLBAR]));
}

std::string EntryOf(HWND list, int index) {
    wchar_t text[MAX_PATH] = {};
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return orvelle::win::Narrow(text);
}

// Tabs until the control has the focus.
bool TabTo(HWND window, HWND control) {
    for (int i = 0; i < 20 && GuiOf(window).hwndFocus != control; ++i) {
        HWND before = GuiOf(window).hwndFocus;
        TypeKey(VK_TAB);
        WaitUntil([&] { return GuiOf(window).hwndFocus != before; });
    }
    return GuiOf(window).hwndFocus == control;
}

// The caption toolbar's Enlarge (Left from its first button) opens the viewer on the large
// picture, which scrolls with the keys and closes on Esc.
void ScrollTheViewerFromTheKeys(OpenEditor& editor) {
    ASSERT_TRUE(TabTo(editor.window, editor[IDC_IMAGES_CAPTION_TOOLBAR]));
    TypeKey(VK_LEFT);
    TypeKey(VK_RETURN);
    HWND viewer = editor.OtherWindow([](HWND w) { return WindowText(w) == " Image Viewer"; });
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(InFront(viewer));
    POINT corner = {2, 2};
    ClientToScreen(viewer, &corner);
    for (auto [key, colour] : {std::pair{VK_RIGHT, kRed}, {VK_NEXT, kBlue}, {VK_HOME, kRed}}) {
        TypeKey(static_cast<WORD>(key));
        EXPECT_TRUE(WaitForPixel(corner.x, corner.y, colour, 8, kPatience)) << key;
    }
    TypeKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(viewer); }));
    ASSERT_TRUE(InFront(editor.window));
}

// Space on the focused swatch opens the dialog of the title, which Esc closes.
void ExpectSwatchOpens(OpenEditor& editor, int swatch, const std::string& title) {
    ASSERT_TRUE(HasFocus(editor.window, editor[swatch]));
    TypeKey(VK_SPACE);
    HWND dialog = editor.OtherWindow([](HWND w) { return ClassOf(w) == "#32770"; });
    ASSERT_NE(dialog, nullptr) << title;
    EXPECT_EQ(WindowText(dialog), title);
    TypeKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << title;
    ASSERT_TRUE(InFront(editor.window));
}

// Alt+M opens the folder import; Enter in its folder list opens the chosen folder (the way up)
// instead of loading the pictures.
void OpenAFolderWithEnter(OpenEditor& editor) {
    TypeChord({VK_MENU, 'M'});
    HWND import =
        editor.OtherWindow([](HWND w) { return GetDlgItem(w, IDL_IMPORT_FOLDERS) != nullptr; });
    ASSERT_NE(import, nullptr);
    ASSERT_TRUE(InFront(import));
    ASSERT_TRUE(TabTo(import, GetDlgItem(import, IDL_IMPORT_FOLDERS)));
    const std::string opened = TextOf(GetDlgItem(import, IDT_IMPORT_FOLDER));
    TypeKey(VK_HOME);
    TypeKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(import, IDT_IMPORT_FOLDER)) != opened; }));
    EXPECT_EQ(SendMessageW(editor[IDL_IMAGES_PICTURES], LB_GETCOUNT, 0, 0), 2)
        << "Enter loaded them";
    TypeKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(import); }));
    ASSERT_TRUE(InFront(editor.window));
}

TEST(Keyboard, ToolbarsSwatchesViewerHelpAndFolderListWorkFromTheKeys) {
    PictureTheme pictures;
    OpenEditor editor(pictures.theme, "/c", "trace+exec");
    ASSERT_NE(editor.window, nullptr);
    ASSERT_TRUE(InFront(editor.window));
    // The picture toolbar (before the list): Right three times and Enter press Up.
    ASSERT_TRUE(HasFocus(editor.window, editor[IDL_IMAGES_PICTURES]));
    TypeKey(VK_END);
    TypeChord({VK_SHIFT, VK_TAB});
    ASSERT_TRUE(HasFocus(editor.window, editor[IDC_IMAGES_TOOLBAR]));
    for (WORD key : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN}) {
        TypeKey(key);
    }
    EXPECT_TRUE(
        WaitUntil([&] { return EntryOf(editor[IDL_IMAGES_PICTURES], 0) == pictures.large; }));
    EXPECT_TRUE(HasFocus(editor.window, editor[IDC_IMAGES_TOOLBAR]));
    ASSERT_NO_FATAL_FAILURE(ScrollTheViewerFromTheKeys(editor));
    // The caption colour swatch follows its toolbar and opens the font and colour dialog.
    TypeKey(VK_TAB);
    ASSERT_NO_FATAL_FAILURE(ExpectSwatchOpens(editor, IDP_IMAGES_FONT_COLOUR, "Font"));
    // F1 opens the help page as Help > Orvelle Help does.
    TypeKey(VK_F1);
    EXPECT_TRUE(WaitUntil([&] {
        return ReadFileBytes(editor.traceLog).value_or("").find("help.htm") != std::string::npos;
    }));
    ASSERT_NO_FATAL_FAILURE(OpenAFolderWithEnter(editor));
    // On the background page Tab enters the kinds at the chosen one, then the colour swatch.
    TypeChord({VK_CONTROL, VK_TAB});
    TypeChord({VK_CONTROL, VK_TAB});
    TypeKey(VK_TAB);
    ASSERT_TRUE(HasFocus(editor.window, editor[IDO_BACKGROUND_COLOUR]));
    EXPECT_TRUE(editor.Checked(IDO_BACKGROUND_COLOUR));
    TypeKey(VK_TAB);
    ASSERT_NO_FATAL_FAILURE(ExpectSwatchOpens(editor, IDP_BACKGROUND_COLOUR, "Color"));
}

// On Image Settings the access key of "Pictures on" reaches its list; the arrows change the choice
// and the text under it follows at once, starting from the theme's own choice.
TEST(Keyboard, PicturesOnArrowsChangeTheChoiceAndItsExplanation) {
    ThemeText theme;
    theme.Set("image", "picturesOn", "2");
    OpenEditor editor(theme);
    ASSERT_NE(editor.window, nullptr);
    ASSERT_TRUE(InFront(editor.window));
    HWND hint = editor[IDT_SETTINGS_PICTURES_ON_HINT];
    auto explains = [&](const char* words) {
        return WaitUntil([&] { return TextOf(hint).find(words) != std::string::npos; });
    };
    EXPECT_TRUE(explains("changing together"));
    TypeChord({VK_CONTROL, VK_TAB});
    TypeChord({VK_MENU, 'P'});
    ASSERT_TRUE(HasFocus(editor.window, editor[IDC_SETTINGS_PICTURES_ON]));
    const std::pair<WORD, const char*> steps[] = {
        {VK_UP, "its own pictures"}, {VK_UP, "show the background"}, {VK_DOWN, "its own pictures"}};
    for (const auto& [key, words] : steps) {
        TypeKey(key);
        EXPECT_TRUE(explains(words)) << words << ": " << TextOf(hint);
    }
    EXPECT_EQ(GetWindowLongW(hint, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_TRUE(IsWindowVisible(hint));
}

}  // namespace
