// The program's entry procedure: reads the switch and starts one run mode per process.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvelle {

enum class RunMode {
    Configure,         // "/C"
    ChangePassword,    // "/A" and a window handle
    Saver,             // "" or "/S": full screen, task bar hidden
    Preview,           // "/P" and a window handle
    SaverKeepTaskbar,  // any other switch: full screen, task bar left visible
};

struct CommandLineChoice {
    RunMode mode = RunMode::Saver;
    // The handle after "/A"; for "/C" the window to centre on and stay above ("/c:1234" or
    // "/c 1234", as the system's screen-saver page passes it), 0 when none is given.
    std::int32_t parentWindow = 0;
};

// The first two characters of the trimmed, upper-cased text decide. The /A handle is the leading
// number of the raw text after its first two characters.
CommandLineChoice ParseCommandLine(std::string_view rawArguments);

// The argument text of a whole command line: what follows the program name (quoted, up to the
// closing quote, or unquoted, up to the first space or tab) and the blanks after it.
std::string ArgumentsAfterProgramName(std::string_view commandLine);

// What StartProgram needs from the system.
class AppHost {
  public:
    virtual ~AppHost() = default;
    // GetVersionExA's platform identifier (2 = NT family).
    virtual std::int32_t QueryPlatform() = 0;
    // The process's argument text after the program name, as given.
    virtual std::string CommandLineArguments() = 0;
    // Asked by every mode but the preview; asking takes the lock for this process.
    virtual bool PreviousInstanceRunning() = 0;
    virtual void OpenConfiguration(std::int32_t ownerWindow) = 0;
    virtual void ChangePassword(std::int32_t parentWindow) = 0;
    virtual void ShowPreview(const std::string& rawArguments) = 0;
    // ShowCursor(FALSE): returns the new display counter.
    virtual int HidePointerOnce() = 0;
    virtual void SetPointerPosition(int x, int y) = 0;
    virtual int ScreenWidthTwips() = 0;
    virtual int ScreenHeightTwips() = 0;
    // FindWindowW(L"Shell_traywnd", L"") and SetWindowPos(..., 0x80).
    virtual void HideTaskbar() = 0;
    virtual void OpenSaver(std::int32_t platformId) = 0;
};

// Returns the platform identifier it recorded.
std::int32_t StartProgram(AppHost& host);

// Hides the pointer for the full-screen run: on the NT family the display counter is lowered
// until it is below -5; on the 9x family the pointer is parked beyond the bottom-right corner.
void HidePointer(AppHost& host, std::int32_t platformId);

constexpr std::int32_t kPlatformNT = 2;

}  // namespace orvelle
