// The editor on photo libraries: a long picture list kept whole, folder entries shown with their
// counts and previewed by their first pictures, and Add Folder through the shell's folder picker.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/wide_win.h"
#include "config/control_ids.h"
#include "editor_driver.h"
#include "wine_support.h"

using namespace wine_test;

namespace {

// The lines of a section, its header and the keys up to the next section.
std::string Section(const std::string& text, const std::string& name) {
    const std::size_t start = text.find("[" + name + "]");
    if (start == std::string::npos) {
        return "<no [" + name + "]>";
    }
    const std::size_t end = text.find("\n[", start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

std::string ListText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) {
        return "<no entry>";
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return orvelle::win::Narrow(text);
}

// The middle of a control on the screen.
COLORREF CentreOf(HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    return ScreenPixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// 40,000 entries (files, a folder, relative names) come back from open and OK as they were.
TEST(EditorLibrary, FortyThousandEntriesSurviveOpenAndOkUnchanged) {
    ProgramCopy scratch;
    const std::string first = scratch.Path("first.bmp");
    WriteBmpFile(first, 64, 48, [](int, int) { return kBlue; });
    std::vector<std::string> paths = {first, "photos\\"};
    for (int i = 2; i < 40000; ++i) {
        paths.push_back(i % 3 ? "D:\\Photos\\" + std::to_string(2000 + i % 25) + "\\IMG_" +
                                    std::to_string(i) + ".jpg"
                              : "samples\\p" + std::to_string(i) + ".png");
    }
    ThemeText theme;
    theme.Pictures(paths);
    OpenEditor editor(theme);
    ASSERT_NE(editor.window, nullptr);
    const std::string before = editor.Theme();
    EXPECT_EQ(SendMessageW(editor[IDL_IMAGES_PICTURES], LB_GETCOUNT, 0, 0), 40000);
    EXPECT_EQ(TextOf(editor[IDT_IMAGES_TOTAL]), "Total: 40000");
    editor.Click(IDB_EDITOR_OK);
    ASSERT_TRUE(editor.process.WaitExit(kPatience));
    const std::string after = editor.Theme();
    EXPECT_EQ(Section(after, "images"), Section(before, "images"));
    EXPECT_EQ(editor.Key("total", "total"), "40000");
    EXPECT_EQ(Section(after, "caption").size(), Section(before, "caption").size());
}

// A folder entry (relative to the program folder) shows its count and previews its first
// picture in list order; Add Folder, from the keyboard through the shell's folder picker, adds
// the folder as typed, with its backslash, and it is saved so.
TEST(EditorLibrary, FolderEntryShowsItsCountAndAddFolderAddsOne) {
    ProgramCopy scratch;
    const std::string first = scratch.Path("first.bmp");
    WriteBmpFile(first, 64, 48, [](int, int) { return kBlue; });
    ThemeText theme;
    theme.Pictures({first, "photos\\"});
    OpenEditor editor(theme);
    ASSERT_NE(editor.window, nullptr);
    for (const char* name : {"photos\\b\\two.bmp", "photos\\a\\one.bmp", "photos\\three.bmp",
                             "more\\x.bmp", "more\\deep\\y.bmp"}) {
        const std::string path = editor.copy.Path(name);
        for (std::size_t slash = path.find('\\', editor.copy.Folder().size());
             slash != std::string::npos; slash = path.find('\\', slash + 1)) {
            CreateDirectoryW(orvelle::win::Wide(path.substr(0, slash)).c_str(), nullptr);
        }
        const bool firstInOrder = std::string(name) == "photos\\a\\one.bmp";
        WriteBmpFile(path, 80, 60, [=](int, int) { return firstInOrder ? kGreen : kRed; });
    }
    // The folder was empty when the editor opened: a new theme load counts it again.
    HWND list = editor[IDL_IMAGES_PICTURES];
    const std::string current =
        editor.copy.ReadIni(editor.copy.Path("orvellemain.ini"), "saver", "currentsaver");
    HWND dialog = editor.LoadTheme(current);
    ASSERT_TRUE(editor.Closed(dialog));
    EXPECT_TRUE(WaitUntil([&] { return ListText(list, 1) == "photos\\  (3 pictures)"; }))
        << ListText(list, 1);
    editor.Select(IDL_IMAGES_PICTURES, 1);
    EXPECT_TRUE(WaitUntil([&] {
        return ColourNear(CentreOf(editor[IDP_IMAGES_PREVIEW]), kGreen, 8);
    })) << Hex(CentreOf(editor[IDP_IMAGES_PREVIEW]));
    // Alt+D on the Images page, the folder typed into the picker, Enter.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor.window; }));
    TypeChord({VK_MENU, 'D'});
    HWND picker =
        editor.OtherWindow([](HWND w) { return WindowText(w) == "Choose a folder of pictures"; });
    ASSERT_NE(picker, nullptr);
    const std::string more = editor.copy.Path("more");
    HWND name = nullptr;
    for (const auto& [id, child] : ControlsById(picker)) {
        name = ClassOf(child) == "Edit" && IsWindowVisible(child) ? child : name;
    }
    ASSERT_NE(name, nullptr);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(orvelle::win::Wide(more).c_str()));
    SetForegroundWindow(picker);
    TypeKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([picker] { return !IsWindow(picker); })) << "the picker stays open";
    ASSERT_TRUE(editor.Answers());
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_TRUE(WaitUntil([&] { return ListText(list, 2) == more + "\\  (2 pictures)"; }))
        << ListText(list, 2);
    EXPECT_EQ(TextOf(editor[IDT_IMAGES_TOTAL]), "Total: 3");
    editor.Click(IDB_EDITOR_OK);
    ASSERT_TRUE(editor.process.WaitExit(kPatience));
    EXPECT_EQ(editor.Key("images", "1"), "photos\\");
    EXPECT_EQ(editor.Key("images", "2"), more + "\\");
}

}  // namespace
