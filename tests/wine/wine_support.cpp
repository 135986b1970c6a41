#include "wine_support.h"

#include <shellapi.h>

#include <cstdio>

namespace wine_test {

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
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyTree(from + "\\" + name, to + "\\" + name);
        } else {
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            std::string full = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

std::string StagedProgramFolder() {
    return UnixToWindows(ORVELLE_PROGRAM_DIR);
}

ProgramCopy::ProgramCopy() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "orvelle-%lu-%d", GetCurrentProcessId(), ++counter);
    std::string base = std::string(temp) + name;
    CopyTree(StagedProgramFolder(), base);
    folder_ = base + "\\";
}

ProgramCopy::~ProgramCopy() {
    RemoveTree(folder_.substr(0, folder_.size() - 1));
}

std::string ProgramCopy::ThemePath() const {
    std::string theme = ReadIni(Path("orvellemain.ini"), "saver", "currentsaver");
    return Path("orvellesaver\\" + theme + ".ini");
}

void ProgramCopy::WriteIni(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) const {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

std::string ProgramCopy::ReadIni(const std::string& file, const std::string& section,
                                 const std::string& key) const {
    char buffer[4096] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, file.c_str());
    return buffer;
}

void ProgramCopy::WriteTheme(const std::string& text) const {
    HANDLE file = CreateFileA(ThemePath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

Process::Process(const std::string& exe, const std::string& arguments) {
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string folder = exe.substr(0, exe.find_last_of('\\'));
    CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   folder.c_str(), &startup, &info_);
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
    DWORD start = GetTickCount();
    for (;;) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0) {
            break;
        }
        if (GetTickCount() - start >= milliseconds) {
            return false;
        }
        Pump(10);
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

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid == s->pid && IsWindowVisible(hwnd)) {
                s->found.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const Process& process, DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        std::vector<HWND> windows = VisibleWindowsOf(process.Id());
        if (!windows.empty()) {
            return windows.front();
        }
        Pump(20);
    } while (GetTickCount() - start < milliseconds && process.Running());
    return nullptr;
}

void Pump(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

void SendKey(HWND window, WORD virtualKey) {
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
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
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (std::string(cls) == "#32770") {
            return hwnd;
        }
    }
    return nullptr;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string MessageBoxText(HWND box) {
    std::string result;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[64] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (std::string(cls) == "Static") {
            std::string text = WindowText(child);
            if (text.size() > result.size()) {
                result = text;
            }
        }
    }
    return result;
}

}  // namespace wine_test
