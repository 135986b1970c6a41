// Helpers for driving orvelle.scr under Wine as Windows would: start it with a switch from a copy
// of the program folder, find its windows, send it input, read back pixels and INI files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wine_test {

// The staged program folder, as a Windows path.
std::string StagedProgramFolder();
// A fresh copy of the staged program folder under the temp folder; removed by the destructor.
class ProgramCopy {
  public:
    ProgramCopy();
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
};

class Process {
  public:
    Process() = default;
    Process(const std::string& exe, const std::string& arguments);
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

// Visible top-level windows of a process.
std::vector<HWND> VisibleWindowsOf(DWORD processId);
// Waits until the process shows a visible top-level window; nullptr on time-out.
HWND WaitForWindow(const Process& process, DWORD milliseconds);
// Pumps this thread's messages while waiting.
void Pump(DWORD milliseconds);
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

}  // namespace wine_test
