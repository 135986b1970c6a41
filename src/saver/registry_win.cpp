#include "saver/registry_win.h"

#include <windows.h>

namespace orvelle::win {

std::optional<RegistryValue> RegistryReaderWin::Query(std::uint32_t rootKey,
                                                      const std::string& keyPath,
                                                      const std::string& valueName) {
    HKEY root = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(rootKey)));
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    char buffer[255] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RegistryValue{type, std::string(buffer, size)};
}

}  // namespace orvelle::win
