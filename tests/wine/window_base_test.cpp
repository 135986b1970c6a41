// The program's window bases, in this process: an exception a handler lets out stops at the
// window's procedure and reaches the fault handler while the window goes on; and an object that
// goes before its window lets go of it before the window is destroyed.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/dialog_win.h"
#include "base/fault_barrier_win.h"
#include "base/wide_win.h"
#include "base/window_win.h"
#include "config/control_ids.h"
#include "wine_support.h"

namespace {

using orvelle::win::Dialog;
using orvelle::win::Window;

constexpr UINT kFail = WM_APP + 1;
constexpr UINT kAsk = WM_APP + 2;  // answered with 42

struct Fault {
    HWND window;
    std::string what;
};
std::vector<Fault> g_faults;

// The recording fault handler for the life of the object.
class RecordedFaults {
  public:
    RecordedFaults()
        : previous_(orvelle::win::SetFaultHandler([](HWND window, const std::string& what) {
              g_faults.push_back({window, what});
          })) {
        g_faults.clear();
    }
    ~RecordedFaults() { orvelle::win::SetFaultHandler(previous_); }

  private:
    orvelle::win::FaultHandler previous_;
};

class FailingWindow : public Window {
  public:
    FailingWindow() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        RegisterWindowClass(instance, {L"OrvelleFailingWindow"});
        Create(instance, L"OrvelleFailingWindow", 0, WS_POPUP, {0, 0, 60, 40}, nullptr);
    }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kFail) {
            throw std::runtime_error("the window's handler failed");
        }
        return message == kAsk ? 42 : Window::HandleMessage(message, wParam, lParam);
    }
};

class FailingDialog : public Dialog {
  protected:
    INT_PTR OnMessage(UINT message, WPARAM, LPARAM) override {
        if (message == kFail) {
            throw std::length_error("the dialog's handler failed");
        }
        if (message == kAsk) {
            SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, 42);
            return TRUE;
        }
        return FALSE;
    }
};

// A dialog of the program's own resources (the about box's template) around FailingDialog.
struct ProgramDialog {
    HMODULE program = LoadLibraryExW(
        orvelle::win::Wide(wine_test::StagedProgramFolder() + "\\orvelle.scr").c_str(), nullptr,
        LOAD_LIBRARY_AS_DATAFILE);
    std::unique_ptr<FailingDialog> dialog = std::make_unique<FailingDialog>();
    ProgramDialog() { dialog->Create(program, IDD_ABOUT, nullptr); }
    ~ProgramDialog() {
        dialog.reset();
        FreeLibrary(program);
    }
};

TEST(WindowBase, AnExceptionStopsAtTheProcedureAndTheWindowGoesOn) {
    RecordedFaults faults;
    FailingWindow window;
    ProgramDialog dialog;
    ASSERT_TRUE(window.IsAlive());
    ASSERT_TRUE(dialog.dialog->IsAlive());
    for (HWND hwnd : {window.Handle(), dialog.dialog->Handle()}) {
        // The failed message gets the default handling: 0 from both.
        EXPECT_EQ(SendMessageW(hwnd, kFail, 0, 0), 0);
        EXPECT_EQ(SendMessageW(hwnd, kAsk, 0, 0), 42);
        EXPECT_TRUE(IsWindow(hwnd));
    }
    ASSERT_EQ(g_faults.size(), 2u);
    EXPECT_EQ(g_faults[0].window, window.Handle());
    EXPECT_EQ(g_faults[0].what, "the window's handler failed");
    EXPECT_EQ(g_faults[1].window, dialog.dialog->Handle());
    EXPECT_EQ(g_faults[1].what, "the dialog's handler failed");
}

// What the window still pointed at when its destruction began.
struct DestroyWatch {
    int slot;
    LONG_PTR pointer = -1;
};

LRESULT CALLBACK WatchDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data) {
    if (message == WM_DESTROY) {
        auto* watch = reinterpret_cast<DestroyWatch*>(data);
        watch->pointer = GetWindowLongPtrW(window, watch->slot);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST(WindowBase, AnObjectThatGoesFirstLetsGoOfItsWindowBeforeTheWindowIsDestroyed) {
    DestroyWatch windowWatch{GWLP_USERDATA};
    DestroyWatch dialogWatch{DWLP_USER};
    HWND windowHandle = nullptr;
    HWND dialogHandle = nullptr;
    {
        FailingWindow window;
        ProgramDialog dialog;
        windowHandle = window.Handle();
        dialogHandle = dialog.dialog->Handle();
        ASSERT_NE(GetWindowLongPtrW(windowHandle, GWLP_USERDATA), 0);
        ASSERT_NE(GetWindowLongPtrW(dialogHandle, DWLP_USER), 0);
        SetWindowSubclass(windowHandle, WatchDestroy, 1, reinterpret_cast<DWORD_PTR>(&windowWatch));
        SetWindowSubclass(dialogHandle, WatchDestroy, 1, reinterpret_cast<DWORD_PTR>(&dialogWatch));
    }
    EXPECT_FALSE(IsWindow(windowHandle));
    EXPECT_FALSE(IsWindow(dialogHandle));
    EXPECT_EQ(windowWatch.pointer, 0);
    EXPECT_EQ(dialogWatch.pointer, 0);
}

}  // namespace
