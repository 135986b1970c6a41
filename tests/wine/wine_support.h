// Helpers for driving orvelle.scr under Wine as Windows would: start it with a switch from a copy
// of the program folder, find its windows, send it input, read back pixels and INI files. Paths
// and texts are UTF-8; the helpers call the system's wide functions.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "picture_files_win.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace wine_test {

// --- Waiting: on conditions, never on fixed pauses ---

// How long a wait for something that should come gives it: generous, as the machine is shared
// and slow at times. A wait that runs out fails the check it stands for; it never passes it.
constexpr DWORD kPatience = 10000;

// One step of every wait: handles this thread's waiting messages (the test's own windows paint
// and take their input), then sleeps until more come or 10 ms have passed.
void PumpStep();

// Polls the condition until it holds, handling this thread's messages meanwhile; false on
// time-out.
template <typename Condition>
bool WaitUntil(Condition done, DWORD milliseconds = kPatience) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= milliseconds) {
            return done();
        }
        PumpStep();
    }
    return true;
}

// The one fixed time a test may wait, for checks that something does NOT happen: watches the
// condition for the whole time (handling this thread's messages) and is false as soon as it
// fails.
template <typename Condition>
bool HoldsFor(DWORD milliseconds, Condition holds) {
    const DWORD start = GetTickCount();
    do {
        if (!holds()) {
            return false;
        }
        PumpStep();
    } while (GetTickCount() - start < milliseconds);
    return holds();
}

// Handles every message already waiting for this thread's own windows (and the paints and
// timers due), then returns.
void HandlePending();

// The thread of the window (of another process, or of this one on another thread) has handled
// every message sent, posted or typed to its windows before the call, and waits for more, in its
// own loop or in one it has opened (a message box, a dialog, a menu): it has answered a message
// sent after them, and painted a part of its window made invalid (the system hands out paints
// only when nothing else waits). False when that did not happen in time.
bool Settled(HWND window, DWORD milliseconds = kPatience);

// A screen pixel and the colour it should have (0x00BBGGRR) within a tolerance per channel.
struct ScreenPoint {
    int x;
    int y;
    COLORREF colour;
    int tolerance;
};
// Waits until every point shows its colour at once; on time-out, a failure naming the points
// that did not, with what they showed.
::testing::AssertionResult ScreenBecomes(const std::vector<ScreenPoint>& points,
                                         DWORD milliseconds = kPatience);
// Waits until the screen's pixels in the rectangle stop changing (the same in two readings
// 100 ms apart): for pictures taken of the screen. False on time-out.
bool ScreenSettles(const RECT& area, DWORD milliseconds = kPatience);

// Plain colours the tests paint pictures with and look for on the screen (0x00BBGGRR).
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// The staged program folder, as a Windows path.
std::string StagedProgramFolder();
// The system's temporary folder, ending in "\".
std::string TempFolder();
// A fresh copy of the staged program folder under the temp folder, or under a folder of that
// name inside it; removed by the destructor.
class ProgramCopy {
  public:
    explicit ProgramCopy(const std::string& under = "");
    ~ProgramCopy();
    const std::string& Folder() const { return folder_; }  // ends in "\"
    std::string Path(const std::string& name) const { return folder_ + name; }
    std::string ThemePath() const;  // the current theme's file
    void WriteIni(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value) const;
    std::string ReadIni(const std::string& file, const std::string& section,
                        const std::string& key) const;
    // Replaces the current theme with the given theme text (INI content).
    void WriteTheme(const std::string& text) const;

  private:
    std::string folder_;
    std::string parent_;  // the folder made for `under`, removed when empty
};

// Whole files as bytes, by UTF-8 path; false or nothing when the file cannot be written or read.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::optional<std::string> ReadFileBytes(const std::string& path);

class Process {
  public:
    Process() = default;
    Process(const std::string& exe, const std::string& arguments);
    // Takes charge of a running process found by its id (opened with all access).
    static Process Adopt(DWORD processId);
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process();  // kills the process if it is still running
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    // True when it exited within the time; the exit code is then in *code.
    bool WaitExit(DWORD milliseconds, DWORD* code = nullptr) const;
    bool Running() const;
    void Kill();

  private:
    PROCESS_INFORMATION info_ = {};
};

// Starts orvelle.scr from the folder with the arguments.
Process StartSaver(const ProgramCopy& copy, const std::string& arguments);
// Starts the editor window as designed (its templates, nothing behind them), a test program of
// its own that takes the configure switches of orvelle.scr.
Process StartDesignWindow(const std::string& arguments);

// Visible top-level windows of a process.
std::vector<HWND> VisibleWindowsOf(DWORD processId);
// Waits until the process shows a visible top-level window; nullptr on time-out.
HWND WaitForWindow(const Process& process, DWORD milliseconds);
// Screen pixel as 0x00BBGGRR.
COLORREF ScreenPixel(int x, int y);
// Mouse and keys as the system delivers them.
void SendKey(HWND window, WORD virtualKey);
void MoveMouse(int x, int y);
void Click(int x, int y);
// A message box window (class #32770) of the process, if one is open.
HWND FindMessageBox(DWORD processId);
std::string WindowText(HWND window);
// Text of the static control inside a message box.
std::string MessageBoxText(HWND box);

// --- Driving whole runs: themes, files made at run time, observation from outside ---

// A complete theme as the configuration dialog saves it, with plain defaults: one centred
// picture that never changes, black background, no transitions, no clock, no music.
class ThemeText {
  public:
    ThemeText();
    ThemeText& Set(const std::string& section, const std::string& key, const std::string& value);
    ThemeText& Erase(const std::string& section, const std::string& key);
    // [images], [caption] and [total] total; captions "" unless given.
    ThemeText& Pictures(const std::vector<std::string>& paths,
                        const std::vector<std::string>& captions = {});
    // [multimedia] and [total] mediaTotal.
    ThemeText& Music(const std::vector<std::string>& paths);
    std::string Text() const;

  private:
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections_;
};
// Writes the theme as the current theme and turns off the first-run sample picture step, so
// the run shows exactly the theme's pictures.
void UseTheme(const ProgramCopy& copy, const ThemeText& theme);

// Under Wine only: starts orvelle.scr as a Wine program started from a Unix shell would be,
// with WINEDEBUG set to the channels and Wine's debug output (which goes to the Unix standard
// error, not to the Windows one) written to the log file (a Windows path). An empty Process
// when this is not Wine or the program does not come up within the time.
Process StartSaverWithWineTrace(const ProgramCopy& copy, const std::string& arguments,
                                const std::string& channels, const std::string& logFile);

// Pictures and sounds written by the tests. Colours are 0x00BBGGRR.
void WriteBmpFile(const std::string& path, int width, int height,
                  const std::function<COLORREF(int, int)>& colour);
// Through the system's JPEG encoder; false when there is none.
bool WriteJpegFile(const std::string& path, int width, int height,
                   const std::function<COLORREF(int, int)>& colour);
// The same through the system's encoder for the container (GUID_ContainerFormatPng, ...).
using test_support::WriteEncodedPicture;
// A 16-bit mono PCM tone of the given length.
void WriteWavFile(const std::string& path, double seconds);
// Decodes a picture file through the system's codecs into rows of 0x00BBGGRR pixels.
bool DecodePictureFile(const std::string& path, int* width, int* height,
                       std::vector<COLORREF>* pixels);

bool ColourNear(COLORREF actual, COLORREF expected, int tolerance);
// "0x00BBGGRR" for failure messages.
std::string Hex(COLORREF colour);
// Expects the screen pixel at (x, y) within tolerance of colour, naming both on failure.
#define EXPECT_SCREEN(x, y, colour, tolerance)                                                    \
    do {                                                                                          \
        const COLORREF seen_ = ::wine_test::ScreenPixel((x), (y));                                \
        EXPECT_TRUE(::wine_test::ColourNear(seen_, (colour), (tolerance)))                        \
            << "at (" << (x) << ", " << (y) << ") saw " << ::wine_test::Hex(seen_) << ", wanted " \
            << ::wine_test::Hex(colour);                                                          \
    } while (0)
// Polls the screen until the pixel has the colour; false on time-out.
bool WaitForPixel(int x, int y, COLORREF colour, int tolerance, DWORD milliseconds);
// Waits for a message box of the process; nullptr on time-out or when the process ends first.
HWND WaitForMessageBox(const Process& process, DWORD milliseconds);
// Presses the box's OK button.
void PressOk(HWND box);
// Every window of the process, shown or hidden, top-level and child.
std::vector<HWND> AllWindowsOf(DWORD processId);
// The top-level window of the process with the class name; nullptr when there is none.
HWND FindWindowOfClass(DWORD processId, const std::string& className);
std::string ClassOf(HWND window);
// Every child control of a window (its dialog pages' included) by id; the first of an id wins.
std::map<int, HWND> ControlsById(HWND window);
// What the control itself answers to WM_GETTEXT (the status bar its first panel, a combo box
// its edit part); GetWindowText on another process's window reads only the stored title.
std::string TextOf(HWND control);
// Keys as the keyboard delivers them, to whichever window has the focus.
void TypeKey(WORD virtualKey);
// The keys pressed in order and let go in reverse, as a person holds Ctrl or Alt with a key.
void TypeChord(std::initializer_list<WORD> keys);
// Under Wine: runs the command in a Unix shell and waits until it has finished; false when it
// could not be run or did not finish in time.
bool RunUnixShell(const std::string& command, DWORD milliseconds = 5000);
// The pointer as the user moves it, and a left click. Under Wine this is X input (XTEST):
// Wine confines the pointer to a full-screen foreground window of another process, and moves
// made with SendInput from here then never reach it. Elsewhere, SendInput.
void UserMovesPointer(int x, int y);
void UserClicks(int x, int y);

// What a process holds. GDI and USER objects come from GetGuiResources where the system counts
// them; where it does not (Wine), GDI objects are counted in the process's GDI handle table and
// USER objects as the process's windows, kernel handles as its open Unix files, and private
// bytes are the page-file use.
struct ProcessResources {
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    DWORD kernelHandles = 0;
    SIZE_T privateBytes = 0;
    SIZE_T peakPrivateBytes = 0;  // the most it ever held (under Wine, its peak address space)
    bool gdiFromSystem = false;
};
ProcessResources ResourcesOf(const Process& process);
// User plus kernel processor time of the process so far, in seconds (under Wine, from /proc).
double ProcessorSeconds(const Process& process);

}  // namespace wine_test
