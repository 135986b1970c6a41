// Drives orvelle.scr /c from outside, as a user would: the editor found by its title, its
// controls by id, clicks posted, the files read back.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <vector>
#include <string>

#include "base/wide_win.h"
#include "config/control_ids.h"
#include "settings/theme_model.h"
#include "wine_support.h"

namespace wine_test {

// A message handed to the program's window as its controls hand theirs (sent, without waiting
// for the answer, since what it starts may wait for the user), and taken: the program has
// handled it, or waits in a loop of its own (a message box, a dialog).
inline void Deliver(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    SendNotifyMessageW(window, message, wParam, lParam);
    Settled(window);
}

// A button of a message box (IDYES, IDNO, IDCANCEL, ...) pressed, and the box waited out.
inline void PressButton(HWND box, int id) {
    PostMessageW(GetDlgItem(box, id), BM_CLICK, 0, 0);
    WaitUntil([box] { return !IsWindowVisible(box); });
}

// A button of a small dialog pressed as the dialog manager reports it, and taken by the
// program (the dialog may close, or a message box open).
inline void PressInDialog(HWND dialog, int id) {
    Deliver(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
            reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// An entry of a small dialog's list chosen as a click chooses it.
inline void ChooseEntry(HWND dialog, int listId, const std::string& name) {
    HWND list = GetDlgItem(dialog, listId);
    const LRESULT index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(orvelle::win::Wide(name).c_str()));
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Deliver(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

struct OpenEditor {
    ProgramCopy copy;
    Process process;
    HWND window = nullptr;
    std::map<int, HWND> controls;
    std::string loadMessage;

    std::string traceLog;  // Wine's debug output of the channels asked for

    // Starts the editor on the theme and waits until the load has named it in the title. A
    // message the load shows is answered with OK and kept in loadMessage; with Wine debug
    // channels, their output goes to traceLog.
    explicit OpenEditor(const ThemeText& theme, const std::string& arguments = "/c",
                        const std::string& wineChannels = "") {
        UseTheme(copy, theme);
        if (wineChannels.empty()) {
            process = StartSaver(copy, arguments);
        } else {
            traceLog = copy.Path("wine-trace.log");
            process = StartSaverWithWineTrace(copy, arguments, wineChannels, traceLog);
        }
        WaitUntil([this] {
            if (HWND box = FindMessageBox(process.Id())) {
                loadMessage = MessageBoxText(box);
                PressOk(box);
            }
            for (HWND w : VisibleWindowsOf(process.Id())) {
                if (WindowText(w).rfind("Orvelle Screen Saver - [", 0) == 0) {
                    window = w;
                }
            }
            return window != nullptr;
        });
        controls = ControlsById(window);
    }
    HWND operator[](int id) { return controls[id]; }
    // The editor has handled everything sent before (or waits in a box of its own).
    bool Answers() { return Settled(window); }
    // The small dialog has closed and the editor has gone on from it.
    bool Closed(HWND dialog) {
        return WaitUntil([dialog] { return !IsWindow(dialog); }) && Answers();
    }
    // The message box the editor shows next answered with the button (IDOK, IDYES, ...), once
    // the editor has gone on; its text, "<no message>" when none came.
    std::string Answer(int button = IDOK) {
        HWND box = WaitForMessageBox(process, kPatience);
        if (!box) {
            return "<no message>";
        }
        const std::string text = MessageBoxText(box);
        PressButton(box, button);
        Answers();
        return text;
    }
    // Typed into an edit box or a combo box's edit part, replacing its text, key by key.
    void Type(int id, const std::string& text) {
        HWND edit = controls[id];
        if (HWND inner = FindWindowExW(edit, nullptr, L"Edit", nullptr)) {
            edit = inner;
        }
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_CHAR, VK_BACK, 0);
        for (char c : text) {
            SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
        }
        Answers();
    }
    // The picture viewer on the list's entry, opened as the mouse does it (the first click
    // selects, the second opens); nullptr when it does not come.
    HWND OpenViewer(int index) {
        HWND list = controls[IDL_IMAGES_PICTURES];
        SendMessageW(list, LB_SETCURSEL, index, 0);
        for (WORD code : {LBN_SELCHANGE, LBN_DBLCLK}) {
            PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(IDL_IMAGES_PICTURES, code),
                         reinterpret_cast<LPARAM>(list));
        }
        return OtherWindow([](HWND w) { return WindowText(w) == " Image Viewer"; });
    }
    // A window of the editor's process other than the editor that passes the test, waited for.
    template <typename Test>
    HWND OtherWindow(Test test) {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND w : VisibleWindowsOf(process.Id())) {
                if (w != window && test(w)) {
                    found = w;
                }
            }
            return found != nullptr;
        });
        return found;
    }
    // The small dialog of the editor's process that has the control, waited for.
    HWND SmallDialog(int controlId) {
        return OtherWindow([controlId](HWND w) { return GetDlgItem(w, controlId) != nullptr; });
    }
    // File > Load Theme..., the theme chosen and Load pressed: the load dialog, which stays open
    // while a question or message is answered.
    HWND LoadTheme(const std::string& name) {
        PostMessageW(window, WM_COMMAND, IDM_FILE_LOAD, 0);
        HWND dialog = SmallDialog(IDL_LOAD_THEME_NAMES);
        ChooseEntry(dialog, IDL_LOAD_THEME_NAMES, name);
        PressInDialog(dialog, IDB_LOAD_THEME_OK);
        return dialog;
    }
    // A key as the keyboard gives it to the control with the focus.
    void Key(WORD key) {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
        SendKey(gui.hwndFocus ? gui.hwndFocus : window, key);
    }
    // A click as the button receives it from the mouse, a key as the control receives it, a
    // toolbar button's command: each returns once the editor has taken it (see Deliver).
    void Click(int id) { Deliver(controls[id], BM_CLICK); }
    void Press(int id, WORD key) {
        Deliver(controls[id], WM_KEYDOWN, key);
        Deliver(controls[id], WM_KEYUP, key);
    }
    void Toolbar(int toolbar, int button) {
        HWND bar = controls[toolbar];
        Deliver(GetParent(bar), WM_COMMAND, button, reinterpret_cast<LPARAM>(bar));
    }
    // The picture toolbar's Add, answered in the real open-file dialog.
    void AddPicture(const std::string& path) {
        Toolbar(IDC_IMAGES_TOOLBAR, IDB_IMAGES_ADD);
        ChooseFile(path);
    }
    // The open-file dialog that is up, answered with the path.
    void ChooseFile(const std::string& path) {
        HWND dialog = OtherWindow([](HWND w) { return ClassOf(w) == "#32770"; });
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(WindowText(dialog), "Select a file to open");
        constexpr int kFileNameCombo = 1148;  // the Explorer-style dialog's file name box
        constexpr int kFileNameEdit = 1152;   // the older one's
        HWND name = GetDlgItem(dialog, kFileNameCombo);
        if (!name) {
            name = GetDlgItem(dialog, kFileNameEdit);
        }
        ASSERT_NE(name, nullptr);
        constexpr int kFileTypes = 1136;  // the "Files of type" box
        fileTypes.clear();
        HWND types = GetDlgItem(dialog, kFileTypes);
        const LRESULT count = types ? SendMessageW(types, CB_GETCOUNT, 0, 0) : 0;
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[512] = {};
            if (SendMessageW(types, CB_GETLBTEXTLEN, i, 0) < 511) {
                SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            }
            fileTypes.push_back(orvelle::win::Narrow(text));
        }
        SendMessageW(name, WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(orvelle::win::Wide(path).c_str()));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }))
            << "the file dialog stays open";
        Settled(window);
    }
    std::vector<std::string> fileTypes;  // as the last open-file dialog offered them

    void Select(int list, int index) {
        SendMessageW(controls[list], LB_SETCURSEL, index, 0);
        Deliver(GetParent(controls[list]), WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE),
                reinterpret_cast<LPARAM>(controls[list]));
    }
    bool Checked(int id) { return SendMessageW(controls[id], BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int Position(int id) { return static_cast<int>(SendMessageW(controls[id], TBM_GETPOS, 0, 0)); }
    std::string Theme() const { return ReadFileBytes(copy.ThemePath()).value_or("<missing>"); }
    std::string Global() const {
        return ReadFileBytes(copy.Path("orvellemain.ini")).value_or("<missing>");
    }
    std::string Key(const std::string& section, const std::string& key) const {
        return copy.ReadIni(copy.ThemePath(), section, key);
    }
    // Every single key of the theme file, as read back.
    std::map<std::string, std::string> Keys() const {
        std::map<std::string, std::string> keys;
        for (const orvelle::ThemeKeyInfo& info : orvelle::ThemeKeys()) {
            keys[info.key] = Key(info.section, info.key);
        }
        return keys;
    }
};

// The next saver run of the program copy shows the colour at the screen's centre.
inline bool SaverCentreShows(const ProgramCopy& copy, COLORREF colour) {
    Process saver = StartSaver(copy, "/s");
    return WaitForWindow(saver, kPatience) &&
           WaitForPixel(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                        colour, 8, kPatience);
}

}  // namespace wine_test
