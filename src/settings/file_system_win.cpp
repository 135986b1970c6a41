#include "settings/file_system_win.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>

#include "base/owned_win.h"
#include "base/text.h"
#include "base/wide_win.h"

namespace orvelle::win {

namespace {

// The folder part of a path, for the temporary file; "." when the path names no folder.
std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) {
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string(".");
    }
    if (slash == 0 || (slash == 2 && path[1] == ':')) {
        return path.substr(0, slash + 1);  // the root itself
    }
    return path.substr(0, slash);
}

// A directory search, closed with the scope.
FileSearch StartSearch(const std::string& pattern, WIN32_FIND_DATAW& found, DWORD flags) {
    return FileSearch(FindFirstFileExW(Wide(pattern).c_str(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, flags));
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace

FileBytes WinFileSystem::ReadWholeFile(const std::string& path) {
    const FileBytes unreadable{FileState::Unreadable, {}};
    // Other programs (an editor, a second copy of the saver) may hold the file open.
    KernelHandle file(CreateFileW(
        Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        switch (GetLastError()) {
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND:
            case ERROR_INVALID_NAME:
            case ERROR_BAD_NETPATH:
            case ERROR_INVALID_DRIVE:
                return {FileState::Missing, {}};
            default:
                return unreadable;  // locked, access denied, a folder of that name, ...
        }
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > INT_MAX) {
        return unreadable;
    }
    std::string bytes;
    bytes.reserve(static_cast<size_t>(size.QuadPart));
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
            return unreadable;
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, got);
    }
    return {FileState::Read, std::move(bytes)};
}

bool WinFileSystem::ReplaceFile(const std::string& path, const std::string& bytes) {
    const std::wstring target = Wide(path);
    // A move may replace a read-only file where writing into it would fail; the user set that
    // flag to keep the file as it is.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return false;
    }
    // GetTempFileNameW writes at most MAX_PATH characters; a longer folder fails the call.
    wchar_t temp[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(Wide(FolderOf(path)).c_str(), L"orv", 0, temp)) {
        return false;  // no such folder, or no right to write there
    }
    bool written = false;
    {
        KernelHandle file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        written = static_cast<bool>(file) && WriteAll(file.Get(), bytes) &&
                  FlushFileBuffers(file.Get()) && file.Close();
    }
    if (written) {
        if (MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            if (attributes != INVALID_FILE_ATTRIBUTES) {
                SetFileAttributesW(target.c_str(), attributes);  // e.g. a hidden file stays hidden
            }
            return true;
        }
        // Some file systems refuse the move over an existing file but offer the replace call.
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            ::ReplaceFileW(target.c_str(), temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                           nullptr)) {
            return true;
        }
    }
    DeleteFileW(temp);
    return false;
}

bool WinFileSystem::FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::string> WinFileSystem::ToAnsi(std::u16string_view text) const {
    return Utf16ToAnsi(text);
}

std::u16string WinFileSystem::FromAnsi(std::string_view text) const {
    return AnsiToUtf16(text);
}

std::vector<std::string> WinFileSystem::FindFiles(const std::string& folder,
                                                  const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const FileSearch search = StartSearch(WithTrailingBackslash(folder) + pattern, found, 0);
    if (!search) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            continue;
        }
        // The system also matches the short 8.3 names ("*.ini" finds "a.inix" through "A~1.INI");
        // the long name decides.
        std::string name = Narrow(found.cFileName);
        if (MatchesFilePattern(name, pattern)) {
            names.push_back(std::move(name));
        }
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

std::optional<std::vector<FolderItem>> WinFileSystem::ListFolder(const std::string& folder) {
    std::vector<FolderItem> items;
    WIN32_FIND_DATAW found{};
    const FileSearch search =
        StartSearch(WithTrailingBackslash(folder) + "*", found, FIND_FIRST_EX_LARGE_FETCH);
    if (!search) {
        // An empty drive root has not even "." to list.
        if (GetLastError() == ERROR_FILE_NOT_FOUND) {
            return items;
        }
        return std::nullopt;
    }
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const DWORD attributes = found.dwFileAttributes;
        FolderItem item;
        item.name = Narrow(found.cFileName);
        item.folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.hidden = (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        item.link = item.folder && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        item.modified = (std::uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) |
                        found.ftLastWriteTime.dwLowDateTime;
        items.push_back(std::move(item));
    } while (FindNextFileW(search.Get(), &found));
    return items;
}

bool WinFileSystem::CreateFolder(const std::string& path) {
    // Each folder from the top down; those that are there already stay as they are.
    for (size_t at = path.find_first_of("\\/", path.size() > 1 && path[1] == ':' ? 3 : 2);
         at != std::string::npos; at = path.find_first_of("\\/", at + 1)) {
        CreateDirectoryW(Wide(path.substr(0, at)).c_str(), nullptr);
    }
    CreateDirectoryW(Wide(path).c_str(), nullptr);
    return FolderExists(path);
}

bool WinFileSystem::CopyWholeFile(const std::string& from, const std::string& to, bool overwrite) {
    const std::wstring target = Wide(to);
    if (!CopyFileW(Wide(from).c_str(), target.c_str(), overwrite ? FALSE : TRUE)) {
        return false;
    }
    // The copy takes the source's attributes; a read-only template must not give a theme that
    // every save then silently fails to write.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(target.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    }
    return true;
}

bool WinFileSystem::RemoveFile(const std::string& path) {
    return DeleteFileW(Wide(path).c_str()) != 0;
}

bool WinFileSystem::FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace orvelle::win
