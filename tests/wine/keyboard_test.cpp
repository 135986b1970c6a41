// The theme editor and its windows driven from the keyboard alone, with keys as the keyboard
// delivers them to the window in front.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "base/wide_win.h"
#include "config/multi_files_ids.h"
#include "editor_driver.h"

using namespace wine_test;

namespace {

GUITHREADINFO GuiOf(HWND window) {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    return gui;
}

HWND FocusOf(HWND window) {
    return GuiOf(window).hwndFocus;
}

bool InMenu(HWND window) {
    return (GuiOf(window).flags & GUI_INMENUMODE) != 0;
}

// A menu of the window's process is open on the screen.
bool MenuShown(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    for (HWND shown : VisibleWindowsOf(process)) {
        if (ClassOf(shown) == "#32768") {
            return true;
        }
    }
    return false;
}

bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

template <typename Condition>
bool WaitUntil(Condition condition, DWORD milliseconds = 5000) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Pump(30)) {
        if (condition()) {
            return true;
        }
    }
    return condition();
}

// The letter after the single "&" of a caption, or 0.
char AccessKey(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (caption[i + 1] != '&') {
                return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
            }
            ++i;
        }
    }
    return 0;
}

// The access keys of the buttons and labels right inside the window, with their owners.
void CollectAccessKeys(HWND parent, std::multimap<char, std::string>& keys) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string kind = ClassOf(child);
        const bool noPrefix = kind == "Static" && (GetWindowLongW(child, GWL_STYLE) & SS_NOPREFIX);
        if ((kind == "Button" || kind == "Static") && !noPrefix) {
            if (char key = AccessKey(TextOf(child))) {
                keys.emplace(key, TextOf(child));
            }
        }
    }
}

// Opens the menu of the Alt key, sees it open with the editor answering, and closes it.
void ExpectMenuOpens(HWND editor, WORD letter, const std::string& where) {
    TypeChord({VK_MENU, letter});
    EXPECT_TRUE(WaitUntil([&] { return MenuShown(editor); })) << where << " Alt+" << char(letter);
    EXPECT_TRUE(Answers(editor)) << where << " Alt+" << char(letter);
    // Esc closes the menu, and the next leaves the menu bar.
    TypeKey(VK_ESCAPE);
    WaitUntil([&] { return !MenuShown(editor); });
    if (InMenu(editor)) {
        TypeKey(VK_ESCAPE);
    }
    EXPECT_TRUE(WaitUntil([&] { return !InMenu(editor); })) << where;
}

// Two pictures that exist: a small one, and one larger than the screen for the viewer to scroll:
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

// Each page's access keys, with the window's own, are unique and leave F, H and W to the menus.
void ExpectAccessKeysFree(OpenEditor& editor) {
    const int witness[] = {IDC_List1, IDC_PercentSlider, IDC_backgroundDesktop, IDC_noneOption,
                           IDC_multimediaList};
    for (int page = 0; page < 5; ++page) {
        std::multimap<char, std::string> keys;
        CollectAccessKeys(editor.window, keys);
        CollectAccessKeys(GetParent(editor[witness[page]]), keys);
        for (const auto& [key, caption] : keys) {
            EXPECT_EQ(keys.count(key), 1u) << "page " << page << ": " << caption;
            EXPECT_EQ(std::string("FHW").find(key), std::string::npos) << caption;
        }
    }
}

// From the strip, Tab runs through the shown page's controls to OK, and Shift+Tab back the same
// way, past the strip to the theme strip's last button.
void ExpectTabRunsThroughThePage(OpenEditor& editor, HWND page) {
    std::vector<HWND> forward;
    for (int i = 0; i < 20 && FocusOf(editor.window) != editor[IDC_Ok]; ++i) {
        HWND before = FocusOf(editor.window);
        TypeKey(VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(editor.window) != before; }));
        forward.push_back(FocusOf(editor.window));
    }
    ASSERT_GE(forward.size(), 2u);
    EXPECT_EQ(forward.back(), editor[IDC_Ok]);
    for (size_t i = 0; i + 1 < forward.size(); ++i) {
        EXPECT_TRUE(IsChild(page, forward[i])) << i;
        EXPECT_TRUE(IsWindowVisible(forward[i]) && IsWindowEnabled(forward[i])) << i;
    }
    for (size_t i = forward.size() - 1; i-- > 0;) {
        TypeChord({VK_SHIFT, VK_TAB});
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(editor.window) == forward[i]; })) << i;
    }
    for (int before : {IDC_SSTab1, IDC_ToolbarMouse}) {
        TypeChord({VK_SHIFT, VK_TAB});
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(editor.window) == editor[before]; })) << before;
    }
}

TEST(Keyboard, PagesTurnOnTheStripWhereTabLeadsAndEveryAccessKeyIsFree) {
    PictureTheme pictures;
    OpenEditor editor(pictures.theme);
    ASSERT_NE(editor.window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor.window; }));
    ExpectAccessKeysFree(editor);

    // Around the pages and back: each turn leaves the focus on the strip (on a control of a
    // hidden page, Alt+F used to hang the editor), and the menus open.
    HWND strip = editor[IDC_SSTab1];
    const struct {
        int page;
        bool back;
    } turns[] = {{1, false}, {2, false}, {3, false}, {4, false}, {0, false}, {4, true}};
    for (const auto& [page, back] : turns) {
        if (back) {
            TypeChord({VK_CONTROL, VK_SHIFT, VK_TAB});
        } else {
            TypeChord({VK_CONTROL, VK_TAB});
        }
        const std::string where = "page " + std::to_string(page);
        EXPECT_TRUE(WaitUntil([&] { return SendMessageW(strip, TCM_GETCURSEL, 0, 0) == page; }))
            << where;
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(editor.window) == strip; })) << where;
        for (WORD letter : {'F', 'H', 'W'}) {
            ExpectMenuOpens(editor.window, letter, where);
        }
    }
    ExpectTabRunsThroughThePage(editor, GetParent(editor[IDC_multimediaList]));
}

std::string EntryOf(HWND list, int index) {
    wchar_t text[MAX_PATH] = {};
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return orvelle::win::Narrow(text);
}

COLORREF ClientCorner(HWND window) {
    POINT corner = {0, 0};
    ClientToScreen(window, &corner);
    return ScreenPixel(corner.x + 2, corner.y + 2);
}

// Tabs until the control has the focus; false after a round without it.
bool TabTo(HWND window, HWND control) {
    for (int i = 0; i < 20 && FocusOf(window) != control; ++i) {
        HWND before = FocusOf(window);
        TypeKey(VK_TAB);
        WaitUntil([&] { return FocusOf(window) != before; }, 2000);
    }
    return FocusOf(window) == control;
}

bool HasFocus(HWND window, HWND control) {
    return WaitUntil([&] { return FocusOf(window) == control; });
}

bool InFront(HWND window) {
    return WaitUntil([&] { return GetForegroundWindow() == window; });
}

// The picture toolbar (Shift+Tab from the list): Up, its fourth button, and Down, its fifth,
// move the selected large picture, from Enter and from Space.
void MovePictureWithTheToolbar(OpenEditor& editor, const PictureTheme& pictures) {
    HWND list = editor[IDC_List1];
    HWND images = editor[IDC_toolbarImages];
    ASSERT_TRUE(HasFocus(editor.window, list));
    TypeKey(VK_END);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == 1; }));
    TypeChord({VK_SHIFT, VK_TAB});
    ASSERT_TRUE(HasFocus(editor.window, images));
    const struct {
        int rights;
        WORD press;
        int hot;
        std::string first;
    } moves[] = {{3, VK_RETURN, 3, pictures.large}, {1, VK_SPACE, 4, pictures.small}};
    for (const auto& move : moves) {
        for (int i = 0; i < move.rights; ++i) {
            TypeKey(VK_RIGHT);
        }
        EXPECT_TRUE(
            WaitUntil([&] { return SendMessageW(images, TB_GETHOTITEM, 0, 0) == move.hot; }));
        TypeKey(move.press);
        EXPECT_TRUE(WaitUntil([&] { return EntryOf(list, 0) == move.first; })) << move.hot;
        EXPECT_TRUE(HasFocus(editor.window, images)) << "the toolbar keeps the focus";
    }
}

// The caption toolbar's Enlarge (Left from its first button) opens the viewer on the large
// picture, which scrolls with the keys and closes on Esc.
void ScrollTheViewerFromTheKeys(OpenEditor& editor) {
    HWND captions = editor[IDC_toolbarCaptions];
    ASSERT_TRUE(TabTo(editor.window, captions));
    TypeKey(VK_LEFT);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(captions, TB_GETHOTITEM, 0, 0) == 2; }));
    TypeKey(VK_RETURN);
    HWND viewer = editor.OtherWindow([](HWND w) { return WindowText(w) == " Image Viewer"; });
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(InFront(viewer));
    const struct {
        WORD key;
        COLORREF corner;
    } scrolls[] = {{0, kGreen},     {VK_RIGHT, kRed}, {VK_NEXT, kBlue}, {VK_HOME, kRed},
                   {VK_END, kBlue}, {VK_UP, kBlue},   {VK_LEFT, kGreen}};
    for (const auto& scroll : scrolls) {
        if (scroll.key) {
            TypeKey(scroll.key);
        }
        EXPECT_TRUE(WaitUntil([&] { return ColourNear(ClientCorner(viewer), scroll.corner, 8); }))
            << "after key " << scroll.key << " saw " << Hex(ClientCorner(viewer));
    }
    TypeKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(viewer); }));
    ASSERT_TRUE(InFront(editor.window));
    EXPECT_TRUE(HasFocus(editor.window, captions));
}

// Space on the focused swatch opens the dialog whose title is given, which Esc closes.
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
// instead of loading the pictures, and Esc closes the window.
void OpenAFolderWithEnter(OpenEditor& editor) {
    TypeChord({VK_MENU, 'M'});
    HWND import = editor.OtherWindow(
        [](HWND w) { return GetDlgItem(w, IDC_MultiFiles_dirDirectories) != nullptr; });
    ASSERT_NE(import, nullptr);
    HWND folders = GetDlgItem(import, IDC_MultiFiles_dirDirectories);
    HWND folderLabel = GetDlgItem(import, IDC_MultiFiles_lblFolder);
    ASSERT_TRUE(InFront(import));
    ASSERT_TRUE(TabTo(import, folders));
    const std::string opened = TextOf(folderLabel);
    TypeKey(VK_HOME);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(folders, LB_GETCURSEL, 0, 0) == 0; }));
    TypeKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(folderLabel) != opened; }));
    EXPECT_TRUE(IsWindowVisible(import)) << "Enter loaded the pictures instead";
    EXPECT_EQ(SendMessageW(editor[IDC_List1], LB_GETCOUNT, 0, 0), 2);
    TypeKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(import); }));
    ASSERT_TRUE(InFront(editor.window));
}

TEST(Keyboard, ToolbarsSwatchesViewerHelpAndFolderListWorkFromTheKeys) {
    PictureTheme pictures;
    OpenEditor editor(pictures.theme, "/c", "trace+exec");
    ASSERT_NE(editor.window, nullptr);
    ASSERT_TRUE(InFront(editor.window));
    ASSERT_NO_FATAL_FAILURE(MovePictureWithTheToolbar(editor, pictures));
    ASSERT_NO_FATAL_FAILURE(ScrollTheViewerFromTheKeys(editor));
    // The caption colour swatch follows its toolbar and opens the font and colour dialog.
    TypeKey(VK_TAB);
    ASSERT_NO_FATAL_FAILURE(ExpectSwatchOpens(editor, IDC_Picture2, "Font"));

    // F1 opens the help page as Help > Orvelle Help does.
    TypeKey(VK_F1);
    EXPECT_TRUE(WaitUntil([&] {
        return ReadFileBytes(editor.traceLog).value_or("").find("help.htm") != std::string::npos;
    })) << "the shell was not asked for help.htm";
    ASSERT_NO_FATAL_FAILURE(OpenAFolderWithEnter(editor));

    // On the background page, Tab from the strip enters the kinds at the chosen one and leaves
    // it chosen; the colour swatch follows and opens the colour dialog.
    for (int i = 0; i < 2; ++i) {
        TypeChord({VK_CONTROL, VK_TAB});
    }
    ASSERT_TRUE(
        WaitUntil([&] { return SendMessageW(editor[IDC_SSTab1], TCM_GETCURSEL, 0, 0) == 2; }));
    TypeKey(VK_TAB);
    ASSERT_TRUE(HasFocus(editor.window, editor[IDC_backgroundColor]));
    EXPECT_TRUE(editor.Checked(IDC_backgroundColor));
    TypeKey(VK_TAB);
    ASSERT_NO_FATAL_FAILURE(ExpectSwatchOpens(editor, IDC_Picture1, "Color"));
}

}  // namespace
