#include "base/program_folder_win.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include "base/wide_win.h"

namespace orvelle::win {

// The folder the program runs from; the settings files and pictures live beside it.
std::string ProgramFolder() {
    // The buffer grows until the whole path fits: a folder may be far longer than MAX_PATH.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) {
            path.clear();
            break;
        }
        if (length < size) {
            path.resize(length);
            break;
        }
        if (size >= 32768) {  // the longest path the system has
            path.clear();
            break;
        }
        path.resize(size * 2);
    }
    std::string folder = Narrow(path);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

std::string LocalStateFolder() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path)) && path) {
        folder = Narrow(path);
    }
    CoTaskMemFree(path);
    if (folder.empty()) {
        return folder;
    }
    if (folder.back() != '\\') {
        folder += '\\';
    }
    return folder + "Orvelle Screen Saver\\";
}

}  // namespace orvelle::win
