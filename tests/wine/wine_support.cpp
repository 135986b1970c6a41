#include "wine_support.h"

#include <commctrl.h>

#include <objbase.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <tlhelp32.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/wide_win.h"
#include "picture_files_win.h"

namespace wine_test {

using orvelle::win::Narrow;
using orvelle::win::Wide;

namespace {

std::string UnixToWindows(const std::string& path) {
    std::string out = "Z:" + path;
    for (char& c : out) {
        if (c == '/') {
            c = '\\';
        }
    }
    return out;
}

void CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryW(Wide(to).c_str(), nullptr);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Wide(from + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        std::string name = Narrow(data.cFileName);
        if (name == "." || name == "..") {
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyTree(from + "\\" + name, to + "\\" + name);
        } else {
            CopyFileW(Wide(from + "\\" + name).c_str(), Wide(to + "\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Wide(path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = Narrow(data.cFileName);
            if (name == "." || name == "..") {
                continue;
            }
            std::string full = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesW(Wide(full).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(Wide(full).c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(Wide(path).c_str());
}

}  // namespace

std::string StagedProgramFolder() {
    return UnixToWindows(ORVELLE_PROGRAM_DIR);
}

std::string TempFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return Narrow(temp);
}

ProgramCopy::ProgramCopy(const std::string& under) {
    std::string parent = TempFolder();
    if (!under.empty()) {
        parent += under + "\\";
        CreateDirectoryW(Wide(parent).c_str(), nullptr);
        parent_ = parent;
    }
    static int counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "orvelle-%lu-%d", GetCurrentProcessId(), ++counter);
    std::string base = parent + name;
    CopyTree(StagedProgramFolder(), base);
    folder_ = base + "\\";
}

ProgramCopy::~ProgramCopy() {
    RemoveTree(folder_.substr(0, folder_.size() - 1));
    if (!parent_.empty()) {
        RemoveDirectoryW(Wide(parent_).c_str());  // only when no other copy is inside
    }
}

std::string ProgramCopy::ThemePath() const {
    std::string theme = ReadIni(Path("orvellemain.ini"), "saver", "currentsaver");
    return Path("orvellesaver\\" + theme + ".ini");
}

void ProgramCopy::WriteIni(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) const {
    WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(),
                               Wide(file).c_str());
}

std::string ProgramCopy::ReadIni(const std::string& file, const std::string& section,
                                 const std::string& key) const {
    wchar_t buffer[4096] = {};
    GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), L"", buffer, 4096,
                             Wide(file).c_str());
    return Narrow(buffer);
}

void ProgramCopy::WriteTheme(const std::string& text) const {
    WriteFileBytes(ThemePath(), text);
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[64 * 1024];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return bytes;
}

Process::Process(const std::string& exe, const std::string& arguments) {
    std::wstring commandLine = Wide("\"" + exe + "\" " + arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::string folder = exe.substr(0, exe.find_last_of('\\'));
    CreateProcessW(Wide(exe).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   Wide(folder).c_str(), &startup, &info_);
}

Process Process::Adopt(DWORD processId) {
    Process process;
    process.info_.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    process.info_.dwProcessId = process.info_.hProcess ? processId : 0;
    return process;
}

Process::Process(Process&& other) noexcept : info_(other.info_) {
    other.info_ = {};
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        info_ = other.info_;
        other.info_ = {};
    }
    return *this;
}

Process::~Process() {
    Kill();
}

bool Process::WaitExit(DWORD milliseconds, DWORD* code) const {
    if (!info_.hProcess) {
        return true;
    }
    if (!WaitUntil([this] { return !Running(); }, milliseconds)) {
        return false;
    }
    if (code) {
        GetExitCodeProcess(info_.hProcess, code);
    }
    return true;
}

bool Process::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void Process::Kill() {
    if (info_.hProcess) {
        if (Running()) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
        info_ = {};
    }
}

Process StartSaver(const ProgramCopy& copy, const std::string& arguments) {
    return Process(copy.Path("orvelle.scr"), arguments);
}

Process StartDesignWindow(const std::string& arguments) {
    return Process(UnixToWindows(ORVELLE_DESIGN_WINDOW), arguments);
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    std::vector<HWND> visible;
    for (HWND hwnd : AllWindowsOf(processId)) {
        const bool topLevel = (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0;
        if (topLevel && IsWindowVisible(hwnd)) {
            visible.push_back(hwnd);
        }
    }
    return visible;
}

HWND WaitForWindow(const Process& process, DWORD milliseconds) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = VisibleWindowsOf(process.Id());
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr || !process.Running();
        },
        milliseconds);
    return found;
}

void HandlePending() {
    // Bounded: a window that keeps invalidating itself would otherwise hold the test here.
    MSG msg;
    for (int handled = 0; handled < 100000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
         ++handled) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void PumpStep() {
    HandlePending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
}

namespace {

// A live window of the thread (a shown one when `shown`): the one given while it qualifies, else
// any of the thread's top-level windows.
HWND WindowOfThread(DWORD thread, HWND preferred, bool shown) {
    auto fits = [shown](HWND window) {
        return IsWindow(window) && (!shown || IsWindowVisible(window));
    };
    if (fits(preferred)) {
        return preferred;
    }
    struct Search {
        bool shown;
        HWND found;
    } search{shown, nullptr};
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (!s->shown || IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD Remaining(DWORD start, DWORD milliseconds) {
    const DWORD used = GetTickCount() - start;
    return used < milliseconds ? milliseconds - used : 0;
}

// The thread has answered a message sent now: it has handled the ones sent before (sent messages
// are handled in order), or waits in a loop of its own.
bool Answered(DWORD thread, HWND window, DWORD start, DWORD milliseconds) {
    for (;;) {
        HWND target = WindowOfThread(thread, window, false);
        const DWORD left = Remaining(start, milliseconds);
        if (!target || left == 0) {
            return false;
        }
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_NORMAL, left, &result)) {
            return true;
        }
        if (IsWindow(target)) {
            return false;  // no answer in time
        }
        // The window went meanwhile (a dialog closing): another of the thread's.
    }
}

// The thread has nothing posted or typed left to handle: a part of one of its shown windows made
// invalid is painted, and the system hands out a paint only when no such message waits.
bool Idle(DWORD thread, HWND window, DWORD start, DWORD milliseconds) {
    for (;;) {
        HWND target = WindowOfThread(thread, GetAncestor(window, GA_ROOT), true);
        if (!target) {
            return Answered(thread, window, start, milliseconds);  // nothing to paint
        }
        const RECT corner = {0, 0, 1, 1};
        InvalidateRect(target, &corner, FALSE);
        const bool painted = WaitUntil(
            [target] { return !IsWindow(target) || !GetUpdateRect(target, nullptr, FALSE); },
            Remaining(start, milliseconds));
        if (!painted) {
            return false;
        }
        if (IsWindow(target)) {
            return true;
        }
    }
}

}  // namespace

bool Settled(HWND window, DWORD milliseconds) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (thread == 0) {
        return false;
    }
    // Twice idle: a handler that paints at once (UpdateWindow) would need to do so both times.
    const DWORD start = GetTickCount();
    return Answered(thread, window, start, milliseconds) &&
           Idle(thread, window, start, milliseconds) && Idle(thread, window, start, milliseconds);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

void SendKey(HWND window, WORD virtualKey) {
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
}

void MoveMouse(int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void Click(int x, int y) {
    MoveMouse(x, y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof inputs[0]);
}

HWND FindMessageBox(DWORD processId) {
    for (HWND hwnd : VisibleWindowsOf(processId)) {
        // The editor and its small windows are dialogs too: a message box has its text in the
        // static 0xFFFF and nothing to type into, choose from or slide.
        if (ClassOf(hwnd) != "#32770" || !GetDlgItem(hwnd, 0xFFFF)) {
            continue;
        }
        bool plain = true;
        for (const wchar_t* kind : {WC_TABCONTROLW, WC_EDITW, WC_LISTBOXW, TRACKBAR_CLASSW}) {
            plain = plain && !FindWindowExW(hwnd, nullptr, kind, nullptr);
        }
        if (plain) {
            return hwnd;
        }
    }
    return nullptr;
}

std::map<int, HWND> ControlsById(HWND window) {
    std::map<int, HWND> found;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            // A combo box's inner edit comes after the combo box and has an id of its own.
            reinterpret_cast<std::map<int, HWND>*>(param)->emplace(GetDlgCtrlID(child), child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string TextOf(HWND control) {
    wchar_t text[1024] = {};
    SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

std::string WindowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return Narrow(text);
}

std::string MessageBoxText(HWND box) {
    std::string result;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == "Static") {
            std::string text = WindowText(child);
            if (text.size() > result.size()) {
                result = text;
            }
        }
    }
    return result;
}

// --- Driving whole runs ---

ThemeText::ThemeText() {
    Pictures({"picture.bmp"});
    Music({});
    Set("image", "randomMedia", "0");
    Set("image", "randomPick", "0");
    Set("background", "newBackColor", "0");
    Set("background", "backEffect", "0");
    Set("image", "picSpeed", "2");
    Set("image", "timeInterval", "0");
    Set("image", "picRandom", "cent");
    Set("image", "picChange", "not_ch");
    Set("background", "backgroundImage", "");
    Set("background", "backgroundDisplay", "0");
    Set("background", "redBackground", "0");
    Set("background", "greenBackground", "0");
    Set("background", "blueBackground", "0");
    Set("font", "scroll", "1");
    Set("image", "picturePercent", "80");
    Set("font", "scrollSpeed", "150");
    for (const char* flag :
         {"bStandard", "bLeftWipe", "bRightWipe", "bRightandLeftWipe", "bUpAndDown", "bCenter",
          "bHorizontalBlinds", "bVerticalBlinds", "bFade"}) {
        Set("transitions", flag, "0");
    }
    Set("image", "timeDisplay", "0");
    Set("font", "newFontName", "Arial");
    Set("font", "newFontSize", "12");
    Set("font", "newFontBold", "False");
    Set("font", "newFontItalic", "False");
    Set("font", "newFontUnderline", "False");
    Set("font", "newFontFontStrikethru", "False");
    Set("font", "newFontForeColor", "16777215");
    Set("date", "countdownMonth", "12");
    Set("date", "countdownDay", "25");
    Set("date", "countdownYear", "2040");
}

ThemeText& ThemeText::Set(const std::string& section, const std::string& key,
                          const std::string& value) {
    for (auto& [name, keys] : sections_) {
        if (name == section) {
            for (auto& [k, v] : keys) {
                if (k == key) {
                    v = value;
                    return *this;
                }
            }
            keys.emplace_back(key, value);
            return *this;
        }
    }
    sections_.push_back({section, {{key, value}}});
    return *this;
}

ThemeText& ThemeText::Erase(const std::string& section, const std::string& key) {
    for (auto& [name, keys] : sections_) {
        if (name == section) {
            std::erase_if(keys, [&](const auto& entry) { return entry.first == key; });
        }
    }
    return *this;
}

ThemeText& ThemeText::Pictures(const std::vector<std::string>& paths,
                               const std::vector<std::string>& captions) {
    std::erase_if(sections_, [](const auto& section) {
        return section.first == "images" || section.first == "caption";
    });
    for (size_t i = 0; i < paths.size(); ++i) {
        Set("images", std::to_string(i), paths[i]);
        Set("caption", std::to_string(i), i < captions.size() ? captions[i] : "");
    }
    return Set("total", "total", std::to_string(paths.size()));
}

ThemeText& ThemeText::Music(const std::vector<std::string>& paths) {
    std::erase_if(sections_, [](const auto& section) { return section.first == "multimedia"; });
    for (size_t i = 0; i < paths.size(); ++i) {
        Set("multimedia", std::to_string(i), paths[i]);
    }
    return Set("total", "mediaTotal", std::to_string(paths.size()));
}

std::string ThemeText::Text() const {
    std::string text;
    for (const auto& [name, keys] : sections_) {
        text += "[" + name + "]\r\n";
        for (const auto& [k, v] : keys) {
            text += k + "=" + v + "\r\n";
        }
    }
    return text;
}

void UseTheme(const ProgramCopy& copy, const ThemeText& theme) {
    copy.WriteIni(copy.Path("orvellemain.ini"), "setup", "samplePicture", "0");
    copy.WriteTheme(theme.Text());
}

namespace {

// Ids of the running processes whose program file has the name.
std::vector<DWORD> ProcessesNamed(const std::string& exeName) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return ids;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (_stricmp(Narrow(entry.szExeFile).c_str(), exeName.c_str()) == 0) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return ids;
}

// The Unix path of a Windows path, through Wine's own export; "" outside Wine.
std::string UnixPathOf(const std::string& windowsPath) {
    using ToUnixFn = char*(CDECL*)(const WCHAR*);
    static const auto toUnix = reinterpret_cast<ToUnixFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) {
        return "";
    }
    char* unix = toUnix(Wide(windowsPath).c_str());
    if (!unix) {
        return "";
    }
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

}  // namespace

Process StartSaverWithWineTrace(const ProgramCopy& copy, const std::string& arguments,
                                const std::string& channels, const std::string& logFile) {
    const std::string program = UnixPathOf(copy.Path("orvelle.scr"));
    // The log does not exist yet: its folder is converted and the name added.
    const std::string logFolder = UnixPathOf(logFile.substr(0, logFile.find_last_of('\\')));
    if (program.empty() || logFolder.empty() || arguments.find('\'') != std::string::npos) {
        return Process();
    }
    const std::string log = logFolder + "/" + logFile.substr(logFile.find_last_of('\\') + 1);
    const std::vector<DWORD> before = ProcessesNamed("orvelle.scr");
    // Wine runs a Unix program that CreateProcess is given; the shell then starts the saver
    // through Wine's loader with its standard error in the log.
    std::wstring commandLine = Wide("\"Z:\\bin\\sh\" -c \"WINEDEBUG=" + channels +
                                    " exec ${WINELOADER:-${ORVELLE_WINE:-wine}} '" + program +
                                    "' " + arguments + " 2>'" + log + "'\"");
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        Wide(copy.Folder()).c_str(), &startup, &info)) {
        return Process();
    }
    if (info.hProcess) {
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    DWORD started = 0;
    WaitUntil([&] {
        for (DWORD id : ProcessesNamed("orvelle.scr")) {
            if (std::find(before.begin(), before.end(), id) == before.end()) {
                started = id;
            }
        }
        return started != 0;
    });
    return started ? Process::Adopt(started) : Process();
}

void WriteBmpFile(const std::string& path, int width, int height,
                  const std::function<COLORREF(int, int)>& colour) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<unsigned char> pixels(info.biSizeImage);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = pixels.data() + static_cast<size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    bytes.append(reinterpret_cast<const char*>(pixels.data()), pixels.size());
    WriteFileBytes(path, bytes);
}

using test_support::ImagingFactory;
using test_support::Release;

bool WriteJpegFile(const std::string& path, int width, int height,
                   const std::function<COLORREF(int, int)>& colour) {
    return WriteEncodedPicture(path, GUID_ContainerFormatJpeg, width, height, colour);
}

void WriteWavFile(const std::string& path, double seconds) {
    constexpr int kRate = 8000;
    const int samples = static_cast<int>(seconds * kRate);
    std::vector<short> data(static_cast<size_t>(samples));
    for (int i = 0; i < samples; ++i) {
        data[static_cast<size_t>(i)] =
            static_cast<short>(3000 * std::sin(2 * 3.14159265358979 * 440 * i / kRate));
    }
    struct {
        char riff[4] = {'R', 'I', 'F', 'F'};
        DWORD size = 0;
        char wave[4] = {'W', 'A', 'V', 'E'};
        char fmt[4] = {'f', 'm', 't', ' '};
        DWORD fmtSize = 16;
        WORD format = 1;
        WORD channels = 1;
        DWORD rate = kRate;
        DWORD bytesPerSecond = kRate * 2;
        WORD blockAlign = 2;
        WORD bits = 16;
        char dataTag[4] = {'d', 'a', 't', 'a'};
        DWORD dataSize = 0;
    } header;
    header.dataSize = static_cast<DWORD>(data.size() * sizeof(short));
    header.size = static_cast<DWORD>(sizeof header - 8 + header.dataSize);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(data.data()), header.dataSize);
    WriteFileBytes(path, bytes);
}

bool DecodePictureFile(const std::string& path, int* width, int* height,
                       std::vector<COLORREF>* pixels) {
    IWICImagingFactory* factory = ImagingFactory();
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    bool ok = false;
    const std::wstring wide = Wide(path);
    UINT w = 0;
    UINT h = 0;
    if (factory &&
        SUCCEEDED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA,
                                        WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom))) {
        std::vector<DWORD> bgra(static_cast<size_t>(w) * h);
        ok = SUCCEEDED(
            converter->CopyPixels(nullptr, w * 4, w * h * 4, reinterpret_cast<BYTE*>(bgra.data())));
        pixels->resize(bgra.size());
        for (size_t i = 0; i < bgra.size(); ++i) {
            const DWORD p = bgra[i];
            // Fully transparent pixels are marked with the top byte so callers can skip them.
            (*pixels)[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) |
                           ((p >> 24) == 0 ? 0xFF000000u : 0u);
        }
        *width = static_cast<int>(w);
        *height = static_cast<int>(h);
    }
    Release(converter);
    Release(frame);
    Release(decoder);
    Release(factory);
    return ok;
}

std::string Hex(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(colour));
    return text;
}

bool ColourNear(COLORREF actual, COLORREF expected, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            return false;
        }
    }
    return true;
}

bool WaitForPixel(int x, int y, COLORREF colour, int tolerance, DWORD milliseconds) {
    return WaitUntil([&] { return ColourNear(ScreenPixel(x, y), colour, tolerance); },
                     milliseconds);
}

::testing::AssertionResult ScreenBecomes(const std::vector<ScreenPoint>& points,
                                         DWORD milliseconds) {
    auto shown = [&] {
        return std::all_of(points.begin(), points.end(), [](const ScreenPoint& p) {
            return ColourNear(ScreenPixel(p.x, p.y), p.colour, p.tolerance);
        });
    };
    if (WaitUntil(shown, milliseconds)) {
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    for (const ScreenPoint& p : points) {
        const COLORREF seen = ScreenPixel(p.x, p.y);
        if (!ColourNear(seen, p.colour, p.tolerance)) {
            failure << "at (" << p.x << ", " << p.y << ") saw " << Hex(seen) << ", wanted "
                    << Hex(p.colour) << "; ";
        }
    }
    return failure;
}

namespace {

// The screen's pixels in the rectangle, row by row.
std::vector<DWORD> ScreenArea(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    std::vector<DWORD> pixels(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0));
    if (pixels.empty()) {
        return pixels;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        std::memcpy(pixels.data(), bits, pixels.size() * sizeof(DWORD));
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

bool ScreenSettles(const RECT& area, DWORD milliseconds) {
    std::vector<DWORD> before = ScreenArea(area);
    DWORD readAt = GetTickCount();
    return WaitUntil(
        [&] {
            if (GetTickCount() - readAt < 100) {
                return false;
            }
            std::vector<DWORD> now = ScreenArea(area);
            const bool still = now == before;
            before = std::move(now);
            readAt = GetTickCount();
            return still;
        },
        milliseconds);
}

HWND WaitForMessageBox(const Process& process, DWORD milliseconds) {
    WaitUntil([&] { return FindMessageBox(process.Id()) != nullptr || !process.Running(); },
              milliseconds);
    return FindMessageBox(process.Id());
}

void PressOk(HWND box) {
    if (HWND ok = GetDlgItem(box, IDOK)) {
        PostMessageW(ok, BM_CLICK, 0, 0);
    } else {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

std::vector<HWND> AllWindowsOf(DWORD processId) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid == s->pid) {
                s->found.push_back(hwnd);
                EnumChildWindows(
                    hwnd,
                    [](HWND child, LPARAM p) -> BOOL {
                        reinterpret_cast<Search*>(p)->found.push_back(child);
                        return TRUE;
                    },
                    param);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return Narrow(name);
}

HWND FindWindowOfClass(DWORD processId, const std::string& className) {
    for (HWND hwnd : AllWindowsOf(processId)) {
        if (GetParent(hwnd) == nullptr && ClassOf(hwnd) == className) {
            return hwnd;
        }
    }
    return nullptr;
}

void TypeKey(WORD virtualKey) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = virtualKey;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof inputs[0]);
}

void TypeChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = keys.end(); key != keys.begin();) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool RunUnixShell(const std::string& command, DWORD milliseconds) {
    const std::string temp = TempFolder();
    static int counter = 0;
    const std::string marker = temp + "orvelle-shell-" + std::to_string(GetCurrentProcessId()) +
                               "-" + std::to_string(++counter);
    const std::string unixTemp = UnixPathOf(temp);
    if (unixTemp.empty() || command.find('"') != std::string::npos) {
        return false;
    }
    const std::string unixMarker = unixTemp + (unixTemp.back() == '/' ? "" : "/") +
                                   marker.substr(marker.find_last_of('\\') + 1);
    // Wine runs a Unix program given to CreateProcess, but hands back no handle to wait on: the
    // shell leaves the command's exit status in a marker file when it is done.
    std::wstring commandLine =
        Wide("\"Z:\\bin\\sh\" -c \"" + command + "; echo $? >'" + unixMarker + ".tmp'; mv '" +
             unixMarker + ".tmp' '" + unixMarker + "'\"");
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        return false;
    }
    if (info.hProcess) {
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    const DWORD start = GetTickCount();
    while (GetFileAttributesW(Wide(marker).c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start >= milliseconds) {
            return false;
        }
        Sleep(5);
    }
    const std::string status = ReadFileBytes(marker).value_or("");
    DeleteFileW(Wide(marker).c_str());
    return status.substr(0, status.find('\n')) == "0";
}

namespace {

// X input through the XTEST extension, by a small Python script (ctypes, no packages): the
// pointer moves as if the user moved it, so every X client, Wine's included, sees the motion.
// The moves are relative, with the server's pointer acceleration off while the script runs:
// Wine takes the raw motion of a window that holds the pointer as relative, and an absolute move
// would reach it as a jump by the target's coordinates.
// One script serves the whole test process, so that a move costs a few milliseconds rather than
// a program start: it takes requests ("serial action x y") from the file "request" of its
// folder, and writes the serial to "answer" once the X server has the input. It ends when its
// folder goes, on "quit", or after two idle minutes.
constexpr char kXInputScript[] = R"(import ctypes, os, sys, time
from ctypes import byref, c_int, c_uint, c_ulong, c_void_p
x = ctypes.CDLL('libX11.so.6')
t = ctypes.CDLL('libXtst.so.6')
x.XOpenDisplay.restype = c_void_p
x.XDefaultRootWindow.argtypes = [c_void_p]
x.XDefaultRootWindow.restype = c_ulong
x.XQueryPointer.argtypes = [c_void_p, c_ulong] + [ctypes.POINTER(c_ulong)] * 2 + \
    [ctypes.POINTER(c_int)] * 4 + [ctypes.POINTER(c_uint)]
x.XGetPointerControl.argtypes = [c_void_p] + [ctypes.POINTER(c_int)] * 3
x.XChangePointerControl.argtypes = [c_void_p, c_int, c_int, c_int, c_int, c_int]
x.XSync.argtypes = [c_void_p, c_int]
x.XCloseDisplay.argtypes = [c_void_p]
t.XTestFakeRelativeMotionEvent.argtypes = [c_void_p, c_int, c_int, c_ulong]
t.XTestFakeButtonEvent.argtypes = [c_void_p, c_uint, c_int, c_ulong]
folder = sys.argv[1]
request = os.path.join(folder, 'request')
answer = os.path.join(folder, 'answer')
def reply(serial):
    with open(answer + '.tmp', 'w') as f:
        f.write(serial)
    os.replace(answer + '.tmp', answer)
def position():
    w, v = c_ulong(), c_ulong()
    rx, ry, wx, wy, mask = c_int(), c_int(), c_int(), c_int(), c_uint()
    x.XQueryPointer(d, root, byref(w), byref(v), byref(rx), byref(ry), byref(wx), byref(wy),
                    byref(mask))
    return rx.value, ry.value
d = x.XOpenDisplay(None)
if not d:
    sys.exit(1)
root = x.XDefaultRootWindow(d)
accel = [c_int(), c_int(), c_int()]
x.XGetPointerControl(d, *[byref(a) for a in accel])
x.XChangePointerControl(d, 1, 0, 1, 1, 0)
reply('0')
last = time.monotonic()
while time.monotonic() - last < 120 and os.path.isdir(folder):
    try:
        with open(request) as f:
            words = f.read().split()
        os.remove(request)
    except OSError:
        time.sleep(0.002 if time.monotonic() - last < 5 else 0.02)
        continue
    last = time.monotonic()
    if len(words) != 4 or words[1] == 'quit':
        break
    px, py = position()
    t.XTestFakeRelativeMotionEvent(d, int(words[2]) - px, int(words[3]) - py, 0)
    if words[1] == 'click':
        x.XSync(d, 0)
        t.XTestFakeButtonEvent(d, 1, 1, 0)
        t.XTestFakeButtonEvent(d, 1, 0, 0)
    x.XSync(d, 0)
    reply(words[0])
x.XChangePointerControl(d, 1, 0, accel[0].value, accel[1].value, 0)
x.XSync(d, 0)
x.XCloseDisplay(d)
)";

class XInputHelper {
  public:
    XInputHelper() {
        folder_ = TempFolder() + "orvelle-xinput-" + std::to_string(GetCurrentProcessId()) + "\\";
        const std::string unixFolder = UnixPathOf(folder_);
        if (unixFolder.empty() || !CreateDirectoryW(Wide(folder_).c_str(), nullptr)) {
            return;
        }
        WriteFileBytes(folder_ + "xinput.py", kXInputScript);
        const std::string unix = unixFolder + (unixFolder.back() == '/' ? "" : "/");
        // In the background, its output nowhere: it must not hold ctest's output pipe open.
        works_ = RunUnixShell("(python3 '" + unix + "xinput.py' '" + unix +
                              "' </dev/null >/dev/null 2>&1 &)") &&
                 Answered("0");
    }
    ~XInputHelper() {
        for (const char* name : {"xinput.py", "request", "request.tmp", "answer", "answer.tmp"}) {
            DeleteFileW(Wide(folder_ + name).c_str());
        }
        RemoveDirectoryW(Wide(folder_).c_str());
    }
    // False when the input could not be given (not Wine, or the script is gone).
    bool Send(const std::string& action, int x, int y) {
        if (!works_) {
            return false;
        }
        const std::string serial = std::to_string(++serial_);
        const std::string temp = folder_ + "request.tmp";
        works_ = WriteFileBytes(temp, serial + " " + action + " " + std::to_string(x) + " " +
                                          std::to_string(y)) &&
                 MoveFileExW(Wide(temp).c_str(), Wide(folder_ + "request").c_str(),
                             MOVEFILE_REPLACE_EXISTING) &&
                 Answered(serial);
        return works_;
    }

  private:
    bool Answered(const std::string& serial) const {
        return WaitUntil([&] { return ReadFileBytes(folder_ + "answer") == serial; });
    }
    std::string folder_;
    int serial_ = 0;
    bool works_ = false;
};

bool XInput(const std::string& action, int x, int y) {
    static XInputHelper helper;
    // An X server with no other client resets when its last connection closes, and the pointer
    // goes back to the middle: reading the screen keeps this process connected.
    ScreenPixel(0, 0);
    return helper.Send(action, x, y);
}

}  // namespace

void UserMovesPointer(int x, int y) {
    if (!XInput("move", x, y)) {
        MoveMouse(x, y);
    }
}

void UserClicks(int x, int y) {
    if (!XInput("click", x, y)) {
        Click(x, y);
    }
}

namespace {

// Live entries of the process's GDI handle table (PEB GdiSharedHandleTable), where the system
// keeps one per process as Wine does; 0 when it cannot be read.
DWORD GdiTableEntries(HANDLE process) {
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    struct BasicInformation {
        void* exitStatus;
        void* pebBaseAddress;
        void* reserved[4];
    } basic{};
    if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0 || !basic.pebBaseAddress) {
        return 0;
    }
#ifdef _WIN64
    constexpr size_t kTableOffset = 0xF8;
#else
    constexpr size_t kTableOffset = 0x94;
#endif
    void* table = nullptr;
    if (!ReadProcessMemory(process, static_cast<char*>(basic.pebBaseAddress) + kTableOffset, &table,
                           sizeof table, nullptr) ||
        !table) {
        return 0;
    }
    // Entries of 24 bytes (object, owner, unique, type, flags, user pointer); type 0 is free.
    constexpr size_t kEntrySize = 24;
    constexpr size_t kEntries = 0x10000;
    std::vector<unsigned char> entries(kEntrySize * kEntries);
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), &read)) {
        return 0;
    }
    DWORD live = 0;
    for (size_t i = 0; i + kEntrySize <= read; i += kEntrySize) {
        live += entries[i + 14] != 0 ? 1 : 0;
    }
    return live;
}

}  // namespace

namespace {

std::string ReadSmallFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text;
    std::getline(in, text, '\0');
    std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text + '\0' + rest;
}

// Under Wine: the Unix process behind a Windows process, found by its program path on the
// command line Wine shows in /proc; 0 elsewhere or when not found.
long UnixProcessOf(const Process& process) {
    wchar_t wideImage[MAX_PATH * 4] = {};
    DWORD size = MAX_PATH * 4;
    if (!UnixPathOf("C:\\").size() ||
        !QueryFullProcessImageNameW(process.Handle(), 0, wideImage, &size)) {
        return 0;
    }
    const std::string image = Narrow(wideImage);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA("Z:\\proc\\*", &data);
    if (find == INVALID_HANDLE_VALUE) {
        return 0;
    }
    long found = 0;
    do {
        const char* name = data.cFileName;
        if (*name < '1' || *name > '9' || std::strspn(name, "0123456789") != std::strlen(name)) {
            continue;
        }
        const std::string commandLine =
            ReadSmallFile(std::string("Z:\\proc\\") + name + "\\cmdline");
        if (StrStrIA(commandLine.c_str(), image.c_str())) {
            found = std::atol(name);
        }
    } while (!found && FindNextFileA(find, &data));
    FindClose(find);
    return found;
}

}  // namespace

ProcessResources ResourcesOf(const Process& process) {
    ProcessResources r;
    HANDLE h = process.Handle();
    r.gdiObjects = GetGuiResources(h, GR_GDIOBJECTS);
    r.userObjects = GetGuiResources(h, GR_USEROBJECTS);
    r.gdiFromSystem = r.gdiObjects != 0;
    if (!r.gdiFromSystem) {
        r.gdiObjects = GdiTableEntries(h);
    }
    if (r.userObjects == 0) {
        r.userObjects = static_cast<DWORD>(AllWindowsOf(process.Id()).size());
    }
    GetProcessHandleCount(h, &r.kernelHandles);
    if (r.kernelHandles == 0) {
        // Wine does not count another process's handles; its open Unix files tell as much.
        if (const long unix = UnixProcessOf(process)) {
            WIN32_FIND_DATAA data;
            HANDLE find =
                FindFirstFileA(("Z:\\proc\\" + std::to_string(unix) + "\\fd\\*").c_str(), &data);
            if (find != INVALID_HANDLE_VALUE) {
                do {
                    r.kernelHandles += data.cFileName[0] != '.' ? 1 : 0;
                } while (FindNextFileA(find, &data));
                FindClose(find);
            }
        }
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(h, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        // Wine fills only the older fields; there the page-file use is the private commit.
        r.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
        r.peakPrivateBytes = memory.PeakPagefileUsage;
    }
    return r;
}

double ProcessorSeconds(const Process& process) {
    // Under Wine, GetProcessTimes on another process counts several times what the process
    // really spends; the Unix figures are the true ones.
    if (const long unix = UnixProcessOf(process)) {
        const std::string stat = ReadSmallFile("Z:\\proc\\" + std::to_string(unix) + "\\stat");
        // Fields after the parenthesised name: state is field 3, utime 14 and stime 15.
        const size_t close = stat.rfind(')');
        if (close != std::string::npos) {
            std::istringstream fields(stat.substr(close + 2));
            std::vector<std::string> values;
            for (std::string v; fields >> v && values.size() < 13;) {
                values.push_back(v);
            }
            if (values.size() == 13) {
                const double ticks = std::atof(values[11].c_str()) + std::atof(values[12].c_str());
                return ticks / 100.0;
            }
        }
    }
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process.Handle(), &created, &exited, &kernel, &user)) {
        return 0;
    }
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

}  // namespace wine_test
